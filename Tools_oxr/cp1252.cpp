#include "Tools_oxr/cp1252.h"

#include <array>

namespace oxr {

namespace {

// Code points of the bytes 0x80..0x9F; 0 where Windows-1252 leaves the byte undefined.
constexpr std::array<char32_t, 32> kHighTable = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Decodes one code point at i; nothing for invalid UTF-8 (i still moves past one byte).
std::optional<char32_t> next_code_point(const std::string& s, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  int extra = 0;
  char32_t cp = 0;
  if (b0 < 0x80) {
    ++i;
    return b0;
  } else if ((b0 & 0xE0) == 0xC0) {
    extra = 1;
    cp = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2;
    cp = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3;
    cp = b0 & 0x07;
  } else {
    ++i;
    return std::nullopt;
  }
  if (i + extra >= s.size()) {
    ++i;
    return std::nullopt;
  }
  for (int k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return std::nullopt;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  // Overlong forms and surrogates are not valid UTF-8.
  static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return std::nullopt;
  }
  i += extra + 1;
  return cp;
}

std::optional<unsigned char> to_cp1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (std::size_t k = 0; k < kHighTable.size(); ++k) {
    if (kHighTable[k] == cp && cp != 0) return static_cast<unsigned char>(0x80 + k);
  }
  // The undefined bytes read back as their C1 controls; write them back the same way.
  if (cp >= 0x80 && cp <= 0x9F && kHighTable[cp - 0x80] == 0) return static_cast<unsigned char>(cp);
  return std::nullopt;
}

}  // namespace

void append_utf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char32_t cp1252_code_point(unsigned char byte) {
  if (byte < 0x80 || byte > 0x9F) return byte;
  const char32_t cp = kHighTable[byte - 0x80];
  return cp != 0 ? cp : byte;
}

std::string cp1252_to_utf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) append_utf8(out, cp1252_code_point(static_cast<unsigned char>(c)));
  return out;
}

std::optional<std::string> utf8_to_cp1252(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto cp = next_code_point(utf8, i);
    if (!cp) return std::nullopt;
    const auto b = to_cp1252(*cp);
    if (!b) return std::nullopt;
    out += static_cast<char>(*b);
  }
  return out;
}

std::string keep_cp1252_representable(const std::string& utf8, bool* removed) {
  std::string out;
  bool any = false;
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t start = i;
    const auto cp = next_code_point(utf8, i);
    if (cp && to_cp1252(*cp)) {
      out.append(utf8, start, i - start);
    } else {
      any = true;
    }
  }
  if (removed) *removed = any;
  return out;
}

std::size_t utf8_length(const std::string& utf8) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < utf8.size(); ++n) next_code_point(utf8, i);
  return n;
}

}  // namespace oxr
