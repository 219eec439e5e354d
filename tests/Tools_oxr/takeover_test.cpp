// "Werte übernehmen": new cycles and changed rows under the scheduling rules, with the table,
// the selection, the numbering and the configuration file as an operator finds them after.
#include <gtest/gtest.h>

#include "tests/Tools_oxr/editor_fixture.h"

namespace oxr::test {
namespace {

const std::string kOverlap =
    "Der von Ihnen eingebene Zyklus überschneidet \nsich mit einem bereits erstellten Zyklus!";
const std::string kStartPast =
    "Zyklus ist nicht mehr realisierbar,\ndie Startzeit darf nicht in der Vergangenheit liegen!";
const std::string kSecondEndless =
    "Es befindet sich bereits ein Endlos-Zyklus in der Tabelle.\nWenn Sie einen neuen Zyklus "
    "eingeben wollen, müssen Sie den existierenden Zyklus ändern oder löschen";
const std::string kAfterEndless =
    "Es existiert ein Zyklus im Endlos-Modus.\r\nDa sich der Start des von Ihnen eingegebenen "
    "Zyklus nach dem Start \r\ndes Zyklus im Endlos-Modus befindet, wird dieser nicht "
    "übernommen.";
const std::string kEndlessQuestion =
    "Sie haben einen Zyklus im Endlos-Modus eingegeben.\r\nBei Übernahme werden die folgenden "
    "Zyklen gelöscht.\r\nWerte übernehmen?";

std::string d(int day) { return format_date(kToday + day); }

class TakeoverTest : public EditorFixture {};

TEST_F(TakeoverTest, ANewCycleBecomesTheSelectedFirstRow) {
  for (int mode : {1, 3}) {
    SCOPED_TRACE(mode);
    start(1);
    w().control_mode = mode;
    w().But_new.click();
    type(w().MEdatum, d(1));
    type(w().MEstartz, "23:00");
    type(w().MEcycled, "02:30");
    type(w().MEtarget1, "80");
    type(w().MEhyst1, "4");
    w().RadioBut_prea_on.set_checked(true);
    w().Edit_comment.set_text("Probe ä € Nr. 7");
    w().But_takeover.click();

    EXPECT_TRUE(dialogs.texts().empty());
    ASSERT_EQ(w().cycle_count, 1);
    const CycleRecord& r = row(1);
    EXPECT_EQ(r.cycle_name, "261210-000");
    EXPECT_EQ(r.start_date, kToday + 1);
    EXPECT_EQ(format_time_hm(r.start_time), "23:00");
    EXPECT_EQ(to_ms(r.duration), 150 * kMinuteMs);
    EXPECT_EQ(r.end_date, kToday + 2);  // past midnight
    EXPECT_EQ(format_time_hm(r.end_time), "01:30");
    EXPECT_EQ(r.status_text, "bitte starten");
    EXPECT_EQ(r.set_temp1, 800);
    EXPECT_EQ(r.hyst1, 40);
    // In modes 2 and 3 zone 2 runs on zone 1's values.
    EXPECT_EQ(r.set_temp2, mode == 3 ? 800 : 600);
    EXPECT_EQ(r.hyst2, mode == 3 ? 40 : 10);
    EXPECT_EQ(r.preheating, 1);
    EXPECT_EQ(r.comment, "Probe ä € Nr. 7");
    EXPECT_EQ(w().cell(1, 1).text(), "261210-000");
    EXPECT_EQ(w().cell(1, 3).text(), "23:00");
    EXPECT_EQ(w().cell(1, 6).text(), "bitte starten");
    EXPECT_EQ(selected(), std::vector<int>{1});
    EXPECT_EQ(w().cell(1, 4).color(), Color::Aqua);
    EXPECT_EQ(w().Lab_cycle.caption(), "261210-000");
    EXPECT_EQ(w().day_counters[1].count, 1);
    // The planned cycles survive a restart.
    EXPECT_TRUE(std::filesystem::exists(file("oxrconf.dat")));
  }
}

TEST_F(TakeoverTest, CyclesStandInStartOrderAndTheLastRowIsSelected) {
  plan(1, "08:00", "01:00");
  plan(1, "12:00", "01:00");
  plan(1, "07:00", "00:30");
  EXPECT_EQ(starts(), (std::vector<std::string>{d(1) + " 07:00", d(1) + " 08:00",
                                                d(1) + " 12:00"}));
  EXPECT_EQ(row(1).cycle_name, "261210-002");
  EXPECT_EQ(row(3).cycle_name, "261210-001");
  EXPECT_EQ(w().cell(1, 3).text(), "07:00");
  EXPECT_EQ(w().cell(3, 3).text(), "12:00");
  EXPECT_EQ(w().cycle_count, 3);
  // The latest start is selected and shown, so the next take-over would change it.
  EXPECT_EQ(selected(), std::vector<int>{3});
  EXPECT_EQ(w().MEstartz.text(), "12:00");
}

TEST(StartOrder, OneBackwardPassAndEqualStartsKeepTheOlderRowFirst) {
  auto at = [](int day, int hour, const char* name) {
    CycleRecord r;
    r.cycle_name = name;
    r.start_date = kToday + day;
    r.start_time = hour / 24.0;
    return r;
  };
  std::array<CycleRecord, kRowCount> rows{at(0, 8, "a"), at(0, 12, "b"), at(1, 6, "c"),
                                          at(0, 12, "new")};
  EXPECT_EQ(insert_in_start_order(rows, 4), 3);
  EXPECT_EQ(rows[1].cycle_name, "b");
  EXPECT_EQ(rows[2].cycle_name, "new");
  EXPECT_EQ(rows[3].cycle_name, "c");
  EXPECT_EQ(rows[4], CycleRecord{});
  rows[4] = at(0, 7, "first");
  EXPECT_EQ(insert_in_start_order(rows, 5), 1);
  EXPECT_EQ(rows[0].cycle_name, "first");
  EXPECT_EQ(rows[4].cycle_name, "c");
}

TEST(EndlessPushOut, RowsStartingWithItOrLaterGo) {
  auto at = [](int day, int minutes) {
    CycleRecord r;
    r.start_date = kToday + day;
    r.start_time = minutes / 1440.0;
    return r;
  };
  struct Case {
    std::array<CycleRecord, kRowCount> rows;
    int p;
    int first;
  };
  const Case cases[] = {
      {{at(1, 480), at(1, 720), at(1, 600)}, 3, 2},  // 08:00, 12:00, endless 10:00
      {{at(1, 480), at(1, 540), at(1, 600)}, 3, 0},  // nothing after it
      {{at(1, 600), at(1, 600)}, 2, 1},              // the same start
      {{at(1, 599), at(1, 600)}, 2, 0},              // a minute before stays
      {{at(2, 0), at(1, 600)}, 2, 1},                // a later day
  };
  for (const Case& c : cases) EXPECT_EQ(first_row_pushed_out(c.rows, c.p), c.first);
}

TEST_F(TakeoverTest, OverlapWithAThirtySecondGuardAndNeighbouringDays) {
  struct Cycle {
    int day;
    std::string start;
    std::string duration;
  };
  struct Case {
    const char* name;
    Cycle existing;
    bool terminated;
    Cycle added;
    bool clash;
    int end_shift_s = 0;  // rows the run makes end on odd seconds
  };
  const Case cases[] = {
      {"same day, starts as the other ends", {1, "09:00", "01:00"}, false, {1, "10:00", "00:30"},
       true},
      {"same day, a minute after its end", {1, "09:00", "01:00"}, false, {1, "10:01", "00:30"},
       false},
      {"same day, ends as the other starts", {1, "09:00", "01:00"}, false, {1, "08:00", "01:00"},
       true},
      {"same day, ends a minute before", {1, "09:00", "01:00"}, false, {1, "07:00", "01:59"},
       false},
      {"same day, inside one past midnight", {1, "22:00", "04:00"}, false, {1, "23:00", "00:10"},
       true},
      {"day before, inside its end", {1, "22:00", "04:00"}, false, {2, "01:30", "00:10"}, true},
      {"day before, after its end", {1, "22:00", "04:00"}, false, {2, "02:01", "00:10"}, false},
      {"day after, runs into it", {2, "00:30", "01:00"}, false, {1, "23:00", "01:30"}, true},
      {"day after, ends at midnight", {2, "00:30", "01:00"}, false, {1, "23:00", "01:00"}, false},
      {"two days apart", {1, "22:00", "04:00"}, false, {3, "01:00", "00:10"}, false},
      {"a terminated cycle never clashes", {1, "09:00", "01:00"}, true, {1, "09:30", "00:30"},
       false},
      {"ended 20 s before: inside the guard", {1, "09:00", "01:00"}, false,
       {1, "10:00", "00:30"}, true, -20},
      {"ended 40 s before: outside the guard", {1, "09:00", "01:00"}, false,
       {1, "10:00", "00:30"}, false, -40},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    start(1);
    plan(c.existing.day, c.existing.start, c.existing.duration);
    ASSERT_EQ(w().cycle_count, 1);
    if (c.terminated) w().schedule.rows[0].status_text = "beendet";
    w().schedule.rows[0].end_time += c.end_shift_s / 86400.0;
    dialogs.clear_shown();
    plan(c.added.day, c.added.start, c.added.duration);
    EXPECT_EQ(w().cycle_count, c.clash ? 1 : 2);
    EXPECT_EQ(dialogs.messages(),
              c.clash ? std::vector<std::string>{kOverlap} : std::vector<std::string>{});
    if (c.clash) {
      EXPECT_EQ(row(2), w().schedule.blank_row);
    }
  }
}

TEST_F(TakeoverTest, AStartInThePastIsDroppedAndItsNumberStaysUsed) {
  plan(0, "10:01", "00:10");
  w().But_new.click();
  type(w().MEstartz, "10:03");
  advance_ms(5 * 60'000);  // the operator waits until 10:05
  dialogs.clear_shown();
  w().But_takeover.click();
  EXPECT_EQ(dialogs.messages(), std::vector<std::string>{kStartPast});
  EXPECT_EQ(w().cycle_count, 1);
  EXPECT_EQ(row(2), w().schedule.blank_row);
  EXPECT_TRUE(selected().empty());
  plan(0, "10:30", "00:10");
  EXPECT_EQ(row(2).cycle_name, "261209-002");
}

TEST_F(TakeoverTest, ASixthCycleIsRefusedButASelectedRowMayStillChange) {
  for (const char* t : {"01:00", "03:00", "05:00", "07:00", "09:00"}) plan(1, t, "01:00");
  ASSERT_EQ(w().cycle_count, 5);
  std::filesystem::remove(file("oxrconf.dat"));
  dialogs.clear_shown();
  plan(1, "11:00", "01:00");
  EXPECT_EQ(dialogs.messages(),
            std::vector<std::string>{"Es kann kein weiterer Zyklus erstellt werden.\rWenn Sie "
                                     "weitere Zyklen erstellen wollen, müssen Sie einen Zyklus "
                                     "löschen."});
  EXPECT_EQ(w().cycle_count, 5);
  // Rewritten after a refusal too.
  EXPECT_TRUE(std::filesystem::exists(file("oxrconf.dat")));

  w().cell(5, 1).enter();
  type(w().MEstartz, "10:00");
  w().But_takeover.click();
  EXPECT_EQ(w().cycle_count, 5);
  EXPECT_EQ(start_of(5), d(1) + " 10:00");
}

TEST_F(TakeoverTest, EndlessCycles) {
  // Into an empty table without a question.
  plan(1, "10:00", "endless");
  EXPECT_TRUE(dialogs.texts().empty());
  ASSERT_EQ(w().cycle_count, 1);
  EXPECT_EQ(row(1).duration, 1.0);
  EXPECT_EQ(row(1).end_date, kToday + 2);
  EXPECT_EQ(format_time_hm(row(1).end_time), "10:00");
  EXPECT_EQ(selected(), std::vector<int>{1});

  // A second endless cycle is refused.
  plan(3, "10:00", "endless");
  EXPECT_EQ(dialogs.messages(), std::vector<std::string>{kSecondEndless});
  EXPECT_EQ(w().cycle_count, 1);

  // A cycle after it goes in behind it and is removed again by the clean-up.
  dialogs.clear_shown();
  plan(2, "12:00", "01:00");
  EXPECT_EQ(dialogs.messages(), std::vector<std::string>{kAfterEndless});
  EXPECT_EQ(w().cycle_count, 1);
  EXPECT_EQ(row(2), w().schedule.blank_row);
  EXPECT_TRUE(w().row_is_blank(2));
  EXPECT_EQ(selected(), std::vector<int>{1});
}

TEST_F(TakeoverTest, AnEndlessCycleAmongOthersAsksFirst) {
  for (bool yes : {true, false}) {
    SCOPED_TRACE(yes);
    start(1);
    plan(1, "08:00", "01:00");
    plan(1, "12:00", "01:00");
    dialogs.answer_confirm(yes);
    plan(1, "10:00", "endless");
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const ConfirmRequest& q = dialogs.shown()[0].confirm;
    EXPECT_EQ(q.text, kEndlessQuestion);
    EXPECT_EQ(q.caption, "OXR - Pump Control");
    EXPECT_EQ(q.yes_label, "Ja");
    EXPECT_EQ(q.no_label, "Nein");
    EXPECT_EQ(w().cycle_count, 2);
    EXPECT_EQ(selected(), std::vector<int>{2});
    if (yes) {
      // The 12:00 cycle is gone; the endless one is row 2.
      EXPECT_EQ(starts(), (std::vector<std::string>{d(1) + " 08:00", d(1) + " 10:00"}));
      EXPECT_EQ(row(2).duration, 1.0);
      EXPECT_TRUE(w().row_is_blank(3));
    } else {
      EXPECT_EQ(starts(), (std::vector<std::string>{d(1) + " 08:00", d(1) + " 12:00"}));
    }
  }
}

TEST_F(TakeoverTest, ChangingTheSelectedRow) {
  // The first take-over leaves its row selected: the second changes it.
  plan(1, "08:00", "01:00");
  type(w().MEstartz, "09:00");
  w().But_takeover.click();
  EXPECT_EQ(w().cycle_count, 1);
  EXPECT_EQ(row(1).cycle_name, "261210-000");  // same date keeps the name
  EXPECT_EQ(start_of(1), d(1) + " 09:00");
  EXPECT_EQ(w().day_counters[1].count, 1);

  // A new date draws a new number; the old one is not given back.
  type(w().MEdatum, d(2));
  w().But_takeover.click();
  EXPECT_EQ(row(1).cycle_name, "261211-000");
  EXPECT_EQ(row(1).start_date, kToday + 2);
  EXPECT_EQ(w().day_counters[1].count, 1);
  EXPECT_EQ(w().day_counters[2].count, 1);

  // A date typed and not yet checked: the number and the name come from the checked date.
  w().MEdatum.set_text(d(5));
  w().But_takeover.click();
  EXPECT_EQ(row(1).cycle_name, "261214-000");
  EXPECT_EQ(row(1).start_date, kToday + 5);
  EXPECT_EQ(w().day_counters[5].count, 1);
  EXPECT_EQ(selected(), std::vector<int>{1});
  EXPECT_EQ(w().Lab_cycle.caption(), "261214-000");
}

TEST_F(TakeoverTest, AChangedRowMovesToItsPlaceAndTheSameRowIsPickedAgain) {
  plan(1, "08:00", "01:00");
  plan(1, "12:00", "01:00");
  w().cell(1, 1).enter();
  type(w().MEstartz, "14:00");
  w().But_takeover.click();
  EXPECT_EQ(starts(), (std::vector<std::string>{d(1) + " 12:00", d(1) + " 14:00"}));
  EXPECT_EQ(row(2).cycle_name, "261210-000");
  // Row 1, now the 12:00 cycle, is picked again.
  EXPECT_EQ(selected(), std::vector<int>{1});
  EXPECT_EQ(w().MEstartz.text(), "12:00");
}

TEST_F(TakeoverTest, AChangeThatFailsKeepsThePreviousVersion) {
  // An overlap.
  plan(1, "08:00", "01:00");
  plan(1, "12:00", "01:00");
  w().cell(2, 1).enter();
  type(w().MEstartz, "08:30");
  dialogs.clear_shown();
  w().But_takeover.click();
  EXPECT_EQ(dialogs.messages(), std::vector<std::string>{kOverlap});
  EXPECT_EQ(starts(), (std::vector<std::string>{d(1) + " 08:00", d(1) + " 12:00"}));
  EXPECT_EQ(w().cycle_count, 2);
  EXPECT_EQ(w().schedule.saved_row, w().schedule.blank_row);

  // A start that has passed while a box of the checks was open.
  start(1);
  plan(0, "10:30", "00:10");
  w().MEstartz.set_text("10:05");
  w().MEtarget1.set_text("999");
  dialogs.clear_shown();
  dialogs.while_next_message([this] { advance_ms(10 * 60'000); });
  w().But_takeover.click();
  const std::vector<std::string> msgs = dialogs.messages();
  ASSERT_EQ(msgs.size(), 2u);
  EXPECT_EQ(msgs[0].rfind("'  999  '", 0), 0u);
  EXPECT_EQ(msgs[1], kStartPast);
  EXPECT_EQ(w().cycle_count, 1);
  EXPECT_EQ(start_of(1), d(0) + " 10:30");
  EXPECT_EQ(row(1).set_temp1, 600);
  EXPECT_EQ(row(1).cycle_name, "261209-000");
}

TEST_F(TakeoverTest, ChangingARowToEndlessRemovesTheLaterRowsOnYes) {
  plan(1, "08:00", "01:00");
  plan(1, "12:00", "01:00");
  plan(1, "15:00", "01:00");
  w().cell(1, 1).enter();
  w().CheckBox_endlos.set_checked(true);
  dialogs.clear_shown();
  dialogs.answer_confirm(true);
  w().But_takeover.click();
  // Confirmed: the clean-up removes nothing more and says nothing.
  EXPECT_EQ(dialogs.messages(), std::vector<std::string>{});
  EXPECT_EQ(w().cycle_count, 1);
  EXPECT_EQ(row(1).duration, 1.0);
  EXPECT_EQ(row(2), w().schedule.blank_row);
  EXPECT_EQ(w().confirmed_endless, 0);

  // No: the previous version comes back.
  start(1);
  plan(1, "08:00", "01:00");
  plan(1, "12:00", "01:00");
  w().cell(1, 1).enter();
  w().CheckBox_endlos.set_checked(true);
  dialogs.answer_confirm(false);
  w().But_takeover.click();
  EXPECT_EQ(w().cycle_count, 2);
  EXPECT_EQ(to_ms(row(1).duration), 60 * kMinuteMs);
}

TEST_F(TakeoverTest, ADurationSteppedToMidnightIsNoEndlessCycle) {
  w().But_new.click();
  type(w().MEdatum, d(1));
  type(w().MEstartz, "08:00");
  type(w().MEcycled, "23:00");
  w().SpeButdurhourup.click();
  EXPECT_EQ(w().MEcycled.text(), "00:00");
  w().But_takeover.click();
  ASSERT_EQ(w().cycle_count, 1);
  EXPECT_EQ(to_ms(row(1).duration), kMinuteMs);
  EXPECT_FALSE(w().CheckBox_endlos.checked());
  EXPECT_TRUE(dialogs.texts().empty());
}

}  // namespace
}  // namespace oxr::test
