// SPDX-License-Identifier: MIT
// TPlot3D: construction, properties and model operations.
#include <zyr/plot3d/plot3d.h>

#include <QPointer>
#include <algorithm>
#include <cmath>

namespace zyr {

namespace {

// Angles above 360 or below 0 are folded back into the circle; 360 itself stays.
double NormalizeAngle(double x) {
  if (x > 360) return (x / 360 - std::trunc(x / 360)) * 360;
  if (x < 0) return (x / 360 - std::trunc(x / 360)) * 360 + 360;
  return x;
}

}  // namespace

TPlot3D::TPlot3D(QWidget* parent)
    : TCustomControl(parent), GridMat(1, 1), FProjMapX(1, 1), FProjMapY(1, 1), FProjMapZ(1, 1) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Each element change only marks the extremes stale: filling a large matrix element by
  // element must not rescan it every time.
  GridMat.OnChange = [this](TObject*) { FGridDirty = true; };
  IsoColors.OnChange = [this](TObject*) {
    if (FColorCodingMode == ccmColorArray) Redraw();
  };
  ResetCubeCorners();
  CalcRotMatrix();
  AdjustScaling();
  SetBounds(Left(), Top(), 650, 500);
  FCentX = Width() / 2;
  FCentY = Height() / 2;
  FSuppressPaint = false;
  FGridDirty = true;
}

TPlot3D::~TPlot3D() {
  GridMat.OnChange = nullptr;
  IsoColors.OnChange = nullptr;
}

void TPlot3D::Redraw() { Invalidate(); }

void TPlot3D::SetColorField(TColor& field, TColor v) {
  field = v;
  Redraw();
}

void TPlot3D::SetAutoCenter(bool v) {
  if (v == FAutoCenter) return;
  FAutoCenter = v;
  if (v) {
    FCentX = Width() / 2;
    FCentY = Height() / 2;
    Redraw();
  }
}

void TPlot3D::SetBoundBoxStyle(TBoundingBox v) {
  if (v == FBoundBox) return;
  FBoundBox = v;
  Redraw();
}

void TPlot3D::SetCaptionX(const std::string& v) {
  if (v == FCaptX) return;
  FCaptX = v;
  Redraw();
}

void TPlot3D::SetCaptionY(const std::string& v) {
  if (v == FCaptY) return;
  FCaptY = v;
  Redraw();
}

void TPlot3D::SetCaptionZ(const std::string& v) {
  if (v == FCaptZ) return;
  FCaptZ = v;
  Redraw();
}

void TPlot3D::SetCentX(int v) {
  if (FAutoCenter) {
    FCentX = Width() / 2;
    FCentY = Height() / 2;
    return;
  }
  if (v == FCentX) return;
  FCentX = std::clamp(v, -Width(), 2 * Width());
  Redraw();
}

void TPlot3D::SetCentY(int v) {
  if (FAutoCenter) {
    FCentX = Width() / 2;
    FCentY = Height() / 2;
    return;
  }
  if (v == FCentY) return;
  FCentY = std::clamp(v, -Height(), 2 * Height());
  Redraw();
}

void TPlot3D::SetColorCodeAvg(bool v) {
  if (v == FColorCodeAvg) return;
  FColorCodeAvg = v;
  Redraw();
}

void TPlot3D::SetColorCodingMode(TColorCodingMode v) {
  if (v == FColorCodingMode || v > ccmColorArray) return;
  FColorCodingMode = v;
  Redraw();
}

void TPlot3D::SetMeshVisible(bool v) {
  if (v == FMeshVisible) return;
  FMeshVisible = v;
  Redraw();
}

void TPlot3D::SetMeshKind(TMeshKind v) {
  if (v == FMeshKind || v > mkGrid) return;
  FMeshKind = v;
  Redraw();
}

void TPlot3D::SetFrameStyle(TFrameStyle v) {
  if (v == FFrameStyle) return;
  FFrameStyle = v;
  Redraw();
}

void TPlot3D::SetColorScaleHigh(double v) {
  if (!(v > FColorScaleLow) || !std::isfinite(v)) return;
  FColorScaleHigh = v;
  Redraw();
}

void TPlot3D::SetColorScaleLow(double v) {
  if (!(v < FColorScaleHigh) || !std::isfinite(v)) return;
  FColorScaleLow = v;
  Redraw();
}

