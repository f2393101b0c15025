// TfrmMain: the clock of each slot. It runs only for the slot shown, while
// the window is active and not minimised and the puzzle is not solved. The
// button bar shows it after the buttons as "m:ss", and with "Solved in" over
// the time once solved. Each slot's time is kept in app.ini under
// "clock.<size>" in whole seconds.
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QTimer>
#include <algorithm>
#include <charconv>
#include <string>

#include "app/f_main.h"
#include "model/process_flags.h"
#include "persistence/app_settings.h"
#include "slots/game.h"
#include "slots/games.h"
#include "text/lang_helper.h"
#include "view/frame_grid.h"

namespace {

std::string ClockKey(const TGame& game) {
  return "clock." + game.Name();
}

// The longest time a clock keeps: far beyond any game, and far from the
// overflow of its milliseconds.
constexpr std::int64_t kMaxClockSeconds = std::int64_t{1} << 40;

// A stored clock in whole seconds; anything else (negative, not a number,
// beyond the longest time) reads as 0.
std::int64_t StoredSeconds(const std::string& text) {
  std::int64_t seconds = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (error != std::errc() || end != text.data() + text.size() || seconds < 0 ||
      seconds > kMaxClockSeconds)
    return 0;
  return seconds;
}

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
  if (!FGames || !FtClock) return;
  const bool playing = AppPhase == apRunning && isVisible() && isActiveWindow() && !isMinimized();
  for (TGame* game : FGames->Items()) game->Session().SetShown(playing && game == FCurrentGame);
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
      FCurrentGame->Status() == stSolved ? TextFor(ttnSolvedIn) + "\n" + time : time;
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

void TfrmMain::SaveClocks() {
  DropKeysOfGoneSizes("clock.");
  for (TGame* game : FGames->Items()) {
    const std::int64_t seconds = game->PlayedMs() / 1000;
    FAppSettings->WriteString(ClockKey(*game), seconds > 0 ? std::to_string(seconds) : "");
  }
}

void TfrmMain::LoadClocks() {
  for (TGame* game : FGames->Items())
    game->Session().SetPlayedMs(StoredSeconds(FAppSettings->ReadString(ClockKey(*game))) * 1000);
}

void TfrmMain::ForgetClock(const TGame& game) {
  FAppSettings->WriteString(ClockKey(game), "");
}
