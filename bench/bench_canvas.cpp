// SPDX-License-Identifier: MIT
// Throughput of the drawing surface on a 1000 x 700 bitmap, the size of a large chart.
#include <benchmark/benchmark.h>
#include <zyr/platform/host/bitmap.h>

#include <QApplication>
#include <cstdlib>
#include <cmath>
#include <random>

using namespace zyr;

namespace {

std::vector<TPoint> RandomPoints(size_t n, unsigned seed = 1) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> dx(0, 999), dy(0, 699);
  std::vector<TPoint> pts(n);
  for (auto& p : pts) p = {dx(rng), dy(rng)};
  return pts;
}

void BM_LineTo(benchmark::State& st) {
  TBitmap b(1000, 700);
  auto pts = RandomPoints(4096);
  size_t i = 0;
  for (auto _ : st) {
    const TPoint& p = pts[i++ & 4095];
    b.Canvas().LineTo(p.X, p.Y);
  }
  st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_LineTo);

void BM_PolylineShortSegments(benchmark::State& st) {
  // A signal trace: many short segments, the common case of a dense chart.
  TBitmap b(1000, 700);
  std::vector<TPoint> pts(size_t(st.range(0)));
  for (size_t i = 0; i < pts.size(); ++i)
    pts[i] = {int(i * 1000 / pts.size()), 350 + int(300 * std::sin(i * 0.05))};
  for (auto _ : st) b.Canvas().Polyline(pts);
  st.SetItemsProcessed(st.iterations() * int64_t(pts.size()));
}
BENCHMARK(BM_PolylineShortSegments)->Arg(1000)->Arg(100000);

void BM_Rectangle(benchmark::State& st) {
  TBitmap b(1000, 700);
  b.Canvas().Brush().SetColor(clYellow);
  auto pts = RandomPoints(4096);
  size_t i = 0;
  for (auto _ : st) {
    const TPoint& p = pts[i++ & 4095];
    b.Canvas().Rectangle(p.X, p.Y, p.X + 20, p.Y + 12);
  }
  st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_Rectangle);

void BM_TextOut(benchmark::State& st) {
  TBitmap b(1000, 700);
  b.Canvas().Brush().SetStyle(bsClear);
  auto pts = RandomPoints(4096);
  size_t i = 0;
  for (auto _ : st) {
    const TPoint& p = pts[i++ & 4095];
    b.Canvas().TextOut(p.X, p.Y, "1.25e-3");
  }
  st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_TextOut);

void BM_XorLine(benchmark::State& st) {
  TBitmap b(1000, 700);
  b.Canvas().Pen().SetMode(pmXor);
  b.Canvas().Pen().SetColor(clWhite);
  for (auto _ : st) {
    b.Canvas().MoveTo(0, 350);
    b.Canvas().LineTo(999, 350);
  }
  st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_XorLine);

}  // namespace
