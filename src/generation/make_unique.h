// "Make it unique": changes as few cells of a drawn picture as it can so that
// line logic alone finds the picture from its clues.
//
// Small boards are searched exhaustively (every set of one changed cell, then
// of two, ...), so the count is the least possible. Larger boards change one
// cell at a time, each time the open cell whose change leaves line logic the
// fewest open cells (the largest boards a few such cells a turn), and
// afterwards put back every change the picture does not need. Either way the result is
// line-solvable unless the work was cancelled.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "generation/design_verdict.h"

struct TMadeUnique {
  TDesignPicture Picture;     // the changed picture
  std::vector<int> Changed;   // the changed cells (y * Width + x), ascending
  bool LineSolvable = false;  // false only when cancelled or no way was found
  bool Least = false;         // the exhaustive search proved the count least
};

// Reports progress in percent (0..100); may be called often.
using TMakeUniqueProgress = std::function<void(int percent)>;

// Work the exhaustive search may spend before the one-at-a-time way takes
// over, in cells solved (a line solve of the whole board counts its cells):
// every set of up to five cells of a 5 x 5 board, a few tens of milliseconds.
inline constexpr std::int64_t kExhaustiveBudget = 2'000'000;
// Cells tried for each change on large boards (spread over the open ones).
inline constexpr int kCandidatesPerChange = 48;
// Boards of more cells than this keep up to kBatchChanges good changes a turn.
inline constexpr int kBatchFromCells = 40 * 40;
inline constexpr int kBatchChanges = 8;

// cancel (may be null) is polled; once it is true the picture as changed so
// far comes back with LineSolvable false.
TMadeUnique MakeUnique(const TDesignPicture& picture, const std::atomic<bool>* cancel = nullptr,
                       const TMakeUniqueProgress& progress = {},
                       std::int64_t exhaustiveBudget = kExhaustiveBudget);
