// SPDX-License-Identifier: MIT
#include <zyr/platform/host/object.h>

#include <algorithm>
#include <stdexcept>

namespace zyr {

void TPersistent::Assign(const TPersistent* Source) {
  if (Source == this) return;
  if (Source == nullptr) throw std::invalid_argument("Cannot assign nil to a " + ClassName());
  Source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* Dest) const {
  throw std::invalid_argument("Cannot assign a " + ClassName() + " to a " + Dest->ClassName());
}

TComponent::TComponent(TComponent* AOwner) : FOwner(AOwner) {
  if (FOwner) FOwner->FComponents.push_back(this);
}

TComponent::~TComponent() {
  FComponentState |= csDestroying;
  for (TComponent* c : FComponents) c->FOwner = nullptr;
  if (FOwner) {
    auto& v = FOwner->FComponents;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
  }
}

void TComponent::EndLoading() {
  if (FComponentState & csLoading) Loaded();
  FComponentState &= ~csLoading;
}

void TComponent::SetDesigning(bool v) {
  if (v)
    FComponentState |= csDesigning;
  else
    FComponentState &= ~csDesigning;
}

TComponent* TComponent::Components(int i) const {
  return (i >= 0 && i < ComponentCount()) ? FComponents[size_t(i)] : nullptr;
}

}  // namespace zyr
