// SPDX-License-Identifier: MIT
// Item drawing of TCustomRChart: every item kind, the pen state carried from item to item,
// polyline buffering, multi-line texts and duplicate-mark suppression.

#include <zyr/chart/rchart.h>
#include <zyr/platform/foundation/frames.h>
#include <zyr/platform/foundation/marks.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <numbers>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zyr {

namespace {

constexpr int kPixLimit = 30000;
constexpr TColor kBWFill = 0xC0C0C0;
constexpr double kDeg20 = 20.0 * std::numbers::pi / 180.0;

int ClampPix(int64_t v) { return int(std::clamp<int64_t>(v, -kPixLimit, kPixLimit)); }

// A pixel from a real pixel value: NaN goes where R2M sends it (the far end).
int RoundPix(double v) {
  if (!(v <= kPixLimit)) return kPixLimit;
  if (v < -kPixLimit) return -kPixLimit;
  return int(std::nearbyint(v));
}

// All steps of a linear axis's pixel stay in doubles holding integers, which is exact at
// these magnitudes.
constexpr double kMax = 2147483647.0, kRound = 6755399441055744.0, kLim = kPixLimit;

// The pixel of a value on a linear axis, exactly as AxisPixels computes it.
inline int LinearPixel(double v, double k, double d, int rim, int origin) {
  double w = k * v + d;
  w = w < kMax ? w : kMax;  // NaN goes to the top as well
  w = w > -kMax ? w : -kMax;
  w = (w + kRound) - kRound;  // half to even
  w -= rim;
  w = w < kLim ? w : kLim;
  w = w > -kLim ? w : -kLim;
  return int(w) + origin;
}

// Canvas pixels of world values on one axis, the same as R2M, the margin and the clamping
// give one by one, in a loop the compiler can vectorise.
void AxisPixels(const double* v, int n, double k, double d, bool log, int logEdge, int rim,
                int origin, int* out) {
  if (log) {
    for (int i = 0; i < n; ++i) {
      const int p = v[i] <= 1e-100 ? logEdge : TCustomRChart::PixelOf(k * std::log(v[i]) + d);
      out[i] = ClampPix(int64_t(p) - rim) + origin;
    }
    return;
  }
  const double r = rim;
  int i = 0;
#if defined(__SSE2__)
  // min and max return their second operand for NaN, as the comparisons below do.
  const __m128d K = _mm_set1_pd(k), D = _mm_set1_pd(d), Hi = _mm_set1_pd(kMax),
                Lo = _mm_set1_pd(-kMax), Rnd = _mm_set1_pd(kRound), R = _mm_set1_pd(r),
                LimHi = _mm_set1_pd(kLim), LimLo = _mm_set1_pd(-kLim);
  const __m128i O = _mm_set1_epi32(origin);
  for (; i + 2 <= n; i += 2) {
    __m128d w = _mm_add_pd(_mm_mul_pd(K, _mm_loadu_pd(v + i)), D);
    w = _mm_max_pd(_mm_min_pd(w, Hi), Lo);
    w = _mm_sub_pd(_mm_sub_pd(_mm_add_pd(w, Rnd), Rnd), R);
    w = _mm_max_pd(_mm_min_pd(w, LimHi), LimLo);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm_add_epi32(_mm_cvttpd_epi32(w), O));
  }
#endif
  for (; i < n; ++i) out[i] = LinearPixel(v[i], k, d, rim, origin);
}

// Styles from files may hold anything; the canvas would keep its old style for those.
TPenStyle ValidStyle(TPenStyle s) { return s > psClear ? psSolid : s; }

int RoundInt(double v) { return int(std::nearbyint(v)); }

bool InClosedRange(double v, double a, double b) {
  return a <= b ? (v >= a && v <= b) : (v >= b && v <= a);
}

bool Overlaps(double lo, double hi, double a, double b) {
  if (a > b) std::swap(a, b);
  return hi >= a && lo <= b;
}

// One pixel in a colour on any canvas (raster targets get it exactly, others a 1x1 box).
void PutPixel(TCanvas& cv, int x, int y, TColor c) {
  if (cv.IsRaster()) {
    cv.SetPixels(x, y, c);
    return;
  }
  const TColor oldCol = cv.Brush().Color();
  const TBrushStyle oldStyle = cv.Brush().Style();
  cv.Brush().SetColor(c);
  cv.Brush().SetStyle(bsSolid);
  cv.FillRect(Rect(x, y, x + 1, y + 1));
  cv.Brush().SetColor(oldCol);
  cv.Brush().SetStyle(oldStyle);
}

// Box between two pixels with the right and bottom edges included.
TRect InclusiveBox(TPoint a, TPoint b) {
  return Rect(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X) + 1,
              std::max(a.Y, b.Y) + 1);
}

// Runs shorter than this are left to the item-by-item drawing.
constexpr int kMinRunLength = 8;

// Reads the records of a store in rising order of index; the record stays valid until the
// next read. Reset it after the store may have changed.
class TRecordCursor {
 public:
  explicit TRecordCursor(const TRcItemContainer& c) { Reset(c); }
  void Reset(const TRcItemContainer& c) {
    FStore = &c;
    FGeneration = c.Generation();
    FSeg = nullptr;
    FBegin = 1;
    FEnd = 0;
  }
  bool Unchanged(const TRcItemContainer& c) const {
    return &c == FStore && c.Generation() == FGeneration;
  }
  const TrcChartItem& At(size_t i) {
    if (i < FBegin || i >= FEnd) Locate(i);
    if (FSeg) {
      if (!FSeg->Run) FSeg->Rests[i - FSeg->Begin].To(FRec);
      FRec.x = FStore->X()[i];
      FRec.y = FStore->Y()[i];
    }
    return FRec;
  }
  /// Whether the item last read lies in a run, which spans [SegBegin(), SegEnd()).
  bool InRun() const { return FSeg && FSeg->Run; }
  size_t SegBegin() const { return FBegin; }
  size_t SegEnd() const { return FEnd; }

