#pragma once
// The serial library in-process, with the simulated controller at the far end of COM1.
// It runs on the window's clock: every call first lets the controller catch up to
// clock.monotonic_ms(), so on a manual clock a test decides exactly when bytes arrive.
// Other ports are absent (not usable, never present) unless a test attaches a controller.
#include <array>
#include <cstdint>
#include <deque>
#include <memory>

#include "platform/clock.h"
#include "platform/serial_library.h"
#include "sim/pump_controller.h"

namespace oxr::sim {

// What the PC did with one port, for tests.
struct PortCalls {
  unsigned opens = 0;
  unsigned buffer_size_calls = 0;
  int rx_buffer = 4096;
  int tx_buffer = 4096;
  unsigned set_state_calls = 0;
  int baud = 0, data_bits = 0, stop_bits = 0, flow = -1;
  char parity = 0;
  unsigned bytes_written = 0;
  unsigned bytes_read = 0;
  unsigned empty_reads = 0;  // read_byte with nothing waiting
  unsigned discards = 0;
  unsigned bytes_discarded = 0;
  unsigned overflowed = 0;  // bytes dropped on a full receive buffer
  unsigned presence_calls = 0;
  unsigned toggle_first_calls = 0;   // ordinal 34
  unsigned toggle_second_calls = 0;  // ordinal 32
};

class SimulatedSerialLibrary final : public SerialLibrary {
 public:
  static constexpr int kPorts = 4;

  // COM1 gets a controller with this configuration.
  explicit SimulatedSerialLibrary(const Clock& clock, ControllerConfig com1 = {});

  // The controller at the far end of a port (0 = COM1); the port must have one.
  PumpController& controller(int port = 0);
  bool attached(int port) const;
  // Puts a fresh controller at the far end of a port (replacing one that was there).
  PumpController& attach(int port, ControllerConfig config = {});
  // Takes the controller away: the port becomes absent.
  void detach(int port);

  const PortCalls& calls(int port) const;
  // Bytes received and not yet read, without letting time move.
  std::size_t waiting(int port) const;
  // The sign-of-life line as the PC last set it.
  bool sign_of_life_level(int port) const;

  // SerialLibrary
  void open(int port) override;
  void set_buffer_sizes(int port, int rx, int tx) override;
  void ComSetState(int port, int baud, int data_bits, int stop_bits, char parity,
                   int flow) override;
  std::uint8_t usable(int port) override;
  unsigned receive_count(int port) override;
  void read_byte(int port, std::uint8_t* byte) override;
  void write_byte(int port, std::uint8_t byte) override;
  void discard_input(int port) override;
  std::uint8_t present(int port) override;
  void toggle_first_half(int port) override;
  void toggle_second_half(int port) override;

 private:
  struct Port {
    std::unique_ptr<PumpController> controller;
    bool open = false;
    bool line_settings_ok = false;  // 9600 8N1 set with ComSetState
    bool dtr = false;
    std::deque<std::uint8_t> rx;
    PortCalls calls;
  };

  Port* port_at(int port);
  const Port* port_at(int port) const;
  // Lets the port's controller catch up and moves what has arrived into the receive buffer.
  void sync(Port& p);
  void set_dtr(Port& p, bool level);

  const Clock& clock_;
  std::array<Port, kPorts> ports_;
  PortCalls no_calls_;
};

}  // namespace oxr::sim
