#pragma once
// The start page: fixed 792 x 528 client area, no maximise button, centred on the desktop.
// Logo, introduction, the heated pump, START, the maker's address and the language buttons.
// It is the program's main form: when it closes, the program ends.
#include <QWidget>

#include "Tools_oxr/u_start/tstartseite.h"

class QLabel;

namespace oxr::qt {

class StartseiteWindow : public QWidget {
  Q_OBJECT
 public:
  // Sets the page's program end to quitting the application.
  explicit StartseiteWindow(TStartseite& page, QWidget* parent = nullptr);

  // Leaves the message loop at once. Qt's quit() would first close every window, and the main
  // window's close is the quit path that has just run (it would sign off and ask again).
  static void end_program();

  // Puts the window in the middle of the screen it is on.
  void centre();

 protected:
  // The close box is the page's Quit.
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TStartseite& page_;
  QLabel* web_ = nullptr;
};

}  // namespace oxr::qt
