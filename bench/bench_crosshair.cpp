// SPDX-License-Identifier: MIT
// One cross-hair move on a 1000 x 700 chart of 1,000,000 line items (a random walk): only the
// overlay is redrawn over the cached picture, so the time does not depend on the items.

#include <benchmark/benchmark.h>
#include <zyr/chart/rchart.h>

#include <random>

namespace {

using namespace zyr;

void Prepare(TRChart& c, int n) {
  c.SetBounds(0, 0, 1000, 700);
  c.SetGridStyle(gsDotLines);
  std::mt19937 rng(7);
  std::normal_distribution<double> step(0, 1);
  double y = 0;
  c.MoveTo(0.0, 0.0);
  for (int i = 1; i < n; ++i) c.DrawTo(double(i), y += step(rng));
  c.AutoRange(1, 2);
  c.CrossHairSetup(1, clRed, 3, psDashDotDot, 1);
  c.CrossHairSetup(2, clBlue, 4, psSolid, 1);
  c.WindowPicture();
}

void BM_CrossHairMove(benchmark::State& state) {
  TRChart c;
  const int n = int(state.range(0));
  Prepare(c, n);
  int i = 0;
  for (auto _ : state) {
    c.CrossHairSetPos(1, double(i % n), 0.0);
    i += 997;
    c.WindowPicture();  // the window copy is finished, not just queued
  }
  state.SetLabel(std::to_string(n) + " line items");
}
BENCHMARK(BM_CrossHairMove)->Arg(1'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
