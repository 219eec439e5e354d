#pragma once
// The main window's editor as the first show leaves it (defaults, the day window at today,
// the unit of the language), on the manual clock of 9 December 2026, 10:00:00.
#include <string>
#include <vector>

#include "Tools_oxr/date_time.h"
#include "Tools_oxr/schedule.h"
#include "tests/support/form_fixture.h"

namespace oxr::test {

inline constexpr DateTime kToday = 46365.0;  // 09.12.2026

class EditorFixture : public FormFixture {
 protected:
  void SetUp() override { start(1); }

  // lang 1 = German (°C), 0 = English (°F).
  void start(int lang) {
    make_form();
    TFormzyklus& f = *form;
    f.lang_index = static_cast<std::uint8_t>(lang);
    if (lang == 0)
      f.apply_main_captions_english();
    else
      f.apply_main_captions_german();
    f.set_editor_defaults();
    reset_day_counters(f.day_counters, kToday);
    if (lang == 0)
      f.RadioBut_F.set_checked(true);
    else
      f.RadioBut_C.set_checked(true);
    dialogs.clear_shown();
  }

  TFormzyklus& w() { return *form; }

  // Types a text into a field and leaves it.
  static void type(Edit& e, const std::string& text) {
    e.set_text(text);
    e.exit();
  }

  // Plans a cycle as an operator does: New, date (days from today), start, duration or
  // "endless", take-over.
  void plan(int day, const std::string& start, const std::string& duration) {
    w().But_new.click();
    type(w().MEdatum, format_date(kToday + day));
    type(w().MEstartz, start);
    if (duration == "endless")
      w().CheckBox_endlos.set_checked(true);
    else
      type(w().MEcycled, duration);
    w().But_takeover.click();
  }

  const CycleRecord& row(int k) { return w().schedule.rows[static_cast<std::size_t>(k - 1)]; }
  std::string start_of(int k) { return format_date(row(k).start_date) + " " +
                                       format_time_hm(row(k).start_time); }
  // "dd.mm.yyyy hh:mm" of the filled rows, top down.
  std::vector<std::string> starts() {
    std::vector<std::string> out;
    for (int k = 1; k <= kRowCount; ++k)
      if (!row(k).cycle_name.empty()) out.push_back(start_of(k));
    return out;
  }
  std::vector<int> selected() {
    std::vector<int> out;
    for (int k = 1; k <= kRowCount; ++k)
      if (w().row_selected[static_cast<std::size_t>(k - 1)] == 1) out.push_back(k);
    return out;
  }
  static std::string day_text(int day) { return format_date(kToday + day); }
};

}  // namespace oxr::test
