// SPDX-License-Identifier: MIT
// TPlot3D: rotation, height calibration, projection, colour coding and the cell hit test.
#include <zyr/plot3d/plot3d.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zyr {

namespace {

// Pixel coordinates stay in a range every drawing surface handles.
int ToPixel(double v) {
  if (std::isnan(v)) return 0;
  return int(std::nearbyint(std::clamp(v, -30000.0, 30000.0)));
}

uint8_t Channel(double v) { return uint8_t(std::clamp(std::nearbyint(v), 0.0, 255.0)); }

TColor Blend(TColor a, TColor b, double f) {
  a = ColorToRGB(a);
  b = ColorToRGB(b);
  auto mix = [f](uint8_t lo, uint8_t hi) { return Channel(lo + f * (double(hi) - lo)); };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

}  // namespace

void TPlot3D::CalcRotMatrix() {
  const double a = FViewAngle[0] * std::numbers::pi / 180;
  const double c = FViewAngle[2] * std::numbers::pi / 180;
  const double ca = std::cos(a), sa = std::sin(a), cc = std::cos(c), sc = std::sin(c);
  const double m[3][3] = {{cc, -sc, 0}, {ca * sc, ca * cc, -sa}, {sa * sc, sa * cc, ca}};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) FRotMat[i][j] = std::fabs(m[i][j]) < 1e-6 ? 0 : m[i][j];
}

void TPlot3D::AdjustScaling() {
  const double k = 300 / (FRangeHigh[2] - FRangeLow[2]);
  // A range too wide for a double leaves every height on the floor of the box.
  FCalibZk = std::isfinite(k) ? k : 0;
  FCalibZd = -150 - FRangeLow[2] * FCalibZk;
  if (!std::isfinite(FCalibZd)) FCalibZd = -150;
}

TPlot3D::TScreenPt TPlot3D::Project(double x, double y, double z) const {
  const double sx = FRotMat[0][0] * x + FRotMat[0][1] * y + FRotMat[0][2] * z;
  const double sy = FRotMat[1][0] * x + FRotMat[1][1] * y + FRotMat[1][2] * z;
  return {ToPixel(FMagnify * sx + FCentX), ToPixel(FMagnify * sy + FCentY)};
}

TPlot3D::TScreenPt TPlot3D::ProjectCorner(int c) const {
  const TPoint3& p = FCubeCorners[size_t(c)];
  return Project(FSclIntern[0] * p[0], FSclIntern[1] * p[1], FSclIntern[2] * p[2]);
}

double TPlot3D::CornerDepth(int c) const {
  const double sx = c & 4 ? 1 : -1, sy = c & 2 ? 1 : -1, sz = c & 1 ? 1 : -1;
  return FRotMat[2][0] * sx + FRotMat[2][1] * sy + FRotMat[2][2] * sz;
}

int TPlot3D::RearCorner() const {
  int s = 0;
  for (int c = 1; c < 8; ++c)
    if (CornerDepth(c) < CornerDepth(s)) s = c;
  return s;
}

TColor TPlot3D::CalcColorCoding(double z) const {
  const double lo = FColorScaleLow, hi = FColorScaleHigh;
  if (std::isnan(z)) z = lo;
  const double t = (std::clamp(z, lo, hi) - lo) / (hi - lo);
  switch (FColorCodingMode) {
    case ccmThreeColors:
      return t < 0.5 ? Blend(FColorFillLow, FColorFillMid, 2 * t)
                     : Blend(FColorFillMid, FColorFillHigh, 2 * (t - 0.5));
    case ccmColorArray: {
      const int n = IsoColors.NumColors();
      if (n == 0) return Blend(FColorFillLow, FColorFillHigh, t);
      // Index 0 would fall outside the 1-based table: the lowest heights take its first colour.
      return IsoColors.Color(std::clamp(int(std::nearbyint(t * n)), 1, n));
    }
    default:
      return Blend(FColorFillLow, FColorFillHigh, t);
  }
}

bool TPlot3D::FindCellAt(int mx, int my, int& CellX, int& CellY) {
  CellX = CellY = 0;
  if (!FSurfaceDrawn) return false;
  const int nx = FProjMapX.NrOfColumns(), ny = FProjMapX.NrOfRows();
  const bool gridMatches = GridMat.NrOfColumns() == nx && GridMat.NrOfRows() == ny;
  int best = -1;
  for (int iy = 1; iy < ny; ++iy)
    for (int ix = 1; ix < nx; ++ix) {
      const int px[4] = {FProjMapX.Elem(ix, iy), FProjMapX.Elem(ix, iy + 1),
                         FProjMapX.Elem(ix + 1, iy + 1), FProjMapX.Elem(ix + 1, iy)};
      const int py[4] = {FProjMapY.Elem(ix, iy), FProjMapY.Elem(ix, iy + 1),
                         FProjMapY.Elem(ix + 1, iy + 1), FProjMapY.Elem(ix + 1, iy)};
      // Cheap reject by the bounding box before the edge tests.
      if (mx < std::min({px[0], px[1], px[2], px[3]}) ||
          mx > std::max({px[0], px[1], px[2], px[3]}) ||
          my < std::min({py[0], py[1], py[2], py[3]}) ||
          my > std::max({py[0], py[1], py[2], py[3]}))
        continue;
      int sum = 0;
      for (int k = 0; k < 4; ++k) {
        const int a = k, b = (k + 1) % 4;
        const long long cross =
            (long long)(px[b] - px[a]) * (my - py[a]) - (long long)(py[b] - py[a]) * (mx - px[a]);
        sum += cross > 0 ? 1 : cross < 0 ? -1 : 0;
      }
      if (std::abs(sum) <= 2) continue;
      // Cells with holes were not drawn, so they cannot be under the mouse.
      if (gridMatches &&
          (!std::isfinite(GridMat.Elem(ix, iy)) || !std::isfinite(GridMat.Elem(ix + 1, iy)) ||
           !std::isfinite(GridMat.Elem(ix, iy + 1)) ||
           !std::isfinite(GridMat.Elem(ix + 1, iy + 1))))
        continue;
      const int seq = FProjMapZ.Elem(ix, iy);
      if (seq > best) {
        best = seq;
        CellX = ix;
        CellY = iy;
      }
    }
  return best >= 0;
}

}  // namespace zyr
