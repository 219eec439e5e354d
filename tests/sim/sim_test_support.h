#pragma once
// The PC's end of the line for the simulator's tests: a frame encoder of the test's own (so
// the simulator's frame code is checked against something it does not share), and a port on
// a manual clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "platform/clock.h"
#include "sim/simulated_serial_library.h"

namespace oxr::sim::test {

using Bytes = std::vector<std::uint8_t>;

// 'A' 'T' letter length payload + checksum; the length byte is counted here.
inline Bytes frame(std::uint8_t letter, std::initializer_list<std::uint8_t> payload) {
  Bytes f;
  f.reserve(payload.size() + 5);
  for (std::uint8_t b : {std::uint8_t{'A'}, std::uint8_t{'T'}, letter,
                         static_cast<std::uint8_t>(payload.size() + 5)}) {
    f.push_back(b);
  }
  for (std::uint8_t b : payload) f.push_back(b);
  int sum = 0;
  for (auto b : f) sum += b;
  f.push_back(static_cast<std::uint8_t>((256 - sum % 256) % 256));
  return f;
}

inline bool sums_to_zero(const Bytes& f) {
  int sum = 0;
  for (auto b : f) sum += b;
  return sum % 256 == 0;
}

inline std::uint16_t u16(const Bytes& f, std::size_t at) {
  return static_cast<std::uint16_t>(f.at(at) | (f.at(at + 1) << 8));
}

// Cuts a received byte stream into frames by their length bytes; anything that is not a frame
// start is returned in junk.
inline std::vector<Bytes> split_frames(const Bytes& stream, Bytes* junk = nullptr) {
  std::vector<Bytes> frames;
  std::size_t i = 0;
  while (i < stream.size()) {
    if (stream[i] == 'A' && i + 3 < stream.size() && stream[i + 1] == 'T' && stream[i + 3] >= 5 &&
        i + stream[i + 3] <= stream.size()) {
      frames.emplace_back(stream.begin() + static_cast<std::ptrdiff_t>(i),
                          stream.begin() + static_cast<std::ptrdiff_t>(i + stream[i + 3]));
      i += stream[i + 3];
    } else {
      if (junk) junk->push_back(stream[i]);
      ++i;
    }
  }
  return frames;
}

// COM1 opened and set up as the program does it, on a manual clock.
struct Line {
  ManualClock clock;
  SimulatedSerialLibrary lib;
  bool dtr = false;

  explicit Line(ControllerConfig config = {}) : lib(clock, config) {
    lib.open(0);
    lib.set_buffer_sizes(0, 4096, 4096);
    lib.ComSetState(0, 9600, 8, 1, 'N', 0);
  }

  PumpController& controller() { return lib.controller(0); }

  void send(const Bytes& f) {
    for (auto b : f) lib.write_byte(0, b);
  }

  Bytes read_all() {
    Bytes out;
    for (unsigned n = lib.receive_count(0); n > 0; --n) {
      std::uint8_t b = 0;
      lib.read_byte(0, &b);
      out.push_back(b);
    }
    return out;
  }

  // The way the PC's reply reader looks: send, 200 ms later read what is there.
  Bytes exchange(const Bytes& f, std::int64_t wait_ms = 200) {
    send(f);
    clock.advance_ms(wait_ms);
    return read_all();
  }

  // The PC's one-second sign of life, alternating the two halves.
  void toggle() {
    if (dtr) {
      lib.toggle_second_half(0);
    } else {
      lib.toggle_first_half(0);
    }
    dtr = !dtr;
  }

  // Lets time pass in one-second ticks with the sign of life going, collecting what arrives.
  Bytes run_for(std::int64_t ms, bool with_sign_of_life = true) {
    Bytes got;
    for (std::int64_t t = 0; t < ms; t += 1000) {
      clock.advance_ms(std::min<std::int64_t>(1000, ms - t));
      if (with_sign_of_life) toggle();
      const Bytes b = read_all();
      got.insert(got.end(), b.begin(), b.end());
    }
    return got;
  }

  // Connect, then the start sequence as the PC sends it, ending with the switch-on.
  void start_run(std::uint16_t steps, std::int16_t set1 = 850, std::int16_t set2 = 600,
                 std::int16_t hyst1 = 10, std::int16_t hyst2 = 20, bool preheat = false) {
    const auto lo = [](int v) { return static_cast<std::uint8_t>(v & 0xFF); };
    const auto hi = [](int v) { return static_cast<std::uint8_t>((v >> 8) & 0xFF); };
    const std::vector<Bytes> sequence = {
        frame('Z', {}),
        frame('W', {'O', 0}),
        frame('W', {'P', static_cast<std::uint8_t>(preheat)}),
        frame('W', {'U', 1}),
        frame('W', {'T', lo(steps), hi(steps)}),
        frame('W', {'D', lo(set1), hi(set1), lo(set2), hi(set2)}),
        frame('W', {'H', lo(hyst1), hi(hyst1), lo(hyst2), hi(hyst2)}),
    };
    for (const auto& f : sequence) {
      const auto replies = split_frames(exchange(f));
      ASSERT_EQ(replies.size(), 1u);
    }
    toggle();
    const auto on = split_frames(exchange(frame('W', {'O', 2})));
    ASSERT_GE(on.size(), 1u);
    ASSERT_EQ(on[0].at(6), 4) << "switch-on acknowledged with state 4";
    pending = Bytes();
    for (std::size_t i = 1; i < on.size(); ++i)
      pending.insert(pending.end(), on[i].begin(), on[i].end());
  }

  // Frames that came in with the switch-on acknowledgement (sample 0 follows right behind it).
  Bytes pending;
};

}  // namespace oxr::sim::test
