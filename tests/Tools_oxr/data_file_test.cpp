#include "Tools_oxr/data_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Tools_oxr/date_time.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_dir.h"

#ifdef __linux__
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace oxr {
namespace {

namespace fs = std::filesystem;
using test::read_bytes;
using test::TempDir;
using test::write_bytes;

constexpr double kStep = 10.0 / 86400.0;

std::string fixture(const std::string& name) {
  return read_bytes(fs::path(OXR_TEST_DATA) / name);
}

DateTime date(const char* text) {
  return *parse_file_date(text);
}
DateTime time_of_day(const char* text) {
  return *parse_file_time(text);
}

std::unique_ptr<SampleBuffer> new_buffer() {
  return std::make_unique<SampleBuffer>();
}

MeasurementSample sample(int no, DateTime day, DateTime t, int temp1, int temp2, const char* status,
                         const char* pump) {
  return {static_cast<std::int16_t>(temp1),
          static_cast<std::int16_t>(temp2),
          static_cast<std::uint16_t>(no),
          day,
          t,
          status,
          pump};
}

// The mode-2 run stopped from the PC after three samples.
DataFileHeader example_header() {
  DataFileHeader h;
  h.start_date = date("15.03.2002");
  h.start_time = time_of_day("14:00:00");
  h.duration = time_of_day("00:30:00");
  h.cycle_name = "020315-007";
  h.comment = "first try";
  h.unit_word = "Celsius";
  h.preheating_word = kPreheatingOnWord;
  h.set1_deg = 120;
  h.set2_deg = 120;
  h.hyst1_deg = 5;
  h.hyst2_deg = 5;
  h.operation_mode = 2;
  h.value_count = 3;
  return h;
}

void fill_example_samples(SampleBuffer& b) {
  const DateTime day = date("15.03.2002");
  const DateTime t0 = time_of_day("14:00:00");
  b[0] = sample(0, day, t0, 25, 25, "OK", "ON");
  b[1] = sample(1, day, t0 + kStep, 27, 27, "OK", "ON");
  b[2] = sample(2, day, t0 + 2 * kStep, 30, 29, "PC-STOP", "OFF");
}

std::string replace_once(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

std::size_t count_lines(const std::string& bytes) {
  std::size_t n = 0;
  for (std::size_t at = bytes.find("\r\n"); at != std::string::npos;
       at = bytes.find("\r\n", at + 2))
    ++n;
  return n;
}

TEST(FileDates, TextsAndDayNumbers) {
  struct Case {
    const char* text;
    double value;
  };
  const Case dates[] = {{"30.12.1899", 0},     {"01.01.1900", 2},     {"01.01.2000", 36526},
                        {"15.03.2002", 37330}, {"29.02.2024", 45351}, {"31.12.2025", 46022}};
  for (const auto& c : dates) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(parse_file_date(c.text), c.value);
    EXPECT_EQ(file_date_text(c.value + 0.75), c.text);  // the time of day does not show
  }
  EXPECT_EQ(parse_file_date("1.3.2002"), 37316);
  EXPECT_EQ(parse_file_date("15.03.02"), 37330);

  EXPECT_EQ(file_time_text(time_of_day("23:59:59")), "23:59:59");
  EXPECT_EQ(parse_file_time("09:15"), parse_file_time("09:15:00"));
  // 360 steps of ten seconds added one by one land on the hour, not one second before it.
  DateTime t = time_of_day("13:00:00");
  for (int i = 0; i < 360; ++i) t += kStep;
  EXPECT_EQ(file_time_text(t), "14:00:00");
  EXPECT_EQ(file_time_text(date("01.01.2026") + time_of_day("00:00:10")), "00:00:10");

  for (const char* bad : {"31.02.2026", "32.01.2026", "1.13.2026", "0.1.2026", "1.1", "1.1.202",
                          "01.01.2026x", "", "aa.bb.cccc"})
    EXPECT_FALSE(parse_file_date(bad)) << bad;
  for (const char* bad : {"24:00:00", "10:60", "10:00:60", "10", "10:00:", "1000:00", "ab:cd", ""})
    EXPECT_FALSE(parse_file_time(bad)) << bad;
}

TEST(DataFileWrite, ExampleMeasurementFileByteExact) {
  auto samples = new_buffer();
  fill_example_samples(*samples);
  EXPECT_EQ(measurement_file_bytes(example_header(), *samples, 0), fixture("measurement_en.oxr"));
}

TEST(DataFileRead, ExampleFileReadsBackWholeAndSavesUnchanged) {
  const std::string bytes = fixture("measurement_en.oxr");
  DataFileHeader h;
  auto samples = new_buffer();
  (*samples)[7] = sample(7, 1, 0.5, 99, 99, "E03", "ON");  // from an earlier view: must go

  const auto result = read_data_file(bytes, h, *samples);
  ASSERT_TRUE(result.ok()) << read_error_message(result, 0);
  EXPECT_EQ(result.samples_read, 3);

  DataFileHeader expected = example_header();
  expected.comment = "first_try";  // the file's form; the editor shows it with the space
  EXPECT_EQ(h, expected);
  EXPECT_EQ(comment_for_editor(h.comment), "first try");

  auto want = new_buffer();
  fill_example_samples(*want);
  for (int i = 0; i < kSampleCount; ++i) ASSERT_EQ((*samples)[i], (*want)[i]) << i;

  // Saving the opened file again writes status and pump of every sample back.
  EXPECT_EQ(measurement_file_bytes(h, *samples, 0), bytes);
}

TEST(DataFileRead, GermanFileReadsAloneOfTheLanguageAndKeepsItsTitles) {
  const std::string bytes = fixture("measurement_de.oxr");
  DataFileHeader h;
  auto samples = new_buffer();
  const auto result = read_data_file(bytes, h, *samples);
  ASSERT_TRUE(result.ok()) << read_error_message(result, 0);

  EXPECT_EQ(h.comment, "Prüfung_über_Nacht");  // Windows-1252 in the file, UTF-8 here
  EXPECT_EQ(h.unit_word, "Fahrenheit");
  EXPECT_FALSE(preheating_on(h));
  EXPECT_EQ(h.start_time, time_of_day("23:59:40"));
  EXPECT_EQ(editor_start_time(h), time_of_day("23:59:00"));
  EXPECT_EQ(h.operation_mode, 3);
  EXPECT_EQ(h.value_count, 4);
  EXPECT_EQ((*samples)[1],
            sample(1, date("31.12.2025"), time_of_day("23:59:50"), 61, 56, "E02", "OFF"));
  EXPECT_EQ((*samples)[2].sample_date, date("01.01.2026"));
  EXPECT_EQ((*samples)[3].sample_status, "TC-STOP");

  // Unchanged until saved again; saved under the English interface it gets English titles.
  EXPECT_EQ(measurement_file_bytes(h, *samples, 1), bytes);
  const std::string english = measurement_file_bytes(h, *samples, 0);
  EXPECT_EQ(english.substr(0, english.find("\r\n")), "Start date,Start time,Cycle duration,");
  EXPECT_NE(english.find("\r\n3,01.01.2026,00:00:10,63,58,TC-STOP,OFF,\r\n"), std::string::npos);
}

TEST(DataFileRead, EndlessCycleFileHoldsParametersOnly) {
  const std::string bytes = fixture("cycle_endless_de.oxr");
  DataFileHeader h;
  auto samples = new_buffer();
  (*samples)[0] = sample(0, 1, 0.5, 40, 41, "OK", "ON");  // a run's samples not yet saved
  const auto result = read_data_file(bytes, h, *samples);
  ASSERT_TRUE(result.ok()) << read_error_message(result, 0);

  EXPECT_EQ(result.samples_read, 0);
  EXPECT_EQ(h.value_count, 0);
  EXPECT_EQ(h.duration, 1.0);
  EXPECT_GT(h.duration, kEndlessThreshold);
  EXPECT_EQ(editor_start_time(h), time_of_day("09:15:00"));
  EXPECT_TRUE(preheating_on(h));
  EXPECT_EQ(h.unit_word[0], 'C');
  EXPECT_EQ((*samples)[0].temp1, 40);  // a cycle file does not touch the samples

  EXPECT_EQ(cycle_file_bytes(h, 1), bytes);
  h.value_count = 17;  // a cycle file always says it holds no values
  EXPECT_EQ(cycle_file_bytes(h, 1), bytes);
}

TEST(DataFileWrite, TextFieldsCannotBreakTheLayout) {
  struct Case {
    const char* comment;
    const char* in_file;
  };
  const Case cases[] = {
      {"first try", "first_try"},
      {"a,b\tc", "a_b_c"},  // a "," would shift every later field
      {"line\r\nbreak", "line__break"},
      {"Ofen 5 \xe2\x82\xac", "Ofen_5_\x80"},  // € is byte 0x80 in Windows-1252
      {"\xe6\xb8\xa9test", "test"},  // not in Windows-1252: left out, the file still written
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.comment);
    DataFileHeader h = example_header();
    h.comment = c.comment;
    const std::string bytes = cycle_file_bytes(h, 0);
    EXPECT_NE(bytes.find("\r\n020315-007," + std::string(c.in_file) + ",\r\n"), std::string::npos);
    EXPECT_EQ(count_lines(bytes), 8u);
  }
}

TEST(DataFileWrite, ZoneTwoWrittenOnlyInModesTwoToFour) {
  auto samples = new_buffer();
  fill_example_samples(*samples);
  for (int mode : {1, 2, 3, 4}) {
    SCOPED_TRACE(mode);
    DataFileHeader h = example_header();
    h.operation_mode = static_cast<std::int16_t>(mode);
    const std::string bytes = measurement_file_bytes(h, *samples, 0);
    const bool zone2 = mode != 1;
    EXPECT_NE(bytes.find(zone2 ? ",14:00:20,30,29,PC-STOP," : ",14:00:20,30,0,PC-STOP,"),
              std::string::npos);
  }
}

// A day and a bit across midnight: the whole buffer, a sample missing, the end word at the last.
TEST(DataFileRoundTrip, FullBufferReadsBackWhole) {
  auto samples = new_buffer();
  const DateTime day = date("31.12.2025");
  for (int i = 0; i < kSampleCount; ++i) {
    if (i == 5) continue;  // never arrived: stays blank
    // A file holds whole seconds; these are the values reading them gives.
    const int second = 10 * 3600 + 10 * i;
    (*samples)[i] = sample(i, day + second / 86400, (second % 86400) / 86400.0, 20 + i % 180,
                           -5 + i % 7, i % 100 == 0 ? "E04" : "OK", i % 3 ? "ON" : "OFF");
  }
  (*samples)[kSampleCount - 1].sample_status = "T-BREAK";
  (*samples)[kSampleCount - 1].pump_text = "OFF";

  DataFileHeader h = example_header();
  h.operation_mode = 4;
  h.duration = 1.0;

  struct Case {
    std::uint16_t value_count;
    int lines;
  };
  for (const Case c : {Case{kSampleCount, kSampleCount}, Case{9000, kSampleCount}}) {
    SCOPED_TRACE(c.value_count);
    h.value_count = c.value_count;
    const std::string bytes = measurement_file_bytes(h, *samples, 1);
    EXPECT_EQ(count_lines(bytes), 9u + c.lines);
    EXPECT_NE(bytes.find("\r\n8643,01.01.2026,10:00:30,23,0,T-BREAK,OFF,\r\n"), std::string::npos);
    EXPECT_NE(
        bytes.find("\r\n4,31.12.2025,10:00:40,24,-1,OK,ON,\r\n0,30.12.1899,00:00:00,0,0,,,\r\n"),
        std::string::npos);

    DataFileHeader read;
    auto loaded = new_buffer();
    const auto result = read_data_file(bytes, read, *loaded);
    ASSERT_TRUE(result.ok()) << read_error_message(result, 0);
    EXPECT_EQ(result.samples_read, c.lines);
    EXPECT_EQ(read.value_count, c.value_count);
    EXPECT_EQ(read.duration, 1.0);
    for (int i = 0; i < kSampleCount; ++i) ASSERT_EQ((*loaded)[i], (*samples)[i]) << i;
    EXPECT_EQ(measurement_file_bytes(read, *loaded, 1), bytes);
  }
}

// What the editor and chart showed before a file was opened; a refused file must not touch it.
struct Shown {
  DataFileHeader header;
  std::unique_ptr<SampleBuffer> samples = new_buffer();
  Shown() {
    header.cycle_name = "shown";
    header.value_count = 2;
    (*samples)[0] = sample(0, 5, 0.25, 11, 12, "OK", "ON");
    (*samples)[1] = sample(1, 5, 0.26, 13, 14, "OK", "ON");
  }
  void expect_untouched() const {
    static const Shown fresh;
    EXPECT_EQ(header, fresh.header);
    for (int i = 0; i < 3; ++i) EXPECT_EQ((*samples)[i], (*fresh.samples)[i]);
  }
};

TEST(DataFileRead, FileCutAtAnyByteIsRefusedAndChangesNothing) {
  const std::string bytes = fixture("measurement_en.oxr");
  const std::size_t complete = bytes.rfind(',') + 1;  // the trailing CR LF carries no field
  Shown shown;
  for (std::size_t len = 0; len < bytes.size(); ++len) {
    SCOPED_TRACE(len);
    const std::string cut = bytes.substr(0, len);
    if (len >= complete) {
      Shown other;
      EXPECT_TRUE(read_data_file(cut, other.header, *other.samples).ok());
      continue;
    }
    const auto result = read_data_file(cut, shown.header, *shown.samples);
    ASSERT_EQ(result.error, DataFileError::EndsEarly);
    EXPECT_EQ(result.line, 1 + std::count(cut.begin(), cut.end(), '\n'));
    EXPECT_FALSE(read_error_message(result, 0).empty());
    shown.expect_untouched();
  }
}

TEST(DataFileRead, FieldsThatDoNotParseAreRefusedByLineAndField) {
  using E = DataFileError;
  using F = DataFileField;
  struct Case {
    const char* name;
    const char* from;
    std::string to;
    E error;
    F field;
    int line;
  };
  const Case cases[] = {
      {"date", "15.03.2002,14:00:00,", "32.03.2002,14:00:00,", E::BadValue, F::StartDate, 2},
      {"time", "14:00:00,00:30:00", "14:60:00,00:30:00", E::BadValue, F::StartTime, 2},
      {"duration", "00:30:00", "half", E::BadValue, F::Duration, 2},
      {"short preheating", "Preheating_ON", "Preheat_ON", E::BadValue, F::PreheatingWord, 6},
      {"letter in number", "120,120,5", "12O,120,5", E::BadValue, F::Set1, 8},
      {"int16 overflow", "120,120,5", "120,40000,5", E::BadValue, F::Set2, 8},
      {"negative count", ",2,3,\r\n", ",2,-3,\r\n", E::BadValue, F::ValueCount, 8},
      {"count overflow", ",2,3,\r\n", ",2,70000,\r\n", E::BadValue, F::ValueCount, 8},
      {"sample number past buffer", "\r\n1,15.03", "\r\n9000,15.03", E::BadValue, F::SampleNo, 11},
      {"sample date", "1,15.03.2002", "1,15.03", E::BadValue, F::SampleDate, 11},
      {"empty temperature", ",27,27,", ",,27,", E::BadValue, F::Temp1, 11},
      {"over-long comment", "first_try", std::string(200, 'x'), E::FieldTooLong, F::Comment, 4},
      {"fewer lines than counted", ",2,3,\r\n", ",2,5,\r\n", E::EndsEarly, F::SampleNo, 13},
      {"missing comma at the end", "PC-STOP,OFF,", "PC-STOP,OFF", E::EndsEarly, F::PumpText, 12},
  };
  const std::string good = fixture("measurement_en.oxr");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Shown shown;
    const auto result =
        read_data_file(replace_once(good, c.from, c.to), shown.header, *shown.samples);
    EXPECT_EQ(result.error, c.error);
    EXPECT_EQ(result.field, c.field);
    EXPECT_EQ(result.line, c.line);
    shown.expect_untouched();
  }

  const std::string junk[] = {std::string(5000, '\0'), "\x01\x02\xff\xfe", "\r\n\r\n  \t"};
  for (const auto& bytes : junk) {
    Shown shown;
    EXPECT_FALSE(read_data_file(bytes, shown.header, *shown.samples).ok());
    shown.expect_untouched();
  }
}

