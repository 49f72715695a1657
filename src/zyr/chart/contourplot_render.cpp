// Rendering of TContourPlot: the paint cycle with the cached data-area picture, the value
// stage (iso-dots, colour surface, cell maps) written straight into the 32-bit rows, the mask
// overlay, then items, text labels and the frame.

#include <zyr/chart/contourplot.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
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

// Colour index of a value as IsoColorIndex computes it, with the division by the range taken
// out (results may differ in the last bit of the scaled value): the colour surface asks for
// it once per sub-cell.
struct TIsoIndex {
  double lo, scale;
  int count;
  explicit TIsoIndex(const TContourPlot& cp)
      : lo(cp.IsoLow()),
        scale(cp.IsoColors.NumColors() / (cp.IsoHigh() - cp.IsoLow())),
        count(cp.IsoColors.NumColors()) {}
  int operator()(double v) const {
    if (count <= 1 || !(v > lo)) return 1;
    const double f = (v - lo) * scale;
    if (!(f < count)) return count;
    return std::max(1, TCustomRChart::PixelOf(f));
  }
};

// Scan-line pixel sink. Map moves control pixels into the bitmap and clamps them to its
// edges, so every write lands inside the rows; Box fills an inclusive, ordered box of mapped
// pixels. Colours come as IsoColors indexes.
class TRowSink {
 public:
  TRowSink(TRGB32* row0, int stride, int height, int ox, int oy, const std::vector<uint32_t>& lut)
      : FRow0(reinterpret_cast<uint32_t*>(row0)),
        FStride(stride),
        FW(std::abs(stride)),
        FH(height),
        FOx(ox),
        FOy(oy),
        FLut(lut) {}
  bool Usable() const { return FRow0 && FW > 0 && FH > 0 && !FLut.empty(); }
  int MapX(long long cx) const { return int(std::clamp<long long>(cx - FOx, 0, FW - 1)); }
  int MapOriginX() const { return FOx; }
  int MapOriginY() const { return FOy; }
  int MapWidth() const { return FW; }
  int MapHeight() const { return FH; }
  int MapY(long long cy) const { return int(std::clamp<long long>(cy - FOy, 0, FH - 1)); }
  void Dot(long long cx, long long cy, int k) { Row(MapY(cy))[MapX(cx)] = Color(k); }
  void Box(int x1, int y1, int x2, int y2, int k) {
    const uint32_t c = Color(k);
    uint32_t* row = Row(y1);
    for (int y = y1; y <= y2; ++y, row += FStride) std::fill(row + x1, row + x2 + 1, c);
  }

 private:
  uint32_t* Row(int y) const { return FRow0 + ptrdiff_t(y) * FStride; }
  uint32_t Color(int k) const { return FLut[size_t(std::clamp<int>(k, 0, int(FLut.size()) - 1))]; }
  uint32_t* FRow0;
  int FStride, FW, FH, FOx, FOy;
  const std::vector<uint32_t>& FLut;
};

// Canvas pixel sink: the same pixels through the canvas, without clamping.
class TCanvasSink {
 public:
  TCanvasSink(TCanvas& cv, int ox, int oy, const TColorArray& colors)
      : FCv(cv), FOx(ox), FOy(oy), FColors(colors) {}
  bool Usable() const { return true; }
  // Far-off pixels stay far off without overflowing the canvas arithmetic.
  int MapX(long long cx) const { return int(std::clamp<long long>(cx - FOx, -kFar, kFar)); }
  int MapOriginX() const { return FOx; }
  int MapOriginY() const { return FOy; }
  int MapWidth() const { return -2; }
  int MapHeight() const { return -2; }
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

// Mapped, ordered pixel edges of the n sub-cells of a cell side starting at world v with
// width d, for one transform (k, kd) and one target.
struct TEdges {
  double v = 0, d = 0, k = 0, kd = 0;
  int n = 0, origin = 0, extent = -1;
  std::vector<int> lo, hi;
};

size_t EdgeSlot(double v, size_t numSlots) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return static_cast<size_t>((bits ^ (bits >> 29) ^ (bits >> 47)) % numSlots);
}

