// SPDX-License-Identifier: MIT
// Contour plot on a 1000 x 700 control with 200 x 200 pivots: rebuilding the colour surface
// with estimation by a cheap analytic field, the same with frozen pivots (on all threads of
// Qt's pool and on the calling thread alone), and 20 iso levels as dots and as smooth lines.
// Wall-clock times: the calling thread's CPU time leaves out the pool's helpers.

#include <benchmark/benchmark.h>
#include <zyr/chart/contourplot.h>

#include <QThreadPool>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

using namespace zyr;

// Wall-clock milliseconds; with repetitions also the fastest run, the figure least disturbed
// by other work on a shared machine.
void Timing(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMillisecond)
      ->UseRealTime()
      ->ComputeStatistics("min", [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
      });
}

std::unique_ptr<TContourPlot> Prepared(TContourPlotMode mode) {
  auto cp = std::make_unique<TContourPlot>();
  cp->SetBounds(0, 0, 1000, 700);
  cp->HandleNeeded();
  cp->SetPivotResX(200);
  cp->SetPivotResY(200);
  cp->SetIsoParams(-1, 1, 0.1);  // 20 levels
  cp->IsoColors.Fill(64, {clNavy, clBlue, clAqua, clLime, clYellow, clRed});
  cp->OnEstimateZVal = [](TObject*, double x, double y, int, int, double& z, uint8_t&) {
    z = std::sin(x) * std::cos(0.7 * y);
  };
  cp->SetPlotMode(mode);
  return cp;
}

void BM_ContourColorSurface(benchmark::State& state) {
  auto cp = Prepared(cpmColorSurface);
  for (auto _ : state) cp->DrawPlot();
}
BENCHMARK(BM_ContourColorSurface)->Apply(Timing);

void BM_ContourColorSurfaceFrozen(benchmark::State& state) {
  auto cp = Prepared(cpmColorSurface);
  cp->CalculatePivotPoints(true);
  for (auto _ : state) cp->DrawPlot();
}
BENCHMARK(BM_ContourColorSurfaceFrozen)->Apply(Timing);

// The same on the calling thread alone: the ratio to the above is what the pool brings.
void BM_ContourColorSurfaceFrozenOneThread(benchmark::State& state) {
  QThreadPool* pool = QThreadPool::globalInstance();
  const int threads = pool->maxThreadCount();
  pool->setMaxThreadCount(1);
  auto cp = Prepared(cpmColorSurface);
  cp->CalculatePivotPoints(true);
  for (auto _ : state) cp->DrawPlot();
  pool->setMaxThreadCount(threads);
}
BENCHMARK(BM_ContourColorSurfaceFrozenOneThread)->Apply(Timing);

void BM_ContourIsoDots20(benchmark::State& state) {
  auto cp = Prepared(cpmDots);
  for (auto _ : state) cp->DrawPlot();
}
BENCHMARK(BM_ContourIsoDots20)->Apply(Timing);

// The same levels as smooth lines (Antialiased); the ratio to the above is what they cost.
void BM_ContourIsoLines20Smooth(benchmark::State& state) {
  auto cp = Prepared(cpmDots);
  cp->SetAntialiased(true);
  for (auto _ : state) cp->DrawPlot();
}
BENCHMARK(BM_ContourIsoLines20Smooth)->Apply(Timing);

// Both with frozen pivots: the drawing alone, without the estimation.
void BM_ContourIsoDots20Frozen(benchmark::State& state) {
  auto cp = Prepared(cpmDots);
  cp->CalculatePivotPoints(true);
  for (auto _ : state) cp->DrawPlot();
}
BENCHMARK(BM_ContourIsoDots20Frozen)->Apply(Timing);

void BM_ContourIsoLines20SmoothFrozen(benchmark::State& state) {
  auto cp = Prepared(cpmDots);
  cp->SetAntialiased(true);
  cp->CalculatePivotPoints(true);
  for (auto _ : state) cp->DrawPlot();
}
BENCHMARK(BM_ContourIsoLines20SmoothFrozen)->Apply(Timing);

// What a repaint costs when the picture is cached (a cross-hair move or a caption change).
void BM_ContourCachedRepaint(benchmark::State& state) {
  auto cp = Prepared(cpmColorSurface);
  cp->DrawPlot();
  for (auto _ : state) cp->Repaint();
}
BENCHMARK(BM_ContourCachedRepaint)->Apply(Timing);

}  // namespace
