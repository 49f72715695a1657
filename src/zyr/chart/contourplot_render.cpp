// Rendering of TContourPlot: the paint cycle with the cached data-area picture, the value
// stage (iso-dots, colour surface, cell maps) written straight into the 32-bit rows, the mask
// overlay, then items, text labels and the frame.

#include <zyr/chart/contourplot.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace zyr {

namespace {

TRGB32 ToRGB32(TColor c) {
  c = ColorToRGB(c);
  // The rows are Qt RGB32 pixels, whose fourth byte must stay 0xFF for later compositing.
  return TRGB32{GetBValue(c), GetGValue(c), GetRValue(c), 0xFF};
}

int RoundEven(double v) { return int(std::nearbyint(v)); }

// Scan-line pixel sink: control pixels are moved into the bitmap and clamped to its edges, so
// every write lands inside the rows. Colours come as IsoColors indexes.
class TRowSink {
 public:
  TRowSink(TRGB32* row0, int stride, int height, int ox, int oy, const std::vector<TRGB32>& lut)
      : FRow0(row0),
        FStride(stride),
        FW(std::abs(stride)),
        FH(height),
        FOx(ox),
        FOy(oy),
        FLut(lut) {}
  bool Usable() const { return FRow0 && FW > 0 && FH > 0 && !FLut.empty(); }
  void Dot(long long cx, long long cy, int k) { Row(ClampY(cy))[ClampX(cx)] = Color(k); }
  /// Inclusive box between two control pixels.
  void Fill(long long cx1, long long cy1, long long cx2, long long cy2, int k) {
    int x1 = ClampX(cx1), x2 = ClampX(cx2), y1 = ClampY(cy1), y2 = ClampY(cy2);
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    const TRGB32 c = Color(k);
    for (int y = y1; y <= y2; ++y) std::fill(Row(y) + x1, Row(y) + x2 + 1, c);
  }

