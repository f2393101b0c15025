// TSlotShelf: the game slots, one per board size, in creation order; the
// only owner of them. It makes and frees slots (a custom size comes and goes
// here), remembers which one was shown at the last save or switch, and reads
// and writes everything kept per slot in app.ini, in the one save of the
// file:
//   "state"             every slot's state code, joined by "|"
//   "active_game"       the name of the shown slot
//   "clock.<size>"      the time played in whole seconds (absent when 0)
//   "progress.<size>"   "counted,hints,marks" of the records (absent while
//                       the puzzle is fresh and took no hint or mark)
// with the records those progress values count into. Keys of sizes that are
// gone are dropped on save, so a later size of that name starts clean.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/difficulty.h"

// The sides of the square slots every player has, smallest first, and the
// one shown on a first start.
inline constexpr std::array<int, 5> kDefaultSides = {3, 5, 10, 15, 20};
inline constexpr int kFirstShownSide = 10;

// Whether a slot name is one of the default sizes, which every player keeps
// (other sizes can be removed).
bool IsDefaultSlot(const std::string& name);

// The most stored games read: far more than the program ever keeps (one per
// board size it offers), few enough that a hostile file cannot make it run
// out of memory.
inline constexpr int kMaxStoredSlots = 64;

class TAppSettings;
class TSlot;
class TRecords;

class TSlotShelf {
 public:
  // Makes a slot: name, width, height, difficulty, generate (a puzzle made at
  // once, else the slot waits for a stored or opened one).
  using TMakeSlot =
      std::function<std::unique_ptr<TSlot>(const std::string&, int, int, TDifficulty, bool)>;

  // A shelf without makeSlot only answers questions (Create throws).
  explicit TSlotShelf(TMakeSlot makeSlot = {});
  ~TSlotShelf();
  TSlotShelf(const TSlotShelf&) = delete;
  TSlotShelf& operator=(const TSlotShelf&) = delete;

  const std::vector<TSlot*>& Items() const { return FItems; }
  int Count() const { return static_cast<int>(FItems.size()); }
  TSlot* operator[](int i) const { return FItems[i]; }
  // The first slot of exactly that name (case-sensitive), or nullptr.
  TSlot* FindByName(const std::string& name) const;
  const std::string& ActiveName() const { return FActiveName; }
  void SetActiveName(const std::string& name) { FActiveName = name; }

  // Makes a slot through makeSlot and appends it.
  TSlot* Create(const std::string& name, int width, int height, TDifficulty difficulty,
                bool generate);
  // Frees a slot (its view must have left any window).
  void Remove(const TSlot* game);
  void Clear();

  // Creates the slots stored under "state" and restores each, and reads
  // "active_game"; false when nothing is stored. The first stored code that
  // fails its check throws EGameStateInvalid, leaving the slots made before
  // it; more than kMaxStoredSlots codes throw std::runtime_error before any
  // is read.
  bool LoadFrom(const TAppSettings& store);
  // Once the slots exist: each one's clock and progress, and the records.
  // A value that cannot be read leaves the clock at 0 or the puzzle fresh.
  void LoadKept(const TAppSettings& store, TRecords& records);
  // Writes every slot's clock, state code, the shown slot, the records and
  // every slot's progress, dropping the keys of sizes that are gone.
  void SaveTo(TAppSettings& store, const TRecords& records) const;
  // A removed size's time is not taken over by a later size of that name.
  static void ForgetClock(TAppSettings& store, const TSlot& game);

 private:
  // Removes the keys "<prefix><size>" of sizes that have no slot.
  void DropKeysOfGoneSizes(TAppSettings& store, const std::string& prefix) const;

  TMakeSlot FMakeSlot;
  std::vector<std::unique_ptr<TSlot>> FSlots;
  std::vector<TSlot*> FItems;  // FSlots in the same order, as callers read them
  std::string FActiveName;
};
