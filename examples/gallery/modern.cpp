// SPDX-License-Identifier: MIT
// Gallery page "modern": the surface plot, the rotatable 3D plot, the contour plot, the gauge
// and the colour scale in the Modern theme.
#include <zyr/chart/contourplot.h>
#include <zyr/plot3d/plot3d.h>
#include <zyr/plot3d/rot3d.h>
#include <zyr/scales/colorscale.h>
#include <zyr/scales/gauge.h>

#include <QPainter>
#include <cmath>
#include <memory>

#include "gallery.h"

using namespace zyr;

namespace {

constexpr int kW = 420, kH = 340;

QImage Surface(const TChartTheme& t) {
  TPlot3D p;
  p.SetBounds(0, 0, kW, kH);
  p.ApplyTheme(t);
  p.SetSuppressPaint(true);
  const int n = 40;
  p.GridMat.Resize(n, n);
  for (int iy = 1; iy <= n; ++iy)
    for (int ix = 1; ix <= n; ++ix) {
      const double x = -8 + 16.0 * (ix - 1) / (n - 1), y = -8 + 16.0 * (iy - 1) / (n - 1);
      const double r = std::hypot(x, y);
      p.GridMat.SetElem(ix, iy, r < 1e-9 ? 1 : std::sin(r) / r);
    }
  p.SetRange(-8, 8, -8, 8, -0.4, 1.1);
  p.SetColorLow(RGB(31, 119, 180));
  p.SetColorMid(RGB(44, 160, 44));
  p.SetColorHigh(RGB(255, 127, 14));
  p.SetMagnification(0.62);
  p.SetSuppressPaint(false);
  return p.WindowPicture().copy();
}

QImage Helix(const TChartTheme& t) {
  TRot3D r;
  r.SetBounds(0, 0, kW, kH);
  r.ApplyTheme(t);
  for (int i = 0; i <= 240; ++i) {
    const double a = i * 6 * M_PI / 240;
    if (i == 0)
      r.Moveto(std::cos(a), std::sin(a), a / (3 * M_PI) - 1.0);
    else
      r.Drawto(std::cos(a), std::sin(a), a / (3 * M_PI) - 1.0);
  }
  r.SetColorData(RGB(255, 127, 14));
  for (int i = 0; i <= 240; i += 20) {
    const double a = i * 6 * M_PI / 240;
    r.MarkAt(std::cos(a), std::sin(a), a / (3 * M_PI) - 1.0, 20);
  }
  r.SetBoundBoxSize(1000);
  r.MakeVisible();
  return r.WindowPicture().copy();
}

// Iso lines, drawn smooth as the theme is antialiased; the Dark plot keeps the theme's level
// colours, which read on its ground.
QImage Contour(const TChartTheme& t, bool ownColours) {
  TContourPlot cp;
  cp.SetBounds(0, 0, kW, kH);
  cp.HandleNeeded();
  cp.ApplyTheme(t);
  cp.SetCaption("contour plot");
  if (ownColours)
    cp.IsoColors.Fill(20,
                      {RGB(31, 119, 180), RGB(44, 160, 44), RGB(255, 127, 14), RGB(214, 39, 40)});
  cp.SetIsoParams(-1.2, 1.2, 0.1);
  cp.SetPlotMode(cpmDots);
  cp.OnEstimateZVal = [](TObject*, double x, double y, int, int, double& z, uint8_t&) {
    z = 1.1 * std::exp(-((x - 1.8) * (x - 1.8) + (y - 1.2) * (y - 1.2)) / 3.0) -
        1.2 * std::exp(-((x + 0.8) * (x + 0.8) + (y + 2.4) * (y + 2.4)) / 4.0);
  };
  cp.DrawPlot();
  return cp.WindowPicture().copy();
}

QImage Gauge(const TChartTheme& t) {
  TScaleGauge g;
  g.SetBounds(0, 0, kW, kH / 2);
  g.ApplyTheme(t);
  g.SetCaption("pressure [bar]");
  g.SetValue(6.5);
  return g.WindowPicture().copy();
}

QImage ColourScale(const TChartTheme& t) {
  TColorScale cs;
  cs.SetBounds(0, 0, kW, kH / 2);
  cs.ApplyTheme(t);
  cs.SetMarginTop(40);
  cs.SetCaption("temperature [K]");
  return cs.WindowPicture().copy();
}

QImage Render() {
  const TChartTheme t = TChartTheme::Modern();
  QImage sheet(3 * kW, 2 * kH, QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter p(&sheet);
  p.drawImage(0, 0, Surface(t));
  p.drawImage(kW, 0, Helix(t));
  p.drawImage(2 * kW, 0, Contour(t, true));
  p.drawImage(0, kH, Gauge(t));
  p.drawImage(0, kH + kH / 2, ColourScale(t));
  p.drawImage(kW, kH, Surface(TChartTheme::Dark()));
  p.drawImage(2 * kW, kH, Contour(TChartTheme::Dark(), false));
  return sheet;
}

}  // namespace

static GalleryRegistrar reg({"modern", Render, nullptr});
