// SPDX-License-Identifier: MIT
// Hit testing and selection of TCustomRChart: nearest items and re-classing.

#include <zyr/chart/rchart.h>
#include <zyr/platform/foundation/constants.h>
#include <zyr/platform/numerics/math1.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace zyr {

namespace {

// Kind filter of searches and marking; annotations also leave out relative moves.
bool KindSelected(TrcItem Filter, TrcItem Kind, bool Anno) {
  switch (Filter) {
    case tkNone:
      return false;
    case tkEverything:
      return true;
    case tkNotMoveTo:
      return Kind != tkMoveTo && !(Anno && Kind == tkMoveRelPix);
    default:
      return Kind == Filter;
  }
}

// The three filters of a search, decided per item by table lookups (searches run over
// millions of items).
class TItemFilter {
 public:
  TItemFilter(const TCustomRChart& Chart, TrcItem Kind, uint8_t Class, bool OnlyVisible, bool Anno)
      : FClass(Class) {
    for (int k = 0; k < 256; ++k) FKind[size_t(k)] = KindSelected(Kind, TrcItem(k), Anno);
    for (int l = 1; l <= 2; ++l) FLayer[size_t(l - 1)] = !OnlyVisible || Chart.LayerVisible(l);
    FOtherLayers = !OnlyVisible;
  }
  bool Pass(const TrcChartItem& it) const {
    if (!FKind[it.ItemKind] || (FClass != 255 && it.ItemClass != FClass)) return false;
    const unsigned l = unsigned(it.Layer) - 1u;  // layers from files may hold anything
    return l < 2u ? FLayer[l] : FOtherLayers;
  }

 private:
  std::array<bool, 256> FKind{};
  std::array<bool, 2> FLayer{};
  bool FOtherLayers = true;
  uint8_t FClass;
};

// Keeps the best candidate: a measure that is not a number never qualifies, a later item
// must be strictly better. Starting from "none" rather than from the largest double lets
// items whose measure overflows to infinity still be found.
struct TBest {
  int Index = -1;
  double Measure = 0;
  void Offer(int i, double m) {
    if (std::isnan(m)) return;
    if (Index < 0 || m < Measure) {
      Index = i;
      Measure = m;
    }
  }
  int Result(double& Dist) const {
    Dist = Index < 0 ? std::sqrt(uc_MaxDouble) : std::sqrt(Measure);
    return Index;
  }
};

double Sqr(double v) { return v * v; }

int RoundPix(double v) { return TCustomRChart::PixelOf(v); }

// The value of PixelOf(v) as a double: the same limits (NaN to the top) and rounding.
double PixelOfAsDouble(double v) {
  constexpr double kMax = 2147483647.0, kRound = 6755399441055744.0;
  v = v < kMax ? v : kMax;
  v = v > -kMax ? v : -kMax;
  return (v + kRound) - kRound;
}

}  // namespace

int TCustomRChart::FindNearestItemReal(double x, double y, TrcItem Kind, uint8_t Class,
                                       bool OnlyVisible, double& Dist) const {
  TBest best;
  const TItemFilter filter(*this, Kind, Class, OnlyVisible, false);
  FDataContainer->ForEach(0, size_t(FNumChartItems), [&](const TrcChartItem& it, size_t ix) {
    const int i = int(ix);
    if (!filter.Pass(it)) return;
    best.Offer(i, Sqr(it.x - x) + Sqr(it.y - y));
  });
  return best.Result(Dist);
}

