#include "persistence/settings_table.h"

#include <array>
#include <cassert>

namespace {

constexpr TSettingItem kGameModes[] = {{0, ttnNormal}, {1, ttnSuddenDeath}};
// Easiest first.
constexpr TSettingItem kDifficulties[] = {{2, ttnEasy}, {1, ttnMedium}, {0, ttnNormalDifficulty}};
constexpr TSettingItem kEdges[] = {{0, ttnBottom}, {1, ttnLeft}, {2, ttnTop}, {3, ttnRight}};
constexpr TSettingItem kLooks[] = {{0, ttnLookDefault},
                                   {1, ttnLookHighContrastLight},
                                   {2, ttnLookHighContrastDark},
                                   {3, ttnLookColourBlindSafe}};

using enum TSetting;
using enum TSettingKind;

// The places of the keys of the first versions, as a first run wrote them:
// the store's defaults, the window's bounds, the games, the other settings.
constexpr int kPlaceBounds = 4;  // x, y, w, h: 4 to 7
constexpr int kPlaceState = 8;
constexpr int kPlaceActiveGame = 9;
// The keys added since, after all of those.
constexpr int kPlaceClock = 30;
constexpr int kPlaceProgress = 31;
constexpr int kPlaceRecords = 32;
constexpr int kPlaceUnknown = 1000;

// clang-format off
constexpr TSettingRow kRows[] = {
  // id                    key                     kind            def first choices place control                   label               text
  {DrawHotTrackCounters, "drawhottrackcounters", OriginalFlag,   0, 1,  0, 1,  "cbDrawHotTrackCounters", "",                 ttnHotTrackCounters,   {}},
  {DrawHotTrackBoard,    "drawhottrackboard",    OriginalFlag,   0, 0,  0, 2,  "cbDrawHotTrackBoard",    "",                 ttnHotTrackBoard,      {}},
  {KeepStrokeStraight,   "keepstrokestraight",   Flag,           0, -1, 0, 21, "cbKeepStrokeStraight",   "",                 ttnKeepStrokeStraight, {}},
  {CompletedClues,       "completedclues",       Flag,           1, -1, 0, 22, "cbCompletedClues",       "",                 ttnCompletedClues,     {}},
  {MistakeLines,         "mistakelines",         Flag,           0, -1, 0, 23, "cbMistakeLines",         "",                 ttnMistakeLines,       {}},
  {SolvedAtOnce,         "solvedatonce",         Flag,           1, -1, 0, 24, "cbSolvedAtOnce",         "",                 ttnSolvedAtOnce,       {}},
  {DrawCellsPos,         "drawcellspos",         OriginalFlag,   0, 1,  0, 3,  "",                       "",                 ttnNOTFOUND,           {}},
  {GameMode,             "gamemode",             OriginalNumber, 0, -1, 0, 11, "cbGameMode",             "lGameMode",        ttnGameMode,           kGameModes},
  {NewDifficulty,        "newdifficulty",        Choice,         0, -1, 3, 20, "cbNewDifficulty",        "lNewDifficulty",   ttnNewDifficulty,      kDifficulties},
  {ButtonsPosition,      "butonsposition",       OriginalNumber, 0, -1, 0, 10, "cbButtonPosition",       "lButtonsPosition", ttnButtonsPosition,    kEdges},
  {Language,             "language",             OriginalNumber, 0, -1, 0, 12, "cbLanguage",             "lLanguage",        ttnLanguage,           {}},
  {BoardLook,            "boardlook",            Choice,         0, -1, 4, 25, "cbBoardLook",            "lBoardLook",       ttnBoardLook,          kLooks},
};
// clang-format on
static_assert(std::size(kRows) == kSettingCount);

bool SameKey(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

bool StartsWithKey(std::string_view key, std::string_view prefix) {
  return key.size() > prefix.size() && SameKey(key.substr(0, prefix.size()), prefix);
}

bool EndsWithKey(std::string_view key, std::string_view suffix) {
  return key.size() > suffix.size() && SameKey(key.substr(key.size() - suffix.size()), suffix);
}

}  // namespace

std::span<const TSettingRow> SettingRows() {
  return kRows;
}

const TSettingRow& SettingRow(TSetting id) {
  for (const TSettingRow& row : kRows)
    if (row.Id == id) return row;
  assert(false && "every setting has its row");
  return kRows[0];
}

int KeyPlace(std::string_view key) {
  for (const TSettingRow& row : kRows)
    if (SameKey(key, row.Key)) return row.Place;
  // A window's bounds, "<form>.formpos.x" and so on.
  constexpr std::string_view kBounds[] = {".formpos.x", ".formpos.y", ".formsize.w", ".formsize.h"};
  for (int i = 0; i < 4; ++i)
    if (EndsWithKey(key, kBounds[i])) return kPlaceBounds + i;
  if (SameKey(key, "state")) return kPlaceState;
  if (SameKey(key, "active_game")) return kPlaceActiveGame;
  if (StartsWithKey(key, "clock.")) return kPlaceClock;
  if (StartsWithKey(key, "progress.")) return kPlaceProgress;
  if (StartsWithKey(key, "records.")) return kPlaceRecords;
  return kPlaceUnknown;
}

bool IsKnownKey(std::string_view key) {
  return KeyPlace(key) != kPlaceUnknown;
}
