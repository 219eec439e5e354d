#include "platform/timer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/scripted_dialogs.h"

namespace oxr {
namespace {

class TimerTest : public ::testing::Test {
 protected:
  ManualClock clock{1000.0};
  TimerHub hub{clock};
  std::vector<std::string> fired;

  void record(Timer& t) {
    t.OnTimer = [this, &t] { fired.push_back(t.name() + "@" + std::to_string(clock.monotonic_ms())); };
  }
};

TEST_F(TimerTest, DueTimersFireInTimeOrderAndTiesInCreationOrder) {
  Timer slow(hub, "slow", 1000);
  Timer fast(hub, "fast", 200);
  Timer tie(hub, "tie", 1000);
  for (Timer* t : {&slow, &fast, &tie}) {
    record(*t);
    t->set_enabled(true);
  }
  hub.advance(clock, 1000);
  EXPECT_EQ(fired, (std::vector<std::string>{"fast@200", "fast@400", "fast@600", "fast@800",
                                             "slow@1000", "fast@1000", "tie@1000"}));
  EXPECT_EQ(clock.monotonic_ms(), 1000);
  EXPECT_DOUBLE_EQ(clock.now(), 1000.0 + 1.0 / 86400.0);
}

TEST_F(TimerTest, EnablingStartsAFreshIntervalAndReEnablingChangesNothing) {
  Timer t(hub, "t", 1000);
  record(t);
  t.set_enabled(true);
  hub.advance(clock, 600);
  t.set_enabled(true);  // already on: the interval keeps running
  hub.advance(clock, 400);
  ASSERT_EQ(fired, (std::vector<std::string>{"t@1000"}));
  hub.advance(clock, 300);
  t.set_enabled(false);
  t.set_enabled(true);  // off and on again: a fresh interval from 1300
  hub.advance(clock, 999);
  EXPECT_EQ(fired.size(), 1u);
  hub.advance(clock, 1);
  EXPECT_EQ(fired.back(), "t@2300");
}

TEST_F(TimerTest, DisabledTimerNeverFiresAndAHandlerCanStopItself) {
  Timer off(hub, "off", 100);
  Timer once(hub, "once", 100);
  record(off);
  once.OnTimer = [&] {
    fired.push_back("once");
    once.set_enabled(false);
  };
  once.set_enabled(true);
  hub.advance(clock, 1000);
  EXPECT_EQ(fired, (std::vector<std::string>{"once"}));
  EXPECT_FALSE(hub.next_due_ms().has_value());
}

TEST_F(TimerTest, OtherTimersKeepFiringWhileABoxIsOpen) {
  ScriptedDialogs dialogs;
  Timer ticker(hub, "ticker", 1000);
  Timer boxer(hub, "boxer", 500);
  record(ticker);
  boxer.OnTimer = [&] {
    boxer.set_enabled(false);
    // The operator waits three seconds before closing the box.
    dialogs.while_next_message([&] { hub.advance(clock, 3000); });
    dialogs.message("box");
    fired.push_back("box closed@" + std::to_string(clock.monotonic_ms()));
  };
  ticker.set_enabled(true);
  boxer.set_enabled(true);
  hub.advance(clock, 4000);
  EXPECT_EQ(fired, (std::vector<std::string>{"ticker@1000", "ticker@2000", "ticker@3000",
                                             "box closed@3500", "ticker@4000"}));
}

TEST_F(TimerTest, ScheduleChangesAreAnnounced) {
  int announced = 0;
  hub.on_schedule_changed = [&] { ++announced; };
  Timer t(hub, "t", 100);
  t.set_enabled(true);
  EXPECT_EQ(hub.next_due_ms(), 100);
  EXPECT_GT(announced, 0);
}

}  // namespace
}  // namespace oxr
