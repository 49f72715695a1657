// SPDX-License-Identifier: MIT
#include <zyr/chart/scaleprops.h>

#include <algorithm>
#include <cmath>

namespace zyr {

namespace {
constexpr double kLogFloor = 1e-100;
}

TScaleProps::TScaleProps() : FDTFormat(std::make_unique<TDTLabel>()) {
  FDTFormat->OnChange = [this](TObject*) { Changed(); };
  FFont.OnChange = [this](TObject*) { Changed(); };
}

TScaleProps::~TScaleProps() = default;

void TScaleProps::ResetComp() {
  FCaption.clear();
  FCaptionPosX = FCaptionPosY = 0;
  FCaptAlign = taCenter;
  FCaptAnchor = uaSclTopLft;
  FColorScale = clBlack;
  {
    TDTLabel d;  // defaults, copied without firing our handler
    auto h = std::move(FDTFormat->OnChange);
    FDTFormat->Assign(&d);
    FDTFormat->OnChange = std::move(h);
  }
  FDecPlaces = -2;
  FLogAx = false;
  FLabelType = 1;
  {
    auto h = std::move(FFont.OnChange);
    FFont = TFont();
    FFont.OnChange = std::move(h);
  }
  FMinTicks = 3;
  FNotYetLoaded = true;
  FRangeLow = 0.0;
  FRangeHigh = 1.0;
  FShortTicks = true;
  FScaleInscript.clear();
  FScalePosX = FScalePosY = 0;
  FMinRngDiff = 1e-10;
  FMouseAction = 0;
  FUserTickText.clear();
  FVisible = false;
  FCaptionVertical = false;
}

void TScaleProps::Changed() {
  if (OnChange) OnChange(this);
}

void TScaleProps::SetCaption(const std::string& v) {
  FCaption = v;
  Changed();
}
void TScaleProps::SetCaptionPosX(int v) {
  FCaptionPosX = v;
  Changed();
}
void TScaleProps::SetCaptionPosY(int v) {
  FCaptionPosY = v;
  Changed();
}
void TScaleProps::SetCaptionAlignment(TAlignment v) {
  FCaptAlign = v;
  Changed();
}
void TScaleProps::SetCaptionAnchor(TScaleUnitAnchor v) {
  FCaptAnchor = v;
  Changed();
}
void TScaleProps::SetColorScale(TColor v) {
  FColorScale = v;
  Changed();
}
void TScaleProps::SetDateFormat(const TDTLabel& v) { FDTFormat->Assign(&v); }

void TScaleProps::SetDecPlaces(int v) {
  FDecPlaces = std::clamp(v, -3, 12);
  Changed();
}

void TScaleProps::SetLogarithmic(bool v) {
  if (!v)
    FLogAx = false;
  else if (FNotYetLoaded)
    FLogAx = true;
  else if (FRangeLow >= kLogFloor && FRangeHigh >= kLogFloor && FLabelType != 3)
    FLogAx = true;
  Changed();
}

void TScaleProps::SetLabelType(TFigType v) {
  FLabelType = v;
  if (v == 3) FLogAx = false;
  if (v == 2) FDecPlaces = 4;
  Changed();
}

void TScaleProps::SetMinTicks(int v) {
  FMinTicks = v;
  Changed();
}

void TScaleProps::SetRangeLow(double v) {
  if (std::isnan(v)) return;  // a NaN bound would poison every transform
  if (std::fabs(FRangeHigh - v) < FMinRngDiff) {
    FRangeLow = v;
    FRangeHigh = v + FMinRngDiff;
  } else if (!(FLogAx && v < kLogFloor)) {
    FRangeLow = v;
  }
  Changed();
}

void TScaleProps::SetRangeHigh(double v) {
  if (std::isnan(v)) return;
  if (std::fabs(v - FRangeLow) < FMinRngDiff) {
    FRangeHigh = v;
    FRangeLow = v - FMinRngDiff;
  } else if (!(FLogAx && v < kLogFloor)) {
    FRangeHigh = v;
  }
  Changed();
}

void TScaleProps::SetShortTicks(bool v) {
  FShortTicks = v;
  Changed();
}
void TScaleProps::SetScaleInscript(const std::string& v) {
  FScaleInscript = v;
  Changed();
}

int TScaleProps::ScalePos() const { return FScaleType <= 1 ? FScalePosY : FScalePosX; }

void TScaleProps::SetScalePos(int v) {
  (FScaleType <= 1 ? FScalePosY : FScalePosX) = v;
  Changed();
}

void TScaleProps::SetMinRange(double v) {
  if (!(v > kLogFloor) || !std::isfinite(v)) return;
  FMinRngDiff = v;
  if (v > std::fabs(FRangeHigh - FRangeLow)) {
    const double c = (FRangeLow + FRangeHigh) / 2;
    FRangeLow = c - v / 2;
    FRangeHigh = c + v / 2;
    Changed();
  }
}

void TScaleProps::SetUserTickText(const std::string& v) {
  FUserTickText = v;
  Changed();
}
void TScaleProps::SetVisible(bool v) {
  FVisible = v;
  Changed();
}

void TScaleProps::SetCaptionVertical(bool v) {
  FCaptionVertical = v;
  Changed();
}

void TScaleProps::Assign(const TPersistent* Source) {
  auto* s = dynamic_cast<const TScaleProps*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  if (s == this) return;
  FCaption = s->FCaption;
  FCaptionPosX = s->FCaptionPosX;
  FCaptionPosY = s->FCaptionPosY;
  FCaptAlign = s->FCaptAlign;
  FCaptAnchor = s->FCaptAnchor;
  FCaptionVertical = s->FCaptionVertical;
  FColorScale = s->FColorScale;
  OnChange = s->OnChange;
  {
    auto h = std::move(FDTFormat->OnChange);
    FDTFormat->Assign(s->FDTFormat.get());
    FDTFormat->OnChange = std::move(h);
  }
  FDecPlaces = s->FDecPlaces;
  FLogAx = s->FLogAx;
  FLabelType = s->FLabelType;
  {
    auto h = std::move(FFont.OnChange);
    FFont.Assign(&s->FFont);
    FFont.OnChange = std::move(h);
  }
  FMinTicks = s->FMinTicks;
  FNotYetLoaded = s->FNotYetLoaded;
  FRangeLow = s->FRangeLow;
  FRangeHigh = s->FRangeHigh;
  FShortTicks = s->FShortTicks;
  FScaleInscript = s->FScaleInscript;
  FScaleType = s->FScaleType;
  FScalePosX = s->FScalePosX;
  FScalePosY = s->FScalePosY;
  FMinRngDiff = s->FMinRngDiff;
  FMouseAction = s->FMouseAction;
  FUserTickText = s->FUserTickText;
  FVisible = s->FVisible;
}

void TScaleProps::AssignTo(TPersistent* Dest) const {
  if (auto* d = dynamic_cast<TScaleProps*>(Dest)) {
    d->Assign(this);
    return;
  }
  TPersistent::AssignTo(Dest);
}

void TScalePropsHoriz::ResetComp() {
  TScaleProps::ResetComp();
  FScaleLoc = slBottom;
  FScaleType = 1;
}

void TScalePropsHoriz::SetScaleLocation(TScaleLocationHoriz v) {
  FScaleLoc = v;
  FScaleType = v == slTop ? 0 : 1;
  Changed();
}

void TScalePropsHoriz::Assign(const TPersistent* Source) {
  TScaleProps::Assign(Source);
  if (auto* s = dynamic_cast<const TScalePropsHoriz*>(Source)) FScaleLoc = s->FScaleLoc;
}

void TScalePropsVert::ResetComp() {
  TScaleProps::ResetComp();
  FScaleLoc = slLeft;
  FScaleType = 3;
}

void TScalePropsVert::SetScaleLocation(TScaleLocationVert v) {
  FScaleLoc = v;
  FScaleType = v == slLeft ? 3 : 2;
  Changed();
}

void TScalePropsVert::Assign(const TPersistent* Source) {
  TScaleProps::Assign(Source);
  if (auto* s = dynamic_cast<const TScalePropsVert*>(Source)) FScaleLoc = s->FScaleLoc;
}

}  // namespace zyr
