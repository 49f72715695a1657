// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Internal to the contour plot's value stage: the 32-bit row writer, the pixel geometry of
/// cell sides, the interpolated colour surface kernel, and the row bands that share one
/// picture out to Qt's thread pool. Not part of the public interface.

#include <zyr/chart/contourplot.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <limits>
#include <vector>

namespace zyr::contour {

/// Scan-line pixel sink. Map moves control pixels into the bitmap and clamps them to its
/// edges, so every write lands inside the rows; Box fills an inclusive, ordered box of mapped
/// pixels. Colours come as IsoColors indexes. Writes outside the band of rows set by Clip
/// are dropped, so bands rendered side by side give the picture of one pass.
class TRowSink {
 public:
  /// A sink over rows from \p row0 (\p stride pixels apart, negative for bottom-up), \p height
  /// rows, control pixel (ox, oy) at row 0 column 0, colours from \p lut.
  TRowSink(TRGB32* row0, int stride, int height, int ox, int oy, const std::vector<uint32_t>& lut)
      : FRow0(reinterpret_cast<uint32_t*>(row0)),
        FStride(stride),
        FW(std::abs(stride)),
        FH(height),
        FOx(ox),
        FOy(oy),
        FClipLo(0),
        FClipHi(height - 1),
        FLut(&lut) {}
  /// True when there are pixels to write and colours to write them with.
  bool Usable() const { return FRow0 && FW > 0 && FH > 0 && !FLut->empty(); }
  /// Limits writes to rows y0 .. y1 (inclusive, kept inside the bitmap).
  void Clip(int y0, int y1) {
    FClipLo = std::max(y0, 0);
    FClipHi = std::min(y1, FH - 1);
  }
  /// Control pixel to bitmap column / row, clamped to the bitmap.
  ///@{
  int MapX(long long cx) const { return int(std::clamp<long long>(cx - FOx, 0, FW - 1)); }
  int MapY(long long cy) const { return int(std::clamp<long long>(cy - FOy, 0, FH - 1)); }
  ///@}
  /// Sets the control pixel (cx, cy) to colour \p k, inside the clip band only.
  void Dot(long long cx, long long cy, int k) {
    const int y = MapY(cy);
    if (y >= FClipLo && y <= FClipHi) Row(y)[MapX(cx)] = Color(k);
  }
  /// The clip band set by Clip.
  ///@{
  int ClipLo() const { return FClipLo; }
  int ClipHi() const { return FClipHi; }
  ///@}
  /// Size of the bitmap in pixels.
  ///@{
  int Width() const { return FW; }
  int Height() const { return FH; }
  ///@}
  /// Bitmap row \p y.
  uint32_t* RowAt(int y) const { return Row(y); }
  /// Entry k of the colour table; k must lie in 0 .. count of IsoColors.
  const uint32_t* Colors() const { return FLut->data(); }
  /// Fills the bitmap box (x1, y1) .. (x2, y2), inclusive and ordered, with colour \p k,
  /// inside the clip band only.
  void Box(int x1, int y1, int x2, int y2, int k) {
    y1 = std::max(y1, FClipLo);
    y2 = std::min(y2, FClipHi);
    const int w = x2 - x1 + 1;
    if (w <= 0) return;
    const uint32_t c = Color(k);
    uint32_t* row = Row(y1) + x1;
    for (int y = y1; y <= y2; ++y, row += FStride)
      for (int i = 0; i < w; ++i) row[i] = c;
  }

