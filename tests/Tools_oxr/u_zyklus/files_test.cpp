// The main window's cycle data files and the poll's side of recording: the example file of a
// mode-2 run written byte for byte through the poll and the stop, opening measurement and
// cycle files into the editor and the chart, saving again, and files that do not read.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "Tools_oxr/date_time.h"
#include "tests/Tools_oxr/scripted_serial.h"
#include "tests/support/form_fixture.h"

namespace oxr::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string read_bytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
std::string fixture(const std::string& name) {
  return read_bytes(std::filesystem::path(OXR_TEST_DATA) / name);
}

// A measurement frame as the controller sends it.
Bytes measurement(std::uint16_t n, std::uint16_t raw1, std::uint16_t raw2,
                  std::uint8_t error_pump = 0, std::uint8_t state = 4) {
  const auto lo = [](unsigned v) { return static_cast<std::uint8_t>(v & 0xFF); };
  const auto hi = [](unsigned v) { return static_cast<std::uint8_t>(v >> 8); };
  return with_checksum({'A', 'T', 'M', 14, 'V', error_pump, state, lo(raw1), hi(raw1), lo(raw2),
                        hi(raw2), lo(n), hi(n)});
}

DateTime at(int h, int m, int s = 0) { return (h * 3600 + m * 60 + s) / 86400.0; }

class FilesTest : public FormFixture {
 protected:
  void SetUp() override {
    make_form(&line);
    w().RadioBut_C.set_checked(true);
    dialogs.clear_shown();
  }
  TFormzyklus& w() { return *form; }

  // Row 1 running as the start leaves it, measuring in `mode`.
  void running_row(DateTime day, DateTime start, DateTime duration, int mode) {
    CycleRecord& r = w().schedule.rows[0];
    r.cycle_name = "020315-007";
    r.start_date = day;
    r.start_time = start;
    r.duration = duration;
    const CycleEnd end = cycle_end(day, start, duration);
    r.end_date = end.end_date;
    r.end_time = end.end_time;
    r.comment = "first try";
    r.preheating = 1;
    r.set_temp1 = 1200;
    r.set_temp2 = 1100;
    r.hyst1 = 50;
    r.hyst2 = 40;
    r.status_text = w().msg(29);
    w().show_row_cells(1);
    w().cycle_count = 1;
    w().row_selected = {1, 0, 0, 0, 0};
    w().control_mode = mode;
    w().current_row = 0;
    w().measuring_active = 1;
    w().start_active = 1;
    w().tc_connected = 1;
    w().run_confirmed();
  }
  void poll(const Bytes& frame) {
    line.arrive(frame);
    w().TImcresponseTimer();
  }
  void copy_fixture(const std::string& name, const std::string& as) {
    std::filesystem::copy_file(std::filesystem::path(OXR_TEST_DATA) / name, file(as));
  }
  void open(const std::string& name) {
    dialogs.answer_open(file(name).string());
    w().But_open.click();
  }

  ScriptedSerial line{clock};
};

TEST_F(FilesTest, TheExampleRunStoppedFromThePcWritesTheExampleFile) {
  w().lang_index = 0;
  const DateTime day = encode_date(2002, 3, 15);
  clock.set_wall(day + at(14, 0, 25));
  running_row(day, at(14, 0), at(0, 30), 2);
  poll(measurement(0, 250, 251));
  poll(measurement(1, 279, 275));
  poll(measurement(2, 305, 299));
  EXPECT_EQ(w().last_sample_index, 2);
  EXPECT_EQ(w().header.value_count, 3);
  dialogs.answer_confirm(false);
  w().But_stopClick();
  EXPECT_EQ(read_bytes(file("020315-007.oxr")), fixture("measurement_en.oxr"));
  EXPECT_EQ(w().StatusBar1.panel(0), "Interruption of measuring cycle by PC-Stop");
  EXPECT_EQ(w().cell(1, 6).text(), "PC-Stop");
  ASSERT_FALSE(line.frames.empty());
  EXPECT_EQ(line.frames.back().bytes, with_checksum({'A', 'T', 'W', 7, 'O', 0}));
  EXPECT_TRUE(w().TIstop.enabled());
}

