// TfrmMain: news for assistive technology, spoken from the news line.
#include "app/announcer.h"
#include "app/f_main.h"
#include "app/main_window_accessible.h"
#include "model/nono_game.h"
#include "slots/slot.h"

void TfrmMain::Announce(const std::string& text) {
  if (FlAnnounce) FlAnnounce->Announce(QString::fromStdString(text));
}

void TfrmMain::AnnounceBoard() {
  if (!CurrentGame()) return;
  TNonoGame& puzzle = CurrentGame()->Puzzle();
  const TPuzzleStatus status = puzzle.GetStatus();
  if (FlAnnounce)
    FlAnnounce->Announce(
        BoardIntro(puzzle.Width(), puzzle.Height(), status.PlayerFilled, status.SolutionFilled));
}
