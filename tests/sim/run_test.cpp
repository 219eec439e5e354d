// A run at the controller: one measurement frame per 10-second step until the written duration
// is over, and the sign-of-life watch that breaks a run off.
#include <gtest/gtest.h>

#include "tests/sim/sim_test_support.h"

namespace oxr::sim::test {
namespace {

constexpr std::size_t kState = 6;
constexpr std::size_t kSample = 11;

std::vector<Bytes> measurements(const Bytes& stream) {
  std::vector<Bytes> out;
  for (auto& f : split_frames(stream)) {
    if (f[2] == 'M') out.push_back(f);
  }
  return out;
}

std::vector<std::int64_t> measurement_times(PumpController& c) {
  std::vector<std::int64_t> out;
  for (const auto& f : c.log()) {
    if (!f.from_pc && f.bytes[2] == 'M') out.push_back(f.at_ms);
  }
  return out;
}

TEST(Run, SixStepsGiveSamplesZeroToFiveThenTheEnd) {
  Line line;
  line.start_run(6);
  Bytes got = line.pending;
  const Bytes more = line.run_for(90000);
  got.insert(got.end(), more.begin(), more.end());

  const auto frames = measurements(got);
  ASSERT_EQ(frames.size(), 7u);
  for (std::size_t n = 0; n < frames.size(); ++n) {
    SCOPED_TRACE(n);
    const Bytes& f = frames[n];
    EXPECT_EQ(f.size(), 14u);
    EXPECT_EQ(f[3], 14);
    EXPECT_TRUE(sums_to_zero(f));
    EXPECT_EQ(u16(f, kSample), n);
    EXPECT_EQ(f[kState], n < 6 ? 4 : 5);
    EXPECT_EQ(f[5], 0) << "no error, pump on";
  }
  const auto times = measurement_times(line.controller());
  ASSERT_EQ(times.size(), 7u);
  // Sample 0 goes out right behind the switch-on acknowledgement, the others on their step.
  EXPECT_NEAR(times[1] - times[0], 10000, 15);
  for (std::size_t n = 2; n < times.size(); ++n) EXPECT_EQ(times[n] - times[1], 10000 * (n - 1));
  EXPECT_FALSE(line.controller().running());
  EXPECT_EQ(line.controller().state(), 5);
}

TEST(Run, TemperaturesInTheFramesAreTheZonesInTenths) {
  Line line(ControllerConfig{.mode = 4});
  line.start_run(100);
  const auto frames = measurements(line.run_for(120000));
  ASSERT_GE(frames.size(), 12u);
  const Bytes& last = frames.back();
  // Read 0.2 s after the step; the zones have moved by less than a tenth since.
  EXPECT_NEAR(u16(last, 7), line.controller().zone_tenths(0), 1);
  EXPECT_NEAR(u16(last, 9), line.controller().zone_tenths(1), 1);
  // Two minutes of heating: both zones are well above the room, and rising.
  EXPECT_GT(u16(last, 7), 400);
  EXPECT_GT(u16(last, 9), 400);
  EXPECT_GT(u16(last, 7), u16(frames[frames.size() - 2], 7));
}

TEST(Run, SwitchOffEndsTheFrames) {
  Line line;
  line.start_run(100);
  line.run_for(30000);
  const auto ack = split_frames(line.exchange(frame('W', {'O', 0})));
  ASSERT_EQ(ack.size(), 1u);
  EXPECT_EQ(ack[0], frame('W', {'O', 0, 0}));
  EXPECT_EQ(line.run_for(60000), Bytes{});
  EXPECT_FALSE(line.controller().running());
}

TEST(Run, SwitchOnAgainStartsFromSampleZero) {
  Line line;
  line.start_run(100);
  line.run_for(35000);
  const auto again = split_frames(line.exchange(frame('W', {'O', 2})));
  ASSERT_EQ(again.size(), 2u);
  EXPECT_EQ(again[0][6], 4);
  EXPECT_EQ(u16(again[1], kSample), 0);
  EXPECT_EQ(line.controller().counters().runs_started, 2u);
}

TEST(Run, ADayLongRunDeliversEveryStepAtTheReadersPace) {
  Line line;
  line.start_run(8640);
  // Read the way the poll does, every 6 s, with the sign of life every second.
  std::vector<Bytes> frames = measurements(line.pending);
  for (int second = 0; second < 86400 + 60; ++second) {
    line.clock.advance_ms(1000);
    line.toggle();
    if (second % 6 == 5) {
      auto got = measurements(line.read_all());
      frames.insert(frames.end(), got.begin(), got.end());
    }
  }
  ASSERT_EQ(frames.size(), 8641u);
  for (std::size_t n = 0; n < frames.size(); ++n) {
    if (u16(frames[n], kSample) != n || frames[n][kState] != (n < 8640 ? 4 : 5)) {
      FAIL() << "frame " << n << " carries sample " << u16(frames[n], kSample) << " state "
             << int(frames[n][kState]);
    }
  }
}

TEST(SignOfLife, FiveSecondsWithoutAToggleBreakTheRunOff) {
  Line line;
  line.start_run(1000);
  EXPECT_EQ(measurements(line.run_for(40000)).back()[kState], 4);
  // The PC stops toggling; the last change was at the end of run_for.
  line.clock.advance_ms(4999);
  EXPECT_TRUE(line.controller().running());
  line.clock.advance_ms(1);
  line.clock.advance_ms(100);
  const auto frames = measurements(line.read_all());
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0][kState], 8);
  EXPECT_EQ(u16(frames[0], kSample), 5) << "the step that was due next";
  EXPECT_FALSE(line.controller().running());
  EXPECT_EQ(line.controller().counters().sign_of_life_breaks, 1u);
  EXPECT_EQ(line.run_for(30000), Bytes{});
}

TEST(SignOfLife, OnlyAChangeOfTheLineCounts) {
  // A PC that calls the same half every second never changes the line.
  Line line;
  line.start_run(1000);
  Bytes got;
  for (int s = 0; s < 8; ++s) {
    line.clock.advance_ms(1000);
    line.lib.toggle_first_half(0);
    const Bytes b = line.read_all();
    got.insert(got.end(), b.begin(), b.end());
  }
  const auto frames = measurements(got);
  ASSERT_FALSE(frames.empty());
  EXPECT_EQ(frames.back()[kState], 8);
}

TEST(SignOfLife, NoWatchWhenItIsSwitchedOff) {
  Line line(ControllerConfig{.watch_sign_of_life = false});
  line.start_run(1000);
  const auto frames = measurements(line.run_for(60000, false));
  ASSERT_EQ(frames.size(), 6u);
  for (const auto& f : frames) EXPECT_EQ(f[kState], 4);
  EXPECT_TRUE(line.controller().running());
}

TEST(SignOfLife, NotWatchedOutsideARun) {
  Line line;
  line.exchange(frame('Z', {}));
  line.clock.advance_ms(60000);
  EXPECT_EQ(line.read_all(), Bytes{});
  EXPECT_EQ(line.controller().counters().sign_of_life_breaks, 0u);
}

}  // namespace
}  // namespace oxr::sim::test
