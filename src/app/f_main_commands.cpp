// The commands of the main window that are not play commands (those are
// TPlayCommands'): the dialogs, the clipboard, keys and wheel, and the
// celebration.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QWheelEvent>

#include "app/announcer.h"
#include "app/f_about.h"
#include "app/f_main.h"
#include "app/f_settings.h"
#include "app/message_box.h"
#include "app/paste_check.h"
#include "app/play_commands.h"
#include "model/process_flags.h"
#include "persistence/game_settings.h"
#include "slots/slot.h"
#include "slots/slot_shelf.h"
#include "text/lang_helper.h"
#include "view/frame_grid.h"
#include "view/paint_box.h"

// --- Celebration ---

void TfrmMain::StartCelebration() {
  if (!CurrentGame()) return;
  CurrentGame()->MarkSolved();
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
  if (FActivated && CurrentGame() && CurrentGame()->Host() && !Busy())
    CurrentGame()->View().pbBoard()->update();
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
  if (CurrentGame()) CurrentGame()->CopyAsImage();
}

void TfrmMain::aCopyToClipboardAsTextExecute() {
  if (CurrentGame()) CurrentGame()->CopyAsText();
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
  if (CurrentGame() && CurrentGame()->View().BoardKeyPress(e->key(), e->modifiers())) return;
  if ((e->modifiers() & Qt::ControlModifier) || e->key() == Qt::Key_Control) {
    CtrlHeld = true;
    if (CurrentGame()) CurrentGame()->Puzzle().RepeatMouse(0);
    RefreshBoard();
  }
  TfrmBase::keyPressEvent(e);
}

void TfrmMain::keyReleaseEvent(QKeyEvent* e) {
  if (CurrentGame()) CurrentGame()->View().BoardKeyRelease(e->key());
  if (e->key() == Qt::Key_Control) {
    CtrlHeld = false;
    if (CurrentGame()) CurrentGame()->Puzzle().RepeatMouse(0);
    RefreshBoard();
  }
  TfrmBase::keyReleaseEvent(e);
}

void TfrmMain::wheelEvent(QWheelEvent* e) {
  if ((e->modifiers() & Qt::ControlModifier) && CurrentGame()) {
    const int delta = e->angleDelta().y();
    const QPoint at = e->globalPosition().toPoint();
    Guarded([this, delta, at] { ZoomBoard(delta > 0 ? 1 : delta < 0 ? -1 : 0, at); });
  }
  e->ignore();
}

// --- Diagnostics ---

std::string TfrmMain::CluesDumpPath() const {
  return TPlayCommands::CluesDumpPath();
}

std::string TfrmMain::PuzzlesDumpPath() const {
  return TPlayCommands::PuzzlesDumpPath();
}
