#include "platform/timer.h"

#include <algorithm>
#include <limits>

namespace oxr {

Timer::Timer(TimerHub& hub, std::string name, int interval_ms)
    : hub_(hub), name_(std::move(name)), interval_ms_(interval_ms) {
  hub_.add(this);
}

Timer::~Timer() { hub_.remove(this); }

void Timer::set_enabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  if (on) due_ms_ = hub_.clock().monotonic_ms() + interval_ms_;
  hub_.rescheduled();
}

void TimerHub::add(Timer* t) {
  t->order_ = next_order_++;
  timers_.push_back(t);
}

void TimerHub::remove(Timer* t) {
  timers_.erase(std::remove(timers_.begin(), timers_.end(), t), timers_.end());
  rescheduled();
}

void TimerHub::rescheduled() {
  if (on_schedule_changed) on_schedule_changed();
}

std::optional<std::int64_t> TimerHub::next_due_ms() const {
  std::optional<std::int64_t> next;
  for (const Timer* t : timers_) {
    if (t->enabled_ && (!next || t->due_ms_ < *next)) next = t->due_ms_;
  }
  return next;
}

void TimerHub::fire_due() {
  // One timer at a time, the earliest first; a handler may change the set of due timers
  // (or open a box that fires more of them), so the choice is made afresh each round.
  for (;;) {
    const std::int64_t now = clock_.monotonic_ms();
    Timer* earliest = nullptr;
    for (Timer* t : timers_) {
      if (!t->enabled_ || t->due_ms_ > now) continue;
      if (!earliest || t->due_ms_ < earliest->due_ms_ ||
          (t->due_ms_ == earliest->due_ms_ && t->order_ < earliest->order_)) {
        earliest = t;
      }
    }
    if (!earliest) break;
    // The next interval counts from the moment it was due, as a periodic timer does; a timer
    // that fell far behind fires once and then keeps its period from now.
    earliest->due_ms_ += earliest->interval_ms_;
    if (earliest->due_ms_ <= now) earliest->due_ms_ = now + earliest->interval_ms_;
    if (earliest->OnTimer) earliest->OnTimer();
  }
  rescheduled();
}

void TimerHub::advance(ManualClock& clock, std::int64_t ms) {
  const std::int64_t target = clock.monotonic_ms() + ms;
  for (;;) {
    const auto next = next_due_ms();
    if (!next || *next > target) break;
    if (*next > clock.monotonic_ms()) clock.advance_ms(*next - clock.monotonic_ms());
    fire_due();
  }
  // A handler may itself have moved the clock (a box answered after a wait).
  if (clock.monotonic_ms() < target) clock.advance_ms(target - clock.monotonic_ms());
}

}  // namespace oxr
