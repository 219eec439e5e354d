#pragma once
// The eleven roles of the serial library. Every call takes the port number 0..3 first.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace oxr {

class SerialError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class SerialLibrary {
 public:
  virtual ~SerialLibrary() = default;
  virtual void open(int port) = 0;                                  // ordinal 1
  virtual void set_buffer_sizes(int port, int rx, int tx) = 0;      // ordinal 109
  // ordinal 4; may throw SerialError
  virtual void ComSetState(int port, int baud, int data_bits, int stop_bits, char parity,
                           int flow) = 0;
  virtual std::uint8_t usable(int port) = 0;                        // ordinal 45, nonzero = usable
  virtual unsigned receive_count(int port) = 0;                     // ordinal 21
  virtual void read_byte(int port, std::uint8_t* byte) = 0;         // ordinal 17
  virtual void write_byte(int port, std::uint8_t byte) = 0;         // ordinal 18; may throw
  virtual void discard_input(int port) = 0;                         // ordinal 22
  virtual std::uint8_t present(int port) = 0;                       // ordinal 133, 0 = gone
  virtual void toggle_first_half(int port) = 0;                     // ordinal 34
  virtual void toggle_second_half(int port) = 0;                    // ordinal 32
};

}  // namespace oxr
