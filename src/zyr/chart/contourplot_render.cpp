// SPDX-License-Identifier: MIT
// Rendering of TContourPlot: the paint cycle with the cached data-area picture, the value
// stage (iso-dots, colour surface, cell maps) written straight into the 32-bit rows, the mask
// overlay, then items, text labels and the frame.

#include <zyr/chart/contourplot.h>
#include <zyr/chart/contourplot_isolines.h>
#include <zyr/chart/contourplot_surface.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

namespace zyr {

namespace {

// A colour as a pixel of the rows: Qt RGB32 words 0xFFRRGGBB (B, G, R, A in memory on this
// little-endian layout), whose top byte must stay 0xFF for later compositing.
uint32_t ToRowPixel(TColor c) {
  c = ColorToRGB(c);
  return 0xFF000000u | uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 |
         uint32_t(GetBValue(c));
}

int RoundEven(double v) { return int(std::nearbyint(v)); }

// Canvas pixel sink: the same pixels through the canvas, without clamping.
class TCanvasSink {
 public:
  TCanvasSink(TCanvas& cv, int ox, int oy, const TColorArray& colors)
      : FCv(cv), FOx(ox), FOy(oy), FColors(colors) {}
  bool Usable() const { return true; }
  // Far-off pixels stay far off without overflowing the canvas arithmetic.
  int MapX(long long cx) const { return int(std::clamp<long long>(cx - FOx, -kFar, kFar)); }
  int MapY(long long cy) const { return int(std::clamp<long long>(cy - FOy, -kFar, kFar)); }
  void Dot(long long cx, long long cy, int k) {
    FCv.SetPixels(MapX(cx), MapY(cy), FColors.Color(k));
  }
  void Box(int x1, int y1, int x2, int y2, int k) {
    const TColor c = FColors.Color(k);
    FCv.Brush().SetStyle(bsSolid);
    FCv.Brush().SetColor(c);
    FCv.Pen().SetStyle(psSolid);
    FCv.Pen().SetMode(pmCopy);
    FCv.Pen().SetWidth(1);
    FCv.Pen().SetColor(c);
    FCv.Rectangle(x1, y1, x2 + 1, y2 + 1);
  }

