// Whole runs of the main window against the simulated controller: a planned cycle starts on
// its own at its time, records a sample per 10-second step, ends "terminated" with its data
// file, and the next planned cycle follows; an endless cycle renews itself after 24 hours.
#include <chrono>

#include "tests/sim/window_run_support.h"

namespace oxr::test {
namespace {

class WindowRun : public RunFixture {};

TEST_F(WindowRun, AOneHourCycleRunsToItsEndAndTheNextPlannedOneFollows) {
  open_window(4);
  plan(0, "10:01", "01:00", "erster Lauf");
  plan(0, "11:10", "00:10");
  ASSERT_EQ(w().cycle_count, 2);
  w().But_start.click();

  EXPECT_EQ(status_cell(1), "wartet");
  EXPECT_EQ(status_cell(2), "wartet");
  EXPECT_EQ(row_colour(1), Color::Red);
  EXPECT_EQ(row_colour(2), Color::BtnFace);
  EXPECT_EQ(w().StatusBar1.panel(0), "Abfrage Messzyklus");
  EXPECT_EQ(w().start_active, 1);
  EXPECT_FALSE(w().But_start.enabled());
  EXPECT_TRUE(w().But_stop.enabled());
  EXPECT_FALSE(w().MEdatum.enabled());
  EXPECT_FALSE(w().cell(1, 1).enabled());
  EXPECT_FALSE(w().ffnen1.enabled());
  EXPECT_FALSE(w().Chart2.zoom_allowed());
  EXPECT_FALSE(w().Chart2.show_hint());
  EXPECT_TRUE(frames_from_pc().empty()) << "nothing is sent before the start time";

  ASSERT_TRUE(run_until([&] { return w().TImcresponse.enabled(); }, 120));
  EXPECT_EQ(status_cell(1), "läuft");
  EXPECT_EQ(row_colour(1), Color::Lime);
  EXPECT_EQ(w().StatusBar1.panel(0), "Messzyklus 261209-000 läuft");
  // The start sequence: switch-off, then the values, then switch-on, one frame per answer.
  std::vector<char> letters;
  for (const auto& f : frames_from_pc()) letters.push_back(static_cast<char>(f.bytes[4]));
  EXPECT_EQ(letters, (std::vector<char>{'O', 'P', 'U', 'T', 'D', 'H', 'O'}));
  EXPECT_EQ(frames_from_pc().front().bytes, write_operation_frame(0));
  EXPECT_EQ(frames_from_pc().back().bytes, write_operation_frame(2));
  // Started on the tick after 10:01:00 with a full hour left.
  EXPECT_EQ(to_ms(row(1).duration), kHourMs);
  EXPECT_EQ(controller().settings().duration_steps, w().duration_ticks);
  EXPECT_EQ(w().duration_ticks, 360);
  EXPECT_EQ(controller().settings().set_tenths[0], 600);

  advance_ms(60000);
  EXPECT_EQ(w().StatusBar1.panel(1), "Pumpe: AN");
  EXPECT_EQ(w().StatusBar1.panel(3), "Status: Daten empfangen");
  EXPECT_FALSE(w().Lab_tact1.caption().empty());
  EXPECT_FALSE(w().Lab_tact2.caption().empty());
  EXPECT_GE(w().Chart2.Series1.count(), 6);
  EXPECT_EQ(w().Chart2.Series1.count(), w().Chart2.Series2.count()) << "mode 4 charts zone 2";
  EXPECT_EQ(w().Chart2.bottom_axis().maximum, 359);

  ASSERT_TRUE(run_until([&] { return row(1).status_text == "beendet"; }, 3700));
  EXPECT_EQ(status_cell(1), "beendet");
  EXPECT_EQ(w().StatusBar1.panel(1), "Pumpe: --");
  EXPECT_EQ(w().Lab_tact1.caption(), "");
  EXPECT_TRUE(dialogs.messages().empty()) << "an end after the planned end is silent";
  // Samples 0..359 while running and the controller's end frame 360 with the end word.
  const auto lines = file_lines("261209-000.oxr");
  ASSERT_EQ(lines.size(), 9u + 361u);
  EXPECT_EQ(lines[0], "Startdatum,Startzeit,Zyklusdauer,");
  EXPECT_EQ(lines[1], "09.12.2026,10:01:00,01:00:00,");
  EXPECT_EQ(lines[3], "261209-000,erster_Lauf,");
  EXPECT_EQ(lines[5], "Celsius,Preheating_OFF,");
  EXPECT_EQ(lines[7], "60,60,1,1,4,361,");
  EXPECT_EQ(lines[9].substr(0, 22), "0,09.12.2026,10:01:00,");
  EXPECT_EQ(lines[9].substr(lines[9].size() - 6), "OK,ON,");
  EXPECT_EQ(lines[368].substr(0, 24), "359,09.12.2026,11:00:50,");
  EXPECT_EQ(lines.back().substr(0, 24), "360,09.12.2026,11:01:00,");
  EXPECT_EQ(lines.back().substr(lines.back().size() - 11), "MC-END,OFF,");
  EXPECT_EQ(w().last_sample_index, 0);
  EXPECT_EQ(w().samples[5], blank_sample) << "the buffer is cleared once written";

  // START ran again by itself: the second row waits and then runs.
  EXPECT_EQ(status_cell(2), "wartet");
  EXPECT_EQ(row_colour(2), Color::Red);
  EXPECT_EQ(w().start_active, 1);
  ASSERT_TRUE(run_until([&] { return row(2).status_text == "läuft"; }, 600));
  EXPECT_EQ(w().StatusBar1.panel(0), "Messzyklus 261209-001 läuft");
  ASSERT_TRUE(run_until([&] { return row(2).status_text == "beendet"; }, 700));
  EXPECT_EQ(file_lines("261209-001.oxr").size(), 9u + 61u);
  EXPECT_EQ(w().start_active, 0);
  // No third cycle follows; as a start was issued since the last evaluation, no box says so.
  EXPECT_EQ(w().StatusBar1.panel(0), "Abfrage Messzyklus");
  EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(WindowRun, AnEndlessCycleRunsThroughMidnightAndRenewsItselfAfterADay) {
  open_window(3);
  plan(0, "10:01", "endless");
  ASSERT_EQ(row(1).duration, 1.0);
  const auto began = std::chrono::steady_clock::now();
  w().But_start.click();
  ASSERT_TRUE(run_until([&] { return row(1).cycle_name == "261210-000"; }, 86400 + 120));
  const auto took = std::chrono::steady_clock::now() - began;
  std::cout << "[ timing   ] a simulated day took "
            << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms\n";
  EXPECT_LT(took, std::chrono::seconds(3));

  // The day's file: 8641 steps of 10 s and the end frame; the date moves on at midnight.
  const auto lines = file_lines("261209-000.oxr");
  ASSERT_EQ(lines.size(), 9u + 8642u);
  EXPECT_EQ(lines[1], "09.12.2026,10:01:00,24:00:00,");
  EXPECT_EQ(lines[7], "60,60,1,1,3,8642,");
  EXPECT_EQ(lines[9 + 5033].substr(0, 25), "5033,09.12.2026,23:59:50,");
  EXPECT_EQ(lines[9 + 5034].substr(0, 25), "5034,10.12.2026,00:00:00,");
  EXPECT_EQ(lines[9 + 8640].substr(0, 25), "8640,10.12.2026,10:01:00,");
  EXPECT_EQ(lines.back().substr(lines.back().size() - 11), "MC-END,OFF,");

  // The renewal: the same row, today's next number, a day later at the end rounded to 10 s.
  EXPECT_EQ(w().cell(1, 1).text(), "261210-000");
  EXPECT_EQ(row(1).start_date, kRunDay + 1);
  EXPECT_EQ(row(1).end_date, kRunDay + 2);
  EXPECT_EQ(row(1).start_time, row(1).end_time);
  EXPECT_EQ(to_ms(row(1).start_time) % 10000, 0);
  EXPECT_EQ(w().day_counters[0].count, 1);
  ASSERT_TRUE(run_until([&] { return w().TImcresponse.enabled(); }, 30));
  EXPECT_EQ(status_cell(1), "läuft");
  EXPECT_EQ(w().StatusBar1.panel(0), "Messzyklus 261210-000 läuft");
  EXPECT_EQ(w().start_active, 1);
  EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(WindowRun, AModeOneRunWritesNoZoneTwo) {
  open_window(1);
  plan(0, "10:01", "00:02");
  w().But_start.click();
  ASSERT_TRUE(run_until([&] { return row(1).status_text == "beendet"; }, 400));
  const auto lines = file_lines("261209-000.oxr");
  ASSERT_GE(lines.size(), 9u + 13u);
  EXPECT_EQ(lines[7], "60,0,1,0,1," + std::to_string(lines.size() - 9) + ",");
  for (std::size_t i = 9; i < lines.size(); ++i) {
    SCOPED_TRACE(lines[i]);
    // sample no, date, time, temp1, temp2, ...
    std::size_t field = 0, pos = 0;
    for (; field < 4; ++field) pos = lines[i].find(',', pos) + 1;
    EXPECT_EQ(lines[i].substr(pos, 2), "0,");
  }
  EXPECT_EQ(w().Chart2.Series2.count(), 0);
  EXPECT_EQ(w().Lab_tact2.caption(), "");
}

TEST_F(WindowRun, AFileOpenedBeforeStartNeverLeaksIntoTheRun) {
  open_window(4);
  // A measurement file of 4 samples from an earlier day on display.
  std::filesystem::copy_file(std::filesystem::path(OXR_TEST_DATA) / "measurement_de.oxr",
                             file("251231-012.oxr"));
  dialogs.answer_open(file("251231-012.oxr").string());
  w().But_open.click();
  ASSERT_EQ(w().file_opened, 1);
  ASSERT_EQ(w().samples[3].sample_status, "TC-STOP");
  plan(0, "10:01", "00:01");
  w().But_start.click();
  EXPECT_EQ(w().file_opened, 0);
  ASSERT_TRUE(run_until([&] { return row(1).status_text == "beendet"; }, 200));
  const auto lines = file_lines("261209-000.oxr");
  ASSERT_EQ(lines.size(), 9u + 7u);  // 6 steps and the end frame
  for (std::size_t i = 9; i < lines.size(); ++i) {
    SCOPED_TRACE(lines[i]);
    EXPECT_NE(lines[i].find(",09.12.2026,10:0"), std::string::npos);
  }
}

TEST_F(WindowRun, AFailedDataFileWriteKeepsTheSamplesInAFallbackFile) {
  open_window(4);
  plan(0, "10:01", "00:01");
  // Something that is no file stands where the data file would go.
  std::filesystem::create_directory(file("261209-000.oxr"));
  w().But_start.click();
  ASSERT_TRUE(run_until([&] { return row(1).status_text == "beendet"; }, 200));
  const std::string fallback = (dir.path() / "oxr-unsaved-261209-000.oxr").string();
  EXPECT_EQ(dialogs.messages(),
            std::vector<std::string>{
                "Die Messdaten des Zyklus 261209-000 konnten nicht unter ihrem Namen gespeichert "
                "werden.\nSie wurden in der Datei\n" +
                fallback + "\ngespeichert."});
  const auto lines = file_lines("oxr-unsaved-261209-000.oxr");
  ASSERT_EQ(lines.size(), 9u + 7u);
  EXPECT_EQ(lines.back().substr(lines.back().size() - 11), "MC-END,OFF,");
  EXPECT_EQ(w().last_sample_index, 0) << "on disk, so the buffer is free again";
}

TEST_F(WindowRun, AStartSequenceFrameThatIsNeverAnsweredEndsTheStartInOrder) {
  open_window(4);
  plan(0, "10:01", "01:00");
  w().But_start.click();
  ASSERT_TRUE(run_until([&] { return w().tc_init_running == 1; }, 120));
  // The preheating frame goes out after the switch-off's answer; nothing answers it.
  for (int i = 0; i < 100 && frames_from_pc().size() < 2; ++i) advance_ms(10);
  ASSERT_EQ(frames_from_pc().size(), 2u);
  controller().inject(sim::Fault::Silent);
  ASSERT_TRUE(run_until([&] { return w().tc_init_running == 0; }, 5));

  EXPECT_EQ(row(1).status_text, "T-Break");
  EXPECT_EQ(status_cell(1), "T-Break");
  EXPECT_EQ(w().start_active, 0);
  EXPECT_TRUE(w().But_start.enabled());
  EXPECT_FALSE(w().But_stop.enabled());
  EXPECT_EQ(w().start_seq_active, 0);
  EXPECT_EQ(dialogs.messages(),
            std::vector<std::string>{"Fehler: Keine Antwort von TS auf Anfrage"});
  EXPECT_EQ(w().StatusBar1.panel(0), "Fehler: Keine Antwort von TS auf Anfrage");
  // What went out before the controller fell silent, then the switch-off, never the switch-on.
  const auto sent = frames_from_pc();
  ASSERT_GE(sent.size(), 3u);
  EXPECT_EQ(sent[1].bytes[4], 'P');
  EXPECT_EQ(sent.back().bytes, write_operation_frame(0)) << "the pump is switched off";
  EXPECT_EQ(times_of(write_operation_frame(2)).size(), 0u);
  EXPECT_EQ(times_of(write_operation_frame(0)).size(), 2u);
  EXPECT_FALSE(controller().running());
  advance_ms(30000);
  EXPECT_EQ(frames_from_pc().size(), sent.size()) << "no more of the start sequence";
}

}  // namespace
}  // namespace oxr::test
