// The whole start-up of the main window against the simulated controller: creation, first
// show, the connect request and the mode query, and the zone-2 look that follows the mode.
#include <gtest/gtest.h>

#include "sim/simulated_serial_library.h"
#include "tests/support/form_fixture.h"

namespace oxr::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct ModeCase {
  int mode;
  bool zone2_editable;
  Color zone2_colour;
};

class WindowStartUp : public FormFixture, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(WindowStartUp, ShowConnectsAndZoneTwoFollowsTheReportedMode) {
  sim::SimulatedSerialLibrary sim{
      clock, sim::ControllerConfig{.mode = static_cast<std::uint8_t>(GetParam().mode)}};
  TFormzyklus& f = make_form(&sim);
  f.FormCreate();
  dialogs.clear_shown();  // the first run's "file created" box
  f.form.show();
  advance_ms(3000);

  std::vector<Bytes> sent;
  for (const auto& frame : sim.controller().log()) {
    if (frame.from_pc) sent.push_back(frame.bytes);
  }
  ASSERT_GE(sent.size(), 2u);
  EXPECT_EQ(sent[0], (Bytes{0x41, 0x54, 0x5A, 0x05, 0x0C}));        // connect request
  EXPECT_EQ(sent[1], (Bytes{0x41, 0x54, 0x52, 0x06, 0x4D, 0xC6}));  // mode query
  EXPECT_EQ(f.tc_connected, 1);
  EXPECT_EQ(f.control_mode, GetParam().mode);
  EXPECT_EQ(f.StatusBar1.panel(0), "Temperatursteuerung angeschlossen");
  EXPECT_EQ(f.MEtarget2.enabled(), GetParam().zone2_editable);
  EXPECT_EQ(f.MEhyst2.enabled(), GetParam().zone2_editable);
  EXPECT_EQ(f.SpeButset2up.enabled(), GetParam().zone2_editable);
  EXPECT_EQ(f.MEtarget2.color(), GetParam().zone2_colour);
  EXPECT_TRUE(dialogs.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Modes, WindowStartUp,
                         ::testing::Values(ModeCase{1, false, Color::BtnFace},
                                           ModeCase{3, false, Color::BtnFace},
                                           ModeCase{4, true, Color::White}));

}  // namespace
}  // namespace oxr::test
