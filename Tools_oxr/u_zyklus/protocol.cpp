// The frame protocol: command builders, the one-command-at-a-time sender, the frame reader,
// the reply dispatch, the start sequence and the reply watch.
#include "Tools_oxr/date_time.h"
#include "Tools_oxr/frames.h"
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

namespace {

// The rest of a frame gets at least this many polls of the receive count ...
constexpr int kRestPolls = 1501;
// ... and at least this much time on the window's clock: the longest frame takes about 16 ms
// on the line at 9600 baud, and a USB adapter may hold bytes back for its latency timer
// (16 ms) on top. Fast polls alone would end in well under a millisecond.
constexpr std::int64_t kRestWaitMs = 40;
// Upper bound for a clock that does not move while we poll (a test's manual clock).
constexpr int kRestPollsMax = 200000;

}  // namespace

void TFormzyklus::connect_request() {
  build_connect_request(tx_frame);
  queue_or_send();
}

void TFormzyklus::mode_query() {
  build_mode_query(tx_frame);
  queue_or_send();
}

void TFormzyklus::sign_off() {
  build_sign_off(tx_frame);
  queue_or_send();
}

void TFormzyklus::write_preheating(std::uint8_t on) {
  build_write_preheating(tx_frame, on);
  queue_or_send();
}

void TFormzyklus::write_unit(std::uint8_t celsius) {
  build_write_unit(tx_frame, celsius);
  queue_or_send();
}

void TFormzyklus::write_duration(std::uint16_t ticks) {
  build_write_duration(tx_frame, ticks);
  queue_or_send();
}

void TFormzyklus::write_set_temps(std::int16_t t1, std::int16_t t2) {
  build_write_set_temps(tx_frame, t1, t2);
  queue_or_send();
}

void TFormzyklus::write_hysteresis(std::int16_t h1, std::int16_t h2) {
  build_write_hysteresis(tx_frame, h1, h2);
  queue_or_send();
}

void TFormzyklus::write_operation(std::uint8_t operation) {
  build_write_operation(tx_frame, operation);
  queue_or_send();
}

void TFormzyklus::queue_or_send() {
  if (!awaiting_reply) {
    send_frame();
    return;
  }
  // One command at a time: the frame waits in tx_frame until the reply has been read.
  TIsend.set_enabled(true);
  send_retry_count = 0;
}

void TFormzyklus::send_frame() {
  if (!seal_frame(tx_frame)) return;  // builders always give a valid length
  const std::size_t n = tx_frame[frame::kLength];
  for (std::size_t i = 0; i < n; ++i) {
    try {
      env.serial.write_byte(com_port, tx_frame[i]);
    } catch (const SerialError&) {
      show_message(70);
    }
  }
  awaiting_reply = 1;
  reply_wait_seconds = 0;
  TIresponse.set_enabled(true);
}

int TFormzyklus::receive_frame(int port) {
  SerialLibrary& serial = env.serial;
  rx_frame.fill(0);

  // Bytes before the start byte are dropped.
  while (serial.receive_count(port) > 0) {
    serial.read_byte(port, &rx_frame[frame::kStartA]);
    if (rx_frame[frame::kStartA] == frame::kA) break;
    rx_frame[frame::kStartA] = 0;
  }
  if (serial.receive_count(port) <= 2) return kNoFrame;

  awaiting_reply = 0;
  for (std::size_t i = frame::kStartT; i < frame::kHeaderSize; ++i) {
    serial.read_byte(port, &rx_frame[i]);
  }

  // A length that is no frame, or one the buffer cannot hold, is never read on.
  const std::size_t length = rx_frame[frame::kLength];
  if (rx_frame[frame::kStartA] != frame::kA || rx_frame[frame::kStartT] != frame::kT ||
      length < frame::kMinLength || length > rx_frame.size()) {
    serial.discard_input(port);
    return kFrameRejected;
  }

  const unsigned rest = static_cast<unsigned>(length - frame::kHeaderSize);
  const std::int64_t wait_start = env.clock.monotonic_ms();
  unsigned waiting = serial.receive_count(port);
  for (int polls = 0; waiting < rest && polls < kRestPollsMax; ++polls) {
    if (polls >= kRestPolls && env.clock.monotonic_ms() - wait_start >= kRestWaitMs) break;
    waiting = serial.receive_count(port);
  }
  if (waiting < rest) return kFrameLate;

  for (std::size_t i = frame::kHeaderSize; i < length; ++i) serial.read_byte(port, &rx_frame[i]);
  return kFrameRead;
}

