#pragma once
// The temperature chart `Chart2` drawn with Qt Charts: title, the two zone series, the fixed
// time and temperature axes, the hint and the "ZoomAll" button on the chart.
//
// - A live sample is one append to its line series; a reset of the model series (a loaded
//   file, a unit conversion, a cleared chart) replaces the points at once.
// - The axes take the model's ranges when the model changes them or asks for ZoomAll; between
//   those the operator's zoom and scroll stay.
// - Left mouse drags a zoom rectangle while the model allows zooming; right mouse drags
//   scroll the time axis while it allows panning. Nothing else zooms (no zoom-out on a right
//   click, as Qt's rubber band would do).
// - The time axis is labelled with the points' texts (sample times), thinned to whole
//   multiples of the axis increment so that no two labels touch.
#include <QChartView>
#include <QString>
#include <cstdint>
#include <vector>

#include "platform/chart_model.h"
#include "platform/controls.h"

class QLineSeries;
class QPushButton;
class QValueAxis;

namespace oxr::qt {

struct TimeLabel {
  double x = 0.0;
  QString text;
};

// The step between two labelled positions: the smallest of increment × 1, 2, 3, 6, 12, 18,
// 36, 72, then doubling, that leaves `label_px` plus a gap between labels on `plot_px` pixels
// for a range of `span` values. An increment of 0 counts as 1.
double label_step(double span, double plot_px, double label_px, double increment);

// A round step (1, 2 or 5 × 10^n) that divides `span` into at most `max_intervals` parts.
double round_step(double span, int max_intervals);

class ChartView : public QChartView {
  Q_OBJECT
 public:
  // `hint_pause_ms`: how long the hint stays up once shown (negative: Qt's own time).
  ChartView(Chart& model, Button& zoom_all_button, int hint_pause_ms = -1,
            QWidget* parent = nullptr);
  ~ChartView() override;

  QLineSeries* series1() const { return series1_; }
  QLineSeries* series2() const { return series2_; }
  QValueAxis* bottom_axis() const { return bottom_; }
  QValueAxis* left_axis() const { return left_; }
  QPushButton* zoom_all_button() const { return zoom_all_; }
  bool panning() const { return panning_; }

  // The time-axis labels for the visible range and the present width.
  std::vector<TimeLabel> time_labels() const;

 protected:
  bool viewportEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void drawForeground(QPainter* painter, const QRectF& rect) override;

 private:
  void apply_model();
  void apply_axis(QValueAxis* axis, const ChartAxis& model, ChartAxis& applied, bool force);
  void reset_series(QLineSeries* series, const ChartSeries& model);
  void append_point(QLineSeries* series, const ChartSeries& model, int index);
  // The tick step of `axis` for a range of `span` values at the present plot size.
  double tick_step(const QValueAxis* axis, double span) const;
  void update_ticks();
  void place_zoom_all_button();
  double label_width() const;
  const ChartPoint* labelled_point(double x) const;

  Chart& model_;
  int hint_pause_ms_;
  QLineSeries* series1_ = nullptr;
  QLineSeries* series2_ = nullptr;
  QValueAxis* bottom_ = nullptr;
  QValueAxis* left_ = nullptr;
  QPushButton* zoom_all_ = nullptr;
  // The model ranges last put on the axes, and the ZoomAll request last seen.
  ChartAxis applied_bottom_;
  ChartAxis applied_left_;
  std::uint64_t applied_zoom_all_ = 0;
  bool first_apply_ = true;
  bool panning_ = false;
  QPointF pan_from_;
  double time_step_ = 1.0;
};

}  // namespace oxr::qt
