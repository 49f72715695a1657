// SPDX-License-Identifier: MIT
// Mouse interaction of TCustomRChart: pan, zoom, rubber figures, dragging of cross-hairs, text
// labels and scales, the modal mouse box and the mouse cursor.

#include <zyr/chart/painthold.h>
#include <zyr/chart/rchart.h>
#include <zyr/platform/host/cursors.h>
#include <zyr/platform/host/dialogs.h>
#include <zyr/scales/scale.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace zyr {

namespace {

// Int(v / d) * d + offs with truncation towards zero; no snapping for d <= 0.
double Snap(double v, double d, double offs) {
  if (!(d > 0)) return v;
  return std::trunc(v / d) * d + offs;
}

// Sets a notifying object's fields without its change handler: the caller repaints itself.
template <class T, class F>
void Silently(T& Obj, F Set) {
  auto handler = std::move(Obj.OnChange);
  Obj.OnChange = nullptr;
  Set();
  Obj.OnChange = std::move(handler);
}

}  // namespace

// ------------------------------------------------------------------ settings

void TCustomRChart::ResetMouse() {
  FMouseAction = 0;
  FMouseAffLayer = {true, false};
  FZoomState = 0;
  MouseBoxState = 0;
  LButtonWasDown = false;
  FPanGridDx = FPanGridDy = 1;
  FPanGridOffsX = FPanGridOffsY = 0;
  FMCurFixed = true;
  FMousePosX = FMousePosY = 0;
  CHNext = TLNext = 1;
  FWasDblClk = false;
  SetCursor(crDefault);
  ResetNavigation();
}

bool TCustomRChart::GetMAffLayer(int Layer) const {
  return (Layer == 1 || Layer == 2) && FMouseAffLayer[size_t(Layer - 1)];
}

void TCustomRChart::SetMAffLayer(int Layer, bool v) {
  if (Layer == 1 || Layer == 2) FMouseAffLayer[size_t(Layer - 1)] = v;
}

void TCustomRChart::SetPanGridDx(double v) {
  if (std::isfinite(v)) FPanGridDx = v;
}
void TCustomRChart::SetPanGridDy(double v) {
  if (std::isfinite(v)) FPanGridDy = v;
}
void TCustomRChart::SetPanGridOffsX(double v) {
  if (std::isfinite(v)) FPanGridOffsX = v;
}
void TCustomRChart::SetPanGridOffsY(double v) {
  if (std::isfinite(v)) FPanGridOffsY = v;
}

// ------------------------------------------------------------------ helpers

bool TCustomRChart::InDataArea(int X, int Y) const {
  return X >= RcLRim && X <= Width() - RcRRim - F3DRim && Y >= RcTRim &&
         Y <= Height() - RcBRim - F3DRim;
}

void TCustomRChart::ClampToDataArea(int& X, int& Y) const {
  // max before min: a data area without extent pins the point to its top left corner.
  X = std::max(std::min(X, Width() - RcRRim - F3DRim), RcLRim);
  Y = std::max(std::min(Y, Height() - RcBRim - F3DRim), RcTRim);
}

void TCustomRChart::ArmMouseDrag(int X, int Y) {
  for (size_t i = 0; i < 2; ++i) {
    FMAnchorScrX[i] = X;
    FMAnchorScrY[i] = Y;
    FMAnchorRcLoX[i] = FScalePropsX[i]->RangeLow();
    FMAnchorRcHiX[i] = FScalePropsX[i]->RangeHigh();
    FMAnchorRcLoY[i] = FScalePropsY[i]->RangeLow();
    FMAnchorRcHiY[i] = FScalePropsY[i]->RangeHigh();
  }
  LButtonWasDown = true;
  NavStartBurst(nkMouse);  // the anchors are the view to come back to
}

