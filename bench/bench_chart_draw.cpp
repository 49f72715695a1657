// SPDX-License-Identifier: MIT
// Item drawing throughput: one million line items and one hundred thousand marks drawn by
// DrawAllItems onto a 1000 x 700 data-area bitmap, next to a memcpy of the item bytes.

#include <benchmark/benchmark.h>
#include <zyr/chart/rchart.h>

#include <QApplication>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int kLineItems = 1'000'000;
constexpr int kMarks = 100'000;

// A chart whose data area is 1000 x 700 pixels.
void SizeChart(zyr::TRChart& c) {
  c.SetBounds(0, 0, 1000 + c.MarginLeft() + c.MarginRight() - 1,
              700 + c.MarginTop() + c.MarginBottom() - 1);
}

void BM_DrawRandomWalk(benchmark::State& state) {
  zyr::TRChart chart;
  SizeChart(chart);
  std::mt19937 rng(1);
  std::normal_distribution<double> step(0, 1);
  double y = 0, lo = 0, hi = 0;
  chart.MoveTo(0.0, 0.0);
  for (int i = 1; i < kLineItems; ++i) {
    y += step(rng);
    lo = std::min(lo, y);
    hi = std::max(hi, y);
    chart.DrawTo(double(i), y);
  }
  chart.SetRange(1, 0, lo, kLineItems, hi);
  zyr::TBitmap bmp(chart.DataAreaWidth(), chart.DataAreaHeight());
  for (auto _ : state) {
    chart.DrawAllItems(bmp.Canvas(), 0, 0, false);
    bmp.Canvas().Flush();
  }
  state.SetItemsProcessed(state.iterations() * kLineItems);
}
BENCHMARK(BM_DrawRandomWalk)->Unit(benchmark::kMillisecond);

// The bytes of the same items copied once: the floor any drawing pass has to stand beside.
void BM_MemcpyItemBytes(benchmark::State& state) {
  const size_t bytes = size_t(kLineItems) * sizeof(zyr::TrcChartItem);
  std::vector<char> src(bytes, 1), dst(bytes);
  for (auto _ : state) {
    std::memcpy(dst.data(), src.data(), bytes);
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kLineItems);
}
BENCHMARK(BM_MemcpyItemBytes)->Unit(benchmark::kMillisecond);

void BM_DrawMarks(benchmark::State& state) {
  zyr::TRChart chart;
  SizeChart(chart);
  std::mt19937 rng(2);
  std::uniform_real_distribution<double> u(0, 1);
  for (int i = 0; i < kMarks; ++i) chart.MarkAt(u(rng), u(rng), uint8_t(state.range(0)));
  chart.SetRange(1, 0, 0, 1, 1);
  zyr::TBitmap bmp(chart.DataAreaWidth(), chart.DataAreaHeight());
  for (auto _ : state) {
    chart.DrawAllItems(bmp.Canvas(), 0, 0, false);
    bmp.Canvas().Flush();
  }
  state.SetItemsProcessed(state.iterations() * kMarks);
}
BENCHMARK(BM_DrawMarks)->Arg(16)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
