#pragma once
// Windows-1252 <-> UTF-8 for text in files (files are Windows-1252, memory is UTF-8).
#include <cstdint>
#include <optional>
#include <string>

namespace oxr {

// Every byte maps to a character; the five bytes Windows-1252 leaves undefined map to the
// C1 control with the same value, so any file reads back without loss.
std::string cp1252_to_utf8(const std::string& bytes);

// The character of one Windows-1252 byte (the undefined ones: their C1 control).
char32_t cp1252_code_point(unsigned char byte);

// Appends the UTF-8 bytes of one code point.
void append_utf8(std::string& out, char32_t cp);

// Nothing when the text holds a character Windows-1252 cannot hold, or is not valid UTF-8.
std::optional<std::string> utf8_to_cp1252(const std::string& utf8);

// The text without the characters Windows-1252 cannot hold (and without invalid UTF-8).
// `removed` tells whether anything was taken out.
std::string keep_cp1252_representable(const std::string& utf8, bool* removed = nullptr);

// Number of characters (code points) of a UTF-8 text; invalid bytes count one each.
std::size_t utf8_length(const std::string& utf8);

}  // namespace oxr
