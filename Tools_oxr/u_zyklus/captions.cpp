// The main window's texts: window captions at the reset, the captions of each language's look,
// the accessible names of the controls, and the relabelling of the file dialogs.
#include <array>
#include <string>
#include <utility>

#include "Tools_oxr/texts.h"
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

namespace {

// The speed buttons by name, in the order of kSpinButtonNames.
std::array<SpeedButton*, 18> spin_buttons(TFormzyklus& f) {
  return {&f.SpeButdateup,    &f.SpeButdatedown,    &f.SpeButtimehourup, &f.SpeButtimehourdown,
          &f.SpeButtimeminup, &f.SpeButtimemindown, &f.SpeButdurhourup,  &f.SpeButdurhourdown,
          &f.SpeButdurminup,  &f.SpeButdurmindown,  &f.SpeButset1up,     &f.SpeButset1down,
          &f.SpeButset2up,    &f.SpeButset2down,    &f.SpeButhyst1up,    &f.SpeButhyst1down,
          &f.SpeButhyst2up,   &f.SpeButhyst2down};
}

// A caption as it is read out: the accelerator mark is no letter of the text.
std::string without_accelerator(std::string caption) {
  std::string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out;
}

void fill_dialog_labels(FileDialogRequest& r, const FileDialogLabels& l, const std::string& title) {
  if (!title.empty()) r.title = title;
  r.ok_label = l.ok;
  r.cancel_label = l.cancel;
  r.type_label = l.type;
  r.name_label = l.name;
  r.folder_label = l.folder;
}

// What both languages' routines set; the German look keeps the preheating buttons' own
// texts, the English look keeps START and STOP.
void apply_main_captions(TFormzyklus& f, int lang, bool set_preheating, bool set_run_buttons) {
  const MainCaptions& c = main_captions(lang);
  f.DateiZyklus1.set_caption(c.DateiZyklus1);
  f.Neu1.set_caption(c.Neu1);
  f.ffnen1.set_caption(c.ffnen1);
  f.Speichern1.set_caption(c.Speichern1);
  f.Drucken1.set_caption(c.Drucken1);
  f.Beenden1.set_caption(c.Beenden1);
  f.Bearbeiten1.set_caption(c.Bearbeiten1);
  f.Ausschneiden1.set_caption(c.Ausschneiden1);
  f.Kopieren1.set_caption(c.Kopieren1);
  f.Einfgen1.set_caption(c.Einfgen1);
  f.Einstellungen1.set_caption(c.Einstellungen1);
  f.AuswahlSchnittstelle1.set_caption(c.AuswahlSchnittstelle1);
  f.ComName1.set_caption(c.ComName1);
  f.N4.set_caption(c.N4);
  f.Hilfe1.set_caption(c.Hilfe1);

  f.RadioBut_C.set_caption(c.RadioBut_C);
  f.RadioBut_F.set_caption(c.RadioBut_F);
  f.Label_cycle.set_caption(c.Label_cycle);
  f.Label_start.set_caption(c.Label_start);
  f.Label_starttime.set_caption(c.Label_starttime);
  f.Label_duration.set_caption(c.Label_duration);
  f.Label_endless.set_caption(c.Label_endless);
  f.Label_target1.set_caption(c.Label_target1);
  f.Label_target2.set_caption(c.Label_target2);
  f.Label_hyst1.set_caption(c.Label_hyst1);
  f.Label_hyst2.set_caption(c.Label_hyst2);
  f.Label_prea.set_caption(c.Label_prea);
  if (set_preheating) {
    f.RadioBut_prea_off.set_caption(c.RadioBut_prea_off);
    f.RadioBut_prea_on.set_caption(c.RadioBut_prea_on);
  }
  f.Label_comment.set_caption(c.Label_comment);
  f.But_new.set_caption(c.But_new);
  f.But_open.set_caption(c.But_open);
  f.But_save.set_caption(c.But_save);
  f.But_print.set_caption(c.But_print);
  f.But_takeover.set_caption(c.But_takeover);
  for (int col = 1; col <= 6; ++col) f.header_memo(col).set_text(c.memo_headers[col - 1]);
  f.Label_act1.set_caption(c.Label_act1);
  f.Label_act2.set_caption(c.Label_act2);
  if (set_run_buttons) {
    f.But_start.set_caption(c.But_start);
    f.But_stop.set_caption(c.But_stop);
  }
  f.open_dialog_title = c.open_dialog_title;
  f.save_dialog_title = c.save_dialog_title;

  f.editor_text = &editor_texts(lang);

  // Each editor field is named by the label beside it.
  const std::pair<Control*, const std::string*> fields[] = {
      {&f.MEdatum, &c.Label_start},          {&f.MEstartz, &c.Label_starttime},
      {&f.MEcycled, &c.Label_duration},      {&f.MEtarget1, &c.Label_target1},
      {&f.MEtarget2, &c.Label_target2},      {&f.MEhyst1, &c.Label_hyst1},
      {&f.MEhyst2, &c.Label_hyst2},          {&f.Edit_comment, &c.Label_comment},
      {&f.CheckBox_endlos, &c.Label_endless}};
  for (const auto& [control, label] : fields) control->set_accessible_name(*label);
  // "Aus" alone says nothing; the group label says what is switched off.
  for (RadioButton* b : {&f.RadioBut_prea_off, &f.RadioBut_prea_on})
    b->set_accessible_name(c.Label_prea + " " + b->caption());
  for (SpeedButton* b : spin_buttons(f)) b->set_accessible_name(accessible_name(lang, b->name()));
  // The tool buttons show only a picture; each does what the button of the same job says.
  const std::pair<ToolButton*, const std::string*> tools[] = {{&f.ToolButton_new, &c.But_new},
                                                              {&f.ToolButton3, &c.But_open},
                                                              {&f.ToolButton4, &c.But_save},
                                                              {&f.ToolButton7, &c.But_print}};
  for (const auto& [tool, caption] : tools) tool->set_accessible_name(without_accelerator(*caption));
  for (int row = 1; row <= kRowCount; ++row) {
    for (int col = 1; col <= 6; ++col) {
      f.cell(row, col).set_accessible_name(cell_accessible_name(lang, row, col));
    }
  }
}

}  // namespace