int TCustomRChart::FindNearestItemScreen(double x, double y, TrcItem Kind, uint8_t Class,
                                         bool OnlyVisible, double& Dist) const {
  TBest best;
  if (std::isnan(x) || std::isnan(y)) return best.Result(Dist);
  int qx, qy;
  R2M(FActiveLayer, x, y, qx, qy);
  const TItemFilter filter(*this, Kind, Class, OnlyVisible, false);
  if (!FXf[0].logX && !FXf[0].logY && !FXf[1].logX && !FXf[1].logY) {
    // Linear axes: R2M's pixels worked out in doubles, without the round trip through int.
    const double X = qx, Y = qy;
    FDataContainer->ForEach(0, size_t(FNumChartItems), [&](const TrcChartItem& it, size_t ix) {
      const int i = int(ix);
      if (!filter.Pass(it)) return;
      if (std::isnan(it.x) || std::isnan(it.y)) return;
      const TLayerTransform& t = FXf[it.Layer >= 2 ? 1 : 0];
      best.Offer(i, Sqr(PixelOfAsDouble(t.kx * it.x + t.dx) - X) +
                        Sqr(PixelOfAsDouble(t.ky * it.y + t.dy) - Y));
    });
    return best.Result(Dist);
  }
  FDataContainer->ForEach(0, size_t(FNumChartItems), [&](const TrcChartItem& it, size_t ix) {
    const int i = int(ix);
    if (!filter.Pass(it)) return;
    if (std::isnan(it.x) || std::isnan(it.y)) return;
    int px, py;
    R2M(it.Layer, it.x, it.y, px, py);
    best.Offer(i, Sqr(double(px) - qx) + Sqr(double(py) - qy));
  });
  return best.Result(Dist);
}

int TCustomRChart::FindNearestItemAlongAxis(double Value, TAxis Axis, TrcItem Kind, uint8_t Class,
                                            bool OnlyVisible, double& Dist) const {
  TBest best;
  if ((Axis != 0 && Axis != 1) || std::isnan(Value)) return best.Result(Dist);
  const bool alongX = Axis == 0;
  // The other coordinate of the query does not matter; 1 is valid on every axis kind.
  int qx, qy;
  R2M(FActiveLayer, alongX ? Value : 1.0, alongX ? 1.0 : Value, qx, qy);
  const double q = alongX ? qx : qy;
  const TItemFilter filter(*this, Kind, Class, OnlyVisible, false);
  FDataContainer->ForEach(0, size_t(FNumChartItems), [&](const TrcChartItem& it, size_t ix) {
    const int i = int(ix);
    if (!filter.Pass(it)) return;
    if (std::isnan(alongX ? it.x : it.y)) return;
    int px, py;
    R2M(it.Layer, it.x, it.y, px, py);
    // Squared so that the tie rule works on the same footing as the other searches.
    best.Offer(i, Sqr((alongX ? px : py) - q));
  });
  return best.Result(Dist);
}

void TCustomRChart::ConvertToScreenCoords(const TrcChartItem& Item, int& X1, int& Y1, int& X2,
                                          int& Y2) const {
  if (Item.CoordMode > cmXWorldYScreen) return;  // unknown modes leave the outputs
  int wx1, wy1, wx2, wy2;
  R2M(Item.Layer, Item.x, Item.y, wx1, wy1);
  R2M(Item.Layer, Item.x2, Item.y2, wx2, wy2);
  const int sx1 = RoundPix(Item.x + RcLRim), sy1 = RoundPix(Item.y + RcTRim);
  const int sx2 = RoundPix(Item.x2 + RcLRim), sy2 = RoundPix(Item.y2 + RcTRim);
  const TModeWorld mw = ModeWorld(Item.CoordMode);
  X1 = mw.x1 ? wx1 : sx1;
  Y1 = mw.y1 ? wy1 : sy1;
  X2 = mw.x2 ? wx2 : sx2;
  Y2 = mw.y2 ? wy2 : sy2;
}

