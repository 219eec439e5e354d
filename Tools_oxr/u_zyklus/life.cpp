// The main window's life: creation, the first show that brings up the configuration, the
// schedule table and the serial link, the quit, and the control-mode look of zone 2.
#include "Tools_oxr/date_time.h"
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

namespace {

constexpr const char* kDeleteCaptionGerman = "Zyklus\r\nlöschen";
constexpr const char* kDeleteCaptionEnglish = "Clear cycle ";

// The masked name cell of an empty row reads as blanks.
bool is_blank(const std::string& text) {
  return text.find_first_not_of(' ') == std::string::npos;
}

// A status that may be kept for the next run: "please start" in either language.
bool waits_for_start(const std::string& status) {
  if (status.empty()) return false;
  return status[0] == 'p' || (status.size() > 1 && status[0] == 'b' && status[1] == 'i');
}

}  // namespace

void TFormzyklus::wire_life() {
  form.OnShow = [this] { FormShow(); };
  form.OnCloseQuery = [this] { return FormClose(); };
  Beenden1.OnClick = [this] { Beenden1Click(); };
  // The controller told its mode: zone 2 follows it, and the selected row is picked again so
  // the editor shows it under the new look.
  on_control_mode_read = [this] {
    apply_control_mode();
    for (int k = 1; k <= kRowCount; ++k) {
      if (row_selected[k - 1] == 1) {
        select_row(k);
        break;
      }
    }
  };
}

void TFormzyklus::FormCreate() {
  app_handlers_installed = true;
  maximise_button = false;
  OXR_Logo2.set_picture("oxr_logo_de.jpg");
  OXR_LogoE2.set_picture("oxr_logo_en.jpg");
  Button1.set_multi_line(true);
  Button1.set_caption(kDeleteCaptionGerman);
  lang_index = 1;
  com_port = 0;
  config_ensure_exists();
  reset_controller_state();
  refresh_name_preview();
  if (lang_index == 1)
    RadioBut_C.set_checked(true);
  else
    RadioBut_F.set_checked(true);
  StatusBar1.set_panel(0, msg(71));
  show_clock_panel();
}

void TFormzyklus::reset_controller_state() {
  // Chart: nothing drawn, a unit time axis, the operator's hint on zoom and scroll.
  Chart2.Series1.clear();
  Chart2.Series2.clear();
  ChartAxis bottom = Chart2.bottom_axis();
  bottom.minimum = 0.0;
  bottom.maximum = 1.0;
  Chart2.set_bottom_axis(bottom);
  Chart2.set_hint(msg(8));
  Chart2.set_show_hint(true);

  StatusBar1.set_panel(1, msg(35));
  fill_text_tables();

  save_waiting = 0;
  But_stop.set_enabled(false);
  TIresponse.set_enabled(false);
  TImcresponse.set_enabled(false);
  TIsend.set_enabled(false);
  reset_link_state();
  row_selected.fill(0);
  Lab_tact1.set_caption("");
  Lab_tact2.set_caption("");
  cycle_count = 0;

  set_editor_defaults();

  for (int column = 1; column <= 6; ++column) header_memo(column).clear();
  for (int row = 1; row <= kRowCount; ++row) {
    for (int column = 1; column <= 6; ++column) cell(row, column).set_text("");
    cell(row, 1).set_enabled(true);
    schedule.rows[row - 1] = schedule.blank_row;
  }
}

void TFormzyklus::reset_link_state() {
  tc_connected = 0;
  tc_status_code = 0;
  awaiting_reply = 0;
  send_retry_count = 0;
  reply_wait_seconds = 0;
}

void TFormzyklus::FormShow() {
  // The start page may show the window again; the state is built once per run.
  if (first_show_done) return;
  first_show_done = true;

  Timer1.set_enabled(true);
  config_ensure_exists();
  reset_controller_state();
  row_selected.fill(0);
  for (int row = 1; row <= kRowCount; ++row)
    for (int column = 1; column <= 6; ++column) cell(row, column).set_color(Color::BtnFace);
  config_read();
  apply_control_mode();
  config_realign_days();
  if (lang_index == 1) {
    RadioBut_C.set_checked(true);
    apply_main_captions_german();
    Button1.set_caption(kDeleteCaptionGerman);
    OXR_Logo2.set_visible(true);
    OXR_LogoE2.set_visible(false);
  } else {
    RadioBut_F.set_checked(true);
    apply_main_captions_english();
    Button1.set_caption(kDeleteCaptionEnglish);
    OXR_Logo2.set_visible(false);
    OXR_LogoE2.set_visible(true);
  }
  check_waiting_rows();
  if (is_blank(cell(1, 1).text())) refresh_name_preview();
  port_setup_at_start();
  // save_waiting is 0 here: the waiting cycles now live only in the table until the quit.
  config_write();
  journal_recover();
}

