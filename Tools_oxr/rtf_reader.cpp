#include "Tools_oxr/rtf_reader.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Tools_oxr/cp1252.h"

namespace oxr {

namespace {

constexpr std::size_t kMaxDepth = 200;
constexpr int kMaxColors = 256;

struct Style {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int half_points = 24;  // \fs is in half points; 12 pt is the reader's default
  int color = 0;         // index into the colour table; 0 = automatic
  bool skip = false;     // inside a destination that carries no text
  int uc = 1;            // characters to skip after \u
  bool operator==(const Style&) const = default;
};

struct Rgb {
  int r = 0, g = 0, b = 0;
};

void append_code_point(std::string& out, std::uint32_t cp) {
  if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  append_utf8(out, static_cast<char32_t>(cp));
}

bool is_letter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Destinations whose content is not text of the document.
bool is_skipped_destination(const std::string& word) {
  static const std::array<const char*, 16> kSkipped = {
      "fonttbl",   "stylesheet",        "info",      "pict",    "header", "footer",
      "headerl",   "headerr",           "footerl",   "footerr", "object", "themedata",
      "listtable", "listoverridetable", "generator", "xmlnstbl"};
  for (const char* s : kSkipped) {
    if (word == s) return true;
  }
  return false;
}

class Reader {
 public:
  explicit Reader(const std::string& in) : in_(in) {}

  RtfDocument run() {
    RtfDocument doc;
    doc.looked_like_rtf = in_.rfind("{\\rtf", 0) == 0;
    while (pos_ < in_.size()) {
      const char c = in_[pos_];
      if (c == '{') {
        ++pos_;
        if (stack_.size() < kMaxDepth) {
          stack_.push_back(style_);
        } else {
          ++overflow_;  // too deep: count the group but keep the style flat
        }
        group_start_ = true;
        continue;
      }
      if (c == '}') {
        ++pos_;
        end_group();
        continue;
      }
      if (c == '\\') {
        control();
        continue;
      }
      group_start_ = false;
      ++pos_;
      if (c == '\r' || c == '\n') continue;
      if (in_colortbl()) {
        if (c == ';') finish_color();
        continue;
      }
      text_char(static_cast<unsigned char>(c));
    }
    close_paragraph();
    doc.html = html_;
    doc.plain_text = plain_;
    return doc;
  }

 private:
  bool in_colortbl() const { return colortbl_depth_ > 0 && stack_.size() >= colortbl_depth_; }

  void end_group() {
    if (overflow_ > 0) {
      --overflow_;
      return;
    }
    if (stack_.empty()) return;  // a stray "}"
    if (colortbl_depth_ > 0 && stack_.size() == colortbl_depth_) colortbl_depth_ = 0;
    style_ = stack_.back();
    stack_.pop_back();
  }

  void control() {
    ++pos_;  // the backslash
    if (pos_ >= in_.size()) return;
    const char c = in_[pos_];
    if (!is_letter(c)) {
      ++pos_;
      const bool at_start = group_start_;
      group_start_ = false;
      switch (c) {
        case '\\':
        case '{':
        case '}':
          text_char(static_cast<unsigned char>(c));
          break;
        case '\'': {
          if (pos_ + 1 < in_.size()) {
            const int hi = hex_value(in_[pos_]);
            const int lo = hex_value(in_[pos_ + 1]);
            if (hi >= 0 && lo >= 0) {
              pos_ += 2;
              if (skip_pending_ > 0) {
                --skip_pending_;
              } else {
                text_char(static_cast<unsigned char>(hi * 16 + lo));
              }
            }
          }
          break;
        }
        case '*':
          if (at_start) style_.skip = true;  // an optional destination we do not know
          break;
        case '~':
          text_code_point(0xA0);
          break;
        case '-':
          break;  // optional hyphen
        case '_':
          text_code_point(0x2011);
          break;
        case '\r':
        case '\n':
          new_paragraph();
          break;
        default:
          break;
      }
      return;
    }
    std::string word;
    while (pos_ < in_.size() && is_letter(in_[pos_]) && word.size() < 32) word += in_[pos_++];
    while (pos_ < in_.size() && is_letter(in_[pos_])) ++pos_;  // an absurdly long word
    bool has_param = false;
    bool negative = false;
    long param = 0;
    if (pos_ < in_.size() && in_[pos_] == '-') {
      negative = true;
      ++pos_;
    }
    int digits = 0;
    while (pos_ < in_.size() && is_digit(in_[pos_])) {
      if (digits < 9) param = param * 10 + (in_[pos_] - '0');
      ++digits;
      ++pos_;
      has_param = true;
    }
    if (negative) param = -param;
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word
    const bool at_start = group_start_;
    group_start_ = false;
    apply(word, has_param, static_cast<int>(param), at_start);
  }