 private:
  void Locate(size_t i) {
    const TRcRestList& r = FStore->Rests();
    if (i >= r.Size()) {
      FSeg = nullptr;
      FRec = TrcChartItem{};
      FBegin = r.Size();
      FEnd = SIZE_MAX;
      return;
    }
    const size_t s = r.SegOf(i);
    FSeg = &r.Segs()[s];
    FBegin = FSeg->Begin;
    FEnd = r.SegEnd(s);
    if (FSeg->Run) FSeg->Rests[0].To(FRec);
  }

  const TRcItemContainer* FStore = nullptr;
  uint64_t FGeneration = 0;
  const TRcRestList::TSeg* FSeg = nullptr;
  size_t FBegin = 1, FEnd = 0;
  TrcChartItem FRec;
};

}  // namespace

// ------------------------------------------------------------------ pen state

void TCustomRChart::SetItemPenCol(TCanvas& Canvas, TColor Col) {
  if (Col == FLastPenCol) return;
  Canvas.Pen().SetColor(Col);
  FLastPenCol = Col;
}

void TCustomRChart::SetItemPenStyle(TCanvas& Canvas, TPenStyle Style) {
  Style = ValidStyle(Style);
  if (Style == FLastPenStyle) return;
  Canvas.Pen().SetStyle(Style);
  FLastPenStyle = Style;
}

void TCustomRChart::SetItemPen(TCanvas& Canvas, TColor Col, TPenStyle Style, TColor Fill) {
  SetItemPenCol(Canvas, Col);
  SetItemPenStyle(Canvas, Style);
  if (Fill != FLastBrushCol) {
    Canvas.Brush().SetColor(Fill);
    FLastBrushCol = Fill;
  }
}

// ------------------------------------------------------------------ polyline buffer

void TCustomRChart::EnterPolyline(int X, int Y, TCanvas& Canvas) {
  if (FNumPPa == 0) FPPa[size_t(FNumPPa++)] = {FLastMoveToX, FLastMoveToY};
  FPPa[size_t(FNumPPa++)] = {X, Y};
  if (FNumPPa >= kMaxPolyPoints) {
    FinishPolyLine(Canvas);
    // The next piece starts where this one ended, so the line has no gap.
    FPPa[0] = {X, Y};
    FNumPPa = 1;
  }
}

void TCustomRChart::FinishPolyLine(TCanvas& Canvas) {
  if (FNumPPa <= 0) return;
  const int n = FNumPPa;
  const TPoint last = FPPa[size_t(n - 1)];
  FNumPPa = 0;
  if (n > 4 && MergeColumns(Canvas)) {
    TColumnMerger m(Canvas);
    for (int i = 0; i < n; ++i) m.Add(FPPa[size_t(i)]);
    m.Finish();
  } else {
    Canvas.Polyline(FPPa.data(), n);
  }
  Canvas.MoveTo(last.X, last.Y);
  FLastMoveToX = last.X;
  FLastMoveToY = last.Y;
}

bool TCustomRChart::MergeColumns(TCanvas& Canvas) const {
  // Many points share a pixel column in dense charts; merging them is exact only for a
  // solid one-pixel pen that copies.
  const TPen& pen = Canvas.Pen();
  return FMergePolyColumns && pen.Width() <= 1 && pen.Style() == psSolid && pen.Mode() == pmCopy;
}

TPoint TCustomRChart::CurrentDrawPos(TCanvas& Canvas) const {
  if (FNumPPa > 0) return FPPa[size_t(FNumPPa - 1)];
  return Canvas.PenPos();
}

// ------------------------------------------------------------------ coordinates

TPoint TCustomRChart::ItemPixel(const TrcChartItem& Item, double x, double y, bool xWorld,
                                bool yWorld, int X0, int Y0) const {
  int px = 0, py = 0;
  if (xWorld || yWorld) R2M(Item.Layer, x, y, px, py);
  const int cx = xWorld ? ClampPix(int64_t(px) - RcLRim) : RoundPix(x);
  const int cy = yWorld ? ClampPix(int64_t(py) - RcTRim) : RoundPix(y);
  return {cx + X0, cy + Y0};
}

// ------------------------------------------------------------------ duplicate marks

bool TCustomRChart::MarkIsDuplicate(int MarkType, int px, int py) {
  const int d = FDupMarksMinD;
  const int64_t cx = int64_t(px) + d, cy = int64_t(py) + d;
  // Marks outside the map cannot be compared; they are drawn.
  if (cx < 0 || cy < 0 || cx >= FPixMapW || cy >= FPixMapH) return false;
  if (FPixMap[size_t(cy * FPixMapW + cx)] == MarkType) return true;
  for (int64_t j = std::max<int64_t>(0, cy - d); j <= std::min<int64_t>(FPixMapH - 1, cy + d); ++j)
    for (int64_t i = std::max<int64_t>(0, cx - d); i <= std::min<int64_t>(FPixMapW - 1, cx + d);
         ++i)
      FPixMap[size_t(j * FPixMapW + i)] = MarkType;
  return false;
}

// ------------------------------------------------------------------ the item loop

void TCustomRChart::DoOnBeforeRenderChartItem(TObject* Sender, TrcChartItem& Item, int Index,
                                              bool IsAnnotation) {
  if (OnBeforeRenderChartItem) OnBeforeRenderChartItem(Sender, Item, Index, IsAnnotation);
}

