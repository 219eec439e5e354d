// QtSerialLibrary over a real pseudo-terminal: the test holds the far end (the controller's
// side) and links the near end into a temporary folder as com1.
#include "V_1_0_serie/qt/qt_serial_library.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "tests/V_1_0_serie/qt_app.h"
#include "tests/support/temp_dir.h"

namespace oxr::test {
namespace {

using namespace std::chrono_literals;

class PtyFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ensure_application();
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master_, 0);
    ASSERT_EQ(grantpt(master_), 0);
    ASSERT_EQ(unlockpt(master_), 0);
    slave_name_ = ptsname(master_);
    std::filesystem::create_symlink(slave_name_, dir_.path() / "com1");
  }
  void TearDown() override { close_far_end(); }

  void close_far_end() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

  void far_end_writes(const std::vector<std::uint8_t>& bytes) {
    ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  // What the far end received within a second.
  std::vector<std::uint8_t> far_end_reads(std::size_t want) {
    std::vector<std::uint8_t> got;
    const auto deadline = std::chrono::steady_clock::now() + 1s;
    while (got.size() < want && std::chrono::steady_clock::now() < deadline) {
      pollfd pfd{master_, POLLIN, 0};
      if (::poll(&pfd, 1, 20) <= 0) continue;
      std::uint8_t buf[64];
      const ssize_t n = ::read(master_, buf, sizeof buf);
      if (n > 0) got.insert(got.end(), buf, buf + n);
    }
    return got;
  }

  // Polls the receive count as the frame reader does, for at most a second.
  static unsigned wait_for_count(QtSerialLibrary& lib, unsigned want) {
    const auto deadline = std::chrono::steady_clock::now() + 1s;
    unsigned n = 0;
    while ((n = lib.receive_count(0)) < want && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(1ms);
    }
    return n;
  }

  void set_up_port(QtSerialLibrary& lib) {
    lib.open(0);
    lib.set_buffer_sizes(0, 4096, 4096);
    lib.ComSetState(0, 9600, 8, 1, 'N', 0);
  }

  TempDir dir_;
  int master_ = -1;
  std::string slave_name_;
};

TEST_F(PtyFixture, ComPortsMapToTheLinkInTheFolderElseTheSystemDevice) {
  QtSerialLibrary lib(QString::fromStdString(dir_.path().string()));
  EXPECT_EQ(lib.device_for(0).toStdString(), std::filesystem::canonical(slave_name_).string());
#ifndef Q_OS_WIN
  EXPECT_EQ(lib.device_for(1).toStdString(), "/dev/ttyS1");
  EXPECT_EQ(lib.device_for(3).toStdString(), "/dev/ttyS3");
#endif
}

TEST_F(PtyFixture, BytesTravelBothWaysAndTheToggleKeepsThePortHealthy) {
  QtSerialLibrary lib(QString::fromStdString(dir_.path().string()));
  set_up_port(lib);
  ASSERT_EQ(lib.usable(0), 1);
  EXPECT_EQ(lib.present(0), 1);  // a pseudo-terminal has no modem lines
  EXPECT_EQ(lib.receive_count(0), 0u);

  // Arriving bytes are seen by the receive count without any event loop running.
  const std::vector<std::uint8_t> reply = {0x41, 0x54, 0x5A, 0x07, 0x00, 0x00, 0x07, 0xFF};
  far_end_writes(reply);
  ASSERT_EQ(wait_for_count(lib, reply.size()), reply.size());
  std::vector<std::uint8_t> read;
  for (std::size_t i = 0; i < reply.size(); ++i) {
    std::uint8_t b = 0xEE;
    lib.read_byte(0, &b);
    read.push_back(b);
  }
  EXPECT_EQ(read, reply);
  EXPECT_EQ(lib.receive_count(0), 0u);

  const std::vector<std::uint8_t> request = {0x41, 0x54, 0x5A, 0x05, 0x0C};
  for (std::uint8_t b : request) lib.write_byte(0, b);
  EXPECT_EQ(far_end_reads(request.size()), request);

  for (int i = 0; i < 3; ++i) {
    lib.toggle_first_half(0);
    lib.toggle_second_half(0);
  }
  EXPECT_EQ(lib.present(0), 1);

  far_end_writes({1, 2, 3});
  ASSERT_EQ(wait_for_count(lib, 3), 3u);
  lib.discard_input(0);
  EXPECT_EQ(lib.receive_count(0), 0u);
}

TEST_F(PtyFixture, PresenceDropsForGoodWhenTheFarEndCloses) {
  QtSerialLibrary lib(QString::fromStdString(dir_.path().string()));
  set_up_port(lib);
  ASSERT_EQ(lib.present(0), 1);
  close_far_end();
  std::uint8_t presence = 1;
  const auto deadline = std::chrono::steady_clock::now() + 1s;
  while ((presence = lib.present(0)) != 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(5ms);
  }
  EXPECT_EQ(presence, 0);
  EXPECT_EQ(lib.receive_count(0), 0u);
  EXPECT_THROW(lib.write_byte(0, 0x41), SerialError);
  // A set-up again tries the device afresh; its far end is gone, so it is not usable.
  lib.open(0);
  EXPECT_EQ(lib.usable(0), 0);
  EXPECT_EQ(lib.present(0), 0);
}

TEST_F(PtyFixture, APortThatCannotBeOpenedIsNotUsableAndNeverCrashes) {
  std::filesystem::create_symlink(dir_.path() / "no-such-device", dir_.path() / "com3");
  QtSerialLibrary lib(QString::fromStdString(dir_.path().string()));
  lib.open(2);
  lib.set_buffer_sizes(2, 4096, 4096);
  EXPECT_NO_THROW(lib.ComSetState(2, 9600, 8, 1, 'N', 0));
  EXPECT_EQ(lib.usable(2), 0);
  EXPECT_EQ(lib.receive_count(2), 0u);
  std::uint8_t b = 0xEE;
  lib.read_byte(2, &b);
  EXPECT_EQ(b, 0);
  EXPECT_EQ(lib.present(2), 0);
  EXPECT_NO_THROW(lib.toggle_first_half(2));
  EXPECT_NO_THROW(lib.discard_input(2));
  EXPECT_THROW(lib.write_byte(2, 0x41), SerialError);
  // Ports outside COM1..COM4 are never usable either.
  lib.open(7);
  EXPECT_EQ(lib.usable(7), 0);
}

}  // namespace
}  // namespace oxr::test