  void apply(const std::string& w, bool has_param, int p, bool at_group_start) {
    if (at_group_start && is_skipped_destination(w)) {
      style_.skip = true;
      return;
    }
    if (w == "colortbl" && at_group_start) {
      colortbl_depth_ = stack_.size();
      // The entry before the first ";" is the automatic colour.
      colors_.assign(1, Rgb{});
      first_color_pending_ = true;
      pending_color_ = Rgb{};
      return;
    }
    if (in_colortbl()) {
      if (w == "red") pending_color_.r = p;
      if (w == "green") pending_color_.g = p;
      if (w == "blue") pending_color_.b = p;
      return;
    }
    const bool on = !has_param || p != 0;
    if (w == "par") {
      new_paragraph();
    } else if (w == "line") {
      if (!style_.skip) {
        open_paragraph();
        html_ += "<br>";
        plain_ += "\n";
      }
    } else if (w == "tab") {
      text_char('\t');
    } else if (w == "b") {
      style_.bold = on;
    } else if (w == "i") {
      style_.italic = on;
    } else if (w == "ul") {
      style_.underline = on;
    } else if (w == "ulnone") {
      style_.underline = false;
    } else if (w == "plain") {
      const bool skip = style_.skip;
      const int uc = style_.uc;
      style_ = Style{};
      style_.skip = skip;
      style_.uc = uc;
    } else if (w == "fs") {
      if (has_param && p > 0 && p <= 400) style_.half_points = p;
    } else if (w == "cf") {
      if (has_param && p >= 0 && p < kMaxColors) style_.color = p;
    } else if (w == "uc") {
      if (has_param && p >= 0 && p <= 10) style_.uc = p;
    } else if (w == "u") {
      if (has_param) {
        const int cp = p < 0 ? p + 65536 : p;
        text_code_point(static_cast<std::uint32_t>(cp));
        skip_pending_ = style_.uc;
      }
    } else if (w == "emdash") {
      text_code_point(0x2014);
    } else if (w == "endash") {
      text_code_point(0x2013);
    } else if (w == "bullet") {
      text_code_point(0x2022);
    } else if (w == "lquote") {
      text_code_point(0x2018);
    } else if (w == "rquote") {
      text_code_point(0x2019);
    } else if (w == "ldblquote") {
      text_code_point(0x201C);
    } else if (w == "rdblquote") {
      text_code_point(0x201D);
    }
  }

  void finish_color() {
    if (colors_.size() < static_cast<std::size_t>(kMaxColors)) {
      if (first_color_pending_) {
        first_color_pending_ = false;
        colors_[0] = pending_color_;
      } else {
        colors_.push_back(pending_color_);
      }
    }
    pending_color_ = Rgb{};
  }

  void text_char(unsigned char byte) {
    if (skip_pending_ > 0) {
      --skip_pending_;
      return;
    }
    emit(cp1252_code_point(byte));
  }

  void text_code_point(std::uint32_t cp) { emit(cp); }

  void emit(std::uint32_t cp) {
    if (style_.skip || in_colortbl()) return;
    if (cp < 0x20 && cp != '\t') return;
    open_paragraph();
    sync_style();
    switch (cp) {
      case '<':
        html_ += "&lt;";
        break;
      case '>':
        html_ += "&gt;";
        break;
      case '&':
        html_ += "&amp;";
        break;
      case '"':
        html_ += "&quot;";
        break;
      case '\t':
        html_ += "&nbsp;&nbsp;&nbsp;&nbsp;";
        break;
      default:
        append_code_point(html_, cp);
        break;
    }
    if (cp == '\t') {
      plain_ += '\t';
    } else {
      append_code_point(plain_, cp);
    }
  }

  void open_paragraph() {
    if (!in_paragraph_) {
      html_ += "<p>";
      in_paragraph_ = true;
    }
  }

  void close_span() {
    if (span_open_) {
      html_ += "</span>";
      span_open_ = false;
    }
  }

  void close_paragraph() {
    if (in_paragraph_) {
      close_span();
      html_ += "</p>\n";
      in_paragraph_ = false;
    }
  }

  void new_paragraph() {
    if (style_.skip) return;
    if (!in_paragraph_) html_ += "<p>";
    in_paragraph_ = true;
    close_paragraph();
    plain_ += "\n";
  }

  // Opens a span whose style is the current one, when it differs from the open span's.
  void sync_style() {
    if (span_open_ && span_style_ == style_) return;
    close_span();
    std::string css;
    if (style_.bold) css += "font-weight:bold;";
    if (style_.italic) css += "font-style:italic;";
    if (style_.underline) css += "text-decoration:underline;";
    char buf[64];
    std::snprintf(buf, sizeof buf, "font-size:%dpt;", style_.half_points / 2);
    css += buf;
    if (style_.color > 0 && static_cast<std::size_t>(style_.color) < colors_.size()) {
      const Rgb& c = colors_[static_cast<std::size_t>(style_.color)];
      std::snprintf(buf, sizeof buf, "color:#%02x%02x%02x;", c.r & 0xFF, c.g & 0xFF, c.b & 0xFF);
      css += buf;
    }
    html_ += "<span style=\"" + css + "\">";
    span_open_ = true;
    span_style_ = style_;
  }

  const std::string& in_;
  std::size_t pos_ = 0;
  Style style_;
  std::vector<Style> stack_;
  std::size_t overflow_ = 0;
  bool group_start_ = false;
  int skip_pending_ = 0;
  std::size_t colortbl_depth_ = 0;
  std::vector<Rgb> colors_{Rgb{}};
  Rgb pending_color_;
  bool first_color_pending_ = true;
  std::string html_;
  std::string plain_;
  bool in_paragraph_ = false;
  bool span_open_ = false;
  Style span_style_;
};

}  // namespace

RtfDocument read_rtf(const std::string& bytes) {
  return Reader(bytes).run();
}

}  // namespace oxr
