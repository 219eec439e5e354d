#pragma once
// The start question: fixed 387 x 99 client area, no maximise button, centred on the desktop,
// not modal. Two lines of question and Yes / No / Abort.
#include <QWidget>

#include "Tools_oxr/u_start_quest/tformquest.h"

namespace oxr::qt {

class FormquestWindow : public QWidget {
  Q_OBJECT
 public:
  explicit FormquestWindow(TFormquest& question, QWidget* parent = nullptr);
  void centre();

 protected:
  // The close box is Abort: the start page stays.
  void closeEvent(QCloseEvent* event) override;

 private:
  TFormquest& question_;
};

}  // namespace oxr::qt
