#pragma once
// The application object the Qt tests need (QSerialPort's notifiers, widgets): one
// QApplication per test program, offscreen unless a platform was chosen.
#include <QApplication>

namespace oxr::test {

inline void ensure_application() {
  if (QCoreApplication::instance()) return;
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "test_qt";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

}  // namespace oxr::test
