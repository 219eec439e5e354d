// chart-bench [--runs N] [--shot FILE.png [POINTS]]
//
// Prints the median times (ms) of
//   - loading a full-day measurement file (8640 samples): read from disk, parsed, put into
//     the chart and the chart drawn once;
//   - one live sample appended to a full chart and the chart drawn once.
// With --shot it instead saves the main window with a live chart of POINTS samples (300), or
// with the full-day file opened when POINTS is "day"; a FILE ending in .pdf gets the page as
// the print button prints it.
// Runs on the platform QT_QPA_PLATFORM names (offscreen when unset).
#include <unistd.h>

#include <QApplication>
#include <QGroupBox>
#include <QLineSeries>
#include <QPrinter>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "Tools_oxr/chart_logic.h"
#include "Tools_oxr/data_file.h"
#include "Tools_oxr/u_zyklus/tformzyklus.h"
#include "V_1_0_serie/chart_view.h"
#include "V_1_0_serie/qt/no_serial_library.h"
#include "V_1_0_serie/qt/qt_printing.h"
#include "V_1_0_serie/qt/system_services.h"
#include "V_1_0_serie/settings_group.h"
#include "V_1_0_serie/u_zyklus.h"
#include "platform/clock.h"
#include "platform/scripted_dialogs.h"
#include "platform/timer.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kDaySamples = 8640;
constexpr oxr::DateTime kStart = 46365.0 + 8.0 / 24.0;  // 09.12.2026 08:00:00

// Zone temperatures in tenths of °C: heating up to 180 and 120 °C, then a hysteresis ripple.
std::uint16_t zone_tenths(int i, double set, double phase) {
  const double rise = set * (1 - std::exp(-i / 400.0));
  const double ripple = 15 * std::sin(i / 25.0 + phase);
  return static_cast<std::uint16_t>(std::max(0.0, 10 * (20 + rise) + ripple));
}

oxr::DateTime sample_time(int i) {
  const double t = kStart + i * 10.0 / 86400.0;
  return t - std::floor(t);
}

