// bench_measuring_cpu PUMPSIM [--minutes N]
//
// The program's main window as oxr-pump builds it (the Qt window, the system clock, the Qt
// timer driver, QtSerialLibrary) against oxr-pumpsim on its pseudo-terminal, in a fresh folder:
// plans a cycle through the editor that starts at the next full minute and lasts N + 2
// minutes, arms it with START, and once it measures takes the process's CPU time (getrusage,
// user plus system, every thread) over N (3) one-minute windows. Prints each minute and the
// median as a share of one core, and the samples the cycle took meanwhile.
// Boxes are answered by the scripted dialogs, so none waits for an operator. Runs on the X
// display when DISPLAY is set (Xvfb in tools/bench), else offscreen.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "Tools_oxr/date_time.h"
#include "Tools_oxr/u_zyklus/tformzyklus.h"
#include "V_1_0_serie/qt/qt_serial_library.h"
#include "V_1_0_serie/qt/system_services.h"
#include "V_1_0_serie/qt/timer_driver.h"
#include "V_1_0_serie/settings_group.h"
#include "V_1_0_serie/u_zyklus.h"
#include "platform/clock.h"
#include "platform/scripted_dialogs.h"
#include "platform/timer.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Steady = std::chrono::steady_clock;

double cpu_seconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

pid_t spawn_pumpsim(const std::string& pumpsim, const fs::path& folder) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> args{pumpsim, "--link", folder.string(), "--mode", "4", "--quiet"};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, pumpsim.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

void type(oxr::Edit& e, const std::string& text) {
  e.set_text(text);
  e.exit();
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PUMPSIM [--minutes N]\n", argv[0]);
    return 2;
  }
  const std::string pumpsim = fs::absolute(argv[1]).string();
  int minutes = 3;
  if (argc > 3 && !std::strcmp(argv[2], "--minutes")) minutes = std::max(1, std::atoi(argv[3]));

  char tmpl[] = "/tmp/oxr-measuring-cpu-XXXXXX";
  if (!mkdtemp(tmpl)) return 1;
  const fs::path folder = tmpl;
  const pid_t sim = spawn_pumpsim(pumpsim, folder);
  for (int i = 0; i < 500 && !fs::is_symlink(folder / "com1"); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  int status = 1;
  {
    oxr::SystemClock clock;
    oxr::TimerHub timers(clock);
    oxr::qt::QtTimerDriver driver(timers);
    oxr::ScriptedDialogs dialogs;
    oxr::qt::QtSystemServices services;
    oxr::QtSerialLibrary serial(QString::fromStdString(folder.string()));
    oxr::TFormzyklus main(oxr::FormEnv{clock, timers, dialogs, serial, services, folder});
    main.FormCreate();
    oxr::qt::FormzyklusWindow window(main, build_settings_group);
    main.form.show();

    std::vector<double> shares;
    int samples_at_start = 0;
    double cpu0 = 0;
    Steady::time_point wall0;
    const auto fail = [&](const char* why) {
      std::fprintf(stderr, "%s\n", why);
      for (const auto& m : dialogs.messages()) std::fprintf(stderr, "  box: %s\n", m.c_str());
      app.exit(1);
    };

    QTimer step;  // the harness's own look, once a second until the cycle measures
    step.setInterval(1000);
    enum class Phase { connecting, armed, measuring } phase = Phase::connecting;
    int waited_s = 0;
    QObject::connect(&step, &QTimer::timeout, [&] {
      ++waited_s;
      if (phase == Phase::connecting) {
        if (main.tc_connected != 1 || main.control_mode != 4) {
          if (waited_s > 10) fail("the simulated controller did not connect");
          return;
        }
        // The next full minute at least 10 s away, for N + 2 minutes.
        const oxr::DateTime start = std::ceil((clock.now() + 10.0 / 86400) * 1440) / 1440;
        main.But_new.click();
        type(main.MEdatum, oxr::format_date(oxr::date_of(start)));
        type(main.MEstartz, oxr::format_time_hm(oxr::time_of(start)));
        type(main.MEcycled, oxr::format_time_hm((minutes + 2) / 1440.0));
        main.But_takeover.click();
        if (main.cycle_count != 1) return fail("the cycle was not taken over");
        main.But_start.click();
        phase = Phase::armed;
        waited_s = 0;
      } else if (phase == Phase::armed) {
        if (!main.TImcresponse.enabled()) {
          if (waited_s > 100) fail("the cycle did not start");
          return;
        }
        // Measuring: from now on the harness only wakes once a minute.
        phase = Phase::measuring;
        samples_at_start = main.Chart2.Series1.count();
        cpu0 = cpu_seconds();
        wall0 = Steady::now();
        step.setInterval(60000);
      } else {
        const double cpu = cpu_seconds();
        const auto wall = Steady::now();
        const double share = 100 * (cpu - cpu0) /
                             std::chrono::duration<double>(wall - wall0).count();
        shares.push_back(share);
        std::printf("  minute %zu: %.2f %% of one core\n", shares.size(), share);
        std::fflush(stdout);
        cpu0 = cpu;
        wall0 = wall;
        if (!main.TImcresponse.enabled()) return fail("the cycle stopped measuring");
        if (static_cast<int>(shares.size()) == minutes) app.exit(0);
      }
    });
    step.start();
    status = app.exec();
    if (status == 0) {
      const int samples = main.Chart2.Series1.count() - samples_at_start;
      std::printf("CPU while a cycle measures against oxr-pumpsim: %.2f %% of one core "
                  "(median of %d minutes; %d samples taken meanwhile)\n",
                  median(shares), minutes, samples);
      if (samples < 5 * minutes) {
        std::fprintf(stderr, "too few samples: the cycle was not measuring\n");
        status = 1;
      }
    }
    main.start_active = 0;  // leave without the stop's questions
  }
  if (sim > 0) {
    kill(sim, SIGTERM);
    waitpid(sim, nullptr, 0);
  }
  fs::remove_all(folder);
  return status;
}
