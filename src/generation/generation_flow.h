// The generation of a new puzzle: the parameters a board size implies, and the
// loop that makes random candidates, checks them and keeps the first one the
// line solver determines completely.
#pragma once

#include <atomic>
#include <chrono>
#include <optional>
#include <stdexcept>

#include "generation/mask_balance.h"
#include "generation/random_fill.h"
#include "generation/run_fill_table.h"
#include "model/cell_types.h"
#include "solver/line_solver.h"

class TNonoGame;

struct TGenerationParams {
  int Width = 0;
  int Height = 0;
  int Target = 0;   // filled cells the picture is balanced to
  int Divisor = 2;  // bounds the first run of each row
  TBalanceOptions Balance;
  int ColumnLimit = 0;         // most blocks in a column; 0 = no block limits
  int RowLimit = 0;            // most blocks in a row; 0 = no block limits
  bool DuplicateTest = false;  // reject equal column clues
  // Sizes without tabled parameters: rather than rejecting candidates, the
  // picture is changed where line logic stalls until it solves.
  bool Repair = false;
};

// Filled cells for a board of width x height at the percentage: the product
// rounded to the nearest integer, halves to the even neighbour.
int TargetCount(int width, int height, int percentage);
TGenerationParams GenerationParams(int width, int height, int percentage);

// Generation abandoned because the caller asked for it.
class EGenerationCancelled : public std::runtime_error {
 public:
  EGenerationCancelled() : std::runtime_error("Generation cancelled") {}
};

// Makes candidates on one working board that it keeps between them, so a
// request allocates nothing per candidate. It writes nothing outside itself
// but the draws of TRnd: a generator may work on any thread, one request at a
// time, while no other thread draws.
class TPuzzleGenerator {
 public:
  // More candidates than any size the program creates ever needs by far; sizes
  // that almost never pass the checks end here instead of freezing.
  static constexpr int MaxCandidates = 200000;
  // Boards far larger than the program creates cost the line solver so much
  // per candidate that the attempts alone would take minutes.
  static constexpr std::chrono::milliseconds MaxTime{20000};

  // The first candidate the line solver determines completely (with Repair,
  // the first picture repaired until it does). Throws std::runtime_error when
  // MaxCandidates candidates or timeLimit gave none, and EGenerationCancelled
  // soon after `cancel` (polled from the generating thread) becomes true.
  const TInternalArrArr& Generate(const TGenerationParams& params,
                                  std::chrono::milliseconds timeLimit = MaxTime,
                                  const std::atomic<bool>* cancel = nullptr);

  // Fills, balances, checks and line-breaks one candidate on the working
  // board. False when it was rejected before the line solver.
  bool MakeCandidate(const TGenerationParams& params);
  // The same without the final line breaking: false when the candidate was
  // rejected; otherwise the board holds exactly the target count.
  bool FillAndCheck(const TGenerationParams& params);
  // The same on a board of "#" and "E" as if the run fill had made it, with
  // the draws balancing makes.
  bool CheckBoard(const TGenerationParams& params, const TInternalArrArr& board);
  // Does the line solver determine every cell of the working board?
  bool CandidateSolves();
  const TInternalArrArr& Board() const { return FBoard; }

 private:
  // The run fill of the working board, row by row, rejecting a row too short
  // of "#" at once. Leaves the filled counts of every line in FCounts and the
  // block counts in FBlocks; returns the filled count, or -1 for a rejected
  // candidate (left half filled).
  int FillRows(const TGenerationParams& p);
  // Boards small enough to be kept as bit masks while they are filled and
  // balanced.
  static bool OnMasks(const TGenerationParams& p);
  // FillRows when OnMasks: rows decoded from the run table into FMasks, the
  // letters written only once balancing is through; a row or a column with
  // at most shortRow "#" rejects the candidate.
  int FillRowsFromTable(const TGenerationParams& p, int shortRow);
  // Everything after the run fill, which left `filled` cells, the counts in
  // FCounts and the block counts in FBlocks, and made the short-line checks
  // itself when linesChecked.
  bool CheckFilled(const TGenerationParams& p, int filled, bool linesChecked);
  // Balances the filled board to the target, keeping the block counts in
  // FBlocks in step; ends as soon as the surplus blocks outnumber the changes
  // still to come. True when the target is reached within the block limits.
  bool BalanceWithinReach(const TGenerationParams& p, int filled);
  // The empty-line checks, and on square boards the thin-line checks, on the
  // "#" counts in FCounts.
  bool HasShortLines(const TGenerationParams& p) const;
  // Repair: a balanced run fill without empty lines in FBoard, its clues in
  // FRowClues and FColumnClues.
  void StartRepair(const TGenerationParams& p);
  // One round of repair: while line logic, going on from what it knows,
  // leaves cells undetermined, one of them is changed in the picture (or,
  // where that would empty a line, taken as known). True when the repaired
  // picture solves from its clues alone.
  template <typename Poll>
  bool RepairRound(const TGenerationParams& p, Poll poll);
  // Changes cell (x, y) of the picture and the clues of its lines.
  void FlipCell(int x, int y);

  TInternalArrArr FBoard;
  TLineCounts FCounts;
  TLineCounts FBlocks;
  TInternalArr FNoRow;                     // an empty row above the top one
  std::optional<TRunFillTable> FRunTable;  // for the last width and divisor
  TBoardMasks FMasks;                      // the working board's filled cells, while OnMasks
  // FMasks describe the board MakeCandidate left, line breaks included.
  bool FMasksOfBoard = false;
  TCountersArr FRowClues;
  TCountersArr FColumnClues;
  NonogramSolver FSolver;
  // Undetermined cells, y * width + x: empty and filled in the picture.
  std::vector<int> FUnknown;
  std::vector<int> FUnknownFilled;
};
