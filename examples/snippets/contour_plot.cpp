// SPDX-License-Identifier: MIT
// A contour plot of a field supplied point by point, with its colour legend; writes
// contour_plot.png and contour_legend.png.
#include <zyr/chart/contourplot.h>
#include <zyr/scales/colorscale.h>

#include <QApplication>
#include <cmath>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // [field]
  zyr::TContourPlot plot;
  plot.resize(520, 460);
  plot.SetCaption("Potential of two charges");
  plot.SetRange(1, -3.0, -3.0, 3.0, 3.0);  // the field is sampled over layer 1's range
  plot.SetPivotResX(120);                  // 120 x 120 pivots
  plot.SetPivotResY(120);
  // The plot asks for the value at each pivot; interpolate your own data here.
  plot.OnEstimateZVal = [](zyr::TObject*, double x, double y, int, int, double& z, uint8_t&) {
    z = 1 / std::hypot(x - 1, y + 0.3, 0.3) - 1 / std::hypot(x + 1, y - 0.3, 0.3);
  };
  plot.IsoColors.Fill(60, {zyr::clBlue, zyr::clAqua, zyr::clWhite, zyr::clYellow, zyr::clRed});
  plot.SetIsoParams(-3.0, 3.0, 0.25);  // colour range, and the iso lines of cpmDots
  plot.SetPlotMode(zyr::cpmColorSurface);
  // [field]

  // [legend]
  zyr::TColorScale legend;  // a separate control, usually placed beside the plot
  legend.resize(110, 460);
  legend.SetOrientation(zyr::csoVertical);
  legend.SetMarginTop(plot.MarginTop());
  legend.SetMarginBottom(plot.MarginBottom());
  legend.SetMarginRight(60);
  legend.SetColorSclBkgd(plot.WindColor());
  legend.SetCaption("V");
  legend.SetCaptionPosX(8);
  plot.SetAttachedColorScale(&legend);  // colours and range follow IsoColors and the iso range
  plot.IsoColorsChanged();
  // [legend]

  // [items]
  // Ordinary chart items are drawn on top of the field.
  plot.SetDataColor(zyr::clBlack);
  plot.MarkAt(1.0, -0.3, 19);
  plot.MarkAt(-1.0, 0.3, 19);
  plot.DrawPlot();
  // [items]
  const bool ok = plot.CopyToBMP("contour_plot.png", false) &&
                  legend.WindowPicture().save("contour_legend.png");
  return ok && plot.MaxPivot() > 0 ? 0 : 1;
}
