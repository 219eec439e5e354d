// A run that is killed while it measures: its journal, left on disk, becomes at the next first
// show the data file a PC-STOP at that sample would have written, byte for byte.
#include <filesystem>
#include <fstream>

#include "Tools_oxr/texts.h"
#include "tests/sim/window_run_support.h"

namespace oxr::test {
namespace {

namespace fs = std::filesystem;

class WindowJournal : public RunFixture, public ::testing::WithParamInterface<int> {};

TEST_P(WindowJournal, AKilledRunComesBackAsTheFileAStopWouldHaveWritten) {
  const int measured_s = GetParam();
  open_window(4);
  plan(0, "10:01", "01:00", "Nachtlauf 1");
  w().But_start.click();
  ASSERT_TRUE(run_until([&] { return w().TImcresponse.enabled(); }, 120));
  advance_ms(measured_s * 1000LL);

  const fs::path journal = file("261209-000.oxr.journal");
  ASSERT_TRUE(fs::exists(journal)) << "the journal is written while the cycle measures";
  const std::string left_behind = file_bytes("261209-000.oxr.journal");
  const std::uint16_t last = w().last_sample_index;
  ASSERT_GT(last, 0);

  // What a stop at this sample writes; the saved file takes the journal with it.
  dialogs.answer_confirm(false);
  w().But_stop.click();
  const std::string stopped = file_bytes("261209-000.oxr");
  ASSERT_FALSE(stopped.empty());
  EXPECT_FALSE(fs::exists(journal));

  // Now as if the program had been killed instead: no data file, the journal as it was.
  fs::remove(file("261209-000.oxr"));
  { std::ofstream(journal, std::ios::binary) << left_behind; }
  form.reset();
  dialogs.clear_shown();
  make_form(&sim);
  w().FormCreate();
  w().form.show();

  EXPECT_EQ(file_bytes("261209-000.oxr"), stopped);
  EXPECT_FALSE(fs::exists(journal));
  bool told = false;
  for (const std::string& m : dialogs.messages())
    told = told || (m.find("261209-000") != std::string::npos &&
                    m.find(file("261209-000.oxr").string()) != std::string::npos);
  EXPECT_TRUE(told) << "the operator hears which cycle came back and where its file is";
}

// Early in the run, after a minute, and well into it.
INSTANTIATE_TEST_SUITE_P(KillPoints, WindowJournal, ::testing::Values(15, 60, 1800));

}  // namespace
}  // namespace oxr::test
