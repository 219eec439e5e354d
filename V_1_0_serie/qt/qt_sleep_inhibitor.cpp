#include "V_1_0_serie/qt/qt_sleep_inhibitor.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusUnixFileDescriptor>
#endif

namespace oxr::qt {

namespace {
#ifndef Q_OS_WIN
const char* const kLoginService = "org.freedesktop.login1";
const char* const kLoginPath = "/org/freedesktop/login1";
const char* const kLoginManager = "org.freedesktop.login1.Manager";
const char* const kWho = "OXR Pump Control";
const char* const kPrivateBusName = "oxr-sleep-inhibitor";
// START waits for the answer; a login manager that does not answer must not hold it up long.
constexpr int kCallTimeoutMs = 3000;
#endif
}  // namespace

#ifdef Q_OS_WIN
struct QtSleepInhibitor::Lock {
  ~Lock() { SetThreadExecutionState(ES_CONTINUOUS); }
};
#else
struct QtSleepInhibitor::Lock {
  // The lock lasts while this descriptor is open; its copy closes with the object.
  QDBusUnixFileDescriptor fd;
};
#endif

QtSleepInhibitor::QtSleepInhibitor(QString bus_address) : bus_address_(std::move(bus_address)) {}

QtSleepInhibitor::~QtSleepInhibitor() {
  release();
#ifndef Q_OS_WIN
  if (!bus_address_.isEmpty()) QDBusConnection::disconnectFromBus(QLatin1String(kPrivateBusName));
#endif
}

bool QtSleepInhibitor::acquire(const std::string& reason) {
  if (lock_) return true;
#ifdef Q_OS_WIN
  (void)reason;
  if (SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED) == 0) return false;
  lock_ = std::make_unique<Lock>();
  return true;
#else
  QDBusConnection bus = bus_address_.isEmpty() ? QDBusConnection::systemBus()
                                               : QDBusConnection::connectToBus(
                                                     bus_address_, QLatin1String(kPrivateBusName));
  if (!bus.isConnected()) return false;
  QDBusMessage call =
      QDBusMessage::createMethodCall(QLatin1String(kLoginService), QLatin1String(kLoginPath),
                                     QLatin1String(kLoginManager), QStringLiteral("Inhibit"));
  call << QStringLiteral("sleep") << QLatin1String(kWho) << QString::fromStdString(reason)
       << QStringLiteral("block");
  const QDBusReply<QDBusUnixFileDescriptor> reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
  if (!reply.isValid() || !reply.value().isValid()) return false;
  lock_ = std::make_unique<Lock>(Lock{reply.value()});
  return true;
#endif
}

void QtSleepInhibitor::release() {
  lock_.reset();
}

}  // namespace oxr::qt
