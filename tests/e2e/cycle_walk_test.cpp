// The road of one cycle through the real windows, on the system clock, with the serial line
// to oxr-pumpsim on its pseudo-terminal: the operator's clicks and keys on the widgets, the
// boxes answered as they come up, and what the table, the data file and the chart show.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Tools_oxr/data_file.h"
#include "Tools_oxr/date_time.h"
#include "V_1_0_serie/program_windows.h"
#include "V_1_0_serie/qt/dialogs.h"
#include "V_1_0_serie/qt/qt_serial_library.h"
#include "V_1_0_serie/qt/system_services.h"
#include "V_1_0_serie/qt/timer_driver.h"
#include "platform/clock.h"
#include "platform/timer.h"
#include "tests/V_1_0_serie/qt_support.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace oxr::test {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using std::chrono::seconds;

const char* const kPumpSim = OXR_BINARY_DIR "/sim/oxr-pumpsim";
constexpr DateTime kSecond = 1.0 / 86400.0;
constexpr DateTime kMinute = 60 * kSecond;

// Answers every message box that comes up, from a timer, as the operator would: a box whose
// text starts with a planned prefix gets the planned button, any other its default one.
// Every text is kept, in order.
class BoxAnswerer {
 public:
  struct Answer {
    QString text_prefix;
    QString button;
  };
  BoxAnswerer() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
    timer_.start(50);
  }
  void plan(Answer answer) { answers_.push_back(std::move(answer)); }
  const std::vector<std::string>& texts() const { return texts_; }

 private:
  void look() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (!box || !box->isVisible()) continue;
      texts_.push_back(box->text().toStdString());
      QAbstractButton* press = box->defaultButton();
      for (const Answer& a : answers_) {
        if (!box->text().startsWith(a.text_prefix)) continue;
        for (QAbstractButton* b : box->buttons())
          if (b->text() == a.button) press = b;
      }
      if (!press && !box->buttons().isEmpty()) press = box->buttons().first();
      if (press) press->click();
    }
  }
  QTimer timer_;
  std::vector<Answer> answers_;
  std::vector<std::string> texts_;
};

class CycleWalk : public ::testing::Test {
 protected:
  void SetUp() override {
    serial = std::make_unique<QtSerialLibrary>(QString::fromStdString(dir.path().string()));
    // The first run announces the configuration file it makes (in German: no language yet).
    program = std::make_unique<qt::ProgramWindows>(
        FormEnv{clock, hub, dialogs, *serial, services, dir.path()});
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Datei oxrconf.dat erstellt."});
  }
  void TearDown() override {
    program.reset();
    serial.reset();
    if (sim) sim->stop();
  }

  template <class W = QWidget>
  W* widget(QWidget* window, const char* name) {
    W* w = window->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QWidget* main_window() { return program->main.get(); }
  QString cell(int row, int column) {
    return widget<QLineEdit>(main_window(),
                             ("MaskEdit" + std::to_string(row * 10 + column)).c_str())
        ->text()
        .trimmed();
  }
  QString status_panel() { return widget<QLabel>(main_window(), "StatusBar1_panel0")->text(); }

  // Real time passes with the event loop running: the window timers fire, boxes are answered.
  bool run_until(const std::function<bool()>& condition, milliseconds limit) {
    return wait_for(condition, limit,
                    [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 20); });
  }

  // The pump in its operating mode on com1; the start page in the language, START there: the
  // main window's show connects to the pump.
  void open_main_window(bool english, int mode) {
    sim = std::make_unique<ChildProcess>(
        kPumpSim,
        std::vector<std::string>{"--link", dir.path().string(), "--mode", std::to_string(mode)},
        ChildOptions{.stdout_file = dir.path() / "sim.log"});
    ASSERT_TRUE(wait_for([&] { return fs::is_symlink(dir.path() / "com1"); }, seconds(5)));
    program->show_start_page();
    show_active(program->start.get());
    if (english) click(widget<QPushButton>(program->start.get(), "But_Englisch"));
    click(widget<QPushButton>(program->start.get(), "But_start"));
    ASSERT_TRUE(main_window()->isVisible());
    show_active(main_window());
    const QString connected = english ? QStringLiteral("Temperature control connected")
                                      : QStringLiteral("Temperatursteuerung angeschlossen");
    ASSERT_TRUE(run_until([&] { return status_panel() == connected; }, seconds(5)))
        << status_panel().toStdString();
  }

