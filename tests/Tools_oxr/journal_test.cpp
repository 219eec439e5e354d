// The journal of a running cycle: written line by line, cut anywhere, turned back into the
// data file the stop would have written.
#include "Tools_oxr/journal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Tools_oxr/data_file.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_dir.h"

namespace oxr {
namespace {

namespace fs = std::filesystem;
using test::read_bytes;
using test::TempDir;
using test::write_bytes;

constexpr double kStep = 10.0 / 86400.0;
constexpr const char* kName = "261209-004";

DataFileHeader run_header(int mode) {
  DataFileHeader h;
  h.start_date = *parse_file_date("09.12.2026");
  // The row's start; the file takes sample 0's time instead, as the stop does.
  h.start_time = *parse_file_time("23:58:00");
  h.duration = *parse_file_time("01:00:00");
  h.cycle_name = kName;
  h.comment = "night run";
  h.unit_word = "Celsius";
  h.preheating_word = kPreheatingOffWord;
  h.set1_deg = 150;
  h.set2_deg = 140;
  h.hyst1_deg = 3;
  h.hyst2_deg = 2;
  h.operation_mode = static_cast<std::int16_t>(mode);
  h.value_count = 0;  // as the controller's start confirmation leaves it
  return h;
}

// Sample n of a run whose sample 0 is at 23:59:30; midnight passes at sample 3.
MeasurementSample poll_sample(int n) {
  MeasurementSample s;
  s.sample_no = static_cast<std::uint16_t>(n);
  const double t = *parse_file_time("23:59:30") + n * kStep;
  s.sample_time = t - static_cast<int>(t);
  s.sample_date = *parse_file_date("09.12.2026") + (t >= 1.0 ? 1 : 0);
  s.temp1 = static_cast<std::int16_t>(20 + 3 * n);
  s.temp2 = static_cast<std::int16_t>(-2 + n);
  s.sample_status = n % 4 == 3 ? "E02" : "OK";
  s.pump_text = n % 4 == 3 ? "OFF" : "ON";
  return s;
}

// What the stop writes for these samples, the newest one ended with `end_word`.
std::string stop_file(DataFileHeader h, const std::vector<MeasurementSample>& samples,
                      const std::string& end_word, int lang) {
  auto buffer = std::make_unique<SampleBuffer>();
  for (const auto& s : samples) buffer->store(s);
  const int newest = samples.back().sample_no;
  (*buffer)[static_cast<std::size_t>(newest)].sample_status = end_word;
  (*buffer)[static_cast<std::size_t>(newest)].pump_text = "OFF";
  h.value_count = static_cast<std::uint16_t>(newest + 1);
  h.start_time = (*buffer)[0].sample_time;
  return measurement_file_bytes(h, *buffer, lang);
}

std::vector<MeasurementSample> first_samples(int count, int skipped = -1) {
  std::vector<MeasurementSample> v;
  for (int n = 0; n < count; ++n)
    if (n != skipped) v.push_back(poll_sample(n));
  return v;
}

std::vector<std::string> names_in(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A run killed at several points: the next start's file is the stop's file, end word apart.
TEST(JournalRecovery, KilledRunGivesTheFileTheStopWouldHaveWritten) {
  struct Case {
    const char* name;
    int lang;
    int mode;
    int samples;
    int skipped;  // a sample number that never arrived
  };
  const Case cases[] = {
      {"two samples, English, mode 2", 0, 2, 2, -1},
      {"past midnight, German, mode 4", 1, 4, 6, -1},
      {"zone 2 not written in mode 1", 0, 1, 5, -1},
      {"a lost sample stays blank", 1, 3, 7, 4},
      {"only sample 0", 1, 2, 1, -1},
      {"a long run", 0, 4, 100, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const auto samples = first_samples(c.samples, c.skipped);
    {
      Journal journal;
      ASSERT_TRUE(journal.begin(dir.path(), run_header(c.mode), c.lang)) << journal.error();
      EXPECT_EQ(journal.path(), dir.path() / (std::string(kName) + ".oxr.journal"));
      for (const auto& s : samples) ASSERT_TRUE(journal.append(s)) << journal.error();
    }  // the window goes away without a stop

    const auto results = recover_journals(dir.path());
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].outcome, JournalRecovery::Outcome::Recovered);
    EXPECT_EQ(results[0].cycle_name, kName);
    EXPECT_EQ(results[0].samples, static_cast<int>(samples.size()));
    EXPECT_EQ(results[0].data_file, dir.path() / (std::string(kName) + ".oxr"));
    EXPECT_EQ(read_bytes(results[0].data_file),
              stop_file(run_header(c.mode), samples, "PC-STOP", c.lang));
    EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{std::string(kName) + ".oxr"});

    // And the program reads it like any measurement file.
    DataFileHeader read_back;
    auto buffer = std::make_unique<SampleBuffer>();
    ASSERT_TRUE(read_data_file(read_bytes(results[0].data_file), read_back, *buffer).ok());
    EXPECT_EQ(read_back.value_count, samples.back().sample_no + 1);
  }
}

TEST(JournalRecovery, JournalCutAtEveryByteKeepsEveryCompleteLine) {
  TempDir dir;
  const auto samples = first_samples(6);
  {
    Journal journal;
    ASSERT_TRUE(journal.begin(dir.path(), run_header(4), 1));
    for (const auto& s : samples) ASSERT_TRUE(journal.append(s));
  }
  const std::string whole = read_bytes(dir.path() / (std::string(kName) + ".oxr.journal"));
  ASSERT_FALSE(whole.empty());

  for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
    SCOPED_TRACE("cut at byte " + std::to_string(cut));
    const std::string_view part(whole.data(), cut);
    const int lines = static_cast<int>(std::count(part.begin(), part.end(), '\n'));
    const int complete_samples = std::max(0, lines - 9);
    const JournalReplay replay = replay_journal(part);
    if (complete_samples == 0) {
      EXPECT_EQ(replay.status, JournalReplay::Status::NoSamples);
      EXPECT_TRUE(replay.file_bytes.empty());
      continue;
    }
    ASSERT_EQ(replay.status, JournalReplay::Status::Ok);
    EXPECT_EQ(replay.samples, complete_samples);
    EXPECT_EQ(replay.lines_skipped, 0);
    const std::vector<MeasurementSample> kept(samples.begin(), samples.begin() + complete_samples);
    EXPECT_EQ(replay.file_bytes, stop_file(run_header(4), kept, "PC-STOP", 1));
  }

