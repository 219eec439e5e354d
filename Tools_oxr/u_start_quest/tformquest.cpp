#include "Tools_oxr/u_start_quest/tformquest.h"

#include "Tools_oxr/texts.h"

namespace oxr {

TFormquest::TFormquest(TFormzyklus& main_window) : main_(main_window) {
  main_.quest_form = &form;
  But_yes.OnClick = [this] { But_yesClick(); };
  But_no.OnClick = [this] { But_noClick(); };
  But_abort.OnClick = [this] { But_abortClick(); };
  apply_texts(main_.lang_index);
  FormCreate();
}

void TFormquest::FormCreate() {
  maximise_button = false;
}

void TFormquest::apply_texts(int lang) {
  const StartTexts& t = start_texts(lang);
  form.set_caption(message_text(lang, kStartQuestionCaptionMsg));
  Labelq1.set_caption(t.question_line1);
  Labelq2.set_caption(t.question_line2);
  But_yes.set_caption(t.yes_caption);
  But_no.set_caption(t.no_caption);
  But_abort.set_caption(t.abort_caption);
}

void TFormquest::ask() {
  form.show();
  form.set_focus();
}

void TFormquest::But_yesClick() {
  answer(1);
}

void TFormquest::But_noClick() {
  answer(0);
}

void TFormquest::But_abortClick() {
  form.close();
}

void TFormquest::answer(std::uint8_t take_over) {
  form.close();
  // The main window's first show reads the configuration file, and with it this answer.
  main_.take_over_waiting = take_over;
  if (open_main_window) {
    open_main_window();
    return;
  }
  if (main_.start_form) main_.start_form->hide();
  main_.form.show();
}

}  // namespace oxr
