// The cycle editor: its fields' checks and steps, the key handling, the endless box, the
// comment check, the defaults, loading a row and the name preview.
#include <cmath>

#include "Tools_oxr/cp1252.h"
#include "Tools_oxr/date_time.h"
#include "Tools_oxr/texts.h"
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

namespace {

constexpr const char* kEndlessDurationText = "24:00";

std::string shown_text(const TempSetting& s) { return std::to_string(s.shown); }

}  // namespace

const EditorTexts& TFormzyklus::editor_texts_now() const {
  return editor_text ? *editor_text : editor_texts(lang_index);
}

std::string TFormzyklus::comment_unstorable_text(int lang, CommentFault fault,
                                                 const std::string& ch) {
  const bool en = lang == 0;
  switch (fault) {
    case CommentFault::Underscore:
      return en ? "The sign '_' is not allowed, the cycle files use it for blanks!"
                : "Das Zeichen '_' ist nicht erlaubt, die Zyklusdateien schreiben damit "
                  "Leerzeichen!";
    case CommentFault::NotStorable:
      return en ? "The sign '" + ch + "' cannot be stored in the cycle files and has been removed!"
                : "Das Zeichen '" + ch +
                      "' kann in den Zyklusdateien nicht gespeichert werden und wurde entfernt!";
    default:
      // A control character has no face to show.
      return en ? "This sign cannot be stored in the cycle files and has been removed!"
                : "Dieses Zeichen kann in den Zyklusdateien nicht gespeichert werden und wurde "
                  "entfernt!";
  }
}

void TFormzyklus::editor_message(const std::string& text) {
  stop_spin_repeat();
  env.dialogs.message(text);
}

MaskEdit& TFormzyklus::temp_edit(TempField f) {
  switch (f) {
    case TempField::Set1: return MEtarget1;
    case TempField::Set2: return MEtarget2;
    case TempField::Hyst1: return MEhyst1;
    case TempField::Hyst2: break;
  }
  return MEhyst2;
}

void TFormzyklus::wire_editor() {
  // Masks as the fields are drawn; dates read dd.mm.yyyy.
  MEdatum.set_mask("!90.90.0000;1; ");
  MEdatum.set_max_length(10);
  MEdatum.set_text("  .  .    ");
  for (MaskEdit* e : {&MEstartz, &MEcycled}) {
    e->set_mask("90:90;1; ");
    e->set_max_length(5);
    e->set_text("  :  ");
  }
  MEtarget1.set_mask("999 ;0; ");
  MEtarget1.set_max_length(4);
  MEtarget2.set_mask("999;0; ");
  MEtarget2.set_max_length(3);
  for (MaskEdit* e : {&MEhyst1, &MEhyst2}) {
    e->set_mask("99;0; ");
    e->set_max_length(2);
  }

  MEdatum.OnExit = [this] { MEdatumExit(); };
  MEdatum.OnKeyDown = [this](Key& k) { MEdatumKeyDown(k); };
  MEstartz.OnExit = [this] { MEstartzExit(); };
  MEstartz.OnKeyDown = [this](Key& k) { MEstartzKeyDown(k); };
  MEcycled.OnExit = [this] { MEcycledExit(); };
  MEcycled.OnKeyDown = [this](Key& k) { MEcycledKeyDown(k); };
  for (TempField f : kTempFields) {
    temp_edit(f).OnExit = [this, f] { check_temp(f); };
    temp_edit(f).OnKeyDown = [this, f](Key& k) { temp_field_key_down(f, k); };
  }
  CheckBox_endlos.OnClick = [this] { CheckBox_endlosClick(); };
  Edit_comment.OnChange = [this] { Edit_commentChange(); };

  wire_spin_buttons();
  wire_unit();
  wire_takeover();
  wire_rows();
}

// ---- checks ----

bool TFormzyklus::check_date() {
  const DateCheck c = check_date_value(parse_date(MEdatum.text()), env.clock.now());
  editor.edit_date = c.date;
  editor.edit_day_offset = c.day_offset;
  if (c.verdict == Verdict::Accepted) return true;
  MEdatum.set_text(format_date(c.date));
  MEdatum.set_focus();
  const EditorTexts& t = editor_texts_now();
  editor_message(c.verdict == Verdict::Unreadable ? t.bad_date
                                                  : t.date_limit[0] + "\r" + t.date_limit[1]);
  return false;
}

bool TFormzyklus::check_start_time() {
  const TimeCheck c =
      check_start_time_value(parse_time(MEstartz.text()), editor.edit_date, env.clock.now());
  editor.edit_start_time = c.time;
  if (c.verdict == Verdict::Accepted) return true;
  MEstartz.set_text(format_time_hm(c.time));
  MEstartz.set_focus();
  if (c.verdict == Verdict::Unreadable) editor_message(editor_texts_now().bad_time);
  return false;
}