  // The same on disk, for a cut inside the last line: the complete lines come back.
  write_bytes(dir.path() / (std::string(kName) + ".oxr.journal"),
              whole.substr(0, whole.size() - 7));
  const auto results = recover_journals(dir.path());
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].outcome, JournalRecovery::Outcome::Recovered);
  EXPECT_EQ(read_bytes(results[0].data_file),
            stop_file(run_header(4), first_samples(5), "PC-STOP", 1));
}

TEST(JournalRecovery, DamagedLinesAreSkippedAndTheRestKept) {
  TempDir dir;
  Journal writer;
  ASSERT_TRUE(writer.begin(dir.path(), run_header(2), 0));
  for (const auto& s : first_samples(2)) ASSERT_TRUE(writer.append(s));
  writer.finish(false, poll_sample(1));  // keeps the file; sample 1 once more, unchanged
  std::string bytes = read_bytes(writer.path());

  struct Case {
    const char* name;
    std::string inserted;  // between sample 1 and sample 2
    int skipped;
  };
  const Case cases[] = {
      {"the remains of a failed write", "2,10.12.20\r\n", 1},
      {"zeros a power failure left", std::string(40, '\0') + "\r\n", 1},
      {"a sample number past the buffer", "9000,10.12.2026,00:00:00,1,1,OK,ON,\r\n", 1},
      {"no line end of ours", "2,10.12.2026,00:00:00,1,1,OK,ON\r\n", 1},
  };
  std::string tail;
  append_sample_line(tail, poll_sample(2), 2);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const JournalReplay replay = replay_journal(bytes + c.inserted + tail);
    ASSERT_EQ(replay.status, JournalReplay::Status::Ok);
    EXPECT_EQ(replay.lines_skipped, c.skipped);
    EXPECT_EQ(replay.samples, 3);
    EXPECT_EQ(replay.file_bytes, stop_file(run_header(2), first_samples(3), "PC-STOP", 0));
  }

  // Complete header lines that do not read: the journal is not ours to turn into a file.
  std::string bad = bytes;
  bad.replace(bad.find("09.12.2026"), 10, "31.02.2026");
  EXPECT_EQ(replay_journal(bad).status, JournalReplay::Status::BadHeader);
}

