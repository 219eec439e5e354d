#include "Tools_oxr/config_file.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <limits>

#include "Tools_oxr/cp1252.h"
#include "Tools_oxr/data_file.h"
#include "Tools_oxr/date_time.h"

namespace oxr {

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr const char* kEmptyComment = "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa";
constexpr const char* kFullDay = "24:00:00";
constexpr int kCycleFieldCount = 12;

bool is_line_space(char c) {
  return c == '\r' || c == '\n' || c == '\t';
}
bool is_space(char c) {
  return is_line_space(c) || c == ' ';
}

// A text field as the file holds it: Windows-1252, without the characters that would end the
// field or the line early.
std::string file_text(const std::string& utf8) {
  std::string bytes = utf8_to_cp1252(keep_cp1252_representable(utf8)).value_or(std::string());
  std::string out;
  for (char c : bytes) {
    if (c != ',' && c != '\r' && c != '\n') out += c;
  }
  return out;
}

// Reads the file one field at a time. Every read stops at the end of the bytes; nothing is
// ever taken from beyond them.
class FieldReader {
 public:
  explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

  bool at_end() const { return pos_ >= bytes_.size(); }

  struct Field {
    std::string text;
    bool closed = false;  // ended by its "," (not by the end of the bytes or the limit)
  };

  // Characters up to the next ",", which is consumed. Line ends and tabs are never part of a
  // field; blanks are kept only where asked (names and comments keep theirs). At most
  // `limit` characters are read.
  Field field(bool keep_blanks, std::size_t limit = std::numeric_limits<std::size_t>::max()) {
    Field f;
    std::size_t taken = 0;
    while (pos_ < bytes_.size() && taken < limit) {
      const char c = bytes_[pos_++];
      if (c == ',') {
        f.closed = true;
        return f;
      }
      if (is_line_space(c) || (c == ' ' && !keep_blanks)) continue;
      f.text += c;
      ++taken;
    }
    return f;
  }

  // A decimal number with an optional sign, after white space. Nothing when no digit follows
  // or the number is out of range; the digits are consumed either way.
  std::optional<long long> number() {
    skip_space();
    std::size_t p = pos_;
    bool negative = false;
    if (p < bytes_.size() && (bytes_[p] == '-' || bytes_[p] == '+')) negative = bytes_[p++] == '-';
    const std::size_t digits_start = p;
    long long v = 0;
    bool overflow = false;
    while (p < bytes_.size() && bytes_[p] >= '0' && bytes_[p] <= '9') {
      if (v > (std::numeric_limits<long long>::max() - 9) / 10) overflow = true;
      if (!overflow) v = v * 10 + (bytes_[p] - '0');
      ++p;
    }
    if (p == digits_start) return std::nullopt;
    pos_ = p;
    if (overflow) return std::nullopt;
    return negative ? -v : v;
  }

  // The first byte after white space.
  std::optional<unsigned char> byte() {
    skip_space();
    if (at_end()) return std::nullopt;
    return static_cast<unsigned char>(bytes_[pos_++]);
  }

