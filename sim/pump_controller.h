#pragma once
// The pump's temperature controller as the far end of the serial line sees it: it takes the
// PC's command frames, answers each, and once switched on sends a measurement frame for every
// 10-second step from its thermal model until the written duration is over, the PC switches it
// off, or the PC's sign of life stops. Faults can be injected by name.
//
// Time is the caller's: every call carries the current monotonic millisecond and the model
// catches up lazily, so a manual clock drives it deterministically and a day passes in one call.
// Both directions of the line carry bytes at 9600 baud (about 1 ms a byte): a byte written at t
// reaches the controller one byte-time after the line is free, and its replies become readable
// at the PC end the same way.
#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "sim/controller_frames.h"
#include "sim/thermal_model.h"

namespace oxr::sim {

enum class Fault {
  LineDown,           // Presence test reports 0; no byte crosses the line either way.
  Silent,             // Commands are taken in, but neither replies nor measurements go out.
  BadChecksum,        // The next `value` frames (default 1) go out with a wrong checksum.
  Garbage,            // `value` junk bytes (default 3, never 'A') go out ahead of the next frame.
  SplitFrame,         // The next frame's second half follows its first `value` ms later (10).
  StopAtController,   // The operator switches off at the controller: the next step has state 6.
  BreakAtController,  // The controller loses the PC's signal: the next step has state 8.
  UndefinedState,     // The next step carries state `value` (default 3), which means nothing.
  ErrorCode,          // Measurements carry error E01..E05 (`value` 1..5, default 1) until cleared.
  PumpOff,            // Measurements report the pump off (error byte + 10) until cleared.
  LateReply,          // The next reply to a command leaves `value` ms late (default 3000).
  WriteFails,         // Writing a byte to the port throws SerialError (a pulled adapter).
  SetStateFails,      // ComSetState on the port throws SerialError.
};
inline constexpr int kFaultCount = 13;

// "line-down", "bad-checksum", ... as the command line of oxr-pumpsim spells them.
std::string_view fault_name(Fault fault);
bool fault_from_name(std::string_view name, Fault& fault);

struct ControllerConfig {
  std::uint8_t mode = 1;           // operating mode reported to 'R' 'M'; 1..4 are real ones
  bool watch_sign_of_life = true;  // break a run off after 5 s without a toggle
  int ms_per_byte = 1;             // line time of one byte at 9600 baud, 8N1
  int reply_latency_ms = 2;        // the controller's think time before a reply
  double room_c = 22.0;
};

// What the PC has written, as the controller holds it.
struct ControllerSettings {
  bool preheating = false;
  bool unit_celsius = true;
  std::uint16_t duration_steps = 8640;  // a day, until written
  std::int16_t set_tenths[2] = {0, 0};
  std::int16_t hyst_tenths[2] = {0, 0};
};

struct Counters {
  unsigned bytes_received = 0;   // bytes that reached the controller
  unsigned bytes_skipped = 0;    // received bytes that belonged to no valid frame
  unsigned frames_received = 0;  // complete frames with a good checksum
  unsigned bad_checksums_received = 0;
  unsigned malformed_received = 0;  // a known command with the wrong length
  unsigned unknown_commands = 0;    // valid frames with a letter the controller does not know
  unsigned replies_sent = 0;
  unsigned measurements_sent = 0;
  unsigned frames_suppressed = 0;  // not sent because of Silent or LineDown
  unsigned bytes_lost = 0;         // bytes dropped by LineDown on their way
  unsigned sign_of_life_changes = 0;
  unsigned runs_started = 0;
  unsigned sign_of_life_breaks = 0;
};

struct LoggedFrame {
  std::int64_t at_ms;  // when it was complete at the controller, or when it started to go out
  bool from_pc;
  Bytes bytes;
  bool checksum_ok;
};

class PumpController {
 public:
  static constexpr std::int64_t kStepMs = 10000;
  static constexpr std::int64_t kSignOfLifeTimeoutMs = 5000;

  explicit PumpController(ControllerConfig config = {}, std::int64_t now_ms = 0);

