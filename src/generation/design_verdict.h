// What a drawn picture is worth as a puzzle: whether line logic alone finds
// it from its clues (and how hard that is), whether it is the only picture of
// its clues but needs guessing, or whether several pictures fit. The designer
// asks after every change of the picture, so the answer must come quickly and
// give up when the picture has changed again.
//
// A picture here is its size and its cells row by row, '#' filled and any
// other character empty, as a puzzle's goal is written.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "model/cell_types.h"
#include "solver/complete_solver.h"
#include "solver/line_solver.h"

struct TDesignPicture {
  int Width = 0;
  int Height = 0;
  std::string Cells;  // Width * Height characters, row by row

  bool Filled(int x, int y) const { return Cells[static_cast<std::size_t>(y) * Width + x] == '#'; }
  bool operator==(const TDesignPicture&) const = default;
};

// The clues of a picture as the solvers take them (a line without a run has
// an empty clue).
TCountersArr RowCluesOf(const TDesignPicture& picture);
TCountersArr ColumnCluesOf(const TDesignPicture& picture);

enum class TDesignVerdictKind : std::uint8_t {
  LineSolvable,   // line logic alone finds the picture
  NeedsGuessing,  // the only picture of its clues, but line logic stops short
  Several,        // more than one picture fits the clues
  Undecided,      // the search gave up (too large, or cancelled)
};

struct TDesignVerdict {
  TDesignVerdictKind Kind = TDesignVerdictKind::Undecided;
  int Stars = 0;  // 1..5 for LineSolvable, else 0
  // The cells line logic leaves open (1), row by row, and how many they are.
  std::vector<std::uint8_t> Open;
  int OpenCount = 0;
  // For Several: two different pictures that fit the clues.
  TDesignPicture First;
  TDesignPicture Second;
};

// Line solves the live verdict may spend on the search beyond line logic:
// a fraction of a second on the largest boards.
inline constexpr std::int64_t kDesignVerdictBudget = 400'000;

// Judges the picture. cancel (may be null) is polled; once it is true the
// answer is Undecided and worthless.
TDesignVerdict JudgeDesign(const TDesignPicture& picture,
                           std::int64_t budget = kDesignVerdictBudget,
                           const std::atomic<bool>* cancel = nullptr);

// The one place the designer calls the complete solver; cancel (may be
// null) is read while the search runs.
TAnalysis AnalyseDesignClues(const TCountersArr& rows, const TCountersArr& columns,
                             std::int64_t budget, const std::atomic<bool>* cancel);

// The cells line logic leaves open for the picture's clues (1 open), row by
// row; solver is reused between calls.
std::vector<std::uint8_t> OpenCellsOf(const TDesignPicture& picture, NonogramSolver& solver);
