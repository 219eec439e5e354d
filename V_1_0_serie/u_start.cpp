#include "V_1_0_serie/u_start.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "V_1_0_serie/qt/bind.h"

namespace oxr::qt {

StartseiteWindow::StartseiteWindow(StartPageControls controls, QWidget* parent)
    : QWidget(parent), c_(controls) {
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(c_.form.client_width(), c_.form.client_height());

  auto* layout = new QVBoxLayout(this);
  auto* languages = new QHBoxLayout;
  languages->addStretch();
  for (Button* b : {&c_.But_Deutsch, &c_.But_Englisch}) {
    auto* w = new QPushButton(this);
    w->setMinimumWidth(100);
    bind(w, *b);
    languages->addWidget(w);
  }
  layout->addLayout(languages);
  layout->addStretch();

  auto* start = new QPushButton(this);
  QFont big = start->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 2.0);
  start->setFont(big);
  start->setFixedSize(220, 70);
  bind(start, c_.But_start);
  layout->addWidget(start, 0, Qt::AlignHCenter);
  layout->addStretch();

  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  auto* quit = new QPushButton(this);
  quit->setMinimumWidth(100);
  bind(quit, c_.But_abbrechen);
  bottom->addWidget(quit);
  layout->addLayout(bottom);

  // Closing the main form ends the program, whoever closes it (the close box, Quit, or the
  // main window's quit path).
  auto query = std::move(c_.form.OnCloseQuery);
  c_.form.OnCloseQuery = [query = std::move(query)] {
    if (query && !query()) return false;
    QCoreApplication::quit();
    return true;
  };
  centre();
  bind_window(this, c_.form);
}

void StartseiteWindow::centre() {
  const QScreen* s = screen();
  if (!s) return;
  const QRect area = s->availableGeometry();
  move(area.center() - QPoint(width() / 2, height() / 2));
}

void StartseiteWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  c_.form.close();
}

}  // namespace oxr::qt
