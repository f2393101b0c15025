// TPlayCommands: the commands that play the shown slot: New (with its
// difficulties), Start over, Check with the Nightmare rule, Undo, Redo, the
// solution (cheat) and the two developer dumps. They work on whichever slot
// the window shows and reach the window only through TPlayWindow; the window
// connects its actions to them.
#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "model/difficulty.h"

class TBusyState;
class TGameSettings;
class TMainActions;
class TSlot;
struct TPuzzleStatus;

// What the play commands need of the window.
struct TPlayWindow {
  // The shelf's shown slot, or null.
  std::function<TSlot*()> CurrentGame;
  // Runs job off the UI thread with the commands disabled; false when it was
  // cancelled.
  std::function<bool(const std::string& text,
                     const std::function<void(const std::atomic<bool>&)>& job)>
      RunWithPanel;
  std::function<void()> StartCelebration;
  std::function<void()> StopCelebration;
  // The celebration's pulse is running.
  std::function<bool()> PulseRunning;
  std::function<void()> RefreshBoard;
  // The actions and the clock follow the shown slot (UpdateActions(0)).
  std::function<void()> UpdateActions;
  std::function<void()> UpdateCaption;
  // The board, the actions and the caption after a command changed the slot.
  std::function<void()> SyncSlot;
  std::function<void()> CelebrateIfSolved;
  std::function<void(const std::string&)> Announce;
  // Has the shelf show the slot of that name.
  std::function<bool(const std::string&)> SelectSlotByName;
};

class TPlayCommands {
 public:
  // The settings, the busy state and the actions are the window's and
  // outlive the commands; diagnostics enables the two dumps.
  TPlayCommands(TPlayWindow window, const TGameSettings& gameSettings, TBusyState& busy,
                const TMainActions& actions, bool diagnostics);

  void aNewExecute();
  void aNewEasyExecute();
  void aNewMediumExecute();
  void aNewNormalExecute();
  void aStartOverExecute();
  void aCheckExecute();
  void aUndoExecute();
  void aRedoExecute();
  void aCheatExecute();
  void aAsTextExecute();
  void aDebugExecute();

  // Asks first (when confirm is set) unless the current game is solved.
  void RequestNewGame(TDifficulty difficulty, bool confirm);
  void NewPuzzle(TDifficulty difficulty);
  void RunCheck();

  // The files the diagnostic commands write.
  static std::string CluesDumpPath();
  static std::string PuzzlesDumpPath();

 private:
  TSlot* CurrentGame() const { return FWindow.CurrentGame(); }
  // New with a difficulty: asks first unless the puzzle is solved.
  void NewOfDifficulty(TDifficulty difficulty);
  // A Check found the current game solved and its board still is.
  bool CurrentGameSolved();
  bool NightmareRule(const TPuzzleStatus& status);

  TPlayWindow FWindow;
  const TGameSettings* FGameSettings;
  TBusyState& FBusy;
  const TMainActions* FActions;
  bool FDiagnostics;
};
