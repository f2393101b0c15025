// TGames: the list of game slots in creation order, and the name of the slot
// that was active at the last save or switch. Saved to and restored from the
// settings store under "state" (every slot's state code joined by "|") and
// "active_game". The list does not own its slots.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "model/difficulty.h"
#include "persistence/game_state.h"

// The sides of the square slots every player has, smallest first, and the
// one shown on a first start.
inline constexpr std::array<int, 5> kDefaultSides = {3, 5, 10, 15, 20};
inline constexpr int kFirstShownSide = 10;

// Whether a slot name is one of the default sizes, which every player keeps
// (other sizes can be removed).
bool IsDefaultSlot(const std::string& name);

class TAppSettings;
class TGame;

// The most stored games read: far more than the program ever keeps (one per
// board size it offers), few enough that a hostile file cannot make it run
// out of memory.
inline constexpr int kMaxStoredSlots = 64;

class TGames {
 public:
  // Makes and appends a slot: name, width, height, difficulty, generate.
  using TCreateSlot = std::function<TGame*(const std::string&, int, int, TDifficulty, bool)>;

  const std::vector<TGame*>& Items() const { return FItems; }
  void Add(TGame* game) { FItems.push_back(game); }
  void Remove(const TGame* game) { std::erase(FItems, game); }
  void Clear() { FItems.clear(); }
  int Count() const { return static_cast<int>(FItems.size()); }
  TGame* operator[](int i) const { return FItems[i]; }

  // The first slot of exactly that name (case-sensitive), or nullptr.
  TGame* FindByName(const std::string& name) const;
  const std::string& ActiveName() const { return FActiveName; }
  void SetActiveName(const std::string& name) { FActiveName = name; }

  // Writes "state" (when there is a slot) and "active_game"; a running
  // celebration or check flash is stored as plain filled cells.
  void SaveTo(TAppSettings& store) const;
  // Creates the slots stored under "state" through createSlot and restores
  // each; false when nothing is stored. The first stored code that fails its
  // check throws EGameStateInvalid, leaving the slots made before it; more
  // than kMaxStoredSlots codes throw std::runtime_error before any is read.
  bool LoadFrom(const TAppSettings& store, const TCreateSlot& createSlot);

 private:
  std::vector<TGame*> FItems;
  std::string FActiveName;
};
