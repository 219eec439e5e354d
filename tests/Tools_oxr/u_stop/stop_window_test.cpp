#include "Tools_oxr/u_stop/tformstop.h"
#include "tests/support/form_fixture.h"

namespace oxr::test {
namespace {

class StopWindow : public FormFixture {};

TEST_F(StopWindow, StandsBesideTheMainWindowWhereverThatIs) {
  struct Case {
    ScreenPoint main_at;
    ScreenPoint expected;
  };
  for (const Case c :
       {Case{{0, 0}, {660, 390}}, Case{{120, 45}, {780, 435}}, Case{{-300, -10}, {360, 380}}}) {
    SCOPED_TRACE(std::to_string(c.main_at.x) + "," + std::to_string(c.main_at.y));
    TFormzyklus& main = make_form();
    TFormStop stop(main);
    ScreenPoint placed_at{-1, -1};
    stop.main_window_position = [&] { return c.main_at; };
    stop.on_placed = [&] { placed_at = stop.position; };

    // The run shows it through the main window's link.
    ASSERT_EQ(main.stop_form, &stop.form);
    main.stop_form->show();

    EXPECT_TRUE(stop.form.visible());
    EXPECT_EQ(stop.position, c.expected);
    EXPECT_EQ(placed_at, c.expected);
  }
}

TEST_F(StopWindow, FollowsTheMainWindowOnEveryShow) {
  TFormzyklus& main = make_form();
  TFormStop stop(main);
  ScreenPoint main_at{10, 20};
  stop.main_window_position = [&] { return main_at; };
  stop.form.show();
  stop.form.close();
  main_at = {200, 100};
  stop.form.show();
  EXPECT_EQ(stop.position, (ScreenPoint{860, 490}));
}

TEST_F(StopWindow, StopButtonHasTheAccessibleNameOfTheLanguage) {
  TFormzyklus& main = make_form();
  TFormStop stop(main);
  main.lang_index = 0;
  stop.form.show();
  EXPECT_EQ(stop.BBStop.accessible_name(), "Stop the measuring cycle");
  stop.form.close();
  main.lang_index = 1;
  stop.form.show();
  EXPECT_EQ(stop.BBStop.accessible_name(), "Messzyklus stoppen");
}

TEST_F(StopWindow, ItsButtonIsTheMainWindowsStop) {
  struct Case {
    const char* name;
    bool main_stop_enabled;
    int expected_calls;
  };
  for (const Case c : {Case{"stop enabled", true, 1}, Case{"stop disabled", false, 0}}) {
    SCOPED_TRACE(c.name);
    TFormzyklus& main = make_form();
    TFormStop stop(main);
    int stop_calls = 0;
    main.But_stop.OnClick = [&] { ++stop_calls; };
    main.But_stop.set_enabled(c.main_stop_enabled);
    stop.form.show();

    stop.BBStop.click();

    EXPECT_EQ(stop_calls, c.expected_calls);
  }
}

TEST_F(StopWindow, ComesToTheFrontWhenTheApplicationLosesFocusOnlyWhileShowing) {
  TFormzyklus& main = make_form();
  TFormStop stop(main);
  int raised = 0;
  stop.on_bring_to_front = [&] { ++raised; };

  stop.ApplicationDeactivate();
  EXPECT_EQ(raised, 0);

  stop.form.show();
  stop.ApplicationDeactivate();
  EXPECT_EQ(raised, 1);

  stop.form.close();
  stop.ApplicationDeactivate();
  EXPECT_EQ(raised, 1);
}

TEST_F(StopWindow, TheMainWindowReachesItThroughItsLinks) {
  TFormzyklus& main = make_form();
  TFormStop stop(main);
  int raised = 0;
  stop.on_bring_to_front = [&] { ++raised; };
  ASSERT_TRUE(main.window_links.stop_window_showing);
  EXPECT_FALSE(main.window_links.stop_window_showing());

  stop.form.show();
  EXPECT_TRUE(main.window_links.stop_window_showing());
  main.ApplicationDeactivate();  // the application's handler, installed by the main window
  EXPECT_EQ(raised, 1);

  main.window_links.close_stop_window();  // as the quit does
  EXPECT_FALSE(stop.form.visible());
  main.ApplicationDeactivate();
  EXPECT_EQ(raised, 1);
}

}  // namespace
}  // namespace oxr::test
