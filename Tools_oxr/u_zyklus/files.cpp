// The cycle data files of the main window: the header of a run or of the editor, writing a
// measurement or cycle file, opening a file into the editor and the chart, and the editor's
// locking while a measurement file is on display.
#include <fstream>
#include <iterator>

#include "Tools_oxr/date_time.h"
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

namespace {

// No data file this program writes comes near this size (8644 lines of about 40 bytes).
constexpr std::uintmax_t kDataFileMaxBytes = 4 * 1024 * 1024;

std::optional<std::string> read_whole_file(const std::filesystem::path& path) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec || size > kDataFileMaxBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

std::int16_t whole_degrees(std::int16_t tenths) { return static_cast<std::int16_t>(tenths / 10); }

}  // namespace

std::string TFormzyklus::data_file_filter() const { return msg(46) + "(*.oxr)|*.oxr"; }

void TFormzyklus::fill_header_from_run(std::uint16_t n) {
  if (current_row < 0 || current_row >= kRowCount) return;
  const CycleRecord& r = schedule.rows[static_cast<std::size_t>(current_row)];
  header.start_date = r.start_date;
  header.start_time = n != 0 ? first_sample_time : r.start_time;
  header.duration = r.duration;
  header.cycle_name = r.cycle_name;
  header.comment = r.comment;
  header.unit_word = "Celsius";  // the values are Celsius whatever the display shows
  header.preheating_word = r.preheating ? kPreheatingOnWord : kPreheatingOffWord;
  header.set1_deg = whole_degrees(r.set_temp1);
  header.set2_deg = whole_degrees(r.set_temp2);
  header.hyst1_deg = whole_degrees(r.hyst1);
  header.hyst2_deg = whole_degrees(r.hyst2);
  header.operation_mode = static_cast<std::int16_t>(control_mode);
  header.value_count = n;
  if (control_mode == 2 || control_mode == 3) {
    header.set2_deg = header.set1_deg;
    header.hyst2_deg = header.hyst1_deg;
  } else if (control_mode == 1) {
    header.set2_deg = 0;
    header.hyst2_deg = 0;
  }
}

void TFormzyklus::fill_header_from_editor() {
  header.cycle_name = editor.edit_cycle_name;
  header.start_date = editor.edit_date;
  if (editor.edit_start_time >= kEndlessThreshold) {
    editor.edit_start_time -= 1.0;
    MEstartz.set_text(format_time_hm(editor.edit_start_time));
  }
  header.start_time = editor.edit_start_time;
  header.duration = editor.edit_duration;
  header.set1_deg = whole_degrees(editor.set_temp1_setting.internal_tenths);
  header.set2_deg = whole_degrees(editor.set_temp2_setting.internal_tenths);
  header.hyst1_deg = whole_degrees(editor.hyst1_setting.internal_tenths);
  header.hyst2_deg = whole_degrees(editor.hyst2_setting.internal_tenths);
  if (control_mode == 2 || control_mode == 3) {
    header.set2_deg = header.set1_deg;
    header.hyst2_deg = header.hyst1_deg;
  }
  header.preheating_word = RadioBut_prea_on.checked() ? kPreheatingOnWord : kPreheatingOffWord;
  header.comment = comment_for_file(Edit_comment.text());
  header.unit_word = RadioBut_C.checked() ? "Celcius" : "Fahrenheit";
  header.operation_mode = static_cast<std::int16_t>(control_mode);
  header.value_count = 0;
}

SaveResult TFormzyklus::write_data_file_quietly() {
  if (file_opened == 1) header.comment = comment_for_file(Edit_comment.text());
  // Only a valid cycle name becomes a file name, so nothing lands outside the folder.
  return save_data_file(env.work_dir, header.cycle_name, header, samples, lang_index);
}

bool TFormzyklus::write_data_file() {
  if (write_data_file_quietly().ok()) return true;
  show_message(53);
  return false;
}

bool TFormzyklus::save_run_data() {
  // The journal goes once the data file is on disk; otherwise it stays for the next start.
  const bool own_ok = write_data_file_quietly().ok();
  journal_finish(own_ok, samples[last_sample_index]);
  if (own_ok) return true;
  const SaveResult fallback = save_fallback_data_file(
      fallback_folders(env.work_dir), header.cycle_name, header, samples, lang_index);
  if (fallback.ok()) {
    env.dialogs.message(fallback_saved_message(lang_index, header.cycle_name, fallback.path));
    return true;
  }
  env.dialogs.message(not_saved_message(lang_index, header.cycle_name));
  return false;
}

void TFormzyklus::save_cycle_file() {
  FileDialogRequest request;
  request.initial_name = Lab_cycle.caption();
  request.default_ext = "oxr";
  request.filter = data_file_filter();
  SaveDialog1Show(request);
  const std::optional<std::string> chosen = env.dialogs.save_file(request);
  if (!chosen) return;
  std::filesystem::path path(*chosen);
  if (path.is_relative()) path = env.work_dir / path;
  if (!path.has_extension()) path += kDataFileExtension;

  std::error_code ec;
  if (std::filesystem::exists(path, ec)) {
    if (!env.dialogs.confirm({msg(76), msg(75), msg(77), msg(78)})) {
      But_saveClick();  // the dialog comes again
      return;
    }
  }
  if (!save_cycle_file_at(path, header, lang_index).ok()) show_message(53);
}