TEST(DataFileRead, ErrorMessagesInBothLanguages) {
  const DataFileReadResult ends{DataFileError::EndsEarly, DataFileField::SampleNo, 13, 0};
  const DataFileReadResult bad{DataFileError::BadValue, DataFileField::StartDate, 2, 0};
  EXPECT_EQ(read_error_message(ends, 0),
            "The file cannot be read: it ends too early (line 13, measuring value no.).\n"
            "Nothing was loaded.");
  EXPECT_EQ(read_error_message(ends, 1),
            "Die Datei kann nicht gelesen werden: sie endet zu früh (Zeile 13, Messwertnummer).\n"
            "Es wurde nichts geladen.");
  EXPECT_EQ(read_error_message(bad, 1),
            "Die Datei kann nicht gelesen werden: ungültiger Wert (Zeile 2, Startdatum).\n"
            "Es wurde nichts geladen.");
}

TEST(DataFileSave, OnlyCycleNamesBecomeFileNames) {
  for (const char* ok : {"020315-007", "020315-1234", "020315-65535"})
    EXPECT_TRUE(is_valid_cycle_name(ok)) << ok;
  for (const char* bad :
       {"", "020315-07", "020315_007", "0203150007", "020315-007.oxr", "../20315-007",
        "020315-007/..", "/tmp/x-007", "02031a-007", "020315-123456", "020315-00 7"})
    EXPECT_FALSE(is_valid_cycle_name(bad)) << bad;

  TempDir dir;
  const fs::path folder = dir.path() / "work";
  fs::create_directories(folder);
  auto samples = new_buffer();
  for (const char* bad : {"../020315-007", "", "020315-007/../../x"}) {
    const auto result = save_data_file(folder, bad, example_header(), *samples, 0);
    EXPECT_EQ(result.error, SaveError::InvalidName) << bad;
  }
  EXPECT_TRUE(fs::is_empty(folder));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

std::vector<std::string> names_in(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(DataFileSave, ReplacesTheFileInOneStep) {
  TempDir dir;
  auto samples = new_buffer();
  fill_example_samples(*samples);
  write_bytes(dir.path() / "020315-007.oxr", "old contents");

  const auto result = save_data_file(dir.path(), "020315-007", example_header(), *samples, 0);
  ASSERT_TRUE(result.ok()) << result.detail;
  EXPECT_EQ(result.path, dir.path() / "020315-007.oxr");
  EXPECT_EQ(read_bytes(result.path), fixture("measurement_en.oxr"));
  EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"020315-007.oxr"});  // no temp left
}

