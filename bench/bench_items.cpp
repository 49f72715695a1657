// SPDX-License-Identifier: MIT
// Item store throughput: appending items and writing/reading chart item files, each next to
// a baseline of plain memory or file work of the same size measured in the same run.

#include <benchmark/benchmark.h>
#include <zyr/chart/rchart.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using zyr::TrcChartItem;

constexpr int kAppendItems = 10'000'000;
constexpr int kFileItems = 1'000'000;
constexpr size_t kRec = sizeof(TrcChartItem);

// Memory per point is measured by bench_store.
using BenchChart = zyr::TRChart;

std::string FilePath(const char* name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

void BM_AppendDrawTo(benchmark::State& state) {
  BenchChart chart;
  for (auto _ : state) {
    for (int i = 0; i < kAppendItems; ++i) chart.DrawTo(double(i), 0.5 * i);
    benchmark::DoNotOptimize(chart.NumItems());
    state.PauseTiming();
    chart.ClearGraf();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kAppendItems);
  state.SetBytesProcessed(state.iterations() * int64_t(kAppendItems) * int64_t(kRec));
}
BENCHMARK(BM_AppendDrawTo)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same number of bytes written into fresh memory.
void BM_AppendBaselineMallocMemset(benchmark::State& state) {
  const size_t bytes = size_t(kAppendItems) * kRec;
  for (auto _ : state) {
    void* p = std::malloc(bytes);
    std::memset(p, 1, bytes);
    benchmark::DoNotOptimize(p);
    benchmark::ClobberMemory();
    std::free(p);
  }
  state.SetItemsProcessed(state.iterations() * kAppendItems);
  state.SetBytesProcessed(state.iterations() * int64_t(bytes));
}
BENCHMARK(BM_AppendBaselineMallocMemset)->Unit(benchmark::kMillisecond)->Iterations(3);

void FillChart(zyr::TCustomRChart& chart) {
  for (int i = 0; i < kFileItems; ++i) chart.DrawTo(double(i), 0.25 * i);
}

void BM_SaveData(benchmark::State& state) {
  BenchChart chart;
  FillChart(chart);
  const std::string fn = FilePath("zyr_bench_items.dat");
  for (auto _ : state) chart.SaveData(fn);
  state.SetBytesProcessed(state.iterations() * int64_t(kFileItems + 1) * int64_t(kRec));
  std::filesystem::remove(fn);
}
BENCHMARK(BM_SaveData)->Unit(benchmark::kMillisecond);

void BM_SaveBaselineFwrite(benchmark::State& state) {
  const size_t bytes = size_t(kFileItems + 1) * kRec;
  std::vector<char> buf(bytes, 1);
  const std::string fn = FilePath("zyr_bench_fwrite.dat");
  for (auto _ : state) {
    FILE* f = std::fopen(fn.c_str(), "wb");
    std::fwrite(buf.data(), 1, bytes, f);
    std::fclose(f);
  }
  state.SetBytesProcessed(state.iterations() * int64_t(bytes));
  std::filesystem::remove(fn);
}
BENCHMARK(BM_SaveBaselineFwrite)->Unit(benchmark::kMillisecond);

void BM_LoadData(benchmark::State& state) {
  const std::string fn = FilePath("zyr_bench_load.dat");
  {
    BenchChart src;
    FillChart(src);
    src.SaveData(fn);
  }
  BenchChart chart;
  for (auto _ : state) {
    if (chart.LoadData(fn, false) != kFileItems) state.SkipWithError("load failed");
  }
  state.SetBytesProcessed(state.iterations() * int64_t(kFileItems + 1) * int64_t(kRec));
  std::filesystem::remove(fn);
}
BENCHMARK(BM_LoadData)->Unit(benchmark::kMillisecond);

void BM_LoadBaselineFread(benchmark::State& state) {
  const size_t bytes = size_t(kFileItems + 1) * kRec;
  const std::string fn = FilePath("zyr_bench_fread.dat");
  {
    std::vector<char> buf(bytes, 1);
    FILE* f = std::fopen(fn.c_str(), "wb");
    std::fwrite(buf.data(), 1, bytes, f);
    std::fclose(f);
  }
  for (auto _ : state) {
    // Fresh memory each time, as a load into an empty chart has.
    char* buf = static_cast<char*>(std::malloc(bytes));
    FILE* f = std::fopen(fn.c_str(), "rb");
    benchmark::DoNotOptimize(std::fread(buf, 1, bytes, f));
    std::fclose(f);
    std::free(buf);
  }
  state.SetBytesProcessed(state.iterations() * int64_t(bytes));
  std::filesystem::remove(fn);
}
BENCHMARK(BM_LoadBaselineFread)->Unit(benchmark::kMillisecond);

}  // namespace

// Charts are widgets, so the program needs an application object (headless).
