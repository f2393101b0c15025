#include "generation/generation_flow.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "generation/candidate_checks.h"
#include "model/nono_game.h"

namespace {

// Rounds of repair on one picture before it is given up for a fresh one; one
// or two nearly always do.
constexpr int kRepairRounds = 8;

}  // namespace

int TargetCount(int width, int height, int percentage) {
  // The fraction is kept in single precision, the product formed in double.
  const float fraction = static_cast<float>(percentage / 100.0);
  return static_cast<int>(std::nearbyint(static_cast<double>(width) * height * fraction));
}

TGenerationParams GenerationParams(int width, int height, int percentage) {
  TGenerationParams p;
  p.Width = width;
  p.Height = height;
  p.Target = TargetCount(width, height, percentage);
  const bool square = width == height;
  p.Divisor = square && (width == 20 || width >= 25) ? 3 : 2;
  p.Balance = {.Columns = true, .Rows = !(square && width >= 25)};
  if (square && width > 5) {
    int a = 0;
    int b = 0;
    if (width >= 10) {
      a = static_cast<int>(std::nearbyint(width / 10.0));
      b = (height - 30) / 5 + 1;
      if (width >= 25) {
        ++a;
        ++b;
      }
      b = std::max(b, 0);
    }
    if (a == b) ++a;
    p.ColumnLimit = a + width / 5;
    p.RowLimit = std::min(b + width / 5, p.ColumnLimit);
  }
  p.DuplicateTest = square && width >= 10 && width != 10;
  // The sizes the program has always made keep their rejecting generation, so
  // a seed gives the same puzzles there as ever.
  p.Repair =
      !(square && (width == 3 || width == 5 || (width % 5 == 0 && width >= 10 && width <= 30)));
  return p;
}

bool TPuzzleGenerator::MakeCandidate(const TGenerationParams& p) {
  if (!FillAndCheck(p)) return false;
  if (OnMasks(p)) {
    FMasks.BreakFullLines(FBoard);
    FMasksOfBoard = true;
  } else {
    BreakFullLines(FBoard, p.Width, p.Height);
  }
  return true;
}

bool TPuzzleGenerator::FillAndCheck(const TGenerationParams& p) {
  FMasksOfBoard = false;
  const int filled = FillRows(p);
  return filled >= 0 && CheckFilled(p, filled, OnMasks(p));
}

bool TPuzzleGenerator::CheckBoard(const TGenerationParams& p, const TInternalArrArr& board) {
  FMasksOfBoard = false;
  FBoard = board;
  CountLines(FBoard, FCounts);
  CountBlocks(FBoard, FBlocks);
  if (OnMasks(p)) FMasks.Read(FBoard);
  return CheckFilled(p, CountFilled(FBoard), false);
}

bool TPuzzleGenerator::OnMasks(const TGenerationParams& p) {
  return p.Width <= TRunFillTable::kMaxWidth && p.Height <= TBoardMasks::kMaxSide;
}

bool TPuzzleGenerator::CheckFilled(const TGenerationParams& p, int filled, bool linesChecked) {
  // Straight after the run fill every filled cell is a "#": one count serves
  // the line checks and balancing. Balancing never adds a "#", so a line too
  // short of them now stays so, and the candidate is rejected at once.
  if (!linesChecked && HasShortLines(p)) return false;
  const bool limited = p.ColumnLimit > 0 || p.RowLimit > 0;
  if (OnMasks(p)) {
    if (!BalanceOnMasks(FMasks, FCounts, FBlocks, p.Balance, p.Target, p.Target - filled,
                        {.Rows = p.RowLimit, .Columns = p.ColumnLimit}))
      return false;
    FMasks.WriteLetters(FBoard);
  } else if (!limited) {
    if (!BalanceFillCount(FBoard, FCounts, p.Balance, p.Target, p.Target - filled)) return false;
  } else if (!BalanceWithinReach(p, filled)) {
    return false;
  }
  // Removing only ever empties "#" cells (no other filled letter exists when
  // balancing removes), so the filled counts are the "#" counts again; adding
  // leaves the "#" counts as they were.
  if (p.Target < filled && HasShortLines(p)) return false;
  if (limited && p.DuplicateTest) {
    if (OnMasks(p)) return !HasDuplicateColumnClues(FMasks);
    BoardColumnClues(FBoard, FColumnClues);
    if (HasDuplicateClues(FColumnClues)) return false;
  }
  return true;
}

