#include "sim/pump_controller.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace oxr::sim {

namespace {

constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
// A frame whose bytes stop coming for this long is given up and its bytes skipped.
constexpr std::int64_t kInterByteTimeoutMs = 100;
constexpr std::uint8_t kFirmwareMajor = 1;
constexpr std::uint8_t kFirmwareMinor = 0;
// Junk for the Garbage fault: line noise, never the start byte 'A'.
constexpr std::uint8_t kJunk[] = {0xFF, 0x00, 0x55, 0x13, 0x7E, 0x80, 0xC3};

constexpr std::string_view kFaultNames[kFaultCount] = {
    "line-down",           "silent",
    "bad-checksum",        "garbage",
    "split-frame",         "stop-at-controller",
    "break-at-controller", "undefined-state",
    "error-code",          "pump-off",
    "late-reply",          "write-fails",
    "set-state-fails",
};

int default_value(Fault fault) {
  switch (fault) {
    case Fault::BadChecksum:
      return 1;
    case Fault::Garbage:
      return 3;
    case Fault::SplitFrame:
      return 10;
    case Fault::UndefinedState:
      return 3;
    case Fault::ErrorCode:
      return 1;
    case Fault::LateReply:
      return 3000;
    default:
      return 0;
  }
}

bool ends_run(std::uint8_t state) {
  return state == kStateTimeOver || state == kStateStoppedAtController || state == kStateBrokenOff;
}

std::int16_t get_s16(const Bytes& frame, std::size_t at) {
  return static_cast<std::int16_t>(get_u16(frame, at));
}

}  // namespace

std::string_view fault_name(Fault fault) {
  return kFaultNames[static_cast<int>(fault)];
}

bool fault_from_name(std::string_view name, Fault& fault) {
  for (int i = 0; i < kFaultCount; ++i) {
    if (kFaultNames[i] == name) {
      fault = static_cast<Fault>(i);
      return true;
    }
  }
  return false;
}

PumpController::PumpController(ControllerConfig config, std::int64_t now_ms)
    : config_(config),
      thermal_(config.room_c, now_ms),
      now_ms_(now_ms),
      inbound_free_ms_(now_ms),
      outbound_free_ms_(now_ms),
      last_sign_of_life_ms_(now_ms) {}

// ---- faults ----

void PumpController::inject(Fault fault, int value) {
  auto& f = faults_[index(fault)];
  f.active = true;
  f.value = value < 0 ? default_value(fault) : value;
}

void PumpController::clear(Fault fault) {
  faults_[index(fault)] = FaultState{};
}

void PumpController::clear_faults() {
  faults_.fill(FaultState{});
}

void PumpController::set_mode(std::uint8_t mode) {
  config_.mode = mode;
  apply_control(false, now_ms_);
}

// ---- time ----

std::int64_t PumpController::next_step_ms() const {
  return running_ ? run_start_ms_ + static_cast<std::int64_t>(next_sample_) * kStepMs : kNever;
}

std::int64_t PumpController::watch_deadline_ms() const {
  return running_ && config_.watch_sign_of_life ? last_sign_of_life_ms_ + kSignOfLifeTimeoutMs
                                                : kNever;
}

std::int64_t PumpController::next_event_ms() const {
  std::int64_t next = std::min(next_step_ms(), watch_deadline_ms());
  if (!inbound_.empty()) next = std::min(next, inbound_.front().at_ms);
  if (!outbound_.empty()) next = std::min(next, outbound_.front().at_ms);
  return next;
}

void PumpController::advance_to(std::int64_t now_ms) {
  // Events in time order; at one instant the step goes first, then the watch, then input.
  for (;;) {
    const std::int64_t step = next_step_ms();
    const std::int64_t watch = watch_deadline_ms();
    const std::int64_t in = inbound_.empty() ? kNever : inbound_.front().at_ms;
    const std::int64_t next = std::min({step, watch, in});
    if (next > now_ms) break;
    const std::int64_t at = std::max(next, now_ms_);
    thermal_.advance_to(at);
    now_ms_ = at;
    if (next == step) {
      run_step(at);
    } else if (next == watch) {
      break_for_sign_of_life(at);
    } else {
      const std::uint8_t byte = inbound_.front().byte;
      inbound_.pop_front();
      if (fault_active(Fault::LineDown)) {
        ++counters_.bytes_lost;
      } else {
        process_inbound(byte, at);
      }
    }
  }
  if (now_ms > now_ms_) {
    thermal_.advance_to(now_ms);
    now_ms_ = now_ms;
  }
}

