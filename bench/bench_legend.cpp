// SPDX-License-Identifier: MIT
// Drawing a 10-entry legend: the legend alone onto a picture, and a cross-hair move on a chart
// that shows one (the legend is drawn again over the cached picture each time).

#include <benchmark/benchmark.h>
#include <zyr/chart/rchart.h>

#include <cmath>

namespace {

using namespace zyr;

void Prepare(TRChart& c) {
  c.SetBounds(0, 0, 1000, 700);
  c.SetRange(1, 0, -1, 10, 1);
  for (int k = 0; k < 10; ++k) {
    c.SetDataColor(TColor(0x1F77B4 * (k + 1)) & 0xFFFFFF);
    c.SetClassDefault(uint8_t(k));
    c.MoveTo(0.0, 0.0);
    for (int i = 1; i <= 100; ++i) c.DrawTo(i / 10.0, std::sin(i / 10.0 + k) * 0.9);
    if (k % 2) c.MarkAt(5.0, std::sin(5.0 + k) * 0.9, uint8_t(16 + k));
    c.AddLegendEntry("curve number " + std::to_string(k + 1));
  }
  c.Legend().SetVisible(true);
  c.WindowPicture();
}

void BM_LegendDraw(benchmark::State& state) {
  TRChart c;
  Prepare(c);
  const TChartLegend& lg = c.Legend();
  TBitmap bmp(400, 300);
  for (auto _ : state) {
    const TChartLegend::TLayout L = lg.Layout(bmp.Canvas());
    lg.Draw(bmp.Canvas(), 10, 10, L, [&](int cls) { return !c.ClassVisible(cls); });
    bmp.Canvas().Flush();
  }
  state.SetLabel("10 entries, measured and drawn");
}
BENCHMARK(BM_LegendDraw)->Unit(benchmark::kMicrosecond);

void BM_CrossHairMoveOverLegend(benchmark::State& state) {
  TRChart c;
  Prepare(c);
  c.Legend().SetVisible(state.range(0) != 0);
  c.CrossHairSetup(1, clRed, 3, psDashDotDot, 1);
  int i = 0;
  for (auto _ : state) {
    c.CrossHairSetPos(1, (i++ % 100) / 10.0, 0.0);
    c.WindowPicture();
  }
  state.SetLabel(state.range(0) ? "legend shown" : "no legend");
}
BENCHMARK(BM_CrossHairMoveOverLegend)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
