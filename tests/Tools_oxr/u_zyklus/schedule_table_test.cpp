// The schedule table on the main window: records and their cells together.
#include <gtest/gtest.h>

#include "Tools_oxr/date_time.h"
#include "Tools_oxr/schedule.h"
#include "Tools_oxr/texts.h"
#include "tests/support/form_fixture.h"

namespace oxr::test {
namespace {

constexpr DateTime kToday = 46365;  // the fixture's day, 9 December 2026

CycleRecord record(unsigned n, const char* start, DateTime duration, const std::string& status) {
  CycleRecord r;
  r.cycle_name = cycle_name(kToday, n);
  r.start_date = kToday;
  r.start_time = *parse_time(start);
  r.duration = duration;
  const CycleEnd e = cycle_end(r.start_date, r.start_time, r.duration);
  r.end_date = e.end_date;
  r.end_time = e.end_time;
  r.status_text = status;
  r.set_temp1 = 600;
  return r;
}

std::array<std::string, 6> cells_of(TFormzyklus& f, int row) {
  std::array<std::string, 6> out;
  for (int c = 1; c <= 6; ++c) out[static_cast<std::size_t>(c - 1)] = f.cell(row, c).text();
  return out;
}

class ScheduleTable : public FormFixture {
 protected:
  void SetUp() override {
    TFormzyklus& f = make_form();
    for (int k = 1; k <= kRowCount; ++k) f.clear_row(k);
    f.schedule.rows[0] = record(0, "14:05", encode_time(0, 55, 0), message_text(1, 27));
    f.schedule.rows[1] = record(1, "23:30", encode_time(0, 30, 0), message_text(1, 28));
    f.schedule.rows[2] = record(2, "10:00", 1.0, message_text(0, 29));
  }
};

TEST_F(ScheduleTable, RefreshShowsTheFilledRowsOnly) {
  form->cycle_count = 3;
  form->table_refresh();
  using Row = std::array<std::string, 6>;
  EXPECT_EQ(cells_of(*form, 1),
            (Row{"261209-000", "09.12.2026", "14:05", "09.12.2026", "15:00", "bitte starten"}));
  EXPECT_EQ(cells_of(*form, 2),
            (Row{"261209-001", "09.12.2026", "23:30", "10.12.2026", "00:00", "wartet"}));
  EXPECT_EQ(cells_of(*form, 3),
            (Row{"261209-002", "09.12.2026", "10:00", "10.12.2026", "10:00", "running"}));
  EXPECT_TRUE(form->row_is_blank(4));
  EXPECT_TRUE(form->row_is_blank(5));
  EXPECT_EQ(form->schedule.rows[3], form->schedule.blank_row);
  EXPECT_EQ(form->cell(4, 2).text(), "");
}

TEST_F(ScheduleTable, RefreshIncludesTheRowJustWrittenBehindTheCountedOnes) {
  form->cycle_count = 2;  // row 3 was written, not yet counted
  form->table_refresh();
  EXPECT_EQ(form->cell(3, 1).text(), "261209-002");
  EXPECT_FALSE(form->row_is_blank(3));

  form->cell(3, 1).set_text("left alone");
  form->cycle_count = 1;  // row 2 is the one behind; row 3 is beyond and stays as it is
  form->table_refresh();
  EXPECT_EQ(form->cell(3, 1).text(), "left alone");
}

TEST_F(ScheduleTable, ClearAndMoveKeepRecordAndCellsTogether) {
  form->cycle_count = 3;
  form->table_refresh();
  const auto row3_cells = cells_of(*form, 3);
  const CycleRecord row3 = form->schedule.rows[2];

  form->move_row(2);  // row 3 up to row 2
  EXPECT_EQ(form->schedule.rows[1], row3);
  EXPECT_EQ(cells_of(*form, 2), row3_cells);
  EXPECT_EQ(form->schedule.rows[2], row3);  // the caller clears or overwrites the source
  EXPECT_EQ(cells_of(*form, 3), row3_cells);

  form->clear_row(3);
  EXPECT_EQ(form->schedule.rows[2], form->schedule.blank_row);
  EXPECT_EQ(form->cell(3, 1).text(), std::string(10, ' '));
  for (int c = 2; c <= 6; ++c) EXPECT_EQ(form->cell(3, c).text(), "") << c;
  EXPECT_TRUE(form->row_is_blank(3));
  EXPECT_FALSE(form->row_is_blank(2));
  EXPECT_EQ(form->schedule.blank_row, CycleRecord{});  // never written
}

TEST_F(ScheduleTable, SelectMarksOneRowAquaAndTheOthersButtonFace) {
  form->cycle_count = 3;
  form->table_refresh();
  for (int k : {2, 3, 1}) {
    SCOPED_TRACE(k);
    form->select_row(k);
    for (int row = 1; row <= kRowCount; ++row) {
      EXPECT_EQ(form->row_selected[static_cast<std::size_t>(row - 1)], row == k ? 1 : 0) << row;
      for (int c = 1; c <= 6; ++c) {
        EXPECT_EQ(form->cell(row, c).color(), row == k ? Color::Aqua : Color::BtnFace)
            << row << "," << c;
      }
    }
  }
}

TEST_F(ScheduleTable, NumbersAreDrawnByTheDayOffsetFromTheClocksToday) {
  reset_day_counters(form->day_counters, kToday);
  EXPECT_EQ(form->draw_cycle_number(kToday, 0), 0);
  EXPECT_EQ(form->draw_cycle_number(kToday + 1, 0), 0);
  EXPECT_EQ(form->draw_cycle_number(kToday + 1, 0), 1);
  EXPECT_EQ(form->cycle_name_for(kToday + 1, 1), "261210-001");
  // A day later, without the window moved, 10 December is offset 0 and draws from entry 0.
  advance_ms(24LL * 3600 * 1000);
  EXPECT_EQ(form->draw_cycle_number(kToday + 1, 0), 1);
  EXPECT_EQ(form->draw_cycle_number(kToday, 9), 9);  // yesterday: nothing drawn
  EXPECT_EQ(form->day_counters[0].count, 2);
  EXPECT_EQ(form->day_counters[1].count, 2);
}

}  // namespace
}  // namespace oxr::test
