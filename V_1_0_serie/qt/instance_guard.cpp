#include "V_1_0_serie/qt/instance_guard.h"

#include <QDir>

#include "V_1_0_serie/qt/bind.h"

namespace oxr::qt {

QtInstanceGuard::QtInstanceGuard(QString folder)
    : folder_(folder.isEmpty() ? QDir::tempPath() : std::move(folder)) {}

QtInstanceGuard::~QtInstanceGuard() { release(); }

QString QtInstanceGuard::lock_path(const std::string& name) const {
  return QDir(folder_).filePath(to_qt(name));
}

bool QtInstanceGuard::acquire(const std::string& name) {
  release();
  auto lock = std::make_unique<QLockFile>(lock_path(name));
  // Staleness by the holder's process only: by age, a copy running longer than the default
  // 30 s would lose its lock to the next start.
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) return false;
  lock_ = std::move(lock);
  return true;
}

void QtInstanceGuard::release() {
  if (lock_) lock_->unlock();
  lock_.reset();
}

}  // namespace oxr::qt
