// Switching between °C and °F: shown values, the hysteresis adjustment, limits, the chart's
// temperature axis and the points already drawn.
#include <gtest/gtest.h>

#include "tests/Tools_oxr/editor_fixture.h"

namespace oxr::test {
namespace {

class UnitTest : public EditorFixture {
 protected:
  void to_f() { w().RadioBut_F.operator_click(); }
  void to_c() { w().RadioBut_C.operator_click(); }
};

TEST_F(UnitTest, SetTemperatureAndHysteresisBothWays) {
  type(w().MEtarget1, "60");
  type(w().MEhyst1, "3");
  to_f();
  EXPECT_EQ(w().unit_celsius, 0);
  EXPECT_EQ(w().MEtarget1.text(), "140");
  EXPECT_EQ(w().MEhyst1.text(), "5");  // (30 * 9 / 5 + 5) / 10
  EXPECT_EQ(w().editor.set_temp1_setting.internal_tenths, 600);
  EXPECT_EQ(w().editor.hyst1_setting.internal_tenths, 30);
  to_c();
  EXPECT_EQ(w().unit_celsius, 1);
  EXPECT_EQ(w().MEtarget1.text(), "60");
  EXPECT_EQ(w().MEhyst1.text(), "3");
  EXPECT_EQ(w().editor.set_temp1_setting.internal_tenths, 600);
}

TEST_F(UnitTest, AHysteresisOfOneComesBackAsElevenTenths) {
  to_f();
  type(w().MEhyst1, "1");  // 1 °F: 5 tenths
  type(w().MEhyst2, "2");  // 11 tenths, shows 2: not adjusted
  EXPECT_EQ(w().editor.hyst1_setting.internal_tenths, 5);
  to_c();
  EXPECT_EQ(w().editor.hyst1_setting.internal_tenths, 11);
  EXPECT_EQ(w().MEhyst1.text(), "1");
  EXPECT_EQ(w().editor.hyst2_setting.internal_tenths, 11);
  EXPECT_EQ(w().MEhyst2.text(), "1");

  // Right after a °C data file was opened the adjustment is skipped once.
  to_f();
  type(w().MEhyst1, "1");
  w().unit_from_file = 1;
  to_c();
  EXPECT_EQ(w().editor.hyst1_setting.internal_tenths, 5);
  EXPECT_EQ(w().MEhyst1.text(), "1");
  EXPECT_EQ(w().unit_from_file, 0);
}

TEST_F(UnitTest, TheUnitOfTheLanguageAfterTheDefaults) {
  // German: the switch to °C adjusts both hystereses of 1.
  EXPECT_EQ(w().MEhyst1.text(), "1");
  EXPECT_EQ(w().editor.hyst1_setting.internal_tenths, 11);
  EXPECT_EQ(w().editor.hyst2_setting.internal_tenths, 11);
  EXPECT_EQ(w().MEtarget1.text(), "60");
  start(0);
  EXPECT_EQ(w().MEhyst1.text(), "2");
  EXPECT_EQ(w().editor.hyst2_setting.internal_tenths, 10);
  EXPECT_EQ(w().MEtarget1.text(), "140");
  EXPECT_EQ(w().MEtarget2.text(), "140");
}

TEST_F(UnitTest, LimitsFollowTheUnitWithoutClampingTheShownValues) {
  type(w().MEtarget1, "240");
  to_f();
  EXPECT_EQ(w().editor.set_temp1_setting, (TempSetting{2400, 464, 140, 464}));
  EXPECT_EQ(w().editor.hyst1_setting.min_shown, 1);
  EXPECT_EQ(w().editor.hyst1_setting.max_shown, 54);
  type(w().MEhyst1, "54");
  to_c();
  // 54 °F of hysteresis is 30 K: shown 30; the °C limits are back.
  EXPECT_EQ(w().editor.hyst1_setting, (TempSetting{300, 30, 1, 30}));
  EXPECT_EQ(w().editor.set_temp1_setting, (TempSetting{2400, 240, 60, 240}));
}

TEST_F(UnitTest, AClickOnTheCheckedButtonChangesNothing) {
  w().Chart2.Series1.add(0.1, 100.0, "");
  type(w().MEhyst1, "1");  // 10 tenths in °C
  to_c();
  EXPECT_EQ(w().editor.hyst1_setting.internal_tenths, 10);
  EXPECT_EQ(w().Chart2.Series1.points()[0].y, 100.0);
}

TEST_F(UnitTest, ChartAxisAndDrawnPoints) {
  struct Case {
    int mode;
    bool zone2_converted;
  };
  for (const Case c : {Case{1, false}, Case{2, false}, Case{3, false}, Case{4, true}}) {
    SCOPED_TRACE(c.mode);
    start(0);  // °F
    w().control_mode = c.mode;
    w().Chart2.Series1.add(0.25, 212.0, "10:00:00");
    w().Chart2.Series2.add(0.25, 212.0, "10:00:00");
    to_c();
    EXPECT_EQ(w().Chart2.left_axis().title, "T[°C]");
    EXPECT_EQ(w().Chart2.left_axis().maximum, 250.0);
    EXPECT_FALSE(w().Chart2.left_axis().automatic);
    EXPECT_NEAR(w().Chart2.Series1.points()[0].y, 99.999, 1e-9);
    EXPECT_EQ(w().Chart2.Series1.points()[0].x, 0.25);
    EXPECT_NEAR(w().Chart2.Series2.points()[0].y, c.zone2_converted ? 99.999 : 212.0, 1e-9);
    to_f();
    EXPECT_EQ(w().Chart2.left_axis().title, "T[°F]");
    EXPECT_EQ(w().Chart2.left_axis().minimum, 0.0);
    EXPECT_EQ(w().Chart2.left_axis().maximum, 500.0);
    // The two factors do not cancel.
    EXPECT_NEAR(w().Chart2.Series1.points()[0].y, 211.9982, 1e-9);
    EXPECT_NEAR(w().Chart2.Series2.points()[0].y, c.zone2_converted ? 211.9982 : 212.0, 1e-9);
  }
}

TEST_F(UnitTest, ZoneTwoMirrorsZoneOneAfterASwitchInModesTwoAndThree) {
  w().control_mode = 3;
  w().editor.set_temp2_setting.internal_tenths = 1000;  // zone 2's own value, kept
  type(w().MEtarget1, "80");
  type(w().MEhyst1, "3");
  to_f();
  EXPECT_EQ(w().MEtarget2.text(), "176");
  EXPECT_EQ(w().MEhyst2.text(), "5");
  EXPECT_EQ(w().editor.set_temp2_setting.internal_tenths, 1000);
}

}  // namespace
}  // namespace oxr::test
