// "Werte übernehmen": the editor's values become a new row of the schedule table, or a new
// version of the selected "please start" row, under the scheduling rules (five rows, no start
// in the past, no overlap, one endless cycle and nothing after it, start order).
#include "Tools_oxr/date_time.h"
#include "Tools_oxr/texts.h"
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

void TFormzyklus::wire_takeover() {
  But_takeover.OnClick = [this] { But_takeoverClick(); };
}

bool TFormzyklus::endless_please_start(int k) const {
  const CycleRecord& r = schedule.rows[static_cast<std::size_t>(k - 1)];
  return is_endless(r.duration) && is_please_start(r.status_text);
}

void TFormzyklus::But_takeoverClick() {
  config_realign_days();
  // A duration stepped up to 24:00 without the endless box shows 00:00; it is taken as the
  // field shows it (00:01), never as an endless cycle the operator did not ask for.
  if (!CheckBox_endlos.checked() && is_endless(editor.edit_duration)) check_duration();

  int k = 0;
  for (int r = 1; r <= kRowCount && k == 0; ++r)
    if (row_selected[static_cast<std::size_t>(r - 1)] == 1 &&
        is_please_start(schedule.rows[static_cast<std::size_t>(r - 1)].status_text))
      k = r;

  const bool endless = is_endless(editor.edit_duration);
  auto other_endless = [this](int except) {
    for (int r = 1; r <= kRowCount; ++r)
      if (r != except && endless_please_start(r)) return true;
    return false;
  };
  if (k != 0) {
    if (endless && other_endless(k))
      editor_message(msg(91));
    else
      change_row(k);
  } else if (cycle_count > 4) {
    const EditorTexts& t = editor_texts_now();
    editor_message(t.table_full[0] + "\r" + t.table_full[1]);
  } else if (endless && other_endless(0)) {
    editor_message(msg(91));
  } else {
    new_cycle_flow();
  }
  endless_cleanup();
  config_write();
}

void TFormzyklus::write_editor_into_row(int p) {
  CycleRecord& row = schedule.rows[static_cast<std::size_t>(p - 1)];
  row.cycle_name = editor.edit_cycle_name;
  row.start_date = editor.edit_date;
  // A start time stepped past midnight folds back to the same date.
  if (to_ms(editor.edit_start_time) >= kEndlessThresholdMs)
    editor.edit_start_time = from_ms(to_ms(editor.edit_start_time) - kDayMs);
  row.start_time = editor.edit_start_time;
  row.duration = editor.edit_duration;
  const CycleEnd end = cycle_end(editor.edit_date, editor.edit_start_time, editor.edit_duration);
  editor.edit_end_date = end.end_date;
  editor.edit_end_time = end.end_time;
  row.end_date = end.end_date;
  row.end_time = end.end_time;
  check_start_in_past(row);
  row.status_text = editor.new_status_text;
  row.set_temp1 = editor.set_temp1_setting.internal_tenths;
  row.hyst1 = editor.hyst1_setting.internal_tenths;
  // In modes 2 and 3 zone 2 runs on zone 1's values.
  const bool zone2_follows = control_mode == 2 || control_mode == 3;
  row.set_temp2 = zone2_follows ? editor.set_temp1_setting.internal_tenths
                                : editor.set_temp2_setting.internal_tenths;
  row.hyst2 =
      zone2_follows ? editor.hyst1_setting.internal_tenths : editor.hyst2_setting.internal_tenths;
  editor.edit_preheating = RadioBut_prea_on.checked() ? 1 : 0;
  row.preheating = editor.edit_preheating;
  row.comment = Edit_comment.text();
}

void TFormzyklus::check_start_in_past(const CycleRecord& row) {
  editor.new_status_text = msg(27);
  const DateTime now = env.clock.now();
  const DateTime today = date_of(now);
  const DateTime day = date_of(row.start_date);
  if (day < today || (day == today && to_ms(row.start_time) < to_ms(time_of(now)))) {
    editor_message(editor_texts_now().start_past);
    start_in_past = 1;
  }
}

bool TFormzyklus::overlap_test(int p) {
  const CycleRecord& added = schedule.rows[static_cast<std::size_t>(p - 1)];
  bool clash = false;
  for (int e = 1; e < p; ++e) {
    const CycleRecord& existing = schedule.rows[static_cast<std::size_t>(e - 1)];
    if (is_please_start(existing.status_text) && cycles_clash(existing, added)) clash = true;
  }
  if (!clash) return false;
  overlap_found = 1;
  editor_message(editor_texts_now().overlap);
  clear_row(p);
  return true;
}

