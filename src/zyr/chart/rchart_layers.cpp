// SPDX-License-Identifier: MIT
// Layers of TCustomRChart: world-to-pixel transforms, range operations, extents, ticks and
// the zoom history store.

#include <zyr/chart/rchart.h>
#include <zyr/platform/foundation/constants.h>
#include <zyr/platform/foundation/errors.h>

#include <algorithm>
#include <utility>
#include <cmath>

namespace zyr {

namespace {

constexpr double kLogFloor = 1e-100;
constexpr const char* kLogNegative = "Logarithmic axis must not be negative.";

int ClampLayer(int l) { return l < 1 ? 1 : (l > 2 ? 2 : l); }
size_t Ix(int layer) { return size_t(ClampLayer(layer) - 1); }

bool IsTwoPointKind(TrcItem k) {
  return k == tkLine || k == tkRect || k == tkRectFrame || k == tk3DBar || k == tkArrow ||
         k == tkDoubleArrow || k == tkLineOffs;
}

void Widen(double& lo, double& hi, double v) {
  lo = std::min(lo, v);
  hi = std::max(hi, v);
}

}  // namespace

// ------------------------------------------------------------------ transforms

void TCustomRChart::AdjustScaling() {
  if (IsLoading()) return;
  const int w = Width(), h = Height();
  const long double W = w - RcLRim - RcRRim - F3DRim;
  const long double H = h - RcTRim - RcBRim - F3DRim;
  for (size_t i = 0; i < 2; ++i) {
    const TScaleProps& px = *FScalePropsX[i];
    long double lo = px.RangeLow(), hi = px.RangeHigh();
    if (W > 0) {
      if (px.Logarithmic()) {
        if (hi <= 0 || lo <= 0) throw EZYRRChartError(kLogNegative);
        lo = std::log(lo);
        hi = std::log(hi);
      }
      // A degenerate or non-finite range gets a flat transform instead of a division by zero.
      if (hi != lo && std::isfinite(double(hi - lo))) {
        Cpkx[i] = W / (hi - lo);
        Cpdx[i] = (RcLRim * hi - (w - RcRRim - F3DRim) * lo) / (hi - lo);
      } else {
        Cpkx[i] = 0;
        Cpdx[i] = RcLRim + W / 2;
      }
    } else {
      Cpkx[i] = 0;
      Cpdx[i] = w / 2;
    }
    const TScaleProps& py = *FScalePropsY[i];
    lo = py.RangeLow();
    hi = py.RangeHigh();
    if (H > 0) {
      if (py.Logarithmic()) {
        if (hi <= 0 || lo <= 0) throw EZYRRChartError(kLogNegative);
        lo = std::log(lo);
        hi = std::log(hi);
      }
      if (hi != lo && std::isfinite(double(hi - lo))) {
        Cpky[i] = -H / (hi - lo);
        Cpdy[i] = ((h - RcBRim - F3DRim) * hi - RcTRim * lo) / (hi - lo);
      } else {
        Cpky[i] = 0;
        Cpdy[i] = RcTRim + H / 2;
      }
    } else {
      Cpky[i] = 0;
      Cpdy[i] = h / 2;
    }
    RefreshTransform(i);
  }
}

void TCustomRChart::RefreshTransform(size_t i) {
  TLayerTransform& t = FXf[i];
  t.kx = double(Cpkx[i]);
  t.dx = double(Cpdx[i]);
  t.ky = double(Cpky[i]);
  t.dy = double(Cpdy[i]);
  const TScaleProps& px = *FScalePropsX[i];
  const TScaleProps& py = *FScalePropsY[i];
  t.logX = px.Logarithmic();
  t.logY = py.Logarithmic();
  t.logEdgeX = px.RangeHigh() >= px.RangeLow() ? 0 : Width();
  t.logEdgeY = py.RangeHigh() >= py.RangeLow() ? Height() : 0;
}

void TCustomRChart::M2R(int Layer, int xin, int yin, double& xout, double& yout) const {
  const size_t i = Ix(Layer);
  // A plotting area without extent has no slope; every pixel then maps to the range centre.
  if (Cpkx[i] != 0)
    xout = double((xin - Cpdx[i]) / Cpkx[i]);
  else
    xout = FScalePropsX[i]->Logarithmic() ? std::log(std::max(FScalePropsX[i]->GetScaleCenter(), kLogFloor))
                                          : FScalePropsX[i]->GetScaleCenter();
  if (FScalePropsX[i]->Logarithmic()) xout = std::exp(xout);
  if (Cpky[i] != 0)
    yout = double((yin - Cpdy[i]) / Cpky[i]);
  else
    yout = FScalePropsY[i]->Logarithmic() ? std::log(std::max(FScalePropsY[i]->GetScaleCenter(), kLogFloor))
                                          : FScalePropsY[i]->GetScaleCenter();
  if (FScalePropsY[i]->Logarithmic()) yout = std::exp(yout);
}

void TCustomRChart::GetTransformParams(int Layer, double& kx, double& dx, double& ky,
                                       double& dy) const {
  const size_t i = Ix(Layer);
  kx = double(Cpkx[i]);
  dx = double(Cpdx[i]);
  ky = double(Cpky[i]);
  dy = double(Cpdy[i]);
}

// ------------------------------------------------------------------ setting ranges

double TCustomRChart::IsoHalfHeight(double xLo, double xHi) const {
  const double W = Width() - RcLRim - RcRRim - F3DRim;
  const double H = Height() - RcTRim - RcBRim - F3DRim;
  return (xHi - xLo) * (H + 1) / (W + 1) * Fyasp / Fxasp / 2;
}

void TCustomRChart::SetRange(int Layer, long double xLo, long double yLo, long double xHi,
                             long double yHi) {
  if (Layer == 0) {
    SetRangeIntern(1, xLo, yLo, xHi, yHi, true, false);
    SetRangeIntern(2, xLo, yLo, xHi, yHi, true, false);
  } else if (Layer == 1 || Layer == 2) {
    SetRangeIntern(Layer, xLo, yLo, xHi, yHi, true, false);
  } else {
    return;
  }
  if ((FAutoRedraw || IsDesigning()) && !IsLoading()) Paint();
}

void TCustomRChart::SetRangeIntern(int Layer, long double xLo, long double yLo, long double xHi,
                                   long double yHi, bool Push, bool Confine) {
  const size_t i = Ix(Layer);
  if (xLo == xHi) {
    if (FScalePropsX[i]->Logarithmic()) {
      xLo /= 1.1L;
      xHi *= 1.1L;
    } else {
      xLo -= FScalePropsX[i]->MinRange() / 2;
      xHi += FScalePropsX[i]->MinRange() / 2;
    }
  }
  if (yLo == yHi) {
    if (FScalePropsY[i]->Logarithmic()) {
      yLo /= 1.1L;
      yHi *= 1.1L;
    } else {
      yLo -= FScalePropsY[i]->MinRange() / 2;
      yHi += FScalePropsY[i]->MinRange() / 2;
    }
  }
  if (FIsometric) {
    const long double g = IsoHalfHeight(double(xLo), double(xHi));
    const long double c = (yLo + yHi) / 2;
    yLo = c - g;
    yHi = c + g;
  }
  ForceRange(Layer, xLo, yLo, xHi, yHi, Push, Confine);
}

void TCustomRChart::ForceRange(int Layer, long double xLo, long double yLo, long double xHi,
                               long double yHi, bool Push, bool Confine) {
  if (Layer != 1 && Layer != 2) return;
  const size_t i = size_t(Layer - 1);
  const bool oldSuppress = FSuppressPaint;
  FSuppressPaint = true;
  try {
    if (FJointLayers->GetControlledLayerX(Layer) != Layer) {
      xLo = FScalePropsX[i]->RangeLow();
      xHi = FScalePropsX[i]->RangeHigh();
    }
    if (FJointLayers->GetControlledLayerY(Layer) != Layer) {
      yLo = FScalePropsY[i]->RangeLow();
      yHi = FScalePropsY[i]->RangeHigh();
    }
    ForceRngIntern(Layer, xLo, yLo, xHi, yHi, Push, Confine);
    for (int l = 1; l <= 2; ++l) {
      if (l == Layer) continue;
      const int mx = FJointLayers->GetControlledLayerX(l);
      const int my = FJointLayers->GetControlledLayerY(l);
      if (mx != Layer && my != Layer) continue;
      const TScaleProps& sx = *FScalePropsX[Ix(mx)];
      const TScaleProps& sy = *FScalePropsY[Ix(my)];
      ForceRngIntern(l, sx.RangeLow(), sy.RangeLow(), sx.RangeHigh(), sy.RangeHigh(), true, false);
    }
  } catch (...) {
    FSuppressPaint = oldSuppress;
    throw;
  }
  SetSuppressPaint(oldSuppress);  // repaints when painting was on before
}

void TCustomRChart::ConfineRange(long double& lo, long double& hi, double L, double H,
                                 bool shift) const {
  const long double d = hi - lo;
  if (lo < L) {
    if (shift) hi = L + d;
    lo = L;
  }
  if (lo > H) {
    lo = H;
    if (shift) hi = H + d;
  }
  if (hi < L) {
    hi = L;
    if (shift) lo = L - d;
  }
  if (hi > H) {
    hi = H;
    if (shift) lo = H - d;
  }
}

void TCustomRChart::ForceRngIntern(int Layer, long double xLo, long double yLo, long double xHi,
                                   long double yHi, bool Push, bool Confine) {
  if (Layer != 1 && Layer != 2) return;
  const size_t i = size_t(Layer - 1);
  if (Confine && (FConfXLo != 0 || FConfXHi != 0 || FConfYLo != 0 || FConfYHi != 0)) {
    const int m = FMouseAction;
    ConfineRange(xLo, xHi, FConfXLo, FConfXHi, m == 1 || m == 2 || m == 4);
    ConfineRange(yLo, yHi, FConfYLo, FConfYHi, m == 1 || m == 3 || m == 4);
  }
  bool changed = false;
  auto apply = [&](TScaleProps& p, long double lo, long double hi) {
    // Non-finite bounds would reach every pixel computation: refuse them.
    if (!std::isfinite(double(lo)) || !std::isfinite(double(hi))) return;
    if (p.MinRange() * 0.99 > std::fabs(double(hi - lo))) return;
    double nlo = p.RangeLow(), nhi = p.RangeHigh();
    if (p.Logarithmic()) {
      if (lo >= kLogFloor) nlo = double(lo);
      if (hi >= kLogFloor) nhi = double(hi);
    } else {
      nlo = double(lo);
      nhi = double(hi);
    }
    if (nlo != p.RangeLow() || nhi != p.RangeHigh()) changed = true;
    p.StoreRange(nlo, nhi);
  };
  apply(*FScalePropsX[i], xLo, xHi);
  apply(*FScalePropsY[i], yLo, yHi);
  SetScaleProps(*FScalesX[i], *FScalePropsX[i]);
  SetScaleProps(*FScalesY[i], *FScalePropsY[i]);
  if (Push && changed) ZoomStateOnStack();
  AdjustScaling();
}

void TCustomRChart::SetEqualRangeAxes(TLayerSet Layers, bool doX, bool doY) {
  bool first = true;
  double xlo = 0, xhi = 0, ylo = 0, yhi = 0;
  for (int l = 1; l <= 2; ++l) {
    if (!(Layers & LayerBit(l))) continue;
    const TScaleProps& sx = *FScalePropsX[size_t(l - 1)];
    const TScaleProps& sy = *FScalePropsY[size_t(l - 1)];
    if (first) {
      xlo = sx.RangeLow();
      xhi = sx.RangeHigh();
      ylo = sy.RangeLow();
      yhi = sy.RangeHigh();
      first = false;
    } else {
      xlo = std::min(xlo, sx.RangeLow());
      xhi = std::max(xhi, sx.RangeHigh());
      ylo = std::min(ylo, sy.RangeLow());
      yhi = std::max(yhi, sy.RangeHigh());
    }
  }
  for (int l = 1; l <= 2; ++l) {
    if (!(Layers & LayerBit(l))) continue;
    const TScaleProps& sx = *FScalePropsX[size_t(l - 1)];
    const TScaleProps& sy = *FScalePropsY[size_t(l - 1)];
    SetRangeIntern(l, doX ? xlo : sx.RangeLow(), doY ? ylo : sy.RangeLow(),
                   doX ? xhi : sx.RangeHigh(), doY ? yhi : sy.RangeHigh(), true, false);
  }
}

void TCustomRChart::SetEqualRange(TLayerSet Layers) { SetEqualRangeAxes(Layers, true, true); }
void TCustomRChart::SetEqualRangeXOnly(TLayerSet Layers) { SetEqualRangeAxes(Layers, true, false); }
void TCustomRChart::SetEqualRangeYOnly(TLayerSet Layers) { SetEqualRangeAxes(Layers, false, true); }

void TCustomRChart::SetIsoMetric(bool v) {
  FIsometric = v;
  if (v) {
    for (size_t i = 0; i < 2; ++i) {
      TScaleProps& sx = *FScalePropsX[i];
      TScaleProps& sy = *FScalePropsY[i];
      const double c = (sy.RangeLow() + sy.RangeHigh()) / 2;
      const double g = IsoHalfHeight(sx.RangeLow(), sx.RangeHigh());
      sy.SetRangeHigh(c + g);
      sy.SetRangeLow(c - g);
    }
  }
  ZoomStateOnStack();
  RepaintIfAuto();
}

// ------------------------------------------------------------------ extents

void TCustomRChart::ApplyMargin(double& lo, double& hi, double Margin, bool log,
                                bool testPositive) {
  const double m = Margin / 100;
  if (!log) {
    const double e = m * (hi - lo);
    lo -= e;
    hi += e;
  } else {
    const double g = (!testPositive || lo > 0) ? std::log(hi / lo) : std::log(hi);
    lo *= std::exp(-m * g);
    hi *= std::exp(m * g);
  }
}

void TCustomRChart::ApplyMinWidth(double& lo, double& hi, double MinRange) {
  const double c = MinRange * (lo + hi) / 2 / 100;
  if (c > std::fabs(hi - lo)) {
    lo -= c;
    hi += c;
  }
}

bool TCustomRChart::RawExtents(int Layer, double& MinX, double& MinY, double& MaxX,
                               double& MaxY) const {
  MinX = MinY = uc_MaxDouble;
  MaxX = MaxY = -uc_MaxDouble;
  bool any = false;
  FDataContainer->ForEach(0, size_t(FNumChartItems), [&](const TrcChartItem& it, size_t) {
    if (it.Layer != Layer) return;
    any = true;
    const TrcItem kind = it.ItemKind;
    if (kind == tkMoveRelPix || kind == tkLineRelPix) return;
    Widen(MinX, MaxX, it.x);
    Widen(MinY, MaxY, it.y);
    if (IsTwoPointKind(kind)) {
      Widen(MinX, MaxX, it.x2);
      Widen(MinY, MaxY, it.y2);
    } else if (kind == tkEllipse || kind == tkArc) {
      MinX = std::min(MinX, it.x - it.x2);
      MinY = std::min(MinY, it.y - it.y2);
      MaxX = std::max(MaxX, it.x + it.x2);
      MaxY = std::max(MaxY, it.y + it.y2);
    } else if (kind == tkMarkEBar) {
      if (it.Param1 != 0) {
        Widen(MinX, MaxX, it.x - it.x2);
        Widen(MinX, MaxX, it.x + it.x2);
      } else {
        Widen(MinY, MaxY, it.y - it.y2);
        Widen(MinY, MaxY, it.y + it.y2);
      }
    }
  });
  return any;
}

void TCustomRChart::LLCalcExtents(int Layer, double Margin, double MinRange, double& MinX,
                                  double& MinY, double& MaxX, double& MaxY) {
  if (!RawExtents(Layer, MinX, MinY, MaxX, MaxY)) {
    MinX = MinY = MaxX = MaxY = 0;
    return;
  }
  const size_t i = Ix(Layer);
  ApplyMargin(MinX, MaxX, Margin, FScalePropsX[i]->Logarithmic(), true);
  ApplyMargin(MinY, MaxY, Margin, FScalePropsY[i]->Logarithmic(), true);
  ApplyMinWidth(MinX, MaxX, MinRange);
  ApplyMinWidth(MinY, MaxY, MinRange);
}

void TCustomRChart::AutoRangeAxes(int Layer, double Margin, double MinRange, bool doX, bool doY) {
  if (Layer == 0) {
    std::array<double, 2> minX{}, minY{}, maxX{}, maxY{};
    for (size_t i = 0; i < 2; ++i) {
      LLCalcExtents(int(i + 1), 0, 0, minX[i], minY[i], maxX[i], maxY[i]);
      if (minX[i] == maxX[i]) {
        minX[i] -= 1;
        maxX[i] += 1;
      }
      if (minY[i] == maxY[i]) {
        minY[i] -= 1;
        maxY[i] += 1;
      }
      if (Margin > 0) {
        ApplyMargin(minX[i], maxX[i], Margin, FScalePropsX[i]->Logarithmic(), false);
        ApplyMargin(minY[i], maxY[i], Margin, FScalePropsY[i]->Logarithmic(), false);
        ApplyMinWidth(minX[i], maxX[i], MinRange);
        ApplyMinWidth(minY[i], maxY[i], MinRange);
      }
    }
    for (int l = 1; l <= 2; ++l) {
      const size_t i = size_t(l - 1);
      const size_t mx = Ix(FJointLayers->GetControlledLayerX(l));
      const size_t my = Ix(FJointLayers->GetControlledLayerY(l));
      const TScaleProps& sx = *FScalePropsX[i];
      const TScaleProps& sy = *FScalePropsY[i];
      ForceRngIntern(l, doX ? minX[mx] : sx.RangeLow(), doY ? minY[my] : sy.RangeLow(),
                     doX ? maxX[mx] : sx.RangeHigh(), doY ? maxY[my] : sy.RangeHigh(), false,
                     true);
    }
  } else if (Layer == 1 || Layer == 2) {
    if (!(doX && doY)) FIsometric = false;
    double minX, minY, maxX, maxY;
    LLCalcExtents(Layer, Margin, MinRange, minX, minY, maxX, maxY);
    if (minX == maxX) {
      minX -= 1;
      maxX += 1;
    }
    if (minY == maxY) {
      minY -= 1;
      maxY += 1;
    }
    if (FIsometric) {
      const double u = IsoHalfHeight(minX, maxX) * 2;
      const double c = (minY + maxY) / 2;
      minY = c - u / 2;
      maxY = c + u / 2;
    }
    const TScaleProps& sx = *FScalePropsX[size_t(Layer - 1)];
    const TScaleProps& sy = *FScalePropsY[size_t(Layer - 1)];
    ForceRange(Layer, doX ? minX : sx.RangeLow(), doY ? minY : sy.RangeLow(),
               doX ? maxX : sx.RangeHigh(), doY ? maxY : sy.RangeHigh(), true, false);
  } else {
    return;
  }
  RepaintIfAuto();
}

void TCustomRChart::AutoRange(int Layer, double Margin) { AutoRangeAxes(Layer, Margin, 0, true, true); }
void TCustomRChart::AutoRange(int Layer, double Margin, double MinRange) {
  AutoRangeAxes(Layer, Margin, MinRange, true, true);
}
void TCustomRChart::AutoRangeXOnly(int Layer, double Margin) {
  AutoRangeAxes(Layer, Margin, 0, true, false);
}
void TCustomRChart::AutoRangeXOnly(int Layer, double Margin, double MinRange) {
  AutoRangeAxes(Layer, Margin, MinRange, true, false);
}
void TCustomRChart::AutoRangeYOnly(int Layer, double Margin) {
  AutoRangeAxes(Layer, Margin, 0, false, true);
}
void TCustomRChart::AutoRangeYOnly(int Layer, double Margin, double MinRange) {
  AutoRangeAxes(Layer, Margin, MinRange, false, true);
}

void TCustomRChart::FindMinMax(int Layer, double RangeLoX, double RangeLoY, double RangeHiX,
                               double RangeHiY, double& MinX, double& MinY, double& MaxX,
                               double& MaxY) const {
  LLCalcMinMax(Layer, RangeLoX, RangeLoY, RangeHiX, RangeHiY, MinX, MinY, MaxX, MaxY);
}

void TCustomRChart::LLCalcMinMax(int Layer, double RangeLoX, double RangeLoY, double RangeHiX,
                                 double RangeHiY, double& MinX, double& MinY, double& MaxX,
                                 double& MaxY) const {
  MinX = MinY = uc_MaxDouble;
  MaxX = MaxY = -uc_MaxDouble;
  auto take = [&](double x, double y) {
    if (RangeLoX < x && x < RangeHiX && RangeLoY < y && y < RangeHiY) {
      Widen(MinX, MaxX, x);
      Widen(MinY, MaxY, y);
    }
  };
  FDataContainer->ForEach(0, size_t(FNumChartItems), [&](const TrcChartItem& it, size_t) {
    if (Layer != 0 && it.Layer != Layer) return;
    const TrcItem kind = it.ItemKind;
    if (kind == tkMoveRelPix || kind == tkLineRelPix) return;
    take(it.x, it.y);
    if (IsTwoPointKind(kind)) take(it.x2, it.y2);
  });
}

TLayerSet TCustomRChart::FindUsedLayers() const {
  TLayerSet s = 0;
  FDataContainer->ForEach(0, size_t(FNumChartItems), [&](const TrcChartItem& it, size_t) {
    if (it.Layer == 1 || it.Layer == 2) s |= LayerBit(it.Layer);
  });
  return s;
}

// ------------------------------------------------------------------ ticks

double TCustomRChart::TickPosX(int ix) const {
  const int n = TickNumX();
  if (ix < 1 || ix > n) return 0;
  const size_t i = Ix(FActiveLayer);
  if (FScalePropsX[i]->RangeLow() > FScalePropsX[i]->RangeHigh()) ix = n - ix + 1;
  return FScalesX[i]->GetTickPos(ix);
}

double TCustomRChart::TickPosY(int ix) const {
  const int n = TickNumY();
  if (ix < 1 || ix > n) return 0;
  const size_t i = Ix(FActiveLayer);
  if (FScalePropsY[i]->RangeLow() > FScalePropsY[i]->RangeHigh()) ix = n - ix + 1;
  return FScalesY[i]->GetTickPos(ix);
}

int TCustomRChart::TickNumX() const { return FScalesX[Ix(FActiveLayer)]->NumTicks(); }
int TCustomRChart::TickNumY() const { return FScalesY[Ix(FActiveLayer)]->NumTicks(); }

// ------------------------------------------------------------------ zoom history

void TCustomRChart::ZoomStateOnStack() {
  if (IsLoading()) return;
  for (size_t i = 0; i < 2; ++i) {
    FZoomStack[i][size_t(FZStackPoi - 1)] =
        TRectDouble{FScalePropsX[i]->RangeLow(), FScalePropsY[i]->RangeHigh(),
                    FScalePropsX[i]->RangeHigh(), FScalePropsY[i]->RangeLow()};
  }
  FZStackPoi = FZStackPoi % kZoomStackSize + 1;
}

bool TCustomRChart::GetZoomStackEntry(int Layer, int StackIx, TRectDouble& Entry) const {
  if (Layer < 1 || Layer > 2 || StackIx > 0 || StackIx < -(kZoomStackSize - 1)) return false;
  // The entry written last sits just before the write position.
  int pos = FZStackPoi - 1 + StackIx;
  while (pos < 1) pos += kZoomStackSize;
  Entry = FZoomStack[size_t(Layer - 1)][size_t(pos - 1)];
  return true;
}

TRectDouble TCustomRChart::ZoomStack(int Layer, int StackIx) const {
  TRectDouble r;
  GetZoomStackEntry(Layer, StackIx, r);
  return r;
}

void TCustomRChart::ZoomHistory(int n) {
  if (n < -(kZoomStackSize - 1) || n > 0) return;
  for (int l = 1; l <= 2; ++l) {
    TRectDouble r;
    if (!GetZoomStackEntry(l, n, r)) continue;
    if (r.left != 0 || r.top != 0 || r.right != 0 || r.bottom != 0)
      ForceRange(l, r.left, r.bottom, r.right, r.top, false, false);
  }
  Paint();
}

void TCustomRChart::ClearZoomHistory() {
  for (auto& layer : FZoomStack) layer.fill(TRectDouble{});
  FZStackPoi = 1;
  ZoomStateOnStack();
}

void TCustomRChart::ConfineZoomRange(double XMin, double YMin, double XMax, double YMax) {
  FConfXLo = XMin;
  FConfYLo = YMin;
  FConfXHi = XMax;
  FConfYHi = YMax;
}

}  // namespace zyr
