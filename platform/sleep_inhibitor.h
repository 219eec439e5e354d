#pragma once
// Keeps the computer from suspending while cycles are armed: a sleeping PC stops the sign of
// life, and the controller then breaks the cycle off.
#include <string>

namespace oxr {

class SleepInhibitor {
 public:
  virtual ~SleepInhibitor() = default;
  // Asks the system not to suspend or hibernate until release. False where the system offers
  // no such request (nothing is reported then; the run goes on as before).
  virtual bool acquire(const std::string& reason) = 0;
  virtual void release() = 0;
};

// For machines without such a service, and for tests that do not look at it.
class NullSleepInhibitor : public SleepInhibitor {
 public:
  bool acquire(const std::string&) override { return false; }
  void release() override {}
};

}  // namespace oxr
