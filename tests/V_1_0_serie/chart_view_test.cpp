// The chart view: the model's points, axes, switches, hint and ZoomAll button on screen.
#include "V_1_0_serie/chart_view.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QToolTip>
#include <QValueAxis>
#include <cmath>
#include <string>

#include "Tools_oxr/chart_logic.h"
#include "Tools_oxr/data_file.h"
#include "V_1_0_serie/u_zyklus.h"
#include "tests/V_1_0_serie/qt_support.h"
#include "tests/support/form_fixture.h"

namespace oxr::qt {
namespace {

// Sample i of a run that started at 08:00:00.
std::string time_text(int i) {
  return file_time_text((8 * 3600 + i * 10) / 86400.0);
}

std::vector<ChartPoint> points(int n, double y = 100) {
  std::vector<ChartPoint> out;
  for (int i = 0; i < n; ++i) out.push_back({double(i), y + i % 7, time_text(i)});
  return out;
}

class ChartViewTest : public ::testing::Test {
 protected:
  ChartViewTest() {
    oxr::test::qt_app();
    set_up_chart(model);
    view = std::make_unique<ChartView>(model, zoom_button, 8000);
    view->resize(800, 400);
    view->show();
    QCoreApplication::processEvents();
  }
  void set_time_range(double top) {
    ChartAxis a = model.bottom_axis();
    a.maximum = top;
    model.set_bottom_axis(a);
  }
  void mouse(QEvent::Type type, Qt::MouseButton button, QPointF at, Qt::MouseButtons held) {
    QMouseEvent e(type, at, view->viewport()->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &e);
  }
  void drag(Qt::MouseButton button, QPointF from, QPointF to) {
    mouse(QEvent::MouseButtonPress, button, from, button);
    mouse(QEvent::MouseMove, Qt::NoButton, (from + to) / 2, button);
    mouse(QEvent::MouseMove, Qt::NoButton, to, button);
    mouse(QEvent::MouseButtonRelease, button, to, Qt::NoButton);
  }
  QPointF plot_point(double fx, double fy) const {
    const QRectF p = view->chart()->plotArea();
    return view->mapFromScene(QPointF(p.left() + fx * p.width(), p.top() + fy * p.height()));
  }
  std::pair<double, double> time_range() const {
    return {view->bottom_axis()->min(), view->bottom_axis()->max()};
  }