void TCustomRChart::XorRubber(bool Line, int x1, int y1, int x2, int y2) {
  TCanvas& cv = Canvas();
  TPen& pen = cv.Pen();
  const TPenStyle oldStyle = pen.Style();
  const int oldWidth = pen.Width();
  pen.SetMode(pmXor);
  pen.SetColor(clWhite);
  pen.SetStyle(psSolid);
  pen.SetWidth(1);
  cv.Brush().SetStyle(bsClear);
  if (Line) {
    cv.MoveTo(x1, y1);
    cv.LineTo(x2, y2);
  } else {
    cv.Rectangle(x1, y1, x2, y2);
  }
  pen.SetMode(pmCopy);
  pen.SetStyle(oldStyle);
  pen.SetWidth(oldWidth);
  cv.Brush().SetStyle(bsSolid);
}

void TCustomRChart::XorRubberFigures() {
  XorDragFigures();
  // A window copy wipes the focus frame as well.
  if (FFocusFrame) ShowFocusFrame(true);
}

void TCustomRChart::XorDragFigures() {
  if (MouseBoxState == 2) XorRubber(false, MouseBoxX1, MouseBoxY1, MouseBoxX2, MouseBoxY2);
  if (FZoomState == 1)
    XorRubber(FMouseAction == 5, WindAnchorX, WindAnchorY, WindOldCornerX, WindOldCornerY);
}

// Removes whatever rubber figure is on the window picture and forgets the drags.
void TCustomRChart::EraseRubberFigures() {
  XorDragFigures();
  FZoomState = 0;
}

int TCustomRChart::DetectScale(int X, int Y) const {
  const int W = Width(), H = Height();
  for (int l = 1; l <= 2; ++l) {
    const TScaleProps& p = *FScalePropsY[size_t(l - 1)];
    if (!p.Visible() || !(Y > RcTRim && Y < H - RcBRim)) continue;
    const int pos = p.ScalePos();
    if (p.ScaleType() == 2 && X > W + pos - RcRRim && X < W + pos - RcRRim + 50) return l;
    if (p.ScaleType() == 3 && X > RcLRim - pos - 50 && X < RcLRim - pos) return l;
  }
  for (int l = 1; l <= 2; ++l) {
    const TScaleProps& p = *FScalePropsX[size_t(l - 1)];
    if (!p.Visible() || !(X > RcLRim && X < W - RcRRim)) continue;
    const int pos = p.ScalePos();
    if (p.ScaleType() == 1 && Y > H + pos - RcBRim && Y < H + pos - RcBRim + 40) return -l;
    if (p.ScaleType() == 0 && Y > RcTRim - pos - 40 && Y < RcTRim - pos) return -l;
  }
  return 0;
}

// ------------------------------------------------------------------ press, release, double click

void TCustomRChart::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FWasDblClk) {
    // The press that comes with a double click keeps the flag so that its release is
    // swallowed as well; any other press only clears it.
    if (!(Shift & ssDouble)) FWasDblClk = false;
    return;
  }
  const TDestroyWatch watch(this);
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (watch.Destroyed()) return;
  if (MouseBoxState == 1 || MouseBoxState == 2) {
    if (Button == mbRight) {
      if (MouseBoxState == 2) XorRubber(false, MouseBoxX1, MouseBoxY1, MouseBoxX2, MouseBoxY2);
      MouseBoxState = 0;
    } else if (MouseBoxState == 1) {
      MouseBoxX1 = MouseBoxX2 = X;
      MouseBoxY1 = MouseBoxY2 = Y;
      MouseBoxState = 2;
    }
    return;  // the box owns the mouse while it is asked for
  }
  if (LegendMouseDown(Button, X, Y)) return;
  const int m = FMouseAction;
  if ((m == 5 || m == 7 || m == 8 || m == 16) && FZoomState == 0 && Button == mbLeft &&
      InDataArea(X, Y)) {
    FZoomState = 1;
    WindAnchorX = WindOldCornerX = X;
    WindAnchorY = WindOldCornerY = Y;
  }
}

