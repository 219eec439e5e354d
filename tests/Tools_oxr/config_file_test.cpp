#include "Tools_oxr/config_file.h"

#include <gtest/gtest.h>

#include <string>

#include "Tools_oxr/date_time.h"
#include "tests/support/temp_dir.h"

namespace oxr {
namespace {

constexpr DateTime kToday = 46365;  // 9 December 2026

ConfigContents first_run() {
  ConfigContents c;
  reset_day_counters(c.day_counters, kToday);
  return c;
}

CycleRecord cycle(const char* name, const char* date, const char* time, DateTime duration,
                  const char* comment) {
  CycleRecord r;
  r.cycle_name = name;
  r.start_date = *parse_date(date);
  r.start_time = *parse_time(time);
  r.duration = duration;
  const CycleEnd e = cycle_end(r.start_date, r.start_time, r.duration);
  r.end_date = e.end_date;
  r.end_time = e.end_time;
  r.set_temp1 = 600;
  r.set_temp2 = 2400;
  r.hyst1 = 10;
  r.hyst2 = 300;
  r.preheating = 1;
  r.comment = comment;
  return r;
}

// Two stored cycles, one of them a full day, with names and comments holding blanks and
// characters beyond ASCII.
ConfigContents two_cycles() {
  ConfigContents c = first_run();
  c.day_counters[0].count = 2;
  c.day_counters[14].count = 1234;
  c.control_mode = 4;
  c.com_port = 2;
  c.com_names = {"Pumpe A", "", "Öfen", "x"};
  c.cycles[0] =
      cycle("261209-000", "09.12.2026", "14:05:00", encode_time(0, 55, 0), "run 2 Prüfung");
  c.cycles[1] = cycle("261209-001", "09.12.2026", "23:30:00", 1.0, "");
  c.cycles[1].preheating = 0;
  c.cycle_count = 2;
  c.lang_index = 0;
  return c;
}

std::string golden(const char* name) {
  return test::read_bytes(std::filesystem::path(OXR_TEST_DATA) / name);
}

// Line i (1-based) of a file, without its line end.
std::string line(const std::string& bytes, int i) {
  std::size_t start = 0;
  for (int k = 1; k < i; ++k) start = bytes.find("\r\n", start) + 2;
  const std::size_t end = bytes.find("\r\n", start);
  return bytes.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

TEST(ConfigFile, FirstRunFileIsByteExact) {
  EXPECT_EQ(build_config_file(first_run()), golden("oxrconf_first_run.dat"));
}

TEST(ConfigFile, WritesCyclesPortAndLanguageAsTheLayoutHasThem) {
  const std::string bytes = build_config_file(two_cycles());
  EXPECT_EQ(line(bytes, 1), "09.12.2026,2");
  EXPECT_EQ(line(bytes, 15), "23.12.2026,1234");
  EXPECT_EQ(line(bytes, 16), "4");
  EXPECT_EQ(line(bytes, 17), std::string(1, '\x02'));  // COM3 as the raw byte
  EXPECT_EQ(line(bytes, 18), "Pumpe A,");
  EXPECT_EQ(line(bytes, 20),
            "\xD6"
            "fen,");  // Windows-1252
  EXPECT_EQ(line(bytes, 22), "2");
  EXPECT_EQ(line(bytes, 23),
            "261209-000,09.12.2026,14:05:00,00:55:00,09.12.2026,15:00:00,600,2400,10,300,1,"
            "run 2 Pr\xFC"
            "fung,");
  EXPECT_EQ(line(bytes, 24),
            "261209-001,09.12.2026,23:30:00,24:00:00,10.12.2026,23:30:00,600,2400,10,300,0,"
            "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa,");
  EXPECT_EQ(line(bytes, 25), "0");  // the language digit ends the file, no line end after it
  EXPECT_EQ(bytes.back(), '0');
  EXPECT_NE(bytes.substr(bytes.size() - 3), "\r\n0\r\n");
}

TEST(ConfigFile, TextThatWouldBreakALineIsLeftOut) {
  ConfigContents c = first_run();
  c.com_names[0] = "a,b\r\nc";
  c.cycles[0] = cycle("261209-000", "09.12.2026", "10:00:00", kOneMinute, "x,y\u4E2Dz");
  c.cycle_count = 1;
  const std::string bytes = build_config_file(c);
  EXPECT_EQ(line(bytes, 18), "abc,");
  EXPECT_NE(line(bytes, 23).find(",xyz,"), std::string::npos);
  const ConfigParse p = parse_config_file(bytes);
  EXPECT_EQ(p.com_names[0], "abc");
  EXPECT_EQ(p.cycles[0].comment, "xyz");
}

TEST(ConfigFile, RoundTripKeepsEveryValue) {
  const ConfigContents c = two_cycles();
  const ConfigParse p = parse_config_file(build_config_file(c));
  ASSERT_TRUE(p.window_ok);
  for (int i = 0; i < kDayCounterCount; ++i) {
    EXPECT_EQ(p.day_counters[i].date, c.day_counters[i].date) << i;
    EXPECT_EQ(p.day_counters[i].count, c.day_counters[i].count) << i;
  }
  EXPECT_EQ(p.control_mode, 4);
  EXPECT_EQ(p.com_port, 2);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(p.com_names[i], c.com_names[i]) << i;  // blanks kept
  EXPECT_EQ(p.stored_count, 2);
  ASSERT_EQ(p.cycle_count, 2);
  EXPECT_EQ(p.skipped_cycles, 0);
  EXPECT_EQ(p.cycles[0], c.cycles[0]);
  EXPECT_EQ(p.cycles[1], c.cycles[1]);  // the full day reads back as exactly 1.0
  EXPECT_EQ(p.cycles[1].duration, 1.0);
  EXPECT_EQ(p.cycles[1].comment, "");  // the thirty-"a" mark
  EXPECT_EQ(p.language, 0);
  EXPECT_EQ(parse_first_date(build_config_file(c)), kToday);
}

// A file as a hand or another program may leave it, with one stored cycle line of our own.
std::string file_with_cycles(const std::string& count, const std::vector<std::string>& lines) {
  std::string bytes = build_config_file(first_run());
  const std::size_t pos = bytes.rfind("0\r\n1");
  bytes = bytes.substr(0, pos) + count + "\r\n";
  for (const std::string& l : lines) bytes += l + "\r\n";
  return bytes + "1";
}

const std::string kGood =
    "261209-003,09.12.2026,14:05:00,00:55:00,09.12.2026,15:00:00,600,600,10,10,1,ok,";

std::string with_field(int index, const std::string& value) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t comma; (comma = kGood.find(',', start)) != std::string::npos; start = comma + 1)
    fields.push_back(kGood.substr(start, comma - start));
  fields[static_cast<std::size_t>(index)] = value;
  std::string out;
  for (const auto& f : fields) out += f + ",";
  return out;
}

TEST(ConfigFile, StoredCycleThatDoesNotParseIsSkippedAndTheOthersAreTaken) {
  struct Case {
    const char* name;
    int field;
    const char* value;
  };
  const Case cases[] = {
      {"name with a path", 0, "..\\..\\x"},
      {"name too short", 0, "261209-03"},
      {"no real start date", 1, "31.02.2026"},
      {"start time 25:00", 2, "25:00:00"},
      {"start time 10:60", 2, "10:60:00"},
      {"duration not a time", 3, "xx:00:00"},
      {"duration zero", 3, "00:00:00"},
      {"no real end date", 4, "00.12.2026"},
      {"end time empty", 5, ""},
      {"temperature not a number", 6, "6oo"},
      {"hysteresis beyond 16 bits", 9, "70000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ConfigParse p =
        parse_config_file(file_with_cycles("3", {kGood, with_field(c.field, c.value), kGood}));
    EXPECT_EQ(p.cycle_count, 2);
    EXPECT_EQ(p.skipped_cycles, 1);
    EXPECT_EQ(p.cycles[1].cycle_name, "261209-003");
    EXPECT_EQ(p.cycles[2], CycleRecord{});
    EXPECT_EQ(p.language, 1);  // the rest of the file still reads
  }
}

TEST(ConfigFile, ReadsBackStoredFieldsByTheirRules) {
  auto base = [] {
    CycleRecord r;
    r.cycle_name = "261209-003";
    r.start_date = kToday;
    r.start_time = encode_time(14, 5, 0);
    r.duration = encode_time(0, 55, 0);
    r.end_date = kToday;
    r.end_time = encode_time(15, 0, 0);
    r.set_temp1 = r.set_temp2 = 600;
    r.hyst1 = r.hyst2 = 10;
    r.preheating = 1;
    r.comment = "ok";
    return r;
  };
  struct Expect {
    const char* name;
    int field;
    std::string value;
    void (*change)(CycleRecord&);
  };
  const Expect cases[] = {
      {"duration beginning with 24 is one day", 3, "24:00:00",
       [](CycleRecord& r) { r.duration = 1.0; }},
      {"preheating other than 1 is off", 10, "2", [](CycleRecord& r) { r.preheating = 0; }},
      {"comment of 25 characters is kept", 11, std::string(25, 'c'),
       [](CycleRecord& r) { r.comment = std::string(25, 'c'); }},
      {"comment of 26 characters is no comment", 11, std::string(26, 'c'),
       [](CycleRecord& r) { r.comment = ""; }},
      {"blanks inside a comment are kept", 11, "run 2  x ",
       [](CycleRecord& r) { r.comment = "run 2  x "; }},
      {"comment in Windows-1252", 11,
       "Gr\xFC\xDF"
       "e",
       [](CycleRecord& r) { r.comment = "Grüße"; }},
      {"blanks around numbers are no part of them", 6, " 610 ",
       [](CycleRecord& r) { r.set_temp1 = 610; }},
      {"negative numbers read", 7, "-5", [](CycleRecord& r) { r.set_temp2 = -5; }},
  };
  for (const Expect& c : cases) {
    SCOPED_TRACE(c.name);
    const ConfigParse p = parse_config_file(file_with_cycles("1", {with_field(c.field, c.value)}));
    ASSERT_EQ(p.cycle_count, 1);
    CycleRecord expected = base();
    c.change(expected);
    EXPECT_EQ(p.cycles[0], expected);
  }
}

TEST(ConfigFile, StoredCountAboveFiveReadsTheFirstFive) {
  std::vector<std::string> lines;
  for (int j = 0; j < 7; ++j) lines.push_back(with_field(0, "261209-00" + std::to_string(j)));
  const ConfigParse p = parse_config_file(file_with_cycles("7", lines));
  EXPECT_EQ(p.stored_count, 7);
  ASSERT_EQ(p.cycle_count, 5);
  for (int j = 0; j < 5; ++j) EXPECT_EQ(p.cycles[j].cycle_name, "261209-00" + std::to_string(j));
  EXPECT_EQ(p.language, 1);  // found behind all seven lines

  // A huge count in a short file ends at the end of the bytes.
  const ConfigParse q = parse_config_file(file_with_cycles("999999999999", {kGood}));
  EXPECT_EQ(q.cycle_count, 1);
  EXPECT_FALSE(q.language.has_value());
}

TEST(ConfigFile, DamagedOrOddHeadFields) {
  const std::string good = build_config_file(two_cycles());
  struct Case {
    const char* name;
    std::string bytes;
    bool window_ok;
    std::optional<std::uint8_t> port;
  };
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string b = good;
    b.replace(b.find(from), from.size(), to);
    return b;
  };
  const Case cases[] = {
      {"good", good, true, 2},
      {"last window date not real", replaced("23.12.2026", "32.12.2026"), false, std::nullopt},
      {"first window date empty", good.substr(good.find(',')), false, std::nullopt},
      {"date field past 39 characters", std::string(40, '1') + good.substr(good.find(',')), false,
       std::nullopt},
      {"port byte beyond COM4", replaced(std::string("\r\n\x02\r\n"), "\r\n\x07\r\n"), true,
       std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ConfigParse p = parse_config_file(c.bytes);
    EXPECT_EQ(p.window_ok, c.window_ok);
    EXPECT_EQ(p.com_port, c.port);
    if (!c.window_ok) {
      EXPECT_FALSE(p.control_mode.has_value());
      EXPECT_EQ(p.cycle_count, 0);
    }
  }
  EXPECT_EQ(parse_config_file(replaced("Pumpe A,", "Pumpe ABCDEFG,")).com_names[0], "Pumpe AB");
  EXPECT_FALSE(parse_first_date(std::string(40, '1') + ",0").has_value());
  EXPECT_FALSE(parse_first_date("09.12.2026").has_value());  // no "," before the end
}

TEST(ConfigFile, EveryTruncationReadsWithoutRunningPastTheEnd) {
  const std::string full = build_config_file(two_cycles());
  const std::size_t window_end = full.find("23.12.2026,") + 11;  // after the fifteenth date
  const std::size_t first_cycle_end = full.find(",\r\n261209-001") + 1;
  const std::size_t second_cycle_end = full.rfind(",\r\n") + 1;
  for (std::size_t len = 0; len <= full.size(); ++len) {
    SCOPED_TRACE(len);
    const std::string part = full.substr(0, len);
    const ConfigParse p = parse_config_file(part);
    EXPECT_EQ(p.window_ok, len >= window_end);
    EXPECT_EQ(p.language.has_value(), len == full.size());
    EXPECT_EQ(p.cycle_count, len >= second_cycle_end ? 2 : (len >= first_cycle_end ? 1 : 0));
    EXPECT_EQ(parse_first_date(part).has_value(), len >= 11);
  }
}

TEST(ConfigFile, ReadsAtMostTheBoundOfAFile) {
  test::TempDir dir;
  const auto path = dir.path() / kConfigFileName;
  test::write_bytes(path, "new bytes");
  EXPECT_EQ(read_file_bounded(path, 3), "new");
  EXPECT_EQ(read_file_bounded(path, 100), "new bytes");
  EXPECT_EQ(read_file_bounded(dir.path() / "missing", 10), std::nullopt);

  // Larger than one read chunk: cut exactly at the bound, or whole below a generous one.
  std::string big(150000, 'x');
  for (std::size_t i = 0; i < big.size(); i += 997) big[i] = static_cast<char>('a' + i % 26);
  test::write_bytes(path, big);
  EXPECT_EQ(read_file_bounded(path, 100000), big.substr(0, 100000));
  EXPECT_EQ(read_file_bounded(path, 16u << 20), big);
  test::write_bytes(path, "");
  EXPECT_EQ(read_file_bounded(path, 100), "");
}

}  // namespace
}  // namespace oxr
