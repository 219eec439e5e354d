#include "V_1_0_serie/qt/timer_driver.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>

#include "tests/V_1_0_serie/qt_support.h"

namespace oxr::qt {
namespace {

class TimerDriverTest : public ::testing::Test {
 protected:
  TimerDriverTest() { oxr::test::qt_app(); }
  // Runs the event loop until `loop` quits or two seconds pass; false on the time-out.
  static bool run(QEventLoop& loop) {
    bool timed_out = false;
    QTimer::singleShot(2000, &loop, [&] {
      timed_out = true;
      loop.quit();
    });
    loop.exec();
    return !timed_out;
  }
  SystemClock clock;
  TimerHub hub{clock};
};

TEST_F(TimerDriverTest, WakesTheHubWhenATimerIsDue) {
  QtTimerDriver driver(hub);
  EXPECT_FALSE(driver.armed());  // nothing enabled, nothing to wait for
  Timer t(hub, "TIsend", 50);
  QEventLoop loop;
  int fired = 0;
  std::int64_t second_at = 0;
  t.OnTimer = [&] {
    ++fired;
    if (fired == 2) {
      second_at = clock.monotonic_ms();
      loop.quit();
    }
  };
  const std::int64_t enabled_at = clock.monotonic_ms();
  t.set_enabled(true);
  EXPECT_TRUE(driver.armed());
  ASSERT_TRUE(run(loop));
  EXPECT_EQ(fired, 2);  // periodic: the single-shot driver re-armed itself
  EXPECT_GE(second_at - enabled_at, 100);  // never early

  t.set_enabled(false);
  EXPECT_FALSE(driver.armed());
}

TEST_F(TimerDriverTest, TimersGoOnFiringWhileAHandlerWaitsInANestedLoop) {
  QtTimerDriver driver(hub);
  Timer box_opener(hub, "Timer1", 30);
  Timer other(hub, "TIresponse", 80);
  QEventLoop outer;
  // Counted, not overwritten: `other` also falls due in the very round the box closes in
  // (80, 160, 240 ms against a box from 30 to about 240 ms), and that later firing must not
  // hide the ones that came while the box was up.
  int fired_inside = 0;
  bool box_open = false;
  other.OnTimer = [&] {
    if (box_open) ++fired_inside;
  };
  // As a modal box does: a nested loop while the handler waits for the operator. The handler
  // touches no timer first, so nothing but the driver itself can wake the hub meanwhile.
  bool box_shown = false;
  box_opener.OnTimer = [&] {
    if (box_shown) return;
    box_shown = box_open = true;
    QEventLoop box;
    QTimer::singleShot(200, &box, &QEventLoop::quit);
    box.exec();
    box_open = false;
    box_opener.set_enabled(false);
    outer.quit();
  };
  box_opener.set_enabled(true);
  other.set_enabled(true);
  ASSERT_TRUE(run(outer));
  EXPECT_TRUE(box_shown);
  EXPECT_GE(fired_inside, 1);
}

TEST_F(TimerDriverTest, ADisabledTimerNeverFires) {
  QtTimerDriver driver(hub);
  Timer quiet(hub, "Timer3", 20);
  Timer marker(hub, "Timer2", 120);
  bool quiet_fired = false;
  quiet.OnTimer = [&] { quiet_fired = true; };
  QEventLoop loop;
  marker.OnTimer = [&] { loop.quit(); };
  quiet.set_enabled(true);
  marker.set_enabled(true);
  quiet.set_enabled(false);
  ASSERT_TRUE(run(loop));
  EXPECT_FALSE(quiet_fired);
}

}  // namespace
}  // namespace oxr::qt
