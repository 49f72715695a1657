// SPDX-License-Identifier: MIT
// TRot3D: construction, property setters and the rotation matrix.
#include <zyr/plot3d/rot3d.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zyr {

namespace {

int Round1000(double v) { return int(std::nearbyint(v * 1000.0)); }

// The constructed control shows, at the default magnification, one pixel per five model
// units on its smaller side of 300 pixels: a sphere of radius 750 fits, and with it the default
// box. Anything reaching further out is fitted in, keeping a few pixels for the marks.
constexpr double kRefSide = 300;
constexpr double kRefRadius = 750;
constexpr double kMarkRoom = 6;
constexpr double kMaxDivisor = 1e9;

// A resize moves the centre by the change of the middle and scales its offset from the middle
// with the picture.
int Recentred(int cent, int oldSize, int newSize, double scale) {
  const double offset = std::clamp((cent - oldSize / 2) * scale, -kMaxDivisor, kMaxDivisor);
  return newSize / 2 + int(std::nearbyint(offset));
}

}  // namespace

TRot3D::TRot3D(QWidget* parent) : TCustomControl(parent) {
  SetBounds(Left(), Top(), 450, 300);
  FCentX = Width() / 2;
  FCentY = Height() / 2;
  GrafBmp.SetSize(Width() - 2, Height() - 2);
  GrafBmp.SetPixelFormat(pf32bit);
  SetupCubeCorners();
  CalcRotMatrix();
}

TRot3D::~TRot3D() = default;

void TRot3D::Resize() {
  const int oldSide = std::min(FFitW, FFitH), newSide = std::min(Width(), Height());
  const double scale = oldSide > 0 ? double(newSide) / oldSide : 0.0;
  FCentX = Recentred(FCentX, FFitW, Width(), scale);
  FCentY = Recentred(FCentY, FFitH, Height(), scale);
  FFitW = Width();
  FFitH = Height();
  TCustomControl::Resize();
}

int TRot3D::ProjectionDivisor() const {
  const int side = std::min(Width(), Height());
  if (side <= 0) return int(kMaxDivisor);
  double radius = FBoundBox != 0 ? FBBSize * std::sqrt(3.0) : 0.0;
  // Data placed by hand (fixed origin or factors) keeps the mapping its owner chose.
  if (FAutoScale && FAutoOrigin) radius = std::max(radius, FDataRadius);
  // Pixels per model unit at the default magnification.
  double pixels = side / (5.0 * kRefSide);
  if (radius > kRefRadius)
    pixels = std::min(pixels, std::max(side / 2.0 - std::min(kMarkRoom, side / 4.0), 0.5) / radius);
  const double d = FMagnify / (5.0 * pixels);
  return int(std::clamp(std::nearbyint(d), 1.0, kMaxDivisor));
}

void TRot3D::Changed() { Invalidate(); }

void TRot3D::SetupCubeCorners() {
  // Corner i: x from bit 4, y from bit 2, z from bit 1; a set bit is the positive side.
  for (int i = 0; i < 8; ++i) {
    CubeCorners[i][0] = (i & 4) ? FBBSize : -FBBSize;
    CubeCorners[i][1] = (i & 2) ? FBBSize : -FBBSize;
    CubeCorners[i][2] = (i & 1) ? FBBSize : -FBBSize;
  }
}

// --- Rotation matrix ---

void TRot3D::CalcRotMatrix_3Ax() {
  const double k = std::numbers::pi / 180.0;
  const double cx = std::cos(FViewAngle[0] * k), sx = std::sin(FViewAngle[0] * k);
  const double cy = std::cos(FViewAngle[1] * k), sy = std::sin(FViewAngle[1] * k);
  const double cz = std::cos(FViewAngle[2] * k), sz = std::sin(FViewAngle[2] * k);
  const double r[3][3] = {{cy * cz, sx * sy * cz - cx * sz, cx * sy * cz + sx * sz},
                          {cy * sz, sx * sy * sz + cx * cz, cx * sy * sz - sx * cz},
                          {-sy, sx * cy, cx * cy}};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) FRotMat[i][j] = Round1000(r[i][j]);
}

