#pragma once
// The start page: fixed 792 × 528 client area, no maximise button, centred on the desktop.
// It is the program's main form: when its model is closed, the program ends.
#include <QWidget>

#include "platform/controls.h"

namespace oxr::qt {

// The start page's controls as its logic holds them.
struct StartPageControls {
  Form& form;
  Button& But_start;
  Button& But_abbrechen;
  Button& But_Deutsch;
  Button& But_Englisch;
};

class StartseiteWindow : public QWidget {
  Q_OBJECT
 public:
  explicit StartseiteWindow(StartPageControls controls, QWidget* parent = nullptr);

  // Puts the window in the middle of the screen it is on.
  void centre();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  StartPageControls c_;
};

}  // namespace oxr::qt
