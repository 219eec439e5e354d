// The whole link on real time: the main window's protocol over QtSerialLibrary to oxr-pumpsim,
// which serves the simulated controller on a pseudo-terminal linked as com1.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "Tools_oxr/u_zyklus/tformzyklus.h"
#include "V_1_0_serie/qt/qt_serial_library.h"
#include "platform/scripted_dialogs.h"
#include "tests/V_1_0_serie/qt_app.h"
#include "tests/support/form_fixture.h"
#include "tests/support/temp_dir.h"

extern char** environ;

namespace oxr::test {
namespace {

namespace fs = std::filesystem;
using Steady = std::chrono::steady_clock;

const char* const kPumpSim = OXR_BINARY_DIR "/sim/oxr-pumpsim";

class PumpSim {
 public:
  PumpSim(const fs::path& folder, std::vector<std::string> args) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    args.insert(args.begin(), {kPumpSim, "--link", folder.string()});
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, kPumpSim, &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~PumpSim() { stop(); }
  bool started() const { return pid_ > 0; }
  void stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
};

template <typename Condition>
bool wait_for(Condition condition, std::chrono::milliseconds limit,
              const std::function<void()>& step = {}) {
  const auto end = Steady::now() + limit;
  while (Steady::now() < end) {
    if (step) step();
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return condition();
}

TEST(PumpSimLink, TheWindowConnectsReadsTheModeAndNoticesTheSimulatorGone) {
  ensure_application();
  TempDir dir;
  PumpSim pumpsim(dir.path(), {"--mode", "4", "--quiet"});
  ASSERT_TRUE(pumpsim.started());
  ASSERT_TRUE(
      wait_for([&] { return fs::is_symlink(dir.path() / "com1"); }, std::chrono::seconds(5)));

  SystemClock clock;
  TimerHub hub(clock);
  ScriptedDialogs dialogs;
  RecordingServices services;
  QtSerialLibrary serial(QString::fromStdString(dir.path().string()));
  TFormzyklus f(FormEnv{clock, hub, dialogs, serial, services, dir.path()});
  f.lang_index = 0;
  f.com_names = {"Pumpe", "", "", ""};
  f.Timer1.set_enabled(true);
  f.port_setup_at_start();

  const auto run_timers = [&] { hub.fire_due(); };
  EXPECT_TRUE(wait_for([&] { return f.tc_connected == 1 && f.control_mode == 4; },
                       std::chrono::seconds(3), run_timers));
  EXPECT_EQ(f.StatusBar1.panel(0), "Temperature control connected");
  EXPECT_EQ(f.StatusBar1.panel(2), "COM1 : Pumpe");
  EXPECT_TRUE(dialogs.messages().empty());

  // The simulator ends: the link watch reports the controller gone within a second or two.
  dialogs.clear_shown();
  pumpsim.stop();
  EXPECT_TRUE(wait_for([&] { return f.tc_connected == 0; }, std::chrono::seconds(3), run_timers));
  EXPECT_EQ(dialogs.messages(), std::vector<std::string>{"Temperature control not connected"});
}

}  // namespace
}  // namespace oxr::test
