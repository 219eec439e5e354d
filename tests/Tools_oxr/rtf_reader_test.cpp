#include "Tools_oxr/rtf_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace oxr {
namespace {

struct TextCase {
  const char* name;
  const char* rtf;
  const char* plain;
};

class RtfText : public ::testing::TestWithParam<TextCase> {};

TEST_P(RtfText, GivesTheDocumentText) {
  const RtfDocument doc = read_rtf(GetParam().rtf);
  EXPECT_EQ(doc.plain_text, GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfText,
    ::testing::Values(
        TextCase{"paragraphs", R"({\rtf1 Eins\par Zwei\par})", "Eins\nZwei\n"},
        TextCase{"line_break", R"({\rtf1 a\line b})", "a\nb"},
        TextCase{"hex_umlauts", R"({\rtf1 Pr\'fcfung \'c4nderung \'80})",
                 "Prüfung Änderung €"},
        TextCase{"unicode_with_fallback", R"({\rtf1\uc1 \u8364?x \u-3999?})",
                 "€x \xEF\x81\xA1"},
        TextCase{"escapes", R"({\rtf1 \{a\}\\b})", "{a}\\b"},
        TextCase{"font_table_and_unknown_destination_skipped",
                 R"({\rtf1{\fonttbl{\f0 Arial;}}{\*\generator Writer;}{\*\xyz hidden}Text})",
                 "Text"},
        TextCase{"colour_table_is_no_text",
                 R"({\rtf1{\colortbl;\red255\green0\blue0;}\cf1 rot})", "rot"},
        TextCase{"control_word_delimiter_eaten", R"({\rtf1\b fett\b0  normal})",
                 "fett normal"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfReader, FormatsBecomeStyledSpans) {
  const RtfDocument doc = read_rtf(
      R"({\rtf1{\colortbl;\red255\green0\blue0;}{\b fett}{\i kursiv}{\ul unter}{\fs36 gross}{\cf1 rot} & <x>\par})");
  EXPECT_TRUE(doc.looked_like_rtf);
  EXPECT_NE(doc.html.find("font-weight:bold;font-size:12pt;\">fett</span>"), std::string::npos)
      << doc.html;
  EXPECT_NE(doc.html.find("font-style:italic;font-size:12pt;\">kursiv"), std::string::npos);
  EXPECT_NE(doc.html.find("text-decoration:underline;font-size:12pt;\">unter"), std::string::npos);
  EXPECT_NE(doc.html.find("font-size:18pt;\">gross"), std::string::npos);
  EXPECT_NE(doc.html.find("color:#ff0000;\">rot"), std::string::npos);
  EXPECT_NE(doc.html.find("&amp; &lt;x&gt;"), std::string::npos);
  // The group ends the bold run: the text after it is not bold.
  EXPECT_EQ(doc.html.find("font-weight:bold;font-size:12pt;\">kursiv"), std::string::npos);
}

TEST(RtfReader, PlainTextIsNotRtf) {
  const RtfDocument doc = read_rtf("just text");
  EXPECT_FALSE(doc.looked_like_rtf);
  EXPECT_EQ(doc.plain_text, "just text");
}

TEST(RtfReader, DeepNestingAndStrayBracesDoNotBreakIt) {
  std::string deep = "{\\rtf1 ";
  for (int i = 0; i < 5000; ++i) deep += "{\\b ";
  deep += "tief";
  for (int i = 0; i < 5000; ++i) deep += "}";
  deep += "}}}} danach";
  const RtfDocument doc = read_rtf(deep);
  EXPECT_EQ(doc.plain_text, "tief danach");
}

TEST(RtfReader, TruncatedAndGarbageInputNeverCrashes) {
  const std::string good =
      R"({\rtf1\ansi{\fonttbl{\f0 Arial;}}{\colortbl;\red0\green0\blue255;}\uc1 )"
      R"({\b Hilfe}\par Pr\'fcfung \u8364? {\cf1\fs28 blau}\line Ende\par})";
  for (std::size_t n = 0; n <= good.size(); ++n) {
    const RtfDocument doc = read_rtf(good.substr(0, n));
    EXPECT_LE(doc.plain_text.size(), 64u) << n;
  }
  std::mt19937 rng(7);
  const std::string alphabet = "{}\\'*abcfsu0123456789- ;\r\n\xfc";
  for (int round = 0; round < 2000; ++round) {
    std::string junk;
    const int len = static_cast<int>(rng() % 200);
    for (int i = 0; i < len; ++i) junk += alphabet[rng() % alphabet.size()];
    read_rtf(junk);
  }
  SUCCEED() << "no crash, no hang";
}

}  // namespace
}  // namespace oxr