void TCustomRChart::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FWasDblClk) {
    FWasDblClk = false;
    return;
  }
  LButtonWasDown = false;
  NavEndBurst();
  if (LegendMouseUp(Button, Shift, X, Y)) return;
  if (FDragAborted) {
    // Escape ended this drag already: the release only finishes it.
    FDragAborted = false;
    TCustomControl::MouseUp(Button, Shift, X, Y);
    return;
  }
  if (MouseBoxState == 2) {
    XorRubber(false, MouseBoxX1, MouseBoxY1, MouseBoxX2, MouseBoxY2);
    if (Button == mbRight) {
      MouseBoxState = 0;
    } else {
      MouseBoxX2 = X;
      MouseBoxY2 = Y;
      MouseBoxState = 3;
    }
  }
  const int m = FMouseAction;
  if (m == 17) MouseTraceEndStroke();
  if ((m == 5 || m == 7 || m == 8 || m == 16) && FZoomState == 1) {
    const TDestroyWatch watch(this);
    FinishRubberDrag(Button);
    if (watch.Destroyed()) return;
  }
  if (m >= 1 && m <= 4) ZoomStateOnStack();
  if (m == 9) ZoomStateOnStack();
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomRChart::FinishRubberDrag(TMouseButton Button) {
  const int m = FMouseAction;
  // The figure goes in every case: a release that changes nothing must not leave it behind.
  XorRubber(m == 5, WindAnchorX, WindAnchorY, WindOldCornerX, WindOldCornerY);
  FZoomState = 0;
  if (Button != mbLeft) return;
  if (WindAnchorX == WindOldCornerX || WindAnchorY == WindOldCornerY) return;
  NavStartBurst(nkMouse);
  TPaintHold hold(this, FSuppressPaint);
  for (int l = 1; l <= 2; ++l) {
    if (!GetMAffLayer(l)) continue;
    double x1, y1, x2, y2;
    M2R(l, WindAnchorX, WindAnchorY, x1, y1);
    M2R(l, WindOldCornerX, WindOldCornerY, x2, y2);
    if (m == 8 || m == 16) {
      const TScaleProps& px = *FScalePropsX[size_t(l - 1)];
      const TScaleProps& py = *FScalePropsY[size_t(l - 1)];
      if ((px.RangeLow() < px.RangeHigh()) != (x1 < x2)) std::swap(x1, x2);
      if ((py.RangeLow() < py.RangeHigh()) != (y1 < y2)) std::swap(y1, y2);
    }
    if (m == 5) {
      Raise(OnRubberBand, [&] { OnRubberBand(this, l, x1, y1, x2, y2); },
            [&] { emit rubberBand(l, x1, y1, x2, y2); });
    } else if (m == 16) {
      Raise(OnSelectRect, [&] { OnSelectRect(this, l, x1, y1, x2, y2); },
            [&] { emit selectRect(l, x1, y1, x2, y2); });
    } else {
      ForceRange(l, x1, y1, x2, y2, true, false);
    }
    if (hold.ChartDestroyed()) return;
  }
  NavStepDone(false);
  NavEndBurst();
  // Bands and selections report it too: applications take it as the end of a mouse drag.
  RaiseZoomPan();
  if (hold.ChartDestroyed()) return;
  hold.Release();
  SetSuppressPaint(hold.Old());
}

void TCustomRChart::DblClick() {
  FWasDblClk = true;
  const int s = DetectScale(FLastMouseX, FLastMouseY);
  if (s != 0) {
    TScaleProps& p = s > 0 ? static_cast<TScaleProps&>(ScalePropsY(s))
                           : static_cast<TScaleProps&>(ScalePropsX(-s));
    if (p.MouseAction() == 1)
      p.SetMouseAction(6);
    else if (p.MouseAction() == 6)
      p.SetMouseAction(1);
  }
  TCustomControl::DblClick();
}

// ------------------------------------------------------------------ moves

