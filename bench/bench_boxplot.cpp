// SPDX-License-Identifier: MIT
// Box plot of 100 columns x 100,000 rows on a 1000 x 700 control: the statistics of all
// columns, then turning them into items and painting, measured apart.

#include <benchmark/benchmark.h>
#include <zyr/chart/boxplot.h>

#include <memory>
#include <random>

namespace {

using namespace zyr;

std::unique_ptr<TBoxPlot> Prepared(int cols, int rows) {
  auto bp = std::make_unique<TBoxPlot>();
  bp->SetBounds(0, 0, 1000, 700);
  bp->HandleNeeded();
  TDataTable& t = bp->Data();
  std::mt19937 rng(11);
  std::normal_distribution<double> nd(0, 1);
  t.BeginUpdate();
  t.Resize(cols, rows);
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= cols; ++c) t.SetElem(c, r, c + nd(rng) * (1 + c % 5));
  t.EndUpdate();
  bp->AutoRange(5);
  return bp;
}

void BM_BoxPlotStatistics(benchmark::State& state) {
  auto bp = Prepared(int(state.range(0)), int(state.range(1)));
  for (auto _ : state) bp->CommitChangedData();
}
BENCHMARK(BM_BoxPlotStatistics)->Args({100, 100000})->Unit(benchmark::kMillisecond);

void BM_BoxPlotCreateChartAndPaint(benchmark::State& state) {
  auto bp = Prepared(int(state.range(0)), int(state.range(1)));
  for (auto _ : state) bp->CreateChart();  // rebuilds the items and repaints
}
BENCHMARK(BM_BoxPlotCreateChartAndPaint)->Args({100, 100000})->Unit(benchmark::kMillisecond);

}  // namespace
