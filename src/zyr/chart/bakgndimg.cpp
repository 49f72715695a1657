// SPDX-License-Identifier: MIT
// Background image and highlighted-area settings of a chart's data area.

#include <zyr/chart/bakgndimg.h>

#include <cmath>
#include <filesystem>

namespace zyr {

namespace {
std::string FilePart(const std::string& name) {
  return std::filesystem::path(name).filename().string();
}
}  // namespace

void TBakGndImg::Changed() {
  if (OnChange) OnChange(this);
}

void TBakGndImg::SetName(const std::string& v) {
  const std::string n = FIncldPath ? v : FilePart(v);
  if (n == FName) return;
  FName = n;
  Changed();
}

void TBakGndImg::SetIncludePath(bool v) {
  if (v == FIncldPath) return;
  FIncldPath = v;
  if (!v) FName = FilePart(FName);
  Changed();
}

void TBakGndImg::SetFillMode(TBkgFill v) {
  if (v == FFillMode) return;
  FFillMode = v;
  Changed();
}

void TBakGndImg::SetAreaMode(TBGAreaMode v) {
  if (v == FBGAreaMode) return;
  FBGAreaMode = v;
  Changed();
}

void TBakGndImg::SetAreaColor(TColor v) {
  if (v == FBGAreaColor) return;
  FBGAreaColor = v;
  Changed();
}

void TBakGndImg::SetArea(double& field, double v) {
  // A NaN corner would have no pixel; keep the last usable value.
  if (std::isnan(v) || v == field) return;
  field = v;
  Changed();
}

void TBakGndImg::SetAreaLeft(double v) { SetArea(FBGAreaLeft, v); }
void TBakGndImg::SetAreaRight(double v) { SetArea(FBGAreaRight, v); }
void TBakGndImg::SetAreaTop(double v) { SetArea(FBGAreaTop, v); }
void TBakGndImg::SetAreaBottom(double v) { SetArea(FBGAreaBottom, v); }

void TBakGndImg::ResetComp() {
  FName.clear();
  FIncldPath = false;
  FFillMode = 1;
  FBGAreaMode = bamNone;
  FBGAreaColor = 0xDDDDDD;
  FBGAreaLeft = -1;
  FBGAreaRight = 1;
  FBGAreaTop = 1;
  FBGAreaBottom = -1;
}

void TBakGndImg::Assign(const TPersistent* Source) {
  const auto* src = dynamic_cast<const TBakGndImg*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  FName = src->FName;
  FIncldPath = src->FIncldPath;
  FFillMode = src->FFillMode;
  FBGAreaMode = src->FBGAreaMode;
  FBGAreaColor = src->FBGAreaColor;
  FBGAreaLeft = src->FBGAreaLeft;
  FBGAreaRight = src->FBGAreaRight;
  FBGAreaTop = src->FBGAreaTop;
  FBGAreaBottom = src->FBGAreaBottom;
  OnChange = src->OnChange;
  Changed();
}

}  // namespace zyr
