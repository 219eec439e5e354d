#pragma once
// The help window: the rich-text help file of the current language, freshly loaded every
// time the window becomes active, beside the main window (not modal).
#include <cstdint>
#include <filesystem>
#include <string>

#include "Tools_oxr/rtf_reader.h"
#include "Tools_oxr/u_zyklus/tformzyklus.h"
#include "platform/controls.h"

namespace oxr {

// A read-only rich-text box: the document as HTML for the view, and its plain text.
class RichTextBox : public Control {
 public:
  using Control::Control;
  const std::string& html() const { return html_; }
  const std::string& plain_text() const { return plain_text_; }
  // The file the contents came from; empty before the first load.
  const std::filesystem::path& source() const { return source_; }
  void set_document(const RtfDocument& doc, const std::filesystem::path& source);

 private:
  std::string html_;
  std::string plain_text_;
  std::filesystem::path source_;
};

class TFormHelp {
 public:
  // data_dir: the installed data folder, searched when the working directory holds no help
  // file of the language (empty = none). Wires the main window's Hilfe1 menu item.
  TFormHelp(TFormzyklus& main_window, std::filesystem::path data_dir);
  TFormHelp(const TFormHelp&) = delete;
  TFormHelp& operator=(const TFormHelp&) = delete;

  // Minimise button and system menu only; caption message 5 (set by the main window's texts).
  Form form{"FormHelp", 800, 568};
  // Fills the window, with a vertical scroll bar.
  RichTextBox RichEdit1{"RichEdit1"};

  // Menu item Hilfe1 and the help tool button: show the window, not modal, and bring it up.
  void Hilfe1Click();
  // Every activation: load the help file of the current language, replacing the contents;
  // when none can be loaded, say so and keep what is shown.
  // The Qt layer calls it when the window becomes active, but not when it only becomes active
  // again because a message box of its own closed (that would ask at once once more).
  void FormActivate();

  // The help file of a language (0 English, otherwise German) and its missing-file message.
  static const char* help_file_name(int lang);
  static const char* missing_file_message(int lang);

  // Larger files are no help file of ours; refusing them keeps a stray file from stalling.
  static constexpr std::uintmax_t kMaxHelpFileBytes = 4u * 1024u * 1024u;

 private:
  // The document of the first candidate file that reads as rich text.
  bool load(int lang);

  TFormzyklus& main_;
  std::filesystem::path data_dir_;
  bool reporting_ = false;  // a missing-file message is up
};

}  // namespace oxr
