#pragma once
// The main window running cycles against the simulated controller on the manual clock: the
// window shown and connected, cycles planned through the editor as an operator does, and the
// frames the controller received, the rows and the data files to look at.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "Tools_oxr/date_time.h"
#include "Tools_oxr/editor_values.h"
#include "sim/simulated_serial_library.h"
#include "tests/support/form_fixture.h"

namespace oxr::test {

using Bytes = std::vector<std::uint8_t>;

inline constexpr DateTime kRunDay = 46365.0;  // 09.12.2026

// 'A' 'T' 'W' 7 'O' value + checksum: the switch-off (0) and switch-on (2) frames.
inline Bytes write_operation_frame(std::uint8_t value) {
  Bytes f{'A', 'T', 'W', 7, 'O', value};
  unsigned sum = 0;
  for (auto b : f) sum += b;
  f.push_back(static_cast<std::uint8_t>((256 - sum % 256) % 256));
  return f;
}

class RunFixture : public FormFixture {
 protected:
  using FormFixture::FormFixture;

  // Creation and first show of the window, connected to a controller in `mode`; the log of
  // frames starts empty after the start-up exchange.
  TFormzyklus& open_window(std::uint8_t mode = 4) {
    sim.attach(0, sim::ControllerConfig{.mode = mode});
    make_form(&sim);
    w().FormCreate();
    w().form.show();
    advance_ms(2000);
    EXPECT_EQ(w().tc_connected, 1);
    EXPECT_EQ(w().control_mode, mode);
    dialogs.clear_shown();
    sim.controller().clear_log();
    return w();
  }

  TFormzyklus& w() { return *form; }
  sim::PumpController& controller() { return sim.controller(); }

  static void type(Edit& e, const std::string& text) {
    e.set_text(text);
    e.exit();
  }
  // New, date (days from today), start, duration or "endless", comment, take-over.
  void plan(int day, const std::string& start, const std::string& duration,
            const std::string& comment = "") {
    w().But_new.click();
    type(w().MEdatum, format_date(date_of(clock.now()) + day));
    type(w().MEstartz, start);
    if (duration == "endless")
      w().CheckBox_endlos.set_checked(true);
    else
      type(w().MEcycled, duration);
    if (!comment.empty()) w().Edit_comment.set_text(comment);
    w().But_takeover.click();
  }

  // Puts a cycle straight into row k, as a stored schedule would have it.
  void put_row(int k, const std::string& name, DateTime start_date, DateTime start_time,
               DateTime duration) {
    CycleRecord& r = w().schedule.rows[static_cast<std::size_t>(k - 1)];
    r.cycle_name = name;
    r.start_date = start_date;
    r.start_time = start_time;
    r.duration = duration;
    const CycleEnd end = cycle_end(start_date, start_time, duration);
    r.end_date = end.end_date;
    r.end_time = end.end_time;
    r.status_text = w().msg(27);
    r.set_temp1 = 600;
    r.set_temp2 = 600;
    r.hyst1 = 10;
    r.hyst2 = 10;
    w().show_row_cells(k);
    if (w().cycle_count < k) w().cycle_count = static_cast<std::uint16_t>(k);
  }

  const CycleRecord& row(int k) { return w().schedule.rows[static_cast<std::size_t>(k - 1)]; }
  std::string status_cell(int k) { return w().cell(k, 6).text(); }

  // Moves on in one-second steps until `done` holds; false when max_s seconds pass first.
  bool run_until(const std::function<bool()>& done, int max_s) {
    for (int s = 0; s < max_s; ++s) {
      if (done()) return true;
      advance_ms(1000);
    }
    return done();
  }

  // The frames the PC sent since the start-up exchange, with the controller's time of each.
  std::vector<sim::LoggedFrame> frames_from_pc() {
    std::vector<sim::LoggedFrame> out;
    for (const auto& f : controller().log())
      if (f.from_pc) out.push_back(f);
    return out;
  }
  std::vector<std::int64_t> times_of(const Bytes& frame) {
    std::vector<std::int64_t> out;
    for (const auto& f : frames_from_pc())
      if (f.bytes == frame) out.push_back(f.at_ms);
    return out;
  }

  std::string file_bytes(const std::string& name) {
    std::ifstream in(file(name), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  // The file's lines without their CR LF.
  std::vector<std::string> file_lines(const std::string& name) {
    const std::string bytes = file_bytes(name);
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t pos; (pos = bytes.find("\r\n", start)) != std::string::npos; start = pos + 2)
      out.push_back(bytes.substr(start, pos - start));
    EXPECT_EQ(start, bytes.size()) << "every line ends with CR LF";
    return out;
  }

  // The colour of all six cells of row k, or Black when they differ.
  Color row_colour(int k) {
    const Color c = w().cell(k, 1).color();
    for (int col = 2; col <= 6; ++col)
      if (w().cell(k, col).color() != c) return Color::Black;
    return c;
  }

  sim::SimulatedSerialLibrary sim{clock, sim::ControllerConfig{.mode = 4}};
};

}  // namespace oxr::test
