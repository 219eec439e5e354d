#pragma once
// Builds and reads oxrconf.dat bytes for window tests: numbering window from a given day,
// mode, raw port byte, four port names, the stored cycles and the language digit.
#include <sstream>
#include <string>
#include <vector>

#include "Tools_oxr/date_time.h"

namespace oxr::test {

struct StoredCycle {
  std::string name;
  DateTime start_date;
  std::string start_time;  // hh:mm:ss
  std::string duration;    // hh:mm:ss
  DateTime end_date;
  std::string end_time;
};

inline std::string config_bytes(DateTime first_day, const std::vector<StoredCycle>& cycles,
                                char lang_digit, int mode = 1, int port = 0) {
  std::string out;
  for (int i = 0; i < 15; ++i) out += format_date(first_day + i) + ",0\r\n";
  out += std::to_string(mode) + "\r\n";
  out += static_cast<char>(port);
  out += "\r\n";
  for (int i = 0; i < 4; ++i) out += ",\r\n";
  out += std::to_string(cycles.size()) + "\r\n";
  for (const StoredCycle& c : cycles) {
    out += c.name + "," + format_date(c.start_date) + "," + c.start_time + "," + c.duration +
           "," + format_date(c.end_date) + "," + c.end_time +
           ",600,600,10,10,0,aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa,\r\n";
  }
  out += lang_digit;
  return out;
}

// Line n (1-based) of a CR LF file, without its line end; empty past the end.
inline std::string config_line(const std::string& bytes, int n) {
  std::size_t pos = 0;
  for (int i = 1; i < n; ++i) {
    pos = bytes.find("\r\n", pos);
    if (pos == std::string::npos) return {};
    pos += 2;
  }
  const std::size_t end = bytes.find("\r\n", pos);
  return bytes.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
}

}  // namespace oxr::test