  // The next whole minute that leaves time to plan and arm the cycle before it.
  DateTime next_start() const {
    const DateTime now = clock.now();
    DateTime start = std::ceil((now + 1e-9) / kMinute) * kMinute;
    if (start - now < 8 * kSecond) start += kMinute;
    return start;
  }

  // Types a field's text over what it shows and leaves the field for the next one.
  void type_into(const char* field, const std::string& text, const char* next) {
    auto* edit = widget<QLineEdit>(main_window(), field);
    edit->setFocus();
    edit->selectAll();
    type_text(edit, QString::fromStdString(text));
    widget(main_window(), next)->setFocus();
    QCoreApplication::processEvents();
  }

  // Plans a cycle in the editor, takes it over and arms it with START.
  void plan_and_start(DateTime start, const std::string& duration) {
    const DateTime day = std::floor(start + 1e-9);
    const std::string start_time = format_time(start - day).substr(0, 5);
    type_into("MEdatum", format_date(day), "MEstartz");
    type_into("MEstartz", start_time, "MEcycled");
    type_into("MEcycled", duration, "MEtarget1");
    EXPECT_EQ(widget<QLineEdit>(main_window(), "MEdatum")->text().toStdString(), format_date(day));
    EXPECT_EQ(widget<QLineEdit>(main_window(), "MEstartz")->text().toStdString(), start_time);
    EXPECT_EQ(widget<QLineEdit>(main_window(), "MEcycled")->text().toStdString(), duration);
    click(widget<QPushButton>(main_window(), "But_takeover"));
    ASSERT_FALSE(cell(1, 1).isEmpty());
    EXPECT_EQ(cell(1, 2).toStdString(), format_date(day));
    EXPECT_EQ(cell(1, 3).toStdString(), start_time);
    click(widget<QPushButton>(main_window(), "But_start"));
    EXPECT_FALSE(widget<QPushButton>(main_window(), "But_start")->isEnabled());
    EXPECT_TRUE(widget<QPushButton>(main_window(), "But_stop")->isEnabled());
  }

  // The points of the chart's two zone curves.
  std::pair<qsizetype, qsizetype> chart_points() {
    auto* view = widget<QChartView>(main_window(), "Chart2");
    const auto series = view->chart()->series();
    EXPECT_EQ(series.size(), 2);
    if (series.size() != 2) return {-1, -1};
    return {qobject_cast<QLineSeries*>(series[0])->count(),
            qobject_cast<QLineSeries*>(series[1])->count()};
  }

  // The measurement file of the cycle in row 1, read back.
  std::unique_ptr<SampleBuffer> read_measurement_file(DataFileReadResult& result) {
    auto samples = std::make_unique<SampleBuffer>();
    DataFileHeader header;
    const fs::path file = dir.path() / (cell(1, 1).toStdString() + ".oxr");
    EXPECT_TRUE(fs::exists(file)) << file;
    result = read_data_file(read_bytes(file), header, *samples);
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(header.cycle_name, cell(1, 1).toStdString());
    EXPECT_FALSE(fs::exists(file.string() + ".journal"));
    return samples;
  }

  // The application first: the timers below need its event loop.
  QApplication& app = qt_app();
  TempDir dir;
  std::unique_ptr<ChildProcess> sim;
  SystemClock clock;
  TimerHub hub{clock};
  qt::QtTimerDriver driver{hub};
  qt::QtDialogs dialogs{QString::fromLatin1(qt::kApplicationTitle)};
  qt::QtSystemServices services;
  BoxAnswerer boxes;
  std::unique_ptr<QtSerialLibrary> serial;
  std::unique_ptr<qt::ProgramWindows> program;
};

