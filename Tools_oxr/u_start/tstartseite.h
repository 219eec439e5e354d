#pragma once
// The start page: the first window, and the application's main form (closing it ends the
// program). The operator picks the language here and goes on to the main window with START.
#include <functional>

#include "Tools_oxr/u_zyklus/tformzyklus.h"
#include "platform/controls.h"

namespace oxr {

class TStartseite {
 public:
  explicit TStartseite(TFormzyklus& main_window);
  TStartseite(const TStartseite&) = delete;
  TStartseite& operator=(const TStartseite&) = delete;

  Form form{"Startseite", 792, 528};
  Image OXR_Logo{"OXR_Logo"};
  Image OXR_LogoE{"OXR_LogoE"};
  Image Pumpe{"Pumpe"};
  Memo Einfuehrungstext{"Einfuehrungstext"};
  Memo Adresstext{"Adresstext"};
  Label Label1{"Label1"};
  Label Label2{"Label2"};
  Button But_Deutsch{"But_Deutsch"};
  Button But_Englisch{"But_Englisch"};
  Button But_start{"But_start"};
  Button But_abbrechen{"But_abbrechen"};
  bool maximise_button = true;

  void FormCreate();
  void FormShow();
  void But_DeutschClick();
  void But_EnglischClick();
  void But_startClick();
  void But_abbrechenClick();
  void Label2Click();

  // The language actions: lang_index, then the texts of this page and the windows it speaks
  // for (captions, chart).
  void apply_start_texts_german();
  void apply_start_texts_english();

  // Hides this page and shows the main window (also the start question's way on).
  void open_main_window();
  // Closes this page, which ends the program.
  void close();

  // Set by the Qt layer: ends the program once this page has closed.
  std::function<void()> on_program_end;
  // The start question, when stored waiting cycles exist; shown instead of the main window.
  std::function<void()> show_start_question;
  // The start question's own texts follow the language chosen here (start_texts of lang).
  std::function<void(int lang)> on_language_applied;

 private:
  void apply_language(int lang);

  TFormzyklus& main_;
};

}  // namespace oxr
