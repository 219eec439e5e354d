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

TEST_F(RowsTest, PickingARowOrNewLeavesTheViewOfAnOpenedFile) {
  struct Case {
    const char* name;
    void (*act)(TFormzyklus&);
    bool editor_enabled;  // by the status of the row picked
    std::vector<int> selected;
  };
  const Case cases[] = {
      {"a blank row", [](TFormzyklus& f) { f.cell(4, 1).enter(); }, true, {}},
      {"a please-start row", [](TFormzyklus& f) { f.cell(2, 1).enter(); }, true, {2}},
      {"a terminated row", [](TFormzyklus& f) { f.cell(3, 1).enter(); }, false, {3}},
      {"New", [](TFormzyklus& f) { f.But_new.click(); }, true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    start(1);
    three_rows();
    w().schedule.rows[2].status_text = "beendet";
    // A measurement file shown as the open command leaves it: locked but for the comment,
    // its samples on the chart.
    w().deselect_all();
    w().file_opened = 1;
    w().disable_editor();
    w().Edit_comment.set_enabled(true);
    w().Button1.set_enabled(false);
    w().Chart2.Series1.add(0.5, 80.0, "10:00:00");
    w().Chart2.Series2.add(0.5, 70.0, "10:00:00");
    ChartAxis wide = w().Chart2.bottom_axis();
    wide.maximum = 3.0;
    w().Chart2.set_bottom_axis(wide);

    c.act(w());
    EXPECT_EQ(w().file_opened, 0);
    EXPECT_TRUE(w().Button1.enabled());
    EXPECT_EQ(w().Chart2.Series1.count(), 0);
    EXPECT_EQ(w().Chart2.Series2.count(), 0);
    EXPECT_EQ(w().Chart2.bottom_axis().minimum, 0.0);
    EXPECT_EQ(w().Chart2.bottom_axis().maximum, 1.0);
    for (Control* e : std::initializer_list<Control*>{&w().MEdatum, &w().MEcycled,
                                                      &w().MEtarget1, &w().But_takeover})
      EXPECT_EQ(e->enabled(), c.editor_enabled) << e->name();
    EXPECT_EQ(selected(), c.selected);
  }
}

TEST_F(RowsTest, NumbersAreNotGivenBackByADelete) {
  plan(1, "08:00", "01:00");
  EXPECT_EQ(row(1).cycle_name, "261210-000");
  w().cell(1, 1).enter();
  w().Button1.click();
  ASSERT_EQ(w().cycle_count, 0);
  plan(1, "08:00", "01:00");
  EXPECT_EQ(row(1).cycle_name, "261210-001");
}

}  // namespace
}  // namespace oxr::test
