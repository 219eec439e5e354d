#pragma once
// The start question: shown by START on the start page when the configuration file holds
// cycles that were still waiting at the last quit. Yes takes them over into the schedule,
// No starts without them, Abort goes back to the start page. Not modal.
#include <functional>

#include "Tools_oxr/u_zyklus/tformzyklus.h"
#include "platform/controls.h"

namespace oxr {

class TFormquest {
 public:
  explicit TFormquest(TFormzyklus& main_window);
  TFormquest(const TFormquest&) = delete;
  TFormquest& operator=(const TFormquest&) = delete;

  // Fixed size, centred on the desktop; caption message 3 (set by the texts).
  Form form{"Formquest", 387, 99};
  Label Labelq1{"Labelq1"};
  Label Labelq2{"Labelq2"};
  Button But_yes{"But_yes"};
  Button But_no{"But_no"};
  Button But_abort{"But_abort"};
  bool maximise_button = true;

  void FormCreate();
  // The question's texts and caption in language lang; the start page's language actions
  // call it, so an open question follows a language switch.
  void apply_texts(int lang);
  // START with stored waiting cycles: show the question, or bring it up again when it is open.
  void ask();
  void But_yesClick();
  void But_noClick();
  void But_abortClick();

  // Hides the start page and shows the main window; set to the start page's own way there.
  // Unset, the window's own links to the two forms are used.
  std::function<void()> open_main_window;

 private:
  void answer(std::uint8_t take_over);

  TFormzyklus& main_;
};

}  // namespace oxr
