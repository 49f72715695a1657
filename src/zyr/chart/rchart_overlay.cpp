// SPDX-License-Identifier: MIT
// Cross-hair overlay and the free-hand mouse trace of the chart.
//
// Cross-hairs live only in the cached chart picture (ChartBmp), drawn over a copy of the data
// area (GrafBmp); moving one copies the data area back and draws them again, so the items are
// never rebuilt for it. The trace is part of the data area: Paint draws it into GrafBmp, and
// each new segment drawn by the mouse goes into GrafBmp as well as onto the window, so an
// overlay redraw keeps the strokes drawn since the last paint.

#include <zyr/chart/rchart.h>

#include <algorithm>
#include <utility>

namespace zyr {

namespace {

constexpr int kPixelLimit = 30000;

int ClampPix(int v) { return std::clamp(v, -kPixelLimit, kPixelLimit); }

// Pen and brush of a canvas, put back when the overlay is done with it.
class TSavedTools {
 public:
  explicit TSavedTools(TCanvas& cv)
      : FCanvas(cv),
        FPenColor(cv.Pen().Color()),
        FPenWidth(cv.Pen().Width()),
        FPenStyle(cv.Pen().Style()),
        FPenMode(cv.Pen().Mode()),
        FBrushStyle(cv.Brush().Style()),
        FBrushColor(cv.Brush().Color()) {}
  ~TSavedTools() {
    FCanvas.Pen().SetColor(FPenColor);
    FCanvas.Pen().SetWidth(FPenWidth);
    FCanvas.Pen().SetStyle(FPenStyle);
    FCanvas.Pen().SetMode(FPenMode);
    FCanvas.Brush().SetStyle(FBrushStyle);
    FCanvas.Brush().SetColor(FBrushColor);
  }
  TSavedTools(const TSavedTools&) = delete;
  TSavedTools& operator=(const TSavedTools&) = delete;

