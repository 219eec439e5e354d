#include "platform/controls.h"

#include <gtest/gtest.h>

#include "platform/chart_model.h"
#include "platform/scripted_dialogs.h"

namespace oxr {
namespace {

TEST(Controls, WritingAnEditFiresChangeOnlyWhenTheTextChanges) {
  Edit e("e");
  int changes = 0;
  int notified = 0;
  e.OnChange = [&] { ++changes; };
  e.on_model_changed = [&] { ++notified; };
  e.set_text("a");
  e.set_text("a");
  e.set_enabled(false);
  e.set_text("b");  // code may write a disabled field; the event still fires
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(notified, 3);
}

TEST(Controls, DisabledControlTakesNoEvents) {
  Button b("b");
  int clicks = 0, exits = 0, keys = 0;
  b.OnClick = [&] { ++clicks; };
  b.OnExit = [&] { ++exits; };
  b.OnKeyDown = [&](Key&) { ++keys; };
  b.click();
  b.set_enabled(false);
  b.click();
  b.exit();
  b.press_key(Key::Up);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(exits, 0);
  EXPECT_EQ(keys, 0);
}

TEST(Controls, KeyHandlerCanRewriteTheKey) {
  Edit e("e");
  e.OnKeyDown = [](Key& k) { k = Key::Other; };
  Key k = Key::Enter;
  e.key_down(k);
  EXPECT_EQ(k, Key::Other);
}

TEST(Controls, CheckingARadioButtonUnchecksItsGroupAndClicksOnce) {
  RadioGroup g;
  RadioButton a("a", g), b("b", g);
  RadioGroup other;
  RadioButton c("c", other);
  int a_clicks = 0, b_clicks = 0;
  a.OnClick = [&] { ++a_clicks; };
  b.OnClick = [&] { ++b_clicks; };
  c.set_checked(true);
  a.set_checked(true);
  b.set_checked(true);
  EXPECT_FALSE(a.checked());
  EXPECT_TRUE(b.checked());
  EXPECT_TRUE(c.checked());  // another group is left alone
  b.set_checked(true);       // already checked: nothing happens
  a.set_checked(false);      // unchecking is silent
  EXPECT_EQ(a_clicks, 1);
  EXPECT_EQ(b_clicks, 1);
  b.operator_click();  // the operator clicks a checked button: the click event still comes
  EXPECT_EQ(b_clicks, 2);
}

TEST(Controls, CheckBoxClicksWhenItsStateChanges) {
  CheckBox box("box");
  int clicks = 0;
  box.OnClick = [&] { ++clicks; };
  box.set_checked(true);
  box.set_checked(true);
  box.set_checked(false);
  EXPECT_EQ(clicks, 2);
}

TEST(Controls, RadioMenuItemsExcludeEachOther) {
  std::vector<MenuItem*> group;
  MenuItem m1("m1"), m2("m2");
  group = {&m1, &m2};
  m1.set_radio_item(true, 1, &group);
  m2.set_radio_item(true, 1, &group);
  m1.check_in_group();
  m2.check_in_group();
  EXPECT_FALSE(m1.checked());
  EXPECT_TRUE(m2.checked());
}

TEST(Controls, MemoTextJoinsAndSplitsAtCrLf) {
  Memo m("m");
  m.set_text("Datum\r\nStart");
  EXPECT_EQ(m.lines(), (std::vector<std::string>{"Datum", "Start"}));
  EXPECT_EQ(m.text(), "Datum\r\nStart");
  m.set_text("");
  EXPECT_TRUE(m.lines().empty());
}

TEST(Controls, StatusBarKeepsItsPanelWidths) {
  StatusBar bar("bar", {300, 100, 120, 130, 130});
  ASSERT_EQ(bar.panel_count(), 5);
  EXPECT_EQ(bar.panel_width(0), 300);
  EXPECT_EQ(bar.panel_width(4), 130);
  bar.set_panel(2, "COM1 : Pumpe");
  EXPECT_EQ(bar.panel(2), "COM1 : Pumpe");
  EXPECT_THROW(bar.set_panel(5, "x"), std::out_of_range);
}

TEST(Controls, FormShowFiresOnceAndCloseCanBeRefused) {
  Form f("f", 100, 100);
  int shows = 0;
  bool allow = false;
  f.OnShow = [&] { ++shows; };
  f.OnCloseQuery = [&] { return allow; };
  EXPECT_FALSE(f.visible());
  f.show();
  f.show();
  EXPECT_EQ(shows, 1);
  f.close();
  EXPECT_TRUE(f.visible());
  allow = true;
  f.close();
  EXPECT_FALSE(f.visible());
}

TEST(ChartModel, AppendsAreAnnouncedOneByOneAndBulkChangesAsAReset) {
  Chart chart("Chart2");
  std::vector<int> appended;
  int resets = 0;
  chart.Series1.on_appended = [&](int i) { appended.push_back(i); };
  chart.Series1.on_reset = [&] { ++resets; };
  chart.Series1.add(0, 60.5, "10:00:00");
  chart.Series1.add(1, 61.0, "10:00:10");
  chart.Series1.set_y(0, 20.0);
  chart.Series1.assign({{0, 1, "a"}, {1, 2, "b"}, {2, 3, "c"}});
  EXPECT_EQ(appended, (std::vector<int>{0, 1}));
  EXPECT_EQ(resets, 2);
  EXPECT_EQ(chart.Series1.count(), 3);
  EXPECT_EQ(chart.Series1.points()[2].label, "c");
  EXPECT_EQ(chart.Series1.title(), "Temp. 1");
  EXPECT_EQ(chart.Series2.color(), Color::Green);
}

TEST(ScriptedDialogs, RecordsBoxesAndAnswersInOrder) {
  ScriptedDialogs d;
  d.answer_confirm(true);
  d.answer_open(std::string("a.oxr"));
  d.message("one");
  FileDialogRequest open;
  open.title = "Öffnen";
  EXPECT_TRUE(d.confirm({"cap", "sure?", "Ja", "Nein"}));
  EXPECT_EQ(d.open_file(open), std::optional<std::string>("a.oxr"));
  EXPECT_EQ(d.texts(), (std::vector<std::string>{"one", "sure?", "Öffnen"}));
  EXPECT_EQ(d.messages(), (std::vector<std::string>{"one"}));
  EXPECT_EQ(d.pending(), 0u);
}

TEST(ScriptedDialogs, UnexpectedOrMismatchedBoxThrows) {
  ScriptedDialogs d;
  EXPECT_THROW(d.confirm({"c", "t", "y", "n"}), UnexpectedDialog);
  d.answer_print(true);
  EXPECT_THROW(d.save_file({}), UnexpectedDialog);
}

}  // namespace
}  // namespace oxr
