// SPDX-License-Identifier: MIT
// Mouse zoom, wheel and keys, the view history and cross-hairs; writes mouse_zoom.png.
#include <zyr/chart/rchart.h>

#include <QApplication>
#include <cmath>
#include <cstdio>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zyr::TRChart chart;
  chart.resize(640, 400);
  chart.SetRange(1, 0.0, -1.2, 20.0, 1.2);
  chart.SetDataColor(zyr::clNavy);
  chart.MoveTo(0.0, 0.0);
  for (int i = 1; i <= 1000; ++i) chart.DrawTo(i * 0.02, std::sin(i * 0.02) * std::cos(i * 0.005));
  chart.ShowGraf();

  // [setup]
  chart.SetMouseAction(zyr::TRChart::maZoomRect);  // left button: drag a rectangle to zoom
  chart.SetMouseWheelZoom(true);                   // wheel and pinch zoom about the mouse
  chart.SetKeyboardNavigation(true);               // arrows pan, +/- zoom, Backspace goes back
  chart.OnMouseMoveInChart = [](zyr::TObject*, bool inChart, zyr::TShiftState, double x, double y) {
    if (inChart) std::printf("mouse at x = %g, y = %g\n", x, y);
  };
  chart.OnZoomPan = [&chart](zyr::TObject*) {
    std::printf("x now %g .. %g\n", chart.Scale1X().RangeLow(), chart.Scale1X().RangeHigh());
  };
  // [setup]

  // [drag]
  // What a user's drag does (control pixels; the data area starts at MarginLeft, MarginTop).
  chart.MouseDown(zyr::mbLeft, zyr::ssLeft, 150, 100);
  chart.MouseMove(zyr::ssLeft, 300, 250);
  chart.MouseUp(zyr::mbLeft, zyr::ssLeft, 300, 250);
  const double zoomedLow = chart.Scale1X().RangeLow();
  chart.ZoomBack();     // back to the full view (Backspace does the same) ...
  chart.ZoomForward();  // ... and forward to the zoomed one again (Shift+Backspace)
  if (chart.Scale1X().RangeLow() != zoomedLow || !chart.CanZoomBack()) return 1;
  // [drag]

  // [crosshair]
  // Cross-hair 1: both lines, dotted red, at a world point of layer 1. MouseAction 10 lets the
  // user drag it; OnCrossHairMove reports the new place.
  chart.CrossHairSetup(1, zyr::clRed, 3, zyr::psDot, 1);
  chart.CrossHairSetPos(1, 7.8, std::sin(7.8) * std::cos(1.95));
  chart.OnCrossHairMove = [](zyr::TObject*, zyr::TCrossHair* ch) {
    std::printf("cross-hair at %g, %g\n", ch->PosX(), ch->PosY());
  };
  // [crosshair]
  return chart.CopyToBMP("mouse_zoom.png", false) ? 0 : 1;
}
