#include "Tools_oxr/data_file.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>
#include <utility>

#include "Tools_oxr/cp1252.h"
#include "Tools_oxr/date_time.h"
#include "Tools_oxr/texts.h"

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#define OXR_HAVE_FSYNC 1
#endif

namespace oxr {

namespace {

// Message numbers of the title lines A to E, and how many fields each one spans.
constexpr int kTitleMessages[5] = {48, 49, 50, 51, 52};
constexpr int kTitleFields[5] = {3, 2, 2, 6, 7};
// No field this program writes comes near this; a longer one is not ours.
constexpr std::size_t kMaxFieldBytes = 64;
// 1 January 1970 in days since 30 December 1899.
constexpr long long kUnixEpochDay = 25569;
constexpr long long kMsPerDay = 86400000;

// Civil date <-> days since 1970-01-01 (proleptic Gregorian calendar).
long long days_from_civil(int y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153LL * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void civil_from_days(long long z, int& y, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

int days_in_month(int y, int m) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return m == 2 && leap ? 29 : kDays[m - 1];
}

std::string two_digits(int v) {
  std::string s = std::to_string(v);
  return s.size() < 2 ? "0" + s : s;
}

// Reads 1..max_digits digits at pos; nothing when there are none.
std::optional<int> take_digits(std::string_view text, std::size_t& pos, std::size_t max_digits) {
  const std::size_t start = pos;
  int value = 0;
  while (pos < text.size() && pos - start < max_digits && text[pos] >= '0' && text[pos] <= '9') {
    value = value * 10 + (text[pos] - '0');
    ++pos;
  }
  if (pos == start) return std::nullopt;
  return value;
}

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Windows-1252 bytes of a text; characters it cannot hold are left out.
std::string to_file_bytes(const std::string& utf8) {
  return utf8_to_cp1252(keep_cp1252_representable(utf8)).value_or(std::string());
}

// A text field for the file: nothing in it may end a field or a line.
std::string text_field(const std::string& utf8) {
  return to_file_bytes(comment_for_file(utf8));
}

std::string duration_text(DateTime duration) {
  return duration > kEndlessThreshold ? "24:00:00" : file_time_text(duration);
}

class LineWriter {
 public:
  explicit LineWriter(std::string& out) : out_(out) {}
  LineWriter& text(const std::string& utf8) { return raw(text_field(utf8)); }
  LineWriter& number(long v) { return raw(std::to_string(v)); }
  LineWriter& raw(const std::string& bytes) {
    if (!first_) out_ += ',';
    out_ += bytes;
    first_ = false;
    return *this;
  }
  // Every line, the titles included, ends with "," and CR LF.
  void end() {
    out_ += ",\r\n";
    first_ = true;
  }

 private:
  std::string& out_;
  bool first_ = true;
};

void write_title(std::string& out, int title, int lang) {
  LineWriter(out).raw(to_file_bytes(message_text(lang, kTitleMessages[title]))).end();
}

void write_header_lines(std::string& out, const DataFileHeader& h, std::uint16_t value_count,
                        int lang) {
  LineWriter w(out);
  write_title(out, 0, lang);
  w.raw(file_date_text(h.start_date))
      .raw(file_time_text(h.start_time))
      .raw(duration_text(h.duration));
  w.end();
  write_title(out, 1, lang);
  w.text(h.cycle_name).text(h.comment).end();
  write_title(out, 2, lang);
  w.text(h.unit_word).text(h.preheating_word).end();
  write_title(out, 3, lang);
  w.number(h.set1_deg).number(h.set2_deg).number(h.hyst1_deg).number(h.hyst2_deg);
  w.number(h.operation_mode).number(value_count).end();
}

// ---- reading ----

struct ReadFailure {
  DataFileError error;
  DataFileField field;
  int line;
};

// Takes fields one character at a time: blanks, tabs and line breaks are skipped wherever
// they stand, a field ends at ",". Never reads past the end and never waits for a "," that
// is not there.
class FieldReader {
 public:
  explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

  int line() const { return line_; }

  // The raw bytes of the next field, or the failure.
  bool field(DataFileField which, std::string& out, ReadFailure& fail) {
    out.clear();
    skip_blanks();
    const int start_line = line_;
    for (;;) {
      skip_blanks();
      if (pos_ >= bytes_.size()) {
        fail = {DataFileError::EndsEarly, which, start_line};
        return false;
      }
      const char c = bytes_[pos_++];
      if (c == ',') return true;
      if (out.size() >= kMaxFieldBytes) {
        fail = {DataFileError::FieldTooLong, which, start_line};
        return false;
      }
      out += c;
    }
  }

  bool text(DataFileField which, std::string& out, ReadFailure& fail) {
    std::string bytes;
    if (!field(which, bytes, fail)) return false;
    out = cp1252_to_utf8(bytes);
    return true;
  }

  bool skip(int count, ReadFailure& fail) {
    std::string ignored;
    for (int i = 0; i < count; ++i)
      if (!field(DataFileField::Title, ignored, fail)) return false;
    return true;
  }

  // A decimal number in [lo, hi]; a "-" only where lo is negative.
  bool number(DataFileField which, long lo, long hi, long& out, ReadFailure& fail) {
    std::string bytes;
    const int start_line = next_field_line();
    if (!field(which, bytes, fail)) return false;
    std::size_t pos = 0;
    const bool negative = lo < 0 && !bytes.empty() && bytes[0] == '-';
    if (negative) pos = 1;
    long value = 0;
    bool digits = false;
    for (; pos < bytes.size(); ++pos) {
      if (bytes[pos] < '0' || bytes[pos] > '9' || value > hi + 1) break;
      value = value * 10 + (bytes[pos] - '0');
      digits = true;
    }
    if (negative) value = -value;
    if (!digits || pos != bytes.size() || value < lo || value > hi) {
      fail = {DataFileError::BadValue, which, start_line};
      return false;
    }
    out = value;
    return true;
  }

  template <typename Parse, typename T>
  bool parsed(DataFileField which, Parse parse, T& out, ReadFailure& fail) {
    std::string bytes;
    const int start_line = next_field_line();
    if (!field(which, bytes, fail)) return false;
    auto value = parse(bytes);
    if (!value) {
      fail = {DataFileError::BadValue, which, start_line};
      return false;
    }
    out = *value;
    return true;
  }

  // Nothing but blanks and line breaks left.
  bool at_end() {
    skip_blanks();
    return pos_ >= bytes_.size();
  }

  // The line the next field begins on.
  int next_field_line() {
    skip_blanks();
    return line_;
  }

 private:
  void skip_blanks() {
    while (pos_ < bytes_.size() && is_blank(bytes_[pos_])) {
      if (bytes_[pos_] == '\n') ++line_;
      ++pos_;
    }
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

std::optional<DateTime> parse_duration(std::string_view text) {
  if (text.substr(0, 2) == "24") return 1.0;
  return parse_file_time(text);
}

bool read_header(FieldReader& r, DataFileHeader& h, ReadFailure& f) {
  long v = 0;
  using F = DataFileField;
  if (!r.skip(kTitleFields[0], f) || !r.parsed(F::StartDate, parse_file_date, h.start_date, f) ||
      !r.parsed(F::StartTime, parse_file_time, h.start_time, f) ||
      !r.parsed(F::Duration, parse_duration, h.duration, f))
    return false;
  if (!r.skip(kTitleFields[1], f) || !r.text(F::CycleName, h.cycle_name, f) ||
      !r.text(F::Comment, h.comment, f))
    return false;
  if (!r.skip(kTitleFields[2], f) || !r.text(F::UnitWord, h.unit_word, f)) return false;
  const int preheat_line = r.next_field_line();
  if (!r.text(F::PreheatingWord, h.preheating_word, f)) return false;
  // Only its 13th character is read back; a shorter word is not one of ours.
  if (h.preheating_word.size() < 13) {
    f = {DataFileError::BadValue, F::PreheatingWord, preheat_line};
    return false;
  }
  if (!r.skip(kTitleFields[3], f)) return false;
  std::int16_t* const degrees[4] = {&h.set1_deg, &h.set2_deg, &h.hyst1_deg, &h.hyst2_deg};
  const F degree_fields[4] = {F::Set1, F::Set2, F::Hyst1, F::Hyst2};
  for (int i = 0; i < 4; ++i) {
    if (!r.number(degree_fields[i], INT16_MIN, INT16_MAX, v, f)) return false;
    *degrees[i] = static_cast<std::int16_t>(v);
  }
  if (!r.number(F::OperationMode, INT16_MIN, INT16_MAX, v, f)) return false;
  h.operation_mode = static_cast<std::int16_t>(v);
  if (!r.number(F::ValueCount, 0, UINT16_MAX, v, f)) return false;
  h.value_count = static_cast<std::uint16_t>(v);
  return true;
}

bool read_sample(FieldReader& r, MeasurementSample& s, ReadFailure& f) {
  long v = 0;
  using F = DataFileField;
  if (!r.number(F::SampleNo, 0, kSampleCount - 1, v, f)) return false;
  s.sample_no = static_cast<std::uint16_t>(v);
  if (!r.parsed(F::SampleDate, parse_file_date, s.sample_date, f) ||
      !r.parsed(F::SampleTime, parse_file_time, s.sample_time, f))
    return false;
  if (!r.number(F::Temp1, INT16_MIN, INT16_MAX, v, f)) return false;
  s.temp1 = static_cast<std::int16_t>(v);
  if (!r.number(F::Temp2, INT16_MIN, INT16_MAX, v, f)) return false;
  s.temp2 = static_cast<std::int16_t>(v);
  return r.text(F::SampleStatus, s.sample_status, f) && r.text(F::PumpText, s.pump_text, f);
}

const char* field_name(DataFileField field, int lang) {
  struct Names {
    DataFileField field;
    const char* en;
    const char* de;
  };
  using F = DataFileField;
  static constexpr Names kNames[] = {
      {F::Title, "title", "Titel"},
      {F::StartDate, "start date", "Startdatum"},
      {F::StartTime, "start time", "Startzeit"},
      {F::Duration, "cycle duration", "Zyklusdauer"},
      {F::CycleName, "cycle number", "Zyklusnummer"},
      {F::Comment, "comment", "Kommentar"},
      {F::UnitWord, "temperature unit", "Temperatureinheit"},
      {F::PreheatingWord, "preheating", "Vorheizung"},
      {F::Set1, "set temperature1", "Solltemperatur1"},
      {F::Set2, "set temperature2", "Solltemperatur2"},
      {F::Hyst1, "hysteresis1", "Hysterese1"},
      {F::Hyst2, "hysteresis2", "Hysterese2"},
      {F::OperationMode, "operation mode", "Betriebsmodus"},
      {F::ValueCount, "number of measured values", "Anzahl der Messwerte"},
      {F::SampleNo, "measuring value no.", "Messwertnummer"},
      {F::SampleDate, "measuring date", "Messdatum"},
      {F::SampleTime, "measuring time", "Messzeit"},
      {F::Temp1, "Temp.1", "Temp.1"},
      {F::Temp2, "Temp.2", "Temp.2"},
      {F::SampleStatus, "status", "Status"},
      {F::PumpText, "pump", "Pumpe"},
  };
  for (const auto& n : kNames)
    if (n.field == field) return lang == 1 ? n.de : n.en;
  return "";
}

// ---- saving ----

std::string errno_text(int err) {
  return std::error_code(err, std::generic_category()).message();
}

#ifdef OXR_HAVE_FSYNC
// The rename itself reaches the disk only with its folder.
void sync_folder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}
#endif

}  // namespace

// ---- texts of fields ----

std::string comment_for_file(const std::string& comment) {
  std::string out = comment;
  for (char& c : out)
    if (c == ',' || is_blank(c)) c = '_';
  return out;
}

std::string comment_for_editor(const std::string& file_comment) {
  std::string out = file_comment;
  for (char& c : out)
    if (c == '_') c = ' ';
  return out;
}

DateTime editor_start_time(const DataFileHeader& header) {
  const long long minutes = static_cast<long long>(std::llround(
                                (header.start_time - std::floor(header.start_time)) * kMsPerDay)) /
                            60000;
  return static_cast<double>(minutes % 1440) / 1440.0;
}

bool preheating_on(const DataFileHeader& header) {
  return header.preheating_word.size() < 13 || header.preheating_word[12] != 'F';
}

std::string file_date_text(DateTime t) {
  int y = 0, m = 0, d = 0;
  civil_from_days(static_cast<long long>(std::floor(t)) - kUnixEpochDay, y, m, d);
  std::string year = std::to_string(y);
  while (year.size() < 4) year = "0" + year;
  return two_digits(d) + "." + two_digits(m) + "." + year;
}

std::string file_time_text(DateTime t) {
  // To the millisecond first, so 13:59:59.9999 of a sum of steps shows as 14:00:00.
  long long ms = std::llround((t - std::floor(t)) * kMsPerDay) % kMsPerDay;
  const long long s = ms / 1000;
  return two_digits(static_cast<int>(s / 3600)) + ":" + two_digits(static_cast<int>(s / 60 % 60)) +
         ":" + two_digits(static_cast<int>(s % 60));
}

std::optional<DateTime> parse_file_date(std::string_view text) {
  std::size_t pos = 0;
  const auto d = take_digits(text, pos, 2);
  if (!d || pos >= text.size() || text[pos++] != '.') return std::nullopt;
  const auto m = take_digits(text, pos, 2);
  if (!m || pos >= text.size() || text[pos++] != '.') return std::nullopt;
  const std::size_t year_start = pos;
  auto y = take_digits(text, pos, 4);
  if (!y || pos != text.size()) return std::nullopt;
  const std::size_t year_digits = pos - year_start;
  if (year_digits == 2)
    *y += 2000;
  else if (year_digits != 4)
    return std::nullopt;
  if (*y < 1 || *m < 1 || *m > 12 || *d < 1 || *d > days_in_month(*y, *m)) return std::nullopt;
  return static_cast<DateTime>(days_from_civil(*y, *m, *d) + kUnixEpochDay);
}

std::optional<DateTime> parse_file_time(std::string_view text) {
  std::size_t pos = 0;
  const auto h = take_digits(text, pos, 2);
  if (!h || pos >= text.size() || text[pos++] != ':') return std::nullopt;
  const auto m = take_digits(text, pos, 2);
  if (!m) return std::nullopt;
  int s = 0;
  if (pos < text.size()) {
    if (text[pos++] != ':') return std::nullopt;
    const auto sec = take_digits(text, pos, 2);
    if (!sec || pos != text.size()) return std::nullopt;
    s = *sec;
  }
  if (*h > 23 || *m > 59 || s > 59) return std::nullopt;
  return (*h * 3600 + *m * 60 + s) / 86400.0;
}

// ---- writing ----

std::string measurement_file_head_bytes(const DataFileHeader& header, int lang) {
  std::string out;
  write_header_lines(out, header, header.value_count, lang);
  write_title(out, 4, lang);
  return out;
}

void append_sample_line(std::string& out, const MeasurementSample& s, std::int16_t operation_mode) {
  // Zone 2 is a measured value only where the controller runs it on its own or as zone 1.
  const bool zone2 = operation_mode >= 2 && operation_mode <= 4;
  LineWriter w(out);
  w.number(s.sample_no).raw(file_date_text(s.sample_date)).raw(file_time_text(s.sample_time));
  w.number(s.temp1).number(zone2 ? s.temp2 : 0).text(s.sample_status).text(s.pump_text);
  w.end();
}

std::string measurement_file_bytes(const DataFileHeader& header, const SampleBuffer& samples,
                                   int lang) {
  std::string out = measurement_file_head_bytes(header, lang);
  const int lines = std::min<int>(header.value_count, kSampleCount);
  out.reserve(out.size() + static_cast<std::size_t>(lines) * 40);
  for (int i = 0; i < lines; ++i)
    append_sample_line(out, samples[static_cast<std::size_t>(i)], header.operation_mode);
  return out;
}

std::string cycle_file_bytes(const DataFileHeader& header, int lang) {
  std::string out;
  write_header_lines(out, header, 0, lang);
  return out;
}

// ---- reading ----

DataFileReadResult read_data_file(std::string_view bytes, DataFileHeader& header,
                                  SampleBuffer& samples) {
  FieldReader r(bytes);
  ReadFailure fail{};
  DataFileHeader h;
  if (!read_header(r, h, fail)) return {fail.error, fail.field, fail.line, 0};

  if (h.value_count == 0) {  // a cycle file: parameters only, the samples stay as they are
    header = h;
    return {};
  }

  if (!r.skip(kTitleFields[4], fail)) return {fail.error, fail.field, fail.line, 0};
  // Read aside, so a file that fails half-way leaves the shown measurement untouched.
  auto loaded = std::make_unique<SampleBuffer>();
  const int lines = std::min<int>(h.value_count, kSampleCount);
  for (int i = 0; i < lines; ++i)
    if (!read_sample(r, (*loaded)[static_cast<std::size_t>(i)], fail))
      return {fail.error, fail.field, fail.line, 0};

  header = h;
  samples.entries.swap(loaded->entries);
  return {DataFileError::None, DataFileField::None, r.line(), lines};
}

DataFileReadResult read_data_file_header(std::string_view bytes, DataFileHeader& header) {
  FieldReader r(bytes);
  ReadFailure fail{};
  DataFileHeader h;
  if (!read_header(r, h, fail)) return {fail.error, fail.field, fail.line, 0};
  header = h;
  return {DataFileError::None, DataFileField::None, r.line(), 0};
}

bool read_sample_line(std::string_view line, MeasurementSample& sample) {
  FieldReader r(line);
  ReadFailure fail{};
  MeasurementSample s;
  if (!read_sample(r, s, fail) || !r.at_end()) return false;
  sample = std::move(s);
  return true;
}

std::optional<int> data_file_language(std::string_view bytes) {
  const std::size_t end = bytes.find('\n');
  std::string_view first = bytes.substr(0, end);
  if (!first.empty() && first.back() == '\r') first.remove_suffix(1);
  for (int lang = 0; lang < 2; ++lang) {
    std::string title;
    write_title(title, 0, lang);
    title.resize(title.size() - 2);  // without CR LF
    if (first == title) return lang;
  }
  return std::nullopt;
}

std::string read_error_message(const DataFileReadResult& result, int lang) {
  const std::string where = (lang == 1 ? "Zeile " : "line ") + std::to_string(result.line) + ", " +
                            field_name(result.field, lang);
  std::string what;
  switch (result.error) {
    case DataFileError::None:
      return "";
    case DataFileError::EndsEarly:
      what = lang == 1 ? "sie endet zu früh" : "it ends too early";
      break;
    case DataFileError::BadValue:
      what = lang == 1 ? "ungültiger Wert" : "invalid value";
      break;
    case DataFileError::FieldTooLong:
      what = lang == 1 ? "Feld zu lang" : "field too long";
      break;
  }
  return lang == 1 ? "Die Datei kann nicht gelesen werden: " + what + " (" + where +
                         ").\nEs wurde nichts geladen."
                   : "The file cannot be read: " + what + " (" + where + ").\nNothing was loaded.";
}

// ---- saving ----

bool is_valid_cycle_name(std::string_view name) {
  if (name.size() < 10 || name.size() > 12 || name[6] != '-') return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (i != 6 && (name[i] < '0' || name[i] > '9')) return false;
  return true;
}

SaveResult write_file_atomically(const std::filesystem::path& target, const std::string& bytes) {
  SaveResult result{SaveError::None, target, ""};
  std::filesystem::path folder = target.parent_path();
  if (folder.empty()) folder = ".";

  std::filesystem::path temp;
  std::FILE* file = nullptr;
  int err = 0;
  for (int k = 0; k < 100 && !file; ++k) {
    temp = folder / ("." + target.filename().string() + ".tmp" + std::to_string(k));
    file = std::fopen(temp.c_str(), "wbx");  // never takes over a file someone else writes
    err = errno;
    if (!file && err != EEXIST) break;
  }
  if (!file) {
    result.error = SaveError::CannotWrite;
    result.detail = errno_text(err);
    return result;
  }

  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  written = written && std::fflush(file) == 0;
  err = errno;
#ifdef OXR_HAVE_FSYNC
  if (written && ::fsync(::fileno(file)) != 0) {
    written = false;
    err = errno;
  }
#endif
  if (std::fclose(file) != 0 && written) {
    written = false;
    err = errno;
  }
  std::error_code ec;
  if (written) {
    std::filesystem::rename(temp, target, ec);
    if (!ec) {
#ifdef OXR_HAVE_FSYNC
      sync_folder(folder);
#endif
      return result;
    }
  }
  std::error_code ignored;
  std::filesystem::remove(temp, ignored);
  result.error = SaveError::CannotWrite;
  result.detail = ec ? ec.message() : errno_text(err);
  return result;
}

SaveResult save_data_file(const std::filesystem::path& folder, const std::string& cycle_name,
                          const DataFileHeader& header, const SampleBuffer& samples, int lang) {
  if (!is_valid_cycle_name(cycle_name)) return {SaveError::InvalidName, {}, cycle_name};
  return write_file_atomically(folder / (cycle_name + kDataFileExtension),
                               measurement_file_bytes(header, samples, lang));
}

SaveResult save_cycle_file_at(const std::filesystem::path& file, const DataFileHeader& header,
                              int lang) {
  return write_file_atomically(file, cycle_file_bytes(header, lang));
}

SaveResult save_fallback_data_file(const std::vector<std::filesystem::path>& folders,
                                   const std::string& cycle_name, const DataFileHeader& header,
                                   const SampleBuffer& samples, int lang) {
  const std::string stem =
      std::string("oxr-unsaved-") + (is_valid_cycle_name(cycle_name) ? cycle_name : "cycle");
  const std::string bytes = measurement_file_bytes(header, samples, lang);
  SaveResult last{SaveError::CannotWrite, {}, "no folder"};
  for (const auto& folder : folders) {
    for (int k = 0; k < 1000; ++k) {
      const auto path =
          folder / (stem + (k == 0 ? "" : "-" + std::to_string(k)) + kDataFileExtension);
      std::error_code ec;
      if (std::filesystem::exists(path, ec) || ec) continue;
      last = write_file_atomically(path, bytes);
      if (last.ok()) return last;
      break;  // this folder does not take files; try the next one
    }
  }
  return last;
}

std::vector<std::filesystem::path> fallback_folders(const std::filesystem::path& work_dir) {
  std::vector<std::filesystem::path> folders{work_dir};
  std::error_code ec;
  const auto temp = std::filesystem::temp_directory_path(ec);
  if (!ec && temp != work_dir) folders.push_back(temp);
  return folders;
}

std::string fallback_saved_message(int lang, const std::string& cycle_name,
                                   const std::filesystem::path& path) {
  if (lang == 1)
    return "Die Messdaten des Zyklus " + cycle_name +
           " konnten nicht unter ihrem Namen gespeichert werden.\nSie wurden in der Datei\n" +
           path.string() + "\ngespeichert.";
  return "The measuring data of cycle " + cycle_name +
         " could not be saved under their own name.\nThey were saved to the file\n" + path.string();
}

std::string not_saved_message(int lang, const std::string& cycle_name) {
  if (lang == 1)
    return "Die Messdaten des Zyklus " + cycle_name +
           " konnten in keinem Ordner gespeichert werden.\nBitte Speicherplatz und Schreibrecht "
           "des Arbeitsordners prüfen.";
  return "The measuring data of cycle " + cycle_name +
         " could not be saved in any folder.\nPlease check the disk space and the write "
         "permission of the working folder.";
}

}  // namespace oxr
