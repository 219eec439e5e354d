#include "V_1_0_serie/u_about.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "V_1_0_serie/qt/bind.h"

namespace oxr::qt {

namespace {
constexpr QSize kPictureFrame(300, 49);
}

AboutBoxWindow::AboutBoxWindow(TAboutBox& box, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      box_(box) {
  setObjectName(to_qt(box_.form.name()));
  setFixedSize(box_.form.client_width(), box_.form.client_height());

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(6);
  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  auto* inside = new QVBoxLayout(panel);
  inside->setContentsMargins(10, 6, 10, 6);
  inside->setSpacing(2);
  // German and English picture in the same place; the box's show makes one visible.
  for (Image* picture : {&box_.ProgramiconD, &box_.ProgramiconE}) {
    auto* frame = new QLabel(panel);
    frame->setFixedSize(kPictureFrame);
    bind(frame, *picture);
    frame->setFrameShape(QFrame::NoFrame);  // the panel frames it; the picture fills its place
    inside->addWidget(frame, 0, Qt::AlignHCenter);
  }
  for (Label* line : {&box_.ProductName, &box_.Version, &box_.Copyright}) {
    auto* w = new QLabel(panel);
    w->setAlignment(Qt::AlignHCenter);
    bind(w, *line);
    inside->addWidget(w);
  }
  QFont bold = findChild<QLabel*>(QStringLiteral("ProductName"))->font();
  bold.setBold(true);
  findChild<QLabel*>(QStringLiteral("ProductName"))->setFont(bold);
  layout->addWidget(panel, 1);

  auto* ok = new QPushButton(this);
  ok->setMinimumWidth(80);
  ok->setDefault(true);
  ok->setAutoDefault(true);
  bind(ok, box_.OKButton);
  layout->addWidget(ok, 0, Qt::AlignHCenter);

  box_.run_modal = [this] {
    centre();
    sync();
    exec();
  };
  // The box shows itself through run_modal (a dialog shown before exec would not be
  // modal); the model's close hides it, which ends exec.
  box_.form.on_model_changed = [this] { sync(); };
  sync();
}

void AboutBoxWindow::sync() {
  setWindowTitle(to_qt(box_.form.caption()));
  if (!box_.form.visible() && isVisible()) hide();
}

void AboutBoxWindow::centre() {
  const QScreen* s = screen();
  if (!s) return;
  const QRect area = s->availableGeometry();
  move(area.center() - QPoint(width() / 2, height() / 2));
}

void AboutBoxWindow::reject() { box_.form.close(); }

}  // namespace oxr::qt
