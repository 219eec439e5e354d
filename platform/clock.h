#pragma once
// Wall time and monotonic time for the logic. The logic never reads the system clock itself.
#include <cstdint>

namespace oxr {

// Days since 30 December 1899; the whole part is the day, the fraction the time of day.
using DateTime = double;

class Clock {
 public:
  virtual ~Clock() = default;
  // Local wall time.
  virtual DateTime now() const = 0;
  // Milliseconds on a clock that never jumps; timers run on it.
  virtual std::int64_t monotonic_ms() const = 0;
};

// Local system time (std::chrono); used by the program.
class SystemClock final : public Clock {
 public:
  DateTime now() const override;
  std::int64_t monotonic_ms() const override;
};

// A clock that only moves when told to; tests and the timer hub move it.
class ManualClock final : public Clock {
 public:
  explicit ManualClock(DateTime start = 0.0) : wall_(start) {}
  DateTime now() const override { return wall_; }
  std::int64_t monotonic_ms() const override { return mono_ms_; }
  // Moves wall and monotonic time together.
  void advance_ms(std::int64_t ms);
  // Moves wall time only, as a clock change or daylight-saving shift would.
  void set_wall(DateTime t) { wall_ = t; }

 private:
  DateTime wall_;
  std::int64_t mono_ms_ = 0;
};

}  // namespace oxr
