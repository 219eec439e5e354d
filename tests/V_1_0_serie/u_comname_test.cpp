// The port naming window renders its logic's controls and hands typing back to them.
#include "V_1_0_serie/u_comname.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include "tests/V_1_0_serie/qt_app.h"
#include "tests/support/form_fixture.h"

namespace oxr::test {
namespace {

class ComnameWindowTest : public FormFixture {};

TEST_F(ComnameWindowTest, TypingIsCleanedAndOkTakesTheNames) {
  ensure_application();
  TFormzyklus& zyklus = make_form();
  zyklus.com_names = {"Pumpe", "", "", ""};
  TFormcomname logic(zyklus);
  ComnameWindow window(logic);
  EXPECT_FALSE(window.windowFlags() & Qt::WindowCloseButtonHint);

  zyklus.ComName1.click();
  ASSERT_TRUE(window.isVisible());
  EXPECT_EQ(window.windowTitle().toStdString(), "Bezeichnung der Schnittstelle");
  auto* edit1 = window.findChild<QLineEdit*>("Editcom1");
  auto* edit2 = window.findChild<QLineEdit*>("Editcom2");
  ASSERT_TRUE(edit1 && edit2);
  EXPECT_EQ(edit1->text().toStdString(), "Pumpe");
  EXPECT_EQ(edit2->maxLength(), 8);
  EXPECT_EQ(edit2->accessibleName().toStdString(), "COM2 :");

  edit2->insert("Ke, ssel");
  EXPECT_EQ(edit2->text().toStdString(), "Kessel");
  EXPECT_EQ(dialogs.messages(), (std::vector<std::string>{"Das Zeichen ',' ist nicht erlaubt!",
                                                          "Leerzeichen ist nicht erlaubt!"}));

  static_cast<QDialog&>(window).reject();  // Escape does not close it
  EXPECT_TRUE(window.isVisible());
  window.findChild<QPushButton*>("Bcomname")->click();
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(zyklus.com_names[1], "Kessel");
  EXPECT_EQ(zyklus.StatusBar1.panel(2), "COM1 : Pumpe");
}

}  // namespace
}  // namespace oxr::test
