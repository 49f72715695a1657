// SPDX-License-Identifier: MIT
// TColorScale mouse: cross-hair drag (action 10), pan and stretch of the interval (action 18).
#include <zyr/scales/colorscale.h>

#include <QPointer>
#include <algorithm>
#include <cmath>

namespace zyr {

namespace {
constexpr TMouseActMode kDragCrossHair = 10;
constexpr TMouseActMode kPanStretch = 18;
}  // namespace

void TColorScale::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const QPointer<TColorScale> self(this);  // handlers may delete the control
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (!self || FMouseAction != kPanStretch || Button != mbLeft) return;
  FMouseAnchorX = X;
  FMouseAnchorY = Y;
  FAnchorSclLow = FScale->RangeLow();
  FAnchorSclHigh = FScale->RangeHigh();
  if (IsHorizontal()) {
    const int e = Width() - FMarginLeft - FMarginRight;
    if (X < FMarginLeft + int(std::nearbyint(0.42 * e)))
      FZoomPanMode = 1;
    else if (X > FMarginLeft + int(std::nearbyint(0.58 * e)))
      FZoomPanMode = 2;
    else
      FZoomPanMode = 0;
  } else {
    const int e = Height() - FMarginTop - FMarginBottom;
    if (Y < FMarginTop + int(std::nearbyint(0.42 * e)))
      FZoomPanMode = 2;  // the high end is at the top
    else if (Y > FMarginTop + int(std::nearbyint(0.58 * e)))
      FZoomPanMode = 1;
    else
      FZoomPanMode = 0;
  }
}

void TColorScale::MouseMove(TShiftState Shift, int X, int Y) {
  const QPointer<TColorScale> self(this);
  TCustomControl::MouseMove(Shift, X, Y);
  if (!self) return;
  const bool leftDown = Shift & ssLeft;
  if (FMouseAction == kDragCrossHair) {
    if (leftDown && FCrossHair->Mode() != 0) {
      if (FLeftButWasDown) {
        // Clamped into the range whichever way round the scale runs.
        const double lo = std::min(FScale->RangeLow(), FScale->RangeHigh());
        const double hi = std::max(FScale->RangeLow(), FScale->RangeHigh());
        const double v = std::clamp(MouseValue(X, Y), lo, hi);
        FCrossHair->SetPos(v, v);  // repaints through OnChange
        if (self) DoCrossHairMove();
        if (!self) return;
      }
      FLeftButWasDown = true;
    } else {
      FLeftButWasDown = false;
    }
  } else if (FMouseAction == kPanStretch && leftDown) {
    const double low = FScale->RangeLow(), high = FScale->RangeHigh();
    double s = 0;
    if (IsHorizontal()) {
      const int e = Width() - FMarginLeft - FMarginRight;
      if (e > 0) s = (high - low) * (X - FMouseAnchorX) / e;
    } else {
      const int e = Height() - FMarginTop - FMarginBottom;
      if (e > 0) s = (high - low) * (FMouseAnchorY - Y) / e;
    }
    double newLow = FAnchorSclLow, newHigh = FAnchorSclHigh;
    if (FZoomPanMode != 2) newLow -= s;
    if (FZoomPanMode != 1) newHigh -= s;
    // A stretch that would collapse or turn the interval round is not followed.
    const bool sameOrder = (newHigh - newLow) * (FAnchorSclHigh - FAnchorSclLow) > 0;
    if (std::isfinite(newLow) && std::isfinite(newHigh) && sameOrder) {
      FScale->SetRange(newLow, newHigh);
      SyncScaleRange();
      FColorLow = std::min(newLow, newHigh);
      FColorHigh = std::max(newLow, newHigh);
      TriggerPaint();
      if (!self) return;
    }
  }
  const bool inScale = FMarginLeft <= X && X <= Width() - FMarginRight && FMarginTop <= Y &&
                       Y <= Height() - FMarginBottom;
  DoMouseMoveInScale(inScale, Shift, MouseValue(X, Y));
}

void TColorScale::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const QPointer<TColorScale> self(this);
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (self && FMouseAction == kPanStretch && Button == mbLeft) DoZoomPan();
}

void TColorScale::DoCrossHairMove() {
  Raise(
      OnCrossHairMove, [this] { OnCrossHairMove(this); }, [this] { emit crossHairMove(); });
}

void TColorScale::DoMouseMoveInScale(bool InScale, TShiftState Shift, double rMousePos) {
  Raise(
      OnMouseMoveInScale, [&] { OnMouseMoveInScale(this, InScale, Shift, rMousePos); },
      [&] { emit mouseMoveInScale(InScale, Shift, rMousePos); });
}

void TColorScale::DoZoomPan() {
  Raise(
      OnZoomPan, [this] { OnZoomPan(this); }, [this] { emit zoomPan(); });
}

}  // namespace zyr
