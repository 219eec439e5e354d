#include "Tools_oxr/u_start_quest/tformquest.h"
#include "tests/support/form_fixture.h"

namespace oxr::test {
namespace {

class StartQuestion : public FormFixture {
 protected:
  // The start page as far as the question sees it; the main window records what its first
  // show would read.
  void build() {
    quest.reset();
    main_shows = 0;
    TFormzyklus& main = make_form();
    main.start_form = &start_page;
    main.cycle_count = 2;  // stored waiting cycles
    start_page.show();
    main.form.OnShow = [this] {
      ++main_shows;
      take_over_at_show = form->take_over_waiting;
      start_page_visible_at_show = start_page.visible();
    };
    quest = std::make_unique<TFormquest>(main);
  }

  Form start_page{"Startseite", 792, 528};
  std::unique_ptr<TFormquest> quest;
  int main_shows = 0;
  int take_over_at_show = -1;
  bool start_page_visible_at_show = true;
};

TEST_F(StartQuestion, YesAndNoOpenTheMainWindowWithTheirAnswer) {
  struct Case {
    const char* name;
    bool yes;
    std::uint8_t before;
    int expected;
  };
  for (const Case c : {Case{"yes", true, 0, 1}, Case{"no", false, 1, 0}}) {
    SCOPED_TRACE(c.name);
    build();
    form->take_over_waiting = c.before;
    quest->ask();
    ASSERT_TRUE(quest->form.visible());

    (c.yes ? quest->But_yes : quest->But_no).click();

    EXPECT_FALSE(quest->form.visible());
    EXPECT_FALSE(start_page.visible());
    EXPECT_TRUE(form->form.visible());
    EXPECT_EQ(main_shows, 1);
    // The main window's show reads the stored cycles by this flag, so it must be set first.
    EXPECT_EQ(take_over_at_show, c.expected);
    EXPECT_FALSE(start_page_visible_at_show);
  }
}

TEST_F(StartQuestion, AbortLeavesTheOperatorOnTheStartPageAndStartAsksAgain) {
  build();
  form->take_over_waiting = 0;
  quest->ask();
  quest->But_abort.click();

  EXPECT_FALSE(quest->form.visible());
  EXPECT_TRUE(start_page.visible());
  EXPECT_EQ(main_shows, 0);
  EXPECT_EQ(form->take_over_waiting, 0);
  EXPECT_EQ(form->cycle_count, 2);

  quest->ask();
  EXPECT_TRUE(quest->form.visible());
}

TEST_F(StartQuestion, UsesTheStartPagesWayToTheMainWindowWhenGiven) {
  build();
  int start_page_openings = 0;
  quest->open_main_window = [&] {
    ++start_page_openings;
    EXPECT_EQ(form->take_over_waiting, 1);
  };
  quest->ask();
  quest->But_yes.click();
  EXPECT_EQ(start_page_openings, 1);
  EXPECT_EQ(main_shows, 0);  // the start page's own way shows it
}

TEST_F(StartQuestion, TextsFollowTheLanguage) {
  struct Case {
    int lang;
    const char* line1;
    const char* line2;
    const char* yes;
    const char* no;
    const char* abort;
  };
  build();
  EXPECT_EQ(quest->form.caption(), "OXR - Pump Control");
  EXPECT_FALSE(quest->maximise_button);
  for (const Case c :
       {Case{0, "You are starting the OXR Pump Control.",
             "Do you want to take over the cycles with status 'please start'?", "Yes", "No",
             "Quit"},
        Case{1, "Sie starten die OXR Pumpensteuerung.",
             "Sollen die abgespeicherten Zyklen mit Status 'bitte starten' aufgerufen werden?",
             "Ja", "Nein", "Abbrechen"}}) {
    SCOPED_TRACE(c.lang);
    quest->apply_texts(c.lang);
    EXPECT_EQ(quest->Labelq1.caption(), c.line1);
    EXPECT_EQ(quest->Labelq2.caption(), c.line2);
    EXPECT_EQ(quest->But_yes.caption(), c.yes);
    EXPECT_EQ(quest->But_no.caption(), c.no);
    EXPECT_EQ(quest->But_abort.caption(), c.abort);
  }
}

}  // namespace
}  // namespace oxr::test
