// Every key of app.ini, declared once.
//
// kSettings lists the player's settings: how each is read from and written
// to its key, its defaults, and how the settings dialog offers it (in the
// dialog's order). A new setting is one row here, one value of TSetting and,
// when the dialog offers it, its texts. TGameSettings, the dialog and the
// tests all walk this table.
//
// Every key also has a fixed place in the file (KeyPlace): the keys of the
// first versions in the order they have always had, then the keys added
// since, each family ("clock.<size>", "progress.<size>", "records.<...>")
// together. A key written for the first time goes to its place; lines
// already in a file stay where they are.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "text/texts.h"

enum class TSetting : std::uint8_t {
  DrawHotTrackCounters,
  DrawHotTrackBoard,
  KeepStrokeStraight,
  CompletedClues,
  MistakeLines,
  SolvedAtOnce,
  DrawCellsPos,
  GameMode,
  NewDifficulty,
  ButtonsPosition,
  Language,
  BoardLook,
};
inline constexpr int kSettingCount = 12;

enum class TSettingKind : std::uint8_t {
  // A key of the first versions: always written, read as it stands (a flag
  // is on when it reads 1, a number is kept in its byte without a range
  // check).
  OriginalFlag,
  OriginalNumber,
  // A key added since: written only when it differs from its default, so
  // that the file of a player who never changed it stays as it was. A flag
  // other than its default only for the other value (0 or 1); a choice
  // outside 0..Choices-1 reads as the default.
  Flag,
  Choice,
};

// One item of a list in the dialog: the stored value and its text.
struct TSettingItem {
  int Value;
  TTextName Text;
};

struct TSettingRow {
  TSetting Id;
  std::string_view Key;
  TSettingKind Kind;
  int Default;       // the value of a missing key in an existing file
  int FirstRunLine;  // the value a new store starts with (a first run); -1 for none
  int Choices;       // for a Choice: how many values it has
  int Place;         // its place in the file (KeyPlace)
  // The dialog: the check box's or the list's object name (empty when the
  // dialog does not offer it), the check box's or the label's text, and the
  // list's items in the order shown (none for the language: it lists the
  // languages; a language not offered shows the first).
  std::string_view Control;
  std::string_view Label;
  TTextName Text;
  std::span<const TSettingItem> Items;
};

// In the order the dialog shows them: the check boxes, then each list with
// its label above it.
std::span<const TSettingRow> SettingRows();
const TSettingRow& SettingRow(TSetting id);

// The place of a key in the file: smaller first. Keys compare without regard
// to case; a key the program does not know goes after all of its own.
int KeyPlace(std::string_view key);
// Whether KeyPlace knows the key (a setting, a window's bounds, "state",
// "active_game" or one of the families).
bool IsKnownKey(std::string_view key);
