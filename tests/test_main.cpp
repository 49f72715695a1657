// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QFontDatabase>
#include <cstdio>

#include "test_support.h"

namespace zyr::test {

bool HaveDefaultFont() {
  static const bool have = QFontDatabase::families().contains(QStringLiteral("DejaVu Sans"));
  return have;
}

}  // namespace zyr::test

// Every test program runs headless with a real QApplication, as the controls need one.
int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  if (!zyr::test::HaveDefaultFont())
    std::fprintf(stderr,
                 "note: DejaVu Sans is not installed; tests that measure text are skipped "
                 "(Debian: fonts-dejavu-core)\n");
  return RUN_ALL_TESTS();
}
