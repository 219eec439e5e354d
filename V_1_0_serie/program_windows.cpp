#include "V_1_0_serie/program_windows.h"

#include "V_1_0_serie/qt/picture.h"
#include "V_1_0_serie/settings_group.h"

namespace oxr::qt {

ProgramWindows::ProgramWindows(FormEnv env) : main_logic(std::move(env)) {
  // The main window's creation resets its state and gives the others their captions, so the
  // windows whose captions it sets exist before it.
  start_logic = std::make_unique<TStartseite>(main_logic);
  quest_logic = std::make_unique<TFormquest>(main_logic);
  help_logic = std::make_unique<TFormHelp>(main_logic, picture_folder().toStdString());
  stop_logic = std::make_unique<TFormStop>(main_logic);
  start_logic->FormCreate();
  main_logic.FormCreate();
  about_logic = std::make_unique<TAboutBox>(main_logic);
  com_names_logic = std::make_unique<TFormcomname>(main_logic);

  // START with stored waiting cycles asks first; the question follows a language switch.
  start_logic->show_start_question = [this] { quest_logic->ask(); };
  start_logic->on_language_applied = [this](int lang) { quest_logic->apply_texts(lang); };
  quest_logic->open_main_window = [this] { start_logic->open_main_window(); };

  start = std::make_unique<StartseiteWindow>(*start_logic);
  main = std::make_unique<FormzyklusWindow>(main_logic, build_settings_group);
  about = std::make_unique<AboutBoxWindow>(*about_logic, main.get());
  question = std::make_unique<FormquestWindow>(*quest_logic);
  help = std::make_unique<FormHelpWindow>(*help_logic);
  stop = std::make_unique<FormStopWindow>(*stop_logic, main.get());
  com_names = std::make_unique<ComnameWindow>(*com_names_logic, main.get());
  install_deactivation_handler(main_logic, main.get());
}

}  // namespace oxr::qt
