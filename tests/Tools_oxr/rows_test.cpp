// Picking a row by its first cell, deleting the picked row, New, and clearing the selection.
#include <gtest/gtest.h>

#include "tests/Tools_oxr/editor_fixture.h"

namespace oxr::test {
namespace {

std::string d(int day) { return format_date(kToday + day); }

class RowsTest : public EditorFixture {
 protected:
  void three_rows() {
    plan(1, "08:00", "01:00");
    plan(1, "10:00", "01:00");
    plan(1, "12:00", "01:00");
    ASSERT_EQ(w().cycle_count, 3);
  }
};

TEST_F(RowsTest, PickingARowSelectsAndLoadsIt) {
  three_rows();
  w().cell(2, 1).enter();
  EXPECT_EQ(selected(), std::vector<int>{2});
  for (int column = 1; column <= 6; ++column) {
    EXPECT_EQ(w().cell(2, column).color(), Color::Aqua);
    EXPECT_EQ(w().cell(3, column).color(), Color::BtnFace);
  }
  EXPECT_EQ(w().MEstartz.text(), "10:00");
  EXPECT_EQ(w().Lab_cycle.caption(), "261210-001");
  // Picking it again is harmless.
  w().cell(2, 1).enter();
  EXPECT_EQ(selected(), std::vector<int>{2});

  // A blank row cannot be picked.
  w().cell(4, 1).enter();
  EXPECT_EQ(selected(), std::vector<int>{2});
  EXPECT_EQ(w().MEstartz.text(), "10:00");
}

TEST_F(RowsTest, OnlyPleaseStartRowsCanBeChanged) {
  three_rows();
  w().schedule.rows[1].status_text = "beendet";
  w().cell(2, 1).enter();
  for (Control* c : std::initializer_list<Control*>{&w().But_takeover, &w().MEdatum,
                                                    &w().MEcycled, &w().SpeButdurminup,
                                                    &w().Edit_comment, &w().CheckBox_endlos})
    EXPECT_FALSE(c->enabled()) << c->name();
  w().cell(1, 1).enter();
  for (Control* c : std::initializer_list<Control*>{&w().But_takeover, &w().MEdatum,
                                                    &w().MEcycled, &w().SpeButdurminup,
                                                    &w().Edit_comment, &w().CheckBox_endlos})
    EXPECT_TRUE(c->enabled()) << c->name();
  // A finished endless row keeps its duration controls locked like the rest.
  w().schedule.rows[1].duration = 1.0;
  w().cell(2, 1).enter();
  EXPECT_TRUE(w().CheckBox_endlos.checked());
  EXPECT_FALSE(w().MEcycled.enabled());
  w().cell(1, 1).enter();
  EXPECT_TRUE(w().MEcycled.enabled());
}

TEST_F(RowsTest, DeletingThePickedRowMovesTheLaterOnesUp) {
  three_rows();
  w().cell(2, 1).enter();
  w().Button1.click();
  EXPECT_EQ(starts(), (std::vector<std::string>{d(1) + " 08:00", d(1) + " 12:00"}));
  EXPECT_EQ(w().cycle_count, 2);
  EXPECT_EQ(row(3), w().schedule.blank_row);
  EXPECT_TRUE(w().row_is_blank(3));
  for (int column = 2; column <= 6; ++column) EXPECT_EQ(w().cell(3, column).text(), "");
  EXPECT_EQ(w().cell(2, 3).text(), "12:00");
  // The last filled row is selected and shown.
  EXPECT_EQ(selected(), std::vector<int>{2});
  EXPECT_EQ(w().cell(2, 1).color(), Color::Aqua);
  EXPECT_EQ(w().cell(1, 1).color(), Color::BtnFace);
  EXPECT_EQ(w().MEstartz.text(), "12:00");
}

TEST_F(RowsTest, DeletingTheOnlyRowEmptiesTheTable) {
  plan(1, "08:00", "01:00");
  // Whatever its status.
  w().schedule.rows[0].status_text = "PC-Stop";
  w().cell(1, 1).enter();
  std::filesystem::remove(file("oxrconf.dat"));
  w().Button1.click();
  EXPECT_EQ(w().cycle_count, 0);
  EXPECT_TRUE(selected().empty());
  EXPECT_EQ(row(1), w().schedule.blank_row);
  EXPECT_EQ(w().cell(1, 1).color(), Color::BtnFace);
  // The editor keeps what it showed; the file waits for the next take-over.
  EXPECT_EQ(w().MEstartz.text(), "08:00");
  EXPECT_FALSE(std::filesystem::exists(file("oxrconf.dat")));
}

TEST_F(RowsTest, DeletingWithoutAPickedRowDoesNothing) {
  three_rows();
  w().But_new.click();
  w().Button1.click();
  EXPECT_EQ(w().cycle_count, 3);
  EXPECT_EQ(starts().size(), 3u);
}

TEST_F(RowsTest, NewFromButtonMenuOrToolButtonClearsTheSelection) {
  struct Case {
    const char* name;
    Control* (*control)(TFormzyklus&);
  };
  const Case cases[] = {
      {"But_new", [](TFormzyklus& f) -> Control* { return &f.But_new; }},
      {"Neu1", [](TFormzyklus& f) -> Control* { return &f.Neu1; }},
      {"ToolButton_new", [](TFormzyklus& f) -> Control* { return &f.ToolButton_new; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    start(1);
    three_rows();
    w().cell(2, 1).enter();
    w().day_counters[0].count = 5;
    c.control(w())->click();
    EXPECT_TRUE(selected().empty());
    for (int column = 1; column <= 6; ++column)
      EXPECT_EQ(w().cell(2, column).color(), Color::BtnFace);
    EXPECT_EQ(starts().size(), 3u);  // the table itself is unchanged
    EXPECT_EQ(w().MEdatum.text(), d(0));
    EXPECT_EQ(w().MEstartz.text(), "10:01");
    EXPECT_EQ(w().Lab_cycle.caption(), "261209-005");
  }
}

}  // namespace
}  // namespace oxr::test
