// SPDX-License-Identifier: MIT
// Full repaint of a 1000 x 700 chart that carries one 4 MB text: as the caption, a text item,
// a text label or a tick label. Goal: each stays under 50 ms, near the plain chart.

#include <benchmark/benchmark.h>
#include <zyr/chart/rchart.h>

#include <string>

namespace {

using namespace zyr;

class BenchChart : public TRChart {
 public:
  void PaintNow() { Paint(); }
};

std::string HugeText() {
  std::string s;
  s.reserve(4u << 20);
  while (s.size() < (4u << 20)) s += "The quick brown fox jumps over the lazy dog. ";
  return s;
}

enum TWhere { wNone, wCaption, wItem, wLabel, wTick };

void BM_PaintWithHugeText(benchmark::State& st) {
  const TWhere where = TWhere(st.range(0));
  BenchChart c;
  c.SetBounds(0, 0, 1000, 700);
  c.SetRange(1, 0, 0, 10, 10);
  const std::string text = HugeText();
  switch (where) {
    case wCaption:
      c.SetChartCaption(text);
      c.SetCaptionAlignment(taCenter);
      break;
    case wItem:
      c.Text(5.0, 5.0, 10, text);
      break;
    case wLabel:
      c.AddTextLabel(5, 5, clBlack, text, 0);
      break;
    case wTick:
      c.OnBeforeTickLabel = [&text](TObject*, TScaleType, double, std::string& s) { s = text; };
      break;
    default:
      break;
  }
  c.WindowPicture();  // the window exists, so painting is enabled
  for (auto _ : st) {
    c.PaintNow();
    c.ChartBmp().Canvas().Flush();
  }
}
BENCHMARK(BM_PaintWithHugeText)
    ->ArgName("where")
    ->Arg(wNone)
    ->Arg(wCaption)
    ->Arg(wItem)
    ->Arg(wLabel)
    ->Arg(wTick)
    ->Unit(benchmark::kMillisecond);

}  // namespace
