#include "V_1_0_serie/qt/system_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>
#include <QWidget>

#include "V_1_0_serie/qt/bind.h"
#include "V_1_0_serie/qt/qt_printing.h"

namespace oxr::qt {

void QtSystemServices::open_url(const std::string& url) {
  // What the desktop does with the address (or that it has no browser) is its own business.
  QDesktopServices::openUrl(QUrl::fromUserInput(to_qt(url)));
}

bool QtSystemServices::print_main_window(const std::string& document_title) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() != QLatin1String("Formzyklus")) continue;
    return print_page(application_printer(), grab_window_as_shown(window), to_qt(document_title));
  }
  return false;
}

}  // namespace oxr::qt
