// SPDX-License-Identifier: MIT
// What the Qt signals of the mouse events cost: a mouse pan step and a cross-hair drag step on
// a 1000 x 700 chart of line items (each step fires its handler's event and emits zoomPan or
// crossHairMove and mouseMoveInChart), with no slot connected and with two slots on each
// signal; and one emit of zoomPan on its own, with and without a slot.

#include <benchmark/benchmark.h>
#include <zyr/chart/rchart.h>

#include <random>

namespace {

using namespace zyr;

class SignalChart : public TRChart {
 public:
  SignalChart(int n, TMouseActMode action) {
    SetBounds(0, 0, 1000, 700);
    std::mt19937 rng(7);
    std::normal_distribution<double> step(0, 1);
    double y = 0;
    MoveTo(0.0, 0.0);
    for (int i = 1; i < n; ++i) DrawTo(double(i), y += step(rng));
    AutoRange(1, 2);
    CrossHairSetup(1, clRed, chmBoth, psSolid, 1);
    CrossHairSetPos(1, n / 2.0, 0.0);
    SetMouseAction(action);
    WindowPicture();
  }
  void EmitZoomPan() { RaiseZoomPan(); }
};

int gSlotCalls = 0;

void ConnectTwoSlots(SignalChart& c) {
  for (int k = 0; k < 2; ++k) {
    QObject::connect(&c, &TCustomRChart::zoomPan, [] { ++gSlotCalls; });
    QObject::connect(&c, &TCustomRChart::crossHairMove, [](TCrossHair*) { ++gSlotCalls; });
    QObject::connect(&c, &TCustomRChart::mouseMoveInChart,
                     [](bool, TShiftState, double, double) { ++gSlotCalls; });
  }
}

// The mouse goes back and forth by a few pixels in the middle of the data area, so the chart
// stays comparable from step to step.
void MouseSteps(benchmark::State& state, TMouseActMode action, bool connected) {
  const int n = int(state.range(0));
  SignalChart c(n, action);
  if (connected) ConnectTwoSlots(c);
  int x = 0, y = 0;
  c.R2M(1, n / 2.0, 0.0, x, y);
  c.MouseDown(mbLeft, ssLeft, x, y);
  c.MouseMove(ssLeft, x, y);
  int k = 0;
  for (auto _ : state) {
    c.MouseMove(ssLeft, x + (k++ % 2 ? 0 : 5), y);
    c.ChartBmp().Canvas().Flush();
    c.WindowPicture();
  }
  c.MouseUp(mbLeft, 0, x, y);
  state.SetLabel(std::to_string(n) +
                 (connected ? " line items, two slots per signal" : " line items, no slot"));
}

void BM_MousePanStep(benchmark::State& state) { MouseSteps(state, TCustomRChart::maPan, false); }
void BM_MousePanStepConnected(benchmark::State& state) {
  MouseSteps(state, TCustomRChart::maPan, true);
}
void BM_CrossHairDragStep(benchmark::State& state) {
  MouseSteps(state, TCustomRChart::maDragCrossHair, false);
}
void BM_CrossHairDragStepConnected(benchmark::State& state) {
  MouseSteps(state, TCustomRChart::maDragCrossHair, true);
}
BENCHMARK(BM_MousePanStep)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MousePanStepConnected)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CrossHairDragStep)->Arg(10'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CrossHairDragStepConnected)->Arg(10'000)->Unit(benchmark::kMillisecond);

void BM_EmitZoomPan(benchmark::State& state) {
  SignalChart c(2, TCustomRChart::maNone);
  if (state.range(0)) QObject::connect(&c, &TCustomRChart::zoomPan, [] { ++gSlotCalls; });
  for (auto _ : state) c.EmitZoomPan();
  state.SetLabel(state.range(0) ? "one slot" : "no slot");
}
BENCHMARK(BM_EmitZoomPan)->Arg(0)->Arg(1);

}  // namespace
