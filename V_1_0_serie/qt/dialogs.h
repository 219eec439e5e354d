#pragma once
// The boxes and file dialogs with Qt: QMessageBox for the OK box and the confirmation, the
// non-native QFileDialog (its items can be relabelled on every platform) and QPrintDialog on
// the program's printer (qt_printing.h).
// Each runs a nested event loop, so the window timers go on firing while it is up.
#include <QString>
#include <QStringList>
#include <memory>

#include "platform/dialogs.h"

class QFileDialog;
class QWidget;

namespace oxr::qt {

// "OXR files (*.oxr)|*.oxr|All (*.*)|*.*" as Qt name filters; a description that does not
// show its patterns gets them appended, as Qt takes the patterns from the brackets.
QStringList name_filters(const std::string& toolkit_filter);

class QtDialogs final : public Dialogs {
 public:
  // `title` is the caption of the OK boxes (the application title).
  explicit QtDialogs(QString title);
  ~QtDialogs() override;

  void message(const std::string& text) override;
  bool confirm(const ConfirmRequest& request) override;
  std::optional<std::string> open_file(const FileDialogRequest& request) override;
  std::optional<std::string> save_file(const FileDialogRequest& request) override;
  bool print_dialog() override;

  // Builds the file dialog as open_file/save_file show it (exposed so its labels can be checked).
  static std::unique_ptr<QFileDialog> make_file_dialog(const FileDialogRequest& request,
                                                       bool save, QWidget* parent);

 private:
  QString title_;
};

}  // namespace oxr::qt
