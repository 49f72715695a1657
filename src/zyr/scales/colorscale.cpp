// SPDX-License-Identifier: MIT
// TColorScale model: defaults, property setters, layout of the owned scale and the value/colour
// mapping.
#include <zyr/scales/colorscale.h>

#include <algorithm>
#include <cmath>

namespace zyr {

TColorScale::TColorScale(QWidget* AOwner)
    : TCustomControl(AOwner),
      FCrossHair(std::make_unique<TCrossHair>()),
      FGrafBmp(std::make_unique<TBitmap>()),
      FColorArray(std::make_unique<TColorArray>()) {
  FCrossHair->SetCrossHMode(3);
  FCrossHair->SetCrossHColor(clRed);
  FCrossHair->SetCrossHLineType(psDot);
  FCrossHair->SetCrossHLineWidth(1);
  FCrossHair->SetPos(0, 0);
  FCrossHair->OnChange = [this](TObject*) { TriggerPaint(); };
  FColorArray->OnChange = [this](TObject*) { TriggerPaint(); };

  // The scale is not a child widget: it only draws on this control's bitmap and must not
  // take the mouse.
  FScale = std::make_unique<TScale>(nullptr);
  FScale->SetSuppressPaint(true);
  FScale->SetIsHelper(true);
  FScale->UseForeignCanvas(&FGrafBmp->Canvas(), 0, 0);
  FScale->SetName("ColorScale");
  FScale->SetBounds(0, 0, 300, 75);
  FScale->SetFrameStyle(0);
  FScale->SetTransparent(true);
  FScale->SetScaleType(1);
  FScale->SetRange(-10, 10);
  SyncScaleRange();
  SetBounds(Left(), Top(), 300, 75);
}

TColorScale::~TColorScale() {
  FCrossHair->OnChange = nullptr;
  FColorArray->OnChange = nullptr;
}

void TColorScale::TriggerPaint() {
  if (FSuppressPaint && !IsDesigning()) return;
  Repaint();
}

void TColorScale::SyncScaleRange() {
  FColSclMin = FScale->RangeLow();
  FColSclMax = FScale->RangeHigh();
}

void TColorScale::ScaleLayout() {
  if (!FScale) return;
  const int w = Width(), h = Height();
  FScale->SetBounds(0, 0, w, h);
  if (IsHorizontal()) {
    FScale->SetScaleType(1);
    FScale->SetMarginTop(h - FMarginBottom);  // base line directly below the bar
    FScale->SetMarginLeft(FMarginLeft);
    FScale->SetMarginRight(FMarginRight);
  } else {
    FScale->SetScaleType(2);
    FScale->SetMarginLeft(w - FMarginRight);  // base line directly right of the bar
    FScale->SetMarginTop(FMarginTop);
    FScale->SetMarginBottom(FMarginBottom);
  }
}

void TColorScale::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  ScaleLayout();
  TriggerPaint();
}

void TColorScale::SetCaption(const std::string& v) {
  if (v == FCaption) return;
  FCaption = v;
  TriggerPaint();
}

void TColorScale::SetCaptionColor(TColor v) {
  if (v == FCaptColor) return;
  FCaptColor = v;
  TriggerPaint();
}

void TColorScale::SetCaptionPosX(int v) {
  if (v == FCaptPosX) return;
  FCaptPosX = v;
  TriggerPaint();
}

void TColorScale::SetCaptionPosY(int v) {
  if (v == FCaptPosY) return;
  FCaptPosY = v;
  TriggerPaint();
}

void TColorScale::SetCaptionSize(int v) {
  if (v == FCaptSize) return;
  FCaptSize = v;
  TriggerPaint();
}

void TColorScale::SetCaptionStyle(TFontStyles v) {
  if (v == FCaptStyle) return;
  FCaptStyle = v;
  TriggerPaint();
}

void TColorScale::SetColorSclBkgd(TColor v) {
  if (v == FColorSclBkgd) return;
  FColorSclBkgd = v;
  TriggerPaint();
}

