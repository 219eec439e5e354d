#pragma once
// Modal boxes and file dialogs. The logic asks, the implementation answers with plain values.
// Tests use ScriptedDialogs; the program uses the Qt implementation.
#include <optional>
#include <string>

namespace oxr {

struct ConfirmRequest {
  std::string caption;
  std::string text;
  std::string yes_label;
  std::string no_label;
};

struct FileDialogRequest {
  std::string title;
  std::string filter;         // for example "OXR files (*.oxr)|*.oxr"
  std::string default_ext;    // for example "oxr"
  std::string initial_dir;    // empty = the working directory
  std::string initial_name;
  // Relabelled items of the dialog.
  std::string ok_label;
  std::string cancel_label;
  std::string type_label;
  std::string name_label;
  std::string folder_label;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Message box with one OK button; returns when it is closed.
  virtual void message(const std::string& text) = 0;
  // Confirmation box without a close box; true = the Yes button.
  virtual bool confirm(const ConfirmRequest& request) = 0;
  // The chosen path, or nothing when cancelled.
  virtual std::optional<std::string> open_file(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> save_file(const FileDialogRequest& request) = 0;
  // The print dialog; true when the operator chose to print.
  virtual bool print_dialog() = 0;
};

}  // namespace oxr
