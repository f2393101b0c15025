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
  const int filled = FillRandomRuns(FBoard, p.Width, p.Height, p.Divisor);
  // Straight after the run fill every filled cell is a "#": one count serves
  // the line checks and balancing. Balancing never adds a "#", so a line too
  // short of them now stays so, and the candidate is rejected at once.
  CountLines(FBoard, FCounts);
  if (HasShortLines(p)) return false;
  if (!BalanceFillCount(FBoard, FCounts, p.Balance, p.Target, p.Target - filled)) return false;
  // Only removing cells can take a "#" away.
  if (p.Target < filled) {
    CountHashes(FBoard, p.Width, p.Height, FCounts);
    if (HasShortLines(p)) return false;
  }
  if (p.ColumnLimit > 0 || p.RowLimit > 0) {
    CountBlocks(FBoard, FCounts);
    if (HasTooManyBlocks(FCounts.Columns, p.ColumnLimit) ||
        HasTooManyBlocks(FCounts.Rows, p.RowLimit))
      return false;
    if (p.DuplicateTest) {
      BoardColumnClues(FBoard, FColumnClues);
      if (HasDuplicateClues(FColumnClues)) return false;
    }
  }
  return true;
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
