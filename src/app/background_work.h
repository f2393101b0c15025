// Long work (a large puzzle can take a while to make) on a thread of its own,
// while the window keeps painting. The caller waits in a local event loop, so
// a command that starts the work reads as one step; after a short moment a
// panel says what is being done, and Escape cancels. Only one piece of work
// runs at a time, and the caller keeps the window's commands disabled while
// it runs.
#pragma once

#include <QString>
#include <atomic>
#include <functional>

class QLabel;

class TBackgroundWork {
 public:
  // The work; it polls cancel and may end early (by returning or throwing)
  // once cancel is true.
  using TJob = std::function<void(const std::atomic<bool>& cancel)>;

  // How long the work runs before the panel shows.
  static constexpr int kPanelDelayMs = 100;

  // Runs job on another thread and returns when it has ended: true when it
  // ran to its end, false when it was cancelled (Escape, or the program
  // ending its event loops). An exception of the job is thrown again here.
  // panel (not owned, may be null) shows text while the work takes long.
  static bool Run(QLabel* panel, const QString& text, const TJob& job);

  // True while Run is waiting for a job.
  static bool Running();
};