int TFormzyklus::insert_row(int p) { return insert_in_start_order(schedule.rows, p); }

int TFormzyklus::delete_after_endless(int p) {
  const int i = first_row_pushed_out(schedule.rows, p);
  if (i == 0) return p;
  schedule.rows[static_cast<std::size_t>(i - 1)] = schedule.rows[static_cast<std::size_t>(p - 1)];
  for (int r = i + 1; r <= p; ++r) clear_row(r);
  cycle_count = static_cast<std::uint16_t>(cycle_count - (p - i));
  return i;
}

void TFormzyklus::new_cycle_flow() {
  const DateTime today = date_of(env.clock.now());
  editor.current_number =
      oxr::draw_cycle_number(day_counters, editor.edit_date, today, editor.current_number);
  editor.edit_cycle_name = cycle_name(editor.edit_date, editor.current_number);

  const int p = cycle_count + 1;
  write_editor_into_row(p);
  int at = p;
  bool taken = true;
  if (start_in_past == 1) {
    clear_row(p);
    taken = false;
  } else if (is_endless(schedule.rows[static_cast<std::size_t>(p - 1)].duration) &&
             cycle_count >= 1) {
    if (env.dialogs.confirm({msg(61), msg(60), msg(62), msg(63)})) {
      // The confirmed endless cycle is not tested for overlap.
      at = delete_after_endless(p);
    } else {
      clear_row(p);
      table_refresh();
      select_row(cycle_count);
      taken = false;
    }
  } else if (overlap_test(p)) {
    taken = false;
  }
  if (taken) {
    insert_row(at);
    table_refresh();
    select_row(cycle_count + 1);
    ++cycle_count;
  }
  overlap_found = 0;
  start_in_past = 0;
}

void TFormzyklus::change_row(int k) {
  const int n = cycle_count;
  // The fields are checked before the date is compared and a number drawn, so that the
  // number, the name and the start all come from the same checked date.
  check_all();
  CycleRecord& old_row = schedule.rows[static_cast<std::size_t>(k - 1)];
  const bool same_date = date_of(editor.edit_date) == date_of(old_row.start_date);
  const std::string kept_name = old_row.cycle_name;

  schedule.saved_row = old_row;
  clear_row(k);
  for (int j = k; j < n; ++j) move_row(j);
  cycle_count = static_cast<std::uint16_t>(n - 1);

  if (!same_date) {
    const DateTime today = date_of(env.clock.now());
    editor.current_number =
        oxr::draw_cycle_number(day_counters, editor.edit_date, today, editor.current_number);
    editor.edit_cycle_name = cycle_name(editor.edit_date, editor.current_number);
  }
  write_editor_into_row(n);
  CycleRecord& row_n = schedule.rows[static_cast<std::size_t>(n - 1)];
  if (same_date) row_n.cycle_name = kept_name;

  int at = n;
  if (start_in_past == 1) {
    row_n = schedule.saved_row;
  } else if (n >= 2) {
    if (is_endless(row_n.duration)) {
      if (env.dialogs.confirm({msg(61), msg(60), msg(62), msg(63)})) {
        at = delete_after_endless(n);
        confirmed_endless = 1;
      } else {
        row_n = schedule.saved_row;
      }
    } else if (overlap_test(n)) {
      schedule.rows[static_cast<std::size_t>(n - 1)] = schedule.saved_row;
    }
  }
  insert_row(at);
  table_refresh();
  select_row(cycle_count + 1);

  overlap_found = 0;
  start_in_past = 0;
  ++cycle_count;
  schedule.saved_row = schedule.blank_row;
  pick_row(k);
}

void TFormzyklus::endless_cleanup() {
  for (int k = 1; k <= kRowCount - 1; ++k) {
    if (!endless_please_start(k)) continue;
    if (cycle_count > k && confirmed_endless == 0) editor_message(msg(37));
    confirmed_endless = 0;
    for (int r = k + 1; r <= kRowCount; ++r) clear_row(r);
    pick_row(k);
    cycle_count = static_cast<std::uint16_t>(k);
    return;
  }
}

}  // namespace oxr
