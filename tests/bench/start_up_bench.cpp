// bench_start_up PROGRAM [--runs N] [--idle-seconds S]
//
// Starts the real program N times (7, after one unmeasured warm-up start), each in a fresh empty
// folder, on the X display of DISPLAY (Xvfb in tools/bench), and prints the medians of
//   - the time from the start to the start page's window being mapped on the display: the
//     first MapNotify on the root window of a top-level window whose _NET_WM_PID is the child;
//   - the time until oxrconf.dat appears (the start page's first show writes it);
//   - the resident memory (VmRSS, and the proportional share Pss) after S (3) idle seconds
//     on the start page, and the CPU used over those idle seconds.
// Each copy gets its own TMPDIR, so its single-instance lock meets no other copy on the machine.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Steady = std::chrono::steady_clock;

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

double ms_between(Steady::time_point a, Steady::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

// A "Key:   1234 kB" line of a /proc file, in kB; -1 when missing.
long proc_kb(pid_t pid, const char* file, const char* key) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/" + file);
  const std::string want = std::string(key) + ":";
  for (std::string line; std::getline(in, line);)
    if (line.rfind(want, 0) == 0) return std::atol(line.c_str() + want.size());
  return -1;
}

// User plus system CPU time of the process, in seconds.
double proc_cpu_s(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Fields after the command's closing parenthesis: state is field 3, utime 14, stime 15.
  std::istringstream rest(stat.substr(stat.rfind(')') + 2));
  std::string field;
  double ticks = 0;
  for (int n = 3; n <= 15 && rest >> field; ++n)
    if (n >= 14) ticks += std::atof(field.c_str());
  return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

class Display {
 public:
  Display() : c_(xcb_connect(nullptr, nullptr)) {
    if (xcb_connection_has_error(c_)) return;
    root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c_, root_, XCB_CW_EVENT_MASK, &mask);
    const char name[] = "_NET_WM_PID";
    auto* reply = xcb_intern_atom_reply(
        c_, xcb_intern_atom(c_, 0, sizeof name - 1, name), nullptr);
    if (reply) net_wm_pid_ = reply->atom;
    free(reply);
    xcb_flush(c_);
  }
  ~Display() { xcb_disconnect(c_); }
  bool ok() const { return !xcb_connection_has_error(c_) && net_wm_pid_ != XCB_ATOM_NONE; }
  int fd() const { return xcb_get_file_descriptor(c_); }

  // True once a top-level window of `pid` has been mapped; reads what events are there.
  bool mapped_window_of(pid_t pid) {
    bool found = false;
    while (xcb_generic_event_t* e = xcb_poll_for_event(c_)) {
      if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY) {
        const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(e);
        if (!map->override_redirect && window_pid(map->window) == pid) found = true;
      }
      free(e);
      if (found) break;
    }
    return found;
  }

 private:
  long window_pid(xcb_window_t w) {
    auto* reply = xcb_get_property_reply(
        c_, xcb_get_property(c_, 0, w, net_wm_pid_, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    long pid = -1;
    if (reply && xcb_get_property_value_length(reply) == 4)
      pid = *static_cast<std::uint32_t*>(xcb_get_property_value(reply));
    free(reply);
    return pid;
  }

  xcb_connection_t* c_;
  xcb_window_t root_ = 0;
  xcb_atom_t net_wm_pid_ = XCB_ATOM_NONE;
};

struct Run {
  double shown_ms = -1, config_ms = -1;
  long rss_kb = -1, pss_kb = -1;
  double idle_cpu_percent = -1;
};

Run start_once(const std::string& program, int idle_seconds) {
  Run run;
  char tmpl[] = "/tmp/oxr-start-up-XXXXXX";
  if (!mkdtemp(tmpl)) return run;
  const fs::path folder = tmpl;
  Display display;
  if (!display.ok()) {
    std::fprintf(stderr, "no X display (DISPLAY=%s)\n", std::getenv("DISPLAY"));
    fs::remove_all(folder);
    return run;
  }

  const auto t0 = Steady::now();
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(folder.c_str()) != 0) _exit(127);
    setenv("TMPDIR", folder.c_str(), 1);
    const int null = open("/dev/null", O_RDWR);
    dup2(null, STDIN_FILENO);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }

  const fs::path config = folder / "oxrconf.dat";
  const auto give_up = t0 + std::chrono::seconds(30);
  while ((run.shown_ms < 0 || run.config_ms < 0) && Steady::now() < give_up) {
    pollfd p{display.fd(), POLLIN, 0};
    poll(&p, 1, 1);
    const auto now = Steady::now();
    if (run.shown_ms < 0 && display.mapped_window_of(pid)) run.shown_ms = ms_between(t0, now);
    if (run.config_ms < 0 && fs::exists(config)) run.config_ms = ms_between(t0, now);
    if (waitpid(pid, nullptr, WNOHANG) == pid) {
      std::fprintf(stderr, "%s ended before its start page was shown\n", program.c_str());
      fs::remove_all(folder);
      return Run{};
    }
  }

  const double cpu0 = proc_cpu_s(pid);
  const auto idle0 = Steady::now();
  std::this_thread::sleep_for(std::chrono::seconds(idle_seconds));
  run.idle_cpu_percent =
      100 * (proc_cpu_s(pid) - cpu0) / (ms_between(idle0, Steady::now()) / 1000);
  run.rss_kb = proc_kb(pid, "status", "VmRSS");
  run.pss_kb = proc_kb(pid, "smaps_rollup", "Pss");
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  fs::remove_all(folder);
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PROGRAM [--runs N] [--idle-seconds S]\n", argv[0]);
    return 2;
  }
  const std::string program = fs::absolute(argv[1]).string();
  int runs = 7, idle_seconds = 3;
  for (int i = 2; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--runs")) runs = std::max(1, std::atoi(argv[i + 1]));
    if (!std::strcmp(argv[i], "--idle-seconds")) idle_seconds = std::max(1, std::atoi(argv[i + 1]));
  }

  start_once(program, 1);  // warm-up: libraries and fonts into the page cache
  std::vector<double> shown, config, rss, pss, idle_cpu;
  for (int r = 0; r < runs; ++r) {
    const Run run = start_once(program, idle_seconds);
    if (run.shown_ms < 0 || run.config_ms < 0 || run.rss_kb < 0) {
      std::fprintf(stderr, "run %d: the start page was not seen\n", r + 1);
      return 1;
    }
    shown.push_back(run.shown_ms);
    config.push_back(run.config_ms);
    rss.push_back(run.rss_kb / 1024.0);
    pss.push_back(run.pss_kb / 1024.0);
    idle_cpu.push_back(run.idle_cpu_percent);
  }
  std::printf("oxr-pump start to start page window mapped: %.0f ms (median of %d; %.0f - %.0f)\n",
              median(shown), runs, *std::min_element(shown.begin(), shown.end()),
              *std::max_element(shown.begin(), shown.end()));
  std::printf("  oxrconf.dat written by the first show after:   %.0f ms (median)\n",
              median(config));
  std::printf("oxr-pump idle on the start page after %d s: RSS %.1f MB, PSS %.1f MB, CPU %.2f %% "
              "of one core (medians)\n",
              idle_seconds, median(rss), median(pss), median(idle_cpu));
  return 0;
}
