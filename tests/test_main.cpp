#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

// Every test program runs headless with a real QApplication, as the controls need one.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