void TCustomRChart::MouseMove(TShiftState Shift, int X, int Y) {
  // Event handlers that process messages would otherwise re-enter the move handling.
  if (MouseMoveActive) return;
  MouseMoveActive = true;
  // Any event on the way may delete the chart; then no member is touched any more.
  const TDestroyWatch watch(this);
  struct TClear {
    bool& f;
    const TDestroyWatch& w;
    ~TClear() {
      if (!w.Destroyed()) f = false;
    }
  } clear{MouseMoveActive, watch};
  HandleMouseMove(Shift, X, Y);
  if (watch.Destroyed()) return;
  double rx, ry;
  M2R(FActiveLayer, X, Y, rx, ry);
  MouseMoveInChart(InDataArea(X, Y), Shift, rx, ry);
}

void TCustomRChart::MouseMoveInChart(bool InChart, TShiftState Shift, double rMousePosX,
                                     double rMousePosY) {
  Raise(OnMouseMoveInChart,
        [&] { OnMouseMoveInChart(this, InChart, Shift, rMousePosX, rMousePosY); },
        [&] { emit mouseMoveInChart(InChart, Shift, rMousePosX, rMousePosY); });
}

void TCustomRChart::HandleMouseMove(TShiftState Shift, int X, int Y) {
  FLastMouseX = X;
  FLastMouseY = Y;
  const TDestroyWatch watch(this);
  TCustomControl::MouseMove(Shift, X, Y);
  if (watch.Destroyed()) return;
  if (LegendMouseMove(Shift, X, Y)) return;
  const bool left = (Shift & ssLeft) != 0;
  if (FDragAborted) {
    if (left) {
      UpdateMouseCursor(X, Y);
      return;
    }
    FDragAborted = false;
  }
  if (MouseBoxState == 2) {
    ClampToDataArea(X, Y);
    XorRubber(false, MouseBoxX1, MouseBoxY1, MouseBoxX2, MouseBoxY2);
    XorRubber(false, MouseBoxX1, MouseBoxY1, X, Y);
    MouseBoxX2 = X;
    MouseBoxY2 = Y;
  }
  if (MouseBoxState == 0) {
    if (left) {
      if (LButtonWasDown) {
        if (ScaleDragStep(X, Y) && !watch.Destroyed()) {
          NavStepDone(false);
          RaiseZoomPan();
        }
        if (watch.Destroyed()) return;
      } else if (DetectScale(X, Y) != 0) {
        ArmMouseDrag(X, Y);
      }
    } else {
      LButtonWasDown = false;
    }
    switch (FMouseAction) {
      case 1:
      case 2:
      case 3:
      case 4:
        if (!left) break;
        if (!LButtonWasDown)
          ArmMouseDrag(X, Y);
        else if (InDataArea(X, Y))
          PanStep(X, Y);
        break;
      case 5:
      case 7:
      case 8:
      case 16:
        if (FZoomState == 1) RubberStep(X, Y);
        break;
      case 9:
        if (!left) break;
        if (!LButtonWasDown)
          ArmMouseDrag(X, Y);
        else if (InDataArea(X, Y))
          DragZoomStep(X, Y);
        break;
      case 10:
        if (left && InDataArea(X, Y)) CrossHairDragStep(X, Y);
        break;
      case 11:
        if (left) TextLabelDragStep(X, Y);
        break;
      case 17:
        if (left && FZoomState == 0) {
          int tx = X, ty = Y;
          ClampToDataArea(tx, ty);
          MouseTraceStep(tx, ty);
        }
        break;
      default:
        break;
    }
    if (watch.Destroyed()) return;
  }
  if (InDataArea(X, Y)) M2R(FActiveLayer, X, Y, FMousePosX, FMousePosY);
  UpdateMouseCursor(X, Y);
}

