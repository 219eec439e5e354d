#pragma once
// JPEG pictures decoded with libjpeg's own API. A missing or damaged picture gives an error
// text instead of ending the program (libjpeg's default error handler would exit).
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace oxr {

struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // width * height * 3 bytes, rows top to bottom
  std::string error;              // empty when the picture was decoded
  bool ok() const { return error.empty() && width > 0 && height > 0; }
};

RgbPicture decode_jpeg(const std::vector<std::uint8_t>& bytes);
RgbPicture load_jpeg(const std::filesystem::path& path);

}  // namespace oxr
