#pragma once
// The cycle editor's values and the rules behind its fields, as functions of plain values:
// temperature conversions in both units, the checks and steps of the date, start time and
// duration fields, the comment scan, and the scheduling rules of the take-over (end of a
// cycle, overlap, insertion in start order, the rows an endless cycle pushes out).
//
// Times are compared in whole milliseconds, so that a value parsed from a field and the same
// value built by arithmetic compare equal.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Tools_oxr/config_file.h"  // kCommentMaxChars
#include "Tools_oxr/schedule.h"
#include "platform/clock.h"

namespace oxr {

// ---- temperatures ----

enum class TempKind { SetTemperature, Hysteresis };

// One temperature-like editor value. `shown` is what the field displays and what is checked,
// in whole degrees of the current unit; `internal_tenths` is tenths of a degree Celsius (set
// temperature) or of a kelvin (hysteresis), whatever the unit.
struct TempSetting {
  std::int16_t internal_tenths = 0;
  std::uint16_t shown = 0;
  std::uint16_t min_shown = 0;
  std::uint16_t max_shown = 0;

  bool operator==(const TempSetting&) const = default;
};

struct TempLimits {
  std::uint16_t min_shown = 0;
  std::uint16_t max_shown = 0;
};

TempLimits temp_limits(TempKind kind, bool celsius);
// shown -> internal, with the integer divisions the controller values have always had.
int internal_from_shown(TempKind kind, bool celsius, int shown);
// internal -> shown, rounded to whole degrees of the unit.
int shown_from_internal(TempKind kind, bool celsius, int internal_tenths);
// The default of a value in a unit (60 °C / 140 °F, hysteresis 1), limits included.
TempSetting temp_default(TempKind kind, bool celsius);
// `shown` := value; `internal_tenths` follows.
TempSetting with_shown(TempSetting s, TempKind kind, bool celsius, int shown);

// A field's text as a whole number (blanks around it allowed); nothing when it is none.
std::optional<int> parse_whole_number(const std::string& text);

struct TempCheck {
  TempSetting setting;
  bool accepted = false;  // false: corrected to min_shown
};
TempCheck check_temp_text(const TempSetting& s, TempKind kind, bool celsius,
                          const std::string& field_text);
// One step up (+1) or down (-1) within the limits; internal_tenths follows in any case.
TempSetting step_temp(const TempSetting& s, TempKind kind, bool celsius, int direction);
// "'  500  ' is not a valid ...\rThe value has to be between 140 and 464 in this case."
std::string temp_range_message(const std::array<std::string, 4>& pieces,
                               const std::string& field_text, const TempSetting& s);

// The four values of the editor, in the order "check all" visits them.
enum class TempField { Set1, Set2, Hyst1, Hyst2 };
inline constexpr std::array<TempField, 4> kTempFields{TempField::Set1, TempField::Set2,
                                                      TempField::Hyst1, TempField::Hyst2};
inline TempKind kind_of(TempField f) {
  return (f == TempField::Set1 || f == TempField::Set2) ? TempKind::SetTemperature
                                                        : TempKind::Hysteresis;
}

// Chart points keep the factors the recorded diagrams were always converted with; they do
// not cancel exactly (212 -> 99.999 -> 211.9982).
inline double chart_point_to_celsius(double y) { return (y - 32.0) * 0.55555; }
inline double chart_point_to_fahrenheit(double y) { return y * 1.8 + 32.0; }

// ---- the editor's values ----

struct CycleEditor {
  DateTime edit_date = 0;             // whole days, today..today + 14 after a check
  std::int32_t edit_day_offset = 0;   // days from today, as counted by the date steps
  DateTime edit_start_time = 0;       // may exceed one day after stepping past midnight
  DateTime edit_duration = 0;         // 1.0 when endless
  DateTime edit_end_date = 0;
  DateTime edit_end_time = 0;
  TempSetting set_temp1_setting;
  TempSetting set_temp2_setting;
  TempSetting hyst1_setting;
  TempSetting hyst2_setting;
  std::uint8_t edit_preheating = 0;
  std::string edit_cycle_name;   // shown in Lab_cycle: the preview or the loaded row's name
  std::string new_status_text;   // "please start" in the current language
  std::uint16_t current_number = 0;  // number drawn for the cycle being named

  TempSetting& setting(TempField f);
  const TempSetting& setting(TempField f) const;
};

// ---- time values ----

std::int64_t to_ms(DateTime t);
DateTime from_ms(std::int64_t ms);
inline constexpr std::int64_t kMinuteMs = 60'000;
inline constexpr std::int64_t kHourMs = 3'600'000;
inline constexpr std::int64_t kDayMs = 86'400'000;
// The time value of "23:59:59".
inline constexpr std::int64_t kEndlessThresholdMs = kDayMs - 1'000;

// Now cut to whole minutes (hh:mm:00), as a time of day.
DateTime now_whole_minutes(DateTime now);

enum class Verdict { Accepted, Unreadable, OutOfRange };

struct DateCheck {
  Verdict verdict = Verdict::Accepted;
  DateTime date = 0;
  std::int32_t day_offset = 0;
};
// Accepted for today..today + 14; anything else falls back to today.
DateCheck check_date_value(std::optional<DateTime> parsed, DateTime now);

struct TimeCheck {
  Verdict verdict = Verdict::Accepted;
  DateTime time = 0;
};
// Unreadable -> now in whole minutes; for today a start not after now -> now + 1 minute.
TimeCheck check_start_time_value(std::optional<DateTime> parsed, DateTime edit_date,
                                 DateTime now);
// Unreadable -> 00:01; exactly 00:00 -> 00:01 (OutOfRange, no message).
TimeCheck check_duration_value(std::optional<DateTime> parsed);

// Steps of the start time and the duration; a refused step returns the value unchanged.
DateTime start_time_hour_step(DateTime start_time, int direction, DateTime edit_date,
                              DateTime now);
DateTime start_time_minute_step(DateTime start_time, int direction, DateTime edit_date,
                                DateTime now);
DateTime duration_hour_step(DateTime duration, int direction);
DateTime duration_minute_step(DateTime duration, int direction);

// ---- comment ----


// Underscore: the cycle data files write blanks as "_" and read every "_" back as a blank.
// Control: a control character (tab, line break); NotStorable: outside Windows-1252.
enum class CommentFault { Comma, Backslash, Underscore, Control, NotStorable };
struct CommentScan {
  std::string cleaned;
  std::vector<CommentFault> removed;  // one entry per removed character, in text order
  std::vector<std::string> removed_chars;  // the characters themselves, likewise
};
// Commas and backslashes would break the comma-separated files; underscores, control
// characters and characters the files' Windows-1252 text cannot hold would not read back as
// typed. What is kept is stored and read back unchanged by both kinds of file.
CommentScan scan_comment(const std::string& text);
// The text without its 26th character (characters, not bytes).
std::string without_char_at(const std::string& text, std::size_t index);

// ---- scheduling rules ----

// Does the new cycle clash with an existing one (30-second guard, neighbouring days)?
bool cycles_clash(const CycleRecord& existing, const CycleRecord& added);

// One backward pass of exchanges that moves row p (1-based) into start order among rows
// 1..p-1; equal starts keep the older row first. Returns the row the cycle ends up in.
int insert_in_start_order(std::array<CycleRecord, kRowCount>& rows, int p);

// The first of rows 1..p-1 that an endless cycle standing in row p pushes out (it starts
// later, or within a minute before it on the same day); 0 when there is none.
int first_row_pushed_out(const std::array<CycleRecord, kRowCount>& rows, int p);

}  // namespace oxr
