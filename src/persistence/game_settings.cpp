#include "persistence/game_settings.h"

#include <string>

#include "text/lang_helper.h"

void TGameSettings::LoadFrom(const TAppSettings& store, bool firstRun) {
  FButtonsPosition = static_cast<TButtonsPosition>(store.ReadInteger("butonsposition") & 0xFF);
  FDrawHotTrackCounters = store.ReadBool("drawhottrackcounters");
  FDrawHotTrackBoard = store.ReadBool("drawhottrackboard");
  FDrawCellsPos = store.ReadBool("drawcellspos");
  FGameMode = static_cast<TGameMode>(store.ReadInteger("gamemode") & 0xFF);
  FLanguage =
      firstRun ? SystemLanguage() : static_cast<TLanguage>(store.ReadInteger("language") & 0xFF);
  const int difficulty = store.ReadInteger("newdifficulty");
  FNewDifficulty = difficulty >= 0 && difficulty < static_cast<int>(kDifficultyNames.size())
                       ? static_cast<TDifficulty>(difficulty)
                       : 0;
  FKeepStrokeStraight = store.ReadBool("keepstrokestraight");
  FCompletedClues = store.ReadIntegerDef("completedclues", 1) != 0;
  FMistakeLines = store.ReadIntegerDef("mistakelines", 0) != 0;
  FSolvedAtOnce = store.ReadIntegerDef("solvedatonce", 1) != 0;
  const int look = store.ReadIntegerDef("boardlook", blDefault);
  FBoardLook = look >= 0 && look < kBoardLookCount ? static_cast<TBoardLook>(look) : blDefault;
}

void TGameSettings::SaveTo(TAppSettings& store) const {
  store.WriteInteger("butonsposition", FButtonsPosition);
  store.WriteBool("drawhottrackcounters", FDrawHotTrackCounters);
  store.WriteBool("drawhottrackboard", FDrawHotTrackBoard);
  store.WriteBool("drawcellspos", FDrawCellsPos);
  store.WriteInteger("gamemode", FGameMode);
  store.WriteInteger("language", FLanguage);
  store.WriteString("newdifficulty", FNewDifficulty != 0 ? std::to_string(FNewDifficulty) : "");
  store.WriteString("keepstrokestraight", FKeepStrokeStraight ? "1" : "");
  store.WriteString("completedclues", FCompletedClues ? "" : "0");
  store.WriteString("mistakelines", FMistakeLines ? "1" : "");
  store.WriteString("solvedatonce", FSolvedAtOnce ? "" : "0");
  store.WriteString("boardlook", FBoardLook != blDefault ? std::to_string(FBoardLook) : "");
}
