#include "generation/candidate_checks.h"

#include <algorithm>

#include "generation/random_fill.h"
#include "generation/rnd.h"

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
  clue.clear();
  int run = 0;
  for (int i = 0; i < length; ++i) {
    const std::uint8_t letter = letterAt(i);
    if (IsFilledLetter(letter)) {
      ++run;
    } else if (letter == kLetterEmpty && run > 0) {
      clue.push_back(run);
      run = 0;
    }
  }
  if (run > 0) clue.push_back(run);
  if (clue.empty()) clue.push_back(0);
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

void BoardColumnClues(const TInternalArrArr& board, TCountersArr& clues) {
  // Row by row, with a run in progress per column, to read the board in order.
  const std::size_t width = board.empty() ? 0 : board[0].size();
  clues.resize(width);
  for (TCounterArr& clue : clues) clue.clear();
  std::vector<int> runs(width, 0);
  for (const TInternalArr& row : board) {
    for (std::size_t x = 0; x < width; ++x) {
      if (IsFilledLetter(row[x])) {
        ++runs[x];
      } else if (row[x] == kLetterEmpty && runs[x] > 0) {
        clues[x].push_back(runs[x]);
        runs[x] = 0;
      }
    }
  }
  for (std::size_t x = 0; x < width; ++x) {
    if (runs[x] > 0) clues[x].push_back(runs[x]);
    if (clues[x].empty()) clues[x].push_back(0);
  }
}