TEST_F(FilesTest, TheLabelsAndThePumpPanelFollowTheFrame) {
  struct Case {
    bool celsius;
    int mode;
    std::uint8_t error_pump;
    std::string t1, t2, panel1, cell, status;
  };
  const Case cases[] = {
      {true, 4, 0, "123", "56", "Pumpe: AN", "läuft", "OK"},
      {false, 4, 0, "254", "134", "Pumpe: AN", "läuft", "OK"},
      {true, 1, 0, "123", "", "Pumpe: AN", "läuft", "OK"},
      {true, 2, 12, "123", "56", "Pumpe: AUS", "E02", "E02"},
      {true, 3, 7, "123", "56", "Pumpe: AN", "läuft", ""},  // no meaning: the cell stays
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.mode) + " " + std::to_string(c.error_pump));
    SetUp();
    if (!c.celsius) w().RadioBut_F.set_checked(true);
    running_row(46365, at(10, 0), at(1, 0), c.mode);
    poll(measurement(0, 1234, 567, c.error_pump));
    EXPECT_EQ(w().Lab_tact1.caption(), c.t1);
    EXPECT_EQ(w().Lab_tact2.caption(), c.t2);
    EXPECT_EQ(w().StatusBar1.panel(1), c.panel1);
    EXPECT_EQ(w().cell(1, 6).text(), c.cell);
    EXPECT_EQ(w().samples[0].sample_status, c.status);
    EXPECT_EQ(w().samples[0].temp1, 123);
    EXPECT_EQ(w().samples[0].temp2, 56);
    EXPECT_EQ(w().schedule.rows[0].status_text, "läuft");
    EXPECT_TRUE(w().TImcresponse.enabled());
  }
}

TEST_F(FilesTest, AStatusCodeHoldsUntilAHigherOneOrACleanFrameComes) {
  running_row(46365, at(10, 0), at(1, 0), 4);
  const std::pair<std::uint8_t, std::string> steps[] = {
      {0, "Daten empfangen"}, {12, "E02"}, {4, "E02"}, {0, "Daten empfangen"}};
  std::uint16_t n = 0;
  for (const auto& [error, shown] : steps) {
    SCOPED_TRACE(int(error));
    poll(measurement(n++, 500, 500, error));
    w().Timer1Timer();
    EXPECT_EQ(w().StatusBar1.panel(3), "Status: " + shown);
  }
}

TEST_F(FilesTest, SamplesAreDatedAcrossMidnightAndAMissingOneStaysBlank) {
  running_row(46365, at(23, 59, 30), at(1, 0), 4);
  for (std::uint16_t n : {0, 1, 2, 3, 4, 6, 7}) poll(measurement(n, 500, 500));
  const auto& s = w().samples;
  EXPECT_EQ(format_time(s[4].sample_time), "00:00:10");
  EXPECT_EQ(s[2].sample_date, 46365);
  EXPECT_EQ(s[3].sample_date, 46366) << "00:00:00 is past midnight";
  EXPECT_EQ(s[4].sample_date, 46366);
  EXPECT_EQ(s[5], blank_sample);
  EXPECT_EQ(s[6].sample_date, 46365) << "after a gap the first sample's date";
  EXPECT_EQ(s[7].sample_date, 46365);
}

