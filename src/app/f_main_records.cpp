// TfrmMain: the records. A puzzle counts as played once the first move is
// made on it (a stroke or a key that changed the board, kept for Undo), and
// as solved when its celebration starts, with the time its clock shows and
// whether it took hints or Nightmare marks. Each slot remembers how far its
// puzzle has been counted (the shelf keeps it in app.ini), so neither a
// restart nor a repeated celebration counts it twice. F6 shows the records.
#include <QAction>
#include <string>

#include "app/f_main.h"
#include "app/f_statistics.h"
#include "persistence/records.h"
#include "slots/slot.h"
#include "slots/slot_shelf.h"

namespace {

TRecordKey KeyOf(const TSlot& game) {
  return {game.Name(), game.Puzzle().Difficulty()};
}

}  // namespace

void TfrmMain::CountPlayed() {
  TSlot* const game = CurrentGame();
  if (!game || game->Progress() != TPuzzleProgress::Fresh || !game->Puzzle().CanUndo()) return;
  FRecords->CountPlayed(KeyOf(*game));
  game->SetProgress(TPuzzleProgress::Played);
}

void TfrmMain::CountSolved() {
  TSlot* const game = CurrentGame();
  if (!game || game->Progress() == TPuzzleProgress::Solved) return;
  // Solved without a move left to undo (a pasted finished board) is still
  // a puzzle played.
  if (game->Progress() == TPuzzleProgress::Fresh) FRecords->CountPlayed(KeyOf(*game));
  FRecords->CountSolved(KeyOf(*game), game->Session().SolveRecord());
  game->SetProgress(TPuzzleProgress::Solved);
}

void TfrmMain::aStatisticsExecute() {
  TfrmStatistics dialog(*FRecords, this);
  dialog.exec();
}
