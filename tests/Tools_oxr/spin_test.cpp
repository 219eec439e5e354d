// The arrow buttons beside the editor fields: one step per click, and the Timer4 repeat of a
// held button (first repeat at the sixth 100-ms tick, then one per tick).
#include <gtest/gtest.h>

#include "tests/Tools_oxr/editor_fixture.h"

namespace oxr::test {
namespace {

class SpinTest : public EditorFixture {
 protected:
  // Press, hold for `ms` on the manual clock, release; the click comes with the release.
  void hold(SpeedButton& b, std::int64_t ms) {
    b.mouse_down();
    advance_ms(ms);
    b.mouse_up();
    b.click();
  }
};

TEST_F(SpinTest, EachButtonMakesItsStep) {
  w().control_mode = 4;
  struct Case {
    SpeedButton* button;
    MaskEdit* field;
    std::string before;
    std::string after;
  };
  TFormzyklus& f = w();
  const Case cases[] = {
      {&f.SpeButdateup, &f.MEdatum, day_text(0), day_text(1)},
      {&f.SpeButdatedown, &f.MEdatum, day_text(1), day_text(0)},
      {&f.SpeButtimehourup, &f.MEstartz, "10:30", "11:30"},
      {&f.SpeButtimehourdown, &f.MEstartz, "11:30", "10:30"},
      {&f.SpeButtimeminup, &f.MEstartz, "10:30", "10:31"},
      {&f.SpeButtimemindown, &f.MEstartz, "10:31", "10:30"},
      {&f.SpeButdurhourup, &f.MEcycled, "01:00", "02:00"},
      {&f.SpeButdurhourdown, &f.MEcycled, "02:00", "01:00"},
      {&f.SpeButdurminup, &f.MEcycled, "01:00", "01:01"},
      {&f.SpeButdurmindown, &f.MEcycled, "01:01", "01:00"},
      {&f.SpeButset1up, &f.MEtarget1, "60", "61"},
      {&f.SpeButset1down, &f.MEtarget1, "61", "60"},
      {&f.SpeButset2up, &f.MEtarget2, "70", "71"},
      {&f.SpeButset2down, &f.MEtarget2, "71", "70"},
      {&f.SpeButhyst1up, &f.MEhyst1, "2", "3"},
      {&f.SpeButhyst1down, &f.MEhyst1, "3", "2"},
      {&f.SpeButhyst2up, &f.MEhyst2, "4", "5"},
      {&f.SpeButhyst2down, &f.MEhyst2, "5", "4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button->name());
    c.field->set_text(c.before);
    c.button->click();
    EXPECT_EQ(c.field->text(), c.after);
  }
  // The date buttons refresh the name preview.
  w().day_counters[1].count = 6;
  f.SpeButdateup.click();
  EXPECT_EQ(f.Lab_cycle.caption(), "261210-006");
  EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(SpinTest, AShortClickMakesExactlyOneStep) {
  w().MEtarget1.set_text("60");
  hold(w().SpeButset1up, 550);
  EXPECT_EQ(w().MEtarget1.text(), "61");
  EXPECT_FALSE(w().Timer4.enabled());
}

TEST_F(SpinTest, AHeldButtonRepeatsFromTheSixthTick) {
  w().MEtarget1.set_text("60");
  w().SpeButset1up.mouse_down();
  struct Mark {
    std::int64_t at_ms;
    std::string shown;
  };
  const Mark marks[] = {{550, "60"}, {600, "61"}, {700, "62"}, {1000, "65"}, {1050, "65"}};
  std::int64_t elapsed = 0;
  for (const Mark& m : marks) {
    advance_ms(m.at_ms - elapsed);
    elapsed = m.at_ms;
    EXPECT_EQ(w().MEtarget1.text(), m.shown) << m.at_ms << " ms";
  }
  w().SpeButset1up.mouse_up();
  w().SpeButset1up.click();
  EXPECT_EQ(w().MEtarget1.text(), "66");
  EXPECT_EQ(w().editor.set_temp1_setting.internal_tenths, 660);
  // Released: the timer is off and nothing repeats any more.
  advance_ms(1000);
  EXPECT_EQ(w().MEtarget1.text(), "66");
}

TEST_F(SpinTest, AHeldDurationStopsAtItsLimitWhileTheTimerRuns) {
  w().MEcycled.set_text("23:57");
  w().SpeButdurminup.mouse_down();
  advance_ms(1500);
  EXPECT_EQ(w().MEcycled.text(), "23:59");
  EXPECT_TRUE(w().Timer4.enabled());
  w().SpeButdurminup.mouse_up();
  w().SpeButdurminup.click();
  EXPECT_EQ(w().MEcycled.text(), "23:59");
}

TEST_F(SpinTest, AMessageDuringAHoldEndsTheHold) {
  // The box takes the mouse, so the release would never reach the button.
  w().MEtarget1.set_text("999");
  w().SpeButset1up.mouse_down();
  advance_ms(600);
  EXPECT_EQ(dialogs.messages().size(), 1u);
  EXPECT_EQ(w().MEtarget1.text(), "61");
  EXPECT_FALSE(w().Timer4.enabled());
  advance_ms(2000);
  EXPECT_EQ(w().MEtarget1.text(), "61");
}

TEST_F(SpinTest, AButtonDisabledWhileHeldMakesNoStep) {
  w().MEcycled.set_text("01:00");
  w().SpeButdurhourup.mouse_down();
  w().CheckBox_endlos.set_checked(true);
  advance_ms(1000);
  EXPECT_EQ(w().MEcycled.text(), "24:00");
  EXPECT_EQ(w().editor.edit_duration, 1.0);
  EXPECT_FALSE(w().Timer4.enabled());
  // Enabled again, the button does not go on repeating by itself.
  w().CheckBox_endlos.set_checked(false);
  advance_ms(1000);
  EXPECT_EQ(w().MEcycled.text(), "00:01");
}

}  // namespace
}  // namespace oxr::test