void TCustomRChart::DrawAllItems(TCanvas& Canvas, int X0, int Y0, bool BlackWhite) {
  if (FAvoidDupMarks) {
    const int d = FDupMarksMinD;
    FPixMapW = std::max(0, Width()) + 2 * d;
    FPixMapH = std::max(0, Height()) + 2 * d;
    FPixMap.assign(size_t(FPixMapW) * size_t(FPixMapH), -1);
  } else {
    FPixMapW = FPixMapH = 0;
  }

  // The reset pen state every item builds on.
  const TColor start = RcChartCol;
  FLastLWidth = std::clamp<int>(RcLineWid, 1, 255);
  Canvas.Pen().SetWidth(FLastLWidth);
  Canvas.Pen().SetColor(start);
  Canvas.Pen().SetStyle(psSolid);
  Canvas.Brush().SetColor(start);
  Canvas.Font().SetColor(start);
  Canvas.MoveTo(X0, Y0);
  FLastPenCol = FLastBrushCol = FLastFontCol = start;
  FLastPenStyle = psSolid;
  FLastMoveToX = X0;
  FLastMoveToY = Y0;
  FNumPPa = 0;

  // User code (the item and text events) may add or remove items or share another chart's
  // data, so after it runs the container and its count are read afresh; it may even delete
  // the chart, which ends the drawing at once.
  const TDestroyWatch watch(this);
  auto drawRange = [&](bool anno, int textFilter) {
    const TLongTextArray& texts = anno ? FLongTextsAnno : FLongTextsData;
    const std::array<bool, 256>& classVisible = anno ? FAnnoClassVisib : FItClassVisib;
    auto container = [&]() -> TRcItemContainer& {
      return anno ? *FAnnoContainer : *FDataContainer;
    };
    TRecordCursor cur(container());
    int count = anno ? FNumAnnoItems : FNumChartItems;
    // Runs of line items are drawn from the store's coordinates; the per-item handler sees
    // every item.
    bool useRuns = FUseLineRunCache && !BlackWhite && !OnBeforeRenderChartItem;
    auto refresh = [&] {
      const bool same = cur.Unchanged(container());
      cur.Reset(container());
      const int was = count;
      count = std::min(count, anno ? FNumAnnoItems : FNumChartItems);
      // A handler that changed the items leaves the rest to the item-by-item path.
      if (count != was || !same) useRuns = false;
    };
    for (int i = 0; i < count; ++i) {
      const TrcChartItem& it = cur.At(size_t(i));
      const bool text = IsTextItem(it.ItemKind);
      if (useRuns && cur.InRun() && cur.SegBegin() == size_t(i) &&
          cur.SegEnd() - size_t(i) >= size_t(kMinRunLength) && it.ItemKind == tkLineto &&
          it.CoordMode == cmAllWorld && (it.Layer == 1 || it.Layer == 2)) {
        const int end = int(std::min<size_t>(cur.SegEnd(), size_t(count)));
        if (textFilter == 1 || !classVisible[it.ItemClass] || !FLayerVisib[size_t(it.Layer - 1)]) {
          i = end - 1;
          continue;
        }
        // The first item sets the pen as usual; the rest need no change of it.
        if (!DrawLinetoQuickly(Canvas, it, X0, Y0))
          DrawContainerItemOnCanvas(Canvas, it, i, anno, texts, BlackWhite, X0, Y0);
        if (it.LWid == FLastLWidth && it.Color == FLastPenCol && it.PenStyle == FLastPenStyle &&
            it.FillColor == FLastBrushCol) {
          DrawLineRun(Canvas, container(), it.Layer, i + 1, end, X0, Y0);
          i = end - 1;
        }
        continue;
      }
      if (textFilter != 0 && (text ? 1 : -1) != textFilter) continue;
      if (!classVisible[it.ItemClass]) continue;
      if (it.Layer != 1 && it.Layer != 2) continue;
      if (!FLayerVisib[size_t(it.Layer - 1)]) continue;
      if (OnBeforeRenderChartItem) {
        TrcChartItem copy = it;
        DoOnBeforeRenderChartItem(this, copy, i, anno);
        if (watch.Destroyed()) return;
        DrawContainerItemOnCanvas(Canvas, copy, i, anno, texts, BlackWhite, X0, Y0);
        if (watch.Destroyed()) return;
        refresh();
      } else if (BlackWhite || !DrawLinetoQuickly(Canvas, it, X0, Y0)) {
        DrawContainerItemOnCanvas(Canvas, it, i, anno, texts, BlackWhite, X0, Y0);
        if (watch.Destroyed()) return;
        if (text) refresh();
      }
    }
    FinishPolyLine(Canvas);
  };
  auto drawAnnos = [&] {
    if (!FAnnosVisible) return;
    if (FAnnoTextOnTop) {
      drawRange(true, -1);
      if (watch.Destroyed()) return;
      drawRange(true, 1);
    } else {
      drawRange(true, 0);
    }
  };

  if (!FAnnoBelowChart) drawRange(false, 0);
  if (watch.Destroyed()) return;
  drawAnnos();
  if (watch.Destroyed()) return;
  if (FAnnoBelowChart) drawRange(false, 0);
}

// ------------------------------------------------------------------ one item

bool TCustomRChart::DrawLinetoQuickly(TCanvas& Canvas, const TrcChartItem& Item, int X0, int Y0) {
  // The common case of long curves: a world point in the current pen, colour and width.
  if (Item.ItemKind != tkLineto || Item.CoordMode != cmAllWorld || Item.LWid != FLastLWidth ||
      Item.Color != FLastPenCol || Item.PenStyle != FLastPenStyle ||
      Item.FillColor != FLastBrushCol)
    return false;
  const TPoint p = LinetoPixel(Item.Layer, Item.x, Item.y, X0, Y0);
  EnterPolyline(p.X, p.Y, Canvas);
  return true;
}