 private:
  static constexpr long long kFar = 1000000;
  TCanvas& FCv;
  int FOx, FOy;
  const TColorArray& FColors;
};

// Calls f(j) for the iso levels strictly between a and b. When there are far more of them
// than pixels along the sample line, only every stride-th level is drawn: the work stays
// bounded by the picture, whatever IsoDist is.
template <class F>
void ForLevelsOnLine(const TContourPlot& cp, double a, double b, long long pixels, F&& f) {
  int j1 = 0, j2 = -1;
  if (!cp.IsoLevelsBetween(a, b, j1, j2)) return;
  const long long n = (long long)j2 - j1 + 1;
  const long long limit = 2 * (std::min<long long>(pixels, 1 << 20) + 1);
  const long long stride = n > limit ? (n + limit - 1) / limit : 1;
  for (long long j = j1; j <= j2; j += stride) f(int(j));
}

// Dotted iso-lines of one cell: vertical sample lines at the left edge and NumX - 1 inner
// positions, horizontal ones at the bottom edge, NumY - 1 inner positions and the top edge.
template <class Sink>
void DotCell(const TContourPlot& cp, Sink& s, double x, double y, double dx, double dy, double zLL,
             double zLR, double zUL, double zUR, int NumX, int NumY) {
  NumX = std::max(NumX, 1);
  NumY = std::max(NumY, 1);
  // Every sample line runs between values of the corners, so only the levels inside the
  // corners' span (widened against rounding) can be crossed; usually that is one or two.
  int c1 = 0, c2 = -1;
  const double zMin = std::min({zLL, zLR, zUL, zUR}), zMax = std::max({zLL, zLR, zUL, zUR});
  const bool finite =
      std::isfinite(zMin) && std::isfinite(zMax) && !std::isnan(zLL + zLR + zUL + zUR);
  if (finite) {
    const double pad = (std::abs(zMin) + std::abs(zMax)) * 1e-12;
    if (!cp.IsoLevelsBetween(zMin - pad, zMax + pad, c1, c2)) return;
  }
  const bool scan = finite && c2 - c1 < 8;
  auto levels = [&](double a, double b, long long pixels, auto&& f) {
    if (!scan) {
      ForLevelsOnLine(cp, a, b, pixels, f);
      return;
    }
    const double lo = std::min(a, b), hi = std::max(a, b);
    for (int j = c1; j <= c2; ++j) {
      const double lv = cp.IsoLevel(j);
      if (lv > lo && lv < hi) f(j);
    }
  };
  const bool mono = cp.PlotMode() == cpmMonoDots;
  int ax, ay, bx, by;
  cp.R2M(1, x, y, ax, ay);
  cp.R2M(1, x + dx, y + dy, bx, by);
  const long long pixW = std::llabs((long long)bx - ax), pixH = std::llabs((long long)by - ay);
  auto dot = [&](double px, double py, double level) {
    // A crossing between overflowed corner means has no position; clamped, it would put a
    // stray dot on the picture's edge.
    if (std::isnan(px) || std::isnan(py)) return;
    int cx, cy;
    cp.R2M(1, px, py, cx, cy);
    s.Dot(cx, cy, mono ? 1 : cp.IsoColorIndex(level));
  };
  for (int i = 0; i < NumX; ++i) {
    const double xi = x + dx * i / NumX;
    const double b = zLL + (zLR - zLL) * i / NumX;
    const double u = zUL + (zUR - zUL) * i / NumX;
    levels(b, u, pixH, [&](int j) {
      const double lv = cp.IsoLevel(j);
      dot(xi, y + dy * (lv - b) / (u - b), lv);
    });
  }
  for (int i = 0; i <= NumY; ++i) {
    const double yi = y + dy * i / NumY;
    const double l = zLL + (zUL - zLL) * i / NumY;
    const double r = zLR + (zUR - zLR) * i / NumY;
    levels(l, r, pixW, [&](int j) {
      const double lv = cp.IsoLevel(j);
      dot(x + dx * (lv - l) / (r - l), yi, lv);
    });
  }
}

// Colour index of a cell map: 0 (drawn as colour 1, or left out when transparent) below
// IsoLow and where the value rounds to the bottom of the range.
int CellMapIndex(const TContourPlot& cp, double v) {
  if (!(v >= cp.IsoLow())) return 0;
  const int n = cp.IsoColors.NumColors();
  const double q = (v - cp.IsoLow()) / (cp.IsoHigh() - cp.IsoLow()) * n;
  if (!(q < n)) return n;
  return RoundEven(q);
}

// The value stage of one picture: what every pivot cell needs, read from the plot once. Bands
// of rows then render side by side on several threads while nothing changes the plot.
class TValueStage {
 public:
  TValueStage(const TContourPlot& cp, const contour::TRowSink& rows, double dx, double dy,
              uint16_t subdiv)
      : FCp(cp),
        FMode(cp.PlotMode()),
        FNx(cp.NumPivotsX()),
        FNy(cp.NumPivotsY()),
        // The colour surface goes along rows of cells, the other modes along columns.
        FStepS(FMode == cpmColorSurface ? 1 : size_t(FNy) + 2),
        FStepT(FMode == cpmColorSurface ? size_t(FNx) + 2 : 1),
        FDx(dx),
        FDy(dy),
        FSubdiv(subdiv),
        FIndex(cp) {
    // Effective mask bytes and values with a blanked border, read once instead of per corner.
    FMask.assign((size_t(FNx) + 2) * (size_t(FNy) + 2), 1);
    FValue.assign(FMask.size(), 0.0);
    // Runs of pivot rows (or columns) side by side, each written along the stage's own order,
    // and the cell sides of both axes beside them; the plot is only read.
    const bool byRowsFirst = FStepS == 1;
    const int lines = byRowsFirst ? FNy : FNx, across = byRowsFirst ? FNx : FNy;
    const int parts = std::max(1, std::min(lines, 2 * contour::RenderThreads()));
    std::vector<uint8_t> drawn(size_t(parts), 1), marked(size_t(parts), 0);
    bool byColumns = false, byRows = false;
    contour::RunBands(parts + 2, [&](int b) {
      if (b == parts) {
        byColumns = MakeColumns(rows);
        return;
      }
      if (b == parts + 1) {
        byRows = MakeRows(rows);
        return;
      }
      for (int i = 1 + lines * b / parts; i <= lines * (b + 1) / parts; ++i)
        for (int j = 1; j <= across; ++j) {
          const int s = byRowsFirst ? j : i, t = byRowsFirst ? i : j;
          const uint8_t m = FMask[At(s, t)] = cp.EffectiveMask(s, t);
          FValue[At(s, t)] = cp.GetPivotVal(s, t);
          if (m != 0 && m != 255) drawn[size_t(b)] = 0;
          // Blank pivots show as 1 whatever their byte says.
          if (m > 1 || (m == 1 && cp.GetMaskVal(s, t) > 1)) marked[size_t(b)] = 1;
        }
    });
    // Normal pivots three in a line of the stage's order, then two such lines and the pivots
    // before and after: plain loops along whole lines.
    FPlain.assign(FMask.size(), 0);
    std::vector<uint8_t> three(FMask.size(), 0);
    const size_t line = byRowsFirst ? FStepT : FStepS;
    const uint8_t* m = FMask.data();
    for (int i = 0; i <= lines + 1; ++i) {
      const uint8_t* a = m + size_t(i) * line;
      uint8_t* v = three.data() + size_t(i) * line;
      for (int j = 1; j <= across; ++j) v[j] = (a[j - 1] | a[j] | a[j + 1]) == 0;
    }
    for (int i = 1; i <= lines; ++i) {
      const uint8_t* a = m + size_t(i) * line;
      const uint8_t *before = three.data() + size_t(i - 1) * line,
                    *after = three.data() + size_t(i + 1) * line;
      uint8_t* p = FPlain.data() + size_t(i) * line;
      for (int j = 1; j <= across; ++j) p[j] = before[j] & after[j] & ((a[j - 1] | a[j + 1]) == 0);
    }
    // Rows at a time when no cell is left out and every cell covers its whole box.
    FByRows = byColumns && byRows && std::find(drawn.begin(), drawn.end(), 0) == drawn.end();
    FMarked = std::find(marked.begin(), marked.end(), 1) != marked.end();
  }

