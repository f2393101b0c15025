// TBusyScope: the window is busy while one lives. Long work (a puzzle being
// made, a shared puzzle being checked) must not meet the commands that
// change the puzzles, so the scope disables them when it begins and enables
// them again when it ends, however it ends (a return, a cancel, an
// exception). Scopes nest: only the outermost one changes anything.
#pragma once

#include <functional>

class TBusyScope {
 public:
  // setBusy(true) disables what the work must not meet, setBusy(false)
  // enables it again; depth counts the scopes alive (owned by the window).
  TBusyScope(int& depth, std::function<void(bool)> setBusy)
      : FDepth(depth), FSetBusy(std::move(setBusy)) {
    if (FDepth++ == 0) FSetBusy(true);
  }
  ~TBusyScope() {
    if (--FDepth == 0) FSetBusy(false);
  }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  int& FDepth;
  std::function<void(bool)> FSetBusy;
};
