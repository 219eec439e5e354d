// oxr-pumpsim over a real pseudo-terminal: start it, talk to it through its link, stop it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/sim/sim_test_support.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace oxr::sim::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const char* const kProgram = OXR_BINARY_DIR "/sim/oxr-pumpsim";

// The program as a child whose stdout goes to a file; killed if a test leaves it running.
class PumpSimProcess : public oxr::test::ChildProcess {
 public:
  PumpSimProcess(const fs::path& out, std::vector<std::string> args)
      : ChildProcess(kProgram, std::move(args), oxr::test::ChildOptions{.stdout_file = out}) {}
};

using oxr::test::wait_for;

int open_raw(const fs::path& link) {
  const int fd = ::open(link.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return -1;
  termios tio{};
  tcgetattr(fd, &tio);
  cfmakeraw(&tio);
  tcsetattr(fd, TCSANOW, &tio);
  return fd;
}

// Reads until n bytes have come or the limit has passed.
Bytes read_bytes(int fd, std::size_t n, std::chrono::milliseconds limit) {
  Bytes got;
  const auto end = Clock::now() + limit;
  while (got.size() < n && Clock::now() < end) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 50) > 0 && (p.revents & POLLIN)) {
      std::uint8_t buf[64];
      const ssize_t r = ::read(fd, buf, sizeof buf);
      if (r > 0) got.insert(got.end(), buf, buf + r);
    }
  }
  return got;
}

bool write_all(int fd, const Bytes& bytes) {
  return ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

TEST(PumpSimProgram, AnswersOverItsLinkAndRemovesTheLinkOnSigterm) {
  oxr::test::TempDir dir;
  const fs::path out = dir.path() / "out.txt";
  const fs::path link = dir.path() / "com1";
  PumpSimProcess sim(out, {"--link", dir.path().string(), "--mode", "3"});
  ASSERT_GT(sim.pid(), 0);
  ASSERT_TRUE(wait_for([&] { return fs::is_symlink(link); }, std::chrono::seconds(5)));

  const int fd = open_raw(link);
  ASSERT_GE(fd, 0);
  ASSERT_TRUE(write_all(fd, frame('Z', {})));
  EXPECT_EQ(read_bytes(fd, 8, std::chrono::seconds(2)), frame('Z', {1, 0, 7}));
  ASSERT_TRUE(write_all(fd, frame('R', {'M'})));
  EXPECT_EQ(read_bytes(fd, 9, std::chrono::seconds(2)), frame('R', {'M', 0, 0, 3}));
  ::close(fd);

  ASSERT_EQ(kill(sim.pid(), SIGTERM), 0);
  const int status = sim.wait_exit(std::chrono::seconds(5));
  ASSERT_NE(status, -1) << "still running after SIGTERM";
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_FALSE(fs::exists(fs::symlink_status(link)));

  const std::string printed = oxr::test::read_bytes(out);
  EXPECT_NE(printed.find("41 54 5A 05 0C"), std::string::npos) << printed;
  EXPECT_NE(printed.find("connect request"), std::string::npos) << printed;
  EXPECT_NE(printed.find("connect reply: present"), std::string::npos) << printed;
  EXPECT_NE(printed.find("mode query"), std::string::npos) << printed;
}

TEST(PumpSimProgram, TakesTheLinkPathItselfAndAFaultAtStart) {
  oxr::test::TempDir dir;
  const fs::path link = dir.path() / "port-a";
  PumpSimProcess sim(dir.path() / "out.txt",
                     {"--link", link.string(), "--fault", "late-reply=600", "--quiet"});
  ASSERT_TRUE(wait_for([&] { return fs::is_symlink(link); }, std::chrono::seconds(5)));
  const int fd = open_raw(link);
  ASSERT_GE(fd, 0);
  const auto sent = Clock::now();
  ASSERT_TRUE(write_all(fd, frame('Z', {})));
  EXPECT_EQ(read_bytes(fd, 8, std::chrono::seconds(3)), frame('Z', {1, 0, 7}));
  EXPECT_GE(Clock::now() - sent, std::chrono::milliseconds(600));
  ::close(fd);
  ASSERT_EQ(kill(sim.pid(), SIGINT), 0);
  ASSERT_NE(sim.wait_exit(std::chrono::seconds(5)), -1);
  EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
}

TEST(PumpSimProgram, RefusesBadOptions) {
  oxr::test::TempDir dir;
  for (std::vector<std::string> args : {std::vector<std::string>{},
                                        {"--link", dir.path().string(), "--mode", "5"},
                                        {"--link", dir.path().string(), "--fault", "no-such-fault"},
                                        {"--bogus"}}) {
    PumpSimProcess sim(dir.path() / "out.txt", args);
    const int status = sim.wait_exit(std::chrono::seconds(5));
    ASSERT_NE(status, -1);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2);
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir.path() / "com1")));
  }
}

}  // namespace
}  // namespace oxr::sim::test
