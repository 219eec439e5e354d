// Program entry: one copy per machine, the seven windows in their order, the message loop.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <exception>

#include "Tools_oxr/u_about/taboutbox.h"
#include "Tools_oxr/u_comname/tformcomname.h"
#include "Tools_oxr/u_hilfe/tformhelp.h"
#include "Tools_oxr/u_start/tstartseite.h"
#include "Tools_oxr/u_start_quest/tformquest.h"
#include "Tools_oxr/u_stop/tformstop.h"
#include "Tools_oxr/u_zyklus/tformzyklus.h"
#include "V_1_0_serie/qt/dialogs.h"
#include "V_1_0_serie/qt/instance_guard.h"
#include "V_1_0_serie/qt/picture.h"
#include "V_1_0_serie/qt/qt_serial_library.h"
#include "V_1_0_serie/qt/qt_sleep_inhibitor.h"
#include "V_1_0_serie/qt/system_services.h"
#include "V_1_0_serie/qt/timer_driver.h"
#include "V_1_0_serie/settings_group.h"
#include "V_1_0_serie/u_about.h"
#include "V_1_0_serie/u_comname.h"
#include "V_1_0_serie/u_hilfe.h"
#include "V_1_0_serie/u_start.h"
#include "V_1_0_serie/u_start_quest.h"
#include "V_1_0_serie/u_stop.h"
#include "V_1_0_serie/u_zyklus.h"
#include "platform/clock.h"
#include "platform/timer.h"

namespace {

const char* const kInstanceName = "v_1_0_serie_p_gesamt";
const char* const kTitle = "OXR - Pump Control";

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

  // The seven windows in their order. The main window's creation resets its state and gives
  // the others their captions, so the windows whose captions it sets exist before it.
  oxr::TStartseite start_logic(main);
  oxr::TFormquest quest_logic(main);
  oxr::TFormHelp help_logic(main, oxr::qt::picture_folder().toStdString());
  oxr::TFormStop stop_logic(main);
  start_logic.FormCreate();
  main.FormCreate();
  oxr::TAboutBox about_logic(main);
  oxr::TFormcomname com_names_logic(main);

  // START with stored waiting cycles asks first; the question follows a language switch.
  start_logic.show_start_question = [&] { quest_logic.ask(); };
  start_logic.on_language_applied = [&](int lang) { quest_logic.apply_texts(lang); };
  quest_logic.open_main_window = [&] { start_logic.open_main_window(); };

  oxr::qt::StartseiteWindow start(start_logic);
  oxr::qt::FormzyklusWindow main_window(main, build_settings_group);
  oxr::qt::AboutBoxWindow about(about_logic, &main_window);
  oxr::qt::FormquestWindow question(quest_logic);
  oxr::qt::FormHelpWindow help(help_logic);
  oxr::qt::FormStopWindow stop(stop_logic, &main_window);
  oxr::ComnameWindow com_names(com_names_logic, &main_window);
  oxr::qt::install_deactivation_handler(main, &main_window);

  start_logic.form.show();
  return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName(QString::fromLatin1(kTitle));
  // The program ends when the start page closes, not when some window happens to be last.
  QApplication::setQuitOnLastWindowClosed(false);

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
