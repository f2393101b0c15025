// The complete solver: decides whether a puzzle's clues have no picture, one,
// or more than one, and whether line logic alone finds the one.
//
// It works in three stages on a grid of cell values (1 filled, -1 empty,
// 0 unknown): line logic (every row and column at its exact fixed point, as
// the line solver does), then probing (each unknown cell tried filled and
// empty with line logic; a value that leads to a contradiction is ruled out),
// then a depth-first search until two pictures are found or every branch is
// closed. The search first probes at every step and branches on the cell
// whose two values settle the most; should half the bound run out, it starts
// over as a plain dive on line logic, which shows puzzles with many pictures
// to have two far sooner. The work is measured in line solves and bounded:
// when the bound runs out the verdict is "undecided" rather than a wait
// without end.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/mytypes.h"

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
};

// Line solves the analysis may spend before it answers Undecided: enough for
// the hard puzzles of 30 x 30 and more, a few seconds at most.
inline constexpr std::int64_t kDefaultSolverBudget = 20'000'000;

// Analyses the clues (row clues top to bottom, column clues left to right;
// a line without blocks has an empty clue or {0}). Lines may be at most
// Line::MaxLength long.
TAnalysis AnalysePuzzle(const TCountersArr& rowClues, const TCountersArr& columnClues,
                        std::int64_t budget = kDefaultSolverBudget);
