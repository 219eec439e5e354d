#include <string>

#include "Tools_oxr/rtf_reader.h"
#include "tests/fuzz/fuzz_bodies.h"
#include "tests/fuzz/require.h"

namespace oxr::fuzz {

namespace {

bool valid_utf8(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t n = 0;
    std::uint32_t cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      n = 1;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      n = 2;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      n = 3;
      cp = c & 0x07;
    } else {
      return false;
    }
    for (std::size_t k = 1; k <= n; ++k) {
      if (i + k >= s.size()) return false;
      const unsigned char d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    const std::uint32_t min[] = {0, 0x80, 0x800, 0x10000};
    if (cp < min[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += n + 1;
  }
  return true;
}

// Every "<" opens a tag the reader writes, and paragraphs and spans are closed in order.
bool only_own_tags(const std::string& html) {
  int open_p = 0;
  int open_span = 0;
  std::size_t at = 0;
  while ((at = html.find('<', at)) != std::string::npos) {
    const std::string_view rest(html.data() + at, html.size() - at);
    if (rest.starts_with("<br>")) {
      at += 4;
    } else if (rest.starts_with("<p>")) {
      if (open_p || open_span) return false;
      ++open_p;
      at += 3;
    } else if (rest.starts_with("</p>")) {
      if (open_p != 1 || open_span) return false;
      --open_p;
      at += 4;
    } else if (rest.starts_with("<span style=\"")) {
      const std::size_t end = html.find("\">", at + 13);
      if (end == std::string::npos) return false;
      const std::string_view css(html.data() + at + 13, end - at - 13);
      if (css.find_first_of("<>\"") != std::string_view::npos) return false;
      ++open_span;
      at = end + 2;
    } else if (rest.starts_with("</span>")) {
      if (open_span == 0) return false;
      --open_span;
      at += 7;
    } else {
      return false;
    }
  }
  return open_p == 0 && open_span == 0;
}

}  // namespace

void rtf_input(std::string_view bytes) {
  const RtfDocument doc = read_rtf(std::string(bytes));
  require(doc.looked_like_rtf == bytes.starts_with("{\\rtf"), "rtf recognised by its start");
  require(valid_utf8(doc.html), "html is UTF-8");
  require(valid_utf8(doc.plain_text), "plain text is UTF-8");
  require(only_own_tags(doc.html), "html holds only the reader's own tags");
}

}  // namespace oxr::fuzz
