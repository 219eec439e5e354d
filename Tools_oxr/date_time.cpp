#include "Tools_oxr/date_time.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace oxr {

namespace {

constexpr std::int64_t kMsPerDay = 86400000;
// Day number of 1 January 1970 in our count (days since 30 December 1899).
constexpr std::int64_t kUnixEpochDay = 25569;

// Days from 1 January 1970 of a proleptic Gregorian date (H. Hinnant's civil algorithm).
std::int64_t days_from_civil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civil_from_days(std::int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2 ? 1 : 0));
}

bool is_leap(int y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int days_in_month(int y, int m) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && is_leap(y) ? 29 : kDays[m - 1];
}

// Splits a value into its day and the milliseconds of its time of day. Negative values follow
// the usual convention of this count: the whole part is the day, the fraction (as a positive
// amount) the time. The time is rounded to the millisecond so that a value built from parts
// splits back into the same parts.
void split(DateTime t, std::int64_t& day, std::int64_t& ms) {
  double whole = std::trunc(t);
  ms = std::llround(std::fabs(t - whole) * static_cast<double>(kMsPerDay));
  day = static_cast<std::int64_t>(whole);
  if (ms >= kMsPerDay) {
    ms -= kMsPerDay;
    day += t < 0 ? -1 : 1;
  }
}

std::string trim_blanks(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

// Splits at `sep`, each part trimmed of blanks; every part must be 1..max_digits digits.
// Writes the digit counts so the caller can tell a two-digit year from a four-digit one.
bool split_numbers(const std::string& text, char sep, std::vector<int>& values,
                   std::vector<int>& widths, std::size_t max_digits) {
  values.clear();
  widths.clear();
  std::size_t start = 0;
  while (true) {
    std::size_t end = text.find(sep, start);
    std::string part =
        trim_blanks(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (part.empty() || part.size() > max_digits) return false;
    int v = 0;
    for (char c : part) {
      if (c < '0' || c > '9') return false;
      v = v * 10 + (c - '0');
    }
    values.push_back(v);
    widths.push_back(static_cast<int>(part.size()));
    if (end == std::string::npos) return true;
    start = end + 1;
  }
}

}  // namespace

bool is_valid_date(int year, int month, int day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= days_in_month(year, month);
}

DateTime encode_date(int year, int month, int day) {
  return static_cast<DateTime>(
      days_from_civil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
      kUnixEpochDay);
}

DateTime encode_time(int hours, int minutes, int seconds, int milliseconds) {
  // One division of a whole number of milliseconds, so equal times give identical doubles.
  const std::int64_t ms = static_cast<std::int64_t>(hours) * 3600000 +
                          static_cast<std::int64_t>(minutes) * 60000 +
                          static_cast<std::int64_t>(seconds) * 1000 + milliseconds;
  return static_cast<double>(ms) / static_cast<double>(kMsPerDay);
}

DateParts decode(DateTime t) {
  std::int64_t day = 0, ms = 0;
  split(t, day, ms);
  DateParts p;
  civil_from_days(day - kUnixEpochDay, p.year, p.month, p.day);
  p.hours = static_cast<int>(ms / 3600000);
  p.minutes = static_cast<int>(ms / 60000 % 60);
  p.seconds = static_cast<int>(ms / 1000 % 60);
  p.milliseconds = static_cast<int>(ms % 1000);
  return p;
}

int day_diff(DateTime a, DateTime b) {
  return static_cast<int>(std::trunc(a - b));
}

DateTime date_of(DateTime t) {
  std::int64_t day = 0, ms = 0;
  split(t, day, ms);
  return static_cast<DateTime>(day);
}

DateTime time_of(DateTime t) {
  std::int64_t day = 0, ms = 0;
  split(t, day, ms);
  return static_cast<double>(ms) / static_cast<double>(kMsPerDay);
}

DateTime round_to_ms(DateTime t) {
  return static_cast<double>(std::llround(t * static_cast<double>(kMsPerDay))) /
         static_cast<double>(kMsPerDay);
}

std::string format_date(DateTime t) {
  const DateParts p = decode(t);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", p.day, p.month, p.year);
  return buf;
}

std::string format_time(DateTime t) {
  const DateParts p = decode(t);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", p.hours, p.minutes, p.seconds);
  return buf;
}

std::string format_time_hm(DateTime t) {
  return format_time(t).substr(0, 5);
}

std::optional<DateTime> parse_date(const std::string& text) {
  std::vector<int> v, w;
  if (!split_numbers(text, '.', v, w, 4) || v.size() != 3) return std::nullopt;
  if (w[0] > 2 || w[1] > 2) return std::nullopt;
  int year = v[2];
  if (w[2] == 2) {
    year += 2000;
  } else if (w[2] != 4) {
    return std::nullopt;
  }
  if (!is_valid_date(year, v[1], v[0])) return std::nullopt;
  return encode_date(year, v[1], v[0]);
}

std::optional<DateTime> parse_time(const std::string& text) {
  std::vector<int> v, w;
  if (!split_numbers(text, ':', v, w, 2) || v.size() < 2 || v.size() > 3) return std::nullopt;
  const int seconds = v.size() == 3 ? v[2] : 0;
  if (v[0] > 23 || v[1] > 59 || seconds > 59) return std::nullopt;
  return encode_time(v[0], v[1], seconds);
}

}  // namespace oxr
