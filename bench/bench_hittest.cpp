// SPDX-License-Identifier: MIT
// Hit testing over a chart of 1,000,000 line items at 1000 x 700: time per query of the
// nearest-item searches in world and in pixel distance.

#include <benchmark/benchmark.h>
#include <zyr/chart/rchart.h>

#include <QApplication>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kItems = 1'000'000;

// A noisy sine over 0..1000 with one pen, as a measured curve would be.
std::unique_ptr<zyr::TRChart> BigChart() {
  auto c = std::make_unique<zyr::TRChart>();
  c->SetAllocSize(kItems);
  c->SetBounds(0, 0, 1000, 700);
  c->SetRange(1, 0, -1.5, 1000, 1.5);
  c->MoveTo(0.0, 0.0);
  for (int i = 1; i < kItems; ++i) {
    const double x = i * 1e-3;
    c->DrawTo(x, std::sin(x / 20) + 0.1 * std::sin(x * 7.3));
  }
  return c;
}

zyr::TRChart& Chart() {
  static std::unique_ptr<zyr::TRChart> c = BigChart();
  return *c;
}

// Query points spread over the plot, so that no single answer is cached by the CPU.
double QueryX(int64_t k) { return double((k * 7919) % 1000); }
double QueryY(int64_t k) { return double((k * 104729) % 300) / 100.0 - 1.5; }

void BM_FindNearestItemReal(benchmark::State& state) {
  zyr::TRChart& c = Chart();
  int64_t k = 0;
  for (auto _ : state) {
    double d;
    benchmark::DoNotOptimize(c.FindNearestItemReal(QueryX(k), QueryY(k), zyr::tkNotMoveTo, 255, d));
    ++k;
  }
  state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_FindNearestItemReal)->Unit(benchmark::kMillisecond);

void BM_FindNearestItemScreen(benchmark::State& state) {
  zyr::TRChart& c = Chart();
  int64_t k = 0;
  for (auto _ : state) {
    double d;
    benchmark::DoNotOptimize(
        c.FindNearestItemScreen(QueryX(k), QueryY(k), zyr::tkNotMoveTo, 255, true, d));
    ++k;
  }
  state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_FindNearestItemScreen)->Unit(benchmark::kMillisecond);

}  // namespace

// Charts are widgets, so the program needs an application object (headless).