  /// A mask byte above 1 is set somewhere.
  bool Marked() const { return FMarked; }

  /// Pivot rows (ascending) whose cells may write into bitmap rows y0..y1.
  std::vector<int> RowsReaching(int y0, int y1) const {
    std::vector<int> ts;
    for (int t = 1; t <= FNy; ++t)
      if (FReach[size_t(t)].first <= y1 && FReach[size_t(t)].second >= y0) ts.push_back(t);
    return ts;
  }

  /// The cells of pivot columns s0..s1 and pivot rows ts, column by column.
  void Columns(contour::TRowSink& sink, const std::vector<int>& ts, int s0, int s1) const {
    if (FByRows) {
      FRows.Draw(
          FIndex, sink,
          [this](int t, int c0, int c1, double* zLL, double* zLR, double* zUL, double* zUR) {
            StripCorners(t, c0, c1, zLL, zLR, zUL, zUR);
          },
          s0, s1);
      return;
    }
    const bool cellMap = CellMap();
    for (int s = s0; s <= s1; ++s) {
      const double px = FColX[size_t(s)];
      for (int t : ts) {
        const uint8_t m = FMask[At(s, t)];
        if (m != 0 && m != 255) continue;
        const double z = FValue[At(s, t)];
        if (cellMap) {
          const int k = CellMapIndex(FCp, z);
          if (k == 0 && FMode == cpmColorSurfNoIpTransp) continue;
          const auto &mx = FMapX[size_t(s)], &my = FMapY[size_t(t)];
          sink.Box(mx.first, my.first, mx.second, my.second, std::max(k, 1));
          continue;
        }
        double zLL, zLR, zUL, zUR;
        Corners(s, t, zLL, zLR, zUL, zUR);
        if (FMode == cpmColorSurface)
          contour::SurfaceCellRows(FIndex, sink, FSideX[size_t(s)], FSideY[size_t(t)], zLL, zLR,
                                   zUL, zUR);
        else
          DotCell(FCp, sink, px - FDx / 2, FRowY[size_t(t)] - FDy / 2, FDx, FDy, zLL, zLR, zUL, zUR,
                  FSubdiv, FSubdiv);
      }
    }
  }

  /// The iso-lines of the cells of pivot columns s0..s1 (smooth pictures).
  void Lines(contour::TIsoLines& lines, int s0, int s1) const {
    for (int s = s0; s <= s1; ++s)
      for (int t = 1; t <= FNy; ++t) {
        const uint8_t m = FMask[At(s, t)];
        if (m != 0 && m != 255) continue;
        double zLL, zLR, zUL, zUR;
        Corners(s, t, zLL, zLR, zUL, zUR);
        lines.Cell(s, t, zLL, zLR, zUL, zUR);
      }
  }

 private:
  size_t At(int s, int t) const { return size_t(s) * FStepS + size_t(t) * FStepT; }

  bool Surface() const { return FMode == cpmColorSurface; }
  bool CellMap() const { return FMode == cpmColorSurfNoIp || FMode == cpmColorSurfNoIpTransp; }

  // Pivot positions and cell sides along x; true when the colour surface may go by rows.
  bool MakeColumns(const contour::TRowSink& rows) {
    FColX.resize(size_t(FNx) + 1);
    if (Surface()) FSideX.resize(size_t(FNx) + 1);
    if (CellMap()) FMapX.resize(size_t(FNx) + 1);
    for (int s = 1; s <= FNx; ++s) {
      const double px = FColX[size_t(s)] = FCp.PivotPosX(s);
      if (Surface())
        contour::MakeCellSide(FCp, rows, true, px - FDx / 2, FDx, FSubdiv, FSideX[size_t(s)], true);
      if (CellMap()) FMapX[size_t(s)] = CellMapSpan(rows, true, px, FDx);
    }
    return Surface() && FRows.BuildColumns(FSideX, rows.Width());
  }

