// SPDX-License-Identifier: MIT
#pragma once
// The chart geometry and steps many chart tests share.

#include <zyr/chart/rchart.h>

#include <QImage>

namespace zyr::test {

/// 400 x 300 with margins 50, 10, 16, 32 and no shadow: a data area 340 x 252 pixels from
/// (50, 16) to (390, 268).
inline void Geometry400x300(TCustomRChart& c) {
  c.SetBounds(0, 0, 400, 300);
  c.SetLRim(50);
  c.SetRRim(10);
  c.SetTRim(16);
  c.SetBRim(32);
  c.SetF3DRim(0);
}

/// The same geometry with both layers showing lo .. hi on both axes.
inline void Chart400x300(TCustomRChart& c, double lo = 0, double hi = 10) {
  Geometry400x300(c);
  c.ForceRange(1, lo, lo, hi, hi, false, false);
  c.ForceRange(2, lo, lo, hi, hi, false, false);
}

/// A left-button drag as the mouse delivers it: press, a move on the spot, a move, release.
inline void Drag(TCustomRChart& c, int x1, int y1, int x2, int y2) {
  c.MouseDown(mbLeft, ssLeft, x1, y1);
  c.MouseMove(ssLeft, x1, y1);
  c.MouseMove(ssLeft, x2, y2);
  c.MouseUp(mbLeft, 0, x2, y2);
}

/// The colour of a picture's pixel as the controls name colours.
inline TColor At(const QImage& img, int x, int y) {
  const QRgb p = img.pixel(x, y);
  return RGB(uint8_t(qRed(p)), uint8_t(qGreen(p)), uint8_t(qBlue(p)));
}

}  // namespace zyr::test