  // ---- the line ----
  // A byte the PC puts on the line at now_ms; it reaches the controller after its line time.
  void line_in(std::uint8_t byte, std::int64_t now_ms);
  // The PC's sign-of-life line changed level.
  void sign_of_life(std::int64_t now_ms);
  // Catches up: bytes arriving, measurement steps, the sign-of-life watch, the thermal model.
  void advance_to(std::int64_t now_ms);
  // Moves the bytes that have reached the PC end by now_ms into out (appends); returns how many.
  std::size_t take_arrived(std::int64_t now_ms, Bytes& out);
  // The next moment something happens by itself (a byte arrives at either end, a step, the
  // watch); INT64_MAX when nothing is pending. For a poll loop's timeout.
  std::int64_t next_event_ms() const;

  // ---- settings ----
  // 1..4 are the real modes; any other value shows how the PC copes with one.
  void set_mode(std::uint8_t mode);
  std::uint8_t mode() const { return config_.mode; }
  void set_watch_sign_of_life(bool on) { config_.watch_sign_of_life = on; }
  const ControllerSettings& settings() const { return settings_; }

  // ---- faults ----
  // value < 0 takes the fault's default (see the enum).
  void inject(Fault fault, int value = -1);
  void clear(Fault fault);
  void clear_faults();
  bool fault_active(Fault fault) const { return faults_[index(fault)].active; }

  // ---- observation ----
  bool running() const { return running_; }
  bool connected() const { return connected_; }  // between a connect request and a sign-off
  std::uint8_t state() const { return state_; }
  std::uint16_t next_sample() const { return next_sample_; }
  const ThermalModel& thermal() const { return thermal_; }
  // Zone temperatures in tenths of a degree as the measurement frame would carry them.
  std::uint16_t zone_tenths(int zone) const;
  const Counters& counters() const { return counters_; }
  const std::vector<LoggedFrame>& log() const { return log_; }
  void clear_log() { log_.clear(); }
  std::int64_t now_ms() const { return now_ms_; }

 private:
  struct FaultState {
    bool active = false;
    int value = 0;
  };
  struct TimedByte {
    std::int64_t at_ms;
    std::uint8_t byte;
  };

  static std::size_t index(Fault f) { return static_cast<std::size_t>(f); }

  void process_inbound(std::uint8_t byte, std::int64_t at_ms);
  void scan_frames(std::int64_t at_ms);
  void handle_command(const Bytes& frame, std::int64_t at_ms);
  void handle_write(const Bytes& frame, std::int64_t at_ms);
  void reply(std::uint8_t letter, const Bytes& payload, std::int64_t at_ms);
  void send(Bytes frame, std::int64_t at_ms, bool is_reply);

  void switch_on(std::int64_t at_ms);
  void end_run(std::uint8_t final_state);
  void run_step(std::int64_t at_ms);
  void break_for_sign_of_life(std::int64_t at_ms);
  void send_measurement(std::uint8_t state, std::int64_t at_ms);
  void apply_control(bool fresh, std::int64_t at_ms);
  std::uint8_t error_pump_byte() const;
  std::int64_t next_step_ms() const;
  std::int64_t watch_deadline_ms() const;

  ControllerConfig config_;
  ControllerSettings settings_;
  ThermalModel thermal_;
  std::array<FaultState, kFaultCount> faults_{};
  Counters counters_;
  std::vector<LoggedFrame> log_;

  std::int64_t now_ms_;
  std::deque<TimedByte> inbound_;  // on the line towards the controller
  std::int64_t inbound_free_ms_;
  std::deque<TimedByte> outbound_;  // on the line towards the PC
  std::int64_t outbound_free_ms_;

  Bytes rx_;  // bytes of a frame being assembled
  std::int64_t rx_last_ms_ = 0;

  bool connected_ = false;
  bool running_ = false;
  std::uint8_t state_ = kStateOff;
  std::int64_t run_start_ms_ = 0;
  std::uint16_t next_sample_ = 0;
  std::int64_t last_sign_of_life_ms_ = 0;
};

}  // namespace oxr::sim
