// Every way a run ends, against the simulated controller: the operator's STOP with and without
// the continuation, the controller's stop and break, a lost line, no data, an undefined state,
// and the switch-off that is never confirmed.
#include "tests/sim/window_run_support.h"

namespace oxr::test {
namespace {

const std::string kContinueQuestion =
    "Der gestoppte Zyklus wurde gespeichert!\nSoll mit der Restlaufzeit ein neuer Zyklus "
    "erstellt werden?\nBei Neuerstellung wird der gestoppte Zyklus aus der Tabelle entfernt\nund "
    "durch den neuen ersetzt.";
const std::string kTooShort =
    "Der gestoppte Zyklus wurde gespeichert!\nDie Restlaufzeit ist zu kurz um den Zyklus "
    "fortzuführen.";

class WindowStop : public RunFixture {
 protected:
  // A cycle planned from 10:01 for `duration`, running and measuring for `measure_s` seconds.
  void running_cycle(const std::string& duration, int measure_s = 60, std::uint8_t mode = 4) {
    open_window(mode);
    plan(0, "10:01", duration);
    w().But_start.click();
    ASSERT_TRUE(run_until([&] { return w().TImcresponse.enabled(); }, 120));
    advance_ms(measure_s * 1000LL);
    ASSERT_GT(w().last_sample_index, 0);
    sim.controller().clear_log();
    dialogs.clear_shown();
  }
  std::string last_line(const std::string& name) { return file_lines(name).back(); }
  static std::string end_of(const std::string& line, std::size_t n) {
    return line.substr(line.size() - n);
  }
};

class PcStopAnswer : public WindowStop, public ::testing::WithParamInterface<bool> {};

TEST_P(PcStopAnswer, PcStopWithTimeLeftOffersTheRemainingTime) {
  {
    const bool yes = GetParam();
    running_cycle("01:00");  // stopped at about 10:02:0x, the end is 11:01
    dialogs.answer_confirm(yes);
    w().But_stop.click();

    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].confirm.text, kContinueQuestion);
    EXPECT_EQ(dialogs.shown()[0].confirm.caption, "OXR - Pump Control");
    EXPECT_EQ(dialogs.shown()[0].confirm.yes_label, "Ja");
    EXPECT_EQ(dialogs.shown()[0].confirm.no_label, "Nein");
    EXPECT_EQ(w().StatusBar1.panel(0), "Abbruch des Messzyklus durch PC-Stop");
    EXPECT_EQ(end_of(last_line("261209-000.oxr"), 12), "PC-STOP,OFF,");
    EXPECT_EQ(w().start_active, 0);
    EXPECT_TRUE(w().But_start.enabled());
    EXPECT_TRUE(w().cell(1, 1).enabled());
    if (yes) {
      EXPECT_EQ(row(1).cycle_name, "261209-001");
      EXPECT_EQ(w().cell(1, 1).text(), "261209-001");
      EXPECT_EQ(row(1).start_date, kRunDay);
      EXPECT_EQ(w().cell(1, 3).text(), "10:03");
      EXPECT_EQ(w().cell(1, 5).text(), "11:01");
      EXPECT_EQ(to_ms(row(1).duration), 58 * kMinuteMs);
      EXPECT_EQ(status_cell(1), "bitte starten");
      EXPECT_EQ(w().day_counters[0].count, 2);
    } else {
      EXPECT_EQ(row(1).cycle_name, "261209-000");
      EXPECT_EQ(status_cell(1), "PC-Stop");
    }
    // The controller confirmed the switch-off: nothing is repeated.
    advance_ms(10000);
    EXPECT_EQ(w().stop_confirm_pending, 0);
    EXPECT_EQ(times_of(write_operation_frame(0)).size(), 1u);
    EXPECT_FALSE(controller().running());
  }
}

INSTANTIATE_TEST_SUITE_P(YesAndNo, PcStopAnswer, ::testing::Bool());

