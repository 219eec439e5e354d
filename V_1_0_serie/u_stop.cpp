#include "V_1_0_serie/u_stop.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>

#include "V_1_0_serie/qt/bind.h"
#include "V_1_0_serie/qt/picture.h"

namespace oxr::qt {

FormStopWindow::FormStopWindow(TFormStop& stop, QWidget* main_window, QWidget* parent)
    : QWidget(parent), stop_(stop) {
  // A title bar for the caption, but no buttons in it.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowStaysOnTopHint);
  setFixedSize(stop_.form.client_width(), stop_.form.client_height());

  auto* button = new QPushButton(this);
  button->setGeometry(0, 0, width(), height());
  const QImage glyph = load_picture(TFormStop::kGlyph);
  if (!glyph.isNull()) {
    button->setIcon(QIcon(QPixmap::fromImage(glyph)));
    button->setIconSize(QSize(height() - 8, height() - 8));
  } else {
    stop_.BBStop.set_caption("STOP");  // the glyph is missing: the word does
  }
  bind(button, stop_.BBStop);

  QPointer<QWidget> main_frame(main_window);
  stop_.main_window_position = [main_frame] {
    if (!main_frame) return ScreenPoint{};
    const QPoint at = main_frame->frameGeometry().topLeft();
    return ScreenPoint{at.x(), at.y()};
  };
  stop_.on_placed = [this] { move(stop_.position.x, stop_.position.y); };
  // Above the other programs' windows, without taking the focus from them.
  stop_.on_bring_to_front = [this] { raise(); };
  bind_window(this, stop_.form);
}

void FormStopWindow::closeEvent(QCloseEvent* event) { event->ignore(); }

void install_deactivation_handler(TFormzyklus& main, QObject* context) {
  QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged, context,
                   [&main](Qt::ApplicationState state) {
                     if (state != Qt::ApplicationActive) main.ApplicationDeactivate();
                   });
}

}  // namespace oxr::qt
