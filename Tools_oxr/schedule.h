#pragma once
// One planned cycle, the five-row schedule table, status tests, numbering and naming.
#include <array>
#include <cstdint>
#include <string>

#include "platform/clock.h"

namespace oxr {

struct CycleRecord {
  std::string cycle_name;  // YYMMDD-NNN
  DateTime start_date = 0;
  DateTime start_time = 0;
  DateTime duration = 0;  // 1.0 marks an endless cycle
  DateTime end_date = 0;
  DateTime end_time = 0;
  std::string status_text;  // in the language current when it was set
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

}  // namespace oxr
