// The configuration file oxrconf.dat on the main window's state.
#include <algorithm>
#include <fstream>
#include <limits>
#include <system_error>

#include "Tools_oxr/config_file.h"
#include "Tools_oxr/data_file.h"
#include "Tools_oxr/date_time.h"
#include "Tools_oxr/schedule.h"
#include "Tools_oxr/texts.h"
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

std::filesystem::path TFormzyklus::config_path() const {
  return env.work_dir / kConfigFileName;
}

void TFormzyklus::config_ensure_exists() {
  std::error_code ec;
  if (std::filesystem::exists(config_path(), ec)) return;
  config_set_defaults();
  config_write();
  // Announce only what really happened: a folder that takes no file gets no "created".
  if (std::filesystem::exists(config_path(), ec)) env.dialogs.message(message_text(lang_index, 43));
}

void TFormzyklus::config_set_defaults() {
  reset_day_counters(day_counters, date_of(env.clock.now()));
  control_mode = 1;
  com_port = 0;
}

void TFormzyklus::config_write() {
  ConfigContents c;
  c.day_counters = day_counters;
  c.control_mode = control_mode;
  c.com_port = com_port;
  c.com_names = com_names;
  c.lang_index = lang_index;
  if (save_waiting == 1) {
    const int filled = std::min<int>(cycle_count, kRowCount);
    for (int j = 0; j < filled; ++j) {
      const CycleRecord& row = schedule.rows[static_cast<std::size_t>(j)];
      if (is_please_start(row.status_text))
        c.cycles[static_cast<std::size_t>(c.cycle_count++)] = row;
    }
  }
  save_waiting = 0;
  // The file is replaced whole or not at all (a temporary file renamed over it); a failed
  // write leaves the previous file as it was, and nobody is told at this point.
  write_file_atomically(config_path(), build_config_file(c));
}

void TFormzyklus::config_read() {
  const auto bytes = read_file_bounded(config_path(), kConfigMaxBytes);
  if (!bytes) return;
  const ConfigParse p = parse_config_file(*bytes);
  if (p.window_ok) {
    day_counters = p.day_counters;
  } else {
    reset_day_counters(day_counters, date_of(env.clock.now()));
  }
  if (p.control_mode) control_mode = *p.control_mode;
  if (p.com_port) com_port = *p.com_port;
  for (std::size_t i = 0; i < com_names.size(); ++i) {
    if (p.com_names[i]) com_names[i] = *p.com_names[i];
  }
  if (take_over_waiting != 1) return;
  take_over_waiting = 0;
  // Only the cycles that read back whole are taken, one after the other from row 1.
  cycle_count = static_cast<std::uint16_t>(p.cycle_count);
  for (int j = 0; j < p.cycle_count; ++j) {
    CycleRecord& row = schedule.rows[static_cast<std::size_t>(j)];
    row = p.cycles[static_cast<std::size_t>(j)];
    row.status_text = msg(27);
    show_row_cells(j + 1);
  }
  // Filled rows stay contiguous from row 1, also when a stored cycle was passed over.
  for (int k = p.cycle_count + 1; k <= kRowCount; ++k) clear_row(k);
}

void TFormzyklus::config_realign_days() {
  const auto bytes = read_file_bounded(config_path(), kConfigMaxBytes);
  if (!bytes) return;
  const DateTime today = date_of(env.clock.now());
  // A first date that does not parse says as little about the window as one from long ago.
  const auto first = parse_first_date(*bytes);
  if (!first || rebase_day_counters(day_counters, *first, today)) config_set_defaults();
}

std::optional<int> TFormzyklus::config_check_and_read_language() {
  config_seen = 1;
  const auto bytes = read_file_bounded(config_path(), kConfigMaxBytes);
  if (!bytes) {
    config_date_error = 0;
    return std::nullopt;
  }
  const ConfigParse p = parse_config_file(*bytes);
  if (!p.window_ok) {
    config_date_error = 1;
    env.dialogs.message(message_text(lang_index, 90));
    config_set_defaults();
    config_write();
    config_date_error = 0;
    return std::nullopt;
  }
  config_date_error = 0;
  if (p.control_mode) control_mode = *p.control_mode;
  if (p.com_port) com_port = *p.com_port;
  // The waiting cycles the start question is about: those that will read back.
  cycle_count = static_cast<std::uint16_t>(p.cycle_count);
  return p.language;
}

void TFormzyklus::config_write_language() {
  std::error_code ec;
  const auto size = std::filesystem::file_size(config_path(), ec);
  if (ec || size > static_cast<std::uintmax_t>(std::numeric_limits<std::int32_t>::max())) return;
  lang_pos = static_cast<std::int32_t>(size) - 1;
  if (lang_pos < 0) return;
  std::fstream f(config_path(), std::ios::in | std::ios::out | std::ios::binary);
  if (!f) return;
  // Only a language digit is patched: a file that ends otherwise would lose a field.
  f.seekg(lang_pos);
  char last = 0;
  if (!f.get(last) || (last != '0' && last != '1')) return;
  f.seekp(lang_pos);
  f.put(lang_index == 1 ? '1' : '0');
  f.flush();
}

}  // namespace oxr
