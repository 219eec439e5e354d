#pragma once
// The controller's frame layout, its checksum and the commands the PC sends.
// Every byte position of a frame is named here; builders and readers use these names only.
//
//   byte 0          'A'
//   byte 1          'T'
//   byte 2          command letter
//   byte 3          total length n of the frame, checksum included
//   byte 4 .. n-2   payload; for most frames byte 4 is a sub-letter
//   byte n-1        checksum: two's complement of the 8-bit sum of bytes 0 .. n-2,
//                   so all bytes of a valid frame add up to 0 modulo 256
//
// 16-bit values travel low byte first. Temperatures are tenths of a degree Celsius,
// hystereses tenths of a kelvin, whatever unit the operator sees.
//
// Measurement frame (sent by the controller once per 10-second step while a cycle runs):
//   byte 5      error and pump: 0 no error, 1..5 E01..E05, plus 10 when the pump is off
//   byte 6      controller state (4 measuring, 5 cycle time ended, 6 off at the controller,
//               8 broken off for lack of the PC's sign of life)
//   bytes 7-8   zone-1 temperature, unsigned, tenths of a degree Celsius
//   bytes 9-10  zone-2 temperature, same form
//   bytes 11-12 sample number, unsigned, 0 for the first sample of the cycle
#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/clock.h"

namespace oxr {

namespace frame {

inline constexpr std::size_t kStartA = 0;
inline constexpr std::size_t kStartT = 1;
inline constexpr std::size_t kCommand = 2;
inline constexpr std::size_t kLength = 3;
inline constexpr std::size_t kSubLetter = 4;
// Bytes before the payload: 'A', 'T', command, length.
inline constexpr std::size_t kHeaderSize = 4;

// First payload value of a write command (one byte, or a 16-bit value in bytes 5-6) and the
// second 16-bit value (bytes 7-8) of the two-zone writes.
inline constexpr std::size_t kValue1 = 5;
inline constexpr std::size_t kValue2 = 7;

// Replies the PC reads.
inline constexpr std::size_t kConnectAnswer = 6;  // 'Z': 7 = controller present
inline constexpr std::size_t kReadValue = 7;      // 'R' 'M': the operating mode
inline constexpr std::size_t kWriteState = 6;     // 'W' 'O': 4 = controller running

// Measurement frame.
inline constexpr std::size_t kErrorPump = 5;
inline constexpr std::size_t kState = 6;
inline constexpr std::size_t kTemp1 = 7;
inline constexpr std::size_t kTemp2 = 9;
inline constexpr std::size_t kSampleNo = 11;
inline constexpr std::size_t kMeasurementMinLength = 14;

inline constexpr std::uint8_t kA = 'A';
inline constexpr std::uint8_t kT = 'T';

// The shortest frame is header and checksum; the longest command is 10 bytes; replies and
// measurement frames fit the 15-byte receive buffer.
inline constexpr std::size_t kMinLength = kHeaderSize + 1;
inline constexpr std::size_t kTxSize = 10;
inline constexpr std::size_t kRxSize = 15;

inline constexpr std::uint8_t kConnectPresent = 7;
inline constexpr std::uint8_t kStateRunning = 4;

}  // namespace frame

using TxFrame = std::array<std::uint8_t, frame::kTxSize>;
using RxFrame = std::array<std::uint8_t, frame::kRxSize>;

// Two's complement of the 8-bit sum of the first `count` bytes.
std::uint8_t frame_checksum(const std::uint8_t* bytes, std::size_t count);

// Writes the checksum of a frame of length n (byte 3) into byte n-1. False, with nothing
// written, when the length byte does not fit the buffer or is shorter than a frame.
bool seal_frame(std::uint8_t* frame, std::size_t buffer_size);
template <std::size_t N>
bool seal_frame(std::array<std::uint8_t, N>& f) {
  return seal_frame(f.data(), N);
}

// True when the frame's bytes add up to 0 modulo 256 over the length its byte 3 gives.
// A length byte outside 5 .. buffer size fails the test (nothing outside the buffer is read).
bool checksum_ok(const std::uint8_t* frame, std::size_t buffer_size);
template <std::size_t N>
bool checksum_ok(const std::array<std::uint8_t, N>& f) {
  return checksum_ok(f.data(), N);
}

// 16-bit values, low byte first.
void put_u16(std::uint8_t* at, std::uint16_t value);
void put_i16(std::uint8_t* at, std::int16_t value);
std::uint16_t get_u16(const std::uint8_t* at);

// Command builders: each fills bytes 0 .. length-2 of `f` (the checksum is added when the
// frame is sent) and leaves the rest of the buffer as it was.
void build_connect_request(TxFrame& f);                                     // 'Z', 5
void build_mode_query(TxFrame& f);                                          // 'R' 'M', 6
void build_sign_off(TxFrame& f);                                            // 'Q', 5
void build_write_preheating(TxFrame& f, std::uint8_t on);                   // 'W' 'P', 7
void build_write_unit(TxFrame& f, std::uint8_t celsius);                    // 'W' 'U', 7
void build_write_duration(TxFrame& f, std::uint16_t ticks);                 // 'W' 'T', 8
void build_write_set_temps(TxFrame& f, std::int16_t t1, std::int16_t t2);   // 'W' 'D', 10
void build_write_hysteresis(TxFrame& f, std::int16_t h1, std::int16_t h2);  // 'W' 'H', 10
void build_write_operation(TxFrame& f, std::uint8_t operation);             // 'W' 'O', 7

inline constexpr std::uint8_t kOperationOff = 0;
inline constexpr std::uint8_t kOperationOn = 2;

// The duration a cycle is written with, in 10-second steps: 5 for a duration between 45 and
// 55 seconds, else the truncated quotient plus 1. Clamped to the 16-bit range.
std::uint16_t duration_to_ticks(DateTime duration);

// The fields of a measurement frame, unconverted.
struct MeasurementFields {
  std::uint8_t error_pump = 0;
  std::uint8_t state = 0;
  std::uint16_t raw_temp1 = 0;
  std::uint16_t raw_temp2 = 0;
  std::uint16_t sample_no = 0;
};
MeasurementFields read_measurement(const RxFrame& f);

}  // namespace oxr
