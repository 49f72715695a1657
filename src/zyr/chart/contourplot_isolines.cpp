// SPDX-License-Identifier: MIT
// Smooth iso-lines of the contour plot: levels traced through the sub-cells of each cell,
// the pieces written into the rows with the share of each pixel they cover.

#include <zyr/chart/contourplot_isolines.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace zyr::contour {

double TAxisMap::operator()(double v) const {
  const double p = log ? (v <= 1e-100 ? edge : k * std::log(v) + d) : k * v + d;
  return std::clamp(p - origin + 0.5, -kFarPixel, kFarPixel);
}

TIsoLines::TIsoLines(const TContourPlot& cp, const TSampleAxis& xs, const TSampleAxis& ys,
                     const TAxisMap& mx, const TAxisMap& my)
    : FCp(cp),
      FXs(xs),
      FYs(ys),
      FMx(mx),
      FMy(my),
      FLevels(cp.NumIsoLevels()),
      FMono(cp.PlotMode() == cpmMonoDots) {}

bool TIsoLines::Levels(double lo, double hi, int& j1, int& j2) const {
  if (FLevels == 0 || !(lo < hi)) return false;
  const double low = FCp.IsoLow(), dist = FCp.IsoDist();
  // An estimate corrected against the levels themselves, so rounding never misplaces a bound.
  const double a = std::floor((lo - low) / dist), b = std::ceil((hi - low) / dist);
  int j = a < 0 ? 0 : a >= FLevels ? FLevels : int(a);
  while (j > 0 && FCp.IsoLevel(j - 1) >= lo) --j;
  while (j < FLevels && FCp.IsoLevel(j) < lo) ++j;
  int k = b < 0 ? -1 : b >= FLevels ? FLevels - 1 : int(b);
  while (k < FLevels - 1 && FCp.IsoLevel(k + 1) < hi) ++k;
  while (k >= 0 && !(FCp.IsoLevel(k) < hi)) --k;
  if (FStride > 1) {
    j = (j + FStride - 1) / FStride * FStride;
    k = k < 0 ? -1 : k / FStride * FStride;
  }
  if (j > k) return false;
  j1 = j;
  j2 = k;
  return true;
}

void TIsoLines::Cell(int s, int t, double zLL, double zLR, double zUL, double zUR) {
  if (!std::isfinite(zLL) || !std::isfinite(zLR) || !std::isfinite(zUL) || !std::isfinite(zUR))
    return;
  const double zMin = std::min({zLL, zLR, zUL, zUR}), zMax = std::max({zLL, zLR, zUL, zUR});
  FStride = 1;
  int j1 = 0, j2 = -1;
  if (!Levels(zMin, zMax, j1, j2)) return;
  const int X0 = FXs.first[size_t(s)], X1 = FXs.first[size_t(s) + 1];
  const int Y0 = FYs.first[size_t(t)], Y1 = FYs.first[size_t(t) + 1];
  const int m = X1 - X0, n = Y1 - Y0;
  // More levels than pixels can tell apart: every FStride-th level, the same ones in every
  // cell so that the lines still join. The work stays bounded by the picture.
  const double pixels = std::abs(FXs.pixel[size_t(X1)] - FXs.pixel[size_t(X0)]) +
                        std::abs(FYs.pixel[size_t(Y1)] - FYs.pixel[size_t(Y0)]);
  const double limit = 2 * (std::min(pixels, kFarPixel) + 2);
  const double count = double(j2) - j1 + 1;
  if (count > limit) {
    FStride = int(std::min(std::ceil(count / limit), 65535.0));
    if (!Levels(zMin, zMax, j1, j2)) return;
  }
  // Node values, bilinear between the corners; the edges take the corner values and their
  // own interpolation exactly, so a neighbour sharing the corners finds the same crossings.
  const size_t w = size_t(m) + 1;
  FNode.resize(w * (size_t(n) + 1));
  for (int b = 0; b <= n; ++b) {
    const double l = b == n ? zUL : zLL + (zUL - zLL) * b / n;
    const double r = b == n ? zUR : zLR + (zUR - zLR) * b / n;
    double* row = FNode.data() + size_t(b) * w;
    for (int a = 0; a < m; ++a) row[a] = l + (r - l) * a / m;
    row[m] = r;
  }
  const bool few = (j2 - j1) / FStride < 8;
  for (int b = 0; b < n; ++b)
    for (int a = 0; a < m; ++a) {
      const double* lo = FNode.data() + size_t(b) * w + size_t(a);
      const double v[4] = {lo[0], lo[1], lo[w + 1], lo[w]};  // LL, LR, UR, UL
      const double vMin = std::min({v[0], v[1], v[2], v[3]});
      const double vMax = std::max({v[0], v[1], v[2], v[3]});
      int k1 = j1, k2 = j2;
      if (!few && !Levels(vMin, vMax, k1, k2)) continue;
      for (int j = k1; j <= k2; j += FStride) {
        const double lv = FCp.IsoLevel(j);
        if (lv >= vMin && lv < vMax) SubCell(X0 + a, Y0 + b, v, j);
      }
    }
}

