// TGameSettings: the player's settings, read from and written to the
// settings store as the rows of settings_table.h say. Every value is one
// byte; the numbers of the first versions' keys are stored as they are,
// without a range check.
#pragma once

#include <array>
#include <cstdint>

#include "model/difficulty.h"
#include "persistence/app_settings.h"
#include "persistence/settings_table.h"
#include "text/languages.h"
#include "util/color.h"

enum TButtonsPosition : std::uint8_t { bpBottom = 0, bpLeft = 1, bpTop = 2, bpRight = 3 };
enum TGameMode : std::uint8_t { gmNormal = 0, gmNightmare = 1 };

class TGameSettings {
 public:
  TGameSettings();

  // Any setting by its row (settings_table.h); the value as stored.
  int Value(TSetting id) const { return FValues[static_cast<int>(id)]; }
  void SetValue(TSetting id, int value) {
    FValues[static_cast<int>(id)] = static_cast<std::uint8_t>(value);
  }

  TButtonsPosition ButtonsPosition() const {
    return static_cast<TButtonsPosition>(Value(TSetting::ButtonsPosition));
  }
  void SetButtonsPosition(TButtonsPosition v) { SetValue(TSetting::ButtonsPosition, v); }
  // Highlight the clue cells of the row and column under the pointer.
  bool DrawHotTrackCounters() const { return Value(TSetting::DrawHotTrackCounters) != 0; }
  void SetDrawHotTrackCounters(bool v) { SetValue(TSetting::DrawHotTrackCounters, v); }
  TGameMode GameMode() const { return static_cast<TGameMode>(Value(TSetting::GameMode)); }
  void SetGameMode(TGameMode v) { SetValue(TSetting::GameMode, v); }
  bool DrawCellsPos() const { return Value(TSetting::DrawCellsPos) != 0; }
  void SetDrawCellsPos(bool v) { SetValue(TSetting::DrawCellsPos, v); }
  TLanguage Language() const { return static_cast<TLanguage>(Value(TSetting::Language)); }
  void SetLanguage(TLanguage v) { SetValue(TSetting::Language, v); }
  // Mark the empty cells of the row and column under the pointer.
  bool DrawHotTrackBoard() const { return Value(TSetting::DrawHotTrackBoard) != 0; }
  void SetDrawHotTrackBoard(bool v) { SetValue(TSetting::DrawHotTrackBoard, v); }
  // The difficulty New and a newly made slot start their puzzles with.
  TDifficulty NewDifficulty() const { return DifficultyFromStored(Value(TSetting::NewDifficulty)); }
  void SetNewDifficulty(TDifficulty v) { SetValue(TSetting::NewDifficulty, StoredDifficulty(v)); }
  // A stroke stays on the row or column it first moved along.
  bool KeepStrokeStraight() const { return Value(TSetting::KeepStrokeStraight) != 0; }
  void SetKeepStrokeStraight(bool v) { SetValue(TSetting::KeepStrokeStraight, v); }
  // Mute the clue numbers whose runs stand complete on the board.
  bool CompletedClues() const { return Value(TSetting::CompletedClues) != 0; }
  void SetCompletedClues(bool v) { SetValue(TSetting::CompletedClues, v); }
  // Draw the clue numbers of a line that contradicts its clue in red.
  bool MistakeLines() const { return Value(TSetting::MistakeLines) != 0; }
  void SetMistakeLines(bool v) { SetValue(TSetting::MistakeLines, v); }
  // Celebrate as soon as the board equals the solution, without Check.
  bool SolvedAtOnce() const { return Value(TSetting::SolvedAtOnce) != 0; }
  void SetSolvedAtOnce(bool v) { SetValue(TSetting::SolvedAtOnce, v); }
  // How the board is drawn ("boardlook"): a missing key or a value that
  // names no look is the default look, which is written as no key.
  TBoardLook BoardLook() const { return static_cast<TBoardLook>(Value(TSetting::BoardLook)); }
  void SetBoardLook(TBoardLook v) { SetValue(TSetting::BoardLook, v); }

  // Every setting from its key as its row says (settings_table.h); on a
  // first run the language is the system's.
  void LoadFrom(const TAppSettings& store, bool firstRun);
  void SaveTo(TAppSettings& store) const;

  bool operator==(const TGameSettings&) const = default;

 private:
  std::array<std::uint8_t, kSettingCount> FValues{};
};
