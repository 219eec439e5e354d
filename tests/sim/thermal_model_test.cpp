// The two zones heat like bodies with a heater under on/off control: a curve that flattens,
// then a swing inside set +- hysteresis.
#include "sim/thermal_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/sim/sim_test_support.h"

namespace oxr::sim::test {
namespace {

constexpr double kRoom = 22.0;

ZoneControl control(double set, double hyst, bool preheat = false) {
  return ZoneControl{true, set, hyst, preheat};
}

// Zone 1's temperature every second for the given time.
std::vector<double> trace(ThermalModel& m, int seconds, int zone = 0) {
  std::vector<double> t;
  for (int s = 1; s <= seconds; ++s) {
    m.advance_to(s * 1000LL);
    t.push_back(m.zone(zone).temp_c());
  }
  return t;
}

TEST(ThermalModel, HeatsAlongAFlatteningCurveThenSwingsInsideTheBand) {
  struct Case {
    double set, hyst;
  };
  for (const Case c : {Case{60.0, 1.0}, Case{85.0, 2.0}, Case{240.0, 30.0}}) {
    SCOPED_TRACE(c.set);
    ThermalModel m(kRoom, 0);
    m.begin_control(control(c.set, c.hyst), ZoneControl{}, 0);
    const auto t = trace(m, 4 * 3600);

    const long reached =
        std::find_if(t.begin(), t.end(), [&](double v) { return v >= c.set; }) - t.begin();
    ASSERT_LT(reached, 3000) << "reaches its set point";
    // Heating up: rising all the way, each second by less than the one before (not a ramp).
    for (long s = 2; s < reached; ++s) {
      ASSERT_GT(t[s], t[s - 1]);
      ASSERT_LT(t[s] - t[s - 1], t[s - 1] - t[s - 2]) << s;
    }

    // Settled: inside the band, and using it (the heater cycles, not a flat line).
    const std::vector<double> settled(t.begin() + reached, t.end());
    const auto [lo, hi] = std::minmax_element(settled.begin(), settled.end());
    EXPECT_GE(*lo, c.set - c.hyst - 1e-6);
    EXPECT_LE(*hi, c.set + c.hyst + 1e-6);
    EXPECT_LT(*lo, c.set - c.hyst + 0.1);
    EXPECT_GT(*hi, c.set + c.hyst - 0.1);
    EXPECT_GT(m.zone(0).switchings(), 10u);
  }
}

TEST(ThermalModel, PreheatingHeatsFasterAtFirstAndSettlesTheSame) {
  ThermalModel plain(kRoom, 0);
  ThermalModel boosted(kRoom, 0);
  plain.begin_control(control(85.0, 1.0), ZoneControl{}, 0);
  boosted.begin_control(control(85.0, 1.0, true), ZoneControl{}, 0);
  const auto a = trace(plain, 3600);
  const auto b = trace(boosted, 3600);
  EXPECT_GT(b[59] - kRoom, 1.5 * (a[59] - kRoom));
  const auto reach = [](const std::vector<double>& t) {
    return std::find_if(t.begin(), t.end(), [](double v) { return v >= 84.0; }) - t.begin();
  };
  EXPECT_LT(reach(b), reach(a));
  // After the first arrival the boost is over: the band is the same.
  for (int s = 1800; s < 3600; ++s) {
    ASSERT_GE(b[s], 84.0 - 1e-6);
    ASSERT_LE(b[s], 86.0 + 1e-6);
  }
  EXPECT_FALSE(boosted.zone(0).boosting());
}

TEST(ThermalModel, CoolsTowardsTheRoomWhenControlEnds) {
  ThermalModel c(kRoom, 0);
  c.begin_control(control(85.0, 1.0), ZoneControl{}, 0);
  c.advance_to(1800 * 1000);
  c.end_control();
  double previous = c.zone(0).temp_c();
  for (int minute = 31; minute <= 300; ++minute) {
    c.advance_to(minute * 60000LL);
    ASSERT_LT(c.zone(0).temp_c(), previous);
    ASSERT_GT(c.zone(0).temp_c(), kRoom);
    previous = c.zone(0).temp_c();
  }
  EXPECT_LT(previous, kRoom + 5.0);
  EXPECT_FALSE(c.zone(0).heater_on());
}

TEST(ThermalModel, ASetPointBelowTheRoomNeverHeats) {
  ThermalModel m(kRoom, 0);
  m.begin_control(control(15.0, 1.0), ZoneControl{}, 0);
  m.advance_to(3600 * 1000);
  EXPECT_DOUBLE_EQ(m.zone(0).temp_c(), kRoom);
  EXPECT_EQ(m.zone(0).switchings(), 0u);
}

TEST(ThermalModel, NoHysteresisDoesNotHangTheModel) {
  // The relay's dwell keeps the switching finite; the zone stays close to its set point.
  ThermalModel m(kRoom, 0);
  m.begin_control(control(85.0, 0.0), ZoneControl{}, 0);
  const auto t = trace(m, 3600);
  for (int s = 1800; s < 3600; ++s) ASSERT_NEAR(t[s], 85.0, 0.5);
}

// Zone 2 through the controller: which settings it follows in each operating mode.
TEST(ThermalModel, ZoneTwoFollowsZoneOneInModesTwoAndThree) {
  struct Case {
    std::uint8_t mode;
    double lo, hi;  // band zone 2 settles in, degrees
  };
  // Zone 1 at 85 +- 1, zone 2 written as 40 +- 2.
  for (const Case c : {Case{1, kRoom - 0.05, kRoom + 0.05}, Case{2, 84.0, 86.0},
                       Case{3, 84.0, 86.0}, Case{4, 38.0, 42.0}}) {
    SCOPED_TRACE(int(c.mode));
    Line line(ControllerConfig{.mode = c.mode, .watch_sign_of_life = false});
    line.start_run(8640, 850, 400, 10, 20);
    line.clock.advance_ms(1800 * 1000);
    line.read_all();  // the heating-up half hour
    line.clock.advance_ms(1800 * 1000);
    const Bytes got = line.read_all();
    int samples = 0;
    for (const auto& f : split_frames(got)) {
      if (f[2] != 'M') continue;
      ++samples;
      ASSERT_GE(u16(f, 7), 840);
      ASSERT_LE(u16(f, 7), 860);
      ASSERT_GE(u16(f, 9) / 10.0, c.lo - 1e-9);
      ASSERT_LE(u16(f, 9) / 10.0, c.hi + 1e-9);
    }
    EXPECT_EQ(samples, 180);
  }
}

}  // namespace
}  // namespace oxr::sim::test
