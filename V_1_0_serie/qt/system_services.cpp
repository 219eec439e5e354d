#include "V_1_0_serie/qt/system_services.h"

#include <QDesktopServices>
#include <QUrl>

#include "V_1_0_serie/qt/bind.h"

namespace oxr::qt {

void QtSystemServices::open_url(const std::string& url) {
  // What the desktop does with the address (or that it has no browser) is its own business.
  QDesktopServices::openUrl(QUrl::fromUserInput(to_qt(url)));
}

bool QtSystemServices::print_main_window(const std::string&) { return false; }

}  // namespace oxr::qt
