// A simulated 24-hour endless cycle: the main window's logic against the simulated controller
// on the manual clock, armed at 10:00 for 10:01, timed until the cycle has renewed itself a day
// later (8642 samples written to the journal and then to the day's data file). Once with the
// working folder in memory (/dev/shm), once on the disk, where every sample's journal line
// waits for its flush. The set-up is the one of the endless-day test in tests/sim.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "tests/sim/window_run_support.h"

namespace {

using oxr::test::TempDir;

class EndlessDay : public oxr::test::RunFixture {
 public:
  explicit EndlessDay(TempDir::Place place) : RunFixture(place) {}
  void TestBody() override {}

  void arm() {
    open_window(3);
    plan(0, "10:01", "endless");
    w().But_start.click();
  }
  bool run_day() {
    return run_until([&] { return row(1).cycle_name == "261210-000"; }, 86400 + 120);
  }
  // The day's file holds its header, 8641 samples and the end frame.
  std::size_t day_file_lines() {
    std::ifstream in(file("261209-000.oxr"), std::ios::binary);
    std::size_t lines = 0;
    for (std::string line; std::getline(in, line);) ++lines;
    return lines;
  }
};

void BM_EndlessDay(benchmark::State& state, TempDir::Place place) {
  for (auto _ : state) {
    state.PauseTiming();
    auto day = std::make_unique<EndlessDay>(place);
    day->arm();
    state.ResumeTiming();
    const bool renewed = day->run_day();
    state.PauseTiming();
    const std::size_t lines = day->day_file_lines();
    day.reset();
    state.ResumeTiming();
    if (!renewed || lines != 9 + 8642) {
      state.SkipWithError("the endless cycle did not run its day");
      break;
    }
  }
}
BENCHMARK_CAPTURE(BM_EndlessDay, memory, TempDir::Place::memory_if_any)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
// A day on the disk takes tens of seconds; three runs give its median.
BENCHMARK_CAPTURE(BM_EndlessDay, disk, TempDir::Place::disk)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);

}  // namespace

BENCHMARK_MAIN();
