#pragma once
// The cycle data file (<cycle name>.oxr): a cycle's parameters and, after a run, its samples.
// Comma-separated Windows-1252 text, CR LF line ends, every line ending in ",":
//   1 title A              2 start date, start time, duration
//   3 title B              4 cycle name, comment
//   5 title C              6 unit word, preheating word
//   7 title D              8 set1, set2, hyst1, hyst2, operation mode, number of values
//   9 title E (measurement file only)
//  10.. sample no, date, time, temp1, temp2, status, pump (measurement file only)
// A cycle file ends after line 8 and has 0 values. Titles are in the writer's language and are
// not checked when reading, so files of either language read alike.
//
// This unit only turns headers and samples into bytes and back, and puts bytes on disk safely;
// the window handlers fill the header, choose the file and show the messages.
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Tools_oxr/samples.h"
#include "platform/clock.h"

namespace oxr {

struct DataFileHeader {
  DateTime start_date = 0;
  DateTime start_time = 0;  // as in the file, seconds included (see editor_start_time)
  DateTime duration = 0;    // above 23:59:59 means endless; 1.0 when read back
  std::string cycle_name;
  std::string comment;          // as in the file: spaces written as "_"
  std::string unit_word;        // "Celsius"/"Celcius" or "Fahrenheit"; first letter counts
  std::string preheating_word;  // "Preheating_ON"/"Preheating_OFF"; 13th character counts
  std::int16_t set1_deg = 0;    // whole degrees Celsius
  std::int16_t set2_deg = 0;
  std::int16_t hyst1_deg = 0;  // whole kelvin
  std::int16_t hyst2_deg = 0;
  std::int16_t operation_mode = 0;  // the controller's mode 1..4 when the header was filled
  std::uint16_t value_count = 0;    // 0 in a cycle file