bool TCustomRChart::ScaleDragStep(int X, int Y) {
  const int W = Width(), H = Height();
  // The data area spans the shadow too, as in the pan step.
  const int mr = RcRRim + F3DRim, mb = RcBRim + F3DRim;
  if (W - RcLRim - mr <= 0 || H - RcTRim - mb <= 0) return false;
  bool changed = false;
  TPaintHold hold(this, FSuppressPaint);
  for (size_t i = 0; i < 2; ++i) {
    const int l = int(i) + 1;
    const TScaleProps& px = *FScalePropsX[i];
    const TScaleProps& py = *FScalePropsY[i];
    if (px.MouseAction() != 0 && FZoomState == 0 && X > RcLRim && X < W - RcRRim) {
      const int pos = px.ScalePos();
      const bool band = px.ScaleType() == 1
                            ? (Y > H + pos - RcBRim && Y < H + pos - RcBRim + 50)
                            : (px.ScaleType() == 0 && Y > RcTRim - pos - 50 && Y < RcTRim - pos);
      double lo = px.RangeLow(), hi = px.RangeHigh();
      if (band && Rescale(X, Y, FMAnchorScrX[i], FMAnchorScrY[i], W, H, RcLRim, mr, RcTRim, mb,
                          FMAnchorRcLoX[i], FMAnchorRcHiX[i], px.MouseAction(), px.ScaleType(),
                          px.Logarithmic(), px.RangeLow(), px.RangeHigh(), lo, hi)) {
        ForceRange(l, lo, py.RangeLow(), hi, py.RangeHigh(), false, true);
        changed = true;
      }
    }
    if (py.MouseAction() != 0 && FZoomState == 0 && Y > RcTRim && Y < H - RcBRim) {
      const int pos = py.ScalePos();
      const bool band = py.ScaleType() == 3 ? (X > RcLRim - pos - 50 && X < RcLRim - pos)
                                            : (py.ScaleType() == 2 && X > W + pos - RcRRim &&
                                               X < W + pos - RcRRim + 50);
      double lo = py.RangeLow(), hi = py.RangeHigh();
      if (band && Rescale(X, Y, FMAnchorScrX[i], FMAnchorScrY[i], W, H, RcLRim, mr, RcTRim, mb,
                          FMAnchorRcLoY[i], FMAnchorRcHiY[i], py.MouseAction(), py.ScaleType(),
                          py.Logarithmic(), py.RangeLow(), py.RangeHigh(), lo, hi)) {
        ForceRange(l, px.RangeLow(), lo, px.RangeHigh(), hi, false, true);
        changed = true;
      }
    }
  }
  hold.Release();
  if (changed) {
    SetSuppressPaint(hold.Old());
  } else {
    FSuppressPaint = hold.Old();
  }
  return changed;
}

