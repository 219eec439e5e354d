// The main window's life: creation, first show, waiting rows, quit, control mode.
#include <optional>
#include <string>
#include <vector>

#include "Tools_oxr/date_time.h"
#include "Tools_oxr/texts.h"
#include "tests/support/form_fixture.h"
#include "tests/support/oxrconf_bytes.h"

namespace oxr::test {
namespace {

constexpr DateTime kToday = 46365.0;  // 09.12.2026, the day of kTestNow

class LifeTest : public FormFixture {
 protected:
  TFormzyklus& created() {
    TFormzyklus& f = make_form();
    f.window_links.close_start_page = [this] { ++start_page_closed; };
    f.window_links.close_stop_window = [this] { ++stop_window_closed; };
    f.FormCreate();
    return f;
  }
  // A created window shown in the given language, as the start page leaves it.
  TFormzyklus& shown(int lang = 1) {
    TFormzyklus& f = created();
    f.lang_index = static_cast<std::uint8_t>(lang);
    f.form.show();
    return f;
  }
  // Puts a cycle into row k, record and cells together, as the table shows it.
  void put_row(int k, const std::string& name, DateTime date, DateTime time,
               const std::string& status) {
    CycleRecord& r = form->schedule.rows[k - 1];
    r.cycle_name = name;
    r.start_date = date;
    r.start_time = time;
    r.duration = 10 * kOneMinute;
    r.end_date = date;
    r.end_time = time + r.duration;
    r.status_text = status;
    r.set_temp1 = r.set_temp2 = 600;
    r.hyst1 = r.hyst2 = 10;
    form->cell(k, 1).set_text(name);
    form->cell(k, 2).set_text(format_date(date));
    form->cell(k, 3).set_text(format_time_hm(time));
    form->cell(k, 4).set_text(format_date(r.end_date));
    form->cell(k, 5).set_text(format_time_hm(r.end_time));
    form->cell(k, 6).set_text(status);
    if (form->cycle_count < k) form->cycle_count = static_cast<std::uint16_t>(k);
  }
  std::string config() const { return read_bytes(file("oxrconf.dat")); }

