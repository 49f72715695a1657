// SPDX-License-Identifier: MIT
// TScale model: defaults, property setters, range rules and the world/pixel transform.
#include <zyr/scales/scale.h>

#include <QPointer>
#include <algorithm>
#include <climits>
#include <cmath>

namespace zyr {

TScale::TScale(QWidget* AOwner) : TCustomControl(AOwner) {
  FSuppressPaint = true;
  FDTFormat = std::make_unique<TDTLabel>();
  SetBounds(Left(), Top(), 400, 400);
  ResetComp();
}

TScale::~TScale() {
  // The settings object must not call back into a half-destroyed scale.
  if (FDTFormat) FDTFormat->OnChange = nullptr;
}

void TScale::ResetComp() {
  const bool oldSuppress = FSuppressPaint;
  FSuppressPaint = true;
  FFrameStyle = 2;
  FColorFG = clBlack;
  FColorBG = clBtnFace;
  FColBlackLine = clBlack;
  FColGrayLine = clGray;
  FColWhiteLine = clWhite;
  FColorScheme = 0;
  OnScaleTickDrawn = nullptr;
  OnBeforeTickLabel = nullptr;
  OnZoomPan = nullptr;
  OnBeforeScaleRendered = nullptr;
  OnAfterScaleRendered = nullptr;
  FAxLog = false;
  FTransf_k = 1;
  FTransf_d = 0;
  FRangeHigh = 100;
  FRangeLow = 0;
  FShortTicks = true;
  FTickCount = 0;
  FNumTicks = 3;
  FDecPlaces = -2;
  FNotYetLoaded = true;
  FDrawBaseLine = true;
  FTransparent = false;
  FLabelType = 1;
  FMarginTop = FMarginBottom = FMarginRight = FMarginLeft = 20;
  FIsHelper = false;
  FLblPosX = FLblPosY = 4;
  FLblAlign = taCenter;
  FLblAnchor = uaSclTopLft;
  FMouseAction = 0;
  FMAnchorX = FMAnchorY = 0;
  FMAnchorWorldLow = FMAnchorWorldHigh = 0;
  FLButtonWasDown = false;
  FUserTicktext.clear();
  FScaleInscript.clear();
  FScaleTickPos.assign(250, 0.0);
  FUnitLabel.clear();
  FCaptionVertical = false;
  FForeignCv = nullptr;
  FForCvPosX = FForCvPosY = 0;
  FScaleType = 0;
  FDTFormat->OnChange = nullptr;
  FDTFormat->SetTimeFormat(0);
  FDTFormat->SetDateSeparator('-');
  FDTFormat->SetTimeSeparator(':');
  FDTFormat->SetYearLength(2);
  FDTFormat->SetMonthName(true);
  FDTFormat->SetDateForTime(2);
  FDTFormat->SetDateOrder(1);
  FDTFormat->OnChange = [this](TObject* s) { Changed(s); };
  AdjustScalePars();
  FSuppressPaint = oldSuppress;
}

void TScale::CreateWnd() {
  TCustomControl::CreateWnd();
  FSuppressPaint = false;
  Invalidate();
}

void TScale::Loaded() {
  TCustomControl::Loaded();
  AdjustScalePars();
  FNotYetLoaded = false;
  TriggerPaint();
}

void TScale::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!FDTFormat) return;  // still constructing
  AdjustScalePars();
  TriggerPaint();
}

void TScale::TriggerPaint() {
  // A transparent stand-alone scale shows its parent through it, so it only asks for a
  // repaint of its window; everything else paints at once.
  if (!FTransparent || FIsHelper)
    Paint();
  else
    Invalidate();
}

void TScale::SetSuppressPaint(bool v) {
  if (v == FSuppressPaint) return;
  FSuppressPaint = v;
  if (!v) TriggerPaint();
}

void TScale::SetLabelArea(int First, int Last) {
  if (First == FLabelAreaFirst && Last == FLabelAreaLast) return;
  FLabelAreaFirst = First;
  FLabelAreaLast = Last;
  TriggerPaint();
}

void TScale::ForcePaint() {
  const bool old = FSuppressPaint;
  FSuppressPaint = false;
  const QPointer<TScale> self(this);  // painting runs handlers, which may delete the scale
  Paint();
  if (self) FSuppressPaint = old;
}

void TScale::UseForeignCanvas(TCanvas* Canvas, int X, int Y) {
  FForeignCv = Canvas;
  FForCvPosX = X;
  FForCvPosY = Y;
}

double TScale::GetTickPos(int ix) const {
  if (ix < 1 || ix > FTickCount || ix > int(FScaleTickPos.size())) return 0;
  return FScaleTickPos[size_t(ix - 1)];
}

void TScale::Record(double v) {
  if (FTickCount < 250 && FTickCount < int(FScaleTickPos.size()))
    FScaleTickPos[size_t(FTickCount++)] = v;
}

// ---- transform ----