  Chart model{"Chart2"};
  Button zoom_button{"BitBtn1"};
  std::unique_ptr<ChartView> view;
};

TEST_F(ChartViewTest, LiveSamplesAreAppendedAndAFileGoesInAtOnce) {
  int replaced = 0, added = 0;
  QObject::connect(view->series1(), &QXYSeries::pointsReplaced, [&] { ++replaced; });
  QObject::connect(view->series1(), &QXYSeries::pointAdded, [&] { ++added; });
  model.Series1.add(0, 20, "08:00:00");
  model.Series1.add(1, 21.5, "08:00:10");
  model.Series2.add(0, 19, "0");
  EXPECT_EQ(view->series1()->count(), 2);
  EXPECT_EQ(view->series1()->at(1), QPointF(1, 21.5));
  EXPECT_EQ(view->series2()->count(), 1);
  EXPECT_EQ(added, 2);
  EXPECT_EQ(replaced, 0);  // no redraw from scratch per sample

  model.Series1.assign(points(8640));
  EXPECT_EQ(replaced, 1);
  ASSERT_EQ(view->series1()->count(), 8640);
  EXPECT_EQ(view->series1()->at(8639), QPointF(8639, 100 + 8639 % 7));
  model.Series1.set_y(0, 68);  // a unit conversion
  EXPECT_EQ(view->series1()->at(0).y(), 68);
  model.Series1.clear();
  EXPECT_EQ(view->series1()->count(), 0);
}

TEST_F(ChartViewTest, SeriesLookAsTheModelSays) {
  EXPECT_EQ(view->series1()->name(), QStringLiteral("Temp. 1"));
  EXPECT_EQ(view->series2()->name(), QStringLiteral("Temp. 2"));
  EXPECT_EQ(view->series1()->pen().color(), QColor(Qt::red));
  EXPECT_EQ(view->series2()->pen().color(), QColor(0, 128, 0));
  EXPECT_FALSE(view->series1()->pointsVisible());
  EXPECT_FALSE(view->series1()->pointLabelsVisible());
}

TEST_F(ChartViewTest, TitleAndAxesFollowTheModel) {
  EXPECT_EQ(view->chart()->title(), QStringLiteral("Temperaturverlauf"));
  EXPECT_TRUE(view->chart()->titleFont().bold());
  model.set_title("Temperature diagram");
  EXPECT_EQ(view->chart()->title(), QStringLiteral("Temperature diagram"));

  EXPECT_EQ(view->bottom_axis()->titleText(), QStringLiteral("Zeit"));
  EXPECT_EQ(view->bottom_axis()->minorTickCount(), 4);
  EXPECT_EQ(view->left_axis()->titleText(), QStringLiteral("T[°C]"));
  EXPECT_EQ(view->left_axis()->minorTickCount(), 4);
  EXPECT_EQ(view->left_axis()->max(), 250.0);

  set_time_range(359);
  EXPECT_EQ(time_range(), std::make_pair(0.0, 359.0));
  // Ticks step in whole multiples of the increment.
  const double step = view->bottom_axis()->tickInterval();
  EXPECT_EQ(std::fmod(step, 5.0), 0.0) << step;

  ChartAxis left = model.left_axis();
  left.title = "T[°F]";
  left.maximum = 500;
  model.set_left_axis(left);
  EXPECT_EQ(view->left_axis()->titleText(), QStringLiteral("T[°F]"));
  EXPECT_EQ(view->left_axis()->max(), 500.0);
}

TEST_F(ChartViewTest, TheOperatorsZoomStaysUntilTheModelSetsARangeOrZoomAll) {
  set_time_range(359);
  model.set_zoom_allowed(true);
  drag(Qt::LeftButton, plot_point(0.1, 0.1), plot_point(0.5, 0.9));
  const auto zoomed = time_range();
  ASSERT_GT(zoomed.first, 10.0);
  ASSERT_LT(zoomed.second, 200.0);

  model.set_show_hint(false);  // a change that is no range
  EXPECT_EQ(time_range(), zoomed);
  model.zoom_all();
  EXPECT_EQ(time_range(), std::make_pair(0.0, 359.0));
  EXPECT_EQ(view->left_axis()->max(), 250.0);

  drag(Qt::LeftButton, plot_point(0.1, 0.1), plot_point(0.5, 0.9));
  set_time_range(719);
  EXPECT_EQ(time_range(), std::make_pair(0.0, 719.0));
}

TEST_F(ChartViewTest, ZoomAndScrollOnlyWhileTheModelAllowsThem) {
  struct Case {
    bool zoom, panning;
  };
  for (const Case c :
       {Case{false, false}, Case{true, false}, Case{false, true}, Case{true, true}}) {
    SCOPED_TRACE(::testing::Message() << "zoom " << c.zoom << " panning " << c.panning);
    model.set_zoom_allowed(c.zoom);
    model.set_panning_allowed(c.panning);
    set_time_range(359);
    model.zoom_all();
    EXPECT_EQ(view->rubberBand(),
              c.zoom ? QChartView::RectangleRubberBand : QChartView::NoRubberBand);

    drag(Qt::LeftButton, plot_point(0.1, 0.1), plot_point(0.5, 0.9));
    const auto after_zoom = time_range();
    EXPECT_EQ(after_zoom != std::make_pair(0.0, 359.0), c.zoom);

    // A right click alone never zooms out (Qt's rubber band would).
    mouse(QEvent::MouseButtonPress, Qt::RightButton, plot_point(0.5, 0.5), Qt::RightButton);
    mouse(QEvent::MouseButtonRelease, Qt::RightButton, plot_point(0.5, 0.5), Qt::NoButton);
    EXPECT_EQ(time_range(), after_zoom);

    // Dragging to the left shows later samples; the temperature axis stays.
    drag(Qt::RightButton, plot_point(0.6, 0.5), plot_point(0.3, 0.2));
    const auto after_scroll = time_range();
    if (c.panning) {
      EXPECT_GT(after_scroll.first, after_zoom.first);
      EXPECT_NEAR(after_scroll.second - after_scroll.first, after_zoom.second - after_zoom.first,
                  1e-6);
    } else {
      EXPECT_EQ(after_scroll, after_zoom);
    }
    EXPECT_EQ(view->left_axis()->max() - view->left_axis()->min() == 250.0, !c.zoom);
  }
}

TEST_F(ChartViewTest, TheTimeAxisShowsThePointsTextsWithoutOverlap) {
  set_time_range(359);
  model.Series1.assign(points(100));
  const auto labels = view->time_labels();
  ASSERT_FALSE(labels.empty());
  EXPECT_EQ(labels.front().x, 0.0);
  EXPECT_EQ(labels.front().text, QStringLiteral("08:00:00"));
  for (const TimeLabel& l : labels) {
    EXPECT_LT(l.x, 100.0);  // no point, no label
    EXPECT_EQ(std::fmod(l.x, 5.0), 0.0);
    EXPECT_EQ(l.text.toStdString(), time_text(static_cast<int>(l.x)));
  }
  // A new point at a labelled position gets its label.
  const double step = labels.size() > 1 ? labels[1].x - labels[0].x : 0;
  ASSERT_GT(step, 0.0);
  for (int i = 100; i <= static_cast<int>(std::ceil(100 / step) * step); ++i)
    model.Series1.add(i, 50, time_text(i));
  EXPECT_EQ(view->time_labels().size(), labels.size() + 1);

  // A full day: far fewer labels than samples, and never touching.
  model.Series1.assign(points(8640));
  set_time_range(8639);
  const auto day = view->time_labels();
  ASSERT_GE(day.size(), 3u);
  const double px_per_value = view->chart()->plotArea().width() / 8639;
  const double width = QFontMetricsF(view->bottom_axis()->labelsFont())
                           .horizontalAdvance(QStringLiteral("00:00:00"));
  EXPECT_GT((day[1].x - day[0].x) * px_per_value, width);
}

TEST(LabelStep, IsTheSmallestRoundMultipleThatFits) {
  struct Case {
    double span, plot_px, label_px, increment, step;
  };
  for (const Case& c : {
           Case{1, 600, 50, 5, 5},        // an empty chart
           Case{359, 600, 50, 5, 60},     // 36 values needed: 10 minutes of samples
           Case{719, 600, 50, 5, 90},     // 72 needed
           Case{8639, 600, 50, 5, 1440},  // past 72 × 5 it doubles
           Case{100, 1000, 50, 0, 6},     // no increment counts as 1
           Case{100, 0, 50, 5, 5},        // before the first layout
       }) {
    SCOPED_TRACE(::testing::Message() << c.span << " over " << c.plot_px << " px");
    EXPECT_EQ(label_step(c.span, c.plot_px, c.label_px, c.increment), c.step);
  }
  EXPECT_EQ(round_step(250, 10), 50);  // 25 is no 1-2-5 step
  EXPECT_EQ(round_step(500, 10), 50);
  EXPECT_EQ(round_step(250, 4), 100);
  EXPECT_DOUBLE_EQ(round_step(1, 10), 0.1);
}

TEST_F(ChartViewTest, TheHintShowsAsATooltipWhileHintsAreOn) {
  model.set_hint("Zoom: Press left\n\rScroll: Press right");
  EXPECT_EQ(view->toolTip(), QStringLiteral("Zoom: Press left\nScroll: Press right"));
  const QPoint at(200, 150);
  QHelpEvent help(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
  QApplication::sendEvent(view->viewport(), &help);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), view->toolTip());
  QToolTip::hideText();
  QElapsedTimer waited;  // the tip fades out on a short timer of its own
  waited.start();
  while (QToolTip::isVisible() && waited.elapsed() < 3000) QCoreApplication::processEvents();
  ASSERT_FALSE(QToolTip::isVisible());