TPoint TCustomRChart::LinetoPixel(int Layer, double x, double y, int X0, int Y0) const {
  int px = 0, py = 0;
  R2M(Layer, x, y, px, py);
  return {ClampPix(int64_t(px) - RcLRim) + X0, ClampPix(int64_t(py) - RcTRim) + Y0};
}

void TCustomRChart::DrawLineRun(TCanvas& Canvas, TRcItemContainer& Store, int Layer, int From,
                                int To, int X0, int Y0) {
  const double* xs = Store.X() + From;
  const double* ys = Store.Y() + From;
  const int n = To - From;
  if (n <= 0) return;
  if (!MergeColumns(Canvas)) {
    // Pieces of 200 points, as the item-by-item path cuts them: wide and dashed pens show
    // where a polyline starts.
    for (int i = 0; i < n; ++i) {
      const TPoint p = LinetoPixel(Layer, xs[i], ys[i], X0, Y0);
      EnterPolyline(p.X, p.Y, Canvas);
    }
    return;
  }
  // The pending points and the whole run in one merged line; the pixels do not depend on
  // where a thin line is cut.
  TColumnMerger m(Canvas);
  if (FNumPPa == 0) m.Add({FLastMoveToX, FLastMoveToY});
  for (int i = 0; i < FNumPPa; ++i) m.Add(FPPa[size_t(i)]);
  const TLayerTransform& t = FXf[Layer == 2 ? 1 : 0];
  constexpr int kBlock = 512;
  std::array<int, kBlock> px, py;
  auto xPixel = [&](double v) { return LinearPixel(v, t.kx, t.dx, RcLRim, X0); };
  auto yPixel = [&](double v) { return LinearPixel(v, t.ky, t.dy, RcTRim, Y0); };
  // Points of one column on a linear Y axis, whose pixel is monotonic in the value: they go
  // in as one, through the pixels of their extreme Y, unless one is NaN.
  auto column = [&](int x, const double* y, int k) {
    double lo = y[0], hi = y[0];
    bool nan = false;
    for (int q = 0; q < k - 1; ++q) {
      const double v = y[q];
      nan |= v != v;
      lo = v < lo ? v : lo;
      hi = v > hi ? v : hi;
    }
    if (k < 5 || nan) {
      for (int j = 0; j < k; ++j) m.Add({x, yPixel(y[j])});
      return;
    }
    const int a = yPixel(lo), c = yPixel(hi);
    m.AddColumn(x, yPixel(y[0]), std::min(a, c), std::max(a, c), yPixel(y[k - 1]), k);
  };
  auto pointByPoint = [&](int from, int to) {
    for (int i = from; i < to; i += kBlock) {
      const int k = std::min(kBlock, to - i);
      AxisPixels(xs + i, k, t.kx, t.dx, t.logX, t.logEdgeX, RcLRim, X0, px.data());
      if (t.logY) {
        AxisPixels(ys + i, k, t.ky, t.dy, t.logY, t.logEdgeY, RcTRim, Y0, py.data());
        for (int j = 0; j < k; ++j) m.Add({px[size_t(j)], py[size_t(j)]});
        continue;
      }
      for (int j = 0; j < k;) {
        int e = j + 1;
        while (e < k && px[size_t(e)] == px[size_t(j)]) ++e;
        column(px[size_t(j)], ys + i + j, e - j);
        j = e;
      }
    }
  };
  // On linear axes the pixel of a value is monotonic in it, so a block whose extreme X share
  // a column lies wholly in it and spans the pixels of its extreme Y; one whose X is monotonic
  // falls into columns in order, found by halving.
  const bool linear = !t.logX && !t.logY && std::isfinite(t.kx) && std::isfinite(t.dx) &&
                      std::isfinite(t.ky) && std::isfinite(t.dy);
  int done = 0;
  if (linear) {
    constexpr int B = int(TRcItemContainer::kBlockSize);
    const int numBlocks = int(std::min<size_t>(Store.SummariseBlocks(size_t(To)), INT_MAX));
    const TLineBlock* blocks = Store.BlockData();
    // The summaries cover whole blocks of the store's slots, wherever the run starts.
    const int bFirst = (From + B - 1) / B, bEnd = std::min(numBlocks, To / B);
    // The columns of each block's ends are found a few blocks ahead. A block that crosses
    // columns is then read point by point, and the first drawing after an append finds its
    // points in no cache: they are fetched when it is found.
    constexpr int kAhead = 14;
    std::array<std::pair<int, int>, 16> ends;
    auto look = [&](int b) {
      const std::pair<int, int> e{xPixel(blocks[b].xFirst), xPixel(blocks[b].xLast)};
      ends[size_t(b) & 15] = e;
#if defined(__GNUC__)
      if (e.first != e.second) {
        const char* px = reinterpret_cast<const char*>(Store.X() + size_t(b) * B);
        const char* py = reinterpret_cast<const char*>(Store.Y() + size_t(b) * B);
        for (size_t l = 0; l < B * sizeof(double); l += 64) {
          __builtin_prefetch(px + l);
          __builtin_prefetch(py + l);
        }
      }
#endif
    };
    for (int b = bFirst; b < std::min(bEnd, bFirst + kAhead); ++b) look(b);
    for (int b = bFirst; b < bEnd; ++b) {
      if (b + kAhead < bEnd) look(b + kAhead);
      const TLineBlock& s = blocks[b];
      if (!s.Summable) continue;
      const int first = b * B - From;
      pointByPoint(done, first);
      done = first + B;
      const auto [x, xLast] = ends[size_t(b) & 15];
      if (x == xLast) {
        const int a = yPixel(s.yLo), c = yPixel(s.yHi);
        m.AddColumn(x, yPixel(s.yFirst), std::min(a, c), std::max(a, c), yPixel(s.yLast), B);
        continue;
      }
      for (int i = first; i < done;) {
        const int col = xPixel(xs[i]);
        int lo = i, hi = done;  // the column holds lo, not hi
        while (hi - lo > 1) {
          const int mid = lo + (hi - lo) / 2;
          (xPixel(xs[mid]) == col ? lo : hi) = mid;
        }
        column(col, ys + i, hi - i);
        i = hi;
      }
    }
  }
  pointByPoint(done, n);
  m.Finish();
  const TPoint last = LinetoPixel(Layer, xs[n - 1], ys[n - 1], X0, Y0);
  // Later points of the same pen continue from the last one.
  FPPa[0] = last;
  FNumPPa = 1;
  Canvas.MoveTo(last.X, last.Y);
  FLastMoveToX = last.X;
  FLastMoveToY = last.Y;
}

