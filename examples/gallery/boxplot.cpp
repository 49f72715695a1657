// SPDX-License-Identifier: MIT
// Gallery page "boxplot": nine distributions as vertical boxes with percentile lines and a
// highlighted box, and the same data as horizontal boxes with median marks and a grid.
#include <zyr/chart/boxplot.h>
#include <zyr/platform/numerics/math1.h>

#include <QPainter>
#include <cmath>
#include <memory>

#include "gallery.h"

using namespace zyr;

namespace {

void FillSamples(TDataTable& t) {
  GRandomSeed(42);
  const char* names[] = {"normal",   "wide",    "skewed", "log-norm", "uniform",
                         "outliers", "bimodal", "short",  "shifted"};
  t.BeginUpdate();
  t.Resize(9, 200);
  for (int c = 1; c <= 9; ++c) t.SetColName(c, names[c - 1]);
  for (int r = 1; r <= 200; ++r) {
    t.SetElem(1, r, GRandom(10, 1.5));
    t.SetElem(2, r, GRandom(10, 4));
    t.SetElem(3, r, 4 - 3 * std::log(1 - URandom()));
    t.SetElem(4, r, std::exp(GRandom(2, 0.35)));
    t.SetElem(5, r, 5 + 10 * URandom());
    t.SetElem(6, r, r % 40 == 0 ? 22 + 3 * URandom() : GRandom(9, 1));
    t.SetElem(7, r, r % 2 ? GRandom(6, 1) : GRandom(14, 1));
    if (r <= 12) t.SetElem(8, r, GRandom(12, 2));
    t.SetElem(9, r, GRandom(16, 2));
  }
  t.EndUpdate();
}

void BuildVertical(TBoxPlot& bp) {
  bp.SetBounds(0, 0, 640, 400);
  bp.SetChartCaption("vertical, percentiles, box 4 highlighted");
  bp.OnBeforeBoxDraw = [](TObject*, int col, TColor& lines, TColor& body, TColor&, TColor&, TColor&,
                          TColor&) {
    if (col == 4) {
      body = 0x8080FF;  // light red
      lines = clMaroon;
    }
  };
  bp.HandleNeeded();
  FillSamples(bp.Data());
  bp.SetShow90Perc(true);
  bp.SetColorBody(0xF0D8B0);
  bp.AutoRange(15);  // room for the column labels below the lowest whisker
}

void BuildHorizontal(TBoxPlot& bp) {
  bp.SetBounds(0, 0, 560, 400);
  bp.SetMarginLeft(20);
  bp.SetMarginBottom(36);
  bp.HandleNeeded();
  bp.SetOrientation(bpltHorizontal);
  bp.SetChartCaption("horizontal, median marks, grid");
  FillSamples(bp.Data());
  bp.SetGridStyle(bpgsDotLines);
  bp.SetSymbolMedian(3);
  bp.SetColorMedian(clGreen);
  bp.Labels().SetMode(2);
  bp.Labels().SetColorBkg(clCream);
  // Room on the right for the column labels.
  bp.AutoRange(5);
  const double lo = bp.Scale1X().RangeLow(), hi = bp.Scale1X().RangeHigh();
  bp.SetRange(lo, 0, hi + 0.25 * (hi - lo), 10);
}

QImage Render() {
  auto v = std::make_unique<TBoxPlot>();
  BuildVertical(*v);
  auto h = std::make_unique<TBoxPlot>();
  BuildHorizontal(*h);
  const QImage a = v->WindowPicture(), b = h->WindowPicture();
  QImage out(a.width() + b.width(), std::max(a.height(), b.height()), QImage::Format_RGB32);
  out.fill(Qt::white);
  QPainter p(&out);
  p.drawImage(0, 0, a);
  p.drawImage(a.width(), 0, b);
  return out;
}

}  // namespace

static GalleryRegistrar reg({"boxplot", Render, [](QWidget* parent) -> QWidget* {
                               auto* bp = new TBoxPlot(parent);
                               BuildVertical(*bp);
                               bp->SetMouseAction(11);
                               return bp;
                             }});
