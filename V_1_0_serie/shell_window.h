#pragma once
// A window that exists for the whole run with its name, caption and client size, before its
// controls are built (about box, start question, help, STOP window, COM names dialog).
#include <QWidget>

namespace oxr::qt {

class ShellWindow : public QWidget {
  Q_OBJECT
 public:
  ShellWindow(const QString& name, const QString& caption, QSize client,
              Qt::WindowFlags flags = Qt::Window, QWidget* parent = nullptr);
};

}  // namespace oxr::qt
