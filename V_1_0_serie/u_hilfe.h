#pragma once
// The help window: 800 x 568, minimise button and system menu only, not modal; the help
// text of the language fills it, with a vertical scroll bar. It reloads its file every time
// it becomes active.
#include <QWidget>

#include "Tools_oxr/u_hilfe/tformhelp.h"

class QTextBrowser;

namespace oxr::qt {

class FormHelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit FormHelpWindow(TFormHelp& help, QWidget* parent = nullptr);
  QTextBrowser* text() { return text_; }

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void activated();

  TFormHelp& help_;
  QTextBrowser* text_ = nullptr;
  // Activation bookkeeping: the missing-file box takes the activation away and gives it back
  // when it closes, and that return is no new activation.
  bool in_activate_ = false;
  bool left_inside_ = false;
  bool back_inside_ = false;
  bool skip_next_ = false;
};

}  // namespace oxr::qt
