// SPDX-License-Identifier: MIT
#include <zyr/chart/smithchart.h>
#include <zyr/platform/foundation/constants.h>
#include <zyr/platform/foundation/frames.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zyr {

namespace {

constexpr int kPixLimit = 30000;
int Clamp(int p) { return std::clamp(p, -kPixLimit, kPixLimit); }

struct TResistanceCircle {
  double r;
  double phi;  // half-angle of the gap at G = 1 (3.142: full circle)
  bool dark;
  int level;
};
// Gaps keep the circles from crowding into a dark blot around the open-circuit point.
constexpr TResistanceCircle kResistance[20] = {
    {0, 3.142, true, 1},    {0.1, 0.829, false, 3}, {0.2, 0.578, true, 1},  {0.3, 0.957, false, 3},
    {0.4, 1.019, false, 3}, {0.5, 0.42, true, 1},   {0.6, 1.14, false, 5},  {0.7, 0.801, false, 2},
    {0.8, 1.248, false, 5}, {0.9, 1.296, false, 5}, {1, 0.395, true, 1},    {1.2, 0.834, false, 3},
    {1.5, 0.921, false, 2}, {2, 1.073, true, 1},    {2.5, 0.673, false, 4}, {3, 1.036, false, 3},
    {4, 0.92, false, 4},    {7, 1.35, false, 4},    {10, 3.142, true, 1},   {5, 3.142, true, 1}};

struct TReactanceArc {
  double x;
  double e;  // real-axis point the arc runs to
  bool dark;
  int level;
};
constexpr TReactanceArc kReactance[19] = {
    {0.1, 0.2, false, 3},   {0.2, 0.33, true, 1},  {0.3, 0.498, false, 3}, {0.4, 0.18, false, 3},
    {0.5, 0.819, true, 1},  {0.6, 0.15, false, 5}, {0.7, 0.133, false, 2}, {0.8, 0.48, false, 5},
    {0.9, 0.084, false, 5}, {1, 1, true, 1},       {1.2, 0.45, false, 3},  {1.5, 0.645, false, 2},
    {2, 0.625, true, 1},    {2.5, 0.81, false, 4}, {3, 0.558, false, 3},   {4, 0.669, false, 4},
    {7, 0.7, false, 4},     {10, 1, true, 1},      {5, 0.95, true, 1}};

int Round(double v) { return TCustomRChart::PixelOf(v); }

}  // namespace

TSmithChart::TSmithChart(QWidget* parent) : TCustomRChart(parent) {
  SetIsometric(true);
  SetGridStyle(gsPoints);
  SetGridDx(0);
  SetGridDy(0);
  SetPanGridDx(1.0);
  SetPanGridDy(1.0);
  SetPanGridOffsX(0);
  SetPanGridOffsY(0);
  TCustomRChart::SetRange(1, -1.2, -1.2, 1.2, 1.2);
  // The diagram carries its own labels.
  for (int l = 1; l <= 2; ++l) {
    ScalePropsX(l).SetVisible(false);
    ScalePropsY(l).SetVisible(false);
  }
}

// ------------------------------------------------------------------ conversions

double TSmithChart::CalcReflectionReal(double Resistance, double Reactance) {
  // r = -1 makes a infinite; z = -1 itself lies at infinity.
  if (Resistance == -1) return Reactance == 0 ? uc_MaxReal : 1.0;
  const double a = 1 / (Resistance + 1);
  return 1 - 2 / (Reactance * Reactance * a + 1 / a);
}

double TSmithChart::CalcReflectionImag(double Resistance, double Reactance) {
  if (Reactance == 0) return 0;
  if (Resistance == -1) return 2 / Reactance;
  const double a = 1 / (Resistance + 1);
  return 2 / (Reactance + 1 / (Reactance * a * a));
}

