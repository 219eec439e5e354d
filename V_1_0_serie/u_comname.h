#pragma once
// The window of the port naming dialog: renders TFormcomname's controls and passes the
// operator's typing and the OK click back to them. No cancel button, no close box.
#include <QDialog>

#include "Tools_oxr/u_comname/tformcomname.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace oxr {

class ComnameWindow final : public QDialog {
 public:
  explicit ComnameWindow(TFormcomname& logic, QWidget* parent = nullptr);

 protected:
  void reject() override;  // Escape does not close it; only OK does

 private:
  void sync_form();
  void sync_edit(int port);

  TFormcomname& logic_;
  QLabel* labels_[4] = {};
  QLineEdit* edits_[4] = {};
  QPushButton* ok_ = nullptr;
};

}  // namespace oxr
