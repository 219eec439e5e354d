// The start page and the start question as Qt windows: sizes, flags, bindings, pictures.
#include "V_1_0_serie/u_start.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "Tools_oxr/texts.h"
#include "V_1_0_serie/qt/picture.h"
#include "tests/V_1_0_serie/windows_fixture.h"
#include "tests/support/oxrconf_bytes.h"

namespace oxr::test {
namespace {

constexpr DateTime kToday = 46365.0;

class StartWindows : public WindowsFixture {
 protected:
  void show_start(char lang_digit, std::size_t stored_cycles = 0) {
    std::vector<StoredCycle> cycles;
    for (std::size_t i = 0; i < stored_cycles; ++i)
      cycles.push_back({"261209-00" + std::to_string(i + 1), kToday + 1, "10:00:00", "00:10:00",
                        kToday + 1, "10:10:00"});
    write_bytes(file("oxrconf.dat"), config_bytes(kToday, cycles, lang_digit));
    build();
    start->form.show();
  }
  QPushButton* button(QWidget* w, const char* name) { return child<QPushButton>(w, name); }
};

TEST_F(StartWindows, StartPageHasItsSizeNoMaximiseButtonAndStandsInTheMiddle) {
  show_start('1');
  EXPECT_TRUE(start_w->isVisible());
  EXPECT_EQ(start_w->objectName(), "Startseite");
  EXPECT_EQ(start_w->size(), QSize(792, 528));
  EXPECT_EQ(start_w->minimumSize(), start_w->maximumSize());
  EXPECT_FALSE(start_w->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(start_w->windowFlags() & Qt::WindowCloseButtonHint);
  const QRect area = start_w->screen()->availableGeometry();
  EXPECT_LE((start_w->geometry().center() - area.center()).manhattanLength(), 2);
  EXPECT_EQ(start_w->windowTitle(),
            QStringLiteral("OXR - Steuerung für elektronisch beheizte Pumpen (.58)"));
}

TEST_F(StartWindows, StartPageShowsTheLanguageItWasGivenAndSwitches) {
  show_start('0');
  EXPECT_EQ(button(start_w.get(), "But_Deutsch")->text(), "Deutsch");
  EXPECT_EQ(button(start_w.get(), "But_Englisch")->text(), "English");
  EXPECT_TRUE(button(start_w.get(), "But_Deutsch")->isEnabled());
  EXPECT_FALSE(button(start_w.get(), "But_Englisch")->isEnabled());
  EXPECT_EQ(button(start_w.get(), "But_abbrechen")->text(), "Quit");
  EXPECT_TRUE(child<QLabel>(start_w.get(), "OXR_Logo")->isHidden());
  EXPECT_FALSE(child<QLabel>(start_w.get(), "OXR_LogoE")->isHidden());
  EXPECT_TRUE(child<QLabel>(start_w.get(), "Einfuehrungstext")
                  ->text()
                  .startsWith("You have selected a OXR-product.\n"));

  click(button(start_w.get(), "But_Deutsch"));
  EXPECT_EQ(button(start_w.get(), "But_abbrechen")->text(), "Beenden");
  EXPECT_FALSE(child<QLabel>(start_w.get(), "OXR_Logo")->isHidden());
  EXPECT_TRUE(child<QLabel>(start_w.get(), "OXR_LogoE")->isHidden());
  EXPECT_EQ(child<QLabel>(start_w.get(), "Pumpe")->toolTip(), "Beheizte Pumpe");
  EXPECT_TRUE(read_bytes(file("oxrconf.dat")).ends_with("\r\n1"));
  EXPECT_EQ(child<QLabel>(start_w.get(), "Label1")->text(), kMakerEmail);
}

TEST_F(StartWindows, PicturesAreDecodedIntoTheirFrames) {
  show_start('1');
  for (const char* name : {"OXR_Logo", "OXR_LogoE", "Pumpe"}) {
    auto* frame = child<QLabel>(start_w.get(), name);
    ASSERT_NE(frame, nullptr) << name;
    const QPixmap shown = frame->pixmap();
    ASSERT_FALSE(shown.isNull()) << name;
    EXPECT_LE(shown.width(), frame->contentsRect().width()) << name;
    EXPECT_LE(shown.height(), frame->contentsRect().height()) << name;
  }
  // The pump picture is the blue-grey drawing of the assets, not a blank.
  const QImage pump = child<QLabel>(start_w.get(), "Pumpe")->pixmap().toImage();
  EXPECT_NE(pump.pixel(5, 5), pump.pixel(pump.width() / 2, pump.height() * 3 / 4));
}

TEST_F(StartWindows, APictureThatDoesNotDecodeLeavesAnEmptyFrame) {
  // A garbage pump, a truncated logo and a missing English logo: empty frames, page works.
  const QString folder = QString::fromStdString(dir.path().string() + "/pictures");
  std::filesystem::create_directories(folder.toStdString());
  write_bytes(folder.toStdString() + "/pump.jpg", "this is no JPEG at all");
  const std::string logo =
      read_bytes(std::filesystem::path(OXR_TEST_DATA) / "../../assets/oxr_logo_de.jpg");
  write_bytes(folder.toStdString() + "/oxr_logo_de.jpg", logo.substr(0, 20));
  const QString installed = qt::picture_folder();
  qt::set_picture_folder(folder);
  show_start('1');
  for (const char* name : {"Pumpe", "OXR_Logo", "OXR_LogoE"}) {
    auto* frame = child<QLabel>(start_w.get(), name);
    EXPECT_TRUE(frame->pixmap().isNull()) << name;
    EXPECT_EQ(frame->size(), name == std::string("Pumpe") ? QSize(300, 225) : QSize(240, 80));
  }
  click(button(start_w.get(), "But_Englisch"));
  EXPECT_EQ(start->form.caption(), message_text(0, 2));
  qt::set_picture_folder(installed);
}

TEST_F(StartWindows, TheWebAddressOpensByClickAndByKey) {
  show_start('1');
  auto* web = child<QLabel>(start_w.get(), "Label2");
  EXPECT_EQ(web->text(), kMakerWebAddress);
  EXPECT_EQ(web->cursor().shape(), Qt::PointingHandCursor);
  click(web);
  web->setFocus();
  press_key(web, Qt::Key_Return);
  press_key(web, Qt::Key_A, "a");  // other keys do nothing
  EXPECT_EQ(services.opened_urls, (std::vector<std::string>{kMakerWebAddress, kMakerWebAddress}));
  // The e-mail address is text only.
  click(child<QLabel>(start_w.get(), "Label1"));
  EXPECT_EQ(services.opened_urls.size(), 2u);
}

TEST_F(StartWindows, ClosingThePageEndsTheProgram) {
  show_start('1');
  start_w->close();
  EXPECT_EQ(program_ended, 1);
  EXPECT_FALSE(start_w->isVisible());
}

// The quit path ends the program from inside the main window's close; the end must not close
// the main window a second time (a second sign-off and a second question).
TEST_F(StartWindows, QuittingFromTheMainWindowAsksOnceAndEndsTheMessageLoop) {
  show_start('1', 1);
  start->on_program_end = [] { qt::StartseiteWindow::end_program(); };
  click(button(start_w.get(), "But_start"));
  click(button(quest_w.get(), "But_yes"));
  ASSERT_TRUE(main_w->isVisible());
  ASSERT_EQ(form->cycle_count, 1);
  dialogs.clear_shown();
  dialogs.answer_confirm(true);
  QTimer::singleShot(0, [this] { form->Beenden1.click(); });
  QTimer::singleShot(3000, [] { QCoreApplication::exit(2); });  // a hung quit fails, not hangs
  EXPECT_EQ(QApplication::exec(), 0);
  int questions = 0;
  for (const ScriptedDialogs::Shown& s : dialogs.shown())
    questions += s.kind == ScriptedDialogs::Kind::Confirm ? 1 : 0;
  EXPECT_EQ(questions, 1);
  EXPECT_EQ(form->save_waiting, 0);  // the writer took the cycle and cleared the flag
  EXPECT_FALSE(main_w->isVisible());
}

TEST_F(StartWindows, StartGoesToTheMainWindowDirectlyWithoutStoredCycles) {
  show_start('1');
  click(button(start_w.get(), "But_start"));
  EXPECT_FALSE(start_w->isVisible());
  EXPECT_TRUE(main_w->isVisible());
  EXPECT_FALSE(quest_w->isVisible());
}

TEST_F(StartWindows, EnterOnThePageAsItComesUpPressesStart) {
  show_start('1');
  show_active(start_w.get());
  QWidget* focused = QApplication::focusWidget();
  ASSERT_EQ(focused, button(start_w.get(), "But_start"));
  press_key(focused, Qt::Key_Return);
  EXPECT_FALSE(start_w->isVisible());
  EXPECT_TRUE(main_w->isVisible());
}

TEST_F(StartWindows, TheQuestionAsksBesideThePageAndItsButtonsDecide) {
  struct Case {
    const char* button;
    bool main_shown;
    int take_over;
  };
  for (const Case& c :
       {Case{"But_abort", false, 0}, Case{"But_no", true, 0}, Case{"But_yes", true, 1}}) {
    SCOPED_TRACE(c.button);
    show_start('0', 2);
    click(button(start_w.get(), "But_start"));
    ASSERT_TRUE(quest_w->isVisible());
    EXPECT_TRUE(start_w->isVisible());
    EXPECT_EQ(child<QLabel>(quest_w.get(), "Labelq2")->text(),
              "Do you want to take over the cycles with status 'please start'?");
    EXPECT_EQ(button(quest_w.get(), "But_abort")->text(), "Quit");
    click(button(quest_w.get(), c.button));
    EXPECT_FALSE(quest_w->isVisible());
    EXPECT_EQ(main_w->isVisible(), c.main_shown);
    EXPECT_EQ(start_w->isVisible(), !c.main_shown);
    if (c.main_shown) {
      EXPECT_EQ(form->cycle_count, c.take_over ? 2 : 0);
    }
  }
}

TEST_F(StartWindows, QuestionWindowHasItsSizeFollowsTheLanguageAndCloseIsAbort) {
  show_start('1', 1);
  click(button(start_w.get(), "But_start"));
  EXPECT_EQ(quest_w->objectName(), "Formquest");
  EXPECT_EQ(quest_w->size(), QSize(387, 99));
  EXPECT_EQ(quest_w->minimumSize(), quest_w->maximumSize());
  EXPECT_FALSE(quest_w->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(quest_w->windowTitle(), "OXR - Pump Control");
  EXPECT_EQ(button(quest_w.get(), "But_no")->text(), "Nein");
  click(button(start_w.get(), "But_Englisch"));  // the page stays usable
  EXPECT_EQ(button(quest_w.get(), "But_no")->text(), "No");
  quest_w->close();
  EXPECT_FALSE(quest_w->isVisible());
  EXPECT_TRUE(start_w->isVisible());
  EXPECT_FALSE(main_w->isVisible());
}

}  // namespace
}  // namespace oxr::test
