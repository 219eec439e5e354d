#include "platform/chart_model.h"

namespace oxr {

void ChartSeries::clear() {
  points_.clear();
  if (on_reset) on_reset();
}

void ChartSeries::add(double x, double y, const std::string& label) {
  points_.push_back(ChartPoint{x, y, label});
  if (on_appended) on_appended(static_cast<int>(points_.size()) - 1);
}

void ChartSeries::set_y(int index, double y) {
  points_.at(static_cast<std::size_t>(index)).y = y;
  if (on_reset) on_reset();
}

void ChartSeries::assign(std::vector<ChartPoint> points) {
  points_ = std::move(points);
  if (on_reset) on_reset();
}

Chart::Chart(std::string name) : Control(std::move(name)) {}

void Chart::set_title(const std::string& t) {
  if (title_ == t) return;
  title_ = t;
  changed();
}

namespace {
bool same_axis(const ChartAxis& a, const ChartAxis& b) {
  return a.title == b.title && a.minimum == b.minimum && a.maximum == b.maximum &&
         a.automatic == b.automatic && a.increment == b.increment &&
         a.minor_tick_count == b.minor_tick_count;
}
}  // namespace

void Chart::set_bottom_axis(const ChartAxis& a) {
  if (same_axis(bottom_, a)) return;
  bottom_ = a;
  changed();
}

void Chart::set_left_axis(const ChartAxis& a) {
  if (same_axis(left_, a)) return;
  left_ = a;
  changed();
}

void Chart::set_zoom_allowed(bool on) {
  if (zoom_allowed_ == on) return;
  zoom_allowed_ = on;
  changed();
}

void Chart::set_panning_allowed(bool on) {
  if (panning_allowed_ == on) return;
  panning_allowed_ = on;
  changed();
}

void Chart::set_show_hint(bool on) {
  if (show_hint_ == on) return;
  show_hint_ = on;
  changed();
}

void Chart::zoom_all() {
  ++zoom_all_count_;
  changed();
}

}  // namespace oxr