void TRot3D::CalcRotMatrix_2Ax() {
  const double k = std::numbers::pi / 180.0;
  const double cx = std::cos(FViewAngle[0] * k), sx = std::sin(FViewAngle[0] * k);
  const double cz = std::cos(FViewAngle[2] * k), sz = std::sin(FViewAngle[2] * k);
  const double r[3][3] = {{cz, -sz, 0.0}, {cx * sz, cx * cz, -sx}, {sx * sz, sx * cz, cx}};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) FRotMat[i][j] = Round1000(r[i][j]);
}

void TRot3D::CalcRotMatrix() {
  if (FRotMat3D)
    CalcRotMatrix_3Ax();
  else
    CalcRotMatrix_2Ax();
  if (FAxDir == adRightHanded)
    for (auto& row : FRotMat) std::swap(row[0], row[1]);
}

double TRot3D::GetRotMat(int ix, int iy) const {
  if (ix < 1 || ix > 3 || iy < 1 || iy > 3) return 0.0;
  return FRotMat[ix - 1][iy - 1] / 1000.0;
}

TPoint TRot3D::Project(int64_t X, int64_t Y, int64_t Z) const {
  // 64-bit sums: model points set by hand may be far outside the auto-scaled range.
  const int64_t px =
      (X * FRotMat[0][0] + Y * FRotMat[0][1] + Z * FRotMat[0][2]) / FDivisor + FCentX;
  const int64_t py =
      (X * FRotMat[1][0] + Y * FRotMat[1][1] + Z * FRotMat[1][2]) / FDivisor + FCentY;
  return {int(std::clamp<int64_t>(px, -30000, 30000)), int(std::clamp<int64_t>(py, -30000, 30000))};
}

// --- View setters ---

void TRot3D::SetViewAngles(double vax, double vay, double vaz) {
  if (!std::isfinite(vax) || !std::isfinite(vay) || !std::isfinite(vaz)) return;
  if (vax == FViewAngle[0] && vay == FViewAngle[1] && vaz == FViewAngle[2]) return;
  FViewAngle = {vax, vay, vaz};
  FAngleAnchor = FViewAngle;
  CalcRotMatrix();
  Changed();
}

void TRot3D::SetViewAngleX(double v) { SetViewAngles(v, FViewAngle[1], FViewAngle[2]); }
void TRot3D::SetViewAngleY(double v) { SetViewAngles(FViewAngle[0], v, FViewAngle[2]); }
void TRot3D::SetViewAngleZ(double v) { SetViewAngles(FViewAngle[0], FViewAngle[1], v); }

void TRot3D::SetMRot3Axes(bool v) {
  if (v == FRotMat3D) return;
  FRotMat3D = v;
  CalcRotMatrix();
  Changed();
}

void TRot3D::SetAxDir(TAxDir v) {
  if (v > adRightHanded || v == FAxDir) return;
  FAxDir = v;
  CalcRotMatrix();
  Changed();
}

void TRot3D::SetMagnify(double m) {
  if (std::isnan(m)) return;
  m = std::clamp(m, 0.1, 5.0);
  FMagnify = int(std::nearbyint(4000.0 / m));
  Changed();
}

void TRot3D::SetCentX(int v) {
  FCentX = std::clamp(v, 0, Width());
  Changed();
}

void TRot3D::SetCentY(int v) {
  FCentY = std::clamp(v, 0, Height());
  Changed();
}

// --- World to model mapping ---

void TRot3D::SetOrigins(double vax, double vay, double vaz) {
  if (!std::isfinite(vax) || !std::isfinite(vay) || !std::isfinite(vaz)) return;
  if (vax == FOrigin[0] && vay == FOrigin[1] && vaz == FOrigin[2]) return;
  FOrigin = {vax, vay, vaz};
  Changed();
}

void TRot3D::SetOriginX(double v) { SetOrigins(v, FOrigin[1], FOrigin[2]); }
void TRot3D::SetOriginY(double v) { SetOrigins(FOrigin[0], v, FOrigin[2]); }
void TRot3D::SetOriginZ(double v) { SetOrigins(FOrigin[0], FOrigin[1], v); }

