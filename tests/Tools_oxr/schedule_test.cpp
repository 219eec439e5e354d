#include "Tools_oxr/schedule.h"

#include <gtest/gtest.h>

#include "Tools_oxr/data_file.h"
#include "Tools_oxr/date_time.h"
#include "Tools_oxr/texts.h"

namespace oxr {
namespace {

constexpr DateTime kToday = 46365;  // 9 December 2026

TEST(Schedule, StatusTestsKnowEveryStatusWordInBothLanguages) {
  struct Case {
    int message;
    bool please_start, waiting, running;
  };
  const Case cases[] = {
      {27, true, false, false},   // please start / bitte starten
      {28, false, true, false},   // waiting / wartet
      {29, false, false, true},   // running / läuft
      {24, false, false, false},  // terminated / beendet
      {22, false, false, false},  // not started / nicht gestartet
      {25, false, false, false},  // PC-Stop
      {26, false, false, false},  // TC-Stop
  };
  for (int lang = 0; lang <= 1; ++lang) {
    for (const Case& c : cases) {
      const std::string& text = message_text(lang, c.message);
      SCOPED_TRACE(text);
      EXPECT_EQ(is_please_start(text), c.please_start);
      EXPECT_EQ(is_waiting(text), c.waiting);
      EXPECT_EQ(is_running(text), c.running);
    }
  }
  for (const char* other : {"", "b", "TC-Break", "CON-Break", "T-Break"}) {
    SCOPED_TRACE(other);
    EXPECT_FALSE(is_please_start(other));
    EXPECT_FALSE(is_waiting(other));
    EXPECT_FALSE(is_running(other));
  }
}

TEST(Schedule, EndlessMeansLongerThan235959) {
  EXPECT_FALSE(is_endless(encode_time(0, 1, 0)));
  EXPECT_FALSE(is_endless(encode_time(23, 59, 0)));
  EXPECT_FALSE(is_endless(*parse_time("23:59:59")));
  EXPECT_TRUE(is_endless(encode_time(23, 59, 59, 1)));
  EXPECT_TRUE(is_endless(1.0));
}

TEST(Schedule, EndOfCycle) {
  struct Case {
    const char* start;
    DateTime duration;
    int end_day_offset;
    const char* end;
  };
  const Case cases[] = {
      {"23:30", encode_time(0, 30, 0), 1, "00:00:00"},
      {"23:59", encode_time(0, 1, 0), 1, "00:00:00"},
      {"12:00", encode_time(12, 0, 0), 1, "00:00:00"},
      {"10:00", 1.0, 1, "10:00:00"},  // endless: the next day at its own start time
      {"10:00", encode_time(13, 59, 0), 0, "23:59:00"},
      {"23:00", encode_time(23, 59, 0), 1, "22:59:00"},
      {"00:00", encode_time(0, 1, 0), 0, "00:01:00"},
      {"14:05", encode_time(0, 55, 0), 0, "15:00:00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " + " + format_time(c.duration));
    const CycleEnd e = cycle_end(kToday, *parse_time(c.start), c.duration);
    EXPECT_EQ(e.end_date, kToday + c.end_day_offset);
    EXPECT_EQ(format_time(e.end_time), c.end);
    EXPECT_EQ(e.end_time, *parse_time(c.end));  // exactly the time, never a hair off
  }
}

TEST(Schedule, NamesACycleFromItsDateAndNumber) {
  struct Case {
    DateTime date;
    unsigned n;
    const char* expected;
  };
  const Case cases[] = {
      {encode_date(2002, 3, 15), 7, "020315-007"},
      {encode_date(2002, 3, 15), 0, "020315-000"},
      {kToday, 12, "261209-012"},
      {kToday, 99, "261209-099"},
      {kToday, 100, "261209-100"},
      {kToday, 999, "261209-999"},
      {kToday, 1000, "261209-1000"},
      {kToday, 65535, "261209-65535"},
      {encode_date(2100, 1, 2) + 0.75, 1, "000102-001"},  // time of day and century ignored
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(cycle_name(c.date, c.n), c.expected);
    EXPECT_TRUE(is_valid_cycle_name(c.expected));  // every name may name its data file
  }
}

TEST(Schedule, DrawsNumbersPerDayAndNeverGivesThemBack) {
  DayCounters counters;
  reset_day_counters(counters, kToday);
  EXPECT_EQ(draw_cycle_number(counters, kToday, kToday, 77), 0);
  EXPECT_EQ(draw_cycle_number(counters, kToday, kToday, 0), 1);
  EXPECT_EQ(draw_cycle_number(counters, kToday + 14, kToday, 1), 0);
  EXPECT_EQ(draw_cycle_number(counters, kToday + 0.9, kToday, 0), 2);  // time of day ignored
  EXPECT_EQ(counters[0].count, 3);
  EXPECT_EQ(counters[14].count, 1);

  // Outside the window nothing is drawn: the last number comes back and no count moves.
  const DayCounters before = counters;
  EXPECT_EQ(draw_cycle_number(counters, kToday + 15, kToday, 41), 41);
  EXPECT_EQ(draw_cycle_number(counters, kToday - 1, kToday, 42), 42);
  for (int i = 0; i < kDayCounterCount; ++i) EXPECT_EQ(counters[i].count, before[i].count);

  counters[3].count = 65535;
  EXPECT_EQ(draw_cycle_number(counters, kToday + 3, kToday, 0), 65535);
  EXPECT_EQ(counters[3].count, 65535);  // does not wrap back to the day's first names
}

TEST(Schedule, RebasesTheNumberingWindowToToday) {
  struct Case {
    const char* name;
    int days_since_stored;
    bool full_reset;
    std::array<int, kDayCounterCount> counts;
  };
  // Stored counts are 1..15 for entries 0..14.
  const Case cases[] = {
      {"same day", 0, false, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
      {"three days later", 3, false, {4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0, 0, 0}},
      {"fourteen days later", 14, false, {15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"fifteen days later", 15, true, {}},
      {"twenty days later", 20, true, {}},
      {"stored in the future", -1, true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DateTime stored = kToday - c.days_since_stored;
    DayCounters counters;
    for (int i = 0; i < kDayCounterCount; ++i) counters[i] = {std::uint16_t(i + 1), stored + i};
    EXPECT_EQ(rebase_day_counters(counters, stored, kToday), c.full_reset);
    for (int i = 0; i < kDayCounterCount; ++i) {
      EXPECT_EQ(counters[i].date, kToday + i) << i;
      EXPECT_EQ(counters[i].count, c.counts[i]) << i;
    }
  }
}

TEST(Schedule, ACycleNumberedTheDayBeforeKeepsItsCountAfterTheMove) {
  DayCounters counters;
  reset_day_counters(counters, kToday - 1);
  EXPECT_EQ(draw_cycle_number(counters, kToday, kToday - 1, 0), 0);  // for tomorrow
  EXPECT_FALSE(rebase_day_counters(counters, kToday - 1, kToday));
  EXPECT_EQ(draw_cycle_number(counters, kToday, kToday, 0), 1);
}

}  // namespace
}  // namespace oxr
