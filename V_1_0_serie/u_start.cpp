#include "V_1_0_serie/u_start.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "V_1_0_serie/qt/bind.h"

namespace oxr::qt {

namespace {

// Picture frames at the pictures' own proportions (logo 3:1, pump 4:3).
constexpr QSize kLogoFrame(240, 80);
constexpr QSize kPumpFrame(300, 225);

QLabel* make_memo(Memo& m, QWidget* parent) {
  auto* w = new QLabel(parent);
  w->setTextFormat(Qt::PlainText);
  w->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Read-only text of the page; the operator can still select and copy it.
  w->setTextInteractionFlags(Qt::TextSelectableByMouse);
  bind(w, m);
  return w;
}

QPushButton* make_button(Button& m, QWidget* parent, int min_width) {
  auto* w = new QPushButton(parent);
  w->setMinimumWidth(min_width);
  bind(w, m);
  return w;
}

}  // namespace

StartseiteWindow::StartseiteWindow(TStartseite& page, QWidget* parent)
    : QWidget(parent), page_(page) {
  // No maximise button: the page has its one size.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(page_.form.client_width(), page_.form.client_height());

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 12, 16, 12);
  layout->setSpacing(10);

  // Logo (German and English in the same place) and the language buttons.
  auto* top = new QHBoxLayout;
  for (Image* logo : {&page_.OXR_Logo, &page_.OXR_LogoE}) {
    auto* frame = new QLabel(this);
    frame->setFixedSize(kLogoFrame);
    bind(frame, *logo);
    top->addWidget(frame, 0, Qt::AlignTop);
  }
  top->addStretch();
  top->addWidget(make_button(page_.But_Deutsch, this, 100), 0, Qt::AlignTop);
  top->addWidget(make_button(page_.But_Englisch, this, 100), 0, Qt::AlignTop);
  layout->addLayout(top);

  layout->addWidget(make_memo(page_.Einfuehrungstext, this));

  // The pump beside START.
  auto* middle = new QHBoxLayout;
  auto* pump = new QLabel(this);
  pump->setFixedSize(kPumpFrame);
  bind(pump, page_.Pumpe);
  middle->addWidget(pump);
  middle->addStretch();
  auto* start = make_button(page_.But_start, this, 0);
  QFont big = start->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 2.0);
  start->setFont(big);
  start->setFixedSize(220, 70);
  start->setDefault(true);
  // START has the keyboard focus when the page comes up: Enter or Space starts.
  start->setFocus();
  middle->addWidget(start, 0, Qt::AlignVCenter);
  middle->addStretch();
  layout->addLayout(middle, 1);

  // The maker: address, e-mail, web address (a link), and Quit.
  auto* bottom = new QGridLayout;
  bottom->setHorizontalSpacing(16);
  bottom->setVerticalSpacing(2);
  bottom->addWidget(make_memo(page_.Adresstext, this), 0, 0, 1, 2);
  auto* mail = new QLabel(this);
  mail->setTextInteractionFlags(Qt::TextSelectableByMouse);
  bind(mail, page_.Label1);
  bottom->addWidget(mail, 1, 0);
  web_ = new QLabel(this);
  bind(web_, page_.Label2);
  web_->setCursor(Qt::PointingHandCursor);
  // Reachable from the keyboard too: Tab to it, Enter or Space opens it.
  web_->setFocusPolicy(Qt::StrongFocus);
  web_->installEventFilter(this);
  QPalette link = web_->palette();
  link.setColor(QPalette::WindowText, link.color(QPalette::Link));
  web_->setPalette(link);
  QFont underlined = web_->font();
  underlined.setUnderline(true);
  web_->setFont(underlined);
  bottom->addWidget(web_, 1, 1);
  bottom->setColumnStretch(2, 1);
  bottom->addWidget(make_button(page_.But_abbrechen, this, 100), 0, 3, 2, 1,
                    Qt::AlignRight | Qt::AlignBottom);
  layout->addLayout(bottom);

  page_.on_program_end = [] { end_program(); };
  bind_window(this, page_.form);
  centre();
}

void StartseiteWindow::end_program() { QCoreApplication::exit(0); }

void StartseiteWindow::centre() {
  const QScreen* s = screen();
  if (!s) return;
  const QRect area = s->availableGeometry();
  move(area.center() - QPoint(width() / 2, height() / 2));
}

void StartseiteWindow::closeEvent(QCloseEvent* event) {
  // The page's own close hides the window and ends the program.
  event->ignore();
  page_.close();
}

bool StartseiteWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == web_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
      page_.Label2.click();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace oxr::qt
