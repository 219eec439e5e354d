#pragma once
// Dates and times as days since 30 December 1899 (the whole part the day, the fraction the
// time of day), and their texts: dd.mm.yyyy and hh:mm:ss (also hh:mm).
#include <optional>
#include <string>

#include "platform/clock.h"

namespace oxr {

struct DateParts {
  int year = 1899, month = 12, day = 30;
  int hours = 0, minutes = 0, seconds = 0, milliseconds = 0;
};

// True for a real day of the proleptic Gregorian calendar, years 1..9999.
bool is_valid_date(int year, int month, int day);

// Whole days: a date with no time of day. Throws nothing; the caller passes real dates.
DateTime encode_date(int year, int month, int day);
DateTime encode_time(int hours, int minutes, int seconds, int milliseconds = 0);
DateParts decode(DateTime t);

// (a - b) truncated toward zero.
int day_diff(DateTime a, DateTime b);
DateTime date_of(DateTime t);  // whole day part
DateTime time_of(DateTime t);  // fraction of the day
// The value on the whole-millisecond grid: sums of times land back on the time they mean.
DateTime round_to_ms(DateTime t);

// "dd.mm.yyyy" of the day part.
std::string format_date(DateTime t);
// "hh:mm:ss" of the time of day; a value of exactly 1.0 or more shows the hours past 24 folded.
std::string format_time(DateTime t);
// "hh:mm", the first five characters of format_time.
std::string format_time_hm(DateTime t);

// Parse "d.m.yyyy" / "dd.mm.yyyy" (blanks around fields allowed; a two-digit year means 20yy).
// Refuses what is not a real date (31.02.2026).
std::optional<DateTime> parse_date(const std::string& text);
// Parse "hh:mm:ss" or "hh:mm" (blanks allowed); refuses 25:00, 10:60.
std::optional<DateTime> parse_time(const std::string& text);

// Fixed tolerance-free constants used in comparisons.
inline constexpr double kOneSecond = 1.0 / 86400.0;
inline constexpr double kOneMinute = 1.0 / 1440.0;
inline constexpr double kOneHour = 1.0 / 24.0;
// The time value of "23:59:59": a duration above it is endless.
inline constexpr double kEndlessThreshold = 86399.0 / 86400.0;

}  // namespace oxr