void TCustomRChart::PanStep(int X, int Y) {
  const int w = Width() - RcLRim - RcRRim - F3DRim;
  const int h = Height() - RcTRim - RcBRim - F3DRim;
  if (w <= 0 || h <= 0) return;
  const int m = FMouseAction;
  TPaintHold hold(this, FSuppressPaint);
  for (size_t i = 0; i < 2; ++i) {
    const int l = int(i) + 1;
    if (!FMouseAffLayer[i]) continue;
    const TScaleProps& px = *FScalePropsX[i];
    const TScaleProps& py = *FScalePropsY[i];
    const double dX = X - FMAnchorScrX[i], dY = Y - FMAnchorScrY[i];
    double xLo, xHi, yLo, yHi, dx = 0, dy = 0;
    if (px.Logarithmic()) {
      const double f = std::exp(std::log(px.RangeHigh() / px.RangeLow()) * -dX / w);
      xLo = FMAnchorRcLoX[i] * f;
      xHi = FMAnchorRcHiX[i] * f;
    } else {
      dx = (px.RangeHigh() - px.RangeLow()) * dX / w;
      xLo = FMAnchorRcLoX[i] - dx;
      xHi = FMAnchorRcHiX[i] - dx;
    }
    if (py.Logarithmic()) {
      const double f = std::exp(std::log(py.RangeHigh() / py.RangeLow()) * dY / h);
      yLo = FMAnchorRcLoY[i] * f;
      yHi = FMAnchorRcHiY[i] * f;
    } else {
      dy = (py.RangeHigh() - py.RangeLow()) * dY / h;
      yLo = FMAnchorRcLoY[i] + dy;
      yHi = FMAnchorRcHiY[i] + dy;
    }
    if (m == 2) {
      yLo = py.RangeLow();
      yHi = py.RangeHigh();
    } else if (m == 3) {
      xLo = px.RangeLow();
      xHi = px.RangeHigh();
    } else if (m == 4) {
      if (px.Logarithmic() || py.Logarithmic()) continue;
      xLo = Snap(FMAnchorRcLoX[i] - dx, FPanGridDx, FPanGridOffsX);
      xHi = xLo + (FMAnchorRcHiX[i] - FMAnchorRcLoX[i]);
      yLo = Snap(FMAnchorRcLoY[i] + dy, FPanGridDy, FPanGridOffsY);
      yHi = yLo + (FMAnchorRcHiY[i] - FMAnchorRcLoY[i]);
    }
    ForceRange(l, xLo, yLo, xHi, yHi, false, true);
  }
  hold.Release();
  SetSuppressPaint(hold.Old());
  if (hold.ChartDestroyed()) return;
  NavStepDone(false);
  RaiseZoomPan();
}

void TCustomRChart::DragZoomStep(int X, int Y) {
  const int W = Width(), H = Height();
  if (W <= 0 || H <= 0) return;
  TPaintHold hold(this, FSuppressPaint);
  for (size_t i = 0; i < 2; ++i) {
    if (!FMouseAffLayer[i]) continue;
    const double fx = 1.0 - double(X - FMAnchorScrX[i]) / W;
    const double fy = FIsometric ? fx : 1.0 + double(Y - FMAnchorScrY[i]) / H;
    // Logarithmic axes zoom about their geometric centre, so both ends stay positive.
    auto zoom = [](bool log, double lo, double hi, double f, double& nlo, double& nhi) {
      if (log && lo > 0 && hi > 0) {
        const double c = std::sqrt(lo * hi);
        const double q = std::exp(std::log(hi / c) * f);
        nlo = c / q;
        nhi = c * q;
      } else {
        const double c = (lo + hi) / 2, half = (hi - lo) * f / 2;
        nlo = c - half;
        nhi = c + half;
      }
    };
    double xLo, xHi, yLo, yHi;
    zoom(FScalePropsX[i]->Logarithmic(), FMAnchorRcLoX[i], FMAnchorRcHiX[i], fx, xLo, xHi);
    zoom(FScalePropsY[i]->Logarithmic(), FMAnchorRcLoY[i], FMAnchorRcHiY[i], fy, yLo, yHi);
    ForceRange(int(i) + 1, xLo, yLo, xHi, yHi, false, true);
  }
  hold.Release();
  SetSuppressPaint(hold.Old());
  if (hold.ChartDestroyed()) return;
  NavStepDone(false);
  RaiseZoomPan();
}

void TCustomRChart::RubberStep(int X, int Y) {
  const int m = FMouseAction;
  if (m == 5) {
    ClampToDataArea(X, Y);
    XorRubber(true, WindAnchorX, WindAnchorY, WindOldCornerX, WindOldCornerY);
    XorRubber(true, WindAnchorX, WindAnchorY, X, Y);
  } else {
    int dummy = Y;
    ClampToDataArea(X, dummy);
    if (FIsometric && (m == 7 || m == 8)) {
      const long long dx = X - WindAnchorX, dy = Y - WindAnchorY;
      Y = int(dy * dx < 1 ? WindAnchorY - dx : WindAnchorY + dx);
    }
    ClampToDataArea(dummy, Y);
    XorRubber(false, WindAnchorX, WindAnchorY, WindOldCornerX, WindOldCornerY);
    XorRubber(false, WindAnchorX, WindAnchorY, X, Y);
  }
  WindOldCornerX = X;
  WindOldCornerY = Y;
}

