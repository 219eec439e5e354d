// The frames on the wire, the checksum test and the duration in 10-second steps.
#include "Tools_oxr/frames.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace oxr::test {
namespace {

std::vector<std::uint8_t> sealed(const std::function<void(TxFrame&)>& build) {
  TxFrame f;
  f.fill(0xEE);  // builders must not rely on a cleared buffer
  build(f);
  EXPECT_TRUE(seal_frame(f));
  return {f.begin(), f.begin() + f[frame::kLength]};
}

TEST(Frames, EveryBuilderGivesItsBytesOnTheWire) {
  struct Case {
    std::string name;
    std::function<void(TxFrame&)> build;
    std::vector<std::uint8_t> bytes;
  };
  const Case cases[] = {
      {"connect request", build_connect_request, {0x41, 0x54, 0x5A, 0x05, 0x0C}},
      {"mode query", build_mode_query, {0x41, 0x54, 0x52, 0x06, 0x4D, 0xC6}},
      {"sign-off", build_sign_off, {0x41, 0x54, 0x51, 0x05, 0x15}},
      {"preheating on",
       [](TxFrame& f) { build_write_preheating(f, 1); },
       {0x41, 0x54, 0x57, 0x07, 0x50, 0x01, 0xBC}},
      {"preheating off",
       [](TxFrame& f) { build_write_preheating(f, 0); },
       {0x41, 0x54, 0x57, 0x07, 0x50, 0x00, 0xBD}},
      {"unit Celsius",
       [](TxFrame& f) { build_write_unit(f, 1); },
       {0x41, 0x54, 0x57, 0x07, 0x55, 0x01, 0xB7}},
      {"unit Fahrenheit",
       [](TxFrame& f) { build_write_unit(f, 0); },
       {0x41, 0x54, 0x57, 0x07, 0x55, 0x00, 0xB8}},
      {"duration 5 steps",
       [](TxFrame& f) { build_write_duration(f, 5); },
       {0x41, 0x54, 0x57, 0x08, 0x54, 0x05, 0x00, 0xB3}},
      {"duration of a day, low byte first",
       [](TxFrame& f) { build_write_duration(f, 8641); },
       {0x41, 0x54, 0x57, 0x08, 0x54, 0xC1, 0x21, 0xD6}},
      {"set temperatures 85.0 and 60.0",
       [](TxFrame& f) { build_write_set_temps(f, 850, 600); },
       {0x41, 0x54, 0x57, 0x0A, 0x44, 0x52, 0x03, 0x58, 0x02, 0x17}},
      {"negative set temperatures in two's complement",
       [](TxFrame& f) { build_write_set_temps(f, -105, -1); },
       {0x41, 0x54, 0x57, 0x0A, 0x44, 0x97, 0xFF, 0xFF, 0xFF, 0x32}},
      {"hystereses 1.0 and 3.0",
       [](TxFrame& f) { build_write_hysteresis(f, 10, 30); },
       {0x41, 0x54, 0x57, 0x0A, 0x48, 0x0A, 0x00, 0x1E, 0x00, 0x9A}},
      {"switch on",
       [](TxFrame& f) { build_write_operation(f, kOperationOn); },
       {0x41, 0x54, 0x57, 0x07, 0x4F, 0x02, 0xBC}},
      {"switch off",
       [](TxFrame& f) { build_write_operation(f, kOperationOff); },
       {0x41, 0x54, 0x57, 0x07, 0x4F, 0x00, 0xBE}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(sealed(c.build), c.bytes);
  }
}

TEST(Frames, ChecksumTestFollowsTheLengthByteAndStaysInsideTheBuffer) {
  struct Case {
    std::string name;
    std::vector<std::uint8_t> bytes;
    bool ok;
  };
  const Case cases[] = {
      {"connect reply", {0x41, 0x54, 0x5A, 0x08, 0x00, 0x00, 0x07, 0x02}, true},
      {"a byte changed", {0x41, 0x54, 0x5A, 0x08, 0x00, 0x01, 0x07, 0x02}, false},
      {"a full buffer",
       {0x41, 0x54, 0x4D, 0x0F, 0, 0, 4, 0xD2, 0x04, 0x37, 0x02, 0, 0, 0, 0xFC},
       true},
      // Lengths that are no frame: checked against zeros or garbage, never indexed outside.
      {"length 0", {0x41, 0x54, 0x5A, 0x00}, false},
      {"length 1 with a zero sum", {0x00, 0x00, 0x00, 0x01}, false},
      {"length 4", {0x41, 0x54, 0x5A, 0x04}, false},
      {"length 16", {0x41, 0x54, 0x5A, 0x10}, false},
      {"length 255", {0x41, 0x54, 0x5A, 0xFF}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RxFrame rx{};
    std::copy(c.bytes.begin(), c.bytes.end(), rx.begin());
    EXPECT_EQ(checksum_ok(rx), c.ok);
  }
}

TEST(Frames, SealingRefusesALengthTheBufferCannotHold) {
  TxFrame f{};
  f.fill(0x11);
  f[frame::kLength] = 11;
  EXPECT_FALSE(seal_frame(f));
  TxFrame expected{};
  expected.fill(0x11);
  expected[frame::kLength] = 11;
  EXPECT_EQ(f, expected);
}

TEST(Frames, DurationInTenSecondSteps) {
  // Durations as the time texts give them: seconds over the seconds of a day.
  const auto secs = [](double n) { return n / 86400.0; };
  struct Case {
    std::string name;
    DateTime duration;
    std::uint16_t ticks;
  };
  const Case cases[] = {
      {"1 s", secs(1), 1},
      {"15 s", secs(15), 2},
      {"50 s gives 5, not 6", secs(50), 5},
      {"54 s", secs(54), 5},
      {"55 s", secs(55), 6},
      // Truncated, not rounded: an exact quotient gets one step more, one a hair low does not.
      {"60 s, quotient exactly 6", secs(60), 7},
      {"100 s, quotient a hair below 10", secs(100), 10},
      {"39 min 30 s left of a cycle", 9.0 / 24.0 - secs(8 * 3600 + 20 * 60 + 30), 238},
      {"a whole day", 1.0, 8641},
      {"negative", -secs(100), 0},
      {"beyond 16 bits", 10.0, 65535},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(duration_to_ticks(c.duration), c.ticks);
  }
}

TEST(Frames, MeasurementFieldsAreReadLowByteFirst) {
  RxFrame rx{};
  const std::vector<std::uint8_t> bytes = {0x41, 0x54, 0x4D, 0x0E, 0x00, 12,  4,
                                           0xD2, 0x04, 0x37, 0x02, 0x2C, 0x01};
  std::copy(bytes.begin(), bytes.end(), rx.begin());
  const MeasurementFields m = read_measurement(rx);
  EXPECT_EQ(m.error_pump, 12);
  EXPECT_EQ(m.state, 4);
  EXPECT_EQ(m.raw_temp1, 1234);
  EXPECT_EQ(m.raw_temp2, 567);
  EXPECT_EQ(m.sample_no, 300);
}

}  // namespace
}  // namespace oxr::test