TEST(DataFileSave, FailedWriteLeavesWhatWasThere) {
  TempDir dir;
  auto samples = new_buffer();
  fill_example_samples(*samples);

  // A folder in the place of the file.
  fs::create_directories(dir.path() / "020315-007.oxr");
  write_bytes(dir.path() / "020315-007.oxr" / "inside", "kept");
  auto result = save_data_file(dir.path(), "020315-007", example_header(), *samples, 0);
  EXPECT_EQ(result.error, SaveError::CannotWrite);
  EXPECT_FALSE(result.detail.empty());
  EXPECT_EQ(read_bytes(dir.path() / "020315-007.oxr" / "inside"), "kept");
  EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"020315-007.oxr"});

  // A folder that is not there.
  result = save_cycle_file_at(dir.path() / "missing" / "x.oxr", example_header(), 0);
  EXPECT_EQ(result.error, SaveError::CannotWrite);

#ifdef __linux__
  // A full disk: writes beyond the size limit fail half-way.
  write_bytes(dir.path() / "020315-008.oxr", "old contents");
  {
    test::FileSizeLimit full_disk(100);
    ASSERT_TRUE(full_disk.ok());
    result = save_data_file(dir.path(), "020315-008", example_header(), *samples, 0);
  }
  EXPECT_EQ(result.error, SaveError::CannotWrite);
  EXPECT_EQ(read_bytes(dir.path() / "020315-008.oxr"), "old contents");
  EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{"020315-007.oxr", "020315-008.oxr"}));

