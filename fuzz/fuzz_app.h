// SPDX-License-Identifier: MIT
#pragma once
// The application object the drawing fuzzers need (include in the target's one source file);
// created once, never torn down (libFuzzer
// exits without teardown).

#include <QApplication>
#include <cstdlib>

// The font library keeps its caches for the whole process; they are not ours to free.
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\n";
}

namespace zyr::fuzz {

inline void StartApplication(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static QApplication* app = new QApplication(*argc, *argv);
  (void)app;
}

}  // namespace zyr::fuzz
