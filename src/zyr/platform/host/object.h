// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Root classes of the host layer: TObject, TPersistent (assignable state) and TComponent
/// (owner, name and component state).

#include <zyr/platform/host/qtvalues.h>
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
  /// Copies the state of Source into this object (through Source->AssignTo when this class
  /// does not know Source's).
  virtual void Assign(const TPersistent* Source);
  std::string ClassName() const override { return "TPersistent"; }

 protected:
  /// Copies this object into Dest; raises std::invalid_argument when it cannot.
  virtual void AssignTo(TPersistent* Dest) const;
};

/// State bits of a component: being loaded, being designed, being destroyed.
enum TComponentStateFlag : uint8_t { csLoading = 1, csDesigning = 2, csDestroying = 4 };
/// Set of TComponentStateFlag bits.
using TComponentState = uint8_t;

/// A persistent object with an owner and a name. Owned components are listed by their owner
/// (they are not freed by it: lifetime stays with C++ ownership, usually the Qt parent).
class TComponent : public TPersistent {
 public:
  /// Registers the component with its owner (if any).
  explicit TComponent(TComponent* AOwner = nullptr);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  /// The owner given at construction; nullptr once the owner is gone.
  TComponent* Owner() const { return FOwner; }
  /// Name of the component, for messages and forms.
  ///@{
  const std::string& Name() const { return FName; }
  void SetName(const std::string& v) { FName = v; }
  ///@}
  /// The name as a QString.
  void SetName(const QtText auto& v) { SetName(FromQString(v)); }
  /// The state bits (csLoading, csDesigning, csDestroying).
  TComponentState ComponentState() const { return FComponentState; }
  /// Whether csLoading is set.
  bool IsLoading() const { return FComponentState & csLoading; }
  /// Whether csDesigning is set: only in the Qt Designer plugin.
  bool IsDesigning() const { return FComponentState & csDesigning; }
  /// Set by a form loader around property streaming; EndLoading calls Loaded.
  virtual void BeginLoading() { FComponentState |= csLoading; }
  /// Ends loading: calls Loaded when loading was under way.
  void EndLoading();
  /// Set only by a designer host.
  void SetDesigning(bool v);
  /// Number of components this one owns.
  int ComponentCount() const { return int(FComponents.size()); }
  /// Owned component i (0-based); nullptr for other indexes.
  TComponent* Components(int i) const;
  std::string ClassName() const override { return "TComponent"; }

 protected:
  /// Called once the properties are loaded; clears csLoading. Controls finish their setup here.
  virtual void Loaded() { FComponentState &= ~csLoading; }

 private:
  TComponent* FOwner = nullptr;
  std::string FName;
  TComponentState FComponentState = 0;
  std::vector<TComponent*> FComponents;
};

}  // namespace zyr