void TPlot3D::SetColorScheme(TColorScheme v) {
  if (v == FColorScheme) return;
  FColorScheme = v;
  FColGrayLine = v == 0 ? clGray : clBtnShadow;
  FColWhiteLine = v == 0 ? clWhite : clBtnHighlight;
  Redraw();
}

void TPlot3D::SetDecPlace(int axis, int v) {
  FDecPlace[size_t(axis)] = std::clamp(v, -2, 12);
  Redraw();
}

void TPlot3D::SetLabDist(int axis, int v) {
  if (v == FLabDist[size_t(axis)]) return;
  FLabDist[size_t(axis)] = v;
  Redraw();
}

void TPlot3D::SetMagnification(double v) {
  if (std::isnan(v)) return;
  FMagnify = std::clamp(v, 0.1, 5.0);
  Redraw();
}

void TPlot3D::SetMinTick(int axis, int v) {
  if (v == FNTicks[size_t(axis)]) return;
  FNTicks[size_t(axis)] = std::clamp(v, 2, 20);
  Redraw();
}

void TPlot3D::SetRangeLow(int axis, double v) {
  if (!std::isfinite(v)) return;
  const size_t a = size_t(axis);
  FRangeLow[a] = v == FRangeHigh[a] ? FRangeHigh[a] - 1 : v;
  AdjustScaling();
  Redraw();
}

void TPlot3D::SetRangeHigh(int axis, double v) {
  if (!std::isfinite(v)) return;
  const size_t a = size_t(axis);
  FRangeHigh[a] = v == FRangeLow[a] ? FRangeLow[a] + 1 : v;
  AdjustScaling();
  Redraw();
}

void TPlot3D::SetScaleFact(int axis, double v) {
  if (!std::isfinite(v)) return;
  FSclIntern[size_t(axis)] = v;
  Redraw();
}

void TPlot3D::SetVisibleAxis(int axis, bool v) {
  FVisible[size_t(axis)] = v;
  Redraw();
}

void TPlot3D::SetViewAngleX(double v) {
  if (v == FViewAngle[0] || !std::isfinite(v)) return;
  FViewAngle[0] = NormalizeAngle(v);
  CalcRotMatrix();
  Redraw();
}

void TPlot3D::SetViewAngleZ(double v) {
  if (v == FViewAngle[2] || !std::isfinite(v)) return;
  FViewAngle[2] = NormalizeAngle(v);
  CalcRotMatrix();
  Redraw();
}

double TPlot3D::ViewAngLimLow(int axis) const {
  return axis >= 0 && axis < 3 ? FViewAngLimLow[size_t(axis)] : 0;
}

double TPlot3D::ViewAngLimHigh(int axis) const {
  return axis >= 0 && axis < 3 ? FViewAngLimHigh[size_t(axis)] : 0;
}

void TPlot3D::SetViewAngLimLow(int axis, double v) {
  if (axis < 0 || axis > 2 || !std::isfinite(v)) return;
  FViewAngLimLow[size_t(axis)] = v;
}

void TPlot3D::SetViewAngLimHigh(int axis, double v) {
  if (axis < 0 || axis > 2 || !std::isfinite(v)) return;
  FViewAngLimHigh[size_t(axis)] = v;
}

void TPlot3D::SetSuppressPaint(bool v) {
  if (v == FSuppressPaint) return;
  FSuppressPaint = v;
  if (!v) {
    GridMatChanged();
    Redraw();
  }
}

void TPlot3D::SetRange(double XLow, double XHigh, double YLow, double YHigh, double ZLow,
                       double ZHigh) {
  const double lows[3] = {XLow, YLow, ZLow}, highs[3] = {XHigh, YHigh, ZHigh};
  for (size_t a = 0; a < 3; ++a) {
    double lo = lows[a], hi = highs[a];
    if (!std::isfinite(lo) || !std::isfinite(hi)) continue;  // keep the axis as it was
    if (lo == hi) {
      lo -= 0.5;
      hi += 0.5;
    }
    FRangeLow[a] = lo;
    FRangeHigh[a] = hi;
  }
  AdjustScaling();
  Redraw();
}

