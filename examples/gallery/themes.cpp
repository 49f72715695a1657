// SPDX-License-Identifier: MIT
// Gallery page "chart-themes": the same two-curve chart in the Classic, Modern and Dark
// themes side by side.
#include <zyr/chart/rchart.h>

#include <QPainter>
#include <cmath>
#include <memory>

#include "gallery.h"

using namespace zyr;

namespace {

constexpr int kCellW = 420, kCellH = 300;

void Build(TRChart& c, const TChartTheme& Theme, int W, int H) {
  c.SetBounds(0, 0, W, H);
  c.ApplyTheme(Theme);
  c.SetRange(1, 0, -1.4, 10, 1.4);
  if (Theme.GridStyle == 0) c.SetGridStyle(gsDotLines);
  c.SetCaption(Theme.Name + " theme");
  c.Scale1X().SetCaption("time [s]");
  c.Scale1Y().SetCaption("signal [V]");
  c.SetLineWidth(2);
  c.NextDataColor();
  c.SetClassDefault(1);
  c.MoveTo(0.0, 0.0);
  for (int i = 1; i <= 200; ++i) c.DrawTo(i / 20.0, std::sin(i / 20.0));
  c.AddLegendEntry("sin x");
  c.NextDataColor();
  c.SetClassDefault(2);
  c.MoveTo(0.0, 0.8);
  for (int i = 1; i <= 200; ++i)
    c.DrawTo(i / 20.0, 0.8 * std::cos(i / 13.0) * std::exp(-i / 300.0));
  c.AddLegendEntry("damped cos");
  c.Legend().SetAnchor(laTopRight);
  c.Legend().SetVisible(true);
  c.ShowGraf();
}

QImage Render() {
  QImage sheet(3 * kCellW, kCellH, QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter p(&sheet);
  const TChartTheme themes[3] = {TChartTheme::Classic(), TChartTheme::Modern(),
                                 TChartTheme::Dark()};
  for (int i = 0; i < 3; ++i) {
    auto c = std::make_unique<TRChart>();
    Build(*c, themes[i], kCellW, kCellH);
    p.drawImage(i * kCellW, 0, c->WindowPicture());
  }
  return sheet;
}

}  // namespace

static GalleryRegistrar reg({"chart-themes", Render, [](QWidget* parent) -> QWidget* {
                               auto* c = new TRChart(parent);
                               Build(*c, TChartTheme::Modern(), 720, 480);
                               return c;
                             }});
