// Starting a cycle: START arms the schedule, the earliest realisable "please start" row waits
// for its time, and at that time the controller is configured and switched on.
#include "Tools_oxr/chart_logic.h"
#include "Tools_oxr/date_time.h"
#include "Tools_oxr/frames.h"
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

namespace {

constexpr std::int64_t kTenSecondsMs = 10'000;

}  // namespace

void TFormzyklus::wire_run() {
  But_start.OnClick = [this] { But_startClick(); };
  But_stop.OnClick = [this] { But_stopClick(); };
  Timer3.OnTimer = [this] { Timer3Timer(); };
  TImcresponse.OnTimer = [this] { TImcresponseTimer(); };
  TIstop.OnTimer = [this] { TIstopTimer(); };
  BitBtn1.OnClick = [this] { BitBtn1Click(); };
  for (Control* c : std::initializer_list<Control*>{&But_open, &ffnen1, &ToolButton3})
    c->OnClick = [this] { ffnen1Click(); };
  for (Control* c : std::initializer_list<Control*>{&But_save, &Speichern1, &ToolButton4})
    c->OnClick = [this] { But_saveClick(); };

  stop_for_link_loss = [this] {
    end_reason = 8;
    But_stopClick();
  };
  on_controller_running = [this] { run_confirmed(); };
  on_switch_off_acknowledged = [this] {
    stop_confirm_pending = 0;
    stop_retry_count = 0;
  };
}

void TFormzyklus::show_stop_window() {
  if (stop_form) stop_form->show();
}

void TFormzyklus::close_stop_window() {
  if (window_links.close_stop_window)
    window_links.close_stop_window();
  else if (stop_form)
    stop_form->close();
}

void TFormzyklus::But_startClick() {
  end_reason = 0;
  if (file_opened) {
    unlock_editor_after_file();
    file_opened = 0;
    empty_chart();
  }
  if (!tc_connected) {
    Timer3.set_enabled(false);
    if (!But_start.enabled()) But_stopClick();
    StatusBar1.set_panel(0, msg(9));
    show_message(9);
    return;
  }
  lock_chart_for_run(Chart2);
  StatusBar1.set_panel(0, msg(16));

  if (tc_end_state == 5 && follow_up_prepared)
    resume_follow_up();
  else
    choose_due_row();

  bool any_selected = false;
  for (std::uint8_t s : row_selected) any_selected = any_selected || s == 1;
  if (!any_selected) return;
  for (int k = 1; k <= kRowCount; ++k) {
    CycleRecord& r = schedule.rows[static_cast<std::size_t>(k - 1)];
    if (row_blank(k) || !is_please_start(r.status_text)) continue;
    lock_for_run();
    r.status_text = msg(28);
    cell(k, 6).set_text(r.status_text);
    if (row_selected[static_cast<std::size_t>(k - 1)] == 1)
      for (int c = 1; c <= 6; ++c) cell(k, c).set_color(Color::Red);
  }
}

void TFormzyklus::choose_due_row() {
  const auto choose = [this](int k) {
    row_chosen = 1;
    select_row(k);  // only this row selected and aqua, loaded into the editor
    show_stop_window();
    Timer3.set_enabled(true);
  };
  const auto not_started = [this](int k, std::string text) {
    CycleRecord& r = schedule.rows[static_cast<std::size_t>(k - 1)];
    env.dialogs.message(text);
    r.status_text = msg(22);
    cell(k, 6).set_text(r.status_text);
  };

  if (cycle_count == 0) {
    show_message(15);
    StatusBar1.set_panel(0, msg(15));
  } else {
    // Bottom up: a later choice replaces an earlier one, so the earliest row ends up chosen.
    for (int k = kRowCount; k >= 1; --k) {
      if (row_blank(k)) continue;
      CycleRecord& r = schedule.rows[static_cast<std::size_t>(k - 1)];
      const DateTime now = env.clock.now();
      const DateTime today = date_of(now);
      const DateTime time_now = time_of(now);
      if (r.start_date >= today && is_please_start(r.status_text)) {
        if (r.start_time > time_now || r.start_date > today) {
          choose(k);
        } else if ((r.start_time < time_now && r.start_date == today) || r.start_date > today) {
          if ((r.end_time > time_now && r.end_date == today) || r.end_date > today) {
            // A late start: from the current minute, to the planned end.
            r.start_time = now_whole_minutes(now);
            r.start_date = today;
            if (!is_endless(r.duration)) {
              r.duration = r.start_date == r.end_date ? r.end_time - r.start_time
                                                      : (1.0 - r.start_time) + r.end_time;
            } else {
              r.end_date = r.start_date + 1;
              r.end_time = r.start_time;
            }
            show_row_cells(k);
            choose(k);
          } else {
            not_started(k, msg(20) + r.cycle_name + msg(21));
          }
        } else if (is_please_start(r.status_text)) {
          not_started(k, msg(41) + r.cycle_name + msg(42));
        }
      } else if (is_please_start(r.status_text)) {
        not_started(k, msg(41) + r.cycle_name + msg(42));
      } else {
        other_row_seen = 1;
      }
    }
  }

  if (other_row_seen && !row_chosen && !start_issued) {
    row_chosen = 0;
    other_row_seen = 0;
    show_message(15);
    StatusBar1.set_panel(0, msg(15));
  }
  row_chosen = 0;
  start_issued = 0;
}

