// TBusyState and TBusyScope: whether the window is busy, owned in one place.
// Long work (a puzzle being made, a shared puzzle being checked), the
// start-up and the shutdown must not meet the commands that change the
// puzzles, so the first scope disables them and the last one to end enables
// them again, however it ends (a return, a cancel, an exception). Everything
// that needs to know whether the window is busy asks the state.
#pragma once

#include <functional>

class TBusyState {
 public:
  // setBusy(true) disables what the work must not meet, setBusy(false)
  // enables it again; each is called once per outermost scope.
  explicit TBusyState(std::function<void(bool)> setBusy) : FSetBusy(std::move(setBusy)) {}
  TBusyState(const TBusyState&) = delete;
  TBusyState& operator=(const TBusyState&) = delete;

  bool Busy() const { return FDepth > 0; }

 private:
  friend class TBusyScope;
  int FDepth = 0;
  std::function<void(bool)> FSetBusy;
};

// The window is busy while one lives. Scopes nest: only the outermost one
// changes anything.
class TBusyScope {
 public:
  explicit TBusyScope(TBusyState& state) : FState(state) {
    if (FState.FDepth++ == 0) FState.FSetBusy(true);
  }
  ~TBusyScope() {
    if (--FState.FDepth == 0) FState.FSetBusy(false);
  }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  TBusyState& FState;
};
