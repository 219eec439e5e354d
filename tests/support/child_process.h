#pragma once
// A program run as a child of the test (oxr-pumpsim, oxr-pump, Xvfb, xdotool): its standard
// output to a file or nowhere, a working directory and extra environment of its own, killed
// if the test leaves it running. And waiting on real time for something to happen.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace oxr::test {

struct ChildOptions {
  std::filesystem::path stdout_file{};       // empty: /dev/null
  std::filesystem::path stderr_file{};       // empty: the test's own
  std::filesystem::path work_dir{};          // empty: the test's own
  std::map<std::string, std::string> env{};  // set on top of the test's environment
};

class ChildProcess {
 public:
  ChildProcess(const std::string& program, std::vector<std::string> args,
               const ChildOptions& options = {}) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    const std::string out = options.stdout_file.empty() ? "/dev/null" : options.stdout_file;
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!options.stderr_file.empty())
      posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, options.stderr_file.c_str(),
                                       O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!options.work_dir.empty())
      posix_spawn_file_actions_addchdir_np(&actions, options.work_dir.c_str());

    std::vector<std::string> env_text;
    for (char** e = environ; *e; ++e) {
      const std::string entry = *e;
      if (!options.env.contains(entry.substr(0, entry.find('=')))) env_text.push_back(entry);
    }
    for (const auto& [name, value] : options.env) env_text.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (auto& e : env_text) envp.push_back(e.data());
    envp.push_back(nullptr);

    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawnp(&pid_, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
      pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~ChildProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }

  // Waits up to the limit; returns the wait status, or -1 if it is still running.
  int wait_exit(std::chrono::milliseconds limit) {
    if (pid_ <= 0) return -1;
    const auto end = std::chrono::steady_clock::now() + limit;
    do {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return status;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (std::chrono::steady_clock::now() < end);
    return -1;
  }

  // SIGTERM, then SIGKILL if it has not ended within the limit.
  void stop(std::chrono::milliseconds limit = std::chrono::seconds(5)) {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    if (wait_exit(limit) == -1 && pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
  }

 private:
  pid_t pid_ = -1;
};

// Polls the condition on real time, running `step` (an event loop, the timers) before each look.
inline bool wait_for(const std::function<bool()>& condition, std::chrono::milliseconds limit,
                     const std::function<void()>& step = {}) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (step) step();
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return condition();
}

}  // namespace oxr::test
