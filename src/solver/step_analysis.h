// How a puzzle is solved line by line, and how hard that is.
//
// TStepFinder answers "which line can advance next, and why" on a partly
// known grid: a step is one row or column together with the cells it settles
// and the reason. The easy reason is the overlap of the runs' placements
// pushed as far left and as far right as the known cells allow: a cell that
// one run covers in both is filled, a cell that lies in the same gap in both
// is empty. When no line advances that way, full line logic (every fitting
// placement of the clue) may still settle cells; such a step is the hard
// kind. The finder always offers an overlap step first.
//
// GradePuzzle walks those steps from an empty grid to the solution, the way a
// player who tries the easy look at every line before thinking hard would, and
// maps what it counted to 1..5 stars (docs/grading.md gives the scale and how
// it was calibrated). The grade does not depend on which way up the puzzle
// lies: the same for its transpose, mirrors and rotations.
//
// Cell values everywhere: 1 filled, -1 empty, 0 unknown.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "model/cell_types.h"
#include "solver/line_solver.h"

class TNonoGame;

enum class TStepReason : std::uint8_t {
  Overlap,    // the leftmost and the rightmost placement of the runs agree
  LineLogic,  // only the whole set of fitting placements settles the cells
};

struct TSettledCell {
  int X = 0;
  int Y = 0;
  std::int32_t Value = 0;  // 1 or -1
  bool operator==(const TSettledCell&) const = default;
};

struct TLineStep {
  bool Column = false;  // a column, else a row
  int Index = 0;        // the row's or column's number, from 0
  TStepReason Reason = TStepReason::Overlap;
  std::vector<TSettledCell> Cells;  // the cells the step settles, in line order
};

class TStepFinder {
 public:
  // Row clues top to bottom, column clues left to right; every cell unknown.
  TStepFinder(const TCountersArr& rowClues, const TCountersArr& columnClues);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  std::int32_t Cell(int x, int y) const { return FGrid[Index(x, y)]; }
  // Makes a cell known (or unknown again, with 0).
  void SetCell(int x, int y, std::int32_t value);
  int UnknownCells() const;

  // The first row (top to bottom), else the first column (left to right),
  // that the overlap advances; failing that, the first that line logic
  // advances. None when the grid is complete, when no line can advance, or
  // when some line admits no placement of its clue (Contradiction()).
  std::optional<TLineStep> NextStep();
  // Every line's step for the reason on the grid as it is, rows top to bottom
  // and then columns left to right; empty on a contradiction (Contradiction()).
  std::vector<TLineStep> AllSteps(TStepReason reason);
  // Writes the step's cells into the grid.
  void Apply(const TLineStep& step);
  // Set by NextStep when the known cells contradict a clue.
  bool Contradiction() const { return FContradiction; }

 private:
  struct TLine {
    explicit TLine(const TCounterArr& clue);
    TCounterArr Clue;          // the runs, no zeros
    Line Logic;                // the line solver for the clue
    bool OverlapDone = false;  // the overlap settles nothing more here
    bool LogicDone = false;    // nor does line logic
  };
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * FWidth + x; }
  TLine& LineOf(bool column, int index) { return column ? FColumns[index] : FRows[index]; }
  void Load(bool column, int index);
  // The step the line offers for the reason, if any; false on a contradiction.
  bool TryLine(bool column, int index, TStepReason reason, std::optional<TLineStep>& step);
  void Touched(int x, int y);

  int FWidth = 0;
  int FHeight = 0;
  TCounterArr FGrid;  // row by row
  std::vector<TLine> FRows;
  std::vector<TLine> FColumns;
  TCounterArr FCells;  // the line being looked at
  bool FContradiction = false;
};

// What solving a puzzle by line steps took.
struct TPuzzleGrade {
  bool Solvable = false;  // line logic settles every cell
  // Sweeps (all rows, then all columns, or all columns, then all rows,
  // whichever order needs fewer) until line logic settles nothing more.
  int Sweeps = 0;
  int Steps = 0;  // line steps from the empty grid to the solution
  // Times the overlap settled nothing more on any line; each time, every line
  // that full line logic advances takes its step.
  int LogicSteps = 0;
  int LogicCells = 0;  // cells those steps settle
  int Stars = 0;       // 1 (easiest) .. 5; 0 when not solvable
};

// The grade of the clues' puzzle.
TPuzzleGrade GradePuzzle(const TCountersArr& rowClues, const TCountersArr& columnClues);
// The grade of the game's current solution.
TPuzzleGrade GradeGame(const TNonoGame& game);
// The measure the stars are cut from: the sweeps, with every step that needs
// more than the overlap counting as two more.
int GradeScore(int sweeps, int logicSteps);
// The stars for the counts of a solvable puzzle.
int StarsFor(int sweeps, int logicSteps);

// The overlap of one line: writes into `cells` every unknown cell the
// leftmost and rightmost placements of the runs settle. False when no
// placement fits.
bool OverlapLine(const TCounterArr& clue, std::span<std::int32_t> cells);
