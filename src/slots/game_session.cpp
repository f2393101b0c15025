#include "slots/game_session.h"

TGameSession::TGameSession(int width, int height, QObject* parent)
    : QObject(parent), FPuzzle(std::make_unique<TNonoGame>(width, height)) {}

TGameSession::~TGameSession() = default;

void TGameSession::SetStatus(TGameStatus status) {
  FStatus = status;
  Derive();
}

void TGameSession::Undo() {
  if (!CanUndo()) return;
  FPuzzle->Undo();
  Derive();
}

void TGameSession::Redo() {
  if (!CanRedo()) return;
  FPuzzle->Redo();
  Derive();
}

void TGameSession::StartOver() {
  FPuzzle->StartOver();
  SetStatus(stPlaying);
}

void TGameSession::BoardChanged() {
  Derive();
}

std::int64_t TGameSession::PlayedMs() const {
  return FPlayedMs + (FClock.isValid() ? FClock.elapsed() : 0);
}

void TGameSession::SetPlayedMs(std::int64_t ms) {
  FPlayedMs = ms;
  if (FClock.isValid()) FClock.restart();
  emit clockChanged();
}

void TGameSession::SetShown(bool shown) {
  FShown = shown;
  Derive();
}

void TGameSession::NewPuzzleStarted() {
  FPuzzle->ClearHistory();
  FHintsUsed = 0;
  FProgress = TPuzzleProgress::Fresh;
  FNightmareMarked = false;
  FStatus = stPlaying;
  SetPlayedMs(0);
  Derive();
}

void TGameSession::Derive() {
  const bool run = FShown && !Solved();
  if (run != FClock.isValid()) {
    if (run) {
      FClock.start();
    } else {
      FPlayedMs += FClock.elapsed();
      FClock.invalidate();
    }
    emit clockChanged();
  }
  // Each told once per change, in an order that leaves the listeners with
  // the whole new state by the last signal.
  const auto tell = [this](bool now, bool& told, void (TGameSession::*signal)(bool)) {
    if (now == told) return;
    told = now;
    emit(this->*signal)(now);
  };
  tell(Solved(), FToldSolved, &TGameSession::solvedChanged);
  tell(CanUndo(), FToldCanUndo, &TGameSession::canUndoChanged);
  tell(CanRedo(), FToldCanRedo, &TGameSession::canRedoChanged);
  tell(CanCheck(), FToldCanCheck, &TGameSession::canCheckChanged);
}
