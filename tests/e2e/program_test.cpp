// The real oxr-pump binary on its first run in an empty folder, with oxr-pumpsim linked there
// as com1, on a private X display; looked at and pressed from the outside only: the files it
// leaves, the frames the simulator prints, its windows and its exit code.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "Tools_oxr/date_time.h"
#include "platform/clock.h"
#include "tests/support/child_process.h"
#include "tests/support/oxrconf_bytes.h"
#include "tests/support/temp_dir.h"

namespace oxr::test {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using std::chrono::seconds;

const char* const kPump = OXR_BINARY_DIR "/V_1_0_serie/oxr-pump";
const char* const kPumpSim = OXR_BINARY_DIR "/sim/oxr-pumpsim";
// The title of the program's boxes, and the caption the start page and main window share.
const char* const kBoxTitle = "^OXR - Pump Control$";
const char* const kWindowCaption = "^OXR - Steuerung für elektronisch beheizte Pumpen \\(\\.58\\)$";

// An X server of our own: the display number it picked is written to a file we hand it. A
// server that does not answer its first client is replaced (seen twice in some sixty-five
// starts on a busy machine: the number came back and nobody answered on it).
class PrivateDisplay {
 public:
  explicit PrivateDisplay(const fs::path& folder) {
    for (int attempt = 0; attempt < 3 && name_.empty(); ++attempt) {
      const fs::path number_file = folder / ("display" + std::to_string(attempt));
      const int fd = ::open(number_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      server_ = std::make_unique<ChildProcess>(
          "Xvfb",
          std::vector<std::string>{"-displayfd", std::to_string(fd), "-screen", "0", "1280x1024x24",
                                   "-nolisten", "tcp", "-noreset"},
          ChildOptions{.stderr_file = folder / "xvfb.log"});
      ::close(fd);
      std::string name;
      wait_for(
          [&] {
            const std::string text = read_bytes(number_file);
            if (!text.ends_with('\n')) return false;
            name = ":" + text.substr(0, text.size() - 1);
            return true;
          },
          seconds(10));
      if (!name.empty() && answers(name, folder))
        name_ = name;
      else
        server_->stop();
    }
  }
  ~PrivateDisplay() { server_->stop(); }
  // ":N", or empty when no server came up.
  const std::string& name() const { return name_; }

 private:
  static bool answers(const std::string& name, const fs::path& folder) {
    return wait_for(
        [&] {
          ChildProcess probe(
              "xdotool", {"getdisplaygeometry"},
              ChildOptions{.stderr_file = folder / "probe.err", .env = {{"DISPLAY", name}}});
          const int status = probe.wait_exit(seconds(5));
          return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        },
        seconds(5));
  }

  std::unique_ptr<ChildProcess> server_;
  std::string name_;
};

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(private_tmp());
    fs::create_directories(runtime_dir());
    fs::permissions(runtime_dir(), fs::perms::owner_all);
  }

  // The instance lock lives in the temp folder: a folder of our own keeps this test apart
  // from a copy of the program that happens to run on the machine.
  fs::path private_tmp() const { return dir.path() / "tmp"; }
  fs::path runtime_dir() const { return dir.path() / "runtime"; }
  fs::path work() const { return dir.path() / "work"; }

  ChildOptions program_options(const std::string& display, const std::string& log) const {
    return ChildOptions{.stdout_file = dir.path() / (log + ".out"),
                        .stderr_file = dir.path() / (log + ".err"),
                        .work_dir = work(),
                        .env = {{"DISPLAY", display},
                                {"QT_QPA_PLATFORM", "xcb"},
                                {"TMPDIR", private_tmp().string()},
                                {"XDG_RUNTIME_DIR", runtime_dir().string()}}};
  }

  // Runs xdotool on the display and returns what it printed, one word a line.
  std::vector<std::string> xdotool(const std::string& display, std::vector<std::string> args) {
    const fs::path out = dir.path() / "xdotool.out";
    ChildProcess tool("xdotool", std::move(args),
                      ChildOptions{.stdout_file = out, .env = {{"DISPLAY", display}}});
    if (tool.wait_exit(seconds(10)) == -1) ADD_FAILURE() << "xdotool hangs";
    std::vector<std::string> words;
    std::istringstream in(read_bytes(out));
    for (std::string w; in >> w;) words.push_back(w);
    return words;
  }

  // The ids of the visible windows whose title matches the pattern.
  std::vector<std::string> windows(const std::string& display, const std::string& title) {
    return xdotool(display, {"search", "--onlyvisible", "--name", title});
  }

  // Gives the window the keyboard and presses a key there, as an operator would.
  void press_key_in(const std::string& display, const std::string& window, const std::string& key) {
    xdotool(display, {"windowfocus", "--sync", window});
    xdotool(display, {"key", key});
  }

