// TSlot: one game slot, the session of a puzzle of a fixed size together with
// the board view that shows it. The main window keeps one slot per board
// size and shows one at a time; the others stay detached from any window
// panel. The play state (solved, the clock, what Undo, Redo and Check may
// do) is the session's; the slot's accessors of it pass through.
#pragma once

#include <QFont>
#include <QPoint>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "generation/new_random.h"
#include "model/nono_game.h"
#include "persistence/records.h"
#include "slots/game_session.h"
#include "solver/step_analysis.h"
#include "util/color.h"

class QWidget;
class TframeGrid;
class TGameSettings;
struct TGameStateRec;

class TSlot {
 public:
  // Raised by the view after every pointer event that reached the puzzle.
  using TChangeEvent = std::function<void()>;

  // pictures: where New takes its pictures from (built-in ones on the very
  // first run).
  TSlot(const QFont& font, const std::string& name, int width, int height, TGameSettings* settings,
        TPictureSource pictures, TChangeEvent onChange);
  ~TSlot();
  TSlot(const TSlot&) = delete;
  TSlot& operator=(const TSlot&) = delete;

  const std::string& Name() const { return FName; }
  TGameSession& Session() { return *FSession; }
  const TGameSession& Session() const { return *FSession; }
  TNonoGame& Puzzle() { return FSession->Puzzle(); }
  const TNonoGame& Puzzle() const { return FSession->Puzzle(); }
  TframeGrid& View() { return *FView; }
  QWidget* Host() const { return FHost; }
  TGameStatus Status() const { return FSession->Status(); }
  // Hints asked for on the current puzzle (a new puzzle starts at 0).
  int HintsUsed() const { return FSession->HintsUsed(); }
  void CountHint() { FSession->CountHint(); }
  // Where the current puzzle stands in the records (a new puzzle is Fresh).
  TPuzzleProgress Progress() const { return FSession->Progress(); }
  void SetProgress(TPuzzleProgress p) { FSession->SetProgress(p); }
  bool NightmareMarked() const { return FSession->NightmareMarked(); }
  // The time played on the current puzzle, in milliseconds; a new puzzle
  // starts at 0.
  std::int64_t PlayedMs() const { return FSession->PlayedMs(); }
  void SetPlayedMs(std::int64_t ms) { FSession->SetPlayedMs(ms); }
  bool ClockRunning() const { return FSession->ClockRunning(); }

  // Generates a puzzle first when asked, then sets the view up for the puzzle
  // (margins 5 %, smallest cell 10 px, its grids) with input enabled.
  void Attach(bool generate, int pct);
  // Moves the view into panel (nullptr detaches it).
  void AttachTo(QWidget* panel);
  // Makes the board panel and its three paint boxes visible.
  void ShowView();
  void SetVisible(bool on);
  // Relayout and repaint with flags plus the puzzle's own layout request;
  // nothing while detached.
  void Refresh(TLayoutFlags flags);
  void SetInputEnabled(bool on);
  // One zoom step in the sign of delta about a point of the view's viewport
  // (the keyboard cursor or the view's centre without one); true when the
  // view zoomed.
  bool ZoomStep(int delta, std::optional<QPoint> at = std::nullopt);
  // The view's panel takes the board-area colour of its palette.
  void ApplyBackground();
  void SetHotTrackCounters(bool on);
  void SetHotTrackBoard(bool on);
  void SetDrawCellsPos(bool on);
  void SetKeepStrokeStraight(bool on);
  // Muted numbers of completed runs, red numbers of lines with a mistake.
  void SetClueMarks(bool completed, bool mistakes);
  // The board look: the view's palette and shapes, the panel.
  void SetLook(TBoardLook look);

  // A new puzzle at the slot's size with the fill of the difficulty.
  void StartNewPuzzle(TDifficulty difficulty);
  // The two halves of StartNewPuzzle, for a picture made on another thread:
  // making it reads nothing the player changes (the slot's size, where its
  // pictures come from, the built-in ones shown) and may be cancelled; taking
  // it changes the puzzle.
  TInternalArrArr MakePicture(TDifficulty difficulty, const std::atomic<bool>* cancel);
  void TakePicture(TDifficulty difficulty, const TInternalArrArr& picture);
  // How hard the current puzzle is, measured when first asked for after the
  // puzzle changed (a new, restored or pasted one).
  const TPuzzleGrade& Grade();
  // Clears the board; the game is being played again, whatever it was.
  void StartOver();
  bool CanUndo() const { return FSession->CanUndo(); }
  bool CanRedo() const { return FSession->CanRedo(); }
  void Undo() { FSession->Undo(); }
  void Redo() { FSession->Redo(); }
  void ShowSolution() {
    Puzzle().ShowSolution();
    FSession->BoardChanged();
  }
  void MarkIncorrect() {
    Puzzle().MarkIncorrect();
    FSession->SetNightmareMarked(true);
  }
  void MarkSolved() { FSession->SetStatus(stSolved); }
  // The check results: a flash of the filled cells, or a shake of the board.
  void FlashCorrect(int count, int ms);
  void FlashMistakes();

  void CopyAsImage();
  void CopyAsText();
  // The slot's state code.
  std::string StateText() const;
  // Restores a state code into the slot (same size); throws EGameStateInvalid
  // for a code that fails its check, before anything changes. The restored
  // game counts as being played: only a Check finds it solved. It is a new
  // puzzle to the clock, the hints and the records.
  void ApplyGameState(const std::string& text);
  // The same for a code parsed already.
  void ApplyGameState(const TGameStateRec& rec);
  // Whether ApplyGameState would take rec: the board size is this slot's.
  bool Fits(const TGameStateRec& rec) const;
  // The largest cell size a restored game may bring along: the board with
  // its clue strips fits the screen's available area (at least the smallest
  // cell size of the view).
  int LargestCellSize() const;

 private:
  std::string FName;
  TGameSettings* FSettings;  // not owned
  TPictureSource FPictures;
  // The built-in pictures this slot has handed out in this run.
  TShownPictures FShownPictures = 0;
  std::unique_ptr<TGameSession> FSession;
  std::unique_ptr<TframeGrid> FView;
  QWidget* FHost = nullptr;  // not owned
  TChangeEvent FOnChange;
  std::optional<TPuzzleGrade> FGrade;
};
