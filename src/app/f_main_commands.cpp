// The commands of the main window: its actions, keys and wheel, the Check
// command with the Nightmare rule and the celebration, and the clipboard.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>
#include <fstream>

#include "app/announcer.h"
#include "app/background_work.h"
#include "app/f_about.h"
#include "app/f_main.h"
#include "app/f_settings.h"
#include "app/message_box.h"
#include "app/paste_check.h"
#include "model/process_flags.h"
#include "persistence/app_settings.h"
#include "persistence/game_settings.h"
#include "persistence/game_state.h"
#include "slots/slot.h"
#include "slots/slot_shelf.h"
#include "text/lang_helper.h"
#include "util/app_environment.h"
#include "view/frame_grid.h"
#include "view/paint_box.h"

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

// --- New, Start Over ---

void TfrmMain::aNewExecute() {
  NewOfDifficulty(FGameSettings->NewDifficulty());
}

void TfrmMain::aNewEasyExecute() {
  NewOfDifficulty(TDifficulty::Easy);
}

void TfrmMain::aNewMediumExecute() {
  NewOfDifficulty(TDifficulty::Medium);
}

void TfrmMain::aNewNormalExecute() {
  NewOfDifficulty(TDifficulty::Normal);
}

void TfrmMain::NewOfDifficulty(TDifficulty difficulty) {
  StopCelebration();
  // Busy from the question on: the board waits for the new puzzle.
  const TBusyScope busy(FBusy);
  RequestNewGame(difficulty, true);
}

void TfrmMain::RequestNewGame(TDifficulty difficulty, bool confirm) {
  if (confirm && !CurrentGameSolved() && !Confirmed(FActions->aNew->text())) return;
  NewPuzzle(difficulty);
  UpdateActions(0);
  UpdateCaption();
}

bool TfrmMain::CurrentGameSolved() {
  if (!FCurrentGame || FCurrentGame->Status() != stSolved) return false;
  return IsSolved(FCurrentGame->Puzzle().GetStatus());
}

void TfrmMain::NewPuzzle(TDifficulty difficulty) {
  if (!FCurrentGame) return;
  // Made on another thread, so the window keeps painting while a large
  // puzzle takes its time; Escape leaves the old game.
  TSlot* slot = FCurrentGame;
  TInternalArrArr picture;
  const bool made = RunWithPanel(
      QString::fromStdString(TextFor(ttnMakingPuzzle))
          .arg(QString::fromStdString(slot->Name()))
          .toStdString(),
      [&](const std::atomic<bool>& cancel) { picture = slot->MakePicture(difficulty, &cancel); });
  if (!made) return;
  slot->TakePicture(difficulty, picture);
  RefreshBoard();
  UpdateActions(0);
  FCurrentGame->SetInputEnabled(true);
  StopCelebration();
}

void TfrmMain::aStartOverExecute() {
  if (!Confirmed(FActions->aStartOver->text()) || !FCurrentGame) return;
  StopCelebration();
  FCurrentGame->StartOver();
  SyncSlot();
}

// --- Check, Nightmare, celebration ---

void TfrmMain::aCheckExecute() {
  RunCheck();
}

void TfrmMain::RunCheck() {
  if (!FCurrentGame) return;
  const TPuzzleStatus status = FCurrentGame->Puzzle().GetStatus();
  if (NightmareRule(status)) return;
  if (IsSolved(status)) {
    // A running pulse goes on undisturbed.
    if (!tCongrats()->isActive()) StartCelebration();
    UpdateActions(0);
  } else if (NoMistakes(status)) {
    Announce(TextFor(ttnAnnounceNoMistakes));
    FCurrentGame->FlashCorrect(1, 150);
  } else {
    Announce(TextFor(ttnAnnounceMistake));
    FCurrentGame->FlashMistakes();
  }
}

bool TfrmMain::NightmareRule(const TPuzzleStatus& status) {
  if (FGameSettings->GameMode() != gmNightmare || !HasWrongCells(status)) return false;
  FCurrentGame->MarkIncorrect();
  FActions->aCheat->trigger();
  RefreshBoard();
  FCurrentGame->View().ScrollToFirst(psIncorrect);
  FCurrentGame->FlashMistakes();
  Announce(TextFor(ttnBoom));
  ShowMessageBox(TextFor(ttnBoom), kProductName, mkOk);
  RequestNewGame(FGameSettings->NewDifficulty(), false);
  return true;
}

void TfrmMain::aCheatExecute() {
  if (!FCurrentGame) return;
  FCurrentGame->ShowSolution();
  UpdateActions(0);
  RefreshBoard();
}

void TfrmMain::StartCelebration() {
  if (!FCurrentGame) return;
  FCurrentGame->MarkSolved();
  Announce(TextFor(ttnAnnounceSolved));
  FCelebration->Start();
  UpdateClock();
  CountSolved();
}

void TfrmMain::StopCelebration() {
  // Every way to leave a board passes here: its news no longer applies.
  FlAnnounce->Clear();
  FCelebration->Stop();
}

void TfrmMain::tCongratsTimer() {
  FCelebration->Tick();
}

