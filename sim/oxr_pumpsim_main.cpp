// oxr-pumpsim: the simulated pump controller on a pseudo-terminal, linked as com1 where the
// program looks for its port, so the real program can be run end to end without a pump.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/clock.h"
#include "sim/controller_frames.h"
#include "sim/pump_controller.h"

namespace fs = std::filesystem;
using oxr::sim::Bytes;
using oxr::sim::Fault;
using oxr::sim::PumpController;

namespace {

volatile sig_atomic_t g_stop_signal = 0;

void on_stop_signal(int sig) {
  g_stop_signal = sig;
}

void print_help() {
  std::printf(
      "Usage: oxr-pumpsim --link PATH [options]\n"
      "\n"
      "Serves the simulated pump controller on a pseudo-terminal and links it as com1:\n"
      "PATH is a folder (the link becomes PATH/com1) or the link's own path. The link is\n"
      "removed again on exit (Ctrl-C or SIGTERM). Every frame received and sent is printed\n"
      "with its bytes in hex and its meaning.\n"
      "\n"
      "Options:\n"
      "  --link PATH             where to put the com1 link (required)\n"
      "  --mode N                operating mode reported to the PC, 1..4 (default 1)\n"
      "  --fault NAME[=VALUE]    inject a fault from the start; may be repeated\n"
      "  --watch-sign-of-life    break runs off after 5 s without a sign of life. A\n"
      "                          pseudo-terminal has no DTR line, so the PC's toggle never\n"
      "                          arrives: with this option every run ends with state 8\n"
      "                          (TC-Break) 5 s after switch-on. Off by default.\n"
      "  --quiet                 do not print frames\n"
      "  --help                  this text\n"
      "\n"
      "Faults (VALUE in brackets is the default):\n"
      "  line-down               nothing crosses the line\n"
      "  silent                  commands are taken, nothing is sent back\n"
      "  bad-checksum[=1]        the next VALUE frames carry a wrong checksum\n"
      "  garbage[=3]             VALUE junk bytes ahead of the next frame\n"
      "  split-frame[=10]        the next frame's second half VALUE ms after its first\n"
      "  stop-at-controller      the next step reports state 6 (switched off at the controller)\n"
      "  break-at-controller     the next step reports state 8 (broken off)\n"
      "  undefined-state[=3]     the next step reports state VALUE\n"
      "  error-code[=1]          measurements report error E0VALUE (1..5)\n"
      "  pump-off                measurements report the pump off\n"
      "  late-reply[=3000]       the next reply VALUE ms late\n"
      "\n"
      "While running, lines on standard input change the controller:\n"
      "  inject NAME[=VALUE]   clear NAME   clear all   mode N\n");
}

bool parse_int(std::string_view text, int& out) {
  if (text.empty() || text.size() > 9) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  out = value;
  return true;
}

// "NAME" or "NAME=VALUE"
bool parse_fault(std::string_view text, Fault& fault, int& value) {
  value = -1;
  const auto eq = text.find('=');
  if (eq != std::string_view::npos) {
    if (!parse_int(text.substr(eq + 1), value)) return false;
    text = text.substr(0, eq);
  }
  return oxr::sim::fault_from_name(text, fault);
}

struct Options {
  std::string link;
  int mode = 1;
  bool watch = false;
  bool quiet = false;
};

class Printer {
 public:
  Printer(bool quiet, std::int64_t start_ms) : quiet_(quiet), start_ms_(start_ms) {}
  void print_new(PumpController& model) {
    if (!quiet_) {
      for (const auto& f : model.log()) {
        const double secs = static_cast<double>(f.at_ms - start_ms_) / 1000.0;
        std::printf("%10.3f  %s  %-44s %s\n", secs, f.from_pc ? "PC -> TC" : "TC -> PC",
                    oxr::sim::hex_bytes(f.bytes).c_str(),
                    oxr::sim::describe_frame(f.bytes, f.from_pc).c_str());
      }
      std::fflush(stdout);
    }
    model.clear_log();
  }

