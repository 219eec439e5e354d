#include "sim/controller_frames.h"

#include <cstdio>

namespace oxr::sim {

std::uint8_t checksum_of(const std::uint8_t* bytes, std::size_t n) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < n; ++i) sum += bytes[i];
  return static_cast<std::uint8_t>(0x100 - (sum & 0xFF));
}

bool frame_valid(const Bytes& frame) {
  if (frame.size() < kMinFrame || frame[kLengthAt] != frame.size()) return false;
  unsigned sum = 0;
  for (std::uint8_t b : frame) sum += b;
  return (sum & 0xFF) == 0;
}

Bytes make_frame(std::uint8_t letter, const Bytes& payload) {
  Bytes frame;
  frame.reserve(kHeaderSize + payload.size() + 1);
  frame.push_back(kStart0);
  frame.push_back(kStart1);
  frame.push_back(letter);
  frame.push_back(static_cast<std::uint8_t>(kHeaderSize + payload.size() + 1));
  for (std::uint8_t b : payload) frame.push_back(b);
  frame.push_back(checksum_of(frame.data(), frame.size()));
  return frame;
}

void put_u16(Bytes& payload, std::uint16_t value) {
  payload.push_back(static_cast<std::uint8_t>(value & 0xFF));
  payload.push_back(static_cast<std::uint8_t>(value >> 8));
}

std::uint16_t get_u16(const Bytes& frame, std::size_t at) {
  if (at + 1 >= frame.size()) return 0;
  return static_cast<std::uint16_t>(frame[at] | (frame[at + 1] << 8));
}

std::string hex_bytes(const Bytes& bytes) {
  std::string out;
  char buf[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(buf, sizeof buf, "%02X", bytes[i]);
    if (i) out += ' ';
    out += buf;
  }
  return out;
}

namespace {

std::string printf_text(const char* format, auto... args) {
  char buf[160];
  std::snprintf(buf, sizeof buf, format, args...);
  return buf;
}

std::string tenths(int value) {
  const int whole = value / 10;
  const int frac = value < 0 ? -(value % 10) : value % 10;
  return printf_text("%s%d.%d", (value < 0 && whole == 0) ? "-" : "", whole, frac);
}

std::string letter_text(std::uint8_t c) {
  if (c >= 0x20 && c < 0x7F) return printf_text("'%c'", c);
  return printf_text("0x%02X", c);
}

std::string state_text(std::uint8_t state) {
  switch (state) {
    case kStateOff:
      return "off";
    case kStateMeasuring:
      return "measuring";
    case kStateTimeOver:
      return "run time over";
    case kStateStoppedAtController:
      return "switched off at the controller";
    case kStateBrokenOff:
      return "broken off, no sign of life";
    default:
      return printf_text("undefined state %u", state);
  }
}

std::int16_t get_s16(const Bytes& frame, std::size_t at) {
  return static_cast<std::int16_t>(get_u16(frame, at));
}

std::string describe_command(const Bytes& f) {
  const std::size_t n = f.size();
  const std::uint8_t sub = n > kSubAt + 1 ? f[kSubAt] : 0;
  switch (f[kLetterAt]) {
    case 'Z':
      return "connect request";
    case 'Q':
      return "sign off";
    case 'R':
      if (sub == 'M') return "mode query";
      if (sub == 'U') return "unit query";
      return "read " + letter_text(sub);
    case 'W':
      switch (sub) {
        case 'P':
          return n == 7 ? std::string("write preheating ") + (f[5] ? "on" : "off")
                        : "write preheating (bad length)";
        case 'U':
          return n == 7 ? std::string("write unit ") + (f[5] ? "Celsius" : "Fahrenheit")
                        : "write unit (bad length)";
        case 'O':
          if (n != 7) return "write operation (bad length)";
          if (f[5] == kSwitchOn) return "switch on";
          if (f[5] == kSwitchOff) return "switch off";
          return printf_text("write operation %u", f[5]);
        case 'T': {
          if (n != 8) return "write duration (bad length)";
          const unsigned steps = get_u16(f, 5);
          const unsigned secs = steps * 10;
          return printf_text("write duration %u steps (%02u:%02u:%02u)", steps, secs / 3600,
                             secs / 60 % 60, secs % 60);
        }
        case 'D':
          if (n != 10) return "write set temperatures (bad length)";
          return "write set temperatures " + tenths(get_s16(f, 5)) + " / " + tenths(get_s16(f, 7)) +
                 " C";
        case 'H':
          if (n != 10) return "write hystereses (bad length)";
          return "write hystereses " + tenths(get_s16(f, 5)) + " / " + tenths(get_s16(f, 7)) + " K";
        default:
          return "write " + letter_text(sub);
      }
    default:
      return "unknown command " + letter_text(f[kLetterAt]);
  }
}

std::string describe_reply(const Bytes& f) {
  const std::size_t n = f.size();
  const auto at = [&](std::size_t i) -> unsigned { return i < n ? f[i] : 0; };
  switch (f[kLetterAt]) {
    case 'Z':
      return at(kConnectMarkAt) == kPresentMark ? "connect reply: present"
                                                : printf_text("connect reply %u", at(6));
    case 'Q':
      return "sign-off reply";
    case 'R':
      return printf_text("read reply %s = %u%s",
                         letter_text(static_cast<std::uint8_t>(at(4))).c_str(), at(kReadValueAt),
                         at(kReplyResultAt) == kRefused ? " (refused)" : "");
    case 'W':
      return printf_text("ack %s, state %u (%s)%s",
                         letter_text(static_cast<std::uint8_t>(at(4))).c_str(), at(kReplyStateAt),
                         state_text(static_cast<std::uint8_t>(at(kReplyStateAt))).c_str(),
                         at(kReplyResultAt) == kRefused ? ", refused" : "");
    case kMeasurementLetter: {
      const unsigned ep = at(kErrorPumpAt);
      const bool pump_off = ep >= kPumpOffOffset;
      const unsigned error = pump_off ? ep - kPumpOffOffset : ep;
      std::string text = printf_text("measurement #%u %s, zone 1 %s C, zone 2 %s C, pump %s",
                                     get_u16(f, kSampleAt),
                                     state_text(static_cast<std::uint8_t>(at(kStateAt))).c_str(),
                                     tenths(get_u16(f, kZone1At)).c_str(),
                                     tenths(get_u16(f, kZone2At)).c_str(), pump_off ? "off" : "on");
      if (error) text += printf_text(", error E%02u", error);
      return text;
    }
    default:
      return "frame " + letter_text(f[kLetterAt]);
  }
}

}  // namespace

std::string describe_frame(const Bytes& frame, bool from_pc) {
  if (frame.size() < kMinFrame) return "fragment";
  std::string text = from_pc ? describe_command(frame) : describe_reply(frame);
  if (!frame_valid(frame)) text += " [bad checksum]";
  return text;
}

}  // namespace oxr::sim
