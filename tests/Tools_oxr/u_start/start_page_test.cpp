// The start page: language from the configuration file, language buttons, START and quit.
#include <initializer_list>
#include <memory>

#include "Tools_oxr/texts.h"
#include "Tools_oxr/u_start/tstartseite.h"
#include "tests/support/form_fixture.h"
#include "tests/support/oxrconf_bytes.h"

namespace oxr::test {
namespace {

constexpr DateTime kToday = 46365.0;

class StartPageTest : public FormFixture {
 protected:
  // The windows as the program entry creates them: start page, then the main window.
  TStartseite& created() {
    TFormzyklus& main = make_form();
    page = std::make_unique<TStartseite>(main);
    page->on_program_end = [this] { ++program_ended; };
    page->FormCreate();
    main.FormCreate();
    return *page;
  }
  void expect_language(int lang) {
    const bool german = lang == 1;
    EXPECT_EQ(form->lang_index, lang);
    EXPECT_EQ(page->OXR_Logo.visible(), german);
    EXPECT_EQ(page->OXR_LogoE.visible(), !german);
    EXPECT_EQ(page->But_Deutsch.enabled(), !german);
    EXPECT_EQ(page->But_Englisch.enabled(), german);
    EXPECT_EQ(page->form.caption(), message_text(lang, 2));
    EXPECT_EQ(form->form.caption(), message_text(lang, 1));
    EXPECT_EQ(page->But_abbrechen.caption(), german ? "Beenden" : "Quit");
    ASSERT_FALSE(page->Einfuehrungstext.lines().empty());
    EXPECT_EQ(page->Einfuehrungstext.lines().front(),
              german ? "Sie haben sich für ein OXR-Produkt entschieden."
                     : "You have selected a OXR-product.");
    EXPECT_EQ(form->Chart2.title(), german ? "Temperaturverlauf" : "Temperature diagram");
    EXPECT_EQ(form->Chart2.bottom_axis().title, german ? "Zeit" : "Time");
    EXPECT_EQ(form->Chart2.left_axis().maximum, german ? 250.0 : 500.0);
  }
  std::string config() const { return read_bytes(file("oxrconf.dat")); }

  std::unique_ptr<TStartseite> page;
  int program_ended = 0;
};

TEST_F(StartPageTest, CreationShowsTheGermanFace) {
  TStartseite& p = created();
  // The main window's creation has already given every window its German caption.
  EXPECT_EQ(p.form.caption(), "OXR - Steuerung für elektronisch beheizte Pumpen (.58)");
  EXPECT_FALSE(p.maximise_button);
  EXPECT_TRUE(p.OXR_Logo.visible());
  EXPECT_FALSE(p.OXR_LogoE.visible());
  EXPECT_FALSE(p.But_Deutsch.enabled());
  EXPECT_TRUE(p.But_Englisch.enabled());
  EXPECT_EQ(p.Einfuehrungstext.color(), Color::BtnFace);
  EXPECT_EQ(p.Adresstext.color(), Color::BtnFace);
}

TEST_F(StartPageTest, ButtonsCarryTheirOwnTextsFromCreation) {
  // The language actions never set the two language buttons' captions: without their own
  // texts they would be blank in either language.
  for (char digit : {'0', '1'}) {
    SCOPED_TRACE(digit);
    write_bytes(file("oxrconf.dat"), config_bytes(kToday, {}, digit));
    TStartseite& p = created();
    p.form.show();
    EXPECT_EQ(p.But_Deutsch.caption(), "Deutsch");
    EXPECT_EQ(p.But_Englisch.caption(), "English");
    EXPECT_EQ(p.But_start.caption(), "START");
  }
}

TEST_F(StartPageTest, PicturesAreNamedInTheLanguage) {
  write_bytes(file("oxrconf.dat"), config_bytes(kToday, {}, '1'));
  TStartseite& p = created();
  p.form.show();
  EXPECT_EQ(p.Pumpe.accessible_name(), "Beheizte Pumpe");
  EXPECT_EQ(p.OXR_Logo.accessible_name(), "Firmenlogo OXR");
  p.But_Englisch.click();
  EXPECT_EQ(p.Pumpe.accessible_name(), "The heated pump");
  EXPECT_EQ(p.OXR_LogoE.accessible_name(), "The firm-sign of OXR");
  // Labels and memos are read out by their text, which a name would hide.
  EXPECT_TRUE(p.Einfuehrungstext.accessible_name().empty());
  EXPECT_TRUE(p.Label2.accessible_name().empty());
}

TEST_F(StartPageTest, FirstShowTakesTheStoredLanguage) {
  struct Case {
    char digit;
    int lang;
  };
  for (const Case& c : {Case{'0', 0}, Case{'1', 1}}) {
    SCOPED_TRACE(c.digit);
    write_bytes(file("oxrconf.dat"), config_bytes(kToday, {}, c.digit));
    created();
    page->form.show();
    expect_language(c.lang);
    EXPECT_EQ(form->config_seen, 1);
    EXPECT_TRUE(config().ends_with(std::string("\r\n") + c.digit));
  }
}

TEST_F(StartPageTest, ConfigurationIsReadOnlyAtTheFirstShow) {
  write_bytes(file("oxrconf.dat"), config_bytes(kToday, {}, '1'));
  TStartseite& p = created();
  p.form.show();
  p.But_Englisch.click();
  p.form.hide();
  p.form.show();
  expect_language(0);
}

TEST_F(StartPageTest, LanguageButtonsPatchOnlyTheLastByte) {
  write_bytes(file("oxrconf.dat"), config_bytes(kToday, {}, '1'));
  TStartseite& p = created();
  p.form.show();
  const std::string before = config();
  p.But_Deutsch.click();  // disabled while German: no effect
  p.But_Englisch.click();
  expect_language(0);
  EXPECT_EQ(config(), before.substr(0, before.size() - 1) + "0");
  p.But_Deutsch.click();
  expect_language(1);
  EXPECT_EQ(config(), before);
}

TEST_F(StartPageTest, StartOpensTheMainWindowUnlessWaitingCyclesAreStored) {
  TStartseite& p = created();
  p.form.show();
  int asked = 0;
  p.show_start_question = [&] { ++asked; };

  form->cycle_count = 2;
  p.But_start.click();
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(p.form.visible());
  EXPECT_FALSE(form->form.visible());

  form->cycle_count = 0;
  p.But_start.click();
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(p.form.visible());
  EXPECT_TRUE(form->form.visible());
  EXPECT_TRUE(form->first_show_done);
  EXPECT_TRUE(form->Timer1.enabled());
}

TEST_F(StartPageTest, QuitEndsTheProgramFromEitherWindow) {
  {
    TStartseite& p = created();
    p.form.show();
    p.But_abbrechen.click();
    EXPECT_FALSE(p.form.visible());
    EXPECT_EQ(program_ended, 1);
  }
  {
    program_ended = 0;
    TStartseite& p = created();
    p.form.show();
    p.But_start.click();
    form->Beenden1.click();
    EXPECT_FALSE(form->form.visible());
    EXPECT_FALSE(p.form.visible());
    EXPECT_EQ(program_ended, 1);
  }
}

}  // namespace
}  // namespace oxr::test
