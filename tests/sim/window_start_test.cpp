// START's choice of the cycle to run, with late starts and cycles that can no longer run.
#include "tests/sim/window_run_support.h"

namespace oxr::test {
namespace {

DateTime at(int h, int m, int s = 0) { return (h * 3600 + m * 60 + s) / 86400.0; }

class WindowStart : public RunFixture {
 protected:
  // The window at `time` on the run day, connected.
  void open_at(DateTime time) {
    clock.set_wall(kRunDay + time);
    open_window(4);
  }
};

TEST_F(WindowStart, ALateStartRunsFromTheCurrentMinuteToThePlannedEnd) {
  open_at(at(8, 20, 33));
  put_row(1, "261209-003", kRunDay, at(8, 0), at(1, 0));
  ASSERT_EQ(format_time(clock.now()), "08:20:35");
  w().But_start.click();
  EXPECT_EQ(w().cell(1, 3).text(), "08:20");
  EXPECT_EQ(to_ms(row(1).duration), 40 * kMinuteMs);
  EXPECT_EQ(status_cell(1), "wartet");
  EXPECT_TRUE(dialogs.messages().empty());
  advance_ms(1000);  // 08:20:36: due, with the time rounded down to 08:20:30
  EXPECT_EQ(status_cell(1), "läuft");
  EXPECT_EQ(to_ms(row(1).duration), 39 * kMinuteMs + 30000);
  advance_ms(3000);
  EXPECT_EQ(controller().settings().duration_steps, w().duration_ticks);
  EXPECT_EQ(w().duration_ticks, 238);
}

TEST_F(WindowStart, AnEndlessLateStartEndsADayAfterItsNewStart) {
  open_at(at(7, 15, 18));
  put_row(1, "261209-000", kRunDay, at(6, 0), 1.0);
  w().But_start.click();
  EXPECT_EQ(w().cell(1, 3).text(), "07:15");
  EXPECT_EQ(row(1).end_date, kRunDay + 1);
  EXPECT_EQ(w().cell(1, 4).text(), "10.12.2026");
  EXPECT_EQ(w().cell(1, 5).text(), "07:15");
  EXPECT_EQ(row(1).duration, 1.0);
}

TEST_F(WindowStart, CyclesThatCanNoLongerRunAreMarkedNotStarted) {
  struct Case {
    std::string name;
    DateTime start_date, start_time, duration;
    std::string message;
  };
  const Case cases[] = {
      {"start date yesterday, end still ahead", kRunDay - 1, at(23, 0), at(23, 0),
       "Zyklus 261208-000 nicht mehr realisierbar! Bitte löschen."},
      {"start and end passed today", kRunDay, at(7, 0), at(1, 0),
       "Die Restlaufzeit ist zu kurz oder die Endzeit von Zyklus 261208-000 ist schon "
       "überschritten. \nDer Zyklus kann nicht mehr gestartet werden."},
  };
  open_at(at(8, 20, 33));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.clear_shown();
    put_row(1, "261208-000", c.start_date, c.start_time, c.duration);
    w().But_start.click();
    EXPECT_EQ(dialogs.messages(), std::vector<std::string>{c.message});
    EXPECT_EQ(status_cell(1), "nicht gestartet");
    EXPECT_FALSE(w().Timer3.enabled());
    EXPECT_EQ(w().start_active, 0);
    EXPECT_TRUE(w().But_start.enabled());
    advance_ms(60000);
    EXPECT_TRUE(frames_from_pc().empty());
  }
}

TEST_F(WindowStart, TheEarlierOfTwoCyclesIsSelectedAndBothWait) {
  open_at(at(10, 0));
  plan(0, "12:00", "01:00");
  plan(0, "11:00", "00:30");
  w().But_start.click();
  EXPECT_EQ(w().cell(1, 3).text(), "11:00");
  EXPECT_EQ(w().row_selected[0], 1);
  EXPECT_EQ(w().row_selected[1], 0);
  EXPECT_EQ(row_colour(1), Color::Red);
  EXPECT_EQ(status_cell(1), "wartet");
  EXPECT_EQ(status_cell(2), "wartet");
  EXPECT_EQ(w().Lab_cycle.caption(), row(1).cycle_name) << "loaded into the editor";
}

TEST_F(WindowStart, StartWithoutTheControllerOnlyTellsSo) {
  open_at(at(10, 0));
  plan(0, "11:00", "00:30");
  controller().inject(sim::Fault::LineDown);
  advance_ms(1000);
  dialogs.clear_shown();
  w().But_start.click();
  EXPECT_EQ(dialogs.messages(),
            std::vector<std::string>{"Keine Temperatursteuerung angeschlossen"});
  EXPECT_EQ(status_cell(1), "bitte starten");
  EXPECT_EQ(w().start_active, 0);
  EXPECT_FALSE(w().Timer3.enabled());
}

TEST_F(WindowStart, NoCycleToStart) {
  open_at(at(10, 0));
  w().But_start.click();
  EXPECT_EQ(dialogs.messages(),
            std::vector<std::string>{"Kein Messzyklus mit Status 'bitte starten'"});
  EXPECT_EQ(w().StatusBar1.panel(0), "Kein Messzyklus mit Status 'bitte starten'");
  EXPECT_EQ(w().start_active, 0);
}

TEST_F(WindowStart, ACycleTomorrowWaitsThroughMidnight) {
  open_at(at(23, 58));
  plan(1, "00:02", "00:10");
  w().But_start.click();
  ASSERT_EQ(status_cell(1), "wartet");
  advance_ms(3 * 60 * 1000);  // 00:01:02
  EXPECT_EQ(status_cell(1), "wartet");
  advance_ms(60 * 1000);
  EXPECT_EQ(status_cell(1), "läuft");
  EXPECT_EQ(format_date(clock.now()), "10.12.2026");
}

}  // namespace
}  // namespace oxr::test
