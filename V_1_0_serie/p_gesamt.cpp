// Program entry: one copy per machine, the seven windows in their order, the message loop.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <exception>

#include "Tools_oxr/u_zyklus/tformzyklus.h"
#include "V_1_0_serie/settings_group.h"
#include "V_1_0_serie/qt/bind.h"
#include "V_1_0_serie/qt/dialogs.h"
#include "V_1_0_serie/qt/instance_guard.h"
#include "V_1_0_serie/qt/qt_serial_library.h"
#include "V_1_0_serie/qt/qt_sleep_inhibitor.h"
#include "V_1_0_serie/qt/system_services.h"
#include "V_1_0_serie/qt/timer_driver.h"
#include "V_1_0_serie/shell_window.h"
#include "V_1_0_serie/u_start.h"
#include "V_1_0_serie/u_zyklus.h"
#include "platform/clock.h"
#include "platform/timer.h"

namespace {

const char* const kInstanceName = "v_1_0_serie_p_gesamt";
const char* const kTitle = "OXR - Pump Control";

// The start page's controls until its own logic class drives them: START opens the main
// window, Quit closes the page (which ends the program); its first show reads the language
// stored in the configuration file.
struct InterimStartPage {
  explicit InterimStartPage(oxr::TFormzyklus& main) {
    But_start.set_caption("START");
    But_abbrechen.set_caption("Beenden");
    But_Deutsch.set_caption("Deutsch");
    But_Englisch.set_caption("English");
    But_Deutsch.set_enabled(false);
    form.set_caption("Startseite");
    form.OnShow = [this, &main] {
      if (main.config_seen) return;
      main.config_check_and_read_language();
      main.config_seen = 1;
    };
    But_start.OnClick = [this, &main] {
      form.hide();
      main.form.show();
    };
    But_abbrechen.OnClick = [this] { form.close(); };
  }
  oxr::Form form{"Startseite", 792, 528};
  oxr::Button But_start{"But_start"};
  oxr::Button But_abbrechen{"But_abbrechen"};
  oxr::Button But_Deutsch{"But_Deutsch"};
  oxr::Button But_Englisch{"But_Englisch"};
};

int run(QApplication& app) {
  oxr::SystemClock clock;
  oxr::TimerHub timers(clock);
  oxr::qt::QtTimerDriver driver(timers);
  oxr::qt::QtDialogs dialogs(QString::fromLatin1(kTitle));
  oxr::qt::QtSystemServices services;
  oxr::QtSerialLibrary serial;
  oxr::qt::QtSleepInhibitor keep_awake;

  oxr::TFormzyklus main(
      oxr::FormEnv{clock, timers, dialogs, serial, services,
                   QDir::currentPath().toStdString()});
  main.sleep_inhibitor = &keep_awake;
  InterimStartPage start_logic(main);

  // The seven windows in their order; the main window's creation resets its state.
  oxr::qt::StartseiteWindow start(oxr::qt::StartPageControls{
      start_logic.form, start_logic.But_start, start_logic.But_abbrechen,
      start_logic.But_Deutsch, start_logic.But_Englisch});
  oxr::qt::FormzyklusWindow main_window(main, build_settings_group);
  using oxr::qt::ShellWindow;
  const QString title = QString::fromLatin1(kTitle);
  ShellWindow about(QStringLiteral("AboutBox"), QStringLiteral("Info"), {352, 200}, Qt::Dialog);
  ShellWindow question(QStringLiteral("Formquest"), title, {387, 99});
  ShellWindow help(QStringLiteral("FormHelp"), title, {800, 568});
  ShellWindow stop(QStringLiteral("FormStop"), title, {120, 97},
                   Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowStaysOnTopHint);
  ShellWindow com_names(QStringLiteral("Formcomname"), title, {300, 180}, Qt::Dialog);

  start_logic.form.show();
  return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName(QString::fromLatin1(kTitle));

  oxr::qt::QtInstanceGuard guard;
  if (!guard.acquire(kInstanceName)) return 0;  // another copy runs: end silently

  try {
    run(app);
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, QString::fromLatin1(kTitle), QString::fromStdString(e.what()));
  } catch (...) {
    QMessageBox::critical(nullptr, QString::fromLatin1(kTitle),
                          QStringLiteral("Unknown error"));
  }
  guard.release();
  return 0;
}
