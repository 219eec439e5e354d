// Working on the schedule table besides the take-over: picking a row (its first cell), deleting
// the picked row, New, and clearing the selection.
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

void TFormzyklus::wire_rows() {
  for (int k = 1; k <= kRowCount; ++k) cell(k, 1).OnEnter = [this, k] { pick_row(k); };
  Button1.OnClick = [this] { Button1Click(); };
  But_new.OnClick = [this] { But_newClick(); };
  Neu1.OnClick = [this] { But_newClick(); };
  ToolButton_new.OnClick = [this] { But_newClick(); };
}

bool TFormzyklus::row_blank(int k) {
  return cell(k, 1).text().find_first_not_of(' ') == std::string::npos;
}

void TFormzyklus::pick_row(int k) {
  if (row_blank(k)) return;
  file_opened = 0;  // the opened file's view is left; Save no longer rewrites it
  // Only "please start" cycles can be changed.
  if (is_please_start(schedule.rows[static_cast<std::size_t>(k - 1)].status_text))
    enable_editor();
  else
    disable_editor();
  select_row(k);
}

void TFormzyklus::Button1Click() {
  int k = 0;
  for (int r = 1; r <= kRowCount && k == 0; ++r)
    if (row_selected[static_cast<std::size_t>(r - 1)] == 1 && !row_blank(r)) k = r;
  if (k == 0) {
    nothing_deleted = 1;
  } else {
    for (int column = 1; column <= 6; ++column) cell(k, column).set_text("");
    int last = k;
    for (int j = k + 1; j <= kRowCount && !row_blank(j); ++j) {
      move_row(j - 1);
      last = j;
    }
    clear_row(last);
    if (cycle_count > 0) --cycle_count;
    if (cycle_count == 0)
      deselect_all();
    else
      select_row(cycle_count);
  }
  nothing_deleted = 0;
}

void TFormzyklus::But_newClick() {
  file_opened = 0;
  new_cycle_defaults();
  refresh_name_preview();
  deselect_all();
}

void TFormzyklus::deselect_all() {
  for (int row = 1; row <= kRowCount; ++row)
    for (int column = 1; column <= 6; ++column) cell(row, column).set_color(Color::BtnFace);
  row_selected.fill(0);
}

}  // namespace oxr
