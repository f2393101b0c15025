#include "app/quit_signals.h"

#include <QApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QWidget>
#include <memory>
#include <utility>

namespace {

bool endingUnattended = false;

// Closes the modal windows innermost first; each returns from its exec
// once the event loop runs again.
void CloseModalWindows() {
  QWidget* closed = nullptr;
  while (QWidget* modal = QApplication::activeModalWidget()) {
    if (modal == closed) break;  // it refused to close
    modal->close();
    closed = modal;
  }
}

}  // namespace

bool EndingUnattended() {
  return endingUnattended;
}

void SetEndingUnattended(bool unattended) {
  endingUnattended = unattended;
}

#ifndef _WIN32
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The handler may only write to a descriptor; the notifier reads it on the UI
// thread. Bytes written before the notifier exists wait in the socket.
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = write(signalPipe[0], &byte, 1);
}

}  // namespace

void CatchTerminationSignals() {
  if (signalPipe[0] < 0 && socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigset_t set;
  sigemptyset(&set);
  for (int sig : kSignals) {
    sigaction(sig, &action, nullptr);
    sigaddset(&set, sig);
  }
  sigprocmask(SIG_UNBLOCK, &set, nullptr);
}

#else

void CatchTerminationSignals() {}

#endif

void OnTerminationSignals(QObject* context, std::function<void()> onSignal) {
  auto shared = std::make_shared<std::function<void()>>(std::move(onSignal));
  const auto end = [shared] {
    SetEndingUnattended();
    CloseModalWindows();
    (*shared)();
  };
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, context,
                   [end](QSessionManager&) { end(); });
#ifndef _WIN32
  if (signalPipe[1] < 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, context);
  QObject::connect(notifier, &QSocketNotifier::activated, context, [end] {
    char byte = 0;
    [[maybe_unused]] const ssize_t n = read(signalPipe[1], &byte, 1);
    end();
  });
#endif
}
