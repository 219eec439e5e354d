#include "V_1_0_serie/chart_view.h"

#include <QChart>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QLegend>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "V_1_0_serie/qt/bind.h"

namespace oxr::qt {

namespace {

constexpr double kLabelGapPx = 10.0;
constexpr int kButtonMarginPx = 10;
// Room between the plot's bottom edge and the top of a time label: Qt's tick mark and padding.
constexpr double kLabelOffsetPx = 7.0;

QColor series_colour(const ChartSeries& s) {
  return to_qcolor(s.color()).value_or(Qt::black);
}

}  // namespace

double label_step(double span, double plot_px, double label_px, double increment) {
  const double base = increment > 0.0 ? increment : 1.0;
  if (span <= 0.0 || plot_px <= 0.0) return base;
  const double px_per_value = plot_px / span;
  const double needed = label_px + kLabelGapPx;
  // Multiples that give round times for 10-second samples and an increment of 5.
  static constexpr double kMultiples[] = {1, 2, 3, 6, 12, 18, 36, 72};
  for (double m : kMultiples)
    if (base * m * px_per_value >= needed) return base * m;
  double step = base * kMultiples[std::size(kMultiples) - 1];
  while (step * px_per_value < needed && step < span) step *= 2;
  return step;
}

double round_step(double span, int max_intervals) {
  if (span <= 0.0 || max_intervals < 1) return 1.0;
  const double raw = span / max_intervals;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (m * magnitude >= raw * (1 - 1e-9)) return m * magnitude;
  return 10.0 * magnitude;
}

ChartView::ChartView(Chart& model, Button& zoom_all_button, int hint_pause_ms, QWidget* parent)
    : QChartView(parent), model_(model), hint_pause_ms_(hint_pause_ms) {
  setObjectName(to_qt(model.name()));
  setRenderHint(QPainter::Antialiasing);
  QChart* c = chart();
  QFont title_font = c->titleFont();
  title_font.setBold(true);
  c->setTitleFont(title_font);
  c->legend()->setAlignment(Qt::AlignTop);

  bottom_ = new QValueAxis(c);
  left_ = new QValueAxis(c);
  // Qt's numbers on the time axis keep their room; the sample times are drawn there instead.
  bottom_->setLabelsColor(Qt::transparent);
  bottom_->setTickType(QValueAxis::TicksDynamic);
  left_->setTickType(QValueAxis::TicksDynamic);
  left_->setLabelFormat(QStringLiteral("%g"));
  for (QValueAxis* axis : {bottom_, left_}) axis->setMinorGridLineVisible(false);
  c->addAxis(bottom_, Qt::AlignBottom);
  c->addAxis(left_, Qt::AlignLeft);

  const auto make_series = [&](const ChartSeries& m) {
    auto* s = new QLineSeries(c);
    s->setName(to_qt(m.title()));
    s->setPointsVisible(false);
    s->setPointLabelsVisible(false);
    s->setPen(QPen(series_colour(m), 1.0));
    c->addSeries(s);
    s->attachAxis(bottom_);
    s->attachAxis(left_);
    return s;
  };
  series1_ = make_series(model_.Series1);
  series2_ = make_series(model_.Series2);

  zoom_all_ = new QPushButton(this);
  bind(zoom_all_, zoom_all_button);

  model_.Series1.on_reset = [this] { reset_series(series1_, model_.Series1); };
  model_.Series2.on_reset = [this] { reset_series(series2_, model_.Series2); };
  model_.Series1.on_appended = [this](int i) { append_point(series1_, model_.Series1, i); };
  model_.Series2.on_appended = [this](int i) { append_point(series2_, model_.Series2, i); };
  reset_series(series1_, model_.Series1);
  reset_series(series2_, model_.Series2);

  connect(c, &QChart::plotAreaChanged, this, [this] { update_ticks(); });
  connect(bottom_, &QValueAxis::rangeChanged, this, [this] { update_ticks(); });
  connect(left_, &QValueAxis::rangeChanged, this, [this] { update_ticks(); });

  auto* binding = new Binding(this, model_, [this] { apply_model(); });
  binding->apply();
  place_zoom_all_button();
}

ChartView::~ChartView() {
  for (ChartSeries* s : {&model_.Series1, &model_.Series2}) {
    s->on_reset = nullptr;
    s->on_appended = nullptr;
  }
}

void ChartView::apply_model() {
  setEnabled(model_.enabled());
  if (isHidden() == model_.visible()) setHidden(!model_.visible());
  chart()->setTitle(to_qt(model_.title()));

  const bool zoom_all = model_.zoom_all_count() != applied_zoom_all_;
  applied_zoom_all_ = model_.zoom_all_count();
  const bool force = first_apply_ || zoom_all;
  first_apply_ = false;
  apply_axis(bottom_, model_.bottom_axis(), applied_bottom_, force);
  apply_axis(left_, model_.left_axis(), applied_left_, force);

  // The hint explains zooming and scrolling; it shows only while hints are on.
  setToolTip(model_.show_hint() ? display_text(model_.hint()) : QString());
  setAccessibleName(to_qt(model_.accessible_name()));
  setRubberBand(model_.zoom_allowed() ? QChartView::RectangleRubberBand : QChartView::NoRubberBand);
  if (!model_.panning_allowed()) panning_ = false;
  update_ticks();
  viewport()->update();
}

void ChartView::apply_axis(QValueAxis* axis, const ChartAxis& m, ChartAxis& applied, bool force) {
  axis->setTitleText(to_qt(m.title));
  axis->setMinorTickCount(m.minor_tick_count);
  // The operator's zoom or scroll stays until the model sets another range or asks for ZoomAll.
  if (force || m.minimum != applied.minimum || m.maximum != applied.maximum) {
    const double top = m.maximum > m.minimum ? m.maximum : m.minimum + 1.0;
    // The step for the new range goes first: Qt lays the ticks out as soon as the range
    // changes, and a day of samples at a step of 5 is thousands of tick items.
    const double step = tick_step(axis, top - m.minimum);
    if (step > axis->tickInterval()) axis->setTickInterval(step);
    axis->setRange(m.minimum, top);
  }
  applied = m;
}

void ChartView::reset_series(QLineSeries* series, const ChartSeries& m) {
  QList<QPointF> points;
  points.reserve(static_cast<qsizetype>(m.points().size()));
  for (const ChartPoint& p : m.points()) points.append(QPointF(p.x, p.y));
  series->replace(points);
  viewport()->update();
}

void ChartView::append_point(QLineSeries* series, const ChartSeries& m, int index) {
  const ChartPoint& p = m.points()[static_cast<std::size_t>(index)];
  series->append(p.x, p.y);
  // A new point at a labelled position brings its time label with it.
  const double anchor = model_.bottom_axis().minimum;
  const double k = (p.x - anchor) / time_step_;
  if (std::abs(k - std::round(k)) < 1e-9 && p.x >= bottom_->min() && p.x <= bottom_->max())
    viewport()->update();
}

double ChartView::label_width() const {
  return QFontMetricsF(bottom_->labelsFont()).horizontalAdvance(QStringLiteral("00:00:00"));
}

double ChartView::tick_step(const QValueAxis* axis, double span) const {
  const QRectF plot = chart()->plotArea();
  if (axis == bottom_)
    return label_step(span, plot.width(), label_width(), model_.bottom_axis().increment);
  const double line = QFontMetricsF(left_->labelsFont()).height();
  if (model_.left_axis().increment > 0.0)
    return label_step(span, plot.height(), line, model_.left_axis().increment);
  return round_step(span, std::clamp(static_cast<int>(plot.height() / (2 * line)), 2, 10));
}

void ChartView::update_ticks() {
  const double step = tick_step(bottom_, bottom_->max() - bottom_->min());
  if (step != time_step_ || bottom_->tickInterval() != step) {
    time_step_ = step;
    bottom_->setTickAnchor(model_.bottom_axis().minimum);
    bottom_->setTickInterval(step);
    viewport()->update();
  }
  const double left_step = tick_step(left_, left_->max() - left_->min());
  if (left_->tickInterval() != left_step) {
    left_->setTickAnchor(model_.left_axis().minimum);
    left_->setTickInterval(left_step);
  }
}

const ChartPoint* ChartView::labelled_point(double x) const {
  const ChartSeries& s = model_.Series1.count() > 0 ? model_.Series1 : model_.Series2;
  const std::vector<ChartPoint>& points = s.points();
  // x is the point's position as long as no point is missing; else search (x ascends).
  const long i = std::lround(x);
  if (i >= 0 && i < static_cast<long>(points.size()) && points[static_cast<std::size_t>(i)].x == x)
    return &points[static_cast<std::size_t>(i)];
  const auto it = std::lower_bound(points.begin(), points.end(), x,
                                   [](const ChartPoint& p, double v) { return p.x < v; });
  return it != points.end() && it->x == x ? &*it : nullptr;
}

std::vector<TimeLabel> ChartView::time_labels() const {
  std::vector<TimeLabel> out;
  const double anchor = model_.bottom_axis().minimum;
  const double lo = bottom_->min();
  const double hi = bottom_->max();
  if (time_step_ <= 0.0 || hi <= lo) return out;
  for (double k = std::ceil((lo - anchor) / time_step_ - 1e-9);; ++k) {
    const double x = anchor + k * time_step_;
    if (x > hi + 1e-9) break;
    if (const ChartPoint* p = labelled_point(x); p && !p->label.empty())
      out.push_back(TimeLabel{x, to_qt(p->label)});
  }
  return out;
}

void ChartView::drawForeground(QPainter* painter, const QRectF& rect) {
  QChartView::drawForeground(painter, rect);
  const QRectF plot = chart()->plotArea();
  const double span = bottom_->max() - bottom_->min();
  if (span <= 0.0 || plot.width() <= 0.0) return;
  painter->save();
  painter->setFont(bottom_->labelsFont());
  painter->setPen(left_->labelsColor());
  const QFontMetricsF metrics(bottom_->labelsFont());
  for (const TimeLabel& label : time_labels()) {
    const double px = plot.left() + (label.x - bottom_->min()) / span * plot.width();
    const double w = metrics.horizontalAdvance(label.text);
    painter->drawText(QPointF(px - w / 2, plot.bottom() + kLabelOffsetPx + metrics.ascent()),
                      label.text);
  }
  painter->restore();
}

bool ChartView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    // The hint stays up for the time the window's hint handler asks for the chart.
    auto* help = static_cast<QHelpEvent*>(event);
    if (toolTip().isEmpty()) {
      QToolTip::hideText();
      event->ignore();
    } else {
      QToolTip::showText(help->globalPos(), toolTip(), viewport(), QRect(), hint_pause_ms_);
    }
    return true;
  }
  return QChartView::viewportEvent(event);
}

void ChartView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    if (model_.panning_allowed()) {
      panning_ = true;
      pan_from_ = event->position();
    }
    event->accept();
    return;
  }
  QChartView::mousePressEvent(event);
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
  if (panning_) {
    const double dx = event->position().x() - pan_from_.x();
    pan_from_ = event->position();
    // The curve follows the pointer: dragging right shows earlier samples.
    if (dx != 0.0) chart()->scroll(-dx, 0);
    event->accept();
    return;
  }
  QChartView::mouseMoveEvent(event);
}

void ChartView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    panning_ = false;
    event->accept();
    return;
  }
  QChartView::mouseReleaseEvent(event);
}

void ChartView::resizeEvent(QResizeEvent* event) {
  QChartView::resizeEvent(event);
  place_zoom_all_button();
}

void ChartView::place_zoom_all_button() {
  zoom_all_->resize(zoom_all_->sizeHint());
  zoom_all_->move(width() - zoom_all_->width() - kButtonMarginPx, kButtonMarginPx);
  zoom_all_->raise();
}

}  // namespace oxr::qt