void TCustomRChart::CrossHairDragStep(int X, int Y) {
  if (!LButtonWasDown) {
    double best = 0;
    int pick = 0;
    for (int n = 1; n <= 4; ++n) {
      const TCrossHair& ch = *FCrossHairs[size_t(n - 1)];
      const int mode = ch.Mode();
      if (mode == 0) continue;
      int x, y;
      R2M(ch.Layer(), ch.PosX(), ch.PosY(), x, y);
      double d = 0;
      if (mode >= 2) d += double(x - X) * double(x - X);
      if (mode != 2) d += double(y - Y) * double(y - Y);
      if (pick == 0 || d < best) {
        best = d;
        pick = n;
      }
    }
    CHNext = pick == 0 ? 1 : pick;
    TCrossHair* ch = FCrossHairs[size_t(CHNext - 1)].get();
    int x, y;
    R2M(ch->Layer(), ch->PosX(), ch->PosY(), x, y);
    bool allow = true;
    const TDestroyWatch watch(this);
    Raise(OnBeforeCrossHairMove, [&] { OnBeforeCrossHairMove(this, ch, X - x, Y - y, allow); },
          [&] { emit beforeCrossHairMove(ch, X - x, Y - y, allow); });
    if (watch.Destroyed() || !allow) return;
    ArmMouseDrag(X, Y);
  }
  TCrossHair* ch = FCrossHairs[size_t(CHNext - 1)].get();
  double rx, ry;
  M2R(ch->Layer(), X, Y, rx, ry);
  // Only the overlay moves: the items are not drawn again.
  Silently(*ch, [&] { ch->SetPos(rx, ry); });
  const TDestroyWatch watch(this);
  RedrawCrossHairs();  // may paint, with its events
  if (watch.Destroyed()) return;
  Raise(OnCrossHairMove, [&] { OnCrossHairMove(this, ch); }, [&] { emit crossHairMove(ch); });
}

void TCustomRChart::TextLabelDragStep(int X, int Y) {
  if (!LButtonWasDown) {
    ArmMouseDrag(X, Y);
    double best = 0;
    int pick = 0;
    for (int n = 1; n <= kNumTextLabels; ++n) {
      const TTextLabel& lbl = FTextLabels[size_t(n - 1)];
      if (!lbl.Visible() || lbl.Mode() == 0) continue;
      int ax, ay;
      TextLabelAnchor(lbl, ax, ay);
      const double d = double(ax - X) * double(ax - X) + double(ay - Y) * double(ay - Y);
      if (pick == 0 || d < best) {
        best = d;
        pick = n;
      }
    }
    TLNext = pick == 0 ? 1 : pick;
  }
  TTextLabel& lbl = FTextLabels[size_t(TLNext - 1)];
  double rx, ry;
  M2R(lbl.Layer(), X, Y, rx, ry);
  double px = X, py = Y;
  switch (lbl.AttachToData()) {
    case 0:
      break;
    case 1:
      px = rx;
      break;
    case 2:
      py = ry;
      break;
    default:
      px = rx;
      py = ry;
      break;
  }
  Silently(lbl, [&] { lbl.SetTxtLblPos(px, py); });
  const TDestroyWatch watch(this);
  Paint();
  if (watch.Destroyed()) return;
  Raise(OnTextLabelMove, [&] { OnTextLabelMove(this, &lbl); },
        [&] { emit textLabelMove(&lbl); });
}

