#pragma once
// The seven windows of a run, as the program entry makes them: each window's logic in the
// entry's order (the main window's creation among them), then the Qt windows, wired together.
#include <memory>

#include "Tools_oxr/u_about/taboutbox.h"
#include "Tools_oxr/u_comname/tformcomname.h"
#include "Tools_oxr/u_hilfe/tformhelp.h"
#include "Tools_oxr/u_start/tstartseite.h"
#include "Tools_oxr/u_start_quest/tformquest.h"
#include "Tools_oxr/u_stop/tformstop.h"
#include "Tools_oxr/u_zyklus/tformzyklus.h"
#include "V_1_0_serie/u_about.h"
#include "V_1_0_serie/u_comname.h"
#include "V_1_0_serie/u_hilfe.h"
#include "V_1_0_serie/u_start.h"
#include "V_1_0_serie/u_start_quest.h"
#include "V_1_0_serie/u_stop.h"
#include "V_1_0_serie/u_zyklus.h"

namespace oxr::qt {

// The application's title (task bar), also the caption of its message boxes.
inline constexpr const char* kApplicationTitle = "OXR - Pump Control";

class ProgramWindows {
 public:
  // `env` holds the services every window works with; the main window's creation runs here
  // (on a first run it announces the new configuration file before any window is up).
  explicit ProgramWindows(FormEnv env);
  ProgramWindows(const ProgramWindows&) = delete;
  ProgramWindows& operator=(const ProgramWindows&) = delete;

  // The program's first window; closing it ends the program.
  void show_start_page() { start_logic->form.show(); }

  // Logic first: the widgets hold listeners on its models and go before it; the windows
  // with the main window as parent go before it.
  TFormzyklus main_logic;
  std::unique_ptr<TStartseite> start_logic;
  std::unique_ptr<TFormquest> quest_logic;
  std::unique_ptr<TFormHelp> help_logic;
  std::unique_ptr<TFormStop> stop_logic;
  std::unique_ptr<TAboutBox> about_logic;
  std::unique_ptr<TFormcomname> com_names_logic;

  std::unique_ptr<StartseiteWindow> start;
  std::unique_ptr<FormzyklusWindow> main;
  std::unique_ptr<AboutBoxWindow> about;
  std::unique_ptr<FormquestWindow> question;
  std::unique_ptr<FormHelpWindow> help;
  std::unique_ptr<FormStopWindow> stop;
  std::unique_ptr<ComnameWindow> com_names;
};

}  // namespace oxr::qt
