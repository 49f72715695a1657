// SPDX-License-Identifier: MIT
#include <zyr/platform/foundation/crosshair.h>

#include <algorithm>
#include <cmath>

namespace zyr {

void TCrossHair::Changed() {
  if (OnChange) OnChange(this);
}

void TCrossHair::SetCrossHPosX(double v) { SetPos(v, FPosY); }

void TCrossHair::SetCrossHPosY(double v) { SetPos(FPosX, v); }

void TCrossHair::SetPos(double x, double y) {
  if (!std::isfinite(x)) x = FPosX;
  if (!std::isfinite(y)) y = FPosY;
  if (x == FPosX && y == FPosY) return;
  FPosX = x;
  FPosY = y;
  Changed();
}

void TCrossHair::SetCrossHLayer(int v) {
  v = std::clamp(v, 1, 2);
  if (v == FLayer) return;
  FLayer = v;
  Changed();
}

void TCrossHair::SetCrossHColor(TColor v) {
  if (v == FColor) return;
  FColor = v;
  Changed();
}

void TCrossHair::SetCrossHMode(TCrossHMode v) {
  v = std::min<TCrossHMode>(v, 5);
  if (v == FMode) return;
  FMode = v;
  Changed();
}

void TCrossHair::SetCrossHLineType(TPenStyle v) {
  v = std::min(v, psClear);
  if (v == FLineType) return;
  FLineType = v;
  Changed();
}

void TCrossHair::SetCrossHLineWidth(int v) {
  v = std::clamp(v, 1, 100);
  if (v == FLineWidth) return;
  FLineWidth = v;
  Changed();
}

void TCrossHair::Assign(const TPersistent* Source) {
  auto* src = dynamic_cast<const TCrossHair*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  FPosX = src->FPosX;
  FPosY = src->FPosY;
  FLayer = src->FLayer;
  FColor = src->FColor;
  FMode = src->FMode;
  FLineType = src->FLineType;
  FLineWidth = src->FLineWidth;
  Changed();
}

}  // namespace zyr
