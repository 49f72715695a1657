// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// TDestroyWatch: notices that a control was destroyed while it called out to the application.

#include <QObject>
#include <QPointer>

namespace zyr {

/// Notices that an object was destroyed while it called out to the application: an event
/// handler may delete the control that raised the event (`deleteLater()` is the usual way).
/// After Destroyed() answers true the caller returns at once without touching any member.
///
///   const TDestroyWatch watch(this);
///   if (OnSomething) OnSomething(this);
///   if (watch.Destroyed()) return;
class TDestroyWatch {
 public:
  /// Watches Obj from now on.
  explicit TDestroyWatch(QObject* Obj) : FObj(Obj) {}
  /// Obj was destroyed since the watch began.
  bool Destroyed() const { return FObj.isNull(); }

 private:
  QPointer<QObject> FObj;
};

}  // namespace zyr