// ---- the line ----

void PumpController::line_in(std::uint8_t byte, std::int64_t now_ms) {
  advance_to(now_ms);
  if (fault_active(Fault::LineDown)) {
    ++counters_.bytes_lost;
    return;
  }
  const std::int64_t at = std::max(now_ms, inbound_free_ms_) + config_.ms_per_byte;
  inbound_.push_back({at, byte});
  inbound_free_ms_ = at;
}

void PumpController::sign_of_life(std::int64_t now_ms) {
  // A change at the very instant of the deadline still counts.
  if (now_ms > now_ms_) advance_to(now_ms - 1);
  last_sign_of_life_ms_ = std::max(now_ms, now_ms_);
  ++counters_.sign_of_life_changes;
  advance_to(now_ms);
}

std::size_t PumpController::take_arrived(std::int64_t now_ms, Bytes& out) {
  advance_to(now_ms);
  std::size_t taken = 0;
  while (!outbound_.empty() && outbound_.front().at_ms <= now_ms) {
    if (fault_active(Fault::LineDown)) {
      ++counters_.bytes_lost;
    } else {
      out.push_back(outbound_.front().byte);
      ++taken;
    }
    outbound_.pop_front();
  }
  return taken;
}

// ---- receiving ----

void PumpController::process_inbound(std::uint8_t byte, std::int64_t at_ms) {
  ++counters_.bytes_received;
  if (!rx_.empty() && at_ms - rx_last_ms_ > kInterByteTimeoutMs) {
    counters_.bytes_skipped += static_cast<unsigned>(rx_.size());
    rx_.clear();
  }
  rx_.push_back(byte);
  rx_last_ms_ = at_ms;
  scan_frames(at_ms);
}

void PumpController::scan_frames(std::int64_t at_ms) {
  // Find 'A' 'T', check the length, wait for the rest; on anything wrong drop one byte and
  // look again, so a frame right after line noise is still found.
  const auto skip_one = [this] {
    rx_.erase(rx_.begin());
    ++counters_.bytes_skipped;
  };
  while (!rx_.empty()) {
    if (rx_[0] != kStart0) {
      skip_one();
      continue;
    }
    if (rx_.size() < 2) return;
    if (rx_[1] != kStart1) {
      skip_one();
      continue;
    }
    if (rx_.size() <= kLengthAt) return;
    const std::size_t length = rx_[kLengthAt];
    if (length < kMinFrame || length > kMaxFrame) {
      skip_one();
      continue;
    }
    if (rx_.size() < length) return;
    Bytes frame(rx_.begin(), rx_.begin() + static_cast<std::ptrdiff_t>(length));
    const bool ok = frame_valid(frame);
    log_.push_back({at_ms, true, frame, ok});
    if (!ok) {
      ++counters_.bad_checksums_received;
      skip_one();
      continue;
    }
    rx_.erase(rx_.begin(), rx_.begin() + static_cast<std::ptrdiff_t>(length));
    ++counters_.frames_received;
    handle_command(frame, at_ms);
  }
}