void TColorScale::SetColorOfScale(TColor v) {
  if (v == FColorScale) return;
  FColorScale = v;
  TriggerPaint();
}

void TColorScale::SetColorScheme(TColorScheme v) {
  if (v == FColorScheme) return;
  FColorScheme = v;
  FColGrayLine = v == 0 ? clGray : clBtnShadow;
  FColWhiteLine = v == 0 ? clWhite : clBtnHighlight;
  TriggerPaint();
}

void TColorScale::SetCrossHair(const TCrossHair& v) {
  if (&v == FCrossHair.get()) return;
  FCrossHair->Assign(&v);  // repaints through OnChange
}

void TColorScale::SetFrameStyle(TFrameStyle v) {
  if (v == FFrameSt) return;
  FFrameSt = v;
  TriggerPaint();
}

void TColorScale::SetScaleRangeLow(double v) {
  FScale->SetRangeLow(v);
  // The range rule may move the other end too.
  SyncScaleRange();
  TriggerPaint();
}

void TColorScale::SetScaleRangeHigh(double v) {
  FScale->SetRangeHigh(v);
  SyncScaleRange();
  TriggerPaint();
}

void TColorScale::SetExtendColors(bool v) {
  if (v == FExtendColors) return;
  FExtendColors = v;
  TriggerPaint();
}

void TColorScale::SetFramedColorScale(bool v) {
  if (v == FFramedColors) return;
  FFramedColors = v;
  TriggerPaint();
}

void TColorScale::SetColorLow(double v) {
  if (!std::isfinite(v)) return;
  FColorLow = v;
  if (FColorLow > FColorHigh) FColorHigh = v;
  TriggerPaint();
}

void TColorScale::SetColorHigh(double v) {
  if (!std::isfinite(v)) return;
  FColorHigh = v;
  if (FColorHigh < FColorLow) FColorLow = v;
  TriggerPaint();
}

namespace {
// Keeps a margin inside 0 .. limit; a control too small for any bar gets margin 0.
int ClampMargin(int v, int limit) { return std::max(0, std::min(v, limit)); }
}  // namespace

void TColorScale::SetMarginTop(int v) {
  if (v == FMarginTop) return;
  FMarginTop = ClampMargin(v, Height() - FMarginBottom - 1);
  ScaleLayout();
  TriggerPaint();
}

void TColorScale::SetMarginBottom(int v) {
  if (v == FMarginBottom) return;
  FMarginBottom = ClampMargin(v, Height() - FMarginTop - 1);
  ScaleLayout();
  TriggerPaint();
}

void TColorScale::SetMarginLeft(int v) {
  if (v == FMarginLeft) return;
  FMarginLeft = ClampMargin(v, Width() - FMarginRight - 1);
  ScaleLayout();
  TriggerPaint();
}

void TColorScale::SetMarginRight(int v) {
  if (v == FMarginRight) return;
  FMarginRight = ClampMargin(v, Width() - FMarginLeft - 1);
  ScaleLayout();
  TriggerPaint();
}

int TColorScale::MinTicks() const { return FScale->MinTicks(); }

void TColorScale::SetMinTicks(int v) {
  if (v == FScale->MinTicks()) return;
  FScale->SetMinTicks(std::clamp(v, 2, 10));
  TriggerPaint();
}

void TColorScale::SetOrientation(TColScaleOrientation v) {
  FColScaleOrient = v == csoVertical ? csoVertical : csoHorizontal;
  ScaleLayout();
  TriggerPaint();
}

void TColorScale::SetSuppPaint(bool v) {
  if (v == FSuppressPaint) return;
  FSuppressPaint = v;
  if (!v) TriggerPaint();
}