TEST_F(WindowStop, PcStopAtTwentyToMidnightContinuesFromTomorrowsCounter) {
  clock.set_wall(kRunDay + 23.0 / 24 + 40.0 / 1440);  // 23:40
  open_window(4);
  plan(0, "23:45", "00:30");  // ends 00:15 tomorrow
  w().But_start.click();
  ASSERT_TRUE(run_until([&] { return time_of(clock.now()) >= 86360.0 / 86400; }, 1300));
  ASSERT_EQ(format_time(clock.now()), "23:59:20");
  dialogs.answer_confirm(true);
  w().But_stop.click();
  EXPECT_EQ(row(1).start_date, kRunDay + 1);
  EXPECT_EQ(w().cell(1, 2).text(), "10.12.2026");
  EXPECT_EQ(w().cell(1, 3).text(), "00:00");
  EXPECT_EQ(to_ms(row(1).start_time), 0);
  EXPECT_EQ(row(1).end_date, kRunDay + 1);
  EXPECT_EQ(to_ms(row(1).duration), 15 * kMinuteMs);
  EXPECT_EQ(row(1).cycle_name, "261210-000") << "tomorrow's counter, tomorrow's name";
  EXPECT_EQ(w().day_counters[1].count, 1);
  EXPECT_EQ(status_cell(1), "bitte starten");
  EXPECT_TRUE(std::filesystem::exists(file("261209-000.oxr")));
}

TEST_F(WindowStop, PcStopWithFortySecondsLeftEndsWithoutAQuestion) {
  running_cycle("00:02", 60);
  ASSERT_TRUE(run_until([&] { return format_time(clock.now()) == "10:02:20"; }, 60));
  w().But_stop.click();
  EXPECT_EQ(dialogs.texts(), std::vector<std::string>{kTooShort});
  EXPECT_EQ(status_cell(1), "PC-Stop");
}

struct EndCase {
  std::string name;
  sim::Fault fault;  // Silent stands for "no data"; the sign of life is stopped by the test
  bool stop_sign_of_life;
  int max_s;
  std::string status;
  std::string panel0;
  std::string end_word;
  std::size_t switch_off_frames;
  std::vector<std::string> messages;
};

class ControllerEnd : public WindowStop, public ::testing::WithParamInterface<EndCase> {};

