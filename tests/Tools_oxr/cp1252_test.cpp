#include "Tools_oxr/cp1252.h"

#include <gtest/gtest.h>

namespace oxr {
namespace {

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    const std::string utf8 = cp1252_to_utf8(one);
    SCOPED_TRACE(b);
    EXPECT_EQ(utf8_length(utf8), 1u);
    const auto back = utf8_to_cp1252(utf8);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, one);
    all += one;
  }
  EXPECT_EQ(utf8_to_cp1252(cp1252_to_utf8(all)), all);
}

TEST(Cp1252, BytesMapToTheirCharacters) {
  struct Case {
    unsigned char byte;
    const char* utf8;
  };
  const Case cases[] = {
      {0x41, "A"},
      {0x80, "\u20AC"},
      {0x84, "\u201E"},
      {0x93, "\u201C"},
      {0x9F, "\u0178"},
      {0xB0, "\u00B0"},
      {0xC4, "\u00C4"},
      {0xD6, "\u00D6"},
      {0xDC, "\u00DC"},
      {0xDF, "\u00DF"},
      {0xE4, "\u00E4"},
      {0xF6, "\u00F6"},
      {0xFC, "\u00FC"},
      {0xFF, "\u00FF"},
      // Undefined in Windows-1252: kept as the C1 control of the same value.
      {0x81, "\xC2\x81"},
      {0x8D, "\xC2\x8D"},
      {0x8F, "\xC2\x8F"},
      {0x90, "\xC2\x90"},
      {0x9D, "\xC2\x9D"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.byte));
    const std::string byte(1, static_cast<char>(c.byte));
    EXPECT_EQ(cp1252_to_utf8(byte), c.utf8);
    EXPECT_EQ(utf8_to_cp1252(c.utf8), byte);
  }
  EXPECT_EQ(utf8_to_cp1252("Temperatur 60 \u00B0C, Gr\u00FC\u00DFe \u20AC"),
            "Temperatur 60 \xB0"
            "C, Gr\xFC\xDF"
            "e \x80");
}

// Text that cannot go into a file as it is: characters outside Windows-1252 and broken UTF-8.
TEST(Cp1252, UnrepresentableOrInvalidTextIsRefused) {
  struct Case {
    const char* name;
    const char* utf8;
  };
  const Case cases[] = {
      {"Greek omega", "a\u03A9b"},
      {"emoji", "\xF0\x9F\x98\x80"},
      {"C1 control behind a defined byte", "\xC2\x80"},
      {"truncated sequence", "ab\xC3"},
      {"lone continuation byte", "\x80"},
      {"overlong slash", "\xC0\xAF"},
      {"surrogate", "\xED\xA0\x80"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80"},
      {"byte FF", "\xFF"},
      {"lead byte followed by ASCII",
       "\xE2"
       "ab"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(utf8_to_cp1252(c.utf8).has_value());
    bool removed = false;
    const std::string kept = keep_cp1252_representable(c.utf8, &removed);
    EXPECT_TRUE(removed);
    EXPECT_TRUE(utf8_to_cp1252(kept).has_value()) << kept;
  }
}

TEST(Cp1252, KeepRepresentableRemovesOnlyTheBadCharacters) {
  bool removed = true;
  EXPECT_EQ(keep_cp1252_representable("Pumpe \u00E4\u20AC", &removed), "Pumpe \u00E4\u20AC");
  EXPECT_FALSE(removed);
  EXPECT_EQ(keep_cp1252_representable("a\u20AC\u03A9b\xFF"
                                      "c\xE2\x82",
                                      &removed),
            "a\u20AC"
            "bc");
  EXPECT_TRUE(removed);
  EXPECT_EQ(keep_cp1252_representable("x\u4E2Dy"), "xy");  // no flag asked for
}

TEST(Cp1252, Utf8LengthCountsCharacters) {
  struct Case {
    const char* utf8;
    std::size_t length;
  };
  const Case cases[] = {
      {"", 0},
      {"abc", 3},
      {"Gr\u00FC\u00DFe", 5},
      {"\u20AC", 1},
      {"\xF0\x9F\x98\x80", 1},
      {"a\xFF"
       "b",
       3},
      {"\xE2\x82", 2},
      {"25 Zeichen \u00E4\u00F6\u00FC\u00C4\u00D6\u00DC\u00DF", 18},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(utf8_length(c.utf8), c.length);
  }
}

}  // namespace
}  // namespace oxr
