// SPDX-License-Identifier: MIT
// Navigation of TCustomRChart beyond the mouse actions: wheel and pinch zoom about the pointer,
// keyboard pan and zoom, and the back/forward history of views.
//
// Steps of one kind that follow closely (a wheel turn of several notches, a held arrow key)
// form a burst: its first change becomes one back entry and one entry of the zoom history
// ring, which later steps of the burst update. Mouse drags form a burst from arming to release.

#include <zyr/chart/painthold.h>
#include <zyr/chart/rchart.h>
#include <zyr/platform/host/wheelzoom.h>

#include <QGestureEvent>
#include <QNativeGestureEvent>
#include <QPinchGesture>
#include <algorithm>
#include <cfloat>
#include <chrono>
#include <cmath>
#include <cstdlib>

namespace zyr {

namespace {

constexpr double kLogFloor = 1e-100;  // logarithmic bounds below it are not taken
// Bounds of linear axes stay within half the largest double, so that a width stays finite.
constexpr double kLinearLimit = DBL_MAX / 2;
// A zoomed range keeps this many representable steps per pixel, so that every pixel still
// has a world value of its own and the point under the mouse stays put.
constexpr double kUlpsPerPixel = 4;
constexpr double kKeyPanFraction = 0.1;

int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Narrowest width an axis may be zoomed to around values of magnitude Mag (in the units of
// the zoomed space) over Pixels pixels.
double ResolutionFloor(double Mag, int Pixels) {
  return std::max(kUlpsPerPixel * std::max(Pixels, 1) * DBL_EPSILON * Mag, DBL_MIN);
}

// lo .. hi zoomed by f (above 1: in) about c; all in the zoomed space (logarithms on
// logarithmic axes). The width does not go below Floor.
void ZoomAbout(long double c, long double f, long double Floor, long double& lo, long double& hi) {
  const long double w = std::fabs(hi - lo);
  if (f > 1 && w / f < Floor) {
    f = w / Floor;
    if (f < 1 + 1e-9L) return;  // at the floor already: stays exactly as it is
  }
  lo = c - (c - lo) / f;
  hi = c + (hi - c) / f;
}

}  // namespace

// ------------------------------------------------------------------ settings

void TCustomRChart::ResetNavigation() {
  SetMouseWheelZoom(false);
  FWheelZoomFactor = kDefaultWheelZoomFactor;
  SetKeyboardNavigation(false);
  FNavBurstMs = 300;
  FDragAborted = false;
  ClearViewHistory();
}

void TCustomRChart::SetMouseWheelZoom(bool v) {
  FMouseWheelZoom = v;
  // Pinch gestures of touch screens come only to widgets that ask for them.
  if (v)
    grabGesture(Qt::PinchGesture);
  else
    ungrabGesture(Qt::PinchGesture);
}

void TCustomRChart::SetWheelZoomFactor(double v) {
  if (ValidWheelZoomFactor(v)) FWheelZoomFactor = v;
}

void TCustomRChart::SetKeyboardNavigation(bool v) {
  FKeyboardNavigation = v;
  setFocusPolicy(v ? Qt::StrongFocus : Qt::ClickFocus);
  UpdateFocusFrame();
}

void TCustomRChart::SetNavigationBurstMs(int v) { FNavBurstMs = std::clamp(v, 0, 10000); }

// ------------------------------------------------------------------ history of views

TCustomRChart::TNavView TCustomRChart::CurrentView(TLayerSet Layers) const {
  TNavView v;
  v.Layers = Layers;
  for (size_t i = 0; i < 2; ++i)
    v.Range[i] = {FScalePropsX[i]->RangeLow(), FScalePropsY[i]->RangeLow(),
                  FScalePropsX[i]->RangeHigh(), FScalePropsY[i]->RangeHigh()};
  return v;
}

void TCustomRChart::ClearViewHistory() {
  FNavBack.clear();
  FNavFwd.clear();
  FNavDroppedFwd.clear();
  FNavPushed = false;
  NavEndBurst();
}

void TCustomRChart::NavStartBurst(TNavKind Kind) {
  FNavKind = Kind;
  FNavBefore = CurrentView(LayerBit(1) | LayerBit(2));
  FNavPushed = false;
  FNavStackPoi = 0;
  FNavLastMs = NowMs();
}

void TCustomRChart::NavBurstStep(TNavKind Kind) {
  const int64_t now = NowMs();
  if (Kind != FNavKind || now - FNavLastMs > FNavBurstMs || FNavBurstMs == 0) NavStartBurst(Kind);
  FNavLastMs = now;
}

void TCustomRChart::NavStepDone(bool OwnZoomStack) {
  if (FNavKind == nkNone || IsLoading()) return;
  const TNavView now = CurrentView(0);
  TLayerSet changed = 0;
  for (int l = 1; l <= 2; ++l)
    if (now.Range[size_t(l - 1)] != FNavBefore.Range[size_t(l - 1)]) changed |= LayerBit(l);
  if (changed == 0) {
    // Back where the burst began (a drag aborted): the burst leaves no entry.
    if (FNavPushed && !FNavBack.empty()) {
      FNavBack.pop_back();
      FNavFwd = std::move(FNavDroppedFwd);
      FNavDroppedFwd.clear();
      FNavPushed = false;
    }
    return;
  }
  if (!FNavPushed) {
    if (FNavBack.size() >= kMaxViewHistory) FNavBack.erase(FNavBack.begin());
    FNavBack.push_back(FNavBefore);
    FNavDroppedFwd = std::move(FNavFwd);
    FNavFwd.clear();
    FNavPushed = true;
  }
  FNavBack.back().Layers = changed;
  if (!OwnZoomStack) return;
  if (FNavStackPoi != 0 && FNavStackPoi == FZStackPoi) {
    // The burst's entry is still the newest: write it again with the present ranges.
    FZStackPoi = FZStackPoi == 1 ? kZoomStackSize : FZStackPoi - 1;
  }
  ZoomStateOnStack();
  FNavStackPoi = FZStackPoi;
}

void TCustomRChart::ApplyView(const TNavView& View) {
  TPaintHold hold(this, FSuppressPaint);
  for (int l = 1; l <= 2; ++l) {
    if (!(View.Layers & LayerBit(l))) continue;
    const auto& r = View.Range[size_t(l - 1)];
    ForceRange(l, r[0], r[1], r[2], r[3], false, false);
    if (hold.ChartDestroyed()) return;
  }
  hold.Release();
  SetSuppressPaint(hold.Old());
  if (hold.ChartDestroyed()) return;
  RaiseZoomPan();
}

namespace {

// Whether the layers of View have the ranges of Other.
bool SameRanges(const std::array<std::array<double, 4>, 2>& View, TLayerSet Layers,
                const std::array<std::array<double, 4>, 2>& Other) {
  for (int l = 1; l <= 2; ++l)
    if ((Layers & LayerBit(l)) && View[size_t(l - 1)] != Other[size_t(l - 1)]) return false;
  return true;
}

}  // namespace

bool TCustomRChart::ZoomBack() {
  if (DragRunning()) return false;
  NavEndBurst();
  while (!FNavBack.empty()) {
    const TNavView v = FNavBack.back();
    FNavBack.pop_back();
    const TNavView cur = CurrentView(v.Layers);
    if (SameRanges(v.Range, v.Layers, cur.Range)) continue;  // already there
    FNavFwd.push_back(cur);
    ApplyView(v);
    return true;
  }
  return false;
}

bool TCustomRChart::ZoomForward() {
  if (DragRunning()) return false;
  NavEndBurst();
  while (!FNavFwd.empty()) {
    const TNavView v = FNavFwd.back();
    FNavFwd.pop_back();
    const TNavView cur = CurrentView(v.Layers);
    if (SameRanges(v.Range, v.Layers, cur.Range)) continue;
    FNavBack.push_back(cur);
    ApplyView(v);
    return true;
  }
  return false;
}

bool TCustomRChart::DragRunning() const {
  return FZoomState == 1 || MouseBoxState == 2 || LButtonWasDown || FDragAborted;
}

// ------------------------------------------------------------------ zoom about a point

bool TCustomRChart::ZoomAtPixel(TNavKind Kind, int X, int Y, double Factor, TShiftState Shift) {
  if (InDataArea(X, Y)) {
    TLayerSet layers = 0;
    for (int l = 1; l <= 2; ++l)
      if (GetMAffLayer(l)) layers |= LayerBit(l);
    const bool ctrl = Shift & ssCtrl, shift = Shift & ssShift;
    // An isometric chart keeps its aspect: both axes always zoom together.
    const bool zx = FIsometric || !shift || ctrl, zy = FIsometric || !ctrl || shift;
    return ZoomLayers(Kind, X, Y, Factor, layers, zx, zy);
  }
  const int s = DetectScale(X, Y);
  if (s == 0) return false;
  return ZoomLayers(Kind, X, Y, Factor, LayerBit(std::abs(s)), s<0, s> 0);
}

bool TCustomRChart::ZoomLayers(TNavKind Kind, int X, int Y, double Factor, TLayerSet Layers,
                               bool ZoomX, bool ZoomY) {
  const int w = DataAreaWidth(), h = DataAreaHeight();
  if (Layers == 0 || w <= 0 || h <= 0 || !std::isfinite(Factor) || Factor <= 0) return false;
  NavBurstStep(Kind);
  const bool confined = FConfXLo != 0 || FConfXHi != 0 || FConfYLo != 0 || FConfYHi != 0;
  auto zoomAxis = [&](const TScaleProps& p, double c, int pixels, double confLo, double confHi,
                      long double& lo, long double& hi) {
    lo = p.RangeLow();
    hi = p.RangeHigh();
    if (p.Logarithmic()) {
      if (!(lo > 0 && hi > 0 && c > 0)) return;
      const long double C = std::log((long double)c);
      const double mag =
          std::max({std::fabs(std::log(double(lo))), std::fabs(std::log(double(hi))), 1.0});
      // MinRange counts in world units: the largest factor that keeps it, found by halving.
      auto bound = [](long double v) {
        return std::clamp(std::exp(v), (long double)kLogFloor, (long double)DBL_MAX);
      };
      auto zoomed = [&](long double f, long double floor, long double& nlo, long double& nhi) {
        long double l2 = std::log(lo), h2 = std::log(hi);
        ZoomAbout(C, f, floor, l2, h2);
        nlo = bound(l2);
        nhi = bound(h2);
      };
      const long double floor = ResolutionFloor(mag, pixels);
      long double nlo, nhi;
      zoomed(Factor, floor, nlo, nhi);
      if (Factor > 1 && std::fabs(nhi - nlo) < p.MinRange()) {
        long double fLo = 1, fHi = Factor;
        for (int k = 0; k < 60; ++k) {
          const long double f = std::sqrt(fLo * fHi);
          zoomed(f, 0, nlo, nhi);
          (std::fabs(nhi - nlo) < p.MinRange() ? fHi : fLo) = f;
        }
        zoomed(fLo, floor, nlo, nhi);
      }
      lo = nlo;
      hi = nhi;
    } else {
      const double mag = std::max({std::fabs(double(lo)), std::fabs(double(hi)), std::fabs(c)});
      ZoomAbout(c, Factor, std::max(p.MinRange(), ResolutionFloor(mag, pixels)), lo, hi);
      lo = std::clamp(lo, -(long double)kLinearLimit, (long double)kLinearLimit);
      hi = std::clamp(hi, -(long double)kLinearLimit, (long double)kLinearLimit);
    }
    // The wheel cuts at the zoom limits whatever MouseAction says: it never shifts a range.
    if (confined) ConfineRange(lo, hi, confLo, confHi, false);
  };
  bool changed = false;
  {
    TPaintHold hold(this, FSuppressPaint);
    for (int l = 1; l <= 2; ++l) {
      if (!(Layers & LayerBit(l))) continue;
      const TScaleProps& px = *FScalePropsX[size_t(l - 1)];
      const TScaleProps& py = *FScalePropsY[size_t(l - 1)];
      double cx, cy;
      M2R(l, X, Y, cx, cy);
      long double xLo = px.RangeLow(), xHi = px.RangeHigh(), yLo = py.RangeLow(),
                  yHi = py.RangeHigh();
      if (ZoomX) zoomAxis(px, cx, w, FConfXLo, FConfXHi, xLo, xHi);
      if (ZoomY) zoomAxis(py, cy, h, FConfYLo, FConfYHi, yLo, yHi);
      const double oldXLo = px.RangeLow(), oldXHi = px.RangeHigh(), oldYLo = py.RangeLow(),
                   oldYHi = py.RangeHigh();
      ForceRange(l, xLo, yLo, xHi, yHi, false, false);
      if (hold.ChartDestroyed()) return true;
      changed = changed || px.RangeLow() != oldXLo || px.RangeHigh() != oldXHi ||
                py.RangeLow() != oldYLo || py.RangeHigh() != oldYHi;
    }
    hold.Release();
    SetSuppressPaint(hold.Old());
    if (hold.ChartDestroyed()) return true;
  }
  if (!changed) return true;
  NavStepDone(true);
  RaiseZoomPan();
  return true;
}

// ------------------------------------------------------------------ wheel and pinch

bool TCustomRChart::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  const TDestroyWatch watch(this);
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  if (watch.Destroyed() || !FMouseWheelZoom) return false;
  // A turn during a drag is swallowed: the drag owns the ranges until it ends.
  if (DragRunning()) return true;
  if (WheelDelta == 0) return false;
  return ZoomAtPixel(nkWheel, MousePos.X, MousePos.Y, WheelTurnFactor(FWheelZoomFactor, WheelDelta),
                     Shift);
}

void TCustomRChart::PinchStep(double Factor, int X, int Y) {
  if (!std::isfinite(Factor) || Factor <= 0 || DragRunning()) return;
  // One event zooms no further than the largest wheel turn.
  const double most = std::pow(FWheelZoomFactor, kMaxWheelNotches);
  Factor = std::clamp(Factor, 1 / most, most);
  if (Factor == 1) return;
  ZoomAtPixel(nkPinch, X, Y, Factor, 0);
}

bool TCustomRChart::event(QEvent* e) {
  if (FMouseWheelZoom && e->type() == QEvent::NativeGesture) {
    auto* g = static_cast<QNativeGestureEvent*>(e);
    if (g->gestureType() == Qt::ZoomNativeGesture) {
      const QPoint p = g->position().toPoint();
      Guarded("gesture", [&] { PinchStep(1 + g->value(), p.x(), p.y()); });
      e->accept();
      return true;
    }
  }
  if (FMouseWheelZoom && e->type() == QEvent::Gesture) {
    auto* ge = static_cast<QGestureEvent*>(e);
    if (auto* pinch = static_cast<QPinchGesture*>(ge->gesture(Qt::PinchGesture))) {
      ge->accept(pinch);
      const QPoint c = mapFromGlobal(pinch->centerPoint()).toPoint();
      Guarded("gesture", [&] { PinchStep(pinch->scaleFactor(), c.x(), c.y()); });
      return true;
    }
  }
  return TCustomControl::event(e);
}

// ------------------------------------------------------------------ keys

void TCustomRChart::KeyDown(uint16_t& Key, TShiftState Shift) {
  const TDestroyWatch watch(this);
  TCustomControl::KeyDown(Key, Shift);
  if (watch.Destroyed() || !FKeyboardNavigation || Key == 0 || (Shift & (ssCtrl | ssAlt))) return;
  if (Key == VK_ESCAPE) {
    AbortMouseDrag();
    return;
  }
  if (DragRunning()) return;
  const bool fine = Shift & ssShift;
  switch (Key) {
    case VK_LEFT:
      PanByKey(-kKeyPanFraction, 0, fine);
      break;
    case VK_RIGHT:
      PanByKey(kKeyPanFraction, 0, fine);
      break;
    case VK_UP:
      PanByKey(0, kKeyPanFraction, fine);
      break;
    case VK_DOWN:
      PanByKey(0, -kKeyPanFraction, fine);
      break;
    case VK_BACK:
      if (fine)
        ZoomForward();
      else
        ZoomBack();
      break;
    case VK_HOME:
      FitDataByKey();
      break;
    default:
      break;
  }
}

void TCustomRChart::KeyPress(char& Key) {
  const TDestroyWatch watch(this);
  TCustomControl::KeyPress(Key);
  if (watch.Destroyed() || !FKeyboardNavigation || DragRunning()) return;
  // '=' shares its key with '+' on many layouts.
  const bool in = Key == '+' || Key == '=', out = Key == '-';
  if (!in && !out) return;
  const int cx = RcLRim + DataAreaWidth() / 2, cy = RcTRim + DataAreaHeight() / 2;
  TLayerSet layers = 0;
  for (int l = 1; l <= 2; ++l)
    if (GetMAffLayer(l)) layers |= LayerBit(l);
  ZoomLayers(nkZoomKey, cx, cy, in ? FWheelZoomFactor : 1 / FWheelZoomFactor, layers, true, true);
}

// Moves the view by a fraction of the data area (or by one pixel) in screen directions:
// positive FracX shows more of the right, positive FracY more of the top.
void TCustomRChart::PanByKey(double FracX, double FracY, bool Pixel) {
  // The pixels the range spans, as the transform counts them.
  const int w = Width() - RcLRim - RcRRim - F3DRim, h = Height() - RcTRim - RcBRim - F3DRim;
  if (w <= 0 || h <= 0) return;
  if (Pixel) {
    FracX = FracX > 0 ? 1.0 / w : FracX < 0 ? -1.0 / w : 0;
    FracY = FracY > 0 ? 1.0 / h : FracY < 0 ? -1.0 / h : 0;
  }
  NavBurstStep(nkPanKey);
  const bool confined = FConfXLo != 0 || FConfXHi != 0 || FConfYLo != 0 || FConfYHi != 0;
  auto panAxis = [&](const TScaleProps& p, double frac, double confLo, double confHi,
                     long double& lo, long double& hi) {
    lo = p.RangeLow();
    hi = p.RangeHigh();
    if (frac == 0) return;
    if (p.Logarithmic()) {
      if (!(lo > 0 && hi > 0)) return;
      const long double m = std::pow(hi / lo, (long double)frac);
      if (!(lo * m >= kLogFloor && hi * m <= DBL_MAX)) return;  // at the end of the doubles
      lo *= m;
      hi *= m;
    } else {
      const long double d = (hi - lo) * frac;
      if (std::fabs(lo + d) > kLinearLimit || std::fabs(hi + d) > kLinearLimit) return;
      lo += d;
      hi += d;
    }
    // Panning keeps the width: a range that runs into a limit is shifted back.
    if (confined) ConfineRange(lo, hi, confLo, confHi, true);
  };
  bool changed = false;
  {
    TPaintHold hold(this, FSuppressPaint);
    for (int l = 1; l <= 2; ++l) {
      if (!GetMAffLayer(l)) continue;
      const TScaleProps& px = *FScalePropsX[size_t(l - 1)];
      const TScaleProps& py = *FScalePropsY[size_t(l - 1)];
      long double xLo, xHi, yLo, yHi;
      panAxis(px, FracX, FConfXLo, FConfXHi, xLo, xHi);
      panAxis(py, FracY, FConfYLo, FConfYHi, yLo, yHi);
      const double oldXLo = px.RangeLow(), oldYLo = py.RangeLow();
      ForceRange(l, xLo, yLo, xHi, yHi, false, false);
      if (hold.ChartDestroyed()) return;
      changed = changed || px.RangeLow() != oldXLo || py.RangeLow() != oldYLo;
    }
    hold.Release();
    SetSuppressPaint(hold.Old());
    if (hold.ChartDestroyed()) return;
  }
  if (!changed) return;
  NavStepDone(true);
  RaiseZoomPan();
}

void TCustomRChart::FitDataByKey() {
  NavStartBurst(nkFit);
  {
    TPaintHold hold(this, FSuppressPaint);
    for (int l = 1; l <= 2; ++l) {
      if (!GetMAffLayer(l)) continue;
      AutoRange(l, 0);
      if (hold.ChartDestroyed()) return;
    }
    hold.Release();
    SetSuppressPaint(hold.Old());
    if (hold.ChartDestroyed()) return;
  }
  const bool changed =
      !SameRanges(FNavBefore.Range, LayerBit(1) | LayerBit(2), CurrentView(0).Range);
  NavStepDone(false);  // AutoRange makes its own zoom history entry
  NavEndBurst();
  if (changed) RaiseZoomPan();
}

// ------------------------------------------------------------------ focus

void TCustomRChart::focusInEvent(QFocusEvent* e) {
  TCustomControl::focusInEvent(e);
  UpdateFocusFrame();
}

void TCustomRChart::focusOutEvent(QFocusEvent* e) {
  TCustomControl::focusOutEvent(e);
  UpdateFocusFrame();
}

void TCustomRChart::UpdateFocusFrame() {
  const bool want = FKeyboardNavigation && hasFocus();
  if (want == FFocusFrame) return;
  FFocusFrame = want;
  ShowFocusFrame(want);
}

}  // namespace zyr
