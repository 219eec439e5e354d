#pragma once
// A small reader for the rich text our help files use: groups, paragraphs and line breaks,
// bold, italic, underline, font sizes, colours, \'hh and \u characters. Unknown destinations
// are skipped. The result is HTML for the help window's rich-text view.
// Qt reads no RTF, hence this reader. It makes one pass over the input, keeps its group stack
// bounded and accepts any bytes: malformed input gives partial text, never a crash or a hang.
#include <string>

namespace oxr {

struct RtfDocument {
  std::string html;        // UTF-8 HTML body content
  std::string plain_text;  // the text alone, paragraphs separated by "\n"
  bool looked_like_rtf = false;  // the input began with "{\rtf"
};

RtfDocument read_rtf(const std::string& bytes);

}  // namespace oxr
