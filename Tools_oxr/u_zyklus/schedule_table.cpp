// The five-row schedule table: records and their six cells change together.
#include <algorithm>

#include "Tools_oxr/date_time.h"
#include "Tools_oxr/schedule.h"
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

namespace {

constexpr int kColumnCount = 6;
const std::string kBlankName(10, ' ');

bool valid_row(int k) {
  return k >= 1 && k <= kRowCount;
}

}  // namespace

bool TFormzyklus::row_is_blank(int k) const {
  if (!valid_row(k)) return true;
  const std::string& name = cells_[static_cast<std::size_t>(k - 1)][0]->text();
  return std::all_of(name.begin(), name.end(), [](char c) { return c == ' '; });
}

void TFormzyklus::show_row_cells(int k) {
  if (!valid_row(k)) return;
  const CycleRecord& r = schedule.rows[static_cast<std::size_t>(k - 1)];
  cell(k, 1).set_text(r.cycle_name);
  cell(k, 2).set_text(format_date(r.start_date));
  cell(k, 3).set_text(format_time_hm(r.start_time));
  cell(k, 4).set_text(format_date(r.end_date));
  cell(k, 5).set_text(format_time_hm(r.end_time));
  cell(k, 6).set_text(r.status_text);
}

void TFormzyklus::empty_row_cells(int k) {
  if (!valid_row(k)) return;
  cell(k, 1).set_text(kBlankName);
  for (int c = 2; c <= kColumnCount; ++c) cell(k, c).set_text("");
}

void TFormzyklus::table_refresh() {
  // The filled rows, and the row just written behind them before it is counted.
  int n = std::clamp<int>(cycle_count, 0, kRowCount);
  if (n < kRowCount && !schedule.rows[static_cast<std::size_t>(n)].cycle_name.empty()) ++n;
  for (int k = 1; k <= n; ++k) show_row_cells(k);
}

void TFormzyklus::clear_row(int k) {
  if (!valid_row(k)) return;
  schedule.rows[static_cast<std::size_t>(k - 1)] = schedule.blank_row;
  empty_row_cells(k);
}

void TFormzyklus::move_row(int k) {
  if (k < 1 || k >= kRowCount) return;
  schedule.rows[static_cast<std::size_t>(k - 1)] = schedule.rows[static_cast<std::size_t>(k)];
  for (int c = 1; c <= kColumnCount; ++c) cell(k, c).set_text(cell(k + 1, c).text());
}

void TFormzyklus::select_row(int k) {
  if (!valid_row(k)) return;
  for (int row = 1; row <= kRowCount; ++row) {
    row_selected[static_cast<std::size_t>(row - 1)] = row == k ? 1 : 0;
    const Color colour = row == k ? Color::Aqua : Color::BtnFace;
    for (int c = 1; c <= kColumnCount; ++c) cell(row, c).set_color(colour);
  }
  load_row_into_editor(k);
}

std::uint16_t TFormzyklus::draw_cycle_number(DateTime date, std::uint16_t previous) {
  return oxr::draw_cycle_number(day_counters, date, date_of(env.clock.now()), previous);
}

std::string TFormzyklus::cycle_name_for(DateTime date, unsigned n) const {
  return cycle_name(date, n);
}

}  // namespace oxr
