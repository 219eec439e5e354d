#pragma once
// Keeps the PC from suspending: on Linux the login manager's inhibitor lock over D-Bus (held
// as long as its file descriptor stays open), on Windows the thread's execution state.
// Where neither exists (a bare container, no system bus) acquire fails quietly.
#include <QString>
#include <memory>

#include "platform/sleep_inhibitor.h"

namespace oxr::qt {

class QtSleepInhibitor : public SleepInhibitor {
 public:
  // bus_address: empty for the system bus; a test hands in a bus of its own.
  explicit QtSleepInhibitor(QString bus_address = {});
  ~QtSleepInhibitor() override;
  QtSleepInhibitor(const QtSleepInhibitor&) = delete;
  QtSleepInhibitor& operator=(const QtSleepInhibitor&) = delete;

  bool acquire(const std::string& reason) override;
  void release() override;
  bool held() const { return lock_ != nullptr; }

 private:
  struct Lock;
  QString bus_address_;
  std::unique_ptr<Lock> lock_;
};

}  // namespace oxr::qt
