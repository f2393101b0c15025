// Long work on a thread of its own: the window keeps running its events, a
// panel tells what is being done once it takes long, Escape cancels, and a
// failure of the work reaches the caller.
#include "app/background_work.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <stdexcept>
#include <thread>

#include <gtest/gtest.h>

namespace {

// Work that runs until it is cancelled, at most five seconds.
void UntilCancelled(const std::atomic<bool>& cancel) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!cancel && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

struct Panel {
  QWidget window;
  QLabel* label = new QLabel("Please wait...", &window);
  Panel() {
    label->hide();
    window.show();
  }
};

}  // namespace

TEST(BackgroundWork, EscapeCancelsAndThePanelToldWhatWasMade) {
  Panel p;
  bool shownWithText = false;
  int timerTicks = 0;
  QTimer events;  // the window's own events go on meanwhile
  QObject::connect(&events, &QTimer::timeout, [&] { ++timerTicks; });
  events.start(10);
  QTimer::singleShot(TBackgroundWork::kPanelDelayMs + 150, [&] {
    shownWithText = p.label->isVisible() && p.label->text() == "Making a 100x100 puzzle";
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&p.window, &escape);
  });
  EXPECT_FALSE(TBackgroundWork::Run(p.label, "Making a 100x100 puzzle", UntilCancelled));
  EXPECT_TRUE(shownWithText);
  EXPECT_GT(timerTicks, 5);
  EXPECT_FALSE(p.label->isVisible());
  EXPECT_EQ(p.label->text(), "Please wait...");
  EXPECT_FALSE(TBackgroundWork::Running());
}

TEST(BackgroundWork, QuickWorkEndsWithoutThePanel) {
  Panel p;
  int result = 0;
  EXPECT_TRUE(
      TBackgroundWork::Run(p.label, "Making", [&](const std::atomic<bool>&) { result = 42; }));
  EXPECT_EQ(result, 42);
  EXPECT_FALSE(p.label->isVisible());
}

TEST(BackgroundWork, AFailureReachesTheCallerAndAGiveUpAfterCancelIsACancel) {
  EXPECT_THROW(TBackgroundWork::Run(
                   nullptr, "",
                   [](const std::atomic<bool>&) { throw std::runtime_error("No puzzle found"); }),
               std::runtime_error);
  QTimer::singleShot(50, [] {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(qApp, &escape);
  });
  EXPECT_FALSE(TBackgroundWork::Run(nullptr, "", [](const std::atomic<bool>& cancel) {
    UntilCancelled(cancel);
    throw std::runtime_error("Generation cancelled");
  }));
}

// A close ends every event loop: the work is cancelled and the caller returns.
TEST(BackgroundWork, TheProgramEndingItsEventLoopsCancelsTheWork) {
  QTimer::singleShot(50, [] { QApplication::exit(0); });
  EXPECT_FALSE(TBackgroundWork::Run(nullptr, "", UntilCancelled));
}
