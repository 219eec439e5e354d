#include "Tools_oxr/jpeg_picture.h"

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>

#include <jpeglib.h>

namespace oxr {

namespace {

// Pictures larger than this are refused rather than decoded into a huge buffer.
constexpr JDIMENSION kMaxSide = 8192;

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char text[JMSG_LENGTH_MAX];
};

void on_error(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->text);
  std::longjmp(err->jump, 1);
}

void on_message(j_common_ptr, int) {}  // warnings (a short file is padded) are not shown

}  // namespace

RgbPicture decode_jpeg(const std::vector<std::uint8_t>& bytes) {
  RgbPicture pic;
  if (bytes.empty()) {
    pic.error = "empty file";
    return pic;
  }
  jpeg_decompress_struct cinfo{};
  ErrorManager err{};
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = on_error;
  err.pub.emit_message = on_message;
  // Everything that must survive the long jump back lives in `pic`, outside this frame's locals
  // that the jump could leave undefined.
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    RgbPicture failed;
    failed.error = err.text;
    return failed;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  if (cinfo.output_width == 0 || cinfo.output_height == 0 || cinfo.output_width > kMaxSide ||
      cinfo.output_height > kMaxSide || cinfo.output_components != 3) {
    jpeg_destroy_decompress(&cinfo);
    pic.error = "unsupported picture size or format";
    return pic;
  }
  pic.width = static_cast<int>(cinfo.output_width);
  pic.height = static_cast<int>(cinfo.output_height);
  pic.rgb.resize(static_cast<std::size_t>(pic.width) * pic.height * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = pic.rgb.data() + static_cast<std::size_t>(cinfo.output_scanline) * pic.width * 3;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return pic;
}

RgbPicture load_jpeg(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    RgbPicture pic;
    pic.error = "cannot open " + path.string();
    return pic;
  }
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>()};
  return decode_jpeg(bytes);
}

}  // namespace oxr