 private:
  uint32_t* Row(int y) const { return FRow0 + ptrdiff_t(y) * FStride; }
  uint32_t Color(int k) const {
    return (*FLut)[size_t(std::clamp<int>(k, 0, int(FLut->size()) - 1))];
  }
  uint32_t* FRow0;
  int FStride, FW, FH, FOx, FOy, FClipLo, FClipHi;
  const std::vector<uint32_t>* FLut;
};

/// Colour index of a value as TContourPlot::IsoColorIndex computes it, with the division by
/// the range taken out (results may differ in the last bit of the scaled value): the colour
/// surface asks for it once per sub-cell.
/// Written without branches (selects the compiler turns into conditional moves), as the
/// colours of neighbouring sub-cells change unpredictably.
struct TIsoIndex {
  /// Start of the range (infinite when the table has at most one colour), colours per unit
  /// and number of colours.
  ///@{
  double lo, scale, count;
  ///@}
  /// Takes range and colour count from \p cp.
  explicit TIsoIndex(const TContourPlot& cp)
      : lo(cp.IsoColors.NumColors() <= 1 ? std::numeric_limits<double>::infinity() : cp.IsoLow()),
        scale(cp.IsoColors.NumColors() / (cp.IsoHigh() - cp.IsoLow())),
        count(cp.IsoColors.NumColors()) {}
  /// Colour index of \p v, 1 .. count.
  int operator()(double v) const {
    // f > 0 exactly when v > lo (a positive difference stays positive when scaled, or rounds
    // to 0, where the index is 1 either way). Below the range and NaN give 0, at or above it
    // the count, else f rounded half to even: adding and removing 1.5 * 2^52 rounds in the
    // default mode. Both selects are single min / max instructions.
    const double f = (v - lo) * scale;
    const double pos = f > 0.0 ? f : 0.0;
    const double c = pos < count ? pos : count;
    const int k = int((c + 6755399441055744.0) - 6755399441055744.0);
    return k < 1 ? 1 : k;
  }
  /// True when all four corners of a cell have one colour index, which goes to \p k: the cell
  /// is then one box of that colour.
  bool OneColour(double zLL, double zLR, double zUL, double zUR, int& k) const {
    k = (*this)(zLL);
    return k == (*this)(zLR) && k == (*this)(zUL) && k == (*this)(zUR);
  }
};

/// Pixel geometry of one side of a cell (world v over d) for one target: the ordered, mapped
/// extent of the whole side, and of each of its n sub-cells (n never above the side's width
/// in pixels, at least 1).
struct TCellSide {
  /// Mapped extent of the whole side.
  ///@{
  int lo = 0, hi = -1;
  ///@}
  /// Number of sub-cells.
  int n = 0;
  /// Extent of the first and last sub-cell together: a column of one colour.
  ///@{
  int spanLo = 0, spanHi = -1;
  ///@}
  /// Mapped extent of each sub-cell.
  ///@{
  std::vector<int> subLo, subHi;
  ///@}
  /// Pixels coverLo..coverHi hold sub-cells; last[p - coverLo] is the last sub-cell holding
  /// pixel p (-1: none). Filled only when asked for.
  ///@{
  int coverLo = 0, coverHi = -1;
  std::vector<int> last;
  ///@}
  /// Any run of consecutive sub-cells covers one unbroken stretch of pixels, and all of them
  /// together cover spanLo..spanHi.
  bool regular = false;
  /// Every pixel of coverLo..coverHi holds a sub-cell.
  bool full = false;
};

/// Fills a side along x (horiz) or y of layer 1 for at most wantN subdivisions.
template <class Sink>
void MakeCellSide(const TContourPlot& cp, const Sink& s, bool horiz, double v, double d, int wantN,
                  TCellSide& side, bool cover = false) {
  auto pixel = [&](double w) {
    int px, py;
    cp.R2M(1, horiz ? w : 0.0, horiz ? 0.0 : w, px, py);
    return horiz ? px : py;
  };
  auto map = [&](int p) { return horiz ? s.MapX(p) : s.MapY(p); };
  const int p1 = pixel(v), p2 = pixel(v + d);
  side.lo = std::min(map(p1), map(p2));
  side.hi = std::max(map(p1), map(p2));
  const long long pixels = std::llabs((long long)p2 - p1);
  const int n = int(std::clamp<long long>(std::min<long long>(wantN, pixels), 1, 65535));
  side.n = n;
  side.subLo.resize(size_t(n));
  side.subHi.resize(size_t(n));
  const double step = d / n;
  for (int i = 0; i < n; ++i) {
    const double a = v + d * i / n;
    const int p = map(pixel(a)), q = map(pixel(a + step));
    side.subLo[size_t(i)] = std::min(p, q);
    side.subHi[size_t(i)] = std::max(p, q);
  }
  side.spanLo = std::min(side.subLo[0], side.subLo[size_t(n - 1)]);
  side.spanHi = std::max(side.subHi[0], side.subHi[size_t(n - 1)]);
  if (!cover) return;
  side.coverLo = *std::min_element(side.subLo.begin(), side.subLo.end());
  side.coverHi = *std::max_element(side.subHi.begin(), side.subHi.end());
  side.last.assign(size_t(side.coverHi - side.coverLo + 1), -1);
  bool connected = true;
  for (int i = 0; i < n; ++i) {
    const int lo = side.subLo[size_t(i)], hi = side.subHi[size_t(i)];
    for (int p = lo; p <= hi; ++p) side.last[size_t(p - side.coverLo)] = i;
    if (i > 0 && (lo > side.subHi[size_t(i - 1)] + 1 || hi < side.subLo[size_t(i - 1)] - 1))
      connected = false;
  }
  side.regular = connected && side.coverLo == side.spanLo && side.coverHi == side.spanHi;
  side.full = std::find(side.last.begin(), side.last.end(), -1) == side.last.end();
}

/// Interpolated colours of one cell: one box when the corners share a colour, otherwise
/// sx.n x sy.n sub-cells. The values of a column of sub-cells are monotonic, and so are their
/// colours: equal end colours mean one colour for the whole column, and runs of one colour
/// make one box.
template <class Sink>
void SurfaceCell(const TIsoIndex& index, Sink& s, const TCellSide& sx, const TCellSide& sy,
                 double zLL, double zLR, double zUL, double zUR) {
  if (int k; index.OneColour(zLL, zLR, zUL, zUR, k)) {
    s.Box(sx.lo, sy.lo, sx.hi, sy.hi, k);
    return;
  }
  const int NumX = sx.n, NumY = sy.n;
  const int *by0 = sy.subLo.data(), *by1 = sy.subHi.data();
  for (int i = 0; i < NumX; ++i) {
    const double b = zLL + (zLR - zLL) * i / NumX;
    const double u = zUL + (zUR - zUL) * i / NumX;
    const double step = (u - b) / NumY;
    auto value = [&](int j) { return b + step * j; };
    const int kFirst = index(value(0)), kLast = index(value(NumY - 1));
    const int x0 = sx.subLo[size_t(i)], x1 = sx.subHi[size_t(i)];
    if (kFirst == kLast) {
      s.Box(x0, sy.spanLo, x1, sy.spanHi, kFirst);
      continue;
    }
    int runStart = 0, k = kFirst;
    for (int j = 1; j <= NumY; ++j) {
      const int kj = j < NumY ? index(value(j)) : -1;
      if (kj == k) continue;
      int top = by0[runStart], bottom = by1[runStart];
      for (int r = runStart + 1; r < j; ++r) {
        top = std::min(top, by0[r]);
        bottom = std::max(bottom, by1[r]);
      }
      s.Box(x0, top, x1, bottom, k);
      runStart = j;
      k = kj;
    }
  }
}

/// The pixels of SurfaceCell, each written once. Inside a cell the last sub-cell holding a
/// pixel gives its colour; with regular rows every column of sub-cells covers the same rows,
/// so that is the last column holding the pixel's x and, in it, the last sub-cell holding its
/// y (equal end colours of a column imply one colour all along it). Both sides need cover
/// data; cells with irregular rows or many sub-cells take SurfaceCell.
void SurfaceCellRows(const TIsoIndex& index, TRowSink& s, const TCellSide& sx, const TCellSide& sy,
                     double zLL, double zLR, double zUL, double zUR);

/// One axis of a colour surface whose cells each draw their whole extent (see TSurfaceRows):
/// per pixel the cell drawn last over it, and that cell's last sub-cell holding it.
struct TSurfaceAxis {
  /// Per pixel: the winning cell (0: none) and its sub-cell.
  ///@{
  std::vector<int> cell, sub;
  ///@}
  /// Per cell: the pixels it wins, from .. to (none when from > to).
  ///@{
  std::vector<int> from, to;
  ///@}
  /// Takes sides 1 .. size - 1 of \p sides over \p pixels pixels; they need cover data. False
  /// when a side's sub-cells leave pixels of it out or reach past it, when \p regular asks
  /// for regular sides and one is not, or when the winners are not one unbroken, ordered run.
  bool Build(const std::vector<TCellSide>& sides, int pixels, bool regular);
};

/// Corner values of the cells s0 .. s1 of pivot row t, cell s at index s - s0.
using TStripCorners =
    std::function<void(int t, int s0, int s1, double* zLL, double* zLR, double* zUL, double* zUR)>;

/// The interpolated colour surface drawn row by row instead of cell by cell. When no cell is
/// left out and every cell's sub-cells cover exactly its extent, a pixel's colour comes from
/// the last cell drawn over it, which is the last column and, in it, the last row holding the
/// pixel; there it is the colour SurfaceCellRows gives. Each pixel is then written once, and
/// the values of a whole row go through the colour index together.
class TSurfaceRows {
 public:
  /// Take in the cell sides along x and y (kept by reference) over the bitmap's width and
  /// height. False when the sides do not allow drawing by rows; cells must then be drawn one
  /// by one.
  ///@{
  bool BuildColumns(const std::vector<TCellSide>& sideX, int width);
  bool BuildRows(const std::vector<TCellSide>& sideY, int height);
  ///@}
  /// The pixels of the cells of columns s0 .. s1, all rows, inside the sink's clip band.
  void Draw(const TIsoIndex& index, TRowSink& s, const TStripCorners& corners, int s0,
            int s1) const;

 private:
  const std::vector<TCellSide>* FSideX = nullptr;
  const std::vector<TCellSide>* FSideY = nullptr;
  TSurfaceAxis FX, FY;
};

/// Threads a picture may use, the calling thread included: the maximum thread count of Qt's
/// global thread pool (1 renders on the calling thread alone).
int RenderThreads();

/// Runs band(0) .. band(count - 1), each exactly once, on the calling thread and on idle
/// threads of Qt's global pool, and returns when all have finished. A busy pool takes
/// nothing: the calling thread then runs every band itself. An exception thrown by a band is
/// rethrown here once all bands are done.
void RunBands(int count, const std::function<void(int)>& band);

}  // namespace zyr::contour
