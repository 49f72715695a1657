// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Change notification shared by the numeric containers.

#include <zyr/platform/host/object.h>

namespace zyr {

/// Base of TMatrix, TIntMatrix, TVector and TDataTable: OnChange fires after every change.
/// Bulk edits go between BeginUpdate and EndUpdate, which fires OnChange once at the end if
/// anything changed meanwhile (the calls nest). Containers are not copyable; copy the contents
/// with Assign, which keeps the target's OnChange handler.
class TChangeNotifier : public TPersistent {
 public:
  TChangeNotifier() = default;
  TChangeNotifier(const TChangeNotifier&) = delete;
  TChangeNotifier& operator=(const TChangeNotifier&) = delete;

  /// Starts a bulk edit: OnChange waits for the matching EndUpdate.
  void BeginUpdate() { ++FUpdateCount; }
  /// Ends a bulk edit; the outermost one fires OnChange once if anything changed.
  void EndUpdate();
  /// Inside BeginUpdate .. EndUpdate.
  bool Updating() const { return FUpdateCount > 0; }

  /// Fires after every change (once per bulk edit).
  TNotifyEvent OnChange;

 protected:
  /// Reports a change now, or at the end of the outermost update.
  void Changed();

 private:
  int FUpdateCount = 0;
  bool FPending = false;
};

}  // namespace zyr