double TSmithChart::CalcResistance(double ReflectionReal, double ReflectionImag) {
  const double a = ReflectionReal - 1;
  const double b = a * a + ReflectionImag * ReflectionImag;
  if (b == 0) return uc_MaxReal;
  return -1 - 2 * a / b;
}

double TSmithChart::CalcReactance(double ReflectionReal, double ReflectionImag) {
  const double a = ReflectionReal - 1;
  const double b = a * a + ReflectionImag * ReflectionImag;
  if (b == 0) return uc_MaxReal;
  return 2 * ReflectionImag / b;
}

void TSmithChart::PixelToImpedance(int X, int Y, double& Resistance, double& Reactance) const {
  double gr = 0, gi = 0;
  M2R(X, Y, gr, gi);
  Resistance = CalcResistance(gr, gi);
  Reactance = CalcReactance(gr, gi);
}

// ------------------------------------------------------------------ colours

void TSmithChart::SetGridColLight(TColor v) {
  if (v == FGridColLight) return;
  FGridColLight = v;
  StyleChanged(this);
}

void TSmithChart::SetGridColDark(TColor v) {
  if (v == FGridColDark) return;
  FGridColDark = v;
  StyleChanged(this);
}

void TSmithChart::SetDiagramColor(TColor v) {
  if (v == FDiagramColor) return;
  FDiagramColor = v;
  StyleChanged(this);
}

// ------------------------------------------------------------------ layer-1 ranges

double TSmithChart::GetRangeLowX() const { return ScalePropsX(1).RangeLow(); }
double TSmithChart::GetRangeHighX() const { return ScalePropsX(1).RangeHigh(); }
double TSmithChart::GetRangeLowY() const { return ScalePropsY(1).RangeLow(); }
double TSmithChart::GetRangeHighY() const { return ScalePropsY(1).RangeHigh(); }

void TSmithChart::SetRangeLowX(double x) { SetLimit(0, x); }
void TSmithChart::SetRangeHighX(double x) { SetLimit(1, x); }
void TSmithChart::SetRangeLowY(double x) { SetLimit(2, x); }

void TSmithChart::SetLimit(int Which, double x) {
  if (!std::isfinite(x)) return;
  // One repaint at the end, after the isometric correction; a caller's own suppression stays.
  const bool old = FSuppressPaint;
  FSuppressPaint = true;
  try {
    switch (Which) {
      case 0:
        ScalePropsX(1).SetRangeLow(x);
        break;
      case 1:
        ScalePropsX(1).SetRangeHigh(x);
        break;
      default:
        ScalePropsY(1).SetRangeLow(x);
        break;
    }
    SetIsoMetric(true);
  } catch (...) {
    FSuppressPaint = old;
    throw;
  }
  FSuppressPaint = true;
  SetSuppressPaint(old);
}

void TSmithChart::SetRange(double xLo, double yLo, double xHi, double yHi) {
  TCustomRChart::SetRange(1, xLo, yLo, xHi, yHi);
}

void TSmithChart::AutoRange(double Margin) { TCustomRChart::AutoRange(1, Margin); }

void TSmithChart::AutoRange(double MinRange, double Margin) {
  TCustomRChart::AutoRange(1, Margin, MinRange);
}

void TSmithChart::FindMinMax(double RangeLoX, double RangeLoY, double RangeHiX, double RangeHiY,
                             double& MinX, double& MinY, double& MaxX, double& MaxY) const {
  TCustomRChart::FindMinMax(1, RangeLoX, RangeLoY, RangeHiX, RangeHiY, MinX, MinY, MaxX, MaxY);
}

void TSmithChart::GetTransformParams(double& kx, double& dx, double& ky, double& dy) const {
  TCustomRChart::GetTransformParams(1, kx, dx, ky, dy);
}

void TSmithChart::M2R(int xin, int yin, double& ReflReal, double& ReflImag) const {
  TCustomRChart::M2R(1, xin, yin, ReflReal, ReflImag);
}

