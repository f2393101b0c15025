#include "persistence/records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "persistence/app_settings.h"
#include "support/scoped_env.h"

namespace {

using test_support::TempFolder;

constexpr TDifficulty kNormal = TDifficulty::Normal;
constexpr TDifficulty kMedium = TDifficulty::Medium;
constexpr TDifficulty kEasy = TDifficulty::Easy;

TEST(Records, SolvesCountForTheAverageButOnlyCleanOnesForTheBestTime) {
  struct Case {
    const char* name;
    std::vector<TSolve> solves;
    int withHints;
    std::optional<std::int64_t> best;
    std::optional<std::int64_t> average;
  };
  const Case cases[] = {
      {"no solve yet", {}, 0, std::nullopt, std::nullopt},
      {"one clean solve", {{90, 0, false}}, 0, 90, 90},
      {"the faster clean solve wins", {{90, 0, false}, {61, 0, false}, {75, 0, false}}, 0, 61, 75},
      {"a hint keeps a fast solve from the best", {{90, 0, false}, {10, 2, false}}, 1, 90, 50},
      {"so do Nightmare marks", {{90, 0, false}, {10, 0, true}}, 0, 90, 50},
      {"only solves with hints: no best", {{30, 1, false}, {40, 3, false}}, 2, std::nullopt, 35},
      {"a solve in no time is a best time", {{0, 0, false}}, 0, 0, 0},
      // Its board is solved before the first move: no time to beat.
      {"a picture without a filled cell is no best time",
       {{90, 0, false}, {0, 0, false, true}},
       0,
       90,
       45},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRecords records;
    const TRecordKey key{"10x10", kNormal};
    for (std::size_t i = 0; i < c.solves.size(); ++i) records.CountPlayed(key);
    for (const TSolve& solve : c.solves) records.CountSolved(key, solve);
    const TRecord r = records.Of(key);
    EXPECT_EQ(r.Played, static_cast<int>(c.solves.size()));
    EXPECT_EQ(r.Solved, static_cast<int>(c.solves.size()));
    EXPECT_EQ(r.SolvedWithHints, c.withHints);
    EXPECT_EQ(r.BestSeconds, c.best);
    EXPECT_EQ(r.AverageSeconds(), c.average);
  }
}

TEST(Records, EachSizeAndDifficultyKeepsItsOwnRecordListedSmallestAndEasiestFirst) {
  TRecords records;
  // Counted in an order that is none of the listed ones.
  for (const TRecordKey& key : std::vector<TRecordKey>{{"20x20", kNormal},
                                                       {"10x10", kNormal},
                                                       {"7x12", kEasy},
                                                       {"10x10", kEasy},
                                                       {"12x7", kMedium},
                                                       {"3x3", kMedium}})
    records.CountPlayed(key);
  records.CountSolved({"10x10", kEasy}, {42, 0, false});

  std::vector<std::string> order;
  for (const auto& [key, record] : records.Rows())
    order.push_back(key.Size + "/" + std::to_string(StoredDifficulty(key.Difficulty)));
  // 7x12 and 12x7 have as many cells; the narrower comes first.
  EXPECT_EQ(order, (std::vector<std::string>{"3x3/1", "7x12/2", "12x7/1", "10x10/2", "10x10/0",
                                             "20x20/0"}));
  EXPECT_EQ(records.Of({"10x10", kEasy}).Solved, 1);
  EXPECT_EQ(records.Of({"10x10", kNormal}).Solved, 0);
  EXPECT_EQ(records.Of({"5x5", kNormal}), TRecord{});
}

TEST(Records, SurviveTheSettingsFileAndSkipLinesThatCannotBeRead) {
  TempFolder folder;
  {
    TAppSettings store(folder.Path(), "app.ini", '=');
    store.WriteString("state", "kept");
    TRecords records;
    records.CountPlayed({"7x12", kMedium});
    records.CountPlayed({"15x15", kNormal});
    records.CountPlayed({"15x15", kNormal});
    records.CountSolved({"15x15", kNormal}, {300, 1, false});
    records.SaveTo(store);
    EXPECT_EQ(store.ReadString("records.15x15.0"), "2,1,1,-1,300");
    EXPECT_EQ(store.ReadString("records.7x12.1"), "1,0,0,-1,0");
    store.Save();
  }
  TAppSettings store(folder.Path(), "app.ini", '=');
  ASSERT_TRUE(store.Load());
  TRecords restored;
  restored.LoadFrom(store);
  EXPECT_EQ(restored.Of({"15x15", kNormal}), (TRecord{2, 1, 1, std::nullopt, 300}));
  EXPECT_EQ(restored.Of({"7x12", kMedium}).Played, 1);
  EXPECT_EQ(store.ReadString("state"), "kept");

  // Damaged or foreign lines are no records, and never a crash.
  const char* const unreadable[] = {
      "records.10x10.0=",             // empty
      "records.10x10.0=1,1,0,5",      // a field missing
      "records.10x10.0=1,1,0,5,5,5",  // one too many
      "records.10x10.0=1,2,0,5,5",    // more solved than played
      "records.10x10.0=2,1,2,5,5",    // more with hints than solved
      "records.10x10.0=1,0,0,5,0",    // a best time without a solve
      "records.10x10.0=1,1,0,-2,5",   // no such best time
      "records.10x10.0=1,1,0,9,5",    // best above the total
      "records.10x10.0=-1,0,0,-1,0",  // negative
      "records.10x10.0=1,1,0, 5,5",   // white space
      "records.10x10.0=99999999999999999999,0,0,-1,0",
      "records.10x10.3=1,0,0,-1,0",  // no such difficulty
      "records.10x10=1,0,0,-1,0",    // no difficulty
      "records.ten.0=1,0,0,-1,0",    // no size
      "records.0x5.0=1,0,0,-1,0",    // no such size
  };
  // Counts beyond a billion are kept at a billion rather than lost.
  {
    TAppSettings huge(folder.Path(), "huge.ini", '=');
    huge.LoadBytes("records.10x10.0=1500000000,1200000000,7,5,9000000000\r\n");
    TRecords records;
    records.LoadFrom(huge);
    EXPECT_EQ(records.Of({"10x10", kNormal}),
              (TRecord{1'000'000'000, 1'000'000'000, 7, 5, 9'000'000'000}));
    // Counting on top stays there, so what is saved reads back the same.
    records.CountPlayed({"10x10", kNormal});
    records.CountSolved({"10x10", kNormal}, {65, 1, false});
    TAppSettings again(folder.Path(), "again.ini", '=');
    records.SaveTo(again);
    EXPECT_EQ(again.ReadString("records.10x10.0"), "1000000000,1000000000,8,5,9000000065");
  }
  // The total time stops at the largest it can hold instead of overflowing.
  {
    TAppSettings full(folder.Path(), "full.ini", '=');
    full.LoadBytes("records.10x10.0=1,1,0,-1,9223372036854775800\r\n");
    TRecords records;
    records.LoadFrom(full);
    records.CountSolved({"10x10", kNormal}, {65, 1, false});
    EXPECT_EQ(records.Of({"10x10", kNormal}).TotalSeconds, 9223372036854775807);
  }
  for (const char* line : unreadable) {
    SCOPED_TRACE(line);
    TAppSettings bad(folder.Path(), "bad.ini", '=');
    bad.LoadBytes(std::string(line) + "\r\n");
    TRecords records;
    records.LoadFrom(bad);
    EXPECT_TRUE(records.Empty());
  }
  // Keys are read as app.ini reads every key: letter case does not matter.
  TAppSettings upper(folder.Path(), "upper.ini", '=');
  upper.LoadBytes("Records.10X10.2=3,2,1,50,170\r\n");
  TRecords records;
  records.LoadFrom(upper);
  EXPECT_EQ(records.Of({"10x10", kEasy}), (TRecord{3, 2, 1, 50, 170}));
}

}  // namespace

namespace {

// A settings file of a long-time player with records of very many sizes
// (100,000 lines) is read, counted into and written back in one go: the
// lookups of each line once took the whole file each, 30 s in all.
TEST(Records, AHundredThousandRecordLinesLoadAndSaveUnchanged) {
  std::string file = "state=0A\r\n";
  for (int w = 3; w < 253; ++w)
    for (int h = 3; h < 403; ++h)
      file += "records." + std::to_string(w) + "x" + std::to_string(h) + ".0=3,2,1,40,100\r\n";
  TAppSettings store("/nonexistent", "app.ini", '=');
  store.LoadBytes(file);
  ASSERT_EQ(store.Lines().size(), 100'001u);
  TRecords records;
  records.LoadFrom(store);
  EXPECT_EQ(records.Rows().size(), 100'000u);
  EXPECT_EQ(records.Of({"252x402", TDifficulty::Normal}), (TRecord{3, 2, 1, 40, 100}));
  records.SaveTo(store);
  EXPECT_EQ(store.Bytes(), file);
  records.CountPlayed({"252x402", TDifficulty::Normal});
  records.SaveTo(store);
  EXPECT_EQ(store.ReadString("records.252x402.0"), "4,2,1,40,100");
  EXPECT_EQ(store.Lines().size(), 100'001u);
}

}  // namespace