TEST(JournalRecovery, CompleteDataFileOfThatNameIsKept) {
  struct Case {
    const char* name;
    bool existing_is_complete;
    std::string existing;  // filled below
  };
  const std::string saved = stop_file(run_header(2), first_samples(3), "MC-END", 0);
  std::string cycle_file = cycle_file_bytes(run_header(2), 0);
  const Case cases[] = {
      {"the stop saved it, only the journal's removal was missing", true, saved},
      {"a cycle file saved under that name", false, cycle_file},
      {"half a file", false, saved.substr(0, saved.size() / 2)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const fs::path data_file = dir.path() / (std::string(kName) + ".oxr");
    write_bytes(data_file, c.existing);
    {
      Journal journal;
      ASSERT_TRUE(journal.begin(dir.path(), run_header(2), 0));
      for (const auto& s : first_samples(5)) ASSERT_TRUE(journal.append(s));
    }
    const auto results = recover_journals(dir.path());
    ASSERT_EQ(results.size(), 1u);
    if (c.existing_is_complete) {
      EXPECT_EQ(results[0].outcome, JournalRecovery::Outcome::AlreadySaved);
      EXPECT_EQ(read_bytes(data_file), c.existing);
    } else {
      EXPECT_EQ(results[0].outcome, JournalRecovery::Outcome::Recovered);
      EXPECT_EQ(read_bytes(data_file), stop_file(run_header(2), first_samples(5), "PC-STOP", 0));
    }
    EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{std::string(kName) + ".oxr"});
  }
}

TEST(JournalFinish, SavedRemovesFailedKeepsWithTheStopsEndWord) {
  TempDir dir;
  const auto samples = first_samples(4);
  MeasurementSample last = samples.back();
  last.sample_status = "T-BREAK";
  last.pump_text = "OFF";

  Journal journal;
  ASSERT_TRUE(journal.begin(dir.path(), run_header(3), 1));
  for (const auto& s : samples) ASSERT_TRUE(journal.append(s));
  const fs::path path = journal.path();
  EXPECT_TRUE(journal.finish(true, last));
  EXPECT_FALSE(fs::exists(path));
  EXPECT_FALSE(journal.is_open());
  EXPECT_FALSE(journal.append(samples[0]));  // nothing is recorded after the stop
  EXPECT_TRUE(names_in(dir.path()).empty());

  ASSERT_TRUE(journal.begin(dir.path(), run_header(3), 1));
  for (const auto& s : samples) ASSERT_TRUE(journal.append(s));
  EXPECT_TRUE(journal.finish(false, last));
  EXPECT_TRUE(fs::exists(path));
  // The next start writes the very file the stop could not.
  const auto results = recover_journals(dir.path());
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].outcome, JournalRecovery::Outcome::Recovered);
  EXPECT_EQ(read_bytes(results[0].data_file), stop_file(run_header(3), samples, "T-BREAK", 1));
  EXPECT_FALSE(fs::exists(path));

  // A stop after that, with no run of its own, leaves a kept journal alone; so does a run
  // whose journal could not begin.
  ASSERT_TRUE(journal.begin(dir.path(), run_header(3), 1));
  ASSERT_TRUE(journal.append(samples[0]));
  EXPECT_TRUE(journal.finish(false, samples[0]));
  EXPECT_TRUE(journal.finish(true, last));
  EXPECT_TRUE(fs::exists(path));
  fs::create_directories(dir.path() / "261209-005.oxr.journal");  // not ours to remove
  DataFileHeader other = run_header(3);
  other.cycle_name = "261209-005";
  EXPECT_FALSE(journal.begin(dir.path(), other, 1));
  EXPECT_TRUE(journal.finish(true, last));
  Journal none;
  EXPECT_TRUE(none.finish(true, last));
  EXPECT_EQ(names_in(dir.path()),
            (std::vector<std::string>{"261209-004.oxr", "261209-004.oxr.journal",
                                      "261209-005.oxr.journal"}));
}

TEST(JournalRecovery, OnlyCycleNamesInTheFolderAreTouched) {
  TempDir dir;
  const fs::path work = dir.path() / "work";
  const fs::path outside = dir.path() / "outside";
  fs::create_directories(work);
  fs::create_directories(outside);

  // A proper journal to copy under other names.
  std::string journal_bytes;
  {
    Journal journal;
    ASSERT_TRUE(journal.begin(outside, run_header(2), 0));
    for (const auto& s : first_samples(3)) ASSERT_TRUE(journal.append(s));
    journal_bytes = read_bytes(journal.path());
  }
  fs::remove(outside / (std::string(kName) + ".oxr.journal"));
  const char* const odd_names[] = {
      "notes.oxr.journal",      "261209-04.oxr.journal",  "261209-004567.oxr.journal",
      "261209_004.oxr.journal", ".oxr.journal",           "261209-004.oxr.journal.bak",
      "261209-004.journal",     "2612a9-004.oxr.journal",
  };
  for (const char* name : odd_names) write_bytes(work / name, journal_bytes);
  // A link leading out of the folder, and a folder with a journal's name.
  write_bytes(outside / "target", journal_bytes);
  fs::create_symlink(outside / "target", work / "261209-005.oxr.journal");
  fs::create_directories(work / "261209-006.oxr.journal");

  const auto before = names_in(work);
  EXPECT_TRUE(recover_journals(work).empty());
  EXPECT_EQ(names_in(work), before);
  EXPECT_EQ(names_in(outside), std::vector<std::string>{"target"});
  EXPECT_TRUE(recover_journals(dir.path() / "missing").empty());

  // Nor does a run with such a name start a journal.
  Journal journal;
  for (const char* name : {"../261209-004", "261209-004/x", "", "x"}) {
    DataFileHeader h = run_header(2);
    h.cycle_name = name;
    EXPECT_FALSE(journal.begin(work, h, 0)) << name;
    EXPECT_FALSE(journal.append(poll_sample(0)));
  }
  EXPECT_EQ(names_in(work), before);
  EXPECT_EQ(names_in(outside), std::vector<std::string>{"target"});
}

