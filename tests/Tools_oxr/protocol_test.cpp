// The frame protocol of the main window on a manual clock with a scripted serial line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/Tools_oxr/scripted_serial.h"
#include "tests/support/form_fixture.h"

namespace oxr::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kConnectRequest = {0x41, 0x54, 0x5A, 0x05, 0x0C};
const Bytes kModeQuery = {0x41, 0x54, 0x52, 0x06, 0x4D, 0xC6};

Bytes connect_reply() {
  return with_checksum({'A', 'T', 'Z', 8, 0, 0, 7});
}
Bytes mode_reply(std::uint8_t mode) {
  return with_checksum({'A', 'T', 'R', 9, 'M', 0, 0, mode});
}
Bytes write_ack(std::uint8_t sub, std::uint8_t state = 0) {
  return with_checksum({'A', 'T', 'W', 8, sub, 0, state});
}

Bytes concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class ProtocolTest : public FormFixture {
 protected:
  void SetUp() override {
    TFormzyklus& f = make_form(&line);
    f.lang_index = 0;  // English texts
  }
  TFormzyklus& zyklus() { return *form; }
  Bytes rx(std::size_t n) const { return {form->rx_frame.begin(), form->rx_frame.begin() + n}; }

  ScriptedSerial line{clock};
};

// ---- reading one frame ----