void TPlot3D::SetViewAngles(double AngleX, double AngleZ) {
  if (AngleX == FViewAngle[0] && AngleZ == FViewAngle[2]) return;
  if (std::isfinite(AngleX)) FViewAngle[0] = NormalizeAngle(AngleX);
  if (std::isfinite(AngleZ)) FViewAngle[2] = NormalizeAngle(AngleZ);
  CalcRotMatrix();
  Redraw();
}

double TPlot3D::GetRotMat(int ix, int iy) const {
  if (ix < 1 || ix > 3 || iy < 1 || iy > 3) return 0;
  return FRotMat[ix - 1][iy - 1];
}

void TPlot3D::AutoScale() {
  EnsureGridCurrent();
  const int nx = GridMat.NrOfColumns(), ny = GridMat.NrOfRows();
  const double n = std::max(nx, ny);
  FSclIntern[0] = nx > 0 ? n / nx : 1;
  FSclIntern[1] = ny > 0 ? n / ny : 1;
  const double f = (FRangeHigh[2] - FRangeLow[2]) / (FMaxZ - FMinZ);
  FSclIntern[2] = FMaxZ == FMinZ || !std::isfinite(f) ? 1 : f;
  Redraw();
}

void TPlot3D::Reset() {
  FCentX = Width() / 2;
  FCentY = Height() / 2;
  FSclIntern = {1, 1, 1};
  FViewAngle[0] = 66;
  FViewAngle[2] = 135;
  FMagnify = 1;
  CalcRotMatrix();
  Redraw();
}

void TPlot3D::Clear() {
  GridMat.Fill(0);
  Redraw();
}

void TPlot3D::ResetCubeCorners() {
  for (int c = 0; c < 8; ++c)
    FCubeCorners[size_t(c)] = {c & 4 ? 150.0 : -150.0, c & 2 ? 150.0 : -150.0,
                               c & 1 ? 150.0 : -150.0};
}

const TPlot3D::TPoint3& TPlot3D::CubeCorners(int c) const {
  return FCubeCorners[size_t(std::clamp(c, 0, 7))];
}

void TPlot3D::GridMatChanged() {
  if (FSuppressPaint) return;
  ResetCubeCorners();
  const int nx = GridMat.NrOfColumns(), ny = GridMat.NrOfRows();
  // Holes (NaN) and infinite heights are left out of the extremes.
  double lo = 0, hi = 0;
  bool any = false;
  for (int iy = 1; iy <= ny; ++iy)
    for (int ix = 1; ix <= nx; ++ix) {
      const double z = GridMat.Elem(ix, iy);
      if (!std::isfinite(z)) continue;
      if (!any) {
        lo = hi = z;
        any = true;
      } else {
        lo = std::min(lo, z);
        hi = std::max(hi, z);
      }
    }
  FMinZ = lo;
  FMaxZ = hi;
  if (FProjMapX.NrOfColumns() != nx || FProjMapX.NrOfRows() != ny) {
    FProjMapX.Resize(nx, ny);
    FProjMapY.Resize(nx, ny);
    FProjMapZ.Resize(nx, ny);
    FSurfaceDrawn = false;
  }
  FGridDirty = false;
}

void TPlot3D::EnsureGridCurrent() {
  if (!FGridDirty) return;
  const bool s = FSuppressPaint;
  FSuppressPaint = false;
  GridMatChanged();
  FSuppressPaint = s;
}

double TPlot3D::MinZ() {
  EnsureGridCurrent();
  return FMinZ;
}

double TPlot3D::MaxZ() {
  EnsureGridCurrent();
  return FMaxZ;
}

void TPlot3D::DrawOnForeignCanvas(TCanvas& Canvas) {
  const bool was = FSuppressPaint;
  FSuppressPaint = true;
  EnsureGridCurrent();
  const QPointer<QObject> alive(this);
  ConstructDataBmp(Canvas, false);
  if (!alive) return;  // a handler deleted the control
  FSuppressPaint = was;
  if (!was) {
    GridMatChanged();
    Redraw();
  }
}

void TPlot3D::Resize() {
  TCustomControl::Resize();
  ProcessResize();
}

void TPlot3D::ProcessResize() {
  if (!FAutoCenter) return;
  FCentX = Width() / 2;
  FCentY = Height() / 2;
}

}  // namespace zyr
