#include "generation/candidate_checks.h"

#include <algorithm>

#include "generation/random_fill.h"
#include "generation/rnd.h"
#include "model/line_clue.h"

namespace {

int HashesInRow(const TInternalArrArr& board, int y, int width) {
  return static_cast<int>(std::count(board[y].begin(), board[y].begin() + width, kLetterFilled));
}

int HashesInColumn(const TInternalArrArr& board, int x, int height) {
  int n = 0;
  for (int y = 0; y < height; ++y) n += board[y][x] == kLetterFilled ? 1 : 0;
  return n;
}

bool SomeLineHasAtMost(const std::vector<int>& hashes, int most) {
  return std::any_of(hashes.begin(), hashes.end(), [most](int n) { return n <= most; });
}

TLineCounts Hashes(const TInternalArrArr& board, int width, int height) {
  TLineCounts hashes;
  CountHashes(board, width, height, hashes);
  return hashes;
}

// One line's clue; a letter other than "E" or a filled one neither extends
// nor ends a run, as in the puzzle.
template <typename LetterAt>
void LineClue(int length, LetterAt letterAt, TCounterArr& clue) {
  LineClueOf(
      length,
      [&](int i) {
        const std::uint8_t letter = letterAt(i);
        return IsFilledLetter(letter)   ? TClueCell::Filled
               : letter == kLetterEmpty ? TClueCell::Empty
                                        : TClueCell::Neither;
      },
      clue);
}

}  // namespace

void CountHashes(const TInternalArrArr& board, int width, int height, TLineCounts& hashes) {
  hashes.Rows.assign(height, 0);
  hashes.Columns.assign(width, 0);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = board[y].data();
    int inRow = 0;
    for (int x = 0; x < width; ++x) {
      const int hash = row[x] == kLetterFilled ? 1 : 0;
      inRow += hash;
      hashes.Columns[x] += hash;
    }
    hashes.Rows[y] = inRow;
  }
}

bool HasEmptyColumn(const TLineCounts& hashes) {
  return SomeLineHasAtMost(hashes.Columns, 0);
}
bool HasEmptyRow(const TLineCounts& hashes) {
  return SomeLineHasAtMost(hashes.Rows, 0);
}

bool HasThinRow(const TLineCounts& hashes) {
  return SomeLineHasAtMost(hashes.Rows, hashes.Rows.size() <= 5 ? 0 : 1);
}

bool HasThinColumn(const TLineCounts& hashes) {
  return SomeLineHasAtMost(hashes.Columns, hashes.Columns.size() <= 5 ? 0 : 1);
}

bool HasEmptyColumn(const TInternalArrArr& board, int width, int height) {
  return HasEmptyColumn(Hashes(board, width, height));
}

bool HasEmptyRow(const TInternalArrArr& board, int width, int height) {
  return HasEmptyRow(Hashes(board, width, height));
}

bool HasThinRow(const TInternalArrArr& board, int width, int height) {
  return HasThinRow(Hashes(board, width, height));
}

bool HasThinColumn(const TInternalArrArr& board, int width, int height) {
  return HasThinColumn(Hashes(board, width, height));
}

bool HasTooManyBlocks(const TCountersArr& clues, int limit) {
  if (limit <= 0) return false;
  return std::any_of(clues.begin(), clues.end(), [limit](const TCounterArr& clue) {
    return static_cast<int>(clue.size()) > limit;
  });
}

bool HasTooManyBlocks(const std::vector<int>& blocks, int limit) {
  if (limit <= 0) return false;
  return std::any_of(blocks.begin(), blocks.end(), [limit](int n) { return n > limit; });
}

int BlockExcess(const std::vector<int>& blocks, int limit) {
  if (limit <= 0) return 0;
  int excess = 0;
  for (const int n : blocks) excess += std::max(n - limit, 0);
  return excess;
}

