#include "Tools_oxr/chart_logic.h"

#include <algorithm>
#include <string>
#include <vector>

namespace oxr {

namespace {

// The chart refuses a range whose top is not above its bottom; such ranges (no samples, a
// zero duration) show the empty axis 0 .. 1 instead.
void set_time_range(Chart& chart, int maximum) {
  ChartAxis axis = chart.bottom_axis();
  axis.minimum = 0;
  axis.maximum = std::max(maximum, 1);
  chart.set_bottom_axis(axis);
}

double display_value(double whole_degrees_c, bool unit_celsius) {
  return unit_celsius ? whole_degrees_c : whole_degrees_c * 1.8 + 32;
}

// Live points in °F keep the fraction of the controller's tenths.
double live_value(std::uint16_t raw, bool unit_celsius) {
  return unit_celsius ? static_cast<double>(raw / 10) : raw * 1.8 * 0.1 + 32;
}

}  // namespace

void set_up_chart(Chart& chart) {
  chart.set_title("Temperaturverlauf");
  chart.set_bottom_axis(ChartAxis{"Zeit", 0, 1, false, 5, 4});
  chart.set_left_axis(ChartAxis{"T[°C]", 0, 250, false, 0, 4});
  chart.set_zoom_allowed(false);
  chart.set_panning_allowed(true);
  chart.set_show_hint(true);
}

void empty_chart(Chart& chart) {
  chart.Series1.clear();
  chart.Series2.clear();
  set_time_range(chart, 1);
}

void lock_chart_for_run(Chart& chart) {
  chart.set_zoom_allowed(false);
  chart.set_panning_allowed(false);
  chart.set_show_hint(false);
}

void add_live_sample(Chart& chart, const LiveChartState& state, std::uint16_t index,
                     std::uint16_t raw1, std::uint16_t raw2, DateTime sample_time) {
  if (!SampleBuffer::holds(index)) return;  // no such sample: nothing to draw
  if (index == 0 && state.checksum_ok) {
    set_time_range(chart, state.duration_ticks <= kSamplesPerHour - 2 ? state.duration_ticks
                                                                      : kSamplesPerHour - 1);
    chart.Series1.clear();
    chart.Series2.clear();
  }
  if (index >= kSamplesPerHour)
    set_time_range(chart,
                   std::min(kSamplesPerHour * (index / kSamplesPerHour + 1) - 1, kLastDaySample));

  const std::string time_text = file_time_text(sample_time);
  chart.Series1.add(chart.Series1.count(), live_value(raw1, state.unit_celsius), time_text);
  if (state.control_mode == 3 || state.control_mode == 4)
    chart.Series2.add(chart.Series2.count(), live_value(raw2, state.unit_celsius),
                      state.unit_celsius ? std::to_string(index) : time_text);
}

void fill_from_loaded_samples(Chart& chart, const DataFileHeader& header,
                              const SampleBuffer& samples, int loaded, bool unit_celsius) {
  chart.set_zoom_allowed(true);
  chart.set_panning_allowed(true);
  chart.set_show_hint(true);
  set_time_range(chart, header.value_count - 1);

  const int count = std::clamp(loaded, 0, kSampleCount);
  const bool zone2 = header.operation_mode != 1 && header.operation_mode != 2;
  std::vector<ChartPoint> zone1_points, zone2_points;
  zone1_points.reserve(static_cast<std::size_t>(count));
  if (zone2) zone2_points.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const MeasurementSample& s = samples[static_cast<std::size_t>(i)];
    const std::string label = file_time_text(s.sample_time);
    zone1_points.push_back({static_cast<double>(i), display_value(s.temp1, unit_celsius), label});
    if (zone2)
      zone2_points.push_back({static_cast<double>(i), display_value(s.temp2, unit_celsius), label});
  }
  chart.Series1.assign(std::move(zone1_points));
  chart.Series2.assign(std::move(zone2_points));
}

void zoom_all(Chart& chart, const ZoomAllState& state) {
  ChartAxis left = chart.left_axis();
  left.minimum = 0;
  left.maximum = left_axis_maximum(state.unit_celsius);
  chart.set_left_axis(left);
  if (state.file_opened) set_time_range(chart, state.value_count - 1);
  if (state.start_active) set_time_range(chart, state.duration_ticks - 1);
  chart.zoom_all();
}

}  // namespace oxr
