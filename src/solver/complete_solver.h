// The complete solver: decides whether a puzzle's clues have no picture, one,
// or more than one, and whether line logic alone finds the one.
//
// It works in three stages on a grid of cell values (1 filled, -1 empty,
// 0 unknown): line logic (every row and column at its exact fixed point, as
// the line solver does), then probing (each unknown cell beside a known one
// tried filled and empty with line logic; a value that leads to a
// contradiction is ruled out, and a cell both tries settle alike takes that
// value), then a depth-first search until two pictures are found or every
// branch is closed. The search takes turns with three ways of branching, each
// with a third of the bounds: probing at every other step and branching on the
// cell whose row and column, counted over all their fitting placements, most
// agree on one value, that value first; the same on the cell likeliest to be
// filled (first on sparse pictures); and a plain dive on line logic, which
// shows puzzles with many pictures to have two far sooner. Once a picture is
// found, new branches try the value that leads away from it first. The work
// is bounded by wall time, by line solves and by a cancel flag: when a bound
// runs out the verdict is "undecided" rather than a wait without end.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "model/cell_types.h"

enum class TVerdict {
  None,          // no picture fits the clues
  Multiple,      // at least two pictures fit
  LineSolvable,  // one picture, found by line logic alone
  Unique,        // one picture, but line logic alone stops short of it
  Undecided,     // the bound ran out first
};

// "none", "multiple", "line-solvable", "unique", "undecided".
const char* VerdictName(TVerdict verdict);

struct TAnalysis {
  TVerdict Verdict = TVerdict::Undecided;
  // Complete grids, row by row, 1 filled and -1 empty: the picture for the
  // two unique verdicts, two different pictures for Multiple, none otherwise.
  std::vector<TCounterArr> Solutions;
  // For None, when line logic on the clues alone already fails: the first
  // line that admits no placement (0-based index); -1 otherwise.
  int BadLine = -1;
  bool BadLineIsColumn = false;
  // Line solves spent.
  std::int64_t Work = 0;
  // Cells that line logic and probing on the clues alone leave unknown (as far
  // as the bound let probing go); 0 for LineSolvable.
  int UndecidedCells = 0;
  // Undecided because the cancel flag was raised.
  bool Cancelled = false;
};

// Wall time the analysis may take by default before it answers Undecided.
inline constexpr double kDefaultSolverSeconds = 3.0;
// A bound on line solves that no analysis within the time reaches.
inline constexpr std::int64_t kDefaultSolverBudget = std::int64_t{1} << 60;

struct TAnalysisLimits {
  // Wall time from the start of the analysis; 0 or less for no bound.
  double Seconds = kDefaultSolverSeconds;
  // Line solves; a bound that gives the same answer on every machine.
  std::int64_t Work = kDefaultSolverBudget;
  // Read often while the analysis runs (from any thread): once true, the
  // analysis stops with Undecided and Cancelled set.
  const std::atomic<bool>* Cancel = nullptr;
};

// Analyses the clues (row clues top to bottom, column clues left to right;
// a line without blocks has an empty clue or {0}). Lines may be at most
// Line::MaxLength long.
TAnalysis AnalysePuzzle(const TCountersArr& rowClues, const TCountersArr& columnClues,
                        const TAnalysisLimits& limits);
// The same with at most `budget` line solves and the default wall time.
TAnalysis AnalysePuzzle(const TCountersArr& rowClues, const TCountersArr& columnClues,
                        std::int64_t budget = kDefaultSolverBudget);
