// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TPaintHold: the painting suppression of a chart during a step of the user's navigation.
/// Used by the chart's own sources; not needed by applications.

#include <zyr/platform/host/destroywatch.h>

namespace zyr {

/// Switches a chart's painting suppression on for one mouse, wheel or key step and restores
/// it when the step ends, also on errors, unless an event handler deleted the chart meanwhile.
class TPaintHold {
 public:
  /// Sets Flag (the chart's suppression flag) and remembers its old value.
  TPaintHold(QObject* Chart, bool& Flag) : FWatch(Chart), FFlag(Flag), FOld(Flag) { Flag = true; }
  /// Restores the flag unless Release() was called or the chart is gone.
  ~TPaintHold() {
    if (!FDone && !FWatch.Destroyed()) FFlag = FOld;
  }
  TPaintHold(const TPaintHold&) = delete;
  TPaintHold& operator=(const TPaintHold&) = delete;
  /// The flag's value before the hold.
  bool Old() const { return FOld; }
  /// The destructor leaves the flag alone: the caller restores it itself (e.g. to repaint).
  void Release() { FDone = true; }
  /// True when an event handler deleted the chart during the step.
  bool ChartDestroyed() const { return FWatch.Destroyed(); }

 private:
  TDestroyWatch FWatch;
  bool& FFlag;
  bool FOld;
  bool FDone = false;
};

}  // namespace zyr
