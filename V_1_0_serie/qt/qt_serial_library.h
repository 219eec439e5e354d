#pragma once
// The serial library's eleven roles over QSerialPort.
//
// COMn (port n-1) opens, in this order: a device link `comn` (lower case) in the device folder
// (the working directory), the way Wine maps COM ports and how a USB adapter or the simulator
// is attached; else /dev/ttyS{n-1} on Linux, COMn on Windows. A port that cannot be opened is
// not usable; no call on it fails except a byte write.
//
// Sign of life: the two toggle halves raise and drop DTR. Presence: the controller's ready
// line, DSR or CTS. A device without modem lines (a pseudo-terminal) is present while it is
// open and healthy; once a read reports the device gone it is absent for good.
#include <QSerialPort>
#include <QString>
#include <array>
#include <memory>

#include "platform/serial_library.h"

namespace oxr {

class QtSerialLibrary final : public SerialLibrary {
 public:
  // `device_folder` is where the links com1..com4 are looked for; empty = the working
  // directory at the moment a port is opened.
  explicit QtSerialLibrary(QString device_folder = QString());
  ~QtSerialLibrary() override;
  QtSerialLibrary(const QtSerialLibrary&) = delete;
  QtSerialLibrary& operator=(const QtSerialLibrary&) = delete;

  // The device COM(port+1) opens.
  QString device_for(int port) const;

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
    std::unique_ptr<QSerialPort> serial;
    bool modem_lines = false;  // the device answers the modem-line query
    bool gone = false;         // a read reported the device gone
  };
  // The port when it is open and its device has not gone; else nullptr.
  Port* live(int port);
  // Takes in what has arrived, without blocking, and notes a device that has gone.
  void pull(Port& p);
  // Clears an error that is no fault; marks the port gone on a read or resource error.
  void settle_error(Port& p);

  QString device_folder_;
  std::array<Port, 4> ports_;
};

}  // namespace oxr