void TCustomRChart::DrawContainerItemOnCanvas(TCanvas& Canvas, const TrcChartItem& Item, int Index,
                                              bool IsAnnotation, const TLongTextArray& LongTexts,
                                              bool BlackWhite, int X0, int Y0) {
  const TrcItem kind = Item.ItemKind;
  // In text items LWid names a long text, so texts never change the pen width.
  if (!IsTextItem(kind)) {
    const int w = std::clamp<int>(Item.LWid, 1, 255);
    if (w != FLastLWidth) {
      FinishPolyLine(Canvas);
      FLastLWidth = w;
      Canvas.Pen().SetWidth(w);
    }
  }
  const TColor penCol = BlackWhite ? clBlack : Item.Color;
  const TColor fillCol = BlackWhite ? kBWFill : Item.FillColor;
  const TPenStyle style = ValidStyle(Item.PenStyle);
  const TModeWorld mw = ModeWorld(Item.CoordMode);

  // Pen, brush and brush style of outlined shapes.
  auto outline = [&] {
    SetItemPen(Canvas, penCol, Item.PenStyle, fillCol);
    Canvas.Brush().SetStyle(Item.Transp ? bsClear : bsSolid);
  };
  auto p1 = [&] { return ItemPixel(Item, Item.x, Item.y, mw.x1, mw.y1, X0, Y0); };
  auto p2 = [&] { return ItemPixel(Item, Item.x2, Item.y2, mw.x2, mw.y2, X0, Y0); };
  auto world = [&](double x, double y) { return ItemPixel(Item, x, y, true, true, X0, Y0); };
  const int areaW = Width() - RcRRim - RcLRim;
  const int areaH = Height() - RcBRim - RcTRim;

  switch (kind) {
    case tkLineto:
    case tkLineRelPix: {
      TPoint p;
      if (kind == tkLineto) {
        p = p1();
      } else {
        const TPoint cur = CurrentDrawPos(Canvas);
        p = {ClampPix(int64_t(cur.X) + RoundPix(Item.x)),
             ClampPix(int64_t(cur.Y) + RoundPix(Item.y))};
      }
      if (penCol != FLastPenCol || style != FLastPenStyle || fillCol != FLastBrushCol) {
        FinishPolyLine(Canvas);
        SetItemPen(Canvas, penCol, Item.PenStyle, fillCol);
      }
      EnterPolyline(p.X, p.Y, Canvas);
      break;
    }
    case tkMoveTo:
    case tkMoveRelPix: {
      TPoint p;
      if (kind == tkMoveTo) {
        p = p1();
      } else {
        const TPoint cur = CurrentDrawPos(Canvas);
        p = {ClampPix(int64_t(cur.X) + RoundPix(Item.x)),
             ClampPix(int64_t(cur.Y) + RoundPix(Item.y))};
      }
      FinishPolyLine(Canvas);
      FLastMoveToX = p.X;
      FLastMoveToY = p.Y;
      Canvas.MoveTo(p.X, p.Y);
      break;
    }
    case tkMarkAt: {
      FinishPolyLine(Canvas);
      TPoint p;
      if (Item.CoordMode == cmAllWorld) {
        const TScaleProps& sx = ScalePropsX(Item.Layer);
        const TScaleProps& sy = ScalePropsY(Item.Layer);
        if (!InClosedRange(Item.x, sx.RangeLow(), sx.RangeHigh()) ||
            !InClosedRange(Item.y, sy.RangeLow(), sy.RangeHigh()))
          break;
        p = world(Item.x, Item.y);
      } else {
        if (!(Item.x >= 0 && Item.x <= areaW && Item.y >= 0 && Item.y <= areaH)) break;
        p = {RoundPix(Item.x) + X0, RoundPix(Item.y) + Y0};
      }
      SetItemPenCol(Canvas, penCol);
      SetItemPenStyle(Canvas, style);
      if (FAvoidDupMarks && MarkIsDuplicate(Item.Param3, p.X, p.Y)) break;
      DrawMarkOnCanvas(Canvas, Item.Param3, p.X, p.Y);
      break;
    }
    case tkLine:
    case tkLineOffs: {
      FinishPolyLine(Canvas);
      SetItemPen(Canvas, penCol, Item.PenStyle, fillCol);
      TPoint a, b;
      if (kind == tkLine) {
        a = p1();
        b = p2();
      } else {
        a = world(Item.x, Item.y);
        b = world(Item.x2, Item.y2);
        a = {ClampPix(int64_t(a.X) + Item.Param1), ClampPix(int64_t(a.Y) + Item.Param2)};
        b = {ClampPix(int64_t(b.X) + Item.Param1), ClampPix(int64_t(b.Y) + Item.Param2)};
      }
      if (kind == tkLine && a.X == b.X && a.Y == b.Y) {
        PutPixel(Canvas, a.X, a.Y, penCol);
        break;
      }
      Canvas.MoveTo(a.X, a.Y);
      Canvas.LineTo(b.X, b.Y);
      break;
    }
    case tkRect:
    case tkRectRelPix:
    case tkEllipse: {
      FinishPolyLine(Canvas);
      outline();
      TPoint a, b;
      if (kind == tkRect) {
        a = p1();
        b = p2();
      } else if (kind == tkRectRelPix) {
        const TPoint c = world(Item.x, Item.y);
        a = {ClampPix(int64_t(c.X) - Item.Param1), ClampPix(int64_t(c.Y) - Item.Param2)};
        b = {ClampPix(int64_t(c.X) + Item.Param1), ClampPix(int64_t(c.Y) + Item.Param2)};
      } else {
        a = world(Item.x - Item.x2, Item.y + Item.y2);
        b = world(Item.x + Item.x2, Item.y - Item.y2);
      }
      if (a.X == b.X && a.Y == b.Y) {
        PutPixel(Canvas, a.X, a.Y, penCol);
        break;
      }
      const TRect r = InclusiveBox(a, b);
      if (kind == tkEllipse)
        Canvas.Ellipse(r.Left, r.Top, r.Right, r.Bottom);
      else
        Canvas.Rectangle(r);
      break;
    }
    case tkRectFrame: {
      FinishPolyLine(Canvas);
      DrawItemRectFrame(Canvas, Item, p1(), p2(), BlackWhite);
      break;
    }
    case tk3DBar:
      DrawItem3DBar(Canvas, Item, BlackWhite, X0, Y0);
      break;
    case tkText:
    case tkTextOfs:
      DrawItemText(Canvas, Item, Index, IsAnnotation, LongTexts, BlackWhite, X0, Y0);
      break;
    case tkArrow:
    case tkDoubleArrow:
      DrawItemArrow(Canvas, Item, BlackWhite, X0, Y0);
      break;
    case tkMarkEBar:
      DrawItemErrorBar(Canvas, Item, BlackWhite, X0, Y0);
      break;
    case tkArc:
      DrawItemArc(Canvas, Item, BlackWhite, X0, Y0);
      break;
    case tkLineRelPixOrig: {
      FinishPolyLine(Canvas);
      SetItemPen(Canvas, penCol, Item.PenStyle, fillCol);
      const TPoint a = world(Item.x, Item.y);
      const TPoint b = {ClampPix(int64_t(a.X) + RoundPix(Item.x2)),
                        ClampPix(int64_t(a.Y) + RoundPix(Item.y2))};
      if (a.X == b.X && a.Y == b.Y) {
        PutPixel(Canvas, a.X, a.Y, penCol);
        break;
      }
      FLastMoveToX = a.X;
      FLastMoveToY = a.Y;
      EnterPolyline(b.X, b.Y, Canvas);
      break;
    }
    case tkCursorVert:
    case tkCursorHoriz: {
      FinishPolyLine(Canvas);
      SetItemPen(Canvas, penCol, Item.PenStyle, fillCol);
      const bool screen = Item.CoordMode == cmAllScreen || Item.CoordMode == cmScreenMainWorldSec;
      const TPoint p = ItemPixel(Item, Item.x, Item.y, !screen, !screen, X0, Y0);
      if (kind == tkCursorVert) {
        Canvas.MoveTo(p.X, Y0);
        Canvas.LineTo(p.X, Y0 + areaH);
      } else {
        Canvas.MoveTo(X0, p.Y);
        Canvas.LineTo(X0 + areaW, p.Y);
      }
      break;
    }
    default:
      break;  // selectors and unknown kinds draw nothing
  }
}