bool TPuzzleGenerator::BalanceWithinReach(const TGenerationParams& p, int filled) {
  const int direction = p.Target > filled ? 1 : -1;
  int remaining = std::abs(p.Target - filled);
  int columnExcess = BlockExcess(FBlocks.Columns, p.ColumnLimit);
  int rowExcess = BlockExcess(FBlocks.Rows, p.RowLimit);
  // Keeps a line's block count and the excess over its limit in step with one
  // changed cell, from the cells on either side of it.
  const auto update = [direction](int& blocks, int limit, int& excess, bool before, bool after) {
    if (limit <= 0) return;
    const int changed = blocks + direction * (1 - (before ? 1 : 0) - (after ? 1 : 0));
    excess += std::max(changed - limit, 0) - std::max(blocks - limit, 0);
    blocks = changed;
  };
  const TCellChanged changed = [&](int y, int x) {
    const TInternalArr& row = FBoard[y];
    update(FBlocks.Rows[y], p.RowLimit, rowExcess, x > 0 && IsFilledLetter(row[x - 1]),
           x + 1 < p.Width && IsFilledLetter(row[x + 1]));
    update(FBlocks.Columns[x], p.ColumnLimit, columnExcess,
           y > 0 && IsFilledLetter(FBoard[y - 1][x]),
           y + 1 < p.Height && IsFilledLetter(FBoard[y + 1][x]));
    // Each later change takes at most one surplus block from a row and one
    // from a column.
    --remaining;
    return std::max(columnExcess, rowExcess) <= remaining;
  };
  if (!BalanceFillCount(FBoard, FCounts, p.Balance, p.Target, p.Target - filled, changed))
    return false;
  return columnExcess == 0 && rowExcess == 0;
}

int TPuzzleGenerator::FillRows(const TGenerationParams& p) {
  const int w = p.Width;
  const int h = p.Height;
  if (w < 1 || h < 1 || p.Divisor < 1 || w / p.Divisor < 1)
    throw std::invalid_argument("The run fill needs a board at least as wide as its divisor");
  if (FBoard.size() != static_cast<std::size_t>(h) ||
      FBoard[0].size() != static_cast<std::size_t>(w)) {
    FBoard.resize(h);
    for (TInternalArr& row : FBoard) row.resize(w);
  }
  // Rows with no more "#" than this fail the empty-row (or thin-row) check.
  const int shortRow = w == h && h > 5 ? 1 : 0;
  if (OnMasks(p)) {
    // Every count is written there.
    FCounts.Rows.resize(h);
    FCounts.Columns.resize(w);
    FBlocks.Rows.resize(h);
    FBlocks.Columns.resize(w);
    return FillRowsFromTable(p, shortRow);
  }
  FCounts.Rows.assign(h, 0);
  FCounts.Columns.assign(w, 0);
  FBlocks.Rows.assign(h, 0);
  FBlocks.Columns.assign(w, 0);
  FNoRow.assign(w, kLetterEmpty);
  int filled = 0;
  for (int y = 0; y < h; ++y) {
    TInternalArr& row = FBoard[y];
    row.resize(w);
    // Each run of "#" is a block of its row, and starts a block of every
    // column where the row above (final by now) has no "#".
    const std::uint8_t* above = y > 0 ? FBoard[y - 1].data() : FNoRow.data();
    int* const hashes = FCounts.Columns.data();
    int* const blocks = FBlocks.Columns.data();
    int rowBlocks = 0;
    const int inRow = FillRandomRow(
        row, p.Divisor, [&rowBlocks](int, int) { ++rowBlocks; },
        [&](int x) {
          ++hashes[x];
          blocks[x] += above[x] != kLetterFilled ? 1 : 0;
        });
    filled += inRow;
    FCounts.Rows[y] = inRow;
    FBlocks.Rows[y] = rowBlocks;
    if (inRow <= shortRow) return -1;
  }
  return filled;
}

