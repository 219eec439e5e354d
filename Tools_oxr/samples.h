#pragma once
// The measured values of one cycle: one sample per 10-second step, held at the number the
// controller gave it. 24 hours are 8640 steps; the buffer has room for a few more.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/clock.h"

namespace oxr {

inline constexpr int kSampleCount = 8644;

struct MeasurementSample {
  std::int16_t temp1 = 0;  // whole degrees Celsius (controller tenths div 10)
  std::int16_t temp2 = 0;  // stored whatever the operating mode
  std::uint16_t sample_no = 0;
  DateTime sample_date = 0;   // whole day
  DateTime sample_time = 0;   // time of day
  std::string sample_status;  // "OK", "E01".."E05", an end word, or empty
  std::string pump_text;      // "ON" or "OFF"

  bool operator==(const MeasurementSample&) const = default;
};

// All numbers 0, both dates 30 December 1899, empty texts.
inline const MeasurementSample blank_sample{};

struct SampleBuffer {
  std::array<MeasurementSample, kSampleCount> entries{};

  static constexpr bool holds(std::size_t index) { return index < kSampleCount; }

  MeasurementSample& operator[](std::size_t index) { return entries[index]; }
  const MeasurementSample& operator[](std::size_t index) const { return entries[index]; }

  // Puts the sample at its own number. A number past the buffer stores nothing and
  // returns false: a noisy frame must not write outside the buffer.
  bool store(const MeasurementSample& sample) {
    if (!holds(sample.sample_no)) return false;
    entries[sample.sample_no] = sample;
    return true;
  }

  // Every entry becomes the blank sample (after a run has been written out, before a new one).
  void clear() { entries.fill(blank_sample); }
};

}  // namespace oxr
