#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Tools_oxr/texts.h"
#include "tests/support/form_fixture.h"

namespace oxr::test {
namespace {

constexpr int kEnglish = 0;
constexpr int kGerman = 1;

class Captions : public FormFixture {
 protected:
  // Every captioned control of the caption table.
  static std::vector<CaptionControl*> captioned(TFormzyklus& f) {
    return {&f.DateiZyklus1,     &f.Neu1,
            &f.ffnen1,           &f.Speichern1,
            &f.Drucken1,         &f.Beenden1,
            &f.Bearbeiten1,      &f.Ausschneiden1,
            &f.Kopieren1,        &f.Einfgen1,
            &f.Einstellungen1,   &f.AuswahlSchnittstelle1,
            &f.ComName1,         &f.N4,
            &f.Hilfe1,           &f.RadioBut_C,
            &f.RadioBut_F,       &f.Label_cycle,
            &f.Label_start,      &f.Label_starttime,
            &f.Label_duration,   &f.Label_endless,
            &f.Label_target1,    &f.Label_target2,
            &f.Label_hyst1,      &f.Label_hyst2,
            &f.Label_prea,       &f.RadioBut_prea_off,
            &f.RadioBut_prea_on, &f.Label_comment,
            &f.But_new,          &f.But_open,
            &f.But_save,         &f.But_print,
            &f.But_takeover,     &f.Label_act1,
            &f.Label_act2,       &f.But_start,
            &f.But_stop};
  }
  static std::vector<Memo*> memos(TFormzyklus& f) {
    return {&f.Memo1, &f.Memo2, &f.Memo3, &f.Memo4, &f.Memo5, &f.Memo6};
  }
  void apply(int lang) {
    if (lang == kGerman) {
      form->apply_main_captions_german();
    } else {
      form->apply_main_captions_english();
    }
  }
};

TEST_F(Captions, CreationGivesTheControlsTheirOwnTexts) {
  TFormzyklus& f = make_form();
  EXPECT_EQ(f.But_start.caption(), "START");
  EXPECT_EQ(f.But_stop.caption(), "STOP");
  EXPECT_EQ(f.RadioBut_prea_off.caption(), "Aus");
  EXPECT_EQ(f.RadioBut_prea_on.caption(), "Ein");
  EXPECT_EQ(f.ToolButton_new.hint(), "Neuer Zyklus");
  EXPECT_EQ(f.editor_text, &editor_texts(kGerman));
}

// After a language's routine every control of the table shows that language's look, the
// label texts name their fields, and the editor uses that language's texts.
TEST_F(Captions, EachRoutineSetsTheWholeLookOfItsLanguage) {
  for (int lang : {kGerman, kEnglish}) {
    SCOPED_TRACE(lang);
    TFormzyklus& f = make_form();
    f.lang_index = static_cast<std::uint8_t>(lang);
    apply(lang);
    for (CaptionControl* c : captioned(f)) {
      ASSERT_NE(main_caption(lang, c->name()), nullptr) << c->name();
      EXPECT_EQ(c->caption(), main_caption(lang, c->name())) << c->name();
    }
    for (Memo* m : memos(f)) EXPECT_EQ(m->text(), main_caption(lang, m->name())) << m->name();
    EXPECT_EQ(f.open_dialog_title, main_caption(lang, "OpenDialog1"));
    EXPECT_EQ(f.save_dialog_title, main_caption(lang, "SaveDialog1"));
    EXPECT_EQ(f.editor_text, &editor_texts(lang));

    const std::pair<Control*, Label*> fields[] = {
        {&f.MEdatum, &f.Label_start},          {&f.MEstartz, &f.Label_starttime},
        {&f.MEcycled, &f.Label_duration},      {&f.MEtarget1, &f.Label_target1},
        {&f.MEtarget2, &f.Label_target2},      {&f.MEhyst1, &f.Label_hyst1},
        {&f.MEhyst2, &f.Label_hyst2},          {&f.Edit_comment, &f.Label_comment},
        {&f.CheckBox_endlos, &f.Label_endless}};
    for (const auto& [field, label] : fields) {
      EXPECT_EQ(field->accessible_name(), label->caption()) << field->name();
    }
    const SpeedButton* spins[] = {&f.SpeButdateup,       &f.SpeButdatedown,    &f.SpeButtimehourup,
                                  &f.SpeButtimehourdown, &f.SpeButtimeminup,   &f.SpeButtimemindown,
                                  &f.SpeButdurhourup,    &f.SpeButdurhourdown, &f.SpeButdurminup,
                                  &f.SpeButdurmindown,   &f.SpeButset1up,      &f.SpeButset1down,
                                  &f.SpeButset2up,       &f.SpeButset2down,    &f.SpeButhyst1up,
                                  &f.SpeButhyst1down,    &f.SpeButhyst2up,     &f.SpeButhyst2down};
    for (const SpeedButton* b : spins) {
      ASSERT_NE(accessible_name(lang, b->name()), nullptr) << b->name();
      EXPECT_EQ(b->accessible_name(), accessible_name(lang, b->name())) << b->name();
    }
    for (int row = 1; row <= 5; ++row) {
      for (int col = 1; col <= 6; ++col) {
        EXPECT_EQ(f.cell(row, col).accessible_name(), cell_accessible_name(lang, row, col));
      }
    }
  }
}

TEST_F(Captions, GermanLook) {
  TFormzyklus& f = make_form();
  f.OXR_Logo2.set_visible(false);
  f.OXR_LogoE2.set_visible(false);
  f.apply_main_captions_german();
  // Button1 and the logos are the show's business.
  EXPECT_EQ(f.Button1.caption(), "");
  EXPECT_FALSE(f.OXR_Logo2.visible());
  EXPECT_FALSE(f.OXR_LogoE2.visible());
  EXPECT_EQ(f.RadioBut_prea_off.caption(), "Aus");
  EXPECT_EQ(f.RadioBut_prea_on.caption(), "Ein");
  EXPECT_EQ(f.Memo2.lines(), (std::vector<std::string>{"Datum", "Start"}));
  EXPECT_EQ(f.ffnen1.caption(), "Öffn&en");
  EXPECT_EQ(f.MEdatum.accessible_name(), "Startdatum");
  EXPECT_EQ(f.SpeButdateup.accessible_name(), "Startdatum +1 Tag");
  EXPECT_EQ(f.MaskEdit11.accessible_name(), "Zeile 1, Zyklus");
  // The picture-only tool buttons read out as the buttons of the same job, without the "&".
  EXPECT_EQ(f.ToolButton_new.accessible_name(), "Neu");
  EXPECT_EQ(f.ToolButton3.accessible_name(), "Öffnen");
  EXPECT_EQ(f.ToolButton4.accessible_name(), "Speichern");
  EXPECT_EQ(f.ToolButton7.accessible_name(), "Seite drucken");
  EXPECT_EQ(f.editor_text->bad_time, "Sie haben keine gültige Zeit eingegeben!");
}

TEST_F(Captions, EnglishLook) {
  TFormzyklus& f = make_form();
  f.lang_index = 0;
  f.apply_main_captions_english();
  EXPECT_EQ(f.Button1.caption(), "");
  EXPECT_EQ(f.RadioBut_prea_off.caption(), "Off");
  EXPECT_EQ(f.RadioBut_prea_on.caption(), "On");
  EXPECT_EQ(f.But_start.caption(), "START");
  EXPECT_EQ(f.But_stop.caption(), "STOP");
  EXPECT_EQ(f.Memo5.lines(), (std::vector<std::string>{"End", "Time"}));
  EXPECT_EQ(f.CheckBox_endlos.accessible_name(), "Continuous op.");
  EXPECT_EQ(f.SpeButtimehourdown.accessible_name(), "Start time -1 hour");
  EXPECT_EQ(f.MaskEdit56.accessible_name(), "Row 5, Status");
  EXPECT_EQ(f.ToolButton_new.accessible_name(), "New");
  EXPECT_EQ(f.ToolButton3.accessible_name(), "Open");
  EXPECT_EQ(f.ToolButton4.accessible_name(), "Save");
  EXPECT_EQ(f.ToolButton7.accessible_name(), "Print Page");
  EXPECT_EQ(f.editor_text->bad_time, "You have entered no valid time!");
}

TEST_F(Captions, ResetSetsTheWindowCaptionsAndTheGermanEditorTexts) {
  Form start{"Startseite", 792, 528}, quest{"Formquest", 387, 99}, stop{"FormStop", 120, 97},
      help{"FormHelp", 800, 568};
  for (int lang : {kGerman, kEnglish}) {
    SCOPED_TRACE(lang);
    TFormzyklus& f = make_form();
    f.start_form = &start;
    f.quest_form = &quest;
    f.stop_form = &stop;
    f.help_form = &help;
    f.lang_index = static_cast<std::uint8_t>(lang);
    apply(lang);
    f.fill_text_tables();
    EXPECT_EQ(f.form.caption(), message_text(lang, 1));
    EXPECT_EQ(start.caption(), message_text(lang, 2));
    EXPECT_EQ(quest.caption(), "OXR - Pump Control");
    EXPECT_EQ(stop.caption(), message_text(lang, 4));
    EXPECT_EQ(help.caption(), message_text(lang, 5));
    EXPECT_EQ(f.editor_text, &editor_texts(kGerman));
  }
  EXPECT_EQ(start.caption(), "OXR - Electronicly controlled heated pumps (.58)");
}

TEST_F(Captions, ResetWithoutTheOtherWindowsSetsTheMainCaptionOnly) {
  TFormzyklus& f = make_form();
  f.fill_text_tables();
  EXPECT_EQ(f.form.caption(), "OXR - Steuerung für elektronisch beheizte Pumpen (.58)");
}

TEST_F(Captions, StatusTextFollowsTheLanguageAtLookup) {
  TFormzyklus& f = make_form();
  f.fill_text_tables();
  EXPECT_EQ(kStatusPrefix + f.status_text_for(4), "Status: Daten empfangen");
  f.lang_index = 0;
  EXPECT_EQ(kStatusPrefix + f.status_text_for(4), "Status: Data received");
  EXPECT_EQ(f.status_text_for(8), "TC-BREAK");
  EXPECT_EQ(f.status_text_for(99), "");
}

TEST_F(Captions, FileDialogsRelabelThemselvesInTheCurrentLanguage) {
  TFormzyklus& f = make_form();
  f.apply_main_captions_german();
  FileDialogRequest open;
  f.OpenDialog1Show(open);
  EXPECT_EQ(open.title, "Öffnen");
  EXPECT_EQ(open.ok_label, "Öffnen");
  EXPECT_EQ(open.cancel_label, "Abrechen");
  EXPECT_EQ(open.type_label, "Dateityp:");
  EXPECT_EQ(open.name_label, "Dateiname:");
  EXPECT_EQ(open.folder_label, "Suchen in:");
  FileDialogRequest save;
  f.SaveDialog1Show(save);
  EXPECT_EQ(save.title, "Speichern");
  EXPECT_EQ(save.ok_label, "&Speichern");
  EXPECT_EQ(save.cancel_label, "Abrechen");
  EXPECT_EQ(save.folder_label, "Speichern");

  TFormzyklus& e = make_form();
  e.lang_index = 0;
  e.apply_main_captions_english();
  FileDialogRequest esave;
  esave.filter = "OXR files (*.oxr)|*.oxr";
  e.SaveDialog1Show(esave);
  EXPECT_EQ(esave.title, "Save");
  EXPECT_EQ(esave.ok_label, "&Save");
  EXPECT_EQ(esave.cancel_label, "Quit");
  EXPECT_EQ(esave.type_label, "Filetyp:");
  EXPECT_EQ(esave.name_label, "Filename:");
  EXPECT_EQ(esave.folder_label, "Save");
  EXPECT_EQ(esave.filter, "OXR files (*.oxr)|*.oxr");
}

}  // namespace
}  // namespace oxr::test
