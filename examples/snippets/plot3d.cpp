// SPDX-License-Identifier: MIT
// A surface plot of a matrix of heights; writes surface_plot.png.
#include <zyr/plot3d/plot3d.h>

#include <QApplication>
#include <cmath>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // [surface]
  zyr::TPlot3D plot;
  plot.resize(560, 440);
  plot.SetSuppressPaint(true);  // fill without a repaint per element
  const int n = 30;
  plot.GridMat.Resize(n, n);  // columns are x, rows are y, both 1-based
  for (int iy = 1; iy <= n; ++iy)
    for (int ix = 1; ix <= n; ++ix) {
      const double x = (ix - 15.5) / 4.5, y = (iy - 15.5) / 4.5;
      plot.GridMat.SetElem(ix, iy, std::exp(-(x * x + y * y) / 2) * std::cos(2 * x));
    }
  plot.SetRange(-3.3, 3.3, -3.3, 3.3, -1.0, 1.0);  // x, y and z ranges
  plot.SetCaptionX("x");
  plot.SetCaptionY("y");
  plot.SetCaptionZ("amplitude");
  plot.SetColorCodingMode(zyr::ccmThreeColors);  // low, middle and high colour
  plot.SetColorLow(zyr::RGB(20, 30, 140));
  plot.SetColorMid(zyr::RGB(40, 170, 120));
  plot.SetColorHigh(zyr::RGB(255, 230, 60));
  plot.SetColorScaleLow(-0.6);  // heights that get the low and the high colour
  plot.SetColorScaleHigh(0.9);
  plot.SetMagnification(0.85);
  plot.SetMouseAction(zyr::TPlot3D::maRotate);  // the user turns it with the mouse
  plot.SetSuppressPaint(false);                 // recomputes the extremes and paints
  // [surface]
  return plot.CopyToBMP("surface_plot.png", true) ? 0 : 1;
}