// Operating mode 4: both zones are charted.
TEST_F(CycleWalk, AOneMinuteCycleRunsToItsEndInEnglish) {
  open_main_window(true, 4);
  const DateTime start = next_start();
  plan_and_start(start, "00:01");
  EXPECT_EQ(cell(1, 6), QStringLiteral("waiting"));

  ASSERT_TRUE(run_until([&] { return cell(1, 6) == QStringLiteral("running"); },
                        milliseconds(static_cast<long>((start - clock.now()) * 86400e3) + 5000)));
  EXPECT_NE(widget(program->stop.get(), "BBStop"), nullptr);
  EXPECT_TRUE(program->stop->isVisible());
  ASSERT_TRUE(run_until([&] { return cell(1, 6) != QStringLiteral("running"); }, seconds(90)));

  EXPECT_EQ(cell(1, 6), QStringLiteral("terminated"));
  // After an end by time START runs again by itself; nothing else is planned.
  EXPECT_EQ(status_panel(), QStringLiteral("Waiting for measuring cycle"));
  EXPECT_TRUE(widget<QPushButton>(main_window(), "But_start")->isEnabled());
  EXPECT_FALSE(program->stop->isVisible());

  // Six ten-second steps: the controller numbers its samples from 0.
  DataFileReadResult read;
  const auto samples = read_measurement_file(read);
  EXPECT_GE(read.samples_read, 6);
  EXPECT_LE(read.samples_read, 8);
  EXPECT_EQ((*samples)[static_cast<std::size_t>(read.samples_read - 1)].sample_status, "MC-END");
  EXPECT_EQ(chart_points(),
            (std::pair<qsizetype, qsizetype>(read.samples_read, read.samples_read)));
  EXPECT_EQ(boxes.texts().size(), 1u) << boxes.texts().back();
}

// Operating mode 1: zone 1 alone is charted.
TEST_F(CycleWalk, StopDuringTheRunAndNoContinuationInGerman) {
  open_main_window(false, 1);
  const DateTime start = next_start();
  plan_and_start(start, "00:03");
  EXPECT_EQ(cell(1, 6), QStringLiteral("wartet"));

  // Two samples on the chart: the stop then has values to write.
  ASSERT_TRUE(run_until([&] { return chart_points().first >= 2; },
                        milliseconds(static_cast<long>((start - clock.now()) * 86400e3) + 40000)));
  EXPECT_EQ(cell(1, 6), QStringLiteral("läuft"));
  boxes.plan({QStringLiteral("Der gestoppte Zyklus wurde gespeichert!"), QStringLiteral("Nein")});
  click(widget<QPushButton>(main_window(), "But_stop"));
  QCoreApplication::processEvents();

  EXPECT_EQ(cell(1, 6), QStringLiteral("PC-Stop"));
  EXPECT_EQ(status_panel(), QStringLiteral("Abbruch des Messzyklus durch PC-Stop"));
  ASSERT_EQ(boxes.texts().size(), 2u);
  EXPECT_TRUE(QString::fromStdString(boxes.texts()[1])
                  .startsWith(QStringLiteral("Der gestoppte Zyklus wurde gespeichert!\nSoll mit")));
  EXPECT_TRUE(widget<QPushButton>(main_window(), "But_start")->isEnabled());
  EXPECT_FALSE(widget<QPushButton>(main_window(), "But_stop")->isEnabled());

  DataFileReadResult read;
  const auto samples = read_measurement_file(read);
  EXPECT_GE(read.samples_read, 2);
  const MeasurementSample& last = (*samples)[static_cast<std::size_t>(read.samples_read - 1)];
  EXPECT_EQ(last.sample_status, "PC-STOP");
  EXPECT_EQ(last.pump_text, "OFF");
  EXPECT_EQ(chart_points(), (std::pair<qsizetype, qsizetype>(read.samples_read, 0)));

  // The controller confirms the switch-off: no repeated frames, no late message.
  run_until([] { return false; }, seconds(3));
  EXPECT_EQ(boxes.texts().size(), 2u) << boxes.texts().back();
}

}  // namespace
}  // namespace oxr::test