// ------------------------------------------------------------------ shapes

void TCustomRChart::DrawItemRectFrame(TCanvas& Canvas, const TrcChartItem& Item, TPoint P1,
                                      TPoint P2, bool BlackWhite) {
  const TColor fill = BlackWhite ? kBWFill : Item.FillColor;
  SetItemPenCol(Canvas, BlackWhite ? clBlack : fill);
  SetItemPenStyle(Canvas, Item.PenStyle);
  if (fill != FLastBrushCol) {
    Canvas.Brush().SetColor(fill);
    FLastBrushCol = fill;
  }
  if (P1.X == P2.X && P1.Y == P2.Y)
    PutPixel(Canvas, P1.X, P1.Y, FLastPenCol);
  else
    Canvas.Rectangle(InclusiveBox(P1, P2));

  const int left = std::min(P1.X, P2.X), right = std::max(P1.X, P2.X);
  const int top = std::min(P1.Y, P2.Y), bottom = std::max(P1.Y, P2.Y);
  TColor s = BlackWhite ? clBlack : Item.ShadowColor;
  TColor l = BlackWhite ? clBlack : Item.HiLightColor;
  switch (Item.FrameStyle) {
    case 3:
    case 5:
      std::swap(s, l);
      break;
    case 2:
    case 4:
      break;
    default:
      return;
  }
  if (Item.FrameStyle == 2 || Item.FrameStyle == 3) {
    SetItemPenCol(Canvas, s);
    Canvas.MoveTo(left, bottom);
    Canvas.LineTo(left, top);
    Canvas.LineTo(right, top);
    SetItemPenCol(Canvas, l);
    Canvas.LineTo(right, bottom);
    Canvas.LineTo(left, bottom);
  } else {
    SetItemPenCol(Canvas, s);
    Canvas.MoveTo(left + 1, bottom);
    Canvas.LineTo(left + 1, top + 1);
    Canvas.LineTo(right, top + 1);
    Canvas.LineTo(right, bottom);
    Canvas.LineTo(left + 1, bottom);
    SetItemPenCol(Canvas, l);
    Canvas.MoveTo(left, bottom - 1);
    Canvas.LineTo(left, top);
    Canvas.LineTo(right - 1, top);
    Canvas.LineTo(right - 1, bottom - 1);
    Canvas.LineTo(left, bottom - 1);
  }
}

