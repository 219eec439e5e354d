#pragma once
// One running copy per machine: a QLockFile of the given name in the temp folder. The lock
// file records the holder's process; a lock left by a run that crashed is recognised as stale
// (its process is gone) and taken over, so it never blocks the next start.
#include <QLockFile>
#include <QString>
#include <memory>

#include "platform/services.h"

namespace oxr::qt {

class QtInstanceGuard final : public InstanceGuard {
 public:
  // `folder` defaults to the system's temp folder.
  explicit QtInstanceGuard(QString folder = {});
  ~QtInstanceGuard() override;

  bool acquire(const std::string& name) override;
  void release() override;

  QString lock_path(const std::string& name) const;

 private:
  QString folder_;
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace oxr::qt