TEST_F(FilesTest, ASampleNumberPastTheBufferStoresNothingButCountsAsAnAnswer) {
  running_row(46365, at(10, 0), at(1, 0), 4);
  poll(measurement(0, 500, 500));
  for (int i = 0; i < 3; ++i) poll({});  // three empty polls
  EXPECT_EQ(w().no_data_count, 3);
  const MeasurementSample before = w().samples[0];
  poll(measurement(9000, 900, 900));
  EXPECT_EQ(w().no_data_count, 0);
  EXPECT_EQ(w().header.value_count, 2);
  EXPECT_EQ(w().last_sample_index, 0);
  EXPECT_EQ(w().samples[0], before);
  EXPECT_EQ(w().Lab_tact1.caption(), "50");
  EXPECT_EQ(w().Chart2.Series1.count(), 1);
  EXPECT_TRUE(w().TImcresponse.enabled());
}

TEST_F(FilesTest, AGermanMeasurementFileOpensWithTheEnglishInterfaceAndSavesBack) {
  w().lang_index = 0;
  copy_fixture("measurement_de.oxr", "251231-012.oxr");
  open("251231-012.oxr");
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_EQ(w().file_opened, 1);
  EXPECT_EQ(w().Lab_cycle.caption(), "251231-012.oxr");
  EXPECT_EQ(w().MEdatum.text(), "31.12.2025");
  EXPECT_EQ(w().MEstartz.text(), "23:59");
  EXPECT_EQ(w().MEcycled.text(), "01:00");
  EXPECT_EQ(w().Edit_comment.text(), "Prüfung über Nacht");
  EXPECT_TRUE(w().RadioBut_F.checked());
  EXPECT_EQ(w().MEtarget1.text(), "302");  // 150 °C
  EXPECT_TRUE(w().RadioBut_prea_off.checked());
  // Only the comment can be changed.
  EXPECT_FALSE(w().MEdatum.enabled());
  EXPECT_FALSE(w().MEtarget1.enabled());
  EXPECT_FALSE(w().But_takeover.enabled());
  EXPECT_FALSE(w().SpeButdateup.enabled());
  EXPECT_TRUE(w().Edit_comment.enabled());
  // Mode 3: both zones drawn, in °F, zoom and scrolling allowed again.
  EXPECT_EQ(w().Chart2.Series1.count(), 4);
  EXPECT_EQ(w().Chart2.Series2.count(), 4);
  EXPECT_DOUBLE_EQ(w().Chart2.Series1.points()[0].y, 140.0) << "60 °C, converted once";
  EXPECT_EQ(w().Chart2.bottom_axis().maximum, 3);
  EXPECT_TRUE(w().Chart2.zoom_allowed());
  EXPECT_TRUE(w().Chart2.show_hint());

  w().But_save.click();
  EXPECT_EQ(dialogs.messages(), std::vector<std::string>{"Measuring cycle saved"});
  const std::string saved = read_bytes(file("251231-012.oxr"));
  const std::string original = fixture("measurement_de.oxr");
  // English titles now; the values, statuses and pump texts as they were.
  EXPECT_EQ(saved.substr(0, 37), "Start date,Start time,Cycle duration,");
  const auto samples_part = [](const std::string& bytes) {
    return bytes.substr(bytes.find("\r\n0,"));
  };
  EXPECT_EQ(samples_part(saved), samples_part(original));
  EXPECT_NE(saved.find("\r\n251231-012,Pr\xFC" "fung_\xFC" "ber_Nacht,\r\n"), std::string::npos);
}

TEST_F(FilesTest, AnEndlessCycleFileFillsTheEditorForPlanning) {
  copy_fixture("cycle_endless_de.oxr", "vorlage.oxr");
  w().disable_editor();
  open("vorlage.oxr");
  EXPECT_EQ(w().file_opened, 0);
  EXPECT_TRUE(w().CheckBox_endlos.checked());
  EXPECT_EQ(w().MEcycled.text(), "24:00");
  EXPECT_EQ(w().editor.edit_duration, 1.0);
  EXPECT_EQ(w().MEstartz.text(), "09:15");
  EXPECT_EQ(w().MEtarget1.text(), "200");
  EXPECT_TRUE(w().RadioBut_prea_on.checked());
  EXPECT_TRUE(w().RadioBut_C.checked());
  EXPECT_TRUE(w().MEdatum.enabled());
  EXPECT_TRUE(w().But_takeover.enabled());
  EXPECT_FALSE(w().MEcycled.enabled()) << "endless: no duration to enter";
  EXPECT_EQ(w().Chart2.Series1.count(), 0);
}

