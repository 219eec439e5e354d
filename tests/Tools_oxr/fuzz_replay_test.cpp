// Every saved fuzz input (the seeds and the inputs that once broke a reader) through the
// body of its fuzz target: a fault the fuzzer found stays fixed. A broken promise aborts with
// its reason (tests/fuzz/require.h).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_bodies.h"
#include "tests/support/temp_dir.h"

namespace oxr::test {
namespace {

struct Target {
  const char* name;
  std::function<void(std::string_view)> body;
};

std::vector<std::filesystem::path> inputs_of(const std::string& target) {
  std::vector<std::filesystem::path> out;
  for (const char* kind : {"seeds", "regressions"}) {
    const std::filesystem::path dir = std::filesystem::path(OXR_FUZZ_DIR) / kind / target;
    if (!std::filesystem::is_directory(dir)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      if (entry.is_regular_file()) out.push_back(entry.path());
    }
  }
  std::sort(out.begin(), out.end());
  return out;
}

TEST(FuzzReplay, SavedInputsKeepEveryPromise) {
  const Target targets[] = {{"config_file", fuzz::config_file_input},
                            {"data_file", fuzz::data_file_input},
                            {"frame_stream", fuzz::frame_stream_input},
                            {"rtf", fuzz::rtf_input}};
  for (const Target& t : targets) {
    const std::vector<std::filesystem::path> inputs = inputs_of(t.name);
    EXPECT_FALSE(inputs.empty()) << "no saved inputs for " << t.name;
    for (const auto& path : inputs) {
      SCOPED_TRACE(path.string());
      t.body(read_bytes(path));
    }
  }
}

// The scripts reach the window: a connect and a mode query answered, a reply with a bad
// checksum refused.
TEST(FuzzReplay, FrameScriptsDriveTheWindow) {
  const std::filesystem::path seeds =
      std::filesystem::path(OXR_FUZZ_DIR) / "seeds" / "frame_stream";
  const fuzz::FrameStreamOutcome start = fuzz::run_frame_stream(read_bytes(seeds / "start_up.bin"));
  EXPECT_TRUE(start.connected);
  EXPECT_EQ(start.control_mode, 3);
  EXPECT_EQ(start.frames_sent, 2);
  EXPECT_TRUE(start.messages.empty());

  // Setup byte 0, then a connect request, its reply with the checksum off by one, the timer.
  std::string script = {'\x00', '\x05', '\x38', 'A',    'T',    'Z',
                        '\x08', '\x00', '\x00', '\x07', '\x03', '\x02'};
  const fuzz::FrameStreamOutcome bad = fuzz::run_frame_stream(script);
  EXPECT_FALSE(bad.connected);
  EXPECT_EQ(bad.frames_sent, 1);
}

// The golden files are the fuzzers' seeds too.
TEST(FuzzReplay, GoldenFilesKeepEveryPromise) {
  const std::filesystem::path data(OXR_TEST_DATA);
  fuzz::config_file_input(read_bytes(data / "oxrconf_first_run.dat"));
  for (const char* name : {"measurement_de.oxr", "measurement_en.oxr", "cycle_endless_de.oxr"}) {
    SCOPED_TRACE(name);
    fuzz::data_file_input(read_bytes(data / name));
  }
  for (const char* name : {"oxrhelpd.rtf", "oxrhelpe.rtf"}) {
    SCOPED_TRACE(name);
    fuzz::rtf_input(read_bytes(data.parent_path().parent_path() / "assets" / name));
  }
}

}  // namespace
}  // namespace oxr::test
