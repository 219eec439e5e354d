// The in-process port: bytes take their line time, split frames arrive in two parts, ports
// other than COM1 are absent until a controller is attached.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/sim/sim_test_support.h"

namespace oxr::sim::test {
namespace {

// Receive counts, one per millisecond, for the given time after the clock's current moment.
std::vector<unsigned> counts_per_ms(Line& line, int ms) {
  std::vector<unsigned> counts;
  for (int i = 0; i < ms; ++i) {
    line.clock.advance_ms(1);
    counts.push_back(line.lib.receive_count(0));
  }
  return counts;
}

TEST(SerialLine, RepliesArriveAtTheLinesPace) {
  Line line;
  line.send(frame('Z', {}));
  EXPECT_EQ(line.lib.receive_count(0), 0u) << "nothing is back in the same instant";
  const auto counts = counts_per_ms(line, 40);
  // Five bytes out, a moment to think, eight bytes back: about 15 ms at 9600 baud.
  const auto first = std::find_if(counts.begin(), counts.end(), [](unsigned c) { return c > 0; });
  const auto full = std::find(counts.begin(), counts.end(), 8u);
  ASSERT_NE(first, counts.end());
  ASSERT_NE(full, counts.end());
  EXPECT_GE(first - counts.begin(), 5);
  EXPECT_EQ(full - first, 7) << "one byte a millisecond";
  for (std::size_t i = 1; i < counts.size(); ++i) EXPECT_LE(counts[i] - counts[i - 1], 1u);
  EXPECT_EQ(counts.back(), 8u);
  EXPECT_EQ(line.read_all(), frame('Z', {1, 0, 7}));
}

TEST(SerialLine, ASplitFrameStallsHalfwayForTheGap) {
  Line line(ControllerConfig{.watch_sign_of_life = false});
  line.start_run(100);
  line.controller().inject(Fault::SplitFrame, 10);
  line.clock.advance_ms(10000 - 250);  // just before step 1
  line.read_all();
  const auto counts = counts_per_ms(line, 100);
  // The measurement frame: 7 bytes, a 10 ms stall, the other 7.
  int stalled_at_7 = 0;
  for (unsigned c : counts) stalled_at_7 += c == 7;
  EXPECT_GE(stalled_at_7, 10);
  EXPECT_LE(stalled_at_7, 11);
  EXPECT_EQ(counts.back(), 14u);
  const auto frames = split_frames(line.read_all());
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_TRUE(sums_to_zero(frames[0]));
  EXPECT_FALSE(line.controller().fault_active(Fault::SplitFrame)) << "one frame only";
}

TEST(SerialLine, DiscardDropsWhatHasArrivedNotWhatIsStillOnTheLine) {
  Line line;
  line.send(frame('Z', {}));
  line.clock.advance_ms(11);  // part of the reply is in
  const unsigned in = line.lib.receive_count(0);
  ASSERT_GT(in, 0u);
  ASSERT_LT(in, 8u);
  line.lib.discard_input(0);
  EXPECT_EQ(line.lib.receive_count(0), 0u);
  line.clock.advance_ms(50);
  EXPECT_EQ(line.lib.receive_count(0), 8u - in);
  EXPECT_EQ(line.lib.calls(0).bytes_discarded, in);
}

TEST(SerialLine, ReadingAnEmptyQueueGivesZero) {
  Line line;
  std::uint8_t b = 0x77;
  line.lib.read_byte(0, &b);
  EXPECT_EQ(b, 0);
  EXPECT_EQ(line.lib.calls(0).empty_reads, 1u);
}

TEST(SerialLine, OnlyCom1IsThereUnlessAControllerIsAttached) {
  ManualClock clock;
  SimulatedSerialLibrary lib(clock);
  for (int port = 0; port < 4; ++port) {
    SCOPED_TRACE(port);
    lib.open(port);
    lib.set_buffer_sizes(port, 4096, 4096);
    lib.ComSetState(port, 9600, 8, 1, 'N', 0);
    EXPECT_EQ(lib.usable(port), port == 0 ? 1 : 0);
    EXPECT_EQ(lib.present(port), port == 0 ? 1 : 0);
    for (auto b : frame('Z', {})) lib.write_byte(port, b);
  }
  clock.advance_ms(200);
  EXPECT_EQ(lib.receive_count(0), 8u);
  for (int port = 1; port < 4; ++port) EXPECT_EQ(lib.receive_count(port), 0u);
  EXPECT_EQ(lib.usable(7), 0) << "a port number outside 0..3 is not usable";

  PumpController& com3 = lib.attach(2, ControllerConfig{.mode = 4});
  lib.open(2);
  lib.ComSetState(2, 9600, 8, 1, 'N', 0);
  EXPECT_EQ(lib.usable(2), 1);
  for (auto b : frame('R', {'M'})) lib.write_byte(2, b);
  clock.advance_ms(200);
  ASSERT_EQ(lib.receive_count(2), 9u);
  EXPECT_EQ(com3.counters().frames_received, 1u);
  EXPECT_EQ(lib.controller(0).counters().frames_received, 1u) << "COM1 got only its own";

  lib.detach(2);
  EXPECT_EQ(lib.usable(2), 0);
  EXPECT_EQ(lib.present(2), 0);
}

TEST(SerialLine, WrongLineSettingsGarbleEverything) {
  ManualClock clock;
  SimulatedSerialLibrary lib(clock);
  lib.open(0);
  lib.ComSetState(0, 19200, 8, 1, 'N', 0);
  for (auto b : frame('Z', {})) lib.write_byte(0, b);
  clock.advance_ms(200);
  EXPECT_EQ(lib.receive_count(0), 0u);
  EXPECT_EQ(lib.controller().counters().frames_received, 0u);
  EXPECT_EQ(lib.controller().counters().bytes_received, 5u);
}

TEST(SerialLine, TheLibraryRecordsTheSetUpAndTheToggles) {
  Line line;
  const PortCalls& c = line.lib.calls(0);
  EXPECT_EQ(c.opens, 1u);
  EXPECT_EQ(c.rx_buffer, 4096);
  EXPECT_EQ(c.baud, 9600);
  EXPECT_EQ(c.parity, 'N');
  for (int i = 0; i < 4; ++i) line.toggle();
  EXPECT_EQ(c.toggle_first_calls, 2u);
  EXPECT_EQ(c.toggle_second_calls, 2u);
  EXPECT_EQ(line.controller().counters().sign_of_life_changes, 4u);
}

TEST(SerialLine, AFullReceiveBufferDropsWhatDoesNotFit) {
  Line line;
  line.lib.set_buffer_sizes(0, 20, 20);
  for (int i = 0; i < 3; ++i) line.send(frame('Z', {}));  // 24 bytes back, nobody reads
  line.clock.advance_ms(200);
  EXPECT_EQ(line.lib.receive_count(0), 20u);
  EXPECT_EQ(line.lib.calls(0).overflowed, 4u);
}

}  // namespace
}  // namespace oxr::sim::test
