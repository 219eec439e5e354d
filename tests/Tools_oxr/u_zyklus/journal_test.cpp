// The main window's side of the journal and of keeping the PC awake: what the operator is
// told, and that the run never waits for it.
#include "Tools_oxr/journal.h"

#include <memory>
#include <string>
#include <vector>

#include "Tools_oxr/data_file.h"
#include "Tools_oxr/texts.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/form_fixture.h"

namespace oxr::test {
namespace {

namespace fs = std::filesystem;

constexpr double kStep = 10.0 / 86400.0;
constexpr const char* kName = "261209-002";

DataFileHeader header_for(const std::string& name) {
  DataFileHeader h;
  h.start_date = 46365.0;
  h.start_time = 10.0 / 24.0;
  h.duration = 1.0 / 24.0;
  h.cycle_name = name;
  h.unit_word = "Celsius";
  h.preheating_word = kPreheatingOnWord;
  h.set1_deg = 80;
  h.set2_deg = 80;
  h.hyst1_deg = 2;
  h.hyst2_deg = 2;
  h.operation_mode = 2;
  return h;
}

MeasurementSample sample(int n) {
  MeasurementSample s;
  s.sample_no = static_cast<std::uint16_t>(n);
  s.sample_date = 46365.0;
  s.sample_time = 10.0 / 24.0 + n * kStep;
  s.temp1 = static_cast<std::int16_t>(30 + n);
  s.temp2 = static_cast<std::int16_t>(29 + n);
  s.sample_status = "OK";
  s.pump_text = "ON";
  return s;
}

class JournalFormTest : public FormFixture {
 protected:
  TFormzyklus& created(int lang) {
    TFormzyklus& f = make_form();
    f.FormCreate();
    f.lang_index = static_cast<std::uint8_t>(lang);
    dialogs.clear_shown();
    return f;
  }
  std::string not_writable_text(int lang, const fs::path& journal, const std::string& reason) {
    return fill_in(added_text(lang, AddedText::JournalNotWritable),
                   {kName, journal.string(), reason});
  }
};

TEST_F(JournalFormTest, UnwritableJournalIsReportedOnceAndTheRunGoesOn) {
  for (int lang : {0, 1}) {
    SCOPED_TRACE(lang);
    TFormzyklus& f = created(lang);
    f.env.work_dir = dir.path() / "gone";  // the working folder went away
    f.journal_begin(header_for(kName));
    for (int n = 0; n < 20; ++n) f.journal_append(sample(n));
    // Nothing holds up the poll: the box comes from its own timer afterwards.
    EXPECT_TRUE(dialogs.messages().empty());
    advance_ms(30000);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const std::string text = dialogs.messages()[0];
    EXPECT_EQ(text, not_writable_text(lang, f.journal.path(), f.journal.error()));
    EXPECT_NE(text.find(kName), std::string::npos);
    EXPECT_NE(text.find((dir.path() / "gone").string()), std::string::npos);

    // The stop finds nothing to remove; the next run is reported afresh.
    f.journal_finish(false, sample(19));
    advance_ms(1000);
    EXPECT_EQ(dialogs.messages().size(), 1u);
    f.journal_begin(header_for(kName));
    advance_ms(1000);
    EXPECT_EQ(dialogs.messages().size(), 2u);
    dialogs.clear_shown();
  }
  EXPECT_NE(added_text(0, AddedText::JournalNotWritable),
            added_text(1, AddedText::JournalNotWritable));
}

#ifdef __linux__
TEST_F(JournalFormTest, DiskFullInTheMiddleOfARunIsReportedOnce) {
  TFormzyklus& f = created(1);
  f.journal_begin(header_for(kName));
  f.journal_append(sample(0));
  const auto size = fs::file_size(f.journal.path());
  {
    FileSizeLimit full_disk(size + 5);
    ASSERT_TRUE(full_disk.ok());
    for (int n = 1; n < 6; ++n) f.journal_append(sample(n));
  }
  f.journal_append(sample(6));
  advance_ms(1000);
  ASSERT_EQ(dialogs.messages().size(), 1u);
  EXPECT_EQ(dialogs.messages()[0], not_writable_text(1, f.journal.path(), f.journal.error()));

  // The stop could not save: the journal keeps samples 0 and 6 for the next start.
  MeasurementSample last = sample(6);
  last.sample_status = "MC-END";
  last.pump_text = "OFF";
  f.journal_finish(false, last);
  const JournalReplay replay = replay_journal(read_bytes(f.journal.path()));
  EXPECT_EQ(replay.samples, 2);
  EXPECT_EQ(replay.header.value_count, 7);
}
#endif

TEST_F(JournalFormTest, SavedRunLeavesNoJournal) {
  TFormzyklus& f = created(0);
  f.journal_begin(header_for(kName));
  for (int n = 0; n < 3; ++n) f.journal_append(sample(n));
  const fs::path journal = dir.path() / (std::string(kName) + ".oxr.journal");
  EXPECT_TRUE(fs::exists(journal));
  f.journal_finish(true, sample(2));
  EXPECT_FALSE(fs::exists(journal));
  advance_ms(1000);
  EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(JournalFormTest, FirstShowRecoversTheInterruptedCycleAndSaysWhere) {
  for (int lang : {0, 1}) {
    SCOPED_TRACE(lang);
    TempDir work;
    // A run in the other language, dropped in the middle without a stop.
    TFormzyklus& run = make_form();
    run.env.work_dir = work.path();
    run.lang_index = static_cast<std::uint8_t>(1 - lang);
    run.journal_begin(header_for(kName));
    for (int n = 0; n < 3; ++n) run.journal_append(sample(n));
    form.reset();
    {
      // A cycle that never got a sample, and one whose header is damaged.
      Journal journal;
      ASSERT_TRUE(journal.begin(work.path(), header_for("261209-003"), lang));
    }
    write_bytes(work.path() / "261209-001.oxr.journal",
                std::string(9, 'x') + "\r\n" + std::string(9, ',') + "\r\n" + std::string(9, 'y') +
                    "\r\n" + std::string(9, 'z') +
                    "\r\n\r\n\r\n\r\n\r\n"
                    "\r\n0,09.12.2026,10:00:00,1,1,OK,ON,\r\n");

    TFormzyklus& f = make_form();
    f.env.work_dir = work.path();
    f.FormCreate();
    f.lang_index = static_cast<std::uint8_t>(lang);
    dialogs.clear_shown();
    f.form.show();

    const fs::path data_file = work.path() / (std::string(kName) + ".oxr");
    const std::vector<std::string> expected = {
        fill_in(added_text(lang, AddedText::JournalUnreadable),
                {"261209-001", (work.path() / "261209-001.oxr.journal").string()}),
        fill_in(added_text(lang, AddedText::JournalRecovered), {kName, "3", data_file.string()}),
    };
    // After the port's own message (no port on this machine).
    const std::vector<std::string> shown = dialogs.messages();
    ASSERT_GE(shown.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(shown.end() - 2, shown.end()), expected);

    // The file the stop would have written, in the run's language, end word apart.
    auto buffer = std::make_unique<SampleBuffer>();
    for (int n = 0; n < 3; ++n) buffer->store(sample(n));
    (*buffer)[2].sample_status = "PC-STOP";
    (*buffer)[2].pump_text = "OFF";
    DataFileHeader h = header_for(kName);
    h.value_count = 3;
    EXPECT_EQ(read_bytes(data_file), measurement_file_bytes(h, *buffer, 1 - lang));
    EXPECT_FALSE(fs::exists(work.path() / (std::string(kName) + ".oxr.journal")));
    EXPECT_FALSE(fs::exists(work.path() / "261209-003.oxr.journal"));
    EXPECT_FALSE(fs::exists(work.path() / "261209-003.oxr"));
    EXPECT_TRUE(fs::exists(work.path() / "261209-001.oxr.journal"));
    form.reset();
  }
}

class RecordingInhibitor : public SleepInhibitor {
 public:
  bool acquire(const std::string& reason) override {
    calls.push_back("acquire: " + reason);
    return true;
  }
  void release() override { calls.push_back("release"); }
  std::vector<std::string> calls;
};

TEST_F(JournalFormTest, KeepAwakeHoldsOneRequestWhileArmed) {
  TFormzyklus& f = created(1);
  // Nothing set (a bare machine): begin and end change nothing.
  f.keep_awake_begin();
  f.keep_awake_end();

  RecordingInhibitor inhibitor;
  f.sleep_inhibitor = &inhibitor;
  f.keep_awake_begin();
  f.keep_awake_begin();  // START again after a cycle's end, still armed
  ASSERT_EQ(inhibitor.calls.size(), 1u);
  EXPECT_EQ(inhibitor.calls[0].rfind("acquire: ", 0), 0u);
  EXPECT_GT(inhibitor.calls[0].size(), std::string("acquire: ").size());
  f.keep_awake_end();
  f.keep_awake_end();  // the quit leaves the run mode once more
  EXPECT_EQ(inhibitor.calls, (std::vector<std::string>{inhibitor.calls[0], "release"}));
  f.keep_awake_begin();
  EXPECT_EQ(inhibitor.calls.size(), 3u);
  f.keep_awake_end();
  EXPECT_EQ(inhibitor.calls.back(), "release");
  EXPECT_EQ(f.keep_awake_held, 0);
}

TEST(AddedTexts, FillInReplacesNumberedPlaces) {
  EXPECT_EQ(fill_in("a %1 b %2 %1 %3 100%", {"x", "yy"}), "a x b yy x %3 100%");
  EXPECT_EQ(fill_in("%", {"x"}), "%");
  for (int lang : {0, 1})
    for (AddedText t : {AddedText::JournalNotWritable, AddedText::JournalRecovered,
                        AddedText::JournalUnreadable, AddedText::JournalNotRecovered})
      EXPECT_NE(added_text(lang, t).find("%2"), std::string::npos);
  // The message table keeps its numbers.
  EXPECT_EQ(message_text(0, kMessageCount - 1).substr(0, 20), "There is already a c");
}

}  // namespace
}  // namespace oxr::test
