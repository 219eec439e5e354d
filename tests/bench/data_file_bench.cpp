// A full-day measurement file (8644 samples) built, written and read with the data file unit.
// `bench_data_file --write-full-day FOLDER` writes the file alone into FOLDER and prints its
// path, for the comparison with Python's csv module (tools/bench).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "Tools_oxr/config_file.h"
#include "Tools_oxr/data_file.h"

namespace {

using namespace oxr;

// 9 December 2026, 10:00, endless, both zones, every sample taken.
struct FullDay {
  DataFileHeader header;
  std::unique_ptr<SampleBuffer> samples = std::make_unique<SampleBuffer>();

  FullDay() {
    header.start_date = 46365.0;
    header.start_time = 10.0 / 24.0;
    header.duration = 1.0;
    header.cycle_name = "261209-001";
    header.comment = "full_day";
    header.unit_word = "Celsius";
    header.preheating_word = kPreheatingOnWord;
    header.set1_deg = 120;
    header.set2_deg = 110;
    header.hyst1_deg = 2;
    header.hyst2_deg = 3;
    header.operation_mode = 3;
    header.value_count = kSampleCount;
    std::mt19937 noise(7);
    for (int i = 0; i < kSampleCount; ++i) {
      MeasurementSample& s = (*samples)[static_cast<std::size_t>(i)];
      const DateTime t = header.start_time + i * (10.0 / 86400.0);
      s.sample_no = static_cast<std::uint16_t>(i);
      s.sample_date = header.start_date + static_cast<int>(t);
      s.sample_time = t - static_cast<int>(t);
      s.temp1 = static_cast<std::int16_t>(118 + noise() % 5);
      s.temp2 = static_cast<std::int16_t>(108 + noise() % 5);
      s.sample_status = "OK";
      s.pump_text = "ON";
    }
  }
};

const FullDay& full_day() {
  static const FullDay day;
  return day;
}

std::filesystem::path bench_folder() {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / "oxr-bench";
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

void BM_DataFileBytes(benchmark::State& state) {
  const FullDay& day = full_day();
  std::size_t size = 0;
  for (auto _ : state) {
    const std::string bytes = measurement_file_bytes(day.header, *day.samples, 0);
    size = bytes.size();
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_DataFileBytes)->Unit(benchmark::kMillisecond);

// As the program writes at the end of a cycle: bytes, temporary file, flush to disk, rename.
void BM_DataFileSave(benchmark::State& state) {
  const FullDay& day = full_day();
  for (auto _ : state) {
    const SaveResult r =
        save_data_file(bench_folder(), day.header.cycle_name, day.header, *day.samples, 0);
    if (!r.ok()) state.SkipWithError(r.detail.c_str());
  }
}
BENCHMARK(BM_DataFileSave)->Unit(benchmark::kMillisecond);

void BM_DataFileParse(benchmark::State& state) {
  const FullDay& day = full_day();
  const std::string bytes = measurement_file_bytes(day.header, *day.samples, 0);
  auto samples = std::make_unique<SampleBuffer>();
  for (auto _ : state) {
    DataFileHeader header;
    const DataFileReadResult r = read_data_file(bytes, header, *samples);
    if (r.samples_read != kSampleCount) state.SkipWithError("not every sample read");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DataFileParse)->Unit(benchmark::kMillisecond);

// The whole load from disk: the number the comparison with Python's csv module uses.
void BM_DataFileLoad(benchmark::State& state) {
  const FullDay& day = full_day();
  const SaveResult saved =
      save_data_file(bench_folder(), "261209-002", day.header, *day.samples, 0);
  if (!saved.ok()) {
    state.SkipWithError(saved.detail.c_str());
    return;
  }
  auto samples = std::make_unique<SampleBuffer>();
  for (auto _ : state) {
    const auto bytes = read_file_bounded(saved.path, 16u << 20);
    DataFileHeader header;
    if (!bytes || read_data_file(*bytes, header, *samples).samples_read != kSampleCount) {
      state.SkipWithError("not every sample read");
    }
  }
}
BENCHMARK(BM_DataFileLoad)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--write-full-day") == 0) {
    const FullDay& day = full_day();
    const SaveResult r =
        save_data_file(argv[2], day.header.cycle_name, day.header, *day.samples, 0);
    if (!r.ok()) {
      std::fprintf(stderr, "cannot write %s: %s\n", r.path.c_str(), r.detail.c_str());
      return 1;
    }
    std::printf("%s\n", r.path.c_str());
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