#endif
}

#ifdef __linux__
TEST(DataFileSave, ReadOnlyFolderKeepsTheOldFile) {
  TempDir dir;
  auto samples = new_buffer();
  fill_example_samples(*samples);
  const fs::path locked = dir.path() / "locked";
  fs::create_directories(locked);
  write_bytes(locked / "020315-009.oxr", "old contents");
  chmod(locked.c_str(), 0555);
  if (access(locked.c_str(), W_OK) == 0) {
    chmod(locked.c_str(), 0755);
    GTEST_SKIP() << "permissions do not bind this user (root)";
  }
  const auto result = save_data_file(locked, "020315-009", example_header(), *samples, 0);
  chmod(locked.c_str(), 0755);
  EXPECT_EQ(result.error, SaveError::CannotWrite);
  EXPECT_EQ(read_bytes(locked / "020315-009.oxr"), "old contents");
}
#endif

TEST(DataFileSave, FallbackKeepsTheSamplesUnderANewName) {
  TempDir dir;
  const fs::path missing = dir.path() / "missing";
  const fs::path spare = dir.path() / "spare";
  fs::create_directories(spare);
  auto samples = new_buffer();
  fill_example_samples(*samples);

  const auto first =
      save_fallback_data_file({missing, spare}, "020315-007", example_header(), *samples, 0);
  ASSERT_TRUE(first.ok()) << first.detail;
  EXPECT_EQ(first.path, spare / "oxr-unsaved-020315-007.oxr");
  EXPECT_EQ(read_bytes(first.path), fixture("measurement_en.oxr"));

  // A second one never replaces the first; a name that is no cycle name is not used.
  const auto second = save_fallback_data_file({spare}, "020315-007", example_header(), *samples, 0);
  EXPECT_EQ(second.path, spare / "oxr-unsaved-020315-007-1.oxr");
  const auto odd = save_fallback_data_file({spare}, "../../etc/x", example_header(), *samples, 0);
  EXPECT_EQ(odd.path, spare / "oxr-unsaved-cycle.oxr");
  EXPECT_EQ(read_bytes(first.path), fixture("measurement_en.oxr"));

  EXPECT_EQ(save_fallback_data_file({missing}, "020315-007", example_header(), *samples, 0).error,
            SaveError::CannotWrite);
  EXPECT_EQ(fallback_folders(spare).front(), spare);

  for (int lang : {0, 1}) {
    const std::string text = fallback_saved_message(lang, "020315-007", first.path);
    EXPECT_NE(text.find(first.path.string()), std::string::npos);
    EXPECT_NE(text.find("020315-007"), std::string::npos);
    EXPECT_NE(not_saved_message(lang, "020315-007").find("020315-007"), std::string::npos);
  }
  EXPECT_NE(fallback_saved_message(0, "020315-007", first.path),
            fallback_saved_message(1, "020315-007", first.path));
}

}  // namespace
}  // namespace oxr