void TFormzyklus::check_waiting_rows() {
  const DateTime now = env.clock.now();
  const DateTime today = date_of(now);
  const DateTime time_now = time_of(now);
  // Visiting row 1 last leaves the lowest-numbered realisable row selected.
  for (int row = kRowCount; row >= 1; --row) {
    if (is_blank(cell(row, 1).text())) continue;
    CycleRecord& record = schedule.rows[row - 1];
    const bool realisable =
        record.start_date >= today &&
        (record.start_time > time_now + kOneMinute || record.start_date > today);
    if (realisable) {
      for (int r = 1; r <= kRowCount; ++r) {
        row_selected[r - 1] = (r == row) ? 1 : 0;
        for (int column = 1; column <= 6; ++column)
          cell(r, column).set_color(r == row ? Color::Aqua : Color::BtnFace);
      }
      // The same as the operator's click on the row's first cell.
      cell(row, 1).enter();
    } else {
      record.status_text = msg(22);
      cell(row, 6).set_text(record.status_text);
      env.dialogs.message(msg(41) + record.cycle_name + msg(42));
    }
  }
}

bool TFormzyklus::FormClose() {
  if (start_active == 1) {
    show_message(17);
    StatusBar1.set_panel(0, msg(17));
    return false;
  }
  if (tc_connected == 1) send_sign_off();

  bool asked = false;
  for (int row = 1; row <= kRowCount && !asked; ++row) {
    if (is_blank(cell(row, 1).text())) continue;
    if (!waits_for_start(schedule.rows[row - 1].status_text)) continue;
    asked = true;
    if (env.dialogs.confirm({msg(54), msg(30), msg(55), msg(56)})) {
      save_waiting = 1;
    } else {
      save_waiting = 0;
      cycle_count = 0;
    }
  }
  if (!asked) cycle_count = 0;

  leave_run_mode();
  if (window_links.close_stop_window) window_links.close_stop_window();
  config_write();
  if (window_links.close_start_page) window_links.close_start_page();
  return true;
}

void TFormzyklus::Beenden1Click() { form.close(); }

void TFormzyklus::apply_control_mode() {
  bool zone2_editable = false;
  bool act2_shown = false;
  switch (control_mode) {
    case 1:
      break;
    case 2:
    case 3:
      act2_shown = true;
      break;
    case 4:
      zone2_editable = true;
      act2_shown = true;
      break;
    default:
      // An unknown mode reported by the controller leaves the look as it is.
      control_mode = 1;
      return;
  }
  for (Control* c : std::initializer_list<Control*>{
           &MEtarget2, &MEhyst2, &SpeButset2up, &SpeButset2down, &SpeButhyst2up,
           &SpeButhyst2down, &Label_target2, &Label_hyst2})
    c->set_enabled(zone2_editable);
  const Color field_colour = zone2_editable ? Color::White : Color::BtnFace;
  MEtarget2.set_color(field_colour);
  MEhyst2.set_color(field_colour);
  Label_act2.set_enabled(act2_shown);
}

std::string TFormzyklus::port_panel_text(int port, const std::string& name) {
  return "COM" + std::to_string(port + 1) + " : " + name;
}

std::string TFormzyklus::clock_panel_text(DateTime now) {
  return format_date(now) + "       " + format_time(now);
}

void TFormzyklus::show_port_panel() {
  const int port = com_port < com_names.size() ? com_port : 0;
  StatusBar1.set_panel(2, port_panel_text(port, com_names[port]));
}

void TFormzyklus::show_clock_panel() {
  StatusBar1.set_panel(4, clock_panel_text(env.clock.now()));
}

void TFormzyklus::ApplicationDeactivate() {
  if (window_links.stop_window_showing && window_links.stop_window_showing() &&
      window_links.raise_stop_window)
    window_links.raise_stop_window();
}

std::optional<int> TFormzyklus::hint_hide_pause_ms(const Control& c) const {
  if (&c == &Chart2) return kChartHintPauseMs;
  return std::nullopt;
}

}  // namespace oxr
