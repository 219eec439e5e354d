// The measurement poll of a running cycle: every 6 seconds one measurement frame is read,
// stored as a sample, shown and charted, and the controller's state decides whether the run
// goes on. After an endless cycle the next one is prepared in the same row.
#include <cmath>

#include "Tools_oxr/date_time.h"
#include "Tools_oxr/frames.h"
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

namespace {

constexpr std::int64_t kSampleStepMs = 10'000;
constexpr int kEmptyPollsTolerated = 5;

// The status code, row cell and sample status of an error byte; nothing for 6..9, 16..255.
struct ErrorByteMeaning {
  int code;
  const char* word;  // nullptr: "running" in the current language and "OK" in the sample
};
bool error_byte_meaning(std::uint8_t byte, ErrorByteMeaning& out) {
  static constexpr ErrorByteMeaning kMeanings[6] = {{0, nullptr}, {19, "E01"}, {18, "E02"},
                                                    {17, "E03"},  {16, "E04"}, {15, "E05"}};
  const int base = byte >= 10 ? byte - 10 : byte;
  if (base < 0 || base > 5) return false;
  out = kMeanings[base];
  return true;
}

// Whole degrees in the display unit: °F keeps the tenths until the last step.
std::string label_text(std::uint16_t raw, bool celsius) {
  if (celsius) return std::to_string(raw / 10);
  return std::to_string(static_cast<long>(std::trunc(raw * 1.8 * 0.1 + 32)));
}

// The start time of the run as the start left it after recomputing the duration.
DateTime run_start_time(const CycleRecord& r) {
  return r.duration < r.end_time ? r.end_time - r.duration : 1.0 - (r.duration - r.end_time);
}

}  // namespace

void TFormzyklus::run_confirmed() {
  header.value_count = 0;
  // Dates for the samples even when sample 0 is lost; sample 0 sets the same values.
  if (current_row >= 0 && current_row < kRowCount) {
    const CycleRecord& r = schedule.rows[static_cast<std::size_t>(current_row)];
    first_sample_date = r.start_date;
    first_sample_time = run_start_time(r);
  }
  fill_header_from_run(0);
  header.start_time = first_sample_time;  // as the stop writes it, late starts included
  journal_begin(header);
}

void TFormzyklus::offer_status_code(int code) {
  if (tc_status_code == 0 || tc_status_code < code || code == 0)
    tc_status_code = static_cast<std::uint16_t>(code);
}

void TFormzyklus::TImcresponseTimer() {
  TImcresponse.set_enabled(false);
  if (receive_frame(com_port) != kFrameRead) {
    if (no_data_count < kEmptyPollsTolerated) {
      TImcresponse.set_enabled(true);
      ++no_data_count;
      return;
    }
    end_reason = 9;
    StatusBar1.set_panel(0, "no connection, no data");
    But_stopClick();
    no_data_count = 0;
    return;
  }
  no_data_count = 0;
  ++header.value_count;

  const MeasurementFields m = read_measurement(rx_frame);
  const bool checksum_good = frame_checksum_ok();
  StatusBar1.set_panel(0, checksum_good ? running_text : msg(11));

  // A sample number past the buffer is noise: its values are not used, the frame still
  // counts as an answer and its state is heard.
  if (SampleBuffer::holds(m.sample_no)) {
    const std::uint16_t n = m.sample_no;
    MeasurementSample& s = samples[n];
    s.temp1 = static_cast<std::int16_t>(m.raw_temp1 / 10);
    s.temp2 = static_cast<std::int16_t>(m.raw_temp2 / 10);
    s.sample_no = n;
    if (n == 0 && current_row >= 0 && current_row < kRowCount) {
      const CycleRecord& r = schedule.rows[static_cast<std::size_t>(current_row)];
      first_sample_date = r.start_date;
      first_sample_time = run_start_time(r);
    }
    // On the millisecond grid, so samples across midnight compare exactly.
    s.sample_time = from_ms((to_ms(first_sample_time) + n * kSampleStepMs) % kDayMs);
    last_sample_index = n;
    if (n == 0) {
      s.sample_date = first_sample_date;
    } else {
      const MeasurementSample& before = samples[n - 1u];
      if (before.sample_time > s.sample_time)  // midnight has passed
        s.sample_date = first_sample_date + 1;
      else if (before.sample_date > s.sample_date)
        s.sample_date = before.sample_date;
      else
        s.sample_date = first_sample_date;
    }

    add_live_sample(n, m.raw_temp1, m.raw_temp2);

    Lab_tact1.set_caption(label_text(m.raw_temp1, unit_celsius == 1));
    if (control_mode >= 2 && control_mode <= 4)
      Lab_tact2.set_caption(label_text(m.raw_temp2, unit_celsius == 1));

    if (m.error_pump < 10) {
      s.pump_text = kPumpOnText;
      StatusBar1.set_panel(1, msg(33));
    } else {
      s.pump_text = kPumpOffText;
      StatusBar1.set_panel(1, msg(34));
    }

    ErrorByteMeaning meaning{};
    if (error_byte_meaning(m.error_pump, meaning)) {
      offer_status_code(meaning.code);
      for (int k = 1; k <= kRowCount; ++k)
        if (row_selected[static_cast<std::size_t>(k - 1)] == 1)
          cell(k, 6).set_text(meaning.word ? std::string(meaning.word) : msg(29));
      s.sample_status = meaning.word ? meaning.word : "OK";
    }
    journal_append(s);
  }

  offer_status_code(m.state);
  switch (m.state) {
    case 4:
      TImcresponse.set_enabled(true);
      return;
    case 5: {
      end_reason = 5;
      tc_end_state = 5;
      But_stopClick();
      Lab_tact1.set_caption("");
      Lab_tact2.set_caption("");
      if (current_row >= 0 && current_row < kRowCount &&
          is_endless(schedule.rows[static_cast<std::size_t>(current_row)].duration))
        prepare_follow_up();
      // The next planned cycle follows by itself.
      But_startClick();
      return;
    }
    case 6:
      end_reason = 6;
      break;
    case 8:
      end_reason = 7;
      break;
    default:
      end_reason = 0;
      show_message(89);
      break;
  }
  But_stopClick();
  Lab_tact1.set_caption("");
  Lab_tact2.set_caption("");
}

void TFormzyklus::prepare_follow_up() {
  config_realign_days();
  const DateTime now = env.clock.now();
  const DateTime today = date_of(now);
  const DateTime q = from_ms(to_ms(time_of(now)) / kSampleStepMs * kSampleStepMs);
  for (int k = 1; k <= kRowCount; ++k) {
    if (row_selected[static_cast<std::size_t>(k - 1)] != 1) continue;
    CycleRecord& r = schedule.rows[static_cast<std::size_t>(k - 1)];
    follow_up_prepared = 1;
    editor.current_number = day_counters[0].count;
    ++day_counters[0].count;
    MEdatum.set_text(format_date(today));
    editor.edit_cycle_name = cycle_name(today, editor.current_number);
    r.cycle_name = editor.edit_cycle_name;
    r.start_date += 1;
    r.end_date += 1;
    r.start_time = q;
    r.end_time = q;
    r.status_text = msg(27);
    show_row_cells(k);
    for (int below = k + 1; below <= kRowCount; ++below) clear_row(below);
    if (cycle_count > k) cycle_count = static_cast<std::uint16_t>(k);
    break;
  }
  config_write();
}

}  // namespace oxr
