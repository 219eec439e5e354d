#pragma once
// The main window's logic on a manual clock, with scripted boxes, in a fresh folder.
// Tests that need the simulated controller put it in place of `serial` (see sim/).
#include <gtest/gtest.h>

#include <memory>

#include "Tools_oxr/u_zyklus/tformzyklus.h"
#include "platform/scripted_dialogs.h"
#include "tests/support/temp_dir.h"

namespace oxr::test {

// 9 December 2026, 10:00:00.
inline constexpr DateTime kTestNow = 46365.0 + 10.0 / 24.0;

// A serial library with no port behind it: nothing is usable, nothing arrives.
class NullSerialLibrary : public SerialLibrary {
 public:
  void open(int) override {}
  void set_buffer_sizes(int, int, int) override {}
  void ComSetState(int, int, int, int, char, int) override {}
  std::uint8_t usable(int) override { return 0; }
  unsigned receive_count(int) override { return 0; }
  void read_byte(int, std::uint8_t* byte) override { *byte = 0; }
  void write_byte(int, std::uint8_t) override {}
  void discard_input(int) override {}
  std::uint8_t present(int) override { return 0; }
  void toggle_first_half(int) override {}
  void toggle_second_half(int) override {}
};

class RecordingServices : public SystemServices {
 public:
  void open_url(const std::string& url) override { opened_urls.push_back(url); }
  bool print_main_window(const std::string& title) override {
    printed_titles.push_back(title);
    return true;
  }
  std::vector<std::string> opened_urls;
  std::vector<std::string> printed_titles;
};

class FormFixture : public ::testing::Test {
 protected:
  FormFixture() = default;
  // The folder on the disk rather than in memory: the benchmarks time the flushes too.
  explicit FormFixture(TempDir::Place place) : dir(place) {}

  // Builds the window (runs its constructor only; call FormCreate/FormShow as the test needs).
  TFormzyklus& make_form(SerialLibrary* serial_override = nullptr) {
    form = std::make_unique<TFormzyklus>(FormEnv{clock, hub, dialogs,
                                                 serial_override ? *serial_override : serial,
                                                 services, dir.path()});
    return *form;
  }
  // Moves the manual clock, firing due timers on the way.
  void advance_ms(std::int64_t ms) { hub.advance(clock, ms); }
  std::filesystem::path file(const std::string& name) const { return dir.path() / name; }

  TempDir dir;
  ManualClock clock{kTestNow};
  TimerHub hub{clock};
  ScriptedDialogs dialogs;
  NullSerialLibrary serial;
  RecordingServices services;
  std::unique_ptr<TFormzyklus> form;
};

}  // namespace oxr::test