bool TFormzyklus::frame_checksum_ok() const {
  return checksum_ok(rx_frame);
}

void TFormzyklus::dispatch_reply() {
  const std::uint8_t sub_letter = rx_frame[frame::kSubLetter];
  switch (rx_frame[frame::kCommand]) {
    case 'Z':
      if (rx_frame[frame::kConnectAnswer] == frame::kConnectPresent) {
        tc_connected = 1;
        StatusBar1.set_panel(0, msg(10));
      }
      break;
    case 'R':
      if (sub_letter == 'M') {
        control_mode = rx_frame[frame::kReadValue];
        if (on_control_mode_read) on_control_mode_read();
      } else if (sub_letter == 'U') {
        show_message(65);
      } else {
        show_message(64);
      }
      break;
    case 'W':
      switch (sub_letter) {
        case 'D':
        case 'H':
        case 'P':
        case 'T':
        case 'U':
          if (start_seq_active) TIsend.set_enabled(true);
          break;
        case 'O':
          if (rx_frame[frame::kWriteState] == frame::kStateRunning) {
            TImcresponse.set_enabled(true);
            tc_init_running = 0;
            if (on_controller_running) on_controller_running();
          } else {
            if (on_switch_off_acknowledged) on_switch_off_acknowledged();
            if (start_seq_active) TIsend.set_enabled(true);
          }
          break;
        default:
          show_message(64);
      }
      break;
    case 'M':
      show_message(67);
      break;
    case 'Q':
      break;
    default:
      show_message(68);
  }
}

void TFormzyklus::TIresponseTimer() {
  TIresponse.set_enabled(false);
  if (receive_frame(com_port) != kFrameRead) return;
  if (frame_checksum_ok()) {
    dispatch_reply();
  } else {
    StatusBar1.set_panel(0, msg(11));
  }
}

void TFormzyklus::TIsendTimer() {
  TIsend.set_enabled(false);
  if (awaiting_reply) {
    if (send_retry_count < 5) {
      TIsend.set_enabled(true);
      ++send_retry_count;
    } else if (tc_connected) {
      show_message(73);  // the waiting frame is dropped
    }
    return;
  }
  if (!start_seq_active) {
    send_frame();
    return;
  }
  if (current_row < 0 || current_row >= kRowCount) return;
  const CycleRecord& row = schedule.rows[static_cast<std::size_t>(current_row)];
  switch (start_step) {
    case 1:
      start_step = 2;
      write_preheating(row.preheating);
      break;
    case 2:
      start_step = 3;
      write_unit(unit_celsius);
      break;
    case 3:
      start_step = 4;
      duration_ticks = duration_to_ticks(row.duration);
      write_duration(duration_ticks);
      break;
    case 4:
      start_step = 5;
      write_set_temps(row.set_temp1, row.set_temp2);
      break;
    case 5:
      start_step = 6;
      write_hysteresis(row.hyst1, row.hyst2);
      break;
    case 6:
      start_step = 0;
      start_seq_active = 0;
      write_operation(kOperationOn);
      break;
    default:
      break;
  }
}

void TFormzyklus::reply_watch() {
  if (!awaiting_reply) return;
  if (reply_wait_seconds < 2) {
    ++reply_wait_seconds;
    return;
  }
  reply_wait_seconds = 0;
  awaiting_reply = 0;
  // A start that waits for an answer that never comes would leave a pump that may be
  // heating beyond the operator's STOP; the run start ends it in order first.
  if (tc_init_running) start_not_answered();
  if (tc_connected) {
    show_message(12);
  } else {
    StatusBar1.set_panel(0, msg(9));
  }
}

void TFormzyklus::Timer1Timer() {
  link_watch();
  const DateTime now = env.clock.now();
  StatusBar1.set_panel(4, format_date(now) + "       " + format_time(now));
  StatusBar1.set_panel(3, "Status: " + status_text_for(tc_status_code));
  sign_of_life_toggle();
  reply_watch();
}

void TFormzyklus::send_sign_off() {
  if (tc_connected) sign_off();
}

}  // namespace oxr