void TCustomRChart::DrawItem3DBar(TCanvas& Canvas, const TrcChartItem& Item, bool BlackWhite,
                                  int X0, int Y0) {
  FinishPolyLine(Canvas);
  SetItemPen(Canvas, BlackWhite ? clBlack : Item.Color, Item.PenStyle,
             BlackWhite ? kBWFill : Item.FillColor);
  // Bars are never stored transparent; a clear brush left by an earlier item must not hollow them.
  Canvas.Brush().SetStyle(bsSolid);
  const TPoint a = ItemPixel(Item, Item.x, Item.y, true, true, X0, Y0);
  const TPoint b = ItemPixel(Item, Item.x2, Item.y2, true, true, X0, Y0);
  int left = std::min(a.X, b.X), right = std::max(a.X, b.X);
  const int top = std::min(a.Y, b.Y), bottom = std::max(a.Y, b.Y);
  const double ang = Item.Param1 * std::numbers::pi / 180.0;
  const double depth = std::clamp<double>(Item.Param2, -kPixLimit, kPixLimit);
  const int dx = RoundInt(std::cos(ang) * depth);
  const int dy = RoundInt(std::sin(ang) * depth);
  // Beyond 90 degrees the depth recedes from the other side.
  if (Item.Param1 > 90) std::swap(left, right);
  const TPoint topFace[4] = {
      {left, top}, {left + dx, top - dy}, {right + dx, top - dy}, {right, top}};
  Canvas.Polygon(topFace, 4);
  const TPoint side[4] = {
      {right + dx, top - dy}, {right, top}, {right, bottom}, {right + dx, bottom - dy}};
  Canvas.Polygon(side, 4);
  Canvas.Rectangle(InclusiveBox({left, top}, {right, bottom}));
}

void TCustomRChart::DrawItemArrow(TCanvas& Canvas, const TrcChartItem& Item, bool BlackWhite,
                                  int X0, int Y0) {
  FinishPolyLine(Canvas);
  const TColor penCol = BlackWhite ? clBlack : Item.Color;
  SetItemPen(Canvas, penCol, Item.PenStyle, BlackWhite ? kBWFill : Item.FillColor);
  Canvas.Brush().SetStyle(Item.Transp ? bsClear : bsSolid);
  const TModeWorld mw = ModeWorld(Item.CoordMode);
  const TPoint a = ItemPixel(Item, Item.x, Item.y, mw.x1, mw.y1, X0, Y0);
  const TPoint b = ItemPixel(Item, Item.x2, Item.y2, mw.x2, mw.y2, X0, Y0);
  if (a.X == b.X && a.Y == b.Y) {
    PutPixel(Canvas, a.X, a.Y, penCol);
    return;
  }
  Canvas.MoveTo(a.X, a.Y);
  Canvas.LineTo(b.X, b.Y);
  const int len = Item.Param1;
  if (len < 1) return;
  const double L = std::min(len, kPixLimit);
  double phi;
  if (a.X == b.X) {
    phi = b.Y - a.Y < 1 ? 2 * std::numbers::pi : std::numbers::pi;
  } else {
    const double dx = b.X - a.X, dy = b.Y - a.Y;
    phi = std::atan(dy / dx) + (dx < 0 ? 1.5 * std::numbers::pi : 0.5 * std::numbers::pi);
  }
  const int sp = RoundInt(std::sin(phi + kDeg20) * L), cp = RoundInt(std::cos(phi + kDeg20) * L);
  const int sm = RoundInt(std::sin(phi - kDeg20) * L), cm = RoundInt(std::cos(phi - kDeg20) * L);
  auto head = [&](TPoint tip, TPoint w1, TPoint w2) {
    if (Item.Transp) {
      Canvas.MoveTo(tip.X, tip.Y);
      Canvas.LineTo(w1.X, w1.Y);
      Canvas.MoveTo(tip.X, tip.Y);
      Canvas.LineTo(w2.X, w2.Y);
    } else {
      const TPoint tri[3] = {tip, w1, w2};
      Canvas.Polygon(tri, 3);
    }
  };
  if (Item.ItemKind == tkDoubleArrow) head(a, {a.X + sp, a.Y - cp}, {a.X + sm, a.Y - cm});
  head(b, {b.X - sp, b.Y + cp}, {b.X - sm, b.Y + cm});
  Canvas.MoveTo(b.X, b.Y);
}

void TCustomRChart::DrawItemErrorBar(TCanvas& Canvas, const TrcChartItem& Item, bool BlackWhite,
                                     int X0, int Y0) {
  FinishPolyLine(Canvas);
  const double lower = std::fabs(Item.x2), upper = std::fabs(Item.y2);
  const TScaleProps& sx = ScalePropsX(Item.Layer);
  const TScaleProps& sy = ScalePropsY(Item.Layer);
  if (!Overlaps(Item.x - lower, Item.x + upper, sx.RangeLow(), sx.RangeHigh()) ||
      !Overlaps(Item.y - lower, Item.y + upper, sy.RangeLow(), sy.RangeHigh()))
    return;
  SetItemPen(Canvas, BlackWhite ? clBlack : Item.Color, Item.PenStyle,
             BlackWhite ? kBWFill : Item.FillColor);
  const TPoint c = ItemPixel(Item, Item.x, Item.y, true, true, X0, Y0);
  const bool alongX = Item.Param1 != 0;
  for (const double dist : {-lower, upper}) {
    const TPoint e = alongX ? ItemPixel(Item, Item.x + dist, Item.y, true, true, X0, Y0)
                            : ItemPixel(Item, Item.x, Item.y + dist, true, true, X0, Y0);
    Canvas.MoveTo(c.X, c.Y);
    Canvas.LineTo(e.X, e.Y);
    if (alongX) {
      Canvas.MoveTo(e.X, e.Y - 3);
      Canvas.LineTo(e.X, e.Y + 4);
    } else {
      Canvas.MoveTo(e.X - 3, e.Y);
      Canvas.LineTo(e.X + 4, e.Y);
    }
  }
  DrawMarkOnCanvas(Canvas, Item.Param3, c.X, c.Y);
}