  bool operator==(const DataFileHeader&) const = default;
};

inline constexpr const char* kDataFileExtension = ".oxr";
// The pump texts of a sample line.
inline constexpr const char* kPumpOnText = "ON";
inline constexpr const char* kPumpOffText = "OFF";
// The words the stop writes into a run's newest sample, by how the run ended.
inline constexpr const char* kEndWordPcStop = "PC-STOP";
inline constexpr const char* kEndWordMcEnd = "MC-END";
inline constexpr const char* kEndWordTcStop = "TC-STOP";
inline constexpr const char* kEndWordTcBreak = "TC-BREAK";
inline constexpr const char* kEndWordConnectBreak = "CONNECT-BREAK";
inline constexpr const char* kEndWordTBreak = "T-BREAK";
inline constexpr std::array<std::string_view, 6> kEndWords = {kEndWordPcStop,       kEndWordMcEnd,
                                                              kEndWordTcStop,       kEndWordTcBreak,
                                                              kEndWordConnectBreak, kEndWordTBreak};

inline constexpr const char* kPreheatingOnWord = "Preheating_ON";
inline constexpr const char* kPreheatingOffWord = "Preheating_OFF";

// ---- texts of fields ----

// The comment as the file holds it: spaces (and anything else that would break the
// comma-separated layout: ",", tabs, line breaks) become "_".
std::string comment_for_file(const std::string& comment);
// The comment as the editor shows it: every "_" a space again.
std::string comment_for_editor(const std::string& file_comment);
// The start time the editor takes from a header: hours and minutes, seconds dropped.
DateTime editor_start_time(const DataFileHeader& header);
// 'N' on, 'F' off, anything else (also a short word) on.
bool preheating_on(const DataFileHeader& header);

// Date and time texts of the file: "dd.mm.yyyy" and "hh:mm:ss".
std::string file_date_text(DateTime t);
std::string file_time_text(DateTime t);
// "d.m.yyyy" / "dd.mm.yyyy" (a two-digit year is 20yy); only real dates.
std::optional<DateTime> parse_file_date(std::string_view text);
// "hh:mm:ss" or "hh:mm", hours 0..23.
std::optional<DateTime> parse_file_time(std::string_view text);

// ---- writing ----

// Lines 1 to 9 and one line per sample for entries 0 .. min(value_count, kSampleCount) - 1;
// line 8 keeps the full value_count. Zone-2 temperatures are written only for a header of
// operation mode 2, 3 or 4 ("0" otherwise). lang: 0 English titles, 1 German.
std::string measurement_file_bytes(const DataFileHeader& header, const SampleBuffer& samples,
                                   int lang);
// Lines 1 to 8 with 0 as the number of values, whatever the header says.
std::string cycle_file_bytes(const DataFileHeader& header, int lang);
// The two halves of a measurement file, for writers that put it down piece by piece:
// lines 1 to 9 (line 8 with header.value_count), and one sample line appended to `out`.
// A zone-2 temperature is written only for operation mode 2, 3 or 4 ("0" otherwise).
std::string measurement_file_head_bytes(const DataFileHeader& header, int lang);
void append_sample_line(std::string& out, const MeasurementSample& sample,
                        std::int16_t operation_mode);

// ---- reading ----

enum class DataFileError {
  None,
  EndsEarly,     // the file ended before a field it must hold
  BadValue,      // a field that does not parse (date, time, number, preheating word)
  FieldTooLong,  // a field far longer than any this program writes
};

// Which field a read stopped at; names it in the messages.
enum class DataFileField {
  None,
  Title,
  StartDate,
  StartTime,
  Duration,
  CycleName,
  Comment,
  UnitWord,
  PreheatingWord,
  Set1,
  Set2,
  Hyst1,
  Hyst2,
  OperationMode,
  ValueCount,
  SampleNo,
  SampleDate,
  SampleTime,
  Temp1,
  Temp2,
  SampleStatus,
  PumpText,
};

struct DataFileReadResult {
  DataFileError error = DataFileError::None;
  DataFileField field = DataFileField::None;
  int line = 0;          // 1-based line of the file where the read stopped
  int samples_read = 0;  // sample lines loaded (0 for a cycle file)
  bool ok() const { return error == DataFileError::None; }
};

// Reads a whole file. Line breaks and blanks carry no meaning (they are skipped), fields end
// at ","; sample lines are read for min(value_count, kSampleCount) entries, each kept whole
// (status and pump text included), and the rest of the buffer becomes blank.
// On any error header and samples are left exactly as they were.
DataFileReadResult read_data_file(std::string_view bytes, DataFileHeader& header,
                                  SampleBuffer& samples);

// Lines 1 to 8 only, by the same rules; `line` of the result is the line the header ended on.
// On an error header is left as it was.
DataFileReadResult read_data_file_header(std::string_view bytes, DataFileHeader& header);
// One sample line (seven fields, nothing after them but blanks and the line end). On an error
// sample is left as it was.
bool read_sample_line(std::string_view line, MeasurementSample& sample);
// The language of a file's titles by its first line: 0 English, 1 German, nothing for neither.
std::optional<int> data_file_language(std::string_view bytes);

// What went wrong, for a message box. lang: 0 English, 1 German.
std::string read_error_message(const DataFileReadResult& result, int lang);

// ---- saving ----

// A cycle name may name a file: six digits, "-", three to five digits (YYMMDD-NNN). Nothing
// else is ever turned into a file name, so no name read from a file reaches outside the folder.
bool is_valid_cycle_name(std::string_view name);

enum class SaveError { None, InvalidName, CannotWrite };

struct SaveResult {
  SaveError error = SaveError::None;
  std::filesystem::path path;  // the file written, or the one that could not be
  std::string detail;          // the system's reason when writing failed
  bool ok() const { return error == SaveError::None; }
};

// Replaces target with bytes in one step: a temporary file in the same folder is written,
// flushed and renamed over it, so a failure leaves the old file as it was.
SaveResult write_file_atomically(const std::filesystem::path& target, const std::string& bytes);

// A measurement file <cycle_name>.oxr in folder, replacing one of that name.
SaveResult save_data_file(const std::filesystem::path& folder, const std::string& cycle_name,
                          const DataFileHeader& header, const SampleBuffer& samples, int lang);

// A cycle file at the path the operator chose in the save dialog.
SaveResult save_cycle_file_at(const std::filesystem::path& file, const DataFileHeader& header,
                              int lang);

// When the measurement file cannot be written the samples must still reach the disk: writes
// them under a new name (never replacing a file) into the first folder of `folders` that takes
// it, e.g. {work dir, temp dir}. The name is "oxr-unsaved-<cycle name>[-k].oxr".
SaveResult save_fallback_data_file(const std::vector<std::filesystem::path>& folders,
                                   const std::string& cycle_name, const DataFileHeader& header,
                                   const SampleBuffer& samples, int lang);
// The work dir, then the system's temp folder.
std::vector<std::filesystem::path> fallback_folders(const std::filesystem::path& work_dir);

// Messages after a failed save (lang 0 English, 1 German).
// The samples went to the fallback file at `path`.
std::string fallback_saved_message(int lang, const std::string& cycle_name,
                                   const std::filesystem::path& path);
// Not even the fallback file could be written; the samples stay in memory.
std::string not_saved_message(int lang, const std::string& cycle_name);

}  // namespace oxr