void TSmithChart::R2M(double ReflReal, double ReflImag, int& xout, int& yout) const {
  TCustomRChart::R2M(1, ReflReal, ReflImag, xout, yout);
}

int TSmithChart::MarkItemsInWindow(double ReflRealLow, double ReflImagLow, double ReflRealHigh,
                                   double ReflImagHigh, TrcItem ItemID, uint8_t ClassNumber) {
  return TCustomRChart::MarkItemsInWindow(ReflRealLow, ReflImagLow, ReflRealHigh, ReflImagHigh,
                                          ItemID, ClassNumber);
}

void TSmithChart::CenterChart() {
  const double w = GetRangeHighX() - GetRangeLowX();
  const double h = GetRangeHighY() - GetRangeLowY();
  SetRange(-w / 2, -h / 2, w / 2, h / 2);
}

// ------------------------------------------------------------------ cross-hair 1

double TSmithChart::GetCrossHairPosX() const { return GetCHPosX(1); }
double TSmithChart::GetCrossHairPosY() const { return GetCHPosY(1); }
void TSmithChart::SetCrossHairPosX(double x) { SetCHPosX(1, x); }
void TSmithChart::SetCrossHairPosY(double y) { SetCHPosY(1, y); }
void TSmithChart::CrossHairSetPos(double x, double y) { TCustomRChart::CrossHairSetPos(1, x, y); }

void TSmithChart::CrossHairSetup(TColor chColor, TCrossHMode Mode, TPenStyle LineType,
                                 int LineWidth) {
  TCustomRChart::CrossHairSetup(1, chColor, Mode, LineType, LineWidth);
}

// ------------------------------------------------------------------ copying, window, paint

void TSmithChart::Assign(const TPersistent* Source) {
  TCustomRChart::Assign(Source);
  if (const auto* s = dynamic_cast<const TSmithChart*>(Source)) {
    FGridColLight = s->FGridColLight;
    FGridColDark = s->FGridColDark;
    FDiagramColor = s->FDiagramColor;
    Paint();
  }
}

void TSmithChart::AssignTo(TPersistent* Dest) const {
  if (auto* d = dynamic_cast<TSmithChart*>(Dest))
    d->Assign(this);
  else
    TCustomRChart::AssignTo(Dest);
}

void TSmithChart::CreateWnd() {
  TCustomRChart::CreateWnd();
  FSuppressPaint = false;
}

// The diagram is the background; a free-hand trace has no meaning on it.
void TSmithChart::Paint() { PaintCycle(false); }

// ------------------------------------------------------------------ the diagram

std::string TSmithChart::LabelText(double w) {
  if (!std::isfinite(w)) return "";
  const double frac = w - std::trunc(w);
  char buf[64];
  std::snprintf(buf, sizeof buf, std::fabs(frac) <= 0.01 ? "%.0f" : "%.1f", w);
  std::string s = buf;
  if (s == "-0" || s == "-0.0") s.erase(0, 1);  // a tiny negative is still zero
  return s;
}

int TSmithChart::LabelLevel(int D) { return 1 + (D > 300) + (D > 500) + (D > 750) + (D > 900); }

