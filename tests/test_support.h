// SPDX-License-Identifier: MIT
#pragma once
// Helpers shared by the test programs.

#include <gtest/gtest.h>

#include <QApplication>
#include <QWheelEvent>
#include <QWidget>

namespace zyr::test {

/// A vertical wheel turn at `at` as Qt delivers it; answers whether the control took the event.
inline bool SendWheel(QWidget& w, QPointF at, int delta,
                      Qt::KeyboardModifiers mods = Qt::NoModifier,
                      Qt::MouseButtons buttons = Qt::NoButton) {
  QWheelEvent e(at, w.mapToGlobal(at), QPoint(), QPoint(0, delta), buttons, mods,
                Qt::NoScrollPhase, false);
  QApplication::sendEvent(&w, &e);
  return e.isAccepted();
}

/// True when DejaVu Sans, the controls' default font, is installed. Tests that compare text
/// pixels or text sizes assume it; without it they would fail for the machine, not the code.
bool HaveDefaultFont();

}  // namespace zyr::test

/// Skips the calling test (or fixture SetUp) with a message when DejaVu Sans is missing.
#define ZYR_SKIP_WITHOUT_DEFAULT_FONT()                                                      \
  do {                                                                                       \
    if (!::zyr::test::HaveDefaultFont())                                                     \
      GTEST_SKIP() << "DejaVu Sans is not installed; this test measures text drawn with it"; \
  } while (0)
