// Program entry: one copy per machine, the seven windows in their order, the message loop.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <exception>

#include "V_1_0_serie/program_windows.h"
#include "V_1_0_serie/qt/dialogs.h"
#include "V_1_0_serie/qt/instance_guard.h"
#include "V_1_0_serie/qt/qt_serial_library.h"
#include "V_1_0_serie/qt/qt_sleep_inhibitor.h"
#include "V_1_0_serie/qt/system_services.h"
#include "V_1_0_serie/qt/timer_driver.h"
#include "platform/clock.h"
#include "platform/timer.h"

namespace {

const char* const kInstanceName = "v_1_0_serie_p_gesamt";

int run(QApplication& app) {
  oxr::SystemClock clock;
  oxr::TimerHub timers(clock);
  oxr::qt::QtTimerDriver driver(timers);
  oxr::qt::QtDialogs dialogs(QString::fromLatin1(oxr::qt::kApplicationTitle));
  oxr::qt::QtSystemServices services;
  oxr::QtSerialLibrary serial;
  oxr::qt::QtSleepInhibitor keep_awake;

  oxr::qt::ProgramWindows windows(
      oxr::FormEnv{clock, timers, dialogs, serial, services, QDir::currentPath().toStdString()});
  windows.main_logic.sleep_inhibitor = &keep_awake;
  windows.show_start_page();
  return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName(QString::fromLatin1(oxr::qt::kApplicationTitle));
  // The program ends when the start page closes, not when some window happens to be last.
  QApplication::setQuitOnLastWindowClosed(false);

  oxr::qt::QtInstanceGuard guard;
  if (!guard.acquire(kInstanceName)) return 0;  // another copy runs: end silently

  try {
    run(app);
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, QString::fromLatin1(oxr::qt::kApplicationTitle),
                          QString::fromStdString(e.what()));
  } catch (...) {
    QMessageBox::critical(nullptr, QString::fromLatin1(oxr::qt::kApplicationTitle),
                          QStringLiteral("Unknown error"));
  }
  guard.release();
  return 0;
}