TEST_P(ControllerEnd, EndsReportedByTheControllerOrTheLink) {
  const EndCase& c = GetParam();
  running_cycle("01:00");
  if (c.stop_sign_of_life) {
    w().Timer1.set_enabled(false);
    advance_ms(6000);
    w().Timer1.set_enabled(true);
  } else {
    controller().inject(c.fault);
  }
  ASSERT_TRUE(run_until([&] { return w().start_active == 0; }, c.max_s));
  EXPECT_EQ(status_cell(1), c.status);
  EXPECT_EQ(row(1).status_text, c.status);
  EXPECT_EQ(w().StatusBar1.panel(0), c.panel0);
  EXPECT_EQ(w().StatusBar1.panel(1), "Pumpe: --");
  EXPECT_EQ(end_of(last_line("261209-000.oxr"), c.end_word.size()), c.end_word);
  EXPECT_EQ(times_of(write_operation_frame(0)).size(), c.switch_off_frames);
  EXPECT_EQ(dialogs.messages(), c.messages);
  EXPECT_TRUE(w().But_start.enabled());
  EXPECT_EQ(w().measuring_active, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, ControllerEnd,
    ::testing::Values(
        EndCase{"TcStop", sim::Fault::StopAtController, false, 20, "TC-Stop",
                "Abbruch des Messzyklus durch OFF an TS", "TC-STOP,OFF,", 0, {}},
        EndCase{"TcBreak", sim::Fault::Silent, true, 20, "TC-Break",
                "Abbruch des Messzyklus an TS -> Kein PC-Signal", "TC-BREAK,OFF,", 0, {}},
        // The link watch writes panel 0 after the stop while the controller is gone.
        EndCase{"ConnectBreak", sim::Fault::LineDown, false, 3, "CON-Break",
                "Keine Temperatursteuerung angeschlossen", "CONNECT-BREAK,OFF,", 0,
                {"Keine Temperatursteuerung angeschlossen"}},
        EndCase{"TBreak", sim::Fault::Silent, false, 50, "T-Break", "Keine Messwerte von TS",
                "T-BREAK,OFF,", 1, {}}),
    [](const ::testing::TestParamInfo<EndCase>& info) { return info.param.name; });

TEST_F(WindowStop, AnUndefinedControllerStateStopsAsPcStop) {
  running_cycle("01:00");
  controller().inject(sim::Fault::UndefinedState);
  dialogs.answer_confirm(false);
  ASSERT_TRUE(run_until([&] { return w().start_active == 0; }, 20));
  ASSERT_GE(dialogs.texts().size(), 2u);
  EXPECT_EQ(dialogs.texts()[0],
            "Unbekannter Abbruch des Messzyklus.\nStatus des abgebrochenen Zyklus ist PC-Stop.");
  EXPECT_EQ(dialogs.texts()[1], kContinueQuestion);
  EXPECT_EQ(status_cell(1), "PC-Stop");
  EXPECT_EQ(w().StatusBar1.panel(0), "Abbruch des Messzyklus durch PC-Stop");
  EXPECT_EQ(end_of(last_line("261209-000.oxr"), 12), "PC-STOP,OFF,");
}

TEST_F(WindowStop, StopIsRefusedDuringTheStartSequence) {
  open_window(4);
  plan(0, "10:01", "01:00");
  w().But_start.click();
  ASSERT_TRUE(run_until([&] { return w().tc_init_running == 1; }, 120));
  w().But_stop.click();
  EXPECT_EQ(dialogs.messages(),
            std::vector<std::string>{
                "Kein Stop zulässig, Temperatursteuerung wird gerade initialisiert!"});
  EXPECT_EQ(status_cell(1), "läuft");
  ASSERT_TRUE(run_until([&] { return w().TImcresponse.enabled(); }, 5));
  EXPECT_EQ(w().start_active, 1);
  EXPECT_TRUE(controller().running());
  // Once the controller has confirmed, STOP goes through.
  dialogs.answer_confirm(false);
  advance_ms(30000);
  w().But_stop.click();
  EXPECT_EQ(w().start_active, 0);
  EXPECT_EQ(status_cell(1), "PC-Stop");
}

TEST_F(WindowStop, ALostLineDuringTheStartSequenceStopsIt) {
  open_window(4);
  plan(0, "10:01", "01:00");
  w().But_start.click();
  ASSERT_TRUE(run_until([&] { return w().tc_init_running == 1; }, 120));
  controller().inject(sim::Fault::LineDown);
  ASSERT_TRUE(run_until([&] { return w().start_active == 0; }, 3));
  EXPECT_EQ(w().tc_init_running, 0);
  EXPECT_EQ(w().start_seq_active, 0);
  EXPECT_FALSE(w().TIsend.enabled());
  EXPECT_EQ(status_cell(1), "CON-Break");
  // The link watch has the last word in panel 0 while the controller is gone.
  EXPECT_EQ(w().StatusBar1.panel(0), "Keine Temperatursteuerung angeschlossen");
  EXPECT_FALSE(std::filesystem::exists(file("261209-000.oxr"))) << "no sample yet";
  const std::size_t sent = frames_from_pc().size();
  advance_ms(10000);
  EXPECT_EQ(frames_from_pc().size(), sent) << "the start-sequence frames stop";
}

TEST_F(WindowStop, SixSwitchOffFramesWhenTheControllerNeverConfirms) {
  running_cycle("01:00");
  controller().inject(sim::Fault::Silent);
  dialogs.answer_confirm(false);
  w().But_stop.click();
  advance_ms(10000);
  const auto times = times_of(write_operation_frame(0));
  ASSERT_EQ(times.size(), 6u);
  for (std::size_t i = 1; i < times.size(); ++i) EXPECT_EQ(times[i] - times[i - 1], 1000);
  EXPECT_EQ(dialogs.messages(),
            std::vector<std::string>{
                "Keine Bestätigung nach STOP-Befehl, bitte Status der Pumpe manuell prüfen!"});
  EXPECT_EQ(w().stop_confirm_pending, 0);
  advance_ms(10000);
  EXPECT_EQ(times_of(write_operation_frame(0)).size(), 6u) << "then it does not try again";
}

TEST_F(WindowStop, StopWhileArmedSendsNothingAndDisarms) {
  open_window(4);
  plan(0, "10:30", "01:00");
  plan(0, "12:00", "01:00");
  w().But_start.click();
  ASSERT_EQ(status_cell(2), "wartet");
  w().But_stop.click();
  EXPECT_TRUE(frames_from_pc().empty());
  EXPECT_EQ(status_cell(1), "bitte starten");
  EXPECT_EQ(status_cell(2), "bitte starten");
  EXPECT_EQ(w().start_active, 0);
  EXPECT_TRUE(w().But_start.enabled());
  EXPECT_FALSE(w().Timer3.enabled());
  EXPECT_EQ(row_colour(1), Color::Aqua);
  advance_ms(3600 * 1000);
  EXPECT_TRUE(frames_from_pc().empty()) << "the cycle does not start any more";
}

}  // namespace
}  // namespace oxr::test
