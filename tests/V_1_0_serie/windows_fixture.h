#pragma once
// The windows of a run as the program entry builds them, on the test fixture's main window
// logic (manual clock, scripted boxes, a fresh folder).
#include <QWidget>
#include <memory>

#include "Tools_oxr/u_about/taboutbox.h"
#include "Tools_oxr/u_hilfe/tformhelp.h"
#include "Tools_oxr/u_start/tstartseite.h"
#include "Tools_oxr/u_start_quest/tformquest.h"
#include "Tools_oxr/u_stop/tformstop.h"
#include "V_1_0_serie/u_about.h"
#include "V_1_0_serie/u_hilfe.h"
#include "V_1_0_serie/u_start.h"
#include "V_1_0_serie/u_start_quest.h"
#include "V_1_0_serie/u_stop.h"
#include "V_1_0_serie/u_zyklus.h"
#include "tests/V_1_0_serie/qt_support.h"
#include "tests/support/form_fixture.h"

namespace oxr::test {

class WindowsFixture : public FormFixture {
 protected:
  WindowsFixture() { qt_app(); }
  ~WindowsFixture() override { drop_windows(); }
  // Widgets before their logic: they hold listeners on the models.
  void drop_windows() {
    about_w.reset();
    help_w.reset();
    stop_w.reset();
    quest_w.reset();
    start_w.reset();
    main_w.reset();
  }

  // The logic in the entry's order, then the windows. The program end is counted, not run.
  void build() {
    drop_windows();
    TFormzyklus& main = make_form();
    start = std::make_unique<TStartseite>(main);
    quest = std::make_unique<TFormquest>(main);
    help = std::make_unique<TFormHelp>(main, std::filesystem::path{});
    stop = std::make_unique<TFormStop>(main);
    start->FormCreate();
    main.FormCreate();
    about = std::make_unique<TAboutBox>(main);
    start->show_start_question = [this] { quest->ask(); };
    start->on_language_applied = [this](int lang) { quest->apply_texts(lang); };
    quest->open_main_window = [this] { start->open_main_window(); };

    start_w = std::make_unique<qt::StartseiteWindow>(*start);
    start->on_program_end = [this] { ++program_ended; };
    main_w = std::make_unique<qt::FormzyklusWindow>(main);
    about_w = std::make_unique<qt::AboutBoxWindow>(*about, main_w.get());
    quest_w = std::make_unique<qt::FormquestWindow>(*quest);
    help_w = std::make_unique<qt::FormHelpWindow>(*help);
    stop_w = std::make_unique<qt::FormStopWindow>(*stop, main_w.get());
  }

  template <class W = QWidget>
  static W* child(QWidget* window, const char* name) {
    return window->findChild<W*>(QString::fromLatin1(name));
  }

  std::unique_ptr<TStartseite> start;
  std::unique_ptr<TFormquest> quest;
  std::unique_ptr<TFormHelp> help;
  std::unique_ptr<TFormStop> stop;
  std::unique_ptr<TAboutBox> about;
  std::unique_ptr<qt::FormzyklusWindow> main_w;
  std::unique_ptr<qt::StartseiteWindow> start_w;
  std::unique_ptr<qt::AboutBoxWindow> about_w;
  std::unique_ptr<qt::FormquestWindow> quest_w;
  std::unique_ptr<qt::FormHelpWindow> help_w;
  std::unique_ptr<qt::FormStopWindow> stop_w;
  int program_ended = 0;
};

}  // namespace oxr::test
