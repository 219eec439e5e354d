#include "V_1_0_serie/u_zyklus.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QChartView>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

#include "tests/support/form_fixture.h"
#include "tests/V_1_0_serie/qt_support.h"

namespace oxr::qt {
namespace {

class MainWindowTest : public oxr::test::FormFixture {
 protected:
  MainWindowTest() { oxr::test::qt_app(); }
  FormzyklusWindow& make_window(FormzyklusWindow::SettingsBuilder builder = {}) {
    make_form();
    window = std::make_unique<FormzyklusWindow>(*form, std::move(builder));
    return *window;
  }
  template <class W = QWidget>
  W* find(const char* name) {
    return window->findChild<W*>(QString::fromLatin1(name));
  }
  std::unique_ptr<FormzyklusWindow> window;
};

TEST_F(MainWindowTest, EveryControlIsFoundByItsName) {
  make_window();
  EXPECT_EQ(window->objectName(), QStringLiteral("Formzyklus"));
  for (const char* name :
       {"DateiZyklus1", "Neu1", "ffnen1", "Speichern1", "Drucken1", "Beenden1", "Bearbeiten1",
        "Ausschneiden1", "Kopieren1", "Einfgen1", "Einstellungen1", "AuswahlSchnittstelle1",
        "Com12", "Com22", "Com32", "Com42", "ComName1", "N4", "Hilfe1", "Info1"}) {
    EXPECT_NE(find<QAction>(name), nullptr) << name;
  }
  for (const char* name : {"Com12", "Com22", "Com32", "Com42"})
    EXPECT_TRUE(find<QAction>(name)->actionGroup()) << name;  // shown as radio items

  for (int row = 1; row <= 5; ++row)
    for (int column = 1; column <= 6; ++column) {
      const QString name = QStringLiteral("MaskEdit%1%2").arg(row).arg(column);
      EXPECT_NE(window->findChild<QLineEdit*>(name), nullptr) << name.toStdString();
    }
  for (int column = 1; column <= 6; ++column) {
    const QString name = QStringLiteral("Memo%1").arg(column);
    EXPECT_NE(window->findChild<QLabel*>(name), nullptr) << name.toStdString();
  }
  for (const char* name : {"But_new", "But_open", "But_save", "But_print", "But_start",
                           "But_stop", "Button1", "BitBtn1"})
    EXPECT_NE(find<QPushButton>(name), nullptr) << name;
  for (const char* name : {"Label_act1", "Label_act2", "Lab_tact1", "Lab_tact2", "OXR_Logo2",
                           "OXR_LogoE2"})
    EXPECT_NE(find<QLabel>(name), nullptr) << name;
  for (const char* name : {"ToolButton_new", "ToolButton3", "ToolButton4"})
    EXPECT_NE(find<QToolButton>(name), nullptr) << name;
  EXPECT_NE(find<QChartView>("Chart2"), nullptr);

  auto* bar = find<QStatusBar>("StatusBar1");
  ASSERT_NE(bar, nullptr);
  const int widths[] = {300, 100, 120, 130, 130};
  for (int i = 0; i < 5; ++i) {
    auto* panel = bar->findChild<QLabel*>(QStringLiteral("StatusBar1_panel%1").arg(i));
    ASSERT_NE(panel, nullptr) << i;
    EXPECT_EQ(panel->width(), widths[i]) << i;
  }
}

TEST_F(MainWindowTest, TheSettingsGroupIsHandedOverEmptyWithALayout) {
  QGroupBox* handed = nullptr;
  TFormzyklus* handed_form = nullptr;
  make_window([&](QGroupBox* group, TFormzyklus& f) {
    handed = group;
    handed_form = &f;
    EXPECT_TRUE(group->findChildren<QWidget*>().isEmpty());
    EXPECT_NE(qobject_cast<QGridLayout*>(group->layout()), nullptr);
  });
  EXPECT_EQ(handed, find<QGroupBox>("GroupBox_settings"));
  EXPECT_EQ(handed_form, form.get());
}

TEST_F(MainWindowTest, ModelChangesReachTheWidgets) {
  make_window();
  form->MaskEdit23.set_text("10:05");
  EXPECT_EQ(find<QLineEdit>("MaskEdit23")->text(), QStringLiteral("10:05"));

  form->Button1.set_multi_line(true);
  form->Button1.set_caption("Zyklus\r\nlöschen");
  EXPECT_EQ(find<QPushButton>("Button1")->text(), QStringLiteral("Zyklus\nlöschen"));

  form->But_stop.set_enabled(false);
  EXPECT_FALSE(find<QPushButton>("But_stop")->isEnabled());
  form->Neu1.set_enabled(false);
  EXPECT_FALSE(find<QAction>("Neu1")->isEnabled());

  form->StatusBar1.set_panel(0, "Temperatur-Steuerung noch nicht aktiv");
  EXPECT_EQ(find<QLabel>("StatusBar1_panel0")->text(),
            QStringLiteral("Temperatur-Steuerung noch nicht aktiv"));

  form->DateiZyklus1.set_caption("&Datei / Zyklus");
  EXPECT_EQ(find<QMenu>("DateiZyklus1")->title(), QStringLiteral("&Datei / Zyklus"));

  form->form.set_caption("OXR - Steuerung für elektronisch beheizte Pumpen (.58)");
  EXPECT_EQ(window->windowTitle(),
            QStringLiteral("OXR - Steuerung für elektronisch beheizte Pumpen (.58)"));
  form->form.show();
  EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, OperatorInputReachesTheModel) {
  make_window();
  int news = 0;
  form->But_new.OnClick = [&] { ++news; };
  std::vector<std::string> picks;
  form->MaskEdit31.OnEnter = [&] { picks.push_back("enter 3"); };
  form->MaskEdit31.OnClick = [&] { picks.push_back("click 3"); };
  form->form.show();
  oxr::test::show_active(window.get());

  find<QPushButton>("But_new")->click();
  EXPECT_EQ(news, 1);

  auto* cell = find<QLineEdit>("MaskEdit31");
  EXPECT_EQ(cell->cursor().shape(), Qt::PointingHandCursor);
  oxr::test::click(cell);
  // The press gives the cell the focus (the pick), the release is its click.
  EXPECT_EQ(picks, (std::vector<std::string>{"enter 3", "click 3"}));

  bool quit_asked = false;
  form->Beenden1.OnClick = [&] { quit_asked = true; };
  find<QAction>("Beenden1")->trigger();
  EXPECT_TRUE(quit_asked);
}

TEST_F(MainWindowTest, TheCloseBoxAsksTheFormAndARefusalKeepsTheWindow) {
  make_window();
  bool allow = false;
  int asked = 0;
  form->form.OnCloseQuery = [&] {
    ++asked;
    return allow;
  };
  form->form.show();
  window->close();
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(form->form.visible());

  allow = true;
  window->close();
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(form->form.visible());
}

}  // namespace
}  // namespace oxr::qt