 private:
  void skip_space() {
    while (pos_ < bytes_.size() && is_space(bytes_[pos_])) ++pos_;
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
};

std::optional<long long> parse_integer(const std::string& text) {
  FieldReader r(text);
  auto v = r.number();
  if (!v || !r.at_end()) return std::nullopt;
  return v;
}

std::optional<std::int16_t> parse_int16(const std::string& text) {
  auto v = parse_integer(text);
  if (!v || *v < std::numeric_limits<std::int16_t>::min() ||
      *v > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(*v);
}

// One stored cycle from its twelve fields; nothing when a field that the table and the run
// depend on does not parse.
std::optional<CycleRecord> parse_cycle(const std::array<FieldReader::Field, kCycleFieldCount>& f) {
  for (const auto& field : f) {
    if (!field.closed) return std::nullopt;
  }
  CycleRecord r;
  if (!is_valid_cycle_name(f[0].text)) return std::nullopt;
  r.cycle_name = f[0].text;

  auto start_date = parse_date(f[1].text);
  auto start_time = parse_time(f[2].text);
  std::optional<DateTime> duration;
  if (f[3].text.rfind("24", 0) == 0) {
    duration = 1.0;
  } else {
    duration = parse_time(f[3].text);
  }
  auto end_date = parse_date(f[4].text);
  auto end_time = parse_time(f[5].text);
  if (!start_date || !start_time || !duration || !end_date || !end_time) return std::nullopt;
  // A cycle lasts at least one minute.
  if (*duration < encode_time(0, 1, 0)) return std::nullopt;
  r.start_date = *start_date;
  r.start_time = *start_time;
  r.duration = *duration;
  r.end_date = *end_date;
  r.end_time = *end_time;

  auto t1 = parse_int16(f[6].text);
  auto t2 = parse_int16(f[7].text);
  auto h1 = parse_int16(f[8].text);
  auto h2 = parse_int16(f[9].text);
  if (!t1 || !t2 || !h1 || !h2) return std::nullopt;
  r.set_temp1 = *t1;
  r.set_temp2 = *t2;
  r.hyst1 = *h1;
  r.hyst2 = *h2;

  r.preheating = !f[10].text.empty() && f[10].text[0] == '1' ? 1 : 0;

  // Longer comments than the editor allows are no comment: the thirty-"a" mark of an empty
  // one reads back empty this way.
  const std::string comment = cp1252_to_utf8(f[11].text);
  r.comment = utf8_length(comment) <= kCommentMaxChars ? comment : std::string();
  return r;
}

}  // namespace

std::string build_config_file(const ConfigContents& c) {
  std::string out;
  for (const DayCounter& entry : c.day_counters) {
    out += format_date(entry.date) + "," + std::to_string(entry.count) + kLineEnd;
  }
  out += std::to_string(c.control_mode) + kLineEnd;
  // The port is one raw byte; anything but 0..3 would be no port (and 10 or 13 a line end).
  out += static_cast<char>(c.com_port <= 3 ? c.com_port : 0);
  out += kLineEnd;
  for (const std::string& name : c.com_names) out += file_text(name) + "," + kLineEnd;

  const int n = c.cycle_count < 0 ? 0 : (c.cycle_count > kRowCount ? kRowCount : c.cycle_count);
  out += std::to_string(n) + kLineEnd;
  for (int j = 0; j < n; ++j) {
    const CycleRecord& r = c.cycles[static_cast<std::size_t>(j)];
    const std::string comment = file_text(r.comment);
    out += file_text(r.cycle_name) + ",";
    out += format_date(r.start_date) + ",";
    out += format_time(r.start_time) + ",";
    out += (is_endless(r.duration) ? std::string(kFullDay) : format_time(r.duration)) + ",";
    out += format_date(r.end_date) + ",";
    out += format_time(r.end_time) + ",";
    out += std::to_string(r.set_temp1) + ",";
    out += std::to_string(r.set_temp2) + ",";
    out += std::to_string(r.hyst1) + ",";
    out += std::to_string(r.hyst2) + ",";
    out += std::string(r.preheating == 1 ? "1" : "0") + ",";
    out += (comment.empty() ? std::string(kEmptyComment) : comment) + ",";
    out += kLineEnd;
  }
  out += c.lang_index == 1 ? '1' : '0';
  return out;
}

ConfigParse parse_config_file(std::string_view bytes) {
  ConfigParse p;
  FieldReader r(bytes);

  for (DayCounter& entry : p.day_counters) {
    const auto field = r.field(false, kDateFieldMaxChars);
    const auto date = field.closed ? parse_date(field.text) : std::nullopt;
    if (!date) return p;
    entry.date = *date;
    // A count that is no number reads as 0; one beyond 16 bits as the top count, so that no
    // number already given out is given out again.
    const auto count = r.number();
    if (count && *count > 0) {
      entry.count = static_cast<std::uint16_t>(*count > std::numeric_limits<std::uint16_t>::max()
                                                   ? std::numeric_limits<std::uint16_t>::max()
                                                   : *count);
    }
  }
  p.window_ok = true;

  if (auto mode = r.number(); mode && *mode >= std::numeric_limits<std::int32_t>::min() &&
                              *mode <= std::numeric_limits<std::int32_t>::max()) {
    p.control_mode = static_cast<std::int32_t>(*mode);
  }
  if (auto port = r.byte(); port && *port <= 3) p.com_port = *port;

  for (auto& name : p.com_names) {
    const auto field = r.field(true);
    if (!field.closed) return p;
    name = cp1252_to_utf8(field.text.substr(0, kComNameMaxChars));
  }

  p.stored_count = r.number();
  if (!p.stored_count) return p;
  // Only five rows exist; further stored cycles are passed over to reach the language digit.
  for (long long j = 0; j < *p.stored_count && !r.at_end(); ++j) {
    std::array<FieldReader::Field, kCycleFieldCount> fields;
    for (int i = 0; i < kCycleFieldCount; ++i) {
      const bool keep_blanks = i == 0 || i == kCycleFieldCount - 1;
      fields[static_cast<std::size_t>(i)] = r.field(keep_blanks);
    }
    if (j >= kRowCount) continue;
    if (auto cycle = parse_cycle(fields)) {
      p.cycles[static_cast<std::size_t>(p.cycle_count++)] = std::move(*cycle);
    } else {
      ++p.skipped_cycles;
    }
  }

  if (auto lang = r.number()) p.language = *lang == 1 ? 1 : 0;
  return p;
}

std::optional<DateTime> parse_first_date(std::string_view bytes) {
  FieldReader r(bytes);
  const auto field = r.field(false, kDateFieldMaxChars);
  if (!field.closed) return std::nullopt;
  return parse_date(field.text);
}

std::optional<std::string> read_file_bounded(const std::filesystem::path& path,
                                             std::size_t max_bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  // In chunks: a generous bound costs nothing for a small file.
  std::string bytes;
  std::array<char, 64 * 1024> chunk;
  while (bytes.size() < max_bytes && in) {
    in.read(chunk.data(),
            static_cast<std::streamsize>(std::min(chunk.size(), max_bytes - bytes.size())));
    bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace oxr