void TCustomRChart::AnnoTextBox(const TrcChartItem& Item, int Index, TCanvas& TextCanvas, int& Left,
                                int& Top, int& Right, int& Bottom) {
  int ax = 0, ay = 0, x2 = 0, y2 = 0;
  ConvertToScreenCoords(Item, ax, ay, x2, y2);
  if (Item.ItemKind == tkTextOfs) {
    int wx, wy;
    R2M(Item.Layer, Item.x, Item.y, wx, wy);
    ax = RoundPix(double(wx) + Item.x2);
    ay = RoundPix(double(wy) + Item.y2);
  }
  // Far anchors stay far, but the box arithmetic below cannot overflow.
  ax = std::clamp(ax, -1'000'000'000, 1'000'000'000);
  ay = std::clamp(ay, -1'000'000'000, 1'000'000'000);
  std::string txt = FullItemText(Item, true);
  if (OnBeforeRenderText) {
    const TDestroyWatch watch(this);
    OnBeforeRenderText(this, txt, Index, true);
    if (watch.Destroyed()) {  // an empty box at the anchor; the caller stops
      Left = Right = ax;
      Top = Bottom = ay;
      return;
    }
  }
  TextCanvas.Font().SetSize(std::clamp(Item.Param1, 1, 1000));
  int w = 0, h = 0, lineH = 0;
  CalcTextExtents(txt, TextCanvas, w, h, lineH);
  ay -= lineH / 2;
  if (Item.Param3 == taRightJustify)
    ax -= w;
  else if (Item.Param3 == taCenter)
    ax -= w / 2;
  Left = ax;
  Top = ay;
  Right = ax + w;
  Bottom = ay + h;
}

double TCustomRChart::AnnoElemMeasure(const TrcChartItem& it, int Index, double x, double y,
                                      double Qx, double Qy, TCanvas& TextCanvas) {
  constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
  int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  ConvertToScreenCoords(it, X1, Y1, X2, Y2);
  auto segment = [&](double ax, double ay, double bx, double by) {
    return Sqr(DistanceToSegment(Qx, Qy, ax, ay, bx, by));
  };
  auto rect = [&](double ax, double ay, double bx, double by) {
    return Sqr(DistFromRect(Qx, Qy, ax, ay, bx, by));
  };
  switch (it.ItemKind) {
    case tkMarkAt:
    case tkLineto:
      return Sqr(Qx - X1) + Sqr(Qy - Y1);
    case tkLine:
    case tkArrow:
    case tkDoubleArrow:
      return segment(X1, Y1, X2, Y2);
    case tkRect:
    case tkRectFrame:
      return rect(X1, Y1, X2, Y2);
    case tk3DBar: {
      const double a = it.Param1 * std::numbers::pi / 180.0;
      const int dx = RoundPix(std::cos(a) * it.Param2), dy = RoundPix(std::sin(a) * it.Param2);
      return std::min(rect(X1, Y1, X2, Y2),
                      rect(double(X1) + dx, double(Y1) - dy, double(X2) + dx, double(Y2) - dy));
    }
    case tkText:
    case tkTextOfs: {
      int l, t, r, b;
      AnnoTextBox(it, Index, TextCanvas, l, t, r, b);
      return rect(l, t, r, b);
    }
    case tkEllipse: {
      // World units: the sum of the distances to the foci exceeds the major axis outside.
      const double a = std::fabs(it.x2), b = std::fabs(it.y2);
      const double A = std::max(a, b);
      const double c = std::sqrt(A * A - Sqr(std::min(a, b)));
      const double fx = a >= b ? c : 0, fy = a >= b ? 0 : c;
      const double m = std::hypot(x - (it.x - fx), y - (it.y - fy)) +
                       std::hypot(x - (it.x + fx), y - (it.y + fy)) - 2 * A;
      return m < 0 ? 0 : m;
    }
    case tkRectRelPix:
      return rect(double(X1) - it.Param1, double(Y1) - it.Param2, double(X1) + it.Param1,
                  double(Y1) + it.Param2);
    case tkMarkEBar: {
      const double lo = std::fabs(it.x2), hi = std::fabs(it.y2);
      int e1x, e1y, e2x, e2y;
      if (it.Param1 != 0) {
        R2M(it.Layer, it.x - lo, it.y, e1x, e1y);
        R2M(it.Layer, it.x + hi, it.y, e2x, e2y);
      } else {
        R2M(it.Layer, it.x, it.y - lo, e1x, e1y);
        R2M(it.Layer, it.x, it.y + hi, e2x, e2y);
      }
      return segment(e1x, e1y, e2x, e2y);
    }
    case tkLineOffs:
      return segment(double(X1) + it.Param1, double(Y1) + it.Param2, double(X2) + it.Param1,
                     double(Y2) + it.Param2);
    case tkArc: {
      // The arc as drawn: box from the pixels of centre -/+ half axes, radials from the
      // centre pixel, swept counter-clockwise on screen from the start to the end angle.
      int bx1, by1, bx2, by2, cx, cy;
      R2M(it.Layer, it.x - it.x2, it.y - it.y2, bx1, by1);
      R2M(it.Layer, it.x + it.x2, it.y + it.y2, bx2, by2);
      R2M(it.Layer, it.x, it.y, cx, cy);
      constexpr double twoPi = 2 * std::numbers::pi;
      const double a1 = it.Param1 / 1e8, a2 = it.Param2 / 1e8;
      double span = std::fmod(a2 - a1, twoPi);
      if (span <= 0) span += twoPi;  // equal angles draw the whole ellipse
      double off = std::fmod(std::atan2(-(Qy - cy), Qx - cx) - a1, twoPi);
      if (off < 0) off += twoPi;
      if (!(off > 0 && off < span)) return NaN;
      double nx, ny;
      return Sqr(DistFromEllipse(Qx, Qy, (double(bx1) + bx2) / 2, (double(by1) + by2) / 2,
                                 (double(bx2) - bx1) / 2, (double(by2) - by1) / 2, nx, ny));
    }
    case tkLineRelPixOrig:
      return segment(X1, Y1, double(X1) + RoundPix(it.x2), double(Y1) + RoundPix(it.y2));
    case tkCursorVert:
      return Sqr(X1 - Qx);
    case tkCursorHoriz:
      return Sqr(Y1 - Qy);
    default:
      return NaN;
  }
}

