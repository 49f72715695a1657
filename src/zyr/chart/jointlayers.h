// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TJointLayers: lets an axis of one chart layer follow the same axis of the other layer.
/// A controlled axis always shows its controller's range; the chart's range operations
/// honour the relation.
///
///   chart->JointLayers().SetControlledLayerX(2, 1);   // layer 2's X axis follows layer 1

#include <zyr/platform/host/object.h>

#include <array>

namespace zyr {

class TCustomRChart;

/// Which layer's axis each axis of a chart's two layers follows; get the chart's object with
/// JointLayers(). A controlling axis is always free itself, so there are no chains.
class TJointLayers : public TPersistent {
 public:
  /// All axes free; Owner (may be null) is the chart whose ranges a join sets.
  explicit TJointLayers(TCustomRChart* Owner);

  /// All axes free.
  void ResetComp();
  /// The layer whose X (Y) axis controls layer Index's; Index itself when free.
  ///@{
  int GetControlledLayerX(int Index) const;
  int GetControlledLayerY(int Index) const;
  ///@}
  /// Joins layer Index's X (Y) axis to layer Value's (Value = Index frees it). Raises
  /// EZYRRChartError for a Value other than 1 or 2, a controller that is itself controlled,
  /// or an axis that controls others; the relation is unchanged then. Another Index is
  /// ignored. A join gives the axis its controller's range at once and fires OnChange;
  /// freeing keeps the range and fires nothing.
  ///@{
  void SetControlledLayerX(int Index, int Value);
  void SetControlledLayerY(int Index, int Value);
  ///@}

  // Published forms.
  /// The controller of the X or Y axis of layer 1 or 2, as properties of their own.
  ///@{
  int L01xControlledBy() const { return GetControlledLayerX(1); }
  void SetL01xControlledBy(int v) { SetControlledLayerX(1, v); }
  int L01yControlledBy() const { return GetControlledLayerY(1); }
  void SetL01yControlledBy(int v) { SetControlledLayerY(1, v); }
  int L02xControlledBy() const { return GetControlledLayerX(2); }
  void SetL02xControlledBy(int v) { SetControlledLayerX(2, v); }
  int L02yControlledBy() const { return GetControlledLayerY(2); }
  void SetL02yControlledBy(int v) { SetControlledLayerY(2, v); }
  ///@}

  /// Fired after a successful join; the chart repaints from it.
  TNotifyEvent OnChange;
  /// The chart given at construction.
  TCustomRChart* Owner() const { return FOwner; }

  /// From another TJointLayers: the four controllers, OnChange and the owner; no range
  /// changes, no event.
  void Assign(const TPersistent* Source) override;
  std::string ClassName() const override { return "TJointLayers"; }

 protected:
  void AssignTo(TPersistent* Dest) const override;
  /// Fires OnChange.
  void Changed();

 private:
  void Join(std::array<int, 2>& master, int Index, int Value, bool isX);

  std::array<int, 2> FMasterLayerX{1, 2};
  std::array<int, 2> FMasterLayerY{1, 2};
  TCustomRChart* FOwner = nullptr;
};

}  // namespace zyr
