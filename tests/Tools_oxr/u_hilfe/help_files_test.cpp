// The help files we ship: they must read as rich text and explain what the operator meets.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Tools_oxr/rtf_reader.h"
#include "Tools_oxr/texts.h"
#include "Tools_oxr/u_hilfe/tformhelp.h"
#include "tests/support/temp_dir.h"

namespace oxr::test {
namespace {

std::filesystem::path asset(const std::string& name) {
  return std::filesystem::path(OXR_TEST_DATA).parent_path().parent_path() / "assets" / name;
}

// Runs of white space as one blank, without blanks at either end.
std::string squeeze(const std::string& s) {
  std::string out;
  for (char c : s) {
    const bool space = c == ' ' || c == '\n' || c == '\r' || c == '\t';
    if (space) {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else {
      out += c;
    }
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

// The part of a box text before its first line break: what the operator would look up.
std::string first_line(const std::string& s) {
  return squeeze(s.substr(0, s.find_first_of("\r\n")));
}

// Whether the groups are balanced and the outermost one spans the whole file: a lost brace
// would carry a heading's style into the text after it, or end the document early.
bool groups_balanced(const std::string& rtf) {
  int depth = 0;
  std::size_t closed_at = std::string::npos;
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    const char c = rtf[i];
    if (c == '\\') {
      ++i;  // an escaped character or the first letter of a control word
    } else if (c == '{') {
      if (closed_at != std::string::npos) return false;
      ++depth;
    } else if (c == '}') {
      if (--depth < 0) return false;
      if (depth == 0) closed_at = i;
    }
  }
  return depth == 0 && closed_at != std::string::npos &&
         rtf.find_first_not_of(" \r\n", closed_at + 1) == std::string::npos;
}

// Messages the program shows as boxes or status texts (the three unused entries, the captions,
// button labels, file titles and status words are left out).
constexpr int kExplainedMessages[] = {0,  6,  7,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20,
                                      30, 36, 37, 38, 39, 42, 43, 47, 53, 60, 64, 65, 67, 68, 70,
                                      71, 73, 74, 75, 79, 80, 84, 86, 87, 88, 89, 90, 91};

struct HelpCase {
  int lang;
  const char* file;
  std::vector<const char*> headings;
  std::vector<const char*> statuses;
};
void PrintTo(const HelpCase& c, std::ostream* os) {
  *os << c.file;
}

class HelpFile : public ::testing::TestWithParam<HelpCase> {
 protected:
  void SetUp() override {
    bytes = read_bytes(asset(GetParam().file));
    ASSERT_FALSE(bytes.empty()) << asset(GetParam().file);
    doc = read_rtf(bytes);
    text = squeeze(doc.plain_text);
  }
  bool mentions(const std::string& what) const {
    return text.find(squeeze(what)) != std::string::npos;
  }

  std::string bytes;
  RtfDocument doc;
  std::string text;
};

TEST_P(HelpFile, IsCleanRichTextOfReasonableSize) {
  EXPECT_TRUE(doc.looked_like_rtf);
  EXPECT_TRUE(groups_balanced(bytes));
  EXPECT_LE(bytes.size(), 21u * 1024u);
  EXPECT_GT(text.size(), 10000u);
  // Plain 7-bit rich text: umlauts as \'hh, so any reader shows them right.
  for (unsigned char c : bytes) ASSERT_LT(c, 0x80) << "raw byte in the file";
  // A control word or group the reader did not take would leave these behind.
  EXPECT_EQ(doc.plain_text.find('\\'), std::string::npos) << doc.plain_text;
  EXPECT_EQ(doc.plain_text.find('{'), std::string::npos);
  EXPECT_EQ(doc.plain_text.find('}'), std::string::npos);
  EXPECT_EQ(doc.plain_text.find("\xEF\xBF\xBD"), std::string::npos);  // replacement character
  EXPECT_EQ(text.find("Arial"), std::string::npos);                   // font table skipped
}

TEST_P(HelpFile, HasItsChaptersAsHeadings) {
  for (const char* heading : GetParam().headings) {
    SCOPED_TRACE(heading);
    // A heading stands alone in its paragraph, in bold.
    EXPECT_NE(doc.plain_text.find(std::string("\n") + heading + "\n"), std::string::npos);
    EXPECT_NE(doc.html.find(std::string("font-weight:bold;font-size:14pt;color:#003399;\">") +
                            heading + "</span>"),
              std::string::npos);
  }
}

TEST_P(HelpFile, ExplainsEveryMessageTheProgramShows) {
  const int lang = GetParam().lang;
  for (int k : kExplainedMessages) {
    SCOPED_TRACE(k);
    EXPECT_TRUE(mentions(first_line(message_text(lang, k)))) << message_text(lang, k);
  }
  const EditorTexts& e = editor_texts(lang);
  for (const std::string& t :
       {e.comment_too_long, e.date_limit[0], e.bad_date, e.bad_time, e.bad_duration, e.set_range[0],
        e.hyst_range[0], e.table_full[0], first_line(e.overlap), first_line(e.start_past)}) {
    SCOPED_TRACE(t);
    EXPECT_TRUE(mentions(t));
  }
  EXPECT_TRUE(mentions("no connection, no data"));
  EXPECT_TRUE(mentions(TFormHelp::missing_file_message(lang)));
}

TEST_P(HelpFile, NamesTheStatusesFilesAndWiring) {
  const int lang = GetParam().lang;
  for (const char* status : GetParam().statuses) {
    SCOPED_TRACE(status);
    EXPECT_TRUE(mentions(status));
  }
  for (int k : {22, 24, 25, 26, 27, 28, 29, 81, 82, 85}) {  // the row status words
    SCOPED_TRACE(k);
    EXPECT_TRUE(mentions(message_text(lang, k)));
  }
  for (const char* word : {"oxrconf.dat", ".oxr", "COM1", "COM4", "9600", "8N1", "DTR", "DSR",
                           "CTS", "com1", "oxr-pumpsim", "ZoomAll"}) {
    SCOPED_TRACE(word);
    EXPECT_TRUE(mentions(word));
  }
}

INSTANTIATE_TEST_SUITE_P(
    BothLanguages, HelpFile,
    ::testing::Values(
        HelpCase{
            0,
            "oxrhelpe.rtf",
            {"1 Starting the program", "2 Planning a cycle", "3 Taking a cycle over into the table",
             "4 START and STOP", "5 Statuses and colours", "6 The chart",
             "7 Files: oxrconf.dat and the .oxr data files", "8 Messages and what to do",
             "9 Connecting the pump"},
            {"Aqua", "Red", "Lime", "Continuous op.", "Implement Values", "STOP window"}},
        HelpCase{
            1,
            "oxrhelpd.rtf",
            {"1 Programmstart", "2 Einen Zyklus planen", "3 Einen Zyklus in die Tabelle übernehmen",
             "4 START und STOP", "5 Status und Farben", "6 Das Diagramm",
             "7 Dateien: oxrconf.dat und die .oxr-Datendateien", "8 Meldungen und was zu tun ist",
             "9 Anschluss der Pumpe"},
            {"Aqua", "Rot", "Hellgrün", "Endlosbetrieb", "Werte übernehmen", "STOP-Fenster"}}),
    [](const auto& info) { return info.param.lang == 0 ? std::string("English") : "German"; });

}  // namespace
}  // namespace oxr::test
