// TfrmMain: the clock of each slot. It runs only for the slot shown, while
// the window is active and not minimised and the puzzle is not solved. The
// button bar shows it after the buttons as "m:ss", and with "Solved in" over
// the time once solved. The shelf keeps each slot's time in app.ini.
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QTimer>
#include <algorithm>
#include <string>

#include "app/f_main.h"
#include "model/process_flags.h"
#include "slots/game.h"
#include "slots/slot_shelf.h"
#include "text/lang_helper.h"
#include "view/frame_grid.h"

namespace {

std::string MinutesSeconds(std::int64_t ms) {
  const std::int64_t seconds = ms / 1000;
  const std::string ss = std::to_string(seconds % 60);
  return std::to_string(seconds / 60) + ":" + (ss.size() < 2 ? "0" : "") + ss;
}

}  // namespace

void TfrmMain::changeEvent(QEvent* e) {
  TfrmBase::changeEvent(e);
  if (e->type() == QEvent::ActivationChange || e->type() == QEvent::WindowStateChange)
    UpdateClock();
  // Another window in front: the pointer is not on this board any more.
  if (e->type() == QEvent::ActivationChange && !isActiveWindow() && FCurrentGame)
    FCurrentGame->View().PointerGone();
}

void TfrmMain::UpdateClock() {
  if (!FShelf || !FtClock) return;
  const bool playing = AppPhase == apRunning && isVisible() && isActiveWindow() && !isMinimized();
  for (TGame* game : FShelf->Items()) game->Session().SetShown(playing && game == FCurrentGame);
  FollowClock();
}

void TfrmMain::FollowClock() {
  if (FCurrentGame && FCurrentGame->ClockRunning())
    FtClock->start();
  else
    FtClock->stop();
  ShowClock();
}

void TfrmMain::ShowClock() {
  if (!FlClock) return;
  if (!FCurrentGame) {
    FlClock->clear();
    FlClock->setAccessibleName({});
    return;
  }
  const std::string time = MinutesSeconds(FCurrentGame->PlayedMs());
  const std::string text =
      FCurrentGame->Status() == gsSolved ? TextFor(ttnSolvedIn) + "\n" + time : time;
  if (FlClock->text().toStdString() == text) return;
  FlClock->setText(QString::fromStdString(text));
  FlClock->setAccessibleName(FlClock->text().replace('\n', ' '));
}

QSize TfrmMain::ClockSize() const {
  const QFontMetrics metrics(FlClock->font());
  const int width =
      std::max(metrics.horizontalAdvance(QString::fromStdString(TextFor(ttnSolvedIn))),
               metrics.horizontalAdvance("000:00"));
  return {width + 4, 2 * metrics.height()};
}
