// The main window's side of the link against the simulated controller: the start-up exchange,
// the start sequence, the sign of life and a lost line, all on the window's manual clock.
#include <gtest/gtest.h>

#include "sim/simulated_serial_library.h"
#include "tests/support/form_fixture.h"

namespace oxr::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

class WindowLinkTest : public FormFixture {
 protected:
  // The controller's log of what the PC sent, frame by frame.
  std::vector<Bytes> frames_from_pc() {
    std::vector<Bytes> out;
    for (const auto& f : sim.controller().log()) {
      if (f.from_pc) out.push_back(f.bytes);
    }
    return out;
  }

  // What the main window's first show does for the link: the one-second clock, then the
  // port set-up.
  TFormzyklus& started_window() {
    TFormzyklus& f = make_form(&sim);
    f.com_names = {"Pumpe", "", "", ""};
    f.Timer1.set_enabled(true);
    f.port_setup_at_start();
    return f;
  }

  sim::SimulatedSerialLibrary sim{clock, sim::ControllerConfig{.mode = 4}};
};

TEST_F(WindowLinkTest, StartUpConnectsAndReadsTheOperatingMode) {
  TFormzyklus& f = make_form(&sim);
  int mode_reads = 0;
  f.on_control_mode_read = [&] { ++mode_reads; };
  f.com_names = {"Pumpe", "", "", ""};
  f.Timer1.set_enabled(true);
  f.port_setup_at_start();
  advance_ms(2000);

  EXPECT_EQ(frames_from_pc(), (std::vector<Bytes>{{0x41, 0x54, 0x5A, 0x05, 0x0C},
                                                  {0x41, 0x54, 0x52, 0x06, 0x4D, 0xC6}}));
  EXPECT_EQ(f.tc_connected, 1);
  EXPECT_EQ(f.control_mode, 4);
  EXPECT_EQ(mode_reads, 1);
  EXPECT_EQ(f.StatusBar1.panel(0), "Temperatursteuerung angeschlossen");
  EXPECT_EQ(f.StatusBar1.panel(2), "COM1 : Pumpe");
  EXPECT_TRUE(f.Com12.checked());
  EXPECT_EQ(f.awaiting_reply, 0);
  EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(WindowLinkTest, TheStartSequenceConfiguresAndSwitchesOnTheController) {
  TFormzyklus& f = started_window();
  advance_ms(2000);
  ASSERT_EQ(f.tc_connected, 1);

  CycleRecord& row = f.schedule.rows[0];
  row.cycle_name = "261209-000";  // the run's journal is named after it
  row.preheating = 1;
  row.duration = 1.0 / 24.0;  // one hour
  row.set_temp1 = 850;
  row.set_temp2 = -15;
  row.hyst1 = 10;
  row.hyst2 = 25;
  f.unit_celsius = 1;
  // As the run start begins it.
  f.current_row = 0;
  f.start_step = 1;
  f.start_seq_active = 1;
  f.tc_init_running = 1;
  f.write_operation(0);
  advance_ms(5000);

  const sim::ControllerSettings& s = sim.controller().settings();
  EXPECT_TRUE(s.preheating);
  EXPECT_TRUE(s.unit_celsius);
  EXPECT_EQ(s.duration_steps, f.duration_ticks);
  EXPECT_EQ(f.duration_ticks, 360);  // 3600 s / 10 s, the quotient a hair below 360
  EXPECT_EQ(s.set_tenths[0], 850);
  EXPECT_EQ(s.set_tenths[1], -15);
  EXPECT_EQ(s.hyst_tenths[0], 10);
  EXPECT_EQ(s.hyst_tenths[1], 25);
  EXPECT_TRUE(sim.controller().running());
  EXPECT_EQ(f.start_seq_active, 0);
  EXPECT_EQ(f.tc_init_running, 0);
  EXPECT_TRUE(f.TImcresponse.enabled());
  EXPECT_TRUE(dialogs.messages().empty());

  // The sign of life keeps the run going well past the controller's 5-second watch.
  advance_ms(20000);
  EXPECT_TRUE(sim.controller().running());
  EXPECT_EQ(sim.controller().counters().sign_of_life_breaks, 0u);
}

TEST_F(WindowLinkTest, ALostLineIsNoticedWithinASecond) {
  TFormzyklus& f = started_window();
  advance_ms(2000);
  ASSERT_EQ(f.tc_connected, 1);
  sim.controller().inject(sim::Fault::LineDown);
  advance_ms(1000);
  EXPECT_EQ(f.tc_connected, 0);
  EXPECT_EQ(dialogs.messages(),
            std::vector<std::string>{"Keine Temperatursteuerung angeschlossen"});
  EXPECT_EQ(f.StatusBar1.panel(0), "Keine Temperatursteuerung angeschlossen");
}

TEST_F(WindowLinkTest, GarbageAndABadChecksumBeforeTheConnectReply) {
  struct Case {
    std::string name;
    sim::Fault fault;
    std::uint8_t connected;
    std::string panel0;
  };
  const Case cases[] = {
      {"garbage ahead of the reply", sim::Fault::Garbage, 1, "Temperatursteuerung angeschlossen"},
      {"reply split over two reads", sim::Fault::SplitFrame, 1,
       "Temperatursteuerung angeschlossen"},
      {"bad checksum", sim::Fault::BadChecksum, 0, "Checksummenfehler aufgetreten"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim.attach(0, sim::ControllerConfig{.mode = 4});
    sim.controller().inject(c.fault);
    TFormzyklus& f = make_form(&sim);
    f.port_setup_at_start();
    advance_ms(200);  // the reply reader looks once
    EXPECT_EQ(f.tc_connected, c.connected);
    EXPECT_EQ(f.StatusBar1.panel(0), c.panel0);
  }
}

}  // namespace
}  // namespace oxr::test
