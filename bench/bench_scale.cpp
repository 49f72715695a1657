// SPDX-License-Identifier: MIT
// Tick computation and drawing throughput of one 1000-pixel horizontal scale with labels.
#include <benchmark/benchmark.h>
#include <zyr/platform/host/bitmap.h>
#include <zyr/platform/host/datetime.h>
#include <zyr/scales/scale.h>

#include <QApplication>

using namespace zyr;

namespace {

enum Kind { kLinear, kLog, kDate };

void Setup(TScale& s, Kind kind) {
  s.SetBounds(0, 0, 1040, 60);
  s.SetScaleType(1);
  s.SetMinTicks(10);
  switch (kind) {
    case kLinear:
      s.SetRange(-250, 1250);
      break;
    case kLog:
      s.SetRange(0.01, 1e5);
      s.SetLogarithmic(true);
      break;
    case kDate:
      s.SetLabelType(3);
      s.SetRange(EncodeDate(2024, 3, 1) + 0.3, EncodeDate(2024, 3, 4));
      break;
  }
}

// DrawXScale on a kept bitmap: tick rules, label texts and canvas output.
void BM_DrawXScale(benchmark::State& st) {
  TScale s;
  Setup(s, Kind(st.range(0)));
  s.SetTransparent(true);
  TBitmap bmp(1040, 60);
  for (auto _ : st) {
    s.DrawXScale(bmp.Canvas(), 20);
    benchmark::DoNotOptimize(s.NumTicks());
  }
  bmp.Canvas().Flush();
}
BENCHMARK(BM_DrawXScale)->Arg(kLinear)->Arg(kLog)->Arg(kDate)->Unit(benchmark::kMicrosecond);

// The whole opaque paint cycle onto a foreign canvas (bitmap, background, frame, copy).
void BM_PaintOpaque(benchmark::State& st) {
  TScale s;
  Setup(s, Kind(st.range(0)));
  s.SetIsHelper(true);
  TBitmap target(1040, 60);
  s.UseForeignCanvas(&target.Canvas(), 0, 0);
  for (auto _ : st) s.ForcePaint();
  target.Canvas().Flush();
}
BENCHMARK(BM_PaintOpaque)->Arg(kLinear)->Arg(kLog)->Arg(kDate)->Unit(benchmark::kMicrosecond);

}  // namespace
