// SPDX-License-Identifier: MIT
// The chart's frame: a full repaint of a 1000 x 700 chart with four scales, a dotted grid and
// a caption but no items, the same with a line of 100,000 points, the first paint of a new
// chart (nothing cached yet), the frame drawn without its kept picture (texts measured before
// or not), and the repaint after only the data changed.

#include <benchmark/benchmark.h>
#include <zyr/chart/rchart.h>
#include <zyr/platform/host/textlayouts.h>

#include <random>

namespace {

using namespace zyr;

class FrameChart : public TRChart {
 public:
  explicit FrameChart(bool Show = true) {
    SetBounds(0, 0, 1000, 700);
    SetStdLayout(rcl_X2Both_Y2Both);
    SetGridStyle(gsDotLines);
    SetCaption("Frame benchmark");
    SetRange(1, 0, -300, 100'000, 300);
    SetRange(2, -5, 0.1, 5, 1000);
    Scale2Y().SetLogarithmic(true);
    if (Show) WindowPicture();
  }
  void PaintNow() {
    Paint();
    ChartBmp().Canvas().Flush();
  }
};

void RandomWalk(TCustomRChart& c, int n) {
  std::mt19937 rng(7);
  std::normal_distribution<double> step(0, 1);
  double y = 0;
  c.MoveTo(0.0, 0.0);
  for (int i = 1; i < n; ++i) c.DrawTo(double(i), y += step(rng));
}

void BM_EmptyFrame(benchmark::State& state) {
  FrameChart c;
  c.PaintNow();
  for (auto _ : state) c.PaintNow();
}
BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMicrosecond);

// The frame drawn at every paint (no kept picture) with the texts measured before.
void BM_EmptyFrameDrawn(benchmark::State& state) {
  FrameChart c;
  c.SetFrameCaching(false);
  c.PaintNow();
  for (auto _ : state) c.PaintNow();
}
BENCHMARK(BM_EmptyFrameDrawn)->Unit(benchmark::kMicrosecond);

// The same with no text measured or laid out before.
void BM_EmptyFrameDrawnColdText(benchmark::State& state) {
  FrameChart c;
  c.SetFrameCaching(false);
  c.PaintNow();
  for (auto _ : state) {
    state.PauseTiming();
    TTextLayouts::Clear();
    state.ResumeTiming();
    c.PaintNow();
  }
}
BENCHMARK(BM_EmptyFrameDrawnColdText)->Unit(benchmark::kMicrosecond);

void BM_Line100k(benchmark::State& state) {
  FrameChart c;
  RandomWalk(c, 100'000);
  c.PaintNow();
  for (auto _ : state) c.PaintNow();
}
BENCHMARK(BM_Line100k)->Unit(benchmark::kMicrosecond);

// The data changes between the paints, the frame does not.
void BM_Line100kDataChanged(benchmark::State& state) {
  FrameChart c;
  RandomWalk(c, 100'000);
  c.PaintNow();
  int k = 0;
  for (auto _ : state) {
    state.PauseTiming();
    c.DrawTo(100'000.0, double(++k % 50));
    state.ResumeTiming();
    c.PaintNow();
  }
}
BENCHMARK(BM_Line100kDataChanged)->Unit(benchmark::kMicrosecond);

// Nothing cached: the first paint of a new chart.
void BM_EmptyFrameFirstPaint(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto c = std::make_unique<FrameChart>(false);
    state.ResumeTiming();
    c->WindowPicture();
    state.PauseTiming();
    c.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_EmptyFrameFirstPaint)->Unit(benchmark::kMicrosecond);

// The second paint with the same settings, which keeps the frame and the grid.
void BM_EmptyFrameSecondPaint(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto c = std::make_unique<FrameChart>();
    state.ResumeTiming();
    c->PaintNow();
    state.PauseTiming();
    c.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_EmptyFrameSecondPaint)->Unit(benchmark::kMicrosecond);

}  // namespace
