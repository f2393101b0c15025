#include "generation/generation_flow.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "generation/candidate_checks.h"
#include "model/nono_game.h"

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
  return p;
}

bool TPuzzleGenerator::MakeCandidate(const TGenerationParams& p) {
  if (!FillAndCheck(p)) return false;
  BreakFullLines(FBoard, p.Width, p.Height);
  return true;
}

bool TPuzzleGenerator::FillAndCheck(const TGenerationParams& p) {
  const int filled = FillRows(p);
  if (filled < 0) return false;
  // Straight after the run fill every filled cell is a "#": one count serves
  // the line checks and balancing. Balancing never adds a "#", so a line too
  // short of them now stays so, and the candidate is rejected at once.
  if (HasShortLines(p)) return false;
  const bool limited = p.ColumnLimit > 0 || p.RowLimit > 0;
  // Balancing reaches the target by exactly this many changes, all one way.
  if (limited &&
      BlockLimitsOutOfReach(FBoard, FBlocks, p.ColumnLimit, p.RowLimit, p.Target - filled))
    return false;
  if (!BalanceFillCount(FBoard, FCounts, p.Balance, p.Target, p.Target - filled)) return false;
  // Only removing cells can take a "#" away.
  if (p.Target < filled) {
    CountHashes(FBoard, p.Width, p.Height, FCounts);
    if (HasShortLines(p)) return false;
  }
  if (limited) {
    CountBlocks(FBoard, FBlocks);
    if (HasTooManyBlocks(FBlocks.Columns, p.ColumnLimit) ||
        HasTooManyBlocks(FBlocks.Rows, p.RowLimit))
      return false;
    if (p.DuplicateTest) {
      BoardColumnClues(FBoard, FColumnClues);
      if (HasDuplicateClues(FColumnClues)) return false;
    }
  }
  return true;
}

int TPuzzleGenerator::FillRows(const TGenerationParams& p) {
  const int w = p.Width;
  const int h = p.Height;
  if (w < 1 || h < 1 || p.Divisor < 1 || w / p.Divisor < 1)
    throw std::invalid_argument("The run fill needs a board at least as wide as its divisor");
  FBoard.resize(h);
  FCounts.Rows.assign(h, 0);
  FCounts.Columns.assign(w, 0);
  FBlocks.Rows.assign(h, 0);
  FBlocks.Columns.assign(w, 0);
  // Rows with no more "#" than this fail the empty-row (or thin-row) check.
  const int shortRow = w == h && h > 5 ? 1 : 0;
  const int columnLimit = p.ColumnLimit > 0 ? p.ColumnLimit : w + h;
  const int rowLimit = p.RowLimit > 0 ? p.RowLimit : w + h;
  const bool limited = p.ColumnLimit > 0 || p.RowLimit > 0;
  int filled = 0;
  int columnExcess = 0;
  int rowExcess = 0;
  for (int y = 0; y < h; ++y) {
    TInternalArr& row = FBoard[y];
    row.resize(w);
    const int inRow = FillRandomRow(row, p.Divisor);
    filled += inRow;
    FCounts.Rows[y] = inRow;
    if (inRow <= shortRow) return -1;
    // Blocks start at a "#" after an "E" (or the line's start); the rows
    // above are final.
    const std::uint8_t* above = y > 0 ? FBoard[y - 1].data() : nullptr;
    int rowBlocks = 0;
    for (int x = 0; x < w; ++x) {
      const int hash = row[x] == kLetterFilled ? 1 : 0;
      const int hashBefore = x > 0 && row[x - 1] == kLetterFilled ? 1 : 0;
      const int hashAbove = above && above[x] == kLetterFilled ? 1 : 0;
      FCounts.Columns[x] += hash;
      rowBlocks += hash & (1 - hashBefore);
      const int starts = hash & (1 - hashAbove);
      FBlocks.Columns[x] += starts;
      columnExcess += starts & (FBlocks.Columns[x] > columnLimit ? 1 : 0);
    }
    FBlocks.Rows[y] = rowBlocks;
    rowExcess += std::max(rowBlocks - rowLimit, 0);
    if (!limited) continue;
    // The rows still to come hold between 1 and w - 1 filled cells each, which
    // bounds how far the final count can miss the target, and so how many
    // cells balancing may change; the excess can only grow.
    const int rest = h - 1 - y;
    const int most = std::max(p.Target - (filled + rest), filled + rest * (w - 1) - p.Target);
    if (std::max(columnExcess, rowExcess) > most) return -1;
  }
  return filled;
}

bool TPuzzleGenerator::HasShortLines(const TGenerationParams& p) const {
  if (HasEmptyColumn(FCounts) || HasEmptyRow(FCounts)) return true;
  return p.Width == p.Height && (HasThinRow(FCounts) || HasThinColumn(FCounts));
}

bool TPuzzleGenerator::CandidateSolves() {
  BoardRowClues(FBoard, FRowClues);
  BoardColumnClues(FBoard, FColumnClues);
  FSolver.Reset(FRowClues, FColumnClues);
  return FSolver.Solve() == 2;
}

const TInternalArrArr& TPuzzleGenerator::Generate(const TGenerationParams& params,
                                                  std::chrono::milliseconds timeLimit) {
  const std::string failed = "No line-solvable " + std::to_string(params.Width) + "x" +
                             std::to_string(params.Height) + " puzzle found in ";
  const auto deadline = std::chrono::steady_clock::now() + timeLimit;
  for (int attempt = 1; attempt <= MaxCandidates; ++attempt) {
    if (MakeCandidate(params)) {
      if (CandidateSolves()) return FBoard;
    } else if (attempt % 1024 != 0) {
      continue;  // the clock is read after every solver run, and now and then
    }
    if (std::chrono::steady_clock::now() > deadline) {
      const long long ms = timeLimit.count();
      throw std::runtime_error(
          failed +
          (ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms") + " (" +
          std::to_string(attempt) + " attempts)");
    }
  }
  throw std::runtime_error(failed + std::to_string(MaxCandidates) + " attempts");
}

void StartNewPuzzleModel(TNonoGame& game, TDifficulty difficulty) {
  game.SetFillPct(DefaultFillPct(game.Width(), game.Height(), difficulty));
  game.SetDifficulty(difficulty);
  game.Regenerate();
}
