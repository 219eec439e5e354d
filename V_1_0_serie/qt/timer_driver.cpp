#include "V_1_0_serie/qt/timer_driver.h"

#include <algorithm>
#include <limits>

namespace oxr::qt {

QtTimerDriver::QtTimerDriver(TimerHub& hub, QObject* parent) : QObject(parent), hub_(hub) {
  timer_.setSingleShot(true);
  // Coarse timers may wake up to 5 % early; the hub would then find nothing due.
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &QtTimerDriver::fire);
  hub_.on_schedule_changed = [this] { rearm(); };
  rearm();
}

QtTimerDriver::~QtTimerDriver() { hub_.on_schedule_changed = nullptr; }

void QtTimerDriver::rearm() {
  const auto due = hub_.next_due_ms();
  if (!due) {
    timer_.stop();
    return;
  }
  const std::int64_t wait = std::clamp<std::int64_t>(*due - hub_.clock().monotonic_ms(), 0,
                                                     std::numeric_limits<int>::max());
  timer_.start(static_cast<int>(wait));
}

void QtTimerDriver::fire() {
  // The hub tells of its new schedule only after the round, but a handler may open a modal
  // box whose nested loop must go on waking the hub: wake once at once there, then the round's
  // end sets the real next moment.
  timer_.start(0);
  hub_.fire_due();
  rearm();
}

}  // namespace oxr::qt
