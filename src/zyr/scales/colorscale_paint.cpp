// SPDX-License-Identifier: MIT
// TColorScale painting: bar, frame, scale, caption, cross-hair, and the picture export.
#include <zyr/platform/foundation/frames.h>
#include <zyr/scales/colorscale.h>
#include <zyr/scales/colorscale_export.h>

#include <QPointer>
#include <algorithm>
#include <cmath>

namespace zyr {

namespace {
// Pixel positions from the scale can be far outside the picture; keep them drawable.
constexpr int kPixLimit = 30000;
int ClampPix(int p) { return std::clamp(p, -kPixLimit, kPixLimit); }
}  // namespace

void TColorScale::Paint() {
  if ((!Visible() || FSuppressPaint) && !IsDesigning()) return;
  if (RenderToBitmap() && !FGrafBmp->Empty()) Canvas().Draw(0, 0, *FGrafBmp);
}

bool TColorScale::RenderToBitmap() {
  FGrafBmp->SetSize(Width(), Height());
  return FGrafBmp->Empty() || DrawPicture(FGrafBmp->Canvas());
}

void TColorScale::DoDataRendered(TCanvas& cv) {
  Raise(
      OnDataRendered, [&] { OnDataRendered(this, cv); }, [this] { emit dataRendered(); });
}

bool TColorScale::DrawPicture(TCanvas& cv) {
  const int w = Width(), h = Height();
  if (w <= 0 || h <= 0) return true;
  cv.SetAntialiased(Antialiased());
  // Handlers of this control or of its scale may delete the control; then stop at once.
  const QPointer<TColorScale> self(this);
  cv.Pen().SetColor(FColorSclBkgd);
  cv.Pen().SetStyle(psSolid);
  cv.Pen().SetWidth(1);
  cv.Pen().SetMode(pmCopy);
  cv.Brush().SetColor(FColorSclBkgd);
  cv.Brush().SetStyle(bsSolid);
  cv.Rectangle(0, 0, w, h);

  DrawBar(cv);
  if (FFramedColors) {
    cv.Pen().SetColor(FColorScale);
    cv.Brush().SetStyle(bsClear);
    if (IsHorizontal())
      cv.Rectangle(FMarginLeft, FMarginTop, w - FMarginRight, h - FMarginBottom + 1);
    else
      cv.Rectangle(FMarginLeft, FMarginTop, w - FMarginRight + 1, h - FMarginBottom);
  }

  // The scale draws transparently on whatever canvas the picture goes to.
  FScale->Font().Assign(&Font());
  FScale->SetColorScale(FColorScale);
  FScale->UseForeignCanvas(&cv, 0, 0);
  FScale->ForcePaint();
  if (!self) return false;
  FScale->UseForeignCanvas(&FGrafBmp->Canvas(), 0, 0);

  if (!FCaption.empty()) {
    cv.Font().Assign(&Font());
    cv.Font().SetSize(std::max(1, FCaptSize));
    cv.Font().SetStyle(FCaptStyle);
    cv.Font().SetColor(FCaptColor);
    cv.Brush().SetStyle(bsClear);
    cv.TextOut(FCaptPosX, FCaptPosY, FCaption);
  }
  DoDataRendered(cv);
  if (!self) return false;
  DrawCrossHair(cv);
  DrawFrame(cv, FFrameSt, 0, 0, w - 1, h - 1, clWhite, clSilver, clGray, clBlack, clBlack);
  return true;
}

void TColorScale::DrawBar(TCanvas& cv) {
  const int n = FColorArray->NumColors();
  const int w = Width(), h = Height();
  const bool horz = IsHorizontal();
  const int lo = horz ? FMarginLeft : FMarginTop;
  const int hi = horz ? w - FMarginRight - 1 : h - FMarginBottom - 1;
  if (n <= 0 || hi < lo) return;
  const int b = ClampPix(FScale->R2M(FColorLow));
  const int c = ClampPix(FScale->R2M(FColorHigh));
  const int a = std::clamp(b, lo, hi), d = std::clamp(c, lo, hi);
  auto colorAt = [&](int pos) {
    const int f = c == b ? n / 2 : int(std::nearbyint(double(pos - b) / (c - b) * n));
    return FColorArray->Color(std::clamp(f, 1, n));
  };
  auto line = [&](int pos, TColor col) {
    cv.Pen().SetColor(col);
    if (horz) {
      cv.MoveTo(pos, FMarginTop);
      cv.LineTo(pos, h - FMarginBottom);
    } else {
      cv.MoveTo(FMarginLeft, pos);
      cv.LineTo(w - FMarginRight, pos);
    }
  };
  cv.Pen().SetStyle(psSolid);
  cv.Pen().SetWidth(1);
  // The loop runs in pixel order, so a reversed scale (or the vertical bar, whose values grow
  // upwards) is drawn by the same code.
  const int first = std::min(a, d), last = std::max(a, d);
  for (int pos = first; pos <= last; ++pos) line(pos, colorAt(pos));
  if (FExtendColors) {
    // The end nearer to ColorLow's pixel continues in colour 1, the other end in colour N.
    const TColor before = FColorArray->Color(b <= c ? 1 : n);
    const TColor after = FColorArray->Color(b <= c ? n : 1);
    for (int pos = lo; pos < first; ++pos) line(pos, before);
    for (int pos = last + 1; pos <= hi; ++pos) line(pos, after);
  }
}

void TColorScale::DrawCrossHair(TCanvas& cv) {
  if (FCrossHair->Mode() == 0) return;
  const int w = Width(), h = Height();
  const int lw = FCrossHair->LineWidth();
  cv.Brush().SetColor(clWhite);
  cv.Brush().SetStyle(bsSolid);
  cv.Pen().SetColor(FCrossHair->Color());
  cv.Pen().SetWidth(lw);
  cv.Pen().SetStyle(FCrossHair->LineType());
  if (IsHorizontal()) {
    const int x = ClampPix(FScale->R2M(FCrossHair->PosX()));
    cv.MoveTo(x, FMarginTop + 1 + lw / 2);
    cv.LineTo(x, h - FMarginBottom - lw / 2);
  } else {
    const int y = ClampPix(FScale->R2M(FCrossHair->PosY()));
    cv.MoveTo(FMarginLeft + 1 + lw / 2, y);
    cv.LineTo(w - FMarginRight - lw / 2, y);
  }
  cv.Pen().SetWidth(1);
  cv.Pen().SetStyle(psSolid);
}

void TColorScale::CopyToBitMap(TBitmap* ABitmap, int PosX, int PosY) {
  if (!ABitmap) return;
  // A control that has not painted yet (painting suppressed) still has a picture to give.
  if ((FGrafBmp->Width() != Width() || FGrafBmp->Height() != Height()) && !RenderToBitmap()) return;
  if (PosX < 0 || PosY < 0) {
    ABitmap->SetSize(FGrafBmp->Width(), FGrafBmp->Height());
    PosX = PosY = 0;
  }
  ABitmap->Canvas().SetCopyMode(SRCCOPY);
  ABitmap->Canvas().Draw(PosX, PosY, *FGrafBmp);
}

bool TColorScale::ExportToFile(const std::string& FileName) {
  return scales_detail::ExportPicture(FileName, Width(), Height(),
                                      [this](TCanvas& cv) { DrawPicture(cv); });
}

std::string TColorScale::ExportToSVG() {
  return scales_detail::ExportPictureSVG(Width(), Height(),
                                         [this](TCanvas& cv) { DrawPicture(cv); });
}

}  // namespace zyr
