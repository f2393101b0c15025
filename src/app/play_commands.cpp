#include "app/play_commands.h"

#include <QAction>
#include <QMenu>
#include <fstream>
#include <stdexcept>

#include "app/busy_scope.h"
#include "app/main_actions.h"
#include "app/message_box.h"
#include "model/process_flags.h"
#include "persistence/game_settings.h"
#include "slots/slot.h"
#include "text/lang_helper.h"
#include "util/app_environment.h"
#include "view/frame_grid.h"

namespace {

bool Confirmed(const QString& caption) {
  return ShowMessageBox(TextFor(ttnAreYouSure), caption.toStdString(), mkYesNo) == maYes;
}

void WriteTextFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) throw std::runtime_error("Cannot create file " + path);
}

}  // namespace

TPlayCommands::TPlayCommands(TPlayWindow window, const TGameSettings& gameSettings,
                             TBusyState& busy, const TMainActions& actions, bool diagnostics)
    : FWindow(std::move(window)),
      FGameSettings(&gameSettings),
      FBusy(busy),
      FActions(&actions),
      FDiagnostics(diagnostics) {}

// --- New, Start Over ---

void TPlayCommands::aNewExecute() {
  NewOfDifficulty(FGameSettings->NewDifficulty());
}

void TPlayCommands::aNewEasyExecute() {
  NewOfDifficulty(TDifficulty::Easy);
}

void TPlayCommands::aNewMediumExecute() {
  NewOfDifficulty(TDifficulty::Medium);
}

void TPlayCommands::aNewNormalExecute() {
  NewOfDifficulty(TDifficulty::Normal);
}

void TPlayCommands::NewOfDifficulty(TDifficulty difficulty) {
  FWindow.StopCelebration();
  // Busy from the question on: the board waits for the new puzzle.
  const TBusyScope busy(FBusy);
  RequestNewGame(difficulty, true);
}

void TPlayCommands::RequestNewGame(TDifficulty difficulty, bool confirm) {
  if (confirm && !CurrentGameSolved() && !Confirmed(FActions->aNew->text())) return;
  NewPuzzle(difficulty);
  FWindow.UpdateActions();
  FWindow.UpdateCaption();
}

bool TPlayCommands::CurrentGameSolved() {
  if (!CurrentGame() || CurrentGame()->Status() != stSolved) return false;
  return IsSolved(CurrentGame()->Puzzle().GetStatus());
}

void TPlayCommands::NewPuzzle(TDifficulty difficulty) {
  if (!CurrentGame()) return;
  // Made on another thread, so the window keeps painting while a large
  // puzzle takes its time; Escape leaves the old game.
  TSlot* slot = CurrentGame();
  TInternalArrArr picture;
  const bool made = FWindow.RunWithPanel(
      QString::fromStdString(TextFor(ttnMakingPuzzle))
          .arg(QString::fromStdString(slot->Name()))
          .toStdString(),
      [&](const std::atomic<bool>& cancel) { picture = slot->MakePicture(difficulty, &cancel); });
  if (!made) return;
  slot->TakePicture(difficulty, picture);
  FWindow.RefreshBoard();
  FWindow.UpdateActions();
  CurrentGame()->SetInputEnabled(true);
  FWindow.StopCelebration();
}

void TPlayCommands::aStartOverExecute() {
  if (!Confirmed(FActions->aStartOver->text()) || !CurrentGame()) return;
  FWindow.StopCelebration();
  CurrentGame()->StartOver();
  FWindow.SyncSlot();
}

// --- Check, Nightmare, the solution ---

void TPlayCommands::aCheckExecute() {
  RunCheck();
}

void TPlayCommands::RunCheck() {
  if (!CurrentGame()) return;
  const TPuzzleStatus status = CurrentGame()->Puzzle().GetStatus();
  if (NightmareRule(status)) return;
  if (IsSolved(status)) {
    // A running pulse goes on undisturbed.
    if (!FWindow.PulseRunning()) FWindow.StartCelebration();
    FWindow.UpdateActions();
  } else if (NoMistakes(status)) {
    FWindow.Announce(TextFor(ttnAnnounceNoMistakes));
    CurrentGame()->FlashCorrect(1, 150);
  } else {
    FWindow.Announce(TextFor(ttnAnnounceMistake));
    CurrentGame()->FlashMistakes();
  }
}

bool TPlayCommands::NightmareRule(const TPuzzleStatus& status) {
  if (FGameSettings->GameMode() != gmNightmare || !HasWrongCells(status)) return false;
  CurrentGame()->MarkIncorrect();
  FActions->aCheat->trigger();
  FWindow.RefreshBoard();
  CurrentGame()->View().ScrollToFirst(psIncorrect);
  CurrentGame()->FlashMistakes();
  FWindow.Announce(TextFor(ttnBoom));
  ShowMessageBox(TextFor(ttnBoom), kProductName, mkOk);
  RequestNewGame(FGameSettings->NewDifficulty(), false);
  return true;
}

void TPlayCommands::aCheatExecute() {
  if (!CurrentGame()) return;
  CurrentGame()->ShowSolution();
  FWindow.UpdateActions();
  FWindow.RefreshBoard();
}

// --- Undo, Redo ---

void TPlayCommands::aUndoExecute() {
  if (!CurrentGame() || !CurrentGame()->CanUndo()) return;
  CurrentGame()->Undo();
  FWindow.SyncSlot();
  if (FGameSettings->SolvedAtOnce()) FWindow.CelebrateIfSolved();
}

void TPlayCommands::aRedoExecute() {
  if (!CurrentGame() || !CurrentGame()->CanRedo()) return;
  CurrentGame()->Redo();
  FWindow.SyncSlot();
  if (FGameSettings->SolvedAtOnce()) FWindow.CelebrateIfSolved();
}

// --- Diagnostics ---

std::string TPlayCommands::CluesDumpPath() {
  return GetSettingsFolder(true) + "clues.txt";
}

std::string TPlayCommands::PuzzlesDumpPath() {
  return GetSettingsFolder(true) + "puzzles.txt";
}

void TPlayCommands::aAsTextExecute() {
  if (!FDiagnostics || !CurrentGame()) return;
  const TNonoGame& puzzle = CurrentGame()->Puzzle();
  WriteTextFile(CluesDumpPath(), std::to_string(puzzle.Width()) + " " +
                                     std::to_string(puzzle.Height()) + "\r\n" +
                                     puzzle.ColumnListing() + "\r\n" + puzzle.RowListing());
}

void TPlayCommands::aDebugExecute() {
  if (!FDiagnostics) return;
  std::string text;
  for (QAction* item : FActions->pmGame()->actions()) {
    if (item->data().toInt() != kSlotItemTag) continue;
    FWindow.SelectSlotByName(SlotNameOf(item->text()));
    for (int n = 1; n <= 3; ++n) {
      CurrentGame()->StartNewPuzzle(TDifficulty::Normal);
      text += CurrentGame()->Puzzle().SolutionArrayText("arr_" + std::to_string(n)) + "\r\n";
    }
  }
  WriteTextFile(PuzzlesDumpPath(), text);
}
