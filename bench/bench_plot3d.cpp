// SPDX-License-Identifier: MIT
// Repaint of the surface plot at its default size: the frame time a rotation drag achieves.
#include <benchmark/benchmark.h>
#include <zyr/plot3d/plot3d.h>

#include <QApplication>
#include <cmath>
#include <cstdlib>

using namespace zyr;

namespace {

void FillSurface(TPlot3D& p, int n) {
  p.SetSuppressPaint(true);
  p.GridMat.Resize(n, n);
  for (int iy = 1; iy <= n; ++iy)
    for (int ix = 1; ix <= n; ++ix) {
      const double x = -10 + 20.0 * ix / n, y = -10 + 20.0 * iy / n;
      const double r = std::hypot(x, y) + 1e-9;
      p.GridMat.SetElem(ix, iy, std::sin(r) / r);
    }
  p.SetRange(-10, 10, -10, 10, -0.5, 1.2);
  p.SetColorScaleLow(-0.3);
  p.SetColorScaleHigh(1.0);
  p.SetSuppressPaint(false);
}

// One frame per iteration, the view turning by a degree each time as in a drag.
void BM_Plot3DRepaint(benchmark::State& state) {
  TPlot3D plot;
  plot.SetBounds(0, 0, 650, 500);
  FillSurface(plot, int(state.range(0)));
  double angle = 15;
  for (auto _ : state) {
    angle = angle >= 359 ? 0 : angle + 1;
    plot.SetViewAngleZ(angle);
    plot.Repaint();
    benchmark::DoNotOptimize(plot.WindowPicture().constBits());
  }
}
BENCHMARK(BM_Plot3DRepaint)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
