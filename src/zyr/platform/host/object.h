// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Root classes of the host layer: TObject, TPersistent (assignable state) and TComponent
/// (owner, name and component state).

#include <zyr/platform/host/types.h>

#include <string>
#include <vector>

namespace zyr {

/// Root of every class of the library that takes part in events as a Sender.
class TObject {
 public:
  virtual ~TObject() = default;
  /// The class name, for messages.
  virtual std::string ClassName() const { return "TObject"; }
};

/// An object whose state can be copied from another of a compatible class.
/// Assign(src) asks src to copy itself into this object through AssignTo; a pair of classes
/// that cannot copy raises std::invalid_argument.
class TPersistent : public TObject {
 public:
  virtual void Assign(const TPersistent* Source);
  std::string ClassName() const override { return "TPersistent"; }

 protected:
  virtual void AssignTo(TPersistent* Dest) const;
};

enum TComponentStateFlag : uint8_t { csLoading = 1, csDesigning = 2, csDestroying = 4 };
using TComponentState = uint8_t;

/// A persistent object with an owner and a name. Owned components are listed by their owner
/// (they are not freed by it: lifetime stays with C++ ownership, usually the Qt parent).
class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* AOwner = nullptr);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return FOwner; }
  const std::string& Name() const { return FName; }
  void SetName(const std::string& v) { FName = v; }
  TComponentState ComponentState() const { return FComponentState; }
  bool IsLoading() const { return FComponentState & csLoading; }
  bool IsDesigning() const { return FComponentState & csDesigning; }
  /// Set by a form loader around property streaming; EndLoading calls Loaded.
  virtual void BeginLoading() { FComponentState |= csLoading; }
  void EndLoading();
  /// Set only by a designer host.
  void SetDesigning(bool v);
  int ComponentCount() const { return int(FComponents.size()); }
  TComponent* Components(int i) const;
  std::string ClassName() const override { return "TComponent"; }

 protected:
  virtual void Loaded() { FComponentState &= ~csLoading; }

 private:
  TComponent* FOwner = nullptr;
  std::string FName;
  TComponentState FComponentState = 0;
  std::vector<TComponent*> FComponents;
};

}  // namespace zyr
