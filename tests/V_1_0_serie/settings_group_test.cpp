// The editor group of the main window as an operator and a screen reader meet it: accessible
// names in the current language, keys and leaving a field reaching the checks, held arrows.
#include "V_1_0_serie/settings_group.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSet>
#include <QToolButton>

#include "Tools_oxr/date_time.h"
#include "V_1_0_serie/u_zyklus.h"
#include "tests/V_1_0_serie/qt_support.h"
#include "tests/support/form_fixture.h"

namespace oxr::qt {
namespace {

constexpr int kEnglish = 0;
constexpr int kGerman = 1;

class SettingsGroupTest : public oxr::test::FormFixture {
 protected:
  SettingsGroupTest() { oxr::test::qt_app(); }

  // The window as its first show leaves it in a language (defaults, unit, captions).
  FormzyklusWindow& open(int lang) {
    window.reset();  // the window lets go of the old form's models first
    make_form();
    window = std::make_unique<FormzyklusWindow>(*form, build_settings_group);
    form->FormCreate();
    form->lang_index = static_cast<std::uint8_t>(lang);
    form->form.show();
    dialogs.clear_shown();
    oxr::test::show_active(window.get());
    return *window;
  }
  template <class W = QWidget>
  W* find(const QString& name) {
    W* w = window->findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }
  // Mouse press or release in the middle of a widget, delivered to its window.
  static void mouse(QWidget* w, QEvent::Type type) {
    QWidget* top = w->window();
    const QPointF local(w->width() / 2.0, w->height() / 2.0);
    const QPointF at(w->mapTo(top, local.toPoint()));
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonPress ? Qt::MouseButtons(Qt::LeftButton) : Qt::NoButton;
    QMouseEvent e(type, at, w->mapToGlobal(local), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(top->windowHandle(), &e);
  }

  std::unique_ptr<FormzyklusWindow> window;
};

TEST_F(SettingsGroupTest, EveryFieldArrowAndCellIsNamedInTheCurrentLanguage) {
  struct Case {
    const char* widget;
    const char* english;
    const char* german;
  };
  const Case cases[] = {
      {"MEdatum", "Start date", "Startdatum"},
      {"MEstartz", "Start time", "Startzeit"},
      {"MEcycled", "Cycle duration", "Zyklusdauer"},
      {"MEtarget1", "Set temp.1", "Solltemp. 1"},
      {"MEtarget2", "Set temp.2", "Solltemp. 2"},
      {"MEhyst1", "Hysteresis1", "Hysterese1"},
      {"MEhyst2", "Hysteresis2", "Hysterese2"},
      {"Edit_comment", "Comment", "Kommentar"},
      {"CheckBox_endlos", "Continuous op.", "Endlosbetrieb"},
      {"RadioBut_prea_off", "Pre-heating Off", "Vorheizung Aus"},
      {"RadioBut_prea_on", "Pre-heating On", "Vorheizung Ein"},
      {"SpeButdateup", "Start date +1 day", "Startdatum +1 Tag"},
      {"SpeButtimemindown", "Start time -1 minute", "Startzeit -1 Minute"},
      {"SpeButdurhourup", "Cycle duration +1 hour", "Zyklusdauer +1 Stunde"},
      {"SpeButhyst2down", "Hysteresis 2 -1 degree", "Hysterese 2 -1 Grad"},
      {"MaskEdit11", "Row 1, Cycle", "Zeile 1, Zyklus"},
      {"MaskEdit53", "Row 5, Start time", "Zeile 5, Startzeit"},
      {"MaskEdit36", "Row 3, Status", "Zeile 3, Status"},
  };
  for (int lang : {kGerman, kEnglish}) {
    SCOPED_TRACE(lang);
    open(lang);
    for (const Case& c : cases) {
      QWidget* w = find(QString::fromLatin1(c.widget));
      if (!w) continue;
      EXPECT_EQ(w->accessibleName().toStdString(), lang == kGerman ? c.german : c.english)
          << c.widget;
    }
    // None of the eighteen arrows and thirty cells is left without a name, and no two share
    // one, so each is found by name alone.
    QSet<QString> names;
    int named = 0;
    for (QToolButton* b : window->settings_group()->findChildren<QToolButton*>()) {
      EXPECT_FALSE(b->accessibleName().isEmpty()) << b->objectName().toStdString();
      names.insert(b->accessibleName());
      ++named;
    }
    EXPECT_EQ(named, 18);
    for (int row = 1; row <= 5; ++row)
      for (int column = 1; column <= 6; ++column) {
        QWidget* cell = find(QStringLiteral("MaskEdit%1%2").arg(row).arg(column));
        if (!cell) continue;
        EXPECT_FALSE(cell->accessibleName().isEmpty());
        names.insert(cell->accessibleName());
        ++named;
      }
    EXPECT_EQ(names.size(), named);
  }
}

TEST_F(SettingsGroupTest, KeysAndLeavingAFieldReachTheChecks) {
  open(kGerman);
  auto* target1 = find<QLineEdit>("MEtarget1");
  auto* hyst1 = find<QLineEdit>("MEhyst1");
  auto* date = find<QLineEdit>("MEdatum");
  ASSERT_TRUE(target1 && hyst1 && date);

  target1->setFocus();
  oxr::test::press_key(target1, Qt::Key_Up);
  EXPECT_EQ(target1->text().trimmed(), QStringLiteral("61"));
  EXPECT_EQ(form->editor.set_temp1_setting.internal_tenths, 610);

  // Typed and left: the check corrects the field and takes the focus back.
  hyst1->setFocus();
  hyst1->selectAll();
  oxr::test::type_text(hyst1, QStringLiteral("99"));
  EXPECT_EQ(form->MEhyst1.text(), "99");
  date->setFocus();
  QCoreApplication::processEvents();
  EXPECT_EQ(hyst1->text(), QStringLiteral("1"));
  EXPECT_EQ(dialogs.messages(),
            std::vector<std::string>{
                "'  99  ' ist kein gültiger Hysteresewert.\rDer Wert muß zwischen 1 und 30 liegen."});
  EXPECT_TRUE(hyst1->hasFocus());

  // Enter in the date field checks it: 20 days ahead falls back to today.
  dialogs.clear_shown();
  form->MEdatum.set_text(format_date(oxr::test::kTestNow + 20));
  date->setFocus();
  oxr::test::press_key(date, Qt::Key_Return);
  EXPECT_EQ(date->text().toStdString(), format_date(oxr::test::kTestNow));
  EXPECT_EQ(dialogs.messages().size(), 1u);
}

TEST_F(SettingsGroupTest, AHeldArrowRepeatsOnTheWindowsTimer) {
  open(kGerman);
  auto* up = find<QToolButton>("SpeButset1up");
  auto* target1 = find<QLineEdit>("MEtarget1");
  ASSERT_TRUE(up && target1);
  // The field's mask ends in a literal blank.
  EXPECT_EQ(target1->text().trimmed(), QStringLiteral("60"));
  mouse(up, QEvent::MouseButtonPress);
  advance_ms(1050);
  EXPECT_EQ(target1->text().trimmed(), QStringLiteral("65"));
  mouse(up, QEvent::MouseButtonRelease);  // the click of the release adds one more
  EXPECT_EQ(target1->text().trimmed(), QStringLiteral("66"));
  EXPECT_FALSE(form->Timer4.enabled());
}

}  // namespace
}  // namespace oxr::qt
