// Test entry point for suites that need a QApplication (widgets, windows, painting).
// The test helper sets QT_QPA_PLATFORM=offscreen, so no display is needed.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <QApplication>

int main(int argc, char** argv) {
  // Listing the tests at build time happens without the test environment.
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