void TRot3D::SetScaleFactors(double sfx, double sfy, double sfz) {
  if (!std::isfinite(sfx) || !std::isfinite(sfy) || !std::isfinite(sfz)) return;
  if (sfx == FScaleFact[0] && sfy == FScaleFact[1] && sfz == FScaleFact[2]) return;
  FScaleFact = {sfx, sfy, sfz};
  Changed();
}

void TRot3D::SetScaleFactX(double v) { SetScaleFactors(v, FScaleFact[1], FScaleFact[2]); }
void TRot3D::SetScaleFactY(double v) { SetScaleFactors(FScaleFact[0], v, FScaleFact[2]); }
void TRot3D::SetScaleFactZ(double v) { SetScaleFactors(FScaleFact[0], FScaleFact[1], v); }

void TRot3D::SetIsoMetric(bool v) {
  if (v == FIsoMetric) return;
  FIsoMetric = v;
  MakeVisible();
}

void TRot3D::SetAutoOrigin(bool v) {
  if (v == FAutoOrigin) return;
  FAutoOrigin = v;
  MakeVisible();
}

void TRot3D::SetAutoScale(bool v) {
  if (v == FAutoScale) return;
  FAutoScale = v;
  MakeVisible();
}

// --- Box, axes and appearance ---

void TRot3D::SetBoundBoxStyle(TBoundingBox v) {
  if (v > 2 || v == FBoundBox) return;
  FBoundBox = v;
  Changed();
}

void TRot3D::SetBoundBoxSize(int n) {
  if (n == GetBoundBoxSize()) return;
  FBBSize = std::clamp(n, 0, 4000) / 2;
  SetupCubeCorners();
  Changed();
}

void TRot3D::SetAxSize(int n) {
  n = std::clamp(n, 0, 4000);
  if (n == FAxSize) return;
  FAxSize = n;
  Changed();
}

void TRot3D::SetShowAxes(bool v) {
  if (v == FShowAxes) return;
  FShowAxes = v;
  Changed();
}

void TRot3D::SetAxNameX(const std::string& v) {
  if (v == FAxName[0]) return;
  FAxName[0] = v;
  Changed();
}

void TRot3D::SetAxNameY(const std::string& v) {
  if (v == FAxName[1]) return;
  FAxName[1] = v;
  Changed();
}

void TRot3D::SetAxNameZ(const std::string& v) {
  if (v == FAxName[2]) return;
  FAxName[2] = v;
  Changed();
}

void TRot3D::SetFrameStyle(TFrameStyle v) {
  if (v == FFrameStyle) return;
  FFrameStyle = v;
  Changed();
}

void TRot3D::SetColorScheme(TColorScheme v) {
  if (v == FColorScheme) return;
  FColorScheme = v;
  if (v == 0) {
    FColGrayLine = 0x808080;
    FColWhiteLine = 0xFFFFFF;
  } else {
    FColGrayLine = clBtnShadow;
    FColWhiteLine = clBtnHighlight;
  }
  Changed();
}

void TRot3D::SetFrameCol(TColor c) {
  FFrameCol = c;
  Changed();
}

void TRot3D::SetChartCol(TColor c) {
  FChartCol = c;
  Changed();
}

void TRot3D::SetColCubeFrame(TColor c) {
  FColorCubeFrame = c;
  Changed();
}

void TRot3D::SetColCubeHidLin(TColor c) {
  FColorCubeHidLin = c;
  Changed();
}

void TRot3D::SetColCubeFaceLow(TColor c) {
  FColorCubeFaceLo = c;
  Changed();
}

void TRot3D::SetColCubeFaceHigh(TColor c) {
  FColorCubeFaceHi = c;
  Changed();
}

void TRot3D::SetTextFontStyle(TFontStyles v) {
  FTextFontStyle = v;
  Changed();
}

void TRot3D::SetTextMarkSize(int v) {
  FTextMarkSize = std::clamp(v, 1, 500);
  Changed();
}

void TRot3D::SetDataCol(TColor c) { FDataCol = c & 0x00FFFFFF; }

void TRot3D::SetLineWidth(int w) { FLineWidth = std::clamp(w, 1, 32); }

void TRot3D::SetAllocSize(int v) {
  if (v >= 1 && v <= 1000000) FAllocSize = v;
}

}  // namespace zyr
