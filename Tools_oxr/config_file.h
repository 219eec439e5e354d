#pragma once
// The configuration file oxrconf.dat: its bytes built from values and read back into values.
//
// Layout (Windows-1252, CR LF after every line but the last):
//   lines 1-15   <dd.mm.yyyy>,<count>      numbering window, entry 0 = today
//   line 16      <control_mode>
//   line 17      one raw byte 0x00..0x03   the serial port (not a digit)
//   lines 18-21  <name>,                   names of COM1..COM4
//   line 22      <n>                       stored cycles, 0..5
//   n lines      12 fields, each followed by ",":
//                name,start date,start time,duration,end date,end time,
//                set temp 1,set temp 2,hyst 1,hyst 2,preheating,comment,
//   last         the language digit, 1 = German, 0 = English, no line end after it
// A full-day duration is written "24:00:00"; an empty comment as thirty "a".
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "Tools_oxr/schedule.h"

namespace oxr {

inline constexpr const char* kConfigFileName = "oxrconf.dat";
// No configuration file comes near this; a bigger one is read only this far.
inline constexpr std::size_t kConfigMaxBytes = 64 * 1024;
// Longest texts taken back from the file.
inline constexpr std::size_t kComNameMaxChars = 8;
inline constexpr std::size_t kCommentMaxChars = 25;
// A date field longer than this is no date (the start page's check reads no further).
inline constexpr std::size_t kDateFieldMaxChars = 39;

struct ConfigContents {
  DayCounters day_counters{};
  std::int32_t control_mode = 1;
  std::uint8_t com_port = 0;
  std::array<std::string, 4> com_names{};       // UTF-8
  std::array<CycleRecord, kRowCount> cycles{};  // the stored cycles, in table order
  int cycle_count = 0;                          // 0..5
  std::uint8_t lang_index = 1;
};

// The file's bytes. Text is converted to Windows-1252 (characters it cannot hold are left
// out), and "," and line ends are taken out of text fields so that they cannot break a line.
std::string build_config_file(const ConfigContents& contents);

// What a read found. A reader takes every field up to its "," and stops at the end of the
// bytes; what was not there stays unset.
struct ConfigParse {
  // The numbering window, valid only when window_ok. Reading stops at the first date that
  // does not parse: such a file is damaged, and nothing after it is taken.
  DayCounters day_counters{};
  bool window_ok = false;
  std::optional<std::int32_t> control_mode;
  std::optional<std::uint8_t> com_port;  // only 0..3
  std::array<std::optional<std::string>, 4> com_names{};
  std::optional<long long> stored_count;  // n as written
  // The stored cycles that read back whole, among the first five (status left empty).
  std::array<CycleRecord, kRowCount> cycles{};
  int cycle_count = 0;
  int skipped_cycles = 0;  // stored cycles among the first five that were not taken
  // 1 for German, 0 for any other number read.
  std::optional<int> language;
};
ConfigParse parse_config_file(std::string_view bytes);

// The date of entry 0 (the file's first field), when it parses.
std::optional<DateTime> parse_first_date(std::string_view bytes);

// At most max_bytes of a file; nothing when it cannot be opened.
std::optional<std::string> read_file_bounded(const std::filesystem::path& path,
                                             std::size_t max_bytes);

}  // namespace oxr
