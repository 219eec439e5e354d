// The whole link on real time: the main window's protocol over QtSerialLibrary to oxr-pumpsim,
// which serves the simulated controller on a pseudo-terminal linked as com1.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "Tools_oxr/u_zyklus/tformzyklus.h"
#include "V_1_0_serie/qt/qt_serial_library.h"
#include "platform/scripted_dialogs.h"
#include "tests/V_1_0_serie/qt_app.h"
#include "tests/support/child_process.h"
#include "tests/support/form_fixture.h"
#include "tests/support/temp_dir.h"

namespace oxr::test {
namespace {

namespace fs = std::filesystem;

const char* const kPumpSim = OXR_BINARY_DIR "/sim/oxr-pumpsim";

// oxr-pumpsim serving com1 in the folder.
class PumpSim : public ChildProcess {
 public:
  PumpSim(const fs::path& folder, std::vector<std::string> args)
      : ChildProcess(kPumpSim, with_link(folder, std::move(args))) {}

 private:
  static std::vector<std::string> with_link(const fs::path& folder, std::vector<std::string> args) {
    args.insert(args.begin(), {"--link", folder.string()});
    return args;
  }
};

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
