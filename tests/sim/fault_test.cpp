// Each injected fault and what the PC sees of it.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "tests/sim/sim_test_support.h"

namespace oxr::sim::test {
namespace {

std::vector<Bytes> measurements(const Bytes& stream) {
  std::vector<Bytes> out;
  for (auto& f : split_frames(stream)) {
    if (f[2] == 'M') out.push_back(f);
  }
  return out;
}

struct FaultCase {
  std::string name;
  Fault fault;
  int value;
  // Runs with a controller that is connected and running (sample 0 already read), the fault
  // injected just now; checks what the PC sees.
  std::function<void(Line&)> check;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
  *os << c.name;
}

class Faults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(Faults, ShowOnTheLine) {
  const FaultCase& c = GetParam();
  Line line;
  line.start_run(1000);
  line.controller().inject(c.fault, c.value);
  EXPECT_TRUE(line.controller().fault_active(c.fault));
  c.check(line);
}

void states_then_4(Line& line, std::uint8_t error_pump) {
  const auto frames = measurements(line.run_for(30000));
  ASSERT_EQ(frames.size(), 3u);
  for (const auto& f : frames) {
    EXPECT_EQ(f[5], error_pump);
    EXPECT_EQ(f[6], 4);
    EXPECT_TRUE(sums_to_zero(f));
  }
}

void ends_with_state(Line& line, std::uint8_t state) {
  const auto frames = measurements(line.run_for(60000));
  ASSERT_EQ(frames.size(), 1u) << "the run ends with that frame";
  EXPECT_EQ(frames[0][6], state);
  EXPECT_EQ(u16(frames[0], 11), 1);
  EXPECT_FALSE(line.controller().running());
  EXPECT_EQ(line.controller().state(), state);
}

INSTANTIATE_TEST_SUITE_P(
    Named, Faults,
    ::testing::Values(
        FaultCase{"line_down", Fault::LineDown, -1,
                  [](Line& line) {
                    EXPECT_EQ(line.lib.present(0), 0);
                    EXPECT_EQ(line.run_for(30000), Bytes{});
                    EXPECT_EQ(line.exchange(frame('Z', {})), Bytes{});
                    // No sign of life gets through either: the controller broke the run off.
                    EXPECT_FALSE(line.controller().running());
                    line.controller().clear(Fault::LineDown);
                    EXPECT_EQ(line.lib.present(0), 1);
                    EXPECT_EQ(line.exchange(frame('Z', {})), frame('Z', {1, 0, 7}));
                  }},
        FaultCase{"silent", Fault::Silent, -1,
                  [](Line& line) {
                    EXPECT_EQ(line.lib.present(0), 1);
                    EXPECT_EQ(line.run_for(40000), Bytes{});
                    EXPECT_EQ(line.exchange(frame('Z', {})), Bytes{});
                    EXPECT_TRUE(line.controller().running()) << "it still runs, unheard";
                    EXPECT_EQ(line.controller().next_sample(), 5);
                    line.controller().clear(Fault::Silent);
                    const auto frames = measurements(line.run_for(10000));
                    ASSERT_EQ(frames.size(), 1u);
                    EXPECT_EQ(u16(frames[0], 11), 5);
                  }},
        FaultCase{"bad_checksum_twice", Fault::BadChecksum, 2,
                  [](Line& line) {
                    const auto frames = measurements(line.run_for(30000));
                    ASSERT_EQ(frames.size(), 3u);
                    EXPECT_FALSE(sums_to_zero(frames[0]));
                    EXPECT_FALSE(sums_to_zero(frames[1]));
                    EXPECT_TRUE(sums_to_zero(frames[2]));
                    EXPECT_EQ(u16(frames[1], 11), 2) << "the rest of the frame is intact";
                  }},
        FaultCase{"garbage", Fault::Garbage, 4,
                  [](Line& line) {
                    Bytes junk;
                    const auto frames = split_frames(line.run_for(20000), &junk);
                    ASSERT_EQ(frames.size(), 2u);
                    EXPECT_EQ(junk.size(), 4u);
                    for (auto b : junk) EXPECT_NE(b, 'A');
                    EXPECT_TRUE(sums_to_zero(frames[0]));
                  }},
        FaultCase{"garbage_before_a_reply", Fault::Garbage, -1,
                  [](Line& line) {
                    const Bytes got = line.exchange(frame('R', {'M'}));
                    ASSERT_EQ(got.size(), 3u + 9u);
                    EXPECT_EQ(Bytes(got.begin() + 3, got.end()), frame('R', {'M', 0, 4, 1}));
                  }},
        FaultCase{"stop_at_controller", Fault::StopAtController, -1,
                  [](Line& line) { ends_with_state(line, 6); }},
        FaultCase{"break_at_controller", Fault::BreakAtController, -1,
                  [](Line& line) { ends_with_state(line, 8); }},
        FaultCase{"undefined_state", Fault::UndefinedState, 7,
                  [](Line& line) {
                    const auto frames = measurements(line.run_for(30000));
                    ASSERT_EQ(frames.size(), 3u);
                    EXPECT_EQ(frames[0][6], 7);
                    EXPECT_EQ(frames[1][6], 4) << "one frame only; the PC decides to stop";
                  }},
        FaultCase{"error_E03", Fault::ErrorCode, 3, [](Line& line) { states_then_4(line, 3); }},
        FaultCase{"error_E05", Fault::ErrorCode, 5, [](Line& line) { states_then_4(line, 5); }},
        FaultCase{"pump_off", Fault::PumpOff, -1, [](Line& line) { states_then_4(line, 10); }},
        FaultCase{"pump_off_with_E02", Fault::PumpOff, -1,
                  [](Line& line) {
                    line.controller().inject(Fault::ErrorCode, 2);
                    states_then_4(line, 12);
                    line.controller().clear(Fault::PumpOff);
                    line.controller().clear(Fault::ErrorCode);
                    states_then_4(line, 0);
                  }},
        FaultCase{"late_reply", Fault::LateReply, 3000,
                  [](Line& line) {
                    EXPECT_EQ(line.exchange(frame('R', {'M'})), Bytes{});
                    line.clock.advance_ms(2790);
                    EXPECT_EQ(line.read_all(), Bytes{});
                    line.clock.advance_ms(30);
                    EXPECT_EQ(line.read_all(), frame('R', {'M', 0, 4, 1}));
                    // Only that one reply was late.
                    EXPECT_EQ(line.exchange(frame('R', {'M'})), frame('R', {'M', 0, 4, 1}));
                  }},
        FaultCase{"write_fails", Fault::WriteFails, -1,
                  [](Line& line) {
                    EXPECT_THROW(line.lib.write_byte(0, 'A'), SerialError);
                    line.controller().clear(Fault::WriteFails);
                    EXPECT_NO_THROW(line.lib.write_byte(0, 'A'));
                  }},
        FaultCase{"set_state_fails", Fault::SetStateFails, -1,
                  [](Line& line) {
                    EXPECT_THROW(line.lib.ComSetState(0, 9600, 8, 1, 'N', 0), SerialError);
                    EXPECT_EQ(line.lib.usable(0), 1) << "the port itself is still there";
                  }}),
    [](const auto& info) { return info.param.name; });

TEST(FaultNames, RoundTrip) {
  for (int i = 0; i < kFaultCount; ++i) {
    const Fault f = static_cast<Fault>(i);
    Fault back{};
    ASSERT_TRUE(fault_from_name(fault_name(f), back)) << fault_name(f);
    EXPECT_EQ(back, f);
  }
  Fault unused{};
  EXPECT_FALSE(fault_from_name("no-such-fault", unused));
}

TEST(FaultNames, ClearFaultsClearsAll) {
  Line line;
  line.controller().inject(Fault::Silent);
  line.controller().inject(Fault::PumpOff);
  line.controller().clear_faults();
  EXPECT_FALSE(line.controller().fault_active(Fault::Silent));
  EXPECT_FALSE(line.controller().fault_active(Fault::PumpOff));
  EXPECT_EQ(line.exchange(frame('Z', {})), frame('Z', {1, 0, 7}));
}

}  // namespace
}  // namespace oxr::sim::test
