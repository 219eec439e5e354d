#pragma once
// Every text the operator sees, in English (column 0) and German (column 1).
// Texts are UTF-8 in memory; "\n" and "\r" stand as the texts have them.
// Every lookup takes lang 0 as English and any other value as German.
#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace oxr {

inline constexpr int kMessageCount = 92;
inline constexpr int kStatusCodeCount = 20;

// Message k in language lang (0 = English, 1 = German). k outside 0..91 throws.
const std::string& message_text(int lang, int k);

// Texts the program has beyond the message table, kept apart from it so the table's 92
// numbers stay as they are. "%1", "%2", ... stand for values filled in by fill_in.
enum class AddedText {
  JournalNotWritable,   // %1 cycle name, %2 journal file, %3 the system's reason
  JournalRecovered,     // %1 cycle name, %2 number of measured values, %3 data file
  JournalUnreadable,    // %1 cycle name, %2 journal file
  JournalNotRecovered,  // %1 cycle name, %2 data file, %3 the system's reason, %4 journal file
};
const std::string& added_text(int lang, AddedText which);
// text with "%1" .. "%9" replaced by values[0] .. values[8]; other "%" stay.
std::string fill_in(std::string_view text, std::initializer_list<std::string_view> values);

// The controller status texts in language lang (entry 4 is message 83 of that language).
// A code outside 0..19 (a garbled frame) gives an empty text rather than a bad read.
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
  std::array<std::string, 2> table_full;  // shown joined by "\r"
  std::string overlap;
  std::string start_past;
};
const EditorTexts& editor_texts(int lang);

// Captions of the main window in one language. Button1 is set by the main window's show,
// not by the caption routines; But_start/But_stop and the preheating buttons' German texts
// are the controls' own texts from creation.
struct MainCaptions {
  // Menu items.
  std::string DateiZyklus1, Neu1, ffnen1, Speichern1, Drucken1, Beenden1;
  std::string Bearbeiten1, Ausschneiden1, Kopieren1, Einfgen1;
  std::string Einstellungen1, AuswahlSchnittstelle1, ComName1;
  std::string N4, Hilfe1;
  // Controls.
  std::string RadioBut_C, RadioBut_F;
  std::string Label_cycle, Label_start, Label_starttime, Label_duration, Label_endless;
  std::string Label_target1, Label_target2, Label_hyst1, Label_hyst2;
  std::string Label_prea, RadioBut_prea_off, RadioBut_prea_on, Label_comment;
  std::string But_new, But_open, But_save, But_print, But_takeover;
  std::array<std::string, 6> memo_headers;  // Memo1..Memo6, lines split at "\r\n"
  std::string Label_act1, Label_act2;
  std::string But_start, But_stop;
  std::string open_dialog_title, save_dialog_title;
  std::string Button1;
};
const MainCaptions& main_captions(int lang);

// The caption of one main window control by its name in the look of language lang
// (design-time texts included); nullptr for a name the table does not hold.
const char* main_caption(int lang, std::string_view control_name);

// Texts of the start page and the start question in one language.
struct StartTexts {
  std::vector<std::string> intro_lines;                // Einfuehrungstext
  std::vector<std::string> address_lines;              // Adresstext
  bool logo_de_visible = false;                        // OXR_Logo
  bool logo_en_visible = false;                        // OXR_LogoE
  bool deutsch_enabled = false;                        // But_Deutsch
  bool englisch_enabled = false;                       // But_Englisch
  std::string start_caption;                           // But_start
  std::string quit_caption;                            // But_abbrechen
  std::string pump_hint;                               // Pumpe
  std::string logo_hint;                               // OXR_Logo
  std::string question_line1;                          // Labelq1
  std::string question_line2;                          // Labelq2
  std::string yes_caption, no_caption, abort_caption;  // But_yes, But_no, But_abort
  std::string chart_bottom_title;
  std::string chart_title;
  double chart_left_min = 0.0;
  double chart_left_max = 0.0;
};
const StartTexts& start_texts(int lang);

// Window captions by message number.
inline constexpr int kMainWindowCaptionMsg = 1;
inline constexpr int kStartPageCaptionMsg = 2;
inline constexpr int kStartQuestionCaptionMsg = 3;
inline constexpr int kStopWindowCaptionMsg = 4;
inline constexpr int kHelpWindowCaptionMsg = 5;

// The maker, shown on the start page (Label1 as text, Label2 opens the web address).
inline constexpr const char* kMakerEmail = "info@oxr-pumps.example.com";
inline constexpr const char* kMakerWebAddress = "https://www.oxr-pumps.example.com";

// The relabelled items of the open or save file dialog; German whenever lang is not 0.
struct FileDialogLabels {
  std::string ok;      // item 1
  std::string cancel;  // item 2
  std::string type;    // item 1089
  std::string name;    // item 1090
  std::string folder;  // item 1091
};
const FileDialogLabels& open_dialog_labels(int lang);
const FileDialogLabels& save_dialog_labels(int lang);

// Texts that read the same in both languages.
inline constexpr const char* kNewCycleHint = "Neuer Zyklus";  // tool button hint
inline constexpr std::array<const char*, 4> kEditActionCaptions = {"&Kopieren", "&Ausschneiden",
                                                                   "&Einfügen", "&Rückgängig"};
inline constexpr const char* kSeries1Title = "Temp. 1";
inline constexpr const char* kSeries2Title = "Temp. 2";
inline constexpr const char* kStatusPrefix = "Status: ";

// Accessible names of the controls without a text of their own (spin buttons, the STOP
// picture button BBStop, the pictures, the help text) by control name; nullptr for a name not
// in the table. Labels and memos are read out by their own text.
const char* accessible_name(int lang, std::string_view control_name);
// The spin buttons in the order of their auto-repeat scan (date up first, hysteresis 2 down last).
inline constexpr std::array<const char*, 18> kSpinButtonNames = {
    "SpeButdateup",    "SpeButdatedown",    "SpeButtimehourup", "SpeButtimehourdown",
    "SpeButtimeminup", "SpeButtimemindown", "SpeButdurhourup",  "SpeButdurhourdown",
    "SpeButdurminup",  "SpeButdurmindown",  "SpeButset1up",     "SpeButset1down",
    "SpeButset2up",    "SpeButset2down",    "SpeButhyst1up",    "SpeButhyst1down",
    "SpeButhyst2up",   "SpeButhyst2down"};
// Schedule table cell MaskEdit<row><column> (both 1-based), e.g. "Zeile 1, Zyklus".
std::string cell_accessible_name(int lang, int row, int column);

}  // namespace oxr
