// The random fill of a new puzzle: a working board of letters ("E" empty; "#"
// filled by the run fill, "d" and "c" filled by row and column balancing),
// filled row by row with alternating runs and then nudged one cell at a time
// until its filled count equals a target. Every draw comes from TRnd.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "generation/rnd.h"
#include "model/cell_types.h"

// Which lines balancing may correct; at least one is on.
struct TBalanceOptions {
  bool Columns = true;
  bool Rows = true;
};

// What one correction attempt did.
enum class TAdjustOutcome {
  NotMade,    // the picked line cannot take the change; the board is unchanged
  Unchanged,  // the scan passed without changing a cell
  Changed,    // one cell was filled or emptied
};

inline bool IsFilledLetter(std::uint8_t letter) {
  return letter == kLetterFilled || letter == kLetterRowAdded || letter == kLetterColumnAdded;
}

// Every cell of every row becomes "E".
void ClearBoard(TInternalArrArr& board);

// Resizes the board to height rows of width cells and fills each row with
// alternating runs, the first at most width / divisor cells long. Returns the
// number of "#" written. Throws std::invalid_argument when width / divisor is
// below 1 (no first run would fit).
int FillRandomRuns(TInternalArrArr& board, int width, int height, int divisor);
// Fills one row as the run fill does, writing every cell, and calls
// filledRun(start, length) as each run of "#" begins and filledCell(x) for
// each of its cells; returns the number of "#". The caller ensures
// row.size() / divisor is at least 1. The colour and the run lengths come from
// the bit pool: the fill makes most of a candidate's draws.
template <typename FilledRun, typename FilledCell>
int FillRandomRow(std::span<std::uint8_t> row, int divisor, FilledRun filledRun,
                  FilledCell filledCell) {
  const int width = static_cast<int>(row.size());
  int filled = 0;
  bool colour = TRnd::RandomBit();
  int run = TRnd::RandomRangeFromBits(1, width / divisor);
  // Runs are short: one pass of "E" over the row, then "#" a cell at a time.
  std::fill(row.begin(), row.end(), kLetterEmpty);
  // The first run fits by the caller's contract, every later one by its draw.
  for (int j = 0; j < width;) {
    if (colour) {
      filledRun(j, run);
      for (int x = j; x < j + run; ++x) {
        row[x] = kLetterFilled;
        filledCell(x);
      }
      filled += run;
    }
    j += run;
    colour = !colour;
    if (width - j > 0) run = TRnd::RandomRangeFromBits(1, width - j);
  }
  return filled;
}

// Filled cells ("#", "d", "c") of the whole board; row 0 gives the width.
int CountFilled(const TInternalArrArr& board);

// Filled counts of every row and every column of a board.
struct TLineCounts {
  std::vector<int> Rows;
  std::vector<int> Columns;
};
void CountLines(const TInternalArrArr& board, TLineCounts& counts);

// Told the row and column of every cell balancing has just changed; answers
// false to end balancing there, when the caller no longer wants the board.
using TCellChanged = std::function<bool(int y, int x)>;

// Adds or removes one cell at a time, as difference = target - current count
// says, until the filled count equals target. Returns false, leaving the board
// short of the target, when no correction can be made any more, after a
// generous cap on attempts (targets far outside the usual range) or when
// `changed` ends it. The form with counts takes them as the board's filled
// counts and keeps them in step.
bool BalanceFillCount(TInternalArrArr& board, TBalanceOptions options, int target, int difference);
bool BalanceFillCount(TInternalArrArr& board, TLineCounts& counts, TBalanceOptions options,
                      int target, int difference, const TCellChanged& changed = {});

// One correction attempt on the row (column) PickRow (PickColumn) chooses:
// direction -1 empties a filled cell, +1 fills an empty one ("d" in a row,
// "c" in a column), 0 does nothing.
TAdjustOutcome AdjustRows(TInternalArrArr& board, int direction);
TAdjustOutcome AdjustColumns(TInternalArrArr& board, int direction);

// For direction -1 the first line with the most filled cells, otherwise the
// first with the fewest.
int PickRow(const TInternalArrArr& board, int direction);
int PickColumn(const TInternalArrArr& board, int direction);

// True with probability one half: one random bit, the same distribution as
// RandomRange(1, 10) > 5 at a 32nd of the cost.
bool CoinToss();
