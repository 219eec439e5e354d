#include "V_1_0_serie/qt/bind.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>
#include <memory>

#include "tests/V_1_0_serie/qt_support.h"

namespace oxr::qt {
namespace {

using oxr::test::click;
using oxr::test::press_key;
using oxr::test::show_active;
using oxr::test::type_text;

class BindTest : public ::testing::Test {
 protected:
  // A visible, active window to put widgets in, so focus and clicks behave as for an operator.
  template <class W>
  W* add() {
    auto* w = new W(&window);
    layout->addWidget(w);
    return w;
  }
  QApplication& app = oxr::test::qt_app();  // first: the widgets below need it
  QWidget window;
  QVBoxLayout* layout = new QVBoxLayout(&window);
};

TEST_F(BindTest, ButtonShowsItsModelAndClicksReachIt) {
  Button model("Button1");
  int clicks = 0;
  model.OnClick = [&] { ++clicks; };
  auto* w = add<QPushButton>();
  bind(w, model);
  EXPECT_EQ(w->objectName(), QStringLiteral("Button1"));

  model.set_caption("Zyklus\r\nlöschen");
  model.set_hint("Neuer Zyklus");
  model.set_accessible_name("Zyklus löschen");
  EXPECT_EQ(w->text(), QStringLiteral("Zyklus\nlöschen"));
  EXPECT_EQ(w->toolTip(), QStringLiteral("Neuer Zyklus"));
  EXPECT_EQ(w->accessibleName(), QStringLiteral("Zyklus löschen"));

  w->click();
  EXPECT_EQ(clicks, 1);

  model.set_enabled(false);
  EXPECT_FALSE(w->isEnabled());
  w->click();  // a disabled widget takes no clicks
  EXPECT_EQ(clicks, 1);

  model.set_visible(false);
  EXPECT_TRUE(w->isHidden());
  model.set_visible(true);
  EXPECT_FALSE(w->isHidden());
}

TEST_F(BindTest, EditUpdatesFromTheModelFireNoSecondChange) {
  Edit model("Edit_comment");
  int changes = 0;
  model.OnChange = [&] { ++changes; };
  auto* w = add<QLineEdit>();
  bind(w, model);
  show_active(&window);

  model.set_text("abc");
  EXPECT_EQ(w->text(), QStringLiteral("abc"));
  EXPECT_EQ(changes, 1);  // the model's own write, not an echo from the widget

  w->setFocus();
  w->end(false);
  type_text(w, QStringLiteral("de"));
  EXPECT_EQ(model.text(), "abcde");
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(w->cursorPosition(), 5);  // the echo did not reset the field
}

TEST_F(BindTest, ACorrectionMadeInTheChangeHandlerShowsAtOnce) {
  Edit model("Edit_comment");
  // As the comment check does: a forbidden character is taken out again.
  model.OnChange = [&] {
    std::string t = model.text();
    if (auto pos = t.find(','); pos != std::string::npos) model.set_text(t.erase(pos, 1));
  };
  auto* w = add<QLineEdit>();
  bind(w, model);
  show_active(&window);
  w->setFocus();
  type_text(w, QStringLiteral("a,b"));
  EXPECT_EQ(model.text(), "ab");
  EXPECT_EQ(w->text(), QStringLiteral("ab"));
}

TEST_F(BindTest, MaskEditTakesTheMaskAndHandsBackTheToolkitText) {
  MaskEdit model("MEdatum");
  model.set_mask("!90/90/00;1; ");
  model.set_text("  .  .  ");
  auto* w = add<QLineEdit>();
  bind(w, model);
  show_active(&window);
  EXPECT_EQ(w->inputMask(), QStringLiteral("09.09.99"));  // Qt leaves out a blank ' '
  EXPECT_EQ(w->displayText(), QStringLiteral("  .  .  "));

  model.set_text("09.12.26");
  EXPECT_EQ(w->displayText(), QStringLiteral("09.12.26"));

  w->setFocus();
  w->setCursorPosition(0);
  type_text(w, QStringLiteral("1"));
  EXPECT_EQ(model.text(), "19.12.26");

  MaskEdit temp("MEtarget1");
  temp.set_mask("999 ;0; ");
  temp.set_text("60");
  auto* t = add<QLineEdit>();
  bind(t, temp);
  t->setFocus();
  t->setCursorPosition(2);
  type_text(t, QStringLiteral("5"));
  EXPECT_EQ(temp.text(), "605");
}

TEST_F(BindTest, FocusMovesAreEnterAndExitButWindowSwitchesAreNot) {
  Edit first("MEstartz");
  Edit second("MEcycled");
  std::vector<std::string> log;
  first.OnEnter = [&] { log.push_back("enter first"); };
  first.OnExit = [&] { log.push_back("exit first"); };
  second.OnEnter = [&] { log.push_back("enter second"); };
  auto* a = add<QLineEdit>();
  auto* b = add<QLineEdit>();
  bind(a, first);
  bind(b, second);
  show_active(&window);

  a->setFocus(Qt::TabFocusReason);
  b->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(log, (std::vector<std::string>{"enter first", "exit first", "enter second"}));

  // A message box taking the focus away and giving it back is no exit and no enter.
  log.clear();
  QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(b, &out);
  QFocusEvent in(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(b, &in);
  EXPECT_TRUE(log.empty());
}

TEST_F(BindTest, ArrowKeysReachTheModelAndKeepTheirEffectUnlessSwallowed) {
  Edit model("MEdatum");
  std::vector<Key> seen;
  bool swallow = false;
  model.OnKeyDown = [&](Key& k) {
    seen.push_back(k);
    if (swallow) k = Key::Other;
  };
  auto* w = add<QLineEdit>();
  bind(w, model);
  model.set_text("abcd");
  show_active(&window);
  w->setFocus();
  w->setCursorPosition(2);

  press_key(w, Qt::Key_Left);
  EXPECT_EQ(w->cursorPosition(), 1);  // the field still moves the cursor
  press_key(w, Qt::Key_Up);
  press_key(w, Qt::Key_Right);
  press_key(w, Qt::Key_Down);
  press_key(w, Qt::Key_Return);
  press_key(w, Qt::Key_Enter);
  press_key(w, Qt::Key_Home);  // not a key the handlers look at
  EXPECT_EQ(seen, (std::vector<Key>{Key::Left, Key::Up, Key::Right, Key::Down, Key::Enter,
                                    Key::Enter}));

  swallow = true;
  w->setCursorPosition(2);
  press_key(w, Qt::Key_Left);
  EXPECT_EQ(w->cursorPosition(), 2);
}

TEST_F(BindTest, MouseOnAnEditIsDownUpAndClick) {
  MaskEdit cell("MaskEdit11");
  std::vector<std::string> log;
  cell.OnMouseDown = [&] { log.push_back("down"); };
  cell.OnMouseUp = [&] { log.push_back("up"); };
  cell.OnClick = [&] { log.push_back("click"); };
  auto* w = add<QLineEdit>();
  bind(w, cell);
  show_active(&window);
  click(w);
  EXPECT_EQ(log, (std::vector<std::string>{"down", "up", "click"}));
}

TEST_F(BindTest, RadioGroupsSharingAParentStayApart) {
  RadioGroup unit;
  RadioButton c("RadioBut_C", unit);
  RadioButton f("RadioBut_F", unit);
  RadioGroup preheat;
  RadioButton off("RadioBut_prea_off", preheat);
  RadioButton on("RadioBut_prea_on", preheat);
  int f_clicks = 0;
  f.OnClick = [&] { ++f_clicks; };
  QRadioButton* w[4];
  RadioButton* models[4] = {&c, &f, &off, &on};
  for (int i = 0; i < 4; ++i) {
    w[i] = add<QRadioButton>();
    bind(w[i], *models[i]);
  }
  c.set_checked(true);
  off.set_checked(true);
  EXPECT_TRUE(w[0]->isChecked());
  EXPECT_TRUE(w[2]->isChecked());

  w[1]->click();  // the operator picks °F
  EXPECT_TRUE(f.checked());
  EXPECT_FALSE(c.checked());
  EXPECT_EQ(f_clicks, 1);
  EXPECT_TRUE(w[1]->isChecked());
  EXPECT_FALSE(w[0]->isChecked());
  EXPECT_TRUE(w[2]->isChecked());  // the other group is untouched

  w[1]->click();  // clicking the checked one keeps it checked and clicks again
  EXPECT_TRUE(w[1]->isChecked());
  EXPECT_EQ(f_clicks, 2);
}

TEST_F(BindTest, CheckBoxClickIsTheModelsStateChange) {
  CheckBox model("CheckBox_endlos");
  int clicks = 0;
  model.OnClick = [&] { ++clicks; };
  auto* w = add<QCheckBox>();
  bind(w, model);
  w->click();
  EXPECT_TRUE(model.checked());
  EXPECT_EQ(clicks, 1);
  model.set_checked(false);
  EXPECT_FALSE(w->isChecked());
  EXPECT_EQ(clicks, 2);  // the model's own change, no echo
}

TEST_F(BindTest, RadioMenuItemsShowTheModelEvenWhenTheHandlerRefuses) {
  std::vector<MenuItem*> group;
  MenuItem com1("Com12");
  MenuItem com2("Com22");
  group = {&com1, &com2};
  for (MenuItem* m : group) m->set_radio_item(true, 1, &group);
  com1.check_in_group();
  bool usable = false;
  com2.OnClick = [&] {
    if (usable) com2.check_in_group();
  };
  QMenu menu;
  QActionGroup actions(&menu);
  actions.setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  auto* a1 = new QAction(&menu);
  auto* a2 = new QAction(&menu);
  bind(a1, com1);
  bind(a2, com2);
  actions.addAction(a1);
  actions.addAction(a2);
  EXPECT_TRUE(a1->isChecked());

  a2->trigger();  // Qt checks it at once; the port is not usable, so the model says no
  EXPECT_TRUE(a1->isChecked());
  EXPECT_FALSE(a2->isChecked());

  usable = true;
  a2->trigger();
  EXPECT_FALSE(a1->isChecked());
  EXPECT_TRUE(a2->isChecked());
}

TEST_F(BindTest, ColoursPaintTheFieldAndSystemColoursRestoreIt) {
  MaskEdit model("MaskEdit12");
  auto* w = add<QLineEdit>();
  bind(w, model);
  const QColor normal = w->palette().color(QPalette::Disabled, QPalette::Base);
  const struct {
    Color colour;
    QColor expected;
  } cases[] = {{Color::Aqua, QColor(0, 255, 255)},
               {Color::Red, QColor(255, 0, 0)},
               {Color::Lime, QColor(0, 255, 0)},
               {Color::Window, normal}};
  model.set_enabled(false);  // columns 2..6 are disabled and still show the row colour
  for (const auto& c : cases) {
    model.set_color(c.colour);
    EXPECT_EQ(w->palette().color(QPalette::Disabled, QPalette::Base), c.expected)
        << static_cast<std::uint32_t>(c.colour);
  }
}

TEST_F(BindTest, StatusBarHasFixedWidthPanelsNamedAfterIt) {
  StatusBar model("StatusBar1", {300, 100, 120, 130, 130});
  auto* w = add<QStatusBar>();
  bind(w, model);
  model.set_panel(1, "Pumpe: --");
  const int widths[] = {300, 100, 120, 130, 130};
  for (int i = 0; i < 5; ++i) {
    auto* panel = w->findChild<QLabel*>(QStringLiteral("StatusBar1_panel%1").arg(i));
    ASSERT_NE(panel, nullptr) << i;
    EXPECT_EQ(panel->minimumWidth(), widths[i]);
    EXPECT_EQ(panel->maximumWidth(), widths[i]);
  }
  EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("StatusBar1_panel1"))->text(),
            QStringLiteral("Pumpe: --"));
}

TEST_F(BindTest, MemoLinesBreakAtLineEnds) {
  Memo memo("Memo2");
  auto* label = add<QLabel>();
  bind(label, memo);
  memo.set_text("Datum\r\nStart");
  EXPECT_EQ(label->text(), QStringLiteral("Datum\nStart"));
}

TEST_F(BindTest, FocusRequestMovesTheFocusOnce) {
  Edit a("MEdatum");
  Edit b("MEstartz");
  int entered = 0;
  b.OnEnter = [&] { ++entered; };
  auto* wa = add<QLineEdit>();
  auto* wb = add<QLineEdit>();
  bind(wa, a);
  bind(wb, b);
  show_active(&window);
  wa->setFocus();
  b.set_focus();
  EXPECT_TRUE(wb->hasFocus());
  EXPECT_FALSE(b.focus_requested());
  EXPECT_EQ(entered, 1);
}

TEST_F(BindTest, WindowFollowsCaptionAndVisibility) {
  Form form("Formzyklus", 1016, 700);
  QWidget top;
  bind_window(&top, form);
  EXPECT_FALSE(top.isVisible());  // forms are created hidden
  form.set_caption("OXR - Pump Control");
  EXPECT_EQ(top.windowTitle(), QStringLiteral("OXR - Pump Control"));
  form.show();
  EXPECT_TRUE(top.isVisible());
  form.close();
  EXPECT_FALSE(top.isVisible());
}

TEST_F(BindTest, AWidgetThatIsGoneIsNoLongerUpdated) {
  Label model("Lab_tact1");
  {
    QLabel w;
    bind(&w, model);
    model.set_caption("60");
    EXPECT_EQ(w.text(), QStringLiteral("60"));
  }
  model.set_caption("61");  // must not touch the destroyed label
  EXPECT_EQ(model.caption(), "61");
}

}  // namespace
}  // namespace oxr::qt
