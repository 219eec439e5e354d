// The input is a script. Byte 0 sets the window's link state, then each byte is an operation
// (low three bits) with an argument (high five bits), some followed by bytes of their own:
//   0  bytes arrive now: (arg + 1) bytes follow
//   1  bytes arrive later: a delay byte in ms, then (arg + 1) bytes
//   2  the reply timer fires (frame reader, checksum, dispatch)
//   3  the frame reader runs and the reply is dispatched whatever its checksum
//   4  the clock moves by arg * 50 ms, firing due timers
//   5  a command is sent (arg picks which)
//   6  the controller's presence becomes arg & 1
//   7  the deferred sender's timer fires
#include <memory>

#include "Tools_oxr/frames.h"
#include "Tools_oxr/u_zyklus/tformzyklus.h"
#include "platform/scripted_dialogs.h"
#include "tests/Tools_oxr/scripted_serial.h"
#include "tests/fuzz/fuzz_bodies.h"
#include "tests/fuzz/require.h"

namespace oxr::fuzz {

namespace {

class QuietServices : public SystemServices {
 public:
  void open_url(const std::string&) override {}
  bool print_main_window(const std::string&) override { return true; }
};

// Keeps one input from running for long: the operations, and the time the clock may move.
constexpr int kMaxOperations = 2000;
constexpr std::int64_t kMaxAdvanceMs = 10 * 60 * 1000;

}  // namespace

void frame_stream_input(std::string_view bytes) {
  run_frame_stream(bytes);
}

FrameStreamOutcome run_frame_stream(std::string_view bytes) {
  FrameStreamOutcome outcome;
  if (bytes.empty()) return outcome;
  ManualClock clock{46365.0 + 10.0 / 24.0};
  TimerHub hub{clock};
  ScriptedDialogs dialogs;
  QuietServices services;
  test::ScriptedSerial line{clock};
  line.poll_cost_us = 20;  // as a real poll: the wait for the rest of a frame ends by time
  auto form = std::make_unique<TFormzyklus>(
      FormEnv{clock, hub, dialogs, line, services, std::filesystem::temp_directory_path()});
  TFormzyklus& f = *form;

  f.Timer1.set_enabled(true);  // the second tick: link watch, reply watch, sign of life
  const auto setup = static_cast<std::uint8_t>(bytes[0]);
  f.lang_index = setup & 1;
  f.tc_connected = (setup >> 1) & 1;
  f.awaiting_reply = (setup >> 2) & 1;
  f.start_seq_active = (setup >> 3) & 1;
  f.start_step = (setup >> 4) & 7;
  constexpr int kRows[] = {0, 4};
  f.current_row = kRows[(setup >> 7) & 1];

  std::size_t at = 1;
  const auto next = [&](std::uint8_t& out) {
    if (at >= bytes.size()) return false;
    out = static_cast<std::uint8_t>(bytes[at++]);
    return true;
  };
  const auto take = [&](std::size_t n) {
    std::vector<std::uint8_t> out;
    while (n-- > 0 && at < bytes.size()) out.push_back(static_cast<std::uint8_t>(bytes[at++]));
    return out;
  };

  std::int64_t advanced = 0;
  std::uint8_t op = 0;
  try {
    for (int ops = 0; ops < kMaxOperations && next(op); ++ops) {
      const unsigned arg = op >> 3;
      switch (op & 7) {
        case 0:
          line.arrive(take(arg + 1));
          break;
        case 1: {
          std::uint8_t delay = 0;
          if (!next(delay)) break;
          line.arrive(take(arg + 1), delay);
          break;
        }
        case 2:
          f.TIresponseTimer();
          break;
        case 3: {
          const int result = f.receive_frame(f.com_port);
          if (result == TFormzyklus::kFrameRead) {
            const std::size_t length = f.rx_frame[frame::kLength];
            require(length >= frame::kMinLength && length <= frame::kRxSize,
                    "a frame read has a length the buffer holds");
            f.dispatch_reply();
          }
          break;
        }
        case 4:
          if (advanced < kMaxAdvanceMs) {
            hub.advance(clock, arg * 50);
            advanced += arg * 50;
          }
          break;
        case 5:
          switch (arg % 9) {
            case 0:
              f.connect_request();
              break;
            case 1:
              f.mode_query();
              break;
            case 2:
              f.sign_off();
              break;
            case 3:
              f.write_preheating(arg & 1);
              break;
            case 4:
              f.write_unit(arg & 1);
              break;
            case 5:
              f.write_duration(static_cast<std::uint16_t>(arg * 997));
              break;
            case 6:
              f.write_set_temps(static_cast<std::int16_t>(arg * 40), -5);
              break;
            case 7:
              f.write_hysteresis(5, static_cast<std::int16_t>(arg));
              break;
            default:
              f.write_operation(arg & 1 ? kOperationOn : kOperationOff);
              break;
          }
          break;
        case 6:
          line.presence = arg & 1;
          break;
        default:
          f.TIsendTimer();
          break;
      }
      for (const auto& sent : line.frames) {
        require(sent.bytes.size() >= frame::kMinLength && sent.bytes.size() <= frame::kTxSize,
                "frames sent have a command's length");
        unsigned sum = 0;
        for (std::uint8_t b : sent.bytes) sum += b;
        require(sum % 256 == 0, "frames sent carry their checksum");
        ++outcome.frames_sent;
      }
      line.frames.clear();
    }
  } catch (const UnexpectedDialog&) {
    // A question the script cannot answer ends the input; it is no fault of the reader.
  }
  outcome.connected = f.tc_connected != 0;
  outcome.control_mode = f.control_mode;
  outcome.messages = dialogs.messages();
  return outcome;
}

}  // namespace oxr::fuzz