void TfrmMain::RepaintBoardOnly() {
  if (FActivated && FCurrentGame && FCurrentGame->Host() && !Busy())
    FCurrentGame->View().pbBoard()->update();
}

// --- Undo, Redo, zoom ---

void TfrmMain::aUndoExecute() {
  if (!FCurrentGame || !FCurrentGame->CanUndo()) return;
  FCurrentGame->Undo();
  SyncSlot();
  if (FGameSettings->SolvedAtOnce()) CelebrateIfSolved();
}

void TfrmMain::aRedoExecute() {
  if (!FCurrentGame || !FCurrentGame->CanRedo()) return;
  FCurrentGame->Redo();
  SyncSlot();
  if (FGameSettings->SolvedAtOnce()) CelebrateIfSolved();
}

// --- Dialogs and exit ---

void TfrmMain::aSettingsExecute() {
  TfrmSettings dialog(this);
  dialog.EditSettings(*FGameSettings);
  if (dialog.exec() == QDialog::Accepted) ApplySettings();
}

void TfrmMain::aAboutExecute() {
  TfrmAbout dialog(this);
  dialog.exec();
}

void TfrmMain::aExitExecute() {
  if (Shutdown()) close();
}

// --- Clipboard ---

void TfrmMain::aCopyToClipboardAsImageExecute() {
  if (FCurrentGame) FCurrentGame->CopyAsImage();
}

void TfrmMain::aCopyToClipboardAsTextExecute() {
  if (FCurrentGame) FCurrentGame->CopyAsText();
}

void TfrmMain::aPasteExecute() {
  // The menu offers Paste only for a text it can open, so a refusal here means
  // the clipboard changed since: the player hears why nothing happened.
  const std::optional<std::string> text = ClipboardText();
  if (text)
    OpenPuzzleText(*text, true);
  else
    ShowMessageBox(PasteRefusalText(ClipboardTooLarge()), TextFor(ttnPaste), mkInfo | mkOk);
}

void TfrmMain::ImportStateText(const std::string& text) {
  // Everything is checked before the board changes: the code must fit the
  // slot of its size, or a slot of that size must be possible.
  const TPasteCheck check = CheckPaste(text, *FShelf);
  if (check.Verdict == pvLoadable) OpenStateCode(check);
}

// --- Keys and wheel ---

void TfrmMain::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_F4 && (e->modifiers() & Qt::AltModifier)) {
    close();
    return;
  }
  // The game menu without a mouse: every command of the bar is in it.
  if ((e->key() == Qt::Key_F10 || e->key() == Qt::Key_Menu) && !Busy()) {
    Guarded([this] { bGameClick(); });
    return;
  }
  if (FCurrentGame && FCurrentGame->View().BoardKeyPress(e->key(), e->modifiers())) return;
  if ((e->modifiers() & Qt::ControlModifier) || e->key() == Qt::Key_Control) {
    CtrlHeld = true;
    if (FCurrentGame) FCurrentGame->Puzzle().RepeatMouse(0);
    RefreshBoard();
  }
  TfrmBase::keyPressEvent(e);
}

void TfrmMain::keyReleaseEvent(QKeyEvent* e) {
  if (FCurrentGame) FCurrentGame->View().BoardKeyRelease(e->key());
  if (e->key() == Qt::Key_Control) {
    CtrlHeld = false;
    if (FCurrentGame) FCurrentGame->Puzzle().RepeatMouse(0);
    RefreshBoard();
  }
  TfrmBase::keyReleaseEvent(e);
}

void TfrmMain::wheelEvent(QWheelEvent* e) {
  if ((e->modifiers() & Qt::ControlModifier) && FCurrentGame) {
    const int delta = e->angleDelta().y();
    const QPoint at = e->globalPosition().toPoint();
    Guarded([this, delta, at] { ZoomBoard(delta > 0 ? 1 : delta < 0 ? -1 : 0, at); });
  }
  e->ignore();
}

// --- Diagnostics ---

std::string TfrmMain::CluesDumpPath() const {
  return GetSettingsFolder(true) + "clues.txt";
}

std::string TfrmMain::PuzzlesDumpPath() const {
  return GetSettingsFolder(true) + "puzzles.txt";
}

void TfrmMain::aAsTextExecute() {
  if (!FDiagnostics || !FCurrentGame) return;
  const TNonoGame& puzzle = FCurrentGame->Puzzle();
  WriteTextFile(CluesDumpPath(), std::to_string(puzzle.Width()) + " " +
                                     std::to_string(puzzle.Height()) + "\r\n" +
                                     puzzle.ColumnListing() + "\r\n" + puzzle.RowListing());
}

void TfrmMain::aDebugExecute() {
  if (!FDiagnostics) return;
  std::string text;
  for (QAction* item : pmGame()->actions()) {
    if (item->data().toInt() != kSlotItemTag) continue;
    SwitchToSlot(item);
    for (int n = 1; n <= 3; ++n) {
      FCurrentGame->StartNewPuzzle(TDifficulty::Normal);
      text += FCurrentGame->Puzzle().SolutionArrayText("arr_" + std::to_string(n)) + "\r\n";
    }
  }
  WriteTextFile(PuzzlesDumpPath(), text);
}
