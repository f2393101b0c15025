// The main of every test program: GoogleTest with the process guard, and for
// widget tests a QApplication before the first widget, always headless.
#include <gtest/gtest.h>

#include "support/process_guard.h"

#ifdef TAVELO_TEST_WIDGETS
#include <QApplication>
#endif

int main(int argc, char** argv) {
#ifdef TAVELO_TEST_WIDGETS
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
#endif
  ::testing::InitGoogleTest(&argc, argv);
  test_support::InstallProcessGuard();
  return RUN_ALL_TESTS();
}
