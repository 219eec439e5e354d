#pragma once
// Page printing with Qt: the print dialog, the main window copied as it is on screen, and one
// landscape page with that image stretched below a blank top band.
#include <QImage>
#include <QSize>
#include <QString>

class QPainter;
class QPrinter;
class QWidget;

namespace oxr::qt {

// The program's one printer: the print dialog sets it up, page printing draws on it.
QPrinter& application_printer();

// Qt's own print dialog (with "print to file"); true when the operator chose to print.
bool run_print_dialog(QPrinter& printer, QWidget* parent);

// The window as it is on screen after its pending repaints: frame, title bar and menu where
// the window system lets us read the screen (X11, Windows), the window's own contents
// (menu bar included) elsewhere.
QImage grab_window_as_shown(QWidget* window);

// Top band of the page left blank, in device pixels.
inline constexpr int kPageTopMarginPx = 100;

// `image` stretched into the rectangle from (0, 100) to the page's width and height; the
// aspect ratio is not kept.
void draw_page(QPainter& painter, const QSize& page, const QImage& image);

// One landscape page titled `title`; false when the printer (or the output file) could not
// be opened.
bool print_page(QPrinter& printer, const QImage& image, const QString& title);

}  // namespace oxr::qt
