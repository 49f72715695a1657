// SPDX-License-Identifier: MIT
// TScaleGauge painting: background, dial, index shapes, cover, caption, frames, and export.
#include <zyr/platform/foundation/colorarray.h>
#include <zyr/platform/foundation/frames.h>
#include <zyr/scales/colorscale_export.h>
#include <zyr/scales/gauge.h>

#include <QPointer>
#include <algorithm>
#include <cmath>

namespace zyr {

namespace {
// Pixel positions from the scale can be far outside the picture; keep them drawable.
constexpr int kPixLimit = 30000;
int ClampPix(int p) { return std::clamp(p, -kPixLimit, kPixLimit); }
constexpr TColor kDisabledBackground = 0xE9E9EE;
// Width of the band between the base line and the cover that holds the index shapes.
constexpr int kIndexBand = 10;
double Fraction(double num, double den) { return den > 0 ? num / den : 0.0; }
}  // namespace

/// The colours of one paint, after the enabled look is applied.
struct TScaleGauge::TPaintColors {
  TColor caption, font, index1, index2, scale, bg1, bg2;
};

void TScaleGauge::Paint() {
  if (!Visible() && !IsDesigning()) return;
  FGrafBmp->SetSize(Width(), Height());
  if (FGrafBmp->Empty()) return;
  if (DrawPicture(FGrafBmp->Canvas())) Canvas().Draw(0, 0, *FGrafBmp);
}

bool TScaleGauge::DrawPicture(TCanvas& cv) {
  const int w = Width(), h = Height();
  if (w <= 0 || h <= 0) return true;
  cv.SetAntialiased(Antialiased());
  TPaintColors col;
  if (FEnabled)
    col = {FCaptColor,  Font().Color(), FColorIndex1, FColorIndex2,
           FColorScale, FColorSclBG1,   FColorSclBG2};
  else
    col = {clGray, clGray, clGray, clGray, clGray, kDisabledBackground, kDisabledBackground};

  if (!FScaleFixed) {
    if (FLogarithmic) {
      const double s = std::sqrt(FGaugeMax / FGaugeMin);
      FScale->SetRange(FGaugeValue / s, FGaugeValue * s);
    } else {
      const double half = std::fabs(FGaugeMax - FGaugeMin) / 2;
      FScale->SetRange(FGaugeValue - half, FGaugeValue + half);
    }
  }
  cv.Pen().SetStyle(psSolid);
  cv.Pen().SetWidth(1);
  cv.Pen().SetMode(pmCopy);
  cv.Brush().SetStyle(bsSolid);
  DrawBackground(cv, col);

  // The scale draws transparently on whatever canvas the picture goes to.
  FScale->Font().Assign(&Font());
  FScale->Font().SetColor(col.font);
  FScale->SetColorScale(col.scale);
  FScale->UseForeignCanvas(&cv, 0, 0);
  const QPointer<TScaleGauge> self(this);  // the scale's handlers may delete the gauge
  FScale->ForcePaint();
  if (!self) return false;
  FScale->UseForeignCanvas(&FGrafBmp->Canvas(), 0, 0);

  int p;
  if (FScaleFixed)
    p = ClampPix(FScale->R2M(FGaugeValue));
  else if (IsHorizontal())
    p = FCovMargLeft + (w - FCovMargLeft - FCovMargRight) / 2;
  else
    p = FCovMargTop + (h - FCovMargTop - FCovMargBottom) / 2;
  cv.Pen().SetStyle(psSolid);
  cv.Pen().SetWidth(1);
  DrawIndex(cv, col, p);

  cv.Pen().SetColor(FColorCover);
  cv.Brush().SetColor(FColorCover);
  cv.Brush().SetStyle(bsSolid);
  cv.Rectangle(0, 0, FCovMargLeft, h);
  cv.Rectangle(w - FCovMargRight, 0, w, h);
  cv.Rectangle(0, 0, w, FCovMargTop);
  cv.Rectangle(0, h - FCovMargBottom, w, h);

  if (!FCaption.empty()) {
    cv.Font().Assign(&Font());
    cv.Font().SetSize(std::max(1, FCaptSize));
    cv.Font().SetStyle(FCaptStyle);
    cv.Font().SetColor(col.caption);
    cv.Brush().SetStyle(bsClear);
    cv.TextOut(FCaptPosX, FCaptPosY, FCaption);
  }
  DrawFrame(cv, FInnerFrameSt, FCovMargLeft, FCovMargTop, w - FCovMargRight - 1,
            h - FCovMargBottom - 1, clWhite, clSilver, clGray, clBlack, clBlack);
  DrawFrame(cv, FOuterFrameSt, 0, 0, w - 1, h - 1, clWhite, clSilver, clGray, clBlack, clBlack);
  return true;
}

void TScaleGauge::DrawBackground(TCanvas& cv, const TPaintColors& col) {
  const int w = Width(), h = Height();
  const int ww = w - FCovMargLeft - FCovMargRight;
  const int hh = h - FCovMargTop - FCovMargBottom;
  auto column = [&](int x, TColor c) {
    cv.Pen().SetColor(c);
    cv.MoveTo(x, 0);
    cv.LineTo(x, h);
  };
  auto row = [&](int y, TColor c) {
    cv.Pen().SetColor(c);
    cv.MoveTo(0, y);
    cv.LineTo(w, y);
  };
  switch (FGaugeBG) {
    case gbPlain:
      cv.Pen().SetColor(col.bg1);
      cv.Brush().SetColor(col.bg1);
      cv.Rectangle(0, 0, w, h);
      break;
    case gbVertGrad:
      for (int i = 0; i <= ww; ++i)
        column(FCovMargLeft + i, InterpolateColor(col.bg1, col.bg2, Fraction(i, ww)));
      break;
    case gbHorizGrad:
      for (int i = 0; i <= hh; ++i)
        row(FCovMargTop + i, InterpolateColor(col.bg1, col.bg2, Fraction(i, hh)));
      break;
    case gbVertMidBand:
      for (int i = 0; i <= ww / 2; ++i) {
        const TColor c = InterpolateColor(col.bg1, col.bg2, Fraction(2.0 * i, ww));
        column(FCovMargLeft + i, c);
        column(w - FCovMargRight - i, c);
      }
      break;
    case gbHorizMidBand:
      for (int i = 0; i <= hh / 2; ++i) {
        const TColor c = InterpolateColor(col.bg1, col.bg2, Fraction(2.0 * i, hh));
        row(FCovMargTop + i, c);
        row(h - FCovMargBottom - i, c);
      }
      break;
  }
}

void TScaleGauge::DrawTriangle(TCanvas& cv, int base, int p, int dir, bool horz) {
  for (int i = 1; i <= kIndexBand; ++i) {
    const int pos = base + dir * i;
    if (horz) {
      cv.MoveTo(p - i / 2, pos);
      cv.LineTo(p + i / 2 + 1, pos);
    } else {
      cv.MoveTo(pos, p - i / 2);
      cv.LineTo(pos, p + i / 2 + 1);
    }
  }
}

void TScaleGauge::DrawBandLine(TCanvas& cv, int pos, TColor c) {
  cv.Pen().SetColor(c);
  if (IsHorizontal()) {
    const int y = Height() - FCovMargBottom - kIndexBand;
    cv.MoveTo(pos, y);
    cv.LineTo(pos, y + 7);
  } else {
    const int x = Width() - FCovMargRight - kIndexBand;
    cv.MoveTo(x, pos);
    cv.LineTo(x + 7, pos);
  }
}

void TScaleGauge::DrawIndex(TCanvas& cv, const TPaintColors& col, int p) {
  const int w = Width(), h = Height();
  const bool horz = IsHorizontal();
  // Base line of the dial: the index band lies between it and the cover.
  const int base = horz ? h - FCovMargBottom - kIndexBand - 1 : w - FCovMargRight - kIndexBand - 1;
  const int extent = horz ? w : h;
  auto thread = [&] {
    cv.Pen().SetColor(col.index1);
    if (horz) {
      cv.MoveTo(p, 0);
      cv.LineTo(p, h);
    } else {
      cv.MoveTo(0, p);
      cv.LineTo(w, p);
    }
  };
  switch (FGaugeIdxMode) {
    case gimThread:
      thread();
      break;
    case gimTriangle:
      cv.Pen().SetColor(col.index1);
      DrawTriangle(cv, base, p, 1, horz);
      break;
    case gimThreadTriangle:
      thread();
      cv.Pen().SetColor(col.index2);
      DrawTriangle(cv, base, p, 1, horz);
      break;
    case gimThreadTwoTriangles:
      thread();
      cv.Pen().SetColor(col.index2);
      DrawTriangle(cv, base, p, 1, horz);
      DrawTriangle(cv, (horz ? FCovMargTop : FCovMargLeft) + kIndexBand, p, -1, horz);
      break;
    case gimBand:
      if (horz) {
        const int span = w - FCovMargRight - FCovMargLeft;
        for (int x = FCovMargLeft; x <= std::min(p, w); ++x)
          DrawBandLine(cv, x,
                       InterpolateColor(col.index1, col.index2, Fraction(x - FCovMargLeft, span)));
      } else {
        const int r = h - FCovMargBottom;
        for (int y = r; y >= std::max(p, -1); --y)
          DrawBandLine(cv, y,
                       InterpolateColor(col.index1, col.index2, Fraction(r - y, r - FCovMargTop)));
      }
      break;
    case gimDualColorBand: {
      // Between the zero pixel and the index, whichever way round the dial runs.
      const int z = ClampPix(FScale->R2M(FGaugeZero));
      const TColor c = FGaugeValue >= FGaugeZero ? col.index1 : col.index2;
      const int from = std::max(std::min(z, p), -1), to = std::min(std::max(z, p), extent);
      for (int pos = from; pos <= to; ++pos) DrawBandLine(cv, pos, c);
      break;
    }
    case gimBar: {
      cv.Pen().SetColor(col.index1);
      const int b = base + 1;  // first pixel of the index band
      const int starts[3] = {b + 1, b + 2, b + 2};
      const int at[3] = {p, p - 1, p + 1};
      for (int k = 0; k < 3; ++k) {
        if (horz) {
          cv.MoveTo(at[k], starts[k]);
          cv.LineTo(at[k], b + kIndexBand);
        } else {
          cv.MoveTo(starts[k], at[k]);
          cv.LineTo(b + kIndexBand, at[k]);
        }
      }
      break;
    }
  }
}

bool TScaleGauge::ExportToFile(const std::string& FileName) {
  return scales_detail::ExportPicture(FileName, Width(), Height(),
                                      [this](TCanvas& cv) { DrawPicture(cv); });
}

std::string TScaleGauge::ExportToSVG() {
  return scales_detail::ExportPictureSVG(Width(), Height(),
                                         [this](TCanvas& cv) { DrawPicture(cv); });
}

}  // namespace zyr
