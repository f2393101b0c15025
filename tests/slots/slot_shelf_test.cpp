// The shelf alone owns the slots, which one is shown, and everything app.ini
// keeps of them: the state codes, the shown slot, each slot's clock and
// progress, the records, and no key of a size that is gone.
#include <gtest/gtest.h>
#include <QFont>

#include <algorithm>
#include <array>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "persistence/app_settings.h"
#include "persistence/game_settings.h"
#include "persistence/game_state.h"
#include "persistence/records.h"
#include "slots/game_session.h"
#include "slots/slot.h"
#include "slots/slot_shelf.h"
#include "support/board_pictures.h"
#include "support/scoped_env.h"

using namespace test_support;

namespace {

class SlotShelf : public ::testing::Test {
 protected:
  // Slots as the window makes them, without a window.
  TSlotShelf::TMakeSlot Maker() {
    return [this](const std::string& name, int w, int h, TDifficulty, bool) {
      auto game =
          std::make_unique<TSlot>(QFont(), name, w, h, &Settings, TPictureSource::Generated, [] {});
      game->Attach(false, 50);
      return game;
    };
  }

  // A slot with that solution and the player's board.
  TSlot* Slot(TSlotShelf& shelf, const Picture& solution, const Picture& player) {
    const int w = static_cast<int>(solution[0].size());
    const int h = static_cast<int>(solution.size());
    TSlot* game = shelf.Create(SlotName(w, h), w, h, TDifficulty::Normal, false);
    game->TakePicture(TDifficulty::Normal, LettersOf(solution));
    SetPlayer(game->Puzzle(), player);
    return game;
  }

  // Empty slots of those names ("<w>x<h>").
  void Slots(TSlotShelf& shelf, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
      const std::size_t x = name.find('x');
      shelf.Create(name, std::stoi(name.substr(0, x)), std::stoi(name.substr(x + 1)),
                   TDifficulty::Normal, false);
    }
  }

  // The names in each shownChanged of the shelf: "before>now", "-" for none.
  static void Record(TSlotShelf& shelf, std::vector<std::string>& told) {
    const auto name = [](const TSlot* slot) { return slot ? slot->Name() : std::string("-"); };
    QObject::connect(&shelf, &TSlotShelf::shownChanged, [&told, name](TSlot* before, TSlot* now) {
      told.push_back(name(before) + ">" + name(now));
    });
  }

  static std::string ShownName(const TSlotShelf& shelf) {
    return shelf.Shown() ? shelf.Shown()->Name() : "-";
  }

  std::vector<std::string> Keys() const {
    std::vector<std::string> keys;
    for (const std::string& line : Store.Lines()) keys.push_back(line.substr(0, line.find('=')));
    return keys;
  }

  TempFolder Folder;
  TAppSettings Store{Folder.Path(), "app.ini", '='};
  TGameSettings Settings;
};