 private:
  int ClampX(long long cx) const { return int(std::clamp<long long>(cx - FOx, 0, FW - 1)); }
  int ClampY(long long cy) const { return int(std::clamp<long long>(cy - FOy, 0, FH - 1)); }
  TRGB32* Row(int y) const { return FRow0 + ptrdiff_t(y) * FStride; }
  TRGB32 Color(int k) const { return FLut[size_t(std::clamp<int>(k, 0, int(FLut.size()) - 1))]; }
  TRGB32* FRow0;
  int FStride, FW, FH, FOx, FOy;
  const std::vector<TRGB32>& FLut;
};

// Canvas pixel sink: the same pixels through the canvas, without clamping.
class TCanvasSink {
 public:
  TCanvasSink(TCanvas& cv, int ox, int oy, const TColorArray& colors)
      : FCv(cv), FOx(ox), FOy(oy), FColors(colors) {}
  bool Usable() const { return true; }
  void Dot(long long cx, long long cy, int k) {
    FCv.SetPixels(Pix(cx - FOx), Pix(cy - FOy), FColors.Color(k));
  }
  void Fill(long long cx1, long long cy1, long long cx2, long long cy2, int k) {
    int x1 = Pix(cx1 - FOx), x2 = Pix(cx2 - FOx), y1 = Pix(cy1 - FOy), y2 = Pix(cy2 - FOy);
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
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
  // Far-off pixels stay far off without overflowing the canvas arithmetic.
  static int Pix(long long v) { return int(std::clamp<long long>(v, -1000000, 1000000)); }
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
    ForLevelsOnLine(cp, b, u, pixH, [&](int j) {
      const double lv = cp.IsoLevel(j);
      dot(xi, y + dy * (lv - b) / (u - b), lv);
    });
  }
  for (int i = 0; i <= NumY; ++i) {
    const double yi = y + dy * i / NumY;
    const double l = zLL + (zUL - zLL) * i / NumY;
    const double r = zLR + (zUR - zLR) * i / NumY;
    ForLevelsOnLine(cp, l, r, pixW, [&](int j) {
      const double lv = cp.IsoLevel(j);
      dot(x + dx * (lv - l) / (r - l), yi, lv);
    });
  }
}

// Interpolated colours of one cell: one box when the corners share a colour, otherwise
// NumX x NumY sub-cells, never narrower or lower than a pixel.
template <class Sink>
void SurfaceCell(const TContourPlot& cp, Sink& s, double x, double y, double dx, double dy,
                 double zLL, double zLR, double zUL, double zUR, int NumX, int NumY) {
  int x1, y1, x2, y2;
  cp.R2M(1, x, y, x1, y1);
  cp.R2M(1, x + dx, y + dy, x2, y2);
  const int kLL = cp.IsoColorIndex(zLL);
  if (kLL == cp.IsoColorIndex(zLR) && kLL == cp.IsoColorIndex(zUL) &&
      kLL == cp.IsoColorIndex(zUR)) {
    s.Fill(x1, y1, x2, y2, kLL);
    return;
  }
  const long long pixW = std::llabs((long long)x2 - x1), pixH = std::llabs((long long)y2 - y1);
  NumX = int(std::clamp<long long>(std::min<long long>(NumX, pixW), 1, 65535));
  NumY = int(std::clamp<long long>(std::min<long long>(NumY, pixH), 1, 65535));
  // Sub-cell edges in pixels, computed once per column and row of sub-cells.
  static std::vector<int> px0, px1, py0, py1;
  px0.resize(size_t(NumX));
  px1.resize(size_t(NumX));
  py0.resize(size_t(NumY));
  py1.resize(size_t(NumY));
  const double sdx = dx / NumX, sdy = dy / NumY;
  int unused;
  for (int i = 0; i < NumX; ++i) {
    const double sx = x + dx * i / NumX;
    cp.R2M(1, sx, y, px0[size_t(i)], unused);
    cp.R2M(1, sx + sdx, y, px1[size_t(i)], unused);
  }
  for (int j = 0; j < NumY; ++j) {
    const double sy = y + dy * j / NumY;
    cp.R2M(1, x, sy, unused, py0[size_t(j)]);
    cp.R2M(1, x, sy + sdy, unused, py1[size_t(j)]);
  }
  for (int i = 0; i < NumX; ++i) {
    const double b = zLL + (zLR - zLL) * i / NumX;
    const double u = zUL + (zUR - zUL) * i / NumX;
    for (int j = 0; j < NumY; ++j) {
      const double v = b + (u - b) * j / NumY;
      s.Fill(px0[size_t(i)], py0[size_t(j)], px1[size_t(i)], py1[size_t(j)], cp.IsoColorIndex(v));
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

std::vector<TRGB32> TContourPlot::IsoRowColors() const {
  const int n = std::max(IsoColors.NumColors(), 1);
  std::vector<TRGB32> lut(size_t(n) + 1);
  for (int k = 0; k <= n; ++k) lut[size_t(k)] = ToRGB32(IsoColors.Color(k));
  return lut;
}

void TContourPlot::IsoQuadSL(TRGB32* Pixels, int Stride, int BmpHeight, int OffsX, int OffsY,
                             double x, double y, double dx, double dy, double zLL, double zLR,
                             double zUL, double zUR, uint16_t NumX, uint16_t NumY) {
  std::vector<TRGB32> own;
  if (FIsoRowColors.empty()) own = IsoRowColors();
  TRowSink s(Pixels, Stride, BmpHeight, RcLRim - OffsX, RcTRim - OffsY,
             FIsoRowColors.empty() ? own : FIsoRowColors);
  if (s.Usable()) DotCell(*this, s, x, y, dx, dy, zLL, zLR, zUL, zUR, NumX, NumY);
}

void TContourPlot::IsoColQuadSL(TRGB32* Pixels, int Stride, int BmpHeight, int OffsX, int OffsY,
                                double x, double y, double dx, double dy, double zLL, double zLR,
                                double zUL, double zUR, uint16_t NumX, uint16_t NumY) {
  std::vector<TRGB32> own;
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
    std::vector<TRGB32>& v;
    ~TLutReset() { v.clear(); }
  } lutReset{FIsoRowColors};
  TRowSink rows(row0, stride, bh, RcLRim - OffsX, RcTRim - OffsY, FIsoRowColors);

  // Value of a neighbour for the corner means: only normal pivots take part.
  auto neighbour = [&](int s, int t, double& sum, int& n) {
    if (EffectiveMask(s, t) != 0) return;
    sum += FPivotMat.Elem(s, t);
    ++n;
  };
  auto corner = [&](double own, int s1, int t1, int s2, int t2, int s3, int t3) {
    double sum = own;
    int n = 1;
    neighbour(s1, t1, sum, n);
    neighbour(s2, t2, sum, n);
    neighbour(s3, t3, sum, n);
    return sum / n;
  };

  for (int s = 1; s <= nx; ++s) {
    if (s % step == 0) FeedbackProgress(70 + RoundEven(s * 15.0 / nx));
    if (!rows.Usable()) continue;
    const double px = PivotPosX(s);
    for (int t = 1; t <= ny; ++t) {
      const uint8_t m = EffectiveMask(s, t);
      if (m != 0 && m != 255) continue;
      const double py = PivotPosY(t);
      const double z = FPivotMat.Elem(s, t);
      if (FPlotMode == cpmColorSurfNoIp || FPlotMode == cpmColorSurfNoIpTransp) {
        const int k = CellMapIndex(*this, z);
        if (k == 0 && FPlotMode == cpmColorSurfNoIpTransp) continue;
        int x1, y1, x2, y2;
        R2M(1, px - dx / 2, py - dy / 2, x1, y1);
        R2M(1, px + dx / 2, py + dy / 2, x2, y2);
        rows.Fill(x1, y1, x2, y2, std::max(k, 1));
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
    CalculatePivotPoints(false);
    RenderFromPivotPoints(Bmp, OffsX, OffsY);
    RenderOnTop(cv, OffsX, OffsY, Flag);
  }
  if (cached) FInvalidDataBmp = false;
  FinishDataArea(cv, OffsX, OffsY);
}

void TContourPlot::ConstructDataBmpCanvas(TCanvas& Canvas, int OffsX, int OffsY, bool Flag, int) {
  // Vector pictures get the values as one raster image; items, labels and frame stay figures.
  BeforeRenderData(Canvas, OffsX, OffsY);
  CalculatePivotPoints(false);
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

void TContourPlot::Paint() {
  if ((!Visible() && !IsDesigning()) || IsLoading() || FSuppressPaint || FInPaint) return;
  // Message processing during the estimation may ask for a paint; this one covers it.
  struct TPaintGuard {
    bool& f;
    ~TPaintGuard() { f = false; }
  } guard{FInPaint};
  FInPaint = true;
  ConstructChartBmp(FChartBmp->Canvas());
  const int w = DataAreaWidth(), h = DataAreaHeight();
  if (FGrafBmp->Width() != w || FGrafBmp->Height() != h) FInvalidDataBmp = true;
  if (FInvalidDataBmp) {
    FGrafBmp->SetSize(w, h);
    InitGraf(FGrafBmp->Canvas(), 0, 0, w, h);
  }
  ConstructDataBmp(*FGrafBmp, 0, 0, false, 0);
  if (w > 0 && h > 0) {
    FChartBmp->Canvas().SetCopyMode(SRCCOPY);
    FChartBmp->Canvas().Draw(RcLRim, RcTRim, *FGrafBmp);
  }
  DrawFinish(0, 0, *FChartBmp, Canvas());
}

}  // namespace zyr
