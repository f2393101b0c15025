// TSlotShelf: the game slots, one per board size, in creation order; the
// only owner of them and of which one is shown. It makes and frees slots (a
// custom size comes and goes here), tells its listeners whenever a slot is
// shown, and reads and writes everything kept per slot in app.ini, in the
// one save of the file:
//   "state"             every slot's state code, joined by "|"
//   "active_game"       the name of the shown slot (absent when none is)
//   "clock.<size>"      the time played in whole seconds (absent when 0)
//   "progress.<size>"   "counted,hints,marks" of the records (absent while
//                       the puzzle is fresh and took no hint or mark)
// with the records those progress values count into. Keys of sizes that are
// gone are dropped on save, so a later size of that name starts clean.
#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <memory>
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
class TSlot;
class TRecords;

class TSlotShelf : public QObject {
  Q_OBJECT

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

  // The slot on the board; nullptr until one is shown and once none is left.
  TSlot* Shown() const { return FShown; }
  // Shows one of this shelf's slots (std::invalid_argument for any other).
  // shownChanged follows every time, also for the slot already shown: showing
  // it again sets its board up anew, after a game was loaded into it or once
  // the window runs.
  void Show(TSlot* slot);
  // Shows the slot of that name; without one, the size a first start shows,
  // else the first slot.
  void ShowNamedOr(const std::string& name);

  // Makes a slot through makeSlot and appends it.
  TSlot* Create(const std::string& name, int width, int height, TDifficulty difficulty,
                bool generate);
  // Frees a slot. Removing the shown one first shows the size a first start
  // shows, else the first slot left, else none.
  void Remove(const TSlot* game);
  // Frees every slot; none is shown.
  void Clear();

  // Creates the slots stored under "state", restores each, and shows the
  // one "active_game" names (ShowNamedOr); false when nothing is stored.
  // The first stored code that fails its check throws EGameStateInvalid,
  // leaving the slots made before it and none shown; more than
  // kMaxStoredSlots codes throw std::runtime_error before any is read.
  bool LoadFrom(const TAppSettings& store);
  // Once the slots exist: each one's clock and progress, and the records.
  // A value that cannot be read leaves the clock at 0 or the puzzle fresh.
  void LoadKept(const TAppSettings& store, TRecords& records);
  // Writes every slot's clock, state code, the shown slot's name, the records and
  // every slot's progress, dropping the keys of sizes that are gone.
  void SaveTo(TAppSettings& store, const TRecords& records) const;
  // A removed size's time is not taken over by a later size of that name.
  static void ForgetClock(TAppSettings& store, const TSlot& game);

 signals:
  // A slot was shown (Show, or the shelf's own choice on LoadFrom, Remove
  // and Clear): before is the slot shown until now, still alive during the
  // call, now the one shown (Shown()), or nullptr when none is.
  void shownChanged(TSlot* before, TSlot* now);

 private:
  // The size a first start shows, else the first slot, else nullptr.
  TSlot* FallbackSlot() const;
  void SetShown(TSlot* slot);

  // Removes the keys "<prefix><size>" of sizes that have no slot.
  void DropKeysOfGoneSizes(TAppSettings& store, const std::string& prefix) const;

  TMakeSlot FMakeSlot;
  std::vector<std::unique_ptr<TSlot>> FSlots;
  std::vector<TSlot*> FItems;  // FSlots in the same order, as callers read them
  TSlot* FShown = nullptr;
};