template <class Sink>
const TEdges& CellEdges(const TContourPlot& cp, const Sink& s, TEdges& e, bool horiz, double v,
                        double d, int n, double k, double kd) {
  const int origin = horiz ? s.MapOriginX() : s.MapOriginY();
  const int extent = horiz ? s.MapWidth() : s.MapHeight();
  if (e.n == n && e.v == v && e.d == d && e.k == k && e.kd == kd && e.origin == origin &&
      e.extent == extent)
    return e;
  e.v = v;
  e.d = d;
  e.k = k;
  e.kd = kd;
  e.n = n;
  e.origin = origin;
  e.extent = extent;
  e.lo.resize(size_t(n));
  e.hi.resize(size_t(n));
  const double step = d / n;
  for (int i = 0; i < n; ++i) {
    const double a = v + d * i / n;
    int p, q, unused;
    if (horiz) {
      cp.R2M(1, a, 0.0, p, unused);
      cp.R2M(1, a + step, 0.0, q, unused);
      p = s.MapX(p);
      q = s.MapX(q);
    } else {
      cp.R2M(1, 0.0, a, unused, p);
      cp.R2M(1, 0.0, a + step, unused, q);
      p = s.MapY(p);
      q = s.MapY(q);
    }
    e.lo[size_t(i)] = std::min(p, q);
    e.hi[size_t(i)] = std::max(p, q);
  }
  return e;
}

