// SPDX-License-Identifier: MIT
#include <zyr/chart/jointlayers.h>
#include <zyr/chart/rchart.h>
#include <zyr/platform/foundation/errors.h>

#include <string>

namespace zyr {

namespace {
bool ValidLayer(int l) { return l == 1 || l == 2; }
}  // namespace

TJointLayers::TJointLayers(TCustomRChart* Owner) : FOwner(Owner) { ResetComp(); }

void TJointLayers::ResetComp() {
  FMasterLayerX = {1, 2};
  FMasterLayerY = {1, 2};
}

int TJointLayers::GetControlledLayerX(int Index) const {
  return ValidLayer(Index) ? FMasterLayerX[size_t(Index - 1)] : Index;
}

int TJointLayers::GetControlledLayerY(int Index) const {
  return ValidLayer(Index) ? FMasterLayerY[size_t(Index - 1)] : Index;
}

void TJointLayers::SetControlledLayerX(int Index, int Value) { Join(FMasterLayerX, Index, Value, true); }

void TJointLayers::SetControlledLayerY(int Index, int Value) { Join(FMasterLayerY, Index, Value, false); }

void TJointLayers::Join(std::array<int, 2>& master, int Index, int Value, bool isX) {
  if (!ValidLayer(Value))
    throw EZYRRChartError("Destination layer " + std::to_string(Value) + " is out of range");
  if (!ValidLayer(Index)) return;  // only two layers exist; nothing to join
  if (Value == Index) {
    master[size_t(Index - 1)] = Index;
    return;
  }
  if (master[size_t(Value - 1)] != Value)
    throw EZYRRChartError("Destination layer " + std::to_string(Value) + " is already joined");
  std::string joined;
  for (int i = 1; i <= 2; ++i)
    if (i != Index && master[size_t(i - 1)] == Index)
      joined += (joined.empty() ? "" : ", ") + std::to_string(i);
  if (!joined.empty())
    throw EZYRRChartError("Layer " + std::to_string(Index) + " is joined by other layers (" +
                          joined + ")");
  master[size_t(Index - 1)] = Value;
  if (FOwner) {
    const TScaleProps& cx = FOwner->ScalePropsX(isX ? Value : Index);
    const TScaleProps& cy = FOwner->ScalePropsY(isX ? Index : Value);
    FOwner->ForceRngIntern(Index, cx.RangeLow(), cy.RangeLow(), cx.RangeHigh(), cy.RangeHigh(),
                           false, false);
  }
  Changed();
}

void TJointLayers::Changed() {
  if (OnChange) OnChange(this);
}

void TJointLayers::Assign(const TPersistent* Source) {
  if (auto* s = dynamic_cast<const TJointLayers*>(Source)) {
    FMasterLayerX = s->FMasterLayerX;
    FMasterLayerY = s->FMasterLayerY;
    OnChange = s->OnChange;
    FOwner = s->FOwner;
    return;
  }
  TPersistent::Assign(Source);
}

void TJointLayers::AssignTo(TPersistent* Dest) const {
  if (auto* d = dynamic_cast<TJointLayers*>(Dest)) {
    d->Assign(this);
    return;
  }
  TPersistent::AssignTo(Dest);
}

}  // namespace zyr