TEST(JournalRecovery, EmptyAndUnwritableJournals) {
  TempDir dir;
  // Started, nothing measured: no file, the journal goes.
  {
    Journal journal;
    ASSERT_TRUE(journal.begin(dir.path(), run_header(2), 0));
  }
  auto results = recover_journals(dir.path());
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].outcome, JournalRecovery::Outcome::Empty);
  EXPECT_TRUE(names_in(dir.path()).empty());

  // The data file's place is taken by a folder: the journal stays for the next start.
  {
    Journal journal;
    ASSERT_TRUE(journal.begin(dir.path(), run_header(2), 0));
    for (const auto& s : first_samples(2)) ASSERT_TRUE(journal.append(s));
  }
  fs::create_directories(dir.path() / (std::string(kName) + ".oxr"));
  results = recover_journals(dir.path());
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].outcome, JournalRecovery::Outcome::CannotWrite);
  EXPECT_FALSE(results[0].detail.empty());
  EXPECT_TRUE(fs::exists(dir.path() / (std::string(kName) + ".oxr.journal")));
}

#ifdef __linux__
TEST(JournalAppend, FailedWriteIsCutOffAndLaterLinesStillCount) {
  TempDir dir;
  Journal journal;
  ASSERT_TRUE(journal.begin(dir.path(), run_header(2), 0));
  for (const auto& s : first_samples(2)) ASSERT_TRUE(journal.append(s));
  const auto good_size = fs::file_size(journal.path());
  {
    // Room for half a line: the write stops in the middle of sample 2.
    test::FileSizeLimit full_disk(good_size + 12);
    ASSERT_TRUE(full_disk.ok());
    EXPECT_FALSE(journal.append(poll_sample(2)));
    EXPECT_FALSE(journal.error().empty());
    EXPECT_EQ(fs::file_size(journal.path()), good_size);
    EXPECT_FALSE(journal.append(poll_sample(3)));
  }
  EXPECT_TRUE(journal.append(poll_sample(4)));
  const fs::path path = journal.path();
  journal.finish(false, poll_sample(4));

  const JournalReplay replay = replay_journal(read_bytes(path));
  ASSERT_EQ(replay.status, JournalReplay::Status::Ok);
  EXPECT_EQ(replay.lines_skipped, 0);
  EXPECT_EQ(replay.samples, 3);
  std::vector<MeasurementSample> kept = first_samples(2);
  kept.push_back(poll_sample(4));
  EXPECT_EQ(replay.file_bytes, stop_file(run_header(2), kept, "PC-STOP", 0));
}
#endif

// What one stored sample costs the poll: the line, its write and the flush to the disk.
TEST(JournalAppend, CostPerPoll) {
  TempDir dir(TempDir::Place::disk);
  Journal journal;
  ASSERT_TRUE(journal.begin(dir.path(), run_header(4), 1));
  constexpr int kAppends = 300;
  std::vector<double> micros;
  micros.reserve(kAppends);
  for (int n = 0; n < kAppends; ++n) {
    const MeasurementSample s = poll_sample(n);
    const auto t0 = std::chrono::steady_clock::now();
    ASSERT_TRUE(journal.append(s));
    micros.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
  }
  std::sort(micros.begin(), micros.end());
  const double median = micros[micros.size() / 2];
  const double p95 = micros[micros.size() * 95 / 100];
  std::printf("journal append: median %.1f us, 95th percentile %.1f us over %d appends (%s)\n",
              median, p95, kAppends, dir.path().c_str());
  RecordProperty("median_us", std::to_string(median));
  // The poll runs every 6 s; a flush that took a noticeable share of that would be a fault.
  EXPECT_LT(median, 100000.0);
}

}  // namespace
}  // namespace oxr
