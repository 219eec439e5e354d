#include "Tools_oxr/u_hilfe/tformhelp.h"
#include "tests/support/form_fixture.h"

namespace oxr::test {
namespace {

std::string rtf(const std::string& text) {
  return "{\\rtf1\\ansi " + text + "\\par}";
}

class HelpWindow : public FormFixture {
 protected:
  TFormHelp& build(std::uint8_t lang) {
    help.reset();
    TFormzyklus& main = make_form();
    main.lang_index = lang;
    std::filesystem::create_directories(data_dir.path());
    help = std::make_unique<TFormHelp>(main, data_dir.path());
    return *help;
  }

  TempDir data_dir;
  std::unique_ptr<TFormHelp> help;
};

TEST_F(HelpWindow, LoadsTheFileOfTheLanguageFromTheWorkingDirectory) {
  struct Case {
    std::uint8_t lang;
    const char* file;
    const char* text;
  };
  for (const Case c : {Case{0, "oxrhelpe.rtf", "English help"},
                       Case{1, "oxrhelpd.rtf", "Deutsche Hilfe f\xC3\xBCr Sie"}}) {
    SCOPED_TRACE(c.file);
    TFormHelp& h = build(c.lang);
    write_bytes(file("oxrhelpe.rtf"), rtf("English help"));
    write_bytes(file("oxrhelpd.rtf"), rtf("Deutsche Hilfe f\\'fcr Sie"));
    write_bytes(data_dir.path() / c.file, rtf("installed copy"));

    h.FormActivate();

    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(h.RichEdit1.plain_text(), std::string(c.text) + "\n");
    EXPECT_EQ(h.RichEdit1.source(), file(c.file));
    EXPECT_NE(h.RichEdit1.html().find("<p>"), std::string::npos);
  }
}

TEST_F(HelpWindow, ReloadsOnEveryActivation) {
  TFormHelp& h = build(1);
  write_bytes(file("oxrhelpd.rtf"), rtf("erste Fassung"));
  h.FormActivate();
  write_bytes(file("oxrhelpd.rtf"), rtf("zweite Fassung"));
  h.FormActivate();
  EXPECT_EQ(h.RichEdit1.plain_text(), "zweite Fassung\n");
}

TEST_F(HelpWindow, FallsBackToTheInstalledDataFolder) {
  struct Case {
    const char* name;
    const char* in_work_dir;  // nullptr = no file there
  };
  for (const Case c : {Case{"missing in the working directory", nullptr},
                       Case{"not rich text in the working directory", "just some text"}}) {
    SCOPED_TRACE(c.name);
    TFormHelp& h = build(0);
    if (c.in_work_dir) write_bytes(file("oxrhelpe.rtf"), c.in_work_dir);
    write_bytes(data_dir.path() / "oxrhelpe.rtf", rtf("installed help"));

    h.FormActivate();

    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(h.RichEdit1.plain_text(), "installed help\n");
    EXPECT_EQ(h.RichEdit1.source(), data_dir.path() / "oxrhelpe.rtf");
  }
}

TEST_F(HelpWindow, MissingFileIsReportedOnEachActivationAndTheContentsStay) {
  struct Case {
    std::uint8_t lang;
    const char* file;
    const char* message;
  };
  for (const Case c : {Case{0, "oxrhelpe.rtf", "Helpfile not in directory"},
                       Case{1, "oxrhelpd.rtf", "Hilfedatei nicht vorhanden"}}) {
    SCOPED_TRACE(c.file);
    dialogs.clear_shown();
    TFormHelp& h = build(c.lang);
    write_bytes(file(c.file), rtf("shown before"));
    h.Hilfe1Click();
    h.FormActivate();
    std::filesystem::remove(file(c.file));
    // The other language's file is no stand-in.
    write_bytes(file(c.lang == 0 ? "oxrhelpd.rtf" : "oxrhelpe.rtf"), rtf("other language"));

    h.FormActivate();
    h.FormActivate();

    EXPECT_EQ(dialogs.messages(), (std::vector<std::string>{c.message, c.message}));
    EXPECT_TRUE(h.form.visible());
    EXPECT_EQ(h.RichEdit1.plain_text(), "shown before\n");
  }
}

TEST_F(HelpWindow, ActivationUnderItsOwnMessageDoesNotAskAgain) {
  TFormHelp& h = build(1);
  // A nested event loop under the box may activate the window once more.
  dialogs.while_next_message([&] { h.FormActivate(); });
  h.FormActivate();
  EXPECT_EQ(dialogs.messages().size(), 1u);
}

TEST_F(HelpWindow, UnreadableCandidatesAreReportedNotFollowed) {
  TFormHelp& h = build(0);
  // A folder of the file's name and an oversized file are no help file.
  std::filesystem::create_directories(file("oxrhelpe.rtf"));
  write_bytes(data_dir.path() / "oxrhelpe.rtf",
              rtf(std::string(TFormHelp::kMaxHelpFileBytes, 'x')));
  h.FormActivate();
  EXPECT_EQ(dialogs.messages(), std::vector<std::string>{"Helpfile not in directory"});
  EXPECT_TRUE(h.RichEdit1.source().empty());
}

TEST_F(HelpWindow, HelpMenuShowsTheWindowAndBringsItUp) {
  TFormHelp& h = build(0);
  ASSERT_EQ(form->help_form, &h.form);
  form->Hilfe1.click();
  EXPECT_TRUE(h.form.visible());
  EXPECT_TRUE(h.form.focus_requested());
}

}  // namespace
}  // namespace oxr::test
