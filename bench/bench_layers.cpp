// SPDX-License-Identifier: MIT
// World-to-pixel transform of a chart layer: the inner loop of every chart paint.
#include <benchmark/benchmark.h>
#include <zyr/chart/rchart.h>

#include <QApplication>
#include <cstdlib>

using namespace zyr;

namespace {

constexpr int kPoints = 10'000'000;

void RunR2M(benchmark::State& st, bool log) {
  TRChart chart;
  chart.SetBounds(0, 0, 1000, 700);
  if (log) {
    chart.Scale1X().SetRangeHigh(1e6);
    chart.Scale1X().SetRangeLow(1);
    chart.Scale1X().SetLogarithmic(true);
  } else {
    chart.SetRange(1, 0, -1, 1e6, 1);
  }
  for (auto _ : st) {
    long long sum = 0;
    double xv = 1;
    // Points are generated on the fly so that memory traffic does not hide the transform.
    for (int i = 0; i < kPoints; ++i) {
      int x, y;
      chart.R2M(1, xv, 0.5, x, y);
      xv += 0.1;
      sum += x + y;
    }
    benchmark::DoNotOptimize(sum);
  }
  st.SetItemsProcessed(st.iterations() * kPoints);
  st.counters["ns_per_point"] = benchmark::Counter(
      double(st.iterations()) * kPoints, benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
      benchmark::Counter::kIs1000);
}

void BM_R2M_Linear(benchmark::State& st) { RunR2M(st, false); }
void BM_R2M_Log(benchmark::State& st) { RunR2M(st, true); }
BENCHMARK(BM_R2M_Linear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_R2M_Log)->Unit(benchmark::kMillisecond);

}  // namespace