TEST_F(FilesTest, FilesThatCannotBeReadLeaveTheEditorAsItWas) {
  copy_fixture("measurement_de.oxr", "251231-012.oxr");
  const std::string good = read_bytes(file("251231-012.oxr"));
  {
    std::ofstream out(file("kurz.oxr"), std::ios::binary);
    out << good.substr(0, good.size() - 30);
  }
  const std::string date_before = w().MEdatum.text();
  const std::string name_before = w().Lab_cycle.caption();
  open("kurz.oxr");
  ASSERT_EQ(dialogs.messages().size(), 1u);
  EXPECT_EQ(dialogs.messages()[0].rfind("Die Datei kann nicht gelesen werden: sie endet zu früh", 0),
            0u);
  open("fehlt.oxr");
  EXPECT_EQ(dialogs.messages().back(), "Datei nicht vorhanden");
  EXPECT_EQ(w().MEdatum.text(), date_before);
  EXPECT_EQ(w().file_opened, 0);
  EXPECT_EQ(w().open_failed, 0);
  EXPECT_EQ(w().Lab_cycle.caption(), "fehlt.oxr") << "the chosen name, as the missing file has it";
  (void)name_before;
}

TEST_F(FilesTest, SavingACycleFileAsksBeforeReplacingOne) {
  w().lang_index = 0;
  w().control_mode = 3;
  w().set_editor_defaults();
  w().RadioBut_C.set_checked(true);  // as the first show's unit switch leaves it
  w().Edit_comment.set_text("a b");
  dialogs.answer_save(file("vorlage").string());
  w().But_save.click();
  const std::string bytes = read_bytes(file("vorlage.oxr"));
  EXPECT_NE(bytes.find("\r\nCelcius,Preheating_OFF,\r\n"), std::string::npos);
  EXPECT_NE(bytes.find(",a_b,\r\n"), std::string::npos);
  EXPECT_EQ(bytes.substr(bytes.size() - 16), "60,60,1,1,3,0,\r\n");
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].file.filter, "Measuring data (*.oxr)|*.oxr");
  EXPECT_EQ(dialogs.shown()[0].file.default_ext, "oxr");

  // Saved again under the same name: No brings the dialog back, which is then cancelled.
  dialogs.clear_shown();
  dialogs.answer_save(file("vorlage.oxr").string());
  dialogs.answer_confirm(false);
  dialogs.answer_save(std::nullopt);
  w().But_save.click();
  ASSERT_EQ(dialogs.shown().size(), 3u);
  EXPECT_EQ(dialogs.shown()[1].confirm.text, "File already exists.\nOverwrite?");
  EXPECT_EQ(dialogs.pending(), 0u);
}

TEST_F(FilesTest, PickingARowOrNewLeavesTheOpenedFile) {
  copy_fixture("measurement_de.oxr", "251231-012.oxr");
  for (int leave = 0; leave < 2; ++leave) {
    SCOPED_TRACE(leave);
    open("251231-012.oxr");
    ASSERT_EQ(w().file_opened, 1);
    if (leave == 0) {
      w().But_new.click();
    } else {
      w().schedule.rows[0].cycle_name = "261209-000";
      w().schedule.rows[0].status_text = "bitte starten";
      w().show_row_cells(1);
      w().cell(1, 1).enter();
    }
    EXPECT_EQ(w().file_opened, 0);
    EXPECT_TRUE(w().MEtarget1.enabled());
  }
}

}  // namespace
}  // namespace oxr::test
