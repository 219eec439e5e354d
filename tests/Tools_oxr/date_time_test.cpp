#include "Tools_oxr/date_time.h"

#include <gtest/gtest.h>

#include <string>

namespace oxr {
namespace {

TEST(DateTime, EncodesKnownDays) {
  struct Case {
    int y, m, d;
    DateTime expected;
  };
  // Day numbers of the usual day count (30 December 1899 = 0), across century and leap rules.
  const Case cases[] = {
      {1899, 12, 30, 0},    {1900, 3, 1, 61},     {1600, 3, 1, -109511},
      {2000, 2, 29, 36585}, {2024, 2, 29, 45351}, {2026, 12, 9, 46365},
      {2100, 3, 1, 73110},  {1, 1, 1, -693593},   {9999, 12, 31, 2958465},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.y) + "-" + std::to_string(c.m) + "-" + std::to_string(c.d));
    EXPECT_EQ(encode_date(c.y, c.m, c.d), c.expected);
    const DateParts p = decode(c.expected);
    EXPECT_EQ(p.year, c.y);
    EXPECT_EQ(p.month, c.m);
    EXPECT_EQ(p.day, c.d);
  }
}

TEST(DateTime, EveryDayFromYear1600To2400DecodesBackToItself) {
  for (int day = -109511; day <= 182623; ++day) {
    const DateParts p = decode(day);
    ASSERT_TRUE(is_valid_date(p.year, p.month, p.day)) << day;
    ASSERT_EQ(encode_date(p.year, p.month, p.day), day) << day;
  }
}

TEST(DateTime, EverySecondOfTheDayFormatsAndParsesBack) {
  for (int s = 0; s < 86400; ++s) {
    const int h = s / 3600, m = s / 60 % 60, sec = s % 60;
    char expected[16];
    std::snprintf(expected, sizeof expected, "%02d:%02d:%02d", h, m, sec);
    const DateTime t = encode_time(h, m, sec);
    ASSERT_EQ(format_time(t), expected);
    // Built the way the editor adds hours and minutes, the value still shows the same time.
    ASSERT_EQ(format_time(h * kOneHour + m * kOneMinute + sec * kOneSecond), expected);
    const auto parsed = parse_time(expected);
    ASSERT_TRUE(parsed.has_value()) << expected;
    ASSERT_EQ(*parsed, t) << expected;
  }
}

TEST(DateTime, FormatsValuesNearTheEdges) {
  struct Case {
    const char* name;
    DateTime value;
    const char* date;
    const char* time;
    const char* time_hm;
  };
  const Case cases[] = {
      {"start of the count", 0.0, "30.12.1899", "00:00:00", "00:00"},
      {"14:05 built from parts", 46365 + 14 * kOneHour + 5 * kOneMinute, "09.12.2026", "14:05:00",
       "14:05"},
      {"a hair below 14:05", 46365 + encode_time(14, 5, 0) - 1e-12, "09.12.2026", "14:05:00",
       "14:05"},
      {"a hair below midnight is the next day", 46365.0 + 1.0 - 1e-12, "10.12.2026", "00:00:00",
       "00:00"},
      {"the endless threshold", kEndlessThreshold, "30.12.1899", "23:59:59", "23:59"},
      {"a full day folds to 00:00:00", 1.0, "31.12.1899", "00:00:00", "00:00"},
      {"milliseconds are not shown", encode_time(10, 0, 0, 999), "30.12.1899", "10:00:00", "10:00"},
      {"year 10000 keeps all its digits", encode_date(9999, 12, 31) + 1, "01.01.10000", "00:00:00",
       "00:00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(format_date(c.value), c.date);
    EXPECT_EQ(format_time(c.value), c.time);
    EXPECT_EQ(format_time_hm(c.value), c.time_hm);
  }
}

TEST(DateTime, ParsesRealDatesAndRefusesTheRest) {
  struct Case {
    const char* text;
    std::optional<DateTime> expected;
  };
  const Case cases[] = {
      {"09.12.2026", 46365},
      {"9.12.2026", 46365},
      {" 9.12.26", 46365},  // the editor's eight-character mask, blank-led
      {"09 . 12 . 2026", 46365},
      {"29.02.2024", 45351},
      {"29.02.2000", 36585},
      {"01.01.0001", -693593},
      {"29.02.2025", std::nullopt},
      {"29.02.1900", std::nullopt},
      {"31.02.2026", std::nullopt},
      {"31.04.2026", std::nullopt},
      {"00.12.2026", std::nullopt},
      {"09.00.2026", std::nullopt},
      {"09.13.2026", std::nullopt},
      {"09.12.0000", std::nullopt},
      {"09.12.026", std::nullopt},
      {"009.12.2026", std::nullopt},
      {"09.12", std::nullopt},
      {"31.02.", std::nullopt},
      {"09.12.2026.1", std::nullopt},
      {"09/12/2026", std::nullopt},
      {"a9.12.2026", std::nullopt},
      {"-9.12.2026", std::nullopt},
      {"  .  .  ", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.text + "\"");
    EXPECT_EQ(parse_date(c.text), c.expected);
  }
}

TEST(DateTime, ParsesRealTimesAndRefusesTheRest) {
  struct Case {
    const char* text;
    std::optional<DateTime> expected;
  };
  const Case cases[] = {
      {"14:05:00", encode_time(14, 5, 0)},
      {"14:05", encode_time(14, 5, 0)},
      {" 9:05", encode_time(9, 5, 0)},
      {"00:00:30", encode_time(0, 0, 30)},
      {"23:59:59", kEndlessThreshold},
      {"24:00:00", std::nullopt},
      {"25:00", std::nullopt},
      {"10:60", std::nullopt},
      {"10:00:60", std::nullopt},
      {"10", std::nullopt},
      {"10:00:00:00", std::nullopt},
      {"1a:00", std::nullopt},
      {"-1:00", std::nullopt},
      {"100:00", std::nullopt},
      {"  :  ", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.text + "\"");
    EXPECT_EQ(parse_time(c.text), c.expected);
  }
}

TEST(DateTime, DayDiffTruncatesTowardZero) {
  struct Case {
    DateTime a, b;
    int expected;
  };
  const Case cases[] = {
      {46368, 46365, 3},   {46365, 46368, -3},     {46365.9, 46365, 0},
      {46365, 46365.5, 0}, {46366.25, 46365.5, 0}, {46380, 46365, 15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.a) + " - " + std::to_string(c.b));
    EXPECT_EQ(day_diff(c.a, c.b), c.expected);
  }
}

TEST(DateTime, SplitsIntoDayAndTimeOfDay) {
  const DateTime t = 46365 + encode_time(14, 5, 0);
  EXPECT_EQ(date_of(t), 46365);
  EXPECT_EQ(time_of(t), encode_time(14, 5, 0));
  EXPECT_EQ(date_of(46366 - 1e-12), 46366);
  EXPECT_EQ(time_of(46366 - 1e-12), 0.0);
  EXPECT_EQ(round_to_ms(encode_time(23, 30, 0) + encode_time(0, 30, 0)), 1.0);
}

}  // namespace
}  // namespace oxr
