// SPDX-License-Identifier: MIT
// One pan step of a 1000 x 700 chart holding a random walk of 1,000,000 line items (a range
// change and the full repaint it causes), with and without the line-run cache, one wheel zoom
// step, the nearest item search in screen and world distance over the same items, and a
// memcpy of the items' bytes as a yardstick for the load of the machine.

#include <benchmark/benchmark.h>
#include <zyr/chart/rchart.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

using namespace zyr;

constexpr int kItems = 1'000'000;

class PanChart : public TRChart {
 public:
  explicit PanChart(bool cached) {
    FUseLineRunCache = cached;
    SetBounds(0, 0, 1000, 700);
    std::mt19937 rng(7);
    std::normal_distribution<double> step(0, 1);
    double y = 0;
    MoveTo(0.0, 0.0);
    for (int i = 1; i < kItems; ++i) DrawTo(double(i), y += step(rng));
    AutoRange(1, 2);
    WindowPicture();
  }
};

// Steps of 1% of the X range to the right and back, so the picture stays comparable.
void PanSteps(benchmark::State& state, bool cached) {
  PanChart c(cached);
  const double xLo = c.ScalePropsX(1).RangeLow(), xHi = c.ScalePropsX(1).RangeHigh();
  const double yLo = c.ScalePropsY(1).RangeLow(), yHi = c.ScalePropsY(1).RangeHigh();
  const double dx = (xHi - xLo) / 100;
  int k = 0;
  for (auto _ : state) {
    const double s = (k++ % 20 < 10 ? k % 10 : 10 - k % 10) * dx;
    // The range change repaints by itself.
    c.ForceRange(1, xLo + s, yLo, xHi + s, yHi, false, false);
    c.ChartBmp().Canvas().Flush();
  }
  state.SetLabel(cached ? "1M line items, cached" : "1M line items, from the records");
}

void BM_PanStep(benchmark::State& state) { PanSteps(state, true); }
BENCHMARK(BM_PanStep)->Unit(benchmark::kMillisecond);

void BM_PanStepUncached(benchmark::State& state) { PanSteps(state, false); }
BENCHMARK(BM_PanStepUncached)->Unit(benchmark::kMillisecond);

// One wheel notch at the middle of the data area, in and out in turn: the zoom about the
// pointer and the full repaint it causes, on the same budget as a pan step.
void BM_WheelStep(benchmark::State& state) {
  PanChart c(true);
  c.SetMouseWheelZoom(true);
  const TPoint mid{c.MarginLeft() + c.DataAreaWidth() / 2, c.MarginTop() + c.DataAreaHeight() / 2};
  int k = 0;
  for (auto _ : state) {
    c.DoMouseWheel(0, k++ % 2 ? -120 : 120, mid);
    c.ChartBmp().Canvas().Flush();
  }
  state.SetLabel("1M line items, cached");
}
BENCHMARK(BM_WheelStep)->Unit(benchmark::kMillisecond);

void BM_FindNearestScreen(benchmark::State& state) {
  PanChart c(true);
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> ux(0, kItems), uy(-300, 300);
  for (auto _ : state) {
    double d = 0;
    benchmark::DoNotOptimize(c.FindNearestItemScreen(ux(rng), uy(rng), tkNotMoveTo, 255, true, d));
  }
}
BENCHMARK(BM_FindNearestScreen)->Unit(benchmark::kMillisecond);

void BM_FindNearestReal(benchmark::State& state) {
  PanChart c(true);
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> ux(0, kItems), uy(-300, 300);
  for (auto _ : state) {
    double d = 0;
    benchmark::DoNotOptimize(c.FindNearestItemReal(ux(rng), uy(rng), tkNotMoveTo, 255, d));
  }
}
BENCHMARK(BM_FindNearestReal)->Unit(benchmark::kMillisecond);

void BM_MemcpyItems(benchmark::State& state) {
  const size_t bytes = size_t(kItems) * sizeof(TrcChartItem);
  std::vector<char> a(bytes, 1), b(bytes, 0);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), bytes);
    benchmark::DoNotOptimize(b.data());
  }
}
BENCHMARK(BM_MemcpyItems)->Unit(benchmark::kMillisecond);

}  // namespace
