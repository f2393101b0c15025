#include "generation/random_fill.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "generation/rnd.h"

namespace {

int Width(const TInternalArrArr& board) {
  return board.empty() ? 0 : static_cast<int>(board[0].size());
}
int Height(const TInternalArrArr& board) {
  return static_cast<int>(board.size());
}

// Direction -1: the first line with strictly the most filled cells; otherwise
// the first with strictly the fewest.
int PickLine(const std::vector<int>& counts, int direction) {
  const int n = static_cast<int>(counts.size());
  int picked = 0;
  if (direction < 0) {
    int best = 0;
    for (int i = 0; i < n; ++i) {
      const bool better = counts[i] > best;
      best = better ? counts[i] : best;
      picked = better ? i : picked;
    }
  } else {
    int best = std::numeric_limits<int>::max();
    for (int i = 0; i < n; ++i) {
      const bool better = counts[i] < best;
      best = better ? counts[i] : best;
      picked = better ? i : picked;
    }
  }
  return picked;
}

// Scans one line of n cells (cellAt(i) gives cell i) in a direction chosen by
// a coin, never visiting the position where the scan would end, and on a coin
// toss changes the first cell it may: a filled one to "E" when removing, an
// empty one to `added` when adding. Returns the position changed, or -1.
template <typename CellAt>
int ScanLine(int n, int direction, std::uint8_t added, CellAt cellAt) {
  const bool forward = CoinToss();
  for (int step = 0; step < n - 1; ++step) {
    const int i = forward ? step : n - 1 - step;
    std::uint8_t& cell = cellAt(i);
    if (CoinToss() && IsFilledLetter(cell) == (direction < 0)) {
      cell = direction < 0 ? kLetterEmpty : added;
      return i;
    }
  }
  return -1;
}

// One correction attempt with the board's filled counts, kept in step; where
// a cell changed, its row and column.
struct TAdjustResult {
  TAdjustOutcome Outcome = TAdjustOutcome::Unchanged;
  int Y = -1;
  int X = -1;
};

TAdjustResult AdjustRowsCounted(TInternalArrArr& board, TLineCounts& counts, int direction) {
  if (direction == 0) return {};
  const int y = PickLine(counts.Rows, direction);
  const int n = Width(board);
  // The line choice is deterministic: a line that cannot take the change now
  // would be picked again and again.
  if (direction < 0 ? counts.Rows[y] <= 1 : counts.Rows[y] >= n - 1)
    return {TAdjustOutcome::NotMade};
  TInternalArr& row = board[y];
  const int x =
      ScanLine(n, direction, kLetterRowAdded, [&](int i) -> std::uint8_t& { return row[i]; });
  if (x < 0) return {};
  counts.Rows[y] += direction;
  counts.Columns[x] += direction;
  return {TAdjustOutcome::Changed, y, x};
}

TAdjustResult AdjustColumnsCounted(TInternalArrArr& board, TLineCounts& counts, int direction) {
  if (direction == 0) return {};
  const int x = PickLine(counts.Columns, direction);
  if (direction < 0 && counts.Columns[x] <= 1) return {TAdjustOutcome::NotMade};
  const int y = ScanLine(Height(board), direction, kLetterColumnAdded,
                         [&](int i) -> std::uint8_t& { return board[i][x]; });
  if (y < 0) return {};
  counts.Rows[y] += direction;
  counts.Columns[x] += direction;
  return {TAdjustOutcome::Changed, y, x};
}

}  // namespace

bool CoinToss() {
  return TRnd::RandomBit();
}

void ClearBoard(TInternalArrArr& board) {
  for (TInternalArr& row : board) std::fill(row.begin(), row.end(), kLetterEmpty);
}

int FillRandomRuns(TInternalArrArr& board, int width, int height, int divisor) {
  if (width < 1 || height < 1 || divisor < 1 || width / divisor < 1)
    throw std::invalid_argument("The run fill needs a board at least as wide as its divisor");
  board.resize(height);
  int filled = 0;
  for (TInternalArr& row : board) {
    row.resize(width);
    filled += FillRandomRow(
        row, divisor, [](int, int) {}, [](int) {});
  }
  return filled;
}

int CountFilled(const TInternalArrArr& board) {
  const int width = Width(board);
  int n = 0;
  for (const TInternalArr& row : board)
    for (int x = 0; x < width; ++x) n += IsFilledLetter(row[x]) ? 1 : 0;
  return n;
}

void CountLines(const TInternalArrArr& board, TLineCounts& counts) {
  const int width = Width(board);
  counts.Rows.assign(Height(board), 0);
  counts.Columns.assign(width, 0);
  for (int y = 0; y < Height(board); ++y) {
    const std::uint8_t* row = board[y].data();
    int inRow = 0;
    for (int x = 0; x < width; ++x) {
      const int filled = IsFilledLetter(row[x]) ? 1 : 0;
      inRow += filled;
      counts.Columns[x] += filled;
    }
    counts.Rows[y] = inRow;
  }
}

TAdjustOutcome AdjustRows(TInternalArrArr& board, int direction) {
  TLineCounts counts;
  CountLines(board, counts);
  return AdjustRowsCounted(board, counts, direction).Outcome;
}

TAdjustOutcome AdjustColumns(TInternalArrArr& board, int direction) {
  TLineCounts counts;
  CountLines(board, counts);
  return AdjustColumnsCounted(board, counts, direction).Outcome;
}

int PickRow(const TInternalArrArr& board, int direction) {
  TLineCounts counts;
  CountLines(board, counts);
  return PickLine(counts.Rows, direction);
}

int PickColumn(const TInternalArrArr& board, int direction) {
  TLineCounts counts;
  CountLines(board, counts);
  return PickLine(counts.Columns, direction);
}

bool BalanceFillCount(TInternalArrArr& board, TBalanceOptions options, int target, int difference) {
  TLineCounts counts;
  CountLines(board, counts);
  return BalanceFillCount(board, counts, options, target, difference);
}

bool BalanceFillCount(TInternalArrArr& board, TLineCounts& counts, TBalanceOptions options,
                      int target, int difference, const TCellChanged& changed) {
  const int direction = (difference > 0) - (difference < 0);
  int count = 0;
  for (const int n : counts.Rows) count += n;
  // Attempts may pass without a change by chance; this many rounds are never
  // needed for a reachable target.
  const long long cap = 100LL * Width(board) * Height(board) + 1000;
  // Whether an attempt was made; false when balancing is to end here.
  const auto attempt = [&](const TAdjustResult& result, bool& attempted) {
    attempted = attempted || result.Outcome != TAdjustOutcome::NotMade;
    if (result.Outcome != TAdjustOutcome::Changed) return true;
    count += direction;
    return !changed || changed(result.Y, result.X);
  };
  for (long long round = 0; round < cap; ++round) {
    bool attempted = false;
    if (options.Columns) {
      if (!attempt(AdjustColumnsCounted(board, counts, direction), attempted)) return false;
      if (count == target) return true;
    }
    if (options.Rows) {
      if (!attempt(AdjustRowsCounted(board, counts, direction), attempted)) return false;
      if (count == target) return true;
    }
    // Nothing changed and nothing could: every further round is the same.
    if (!attempted || direction == 0) return false;
  }
  return false;
}