TEST_F(ProtocolTest, ReceiveFrameOverByteStreams) {
  const Bytes reply = connect_reply();
  struct Chunk {
    Bytes bytes;
    std::int64_t delay_ms;
  };
  struct Case {
    std::string name;
    std::vector<Chunk> chunks;
    int result;
    Bytes frame;             // rx_frame from its start
    unsigned left_queued;    // bytes still waiting afterwards
    bool reply_start_found;  // awaiting_reply cleared
  };
  const Case cases[] = {
      {"nothing waiting", {}, TFormzyklus::kNoFrame, {}, 0, false},
      {"garbage before the 'A' is dropped",
       {{concat({0x00, 0x13, 'x', 'T'}, reply), 0}},
       TFormzyklus::kFrameRead,
       reply,
       0,
       true},
      {"garbage only", {{{0x00, 0x13, 'x'}, 0}}, TFormzyklus::kNoFrame, {}, 0, false},
      {"'A' and too few bytes: the 'A' is consumed",
       {{{'A', 'T'}, 0}},
       TFormzyklus::kNoFrame,
       {'A'},
       1,
       false},
      {"'A' 'X' empties the queue",
       {{{'A', 'X', 'Z', 8, 0, 0, 7, 0}, 0}},
       TFormzyklus::kFrameRejected,
       {'A', 'X', 'Z', 8},
       0,
       true},
      {"length 0",
       {{{'A', 'T', 'Z', 0, 1, 2, 3}, 0}},
       TFormzyklus::kFrameRejected,
       {'A', 'T', 'Z', 0},
       0,
       true},
      {"length below a frame",
       {{{'A', 'T', 'Z', 3, 1, 2, 3}, 0}},
       TFormzyklus::kFrameRejected,
       {'A', 'T', 'Z', 3},
       0,
       true},
      {"length above the buffer",
       {{Bytes{'A', 'T', 'M', 16, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}, 0}},
       TFormzyklus::kFrameRejected,
       {'A', 'T', 'M', 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       0,
       true},
      {"the rest never comes: it stays queued",
       {{{'A', 'T', 'Z', 8, 0, 0}, 0}},
       TFormzyklus::kFrameLate,
       {'A', 'T', 'Z', 8, 0},
       2,
       true},
      {"second half 10 ms after the first",
       {{Bytes(reply.begin(), reply.begin() + 5), 0}, {Bytes(reply.begin() + 5, reply.end()), 10}},
       TFormzyklus::kFrameRead,
       reply,
       0,
       true},
      {"two frames in one read: one is taken",
       {{concat(reply, mode_reply(4)), 0}},
       TFormzyklus::kFrameRead,
       reply,
       9,
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedSerial serial(clock);
    serial.poll_cost_us = 1;  // a fast machine: 1501 polls take 1.5 ms
    TFormzyklus& f = make_form(&serial);
    for (const Chunk& chunk : c.chunks) serial.arrive(chunk.bytes, chunk.delay_ms);
    f.rx_frame.fill(0x77);
    f.awaiting_reply = 1;
    f.send_retry_count = 3;
    f.reply_wait_seconds = 1;

    EXPECT_EQ(f.receive_frame(0), c.result);
    Bytes expected = c.frame;
    expected.resize(f.rx_frame.size(), 0);  // cleared before each read
    EXPECT_EQ(Bytes(f.rx_frame.begin(), f.rx_frame.end()), expected);
    EXPECT_EQ(serial.waiting(), c.left_queued);
    EXPECT_EQ(f.awaiting_reply, c.reply_start_found ? 0 : 1);
    // The fields beside the buffer are untouched.
    EXPECT_EQ(f.send_retry_count, 3);
    EXPECT_EQ(f.reply_wait_seconds, 1);
  }
}

TEST_F(ProtocolTest, TheSecondOfTwoFramesIsReadNext) {
  line.arrive(concat(connect_reply(), mode_reply(4)));
  ASSERT_EQ(zyklus().receive_frame(0), TFormzyklus::kFrameRead);
  ASSERT_EQ(zyklus().receive_frame(0), TFormzyklus::kFrameRead);
  EXPECT_EQ(rx(9), mode_reply(4));
  EXPECT_TRUE(zyklus().frame_checksum_ok());
}

TEST_F(ProtocolTest, ALengthAboveTheBufferReadsNoMoreThanTheHeader) {
  line.arrive({'A', 'T', 'M', 200});
  line.arrive(Bytes(196, 0x55), 1);
  EXPECT_EQ(zyklus().receive_frame(0), TFormzyklus::kFrameRejected);
  EXPECT_EQ(line.read_byte_calls, 4);
  EXPECT_EQ(line.calls, std::vector<std::string>{"discard 0"});
}

TEST_F(ProtocolTest, TheWaitForTheRestCoversTheLineTimeAndEnds) {
  struct Case {
    std::string name;
    int poll_cost_us;
  };
  // A fast machine's polls move the clock a little; a clock that stands still must not hang.
  const Case cases[] = {{"fast polls", 1}, {"standing clock", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedSerial serial(clock);
    serial.poll_cost_us = c.poll_cost_us;
    TFormzyklus& f = make_form(&serial);
    serial.arrive({'A', 'T', 'M', 15, 0});
    const std::int64_t start = clock.monotonic_ms();
    EXPECT_EQ(f.receive_frame(0), TFormzyklus::kFrameLate);
    EXPECT_GT(serial.receive_count_calls, 1501);
    if (c.poll_cost_us > 0) {
      // 11 bytes still to come take about 12 ms at 9600 baud.
      EXPECT_GE(clock.monotonic_ms() - start, 16);
      EXPECT_LE(clock.monotonic_ms() - start, 100);
    }
  }
}

// ---- sending one command at a time ----

TEST_F(ProtocolTest, AFrameQueuedBehindAnUnansweredOneGoesOut200msAfterTheReplyIsRead) {
  line.on_frame = [this](const Bytes& frame) {
    if (frame[2] == 'Z') line.arrive(connect_reply(), 50);
  };
  zyklus().connect_request();
  zyklus().mode_query();  // waits: the connect reply is awaited
  ASSERT_EQ(line.frames.size(), 1u);
  EXPECT_TRUE(zyklus().TIsend.enabled());

  advance_ms(200);  // the reply reader takes the connect reply
  EXPECT_EQ(zyklus().tc_connected, 1);
  EXPECT_EQ(zyklus().StatusBar1.panel(0), "Temperature control connected");
  EXPECT_EQ(line.frames.size(), 1u);

  advance_ms(200);
  ASSERT_EQ(line.frames.size(), 2u);
  EXPECT_EQ(line.frames[0].bytes, kConnectRequest);
  EXPECT_EQ(line.frames[0].at_ms, 0);
  EXPECT_EQ(line.frames[1].bytes, kModeQuery);
  EXPECT_EQ(line.frames[1].at_ms, 400);
  EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(ProtocolTest, AnUnansweredDeferredFrameIsDroppedAfterFiveRounds) {
  struct Case {
    std::string name;
    std::uint8_t connected;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"connected",
       1,
       {"D/E Error : Temperature-control does not respond\nto the transmitted command."}},
      {"not connected", 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedSerial serial(clock);
    TFormzyklus& f = make_form(&serial);
    f.lang_index = 0;
    dialogs.clear_shown();
    f.tc_connected = c.connected;
    f.write_unit(1);
    f.write_preheating(1);
    advance_ms(1000);
    EXPECT_TRUE(dialogs.messages().empty());
    advance_ms(200);
    EXPECT_EQ(dialogs.messages(), c.messages);
    EXPECT_FALSE(f.TIsend.enabled());
    advance_ms(2000);
    EXPECT_EQ(serial.frames.size(), 1u);  // the preheating frame never went out
  }
}

TEST_F(ProtocolTest, AByteThatCannotBeWrittenIsReportedAndTheFrameCountsAsSent) {
  line.writes_throw = true;
  zyklus().connect_request();
  EXPECT_EQ(dialogs.messages(),
            std::vector<std::string>(5, "No connection to the temperature control!"));
  EXPECT_EQ(zyklus().awaiting_reply, 1);
  EXPECT_TRUE(zyklus().TIresponse.enabled());
}

// ---- the reply watch ----

TEST_F(ProtocolTest, AnUnansweredCommandIsGivenUpOnTheThirdTick) {
  struct Case {
    std::string name;
    std::uint8_t connected;
    std::vector<std::string> messages;
    std::string panel0;
  };
  const Case cases[] = {
      {"connected", 1, {"Error: No answer from TC after sending a command"}, ""},
      {"not connected", 0, {}, "Temperature control not connected"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedSerial serial(clock);
    TFormzyklus& f = make_form(&serial);
    f.lang_index = 0;
    dialogs.clear_shown();
    f.tc_connected = c.connected;
    f.write_unit(1);
    f.reply_watch();
    f.reply_watch();
    EXPECT_EQ(f.awaiting_reply, 1);
    EXPECT_TRUE(dialogs.messages().empty());
    f.reply_watch();
    EXPECT_EQ(f.awaiting_reply, 0);
    EXPECT_EQ(f.reply_wait_seconds, 0);
    EXPECT_EQ(dialogs.messages(), c.messages);
    EXPECT_EQ(f.StatusBar1.panel(0), c.panel0);
  }
}

TEST_F(ProtocolTest, TheReplyWatchCountsOneSecondTicks) {
  line.presence = 1;
  zyklus().tc_connected = 1;
  zyklus().Timer1.set_enabled(true);
  zyklus().write_unit(1);
  advance_ms(1000);
  EXPECT_EQ(zyklus().reply_wait_seconds, 1);
  advance_ms(1000);
  EXPECT_EQ(zyklus().reply_wait_seconds, 2);
  EXPECT_EQ(zyklus().awaiting_reply, 1);
  advance_ms(1000);
  EXPECT_EQ(zyklus().awaiting_reply, 0);
  EXPECT_EQ(dialogs.messages(),
            std::vector<std::string>{"Error: No answer from TC after sending a command"});
  // Given up: the next command goes out at once.
  zyklus().write_preheating(0);
  EXPECT_EQ(line.frames.size(), 2u);
}

// ---- the reply dispatch ----

TEST_F(ProtocolTest, RepliesAreDispatchedByCommandLetterAndSubLetter) {
  struct Case {
    std::string name;
    Bytes reply;
    std::uint8_t start_seq_active;
    std::vector<std::string> messages;
    std::uint8_t tc_connected;
    std::int32_t control_mode;
    bool send_next;    // TIsend switched on
    bool poll_on;      // TImcresponse switched on
    std::string hook;  // the hook that ran, if any
  };
  const Case cases[] = {
      {"connect reply, controller present", connect_reply(), 0, {}, 1, 1, false, false, ""},
      {"connect reply, other value",
       with_checksum({'A', 'T', 'Z', 8, 0, 0, 3}),
       0,
       {},
       0,
       1,
       false,
       false,
       ""},
      {"mode 4 read", mode_reply(4), 0, {}, 0, 4, false, false, "mode"},
      {"mode byte taken as it is", mode_reply(200), 0, {}, 0, 200, false, false, "mode"},
      {"unit read",
       with_checksum({'A', 'T', 'R', 8, 'U', 0, 1}),
       0,
       {"temperature unit detected"},
       0,
       1,
       false,
       false,
       ""},
      {"unknown read",
       with_checksum({'A', 'T', 'R', 8, 'X', 0, 1}),
       0,
       {"Unknown Command in Byte 4"},
       0,
       1,
       false,
       false,
       ""},
      {"write acknowledged during the start sequence",
       write_ack('D'),
       1,
       {},
       0,
       1,
       true,
       false,
       ""},
      {"write acknowledged outside it", write_ack('H'), 0, {}, 0, 1, false, false, ""},
      {"unit write acknowledged", write_ack('U'), 1, {}, 0, 1, true, false, ""},
      {"switch-on acknowledged running, no sequence",
       write_ack('O', 4),
       0,
       {},
       0,
       1,
       false,
       true,
       "running"},
      {"switch-off acknowledged during the sequence",
       write_ack('O', 0),
       1,
       {},
       0,
       1,
       true,
       false,
       "off"},
      {"switch-off acknowledged outside it", write_ack('O', 1), 0, {}, 0, 1, false, false, "off"},
      {"unknown write", write_ack('Z'), 1, {"Unknown Command in Byte 4"}, 0, 1, false, false, ""},
      {"measurement frame as a reply",
       with_checksum({'A', 'T', 'M', 13, 0, 0, 4, 0, 0, 0, 0, 0}),
       0,
       {"Error: wrong timer"},
       0,
       1,
       false,
       false,
       ""},
      {"sign-off reply", with_checksum({'A', 'T', 'Q', 5}), 0, {}, 0, 1, false, false, ""},
      {"unknown command",
       with_checksum({'A', 'T', 'K', 5}),
       0,
       {"Unknown Command in Byte 2"},
       0,
       1,
       false,
       false,
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedSerial serial(clock);
    TFormzyklus& f = make_form(&serial);
    f.lang_index = 0;
    dialogs.clear_shown();
    std::string hook;
    f.on_control_mode_read = [&] { hook = "mode"; };
    f.on_controller_running = [&] { hook = "running"; };
    f.on_switch_off_acknowledged = [&] { hook = "off"; };
    f.start_seq_active = c.start_seq_active;
    f.tc_init_running = 1;
    serial.arrive(c.reply);
    f.TIresponse.set_enabled(true);
    f.TIresponseTimer();
    EXPECT_FALSE(f.TIresponse.enabled());
    EXPECT_EQ(dialogs.messages(), c.messages);
    EXPECT_EQ(f.tc_connected, c.tc_connected);
    EXPECT_EQ(f.control_mode, c.control_mode);
    EXPECT_EQ(f.TIsend.enabled(), c.send_next);
    EXPECT_EQ(f.TImcresponse.enabled(), c.poll_on);
    EXPECT_EQ(f.tc_init_running, c.poll_on ? 0 : 1);
    EXPECT_EQ(hook, c.hook);
    EXPECT_EQ(f.StatusBar1.panel(0), c.tc_connected ? "Temperature control connected" : "");
  }
}

TEST_F(ProtocolTest, AReplyWithABadChecksumIsNotDispatched) {
  Bytes reply = connect_reply();
  reply.back() ^= 0x01;
  line.arrive(reply);
  zyklus().TIresponseTimer();
  EXPECT_EQ(zyklus().tc_connected, 0);
  EXPECT_EQ(zyklus().StatusBar1.panel(0), "Checksum error occured ");
  EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(ProtocolTest, ARejectedFrameNeverReachesTheDispatcher) {
  line.arrive({'A', 'X', 'K', 5, 0});
  zyklus().TIresponseTimer();
  EXPECT_TRUE(dialogs.messages().empty());  // an unknown command would have been reported
  EXPECT_EQ(line.waiting(), 0u);
}

// ---- the start sequence ----

TEST_F(ProtocolTest, TheStartSequenceSendsOneFramePerAcknowledgement) {
  CycleRecord& row = zyklus().schedule.rows[1];
  row.cycle_name = "261209-000";  // the run's journal is named after it
  row.preheating = 1;
  row.duration = 50.0 / 86400.0;
  row.set_temp1 = 850;
  row.set_temp2 = 600;
  row.hyst1 = 10;
  row.hyst2 = 30;
  zyklus().unit_celsius = 1;
  // The controller acknowledges every write at once; the switch-on with "running".
  line.on_frame = [this](const Bytes& frame) {
    const std::uint8_t state = frame[4] == 'O' && frame[5] == 2 ? 4 : 0;
    line.arrive(write_ack(frame[4], state), 20);
  };

  // As the run start begins it.
  zyklus().current_row = 1;
  zyklus().start_step = 1;
  zyklus().start_seq_active = 1;
  zyklus().tc_init_running = 1;
  zyklus().write_operation(0);
  advance_ms(3000);

  const std::vector<Bytes> expected = {
      {0x41, 0x54, 0x57, 0x07, 0x4F, 0x00, 0xBE},
      {0x41, 0x54, 0x57, 0x07, 0x50, 0x01, 0xBC},
      {0x41, 0x54, 0x57, 0x07, 0x55, 0x01, 0xB7},
      {0x41, 0x54, 0x57, 0x08, 0x54, 0x05, 0x00, 0xB3},
      {0x41, 0x54, 0x57, 0x0A, 0x44, 0x52, 0x03, 0x58, 0x02, 0x17},
      {0x41, 0x54, 0x57, 0x0A, 0x48, 0x0A, 0x00, 0x1E, 0x00, 0x9A},
      {0x41, 0x54, 0x57, 0x07, 0x4F, 0x02, 0xBC},
  };
  ASSERT_EQ(line.frames.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(line.frames[i].bytes, expected[i]);
    // Read 200 ms after the send, next frame 200 ms after that.
    EXPECT_EQ(line.frames[i].at_ms, static_cast<std::int64_t>(400 * i));
  }
  EXPECT_EQ(zyklus().duration_ticks, 5);
  EXPECT_EQ(zyklus().start_seq_active, 0);
  EXPECT_EQ(zyklus().start_step, 0);
  EXPECT_EQ(zyklus().tc_init_running, 0);
  EXPECT_TRUE(zyklus().TImcresponse.enabled());
  EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(ProtocolTest, WithoutAnAcknowledgementTheSequenceStaysAtItsStep) {
  zyklus().current_row = 0;
  zyklus().start_step = 1;
  zyklus().start_seq_active = 1;
  zyklus().write_operation(0);
  advance_ms(5000);
  EXPECT_EQ(line.frames.size(), 1u);
  EXPECT_EQ(zyklus().start_step, 1);
  EXPECT_EQ(zyklus().start_seq_active, 1);
}

TEST_F(ProtocolTest, SignOffGoesOutOnlyWhileConnected) {
  zyklus().send_sign_off();
  EXPECT_TRUE(line.frames.empty());
  zyklus().tc_connected = 1;
  zyklus().send_sign_off();
  ASSERT_EQ(line.frames.size(), 1u);
  EXPECT_EQ(line.frames[0].bytes, (Bytes{0x41, 0x54, 0x51, 0x05, 0x15}));
}

}  // namespace
}  // namespace oxr::test
