// Each command the PC sends, and what the controller answers to it.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tests/sim/sim_test_support.h"

namespace oxr::sim::test {
namespace {

TEST(TestEncoder, MatchesTheKnownFramesOfTheProtocol) {
  EXPECT_EQ(frame('Z', {}), (Bytes{0x41, 0x54, 0x5A, 0x05, 0x0C}));
  EXPECT_EQ(frame('W', {'O', 2}), (Bytes{0x41, 0x54, 0x57, 0x07, 0x4F, 0x02, 0xBC}));
  EXPECT_EQ(frame('R', {'M'}), (Bytes{0x41, 0x54, 0x52, 0x06, 0x4D, 0xC6}));
}

struct ReplyCase {
  std::string name;
  Bytes command;
  Bytes reply;  // empty: the controller must stay silent
};

void PrintTo(const ReplyCase& c, std::ostream* os) {
  *os << c.name;
}

Bytes concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class CommandReply : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(CommandReply, AnswersWithinTheReplyReadersWait) {
  const ReplyCase& c = GetParam();
  Line line;
  const Bytes got = line.exchange(c.command);
  if (c.reply.empty()) {
    line.clock.advance_ms(5000);
    EXPECT_EQ(concat(got, line.read_all()), Bytes{});
    return;
  }
  // A switch-on is followed at once by sample 0; only the reply itself is compared.
  ASSERT_GE(got.size(), c.reply.size());
  EXPECT_EQ(Bytes(got.begin(), got.begin() + static_cast<std::ptrdiff_t>(c.reply.size())), c.reply);
  EXPECT_TRUE(sums_to_zero(c.reply));
}

const Bytes kConnectReply = frame('Z', {1, 0, 7});

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandReply,
    ::testing::Values(
        ReplyCase{"connect", frame('Z', {}), kConnectReply},
        ReplyCase{"mode_query", frame('R', {'M'}), frame('R', {'M', 0, 0, 1})},
        ReplyCase{"unit_query", frame('R', {'U'}), frame('R', {'U', 0, 0, 1})},
        ReplyCase{"unknown_read", frame('R', {'X'}), frame('R', {'X', 0xFF, 0, 0})},
        ReplyCase{"preheating_on", frame('W', {'P', 1}), frame('W', {'P', 0, 0})},
        ReplyCase{"unit_fahrenheit", frame('W', {'U', 0}), frame('W', {'U', 0, 0})},
        ReplyCase{"unit_out_of_range", frame('W', {'U', 5}), frame('W', {'U', 0xFF, 0})},
        ReplyCase{"duration", frame('W', {'T', 6, 0}), frame('W', {'T', 0, 0})},
        ReplyCase{"set_temps", frame('W', {'D', 0x52, 0x03, 0x58, 0x02}), frame('W', {'D', 0, 0})},
        ReplyCase{"hysteresis", frame('W', {'H', 10, 0, 20, 0}), frame('W', {'H', 0, 0})},
        ReplyCase{"negative_hysteresis", frame('W', {'H', 0xFF, 0xFF, 20, 0}),
                  frame('W', {'H', 0xFF, 0})},
        ReplyCase{"switch_on", frame('W', {'O', 2}), frame('W', {'O', 0, 4})},
        ReplyCase{"switch_off", frame('W', {'O', 0}), frame('W', {'O', 0, 0})},
        ReplyCase{"switch_value_1", frame('W', {'O', 1}), frame('W', {'O', 0xFF, 0})},
        ReplyCase{"unknown_write", frame('W', {'X', 0}), frame('W', {'X', 0xFF, 0})},
        ReplyCase{"write_wrong_length", frame('W', {'P', 1, 0}), frame('W', {'P', 0xFF, 0})},
        ReplyCase{"sign_off", frame('Q', {}), frame('Q', {})},
        ReplyCase{"unknown_letter", frame('K', {}), {}},
        ReplyCase{"bad_checksum", Bytes{0x41, 0x54, 0x5A, 0x05, 0x0D}, {}},
        ReplyCase{"connect_wrong_length", frame('Z', {0}), {}},
        ReplyCase{"length_byte_0", Bytes{0x41, 0x54, 0x5A, 0x00, 0x13}, {}},
        ReplyCase{"noise_before_connect", concat(Bytes{0x00, 0xFF, 0x41, 0x00}, frame('Z', {})),
                  kConnectReply},
        ReplyCase{"A_before_connect", concat(Bytes{0x41}, frame('Z', {})), kConnectReply},
        ReplyCase{"bad_frame_then_good",
                  concat(Bytes{0x41, 0x54, 0x5A, 0x05, 0x0D}, frame('Z', {})), kConnectReply}),
    [](const auto& info) { return info.param.name; });

TEST(CommandReply, ModeQueryReportsTheModeSetAtTheController) {
  for (std::uint8_t mode = 1; mode <= 4; ++mode) {
    SCOPED_TRACE(mode);
    Line configured(ControllerConfig{.mode = mode});
    EXPECT_EQ(configured.exchange(frame('R', {'M'})), frame('R', {'M', 0, 0, mode}));

    Line changed;
    changed.controller().set_mode(mode);
    EXPECT_EQ(changed.exchange(frame('R', {'M'})), frame('R', {'M', 0, 0, mode}));
  }
}

TEST(CommandReply, WritesReachTheControllersSettings) {
  Line line;
  line.exchange(frame('W', {'P', 1}));
  line.exchange(frame('W', {'U', 0}));
  line.exchange(frame('W', {'T', 0x38, 0x01}));
  line.exchange(frame('W', {'D', 0x52, 0x03, 0xEC, 0xFF}));  // 85.0 and -2.0 degrees
  line.exchange(frame('W', {'H', 15, 0, 25, 0}));
  const auto& s = line.controller().settings();
  EXPECT_TRUE(s.preheating);
  EXPECT_FALSE(s.unit_celsius);
  EXPECT_EQ(s.duration_steps, 312);
  EXPECT_EQ(s.set_tenths[0], 850);
  EXPECT_EQ(s.set_tenths[1], -20);
  EXPECT_EQ(s.hyst_tenths[0], 15);
  EXPECT_EQ(s.hyst_tenths[1], 25);
  EXPECT_EQ(line.exchange(frame('R', {'U'})), frame('R', {'U', 0, 0, 0}));
}

TEST(CommandReply, AFrameThatStallsIsGivenUp) {
  Line line;
  const Bytes connect = frame('Z', {});
  line.send(Bytes(connect.begin(), connect.begin() + 3));
  line.clock.advance_ms(500);  // the rest never comes in time
  line.send(Bytes(connect.begin() + 3, connect.end()));
  line.clock.advance_ms(200);
  EXPECT_EQ(line.read_all(), Bytes{});
  // The next whole frame is understood again.
  EXPECT_EQ(line.exchange(connect), kConnectReply);
  EXPECT_EQ(line.controller().counters().bytes_skipped, 5u);
}

TEST(CommandReply, LogsEveryFrameBothWays) {
  Line line;
  line.exchange(frame('Z', {}));
  line.exchange(Bytes{0x41, 0x54, 0x5A, 0x05, 0x0D});
  const auto& log = line.controller().log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_TRUE(log[0].from_pc);
  EXPECT_EQ(log[0].bytes, frame('Z', {}));
  EXPECT_FALSE(log[1].from_pc);
  EXPECT_EQ(log[1].bytes, kConnectReply);
  EXPECT_TRUE(log[2].from_pc);
  EXPECT_FALSE(log[2].checksum_ok);
  const auto& c = line.controller().counters();
  EXPECT_EQ(c.frames_received, 1u);
  EXPECT_EQ(c.bad_checksums_received, 1u);
  EXPECT_EQ(c.replies_sent, 1u);
  EXPECT_TRUE(line.controller().connected());
}

TEST(CommandReply, SignOffEndsARun) {
  Line line;
  line.start_run(100);
  EXPECT_TRUE(line.controller().running());
  const auto replies = split_frames(line.exchange(frame('Q', {})));
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0], frame('Q', {}));
  EXPECT_FALSE(line.controller().running());
  EXPECT_FALSE(line.controller().connected());
  EXPECT_EQ(line.run_for(30000), Bytes{});
}

}  // namespace
}  // namespace oxr::sim::test
