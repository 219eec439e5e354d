#pragma once
// The about box: dialog-style, client area 352 x 200, centred on the screen, shown modally
// from the main window's Info menu. A bevelled panel with the program picture of the
// language, product name, version and a line of text; OK closes it.
#include <QDialog>

#include "Tools_oxr/u_about/taboutbox.h"

namespace oxr::qt {

class AboutBoxWindow : public QDialog {
  Q_OBJECT
 public:
  // Sets the box's run_modal to this dialog's own modal loop.
  explicit AboutBoxWindow(TAboutBox& box, QWidget* parent = nullptr);
  void centre();

 protected:
  // Escape and the close box close the box through its model (the result stays None).
  void reject() override;

 private:
  void sync();

  TAboutBox& box_;
};

}  // namespace oxr::qt
