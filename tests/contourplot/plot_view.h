// SPDX-License-Identifier: MIT
#pragma once
// A contour plot's size, grid and range, as the picture tests vary them.

#include <zyr/chart/contourplot.h>

namespace zyr::test {

struct TPlotView {
  int w, h;               // control size
  int nx, ny;             // pivots
  double x0, y0, x1, y1;  // layer-1 range
  bool log = false;
};

// The plot in view v, with 64 colours over -1..1 every 0.07.
inline void ShowView(TContourPlot& cp, const TPlotView& v) {
  cp.SetBounds(0, 0, v.w, v.h);
  cp.SetRange(v.x0, v.y0, v.x1, v.y1);
  if (v.log) {
    cp.ScalePropsX(1).SetLogarithmic(true);
    cp.ScalePropsY(1).SetLogarithmic(true);
  }
  cp.HandleNeeded();
  cp.SetPivotResX(v.nx);
  cp.SetPivotResY(v.ny);
  cp.IsoColors.Fill(64, {clNavy, clBlue, clAqua, clLime, clYellow, clRed});
  cp.SetIsoParams(-1, 1, 0.07);
}

}  // namespace zyr::test
