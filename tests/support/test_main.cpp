// The main of every test program: GoogleTest with the process guard, and for
// widget tests a QApplication before the first widget, always headless. A
// program built with a screen file runs on that offscreen screen (e.g. 1280 x
// 1024, the end-to-end run's X server, so a first start's window fits).
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/process_guard.h"

#ifdef TAVELO_TEST_WIDGETS
#include <QApplication>
#endif

int main(int argc, char** argv) {
  // A first start picks the system's language; the tests expect English
  // whatever the locale of the machine that runs them.
  setenv("LC_ALL", "C.UTF-8", 1);
#ifdef TAVELO_TEST_WIDGETS
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
#ifdef TAVELO_TEST_SCREEN
  if (platform.isEmpty() || platform == "offscreen")
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TAVELO_TEST_SCREEN);
#else
  if (platform.isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
  QApplication app(argc, argv);
#endif
  ::testing::InitGoogleTest(&argc, argv);
  test_support::InstallProcessGuard();
  return RUN_ALL_TESTS();
}
