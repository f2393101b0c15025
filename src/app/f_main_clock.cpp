// TfrmMain: the clock of each slot. It runs only for the slot shown, while
// the window is active and not minimised and the puzzle is not solved; the
// bar's clock (TBarClock) shows it. The shelf keeps each slot's time in
// app.ini.
#include <QEvent>

#include "app/bar_clock.h"
#include "app/command_bar.h"
#include "app/f_main.h"
#include "model/process_flags.h"
#include "slots/slot.h"
#include "slots/slot_shelf.h"
#include "view/frame_grid.h"

void TfrmMain::changeEvent(QEvent* e) {
  TfrmBase::changeEvent(e);
  if (e->type() == QEvent::ActivationChange || e->type() == QEvent::WindowStateChange)
    UpdateClock();
  // Another window in front: the pointer is not on this board any more.
  if (e->type() == QEvent::ActivationChange && !isActiveWindow() && CurrentGame())
    CurrentGame()->View().PointerGone();
}

void TfrmMain::UpdateClock() {
  if (!FShelf || !FpButtons) return;
  const bool playing = AppPhase == apRunning && isVisible() && isActiveWindow() && !isMinimized();
  for (TSlot* game : FShelf->Items()) game->Session().SetShown(playing && game == CurrentGame());
  FpButtons->Clock()->Follow();
}

QLabel* TfrmMain::lClock() const {
  return FpButtons->Clock();
}

void TfrmMain::ShowClock() {
  FpButtons->Clock()->Show();
}

QSize TfrmMain::ClockSize() const {
  return FpButtons->Clock()->Room();
}
