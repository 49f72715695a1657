// SPDX-License-Identifier: MIT
// A rotatable 3D plot of a trajectory with marks; writes rot3d_trajectory.png.
#include <zyr/plot3d/rot3d.h>

#include <QApplication>
#include <cmath>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // [items]
  zyr::TRot3D plot;
  plot.resize(480, 400);
  plot.SetColorData(zyr::clNavy);
  // A Lorenz trajectory: x, y, z in world units.
  double x = 1, y = 1, z = 1;
  plot.Moveto(x, y, z);
  for (int i = 0; i < 4000; ++i) {
    const double dt = 0.005;
    const double dx = 10 * (y - x), dy = x * (28 - z) - y, dz = x * y - 8.0 / 3 * z;
    x += dx * dt;
    y += dy * dt;
    z += dz * dt;
    plot.Drawto(x, y, z);
  }
  plot.SetColorData(zyr::clRed);
  plot.MarkAt(std::sqrt(72.0), std::sqrt(72.0), 27, 19);  // the two fixed points
  plot.MarkAt(-std::sqrt(72.0), -std::sqrt(72.0), 27, 19);
  plot.SetMouseAction(zyr::TRot3D::maRotAndZoom);  // left button rotates, right zooms
  plot.MakeVisible();                              // fits the items into the view and paints
  // [items]
  return plot.CopyToBMP("rot3d_trajectory.png", true) ? 0 : 1;
}