void TCustomRChart::DrawItemArc(TCanvas& Canvas, const TrcChartItem& Item, bool BlackWhite, int X0,
                                int Y0) {
  FinishPolyLine(Canvas);
  const TColor penCol = BlackWhite ? clBlack : Item.Color;
  SetItemPenCol(Canvas, penCol);
  const TPoint a = ItemPixel(Item, Item.x - Item.x2, Item.y - Item.y2, true, true, X0, Y0);
  const TPoint b = ItemPixel(Item, Item.x + Item.x2, Item.y + Item.y2, true, true, X0, Y0);
  const TPoint c = ItemPixel(Item, Item.x, Item.y, true, true, X0, Y0);
  if (a.X == b.X && a.Y == b.Y) {
    PutPixel(Canvas, a.X, a.Y, penCol);
    return;
  }
  const TRect r = InclusiveBox(a, b);
  // Radials far outside the box fix the angles without rounding trouble.
  const double a1 = Item.Param1 / 1e8, a2 = Item.Param2 / 1e8;
  Canvas.Arc(r.Left, r.Top, r.Right, r.Bottom, c.X + RoundInt(std::cos(a1) * 1e8),
             c.Y - RoundInt(std::sin(a1) * 1e8), c.X + RoundInt(std::cos(a2) * 1e8),
             c.Y - RoundInt(std::sin(a2) * 1e8));
}

// ------------------------------------------------------------------ texts

int TCustomRChart::CalcTextExtents(const std::string& Text, TCanvas& Canvas, int& Width,
                                   int& Height, int& LineHeight) {
  int lines = 0;
  Width = 0;
  size_t pos = 0;
  while (true) {
    const size_t nl = Text.find('\n', pos);
    std::string line = Text.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    Width = std::max(Width, Canvas.TextWidth(line));
    ++lines;
    if (nl == std::string::npos) break;
    pos = nl + 1;
  }
  if (Width == 0) Width = Canvas.TextWidth(Text);
  LineHeight = Canvas.TextHeight(Text) + 1;
  Height = LineHeight * lines;
  return lines;
}

void TCustomRChart::DrawItemText(TCanvas& Canvas, const TrcChartItem& ItemRef, int Index,
                                 bool IsAnnotation, const TLongTextArray& LongTexts,
                                 bool BlackWhite, int X0, int Y0) {
  // A copy: the text handler may change the container under us.
  const TrcChartItem Item = ItemRef;
  FinishPolyLine(Canvas);
  const TColor fontCol = BlackWhite ? clBlack : Item.Color;
  if (fontCol != FLastFontCol) {
    Canvas.Font().SetColor(fontCol);
    FLastFontCol = fontCol;
  }
  TFont& f = Canvas.Font();
  f.SetName(FTextFont.Name());
  f.SetStyle(FTextFont.Style());
  const int size = std::clamp(Item.Param1, 1, 1000);
  if (Canvas.IsPrinterCanvas())
    SetCanvasFontSizeScaled(Canvas, size);
  else
    f.SetSize(size);
  const TColor bk = BlackWhite ? clWhite : Item.FillColor;
  if (bk != FLastBrushCol) {
    Canvas.Brush().SetColor(bk);
    FLastBrushCol = bk;
  }
  const bool solid = Item.Param2 != 0;
  Canvas.Brush().SetStyle(solid ? bsSolid : bsClear);

  TPoint p;
  if (Item.ItemKind == tkText) {
    const TModeWorld mw = ModeWorld(Item.CoordMode);
    p = ItemPixel(Item, Item.x, Item.y, mw.x1, mw.y1, X0, Y0);
  } else {
    const TPoint w = ItemPixel(Item, Item.x, Item.y, true, true, X0, Y0);
    p = {RoundPix(double(w.X) + Item.x2), RoundPix(double(w.Y) + Item.y2)};
  }

  std::string text = Item.LWid >= 1 && Item.LWid <= rcMaxLongTexts
                         ? LongTexts[size_t(Item.LWid - 1)]
                         : Item.Text.Str();
  if (OnBeforeRenderText) {
    const TDestroyWatch watch(this);
    OnBeforeRenderText(this, text, Index, IsAnnotation);
    if (watch.Destroyed()) return;
  }

  int width = 0, height = 0, lineH = 0;
  const int lines = CalcTextExtents(text, Canvas, width, height, lineH);
  int x = p.X, y = p.Y - lineH / 2;
  const TAlignment align = TAlignment(Item.Param3);
  if (align == taRightJustify)
    x -= width;
  else if (align == taCenter)
    x -= width / 2;

  if (lines == 1) {
    Canvas.TextOut(x, y, text);
    return;
  }
  if (solid) {
    SetItemPenCol(Canvas, bk);
    Canvas.Rectangle(x - 4, y - 2, x + width + 4, y + lines * lineH + 2);
  }
  size_t pos = 0;
  for (int k = 0; k < lines; ++k) {
    const size_t nl = text.find('\n', pos);
    std::string line = text.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    pos = nl == std::string::npos ? text.size() : nl + 1;
    const int lw = Canvas.TextWidth(line);
    const int shift = align == taRightJustify ? width - lw
                      : align == taCenter     ? (width - lw) / 2
                                              : 0;
    Canvas.TextOut(x + shift, y + k * lineH, line);
  }
}

}  // namespace zyr
