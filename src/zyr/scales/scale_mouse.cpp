// SPDX-License-Identifier: MIT
// Mouse zoom and pan of a stand-alone TScale, and the shared range arithmetic Rescale.
#include <zyr/scales/scale.h>

#include <QPointer>
#include <cmath>

namespace zyr {

bool Rescale(int X, int Y, int AnchorX, int AnchorY, int Width, int Height, int MarginLeft,
             int MarginRight, int MarginTop, int MarginBottom, double AnchorLow, double AnchorHigh,
             TMouseActMode MouseAction, TScaleType ScaleType, bool Log, double RangeLow,
             double RangeHigh, double& NewLow, double& NewHigh) {
  if (ScaleType > 3) return true;
  if (MouseAction != 1 && MouseAction != 6 && MouseAction != 9) return false;
  const bool horiz = ScaleType <= 1;
  const double G = Width - MarginLeft - MarginRight;
  const double F = Height - MarginTop - MarginBottom;
  const double S = AnchorHigh - AnchorLow;
  const double gm = Log ? std::sqrt(AnchorLow * AnchorHigh) : 0;
  double lo = 0, hi = 0;
  switch (MouseAction) {
    case 1:
      if (!Log) {
        const double t = horiz ? (X - AnchorX) * (RangeHigh - RangeLow) / G
                               : (Y - AnchorY) * (RangeHigh - RangeLow) / F;
        lo = horiz ? AnchorLow - t : AnchorLow + t;
        hi = horiz ? AnchorHigh - t : AnchorHigh + t;
      } else {
        const double q = horiz ? std::exp(std::log(RangeHigh / RangeLow) * (AnchorX - X) / G)
                               : std::exp(std::log(RangeHigh / RangeLow) * (Y - AnchorY) / F);
        lo = AnchorLow * q;
        hi = AnchorHigh * q;
      }
      break;
    case 6:
      if (horiz && AnchorX >= MarginLeft + G / 2) {
        lo = AnchorLow;
        hi = Log ? gm * std::exp(std::log(AnchorHigh / gm) * ((AnchorX - X) / G + 1))
                 : AnchorLow + S * (AnchorX - MarginLeft) / double(X - MarginLeft);
      } else if (horiz) {
        hi = AnchorHigh;
        lo = Log ? gm / std::exp(std::log(AnchorHigh / gm) * ((X - AnchorX) / G + 1))
                 : AnchorHigh -
                       S * (Width - AnchorX - MarginRight) / double(Width - X - MarginRight);
      } else if (AnchorY <= MarginTop + F / 2) {
        lo = AnchorLow;
        hi = Log ? gm * std::exp(std::log(AnchorHigh / gm) * ((Y - AnchorY) / F + 1))
                 : AnchorLow +
                       S * (Height - AnchorY - MarginBottom) / double(Height - Y - MarginBottom);
      } else {
        hi = AnchorHigh;
        lo = Log ? gm / std::exp(std::log(AnchorHigh / gm) * ((AnchorY - Y) / F + 1))
                 : AnchorHigh - S * (AnchorY - MarginTop) / double(Y - MarginTop);
      }
      break;
    default: {
      const double I =
          horiz ? (AnchorX - X) / double(Width) + 1 : (Y - AnchorY) / double(Height) + 1;
      if (!Log) {
        const double mid = (AnchorLow + AnchorHigh) / 2, half = S * I / 2;
        lo = mid - half;
        hi = mid + half;
      } else {
        const double C = std::exp(std::log(AnchorHigh / gm) * I);
        lo = gm / C;
        hi = gm * C;
      }
    }
  }
  // A drag onto a margin edge or across a degenerate range gives no usable range.
  if (!std::isfinite(lo) || !std::isfinite(hi)) return false;
  if (Log && (lo <= 0 || hi <= 0)) return false;
  NewLow = lo;
  NewHigh = hi;
  return true;
}

void TScale::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const QPointer<TScale> self(this);  // OnMouseDown may delete the scale
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (!self) return;
  // A new press always starts a new drag, even if the last release was never seen.
  if (Button == mbLeft) FLButtonWasDown = false;
}

void TScale::MouseMove(TShiftState Shift, int X, int Y) {
  const QPointer<TScale> self(this);
  TCustomControl::MouseMove(Shift, X, Y);
  if (!self || !(Shift & ssLeft)) return;
  const bool inside = IsHorizontal()
                          ? FMarginLeft < X && X < Width() - FMarginRight && 0 < Y && Y < Height()
                          : 0 < X && X < Width() && FMarginTop < Y && Y < Height() - FMarginBottom;
  if (!inside) return;
  if (!FLButtonWasDown) {
    FMAnchorX = X;
    FMAnchorY = Y;
    FMAnchorWorldLow = FRangeLow;
    FMAnchorWorldHigh = FRangeHigh;
    FLButtonWasDown = true;
    return;
  }
  double lo = FRangeLow, hi = FRangeHigh;
  if (!Rescale(X, Y, FMAnchorX, FMAnchorY, Width(), Height(), FMarginLeft, FMarginRight, FMarginTop,
               FMarginBottom, FMAnchorWorldLow, FMAnchorWorldHigh, FMouseAction, FScaleType, FAxLog,
               FRangeLow, FRangeHigh, lo, hi))
    return;
  const bool old = FSuppressPaint;
  FSuppressPaint = true;
  SetRange(lo, hi);
  SetSuppressPaint(old);  // paints, and painting runs handlers
  if (self) DoZoomPan();
}

void TScale::DoZoomPan() {
  Raise(
      OnZoomPan, [this] { OnZoomPan(this); }, [this] { emit zoomPan(); });
}

void TScale::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const QPointer<TScale> self(this);
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (self) FLButtonWasDown = false;
}

void TScale::DblClick() {
  if (FMouseAction == 1)
    FMouseAction = 6;
  else if (FMouseAction == 6)
    FMouseAction = 1;
  TCustomControl::DblClick();
}

}  // namespace zyr