void PumpController::handle_command(const Bytes& frame, std::int64_t at_ms) {
  const std::size_t n = frame.size();
  switch (frame[kLetterAt]) {
    case 'Z':
      if (n != 5) break;
      connected_ = true;
      reply('Z', {kFirmwareMajor, kFirmwareMinor, kPresentMark}, at_ms);
      return;
    case 'Q':
      if (n != 5) break;
      // Nobody is left to watch a run once the PC has signed off.
      if (running_) end_run(kStateOff);
      connected_ = false;
      reply('Q', {}, at_ms);
      return;
    case 'R': {
      if (n != 6) break;
      const std::uint8_t sub = frame[kSubAt];
      if (sub == 'M') {
        reply('R', {sub, kAccepted, state_, config_.mode}, at_ms);
      } else if (sub == 'U') {
        reply('R', {sub, kAccepted, state_, static_cast<std::uint8_t>(settings_.unit_celsius)},
              at_ms);
      } else {
        reply('R', {sub, kRefused, state_, 0}, at_ms);
      }
      return;
    }
    case 'W':
      if (n < 7) break;
      handle_write(frame, at_ms);
      return;
    default:
      ++counters_.unknown_commands;
      return;
  }
  ++counters_.malformed_received;
}

void PumpController::handle_write(const Bytes& frame, std::int64_t at_ms) {
  const std::uint8_t sub = frame[kSubAt];
  std::size_t expected = 0;
  switch (sub) {
    case 'P':
    case 'U':
    case 'O':
      expected = 7;
      break;
    case 'T':
      expected = 8;
      break;
    case 'D':
    case 'H':
      expected = 10;
      break;
    default:
      break;
  }
  bool accepted = expected == frame.size();
  if (expected != 0 && !accepted) ++counters_.malformed_received;
  if (accepted) {
    switch (sub) {
      case 'P':
        settings_.preheating = frame[5] != 0;
        apply_control(false, at_ms);
        break;
      case 'U':
        accepted = frame[5] <= 1;
        if (accepted) settings_.unit_celsius = frame[5] == 1;
        break;
      case 'T':
        settings_.duration_steps = get_u16(frame, 5);
        break;
      case 'D':
        settings_.set_tenths[0] = get_s16(frame, 5);
        settings_.set_tenths[1] = get_s16(frame, 7);
        apply_control(false, at_ms);
        break;
      case 'H': {
        const std::int16_t h1 = get_s16(frame, 5);
        const std::int16_t h2 = get_s16(frame, 7);
        accepted = h1 >= 0 && h2 >= 0;
        if (accepted) {
          settings_.hyst_tenths[0] = h1;
          settings_.hyst_tenths[1] = h2;
          apply_control(false, at_ms);
        }
        break;
      }
      case 'O':
        if (frame[5] == kSwitchOn) {
          switch_on(at_ms);
        } else if (frame[5] == kSwitchOff) {
          if (running_) end_run(kStateOff);
          state_ = kStateOff;
        } else {
          accepted = false;
        }
        break;
    }
  }
  reply('W', {sub, accepted ? kAccepted : kRefused, state_}, at_ms);
}

// ---- sending ----

void PumpController::reply(std::uint8_t letter, const Bytes& payload, std::int64_t at_ms) {
  std::int64_t at = at_ms + config_.reply_latency_ms;
  auto& late = faults_[index(Fault::LateReply)];
  if (late.active) {
    at += late.value;
    late = FaultState{};
  }
  send(make_frame(letter, payload), at, true);
}

void PumpController::send(Bytes frame, std::int64_t at_ms, bool is_reply) {
  if (fault_active(Fault::LineDown) || fault_active(Fault::Silent)) {
    ++counters_.frames_suppressed;
    return;
  }
  auto& bad = faults_[index(Fault::BadChecksum)];
  if (bad.active) {
    frame.back() = static_cast<std::uint8_t>(frame.back() + 0x33);
    if (--bad.value <= 0) bad = FaultState{};
  }
  std::int64_t t = std::max(at_ms, outbound_free_ms_);
  log_.push_back({t, false, frame, frame_valid(frame)});

  auto& garbage = faults_[index(Fault::Garbage)];
  if (garbage.active) {
    for (int i = 0; i < garbage.value; ++i) {
      t += config_.ms_per_byte;
      outbound_.push_back({t, kJunk[static_cast<std::size_t>(i) % sizeof kJunk]});
    }
    garbage = FaultState{};
  }
  auto& split = faults_[index(Fault::SplitFrame)];
  const std::size_t split_at = split.active ? frame.size() / 2 : frame.size();
  const int gap_ms = split.value;
  split = FaultState{};
  for (std::size_t i = 0; i < frame.size(); ++i) {
    if (i == split_at) t += gap_ms;
    t += config_.ms_per_byte;
    outbound_.push_back({t, frame[i]});
  }
  outbound_free_ms_ = t;
  if (is_reply) {
    ++counters_.replies_sent;
  } else {
    ++counters_.measurements_sent;
  }
}