void TCustomRChart::UpdateMouseCursor(int X, int Y) {
  TCursor c = crDefault;
  if (!FMCurFixed && InDataArea(X, Y)) {
    switch (FMouseAction) {
      case 0:
        c = crCross;
        break;
      case 1:
      case 2:
      case 3:
      case 4:
        c = crZyrHand;
        break;
      case 7:
        c = crZyrZoomW;
        break;
      case 8:
        c = crZyrZoomP;
        break;
      case 9:
        c = crZyrZoomD;
        break;
      case 5:
      case 10:
      case 11:
      case 16:
        c = crDefault;
        break;
      default:
        return;  // modes without a cursor of their own leave it alone
    }
  }
  if (Cursor() != c) SetCursor(c);
}

// ------------------------------------------------------------------ mouse box

bool TCustomRChart::MouseBox(double& xLo, double& yLo, double& xHi, double& yHi) {
  if (MouseBoxState != 0) return false;  // one box at a time
  MouseBoxState = 1;
  QPointer<QWidget> self(this);
  // Wakes the waiting loop now and then, so that a hidden or dying control is noticed even
  // when no event arrives.
  QTimer wake;
  wake.start(20);
  auto waiting = [&] {
    return self && (MouseBoxState == 1 || MouseBoxState == 2) && isVisible() &&
           QCoreApplication::instance();
  };
  while (waiting()) {
    Application::ProcessMessages();
    if (!waiting()) break;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  if (!self) return false;  // destroyed while waiting: touch nothing
  const bool done = MouseBoxState == 3;
  if (MouseBoxState == 2) XorRubber(false, MouseBoxX1, MouseBoxY1, MouseBoxX2, MouseBoxY2);
  MouseBoxState = 0;
  if (!done) return false;
  double x1, y1, x2, y2;
  M2R(FActiveLayer, MouseBoxX1, MouseBoxY1, x1, y1);
  M2R(FActiveLayer, MouseBoxX2, MouseBoxY2, x2, y2);
  xLo = std::min(x1, x2);
  xHi = std::max(x1, x2);
  yLo = std::min(y1, y2);
  yHi = std::max(y1, y2);
  return true;
}

void TCustomRChart::MouseBoxAbort() {
  EraseRubberFigures();
  MouseBoxState = 0;
}

bool TCustomRChart::focusNextPrevChild(bool next) {
  // With keyboard navigation Tab leaves the chart again, as it does any other field.
  return FKeyboardNavigation && TCustomControl::focusNextPrevChild(next);
}

void TCustomRChart::AbortMouseDrag() {
  if (MouseBoxState == 1 || MouseBoxState == 2) {
    if (MouseBoxState == 2) XorRubber(false, MouseBoxX1, MouseBoxY1, MouseBoxX2, MouseBoxY2);
    MouseBoxState = 0;  // MouseBox answers false
  }
  const bool rubber = FZoomState == 1, armed = LButtonWasDown;
  if (rubber) EraseRubberFigures();
  if (FMouseAction == 17 && armed) MouseTraceEndStroke();
  if (!rubber && !armed) return;
  FDragAborted = true;
  LButtonWasDown = false;
  if (!armed) return;
  // Pans, drag zooms and scale drags go back to the ranges they started from.
  bool moved = false;
  {
    TPaintHold hold(this, FSuppressPaint);
    for (size_t i = 0; i < 2; ++i) {
      const TScaleProps& px = *FScalePropsX[i];
      const TScaleProps& py = *FScalePropsY[i];
      if (px.RangeLow() == FMAnchorRcLoX[i] && px.RangeHigh() == FMAnchorRcHiX[i] &&
          py.RangeLow() == FMAnchorRcLoY[i] && py.RangeHigh() == FMAnchorRcHiY[i])
        continue;
      ForceRange(int(i) + 1, FMAnchorRcLoX[i], FMAnchorRcLoY[i], FMAnchorRcHiX[i],
                 FMAnchorRcHiY[i], false, false);
      if (hold.ChartDestroyed()) return;
      moved = true;
    }
    hold.Release();
    SetSuppressPaint(hold.Old());
    if (hold.ChartDestroyed()) return;
  }
  NavStepDone(false);
  NavEndBurst();
  if (moved ) RaiseZoomPan();
}

}  // namespace zyr