void TFormzyklus::check_duration() {
  const TimeCheck c = check_duration_value(parse_time(MEcycled.text()));
  editor.edit_duration = c.time;
  if (c.verdict == Verdict::Accepted) return;
  MEcycled.set_text(format_time_hm(c.time));
  MEcycled.set_focus();
  if (c.verdict == Verdict::Unreadable) editor_message(editor_texts_now().bad_duration);
}

void TFormzyklus::check_temp(TempField f) {
  const TempKind kind = kind_of(f);
  MaskEdit& field = temp_edit(f);
  const TempCheck c = check_temp_text(editor.setting(f), kind, unit_celsius == 1, field.text());
  editor.setting(f) = c.setting;
  if (!c.accepted) {
    const EditorTexts& t = editor_texts_now();
    const std::string text = temp_range_message(
        kind == TempKind::SetTemperature ? t.set_range : t.hyst_range, field.text(), c.setting);
    field.set_text(shown_text(c.setting));
    field.set_focus();
    editor_message(text);
  }
  mirror_zone2(f);
}

void TFormzyklus::mirror_zone2(TempField f) {
  if (control_mode != 2 && control_mode != 3) return;
  if (f == TempField::Set1) MEtarget2.set_text(shown_text(editor.set_temp1_setting));
  if (f == TempField::Hyst1) MEhyst2.set_text(shown_text(editor.hyst1_setting));
}

void TFormzyklus::check_all() {
  check_date();
  check_start_time();
  if (CheckBox_endlos.checked())
    editor.edit_duration = 1.0;
  else
    check_duration();
  for (TempField f : kTempFields) check_temp(f);
}

// ---- steps ----

void TFormzyklus::date_step(int direction) {
  if (direction > 0 && editor.edit_day_offset > 13) return;
  if (direction < 0 && editor.edit_day_offset < 1) return;
  const std::optional<DateTime> d = parse_date(MEdatum.text());
  if (!d) return;
  editor.edit_date = date_of(*d) + direction;
  editor.edit_day_offset += direction;
  MEdatum.set_text(format_date(editor.edit_date));
}

void TFormzyklus::start_time_step(bool hours, int direction) {
  const std::optional<DateTime> t = parse_time(MEstartz.text());
  if (!t) return;
  const DateTime now = env.clock.now();
  editor.edit_start_time = hours ? start_time_hour_step(*t, direction, editor.edit_date, now)
                                 : start_time_minute_step(*t, direction, editor.edit_date, now);
  MEstartz.set_text(format_time_hm(editor.edit_start_time));
}

void TFormzyklus::duration_step(bool hours, int direction) {
  const std::optional<DateTime> d = parse_time(MEcycled.text());
  if (!d) return;
  editor.edit_duration =
      hours ? duration_hour_step(*d, direction) : duration_minute_step(*d, direction);
  MEcycled.set_text(format_time_hm(editor.edit_duration));
}

void TFormzyklus::temp_step(TempField f, int direction) {
  editor.setting(f) = step_temp(editor.setting(f), kind_of(f), unit_celsius == 1, direction);
  temp_edit(f).set_text(shown_text(editor.setting(f)));
  mirror_zone2(f);
}

void TFormzyklus::date_key_step(int direction) {
  if (check_date()) date_step(direction);
  refresh_name_preview();
}

void TFormzyklus::start_time_key_step(bool hours, int direction) {
  if (check_start_time()) start_time_step(hours, direction);
}

void TFormzyklus::duration_key_step(bool hours, int direction) {
  check_duration();
  duration_step(hours, direction);
}

void TFormzyklus::temp_key_step(TempField f, int direction) {
  check_temp(f);
  temp_step(f, direction);
}

// ---- key handling ----

void TFormzyklus::MEdatumExit() {
  check_date();
  refresh_name_preview();
}

void TFormzyklus::MEdatumKeyDown(Key& key) {
  switch (key) {
    case Key::Up: date_key_step(+1); break;
    case Key::Down: date_key_step(-1); break;
    case Key::Enter: MEdatumExit(); break;
    default: break;
  }
}

void TFormzyklus::MEstartzExit() { check_start_time(); }

void TFormzyklus::MEstartzKeyDown(Key& key) {
  switch (key) {
    case Key::Up: start_time_key_step(true, +1); break;
    case Key::Down: start_time_key_step(true, -1); break;
    case Key::Right: start_time_key_step(false, +1); break;
    case Key::Left: start_time_key_step(false, -1); break;
    case Key::Enter: check_start_time(); break;
    default: break;
  }
}

void TFormzyklus::MEcycledExit() { check_duration(); }

