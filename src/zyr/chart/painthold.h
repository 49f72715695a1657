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
  TPaintHold(QObject* Chart, bool& Flag) : FWatch(Chart), FFlag(Flag), FOld(Flag) { Flag = true; }
  ~TPaintHold() {
    if (!FDone && !FWatch.Destroyed()) FFlag = FOld;
  }
  TPaintHold(const TPaintHold&) = delete;
  TPaintHold& operator=(const TPaintHold&) = delete;
  bool Old() const { return FOld; }
  void Release() { FDone = true; }
  bool ChartDestroyed() const { return FWatch.Destroyed(); }

 private:
  TDestroyWatch FWatch;
  bool& FFlag;
  bool FOld;
  bool FDone = false;
};

}  // namespace zyr
