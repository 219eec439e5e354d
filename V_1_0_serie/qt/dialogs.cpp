#include "V_1_0_serie/qt/dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "V_1_0_serie/qt/bind.h"
#include "V_1_0_serie/qt/qt_printing.h"

namespace oxr::qt {

namespace {

QWidget* box_parent() { return QApplication::activeWindow(); }

}  // namespace

QStringList name_filters(const std::string& toolkit_filter) {
  const QStringList parts = to_qt(toolkit_filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    QString patterns = parts[i + 1].trimmed();
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    if (!description.contains(QLatin1Char('(')))
      description += QStringLiteral(" (") + patterns + QLatin1Char(')');
    filters << description;
  }
  return filters;
}

QtDialogs::QtDialogs(QString title) : title_(std::move(title)) {}
QtDialogs::~QtDialogs() = default;

void QtDialogs::message(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, title_, display_text(text), QMessageBox::Ok, box_parent());
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

bool QtDialogs::confirm(const ConfirmRequest& request) {
  QMessageBox box(box_parent());
  box.setIcon(QMessageBox::Question);
  box.setWindowTitle(to_qt(request.caption));
  box.setTextFormat(Qt::PlainText);
  box.setText(display_text(request.text));
  QPushButton* yes = box.addButton(to_qt(request.yes_label), QMessageBox::YesRole);
  QPushButton* no = box.addButton(to_qt(request.no_label), QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  // No close box: the operator answers with one of the two buttons.
  box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  box.exec();
  return box.clickedButton() == yes;
}

std::unique_ptr<QFileDialog> QtDialogs::make_file_dialog(const FileDialogRequest& request,
                                                         bool save, QWidget* parent) {
  auto dialog = std::make_unique<QFileDialog>(parent, to_qt(request.title));
  dialog->setOption(QFileDialog::DontUseNativeDialog, true);
  // The program asks about overwriting itself, with its own texts.
  dialog->setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog->setDirectory(request.initial_dir.empty() ? QDir::currentPath()
                                                   : to_qt(request.initial_dir));
  const QStringList filters = name_filters(request.filter);
  if (!filters.isEmpty()) dialog->setNameFilters(filters);
  if (!request.default_ext.empty()) dialog->setDefaultSuffix(to_qt(request.default_ext));
  if (!request.initial_name.empty()) dialog->selectFile(to_qt(request.initial_name));
  const auto relabel = [&](QFileDialog::DialogLabel label, const std::string& text) {
    if (!text.empty()) dialog->setLabelText(label, to_qt(text));
  };
  relabel(QFileDialog::Accept, request.ok_label);
  relabel(QFileDialog::Reject, request.cancel_label);
  relabel(QFileDialog::FileType, request.type_label);
  relabel(QFileDialog::FileName, request.name_label);
  relabel(QFileDialog::LookIn, request.folder_label);
  return dialog;
}

std::optional<std::string> QtDialogs::open_file(const FileDialogRequest& request) {
  auto dialog = make_file_dialog(request, false, box_parent());
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
  return from_qt(dialog->selectedFiles().first());
}

std::optional<std::string> QtDialogs::save_file(const FileDialogRequest& request) {
  auto dialog = make_file_dialog(request, true, box_parent());
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
  return from_qt(dialog->selectedFiles().first());
}

bool QtDialogs::print_dialog() { return run_print_dialog(application_printer(), box_parent()); }

}  // namespace oxr::qt