// ---- the run ----

void PumpController::apply_control(bool fresh, std::int64_t at_ms) {
  // Zone 2 is heated only in modes 2..4, and in modes 2 and 3 it runs on zone 1's settings.
  const std::uint8_t mode = config_.mode;
  const bool zone2_heated = mode >= 2 && mode <= 4;
  const int zone2_source = (mode == 2 || mode == 3) ? 0 : 1;
  const auto control = [&](int i, bool heated) {
    ZoneControl c;
    c.active = running_ && heated;
    c.set_c = settings_.set_tenths[i] / 10.0;
    c.hyst_k = settings_.hyst_tenths[i] / 10.0;
    c.preheat = settings_.preheating;
    return c;
  };
  const ZoneControl z1 = control(0, true);
  const ZoneControl z2 = control(zone2_source, zone2_heated);
  if (fresh) {
    thermal_.begin_control(z1, z2, at_ms);
  } else {
    thermal_.set_control(z1, z2);
  }
}

void PumpController::switch_on(std::int64_t at_ms) {
  // Switching on while running starts the run afresh from sample 0.
  running_ = true;
  state_ = kStateMeasuring;
  run_start_ms_ = at_ms + config_.reply_latency_ms;  // sample 0 follows the acknowledgement
  next_sample_ = 0;
  last_sign_of_life_ms_ = at_ms;
  ++counters_.runs_started;
  apply_control(true, at_ms);
}

void PumpController::end_run(std::uint8_t final_state) {
  running_ = false;
  state_ = final_state;
  thermal_.end_control();
}

std::uint8_t PumpController::error_pump_byte() const {
  int value = 0;
  if (fault_active(Fault::ErrorCode)) value += faults_[index(Fault::ErrorCode)].value;
  if (fault_active(Fault::PumpOff)) value += kPumpOffOffset;
  return static_cast<std::uint8_t>(value);
}

std::uint16_t PumpController::zone_tenths(int zone) const {
  const double tenths = std::round(thermal_.zone(zone).temp_c() * 10.0);
  return static_cast<std::uint16_t>(std::clamp(tenths, 0.0, 65535.0));
}

void PumpController::send_measurement(std::uint8_t state, std::int64_t at_ms) {
  Bytes payload{kMeasurementSub, error_pump_byte(), state};
  put_u16(payload, zone_tenths(0));
  put_u16(payload, zone_tenths(1));
  put_u16(payload, next_sample_);
  send(make_frame(kMeasurementLetter, payload), at_ms, false);
}

void PumpController::run_step(std::int64_t at_ms) {
  std::uint8_t state = kStateMeasuring;
  auto& undefined = faults_[index(Fault::UndefinedState)];
  if (fault_active(Fault::StopAtController)) {
    clear(Fault::StopAtController);
    state = kStateStoppedAtController;
  } else if (fault_active(Fault::BreakAtController)) {
    clear(Fault::BreakAtController);
    state = kStateBrokenOff;
  } else if (next_sample_ >= settings_.duration_steps) {
    state = kStateTimeOver;
  } else if (undefined.active) {
    state = static_cast<std::uint8_t>(undefined.value);
    undefined = FaultState{};
  }
  send_measurement(state, at_ms);
  if (ends_run(state)) {
    end_run(state);
  } else {
    ++next_sample_;
  }
}

void PumpController::break_for_sign_of_life(std::int64_t at_ms) {
  ++counters_.sign_of_life_breaks;
  send_measurement(kStateBrokenOff, at_ms);
  end_run(kStateBrokenOff);
}

}  // namespace oxr::sim