  // The same along y, with the bitmap rows each pivot row's cells may write.
  bool MakeRows(const contour::TRowSink& rows) {
    FRowY.resize(size_t(FNy) + 1);
    FSideY.resize(size_t(FNy) + 1);
    if (CellMap()) FMapY.resize(size_t(FNy) + 1);
    FReach.resize(size_t(FNy) + 1);
    const bool logY = FCp.ScalePropsY(1).Logarithmic();
    for (int t = 1; t <= FNy; ++t) {
      const double py = FRowY[size_t(t)] = FCp.PivotPosY(t);
      const contour::TCellSide& side = FSideY[size_t(t)];
      contour::MakeCellSide(FCp, rows, false, py - FDy / 2, FDy, FSubdiv, FSideY[size_t(t)],
                            Surface());
      // Every write of the cell lies in its rows; sub-cell edges and dots may round one pixel
      // past them. Logarithmic axes send values near zero to the far edge.
      int lo = std::min(side.lo, *std::min_element(side.subLo.begin(), side.subLo.end()));
      int hi = std::max(side.hi, *std::max_element(side.subHi.begin(), side.subHi.end()));
      if (CellMap()) {
        FMapY[size_t(t)] = CellMapSpan(rows, false, py, FDy);
        lo = std::min(lo, FMapY[size_t(t)].first);
        hi = std::max(hi, FMapY[size_t(t)].second);
      }
      FReach[size_t(t)] = {lo - 2, hi + 2};
      if (logY && std::min(py - FDy / 2, py + FDy / 2) <= 1e-100)
        FReach[size_t(t)] = {std::numeric_limits<int>::min(), std::numeric_limits<int>::max()};
    }
    if (!Surface()) {
      FSideY.clear();
      return false;
    }
    return FRows.BuildRows(FSideY, rows.Height());
  }
  void Corners(int s, int t, double& zLL, double& zLR, double& zUL, double& zUR) const {
    const double z = FValue[At(s, t)];
    if (FPlain[At(s, t)]) {
      // All neighbours count: the sums of Corner in the same order.
      auto v = [&](int i, int j) { return FValue[At(i, j)]; };
      zLL = (z + v(s - 1, t) + v(s - 1, t - 1) + v(s, t - 1)) / 4;
      zUL = (z + v(s - 1, t) + v(s - 1, t + 1) + v(s, t + 1)) / 4;
      zUR = (z + v(s, t + 1) + v(s + 1, t + 1) + v(s + 1, t)) / 4;
      zLR = (z + v(s, t - 1) + v(s + 1, t - 1) + v(s + 1, t)) / 4;
      return;
    }
    zLL = Corner(z, At(s - 1, t), At(s - 1, t - 1), At(s, t - 1));
    zUL = Corner(z, At(s - 1, t), At(s - 1, t + 1), At(s, t + 1));
    zUR = Corner(z, At(s, t + 1), At(s + 1, t + 1), At(s + 1, t));
    zLR = Corner(z, At(s, t - 1), At(s + 1, t - 1), At(s + 1, t));
  }
  // Corners of the cells s0..s1 of pivot row t at [s - s0]; plain cells two at a time (the
  // colour surface's rows are contiguous).
  void StripCorners(int t, int s0, int s1, double* zLL, double* zLR, double* zUL,
                    double* zUR) const {
    int s = s0;
#if defined(__SSE2__)
    const double *dn = &FValue[At(0, t - 1)], *md = &FValue[At(0, t)], *up = &FValue[At(0, t + 1)];
    const uint8_t* plain = &FPlain[At(0, t)];
    // The sums of Corners in the same order; multiplying by 0.25 is dividing by 4, exactly.
    const __m128d quarter = _mm_set1_pd(0.25);
    while (s < s1) {
      if (!(plain[s] & plain[s + 1])) {
        Corners(s, t, zLL[s - s0], zLR[s - s0], zUL[s - s0], zUR[s - s0]);
        ++s;
        continue;
      }
      const __m128d z = _mm_loadu_pd(md + s), l = _mm_loadu_pd(md + s - 1),
                    r = _mm_loadu_pd(md + s + 1), d = _mm_loadu_pd(dn + s),
                    ld = _mm_loadu_pd(dn + s - 1), rd = _mm_loadu_pd(dn + s + 1),
                    u = _mm_loadu_pd(up + s), lu = _mm_loadu_pd(up + s - 1),
                    ru = _mm_loadu_pd(up + s + 1);
      const __m128d zl = _mm_add_pd(z, l);
      const size_t k = size_t(s - s0);
      _mm_storeu_pd(zLL + k, _mm_mul_pd(_mm_add_pd(_mm_add_pd(zl, ld), d), quarter));
      _mm_storeu_pd(zUL + k, _mm_mul_pd(_mm_add_pd(_mm_add_pd(zl, lu), u), quarter));
      _mm_storeu_pd(zUR + k, _mm_mul_pd(_mm_add_pd(_mm_add_pd(_mm_add_pd(z, u), ru), r), quarter));
      _mm_storeu_pd(zLR + k, _mm_mul_pd(_mm_add_pd(_mm_add_pd(_mm_add_pd(z, d), rd), r), quarter));
      s += 2;
    }
#endif
    for (; s <= s1; ++s) Corners(s, t, zLL[s - s0], zLR[s - s0], zUL[s - s0], zUR[s - s0]);
  }
  // A corner is the mean of the pivot's own value and those of its normal neighbours there.
  // Without branches: a left-out neighbour adds -0.0, which changes no sum, not even -0.0.
  double Corner(double own, size_t a, size_t b, size_t c) const {
    const bool ua = FMask[a] == 0, ub = FMask[b] == 0, uc = FMask[c] == 0;
    const double sum =
        own + (ua ? FValue[a] : -0.0) + (ub ? FValue[b] : -0.0) + (uc ? FValue[c] : -0.0);
    return sum / (1 + int(ua) + int(ub) + int(uc));
  }
  // Ordered, mapped pixels of a cell map's side: the pivot +- half a pivot distance.
  std::pair<int, int> CellMapSpan(const contour::TRowSink& rows, bool horiz, double p,
                                  double d) const {
    int x1, y1, x2, y2;
    FCp.R2M(1, p - d / 2, p - d / 2, x1, y1);
    FCp.R2M(1, p + d / 2, p + d / 2, x2, y2);
    const int a = horiz ? rows.MapX(x1) : rows.MapY(y1), b = horiz ? rows.MapX(x2) : rows.MapY(y2);
    return {std::min(a, b), std::max(a, b)};
  }