// Interpolated colours of one cell: one box when the corners share a colour, otherwise
// NumX x NumY sub-cells, never narrower or lower than a pixel.
template <class Sink>
void SurfaceCell(const TContourPlot& cp, Sink& s, double x, double y, double dx, double dy,
                 double zLL, double zLR, double zUL, double zUR, int NumX, int NumY) {
  const TIsoIndex index(cp);
  int x1, y1, x2, y2;
  cp.R2M(1, x, y, x1, y1);
  cp.R2M(1, x + dx, y + dy, x2, y2);
  const int kLL = index(zLL);
  if (kLL == index(zLR) && kLL == index(zUL) && kLL == index(zUR)) {
    const int a = s.MapX(x1), b = s.MapX(x2), c = s.MapY(y1), d = s.MapY(y2);
    s.Box(std::min(a, b), std::min(c, d), std::max(a, b), std::max(c, d), kLL);
    return;
  }
  const long long pixW = std::llabs((long long)x2 - x1), pixH = std::llabs((long long)y2 - y1);
  NumX = int(std::clamp<long long>(std::min<long long>(NumX, pixW), 1, 65535));
  NumY = int(std::clamp<long long>(std::min<long long>(NumY, pixH), 1, 65535));
  // Sub-cell edges are the same for every cell of a pivot column (x) or row (y), so they
  // are kept between calls.
  double kx, kdx, ky, kdy;
  cp.GetTransformParams(1, kx, kdx, ky, kdy);
  static TEdges xCache;
  static std::vector<TEdges> yCache(4096);
  const TEdges& ex = CellEdges(cp, s, xCache, true, x, dx, NumX, kx, kdx);
  const TEdges& ey =
      CellEdges(cp, s, yCache[EdgeSlot(y, yCache.size())], false, y, dy, NumY, ky, kdy);
  const std::vector<int>&bx0 = ex.lo, &bx1 = ex.hi, &by0 = ey.lo, &by1 = ey.hi;
  // The values of a column of sub-cells are monotonic, and so are their colours: equal end
  // colours mean one colour for the whole column, and runs of one colour make one box.
  for (int i = 0; i < NumX; ++i) {
    const double b = zLL + (zLR - zLL) * i / NumX;
    const double u = zUL + (zUR - zUL) * i / NumX;
    const double step = (u - b) / NumY;
    auto value = [&](int j) { return b + step * j; };
    const int kFirst = index(value(0)), kLast = index(value(NumY - 1));
    if (kFirst == kLast) {
      s.Box(bx0[size_t(i)], std::min(by0[0], by0[size_t(NumY - 1)]), bx1[size_t(i)],
            std::max(by1[0], by1[size_t(NumY - 1)]), kFirst);
      continue;
    }
    int runStart = 0, k = kFirst;
    for (int j = 1; j <= NumY; ++j) {
      const int kj = j < NumY ? index(value(j)) : -1;
      if (kj == k) continue;
      int top = by0[size_t(runStart)], bottom = by1[size_t(runStart)];
      for (int r = runStart + 1; r < j; ++r) {
        top = std::min(top, by0[size_t(r)]);
        bottom = std::max(bottom, by1[size_t(r)]);
      }
      s.Box(bx0[size_t(i)], top, bx1[size_t(i)], bottom, k);
      runStart = j;
      k = kj;
    }
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
  TRowSink s(Pixels, Stride, BmpHeight, RcLRim - OffsX, RcTRim - OffsY,
             FIsoRowColors.empty() ? own : FIsoRowColors);
  if (s.Usable()) DotCell(*this, s, x, y, dx, dy, zLL, zLR, zUL, zUR, NumX, NumY);
}

void TContourPlot::IsoColQuadSL(TRGB32* Pixels, int Stride, int BmpHeight, int OffsX, int OffsY,
                                double x, double y, double dx, double dy, double zLL, double zLR,
                                double zUL, double zUR, uint16_t NumX, uint16_t NumY) {
  std::vector<uint32_t> own;
  if (FIsoRowColors.empty()) own = IsoRowColors();
  TRowSink s(Pixels, Stride, BmpHeight, RcLRim - OffsX, RcTRim - OffsY,
             FIsoRowColors.empty() ? own : FIsoRowColors);
  if (s.Usable()) SurfaceCell(*this, s, x, y, dx, dy, zLL, zLR, zUL, zUR, NumX, NumY);
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
  SurfaceCell(*this, s, x, y, dx, dy, zLL, zLR, zUL, zUR, NumX, NumY);
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
  struct TLutReset {
    std::vector<uint32_t>& v;
    ~TLutReset() { v.clear(); }
  } lutReset{FIsoRowColors};
  TRowSink rows(row0, stride, bh, RcLRim - OffsX, RcTRim - OffsY, FIsoRowColors);

  // Effective mask bytes and values with a blanked border, read once instead of per corner.
  const int stride2 = ny + 2;
  std::vector<uint8_t> mask(size_t(nx + 2) * size_t(stride2), 1);
  std::vector<double> value(mask.size(), 0.0);
  for (int s = 1; s <= nx; ++s)
    for (int t = 1; t <= ny; ++t) {
      const size_t i = size_t(s) * size_t(stride2) + size_t(t);
      mask[i] = EffectiveMask(s, t);
      value[i] = FPivotMat.Elem(s, t);
    }
  auto at = [&](int s, int t) { return size_t(s) * size_t(stride2) + size_t(t); };
  std::vector<double> rowY(size_t(ny) + 1);
  for (int t = 1; t <= ny; ++t) rowY[size_t(t)] = PivotPosY(t);
  // A corner is the mean of the pivot's own value and those of its normal neighbours there.
  auto corner = [&](double own, int s1, int t1, int s2, int t2, int s3, int t3) {
    double sum = own;
    int n = 1;
    for (size_t i : {at(s1, t1), at(s2, t2), at(s3, t3)})
      if (mask[i] == 0) {
        sum += value[i];
        ++n;
      }
    return sum / n;
  };

  for (int s = 1; s <= nx; ++s) {
    if (s % step == 0) {
      FeedbackProgress(70 + RoundEven(s * 15.0 / nx));
      // A progress handler that resized the bitmap has taken the rows away.
      if (row0 && (Bmp.Width() != bw || Bmp.Height() != bh || Bmp.ScanLine(0) != row0)) return;
    }
    if (!rows.Usable()) continue;
    const double px = PivotPosX(s);
    for (int t = 1; t <= ny; ++t) {
      const uint8_t m = mask[at(s, t)];
      if (m != 0 && m != 255) continue;
      const double py = rowY[size_t(t)];
      const double z = value[at(s, t)];
      if (FPlotMode == cpmColorSurfNoIp || FPlotMode == cpmColorSurfNoIpTransp) {
        const int k = CellMapIndex(*this, z);
        if (k == 0 && FPlotMode == cpmColorSurfNoIpTransp) continue;
        int x1, y1, x2, y2;
        R2M(1, px - dx / 2, py - dy / 2, x1, y1);
        R2M(1, px + dx / 2, py + dy / 2, x2, y2);
        const int a = rows.MapX(x1), b = rows.MapX(x2), c = rows.MapY(y1), d = rows.MapY(y2);
        rows.Box(std::min(a, b), std::min(c, d), std::max(a, b), std::max(c, d), std::max(k, 1));
        continue;
      }
      const double zLL = corner(z, s - 1, t, s - 1, t - 1, s, t - 1);
      const double zUL = corner(z, s - 1, t, s - 1, t + 1, s, t + 1);
      const double zUR = corner(z, s, t + 1, s + 1, t + 1, s + 1, t);
      const double zLR = corner(z, s, t - 1, s + 1, t - 1, s + 1, t);
      if (FPlotMode == cpmColorSurface)
        IsoColQuadSL(row0, stride, bh, OffsX, OffsY, px - dx / 2, py - dy / 2, dx, dy, zLL, zLR,
                     zUL, zUR, subdiv, subdiv);
      else
        IsoQuadSL(row0, stride, bh, OffsX, OffsY, px - dx / 2, py - dy / 2, dx, dy, zLL, zLR, zUL,
                  zUR, subdiv, subdiv);
    }
  }
  RenderMask(Bmp, OffsX, OffsY, dx, dy);
}

void TContourPlot::RenderMask(TBitmap& Bmp, int OffsX, int OffsY, double dx, double dy) {
  const int nx = FNumPivotX, ny = FNumPivotY, bw = Bmp.Width(), bh = Bmp.Height();
  const int step = std::max(1, nx / 100);
  bool any = false;
  for (int s = 1; s <= nx && !any; ++s)
    for (int t = 1; t <= ny && !any; ++t) any = FMaskMat.Elem(s, t) > 1;
  // Without coloured or highlighted cells the three copies below change no pixel.
  if (!any || bw < 1 || bh < 1) {
    for (int s = step; s <= nx; s += step) FeedbackProgress(85 + RoundEven(s * 15.0 / nx));
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
    if (s % step == 0) FeedbackProgress(85 + RoundEven(s * 15.0 / nx));
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
  OnBeforeRenderData(this, Canvas, RcTRim - OffsY, RcLRim - OffsX);
  Canvas.Brush().SetColor(brush);
  Canvas.Pen().SetColor(pen);
}

void TContourPlot::RenderOnTop(TCanvas& Canvas, int OffsX, int OffsY, bool Flag) {
  DrawAllItems(Canvas, OffsX, OffsY, Flag);
  Canvas.Pen().SetWidth(1);
  RenderLabels(Canvas, OffsX, OffsY);
}

void TContourPlot::FinishDataArea(TCanvas& Canvas, int OffsX, int OffsY) {
  if (OnDataRendered) OnDataRendered(this, Canvas, RcTRim - OffsY, RcLRim - OffsX);
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
  if (FInvalidDataBmp || !cached) {
    BeforeRenderData(cv, OffsX, OffsY);
    UpdatePivotPoints();
    RenderFromPivotPoints(Bmp, OffsX, OffsY);
    RenderOnTop(cv, OffsX, OffsY, Flag);
  }
  if (cached) FInvalidDataBmp = false;
  FinishDataArea(cv, OffsX, OffsY);
}

void TContourPlot::ConstructDataBmpCanvas(TCanvas& Canvas, int OffsX, int OffsY, bool Flag, int) {
  // Vector pictures get the values as one raster image; items, labels and frame stay figures.
  BeforeRenderData(Canvas, OffsX, OffsY);
  UpdatePivotPoints();
  const int w = DataAreaWidth(), h = DataAreaHeight();
  if (w > 0 && h > 0) {
    TBitmap values(w, h);
    InitGraf(values.Canvas(), 0, 0, w, h);
    RenderFromPivotPoints(values, 0, 0);
    Canvas.SetCopyMode(SRCCOPY);
    Canvas.Draw(OffsX, OffsY, values);
  }
  RenderOnTop(Canvas, OffsX, OffsY, Flag);
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
