// Widget tests need a QApplication before the first widget; they always run
// headless, on one offscreen screen of 1280 x 1024 pixels (the size of the
// end-to-end run's X server), so a first start's window fits on it.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (platform.isEmpty() || platform == "offscreen")
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TAVELO_TEST_SCREEN);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
