// SPDX-License-Identifier: MIT
// TScaleGauge model: defaults, property setters, the layout of the dial's scale, mouse report.
#include <zyr/scales/gauge.h>

#include <QPointer>
#include <algorithm>
#include <cmath>

namespace zyr {

TScaleGauge::TScaleGauge(QWidget* AOwner)
    : TCustomControl(AOwner), FGrafBmp(std::make_unique<TBitmap>()) {
  // The scale is not a child widget: it only draws on this control's bitmap and must not
  // take the mouse.
  FScale = std::make_unique<TScale>(nullptr);
  FScale->SetSuppressPaint(true);
  FScale->SetIsHelper(true);
  FScale->UseForeignCanvas(&FGrafBmp->Canvas(), 0, 0);
  FScale->SetName("GaugeScale");
  FScale->SetBounds(0, 0, 300, 75);
  FScale->SetFrameStyle(0);
  FScale->SetTransparent(true);
  FScale->SetScaleType(0);
  FScale->SetRange(FGaugeMin, FGaugeMax);
  FScale->SetLogarithmic(false);
  // Short ticks follow the gauge's setting from the start; MinTicks 0 leaves the scale's
  // own tick count until the application sets one.
  FScale->SetShortTicks(FShortTicks);
  SetBounds(Left(), Top(), 300, 75);
}

TScaleGauge::~TScaleGauge() = default;

void TScaleGauge::ScaleLayout() {
  if (!FScale) return;
  const int w = Width(), h = Height();
  if (IsHorizontal()) {
    FScale->SetScaleType(0);
    FScale->SetBounds(FCovMargLeft, 0, w, h);
    FScale->SetMarginBottom(FCovMargBottom + 10);
    FScale->SetMarginTop(FCovMargTop);
    FScale->SetMarginLeft(FCovMargLeft);
    FScale->SetMarginRight(FCovMargRight);
    // The cover hides the control's edges: end labels stay whole inside the window.
    FScale->SetLabelArea(FCovMargLeft + 2, w - FCovMargRight - 3);
  } else {
    FScale->SetScaleType(3);
    FScale->SetBounds(0, 0, w, h);
    FScale->SetMarginLeft(FCovMargLeft);
    FScale->SetMarginRight(FCovMargRight + 10);
    FScale->SetMarginTop(FCovMargTop);
    FScale->SetMarginBottom(FCovMargBottom);
    FScale->SetLabelArea(FCovMargTop + 2, h - FCovMargBottom - 2);
  }
}

void TScaleGauge::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  ScaleLayout();
  if (FScale) TriggerPaint();
}

double TScaleGauge::ClampToRange(double v) const {
  return std::clamp(v, std::min(FGaugeMin, FGaugeMax), std::max(FGaugeMin, FGaugeMax));
}

void TScaleGauge::SetBackground(TGaugeBackground v) { Update(FGaugeBG, v); }
void TScaleGauge::SetCaptionColor(TColor v) { Update(FCaptColor, v); }
void TScaleGauge::SetCaptionPosX(int v) { Update(FCaptPosX, v); }
void TScaleGauge::SetCaptionPosY(int v) { Update(FCaptPosY, v); }
void TScaleGauge::SetCaptionSize(int v) { Update(FCaptSize, v); }
void TScaleGauge::SetCaptionStyle(TFontStyles v) { Update(FCaptStyle, v); }
void TScaleGauge::SetColorBg1(TColor v) { Update(FColorSclBG1, v); }
void TScaleGauge::SetColorBg2(TColor v) { Update(FColorSclBG2, v); }
void TScaleGauge::SetColorIndex1(TColor v) { Update(FColorIndex1, v); }
void TScaleGauge::SetColorIndex2(TColor v) { Update(FColorIndex2, v); }
void TScaleGauge::SetColorCover(TColor v) { Update(FColorCover, v); }
void TScaleGauge::SetColorScale(TColor v) { Update(FColorScale, v); }
void TScaleGauge::SetFrameStyleOuter(TFrameStyle v) { Update(FOuterFrameSt, v); }
void TScaleGauge::SetFrameStyleInner(TFrameStyle v) { Update(FInnerFrameSt, v); }
void TScaleGauge::SetIndexMode(TGaugeIndexMode v) { Update(FGaugeIdxMode, v); }

void TScaleGauge::SetCaption(const std::string& v) {
  if (v == FCaption) return;
  FCaption = v;
  TriggerPaint();
}

void TScaleGauge::SetColorScheme(TColorScheme v) {
  if (v == FColorScheme) return;
  FColorScheme = v;
  FColGrayLine = v == 0 ? clGray : clBtnShadow;
  FColWhiteLine = v == 0 ? clWhite : clBtnHighlight;
  TriggerPaint();
}

void TScaleGauge::SetEnabled(bool v) {
  FEnabled = v;
  TCustomControl::SetEnabled(v);
  Refresh();
}

void TScaleGauge::SetFixedDial(bool v) {
  if (v == FScaleFixed) return;
  FScaleFixed = v;
  if (v) {
    FScale->SetRange(FGaugeMin, FGaugeMax);
    ScaleLayout();
  }
  TriggerPaint();
}