void TFormzyklus::resume_follow_up() {
  follow_up_prepared = 0;
  tc_end_state = 0;
  if (cycle_count == 0) return;
  for (int k = kRowCount; k >= 1; --k) {
    if (row_blank(k) || row_selected[static_cast<std::size_t>(k - 1)] != 1) continue;
    pick_row(k);
    show_stop_window();
    Timer3.set_enabled(true);
  }
}

void TFormzyklus::lock_for_run() {
  start_active = 1;
  keep_awake_begin();
  But_stop.set_enabled(true);
  for (Control* c : std::initializer_list<Control*>{
           &But_start,       &But_takeover,     &But_save,         &But_open,
           &But_new,         &Button1,          &Edit_comment,     &RadioBut_prea_off,
           &RadioBut_prea_on, &MEtarget1,       &MEtarget2,        &MEhyst1,
           &MEhyst2,         &CheckBox_endlos,  &MEcycled,         &MEstartz,
           &MEdatum,         &RadioBut_C,       &RadioBut_F,       &ToolButton_new,
           &ToolButton3,     &ToolButton4,      &Neu1,             &ffnen1,
           &Speichern1,      &Beenden1,         &Com12,            &Com22,
           &Com32,           &Com42,            &Info1})
    c->set_enabled(false);
  for (SpeedButton* b : spin_buttons()) b->set_enabled(false);
  for (int k = 1; k <= kRowCount; ++k) cell(k, 1).set_enabled(false);
}

void TFormzyklus::Timer3Timer() { start_when_due(); }

void TFormzyklus::start_when_due() {
  const DateTime now = env.clock.now();
  const DateTime today = date_of(now);
  const DateTime time_now = time_of(now);
  // Counted in whole milliseconds, so a tick on a multiple of 10 s is not taken for the
  // step before it.
  const DateTime q = from_ms(to_ms(time_now) / kTenSecondsMs * kTenSecondsMs);

  for (int k = 1; k <= kRowCount; ++k) {
    CycleRecord& r = schedule.rows[static_cast<std::size_t>(k - 1)];
    if (row_selected[static_cast<std::size_t>(k - 1)] != 1 || r.start_date != today ||
        !(r.start_time < time_now))
      continue;
    Timer3.set_enabled(false);
    running_text = msg(44) + r.cycle_name + msg(45);
    StatusBar1.set_panel(0, running_text);
    r.status_text = msg(29);
    cell(k, 6).set_text(r.status_text);

    measuring_active = 1;
    start_issued = 1;
    current_row = k - 1;
    start_step = 1;
    start_seq_active = 1;
    // The run records into a clean buffer: nothing of an earlier run or of an opened file
    // may end up in its data file or date its samples.
    samples.clear();
    last_sample_index = 0;

    // What is left until the planned end is what the controller is given.
    if (!is_endless(r.duration))
      r.duration = r.start_date == r.end_date ? r.end_time - q : r.end_time + (1.0 - q);
    pick_row(k);
    for (int c = 1; c <= 6; ++c) cell(k, c).set_color(Color::Lime);
    write_operation(kOperationOff);  // its acknowledgement begins the start sequence
  }
  if (start_seq_active) tc_init_running = 1;
}

void TFormzyklus::start_not_answered() {
  TIsend.set_enabled(false);
  TIresponse.set_enabled(false);
  start_seq_active = 0;
  start_step = 0;
  tc_init_running = 0;
  // As a run that delivers nothing: one switch-off frame, the row "T-Break".
  end_reason = 9;
  But_stopClick();
  Lab_tact1.set_caption("");
  Lab_tact2.set_caption("");
  StatusBar1.set_panel(0, msg(12));
}

}  // namespace oxr