void TIsoLines::SubCell(int X, int Y, const double v[4], int j) {
  const double lv = FCp.IsoLevel(j);
  const int c = int(v[0] > lv) | int(v[1] > lv) << 1 | int(v[2] > lv) << 2 | int(v[3] > lv) << 3;
  // Crossing on edge e: 0 bottom, 1 right, 2 top, 3 left. A crossing lies on a sample line at
  // the fraction of the way between its two nodes, taken in world units and then mapped.
  const double* xw = FXs.world.data();
  const double* yw = FYs.world.data();
  auto along = [&](double va, double vb) { return (lv - va) / (vb - va); };
  auto point = [&](int e, double& px, double& py) {
    switch (e) {
      case 0:
      case 2: {
        const int y = e == 0 ? Y : Y + 1;
        const double f = e == 0 ? along(v[0], v[1]) : along(v[3], v[2]);
        px = FMx(xw[X] + (xw[X + 1] - xw[X]) * f);
        py = FYs.pixel[size_t(y)];
        break;
      }
      default: {
        const int x = e == 1 ? X + 1 : X;
        const double f = e == 1 ? along(v[1], v[2]) : along(v[0], v[3]);
        px = FXs.pixel[size_t(x)];
        py = FMy(yw[Y] + (yw[Y + 1] - yw[Y]) * f);
      }
    }
  };
  const int colour = FMono ? 1 : FCp.IsoColorIndex(lv);
  auto piece = [&](int e1, int e2) {
    TSeg s{0, 0, 0, 0, colour};
    point(e1, s.ax, s.ay);
    point(e2, s.bx, s.by);
    if (std::isnan(s.ax + s.ay + s.bx + s.by)) return;
    FSegs.push_back(s);
  };
  // Corners above the level cut off by each piece; a saddle is split by the sub-cell's mean.
  switch (c) {
    case 1:
    case 14:
      piece(0, 3);
      break;
    case 2:
    case 13:
      piece(0, 1);
      break;
    case 3:
    case 12:
      piece(1, 3);
      break;
    case 4:
    case 11:
      piece(1, 2);
      break;
    case 6:
    case 9:
      piece(0, 2);
      break;
    case 7:
    case 8:
      piece(2, 3);
      break;
    case 5:
    case 10: {
      const bool centreAbove = (v[0] + v[1] + v[2] + v[3]) / 4 > lv;
      if (centreAbove == (c == 5)) {
        piece(0, 1);
        piece(2, 3);
      } else {
        piece(0, 3);
        piece(1, 2);
      }
      break;
    }
    default:
      break;
  }
}

namespace {

// Adds the share of each pixel that a one-pixel-wide piece from (x0, y0) to (x1, y1) covers,
// row by row (or column by column for flat pieces): the part of the row the piece spans
// times the overlap of each pixel with the line's cross-section there. Pieces sharing an end
// point share the row or column of that point between them. Only the rows of the sink's band
// are kept.
class TCoverage {
 public:
  explicit TCoverage(const TRowSink& rows)
      : FRows(rows),
        FW(rows.Width()),
        FLo(rows.ClipLo()),
        FHi(rows.ClipHi()),
        FCov(size_t(FW) * size_t(std::max(FHi - FLo + 1, 0)), 0) {}

  void Piece(double x0, double y0, double x1, double y1) {
    if (std::abs(y1 - y0) >= std::abs(x1 - x0))
      Run(x0, y0, x1, y1, false);
    else
      Run(y0, x0, y1, x1, true);
  }

