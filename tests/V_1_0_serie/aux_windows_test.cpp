// The about box, the help window and the STOP window as Qt windows.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>

#include "tests/V_1_0_serie/windows_fixture.h"

namespace oxr::test {
namespace {

class AuxWindows : public WindowsFixture {};

TEST_F(AuxWindows, AboutBoxRunsModallyWithThePictureOfTheLanguage) {
  struct Case {
    std::uint8_t lang;
    const char* shown;
    const char* hidden;
    const char* product;
  };
  for (const Case& c : {Case{1, "ProgramiconD", "ProgramiconE", "Pumpensteuerung"},
                        Case{0, "ProgramiconE", "ProgramiconD", "Pump Control"}}) {
    SCOPED_TRACE(c.product);
    build();
    form->lang_index = c.lang;
    bool was_modal = false;
    QSize size;
    QPixmap picture;
    QString product;
    // While the box runs its own loop: look, then press OK.
    QTimer::singleShot(0, about_w.get(), [&] {
      was_modal = about_w->isVisible() && about_w->isModal();
      size = about_w->size();
      auto* shown = child<QLabel>(about_w.get(), c.shown);
      EXPECT_FALSE(shown->isHidden());
      EXPECT_TRUE(child<QLabel>(about_w.get(), c.hidden)->isHidden());
      EXPECT_EQ(shown->size(), QSize(300, 49));
      picture = shown->pixmap();
      product = child<QLabel>(about_w.get(), "ProductName")->text();
      click(child<QPushButton>(about_w.get(), "OKButton"));
    });
    form->Info1.click();  // returns when the box is closed
    EXPECT_TRUE(was_modal);
    EXPECT_EQ(size, QSize(352, 200));
    EXPECT_EQ(product, c.product);
    EXPECT_EQ(about_w->windowTitle(), "Info");
    EXPECT_EQ(child<QLabel>(about_w.get(), "Version")->text(), "Version 1.0");
    // The pictures are made for their frame: shown at full size, not shrunk.
    EXPECT_EQ(picture.size(), QSize(300, 49));
    EXPECT_FALSE(about_w->isVisible());
    EXPECT_EQ(about->modal_result, TAboutBox::ModalResult::Ok);
  }
}

TEST_F(AuxWindows, AboutBoxClosedWithEscapeIsNoOk) {
  build();
  QTimer::singleShot(0, about_w.get(), [&] { press_key(about_w.get(), Qt::Key_Escape); });
  form->Info1.click();
  EXPECT_FALSE(about_w->isVisible());
  EXPECT_FALSE(about->form.visible());
  EXPECT_EQ(about->modal_result, TAboutBox::ModalResult::None);
}

const char* const kHelpRtf =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 {\\b Hilfe} zur Pumpensteuerung\\par Zeile "
    "zwei}";

TEST_F(AuxWindows, HelpWindowLoadsTheFileOnEveryActivation) {
  build();
  dialogs.clear_shown();  // the first run's configuration file message
  write_bytes(file("oxrhelpd.rtf"), kHelpRtf);
  form->Hilfe1.click();
  show_active(help_w.get());
  EXPECT_EQ(help_w->objectName(), "FormHelp");
  EXPECT_EQ(help_w->size(), QSize(800, 568));
  EXPECT_FALSE(help_w->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(help_w->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_EQ(help_w->windowTitle(), "OXR - Pump Control");
  QTextBrowser* text = help_w->text();
  EXPECT_EQ(text->objectName(), "RichEdit1");
  EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_TRUE(text->toPlainText().contains("Hilfe zur Pumpensteuerung"));
  EXPECT_TRUE(text->toHtml().contains("font-weight:700") ||
              text->toHtml().contains("font-weight:600"));
  EXPECT_EQ(text->accessibleName(), "Hilfetext");

  // Switching away and back shows the file as it is now.
  write_bytes(file("oxrhelpd.rtf"), "{\\rtf1\\ansi Neuer Text}");
  show_active(main_w.get());
  show_active(help_w.get());
  EXPECT_TRUE(text->toPlainText().contains("Neuer Text"));
  EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(AuxWindows, MissingHelpFileIsSaidOnEachActivationButNotWhenItsBoxCloses) {
  build();
  dialogs.clear_shown();
  form->lang_index = 1;
  // The box takes the activation away while it is up, as a real one does.
  dialogs.while_next_message([this] { QApplication::setActiveWindow(main_w.get()); });
  form->Hilfe1.click();
  show_active(help_w.get());
  EXPECT_EQ(dialogs.messages(), (std::vector<std::string>{"Hilfedatei nicht vorhanden"}));
  show_active(help_w.get());  // the activation the closed box hands back
  EXPECT_EQ(dialogs.messages().size(), 1u);
  EXPECT_TRUE(help_w->isVisible());

  show_active(main_w.get());
  show_active(help_w.get());  // a new activation by the operator
  EXPECT_EQ(dialogs.messages().size(), 2u);
}

TEST_F(AuxWindows, StopWindowIsSmallOnTopWithoutButtonsBesideTheMainWindow) {
  build();
  main_w->move(40, 30);
  show_active(main_w.get());
  stop->form.show();
  EXPECT_TRUE(stop_w->isVisible());
  EXPECT_EQ(stop_w->objectName(), "FormStop");
  EXPECT_EQ(stop_w->size(), QSize(120, 97));
  const Qt::WindowFlags flags = stop_w->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
  for (Qt::WindowType b : {Qt::WindowCloseButtonHint, Qt::WindowMinimizeButtonHint,
                           Qt::WindowMaximizeButtonHint, Qt::WindowSystemMenuHint})
    EXPECT_FALSE(flags & b) << b;
  EXPECT_EQ(stop_w->pos(), main_w->frameGeometry().topLeft() + QPoint(660, 390));

  auto* button = child<QPushButton>(stop_w.get(), "BBStop");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->geometry(), stop_w->rect());
  EXPECT_FALSE(button->icon().isNull());
  EXPECT_EQ(button->accessibleName(), "Messzyklus stoppen");

  // The operator cannot close it.
  stop_w->close();
  EXPECT_TRUE(stop_w->isVisible());
}

TEST_F(AuxWindows, StopButtonIsTheMainWindowsStop) {
  build();
  int stops = 0;
  form->But_stop.OnClick = [&] { ++stops; };
  stop->form.show();
  auto* button = child<QPushButton>(stop_w.get(), "BBStop");
  form->But_stop.set_enabled(false);
  click(button);
  EXPECT_EQ(stops, 0);  // the main window's STOP takes no press now: neither does this
  form->But_stop.set_enabled(true);
  click(button);
  EXPECT_EQ(stops, 1);
}

TEST_F(AuxWindows, StopWindowComesToTheFrontWhenTheApplicationLosesTheFocus) {
  build();
  qt::install_deactivation_handler(*form, main_w.get());
  int raised = 0;
  stop->on_bring_to_front = [&] { ++raised; };
  emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
  EXPECT_EQ(raised, 0);  // not showing
  stop->form.show();
  emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
  EXPECT_EQ(raised, 0);
  emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
  EXPECT_EQ(raised, 1);
}

}  // namespace
}  // namespace oxr::test
