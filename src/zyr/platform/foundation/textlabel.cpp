// SPDX-License-Identifier: MIT
#include <zyr/platform/foundation/textlabel.h>

#include <algorithm>
#include <cmath>

namespace zyr {

TCustomTextLabel::TCustomTextLabel() {
  FFont.OnChange = [this](TObject*) {
    if (FUpdating == 0) Changed();
  };
}

void TCustomTextLabel::Changed() {
  if (OnChange) OnChange(this);
}

namespace {

template <typename T>
bool Store(T& field, T v) {
  if (field == v) return false;
  field = v;
  return true;
}

}  // namespace

void TCustomTextLabel::SetTxtLblCaption(const std::string& v) {
  if (Store(FCaption, v)) Changed();
}

void TCustomTextLabel::SetTxtLblPosX(double v) { SetTxtLblPos(v, FPosY); }

void TCustomTextLabel::SetTxtLblPosY(double v) { SetTxtLblPos(FPosX, v); }

void TCustomTextLabel::SetTxtLblPos(double x, double y) {
  if (!std::isfinite(x)) x = FPosX;
  if (!std::isfinite(y)) y = FPosY;
  bool changed = Store(FPosX, x);
  changed = Store(FPosY, y) || changed;
  if (changed) Changed();
}

void TCustomTextLabel::SetTxtLblLayer(int v) {
  if (Store(FLayer, std::clamp(v, 1, 2))) Changed();
}

void TCustomTextLabel::SetTxtLblAttachToData(TTxtLblAttachMode v) {
  if (Store(FAttachToData, std::min<TTxtLblAttachMode>(v, 3))) Changed();
}

void TCustomTextLabel::SetTxtLblAlignment(TAlignment v) {
  if (v > taCenter) v = taCenter;
  if (Store(FAlignment, v)) Changed();
}

void TCustomTextLabel::SetTxtLblVertAlignment(TVerticalAlignment v) {
  if (Store(FVerticalAlignment, std::min<TVerticalAlignment>(v, 2))) Changed();
}

void TCustomTextLabel::SetTxtLblMode(TTxtLblMode v) {
  if (Store(FMode, std::min<TTxtLblMode>(v, 4))) Changed();
}

void TCustomTextLabel::SetTxtLblVisible(bool v) {
  if (Store(FVisible, v)) Changed();
}

void TCustomTextLabel::SetTxtLblTransparent(bool v) {
  if (Store(FTransparent, v)) Changed();
}

void TCustomTextLabel::SetTxtLblColorBkg(TColor v) {
  if (Store(FColorBkg, v)) Changed();
}

void TCustomTextLabel::SetTxtLblColorBorder(TColor v) {
  if (Store(FColorBorder, v)) Changed();
}

void TCustomTextLabel::SetTxtLblColorShadow(TColor v) {
  if (Store(FColorShadow, v)) Changed();
}

void TCustomTextLabel::SetTxtLblShadowDx(int v) {
  if (Store(FShadowDx, v)) Changed();
}

void TCustomTextLabel::SetTxtLblShadowDy(int v) {
  if (Store(FShadowDy, v)) Changed();
}

void TCustomTextLabel::SetTxtLblFont(const TFont& v) {
  if (&v == &FFont) return;
  ++FUpdating;
  FFont.Assign(&v);
  --FUpdating;
  Changed();
}

void TCustomTextLabel::Assign(const TPersistent* Source) {
  auto* src = dynamic_cast<const TCustomTextLabel*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  FCaption = src->FCaption;
  FPosX = src->FPosX;
  FPosY = src->FPosY;
  FLayer = src->FLayer;
  FAttachToData = src->FAttachToData;
  FAlignment = src->FAlignment;
  FVerticalAlignment = src->FVerticalAlignment;
  FMode = src->FMode;
  FVisible = src->FVisible;
  FTransparent = src->FTransparent;
  FColorBkg = src->FColorBkg;
  FColorBorder = src->FColorBorder;
  FColorShadow = src->FColorShadow;
  FShadowDx = src->FShadowDx;
  FShadowDy = src->FShadowDy;
  ++FUpdating;
  FFont.Assign(&src->FFont);
  --FUpdating;
  Changed();
}

}  // namespace zyr