void TSmithChart::InitGraf(TCanvas& Canvas, int X0, int Y0, int Width, int Height) {
  TCustomRChart::InitGraf(Canvas, X0, Y0, Width, Height);
  if (Width <= 0 || Height <= 0) return;
  const int ox = X0 - RcLRim, oy = Y0 - RcTRim;
  auto pix = [&](double gr, double gi) {
    int x = 0, y = 0;
    R2M(gr, gi, x, y);
    return TPoint{ox + Clamp(x), oy + Clamp(y)};
  };
  // Box of the circle around (cx, cy) with radius v, as Ellipse and Arc take it.
  auto box = [&](double cx, double cy, double v, TPoint& tl, TPoint& br) {
    const TPoint a = pix(cx - v, cy + v), b = pix(cx + v, cy - v);
    tl = {std::min(a.X, b.X), std::min(a.Y, b.Y)};
    br = {std::max(a.X, b.X), std::max(a.Y, b.Y)};
  };
  auto centred = [&](TPoint p, const std::string& s) {
    Canvas.TextOut(p.X - Canvas.TextWidth(s) / 2, p.Y - Canvas.TextHeight(s) / 2, s);
  };

  Canvas.Pen().SetStyle(psSolid);
  Canvas.Pen().SetMode(pmCopy);
  Canvas.Pen().SetWidth(1);
  Canvas.Pen().SetColor(FGridColDark);
  Canvas.Brush().SetStyle(bsSolid);
  Canvas.Brush().SetColor(FDiagramColor);
  Canvas.Font().Assign(&Font());
  TPoint tl, br;
  box(0, 0, 1, tl, br);
  Canvas.Ellipse(tl.X, tl.Y, br.X, br.Y);
  const TPoint left = pix(-1, 0), right = pix(1, 0);
  Canvas.MoveTo(left.X, left.Y);
  Canvas.LineTo(right.X, right.Y);
  const int level = LabelLevel(std::abs(right.X - left.X));

  Canvas.Brush().SetStyle(bsClear);
  for (const TResistanceCircle& c : kResistance) {
    const double u = c.r / (c.r + 1), v = 1 / (c.r + 1);
    Canvas.Pen().SetColor(c.dark ? FGridColDark : FGridColLight);
    box(u, 0, v, tl, br);
    const TPoint s = pix(u + std::cos(c.phi), std::sin(c.phi));
    const TPoint e = pix(u + std::cos(c.phi), -std::sin(c.phi));
    Canvas.Arc(tl.X, tl.Y, br.X, br.Y, s.X, s.Y, e.X, e.Y);
  }

  if (Canvas.IsPrinterCanvas()) SetCanvasFontSizeScaled(Canvas, Font().Size());

  const TPoint centre = pix(0, 0);
  // Moves a label point 10 pixels away from the diagram's centre.
  auto outward = [&](TPoint p, int vertSign) {
    const double dx = p.X - centre.X, dy = p.Y - centre.Y;
    if (dx == 0) return TPoint{p.X, p.Y + 10 * vertSign};
    const double s = dy / dx;
    const double sx = dx > 0 ? 1 : -1, sy = dy > 0 ? 1 : (dy < 0 ? -1 : 0);
    const double mx = 10 * sx / std::sqrt(s * s + 1);
    const double my = s == 0 ? 0 : 10 * sy / std::sqrt(1 / (s * s) + 1);
    return TPoint{Round(p.X + mx), Round(p.Y + my)};
  };
  for (const TReactanceArc& a : kReactance) {
    const double v = 1 / a.x;
    const double px = (1 - v * v) / (1 + v * v), py = 2 * v / (1 + v * v);
    Canvas.Pen().SetColor(a.dark ? FGridColDark : FGridColLight);
    const TPoint end = pix(a.e, 0);
    const TPoint P = pix(px, py), Pm = pix(px, -py);
    box(1, v, v, tl, br);
    Canvas.Arc(tl.X, tl.Y, br.X, br.Y, P.X, P.Y, end.X, end.Y);
    const bool labelled = level >= a.level;
    if (labelled) centred(outward(P, -1), LabelText(a.x));
    box(1, -v, v, tl, br);
    Canvas.Arc(tl.X, tl.Y, br.X, br.Y, end.X, end.Y, Pm.X, Pm.Y);
    if (labelled) centred(outward(Pm, 1), LabelText(-a.x));
  }

  Canvas.Brush().SetStyle(bsSolid);
  Canvas.Brush().SetColor(FDiagramColor);
  for (const TResistanceCircle& c : kResistance)
    if (level >= c.level) centred(pix((c.r - 1) / (c.r + 1), 0), LabelText(c.r));
}

}  // namespace zyr