int TCustomRChart::FindNearestAnnoElem(double x, double y, TrcItem Kind, uint8_t Class,
                                       bool OnlyVisible, double& Dist) {
  TBest best;
  if (std::isnan(x) || std::isnan(y)) return best.Result(Dist);
  int qx, qy;
  R2M(FActiveLayer, x, y, qx, qy);
  // Texts are measured in the font they are drawn with, each at its own size, on a canvas of
  // our own so that the drawing state of the data bitmap stays untouched.
  const TItemFilter filter(*this, Kind, Class, OnlyVisible, true);
  TCanvas textCanvas;
  textCanvas.Font().SetName(FTextFont.Name());
  textCanvas.Font().SetStyle(FTextFont.Style());
  // A text handler may change the annotations: copy each item, re-read the count. It may also
  // delete the chart: then nothing was found.
  const TDestroyWatch watch(this);
  for (int i = 0; i < FNumAnnoItems; ++i) {
    const TrcChartItem it = std::as_const(*FAnnoContainer)[size_t(i)];
    if (!filter.Pass(it)) continue;
    const double m = AnnoElemMeasure(it, i, x, y, qx, qy, textCanvas);
    if (watch.Destroyed()) return TBest{}.Result(Dist);
    best.Offer(i, m);
  }
  return best.Result(Dist);
}

void TCustomRChart::MarkAllItems(TrcItem Kind, uint8_t NewClass) {
  if (NewClass == 255 || Kind == tkNone) return;
  FDataContainer->Update(0, size_t(FNumChartItems), [&](TrcChartItem& it, size_t) {
    if (KindSelected(Kind, it.ItemKind, false)) it.ItemClass = NewClass;
  });
}

int TCustomRChart::MarkItemsInWindow(double x1, double y1, double x2, double y2, TrcItem Kind,
                                     uint8_t NewClass) {
  if (NewClass == 255 || Kind == tkNone) return 0;
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  int n = 0;
  FDataContainer->Update(0, size_t(FNumChartItems), [&](TrcChartItem& it, size_t) {
    if (!KindSelected(Kind, it.ItemKind, false)) return;
    if (x1 <= it.x && it.x <= x2 && y1 <= it.y && it.y <= y2) {
      it.ItemClass = NewClass;
      ++n;
    }
  });
  return n;
}

}  // namespace zyr
