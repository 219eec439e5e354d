// Stopping and ending a run: one stop procedure for every end, the row's final status, the
// offer to continue with the remaining time, and the repeated switch-off after a PC-STOP.
#include "Tools_oxr/date_time.h"
#include "Tools_oxr/frames.h"
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

namespace {

constexpr std::uint16_t kMaxSwitchOffRepeats = 4;  // repeats beyond this: give up

struct EndReasonTexts {
  int panel_msg;
  const char* end_word;  // into the newest sample
};

EndReasonTexts end_reason_texts(std::uint16_t reason) {
  switch (reason) {
    case 5:
      return {13, kEndWordMcEnd};
    case 6:
      return {14, kEndWordTcStop};
    case 7:
      return {79, kEndWordTcBreak};
    case 8:
      return {80, kEndWordConnectBreak};
    case 9:
      return {86, kEndWordTBreak};
    default:
      return {0, kEndWordPcStop};
  }
}

bool stopped_by_controller_or_link(std::uint16_t reason) {
  return reason >= 6 && reason <= 9;
}

}  // namespace

const std::string& TFormzyklus::end_status_word() const {
  switch (end_reason) {
    case 6:
      return msg(26);
    case 7:
      return msg(81);
    case 8:
      return msg(82);
    case 9:
      return msg(85);
    default:
      return msg(25);
  }
}

void TFormzyklus::But_stopClick() {
  if (tc_init_running == 1 && end_reason != 8) {
    show_message(87);
    return;
  }
  close_stop_window();
  leave_run_mode();
  Timer3.set_enabled(false);
  TImcresponse.set_enabled(false);
  env.serial.discard_input(com_port);

  StatusBar1.set_panel(1, msg(35));
  MeasurementSample& newest = samples[last_sample_index];
  newest.pump_text = kPumpOffText;

  const EndReasonTexts texts = end_reason_texts(end_reason);
  StatusBar1.set_panel(0, msg(texts.panel_msg));
  newest.sample_status = texts.end_word;
  switch (end_reason) {
    case 5:
    case 6:
    case 7:
      break;
    case 8:
      if (tc_init_running == 1) {
        TIresponse.set_enabled(false);
        TIsend.set_enabled(false);
        tc_init_running = 0;
        start_seq_active = 0;
        start_step = 0;
      }
      break;
    case 9:
      write_operation(kOperationOff);
      break;
    default:
      Lab_tact1.set_caption("");
      Lab_tact2.set_caption("");
      if (measuring_active == 1) {
        write_operation(kOperationOff);
        stop_confirm_pending = 1;
        stop_retry_count = 0;
        TIstop.set_enabled(true);
      }
      break;
  }

  // The run's data file.
  if (measuring_active == 1 && last_sample_index > 0) {
    fill_header_from_run(static_cast<std::uint16_t>(last_sample_index + 1));
    // The samples are let go only once they are on disk.
    if (save_run_data()) {
      last_sample_index = 0;
      samples.clear();
    }
    measuring_active = 0;
  } else if (measuring_active == 1) {
    // Nothing worth a file was recorded: the journal must not come back as a run.
    journal_finish(true, samples[last_sample_index]);
  }

  for (int k = 1; k <= kRowCount; ++k) {
    const CycleRecord& r = schedule.rows[static_cast<std::size_t>(k - 1)];
    if (row_selected[static_cast<std::size_t>(k - 1)] == 1 &&
        (is_waiting(r.status_text) || is_running(r.status_text))) {
      settle_stopped_row(k);
      break;
    }
  }

  // No row is left waiting: the schedule is armed again with START.
  for (int k = 1; k <= kRowCount; ++k) {
    if (row_blank(k)) continue;
    CycleRecord& r = schedule.rows[static_cast<std::size_t>(k - 1)];
    if (is_waiting(r.status_text)) {
      r.status_text = msg(27);
      cell(k, 6).set_text(r.status_text);
    }
    if (row_selected[static_cast<std::size_t>(k - 1)] == 1) pick_row(k);
  }
}

void TFormzyklus::leave_run_mode() {
  start_active = 0;
  keep_awake_end();
  But_stop.set_enabled(false);
  for (Control* c : std::initializer_list<Control*>{&But_start,
                                                    &But_takeover,
                                                    &But_save,
                                                    &But_open,
                                                    &But_new,
                                                    &Button1,
                                                    &Edit_comment,
                                                    &RadioBut_prea_off,
                                                    &RadioBut_prea_on,
                                                    &MEtarget1,
                                                    &MEhyst1,
                                                    &SpeButset1up,
                                                    &SpeButset1down,
                                                    &SpeButhyst1up,
                                                    &SpeButhyst1down,
                                                    &CheckBox_endlos,
                                                    &MEcycled,
                                                    &MEstartz,
                                                    &MEdatum,
                                                    &SpeButdurhourup,
                                                    &SpeButdurhourdown,
                                                    &SpeButdurminup,
                                                    &SpeButdurmindown,
                                                    &SpeButtimehourup,
                                                    &SpeButtimehourdown,
                                                    &SpeButtimeminup,
                                                    &SpeButtimemindown,
                                                    &SpeButdateup,
                                                    &SpeButdatedown,
                                                    &RadioBut_C,
                                                    &RadioBut_F,
                                                    &ToolButton_new,
                                                    &ToolButton3,
                                                    &ToolButton4,
                                                    &Neu1,
                                                    &ffnen1,
                                                    &Speichern1,
                                                    &Beenden1,
                                                    &Com12,
                                                    &Com22,
                                                    &Com32,
                                                    &Com42,
                                                    &Info1})
    c->set_enabled(true);
  const bool zone2 = control_mode == 4;
  for (Control* c : std::initializer_list<Control*>{
           &MEtarget2, &MEhyst2, &SpeButset2up, &SpeButset2down, &SpeButhyst2up, &SpeButhyst2down})
    c->set_enabled(zone2);
  for (int k = 1; k <= kRowCount; ++k) cell(k, 1).set_enabled(true);
}