void TScale::AdjustScalePars() {
  if (IsLoading()) return;
  if (FRangeLow == FRangeHigh) return;
  if (FScaleType > 3) return;
  const int n = IsHorizontal() ? Width() - FMarginLeft - FMarginRight - 1
                               : Height() - FMarginTop - FMarginBottom - 1;
  if (n <= 0) {
    FTransf_k = 0;
    FTransf_d = Width() / 2;
    FTransfRef = 0;
    FTransfRefPix = FTransf_d;
    return;
  }
  if (FAxLog && (FRangeLow <= 0 || FRangeHigh <= 0)) return;
  const double lo = FAxLog ? std::log(FRangeLow) : FRangeLow;
  const double hi = FAxLog ? std::log(FRangeHigh) : FRangeHigh;
  // Halves keep spans across the whole double range finite.
  const double perUnit = std::isfinite(hi - lo) ? n / (hi - lo) : n / 2.0 / (hi / 2 - lo / 2);
  double k, d;
  if (IsHorizontal()) {
    k = perUnit;
    d = FMarginLeft - k * lo;
  } else {
    k = -perUnit;
    d = FMarginTop - k * hi;
  }
  // A span too narrow for the double range gives no usable transform; keep the previous one.
  if (!std::isfinite(k) || !std::isfinite(d)) return;
  FTransf_k = k;
  FTransf_d = d;
  FTransfRef = IsHorizontal() ? lo : hi;
  FTransfRefPix = IsHorizontal() ? FMarginLeft : FMarginTop;
}

bool TScale::TransfNeedsRef() const {
  // Beyond this offset k * value + d cancels away fractions of a pixel.
  return std::fabs(FTransf_d) > 1099511627776.0;
}

int TScale::R2M(double v) const {
  double p;
  if (FAxLog && !(v > 1e-100)) {
    p = FRangeHigh >= FRangeLow ? 0 : Width();
  } else {
    const double x = FAxLog ? std::log(v) : v;
    p = TransfNeedsRef() ? FTransf_k * (x - FTransfRef) + FTransfRefPix : FTransf_k * x + FTransf_d;
  }
  if (std::isnan(p)) return 0;
  p = std::clamp(p, -2147483647.0, 2147483647.0);
  return int(std::nearbyint(p));
}

double TScale::M2R(double p) const {
  // Without an extent there is no inverse; answer the start of the range.
  if (FTransf_k == 0) return FRangeLow;
  const double r =
      TransfNeedsRef() ? FTransfRef + (p - FTransfRefPix) / FTransf_k : (p - FTransf_d) / FTransf_k;
  return FAxLog ? std::exp(r) : r;
}

// ---- range ----

