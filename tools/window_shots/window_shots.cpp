// Grabs the start page, the start question, the about box, the help window, the STOP window
// and the main window in German and in English into PNG files, on a fresh working folder,
// with no serial port and with every box answered silently. Then a run against the simulated
// controller on a manual clock: the planned table, the live chart 80 s in, and the
// cycle's file opened again (German in °C, English in °F). Run it through tools/screenshot.
//   window-shots <output-folder>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

#include "Tools_oxr/u_about/taboutbox.h"
#include "Tools_oxr/u_hilfe/tformhelp.h"
#include "Tools_oxr/u_start/tstartseite.h"
#include "Tools_oxr/u_start_quest/tformquest.h"
#include "Tools_oxr/u_stop/tformstop.h"
#include "V_1_0_serie/qt/no_serial_library.h"
#include "V_1_0_serie/qt/picture.h"
#include "V_1_0_serie/qt/system_services.h"
#include "V_1_0_serie/settings_group.h"
#include "V_1_0_serie/u_about.h"
#include "V_1_0_serie/u_hilfe.h"
#include "V_1_0_serie/u_start.h"
#include "V_1_0_serie/u_start_quest.h"
#include "V_1_0_serie/u_stop.h"
#include "V_1_0_serie/u_zyklus.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/timer.h"
#include "sim/simulated_serial_library.h"

#include <cmath>

namespace {

class SilentDialogs final : public oxr::Dialogs {
 public:
  void message(const std::string&) override {}
  bool confirm(const oxr::ConfirmRequest&) override { return false; }
  std::optional<std::string> open_file(const oxr::FileDialogRequest&) override { return open; }
  std::optional<std::string> save_file(const oxr::FileDialogRequest&) override { return {}; }
  bool print_dialog() override { return false; }
  std::optional<std::string> open;  // what the open dialog picks
};

bool shoot(QWidget* w, const QString& folder, const QString& name) {
  QApplication::processEvents();
  const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
  const bool ok = w->grab().save(path, "PNG");
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
  return ok;
}

bool shoot_language(int lang, const QString& out) {
  QTemporaryDir work;
  oxr::SystemClock clock;
  oxr::TimerHub timers(clock);
  SilentDialogs dialogs;
  oxr::qt::QtSystemServices services;
  oxr::qt::NoSerialLibrary serial;
  oxr::TFormzyklus main(
      oxr::FormEnv{clock, timers, dialogs, serial, services, work.path().toStdString()});
  oxr::TStartseite start_logic(main);
  oxr::TFormquest quest_logic(main);
  oxr::TFormHelp help_logic(main, oxr::qt::picture_folder().toStdString());
  oxr::TFormStop stop_logic(main);
  start_logic.FormCreate();
  main.FormCreate();
  oxr::TAboutBox about_logic(main);
  start_logic.on_language_applied = [&](int l) { quest_logic.apply_texts(l); };
  start_logic.on_program_end = [] {};

  oxr::qt::StartseiteWindow start(start_logic);
  oxr::qt::FormzyklusWindow main_window(main, build_settings_group);
  oxr::qt::AboutBoxWindow about(about_logic, &main_window);
  oxr::qt::FormquestWindow question(quest_logic);
  oxr::qt::FormHelpWindow help(help_logic);
  oxr::qt::FormStopWindow stop(stop_logic, &main_window);

  const QString suffix = lang == 0 ? QStringLiteral("_en") : QStringLiteral("_de");
  bool ok = true;
  start_logic.form.show();
  if (lang == 0) start_logic.But_Englisch.click();
  ok &= shoot(&start, out, QStringLiteral("start") + suffix);
  quest_logic.ask();
  ok &= shoot(&question, out, QStringLiteral("question") + suffix);
  quest_logic.form.close();

  start_logic.open_main_window();
  ok &= shoot(&main_window, out, QStringLiteral("main") + suffix);
  about_logic.FormShow();
  about.show();
  ok &= shoot(&about, out, QStringLiteral("about") + suffix);
  about.hide();
  main.Hilfe1.click();
  help_logic.FormActivate();
  ok &= shoot(&help, out, QStringLiteral("help") + suffix);
  stop_logic.form.show();
  ok &= shoot(&stop, out, QStringLiteral("stop") + suffix);
  return ok;
}

// A two-minute cycle planned, run for 80 s of the manual clock and stopped, then opened.
bool shoot_run(int lang, const QString& out) {
  QTemporaryDir work;
  const oxr::DateTime today = std::floor(oxr::SystemClock().now());
  oxr::ManualClock clock(today + 10.0 / 24 - 20.0 / 86400);  // 09:59:40
  oxr::TimerHub timers(clock);
  SilentDialogs dialogs;
  oxr::qt::QtSystemServices services;
  oxr::sim::SimulatedSerialLibrary serial(clock);
  oxr::TFormzyklus main(
      oxr::FormEnv{clock, timers, dialogs, serial, services, work.path().toStdString()});
  oxr::TStartseite start_logic(main);
  start_logic.FormCreate();
  main.FormCreate();
  start_logic.on_program_end = [] {};
  oxr::qt::StartseiteWindow start(start_logic);
  oxr::qt::FormzyklusWindow main_window(main, build_settings_group);

  const QString suffix = lang == 0 ? QStringLiteral("_en") : QStringLiteral("_de");
  bool ok = true;
  start_logic.form.show();
  if (lang == 0) start_logic.But_Englisch.click();
  start_logic.open_main_window();
  timers.advance(clock, 2000);  // connected
  main.MEcycled.set_text("00:02");
  main.MEcycled.exit();
  main.But_takeover.click();
  ok &= shoot(&main_window, out, QStringLiteral("planned") + suffix);
  main.But_start.click();
  timers.advance(clock, 100000);
  ok &= shoot(&main_window, out, QStringLiteral("run") + suffix);
  const std::string name = main.schedule.rows[0].cycle_name;
  main.But_stop.click();  // "No" to the remaining time
  timers.advance(clock, 3000);
  dialogs.open = (QDir(work.path()).filePath(QString::fromStdString(name + ".oxr"))).toStdString();
  main.ffnen1.click();
  ok &= shoot(&main_window, out, QStringLiteral("opened") + suffix);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
  QDir().mkpath(out);
  bool ok = shoot_language(1, out);
  ok &= shoot_language(0, out);
  ok &= shoot_run(1, out);
  ok &= shoot_run(0, out);
  return ok ? 0 : 1;
}
