#include "sim/simulated_serial_library.h"

#include <stdexcept>

namespace oxr::sim {

namespace {
// What a wrong baud rate or frame format makes of a byte: something else entirely.
constexpr std::uint8_t kMismatchNoise = 0x5A;
}  // namespace

SimulatedSerialLibrary::SimulatedSerialLibrary(const Clock& clock, ControllerConfig com1)
    : clock_(clock) {
  attach(0, com1);
}

SimulatedSerialLibrary::Port* SimulatedSerialLibrary::port_at(int port) {
  return port >= 0 && port < kPorts ? &ports_[static_cast<std::size_t>(port)] : nullptr;
}

const SimulatedSerialLibrary::Port* SimulatedSerialLibrary::port_at(int port) const {
  return port >= 0 && port < kPorts ? &ports_[static_cast<std::size_t>(port)] : nullptr;
}

PumpController& SimulatedSerialLibrary::controller(int port) {
  Port* p = port_at(port);
  if (!p || !p->controller) throw std::logic_error("no simulated controller on this port");
  return *p->controller;
}

bool SimulatedSerialLibrary::attached(int port) const {
  const Port* p = port_at(port);
  return p && p->controller;
}

PumpController& SimulatedSerialLibrary::attach(int port, ControllerConfig config) {
  Port* p = port_at(port);
  if (!p) throw std::out_of_range("port number outside 0..3");
  p->controller = std::make_unique<PumpController>(config, clock_.monotonic_ms());
  p->rx.clear();
  return *p->controller;
}

void SimulatedSerialLibrary::detach(int port) {
  if (Port* p = port_at(port)) {
    p->controller.reset();
    p->rx.clear();
  }
}

const PortCalls& SimulatedSerialLibrary::calls(int port) const {
  const Port* p = port_at(port);
  return p ? p->calls : no_calls_;
}

std::size_t SimulatedSerialLibrary::waiting(int port) const {
  const Port* p = port_at(port);
  return p ? p->rx.size() : 0;
}

bool SimulatedSerialLibrary::sign_of_life_level(int port) const {
  const Port* p = port_at(port);
  return p && p->dtr;
}

void SimulatedSerialLibrary::sync(Port& p) {
  if (!p.controller) return;
  Bytes arrived;
  p.controller->take_arrived(clock_.monotonic_ms(), arrived);
  if (!p.open) return;  // nobody listens on a closed port
  for (std::uint8_t b : arrived) {
    if (p.rx.size() >= static_cast<std::size_t>(p.calls.rx_buffer)) {
      ++p.calls.overflowed;
      continue;
    }
    p.rx.push_back(p.line_settings_ok ? b : static_cast<std::uint8_t>(b ^ kMismatchNoise));
  }
}

void SimulatedSerialLibrary::open(int port) {
  Port* p = port_at(port);
  if (!p) return;
  ++p->calls.opens;
  if (!p->controller) return;
  sync(*p);
  p->open = true;
}

void SimulatedSerialLibrary::set_buffer_sizes(int port, int rx, int tx) {
  Port* p = port_at(port);
  if (!p) return;
  ++p->calls.buffer_size_calls;
  p->calls.rx_buffer = rx > 0 ? rx : 1;
  p->calls.tx_buffer = tx;
}

void SimulatedSerialLibrary::ComSetState(int port, int baud, int data_bits, int stop_bits,
                                         char parity, int flow) {
  Port* p = port_at(port);
  if (!p) return;
  auto& c = p->calls;
  ++c.set_state_calls;
  c.baud = baud;
  c.data_bits = data_bits;
  c.stop_bits = stop_bits;
  c.parity = parity;
  c.flow = flow;
  if (p->controller && p->controller->fault_active(Fault::SetStateFails)) {
    throw SerialError("ComSetState failed");
  }
  p->line_settings_ok = baud == 9600 && data_bits == 8 && stop_bits == 1 && parity == 'N';
}

std::uint8_t SimulatedSerialLibrary::usable(int port) {
  Port* p = port_at(port);
  return p && p->controller && p->open ? 1 : 0;
}

unsigned SimulatedSerialLibrary::receive_count(int port) {
  Port* p = port_at(port);
  if (!p) return 0;
  sync(*p);
  return static_cast<unsigned>(p->rx.size());
}

void SimulatedSerialLibrary::read_byte(int port, std::uint8_t* byte) {
  Port* p = port_at(port);
  if (!p) return;
  sync(*p);
  if (p->rx.empty()) {
    ++p->calls.empty_reads;
    if (byte) *byte = 0;
    return;
  }
  ++p->calls.bytes_read;
  if (byte) *byte = p->rx.front();
  p->rx.pop_front();
}

void SimulatedSerialLibrary::write_byte(int port, std::uint8_t byte) {
  Port* p = port_at(port);
  if (!p) return;
  if (!p->controller || !p->open) return;
  sync(*p);
  if (p->controller->fault_active(Fault::WriteFails)) throw SerialError("write failed");
  ++p->calls.bytes_written;
  p->controller->line_in(
      p->line_settings_ok ? byte : static_cast<std::uint8_t>(byte ^ kMismatchNoise),
      clock_.monotonic_ms());
}

void SimulatedSerialLibrary::discard_input(int port) {
  Port* p = port_at(port);
  if (!p) return;
  sync(*p);
  ++p->calls.discards;
  p->calls.bytes_discarded += static_cast<unsigned>(p->rx.size());
  p->rx.clear();
}

std::uint8_t SimulatedSerialLibrary::present(int port) {
  Port* p = port_at(port);
  if (!p) return 0;
  ++p->calls.presence_calls;
  if (!p->controller || !p->open) return 0;
  sync(*p);
  return p->controller->fault_active(Fault::LineDown) ? 0 : 1;
}

void SimulatedSerialLibrary::set_dtr(Port& p, bool level) {
  if (!p.controller || !p.open) return;
  sync(p);
  if (p.dtr == level) return;  // only a change of the line is a sign of life
  p.dtr = level;
  if (!p.controller->fault_active(Fault::LineDown))
    p.controller->sign_of_life(clock_.monotonic_ms());
}

void SimulatedSerialLibrary::toggle_first_half(int port) {
  Port* p = port_at(port);
  if (!p) return;
  ++p->calls.toggle_first_calls;
  set_dtr(*p, true);
}

void SimulatedSerialLibrary::toggle_second_half(int port) {
  Port* p = port_at(port);
  if (!p) return;
  ++p->calls.toggle_second_calls;
  set_dtr(*p, false);
}

}  // namespace oxr::sim