  int start_page_closed = 0;
  int stop_window_closed = 0;
};

TEST_F(LifeTest, CreationLeavesAFreshGermanWindow) {
  TFormzyklus& f = make_form();
  // Leftovers that the creation must clear.
  f.Chart2.Series1.add(1.0, 50.0, "10:00:00");
  f.Chart2.Series2.add(1.0, 40.0, "10:00:00");
  f.cell(3, 1).set_text("261209-002");
  f.cell(3, 1).set_enabled(false);
  f.cell(4, 6).set_text("läuft");
  f.Memo2.set_text("x");
  f.schedule.rows[2].cycle_name = "261209-002";
  f.row_selected[2] = 1;
  f.lang_index = 0;
  f.com_port = 3;
  f.Lab_tact1.set_caption("61");

  f.FormCreate();

  EXPECT_EQ(f.lang_index, 1);
  EXPECT_EQ(f.com_port, 0);
  EXPECT_FALSE(f.maximise_button);
  EXPECT_TRUE(f.app_handlers_installed);
  EXPECT_TRUE(f.Button1.multi_line());
  EXPECT_EQ(f.Button1.caption(), "Zyklus\r\nlöschen");
  EXPECT_TRUE(f.RadioBut_C.checked());
  EXPECT_FALSE(f.RadioBut_F.checked());
  EXPECT_EQ(f.StatusBar1.panel(0), "Temperatur-Steuerung noch nicht aktiv");
  EXPECT_EQ(f.StatusBar1.panel(1), "Pumpe: --");
  EXPECT_EQ(f.StatusBar1.panel(4), "09.12.2026       10:00:00");

  EXPECT_EQ(f.Chart2.Series1.count(), 0);
  EXPECT_EQ(f.Chart2.Series2.count(), 0);
  EXPECT_EQ(f.Chart2.bottom_axis().minimum, 0.0);
  EXPECT_EQ(f.Chart2.bottom_axis().maximum, 1.0);
  EXPECT_EQ(f.Chart2.hint(), message_text(1, 8));
  EXPECT_TRUE(f.Chart2.show_hint());

  for (int row = 1; row <= kRowCount; ++row) {
    SCOPED_TRACE(row);
    EXPECT_TRUE(f.cell(row, 1).enabled());
    for (int column = 1; column <= 6; ++column) EXPECT_EQ(f.cell(row, column).text(), "");
    EXPECT_EQ(f.schedule.rows[row - 1], f.schedule.blank_row);
    EXPECT_EQ(f.row_selected[row - 1], 0);
  }
  EXPECT_TRUE(f.Memo2.lines().empty());
  EXPECT_EQ(f.Lab_tact1.caption(), "");
  EXPECT_EQ(f.cycle_count, 0);
  EXPECT_FALSE(f.But_stop.enabled());
  for (Timer* t : {&f.Timer1, &f.TIsend, &f.TIresponse, &f.TImcresponse}) {
    SCOPED_TRACE(t->name());
    EXPECT_FALSE(t->enabled());
  }
}

TEST_F(LifeTest, FirstRunCreatesTheFileAndSaysSoInGerman) {
  created();
  EXPECT_TRUE(std::filesystem::exists(file("oxrconf.dat")));
  EXPECT_EQ(dialogs.messages(), std::vector<std::string>{"Datei oxrconf.dat erstellt."});

  // The second creation finds the file and says nothing.
  dialogs.clear_shown();
  created();
  EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(LifeTest, WaitingRowsNoLongerRealisableAreMarkedAndTheFirstRealisableIsSelected) {
  created();
  dialogs.clear_shown();
  const std::string waiting = "bitte starten";
  put_row(1, "261208-000", kToday - 1, 12 * kOneHour, waiting);       // yesterday
  put_row(2, "261209-000", kToday, 10 * kOneHour + 30 * kOneSecond, waiting);  // in 30 s
  put_row(3, "261209-001", kToday, 10 * kOneHour + 5 * kOneMinute, waiting);
  put_row(4, "261210-000", kToday + 1, 9 * kOneHour, waiting);  // earlier hour, next day

  form->check_waiting_rows();

  // Visited from the last row up, so row 2 is reported before row 1.
  EXPECT_EQ(dialogs.messages(),
            (std::vector<std::string>{
                "Zyklus 261209-000 nicht mehr realisierbar! Bitte löschen.",
                "Zyklus 261208-000 nicht mehr realisierbar! Bitte löschen."}));
  for (int row : {1, 2}) {
    SCOPED_TRACE(row);
    EXPECT_EQ(form->schedule.rows[row - 1].status_text, "nicht gestartet");
    EXPECT_EQ(form->cell(row, 6).text(), "nicht gestartet");
  }
  for (int row : {3, 4}) EXPECT_EQ(form->schedule.rows[row - 1].status_text, waiting);
  EXPECT_EQ(form->row_selected, (std::array<std::uint8_t, kRowCount>{0, 0, 1, 0, 0}));
  for (int column = 1; column <= 6; ++column) {
    SCOPED_TRACE(column);
    EXPECT_EQ(form->cell(3, column).color(), Color::Aqua);
    EXPECT_EQ(form->cell(4, column).color(), Color::BtnFace);
  }
}

TEST_F(LifeTest, WaitingRowMessagesFollowTheLanguage) {
  TFormzyklus& f = created();
  f.lang_index = 0;
  dialogs.clear_shown();
  put_row(1, "261209-000", kToday, 9 * kOneHour, "please start");
  f.check_waiting_rows();
  EXPECT_EQ(dialogs.messages(),
            std::vector<std::string>{"Cycle 261209-000 cannot be realized! Please delete."});
  EXPECT_EQ(f.cell(1, 6).text(), "not started");
  EXPECT_EQ(f.row_selected, (std::array<std::uint8_t, kRowCount>{}));
}

TEST_F(LifeTest, StoredCyclesComeBackAtShowAndLiveOnlyInTheTable) {
  write_bytes(file("oxrconf.dat"),
              config_bytes(kToday,
                           {{"261209-000", kToday, "10:00:30", "00:10:00", kToday, "10:10:30"},
                            {"261209-001", kToday, "11:00:00", "00:10:00", kToday, "11:10:00"}},
                           '1'));
  TFormzyklus& f = created();
  dialogs.clear_shown();
  f.take_over_waiting = 1;
  f.form.show();

  EXPECT_EQ(f.cell(1, 1).text(), "261209-000");
  EXPECT_EQ(f.cell(2, 1).text(), "261209-001");
  EXPECT_EQ(f.cell(1, 6).text(), "nicht gestartet");
  EXPECT_EQ(f.cell(2, 6).text(), "bitte starten");
  EXPECT_EQ(f.row_selected, (std::array<std::uint8_t, kRowCount>{0, 1, 0, 0, 0}));
  const std::vector<std::string> messages = dialogs.messages();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.front(), "Zyklus 261209-000 nicht mehr realisierbar! Bitte löschen.");
  // The show rewrites the file without them.
  EXPECT_EQ(config_line(config(), 22), "0");
  EXPECT_TRUE(f.Timer1.enabled());
}

TEST_F(LifeTest, ShowingAgainKeepsTheRun) {
  TFormzyklus& f = shown();
  put_row(1, "261209-000", kToday, 11 * kOneHour, "bitte starten");
  f.form.hide();
  f.form.show();
  EXPECT_EQ(f.cell(1, 1).text(), "261209-000");
  EXPECT_EQ(f.cycle_count, 1);
}

TEST_F(LifeTest, LanguageDecidesUnitDeleteCaptionAndLogo) {
  struct Case {
    const char* name;
    int lang;
    const char* delete_caption;
    const char* set_temp_shown;
    const char* hyst_shown;
    int hyst_internal;  // German: the switch to °C turns a hysteresis of 1 into 1.1 K
  };
  const Case cases[] = {{"German", 1, "Zyklus\r\nlöschen", "60", "1", 11},
                        {"English", 0, "Clear cycle ", "140", "2", 10}};
  // Whatever unit the window showed before: the one creation chose (°C) or the other one.
  for (const Case& c : cases) for (bool shown_before_in_celsius : {true, false}) {
    SCOPED_TRACE(c.name);
    SCOPED_TRACE(shown_before_in_celsius);
    TFormzyklus& f = created();
    if (!shown_before_in_celsius) f.RadioBut_F.operator_click();
    f.lang_index = static_cast<std::uint8_t>(c.lang);
    f.form.show();
    EXPECT_EQ(f.RadioBut_C.checked(), c.lang == 1);
    EXPECT_EQ(f.RadioBut_F.checked(), c.lang == 0);
    EXPECT_EQ(f.Button1.caption(), c.delete_caption);
    EXPECT_EQ(f.OXR_Logo2.visible(), c.lang == 1);
    EXPECT_EQ(f.OXR_LogoE2.visible(), c.lang == 0);
    EXPECT_EQ(f.StatusBar1.panel(1), message_text(c.lang, 35));
    for (MaskEdit* e : {&f.MEtarget1, &f.MEtarget2}) EXPECT_EQ(e->text(), c.set_temp_shown);
    for (MaskEdit* e : {&f.MEhyst1, &f.MEhyst2}) EXPECT_EQ(e->text(), c.hyst_shown);
    EXPECT_EQ(f.editor.set_temp1_setting.internal_tenths, 600);
    EXPECT_EQ(f.editor.hyst1_setting.internal_tenths, c.hyst_internal);
    EXPECT_EQ(f.editor.hyst2_setting.internal_tenths, c.hyst_internal);
  }
}

struct QuitCase {
  const char* name;
  std::vector<std::string> statuses;  // rows 1.. in order
  std::optional<bool> answer;         // nothing = no question expected
  const char* stored_count;
};

TEST_F(LifeTest, QuitAsksOnceAboutWaitingRowsAndStoresThemOnlyOnYes) {
  const std::vector<QuitCase> cases = {
      {"two waiting rows, Yes", {"bitte starten", "bitte starten"}, true, "2"},
      {"two waiting rows, No", {"bitte starten", "bitte starten"}, false, "0"},
      {"finished row before two waiting ones, Yes",
       {"beendet", "bitte starten", "please start"},
       true,
       "2"},
      {"only finished rows", {"beendet", "PC-Stop"}, std::nullopt, "0"},
      {"no cycle", {}, std::nullopt, "0"},
  };
  for (const QuitCase& c : cases) {
    SCOPED_TRACE(c.name);
    start_page_closed = stop_window_closed = 0;
    TFormzyklus& f = shown();
    for (std::size_t i = 0; i < c.statuses.size(); ++i) {
      const int row = static_cast<int>(i) + 1;
      put_row(row, "261209-00" + std::to_string(i), kToday, (11 + row) * kOneHour,
              c.statuses[i]);
    }
    dialogs.clear_shown();
    if (c.answer) dialogs.answer_confirm(*c.answer);

    f.Beenden1.click();

    std::vector<ConfirmRequest> asked;
    for (const auto& s : dialogs.shown())
      if (s.kind == ScriptedDialogs::Kind::Confirm) asked.push_back(s.confirm);
    ASSERT_EQ(asked.size(), c.answer ? 1u : 0u);
    if (c.answer) {
      EXPECT_EQ(asked[0].caption, "OXR - Pump Control");
      EXPECT_EQ(asked[0].text, "Zyklen mit Status 'bitte starten' speichern?");
      EXPECT_EQ(asked[0].yes_label, "Ja");
      EXPECT_EQ(asked[0].no_label, "Nein");
    }
    EXPECT_EQ(dialogs.pending(), 0u);
    const std::string bytes = config();
    EXPECT_EQ(config_line(bytes, 22), c.stored_count);
    const int stored = std::stoi(c.stored_count);
    // The stored rows are the waiting ones (the last rows of each case), in table order.
    const int first_waiting = static_cast<int>(c.statuses.size()) - stored;
    for (int j = 0; j < stored; ++j)
      EXPECT_EQ(config_line(bytes, 23 + j).substr(0, 10),
                f.schedule.rows[first_waiting + j].cycle_name);
    // Then only the language digit, without a line end.
    EXPECT_EQ(config_line(bytes, 23 + stored), "1");
    EXPECT_TRUE(bytes.ends_with("\r\n1"));
    EXPECT_EQ(stop_window_closed, 1);
    EXPECT_EQ(start_page_closed, 1);
    EXPECT_FALSE(f.form.visible());
  }
}

TEST_F(LifeTest, QuitIsRefusedWhileAStartIsActive) {
  TFormzyklus& f = shown();
  put_row(1, "261209-000", kToday, 11 * kOneHour, "wartet");
  f.start_active = 1;
  const std::string before = config();
  dialogs.clear_shown();

  f.Beenden1.click();

  EXPECT_EQ(dialogs.texts(),
            std::vector<std::string>{"Kein Beenden erlaubt, solange Start aktiv"});
  EXPECT_EQ(f.StatusBar1.panel(0), "Kein Beenden erlaubt, solange Start aktiv");
  EXPECT_TRUE(f.form.visible());
  EXPECT_EQ(start_page_closed, 0);
  EXPECT_EQ(stop_window_closed, 0);
  EXPECT_EQ(config(), before);
  EXPECT_EQ(f.start_active, 1);
}

TEST_F(LifeTest, ControlModeSetsTheZoneTwoLook) {
  struct Case {
    int mode;
    bool zone2;
    Color colour;
    bool act2;
  };
  TFormzyklus& f = created();
  const std::vector<Control*> zone2 = {&f.MEtarget2,     &f.MEhyst2,       &f.SpeButset2up,
                                       &f.SpeButset2down, &f.SpeButhyst2up, &f.SpeButhyst2down,
                                       &f.Label_target2,  &f.Label_hyst2};
  // Each case starts from the opposite look, so a step that does nothing shows.
  for (const Case& c : {Case{1, false, Color::BtnFace, false}, Case{2, false, Color::BtnFace, true},
                        Case{3, false, Color::BtnFace, true}, Case{4, true, Color::White, true}}) {
    SCOPED_TRACE(c.mode);
    for (Control* ctl : zone2) ctl->set_enabled(!c.zone2);
    f.MEtarget2.set_color(c.colour == Color::White ? Color::BtnFace : Color::White);
    f.MEhyst2.set_color(f.MEtarget2.color());
    f.Label_act2.set_enabled(!c.act2);
    f.control_mode = c.mode;

    f.apply_control_mode();

    for (Control* ctl : zone2) EXPECT_EQ(ctl->enabled(), c.zone2) << ctl->name();
    EXPECT_EQ(f.MEtarget2.color(), c.colour);
    EXPECT_EQ(f.MEhyst2.color(), c.colour);
    EXPECT_EQ(f.Label_act2.enabled(), c.act2);
    EXPECT_EQ(f.control_mode, c.mode);
  }

  // An unknown mode leaves the mode-4 look and falls back to mode 1.
  f.control_mode = 7;
  f.apply_control_mode();
  EXPECT_EQ(f.control_mode, 1);
  for (Control* ctl : zone2) EXPECT_TRUE(ctl->enabled()) << ctl->name();
  EXPECT_EQ(f.MEtarget2.color(), Color::White);
  EXPECT_TRUE(f.Label_act2.enabled());
}

TEST_F(LifeTest, StatusPanelsShowPortAndClock) {
  TFormzyklus& f = created();
  f.com_names = {"Pumpe", "", "Ofen", ""};
  f.com_port = 0;
  f.show_port_panel();
  EXPECT_EQ(f.StatusBar1.panel(2), "COM1 : Pumpe");
  f.com_port = 2;
  f.show_port_panel();
  EXPECT_EQ(f.StatusBar1.panel(2), "COM3 : Ofen");

  clock.advance_ms(((13 * 60 + 55) * 60 + 7) * 1000);  // 23:55:07
  f.show_clock_panel();
  EXPECT_EQ(f.StatusBar1.panel(4), "09.12.2026       23:55:07");
}

TEST_F(LifeTest, StopWindowComesForwardOnlyWhenShowing) {
  TFormzyklus& f = created();
  bool showing = false;
  int raised = 0;
  f.window_links.stop_window_showing = [&] { return showing; };
  f.window_links.raise_stop_window = [&] { ++raised; };
  f.ApplicationDeactivate();
  EXPECT_EQ(raised, 0);
  showing = true;
  f.ApplicationDeactivate();
  EXPECT_EQ(raised, 1);

  EXPECT_EQ(f.hint_hide_pause_ms(f.Chart2), 8000);
  EXPECT_EQ(f.hint_hide_pause_ms(f.But_start), std::nullopt);
}

}  // namespace
}  // namespace oxr::test
