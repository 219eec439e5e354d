#include "V_1_0_serie/qt/instance_guard.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDateTime>
#include <QFile>

#include "tests/support/temp_dir.h"
#include "tests/V_1_0_serie/qt_support.h"

namespace oxr::qt {
namespace {

class InstanceGuardTest : public ::testing::Test {
 protected:
  InstanceGuardTest() { oxr::test::qt_app(); }
  oxr::test::TempDir dir;
  QString folder = QString::fromStdString(dir.path().string());
};

TEST_F(InstanceGuardTest, ASecondCopyIsRefusedUntilTheFirstEnds) {
  QtInstanceGuard first(folder);
  QtInstanceGuard second(folder);
  ASSERT_TRUE(first.acquire("v_1_0_serie_p_gesamt"));
  EXPECT_TRUE(QFile::exists(first.lock_path("v_1_0_serie_p_gesamt")));
  EXPECT_FALSE(second.acquire("v_1_0_serie_p_gesamt"));
  EXPECT_TRUE(second.acquire("another_name"));

  first.release();
  EXPECT_FALSE(QFile::exists(first.lock_path("v_1_0_serie_p_gesamt")));
  EXPECT_TRUE(second.acquire("v_1_0_serie_p_gesamt"));
}

TEST_F(InstanceGuardTest, ALockLeftByACrashedRunDoesNotBlock) {
  const std::string name = "v_1_0_serie_p_gesamt";
  QByteArray lock_text;
  {
    QtInstanceGuard crashed(folder);
    ASSERT_TRUE(crashed.acquire(name));
    QFile f(crashed.lock_path(name));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    lock_text = f.readAll();
  }
  // The same lock file, but its holder is a process that has ended.
  const pid_t child = fork();
  if (child == 0) _exit(0);
  ASSERT_GT(child, 0);
  waitpid(child, nullptr, 0);
  QList<QByteArray> lines = lock_text.split('\n');
  ASSERT_FALSE(lines.isEmpty());
  lines[0] = QByteArray::number(child);
  QtInstanceGuard next(folder);
  QFile stale(next.lock_path(name));
  ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
  stale.write(lines.join('\n'));
  stale.close();

  EXPECT_TRUE(next.acquire(name));
}

TEST_F(InstanceGuardTest, ALongRunningCopyKeepsItsLock) {
  // A lock older than QLockFile's default stale time of 30 s is still held while its process
  // lives.
  QtInstanceGuard first(folder);
  ASSERT_TRUE(first.acquire("v_1_0_serie_p_gesamt"));
  QFile lock(first.lock_path("v_1_0_serie_p_gesamt"));
  ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
  ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                               QFileDevice::FileModificationTime));
  lock.close();
  QtInstanceGuard second(folder);
  EXPECT_FALSE(second.acquire("v_1_0_serie_p_gesamt"));
}

}  // namespace
}  // namespace oxr::qt
