// Page printing: the print dialog, the page, and the repaint of the editor group a second
// after the dialog; the chart as the window defines it.
#include <string>
#include <vector>

#include "tests/support/form_fixture.h"

namespace oxr::test {
namespace {

class PrintTest : public FormFixture {
 protected:
  // A created window whose group-box repaints and pages land in one log, in order.
  TFormzyklus& created(int lang = 1) {
    TFormzyklus& f = make_form();
    f.FormCreate();
    f.lang_index = static_cast<std::uint8_t>(lang);
    f.GroupBox_Einstellungen.on_model_changed = [this] {
      log.push_back(form->GroupBox_Einstellungen.visible() ? "group shown" : "group hidden");
    };
    return f;
  }
  // Pages printed so far, noted in the log when they happen.
  void note_pages() {
    while (logged_pages < services.printed_titles.size())
      log.push_back("page " + services.printed_titles[logged_pages++]);
  }
  std::vector<std::string> log;
  std::size_t logged_pages = 0;
};

TEST_F(PrintTest, ThePageIsPrintedThenTheGroupRepaintsOneSecondAfterTheDialog) {
  struct Case {
    const char* name;
    int lang;
    const char* title;
  };
  for (const Case& c : {Case{"German", 1, "OXR Diagramm"}, Case{"English", 0, "OXR diagram"}}) {
    SCOPED_TRACE(c.name);
    log.clear();
    logged_pages = 0;
    services.printed_titles.clear();
    TFormzyklus& f = created(c.lang);
    dialogs.answer_print(true);
    f.Drucken1Click();
    note_pages();
    EXPECT_EQ(log, (std::vector<std::string>{std::string("page ") + c.title}));
    EXPECT_TRUE(f.Timer2.enabled());

    advance_ms(999);
    EXPECT_EQ(log.size(), 1u);  // not yet
    advance_ms(1);
    EXPECT_EQ(log, (std::vector<std::string>{std::string("page ") + c.title, "group hidden",
                                             "group shown"}));
    EXPECT_TRUE(f.GroupBox_Einstellungen.visible());
    EXPECT_FALSE(f.Timer2.enabled());
    advance_ms(5000);  // one repaint only
    EXPECT_EQ(log.size(), 3u);
  }
}

TEST_F(PrintTest, ACancelledDialogPrintsNothingButStillRepaints) {
  TFormzyklus& f = created();
  dialogs.answer_print(false);
  f.Drucken1Click();
  EXPECT_TRUE(services.printed_titles.empty());
  EXPECT_TRUE(f.Timer2.enabled());
  advance_ms(1000);
  EXPECT_EQ(log, (std::vector<std::string>{"group hidden", "group shown"}));
  EXPECT_FALSE(f.Timer2.enabled());
}

TEST_F(PrintTest, TheRepaintTimerStartsWhenTheDialogClosesNotWhenItOpens) {
  TFormzyklus& f = created();
  // The operator takes three seconds over the dialog; other timers go on meanwhile.
  dialogs.answer_print(true, [this] {
    advance_ms(3000);
    log.push_back("dialog closes");
  });
  f.Drucken1Click();
  note_pages();
  advance_ms(999);
  EXPECT_EQ(log, (std::vector<std::string>{"dialog closes", "page OXR Diagramm"}));
  advance_ms(1);
  EXPECT_EQ(log, (std::vector<std::string>{"dialog closes", "page OXR Diagramm", "group hidden",
                                           "group shown"}));
}

TEST_F(PrintTest, ButtonMenuItemAndToolButtonAllPrint) {
  TFormzyklus& f = created();
  for (Control* c : std::vector<Control*>{&f.But_print, &f.Drucken1, &f.ToolButton7}) {
    SCOPED_TRACE(c->name());
    dialogs.clear_shown();
    dialogs.answer_print(true);
    c->click();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].kind, ScriptedDialogs::Kind::Print);
  }
  EXPECT_EQ(services.printed_titles.size(), 3u);
}

TEST_F(PrintTest, TheChartStartsAsTheWindowDefinesIt) {
  TFormzyklus& f = created();
  const Chart& c = f.Chart2;
  EXPECT_EQ(c.title(), "Temperaturverlauf");
  EXPECT_EQ(c.bottom_axis().title, "Zeit");
  EXPECT_FALSE(c.bottom_axis().automatic);
  EXPECT_EQ(c.bottom_axis().minimum, 0.0);
  EXPECT_EQ(c.bottom_axis().maximum, 1.0);
  EXPECT_EQ(c.bottom_axis().increment, 5.0);
  EXPECT_EQ(c.bottom_axis().minor_tick_count, 4);
  EXPECT_EQ(c.left_axis().title, "T[°C]");
  EXPECT_FALSE(c.left_axis().automatic);
  EXPECT_EQ(c.left_axis().minimum, 0.0);
  EXPECT_EQ(c.left_axis().maximum, 250.0);
  EXPECT_EQ(c.left_axis().minor_tick_count, 4);
  EXPECT_FALSE(c.zoom_allowed());
  EXPECT_TRUE(c.panning_allowed());
  EXPECT_TRUE(c.show_hint());
  EXPECT_EQ(c.Series1.title(), "Temp. 1");
  EXPECT_EQ(c.Series1.color(), Color::Red);
  EXPECT_EQ(c.Series2.title(), "Temp. 2");
  EXPECT_EQ(c.Series2.color(), Color::Green);
  EXPECT_EQ(f.BitBtn1.caption(), "ZoomAll");
}

}  // namespace
}  // namespace oxr::test
