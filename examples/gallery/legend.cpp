// SPDX-License-Identifier: MIT
// Gallery page "chart-legend": a two-curve chart with its legend at each of the nine places
// inside the data area and beside it (right and below), in one picture.
#include <zyr/chart/rchart.h>

#include <QPainter>
#include <cmath>
#include <memory>

#include "gallery.h"

using namespace zyr;

namespace {

constexpr int kCellW = 330, kCellH = 230;

void Build(TRChart& c, TLegendAnchor Anchor, int W, int H) {
  c.SetBounds(0, 0, W, H);
  c.SetRange(1, 0, -1.4, 10, 1.4);
  c.SetGridStyle(gsDotLines);
  c.SetGridColor(clSilver);
  c.SetClassDefault(1);
  c.SetDataColor(clNavy);
  c.SetLineWidth(2);
  c.MoveTo(0.0, 0.0);
  for (int i = 1; i <= 200; ++i) c.DrawTo(i / 20.0, std::sin(i / 20.0));
  c.AddLegendEntry("sin x");
  c.SetClassDefault(2);
  c.SetDataColor(clRed);
  c.SetLineWidth(1);
  c.SetFillColor(clYellow);
  for (int i = 0; i <= 20; ++i) c.MarkAt(i / 2.0, std::cos(i / 2.0), 24);
  c.AddLegendEntry("cos x (samples)");
  TLegendEntry band;
  band.Caption = "tolerance";
  band.ShowBox = true;
  band.LineColor = clGray;
  band.BoxColor = 0xE0E0E0;
  c.Legend().Add(band);
  c.Legend().SetAnchor(Anchor);
  c.Legend().SetVisible(true);
  c.Legend().SetClickTogglesClass(true);
  static const char* const names[] = {"top left",      "top centre",    "top right",
                                      "centre left",   "centre",        "centre right",
                                      "bottom left",   "bottom centre", "bottom right",
                                      "outside right", "outside bottom"};
  c.SetCaption(std::string(names[Anchor]));
}

QImage Render() {
  QImage sheet(4 * kCellW, 3 * kCellH, QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter p(&sheet);
  for (int a = laTopLeft; a <= laOutsideBottom; ++a) {
    auto c = std::make_unique<TRChart>();
    Build(*c, TLegendAnchor(a), kCellW, kCellH);
    p.drawImage((a % 4) * kCellW, (a / 4) * kCellH, c->WindowPicture());
  }
  return sheet;
}

}  // namespace

static GalleryRegistrar reg({"chart-legend", Render, [](QWidget* parent) -> QWidget* {
                               auto* c = new TRChart(parent);
                               Build(*c, laTopRight, 720, 480);
                               return c;
                             }});
