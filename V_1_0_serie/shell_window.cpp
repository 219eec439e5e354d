#include "V_1_0_serie/shell_window.h"

namespace oxr::qt {

ShellWindow::ShellWindow(const QString& name, const QString& caption, QSize client,
                         Qt::WindowFlags flags, QWidget* parent)
    : QWidget(parent, flags) {
  setObjectName(name);
  setWindowTitle(caption);
  setFixedSize(client);
}

}  // namespace oxr::qt
