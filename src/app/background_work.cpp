#include "app/background_work.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <exception>
#include <thread>

namespace {

bool running = false;

// Escape anywhere in the program cancels the work.
class TEscapeFilter : public QObject {
 public:
  explicit TEscapeFilter(std::atomic<bool>& cancel) : FCancel(cancel) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
      FCancel = true;
      return true;
    }
    return QObject::eventFilter(watched, e);
  }

 private:
  std::atomic<bool>& FCancel;
};

}  // namespace

bool TBackgroundWork::Running() {
  return running;
}

bool TBackgroundWork::Run(QLabel* panel, const QString& text, const TJob& job) {
  std::atomic<bool> cancel = false;
  std::atomic<bool> finished = false;
  std::exception_ptr failure;
  QEventLoop loop;
  running = true;
  std::thread worker([&] {
    try {
      job(cancel);
    } catch (...) {
      failure = std::current_exception();
    }
    finished = true;
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });

  TEscapeFilter escape(cancel);
  qApp->installEventFilter(&escape);
  const QString oldText = panel ? panel->text() : QString();
  QTimer showPanel;
  showPanel.setSingleShot(true);
  QObject::connect(&showPanel, &QTimer::timeout, [&] {
    if (!panel) return;
    panel->setText(text);
    panel->show();
    panel->raise();
  });
  showPanel.start(kPanelDelayMs);
  // The loop also ends when the program ends its event loops (a close); the
  // work is then cancelled.
  if (!finished) loop.exec();
  if (!finished) cancel = true;
  worker.join();
  qApp->removeEventFilter(&escape);
  showPanel.stop();
  if (panel) {
    panel->hide();
    panel->setText(oldText);
  }
  running = false;
  if (failure) {
    try {
      std::rethrow_exception(failure);
    } catch (...) {
      // A job that saw the cancel and gave up is a cancelled job.
      if (cancel) return false;
      throw;
    }
  }
  return !cancel;
}