 private:
  TCanvas& FCanvas;
  TColor FPenColor;
  int FPenWidth;
  TPenStyle FPenStyle;
  TPenMode FPenMode;
  TBrushStyle FBrushStyle;
  TColor FBrushColor;
};

}  // namespace

// ------------------------------------------------------------------ cross-hairs

void TCustomRChart::DrawCrossHairs(int X0, int Y0, TBitmap& Bitmap) {
  if (Bitmap.Width() <= 0 || Bitmap.Height() <= 0) return;
  DrawCrossHairsCanvas(Bitmap.Canvas(), X0, Y0);
}

void TCustomRChart::DrawCrossHairsOn(TCanvas& Canvas, int X, int Y) {
  DrawCrossHairsCanvas(Canvas, X, Y);
}

void TCustomRChart::DrawCrossHairsCanvas(TCanvas& Canvas, int X0, int Y0) {
  if (std::all_of(FCrossHairs.begin(), FCrossHairs.end(),
                  [](const auto& ch) { return ch->Mode() == 0; }))
    return;
  const int W = Width(), H = Height(), s = F3DRim;
  const int left = RcLRim, top = RcTRim, right = W - RcRRim - s, bottom = H - RcBRim - s;
  if (right < left || bottom < top) return;
  TSavedTools saved(Canvas);
  TAliased aliased(Canvas);
  // Arms of the small cross may reach past the data area; keeping them inside means that
  // copying the data area back removes every trace of an old position.
  Canvas.SetClipRect(Rect(left - X0, top - Y0, right + 1 - X0, bottom + 1 - Y0));
  Canvas.Pen().SetMode(pmCopy);
  for (int n = 4; n >= 1; --n) {
    const TCrossHair& ch = *FCrossHairs[size_t(n - 1)];
    const TCrossHMode mode = ch.Mode();
    if (mode == 0) continue;
    int x = 0, y = 0;
    R2M(ch.Layer(), ch.PosX(), ch.PosY(), x, y);
    x = ClampPix(x);
    y = ClampPix(y);
    const int w = ch.LineWidth(), c = w / 2;
    Canvas.Pen().SetColor(ch.Color());
    Canvas.Pen().SetWidth(w);
    Canvas.Pen().SetStyle(ch.LineType());
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(RcChartCol);
    const bool yInside = top + c < y && y < bottom - c;
    const bool xInside = left + c < x && x < right - c;
    if ((mode == 1 || mode == 3) && yInside) {
      Canvas.MoveTo(left + c + 1 - X0, y - Y0);
      Canvas.LineTo(right - c - X0, y - Y0);
    }
    if ((mode == 2 || mode == 3) && xInside) {
      Canvas.MoveTo(x - X0, top + c + 1 - Y0);
      Canvas.LineTo(x - X0, bottom - c - Y0);
    }
    if (!(xInside && yInside)) continue;
    const int px = x - X0, py = y - Y0;
    if (mode == 4) {
      Canvas.MoveTo(px - 13, py);
      Canvas.LineTo(px + 14, py);
      Canvas.MoveTo(px, py - 13);
      Canvas.LineTo(px, py + 14);
      Canvas.Brush().SetStyle(bsClear);
      Canvas.Pen().SetStyle(psSolid);
      Canvas.Pen().SetColor(clWhite);
      Canvas.Rectangle(px - 3, py - 3, px + 4, py + 4);
      Canvas.Pen().SetColor(clBlack);
      Canvas.Rectangle(px - 2, py - 2, px + 3, py + 3);
    } else if (mode == 5) {
      Canvas.Brush().SetStyle(bsClear);
      Canvas.Rectangle(px - 4, py - 4, px + 5, py + 5);
    }
  }
  Canvas.ResetClip();
}

void TCustomRChart::RedrawCrossHairs() {
  if ((!Visible() && !IsDesigning()) || IsLoading() || FSuppressPaint || FInPaint) return;
  const int w = DataAreaWidth(), h = DataAreaHeight();
  // Without a current cached picture (never painted, or resized since) there is nothing to
  // draw over: build it.
  if (FChartBmp->Width() != Width() || FChartBmp->Height() != Height() || FGrafBmp->Width() != w ||
      FGrafBmp->Height() != h) {
    Paint();
    return;
  }
  if (w > 0 && h > 0) {
    FChartBmp->Canvas().SetCopyMode(SRCCOPY);
    FChartBmp->Canvas().Draw(RcLRim, RcTRim, *FGrafBmp);
  }
  DrawFinish(0, 0, *FChartBmp, Canvas());
}

void TCustomRChart::CrossHairChanged(int n) {
  if (n < 1 || n > 4 || FCHQuiet) return;
  const TCrossHMode mode = FCrossHairs[size_t(n - 1)]->Mode();
  const TCrossHMode was = std::exchange(FCHLastMode[size_t(n - 1)], mode);
  if (mode == 0 && was == 0) return;  // off before and after: nothing on the picture changes
  if (FAutoRedraw || IsDesigning()) RedrawCrossHairs();
}

void TCustomRChart::CrossHairSetPos(int n, double x, double y) {
  if (n < 1 || n > 4) return;
  TCrossHair& ch = *FCrossHairs[size_t(n - 1)];
  {
    const bool old = std::exchange(FCHQuiet, true);
    ch.SetPos(x, y);
    FCHQuiet = old;
  }
  if (ch.Mode() != 0) RedrawCrossHairs();
}

void TCustomRChart::CrossHairSetup(int n, TColor Color, TCrossHMode Mode, TPenStyle LineType,
                                   int LineWidth) {
  if (n < 1 || n > 4) return;
  TCrossHair& ch = *FCrossHairs[size_t(n - 1)];
  {
    const bool old = std::exchange(FCHQuiet, true);
    ch.SetCrossHColor(Color);
    ch.SetCrossHMode(Mode);
    ch.SetCrossHLineType(LineType);
    ch.SetCrossHLineWidth(LineWidth);
    FCHQuiet = old;
  }
  FCHLastMode[size_t(n - 1)] = ch.Mode();
  RedrawCrossHairs();
}

double TCustomRChart::GetCHPosX(int n) const {
  return n >= 1 && n <= 4 ? FCrossHairs[size_t(n - 1)]->PosX() : 0;
}

double TCustomRChart::GetCHPosY(int n) const {
  return n >= 1 && n <= 4 ? FCrossHairs[size_t(n - 1)]->PosY() : 0;
}

void TCustomRChart::SetCHPosX(int n, double v) { CrossHairSetPos(n, v, GetCHPosY(n)); }

void TCustomRChart::SetCHPosY(int n, double v) { CrossHairSetPos(n, GetCHPosX(n), v); }

// ------------------------------------------------------------------ mouse trace

TColoredPoint TCustomRChart::GetMTracePoint(int i) const {
  if (i >= 1 && i <= FNumMTrace) return FMTrace[size_t(i - 1)];
  TColoredPoint none;
  none.flags = 0xFFFF;
  return none;
}

void TCustomRChart::MouseTraceStep(int X, int Y) {
  if (FNumMTrace >= kMaxMouseTrace) return;
  if (FMTrace.size() < size_t(kMaxMouseTrace)) FMTrace.resize(size_t(kMaxMouseTrace));
  TColoredPoint p;
  M2R(FActiveLayer, X, Y, p.x, p.y);
  p.color = FColorMTrace;
  p.flags = FMTraceInvert ? 2 : 0;
  FMTrace[size_t(FNumMTrace++)] = p;
  if (FNumMTrace < 2) return;
  const TColoredPoint& prev = FMTrace[size_t(FNumMTrace - 2)];
  if (prev.flags & 1) return;
  int x0 = 0, y0 = 0;
  R2M(FActiveLayer, prev.x, prev.y, x0, y0);
  x0 = ClampPix(x0);
  y0 = ClampPix(y0);
  auto segment = [&](TCanvas& cv, int dx, int dy) {
    TSavedTools saved(cv);
    cv.Pen().SetColor(p.color);
    cv.Pen().SetWidth(1);
    cv.Pen().SetStyle(psSolid);
    cv.Pen().SetMode(FMTraceInvert ? pmXor : pmCopy);
    cv.MoveTo(x0 + dx, y0 + dy);
    cv.LineTo(X + dx, Y + dy);
    cv.Pen().SetMode(pmCopy);
  };
  if (FGrafBmp->Width() > 0 && FGrafBmp->Height() > 0)
    segment(FGrafBmp->Canvas(), -RcLRim, -RcTRim);
  segment(Canvas(), 0, 0);
}

void TCustomRChart::MouseTraceEndStroke() {
  if (FNumMTrace > 0) FMTrace[size_t(FNumMTrace - 1)].flags |= 1;
}

void TCustomRChart::ClearMouseTrace() {
  FNumMTrace = 0;
  Paint();
}

void TCustomRChart::DrawMouseTrace(int X0, int Y0, TBitmap& Bitmap) {
  if (Bitmap.Width() <= 0 || Bitmap.Height() <= 0) return;
  DrawMouseTraceCanvas(Bitmap.Canvas(), X0, Y0);
}

void TCustomRChart::DrawMouseTraceOn(TCanvas& Canvas) { DrawMouseTraceCanvas(Canvas, 0, 0); }

void TCustomRChart::DrawMouseTraceCanvas(TCanvas& Canvas, int X0, int Y0) {
  if (FNumMTrace < 2) return;
  TSavedTools saved(Canvas);
  TAliased aliased(Canvas);
  Canvas.Pen().SetWidth(1);
  Canvas.Pen().SetStyle(psSolid);
  const int dx = X0 - RcLRim, dy = Y0 - RcTRim;
  int x0 = 0, y0 = 0;
  R2M(FActiveLayer, FMTrace[0].x, FMTrace[0].y, x0, y0);
  for (int i = 1; i < FNumMTrace; ++i) {
    const TColoredPoint& prev = FMTrace[size_t(i - 1)];
    const TColoredPoint& p = FMTrace[size_t(i)];
    int x1 = 0, y1 = 0;
    R2M(FActiveLayer, p.x, p.y, x1, y1);
    if (!(prev.flags & 1)) {
      Canvas.Pen().SetColor(p.color);
      Canvas.Pen().SetMode((p.flags & 2) ? pmXor : pmCopy);
      Canvas.MoveTo(ClampPix(x0) + dx, ClampPix(y0) + dy);
      Canvas.LineTo(ClampPix(x1) + dx, ClampPix(y1) + dy);
    }
    x0 = x1;
    y0 = y1;
  }
}

// ------------------------------------------------------------------ focus frame

// Every other pixel of a rectangle one pixel inside the control's edge, inverted against the
// cached chart picture; off, the cached pixels come back. Both are exact and idempotent,
// whatever was drawn before. Sides that would touch the data area are left out, so that
// copies of the data area onto the window never meet the frame.
void TCustomRChart::ShowFocusFrame(bool On) {
  const int W = Width(), H = Height();
  if (W < 6 || H < 6 || FChartBmp->Width() != W || FChartBmp->Height() != H) return;
  QImage* cached = FChartBmp->Canvas().Image();
  if (!cached || cached->width() != W || cached->height() != H) return;
  qsizetype stride = 0;
  TRect box;
  uint32_t* win = Canvas().DirectPixels(stride, box);
  if (!win) return;
  const int s = F3DRim;
  const bool top = RcTRim > 1, left = RcLRim > 1, bottom = RcBRim + s > 2, right = RcRRim + s > 2;
  auto put = [&](int x, int y) {
    if ((x + y) % 2 != 0 || x < box.Left || x >= box.Right || y < box.Top || y >= box.Bottom)
      return;
    const uint32_t c = cached->pixel(x, y) | 0xFF000000u;
    win[qsizetype(y) * stride + x] = On ? (c ^ 0x00FFFFFFu) : c;
  };
  for (int x = 1; x <= W - 2; ++x) {
    if (top) put(x, 1);
    if (bottom) put(x, H - 2);
  }
  for (int y = 2; y <= H - 3; ++y) {
    if (left) put(1, y);
    if (right) put(W - 2, y);
  }
}

}  // namespace zyr