std::string full_day_file() {
  oxr::DataFileHeader h;
  h.start_date = std::floor(kStart);
  h.start_time = kStart - std::floor(kStart);
  h.duration = 1.0;
  h.cycle_name = "261209-001";
  h.comment = "chart_bench";
  h.unit_word = "Celsius";
  h.preheating_word = oxr::kPreheatingOffWord;
  h.set1_deg = 180;
  h.set2_deg = 120;
  h.hyst1_deg = 2;
  h.hyst2_deg = 2;
  h.operation_mode = 4;
  h.value_count = kDaySamples;
  auto samples = std::make_unique<oxr::SampleBuffer>();
  for (int i = 0; i < kDaySamples; ++i) {
    oxr::MeasurementSample& s = (*samples)[static_cast<std::size_t>(i)];
    s.sample_no = static_cast<std::uint16_t>(i);
    s.temp1 = static_cast<std::int16_t>(zone_tenths(i, 160, 0) / 10);
    s.temp2 = static_cast<std::int16_t>(zone_tenths(i, 100, 1) / 10);
    s.sample_date = std::floor(kStart + i * 10.0 / 86400.0);
    s.sample_time = sample_time(i);
    s.sample_status = "OK";
    s.pump_text = "ON";
  }
  return oxr::measurement_file_bytes(h, *samples, 1);
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

double ms_since(Clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

struct Program {
  oxr::ManualClock clock{kStart};
  oxr::TimerHub timers{clock};
  oxr::ScriptedDialogs dialogs;
  oxr::qt::NoSerialLibrary serial;
  oxr::qt::QtSystemServices services;
  std::filesystem::path dir;
  std::unique_ptr<oxr::TFormzyklus> form;
  std::unique_ptr<oxr::qt::FormzyklusWindow> window;
  oxr::qt::ChartView* view = nullptr;

  explicit Program(std::filesystem::path folder) : dir(std::move(folder)) {
    form = std::make_unique<oxr::TFormzyklus>(
        oxr::FormEnv{clock, timers, dialogs, serial, services, dir});
    form->FormCreate();
    form->apply_main_captions_german();
    window = std::make_unique<oxr::qt::FormzyklusWindow>(*form, build_settings_group);
    window->show();
    QCoreApplication::processEvents();
    view = window->findChild<oxr::qt::ChartView*>(QStringLiteral("Chart2"));
  }

  void draw() {
    QCoreApplication::processEvents();
    view->viewport()->repaint();
  }

  // A full chart as a day's run leaves it, without a day's appends (each redraws the curve):
  // all but the last two points put in at once, the last but one as a live sample.
  void nearly_full_chart() {
    const int bulk = kDaySamples - 2;
    std::vector<oxr::ChartPoint> zone1, zone2;
    for (int i = 0; i < bulk; ++i) {
      const std::string label = oxr::file_time_text(sample_time(i));
      zone1.push_back({double(i), double(zone_tenths(i, 160, 0) / 10), label});
      zone2.push_back({double(i), double(zone_tenths(i, 100, 1) / 10), std::to_string(i)});
    }
    oxr::lock_chart_for_run(form->Chart2);
    form->Chart2.Series1.assign(std::move(zone1));
    form->Chart2.Series2.assign(std::move(zone2));
    oxr::add_live_sample(form->Chart2, oxr::LiveChartState{kDaySamples, true, true, 4},
                         static_cast<std::uint16_t>(bulk), 1800, 1200, sample_time(bulk));
  }

  void live_run(int points, int mode) {
    oxr::lock_chart_for_run(form->Chart2);
    const oxr::LiveChartState state{kDaySamples, true, true, mode};
    for (int i = 0; i < points; ++i)
      oxr::add_live_sample(form->Chart2, state, static_cast<std::uint16_t>(i),
                           zone_tenths(i, 160, 0), zone_tenths(i, 100, 1), sample_time(i));
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  int runs = 7;
  const char* shot = nullptr;
  int shot_points = 300;
  bool shot_day = false;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--runs") && i + 1 < argc)
      runs = std::max(1, std::atoi(argv[++i]));
    else if (!std::strcmp(argv[i], "--shot") && i + 1 < argc) {
      shot = argv[++i];
      if (i + 1 < argc && !std::strcmp(argv[i + 1], "day")) {
        shot_day = true;
        ++i;
      } else if (i + 1 < argc && argv[i + 1][0] != '-') {
        shot_points = std::atoi(argv[++i]);
      }
    }
  }

  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("chart-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  Program p(dir);

  if (shot) {
    if (shot_day) {
      auto header = std::make_unique<oxr::DataFileHeader>();
      auto samples = std::make_unique<oxr::SampleBuffer>();
      const oxr::DataFileReadResult read = oxr::read_data_file(full_day_file(), *header, *samples);
      oxr::fill_from_loaded_samples(p.form->Chart2, *header, *samples, read.samples_read, true);
      shot_points = read.samples_read;
    } else {
      p.live_run(shot_points, 4);
    }
    p.draw();
    const QString out = QString::fromLocal8Bit(shot);
    bool saved = false;
    if (out.endsWith(QLatin1String(".pdf"))) {
      QPrinter& printer = oxr::qt::application_printer();
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(out);
      saved = p.services.print_main_window("OXR Diagramm");
    } else {
      saved = p.window->grab().save(out);
    }
    std::filesystem::remove_all(dir);
    std::printf("%s %s (%d points)\n", saved ? "saved" : "could not save", shot, shot_points);
    return saved ? 0 : 1;
  }

  const std::filesystem::path file = dir / "261209-001.oxr";
  { std::ofstream(file, std::ios::binary) << full_day_file(); }

  std::vector<double> load_ms, read_ms, fill_ms, append_ms;
  auto header = std::make_unique<oxr::DataFileHeader>();
  auto samples = std::make_unique<oxr::SampleBuffer>();
  for (int r = 0; r < runs; ++r) {
    oxr::empty_chart(p.form->Chart2);
    p.draw();
    const auto t0 = Clock::now();
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const oxr::DataFileReadResult read = oxr::read_data_file(bytes, *header, *samples);
    read_ms.push_back(ms_since(t0));
    const auto t1 = Clock::now();
    oxr::fill_from_loaded_samples(p.form->Chart2, *header, *samples, read.samples_read, true);
    fill_ms.push_back(ms_since(t1));
    p.draw();
    load_ms.push_back(ms_since(t0));
    if (!read.ok() || p.view->series1()->count() != kDaySamples) {
      std::fprintf(stderr, "file not loaded (%d samples)\n", read.samples_read);
      return 1;
    }
  }
  for (int r = 0; r < runs; ++r) {
    p.nearly_full_chart();
    p.draw();
    const auto t0 = Clock::now();
    oxr::add_live_sample(p.form->Chart2, oxr::LiveChartState{kDaySamples, true, true, 4},
                         kDaySamples - 1, 1800, 1200, sample_time(kDaySamples - 1));
    p.draw();
    append_ms.push_back(ms_since(t0));
  }
  std::filesystem::remove_all(dir);

  std::printf("platform %s, chart %dx%d, %d runs\n", qPrintable(QGuiApplication::platformName()),
              p.view->width(), p.view->height(), runs);
  std::printf("full-day file (8640 samples) loaded and drawn: %.1f ms (median)\n", median(load_ms));
  std::printf("  of which reading the file %.1f ms, filling the series %.1f ms\n", median(read_ms),
              median(fill_ms));
  std::printf("one live sample on a full chart, drawn:       %.2f ms (median)\n",
              median(append_ms));
  return 0;
}
