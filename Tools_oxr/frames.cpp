#include "Tools_oxr/frames.h"

#include <cmath>

namespace oxr {

namespace {

void put_header(TxFrame& f, std::uint8_t command, std::uint8_t length) {
  f[frame::kStartA] = frame::kA;
  f[frame::kStartT] = frame::kT;
  f[frame::kCommand] = command;
  f[frame::kLength] = length;
}

void put_write(TxFrame& f, std::uint8_t sub_letter, std::uint8_t length) {
  put_header(f, 'W', length);
  f[frame::kSubLetter] = sub_letter;
}

bool length_fits(std::size_t n, std::size_t buffer_size) {
  return n >= frame::kMinLength && n <= buffer_size;
}

}  // namespace

std::uint8_t frame_checksum(const std::uint8_t* bytes, std::size_t count) {
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i < count; ++i) sum = static_cast<std::uint8_t>(sum + bytes[i]);
  return static_cast<std::uint8_t>(0x100 - sum);
}

bool seal_frame(std::uint8_t* f, std::size_t buffer_size) {
  const std::size_t n = f[frame::kLength];
  if (!length_fits(n, buffer_size)) return false;
  f[n - 1] = frame_checksum(f, n - 1);
  return true;
}

bool checksum_ok(const std::uint8_t* f, std::size_t buffer_size) {
  const std::size_t n = f[frame::kLength];
  if (!length_fits(n, buffer_size)) return false;
  return f[n - 1] == frame_checksum(f, n - 1);
}

void put_u16(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value & 0xFF);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

void put_i16(std::uint8_t* at, std::int16_t value) {
  put_u16(at, static_cast<std::uint16_t>(value));
}

std::uint16_t get_u16(const std::uint8_t* at) {
  return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

void build_connect_request(TxFrame& f) {
  put_header(f, 'Z', 5);
}

void build_mode_query(TxFrame& f) {
  put_header(f, 'R', 6);
  f[frame::kSubLetter] = 'M';
}

void build_sign_off(TxFrame& f) {
  put_header(f, 'Q', 5);
}

void build_write_preheating(TxFrame& f, std::uint8_t on) {
  put_write(f, 'P', 7);
  f[frame::kValue1] = on;
}

void build_write_unit(TxFrame& f, std::uint8_t celsius) {
  put_write(f, 'U', 7);
  f[frame::kValue1] = celsius;
}

void build_write_duration(TxFrame& f, std::uint16_t ticks) {
  put_write(f, 'T', 8);
  put_u16(&f[frame::kValue1], ticks);
}

void build_write_set_temps(TxFrame& f, std::int16_t t1, std::int16_t t2) {
  put_write(f, 'D', 10);
  put_i16(&f[frame::kValue1], t1);
  put_i16(&f[frame::kValue2], t2);
}

void build_write_hysteresis(TxFrame& f, std::int16_t h1, std::int16_t h2) {
  put_write(f, 'H', 10);
  put_i16(&f[frame::kValue1], h1);
  put_i16(&f[frame::kValue2], h2);
}

void build_write_operation(TxFrame& f, std::uint8_t operation) {
  put_write(f, 'O', 7);
  f[frame::kValue1] = operation;
}

std::uint16_t duration_to_ticks(DateTime duration) {
  constexpr double kTenSeconds = 10.0 / 86400.0;
  // Between 45 and 55 seconds the controller is given exactly five steps.
  if (duration > 45.0 / 86400.0 && duration < 55.0 / 86400.0) return 5;
  // Truncated, not rounded: a whole number of steps whose quotient comes out a hair low
  // gives that number, otherwise one step more.
  const double ticks = std::trunc(duration / kTenSeconds) + 1.0;
  if (!(ticks > 0.0)) return 0;
  if (ticks > 65535.0) return 65535;
  return static_cast<std::uint16_t>(ticks);
}

MeasurementFields read_measurement(const RxFrame& f) {
  MeasurementFields m;
  m.error_pump = f[frame::kErrorPump];
  m.state = f[frame::kState];
  m.raw_temp1 = get_u16(&f[frame::kTemp1]);
  m.raw_temp2 = get_u16(&f[frame::kTemp2]);
  m.sample_no = get_u16(&f[frame::kSampleNo]);
  return m;
}

}  // namespace oxr