void TScale::SetRangeLow(double v) {
  if (!std::isfinite(v)) return;
  FRangeLow = v;
  if (v == FRangeHigh) FRangeHigh = v + 1;
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetRangeHigh(double v) {
  if (!std::isfinite(v)) return;
  FRangeHigh = v;
  if (v == FRangeLow) FRangeLow = v + 1;
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetRange(double Low, double High) {
  if (!std::isfinite(Low) || !std::isfinite(High)) return;
  FRangeLow = Low;
  FRangeHigh = High;
  if (Low == High) FRangeHigh = Low + 1;
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetLogarithmic(bool v) {
  if (!v || FNotYetLoaded)
    FAxLog = v;
  else
    FAxLog = FRangeLow >= 1e-100 && FRangeHigh >= 1e-100 && FLabelType != 3;
  AdjustScalePars();
  TriggerPaint();
}

// ---- other properties ----

void TScale::SetCaption(const std::string& v) {
  FUnitLabel = v;
  TriggerPaint();
}

void TScale::SetCaptionPosX(int v) {
  FLblPosX = v;
  TriggerPaint();
}

void TScale::SetCaptionPosY(int v) {
  FLblPosY = v;
  TriggerPaint();
}

void TScale::SetCaptionAlignment(TAlignment v) {
  FLblAlign = v;
  TriggerPaint();
}

void TScale::SetCaptionAnchor(TScaleUnitAnchor v) {
  FLblAnchor = v;
  TriggerPaint();
}

void TScale::SetColorBackGnd(TColor v) {
  if (v == FColorBG) return;
  FColorBG = v;
  TriggerPaint();
}

void TScale::SetColorScale(TColor v) {
  if (v == FColorFG) return;
  FColorFG = v;
  TriggerPaint();
}

void TScale::ApplyColorScheme() {
  FColGrayLine = FColorScheme == 0 ? clGray : clBtnShadow;
  FColWhiteLine = FColorScheme == 0 ? clWhite : clBtnHighlight;
}

void TScale::SetColorScheme(TColorScheme v) {
  if (v == FColorScheme) return;
  FColorScheme = v;
  ApplyColorScheme();
  TriggerPaint();
}

void TScale::SetDateFormat(const TDTLabel& v) {
  FDTFormat->Assign(&v);
  TriggerPaint();
}

void TScale::SetDecPlaces(int v) {
  FDecPlaces = std::clamp(v, -3, 12);
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetFrameStyle(TFrameStyle v) {
  if (v == FFrameStyle) return;
  FFrameStyle = v;
  TriggerPaint();
}

void TScale::SetLabelType(TFigType v) {
  FLabelType = v;
  if (v == 3 && FAxLog) {
    FAxLog = false;
    AdjustScalePars();
  }
  if (v == 2) FDecPlaces = 4;
  TriggerPaint();
}

void TScale::SetMarginTop(int v) {
  FMarginTop = std::max(v, 0);
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetMarginBottom(int v) {
  FMarginBottom = std::max(v, 0);
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetMarginLeft(int v) {
  FMarginLeft = std::max(v, 0);
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetMarginRight(int v) {
  FMarginRight = std::max(v, 0);
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetMinTicks(int v) {
  FNumTicks = v == 0 ? 0 : std::clamp(v, 2, 10);
  TriggerPaint();
}

void TScale::SetShortTicks(bool v) {
  if (v == FShortTicks) return;
  FShortTicks = v;
  TriggerPaint();
}

void TScale::SetShowBaseLine(bool v) {
  FDrawBaseLine = v;
  TriggerPaint();
}

void TScale::SetScaleInscript(const std::string& v) {
  FScaleInscript = v;
  TriggerPaint();
}

void TScale::SetScaleType(TScaleType v) {
  if (v == FScaleType) return;
  FScaleType = v;
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetTransparent(bool v) {
  FTransparent = v;
  TriggerPaint();
}

void TScale::SetUserTickText(const std::string& v) {
  FUserTicktext = v;
  TriggerPaint();
}

void TScale::SetIsHelper(bool v) {
  if (v == FIsHelper) return;
  FIsHelper = v;
  TriggerPaint();
}

void TScale::SetForCvPosX(int v) {
  FForCvPosX = v;
  TriggerPaint();
}

void TScale::SetForCvPosY(int v) {
  FForCvPosY = v;
  TriggerPaint();
}

// ---- assignment ----

void TScale::Assign(const TPersistent* Source) {
  const auto* s = dynamic_cast<const TScale*>(Source);
  if (!s) {
    TCustomControl::Assign(Source);
    return;
  }
  if (s == this) return;
  FFrameStyle = s->FFrameStyle;
  FColorFG = s->FColorFG;
  FColorBG = s->FColorBG;
  FColBlackLine = s->FColBlackLine;
  FColGrayLine = s->FColGrayLine;
  FColWhiteLine = s->FColWhiteLine;
  FColorScheme = s->FColorScheme;
  OnScaleTickDrawn = s->OnScaleTickDrawn;
  OnBeforeTickLabel = s->OnBeforeTickLabel;
  FAxLog = s->FAxLog;
  FTransf_k = s->FTransf_k;
  FTransf_d = s->FTransf_d;
  FTransfRef = s->FTransfRef;
  FTransfRefPix = s->FTransfRefPix;
  FRangeLow = s->FRangeLow;
  FRangeHigh = s->FRangeHigh;
  FShortTicks = s->FShortTicks;
  FTickCount = s->FTickCount;
  FNumTicks = s->FNumTicks;
  FDecPlaces = s->FDecPlaces;
  FDrawBaseLine = s->FDrawBaseLine;
  FTransparent = s->FTransparent;
  FLabelType = s->FLabelType;
  {
    // Copy the date settings without a repaint per setting.
    auto hook = std::move(FDTFormat->OnChange);
    FDTFormat->OnChange = nullptr;
    FDTFormat->Assign(s->FDTFormat.get());
    FDTFormat->OnChange = std::move(hook);
  }
  FMarginTop = s->FMarginTop;
  FMarginBottom = s->FMarginBottom;
  FMarginLeft = s->FMarginLeft;
  FMarginRight = s->FMarginRight;
  FLblPosX = s->FLblPosX;
  FLblPosY = s->FLblPosY;
  FUserTicktext = s->FUserTicktext;
  FScaleInscript = s->FScaleInscript;
  FScaleTickPos = s->FScaleTickPos;
  FUnitLabel = s->FUnitLabel;
  FLblAnchor = s->FLblAnchor;
  FCaptionVertical = s->FCaptionVertical;
  FLblAlign = s->FLblAlign;
  FForCvPosX = s->FForCvPosX;
  FForCvPosY = s->FForCvPosY;
  FScaleType = s->FScaleType;
  FIsHelper = s->FIsHelper;
  OnBeforeScaleRendered = s->OnBeforeScaleRendered;
  OnAfterScaleRendered = s->OnAfterScaleRendered;
  FSuppressPaint = s->FSuppressPaint;
  TriggerPaint();
}

void TScale::AssignTo(TPersistent* Dest) const {
  if (auto* d = dynamic_cast<TScale*>(Dest)) {
    d->Assign(this);
    return;
  }
  TCustomControl::AssignTo(Dest);
}

}  // namespace zyr
