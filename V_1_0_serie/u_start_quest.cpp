#include "V_1_0_serie/u_start_quest.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "V_1_0_serie/qt/bind.h"

namespace oxr::qt {

FormquestWindow::FormquestWindow(TFormquest& question, QWidget* parent)
    : QWidget(parent), question_(question) {
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(question_.form.client_width(), question_.form.client_height());

  // The window is small: tight margins, and the long second line wraps.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 4, 8, 6);
  layout->setSpacing(2);
  for (Label* line : {&question_.Labelq1, &question_.Labelq2}) {
    auto* w = new QLabel(this);
    w->setWordWrap(true);
    bind(w, *line);
    layout->addWidget(w);
  }
  layout->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(8);
  buttons->addStretch();
  for (Button* b : {&question_.But_yes, &question_.But_no, &question_.But_abort}) {
    auto* w = new QPushButton(this);
    w->setMinimumWidth(90);
    bind(w, *b);
    buttons->addWidget(w);
  }
  buttons->addStretch();
  layout->addLayout(buttons);

  bind_window(this, question_.form);
  centre();
}

void FormquestWindow::centre() {
  const QScreen* s = screen();
  if (!s) return;
  const QRect area = s->availableGeometry();
  move(area.center() - QPoint(width() / 2, height() / 2));
}

void FormquestWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  question_.But_abort.click();
}

}  // namespace oxr::qt
