#include "V_1_0_serie/qt/qt_printing.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QWidget>

namespace oxr::qt {

namespace {
QPrinter* the_printer = nullptr;

// Window systems whose screen can be read back, decoration included.
bool screen_readable() {
  const QString platform = QGuiApplication::platformName();
  return platform == QLatin1String("xcb") || platform == QLatin1String("windows");
}
}  // namespace

QPrinter& application_printer() {
  if (!the_printer) {
    the_printer = new QPrinter(QPrinter::HighResolution);
    the_printer->setPageOrientation(QPageLayout::Landscape);
    // Gone before the print system is torn down with the application.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] {
      delete the_printer;
      the_printer = nullptr;
    });
  }
  return *the_printer;
}

bool run_print_dialog(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  return dialog.exec() == QDialog::Accepted;
}

QImage grab_window_as_shown(QWidget* window) {
  // What the dialog covered is painted again before the copy is taken.
  QCoreApplication::processEvents();
  window->repaint();
  if (screen_readable() && window->isVisible() && !window->isMinimized()) {
    if (QScreen* screen = window->screen()) {
      const QRect frame = window->frameGeometry();
      const QPoint at = frame.topLeft() - screen->geometry().topLeft();
      const QPixmap shot = screen->grabWindow(0, at.x(), at.y(), frame.width(), frame.height());
      if (!shot.isNull()) return shot.toImage();
    }
  }
  return window->grab().toImage();
}

void draw_page(QPainter& painter, const QSize& page, const QImage& image) {
  if (image.isNull() || page.height() <= kPageTopMarginPx || page.width() <= 0) return;
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const QRectF target(0, kPageTopMarginPx, page.width(), page.height() - kPageTopMarginPx);
  painter.drawImage(target, image, QRectF(image.rect()));
}

bool print_page(QPrinter& printer, const QImage& image, const QString& title) {
  printer.setPageOrientation(QPageLayout::Landscape);
  printer.setDocName(title);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  draw_page(painter, QSize(printer.width(), printer.height()), image);
  return painter.end();
}

}  // namespace oxr::qt
