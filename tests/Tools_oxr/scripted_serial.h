#pragma once
// A serial library for window-logic tests: bytes arrive on the manual clock as scripted,
// every call is recorded, and each poll of the receive count may take a little time, as it
// does on a real machine.
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/serial_library.h"

namespace oxr::test {

// The frame with its checksum appended, computed here on its own: all bytes add up to 0.
inline std::vector<std::uint8_t> with_checksum(std::vector<std::uint8_t> bytes) {
  unsigned sum = 0;
  for (std::uint8_t b : bytes) sum += b;
  bytes.push_back(static_cast<std::uint8_t>((256 - sum % 256) % 256));
  return bytes;
}

class ScriptedSerial : public SerialLibrary {
 public:
  struct Written {
    std::int64_t at_ms;
    std::vector<std::uint8_t> bytes;
  };

  explicit ScriptedSerial(ManualClock& clock) : clock_(clock) {}

  // Bytes that arrive on `port` `delay_ms` from now.
  void arrive(const std::vector<std::uint8_t>& bytes, std::int64_t delay_ms = 0, int port = 0) {
    for (std::uint8_t b : bytes) queue_[port].push_back({clock_.monotonic_ms() + delay_ms, b});
  }
  // Bytes that have arrived and wait to be read.
  unsigned waiting(int port = 0) const {
    unsigned n = 0;
    for (const Pending& p : queue_[port]) {
      if (p.at_ms <= clock_.monotonic_ms()) ++n;
    }
    return n;
  }

  std::array<bool, 4> port_usable{true, false, false, false};
  bool set_state_throws = false;
  bool writes_throw = false;
  std::uint8_t presence = 1;
  // How long one poll of the receive count takes, in microseconds of the manual clock.
  int poll_cost_us = 0;
  // Called with each complete frame written (by its length byte), to script a reply.
  std::function<void(const std::vector<std::uint8_t>&)> on_frame;

  std::vector<std::string> calls;  // every call but the byte-level ones, in order
  std::vector<Written> frames;     // frames written, with the time they went out
  int receive_count_calls = 0;
  int read_byte_calls = 0;

  void open(int port) override { calls.push_back("open " + std::to_string(port)); }
  void set_buffer_sizes(int port, int rx, int tx) override {
    calls.push_back("buffers " + std::to_string(port) + " " + std::to_string(rx) + " " +
                    std::to_string(tx));
  }
  void ComSetState(int port, int baud, int data_bits, int stop_bits, char parity,
                   int flow) override {
    calls.push_back("state " + std::to_string(port) + " " + std::to_string(baud) + " " +
                    std::to_string(data_bits) + " " + std::to_string(stop_bits) + " " + parity +
                    " " + std::to_string(flow));
    if (set_state_throws) throw SerialError("line set-up refused");
  }
  std::uint8_t usable(int port) override {
    calls.push_back("usable " + std::to_string(port));
    return port_usable.at(port) ? 1 : 0;
  }
  unsigned receive_count(int port) override {
    ++receive_count_calls;
    poll_us_ += poll_cost_us;
    if (poll_us_ >= 1000) {
      clock_.advance_ms(poll_us_ / 1000);
      poll_us_ %= 1000;
    }
    return waiting(port);
  }
  void read_byte(int port, std::uint8_t* byte) override {
    ++read_byte_calls;
    *byte = 0;
    auto& q = queue_[port];
    if (!q.empty() && q.front().at_ms <= clock_.monotonic_ms()) {
      *byte = q.front().byte;
      q.pop_front();
    }
  }
  void write_byte(int, std::uint8_t byte) override {
    if (writes_throw) throw SerialError("byte not written");
    out_.push_back(byte);
    if (out_.size() >= 4 && out_.size() >= out_[3]) {
      const std::vector<std::uint8_t> frame = out_;
      out_.clear();
      frames.push_back({clock_.monotonic_ms(), frame});
      if (on_frame) on_frame(frame);
    }
  }
  void discard_input(int port) override {
    calls.push_back("discard " + std::to_string(port));
    auto& q = queue_[port];
    while (!q.empty() && q.front().at_ms <= clock_.monotonic_ms()) q.pop_front();
  }
  std::uint8_t present(int) override { return presence; }
  void toggle_first_half(int port) override {
    toggles.push_back({clock_.monotonic_ms(), 34, port});
  }
  void toggle_second_half(int port) override {
    toggles.push_back({clock_.monotonic_ms(), 32, port});
  }

  struct Toggle {
    std::int64_t at_ms;
    int ordinal;
    int port;
    bool operator==(const Toggle&) const = default;
  };
  std::vector<Toggle> toggles;

 private:
  struct Pending {
    std::int64_t at_ms;
    std::uint8_t byte;
  };
  ManualClock& clock_;
  std::array<std::deque<Pending>, 4> queue_;
  std::vector<std::uint8_t> out_;
  int poll_us_ = 0;
};

}  // namespace oxr::test