TEST_F(SlotShelf, WhatIsSavedComesBackInTheSameSlots) {
  TRecords records;
  {
    TSlotShelf shelf(Maker());
    TSlot* small = Slot(shelf, {"#.#", ".#.", "#.#"}, {"#x.", "...", "..#"});
    TSlot* wide = Slot(shelf, {"##.#", "#..#"}, {"....", "...."});
    small->Session().SetPlayedMs(61'900);  // whole seconds are kept
    small->SetProgress(TPuzzleProgress::Played);
    small->Session().SetHintsUsed(2);
    wide->Session().SetNightmareMarked(true);
    records.CountPlayed({"3x3", TDifficulty::Normal});
    shelf.Show(wide);
    shelf.SaveTo(Store, records);
  }
  TSlotShelf shelf(Maker());
  TRecords read;
  ASSERT_TRUE(shelf.LoadFrom(Store));
  shelf.LoadKept(Store, read);
  ASSERT_EQ(shelf.Count(), 2);
  EXPECT_EQ(shelf.Shown(), shelf.FindByName("4x2"));
  const TSlot& small = *shelf.FindByName("3x3");
  const TSlot& wide = *shelf.FindByName("4x2");
  EXPECT_EQ(shelf[0], &small);
  EXPECT_EQ(PlayerOf(small.Puzzle()), (Picture{"#x.", "...", "..#"}));
  EXPECT_EQ(SolutionOf(wide.Puzzle()), (Picture{"##.#", "#..#"}));
  EXPECT_EQ(small.PlayedMs(), 61'000);
  EXPECT_EQ(small.Progress(), TPuzzleProgress::Played);
  EXPECT_EQ(small.HintsUsed(), 2);
  EXPECT_FALSE(small.NightmareMarked());
  EXPECT_EQ(wide.PlayedMs(), 0);
  EXPECT_EQ(wide.Progress(), TPuzzleProgress::Fresh);
  EXPECT_TRUE(wide.NightmareMarked());
  EXPECT_EQ(read.Rows(), records.Rows());
  // No time is written for a clock that never ran.
  for (const std::string& key : Keys()) EXPECT_NE(key, "clock.4x2");
}

TEST_F(SlotShelf, KeysOfSizesThatAreGoneAreDroppedOnSave) {
  TSlotShelf shelf(Maker());
  TSlot* kept = Slot(shelf, {"#.", ".#"}, {"#.", ".."});
  TSlot* gone = Slot(shelf, {"#.#"}, {"..."});
  kept->Session().SetPlayedMs(5'000);
  gone->Session().SetPlayedMs(5'000);
  gone->SetProgress(TPuzzleProgress::Played);
  shelf.SaveTo(Store, TRecords());
  Store.WriteString("clock.9x9", "50");  // left by a hand or an older save
  Store.WriteString("progress.9x9", "1,0,0");
  shelf.Remove(gone);
  shelf.SaveTo(Store, TRecords());
  const std::vector<std::string> keys = Keys();
  for (const char* key : {"clock.3x1", "progress.3x1", "clock.9x9", "progress.9x9"})
    EXPECT_EQ(std::count(keys.begin(), keys.end(), key), 0) << key;
  EXPECT_EQ(Store.ReadString("clock.2x2"), "5");
  EXPECT_EQ(shelf.FindByName("3x1"), nullptr);
}

TEST_F(SlotShelf, StoredValuesThatCannotBeReadLeaveTheSlotAsNew) {
  struct Row {
    const char* Clock;
    const char* Progress;
    std::int64_t Seconds;
    TPuzzleProgress Read;
    int Hints;
  };
  const Row rows[] = {
      {"59", "2,3,1", 59, TPuzzleProgress::Solved, 3},
      {"2147483648", "1,0,0", 2147483648, TPuzzleProgress::Played, 0},  // 2^31 s and more
      {"-100", "3,0,0", 0, TPuzzleProgress::Fresh, 0},
      {"12x", "1,-1,0", 0, TPuzzleProgress::Fresh, 0},
      {"1099511627777", "1,0,2", 0, TPuzzleProgress::Fresh, 0},  // beyond the longest time
      {"", "1,0", 0, TPuzzleProgress::Fresh, 0},
      {" 5", "1,0,0,", 0, TPuzzleProgress::Fresh, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.Clock) + " / " + row.Progress);
    TSlotShelf shelf(Maker());
    TSlot* slot = Slot(shelf, {"#"}, {"."});
    Store.WriteString("clock.1x1", row.Clock);
    Store.WriteString("progress.1x1", row.Progress);
    TRecords records;
    shelf.LoadKept(Store, records);
    EXPECT_EQ(slot->PlayedMs() / 1000, row.Seconds);
    EXPECT_EQ(slot->Progress(), row.Read);
    EXPECT_EQ(slot->HintsUsed(), row.Hints);
  }
}

TEST_F(SlotShelf, TooManyStoredGamesAreRefusedBeforeAnyIsMade) {
  TSlotShelf source(Maker());
  Slot(source, {"#"}, {"."});
  source.SaveTo(Store, TRecords());
  const std::string one = Store.ReadString("state");
  std::string many = one;
  for (int i = 1; i <= kMaxStoredSlots; ++i) many += "|" + one;
  Store.WriteString("state", many);
  TSlotShelf shelf(Maker());
  EXPECT_THROW(shelf.LoadFrom(Store), std::runtime_error);
  EXPECT_EQ(shelf.Count(), 0);
  Store.WriteString("state", "");
  EXPECT_FALSE(shelf.LoadFrom(Store));
  EXPECT_THROW(TSlotShelf().Create("1x1", 1, 1, TDifficulty::Normal, false), std::logic_error);
}

// Showing tells the listeners every time, also for the slot already shown
// (its board is set up anew); a slot of another shelf is refused unshown.
TEST_F(SlotShelf, ShowingTellsEveryTimeAndRefusesAStrangeSlot) {
  TSlotShelf shelf(Maker());
  Slots(shelf, {"3x3", "5x5"});
  std::vector<std::string> told;
  Record(shelf, told);
  EXPECT_EQ(shelf.Shown(), nullptr);
  shelf.Show(shelf[1]);
  shelf.Show(shelf[1]);
  shelf.Show(shelf[0]);
  TSlotShelf other(Maker());
  Slots(other, {"5x5"});
  EXPECT_THROW(shelf.Show(other[0]), std::invalid_argument);
  EXPECT_THROW(shelf.Show(nullptr), std::invalid_argument);
  EXPECT_EQ(told, (std::vector<std::string>{"->5x5", "5x5>5x5", "5x5>3x3"}));
  EXPECT_EQ(shelf.Shown(), shelf[0]);
}

// Removing the shown slot shows the size a first start shows, else the first
// slot left; the listeners hear of it while the removed slot still lives.
// Removing another slot leaves the shown one; Clear leaves none.
TEST_F(SlotShelf, RemovingTheShownSlotShowsAnotherAndClearShowsNone) {
  const struct {
    std::vector<std::string> Names;
    const char* Shown;
    const char* Removed;
    const char* ShownAfter;
    std::vector<std::string> Told;
  } rows[] = {
      {{"3x3", "10x10", "7x5"}, "7x5", "7x5", "10x10", {"7x5>10x10"}},
      {{"3x3", "5x5", "7x5"}, "7x5", "7x5", "3x3", {"7x5>3x3"}},
      {{"7x5"}, "7x5", "7x5", "-", {"7x5>-"}},
      {{"3x3", "10x10", "7x5"}, "7x5", "3x3", "7x5", {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.Shown) + " without " + row.Removed);
    TSlotShelf shelf(Maker());
    Slots(shelf, row.Names);
    shelf.Show(shelf.FindByName(row.Shown));
    std::vector<std::string> told;
    bool removedAlive = false;
    TSlot* removed = shelf.FindByName(row.Removed);
    QObject::connect(&shelf, &TSlotShelf::shownChanged, [&](TSlot* before, TSlot*) {
      removedAlive = before == removed && before->Name() == row.Removed;
    });
    Record(shelf, told);
    shelf.Remove(removed);
    EXPECT_EQ(ShownName(shelf), row.ShownAfter);
    EXPECT_EQ(told, row.Told);
    EXPECT_EQ(removedAlive, !row.Told.empty());
    EXPECT_EQ(shelf.FindByName(row.Removed), nullptr);

    told.clear();
    const std::string last = ShownName(shelf);
    shelf.Clear();
    EXPECT_EQ(shelf.Shown(), nullptr);
    EXPECT_EQ(told,
              last == "-" ? std::vector<std::string>{} : std::vector<std::string>{last + ">-"});
  }
}

// What "active_game" holds is only ever the shown slot's name: a stored name
// without a slot shows the size a first start shows (else the first slot),
// and the next save stores the slot shown, or nothing when none is.
TEST_F(SlotShelf, TheStoredShownSlotIsTheShownSlotsName) {
  const struct {
    std::vector<std::string> Names;
    const char* Stored;
    const char* Shown;
  } rows[] = {
      {{"3x3", "5x5", "10x10"}, "5x5", "5x5"},
      {{"3x3", "5x5", "10x10"}, "7x7", "10x10"},
      {{"3x3", "5x5", "10x10"}, "", "10x10"},
      {{"3x3", "5x5", "10x10"}, "5X5", "10x10"},  // names are case-sensitive
      {{"3x3", "5x5"}, "7x7", "3x3"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Stored);
    {
      TSlotShelf source(Maker());
      Slots(source, row.Names);
      source.SaveTo(Store, TRecords());
    }
    EXPECT_EQ(Store.ReadString("active_game"), "");  // none was shown
    Store.WriteString("active_game", row.Stored);
    TSlotShelf shelf(Maker());
    std::vector<std::string> told;
    Record(shelf, told);
    ASSERT_TRUE(shelf.LoadFrom(Store));
    EXPECT_EQ(ShownName(shelf), row.Shown);
    EXPECT_EQ(told, (std::vector<std::string>{std::string("->") + row.Shown}));
    shelf.SaveTo(Store, TRecords());
    EXPECT_EQ(Store.ReadString("active_game"), row.Shown);
  }
}

}  // namespace
