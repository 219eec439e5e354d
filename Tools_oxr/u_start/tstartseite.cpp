#include "Tools_oxr/u_start/tstartseite.h"

#include <initializer_list>

#include "Tools_oxr/texts.h"

namespace oxr {

TStartseite::TStartseite(TFormzyklus& main_window) : main_(main_window) {
  form.set_caption("Startseite");
  OXR_Logo.set_picture("oxr_logo_de.jpg");
  OXR_LogoE.set_picture("oxr_logo_en.jpg");
  Pumpe.set_picture("pump.jpg");
  Label1.set_caption(kMakerEmail);
  Label2.set_caption(kMakerWebAddress);
  // The controls' own texts; the language actions set only the ones that change.
  But_Deutsch.set_caption("Deutsch");
  But_Englisch.set_caption("English");
  But_start.set_caption("START");
  But_abbrechen.set_caption("Beenden");
  main_.start_form = &form;
  form.OnShow = [this] { FormShow(); };
  But_Deutsch.OnClick = [this] { But_DeutschClick(); };
  But_Englisch.OnClick = [this] { But_EnglischClick(); };
  But_start.OnClick = [this] { But_startClick(); };
  But_abbrechen.OnClick = [this] { But_abbrechenClick(); };
  Label2.OnClick = [this] { Label2Click(); };
  // The main window's quit ends the program by closing this page.
  main_.window_links.close_start_page = [this] { close(); };
}

void TStartseite::FormCreate() {
  maximise_button = false;
  OXR_LogoE.set_visible(false);
  But_Deutsch.set_enabled(false);
  // The memos read as plain text on the page.
  Einfuehrungstext.set_color(Color::BtnFace);
  Adresstext.set_color(Color::BtnFace);
}

void TStartseite::FormShow() {
  if (main_.config_seen != 0) return;
  const std::optional<int> digit = main_.config_check_and_read_language();
  main_.config_seen = 1;
  // No digit read means the file was unreadable or just rebuilt: it now ends in "1".
  if (!digit || *digit == 1)
    But_DeutschClick();
  else
    But_EnglischClick();
}

void TStartseite::But_DeutschClick() {
  apply_start_texts_german();
  main_.config_write_language();
}

void TStartseite::But_EnglischClick() {
  apply_start_texts_english();
  main_.config_write_language();
}

void TStartseite::But_startClick() {
  if (main_.cycle_count != 0) {
    if (show_start_question) {
      show_start_question();
      return;
    }
    // Nobody can ask: keep the stored cycles rather than drop them.
    main_.take_over_waiting = 1;
  }
  open_main_window();
}

void TStartseite::open_main_window() {
  form.hide();
  main_.form.show();
}

void TStartseite::But_abbrechenClick() { close(); }

void TStartseite::close() {
  form.close();
  if (on_program_end) on_program_end();
}

void TStartseite::Label2Click() { main_.env.services.open_url(kMakerWebAddress); }

void TStartseite::apply_start_texts_german() { apply_language(1); }

void TStartseite::apply_start_texts_english() { apply_language(0); }

void TStartseite::apply_language(int lang) {
  main_.lang_index = static_cast<std::uint8_t>(lang);
  const StartTexts& t = start_texts(lang);
  Einfuehrungstext.set_lines(t.intro_lines);
  Adresstext.set_lines(t.address_lines);
  OXR_Logo.set_visible(t.logo_de_visible);
  OXR_LogoE.set_visible(t.logo_en_visible);
  But_Deutsch.set_enabled(t.deutsch_enabled);
  But_Englisch.set_enabled(t.englisch_enabled);
  But_start.set_caption(t.start_caption);
  But_abbrechen.set_caption(t.quit_caption);
  Pumpe.set_hint(t.pump_hint);
  OXR_Logo.set_hint(t.logo_hint);
  // The pictures have no text of their own; labels and memos are read out by theirs.
  for (Image* picture : {&OXR_Logo, &OXR_LogoE, &Pumpe})
    picture->set_accessible_name(accessible_name(lang, picture->name()));

  form.set_caption(message_text(lang, kStartPageCaptionMsg));
  main_.form.set_caption(message_text(lang, kMainWindowCaptionMsg));
  if (main_.quest_form) main_.quest_form->set_caption(message_text(lang, kStartQuestionCaptionMsg));
  if (main_.stop_form) main_.stop_form->set_caption(message_text(lang, kStopWindowCaptionMsg));

  Chart& chart = main_.Chart2;
  chart.set_title(t.chart_title);
  ChartAxis bottom = chart.bottom_axis();
  bottom.title = t.chart_bottom_title;
  chart.set_bottom_axis(bottom);
  ChartAxis left = chart.left_axis();
  left.minimum = t.chart_left_min;
  left.maximum = t.chart_left_max;
  chart.set_left_axis(left);

  if (on_language_applied) on_language_applied(lang);
}

}  // namespace oxr
