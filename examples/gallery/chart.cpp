// SPDX-License-Identifier: MIT
// Gallery pages "chart" (a two-layer chart with curves, marks, grid and captions) and
// "chart-layouts" (the five standard layouts side by side).
#include <zyr/chart/rchart.h>

#include <QPainter>
#include <cmath>
#include <memory>

#include "gallery.h"

using namespace zyr;

namespace {

void FillChart(TRChart& c) {
  c.SetSuppressPaint(true);
  c.SetStdLayout(rcl_X1Bottom_Y2Both);
  c.SetShadowWidth(6);
  c.SetCaption("Damped oscillation and its envelope");
  c.SetGridStyle(gsDotLines);
  c.SetGridColor(0xB0B0B0);
  c.BackGroundImg().SetAreaMode(bamVStripe);
  c.BackGroundImg().SetAreaLeft(4);
  c.BackGroundImg().SetAreaRight(6);
  c.BackGroundImg().SetAreaColor(0xF0E8DC);
  c.Scale1X().SetCaption("Time [s]");
  c.Scale1Y().SetCaption("U [mV]");
  c.Scale2Y().SetCaption("E [mJ]");
  c.SetRange(1, 0, -1.2, 10, 1.2);
  c.SetRange(2, 0, 0, 10, 120);

  c.SetActiveLayer(1);
  c.SetDataColor(clBlue);
  c.MoveTo(0.0, 1.0);
  for (int i = 1; i <= 400; ++i) {
    const double t = i * 0.025;
    c.DrawTo(t, std::exp(-0.3 * t) * std::cos(2 * M_PI * 0.8 * t));
  }
  c.SetDataColor(clRed);
  for (int i = 0; i <= 20; ++i) {
    const double t = i * 0.5;
    c.MarkAt(t, std::exp(-0.3 * t), 2);
  }
  c.SetActiveLayer(2);
  c.SetDataColor(0x008000);
  c.MoveTo(0.0, 100.0);
  for (int i = 1; i <= 100; ++i) {
    const double t = i * 0.1;
    c.DrawTo(t, 100 * std::exp(-0.6 * t));
  }
  c.SetActiveLayer(1);
}

QImage RenderChart() {
  TRChart c;
  c.SetBounds(0, 0, 720, 460);
  FillChart(c);
  return c.WindowPicture().copy();
}

QImage RenderLayouts() {
  const int w = 330, h = 250, gap = 8;
  QImage img(3 * w + 4 * gap, 2 * h + 3 * gap, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  for (int i = 0; i <= int(rcl_X2Both_Y2Both); ++i) {
    TRChart c;
    c.SetBounds(0, 0, w, h);
    c.SetStdLayout(TrcLayout(i));
    c.SetCaption("Layout " + std::to_string(i));
    c.SetGridStyle(gsLines);
    c.SetGridColor(0xD0D0D0);
    c.Scale1X().SetCaption("X1");
    c.Scale1Y().SetCaption("Y1");
    c.Scale2X().SetCaption("X2");
    c.Scale2Y().SetCaption("Y2");
    c.SetRange(1, 0, 0, 10, 10);
    c.SetRange(2, -5, 0, 5, 1000);
    c.SetDataColor(clNavy);
    c.MoveTo(0.0, 5.0);
    for (int k = 1; k <= 50; ++k) c.DrawTo(k / 5.0, std::sin(k / 5.0) * 5 + 5);
    p.drawImage(gap + (i % 3) * (w + gap), gap + (i / 3) * (h + gap), c.WindowPicture());
  }
  return img;
}

GalleryRegistrar regChart({"chart", RenderChart, [](QWidget* parent) -> QWidget* {
                             auto* c = new TRChart(parent);
                             c->SetBounds(0, 0, 720, 460);
                             FillChart(*c);
                             return c;
                           }});
GalleryRegistrar regLayouts({"chart-layouts", RenderLayouts, nullptr});

}  // namespace
