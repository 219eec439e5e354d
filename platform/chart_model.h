#pragma once
// The line chart `Chart2`: title, two axes, zoom and panning switches, hint, two line series.
// Observers hear of single appended points apart from whole-model changes, so a live sample
// costs one append on screen, not a redraw.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/controls.h"

namespace oxr {

struct ChartAxis {
  std::string title;
  double minimum = 0.0;
  double maximum = 1.0;
  bool automatic = false;
  double increment = 0.0;  // label step; 0 = the toolkit's own choice
  int minor_tick_count = 0;
};

struct ChartPoint {
  double x = 0.0;
  double y = 0.0;
  std::string label;  // bottom-axis label of the point (a sample time)
};

class ChartSeries {
 public:
  ChartSeries(std::string title, Color color) : title_(std::move(title)), color_(color) {}
  const std::string& title() const { return title_; }
  Color color() const { return color_; }
  const std::vector<ChartPoint>& points() const { return points_; }
  int count() const { return static_cast<int>(points_.size()); }

  void clear();
  void add(double x, double y, const std::string& label);
  void set_y(int index, double y);
  // Puts many points in at once (a loaded file): one notification.
  void assign(std::vector<ChartPoint> points);

  std::function<void()> on_reset;             // cleared, assigned or y values changed
  std::function<void(int index)> on_appended;  // one point added at the end

 private:
  std::string title_;
  Color color_;
  std::vector<ChartPoint> points_;
};

class Chart : public Control {
 public:
  explicit Chart(std::string name);

  const std::string& title() const { return title_; }
  void set_title(const std::string& t);
  const ChartAxis& bottom_axis() const { return bottom_; }
  const ChartAxis& left_axis() const { return left_; }
  void set_bottom_axis(const ChartAxis& a);
  void set_left_axis(const ChartAxis& a);
  bool zoom_allowed() const { return zoom_allowed_; }
  void set_zoom_allowed(bool on);
  bool panning_allowed() const { return panning_allowed_; }
  void set_panning_allowed(bool on);
  bool show_hint() const { return show_hint_; }
  void set_show_hint(bool on);
  // Undoes any zoom or scroll the operator made: the axes show their set ranges again.
  void zoom_all();
  std::uint64_t zoom_all_count() const { return zoom_all_count_; }

  ChartSeries Series1{"Temp. 1", Color::Red};
  ChartSeries Series2{"Temp. 2", Color::Green};

 private:
  std::string title_;
  ChartAxis bottom_;
  ChartAxis left_;
  bool zoom_allowed_ = true;
  bool panning_allowed_ = true;
  bool show_hint_ = true;
  std::uint64_t zoom_all_count_ = 0;
};

}  // namespace oxr
