#pragma once
// The STOP window: client area 120 x 97, single border, no caption buttons, always on top;
// one picture button fills it. It stands at the main window's left + 660 and top + 390 and
// comes to the front whenever the application loses the focus while it shows.
#include <QWidget>

#include "Tools_oxr/u_stop/tformstop.h"

namespace oxr::qt {

class FormStopWindow : public QWidget {
  Q_OBJECT
 public:
  // main_window: whose frame the window is placed against.
  FormStopWindow(TFormStop& stop, QWidget* main_window, QWidget* parent = nullptr);

 protected:
  // The operator cannot close it; only STOP and the quit do, through the model.
  void closeEvent(QCloseEvent* event) override;

 private:
  TFormStop& stop_;
};

// The application's deactivation handler of the main window (it brings the STOP window to the
// front while that shows): called whenever the application stops being the active one.
void install_deactivation_handler(TFormzyklus& main, QObject* context);

}  // namespace oxr::qt