void TFormzyklus::read_data_file() {
  FileDialogRequest request;
  request.default_ext = "oxr";
  request.filter = data_file_filter();
  OpenDialog1Show(request);
  const std::optional<std::string> chosen = env.dialogs.open_file(request);
  if (!chosen) {
    open_failed = 1;
    return;
  }
  std::filesystem::path path(*chosen);
  if (path.is_relative()) path = env.work_dir / path;
  const std::string shown_before = Lab_cycle.caption();
  Lab_cycle.set_caption(path.filename().string());

  const std::optional<std::string> bytes = read_whole_file(path);
  if (!bytes) {
    show_message(47);
    open_failed = 1;
    return;
  }
  DataFileHeader read_header;
  const DataFileReadResult result = oxr::read_data_file(*bytes, read_header, samples);
  if (!result.ok()) {
    // Nothing was loaded: the editor and the chart keep what they showed.
    Lab_cycle.set_caption(shown_before);
    env.dialogs.message(read_error_message(result, lang_index));
    open_failed = 1;
    return;
  }

  deselect_all();
  header = read_header;
  editor.edit_cycle_name = header.cycle_name;
  if (header.value_count == 0) {
    file_opened = 0;
    loaded_sample_count = 0;
    unlock_editor_after_file();
  } else {
    file_opened = 1;
    loaded_sample_count = result.samples_read;
    lock_editor_for_file();
  }
  fill_from_loaded_samples();
}

void TFormzyklus::show_header_in_editor() {
  const bool endless = header.duration > kEndlessThreshold;
  // Unticking runs the box's handling, which resets the duration; so it comes first.
  if (!endless) CheckBox_endlos.set_checked(false);
  editor.edit_date = date_of(header.start_date);
  editor.edit_day_offset = day_diff(editor.edit_date, date_of(env.clock.now()));
  editor.edit_start_time = editor_start_time(header);
  editor.edit_duration = header.duration;
  MEdatum.set_text(format_date(editor.edit_date));
  MEstartz.set_text(format_time_hm(editor.edit_start_time));
  MEcycled.set_text(format_time_hm(editor.edit_duration));
  if (endless) {
    // Ticking runs its handling (24:00, 1.0); an already ticked box is handled again.
    if (CheckBox_endlos.checked())
      CheckBox_endlosClick();
    else
      CheckBox_endlos.set_checked(true);
  }

  const std::array<std::int16_t, 4> degrees{header.set1_deg, header.set2_deg, header.hyst1_deg,
                                            header.hyst2_deg};
  for (std::size_t i = 0; i < kTempFields.size(); ++i) {
    const TempField f = kTempFields[i];
    TempSetting& s = editor.setting(f);
    s.internal_tenths = static_cast<std::int16_t>(degrees[i] * 10);
    const int shown = shown_from_internal(kind_of(f), unit_celsius == 1, s.internal_tenths);
    s.shown = static_cast<std::uint16_t>(shown < 0 ? 0 : shown);
    temp_edit(f).set_text(std::to_string(s.shown));
  }

  if (preheating_on(header))
    RadioBut_prea_on.set_checked(true);
  else
    RadioBut_prea_off.set_checked(true);
  Edit_comment.set_text(comment_for_editor(header.comment));

  // Checking a button that was not checked switches the unit, fields and drawn points once;
  // a second switch would convert the points again. The fields already show the unit.
  const char unit = header.unit_word.empty() ? ' ' : header.unit_word[0];
  if (unit == 'F') {
    RadioBut_F.set_checked(true);
  } else {
    RadioBut_C.set_checked(true);
    if (unit == 'C') unit_from_file = 1;
  }
}

void TFormzyklus::But_saveClick() {
  if (file_opened == 1) {
    if (write_data_file()) {
      StatusBar1.set_panel(0, msg(36));
      show_message(36);
    }
    return;
  }
  fill_header_from_editor();
  save_cycle_file();
}

void TFormzyklus::ffnen1Click() {
  read_data_file();
  if (open_failed == 1) {
    open_failed = 0;
    return;
  }
  show_header_in_editor();
}

void TFormzyklus::lock_editor_for_file() {
  for (Control* c : std::initializer_list<Control*>{
           &MEdatum, &MEstartz, &MEcycled, &CheckBox_endlos, &RadioBut_prea_off,
           &RadioBut_prea_on, &MEtarget1, &MEtarget2, &MEhyst1, &MEhyst2, &But_takeover,
           &Button1})
    c->set_enabled(false);
  for (SpeedButton* b : spin_buttons()) b->set_enabled(false);
  Edit_comment.set_enabled(true);
}

void TFormzyklus::unlock_editor_after_file() {
  enable_editor_fields();
  Button1.set_enabled(true);
}

}  // namespace oxr
