// SPDX-License-Identifier: MIT
// Full paints of a 1000 x 700 chart drawn smooth (Antialiased) beside the same paints drawn
// aliased in the same run: a 1,000,000-point line (target: at most 3 times the aliased paint),
// 100,000 circle marks and 10,000 mixed items.

#include <benchmark/benchmark.h>
#include <zyr/chart/rchart.h>

#include <cmath>
#include <random>

namespace {

using namespace zyr;

void Line(TRChart& c) {
  std::mt19937 rng(1);
  std::normal_distribution<double> noise(0, 0.05);
  c.MoveTo(0.0, 0.0);
  for (int i = 1; i < 1000000; ++i) c.DrawTo(i * 1e-5, std::sin(i * 1e-4) + noise(rng));
}

void Circles(TRChart& c) {
  std::mt19937 rng(2);
  std::uniform_real_distribution<double> x(0, 10), y(-1, 1);
  c.SetFillColor(clYellow);
  for (int i = 0; i < 100000; ++i) c.MarkAt(x(rng), y(rng), 2);  // circles
}

void Mixed(TRChart& c) {
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> x(0, 10), y(-1, 1);
  for (int i = 0; i < 10000; ++i) {
    c.SetDataColor(TColor(0x1F77B4 * (i % 10 + 1)) & 0xFFFFFF);
    const double a = x(rng), b = y(rng);
    switch (i % 5) {
      case 0:
        c.Line(a, b, a + 0.3, b + 0.2);
        break;
      case 1:
        c.MarkAt(a, b, uint8_t(i % 20));
        break;
      case 2:
        c.Arrow(a, b, a + 0.2, b - 0.1, 6);
        break;
      case 3:
        c.Rectangle(a, b, a + 0.15, b + 0.1);
        break;
      default:
        c.DrawTo(a, b);
        break;
    }
  }
}

template <void (*Fill)(TRChart&)>
void BM_FullPaint(benchmark::State& state) {
  TRChart c;
  c.SetBounds(0, 0, 1000, 700);
  c.SetRange(1, 0, -1.5, 10, 1.5);
  Fill(c);
  c.SetAntialiased(state.range(0) != 0);
  c.WindowPicture();
  for (auto _ : state) {
    c.Repaint();
    benchmark::DoNotOptimize(c.WindowPicture().constBits());
  }
  state.SetLabel(state.range(0) ? "antialiased" : "aliased");
}
BENCHMARK(BM_FullPaint<Line>)->Name("BM_Line1M")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullPaint<Circles>)
    ->Name("BM_Circles100k")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullPaint<Mixed>)->Name("BM_Mixed10k")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