  const TContourPlot& FCp;
  TContourPlotMode FMode;
  int FNx, FNy;
  size_t FStepS, FStepT;
  double FDx, FDy;
  uint16_t FSubdiv;
  contour::TIsoIndex FIndex;
  std::vector<uint8_t> FMask;
  std::vector<uint8_t> FPlain;  // every one of the eight neighbours is a normal pivot
  std::vector<double> FValue;
  std::vector<double> FColX, FRowY;
  std::vector<contour::TCellSide> FSideX, FSideY;
  contour::TSurfaceRows FRows;
  bool FByRows = false, FMarked = true;
  std::vector<std::pair<int, int>> FMapX, FMapY, FReach;
};

// Bands of rows a picture of w x h pixels is shared out in: a few per thread for an even
// load, none below 16 rows, and a single one for small pictures.
int BandCount(int w, int h) {
  const int threads = contour::RenderThreads();
  if (threads <= 1 || h < 64 || (long long)w * h < 32768) return 1;
  return std::min(4 * threads, h / 16);
}

}  // namespace

// ------------------------------------------------------------------ quad operations

std::vector<uint32_t> TContourPlot::IsoRowColors() const {
  const int n = std::max(IsoColors.NumColors(), 1);
  std::vector<uint32_t> lut(size_t(n) + 1);
  for (int k = 0; k <= n; ++k) lut[size_t(k)] = ToRowPixel(IsoColors.Color(k));
  return lut;
}

void TContourPlot::IsoQuadSL(TRGB32* Pixels, int Stride, int BmpHeight, int OffsX, int OffsY,
                             double x, double y, double dx, double dy, double zLL, double zLR,
                             double zUL, double zUR, uint16_t NumX, uint16_t NumY) {
  std::vector<uint32_t> own;
  if (FIsoRowColors.empty()) own = IsoRowColors();
  contour::TRowSink s(Pixels, Stride, BmpHeight, RcLRim - OffsX, RcTRim - OffsY,
                      FIsoRowColors.empty() ? own : FIsoRowColors);
  if (s.Usable()) DotCell(*this, s, x, y, dx, dy, zLL, zLR, zUL, zUR, NumX, NumY);
}

void TContourPlot::IsoColQuadSL(TRGB32* Pixels, int Stride, int BmpHeight, int OffsX, int OffsY,
                                double x, double y, double dx, double dy, double zLL, double zLR,
                                double zUL, double zUR, uint16_t NumX, uint16_t NumY) {
  std::vector<uint32_t> own;
  if (FIsoRowColors.empty()) own = IsoRowColors();
  contour::TRowSink s(Pixels, Stride, BmpHeight, RcLRim - OffsX, RcTRim - OffsY,
                      FIsoRowColors.empty() ? own : FIsoRowColors);
  if (!s.Usable()) return;
  contour::TCellSide sx, sy;
  contour::MakeCellSide(*this, s, true, x, dx, NumX, sx);
  contour::MakeCellSide(*this, s, false, y, dy, NumY, sy);
  contour::SurfaceCell(contour::TIsoIndex(*this), s, sx, sy, zLL, zLR, zUL, zUR);
}

void TContourPlot::IsoQuad(TCanvas& Canvas, int OffsX, int OffsY, double x, double y, double dx,
                           double dy, double zLL, double zLR, double zUL, double zUR, uint16_t NumX,
                           uint16_t NumY) {
  TCanvasSink s(Canvas, RcLRim - OffsX, RcTRim - OffsY, IsoColors);
  DotCell(*this, s, x, y, dx, dy, zLL, zLR, zUL, zUR, NumX, NumY);
}

void TContourPlot::IsoColQuad(TCanvas& Canvas, int OffsX, int OffsY, double x, double y, double dx,
                              double dy, double zLL, double zLR, double zUL, double zUR,
                              uint16_t NumX, uint16_t NumY) {
  TCanvasSink s(Canvas, RcLRim - OffsX, RcTRim - OffsY, IsoColors);
  contour::TCellSide sx, sy;
  contour::MakeCellSide(*this, s, true, x, dx, NumX, sx);
  contour::MakeCellSide(*this, s, false, y, dy, NumY, sy);
  contour::SurfaceCell(contour::TIsoIndex(*this), s, sx, sy, zLL, zLR, zUL, zUR);
}

// ------------------------------------------------------------------ value and mask stages

void TContourPlot::RenderFromPivotPoints(TBitmap& Bmp, int OffsX, int OffsY) {
  const int nx = FNumPivotX, ny = FNumPivotY;
  if (nx < 2 || ny < 2) return;
  const int bw = Bmp.Width(), bh = Bmp.Height();
  // Without two rows there is no stride to read, so the value stage draws nothing.
  TRGB32* row0 = nullptr;
  int stride = 0;
  if (bw >= 1 && bh >= 2) {
    row0 = Bmp.ScanLine(0);
    stride = int((Bmp.ScanLine(1) - row0));
  }
  const int step = std::max(1, nx / 100);
  const uint16_t subdiv = uint16_t(5 * nx <= 500 ? 500 / nx : 5);
  const double dx = (ScalePropsX(1).RangeHigh() - ScalePropsX(1).RangeLow()) / (nx - 1);
  const double dy = (ScalePropsY(1).RangeHigh() - ScalePropsY(1).RangeLow()) / (ny - 1);

  FIsoRowColors = IsoRowColors();
  // The progress handler may delete the plot; then nothing of it is touched any more.
  const TDestroyWatch watch(this);
  struct TLutReset {
    std::vector<uint32_t>& v;
    const TDestroyWatch& w;
    ~TLutReset() {
      if (!w.Destroyed()) v.clear();
    }
  } lutReset{FIsoRowColors, watch};
  const contour::TRowSink rows(row0, stride, bh, RcLRim - OffsX, RcTRim - OffsY, FIsoRowColors);

  std::unique_ptr<TValueStage> stage;
  std::vector<std::vector<int>> bandRows;
  const int bands = BandCount(bw, bh);
  auto bandFirst = [&](int b) { return int((long long)bh * b / bands); };
  // Smooth pictures trace the iso-lines as polylines instead of setting dots.
  contour::TSampleAxis xs, ys;
  std::vector<std::unique_ptr<contour::TIsoLines>> lines;
  if (rows.Usable()) {
    stage = std::make_unique<TValueStage>(*this, rows, dx, dy, subdiv);
    if (SmoothIsoLines()) {
      const TLayerTransform& f = FXf[0];
      const contour::TAxisMap mx{f.kx, f.dx, f.logX, double(f.logEdgeX), double(RcLRim - OffsX)};
      const contour::TAxisMap my{f.ky, f.dy, f.logY, double(f.logEdgeY), double(RcTRim - OffsY)};
      xs.Build(nx, dx, subdiv, mx, [&](int s) { return PivotPosX(s); });
      ys.Build(ny, dy, subdiv, my, [&](int t) { return PivotPosY(t); });
      for (int b = 0; b < bands; ++b)
        lines.push_back(std::make_unique<contour::TIsoLines>(*this, xs, ys, mx, my));
    } else {
      for (int b = 0; b < bands; ++b)
        bandRows.push_back(stage->RowsReaching(bandFirst(b), bandFirst(b + 1) - 1));
    }
  }
  // Only the GUI thread calls the progress handler, between runs of columns; the bands of a
  // run are done before it is called.
  auto render = [&](int s0, int s1) {
    if (!stage || s0 > s1) return;
    if (!lines.empty()) {
      // Runs of columns side by side, each tracing into a part of its own.
      const int n = std::min(int(lines.size()), s1 - s0 + 1);
      contour::RunBands(n, [&](int b) {
        stage->Lines(*lines[size_t(b)], s0 + (s1 - s0 + 1) * b / n,
                     s0 + (s1 - s0 + 1) * (b + 1) / n - 1);
      });
      return;
    }
    contour::RunBands(bands, [&](int b) {
      contour::TRowSink band = rows;
      band.Clip(bandFirst(b), bandFirst(b + 1) - 1);
      stage->Columns(band, bandRows[size_t(b)], s0, s1);
    });
  };
  if (!OnProgress) {
    render(1, nx);
  } else {
    int next = 1;
    for (int s = step; s <= nx; s += step) {
      render(next, s - 1);
      next = s;
      FeedbackProgress(70 + RoundEven(s * 15.0 / nx));
      if (watch.Destroyed()) return;
      // A progress handler that resized the bitmap has taken the rows away.
      if (row0 && (Bmp.Width() != bw || Bmp.Height() != bh || Bmp.ScanLine(0) != row0)) return;
    }
    render(next, nx);
  }
  if (!lines.empty()) {
    std::vector<const contour::TIsoLines*> parts;
    for (const auto& part : lines) parts.push_back(part.get());
    contour::TIsoLines::Draw(parts, rows, bands);
  }
  // A progress handler may have set mask bytes since the values were read.
  RenderMask(Bmp, OffsX, OffsY, dx, dy, !stage || OnProgress || stage->Marked());
}

void TContourPlot::RenderMask(TBitmap& Bmp, int OffsX, int OffsY, double dx, double dy,
                              bool Marked) {
  const int nx = FNumPivotX, ny = FNumPivotY, bw = Bmp.Width(), bh = Bmp.Height();
  const int step = std::max(1, nx / 100);
  bool any = false;
  for (int s = 1; Marked && s <= nx && !any; ++s)
    for (int t = 1; t <= ny && !any; ++t) any = FMaskMat.Elem(s, t) > 1;
  // Without coloured or highlighted cells the three copies below change no pixel.
  const TDestroyWatch watch(this);
  if (!any || bw < 1 || bh < 1) {
    for (int s = step; s <= nx && !watch.Destroyed(); s += step)
      FeedbackProgress(85 + RoundEven(s * 15.0 / nx));
    return;
  }
  // A: white, black under palette cells (kept-pixel mask); B: palette colours on black;
  // C: white under highlighted cells (inversion mask).
  TBitmap a(bw, bh), b(bw, bh), c(bw, bh);
  auto fill = [](TBitmap& bmp, TColor col, const TRect& r) {
    TCanvas& cv = bmp.Canvas();
    cv.Brush().SetStyle(bsSolid);
    cv.Brush().SetColor(col);
    cv.FillRect(r);
  };
  fill(a, clWhite, Rect(0, 0, bw, bh));
  fill(b, clBlack, Rect(0, 0, bw, bh));
  fill(c, clBlack, Rect(0, 0, bw, bh));
  const int ox = RcLRim - OffsX, oy = RcTRim - OffsY;
  auto clampX = [&](int v) { return int(std::clamp<long long>((long long)v - ox, 0, bw - 1)); };
  auto clampY = [&](int v) { return int(std::clamp<long long>((long long)v - oy, 0, bh - 1)); };
  for (int s = 1; s <= nx; ++s) {
    if (s % step == 0) {
      FeedbackProgress(85 + RoundEven(s * 15.0 / nx));
      if (watch.Destroyed()) return;
    }
    const double px = PivotPosX(s);
    for (int t = 1; t <= ny; ++t) {
      const uint8_t m = FMaskMat.Elem(s, t);
      if (m <= 1) continue;
      const double py = PivotPosY(t);
      int x1, y1, x2, y2;
      R2M(1, px - dx / 2, py - dy / 2, x1, y1);
      R2M(1, px + dx / 2, py + dy / 2, x2, y2);
      x1 = clampX(x1);
      x2 = clampX(x2);
      y1 = clampY(y1);
      y2 = clampY(y2);
      // Rectangles leave out their right and bottom edges; the cell includes both corners.
      const TRect r =
          Rect(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1);
      if (m == 255) {
        fill(c, clWhite, r);
      } else {
        fill(a, clBlack, r);
        fill(b, MaskPalette.Color(m), r);
      }
    }
  }
  TCanvas& cv = Bmp.Canvas();
  cv.SetCopyMode(SRCAND);
  cv.Draw(0, 0, a);
  cv.SetCopyMode(SRCPAINT);
  cv.Draw(0, 0, b);
  cv.SetCopyMode(SRCINVERT);
  cv.Draw(0, 0, c);
  cv.SetCopyMode(SRCCOPY);
}

// ------------------------------------------------------------------ labels and paint cycle

void TContourPlot::RenderLabels(TCanvas& Canvas, int OffsX, int OffsY) {
  DrawTextLabels(Canvas, OffsX, OffsY);
}

void TContourPlot::BeforeRenderData(TCanvas& Canvas, int OffsX, int OffsY) {
  if (!OnBeforeRenderData) return;
  const TColor brush = Canvas.Brush().Color(), pen = Canvas.Pen().Color();
  const TDestroyWatch watch(this);
  OnBeforeRenderData(this, Canvas, RcTRim - OffsY, RcLRim - OffsX);
  if (watch.Destroyed()) return;  // the canvas may have gone with the plot
  Canvas.Brush().SetColor(brush);
  Canvas.Pen().SetColor(pen);
}

void TContourPlot::RenderOnTop(TCanvas& Canvas, int OffsX, int OffsY, bool Flag) {
  const TDestroyWatch watch(this);
  DrawAllItems(Canvas, OffsX, OffsY, Flag);
  if (watch.Destroyed()) return;
  Canvas.Pen().SetWidth(1);
  RenderLabels(Canvas, OffsX, OffsY);
}

void TContourPlot::FinishDataArea(TCanvas& Canvas, int OffsX, int OffsY) {
  const TDestroyWatch watch(this);
  if (OnDataRendered) OnDataRendered(this, Canvas, RcTRim - OffsY, RcLRim - OffsX);
  if (watch.Destroyed()) return;
  const int w = Width() - RcLRim - RcRRim - F3DRim, h = Height() - RcTRim - RcBRim - F3DRim;
  Canvas.Pen().SetWidth(1);
  Canvas.Pen().SetMode(pmCopy);
  Canvas.Pen().SetStyle(psSolid);
  Canvas.Pen().SetColor(FChartFrameCol);
  Canvas.MoveTo(OffsX, OffsY);
  Canvas.LineTo(OffsX + w, OffsY);
  Canvas.LineTo(OffsX + w, OffsY + h);
  Canvas.LineTo(OffsX, OffsY + h);
  Canvas.LineTo(OffsX, OffsY);
}

void TContourPlot::ConstructDataBmp(TBitmap& Bmp, int OffsX, int OffsY, bool Flag, int) {
  TCanvas& cv = Bmp.Canvas();
  // Another bitmap than the cached picture (an export) has nothing cached.
  const bool cached = &Bmp == FGrafBmp.get();
  // Each stage raises events that may delete the plot; then the rest is left out.
  const TDestroyWatch watch(this);
  if (FInvalidDataBmp || !cached) {
    BeforeRenderData(cv, OffsX, OffsY);
    if (watch.Destroyed()) return;
    UpdatePivotPoints();
    if (watch.Destroyed()) return;
    RenderFromPivotPoints(Bmp, OffsX, OffsY);
    if (watch.Destroyed()) return;
    RenderOnTop(cv, OffsX, OffsY, Flag);
    if (watch.Destroyed()) return;
  }
  if (cached) FInvalidDataBmp = false;
  FinishDataArea(cv, OffsX, OffsY);
}

void TContourPlot::ConstructDataBmpCanvas(TCanvas& Canvas, int OffsX, int OffsY, bool Flag, int) {
  // Vector pictures get the values as one raster image; items, labels and frame stay figures.
  const TDestroyWatch watch(this);
  BeforeRenderData(Canvas, OffsX, OffsY);
  if (watch.Destroyed()) return;
  UpdatePivotPoints();
  if (watch.Destroyed()) return;
  const int w = DataAreaWidth(), h = DataAreaHeight();
  if (w > 0 && h > 0) {
    TBitmap values(w, h);
    InitGraf(values.Canvas(), 0, 0, w, h);
    RenderFromPivotPoints(values, 0, 0);
    if (watch.Destroyed()) return;
    Canvas.SetCopyMode(SRCCOPY);
    Canvas.Draw(OffsX, OffsY, values);
  }
  RenderOnTop(Canvas, OffsX, OffsY, Flag);
  if (watch.Destroyed()) return;
  FinishDataArea(Canvas, OffsX, OffsY);
}

void TContourPlot::InitGraf(TCanvas& Canvas, int X0, int Y0, int Width, int Height) {
  if (&Canvas == &FGrafBmp->Canvas()) FInvalidDataBmp = true;
  TCustomRChart::InitGraf(Canvas, X0, Y0, Width, Height);
}

void TContourPlot::Paint() { PaintCycle(false); }

void TContourPlot::PrepareDataBmp(int Width, int Height) {
  if (FGrafBmp->Width() != Width || FGrafBmp->Height() != Height) FInvalidDataBmp = true;
  if (FInvalidDataBmp) TCustomRChart::PrepareDataBmp(Width, Height);
}

}  // namespace zyr