void TFormzyklus::MEcycledKeyDown(Key& key) {
  switch (key) {
    case Key::Up: duration_key_step(true, +1); break;
    case Key::Down: duration_key_step(true, -1); break;
    case Key::Right: duration_key_step(false, +1); break;
    case Key::Left: duration_key_step(false, -1); break;
    case Key::Enter: check_duration(); break;
    default: break;
  }
}

void TFormzyklus::temp_field_key_down(TempField f, Key& key) {
  if (key == Key::Up) temp_key_step(f, +1);
  if (key == Key::Down) temp_key_step(f, -1);
}

// ---- endless box and comment ----

void TFormzyklus::CheckBox_endlosClick() {
  const bool endless = CheckBox_endlos.checked();
  // A disabled editor (a row that cannot be changed is shown) keeps its duration controls
  // disabled whatever the row's mode.
  const bool enable = !endless && CheckBox_endlos.enabled();
  for (Control* c : std::initializer_list<Control*>{&MEcycled, &SpeButdurhourup,
                                                    &SpeButdurhourdown, &SpeButdurminup,
                                                    &SpeButdurmindown})
    c->set_enabled(enable);
  if (endless) {
    editor.edit_duration = 1.0;
    MEcycled.set_text(kEndlessDurationText);
  } else {
    editor.edit_duration = from_ms(kMinuteMs);
    MEcycled.set_text(format_time_hm(editor.edit_duration));
  }
}

void TFormzyklus::Edit_commentChange() {
  const std::string text = Edit_comment.text();
  if (utf8_length(text) > kCommentMaxChars) {
    editor_message(editor_texts_now().comment_too_long);
    // The write runs this check again until the text fits.
    Edit_comment.set_text(without_char_at(text, kCommentMaxChars));
    return;
  }
  const CommentScan scan = scan_comment(text);
  if (scan.removed.empty()) return;
  for (std::size_t i = 0; i < scan.removed.size(); ++i) {
    switch (scan.removed[i]) {
      case CommentFault::Comma: editor_message(msg(38)); break;
      case CommentFault::Backslash: editor_message(msg(39)); break;
      default:
        editor_message(comment_unstorable_text(lang_index, scan.removed[i], scan.removed_chars[i]));
        break;
    }
  }
  Edit_comment.set_text(scan.cleaned);
}

// ---- defaults, enabling ----

void TFormzyklus::set_editor_defaults() {
  confirmed_endless = 0;
  file_opened = 0;
  unit_from_file = 0;
  start_in_past = 0;
  overlap_found = 0;
  nothing_deleted = 0;
  schedule.saved_row = schedule.blank_row;
  stop_spin_repeat();
  editor.new_status_text = msg(27);
  editor.edit_preheating = 0;
  editor.current_number = 0;

  const DateTime now = env.clock.now();
  editor.edit_date = date_of(now);
  editor.edit_day_offset = 0;
  editor.edit_start_time = now_whole_minutes(now) + from_ms(kMinuteMs);
  CheckBox_endlos.set_checked(false);
  editor.edit_duration = from_ms(kMinuteMs);
  MEdatum.set_text(format_date(editor.edit_date));
  MEstartz.set_text(format_time_hm(editor.edit_start_time));
  MEcycled.set_text(format_time_hm(editor.edit_duration));
  for (TempField f : kTempFields) {
    editor.setting(f) = temp_default(kind_of(f), true);
    temp_edit(f).set_text(shown_text(editor.setting(f)));
  }
  // The values are Celsius defaults now, whatever unit was shown: no unit is in force until
  // the language's unit button is checked again, and that check runs the full switch.
  RadioBut_C.set_checked(false);
  RadioBut_F.set_checked(false);
  unit_switched_to = -1;
  RadioBut_prea_off.set_checked(true);
  Edit_comment.set_text("");
}

void TFormzyklus::new_cycle_defaults() {
  leave_file_view();
  enable_editor();
  const DateTime now = env.clock.now();
  editor.edit_duration = from_ms(kMinuteMs);
  editor.edit_start_time = now_whole_minutes(now) + from_ms(kMinuteMs);
  editor.edit_date = date_of(now);
  editor.edit_day_offset = 0;
  MEdatum.set_text(format_date(editor.edit_date));
  MEstartz.set_text(format_time_hm(editor.edit_start_time));
  MEcycled.set_text(format_time_hm(editor.edit_duration));
  CheckBox_endlos.set_checked(false);
  RadioBut_prea_off.set_checked(true);
  Edit_comment.set_text("");
  Chart2.Series1.clear();
  Chart2.Series2.clear();
  for (TempField f : kTempFields) {
    editor.setting(f) = temp_default(kind_of(f), unit_celsius == 1);
    temp_edit(f).set_text(shown_text(editor.setting(f)));
  }
  refresh_name_preview();
  deselect_all();
}

