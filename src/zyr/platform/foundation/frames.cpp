// SPDX-License-Identifier: MIT
#include <zyr/platform/foundation/frames.h>

#include <algorithm>
#include <cmath>

namespace zyr {

namespace {

// Pixel coordinates are kept where every canvas handles them.
constexpr int kLimit = 30000;

struct FrameColors {
  TColor topLeft, bottomRight;
};

// One rectangle outline: top and left edges in one colour, bottom and right in the other.
void Outline(TCanvas& cv, int l, int t, int r, int b, FrameColors c) {
  cv.Pen().SetColor(c.topLeft);
  cv.MoveTo(l, b - 1);
  cv.LineTo(l, t);
  cv.LineTo(r, t);
  cv.Pen().SetColor(c.bottomRight);
  cv.MoveTo(r, t);
  cv.LineTo(r, b);
  cv.LineTo(l - 1, b);
}

}  // namespace

void DrawFrame(TCanvas& cv, TFrameStyle style, int left, int top, int right, int bottom, TColor c1,
               TColor c2, TColor c3, TColor c4, TColor c5) {
  FrameColors outer, inner;
  switch (style) {
    case 1:
      outer = inner = {c5, c5};
      break;
    case 2:
      outer = {c3, c1};
      inner = {c4, c2};
      break;
    case 3:
      outer = {c2, c4};
      inner = {c1, c3};
      break;
    case 4:
      outer = {c1, c3};
      inner = {c3, c1};
      break;
    case 5:
      outer = {c3, c1};
      inner = {c1, c3};
      break;
    case 6:
      outer = inner = {c5, c5};
      break;
    default:
      return;
  }
  left = std::clamp(left, -kLimit, kLimit);
  right = std::clamp(right, -kLimit, kLimit);
  top = std::clamp(top, -kLimit, kLimit);
  bottom = std::clamp(bottom, -kLimit, kLimit);
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);

  TColor penColor = cv.Pen().Color();
  int penWidth = cv.Pen().Width();
  TPenStyle penStyle = cv.Pen().Style();
  TPoint penPos = cv.GetPenPos();
  cv.Pen().SetWidth(1);
  cv.Pen().SetStyle(psSolid);
  Outline(cv, left, top, right, bottom, outer);
  bool twoLines = style != 1 && right - left >= 2 && bottom - top >= 2;
  if (twoLines) Outline(cv, left + 1, top + 1, right - 1, bottom - 1, inner);
  cv.Pen().SetColor(penColor);
  cv.Pen().SetWidth(penWidth);
  cv.Pen().SetStyle(penStyle);
  cv.MoveTo(penPos.X, penPos.Y);
}

void SetCanvasFontSizeScaled(TCanvas& cv, int points) {
  int dpi = cv.GetDeviceCaps(LOGPIXELSY);
  if (dpi <= 0) dpi = 96;
  points = std::clamp(points, 1, 1000);
  cv.Font().SetHeight(-int(std::nearbyint(double(points) * dpi / 72.0)));
}

}  // namespace zyr