bool TFormzyklus::apply_design_texts() {
  const MainCaptions& german = main_captions(1);
  But_start.set_caption(german.But_start);
  But_stop.set_caption(german.But_stop);
  RadioBut_prea_off.set_caption(german.RadioBut_prea_off);
  RadioBut_prea_on.set_caption(german.RadioBut_prea_on);
  Info1.set_caption("&Info");
  ToolButton_new.set_hint(kNewCycleHint);
  editor_text = &editor_texts(1);
  return true;
}

void TFormzyklus::fill_text_tables() {
  // The message table and the status texts are constant tables looked up in the current
  // language when shown; what the reset changes is the editor set and the window captions.
  editor_text = &editor_texts(1);
  form.set_caption(msg(kMainWindowCaptionMsg));
  if (start_form) start_form->set_caption(msg(kStartPageCaptionMsg));
  if (quest_form) quest_form->set_caption(msg(kStartQuestionCaptionMsg));
  if (stop_form) stop_form->set_caption(msg(kStopWindowCaptionMsg));
  if (help_form) help_form->set_caption(msg(kHelpWindowCaptionMsg));
}

void TFormzyklus::apply_main_captions_german() {
  apply_main_captions(*this, 1, /*set_preheating=*/false, /*set_run_buttons=*/true);
}

void TFormzyklus::apply_main_captions_english() {
  apply_main_captions(*this, 0, /*set_preheating=*/true, /*set_run_buttons=*/false);
}

void TFormzyklus::OpenDialog1Show(FileDialogRequest& request) const {
  fill_dialog_labels(request, open_dialog_labels(lang_index), open_dialog_title);
}

void TFormzyklus::SaveDialog1Show(FileDialogRequest& request) const {
  fill_dialog_labels(request, save_dialog_labels(lang_index), save_dialog_title);
}

const std::string& TFormzyklus::status_text_for(int code) const {
  return status_code_text(lang_index, code);
}

}  // namespace oxr
