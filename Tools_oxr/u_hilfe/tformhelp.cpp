#include "Tools_oxr/u_hilfe/tformhelp.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>
#include <vector>

#include "Tools_oxr/texts.h"

namespace oxr {

namespace {

// The whole file, or nothing when it is missing, not a regular file, too large or unreadable.
std::optional<std::string> read_whole(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec || size > TFormHelp::kMaxHelpFileBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace

void RichTextBox::set_document(const RtfDocument& doc, const std::filesystem::path& source) {
  html_ = doc.html;
  plain_text_ = doc.plain_text;
  source_ = source;
  changed();
}

TFormHelp::TFormHelp(TFormzyklus& main_window, std::filesystem::path data_dir)
    : main_(main_window), data_dir_(std::move(data_dir)) {
  form.set_caption(message_text(main_.lang_index, kHelpWindowCaptionMsg));
  main_.help_form = &form;
  main_.Hilfe1.OnClick = [this] { Hilfe1Click(); };
}

const char* TFormHelp::help_file_name(int lang) {
  return lang == 0 ? "oxrhelpe.rtf" : "oxrhelpd.rtf";
}

const char* TFormHelp::missing_file_message(int lang) {
  return lang == 0 ? "Helpfile not in directory" : "Hilfedatei nicht vorhanden";
}

void TFormHelp::Hilfe1Click() {
  RichEdit1.set_accessible_name(accessible_name(main_.lang_index, RichEdit1.name()));
  form.show();
  form.set_focus();  // already open behind the main window: bring it up
}

void TFormHelp::FormActivate() {
  if (reporting_) return;  // activated again from under its own message box
  const int lang = main_.lang_index;
  if (load(lang)) return;
  reporting_ = true;
  main_.env.dialogs.message(missing_file_message(lang));
  reporting_ = false;
}

bool TFormHelp::load(int lang) {
  std::vector<std::filesystem::path> candidates{main_.env.work_dir / help_file_name(lang)};
  if (!data_dir_.empty()) candidates.push_back(data_dir_ / help_file_name(lang));
  for (const auto& path : candidates) {
    const std::optional<std::string> bytes = read_whole(path);
    if (!bytes) continue;
    const RtfDocument doc = read_rtf(*bytes);
    // Something that is not rich text would show as a screen of control words.
    if (!doc.looked_like_rtf) continue;
    RichEdit1.set_document(doc, path);
    return true;
  }
  return false;
}

}  // namespace oxr