void TColorScale::SetScaleRange(double Low, double High) {
  if (!std::isfinite(Low) || !std::isfinite(High)) return;
  if (Low == High) {
    High = High + 1;
    Low = Low - 1;
  }
  FScale->SetRange(Low, High);
  SyncScaleRange();
  // A reversed range reverses the scale, never the colour order of the values.
  FColorLow = std::min(Low, High);
  FColorHigh = std::max(Low, High);
  TriggerPaint();
}

TColor TColorScale::ValueToColor(double v) const {
  const int n = FColorArray->NumColors();
  if (n <= 0 || std::isnan(v)) return FColorSclBkgd;
  double a;
  if (FColorHigh == FColorLow)
    a = n / 2.0;
  else
    a = (v - FColorLow) * n / (FColorHigh - FColorLow);
  if (std::isnan(a)) a = n / 2.0;  // an infinite value against an infinite interval
  a = std::clamp(a, 1.0, double(n));
  return FColorArray->Color(int(std::nearbyint(a)));
}

double TColorScale::ColorToValue(TColor c) const {
  const int n = FColorArray->NumColors();
  if (n <= 0) return FColorLow;
  const int i = FColorArray->ColorToIndex(c);
  return FColorLow + double(i) / n * (FColorHigh - FColorLow);
}

int TColorScale::ValueToPixel(double v) const { return FScale->ConvertToPixelCoords(v); }

double TColorScale::MouseValue(int X, int Y) const {
  const double v = FScale->ConvertPixelToScale(IsHorizontal() ? X : Y);
  return std::isfinite(v) ? v : FScale->GetScaleCenter();
}

void TColorScale::Assign(const TPersistent* Source) {
  const auto* src = dynamic_cast<const TColorScale*>(Source);
  if (!src) {
    TCustomControl::Assign(Source);
    return;
  }
  if (src == this) return;
  const bool oldSuppress = FSuppressPaint;
  FSuppressPaint = true;
  FFrameSt = src->FFrameSt;
  FColBlackLine = src->FColBlackLine;
  FColGrayLine = src->FColGrayLine;
  FColWhiteLine = src->FColWhiteLine;
  FColorScheme = src->FColorScheme;
  OnDataRendered = src->OnDataRendered;
  FCaption = src->FCaption;
  FCaptColor = src->FCaptColor;
  FCaptPosX = src->FCaptPosX;
  FCaptPosY = src->FCaptPosY;
  FCaptSize = src->FCaptSize;
  FCaptStyle = src->FCaptStyle;
  FCrossHair->Assign(src->FCrossHair.get());
  FExtendColors = src->FExtendColors;
  FMarginTop = src->FMarginTop;
  FMarginBottom = src->FMarginBottom;
  FMarginLeft = src->FMarginLeft;
  FMarginRight = src->FMarginRight;
  FMouseAction = src->FMouseAction;
  FZoomPanMode = src->FZoomPanMode;
  FFramedColors = src->FFramedColors;
  FColorLow = src->FColorLow;
  FColorHigh = src->FColorHigh;
  FColScaleOrient = src->FColScaleOrient;
  FColorSclBkgd = src->FColorSclBkgd;
  FColorScale = src->FColorScale;
  OnMouseMoveInScale = src->OnMouseMoveInScale;
  OnCrossHairMove = src->OnCrossHairMove;
  OnZoomPan = src->OnZoomPan;
  FScale->Assign(src->FScale.get());
  // The copied scale still belongs to this control: its own bitmap, suppressed painting and
  // this control's size and margins.
  FScale->SetSuppressPaint(true);
  FScale->SetIsHelper(true);
  FScale->UseForeignCanvas(&FGrafBmp->Canvas(), 0, 0);
  ScaleLayout();
  SyncScaleRange();
  FColorArray->Assign(src->FColorArray.get());
  FSuppressPaint = oldSuppress;
  TriggerPaint();
}

void TColorScale::AssignTo(TPersistent* Dest) const {
  if (auto* d = dynamic_cast<TColorScale*>(Dest)) {
    d->Assign(this);
    return;
  }
  TCustomControl::AssignTo(Dest);
}

}  // namespace zyr
