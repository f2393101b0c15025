// TGameSettings: the player's settings, read from and written to the
// settings store. Every field is one byte; integers read from the file are
// stored as they are, without a range check.
#pragma once

#include <cstdint>

#include "model/mytypes.h"
#include "persistence/app_settings.h"
#include "text/languages.h"
#include "util/color.h"

enum TButtonsPosition : std::uint8_t { bpBottom = 0, bpLeft = 1, bpTop = 2, bpRight = 3 };
enum TGameMode : std::uint8_t { gmNormal = 0, gmNightmare = 1 };

class TGameSettings {
 public:
  TButtonsPosition ButtonsPosition() const { return FButtonsPosition; }
  void SetButtonsPosition(TButtonsPosition v) { FButtonsPosition = v; }
  // Highlight the clue cells of the row and column under the pointer.
  bool DrawHotTrackCounters() const { return FDrawHotTrackCounters; }
  void SetDrawHotTrackCounters(bool v) { FDrawHotTrackCounters = v; }
  TGameMode GameMode() const { return FGameMode; }
  void SetGameMode(TGameMode v) { FGameMode = v; }
  bool DrawCellsPos() const { return FDrawCellsPos; }
  void SetDrawCellsPos(bool v) { FDrawCellsPos = v; }
  TLanguage Language() const { return FLanguage; }
  void SetLanguage(TLanguage v) { FLanguage = v; }
  // Mark the empty cells of the row and column under the pointer.
  bool DrawHotTrackBoard() const { return FDrawHotTrackBoard; }
  void SetDrawHotTrackBoard(bool v) { FDrawHotTrackBoard = v; }
  // The difficulty New and a newly made slot start their puzzles with.
  TDifficulty NewDifficulty() const { return FNewDifficulty; }
  void SetNewDifficulty(TDifficulty v) { FNewDifficulty = v; }
  // A stroke stays on the row or column it first moved along.
  bool KeepStrokeStraight() const { return FKeepStrokeStraight; }
  void SetKeepStrokeStraight(bool v) { FKeepStrokeStraight = v; }
  // Mute the clue numbers whose runs stand complete on the board.
  bool CompletedClues() const { return FCompletedClues; }
  void SetCompletedClues(bool v) { FCompletedClues = v; }
  // Draw the clue numbers of a line that contradicts its clue in red.
  bool MistakeLines() const { return FMistakeLines; }
  void SetMistakeLines(bool v) { FMistakeLines = v; }
  // Celebrate as soon as the board equals the solution, without Check.
  bool SolvedAtOnce() const { return FSolvedAtOnce; }
  void SetSolvedAtOnce(bool v) { FSolvedAtOnce = v; }
  // How the board is drawn ("boardlook"): a missing key or a value that
  // names no look is the default look, which is written as no key.
  TBoardLook BoardLook() const { return FBoardLook; }
  void SetBoardLook(TBoardLook v) { FBoardLook = v; }

  // On a first run the language is the system's; otherwise every field
  // comes from its key ("butonsposition", "drawhottrackcounters",
  // "drawhottrackboard", "drawcellspos", "gamemode", "language",
  // "newdifficulty"). A missing "newdifficulty", or one that names no
  // difficulty, is Normal; it is written only when it is not Normal, so the
  // file of a player who never chose stays as it always was. The same holds
  // for "completedclues" and "solvedatonce" (on unless 0), "mistakelines"
  // and "keepstrokestraight" (off unless 1): each is written only when it
  // differs from its default.
  void LoadFrom(const TAppSettings& store, bool firstRun);
  void SaveTo(TAppSettings& store) const;

 private:
  TButtonsPosition FButtonsPosition = bpBottom;
  bool FDrawHotTrackCounters = false;
  TGameMode FGameMode = gmNormal;
  bool FDrawCellsPos = false;
  TLanguage FLanguage = lgEnglish;
  bool FDrawHotTrackBoard = false;
  TDifficulty FNewDifficulty = 0;
  bool FKeepStrokeStraight = false;
  bool FCompletedClues = true;
  bool FMistakeLines = false;
  bool FSolvedAtOnce = true;
  TBoardLook FBoardLook = blDefault;
};
