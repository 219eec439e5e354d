#pragma once
// Every text the operator sees, in English (column 0) and German (column 1).
// Texts are UTF-8 in memory; "\n" and "\r" stand as the texts have them.
#include <array>
#include <string>

namespace oxr {

inline constexpr int kMessageCount = 92;
inline constexpr int kStatusCodeCount = 20;

// Message k in language lang (0 = English, 1 = German).
const std::string& message_text(int lang, int k);

// The controller status texts in language lang (entry 4 is message 83 of that language).
const std::string& status_code_text(int lang, int code);

// The editor text set of one language (German or English).
struct EditorTexts {
  std::string comment_too_long;
  std::array<std::string, 2> date_limit;
  std::string bad_date;
  std::string bad_time;
  std::string bad_duration;
  std::array<std::string, 4> set_range;
  std::array<std::string, 4> hyst_range;
  std::array<std::string, 2> table_full;
  std::string overlap;
  std::string start_past;
};
const EditorTexts& editor_texts(int lang);

// Captions of the main window's controls, by control name, in one language.
// Returns nullptr for a control that the language routine does not set.
const char* main_caption(int lang, const std::string& control_name);

}  // namespace oxr
