#pragma once
// A serial library with no port behind it: no port is usable, nothing arrives, writes vanish.
// The program runs on it where no serial port driver is built in.
#include "platform/serial_library.h"

namespace oxr::qt {

class NoSerialLibrary final : public SerialLibrary {
 public:
  void open(int) override {}
  void set_buffer_sizes(int, int, int) override {}
  void ComSetState(int, int, int, int, char, int) override {}
  std::uint8_t usable(int) override { return 0; }
  unsigned receive_count(int) override { return 0; }
  void read_byte(int, std::uint8_t* byte) override { *byte = 0; }
  void write_byte(int, std::uint8_t) override {}
  void discard_input(int) override {}
  std::uint8_t present(int) override { return 0; }
  void toggle_first_half(int) override {}
  void toggle_second_half(int) override {}
};

}  // namespace oxr::qt
