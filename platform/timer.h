#pragma once
// Window timers: an interval, an enabled flag and a handler, fired by a TimerHub.
//
// Semantics the handlers rely on:
// - enabling a disabled timer starts a fresh interval; enabling an enabled one changes nothing;
// - due timers fire in time order (ties in order of creation);
// - a handler may open a modal box; other timers keep firing meanwhile (the hub is re-entrant).
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"

namespace oxr {

class TimerHub;

class Timer {
 public:
  Timer(TimerHub& hub, std::string name, int interval_ms);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  const std::string& name() const { return name_; }
  int interval_ms() const { return interval_ms_; }
  bool enabled() const { return enabled_; }
  void set_enabled(bool on);

  std::function<void()> OnTimer;

 private:
  friend class TimerHub;
  TimerHub& hub_;
  std::string name_;
  int interval_ms_;
  bool enabled_ = false;
  std::int64_t due_ms_ = 0;
  std::uint64_t order_ = 0;
};

class TimerHub {
 public:
  explicit TimerHub(Clock& clock) : clock_(clock) {}
  Clock& clock() { return clock_; }

  // Fires every timer that is due at the clock's current monotonic time, in time order.
  void fire_due();
  // Manual clock only: moves the clock forward by ms, stopping at each due moment to fire.
  void advance(ManualClock& clock, std::int64_t ms);
  // Monotonic moment of the next due timer, if any timer is enabled.
  std::optional<std::int64_t> next_due_ms() const;

  // Called whenever the next due moment may have changed (the Qt driver re-arms its timer).
  std::function<void()> on_schedule_changed;

 private:
  friend class Timer;
  void add(Timer* t);
  void remove(Timer* t);
  void rescheduled();

  Clock& clock_;
  std::vector<Timer*> timers_;
  std::uint64_t next_order_ = 0;
};

}  // namespace oxr
