// SPDX-License-Identifier: MIT
// Full repaint of a 1000 x 700 chart (frame, scales, grid, items, window copy): a random walk
// of 10,000 and of 1,000,000 points, 100,000 small-circle marks, 10,000 mixed items of every
// kind, and ShowGraf of the million points, next to a memcpy of the items' bytes.

#include <benchmark/benchmark.h>
#include <zyr/chart/rchart.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

using namespace zyr;

class BenchChart : public TRChart {
 public:
  void PaintNow() { Paint(); }
};

void RandomWalk(BenchChart& c, int n) {
  std::mt19937 rng(7);
  std::normal_distribution<double> step(0, 1);
  double y = 0;
  c.MoveTo(0.0, 0.0);
  for (int i = 1; i < n; ++i) c.DrawTo(double(i), y += step(rng));
}

void Marks(BenchChart& c, int n) {
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> u(0, 100);
  c.SetDataColor(clBlue);
  for (int i = 0; i < n; ++i) c.MarkAt(u(rng), u(rng), 16);  // small open circle
}

void Mixed(BenchChart& c, int n) {
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> u(0, 100);
  for (int i = 0; i < n; ++i) {
    const double x = u(rng), y = u(rng);
    c.SetDataColor(TColor(rng() & 0xFFFFFF));
    switch (i % 12) {
      case 0: c.MoveTo(x, y); break;
      case 1: c.DrawTo(x, y); break;
      case 2: c.MarkAt(x, y, uint8_t(i % 52)); break;
      case 3: c.Line(x, y, x + 3, y + 2); break;
      case 4: c.Rectangle(x, y, x + 2, y + 2); break;
      case 5: c.Ellipse(x, y, 1.5, 1.0); break;
      case 6: c.Arc(x, y, 2.0, 1.5, 0.2, 2.0); break;
      case 7: c.Arrow(x, y, x + 4, y + 3, 6); break;
      case 8: c.Bar3D(x, y, x + 2, y + 4, 5, 45); break;
      case 9: c.Text(x, y, 8, "label"); break;
      case 10: c.MarkErrorBar(x, y, 1, 2, 0, 19); break;
      default: c.RectFrame(x, y, x + 3, y + 2, 2, clGray, clWhite); break;
    }
  }
}

void Prepare(BenchChart& c, int kind, int n) {
  c.SetBounds(0, 0, 1000, 700);
  c.SetGridStyle(gsDotLines);
  if (kind == 0) RandomWalk(c, n);
  if (kind == 1) Marks(c, n);
  if (kind == 2) Mixed(c, n);
  c.AutoRange(1, 2);
  c.WindowPicture();
}

void BM_ChartPaint(benchmark::State& state) {
  BenchChart c;
  const int kind = int(state.range(0)), n = int(state.range(1));
  Prepare(c, kind, n);
  for (auto _ : state) {
    c.PaintNow();
    c.ChartBmp().Canvas().Flush();
  }
  static const char* names[] = {"random walk", "marks", "mixed"};
  state.SetLabel(std::to_string(n) + " items, " + names[kind]);
}
BENCHMARK(BM_ChartPaint)
    ->Args({0, 10'000})
    ->Args({0, 1'000'000})
    ->Args({1, 100'000})
    ->Args({2, 10'000})
    ->Unit(benchmark::kMillisecond);

void BM_ShowGrafMillion(benchmark::State& state) {
  BenchChart c;
  Prepare(c, 0, 1'000'000);
  for (auto _ : state) {
    c.ShowGraf();
    c.ChartBmp().Canvas().Flush();
  }
}
BENCHMARK(BM_ShowGrafMillion)->Unit(benchmark::kMillisecond);

void BM_MemcpyMillionItems(benchmark::State& state) {
  const size_t bytes = 1'000'000 * sizeof(TrcChartItem);
  std::vector<char> a(bytes, 1), b(bytes, 0);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), bytes);
    benchmark::DoNotOptimize(b.data());
  }
}
BENCHMARK(BM_MemcpyMillionItems)->Unit(benchmark::kMillisecond);

}  // namespace
