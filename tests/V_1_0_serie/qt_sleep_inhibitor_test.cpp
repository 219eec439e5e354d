// The inhibitor lock against a bus of our own with a stand-in login manager: the lock is the
// descriptor the manager hands out, held open while armed and closed on release.
#include "V_1_0_serie/qt/qt_sleep_inhibitor.h"

#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <poll.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QThread>
#include <filesystem>
#include <memory>
#include <mutex>

#include "tests/V_1_0_serie/qt_app.h"
#include "tests/support/temp_dir.h"

namespace oxr::qt {
namespace {

// org.freedesktop.login1.Manager.Inhibit as logind answers it: the write end of a pipe whose
// read end sees its end once every copy of the lock is closed.
class FakeLoginManager : public QDBusVirtualObject {
 public:
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    if (message.member() != QLatin1String("Inhibit")) return false;
    int fds[2];
    if (::pipe(fds) != 0) return false;
    {
      std::lock_guard<std::mutex> lock(mutex);
      QStringList args;
      for (const QVariant& a : message.arguments()) args << a.toString();
      calls << args.join(QLatin1Char('|'));
      if (read_end >= 0) ::close(read_end);
      read_end = fds[0];
    }
    const QDBusUnixFileDescriptor lock_fd(fds[1]);  // takes a copy
    ::close(fds[1]);
    connection.send(message.createReply(QVariant::fromValue(lock_fd)));
    return true;
  }
  QString introspect(const QString&) const override { return {}; }

  // True when every copy of the lock's descriptor has been closed.
  bool lock_closed(int wait_ms) {
    int fd = -1;
    {
      std::lock_guard<std::mutex> lock(mutex);
      fd = read_end;
    }
    if (fd < 0) return false;
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, wait_ms) == 1 && (p.revents & (POLLHUP | POLLIN)) != 0;
  }

  std::mutex mutex;
  QStringList calls;
  int read_end = -1;
};

class PrivateBus {
 public:
  PrivateBus() {
    test::ensure_application();
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty()) return;
    config_ = dir_.path() / "bus.conf";
    test::write_bytes(config_,
                      "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
                      "1.0//EN\" \"http://www.freedesktop.org/standards/dbus/1.0/"
                      "busconfig.dtd\">\n<busconfig><type>session</type><listen>unix:dir=" +
                          dir_.path().string() +
                          "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                          "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
                          "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n");
    process_.start(daemon, {QStringLiteral("--config-file=") + QString::fromStdString(config_),
                            QStringLiteral("--nofork"), QStringLiteral("--print-address")});
    if (!process_.waitForStarted(5000)) return;
    while (!process_.canReadLine() && process_.waitForReadyRead(5000)) {
    }
    address_ = QString::fromUtf8(process_.readLine()).trimmed();
  }
  ~PrivateBus() {
    process_.terminate();
    process_.waitForFinished(5000);
  }
  const QString& address() const { return address_; }

 private:
  test::TempDir dir_;
  std::filesystem::path config_;
  QProcess process_;
  QString address_;
};

// The login manager on its own thread, as it is in its own process on a real machine.
class LoginManagerOnBus {
 public:
  explicit LoginManagerOnBus(const QString& address) {
    thread_.start();
    manager_.moveToThread(&thread_);
    connection_ = std::make_unique<QDBusConnection>(
        QDBusConnection::connectToBus(address, QStringLiteral("fake-login1")));
    ok_ = connection_->isConnected() &&
          connection_->registerService(QStringLiteral("org.freedesktop.login1")) &&
          connection_->registerVirtualObject(QStringLiteral("/org/freedesktop/login1"), &manager_);
  }
  ~LoginManagerOnBus() {
    connection_->unregisterObject(QStringLiteral("/org/freedesktop/login1"));
    connection_.reset();
    QDBusConnection::disconnectFromBus(QStringLiteral("fake-login1"));
    thread_.quit();
    thread_.wait();
    if (manager_.read_end >= 0) ::close(manager_.read_end);
  }
  bool ok() const { return ok_; }
  FakeLoginManager& manager() { return manager_; }

 private:
  QThread thread_;
  FakeLoginManager manager_;
  std::unique_ptr<QDBusConnection> connection_;
  bool ok_ = false;
};

TEST(QtSleepInhibitor, HoldsTheLoginManagersLockUntilReleased) {
  PrivateBus bus;
  if (bus.address().isEmpty()) GTEST_SKIP() << "no dbus-daemon on this machine";
  LoginManagerOnBus login(bus.address());
  ASSERT_TRUE(login.ok());

  QtSleepInhibitor inhibitor(bus.address());
  ASSERT_TRUE(inhibitor.acquire("cycles armed"));
  EXPECT_TRUE(inhibitor.held());
  EXPECT_TRUE(inhibitor.acquire("cycles armed"));  // already held: no second lock
  {
    std::lock_guard<std::mutex> lock(login.manager().mutex);
    EXPECT_EQ(login.manager().calls,
              QStringList{QStringLiteral("sleep|OXR Pump Control|cycles armed|block")});
  }
  EXPECT_FALSE(login.manager().lock_closed(300));

  inhibitor.release();
  EXPECT_FALSE(inhibitor.held());
  EXPECT_TRUE(login.manager().lock_closed(3000));
  inhibitor.release();  // leaving the run mode twice is harmless
}

TEST(QtSleepInhibitor, QuietWhereNoLoginManagerAnswers) {
  PrivateBus bus;
  if (bus.address().isEmpty()) GTEST_SKIP() << "no dbus-daemon on this machine";
  {
    QtSleepInhibitor inhibitor(bus.address());  // a bus without the service
    EXPECT_FALSE(inhibitor.acquire("cycles armed"));
    EXPECT_FALSE(inhibitor.held());
    inhibitor.release();
  }
  QtSleepInhibitor nowhere(QStringLiteral("unix:path=/nonexistent/bus"));
  EXPECT_FALSE(nowhere.acquire("cycles armed"));
  EXPECT_FALSE(nowhere.held());
}

}  // namespace
}  // namespace oxr::qt
#endif
