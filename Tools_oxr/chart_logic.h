#pragma once
// What the temperature chart shows: the ranges of its axes and the points of its two series,
// live during a run and for an opened data file. Functions of plain values on the chart model,
// so the window logic only passes its state in.
#include <cstdint>

#include "Tools_oxr/data_file.h"
#include "Tools_oxr/samples.h"
#include "platform/chart_model.h"

namespace oxr {

// One hour of samples (10 s each) and the last sample position of a 24-hour cycle.
inline constexpr int kSamplesPerHour = 360;
inline constexpr int kLastDaySample = 8639;

// Top of the temperature axis in the display unit.
inline constexpr double left_axis_maximum(bool unit_celsius) {
  return unit_celsius ? 250 : 500;
}

// The chart as the window defines it: title, fixed axes with their increment and minor ticks,
// no zoom, horizontal scrolling, the hint shown.
void set_up_chart(Chart& chart);

// Both series empty, time axis 0 .. 1.
void empty_chart(Chart& chart);

// START: the operator can neither zoom nor scroll while a run draws, and the hint goes.
void lock_chart_for_run(Chart& chart);

struct LiveChartState {
  int duration_ticks = 0;    // samples the running cycle is expected to deliver
  bool checksum_ok = true;   // of the frame this sample came in
  bool unit_celsius = true;  // display unit
  int control_mode = 1;      // the controller's operating mode 1..4
};

// One measurement frame: index is its sample number, raw1/raw2 the zone temperatures in
// tenths of a degree Celsius, sample_time the sample's time of day (the point's label).
// Sample 0 of a good frame starts the chart afresh; from the second hour on the time axis
// grows an hour at a time up to a full day. Zone 2 is drawn in modes 3 and 4 only.
void add_live_sample(Chart& chart, const LiveChartState& state, std::uint16_t index,
                     std::uint16_t raw1, std::uint16_t raw2, DateTime sample_time);

// After a data file was read: its first `loaded` samples, all at once. Zoom and scrolling are
// allowed again and the hint shows. Zone 2 is drawn unless the file's mode is 1 or 2.
void fill_from_loaded_samples(Chart& chart, const DataFileHeader& header,
                              const SampleBuffer& samples, int loaded, bool unit_celsius);

struct ZoomAllState {
  bool unit_celsius = true;
  bool file_opened = false;
  std::uint16_t value_count = 0;  // of the opened file
  bool start_active = false;
  int duration_ticks = 0;
};

// "ZoomAll": undoes the operator's zoom and restores the ranges: the temperature axis for the
// unit, the time axis for an opened file or for the armed run (neither: it stays).
void zoom_all(Chart& chart, const ZoomAllState& state);

}  // namespace oxr
