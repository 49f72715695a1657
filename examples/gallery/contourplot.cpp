// SPDX-License-Identifier: MIT
// Gallery pages "contourplot-modes" (the five plot modes and a masked surface side by side)
// and "contourplot-scale" (a colour surface with its attached colour legend, chart items and
// text labels on top).
#include <zyr/chart/contourplot.h>
#include <zyr/scales/colorscale.h>

#include <QPainter>
#include <cmath>
#include <memory>

#include "gallery.h"

using namespace zyr;

namespace {

// Two hills and a pit, roughly within -1 .. 1 over the default range -5.2 .. 5.2.
double Field(double x, double y) {
  return 1.1 * std::exp(-((x - 1.8) * (x - 1.8) + (y - 1.2) * (y - 1.2)) / 3.0) +
         0.7 * std::exp(-((x + 2.5) * (x + 2.5) + (y - 2.8) * (y - 2.8)) / 2.0) -
         1.2 * std::exp(-((x + 0.8) * (x + 0.8) + (y + 2.4) * (y + 2.4)) / 4.0) +
         0.15 * std::sin(x * 1.3) * std::cos(y * 0.9);
}

void Build(TContourPlot& cp, int w, int h, TContourPlotMode mode, const std::string& caption) {
  cp.SetBounds(0, 0, w, h);
  cp.HandleNeeded();
  cp.SetCaption(caption);
  cp.SetCaptionAnchorHoriz(cahChartLeft);
  cp.SetCaptionAlignment(taLeftJustify);
  cp.IsoColors.Fill(40, {clNavy, clBlue, clAqua, clLime, clYellow, clRed, clMaroon});
  cp.SetPivotResX(60);
  cp.SetPivotResY(60);
  cp.SetIsoParams(-1.2, 1.2, 0.1);
  cp.SetPlotMode(mode);
  cp.OnEstimateZVal = [](TObject*, double x, double y, int, int, double& z, uint8_t&) {
    z = Field(x, y);
  };
  cp.DrawPlot();
}

void Masks(TContourPlot& cp) {
  // A blanked disc, a row of palette cells and a highlighted block.
  for (int ix = 1; ix <= cp.NumPivotsX(); ++ix)
    for (int iy = 1; iy <= cp.NumPivotsY(); ++iy) {
      const double dx = ix - 42, dy = iy - 18;
      if (dx * dx + dy * dy < 40) cp.SetMaskVal(ix, iy, 1);
      if (iy >= 50 && iy <= 53 && ix >= 6 && ix <= 55)
        cp.SetMaskVal(ix, iy, uint8_t(2 + (ix - 6) / 3));
      if (ix >= 10 && ix <= 24 && iy >= 10 && iy <= 22) cp.SetMaskVal(ix, iy, 255);
    }
  cp.DrawPlot();
}

QImage RenderModes() {
  constexpr int w = 420, h = 360, gap = 10;
  QImage img(3 * w + 4 * gap, 2 * h + 3 * gap, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  struct Panel {
    TContourPlotMode mode;
    const char* caption;
    bool masked;
  };
  const Panel panels[] = {{cpmColorSurface, "cpmColorSurface", false},
                          {cpmDots, "cpmDots, 0.1 apart", false},
                          {cpmMonoDots, "cpmMonoDots", false},
                          {cpmColorSurfNoIp, "cpmColorSurfNoIp, IsoLow -0.2", false},
                          {cpmColorSurfNoIpTransp, "cpmColorSurfNoIpTransp, IsoLow -0.2", false},
                          {cpmColorSurface, "masks: blank, palette, inverted", true}};
  for (int i = 0; i < 6; ++i) {
    TContourPlot cp;
    Build(cp, w, h, panels[i].mode, panels[i].caption);
    if (panels[i].mode == cpmColorSurfNoIp || panels[i].mode == cpmColorSurfNoIpTransp)
      cp.SetIsoParams(-0.2, 1.2, 0.1);
    if (panels[i].masked) Masks(cp);
    p.drawImage(gap + (i % 3) * (w + gap), gap + (i / 3) * (h + gap), cp.WindowPicture());
  }
  return img;
}

QImage RenderWithScale() {
  constexpr int w = 620, h = 560, sw = 120;
  TContourPlot cp;
  Build(cp, w, h, cpmColorSurface, "surface with legend, items and labels");
  TColorScale cs;
  cs.SetBounds(0, 0, sw, h);
  cs.SetOrientation(csoVertical);
  cs.SetMarginTop(cp.MarginTop());
  cs.SetMarginBottom(cp.MarginBottom());
  cs.SetMarginLeft(8);
  cs.SetMarginRight(60);
  cs.SetColorSclBkgd(cp.WindColor());
  cs.SetCaption("z");
  cs.SetCaptionPosX(8);
  cs.SetCaptionPosY(1);
  cp.SetAttachedColorScale(&cs);
  cp.IsoColorsChanged();
  // Items on top of the surface: a track with marks and a framed region.
  cp.SetDataColor(clBlack);
  cp.SetLineWidth(2);
  cp.MoveTo(-4.5, -4.0);
  for (int i = 1; i <= 40; ++i) {
    const double t = i / 40.0;
    cp.DrawTo(-4.5 + 8.5 * t, -4.0 + 7.0 * t + 1.2 * std::sin(t * 9));
  }
  cp.SetLineWidth(1);
  cp.SetDataColor(clWhite);
  for (int i = 0; i <= 8; ++i) {
    const double t = i / 8.0;
    cp.MarkAt(-4.5 + 8.5 * t, -4.0 + 7.0 * t + 1.2 * std::sin(t * 9), 3);
  }
  cp.SetDataColor(clFuchsia);
  cp.SetTransparentItems(true);
  cp.Rectangle(-1.8, -4.2, 0.4, -0.8);
  cp.ShowGraf();
  cp.AddTextLabel(1.8, 1.2, clBlack, "summit", 0);
  cp.AddTextLabel(-0.8, -2.4, clBlack, "pit", 0);

  QImage img(w + sw + 30, h + 20, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.drawImage(10, 10, cp.WindowPicture());
  p.drawImage(w + 20, 10, cs.WindowPicture());
  return img;
}

}  // namespace

static GalleryRegistrar regModes({"contourplot-modes", [] { return RenderModes(); },
                                  [](QWidget* parent) -> QWidget* {
                                    auto* cp = new TContourPlot(parent);
                                    Build(*cp, 600, 500, cpmColorSurface, "contour plot");
                                    return cp;
                                  }});
static GalleryRegistrar regScale({"contourplot-scale", [] { return RenderWithScale(); }, nullptr});