 private:
  bool quiet_;
  std::int64_t start_ms_;
};

void run_command(std::string line, PumpController& model) {
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
  const auto space = line.find(' ');
  const std::string verb = line.substr(0, space);
  const std::string arg = space == std::string::npos ? "" : line.substr(space + 1);
  Fault fault;
  int value = 0;
  if (verb == "inject" && parse_fault(arg, fault, value)) {
    model.inject(fault, value);
    std::printf("fault %s injected\n", std::string(oxr::sim::fault_name(fault)).c_str());
  } else if (verb == "clear" && arg == "all") {
    model.clear_faults();
    std::printf("all faults cleared\n");
  } else if (verb == "clear" && parse_fault(arg, fault, value)) {
    model.clear(fault);
    std::printf("fault %s cleared\n", std::string(oxr::sim::fault_name(fault)).c_str());
  } else if (verb == "mode" && parse_int(arg, value) && value >= 1 && value <= 4) {
    model.set_mode(static_cast<std::uint8_t>(value));
    std::printf("mode %d\n", value);
  } else if (!line.empty()) {
    std::printf("unknown command: %s\n", line.c_str());
  }
  std::fflush(stdout);
}

// Opens a pseudo-terminal in raw mode; keeps the slave open too, so the master never sees a
// hang-up while no program has the port open.
bool open_pty(int& master, int& slave, std::string& slave_name) {
  master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return false;
  char name[128];
  if (ptsname_r(master, name, sizeof name) != 0) return false;
  slave_name = name;
  slave = ::open(name, O_RDWR | O_NOCTTY);
  if (slave < 0) return false;
  termios tio{};
  if (tcgetattr(slave, &tio) != 0) return false;
  cfmakeraw(&tio);
  cfsetispeed(&tio, B9600);
  cfsetospeed(&tio, B9600);
  return tcsetattr(slave, TCSANOW, &tio) == 0;
}

bool link_points_to(const fs::path& link, const std::string& target) {
  std::error_code ec;
  return fs::is_symlink(fs::symlink_status(link, ec)) && fs::read_symlink(link, ec) == target;
}

}  // namespace

