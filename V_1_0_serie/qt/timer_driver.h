#pragma once
// Wakes the timer hub at its next due moment with one single-shot Qt timer. The hub keeps the
// window timers' schedule; this only turns "the next one is due at t" into an event-loop wake-up,
// so timers also fire inside the nested loop of a modal box.
#include <QObject>
#include <QTimer>

#include "platform/timer.h"

namespace oxr::qt {

class QtTimerDriver : public QObject {
  Q_OBJECT
 public:
  explicit QtTimerDriver(TimerHub& hub, QObject* parent = nullptr);
  ~QtTimerDriver() override;

  // Re-reads the hub's next due moment (also called by the hub on every schedule change).
  void rearm();
  bool armed() const { return timer_.isActive(); }

 private:
  void fire();

  TimerHub& hub_;
  QTimer timer_;
};

}  // namespace oxr::qt
