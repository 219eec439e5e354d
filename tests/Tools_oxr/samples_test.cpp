#include "Tools_oxr/samples.h"

#include <gtest/gtest.h>

#include <memory>

namespace oxr {
namespace {

TEST(SampleBuffer, StoresAtTheSampleNumberAndNeverPastTheBuffer) {
  auto buffer = std::make_unique<SampleBuffer>();
  MeasurementSample s{123, 56, 8643, 46022, 0.5, "OK", "ON"};
  EXPECT_TRUE(buffer->store(s));
  EXPECT_EQ((*buffer)[8643], s);

  for (std::uint16_t no : {std::uint16_t{8644}, std::uint16_t{65535}}) {
    s.sample_no = no;
    EXPECT_FALSE(buffer->store(s)) << no;
  }
  EXPECT_EQ((*buffer)[8643].sample_no, 8643);
  EXPECT_EQ((*buffer)[0], blank_sample);

  buffer->clear();
  for (const auto& entry : buffer->entries) ASSERT_EQ(entry, blank_sample);
  EXPECT_EQ(blank_sample.sample_date, 0.0);
  EXPECT_TRUE(blank_sample.sample_status.empty() && blank_sample.pump_text.empty());
}

}  // namespace
}  // namespace oxr
