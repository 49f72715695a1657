// SPDX-License-Identifier: MIT
// The painting frame of TCustomRChart: the cached chart and data-area pictures, the area
// outside the data area (shadow rim, caption, scales), the data-area background and grid,
// and the setters of the frame's colours, caption and grid.

#include <zyr/chart/rchart.h>
#include <zyr/platform/host/destroywatch.h>
#include <zyr/platform/foundation/errors.h>
#include <zyr/platform/foundation/frames.h>
#include <zyr/platform/host/cursors.h>

#include <QString>
#include <algorithm>
#include <cmath>

namespace zyr {

namespace {

constexpr int kMaxGridLines = 1000;
constexpr int kPixelLimit = 30000;

int RoundEven(double v) { return int(std::nearbyint(v)); }
int ClampPix(int v) { return std::clamp(v, -kPixelLimit, kPixelLimit); }

// Decade exponent of a positive value; log10 values within 1e-14 of an integer count as it.
double DecadeOf(double v) {
  const double l = std::log10(v);
  const double n = std::nearbyint(l);
  return std::abs(l - n) < 1e-14 ? n : std::floor(l);
}

// Grid values of one axis: every value below the high end of the range, at most
// kMaxGridLines of them.
std::vector<double> GridValues(double d, bool log, double lo, double hi, const TScale& scale) {
  std::vector<double> out;
  if (!std::isfinite(lo) || !std::isfinite(hi)) return out;
  if (lo > hi) std::swap(lo, hi);
  auto take = [&](double v) {
    if (!(v < hi)) return false;
    out.push_back(v);
    return int(out.size()) < kMaxGridLines;
  };
  if (d == 0) {
    const int n = scale.NumTicks();
    if (n < 1) {
      take(lo);
      return out;
    }
    for (int i = 1; i <= n; ++i)
      if (!take(scale.GetTickPos(i))) break;
    return out;
  }
  if (d > 0 || !log) {
    const double step = std::abs(d);
    double v = std::ceil(lo / d) * d;
    while (take(v)) {
      const double next = v + step;
      if (!(next > v)) break;  // the step vanishes against the value
      v = next;
    }
    return out;
  }
  if (!(lo > 0)) return out;
  const double m = std::log10(lo);
  const double dec = std::floor(m);
  const double k = std::nearbyint(std::pow(10.0, m - dec));
  double v;
  if (d == -1)
    v = std::pow(10.0, std::ceil(m));
  else if (d == -2)
    v = std::pow(10.0, dec) * (k <= 2 ? 2 : k <= 5 ? 5 : 10);
  else if (d == -3)
    v = std::pow(10.0, dec) * k;
  else
    v = lo;
  while (std::isfinite(v) && v > 0 && take(v)) {
    const double e = std::pow(10.0, DecadeOf(v));
    if (d == -1) {
      v *= 10;
    } else if (d == -2) {
      const double mant = std::nearbyint(v / e);
      v = e * (mant < 2 ? 2 : mant < 5 ? 5 : 10);
    } else {
      v += e;
    }
  }
  return out;
}

// The chart's routing of its scales' tick events; a kept frame stands in for painting only
// while the scales report to these and the chart's own handlers are empty.
struct TTickDrawnToChart {
  TCustomRChart* Chart;
  void operator()(TObject*, TCanvas& cv, TScaleType t, double v, int x, int y) const {
    if (Chart->OnScaleTickDrawn) Chart->OnScaleTickDrawn(Chart, cv, t, v, x, y);
  }
};
struct TTickLabelToChart {
  TCustomRChart* Chart;
  void operator()(TObject*, TScaleType t, double v, std::string& label) const {
    if (Chart->OnBeforeTickLabel) Chart->OnBeforeTickLabel(Chart, t, v, label);
  }
};

}  // namespace

// ------------------------------------------------------------------ construction and reset

void TCustomRChart::CreateRendering() {
  FChartBmp = std::make_unique<TBitmap>();
  FChartBmp->SetPixelFormat(pf32bit);
  FAuxBmp = std::make_unique<TBitmap>(10, 10);
  FBakGndFile = std::make_unique<TBakGndImg>();
  for (auto& ch : FCrossHairs) ch = std::make_unique<TCrossHair>();
  for (size_t i = 0; i < 2; ++i) {
    for (TScale* s : {FScalesX[i].get(), FScalesY[i].get()}) {
      s->SetSuppressPaint(true);
      s->OnScaleTickDrawn = TTickDrawnToChart{this};
      s->OnBeforeTickLabel = TTickLabelToChart{this};
    }
  }
  ScalesDrawOn(FChartBmp->Canvas());
}

void TCustomRChart::ResetRendering() {
  RcWindCol = clBtnFace;
  RcChartCol = clWhite;
  FChartFrameCol = clBlack;
  RcGridCol = clBlack;
  FShadowColor = clGrayText;
  RcShadowBakCol = clBtnFace;
  RcShadowStyle = 0;
  RcGridStyle = gsNone;
  RcGridDx = RcGridDy = 0;
  FChartCaption.clear();
  FCaptTrim = 100;
  FStyleElements = 0;
  FBakGndFile->ResetComp();
  FBakGndFile->OnChange = [this](TObject* o) { StyleChanged(o); };
  for (size_t i = 0; i < FCrossHairs.size(); ++i) {
    TCrossHair& ch = *FCrossHairs[i];
    ch.OnChange = nullptr;  // one repaint at the end of the reset, not one per value
    ch.SetPos(0, 0);
    ch.SetCrossHLayer(int(i) + 1);
    ch.SetCrossHColor(0x0000FF);
    ch.SetCrossHMode(0);
    ch.SetCrossHLineType(psDashDotDot);
    ch.SetCrossHLineWidth(1);
    ch.OnChange = [this, i](TObject*) { CrossHairChanged(int(i) + 1); };
  }
  Screen::RegisterZyrCursors();
  FAuxBmp->SetSize(10, 10);
  for (size_t i = 0; i < 2; ++i)
    for (TScale* s : {FScalesX[i].get(), FScalesY[i].get()}) s->SetColorBackGnd(RcWindCol);
}

void TCustomRChart::ScalesDrawOn(TCanvas& Canvas) {
  for (size_t i = 0; i < 2; ++i) {
    FScalesX[i]->UseForeignCanvas(&Canvas, 0, 0);
    FScalesY[i]->UseForeignCanvas(&Canvas, 0, 0);
  }
}

TColor TCustomRChart::StyledColor(TColor Own, TStyleColor StyleCol, TStyleElement Element) const {
  if (StyleServices().Enabled() && (FStyleElements & Element))
    return StyleServices().GetStyleColor(StyleCol);
  return Own;
}

// ------------------------------------------------------------------ paint cycle

void TCustomRChart::Paint() { PaintCycle(true); }

void TCustomRChart::PaintCycle(bool MouseTrace) {
  if ((!Visible() && !IsDesigning()) || IsLoading() || FSuppressPaint || FInPaint) return;
  // A repaint asked for while painting (a change handler, an event) is covered by this one.
  // The events on the way may delete the chart: after each, nothing of it is touched any more.
  const TDestroyWatch watch(this);
  FInPaint = true;
  try {
    FFrameUnderData = true;
    ConstructChartBmp(FChartBmp->Canvas());
    if (watch.Destroyed()) return;
    FFrameUnderData = false;
    const int w = DataAreaWidth(), h = DataAreaHeight();
    PrepareDataBmp(w, h);
    if (watch.Destroyed()) return;
    ConstructDataBmp(*FGrafBmp, 0, 0, false, 0);
    if (watch.Destroyed()) return;
    if (MouseTrace) DrawMouseTraceOn(FGrafBmp->Canvas());
    if (w > 0 && h > 0) {
      FChartBmp->Canvas().SetCopyMode(SRCCOPY);
      FChartBmp->Canvas().Draw(RcLRim, RcTRim, *FGrafBmp);
    }
    DrawFinish(0, 0, *FChartBmp, Canvas());
  } catch (const EZYRRChartError&) {
    // An axis without a transform (a logarithmic range through zero) leaves the chart empty
    // until its range is mended; painting itself never fails on it.
    if (watch.Destroyed()) return;
    FFrameUnderData = false;
    FChartBmp->SetSize(Width(), Height());
    DrawEmptyChart(FChartBmp->Canvas());
    FGrafBmp->SetSize(DataAreaWidth(), DataAreaHeight());
    FGrafBmp->Canvas().SetCopyMode(SRCCOPY);
    FGrafBmp->Canvas().CopyRect(
        Rect(0, 0, FGrafBmp->Width(), FGrafBmp->Height()), FChartBmp->Canvas(),
        Rect(RcLRim, RcTRim, RcLRim + FGrafBmp->Width(), RcTRim + FGrafBmp->Height()));
    Canvas().SetCopyMode(SRCCOPY);
    Canvas().Draw(0, 0, *FChartBmp);
  } catch (...) {
    if (!watch.Destroyed()) FInPaint = FFrameUnderData = false;
    throw;
  }
  if (!watch.Destroyed()) FInPaint = false;
}

void TCustomRChart::DrawEmptyChart(TCanvas& Canvas) {
  const int W = Width(), H = Height();
  Canvas.Pen().SetStyle(psSolid);
  Canvas.Pen().SetMode(pmCopy);
  Canvas.Pen().SetWidth(1);
  Canvas.Brush().SetStyle(bsSolid);
  const TColor wind = StyledColor(RcWindCol, scWindow, seClient);
  Canvas.Brush().SetColor(wind);
  Canvas.Pen().SetColor(wind);
  Canvas.Rectangle(0, 0, W, H);
  const int w = DataAreaWidth(), h = DataAreaHeight();
  if (w <= 0 || h <= 0) return;
  Canvas.Brush().SetColor(StyledColor(RcChartCol, scGrid, seClient));
  Canvas.Pen().SetColor(StyledColor(FChartFrameCol, scBorder, seBorder));
  Canvas.Rectangle(RcLRim, RcTRim, RcLRim + w, RcTRim + h);
}

void TCustomRChart::PrepareDataBmp(int Width, int Height) {
  FGrafBmp->SetSize(Width, Height);
  InitGraf(FGrafBmp->Canvas(), 0, 0, Width, Height);
}

void TCustomRChart::StyleChanged(TObject*) { RepaintIfAuto(); }

void TCustomRChart::ShowGraf() {
  const TDestroyWatch watch(this);  // the drawing events may delete the chart
  if (Visible() || IsDesigning()) {
    FLastElemOnShow = FNumChartItems - 1;
    AdjustCanInfoOfSharedCharts();
    if (!FAutoRedraw) {
      Paint();
    } else if (!FSuppressPaint && !IsLoading() && !FInPaint) {
      const int w = DataAreaWidth(), h = DataAreaHeight();
      FGrafBmp->SetSize(w, h);
      InitGraf(FGrafBmp->Canvas(), 0, 0, w, h);
      ConstructDataBmp(*FGrafBmp, 0, 0, false, 0);
      if (watch.Destroyed()) return;
      DrawMouseTraceOn(FGrafBmp->Canvas());
      ShowDataArea();
    }
    if (watch.Destroyed()) return;
  }
  // Charts that show the same data repaint, visible or not.
  if (FUseDataOf) {
    TCustomRChart* owner = FUseDataOf;
    owner->StyleChanged(this);
    for (int i = 1; i <= owner->DataUsersNum(); ++i)
      if (TCustomRChart* u = owner->DataUsers(i)) u->StyleChanged(this);
  }
  for (int i = 1; i <= DataUsersNum(); ++i)
    if (TCustomRChart* u = DataUsers(i)) u->StyleChanged(this);
}

void TCustomRChart::ShowGrafNewOnly() {
  if (!Visible() && !IsDesigning()) return;
  if (!FSuppressPaint && !IsLoading() && !FInPaint && FGrafBmp->Width() > 0 &&
      FGrafBmp->Height() > 0) {
    const TDestroyWatch watch(this);
    ConstructDataBmp(*FGrafBmp, 0, 0, false, FLastElemOnShow);
    if (watch.Destroyed()) return;
    ShowDataArea();
  }
  FLastElemOnShow = FNumChartItems - 1;
  AdjustCanInfoOfSharedCharts();
}

void TCustomRChart::ShowDataArea() {
  if (FGrafBmp->Width() <= 0 || FGrafBmp->Height() <= 0) return;
  // The cross-hairs go over a copy: the data-area picture must never hold them, or moving one
  // later would bring back its old position from it.
  if (FChartBmp->Width() == Width() && FChartBmp->Height() == Height()) {
    FChartBmp->Canvas().SetCopyMode(SRCCOPY);
    FChartBmp->Canvas().Draw(RcLRim, RcTRim, *FGrafBmp);
    DrawFinish(0, 0, *FChartBmp, Canvas());
    return;
  }
  TBitmap shown;
  shown.SetImage(FGrafBmp->Image());
  DrawFinish(RcLRim, RcTRim, shown, Canvas());
}

void TCustomRChart::DrawFinish(int X, int Y, TBitmap& Bitmap, TCanvas& Canvas) {
  DrawLegendOn(Bitmap.Canvas(), X, Y, false);
  DrawCrossHairsOn(Bitmap.Canvas(), X, Y);
  if (Bitmap.Width() <= 0 || Bitmap.Height() <= 0) return;
  Canvas.SetCopyMode(SRCCOPY);
  Canvas.Draw(X, Y, Bitmap);
  // The copy wipes the rubber figure of a drag in progress from the window: put it back, so
  // that the window always shows the current figure exactly once.
  if (&Canvas == &TCustomControl::Canvas()) XorRubberFigures();
}

void TCustomRChart::RenderChartOn(TCanvas& Canvas, bool CrossHairs) {
  // A handler of the drawing may delete the chart: then nothing of it is touched any more.
  struct TScalesBack {
    TCustomRChart& c;
    TDestroyWatch watch{&c};
    ~TScalesBack() {
      if (!watch.Destroyed()) c.ScalesDrawOn(c.FChartBmp->Canvas());
    }
  } back{*this};
  ScalesDrawOn(Canvas);
  try {
    ConstructChartBmp(Canvas);
  } catch (const EZYRRChartError&) {
    if (!back.watch.Destroyed()) DrawEmptyChart(Canvas);  // as the window shows it
    return;
  }
  if (back.watch.Destroyed()) return;
  const int w = DataAreaWidth(), h = DataAreaHeight();
  if (w > 0 && h > 0) {
    if (Canvas.IsRaster()) {
      TBitmap da(w, h);
      da.SetPixelFormat(pf32bit);
      InitGraf(da.Canvas(), 0, 0, w, h);
      ConstructDataBmp(da, 0, 0, false, 0);
      if (back.watch.Destroyed()) return;
      DrawMouseTraceOn(da.Canvas());
      Canvas.SetCopyMode(SRCCOPY);
      Canvas.Draw(RcLRim, RcTRim, da);
    } else {
      // Vector pictures keep the items as figures; the clip stands in for the bitmap's edge.
      Canvas.SetClipRect(Rect(RcLRim, RcTRim, RcLRim + w, RcTRim + h));
      InitGraf(Canvas, RcLRim, RcTRim, w, h);
      ConstructDataBmpCanvas(Canvas, RcLRim, RcTRim, false, 0);
      Canvas.ResetClip();
      if (back.watch.Destroyed()) return;
    }
  }
  DrawLegendOn(Canvas, 0, 0, false);
  if (CrossHairs) DrawCrossHairsOn(Canvas, 0, 0);
}

// ------------------------------------------------------------------ outside the data area

void TCustomRChart::ConstructChartBmp(TCanvas& Canvas) {
  FitLegendMargins();
  const int W = Width(), H = Height(), s = F3DRim;
  Canvas.SetAntialiased(Antialiased());
  TPaintKey key;
  TRect skip{};
  if (&Canvas == &FChartBmp->Canvas()) {
    FChartBmp->SetSize(W, H);
    // The scales take their settings first, so that the key sees what they will draw.
    AdjustScaling();
    for (size_t i = 0; i < 2; ++i) {
      SetScaleProps(*FScalesX[i], *FScalePropsX[i]);
      SetScaleProps(*FScalesY[i], *FScalePropsY[i]);
    }
    key = FrameKey();
    const int w = DataAreaWidth(), h = DataAreaHeight();
    if (FFrameUnderData && w > 0 && h > 0) skip = Rect(RcLRim, RcTRim, RcLRim + w, RcTRim + h);
    if (!key.Empty() && FFrameCache.Restore(key, *FChartBmp, skip)) {
      DrawLegendOn(Canvas, 0, 0, true);
      if (OnScalesRendered) OnScalesRendered(this, Canvas, 0, 0);
      return;
    }
  }
  Canvas.Pen().SetStyle(psSolid);
  Canvas.Pen().SetMode(pmCopy);
  Canvas.Pen().SetWidth(1);
  Canvas.Brush().SetStyle(bsSolid);
  const TColor wind = StyledColor(RcWindCol, scWindow, seClient);
  Canvas.Brush().SetColor(wind);
  Canvas.Pen().SetColor(wind);
  Canvas.Rectangle(0, 0, W, H);

  if (s > 0) {
    const TColor bak = StyledColor(RcShadowBakCol, scWindow, seClient);
    Canvas.Brush().SetColor(bak);
    Canvas.Pen().SetColor(bak);
    Canvas.Rectangle(W - s, 0, W, s);
    Canvas.Rectangle(0, H - s, s, H);
    const bool styled = StyleServices().Enabled() && (FStyleElements & seClient);
    Canvas.Brush().SetColor(styled ? StyleServices().GetSystemColor(clBtnShadow) : FShadowColor);
    int o = 0;
    if (RcShadowStyle == 0) {
      Canvas.Pen().SetColor(StyledColor(FShadowColor, scBorder, seClient));
      o = s - 1;
    } else if (RcShadowStyle == 1) {
      Canvas.Pen().SetColor(StyledColor(clBlack, scBorder, seClient));
    }
    const TPoint bottom[4] = {{o, H - s}, {s - 1, H - 1}, {W - 1, H - 1}, {W - s, H - s}};
    const TPoint right[4] = {{W - s, H - s}, {W - 1, H - 1}, {W - 1, s - 1}, {W - s, o}};
    Canvas.Polygon(bottom, 4);
    Canvas.Polygon(right, 4);
    Canvas.Pen().SetColor(StyledColor(clBlack, scBorder, seClient));
    Canvas.Pen().SetStyle(psSolid);
    Canvas.MoveTo(0, 0);
    Canvas.LineTo(W - s, 0);
    Canvas.LineTo(W - s, H - s);
    Canvas.LineTo(0, H - s);
    Canvas.LineTo(0, 0);
  }

  Canvas.Pen().SetColor(FChartFrameCol);
  Canvas.Brush().SetStyle(bsClear);
  Canvas.Font().Assign(&Font());
  if (Canvas.IsPrinterCanvas()) SetCanvasFontSizeScaled(Canvas, Font().Size());
  Canvas.Font().SetColor(StyledTextColor(Canvas.Font().Color()));

  if (!FChartCaption.empty()) {
    std::string cap = FChartCaption;
    int w = Canvas.TextWidth(cap);
    if (FCaptTrim != 0 && w > 0) {
      const int avail = W - s - RcLRim - RcRRim;
      const int limit = RoundEven(avail * 0.01 * FCaptTrim);
      if (limit < w) {
        // Cut by characters, not bytes, so the text stays valid UTF-8.
        const QString q = QString::fromStdString(cap);
        const int n = RoundEven(double(q.size()) * limit / w);
        cap = q.left(std::max(0, n - 2)).toStdString() + "...";
        w = Canvas.TextWidth(cap);
      }
    }
    int x = 0, y = 0;
    switch (FCaptAnchorX) {
      case cahControlLeft: x = FCaptPosX; break;
      case cahChartLeft: x = RcLRim + FCaptPosX; break;
      case cahChartCenter: x = RcLRim + FCaptPosX + (W - RcLRim - RcRRim - s) / 2; break;
      case cahChartRight: x = W - RcRRim - s + FCaptPosX; break;
      default: x = W + FCaptPosX; break;
    }
    switch (FCaptAnchorY) {
      case cavControlTop: y = FCaptPosY; break;
      case cavChartTop: y = RcTRim + FCaptPosY; break;
      case cavChartCenter: y = RcTRim + FCaptPosY + (H - RcTRim - RcBRim - s) / 2; break;
      case cavChartBottom: y = H - RcBRim - s + FCaptPosY; break;
      default: y = H + FCaptPosY; break;
    }
    if (FCaptAlignment == taRightJustify)
      x -= w;
    else if (FCaptAlignment == taCenter)
      x -= w / 2;
    Canvas.TextOut(x, y, cap);
  }

  AdjustScaling();
  // The scales' tick events may delete the chart.
  const TDestroyWatch watch(this);
  for (size_t i = 0; i < 2; ++i) {
    SetScaleProps(*FScalesX[i], *FScalePropsX[i]);
    FScalesX[i]->ForcePaint();
    if (watch.Destroyed()) return;
  }
  for (size_t i = 0; i < 2; ++i) {
    SetScaleProps(*FScalesY[i], *FScalePropsY[i]);
    FScalesY[i]->ForcePaint();
    if (watch.Destroyed()) return;
  }
  if (!key.Empty()) FFrameCache.Offer(key, *FChartBmp, skip);
  DrawLegendOn(Canvas, 0, 0, true);
  if (OnScalesRendered) OnScalesRendered(this, Canvas, 0, 0);
}

// ------------------------------------------------------------------ the data area

void TCustomRChart::InitGraf(TCanvas& Canvas, int X0, int Y0, int Width, int Height) {
  Canvas.SetAntialiased(Antialiased());
  Canvas.Pen().SetStyle(psSolid);
  Canvas.Pen().SetMode(pmCopy);
  Canvas.Pen().SetWidth(1);
  Canvas.Brush().SetStyle(bsSolid);
  Canvas.Brush().SetColor(StyledColor(RcChartCol, scGrid, seClient));
  Canvas.Pen().SetColor(FChartFrameCol);
  if (!FBakGndFile->Name().empty()) {
    if (DrawBackgroundImage(Canvas, X0, Y0, Width, Height)) return;
    Canvas.FillRect(Rect(X0, Y0, X0 + Width, Y0 + Height));
    FBakGndFile->SetName("");
    return;
  }
  Canvas.Rectangle(X0, Y0, X0 + Width, Y0 + Height);
  DrawBackgroundArea(Canvas, X0, Y0, Width, Height);
}

bool TCustomRChart::DrawBackgroundImage(TCanvas& Canvas, int X0, int Y0, int Width, int Height) {
  TBitmap& img = *FAuxBmp;
  if (!img.LoadFromFile(FBakGndFile->Name()) || img.Width() <= 0 || img.Height() <= 0)
    return false;
  const TRect box = Rect(X0, Y0, X0 + Width, Y0 + Height);
  Canvas.SetCopyMode(SRCCOPY);
  switch (FBakGndFile->FillMode()) {
    case 0:
      Canvas.FillRect(box);
      Canvas.Draw(X0, Y0, img);
      break;
    case 1: Canvas.StretchDraw(box, img); break;
    case 2: {
      // Tiles of at least 64 pixels keep the number of copies small for tiny images.
      const int iw = img.Width(), ih = img.Height();
      const int kx = 63 / iw + 1, ky = 63 / ih + 1;
      TBitmap tile(iw * kx, ih * ky);
      for (int r = 0; r < ky; ++r)
        for (int c = 0; c < kx; ++c) tile.Canvas().Draw(c * iw, r * ih, img);
      for (int y = 0; y < Height; y += tile.Height())
        for (int x = 0; x < Width; x += tile.Width()) Canvas.Draw(X0 + x, Y0 + y, tile);
      break;
    }
    default: Canvas.FillRect(box); break;
  }
  return true;
}

void TCustomRChart::DrawBackgroundArea(TCanvas& Canvas, int X0, int Y0, int Width, int Height) {
  const TBGAreaMode mode = FBakGndFile->AreaMode();
  if (mode == bamNone || mode > bamHStripeInv) return;
  Canvas.Brush().SetStyle(bsSolid);
  Canvas.Brush().SetColor(FBakGndFile->AreaColor());
  Canvas.Pen().SetColor(FBakGndFile->AreaColor());
  int xL = 0, yT = 0, xR = 0, yB = 0;
  R2M(FActiveLayer, FBakGndFile->AreaLeft(), FBakGndFile->AreaTop(), xL, yT);
  R2M(FActiveLayer, FBakGndFile->AreaRight(), FBakGndFile->AreaBottom(), xR, yB);
  xL = X0 + ClampPix(xL) - RcLRim;
  xR = X0 + ClampPix(xR) - RcLRim;
  yT = Y0 + ClampPix(yT) - RcTRim;
  yB = Y0 + ClampPix(yB) - RcTRim;
  const int x1 = X0, y1 = Y0, x2 = X0 + Width, y2 = Y0 + Height;
  switch (mode) {
    case bamLeft: Canvas.Rectangle(x1, y1, xL, y2); break;
    case bamRight: Canvas.Rectangle(xR, y1, x2, y2); break;
    case bamTop: Canvas.Rectangle(x1, y1, x2, yT); break;
    case bamBottom: Canvas.Rectangle(x1, yB, x2, y2); break;
    case bamVStripe: Canvas.Rectangle(xL, y1, xR, y2); break;
    case bamHStripe: Canvas.Rectangle(x1, yT, x2, yB); break;
    case bamRect: Canvas.Rectangle(xL, yT, xR, yB); break;
    case bamRectInv:
      Canvas.Rectangle(x1, y1, x2, yT);
      Canvas.Rectangle(x1, yB, x2, y2);
      Canvas.Rectangle(x1, y1, xL, y2);
      Canvas.Rectangle(xR, y1, x2, y2);
      break;
    case bamVStripeInv:
      Canvas.Rectangle(x1, y1, xL, y2);
      Canvas.Rectangle(xR, y1, x2, y2);
      break;
    case bamHStripeInv:
      Canvas.Rectangle(x1, y1, x2, yT);
      Canvas.Rectangle(x1, yB, x2, y2);
      break;
    default: break;
  }
}

void TCustomRChart::ConstructDataBmp(TBitmap& Bitmap, int X0, int Y0, bool Flag, int StartElem) {
  ConstructDataBmpCanvas(Bitmap.Canvas(), X0, Y0, Flag, StartElem);
}

void TCustomRChart::ConstructDataBmpCanvas(TCanvas& Canvas, int X0, int Y0, bool Flag,
                                           int StartElem) {
  // Every event here may delete the chart; then nothing of it (nor its canvas) is touched.
  const TDestroyWatch watch(this);
  Canvas.SetAntialiased(Antialiased());
  if (OnBeforeRenderData) {
    const TColor brush = Canvas.Brush().Color(), pen = Canvas.Pen().Color();
    OnBeforeRenderData(this, Canvas, RcTRim - Y0, RcLRim - X0);
    if (watch.Destroyed()) return;
    Canvas.Brush().SetColor(brush);
    Canvas.Pen().SetColor(pen);
  }
  if (RcGridStyle != gsNone && StartElem == 0) DrawGrid(Canvas, X0, Y0);

  const TColor start = StyledColor(RcChartCol, scGrid, seClient);
  Canvas.Pen().SetWidth(RcLineWid);
  Canvas.MoveTo(X0, Y0);
  Canvas.Pen().SetColor(start);
  Canvas.Brush().SetColor(start);
  Canvas.Font().SetColor(start);
  Canvas.Pen().SetStyle(psSolid);
  DrawAllItems(Canvas, X0, Y0, Flag);
  if (watch.Destroyed()) return;

  Canvas.Pen().SetWidth(1);
  DrawTextLabels(Canvas, X0, Y0);
  if (OnDataRendered) OnDataRendered(this, Canvas, RcTRim - Y0, RcLRim - X0);
  if (watch.Destroyed()) return;

  const int s = F3DRim;
  const int r = X0 + Width() - RcLRim - RcRRim - s, b = Y0 + Height() - RcTRim - RcBRim - s;
  Canvas.Pen().SetWidth(1);
  Canvas.Pen().SetMode(pmCopy);
  Canvas.Pen().SetColor(StyledColor(FChartFrameCol, scBorder, seBorder));
  Canvas.Pen().SetStyle(psSolid);
  Canvas.MoveTo(X0, Y0);
  Canvas.LineTo(r, Y0);
  Canvas.LineTo(r, b);
  Canvas.LineTo(X0, b);
  Canvas.LineTo(X0, Y0);
}

void TCustomRChart::DrawGrid(TCanvas& Canvas, int X0, int Y0) {
  const int layer = FActiveLayer == 2 ? 2 : 1;
  const TScaleProps& px = ScalePropsX(layer);
  const TScaleProps& py = ScalePropsY(layer);
  double xlo = px.RangeLow(), xhi = px.RangeHigh(), ylo = py.RangeLow(), yhi = py.RangeHigh();
  if (xlo > xhi) std::swap(xlo, xhi);
  if (ylo > yhi) std::swap(ylo, yhi);
  Canvas.Brush().SetColor(StyledColor(RcChartCol, scGrid, seClient));
  Canvas.Pen().SetColor(RcGridCol);
  Canvas.Pen().SetMode(pmCopy);

  const bool vert = RcGridStyle == gsVertLines || RcGridStyle == gsVertDotLines ||
                    RcGridStyle == gsLines || RcGridStyle == gsDotLines;
  const bool horiz = RcGridStyle == gsHorizLines || RcGridStyle == gsHorizDotLines ||
                     RcGridStyle == gsLines || RcGridStyle == gsDotLines;
  const bool dotted = RcGridStyle == gsVertDotLines || RcGridStyle == gsHorizDotLines ||
                      RcGridStyle == gsDotLines;
  const bool points = RcGridStyle == gsPoints;
  if (!vert && !horiz && !points) return;

  const std::vector<double> xs =
      (vert || points) ? GridValues(RcGridDx, px.Logarithmic(), xlo, xhi, ScaleX(layer))
                       : std::vector<double>{};
  const std::vector<double> ys =
      (horiz || points) ? GridValues(RcGridDy, py.Logarithmic(), ylo, yhi, ScaleY(layer))
                        : std::vector<double>{};
  const int dx = X0 - RcLRim, dy = Y0 - RcTRim;
  auto pixel = [&](double x, double y, int& px_, int& py_) {
    R2M(layer, x, y, px_, py_);
    px_ = ClampPix(px_) + dx;
    py_ = ClampPix(py_) + dy;
  };

  // The lines as pairs of end points, drawn by MoveTo and LineTo.
  std::vector<TPoint> lines;
  if (points) {
    int n = 0;
    for (double x : xs)
      for (double y : ys) {
        if (n++ >= kMaxGridLines) break;
        int gx, gy;
        pixel(x, y, gx, gy);
        lines.push_back({gx, gy});
        lines.push_back({gx + 1, gy});
      }
  }
  if (vert)
    for (double x : xs) {
      int gx, gLo, gHi, dummy;
      pixel(x, ylo, gx, gLo);
      pixel(x, yhi, dummy, gHi);
      lines.push_back({gx, gLo});
      lines.push_back({gx, gHi});
    }
  if (horiz)
    for (double y : ys) {
      int gy, gLo, gHi, dummy;
      pixel(xlo, y, gLo, gy);
      pixel(xhi, y, gHi, dummy);
      lines.push_back({gLo, gy});
      lines.push_back({gHi, gy});
    }
  Canvas.Pen().SetStyle(points ? psSolid : dotted ? psDot : psSolid);
  auto draw = [&lines](TCanvas& cv) {
    for (size_t k = 0; k + 1 < lines.size(); k += 2) {
      cv.MoveTo(lines[k].X, lines[k].Y);
      cv.LineTo(lines[k + 1].X, lines[k + 1].Y);
    }
  };
  const TPaintKey key = GridKey(Canvas, lines);
  if (!key.Empty() && FGridCache.Replay(key, Canvas)) {
    if (!lines.empty()) Canvas.MoveTo(lines.back().X, lines.back().Y);  // where LineTo leaves it
  } else {
    draw(Canvas);
    if (!key.Empty()) FGridCache.Offer(key, Canvas.Width(), Canvas.Height(), Canvas.Pen(), draw);
  }
  Canvas.Pen().SetStyle(psSolid);
}

// ------------------------------------------------------------------ kept pieces

TPaintKey TCustomRChart::FrameKey() const {
  // Handlers that watch the scales being drawn must see them drawn.
  if (!FFrameCaching || OnScaleTickDrawn || OnBeforeTickLabel) return {};
  if (StyleServices().Enabled()) return {};
  TPaintKey key;
  for (size_t i = 0; i < 2; ++i)
    for (const TScale* sc : {FScalesX[i].get(), FScalesY[i].get()}) {
      if (sc->PaintObserved() || !sc->OnScaleTickDrawn.target<TTickDrawnToChart>() ||
          !sc->OnBeforeTickLabel.target<TTickLabelToChart>())
        return {};
      sc->AddPaintKey(key);
    }
  // Everything ConstructChartBmp reads before the legend; a new drawing setting of the chart
  // must be added here.
  key.Add(Antialiased()).Add(Width()).Add(Height()).Add(F3DRim).Add(RcLRim).Add(RcRRim).Add(RcTRim).Add(RcBRim);
  key.Add(RcWindCol).Add(RcShadowBakCol).Add(FShadowColor).Add(RcShadowStyle);
  key.Add(FChartFrameCol).Add(FStyleElements).Add(Font()).Add(FChartCaption).Add(FCaptTrim);
  key.Add(FCaptPosX).Add(FCaptPosY).Add(FCaptAlignment).Add(FCaptAnchorX).Add(FCaptAnchorY);
  return key;
}

TPaintKey TCustomRChart::GridKey(TCanvas& Canvas, const std::vector<TPoint>& Lines) const {
  if (!FFrameCaching || !Canvas.IsRaster() || Lines.empty()) return {};
  // The pixels follow from the pen, smoothing, the picture's size and the end points alone; a
  // new way of drawing lines must be added here.
  TPaintKey key;
  key.Add(Canvas.Antialiased()).Add(Canvas.Pen()).Add(Canvas.Width()).Add(Canvas.Height()).Add(Lines.size());
  for (const TPoint& p : Lines) key.Add(p.X).Add(p.Y);
  return key;
}

void TCustomRChart::SetFrameCaching(bool v) {
  FFrameCaching = v;
  if (v) return;
  FFrameCache.Clear();
  FGridCache.Clear();
}

// ------------------------------------------------------------------ setters

void TCustomRChart::SetChartCol(TColor v) {
  if (v == RcChartCol) return;
  RcChartCol = v;
  RepaintIfAuto();
}

void TCustomRChart::SetWindCol(TColor v) {
  if (v == RcWindCol) return;
  RcWindCol = v;
  for (size_t i = 0; i < 2; ++i)
    for (TScale* s : {FScalesX[i].get(), FScalesY[i].get()}) s->SetColorBackGnd(v);
  RepaintIfAuto();
}

void TCustomRChart::SetScaleCol(TColor v) {
  if (v == FChartFrameCol) return;
  FChartFrameCol = v;
  RepaintIfAuto();
}

void TCustomRChart::SetGridCol(TColor v) {
  if (v == RcGridCol) return;
  RcGridCol = v;
  RepaintIfAuto();
}

void TCustomRChart::SetShadowColor(TColor v) {
  if (v == FShadowColor) return;
  FShadowColor = v;
  RepaintIfAuto();
}

void TCustomRChart::SetShadowBakColor(TColor v) {
  if (v == RcShadowBakCol) return;
  RcShadowBakCol = v;
  RepaintIfAuto();
}

void TCustomRChart::SetShadowStyle(TShadowStyle v) {
  if (v == RcShadowStyle) return;
  RcShadowStyle = v;
  RepaintIfAuto();
}

void TCustomRChart::SetGridStyle(GridStyleType v) {
  if (v == RcGridStyle || v > gsDotLines) return;
  RcGridStyle = v;
  RepaintIfAuto();
}

void TCustomRChart::SetGridDx(double v) {
  if (!std::isfinite(v) || v < -3 || v == RcGridDx) return;
  RcGridDx = v;
  RepaintIfAuto();
}

void TCustomRChart::SetGridDy(double v) {
  if (!std::isfinite(v) || v < -3 || v == RcGridDy) return;
  RcGridDy = v;
  RepaintIfAuto();
}

void TCustomRChart::SetChartCaption(const std::string& v) {
  if (v == FChartCaption) return;
  FChartCaption = v;
  RepaintIfAuto();
}

void TCustomRChart::SetCaptPosX(int v) {
  if (v == FCaptPosX) return;
  FCaptPosX = v;
  RepaintIfAuto();
}

void TCustomRChart::SetCaptPosY(int v) {
  if (v == FCaptPosY) return;
  FCaptPosY = v;
  RepaintIfAuto();
}

void TCustomRChart::SetCaptAlignment(TAlignment v) {
  if (v == FCaptAlignment || v > taCenter) return;
  FCaptAlignment = v;
  RepaintIfAuto();
}

void TCustomRChart::SetCaptAnchorX(TCaptionAnchorHoriz v) {
  if (v == FCaptAnchorX || v > cahControlRight) return;
  FCaptAnchorX = v;
  RepaintIfAuto();
}

void TCustomRChart::SetCaptAnchorY(TCaptionAnchorVert v) {
  if (v == FCaptAnchorY || v > cavControlBottom) return;
  FCaptAnchorY = v;
  RepaintIfAuto();
}

void TCustomRChart::SetCaptTrim(int v) {
  if (v != 0) v = std::clamp(v, 5, 100);
  if (v == FCaptTrim) return;
  FCaptTrim = v;
  RepaintIfAuto();
}

void TCustomRChart::SetBackGroundImg(const TBakGndImg& v) {
  if (&v == FBakGndFile.get()) return;
  TNotifyEvent keep = std::move(FBakGndFile->OnChange);
  FBakGndFile->OnChange = nullptr;
  FBakGndFile->Assign(&v);
  FBakGndFile->OnChange = std::move(keep);
  RepaintIfAuto();
}

void TCustomRChart::SetBakGndFile(std::unique_ptr<TBakGndImg> v) {
  if (!v || v.get() == FBakGndFile.get()) return;
  FBakGndFile = std::move(v);
  FBakGndFile->OnChange = [this](TObject* o) { StyleChanged(o); };
  RepaintIfAuto();
}

// ------------------------------------------------------------------ black and white

void TCustomRChart::BackupColorsAndMakeBW() {
  ColBakWindow = RcWindCol;
  ColBakFrame = FChartFrameCol;
  ColBakChart = RcChartCol;
  ColBakFont = Font().Color();
  ColBakShadow = FShadowColor;
  ColBakShadowBgnd = RcShadowBakCol;
  for (size_t i = 0; i < 2; ++i) {
    ColBakScalesX[i] = FScalePropsX[i]->ColorScale();
    ColBakScalesY[i] = FScalePropsY[i]->ColorScale();
    ColBakSclFontX[i] = FScalePropsX[i]->Font().Color();
    ColBakSclFontY[i] = FScalePropsY[i]->Font().Color();
  }
  const bool old = FSuppressPaint;
  FSuppressPaint = true;  // no repaint from the change handlers
  RcWindCol = clWhite;
  RcChartCol = clWhite;
  FChartFrameCol = clBlack;
  Font().SetColor(clBlack);
  FShadowColor = 0xC0C0C0;
  RcShadowBakCol = clWhite;
  for (size_t i = 0; i < 2; ++i) {
    FScalePropsX[i]->StoreColorScale(clBlack);
    FScalePropsY[i]->StoreColorScale(clBlack);
    FScalePropsX[i]->Font().SetColor(clBlack);
    FScalePropsY[i]->Font().SetColor(clBlack);
    SetScaleProps(*FScalesX[i], *FScalePropsX[i]);
    SetScaleProps(*FScalesY[i], *FScalePropsY[i]);
  }
  FSuppressPaint = old;
}

void TCustomRChart::ReloadBackupColors() {
  const bool old = FSuppressPaint;
  FSuppressPaint = true;
  RcWindCol = ColBakWindow;
  FChartFrameCol = ColBakFrame;
  RcChartCol = ColBakChart;
  Font().SetColor(ColBakFont);
  FShadowColor = ColBakShadow;
  RcShadowBakCol = ColBakShadowBgnd;
  for (size_t i = 0; i < 2; ++i) {
    FScalePropsX[i]->StoreColorScale(ColBakScalesX[i]);
    FScalePropsY[i]->StoreColorScale(ColBakScalesY[i]);
    FScalePropsX[i]->Font().SetColor(ColBakSclFontX[i]);
    FScalePropsY[i]->Font().SetColor(ColBakSclFontY[i]);
    SetScaleProps(*FScalesX[i], *FScalePropsX[i]);
    SetScaleProps(*FScalesY[i], *FScalePropsY[i]);
  }
  FSuppressPaint = old;
}

}  // namespace zyr
