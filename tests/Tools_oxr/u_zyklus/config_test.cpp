// The configuration file operations of the main window, on files in a fresh folder.
#include <gtest/gtest.h>

#include <csignal>
#ifdef __linux__
#include <sys/resource.h>
#endif

#include "Tools_oxr/config_file.h"
#include "Tools_oxr/data_file.h"
#include "Tools_oxr/date_time.h"
#include "Tools_oxr/schedule.h"
#include "Tools_oxr/texts.h"
#include "tests/support/form_fixture.h"

namespace oxr::test {
namespace {

constexpr DateTime kToday = 46365;  // the fixture's day, 9 December 2026

std::string golden_first_run() {
  return read_bytes(std::filesystem::path(OXR_TEST_DATA) / "oxrconf_first_run.dat");
}

CycleRecord record(unsigned n, const char* start, DateTime duration, const std::string& status,
                   const char* comment = "") {
  CycleRecord r;
  r.cycle_name = cycle_name(kToday, n);
  r.start_date = kToday;
  r.start_time = *parse_time(start);
  r.duration = duration;
  const CycleEnd e = cycle_end(r.start_date, r.start_time, r.duration);
  r.end_date = e.end_date;
  r.end_time = e.end_time;
  r.status_text = status;
  r.set_temp1 = 700;
  r.set_temp2 = 650;
  r.hyst1 = 20;
  r.hyst2 = 30;
  r.preheating = 1;
  r.comment = comment;
  return r;
}

// Line i (1-based) of a file, without its line end.
std::string line(const std::string& bytes, int i) {
  std::size_t start = 0;
  for (int k = 1; k < i; ++k) start = bytes.find("\r\n", start) + 2;
  const std::size_t end = bytes.find("\r\n", start);
  return bytes.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

class Config : public FormFixture {
 protected:
  void SetUp() override { make_form(); }
  std::filesystem::path conf() const { return file(kConfigFileName); }

  // A file written by the program with three rows, two of them still to be started.
  void write_three_rows_and_quit_with_yes() {
    TFormzyklus& f = *form;
    f.config_set_defaults();
    f.day_counters[0].count = 3;
    f.control_mode = 4;
    f.com_port = 2;
    f.com_names = {"Pumpe A", "", "", "Öl"};
    f.schedule.rows[0] = record(0, "14:05", encode_time(0, 55, 0), message_text(1, 27), "run 2");
    f.schedule.rows[1] = record(1, "16:00", encode_time(1, 0, 0), message_text(1, 24));
    f.schedule.rows[2] = record(2, "23:30", 1.0, message_text(0, 27));
    f.cycle_count = 3;
    f.save_waiting = 1;
    f.config_write();
  }
};

TEST_F(Config, FirstRunCreatesTheDefaultFileAndSaysSo) {
  form->config_ensure_exists();
  EXPECT_EQ(read_bytes(conf()), golden_first_run());
  EXPECT_EQ(dialogs.messages(), std::vector<std::string>{"Datei oxrconf.dat erstellt."});

  // An existing file is left alone, whatever it holds.
  write_bytes(conf(), "x");
  form->config_ensure_exists();
  EXPECT_EQ(read_bytes(conf()), "x");
  EXPECT_EQ(dialogs.messages().size(), 1u);
}

TEST_F(Config, NoCreatedMessageWhenTheFileCouldNotBeWritten) {
  TFormzyklus f(FormEnv{clock, hub, dialogs, serial, services, dir.path() / "missing folder"});
  f.config_ensure_exists();
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing folder"));
}

TEST_F(Config, QuitWithYesStoresOnlyThePleaseStartRowsInTableOrder) {
  write_three_rows_and_quit_with_yes();
  const std::string bytes = read_bytes(conf());
  EXPECT_EQ(line(bytes, 22), "2");
  EXPECT_EQ(line(bytes, 23).substr(0, 11), "261209-000,");
  EXPECT_EQ(line(bytes, 24).substr(0, 11), "261209-002,");
  EXPECT_EQ(line(bytes, 24).find(",24:00:00,"), 30u);
  EXPECT_EQ(bytes.back(), '1');
  EXPECT_EQ(form->save_waiting, 0);

  form->config_write();  // without the Yes: no cycles
  EXPECT_EQ(line(read_bytes(conf()), 22), "0");
}

#ifdef __linux__
TEST_F(Config, AFullDiskLeavesTheOldFile) {
  write_three_rows_and_quit_with_yes();
  const std::string before = read_bytes(conf());
  // Writes beyond 100 bytes fail half-way, as on a full disk.
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 100;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  form->control_mode = 2;
  form->config_write();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_EQ(read_bytes(conf()), before);
  EXPECT_TRUE(dialogs.messages().empty());
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
    names.push_back(e.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{kConfigFileName});  // no temporary file left
}
#endif

TEST_F(Config, ReadTakesTheWaitingCyclesBackWhenAsked) {
  write_three_rows_and_quit_with_yes();
  TFormzyklus f(FormEnv{clock, hub, dialogs, serial, services, dir.path()});
  f.lang_index = 0;
  f.take_over_waiting = 1;
  f.config_read();
  EXPECT_EQ(f.take_over_waiting, 0);
  EXPECT_EQ(f.control_mode, 4);
  EXPECT_EQ(f.com_port, 2);
  EXPECT_EQ(f.com_names, (std::array<std::string, 4>{"Pumpe A", "", "", "Öl"}));
  EXPECT_EQ(f.day_counters[0].count, 3);
  ASSERT_EQ(f.cycle_count, 2);

  CycleRecord first = form->schedule.rows[0];
  first.status_text = "please start";  // the current language, not the one it was stored in
  EXPECT_EQ(f.schedule.rows[0], first);
  CycleRecord second = form->schedule.rows[2];
  second.status_text = "please start";
  EXPECT_EQ(f.schedule.rows[1], second);
  EXPECT_EQ(f.schedule.rows[2], CycleRecord{});

  EXPECT_EQ(f.cell(1, 1).text(), "261209-000");
  EXPECT_EQ(f.cell(1, 2).text(), "09.12.2026");
  EXPECT_EQ(f.cell(1, 3).text(), "14:05");
  EXPECT_EQ(f.cell(1, 4).text(), "09.12.2026");
  EXPECT_EQ(f.cell(1, 5).text(), "15:00");
  EXPECT_EQ(f.cell(1, 6).text(), "please start");
  EXPECT_EQ(f.cell(2, 4).text(), "10.12.2026");
  EXPECT_EQ(f.cell(2, 5).text(), "23:30");
  EXPECT_TRUE(f.row_is_blank(3));
}

TEST_F(Config, ReadWithoutTheTakeOverLeavesTheTableEmpty) {
  write_three_rows_and_quit_with_yes();
  TFormzyklus f(FormEnv{clock, hub, dialogs, serial, services, dir.path()});
  f.config_read();
  EXPECT_EQ(f.cycle_count, 0);
  EXPECT_EQ(f.schedule.rows[0], CycleRecord{});
  EXPECT_EQ(f.com_names[0], "Pumpe A");
  EXPECT_EQ(f.control_mode, 4);
}

TEST_F(Config, ReadSkipsAStoredCycleThatDoesNotParse) {
  write_three_rows_and_quit_with_yes();
  std::string bytes = read_bytes(conf());
  bytes.replace(bytes.find("261209-000,09.12.2026"), 21, "261209-000,31.02.2026");
  write_bytes(conf(), bytes);
  form->take_over_waiting = 1;
  form->cycle_count = 0;
  form->config_read();
  ASSERT_EQ(form->cycle_count, 1);
  EXPECT_EQ(form->schedule.rows[0].cycle_name, "261209-002");
  EXPECT_EQ(form->cell(1, 1).text(), "261209-002");
  // The rows written before the read are gone: nothing stands behind the one taken.
  EXPECT_EQ(form->schedule.rows[1], CycleRecord{});
  EXPECT_EQ(form->schedule.rows[2], CycleRecord{});
  EXPECT_TRUE(form->row_is_blank(2));
}

TEST_F(Config, RealignMovesTheWindowToToday) {
  struct Case {
    const char* name;
    DateTime stored_first;
    bool full_reset;
    int count0, count11, count12;
  };
  const Case cases[] = {
      {"written today", kToday, false, 1, 12, 13},
      {"written 3 days ago", kToday - 3, false, 4, 15, 0},
      {"written 20 days ago", kToday - 20, true, 0, 0, 0},
      {"written tomorrow", kToday + 1, true, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TFormzyklus& f = *form;
    for (int i = 0; i < kDayCounterCount; ++i)
      f.day_counters[i] = {std::uint16_t(i + 1), c.stored_first + i};
    f.control_mode = 4;
    f.com_port = 3;
    f.config_write();
    f.config_realign_days();
    for (int i = 0; i < kDayCounterCount; ++i) EXPECT_EQ(f.day_counters[i].date, kToday + i) << i;
    EXPECT_EQ(f.day_counters[0].count, c.count0);
    EXPECT_EQ(f.day_counters[11].count, c.count11);
    EXPECT_EQ(f.day_counters[12].count, c.count12);
    EXPECT_EQ(f.control_mode, c.full_reset ? 1 : 4);
    EXPECT_EQ(f.com_port, c.full_reset ? 0 : 3);
  }
}

TEST_F(Config, RealignWithoutAReadableFirstDate) {
  form->control_mode = 4;
  form->day_counters[0] = {7, 1.0};
  form->config_realign_days();  // no file: nothing changes
  EXPECT_EQ(form->day_counters[0].count, 7);
  EXPECT_EQ(form->control_mode, 4);

  write_bytes(conf(), "xx.12.2026,7\r\n");
  form->config_realign_days();  // a first date that is no date: a fresh window
  EXPECT_EQ(form->day_counters[0].count, 0);
  EXPECT_EQ(form->day_counters[0].date, kToday);
  EXPECT_EQ(form->control_mode, 1);
}

TEST_F(Config, StartPageCheckTakesModePortCountAndLanguage) {
  write_three_rows_and_quit_with_yes();
  TFormzyklus f(FormEnv{clock, hub, dialogs, serial, services, dir.path()});
  EXPECT_EQ(f.config_check_and_read_language(), 1);
  EXPECT_EQ(f.control_mode, 4);
  EXPECT_EQ(f.com_port, 2);
  EXPECT_EQ(f.cycle_count, 2);
  EXPECT_EQ(f.config_seen, 1);
  EXPECT_EQ(f.config_date_error, 0);
  EXPECT_EQ(f.com_names[0], "");  // names are the full read's business
  EXPECT_TRUE(dialogs.messages().empty());

  form->lang_index = 0;
  form->config_write();
  EXPECT_EQ(f.config_check_and_read_language(), 0);
}

TEST_F(Config, StartPageCheckRepairsADamagedWindow) {
  write_three_rows_and_quit_with_yes();
  std::string bytes = read_bytes(conf());
  bytes.replace(bytes.find("15.12.2026"), 10, "15.12.20x6");
  write_bytes(conf(), bytes);

  TFormzyklus f(FormEnv{clock, hub, dialogs, serial, services, dir.path()});
  EXPECT_EQ(f.config_check_and_read_language(), std::nullopt);
  EXPECT_EQ(dialogs.messages(), std::vector<std::string>{message_text(1, 90)});
  EXPECT_EQ(f.config_date_error, 0);
  EXPECT_EQ(f.control_mode, 1);
  EXPECT_EQ(read_bytes(conf()), golden_first_run());
}

TEST_F(Config, StartPageCheckWithoutAFile) {
  EXPECT_EQ(form->config_check_and_read_language(), std::nullopt);
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_FALSE(std::filesystem::exists(conf()));
}

TEST_F(Config, LanguageChangePatchesOnlyTheLastByte) {
  write_three_rows_and_quit_with_yes();
  const std::string before = read_bytes(conf());
  form->lang_index = 0;
  form->config_write_language();
  const std::string after = read_bytes(conf());
  EXPECT_EQ(form->lang_pos, static_cast<std::int32_t>(before.size()) - 1);
  EXPECT_EQ(after.substr(0, after.size() - 1), before.substr(0, before.size() - 1));
  EXPECT_EQ(after.back(), '0');
  form->lang_index = 1;
  form->config_write_language();
  EXPECT_EQ(read_bytes(conf()), before);

  // A file that does not end in a language digit keeps its last field.
  write_bytes(conf(), before.substr(0, before.size() - 3));
  form->config_write_language();
  EXPECT_EQ(read_bytes(conf()), before.substr(0, before.size() - 3));
  std::filesystem::remove(conf());
  form->config_write_language();
  EXPECT_FALSE(std::filesystem::exists(conf()));
}

TEST_F(Config, EveryReaderCopesWithTheFileCutAtAnyLength) {
  write_three_rows_and_quit_with_yes();
  const std::string full = read_bytes(conf());
  const std::size_t window_end = full.find("23.12.2026,") + 11;
  for (std::size_t len = 0; len <= full.size(); ++len) {
    SCOPED_TRACE(len);
    const std::string part = full.substr(0, len);
    // A folder per length: the readers that change nothing or little come first.
    const auto folder = dir.path() / std::to_string(len);
    std::filesystem::create_directory(folder);
    TFormzyklus f(FormEnv{clock, hub, dialogs, serial, services, folder});
    const auto cut = folder / kConfigFileName;
    write_bytes(cut, part);
    f.take_over_waiting = 1;
    f.config_read();
    EXPECT_LE(f.cycle_count, 2);
    for (int k = 1; k <= f.cycle_count; ++k) EXPECT_TRUE(is_valid_cycle_name(f.cell(k, 1).text()));

    f.config_realign_days();
    EXPECT_EQ(f.day_counters[0].date, kToday);

    f.config_write_language();
    EXPECT_EQ(read_bytes(cut).size(), part.size());

    dialogs.clear_shown();
    const auto lang = f.config_check_and_read_language();
    EXPECT_EQ(lang.has_value(), len == full.size());
    // A cut inside the fifteen dates is damage, repaired with the default file.
    EXPECT_EQ(dialogs.messages().size(), len < window_end ? 1u : 0u);
    if (len < window_end) {
      EXPECT_EQ(read_bytes(cut), golden_first_run());
    }
  }
}

}  // namespace
}  // namespace oxr::test
