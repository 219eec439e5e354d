#include "Tools_oxr/schedule.h"

#include <cstdio>
#include <limits>

#include "Tools_oxr/date_time.h"

namespace oxr {

bool is_please_start(std::string_view status) {
  if (status.empty()) return false;
  return status[0] == 'p' || (status.size() >= 2 && status[0] == 'b' && status[1] == 'i');
}

bool is_waiting(std::string_view status) {
  return !status.empty() && status[0] == 'w';
}

bool is_running(std::string_view status) {
  return !status.empty() && (status[0] == 'r' || status[0] == 'l');
}

bool is_endless(DateTime duration) {
  return duration > kEndlessThreshold;
}

CycleEnd cycle_end(DateTime start_date, DateTime start_time, DateTime duration) {
  // On the millisecond grid, 23:30 + 00:30 is exactly one day and not a hair below or above,
  // so the end lands on 00:00 of the next day instead of a tiny negative time. For the whole
  // seconds cycles have, "past 23:59:59" and "at least 24:00:00" are the same test; the second
  // also keeps a sum such as 23:59:59.5 from ending at a negative time on the next day.
  const DateTime s = round_to_ms(start_time + duration);
  if (s >= 1.0) return {start_date + 1, round_to_ms(s - 1.0)};
  return {start_date, s};
}

std::string cycle_name(DateTime date, unsigned n) {
  const DateParts p = decode(date);
  const int yy = ((p.year - 2000) % 100 + 100) % 100;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d%02d%02d-%03u", yy, p.month, p.day, n);
  return buf;
}

std::uint16_t draw_cycle_number(DayCounters& counters, DateTime date, DateTime today,
                                std::uint16_t previous) {
  const int d = day_diff(date, today);
  if (d < 0 || d >= kDayCounterCount) return previous;
  std::uint16_t& count = counters[static_cast<std::size_t>(d)].count;
  const std::uint16_t n = count;
  // The count stops at its top rather than wrapping back to 0 and the day's first names.
  if (count < std::numeric_limits<std::uint16_t>::max()) ++count;
  return n;
}

void reset_day_counters(DayCounters& counters, DateTime today) {
  for (int i = 0; i < kDayCounterCount; ++i) {
    counters[static_cast<std::size_t>(i)] = DayCounter{0, today + i};
  }
}

bool rebase_day_counters(DayCounters& counters, DateTime stored_first_date, DateTime today) {
  const int s = day_diff(today, stored_first_date);
  if (s < 0 || s >= kDayCounterCount) {
    reset_day_counters(counters, today);
    return true;
  }
  for (int k = 0; k < kDayCounterCount; ++k) {
    const int from = k + s;
    counters[static_cast<std::size_t>(k)].count =
        from < kDayCounterCount ? counters[static_cast<std::size_t>(from)].count : 0;
    counters[static_cast<std::size_t>(k)].date = today + k;
  }
  return false;
}

}  // namespace oxr