int TPuzzleGenerator::FillRowsFromTable(const TGenerationParams& p, int shortRow) {
  const int w = p.Width;
  const int h = p.Height;
  if (!FRunTable || FRunTable->Width() != w || FRunTable->Divisor() != p.Divisor)
    FRunTable.emplace(w, p.Divisor);
  const int drawn = FRunTable->DrawRows(h, shortRow, FMasks.Rows.data(), FCounts.Rows.data(),
                                        FBlocks.Rows.data());
  if (drawn < h || FCounts.Rows[h - 1] <= shortRow) return -1;
  int filled = 0;
  for (const int n : FCounts.Rows) filled += n;
  FMasks.Width = w;
  FMasks.Height = h;
  FMasks.CompleteFromRows();
  // Rows and columns with no more "#" than shortRow are exactly what the
  // empty-line and thin-line checks reject.
  if (CountColumns(FMasks, FCounts.Columns.data(), FBlocks.Columns.data()) <= shortRow) return -1;
  return filled;
}

bool TPuzzleGenerator::HasShortLines(const TGenerationParams& p) const {
  if (HasEmptyColumn(FCounts) || HasEmptyRow(FCounts)) return true;
  return p.Width == p.Height && (HasThinRow(FCounts) || HasThinColumn(FCounts));
}

bool TPuzzleGenerator::CandidateSolves() {
  if (FMasksOfBoard) {
    FMasks.Clues(FRowClues, FColumnClues);
  } else {
    BoardRowClues(FBoard, FRowClues);
    BoardColumnClues(FBoard, FColumnClues);
  }
  FSolver.Reset(FRowClues, FColumnClues);
  return FSolver.Solve() == 2;
}

void TPuzzleGenerator::StartRepair(const TGenerationParams& p) {
  FMasksOfBoard = false;
  const int filled = FillRandomRuns(FBoard, p.Width, p.Height, p.Divisor);
  CountLines(FBoard, FCounts);
  BalanceFillCount(FBoard, FCounts, p.Balance, p.Target, p.Target - filled);
  // A line without a filled cell gets one at random (the run fill leaves
  // none in a row, but a column may have none).
  for (int y = 0; y < p.Height; ++y) {
    if (FCounts.Rows[y] > 0) continue;
    const int x = TRnd::RandomRange(0, p.Width - 1);
    FBoard[y][x] = kLetterFilled;
    ++FCounts.Rows[y];
    ++FCounts.Columns[x];
  }
  for (int x = 0; x < p.Width; ++x) {
    if (FCounts.Columns[x] > 0) continue;
    const int y = TRnd::RandomRange(0, p.Height - 1);
    FBoard[y][x] = kLetterFilled;
    ++FCounts.Rows[y];
    ++FCounts.Columns[x];
  }
  BoardRowClues(FBoard, FRowClues);
  BoardColumnClues(FBoard, FColumnClues);
}

void TPuzzleGenerator::FlipCell(int x, int y) {
  std::uint8_t& cell = FBoard[y][x];
  const int change = IsFilledLetter(cell) ? -1 : 1;
  cell = change > 0 ? kLetterFilled : kLetterEmpty;
  FCounts.Rows[y] += change;
  FCounts.Columns[x] += change;
  BoardRowClue(FBoard, y, FRowClues[y]);
  BoardColumnClue(FBoard, x, FColumnClues[x]);
  FSolver.SetRowClue(y, FRowClues[y]);
  FSolver.SetColumnClue(x, FColumnClues[x]);
}

