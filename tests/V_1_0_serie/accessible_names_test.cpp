// Every control of the start page, the start question, the about box, the help window and the
// STOP window has a name assistive technology can say, in the language of the run.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QTextBrowser>

#include "tests/V_1_0_serie/windows_fixture.h"
#include "tests/support/oxrconf_bytes.h"

namespace oxr::test {
namespace {

class AccessibleNames : public WindowsFixture {};

QString accessible_name(QWidget* w) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
  return a ? a->text(QAccessible::Name) : QString();
}

// The operator's controls and the pictures and texts of a window, by object name.
std::vector<QWidget*> controls(QWidget* window) {
  std::vector<QWidget*> out;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (w->objectName().isEmpty() || w->objectName().startsWith("qt_")) continue;
    if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLabel*>(w) ||
        qobject_cast<QTextBrowser*>(w))
      out.push_back(w);
  }
  return out;
}

TEST_F(AccessibleNames, EveryControlIsNamedInTheLanguageOfTheRun) {
  struct Case {
    char digit;
    const char* pump;
    const char* stop;
  };
  for (const Case& c : {Case{'1', "Beheizte Pumpe", "Messzyklus stoppen"},
                        Case{'0', "The heated pump", "Stop the measuring cycle"}}) {
    SCOPED_TRACE(c.digit);
    write_bytes(file("oxrconf.dat"), config_bytes(46365.0, {}, c.digit));
    build();
    start->form.show();
    start->open_main_window();  // the language is fixed from here on
    form->Hilfe1.click();
    stop->form.show();
    about->FormShow();
    int seen = 0;
    for (QWidget* window : std::initializer_list<QWidget*>{
             start_w.get(), quest_w.get(), about_w.get(), help_w.get(), stop_w.get()}) {
      for (QWidget* w : controls(window)) {
        EXPECT_FALSE(accessible_name(w).isEmpty())
            << window->objectName().toStdString() << "/" << w->objectName().toStdString();
        ++seen;
      }
    }
    EXPECT_GE(seen, 20);  // the walk found the windows' controls
    EXPECT_EQ(accessible_name(child(start_w.get(), "Pumpe")), c.pump);
    EXPECT_EQ(accessible_name(child(stop_w.get(), "BBStop")), c.stop);
    EXPECT_EQ(accessible_name(child(start_w.get(), "But_abbrechen")),
              c.digit == '1' ? "Beenden" : "Quit");
  }
}

}  // namespace
}  // namespace oxr::test