void TFormzyklus::settle_stopped_row(int k) {
  CycleRecord& r = schedule.rows[static_cast<std::size_t>(k - 1)];
  const DateTime now = env.clock.now();
  const DateTime today = date_of(now);
  const DateTime time_now = time_of(now);
  const auto set_status = [&](const std::string& status) {
    r.status_text = status;
    cell(k, 6).set_text(status);
  };

  if ((r.start_time > time_now && r.start_date == today) || r.start_date > today) {
    // Not begun yet: "waiting" for now, which the stop then turns into "please start".
    set_status(msg(28));
    for (int c = 1; c <= 6; ++c) cell(k, c).set_color(Color::Red);
    return;
  }
  if (r.end_date == today) {
    if (r.end_time > time_now) {
      if (r.end_time > time_now + kOneMinute) {
        if (stopped_by_controller_or_link(end_reason))
          set_status(end_status_word());
        else
          offer_continuation(k);
      } else if (end_reason == 5) {
        set_status(msg(24));
        show_message(23);
      } else if (stopped_by_controller_or_link(end_reason)) {
        set_status(end_status_word());
      } else {
        set_status(msg(25));
        show_message(23);
      }
    } else if (r.end_time < time_now) {
      r.status_text = msg(24);
      cell(k, 6).set_text(end_reason == 8 ? msg(82) : msg(24));
    }
    return;
  }
  if (stopped_by_controller_or_link(end_reason))
    set_status(end_status_word());
  else
    offer_continuation(k);
}

void TFormzyklus::offer_continuation(int k) {
  CycleRecord& r = schedule.rows[static_cast<std::size_t>(k - 1)];
  const bool endless = is_endless(r.duration);
  const bool yes = env.dialogs.confirm({msg(57), msg(endless ? 18 : 19), msg(58), msg(59)});
  if (!yes) {
    r.status_text = end_status_word();
    cell(k, 6).set_text(r.status_text);
    return;
  }

  const DateTime now = env.clock.now();
  const DateTime today = date_of(now);
  const DateTime time_now = time_of(now);
  const bool far_enough = (r.end_time > time_now + kOneMinute && r.end_date == today) ||
                          (r.end_date > today && r.end_time > kOneMinute);
  if (!far_enough) {
    r.status_text = end_status_word();
    cell(k, 6).set_text(r.status_text);
    env.dialogs.message(msg(20) + r.cycle_name + msg(21));
    return;
  }

  // The replacement starts at the beginning of the next minute, which may be tomorrow.
  const std::int64_t next_minute_ms = to_ms(now_whole_minutes(now)) + kMinuteMs;
  const bool after_midnight = next_minute_ms >= kDayMs;
  const DateTime start_date = today + (after_midnight ? 1 : 0);
  const int entry = after_midnight ? 1 : 0;
  const std::uint16_t number = day_counters[static_cast<std::size_t>(entry)].count;
  ++day_counters[static_cast<std::size_t>(entry)].count;
  editor.current_number = number;
  // Named after its own start day, so it can never take the name of an earlier cycle.
  r.cycle_name = cycle_name(start_date, number);
  r.start_date = start_date;
  r.start_time = from_ms(next_minute_ms % kDayMs);
  if (endless) {
    r.end_time = r.start_time;
    r.end_date = r.start_date + 1;
  } else {
    r.duration =
        r.start_date == r.end_date ? r.end_time - r.start_time : (1.0 - r.start_time) + r.end_time;
  }
  r.status_text = msg(27);
  show_row_cells(k);
  // The counters drawn from must survive a crash, or a later cycle would reuse the name.
  config_write();
}

void TFormzyklus::TIstopTimer() {
  TIstop.set_enabled(false);
  if (!stop_confirm_pending) return;
  if (stop_retry_count > kMaxSwitchOffRepeats) {
    stop_confirm_pending = 0;
    stop_retry_count = 0;
    // The message tells the operator; the last frame's answer is no longer waited for.
    awaiting_reply = 0;
    reply_wait_seconds = 0;
    show_message(88);
    return;
  }
  TImcresponse.set_enabled(false);
  env.serial.discard_input(com_port);
  // The repeat goes out on its second even though the one before is still unanswered.
  awaiting_reply = 0;
  write_operation(kOperationOff);
  ++stop_retry_count;
  TIstop.set_enabled(true);
}

}  // namespace oxr
