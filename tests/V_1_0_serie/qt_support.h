#pragma once
// The shared application object of the Qt tests, and operator-side input.
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include "tests/V_1_0_serie/qt_app.h"

namespace oxr::test {

inline QApplication& qt_app() {
  ensure_application();
  return *static_cast<QApplication*>(QCoreApplication::instance());
}

// A left click in the middle of the widget, delivered to its window as the window system
// does, so the window finds the widget under the pointer and gives it the focus.
inline void click(QWidget* w) {
  QWidget* top = w->window();
  QWindow* handle = top->windowHandle();
  const QPointF local(w->width() / 2.0, w->height() / 2.0);
  const QPointF at = handle ? QPointF(w->mapTo(top, local.toPoint())) : local;
  const QPointF global = w->mapToGlobal(local);
  QObject* target = handle ? static_cast<QObject*>(handle) : w;
  QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(target, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(target, &release);
}

inline void press_key(QWidget* w, int key, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &release);
}

inline void type_text(QWidget* w, const QString& text) {
  for (QChar c : text) press_key(w, c.toUpper().unicode(), QString(c));
}

// Shows a window and makes it the active one, so focus moves as it does for an operator.
inline void show_active(QWidget* window) {
  window->show();
  window->activateWindow();
  QApplication::setActiveWindow(window);
  QCoreApplication::processEvents();
}

}  // namespace oxr::test