  // What the display and the program are up to, for a failure's message.
  std::string state(const std::string& display, ChildProcess& program) {
    std::string text = "windows:";
    for (const std::string& id : xdotool(display, {"search", "--name", "."})) {
      const std::vector<std::string> name = xdotool(display, {"getwindowname", id});
      text += " " + id + " (";
      for (const std::string& w : name) text += w + " ";
      text += ")";
    }
    const int status = program.wait_exit(milliseconds(0));
    text +=
        status == -1 ? "\nprogram running" : "\nprogram ended, status " + std::to_string(status);
    return text + "\nits errors: " + read_bytes(dir.path() / "pump.err") +
           "\nX server: " + read_bytes(dir.path() / "xvfb.log");
  }

  TempDir dir{TempDir::Place::disk};
};

// The frames the simulator printed as received from the PC, in order, as hex text.
std::vector<std::string> frames_from_pc(const std::string& log) {
  std::vector<std::string> frames;
  std::istringstream in(log);
  for (std::string line; std::getline(in, line);) {
    const auto at = line.find("PC -> TC  ");
    if (at == std::string::npos) continue;
    std::string rest = line.substr(at + 10);
    // The hex bytes come first, then the frame's meaning after a wider gap.
    frames.push_back(rest.substr(0, rest.find("  ")));
  }
  return frames;
}

std::string default_config_today() {
  SystemClock clock;
  return config_bytes(static_cast<DateTime>(static_cast<long>(clock.now())), {}, '1');
}

TEST_F(ProgramTest, FirstRunMakesItsFilesConnectsAtStartAndASecondCopyEndsAtOnce) {
  ASSERT_TRUE(fs::exists(kPump) && fs::exists(kPumpSim)) << "build oxr-pump and oxr-pumpsim";
  PrivateDisplay display(dir.path());
  ASSERT_FALSE(display.name().empty()) << read_bytes(dir.path() / "xvfb.log");
  const std::string& x = display.name();
  fs::create_directories(work());

  ChildProcess sim(kPumpSim, {"--link", work().string()},
                   ChildOptions{.stdout_file = dir.path() / "sim.log"});
  ASSERT_TRUE(wait_for([&] { return fs::is_symlink(work() / "com1"); }, seconds(5)));
  const auto sim_log = [&] { return read_bytes(dir.path() / "sim.log"); };

  ChildProcess pump(kPump, {}, program_options(x, "pump"));
  ASSERT_TRUE(pump.started());

  // The first run announces the configuration file it has just made, before the start page.
  std::vector<std::string> box;
  ASSERT_TRUE(wait_for([&] { return !(box = windows(x, kBoxTitle)).empty(); }, seconds(20)))
      << state(x, pump);
  ASSERT_EQ(box.size(), 1u);
  EXPECT_EQ(read_bytes(work() / "oxrconf.dat"), default_config_today());
  EXPECT_TRUE(windows(x, kWindowCaption).empty());
  press_key_in(x, box[0], "Return");

  std::vector<std::string> page;
  ASSERT_TRUE(wait_for([&] { return !(page = windows(x, kWindowCaption)).empty(); }, seconds(10)));
  EXPECT_TRUE(windows(x, kBoxTitle).empty());
  // Nothing goes to the controller while the start page is up.
  EXPECT_TRUE(frames_from_pc(sim_log()).empty()) << sim_log();

  // A second copy, started meanwhile in the same folder, ends at once and silently.
  const auto second_started = std::chrono::steady_clock::now();
  ChildProcess second(kPump, {}, program_options(x, "second"));
  const int status = second.wait_exit(seconds(10));
  const auto second_ran = std::chrono::steady_clock::now() - second_started;
  ASSERT_NE(status, -1) << "the second copy is still running";
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_LT(second_ran, seconds(3));
  EXPECT_EQ(windows(x, kWindowCaption), page);
  EXPECT_TRUE(windows(x, kBoxTitle).empty());

  // START (it has the keyboard focus) opens the main window, whose first show connects.
  press_key_in(x, page[0], "Return");
  const std::vector<std::string> expected = {"41 54 5A 05 0C", "41 54 52 06 4D C6"};
  EXPECT_TRUE(wait_for([&] { return frames_from_pc(sim_log()).size() >= 2; }, seconds(10)));
  std::vector<std::string> sent = frames_from_pc(sim_log());
  ASSERT_GE(sent.size(), 2u) << sim_log();
  sent.resize(2);
  EXPECT_EQ(sent, expected) << sim_log();
  const std::vector<std::string> shown = windows(x, kWindowCaption);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown, page);  // the main window, the start page gone
  // The show writes the configuration again: nothing has changed yet.
  EXPECT_EQ(read_bytes(work() / "oxrconf.dat"), default_config_today());
  EXPECT_EQ(read_bytes(dir.path() / "second.out") + read_bytes(dir.path() / "second.err"), "");

  pump.stop();
  sim.stop();
}

}  // namespace
}  // namespace oxr::test