void CountBlocks(const TInternalArrArr& board, TLineCounts& blocks) {
  const std::size_t width = board.empty() ? 0 : board[0].size();
  blocks.Rows.assign(board.size(), 0);
  blocks.Columns.assign(width, 0);
  // Whether each column is inside a run: as in a clue, only "E" ends one.
  std::vector<int> inColumnRun(width, 0);
  for (std::size_t y = 0; y < board.size(); ++y) {
    const std::uint8_t* letters = board[y].data();
    int inRowRun = 0;
    int rowBlocks = 0;
    for (std::size_t x = 0; x < width; ++x) {
      const int filled = IsFilledLetter(letters[x]) ? 1 : 0;
      const int empty = letters[x] == kLetterEmpty ? 1 : 0;
      rowBlocks += filled & (1 - inRowRun);
      blocks.Columns[x] += filled & (1 - inColumnRun[x]);
      inRowRun = filled | (inRowRun & (1 - empty));
      inColumnRun[x] = filled | (inColumnRun[x] & (1 - empty));
    }
    blocks.Rows[y] = rowBlocks;
  }
}

bool HasDuplicateClues(const TCountersArr& clues) {
  for (std::size_t i = 0; i < clues.size(); ++i)
    for (std::size_t j = i + 1; j < clues.size(); ++j)
      if (clues[i] == clues[j]) return true;
  return false;
}

void BreakFullLines(TInternalArrArr& board, int width, int height) {
  if (width <= 3 || height <= 3) return;
  for (int y = 0; y < height; ++y)
    if (HashesInRow(board, y, width) == width)
      board[y][TRnd::RandomRange(0, width - 1)] = kLetterEmpty;
  for (int x = 0; x < width; ++x)
    if (HashesInColumn(board, x, height) == height)
      board[TRnd::RandomRange(0, height - 1)][x] = kLetterEmpty;
}

void BoardRowClues(const TInternalArrArr& board, TCountersArr& clues) {
  const int width = board.empty() ? 0 : static_cast<int>(board[0].size());
  clues.resize(board.size());
  for (std::size_t y = 0; y < board.size(); ++y)
    LineClue(
        width, [&](int x) { return board[y][x]; }, clues[y]);
}

void BoardRowClue(const TInternalArrArr& board, int y, TCounterArr& clue) {
  LineClue(
      static_cast<int>(board[y].size()), [&](int x) { return board[y][x]; }, clue);
}

void BoardColumnClue(const TInternalArrArr& board, int x, TCounterArr& clue) {
  LineClue(
      static_cast<int>(board.size()), [&](int y) { return board[y][x]; }, clue);
}

void BoardColumnClues(const TInternalArrArr& board, TCountersArr& clues) {
  // Row by row, for every column at once, without a branch per cell (the
  // letters are random): each column writes its current run to the next slot
  // of its block list and keeps it only where an "E" ends the run.
  const std::size_t width = board.empty() ? 0 : board[0].size();
  const std::size_t slots = board.size() / 2 + 2;  // blocks of a column, and one spare
  std::vector<int> runs(width, 0);
  std::vector<int> blocks(width, 0);
  std::vector<int> lists(width * slots);
  for (const TInternalArr& row : board) {
    const std::uint8_t* letters = row.data();
    for (std::size_t x = 0; x < width; ++x) {
      const int filled = IsFilledLetter(letters[x]) ? 1 : 0;
      const int empty = letters[x] == kLetterEmpty ? 1 : 0;
      lists[x * slots + blocks[x]] = runs[x];
      blocks[x] += empty & (runs[x] > 0 ? 1 : 0);
      runs[x] = (runs[x] + filled) * (1 - empty);
    }
  }
  clues.resize(width);
  for (std::size_t x = 0; x < width; ++x) {
    if (runs[x] > 0) lists[x * slots + blocks[x]++] = runs[x];
    const auto first = lists.begin() + static_cast<std::ptrdiff_t>(x * slots);
    clues[x].assign(first, first + blocks[x]);
    if (clues[x].empty()) clues[x].push_back(0);
  }
}