template <typename Poll>
bool TPuzzleGenerator::RepairRound(const TGenerationParams& p, Poll poll) {
  FSolver.Reset(FRowClues, FColumnClues);
  if (FSolver.Solve() == 2) return true;
  // Going on from the stalled grid is fast, but what it knew came partly from
  // clues changed since: only the next round's solve from the clues alone
  // proves the picture.
  int filled = 0;
  for (const int n : FCounts.Rows) filled += n;
  do {
    poll();
    // An undetermined cell at random, among the filled ones while the picture
    // has more than the target count, among the empty ones while it has
    // fewer, so the picture keeps its fill.
    FUnknown.clear();
    FUnknownFilled.clear();
    for (int y = 0; y < p.Height; ++y) {
      const TInternalArr& row = FBoard[y];
      for (int x = 0; x < p.Width; ++x)
        if (FSolver.Cell(x, y) == 0)
          (IsFilledLetter(row[x]) ? FUnknownFilled : FUnknown).push_back(y * p.Width + x);
    }
    const int empties = static_cast<int>(FUnknown.size());
    const int fills = static_cast<int>(FUnknownFilled.size());
    int pick;  // among the empty cells, then the filled ones
    if (filled > p.Target && fills > 0)
      pick = empties + TRnd::RandomRange(0, fills - 1);
    else if (filled < p.Target && empties > 0)
      pick = TRnd::RandomRange(0, empties - 1);
    else
      pick = TRnd::RandomRange(0, empties + fills - 1);
    const bool fromFilled = pick >= empties;
    const int cell = fromFilled ? FUnknownFilled[pick - empties] : FUnknown[pick];
    const int x = cell % p.Width;
    const int y = cell / p.Width;
    bool isFilled = fromFilled;
    // Emptying the last filled cell of a line would leave it empty: that cell
    // stays, taken as known.
    if (!isFilled || (FCounts.Rows[y] > 1 && FCounts.Columns[x] > 1)) {
      FlipCell(x, y);
      filled += isFilled ? -1 : 1;
      isFilled = !isFilled;
    }
    FSolver.SetCell(x, y, isFilled ? 1 : -1);
  } while (FSolver.Solve() != 2);
  return false;
}

const TInternalArrArr& TPuzzleGenerator::Generate(const TGenerationParams& params,
                                                  std::chrono::milliseconds timeLimit,
                                                  const std::atomic<bool>* cancel) {
  const auto deadline = std::chrono::steady_clock::now() + timeLimit;
  long long attempt = 0;
  const auto poll = [&] {
    if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) throw EGenerationCancelled();
    if (std::chrono::steady_clock::now() <= deadline) return;
    const long long ms = timeLimit.count();
    throw std::runtime_error(
        "No line-solvable " + SlotName(params.Width, params.Height) + " puzzle found in " +
        (ms > 0 && ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms") +
        " (" + std::to_string(attempt) + " attempts)");
  };
  if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) throw EGenerationCancelled();
  if (params.Repair) {
    for (;;) {
      StartRepair(params);
      for (int round = 0; round < kRepairRounds; ++round) {
        ++attempt;
        if (RepairRound(params, poll)) return FBoard;
      }
    }
  }
  for (attempt = 1; attempt <= MaxCandidates; ++attempt) {
    if (MakeCandidate(params)) {
      if (CandidateSolves()) return FBoard;
    } else if (attempt % 1024 != 0) {
      continue;  // the clock is read after every solver run, and now and then
    }
    poll();
  }
  throw std::runtime_error("No line-solvable " + SlotName(params.Width, params.Height) +
                           " puzzle found in " + std::to_string(MaxCandidates) + " attempts");
}