  model.set_show_hint(false);
  EXPECT_TRUE(view->toolTip().isEmpty());
  QApplication::sendEvent(view->viewport(), &help);
  EXPECT_FALSE(QToolTip::isVisible());
}

TEST_F(ChartViewTest, ZoomAllIsAButtonOnTheChartThatClicksTheModel) {
  int clicks = 0;
  zoom_button.OnClick = [&] { ++clicks; };
  zoom_button.set_caption("ZoomAll");
  QPushButton* b = view->zoom_all_button();
  EXPECT_EQ(b->parentWidget(), view.get());
  EXPECT_EQ(b->objectName(), QStringLiteral("BitBtn1"));
  EXPECT_EQ(b->text(), QStringLiteral("ZoomAll"));
  EXPECT_TRUE(view->rect().contains(b->geometry()));
  b->click();
  EXPECT_EQ(clicks, 1);
}

class MainWindowChartTest : public oxr::test::FormFixture {};

TEST_F(MainWindowChartTest, TheMainWindowShowsItsChartWithZoomAllOnIt) {
  oxr::test::qt_app();
  TFormzyklus& f = make_form();
  FormzyklusWindow window(f);
  auto* view = window.findChild<ChartView*>(QStringLiteral("Chart2"));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->zoom_all_button()->text(), QStringLiteral("ZoomAll"));
  EXPECT_EQ(window.findChildren<QPushButton*>(QStringLiteral("BitBtn1")).size(), 1);
  f.Chart2.Series1.add(0, 60, "10:00:00");
  EXPECT_EQ(view->series1()->count(), 1);
  // The editor group is hidden and shown through its model (the repaint after printing).
  f.GroupBox_Einstellungen.set_visible(false);
  EXPECT_TRUE(window.settings_group()->isHidden());
  f.GroupBox_Einstellungen.set_visible(true);
  EXPECT_FALSE(window.settings_group()->isHidden());
  EXPECT_NE(window.findChild<QToolButton*>(QStringLiteral("ToolButton7")), nullptr);
}

}  // namespace
}  // namespace oxr::qt
