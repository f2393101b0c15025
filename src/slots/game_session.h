// TGameSession: the play of one slot's puzzle, apart from any widget: the
// puzzle with its undo history, whether it is solved, the clock, the hints
// asked for and where the puzzle stands in the records. What the play
// commands may do and whether the clock runs are derived here alone, from
// the solved status and the history, and every change is told by a signal:
// the window and its bar listen instead of keeping copies.
//
// The clock runs while the window shows the session (SetShown) and the
// puzzle is not solved; solving stops it, and a new puzzle starts it from 0.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <cstdint>
#include <memory>

#include "model/nono_game.h"
#include "persistence/records.h"

enum TGameStatus : std::uint8_t {
  stPlaying = 0,      // a new puzzle
  stSolved = 1,       // the celebration started
  stCheckedOk = 2,    // the last Check found no mistake
  stCheckedWrong = 3  // the last Check found mistakes, or Nightmare ended the game
};

class TGameSession : public QObject {
  Q_OBJECT

 public:
  TGameSession(int width, int height, QObject* parent = nullptr);
  ~TGameSession() override;

  TNonoGame& Puzzle() { return *FPuzzle; }
  const TNonoGame& Puzzle() const { return *FPuzzle; }

  TGameStatus Status() const { return FStatus; }
  bool Solved() const { return FStatus == stSolved; }
  // Solving stops the clock; leaving the solved status lets it run again.
  void SetStatus(TGameStatus status);

  // --- What the play commands may do ---
  // A solved puzzle is finished: its moves are neither taken back nor made
  // again, and Check has nothing left to find.
  bool CanUndo() const { return !Solved() && FPuzzle->CanUndo(); }
  bool CanRedo() const { return !Solved() && FPuzzle->CanRedo(); }
  bool CanCheck() const { return !Solved(); }
  void Undo();
  void Redo();
  // Clears the board and its history; the puzzle is being played again.
  void StartOver();
  // The board or its history changed outside the session (a stroke, a key,
  // a restored code): the listeners hear of it.
  void BoardChanged();

  // --- The clock ---
  // The time played on the current puzzle, in milliseconds.
  std::int64_t PlayedMs() const;
  void SetPlayedMs(std::int64_t ms);
  // Whether the window shows this session to the player (the shown slot of
  // an active, visible window).
  void SetShown(bool shown);
  bool ClockRunning() const { return FClock.isValid(); }

  // --- The records ---
  int HintsUsed() const { return FHintsUsed; }
  void CountHint() { ++FHintsUsed; }
  void SetHintsUsed(int n) { FHintsUsed = n; }
  TPuzzleProgress Progress() const { return FProgress; }
  void SetProgress(TPuzzleProgress p) { FProgress = p; }
  // The Nightmare rule marked wrong cells on the current puzzle (its marks
  // are stored as filled cells, so the slot remembers it).
  bool NightmareMarked() const { return FNightmareMarked; }
  void SetNightmareMarked(bool on) { FNightmareMarked = on; }
  // The solve as the records count it: the time on the clock, the hints and
  // the Nightmare marks.
  // A picture without a filled cell is solved before the first move: it never
  // sets a best time.
  TSolve SolveRecord() const {
    return {PlayedMs() / 1000, FHintsUsed, FNightmareMarked, FPuzzle->SolutionFilled() == 0};
  }

  // A new puzzle in the session: playing, with an empty history, and its
  // clock, hints and records start afresh.
  void NewPuzzleStarted();

 signals:
  void solvedChanged(bool solved);
  // The clock started, stopped or was set.
  void clockChanged();
  void canUndoChanged(bool can);
  void canRedoChanged(bool can);
  void canCheckChanged(bool can);

 private:
  // Runs the clock when it should run, and tells what changed.
  void Derive();

  std::unique_ptr<TNonoGame> FPuzzle;
  TGameStatus FStatus = stPlaying;
  bool FShown = false;
  std::int64_t FPlayedMs = 0;  // before the current run of the clock
  QElapsedTimer FClock;        // valid while the clock runs
  int FHintsUsed = 0;
  TPuzzleProgress FProgress = TPuzzleProgress::Fresh;
  bool FNightmareMarked = false;
  // What the listeners were last told.
  bool FToldSolved = false;
  bool FToldCanUndo = false;
  bool FToldCanRedo = false;
  bool FToldCanCheck = true;
};
