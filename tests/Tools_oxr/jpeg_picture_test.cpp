#include "Tools_oxr/jpeg_picture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "tests/support/temp_dir.h"

namespace oxr {
namespace {

// A 32 x 16 picture: left half red, right half blue, encoded with libjpeg at full quality.
std::vector<std::uint8_t> two_colour_jpeg() {
  const int w = 32, h = 16;
  std::vector<std::uint8_t> rgb(w * h * 3);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = &rgb[(y * w + x) * 3];
      p[0] = x < w / 2 ? 220 : 10;
      p[1] = 20;
      p[2] = x < w / 2 ? 10 : 230;
    }
  }
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &out, &size);
  c.image_width = w;
  c.image_height = h;
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 100, TRUE);
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = &rgb[c.next_scanline * w * 3];
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::vector<std::uint8_t> bytes(out, out + size);
  std::free(out);
  return bytes;
}

TEST(JpegPicture, DecodesSizeAndPixels) {
  const RgbPicture pic = decode_jpeg(two_colour_jpeg());
  ASSERT_TRUE(pic.ok()) << pic.error;
  EXPECT_EQ(pic.width, 32);
  EXPECT_EQ(pic.height, 16);
  const std::uint8_t* left = &pic.rgb[(8 * 32 + 4) * 3];
  const std::uint8_t* right = &pic.rgb[(8 * 32 + 28) * 3];
  EXPECT_NEAR(left[0], 220, 12);
  EXPECT_NEAR(left[2], 10, 12);
  EXPECT_NEAR(right[0], 10, 12);
  EXPECT_NEAR(right[2], 230, 12);
}

TEST(JpegPicture, DamagedInputGivesAnErrorNotAnExit) {
  const auto good = two_colour_jpeg();
  // Every cut of the header fails cleanly; later cuts decode what is there (libjpeg pads).
  for (std::size_t n = 0; n < good.size(); n += 7) {
    const RgbPicture pic = decode_jpeg({good.begin(), good.begin() + static_cast<long>(n)});
    if (pic.ok()) {
      EXPECT_EQ(pic.width * pic.height * 3, static_cast<int>(pic.rgb.size())) << n;
    } else {
      EXPECT_FALSE(pic.error.empty()) << n;
    }
    if (n < 100) {
      EXPECT_FALSE(pic.ok()) << n;  // the header is not complete yet
    }
  }
  EXPECT_FALSE(decode_jpeg({}).ok());
  std::vector<std::uint8_t> garbage(500);
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<std::uint8_t>(i * 37);
  const RgbPicture junk = decode_jpeg(garbage);
  EXPECT_FALSE(junk.ok());
  EXPECT_FALSE(junk.error.empty());
  // A JPEG start marker followed by garbage.
  garbage[0] = 0xFF;
  garbage[1] = 0xD8;
  EXPECT_FALSE(decode_jpeg(garbage).ok());
}

TEST(JpegPicture, MissingFileIsAnError) {
  test::TempDir dir;
  const RgbPicture pic = load_jpeg(dir.path() / "nope.jpg");
  EXPECT_FALSE(pic.ok());
  EXPECT_NE(pic.error.find("nope.jpg"), std::string::npos);
}

}  // namespace
}  // namespace oxr