void TScaleGauge::SetGaugeZero(double v) {
  if (v == FGaugeZero || std::isnan(v)) return;
  FGaugeZero = v;
  TriggerPaint();
}

void TScaleGauge::SetLogarithmic(bool v) {
  if (v == FLogarithmic || !(FGaugeMin > 0 && FGaugeMax > 0)) return;
  FLogarithmic = v;
  FScale->SetLogarithmic(v);
  TriggerPaint();
}

void TScaleGauge::SetMarginLeft(int v) {
  if (v == FCovMargLeft) return;
  FCovMargLeft = std::max(0, std::min(v, Width() - FCovMargRight - 20));
  ScaleLayout();
  TriggerPaint();
}

void TScaleGauge::SetMarginRight(int v) {
  if (v == FCovMargRight) return;
  FCovMargRight = std::max(0, std::min(v, Width() - FCovMargLeft - 20));
  ScaleLayout();
  TriggerPaint();
}

void TScaleGauge::SetMarginTop(int v) {
  if (v == FCovMargTop) return;
  FCovMargTop = std::max(0, std::min(v, Height() - FCovMargBottom - 20));
  ScaleLayout();
  TriggerPaint();
}

void TScaleGauge::SetMarginBottom(int v) {
  if (v == FCovMargBottom) return;
  FCovMargBottom = std::max(0, std::min(v, Height() - FCovMargTop - 20));
  ScaleLayout();
  TriggerPaint();
}

void TScaleGauge::SetMax(double v) {
  if (v == FGaugeMax || !std::isfinite(v) || (FLogarithmic && !(v > 0))) return;
  FGaugeMax = v;
  FScale->SetRangeHigh(v);
  // The shown value stays on the dial.
  FGaugeValue = ClampToRange(FGaugeValue);
  TriggerPaint();
}

void TScaleGauge::SetMin(double v) {
  if (v == FGaugeMin || !std::isfinite(v) || (FLogarithmic && !(v > 0))) return;
  FGaugeMin = v;
  FScale->SetRangeLow(v);
  FGaugeValue = ClampToRange(FGaugeValue);
  TriggerPaint();
}

void TScaleGauge::SetMinTicks(int v) {
  if (v == FMinTicks) return;
  FMinTicks = v;
  FScale->SetMinTicks(v);
  TriggerPaint();
}

void TScaleGauge::SetOrientation(TGaugeOrientation v) {
  FGaugeOrient = v == goVertical ? goVertical : goHorizontal;
  ScaleLayout();
  TriggerPaint();
}

void TScaleGauge::SetShortTicks(bool v) {
  if (v == FShortTicks) return;
  FShortTicks = v;
  FScale->SetShortTicks(v);
  TriggerPaint();
}

void TScaleGauge::SetValue(double v) {
  if (v == FGaugeValue || std::isnan(v)) return;
  FGaugeValue = ClampToRange(v);
  TriggerPaint();
}

double TScaleGauge::ConvertPixelToScale(int p) const {
  const double v = FScale->ConvertPixelToScale(p);
  return std::isfinite(v) ? v : FScale->GetScaleCenter();
}

void TScaleGauge::MouseMove(TShiftState Shift, int X, int Y) {
  const QPointer<TScaleGauge> self(this);  // OnMouseMove may delete the gauge
  TCustomControl::MouseMove(Shift, X, Y);
  if (!self) return;
  const TScale& s = *FScale;
  const bool inGauge = s.MarginLeft() <= X && X <= s.Width() - s.MarginRight() &&
                       s.MarginTop() <= Y && Y <= Height() - s.MarginBottom();
  const double v = ConvertPixelToScale(IsHorizontal() ? X : Y);
  Raise(
      OnMouseMoveInGauge, [&] { OnMouseMoveInGauge(this, inGauge, Shift, v); },
      [&] { emit mouseMoveInGauge(inGauge, Shift, v); });
}

void TScaleGauge::Assign(const TPersistent* Source) {
  const auto* src = dynamic_cast<const TScaleGauge*>(Source);
  if (!src) {
    TCustomControl::Assign(Source);
    return;
  }
  if (src == this) return;
  FInnerFrameSt = src->FInnerFrameSt;
  FOuterFrameSt = src->FOuterFrameSt;
  FEnabled = src->FEnabled;
  TCustomControl::SetEnabled(FEnabled);
  // The value must fit this gauge's dial.
  FGaugeValue = ClampToRange(src->FGaugeValue);
  FColorSclBG1 = src->FColorSclBG1;
  FColorSclBG2 = src->FColorSclBG2;
  FColBlackLine = src->FColBlackLine;
  FColGrayLine = src->FColGrayLine;
  FColWhiteLine = src->FColWhiteLine;
  FColorScheme = src->FColorScheme;
  TriggerPaint();
}

void TScaleGauge::AssignTo(TPersistent* Dest) const {
  if (auto* d = dynamic_cast<TScaleGauge*>(Dest)) {
    d->Assign(this);
    return;
  }
  TCustomControl::AssignTo(Dest);
}

}  // namespace zyr
