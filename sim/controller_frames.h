#pragma once
// The controller's end of the frame protocol: layouts, checksum, building and describing frames.
// Written for the controller side on its own, so that a fault in the PC's frame code shows up
// as a disagreement on the line instead of being shared by both ends.
//
// Every frame, both directions:
//   [0] 'A'  [1] 'T'  [2] command letter  [3] total length, checksum included
//   [4 .. len-2] payload (mostly a sub-letter at [4])
//   [len-1] checksum: the two's complement of the byte sum, so all bytes add up to 0 mod 256
//   16-bit values low byte first; temperatures in tenths of a degree Celsius.
//
// Commands the controller takes (from the PC):
//   'Z' len 5                      connect request
//   'R' len 6   [4] 'M' | 'U'      read the operating mode | the unit
//   'Q' len 5                      sign off
//   'W' len 7   [4] 'P' [5] 1/0    preheating on/off
//   'W' len 7   [4] 'U' [5] 1/0    unit: 1 = Celsius, 0 = Fahrenheit (display only)
//   'W' len 8   [4] 'T' [5-6]      run duration in 10-second steps, unsigned
//   'W' len 10  [4] 'D' [5-6] [7-8]  set temperatures of zones 1 and 2, signed tenths of a degree
//   'W' len 10  [4] 'H' [5-6] [7-8]  hystereses of zones 1 and 2, signed tenths of a kelvin
//   'W' len 7   [4] 'O' [5] 2/0    switch on / switch off
//
// Frames the controller sends:
//   'Z' len 8   [4] firmware major [5] firmware minor [6] 7 = controller present
//   'R' len 9   [4] sub-letter [5] 0 accepted / 0xFF refused [6] state [7] value
//   'W' len 8   [4] sub-letter [5] 0 accepted / 0xFF refused [6] state after the write
//   'Q' len 5
//   'M' len 14  [4] 'V' [5] error + pump [6] state [7-8] zone 1 [9-10] zone 2 [11-12] sample no
//     error + pump: 0 no error, 1..5 error E01..E05, plus 10 while the pump is off
//     state: 0 off, 4 measuring, 5 run time over, 6 switched off at the controller,
//            8 broken off for lack of the PC's sign of life
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace oxr::sim {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uint8_t kStart0 = 'A';
inline constexpr std::uint8_t kStart1 = 'T';

// Byte positions shared by all frames.
inline constexpr std::size_t kLetterAt = 2;
inline constexpr std::size_t kLengthAt = 3;
inline constexpr std::size_t kSubAt = 4;
inline constexpr std::size_t kHeaderSize = 4;

inline constexpr std::size_t kMinFrame = 5;   // 'A' 'T' letter length checksum
inline constexpr std::size_t kMaxFrame = 15;  // the PC's receive buffer

// Reply positions.
inline constexpr std::size_t kReplyResultAt = 5;
inline constexpr std::size_t kReplyStateAt = 6;
inline constexpr std::size_t kReadValueAt = 7;
inline constexpr std::size_t kConnectMarkAt = 6;
inline constexpr std::uint8_t kPresentMark = 7;
inline constexpr std::uint8_t kAccepted = 0x00;
inline constexpr std::uint8_t kRefused = 0xFF;

inline constexpr std::size_t kConnectReplyLength = 8;
inline constexpr std::size_t kReadReplyLength = 9;
inline constexpr std::size_t kWriteAckLength = 8;
inline constexpr std::size_t kSignOffReplyLength = 5;

// Measurement frame positions.
inline constexpr std::uint8_t kMeasurementLetter = 'M';
inline constexpr std::uint8_t kMeasurementSub = 'V';
inline constexpr std::size_t kErrorPumpAt = 5;
inline constexpr std::size_t kStateAt = 6;
inline constexpr std::size_t kZone1At = 7;
inline constexpr std::size_t kZone2At = 9;
inline constexpr std::size_t kSampleAt = 11;
inline constexpr std::size_t kMeasurementLength = 14;
inline constexpr std::uint8_t kPumpOffOffset = 10;

// Controller states as the state byte carries them.
inline constexpr std::uint8_t kStateOff = 0;
inline constexpr std::uint8_t kStateMeasuring = 4;
inline constexpr std::uint8_t kStateTimeOver = 5;
inline constexpr std::uint8_t kStateStoppedAtController = 6;
inline constexpr std::uint8_t kStateBrokenOff = 8;

// Switch values of 'W' 'O'.
inline constexpr std::uint8_t kSwitchOn = 2;
inline constexpr std::uint8_t kSwitchOff = 0;

// The byte that makes bytes [0 .. n-1] add up to 0 mod 256.
std::uint8_t checksum_of(const std::uint8_t* bytes, std::size_t n);

// True when the frame's length byte matches its size and its bytes add up to 0 mod 256.
bool frame_valid(const Bytes& frame);

// 'A' 'T' letter length payload checksum.
Bytes make_frame(std::uint8_t letter, const Bytes& payload);

void put_u16(Bytes& payload, std::uint16_t value);
std::uint16_t get_u16(const Bytes& frame, std::size_t at);

// One line for a log: the command or reply in words, e.g. "write duration 6 steps (00:01:00)".
std::string describe_frame(const Bytes& frame, bool from_pc);

// "41 54 5A 05 0C"
std::string hex_bytes(const Bytes& bytes);

}  // namespace oxr::sim