void TFormzyklus::enable_editor_fields() {
  for (Control* c : std::initializer_list<Control*>{
           &CheckBox_endlos, &SpeButtimehourup, &SpeButtimehourdown, &SpeButtimeminup,
           &SpeButtimemindown, &SpeButdateup, &SpeButdatedown, &MEstartz, &MEdatum,
           &RadioBut_prea_off, &RadioBut_prea_on, &MEtarget1, &MEhyst1, &SpeButset1up,
           &SpeButset1down, &SpeButhyst1up, &SpeButhyst1down, &Edit_comment, &But_takeover})
    c->set_enabled(true);
  // The duration controls agree with the endless box.
  const bool duration = !CheckBox_endlos.checked();
  for (Control* c : std::initializer_list<Control*>{&MEcycled, &SpeButdurhourup,
                                                    &SpeButdurhourdown, &SpeButdurminup,
                                                    &SpeButdurmindown})
    c->set_enabled(duration);
  const bool zone2 = control_mode == 4;
  for (Control* c : std::initializer_list<Control*>{&MEtarget2, &MEhyst2, &SpeButset2up,
                                                    &SpeButset2down, &SpeButhyst2up,
                                                    &SpeButhyst2down})
    c->set_enabled(zone2);
}

void TFormzyklus::enable_editor() {
  enable_editor_fields();
  Chart2.Series1.clear();
  Chart2.Series2.clear();
  ChartAxis bottom = Chart2.bottom_axis();
  bottom.minimum = 0.0;
  bottom.maximum = 1.0;
  Chart2.set_bottom_axis(bottom);
}

void TFormzyklus::disable_editor() {
  for (Control* c : std::initializer_list<Control*>{
           &CheckBox_endlos, &MEcycled, &SpeButdurhourup, &SpeButdurhourdown, &SpeButdurminup,
           &SpeButdurmindown, &SpeButtimehourup, &SpeButtimehourdown, &SpeButtimeminup,
           &SpeButtimemindown, &SpeButdateup, &SpeButdatedown, &MEstartz, &MEdatum,
           &RadioBut_prea_off, &RadioBut_prea_on, &MEtarget1, &MEhyst1, &SpeButset1up,
           &SpeButset1down, &SpeButhyst1up, &SpeButhyst1down, &Edit_comment, &But_takeover,
           &MEtarget2, &MEhyst2, &SpeButset2up, &SpeButset2down, &SpeButhyst2up,
           &SpeButhyst2down})
    c->set_enabled(false);
}

// ---- loading a row, name preview ----

void TFormzyklus::load_row_into_editor(int k) {
  const CycleRecord row = schedule.rows[k - 1];
  editor.edit_cycle_name = row.cycle_name;
  Lab_cycle.set_caption(row.cycle_name);
  MEdatum.set_text(format_date(row.start_date));
  MEstartz.set_text(format_time_hm(row.start_time));
  if (is_endless(row.duration)) {
    CheckBox_endlos.set_checked(true);
    MEcycled.set_text(kEndlessDurationText);
  } else {
    CheckBox_endlos.set_checked(false);
    MEcycled.set_text(format_time_hm(row.duration));
  }
  // The values follow the fields at once, so that what the editor holds is what it shows.
  editor.edit_date = date_of(row.start_date);
  editor.edit_day_offset = day_diff(editor.edit_date, date_of(env.clock.now()));
  editor.edit_start_time = row.start_time;
  editor.edit_duration = row.duration;

  const std::array<std::int16_t, 4> internal{row.set_temp1, row.set_temp2, row.hyst1,
                                             row.hyst2};
  for (std::size_t i = 0; i < kTempFields.size(); ++i) {
    const TempField f = kTempFields[i];
    TempSetting& s = editor.setting(f);
    s.internal_tenths = internal[i];
    const int shown = shown_from_internal(kind_of(f), unit_celsius == 1, internal[i]);
    s.shown = static_cast<std::uint16_t>(shown < 0 ? 0 : shown);
    temp_edit(f).set_text(shown_text(s));
  }
  if (row.preheating == 1)
    RadioBut_prea_on.set_checked(true);
  else
    RadioBut_prea_off.set_checked(true);
  Edit_comment.set_text(row.comment);
}

void TFormzyklus::refresh_name_preview() {
  const std::optional<DateTime> parsed = parse_date(MEdatum.text());
  const DateTime date = parsed ? date_of(*parsed) : editor.edit_date;
  // Without an entry for the date (the window not rebased since midnight) the count is 0.
  std::uint16_t count = 0;
  for (const DayCounter& entry : day_counters) {
    if (std::llround(entry.date) == std::llround(date)) {
      count = entry.count;
      break;
    }
  }
  editor.edit_cycle_name = cycle_name(date, count);
  Lab_cycle.set_caption(editor.edit_cycle_name);
}

}  // namespace oxr
