#include "Tools_oxr/chart_logic.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "tests/support/temp_dir.h"

namespace oxr {
namespace {

constexpr double kStep = 10.0 / 86400.0;
const DateTime kNoon = 0.5;

LiveChartState run_state(int duration_ticks, int mode = 3, bool celsius = true) {
  return {duration_ticks, true, celsius, mode};
}

TEST(ChartLive, TimeAxisGrowsInHourSteps) {
  struct Case {
    int duration_ticks;
    int index;
    double axis_max;
  };
  const Case cases[] = {
      {100, 0, 100},      {100, 99, 100},  // a short cycle: its length, never grown
      {358, 0, 358},      {359, 0, 359},      {1080, 0, 359},    {1080, 359, 359},
      {1080, 360, 719},   {1080, 719, 719},   {1080, 720, 1079}, {8640, 8279, 8279},
      {8640, 8280, 8639}, {8640, 8643, 8639},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.duration_ticks << " ticks, sample " << c.index);
    Chart chart("Chart2");
    const auto state = run_state(c.duration_ticks);
    add_live_sample(chart, state, 0, 250, 250, kNoon);
    add_live_sample(chart, state, static_cast<std::uint16_t>(c.index), 250, 250, kNoon);
    EXPECT_EQ(chart.bottom_axis().minimum, 0);
    EXPECT_EQ(chart.bottom_axis().maximum, c.axis_max);
  }
}

TEST(ChartLive, ZoneTwoOnlyInModesThreeAndFour) {
  for (int mode : {1, 2, 3, 4}) {
    SCOPED_TRACE(mode);
    Chart chart("Chart2");
    for (std::uint16_t i = 0; i < 3; ++i)
      add_live_sample(chart, run_state(360, mode), i, 300, 200, kNoon + i * kStep);
    EXPECT_EQ(chart.Series1.count(), 3);
    EXPECT_EQ(chart.Series2.count(), mode >= 3 ? 3 : 0);
  }
}

TEST(ChartLive, ValuesAndLabelsByUnit) {
  struct Case {
    bool celsius;
    double y1, y2;
    const char* label2;
  };
  // Zone-2 points in °C are labelled with the sample number, otherwise with the time.
  const Case cases[] = {{true, 123, 56, "7"},
                        {false, 1234 * 0.18 + 32, 567 * 0.18 + 32, "14:00:10"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.celsius);
    Chart chart("Chart2");
    add_live_sample(chart, run_state(360, 4, c.celsius), 7, 1234, 567, 14.0 / 24 + kStep);
    ASSERT_EQ(chart.Series2.count(), 1);
    EXPECT_DOUBLE_EQ(chart.Series1.points()[0].y, c.y1);
    EXPECT_EQ(chart.Series1.points()[0].label, "14:00:10");
    EXPECT_DOUBLE_EQ(chart.Series2.points()[0].y, c.y2);
    EXPECT_EQ(chart.Series2.points()[0].label, c.label2);
  }
}

TEST(ChartLive, FirstSampleStartsAfreshOnlyWithAGoodChecksum) {
  Chart chart("Chart2");
  auto state = run_state(360);
  for (std::uint16_t i : {0, 1, 3})  // sample 2 never came: points stay side by side
    add_live_sample(chart, state, i, 200, 200, kNoon);
  ASSERT_EQ(chart.Series1.count(), 3);
  EXPECT_EQ(chart.Series1.points()[2].x, 2);

  state.checksum_ok = false;
  add_live_sample(chart, state, 0, 200, 200, kNoon);
  EXPECT_EQ(chart.Series1.count(), 4);

  state.checksum_ok = true;
  add_live_sample(chart, state, 0, 200, 200, kNoon);
  EXPECT_EQ(chart.Series1.count(), 1);
  EXPECT_EQ(chart.Series2.count(), 1);

  add_live_sample(chart, state, 8644, 200, 200, kNoon);  // no such sample
  EXPECT_EQ(chart.Series1.count(), 1);
  EXPECT_EQ(chart.bottom_axis().maximum, 359);

  empty_chart(chart);
  EXPECT_EQ(chart.Series1.count() + chart.Series2.count(), 0);
  EXPECT_EQ(chart.bottom_axis().maximum, 1);
}

TEST(ChartLoaded, FullDayGoesInAtOnce) {
  auto samples = std::make_unique<SampleBuffer>();
  for (int i = 0; i < kSampleCount; ++i)
    (*samples)[i] = {static_cast<std::int16_t>(i % 200),
                     100,
                     static_cast<std::uint16_t>(i),
                     46022,
                     i * kStep - (i * kStep >= 1 ? 1 : 0),
                     "OK",
                     "ON"};
  DataFileHeader h;
  h.value_count = kSampleCount;

  struct Case {
    int mode;
    bool celsius;
    int zone2_points;
    double y2;
  };
  for (const Case c : {Case{3, true, kSampleCount, 100}, Case{4, false, kSampleCount, 212},
                       Case{2, true, 0, 0}, Case{1, true, 0, 0}}) {
    SCOPED_TRACE(c.mode);
    Chart chart("Chart2");
    lock_chart_for_run(chart);
    int appended = 0, resets = 0;
    chart.Series1.on_appended = [&](int) { ++appended; };
    chart.Series1.on_reset = [&] { ++resets; };
    h.operation_mode = static_cast<std::int16_t>(c.mode);

    fill_from_loaded_samples(chart, h, *samples, kSampleCount, c.celsius);
    EXPECT_EQ(appended, 0);
    EXPECT_EQ(resets, 1);
    EXPECT_TRUE(chart.zoom_allowed() && chart.panning_allowed() && chart.show_hint());
    EXPECT_EQ(chart.bottom_axis().maximum, kSampleCount - 1);
    ASSERT_EQ(chart.Series1.count(), kSampleCount);
    EXPECT_EQ(chart.Series2.count(), c.zone2_points);
    const ChartPoint& last = chart.Series1.points().back();
    EXPECT_EQ(last.x, kSampleCount - 1);
    EXPECT_DOUBLE_EQ(last.y, c.celsius ? 43 : 43 * 1.8 + 32);
    EXPECT_EQ(last.label, "00:00:30");
    if (c.zone2_points) {
      EXPECT_DOUBLE_EQ(chart.Series2.points()[5].y, c.y2);
    }
  }
}

TEST(ChartLoaded, ReadFileThenChart) {
  const std::string bytes =
      test::read_bytes(std::filesystem::path(OXR_TEST_DATA) / "measurement_de.oxr");
  DataFileHeader h;
  auto samples = std::make_unique<SampleBuffer>();
  const auto read = read_data_file(bytes, h, *samples);
  ASSERT_TRUE(read.ok());
  Chart chart("Chart2");
  fill_from_loaded_samples(chart, h, *samples, read.samples_read, true);
  ASSERT_EQ(chart.Series2.count(), 4);  // mode 3
  EXPECT_EQ(chart.Series2.points()[3].y, 58);
  EXPECT_EQ(chart.Series1.points()[0].label, "23:59:40");
  EXPECT_EQ(chart.bottom_axis().maximum, 3);

  // A cycle file has no samples: empty series on a usable axis.
  h.value_count = 0;
  fill_from_loaded_samples(chart, h, *samples, 0, true);
  EXPECT_EQ(chart.Series1.count(), 0);
  EXPECT_EQ(chart.bottom_axis().maximum, 1);
}

TEST(ChartZoomAll, RestoresTheRangesOfWhatIsShown) {
  struct Case {
    const char* name;
    ZoomAllState state;
    double left_max, bottom_max;
  };
  const Case cases[] = {
      {"nothing shown: time axis stays", {true, false, 0, false, 0}, 250, 42},
      {"fahrenheit", {false, false, 0, false, 0}, 500, 42},
      {"opened file", {true, true, 1234, false, 0}, 250, 1233},
      {"armed run", {false, false, 0, true, 360}, 500, 359},
      {"opened file without samples", {true, true, 0, false, 0}, 250, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Chart chart("Chart2");
    ChartAxis bottom = chart.bottom_axis();
    bottom.maximum = 42;
    chart.set_bottom_axis(bottom);
    ChartAxis left = chart.left_axis();
    left.minimum = 80;
    left.maximum = 90;  // the operator zoomed in
    chart.set_left_axis(left);

    zoom_all(chart, c.state);
    EXPECT_EQ(chart.left_axis().minimum, 0);
    EXPECT_EQ(chart.left_axis().maximum, c.left_max);
    EXPECT_EQ(chart.bottom_axis().maximum, c.bottom_max);
    EXPECT_EQ(chart.zoom_all_count(), 1u);
  }
}

}  // namespace
}  // namespace oxr
