#pragma once
// One planned cycle, the five-row schedule table, status tests, numbering and naming.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/clock.h"

namespace oxr {

struct CycleRecord {
  std::string cycle_name;  // YYMMDD-NNN
  DateTime start_date = 0;
  DateTime start_time = 0;
  DateTime duration = 0;  // 1.0 marks an endless cycle
  DateTime end_date = 0;
  DateTime end_time = 0;
  std::string status_text;     // in the language current when it was set
  std::int16_t set_temp1 = 0;  // tenths of a degree Celsius
  std::int16_t set_temp2 = 0;
  std::int16_t hyst1 = 0;  // tenths of a kelvin
  std::int16_t hyst2 = 0;
  std::uint8_t preheating = 0;
  std::string comment;

  bool operator==(const CycleRecord&) const = default;
};

inline constexpr int kRowCount = 5;
inline constexpr int kDayCounterCount = 15;

struct DayCounter {
  std::uint16_t count = 0;
  DateTime date = 0;
};

struct ScheduleTable {
  std::array<CycleRecord, kRowCount> rows{};  // index 0 = row 1 on screen
  CycleRecord blank_row{};
  CycleRecord saved_row{};
};

using DayCounters = std::array<DayCounter, kDayCounterCount>;

// Status tests; they look at the first letters only, so they work in either language.
// "please start" / "bitte starten" (but not "beendet"); an empty text never matches.
bool is_please_start(std::string_view status);
bool is_waiting(std::string_view status);  // "waiting" / "wartet"
bool is_running(std::string_view status);  // "running" / "läuft"

// A duration above 23:59:59 is a full day: the cycle renews itself.
bool is_endless(DateTime duration);

// Where a cycle ends. A sum past 23:59:59 ends on the next day (a cycle ending at midnight
// shows the next day at 00:00; an endless one the next day at its own start time).
struct CycleEnd {
  DateTime end_date = 0;
  DateTime end_time = 0;
};
CycleEnd cycle_end(DateTime start_date, DateTime start_time, DateTime duration);

// YYMMDD-NNN for a cycle starting on `date` with number n (three digits at least; more when
// n > 999).
std::string cycle_name(DateTime date, unsigned n);

// Draws the number for a cycle starting on `date`: the count of that day's entry, which then
// goes up by one. A date outside today .. today + 14 draws nothing and gives `previous` back.
std::uint16_t draw_cycle_number(DayCounters& counters, DateTime date, DateTime today,
                                std::uint16_t previous);

// Entry i := today + i with count 0.
void reset_day_counters(DayCounters& counters, DateTime today);

// Moves the window so that entry 0 is today, given the date entry 0 had when it was stored.
// Counts move down by the days passed; a stored date in the future or more than 14 days old
// resets the whole window. Returns true for such a full reset (the caller then also resets
// the controller mode and the port, as a fresh configuration has them).
bool rebase_day_counters(DayCounters& counters, DateTime stored_first_date, DateTime today);

}  // namespace oxr
