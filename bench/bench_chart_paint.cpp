// Full repaint of a 1000 x 700 chart (frame, scales, grid, items, window copy) for a line of
// 10,000 and of 1,000,000 random-walk points.

#include <benchmark/benchmark.h>
#include <zyr/chart/rchart.h>

#include <QApplication>
#include <random>

namespace {

class BenchChart : public zyr::TRChart {
 public:
  void PaintNow() { Paint(); }
};

void BM_ChartPaint(benchmark::State& state) {
  BenchChart c;
  c.SetBounds(0, 0, 1000, 700);
  c.SetGridStyle(zyr::gsDotLines);
  std::mt19937 rng(7);
  std::normal_distribution<double> step(0, 1);
  double y = 0;
  c.MoveTo(0.0, 0.0);
  for (int i = 1; i < state.range(0); ++i) c.DrawTo(double(i), y += step(rng));
  c.AutoRange(1, 2);
  c.WindowPicture();
  for (auto _ : state) {
    c.PaintNow();
    c.ChartBmp().Canvas().Flush();
  }
  state.SetLabel(std::to_string(state.range(0)) + " items");
}
BENCHMARK(BM_ChartPaint)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