int main(int argc, char** argv) {
  Options opt;
  struct PendingFault {
    Fault fault;
    int value;
  };
  std::vector<PendingFault> faults;
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    const bool has_next = i + 1 < argc;
    if (a == "--help" || a == "-h") {
      print_help();
      return 0;
    } else if (a == "--link" && has_next) {
      opt.link = argv[++i];
    } else if (a == "--mode" && has_next) {
      if (!parse_int(argv[++i], opt.mode) || opt.mode < 1 || opt.mode > 4) {
        std::fprintf(stderr, "oxr-pumpsim: --mode takes 1..4\n");
        return 2;
      }
    } else if (a == "--fault" && has_next) {
      PendingFault f{};
      if (!parse_fault(argv[++i], f.fault, f.value)) {
        std::fprintf(stderr, "oxr-pumpsim: unknown fault '%s' (see --help)\n", argv[i]);
        return 2;
      }
      faults.push_back(f);
    } else if (a == "--watch-sign-of-life") {
      opt.watch = true;
    } else if (a == "--quiet") {
      opt.quiet = true;
    } else {
      std::fprintf(stderr, "oxr-pumpsim: unknown or incomplete option '%s' (see --help)\n",
                   argv[i]);
      return 2;
    }
  }
  if (opt.link.empty()) {
    std::fprintf(stderr, "oxr-pumpsim: --link PATH is required (see --help)\n");
    return 2;
  }

  std::error_code ec;
  fs::path link = opt.link;
  if (fs::is_directory(link, ec)) link /= "com1";
  if (fs::exists(fs::symlink_status(link, ec))) {
    // A link left behind by a run that was killed is replaced; anything else is not ours.
    if (!fs::is_symlink(fs::symlink_status(link, ec))) {
      std::fprintf(stderr, "oxr-pumpsim: %s exists and is not a link\n", link.c_str());
      return 1;
    }
    fs::remove(link, ec);
  }

  int master = -1;
  int slave = -1;
  std::string slave_name;
  if (!open_pty(master, slave, slave_name)) {
    std::fprintf(stderr, "oxr-pumpsim: cannot open a pseudo-terminal: %s\n", std::strerror(errno));
    return 1;
  }
  fs::create_symlink(slave_name, link, ec);
  if (ec) {
    std::fprintf(stderr, "oxr-pumpsim: cannot create %s: %s\n", link.c_str(), ec.message().c_str());
    return 1;
  }

  // Stop signals are blocked except inside ppoll, so one arriving between two looks at the
  // flag still ends the wait.
  sigset_t stop_signals, wait_mask;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGINT);
  sigaddset(&stop_signals, SIGTERM);
  sigprocmask(SIG_BLOCK, &stop_signals, &wait_mask);
  struct sigaction sa {};
  sa.sa_handler = on_stop_signal;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
  // Started in the background of a terminal, reading standard input must fail, not stop us.
  signal(SIGTTIN, SIG_IGN);
  signal(SIGPIPE, SIG_IGN);

  oxr::SystemClock clock;
  const std::int64_t start_ms = clock.monotonic_ms();
  oxr::sim::ControllerConfig config;
  config.mode = static_cast<std::uint8_t>(opt.mode);
  config.watch_sign_of_life = opt.watch;
  PumpController model(config, start_ms);
  for (const auto& f : faults) model.inject(f.fault, f.value);
  Printer printer(opt.quiet, start_ms);

  std::printf("oxr-pumpsim: COM1 on %s, linked as %s, mode %d, sign-of-life watch %s\n",
              slave_name.c_str(), link.c_str(), opt.mode, opt.watch ? "on" : "off");
  std::fflush(stdout);

  bool stdin_open = true;
  std::string stdin_line;
  unsigned dropped = 0;
  Bytes out;
  while (!g_stop_signal) {
    const std::int64_t now = clock.monotonic_ms();
    out.clear();
    model.take_arrived(now, out);
    if (!out.empty()) {
      const ssize_t n = ::write(master, out.data(), out.size());
      // Nobody reads the port and its buffer is full: the bytes are lost, as on a real line.
      if (n < static_cast<ssize_t>(out.size()))
        dropped += static_cast<unsigned>(out.size() - (n > 0 ? n : 0));
    }
    printer.print_new(model);

    const std::int64_t next = model.next_event_ms();
    timespec wait{};
    timespec* wait_ptr = nullptr;
    if (next != std::numeric_limits<std::int64_t>::max()) {
      const std::int64_t ms = next > now ? next - now : 0;
      wait.tv_sec = static_cast<time_t>(ms / 1000);
      wait.tv_nsec = static_cast<long>(ms % 1000) * 1000000L;
      wait_ptr = &wait;
    }
    pollfd fds[2] = {{master, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    const int r = ppoll(fds, stdin_open ? 2 : 1, wait_ptr, &wait_mask);
    if (r < 0) {
      if (errno == EINTR) continue;
      std::fprintf(stderr, "oxr-pumpsim: poll: %s\n", std::strerror(errno));
      break;
    }
    if (fds[0].revents & POLLIN) {
      std::uint8_t buf[256];
      const ssize_t n = ::read(master, buf, sizeof buf);
      const std::int64_t at = clock.monotonic_ms();
      for (ssize_t i = 0; i < n; ++i) model.line_in(buf[i], at);
    } else if (fds[0].revents & (POLLHUP | POLLERR)) {
      // Should not happen while the slave is held open; never spin on it.
      timespec pause{0, 50 * 1000000L};
      nanosleep(&pause, nullptr);
    }
    if (stdin_open && (fds[1].revents & (POLLIN | POLLHUP | POLLERR))) {
      char buf[256];
      const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
      if (n <= 0) {
        stdin_open = false;
      } else {
        for (ssize_t i = 0; i < n; ++i) {
          if (buf[i] == '\n') {
            run_command(stdin_line, model);
            stdin_line.clear();
          } else if (stdin_line.size() < 200) {
            stdin_line += buf[i];
          }
        }
      }
    }
  }

  printer.print_new(model);
  if (link_points_to(link, slave_name)) fs::remove(link, ec);
  const auto& c = model.counters();
  std::printf(
      "oxr-pumpsim: stopped%s; frames received %u, bad checksums %u, replies %u, "
      "measurements %u, runs %u, bytes dropped %u\n",
      g_stop_signal == SIGINT    ? " (SIGINT)"
      : g_stop_signal == SIGTERM ? " (SIGTERM)"
                                 : "",
      c.frames_received, c.bad_checksums_received, c.replies_sent, c.measurements_sent,
      c.runs_started, dropped);
  std::fflush(stdout);
  close(slave);
  close(master);
  return 0;
}