  /// Blends colour c (a 0xFFRRGGBB row pixel) into the touched pixels and clears them.
  void Blend(uint32_t c) {
    for (uint32_t i : FTouched) {
      const uint32_t a = (std::min(FCov[i], kWhole) + 128) >> 8;  // 0 .. 256
      FCov[i] = 0;
      uint32_t& px = FRows.RowAt(FLo + int(i / uint32_t(FW)))[i % uint32_t(FW)];
      // Two channels at once: red and blue, then green, each weighed by a / 256.
      const uint32_t rb = ((px & 0xFF00FFu) * (256 - a) + (c & 0xFF00FFu) * a + 0x800080u) >> 8;
      const uint32_t g = ((px & 0xFF00u) * (256 - a) + (c & 0xFF00u) * a + 0x8000u) >> 8;
      px = 0xFF000000u | (rb & 0xFF00FFu) | (g & 0xFF00u);
    }
    FTouched.clear();
  }

 private:
  // Along the main axis u (rows: y; columns: x) from u0 to u1; v across.
  void Run(double v0, double u0, double v1, double u1, bool byColumn) {
    if (u0 > u1) {
      std::swap(u0, u1);
      std::swap(v0, v1);
    }
    const double du = u1 - u0;
    if (!(du > 0)) return;
    const double slope = (v1 - v0) / du;
    const double half = std::sqrt(1 + slope * slope) / 2;
    const int uLo = byColumn ? 0 : FLo, uHi = byColumn ? FW - 1 : FHi;
    const int vLo = byColumn ? FLo : 0, vHi = byColumn ? FHi : FW - 1;
    const int first = int(std::max(std::floor(u0), double(uLo)));
    const int last = int(std::min(std::floor(u1), double(uHi)));
    for (int u = first; u <= last; ++u) {
      const double a = std::max(u0, double(u)), b = std::min(u1, u + 1.0);
      const double span = b - a;
      if (!(span > 0)) continue;
      const double vc = v0 + slope * ((a + b) / 2 - u0);
      const double lo = vc - half, hi = vc + half;
      const int i0 = int(std::max(std::floor(lo), double(vLo)));
      const int i1 = int(std::min(std::floor(hi), double(vHi)));
      for (int i = i0; i <= i1; ++i) {
        const double share = std::min(hi, i + 1.0) - std::max(lo, double(i));
        if (share > 0) Add(byColumn ? u : i, byColumn ? i : u, share * span);
      }
    }
  }
  // Shares in 1/65536 of a pixel: integer sums are the same in any order, so the picture does
  // not depend on how the work was shared out.
  void Add(int x, int y, double share) {
    const uint32_t i = uint32_t(y - FLo) * uint32_t(FW) + uint32_t(x);
    const uint32_t q = uint32_t(share * kWhole + 0.5);
    if (q == 0) return;
    if (FCov[i] == 0) FTouched.push_back(i);
    FCov[i] = std::min(FCov[i], 0x7FFFFFFFu - q) + q;
  }
  static constexpr uint32_t kWhole = 65536;

  const TRowSink& FRows;
  int FW, FLo, FHi;
  std::vector<uint32_t> FCov;
  std::vector<uint32_t> FTouched;
};

}  // namespace

void TIsoLines::Draw(const std::vector<const TIsoLines*>& parts, const TRowSink& rows, int bands) {
  if (!rows.Usable()) return;
  // The pieces of each colour together; their order does not matter, as shares add up.
  std::vector<const TSeg*> order;
  int top = 0;
  for (const TIsoLines* part : parts)
    for (const TSeg& s : part->FSegs) top = std::max(top, s.colour);
  std::vector<size_t> start(size_t(top) + 2, 0);
  for (const TIsoLines* part : parts)
    for (const TSeg& s : part->FSegs) ++start[size_t(s.colour) + 1];
  for (size_t k = 1; k < start.size(); ++k) start[k] += start[k - 1];
  order.resize(start.back());
  for (const TIsoLines* part : parts)
    for (const TSeg& s : part->FSegs) order[start[size_t(s.colour)]++] = &s;
  if (order.empty()) return;
  const int h = rows.Height();
  RunBands(bands, [&](int b) {
    TRowSink band = rows;
    band.Clip(int((long long)h * b / bands), int((long long)h * (b + 1) / bands) - 1);
    TCoverage cov(band);
    const double lo = band.ClipLo() - 1.0, hi = band.ClipHi() + 2.0;
    for (size_t k = 0; k < order.size(); ++k) {
      const TSeg& s = *order[k];
      if (std::max(s.ay, s.by) >= lo && std::min(s.ay, s.by) <= hi)
        cov.Piece(s.ax, s.ay, s.bx, s.by);
      if (k + 1 == order.size() || order[k + 1]->colour != s.colour)
        cov.Blend(band.Colors()[s.colour]);
    }
  });
}

}  // namespace zyr::contour
