// TRecords: the player's records per board size and difficulty: puzzles
// played and solved, the best and the average time, and how many of the
// solved puzzles took hints. Sizes are keyed by their slot name ("10x10",
// "7x12"), so a size the player adds gets its records like the built-in ones.
//
// A puzzle counts as played once the first move is made on it, and as solved
// when it is celebrated; the window counts each puzzle once (see
// TPuzzleProgress). Every solve counts for the average; a best time counts
// only for a puzzle solved without hints and without the wrong cells the
// Nightmare mode marks, and never for a picture without a filled cell.
//
// Stored in app.ini, one line per size and difficulty:
//   records.<size>.<difficulty>=<played>,<solved>,<with hints>,<best s>,<total s>
// with difficulty 0 Normal, 1 Medium, 2 Easy (as in a state code), times in
// whole seconds and a best time of -1 for none yet. Counts beyond a billion
// read as a billion. A line that cannot be
// read is skipped and stays in the file as it was, until its size and
// difficulty is counted again.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/difficulty.h"

class TAppSettings;

struct TRecord {
  int Played = 0;
  int Solved = 0;
  int SolvedWithHints = 0;
  std::optional<std::int64_t> BestSeconds;  // only clean solves
  std::int64_t TotalSeconds = 0;            // of every solve

  // The mean time of the solved puzzles, rounded down; none before a solve.
  std::optional<std::int64_t> AverageSeconds() const;
  bool operator==(const TRecord&) const = default;
};

struct TRecordKey {
  std::string Size;  // the slot name, "WxH"
  TDifficulty Difficulty = TDifficulty::Normal;
  bool operator==(const TRecordKey&) const = default;
};

// How a solve is counted.
struct TSolve {
  std::int64_t Seconds = 0;
  int HintsUsed = 0;
  bool NightmareMarks = false;  // the board holds cells the Nightmare rule marked wrong
  bool NoFilledCell = false;    // the picture has none: solved before the first move
};

class TRecords {
 public:
  void CountPlayed(const TRecordKey& key);
  void CountSolved(const TRecordKey& key, const TSolve& solve);

  // The record of one size and difficulty (all zero when none was kept).
  TRecord Of(const TRecordKey& key) const;
  // Every record kept: smallest board first (by cells, then width), then
  // Easy, Medium, Normal.
  std::vector<std::pair<TRecordKey, TRecord>> Rows() const;
  bool Empty() const { return FRecords.empty(); }

  void LoadFrom(const TAppSettings& store);
  void SaveTo(TAppSettings& store) const;

  // The app.ini key of a record, and the reverse (false for a key that is
  // not one).
  static std::string KeyName(const TRecordKey& key);
  static bool ParseKeyName(const std::string& name, TRecordKey& key);
  // A stored value; false for one that cannot be read.
  static std::string ValueText(const TRecord& record);
  static bool ParseValue(const std::string& text, TRecord& record);

 private:
  TRecord& Slot(const TRecordKey& key);

  std::map<std::pair<std::string, int>, TRecord> FRecords;
};

// Where one slot's current puzzle stands for the records, so that a puzzle is
// counted once whatever happens in between (a restart, a slot switch, a
// Check that celebrates it again).
enum class TPuzzleProgress : std::uint8_t {
  Fresh = 0,   // not counted yet
  Played = 1,  // counted as played
  Solved = 2,  // counted as played and solved
};
