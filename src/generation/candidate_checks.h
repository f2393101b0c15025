// Checks that throw away random pictures making poor puzzles before the line
// solver is asked, and the clues of a working board. The line tests count
// only "#" cells (placed by the run fill); cells added by balancing do not
// count. Every test answers true when the candidate must be rejected.
#pragma once

#include "generation/random_fill.h"
#include "model/cell_types.h"

// Some column (row) has no "#".
bool HasEmptyColumn(const TInternalArrArr& board, int width, int height);
bool HasEmptyRow(const TInternalArrArr& board, int width, int height);
// Some row has at most t "#", t = 0 when height <= 5, else 1.
bool HasThinRow(const TInternalArrArr& board, int width, int height);
// Some column has at most t "#", t = 0 when width <= 5, else 1.
bool HasThinColumn(const TInternalArrArr& board, int width, int height);
// The same four tests from the "#" counts of every row and column, which
// CountHashes takes in one pass over the board.
void CountHashes(const TInternalArrArr& board, int width, int height, TLineCounts& hashes);
bool HasEmptyColumn(const TLineCounts& hashes);
bool HasEmptyRow(const TLineCounts& hashes);
bool HasThinRow(const TLineCounts& hashes);
bool HasThinColumn(const TLineCounts& hashes);

// Some line has more than limit blocks; never for limit <= 0.
bool HasTooManyBlocks(const TCountersArr& clues, int limit);
// The same from the number of blocks of every line, which CountBlocks takes
// for rows and columns in one pass over the board.
bool HasTooManyBlocks(const std::vector<int>& blocks, int limit);
void CountBlocks(const TInternalArrArr& board, TLineCounts& blocks);
// Blocks beyond the limit, summed over the lines; none without a limit
// (limit <= 0). Balancing brings this to zero.
int BlockExcess(const std::vector<int>& blocks, int limit);
// Two different lines have equal clues.
bool HasDuplicateClues(const TCountersArr& clues);
// On boards larger than 3 x 3, empties one random cell of every row, then of
// every column, that holds only "#".
void BreakFullLines(TInternalArrArr& board, int width, int height);

// The clues of the board's rows (columns), exactly as the puzzle computes them
// once the board is its solution: "#", "d", "c" extend a run, "E" ends it, a
// line without runs has the clue {0}. The arrays are refilled in place so a
// caller that keeps them allocates nothing for boards of the same size.
void BoardRowClues(const TInternalArrArr& board, TCountersArr& clues);
void BoardColumnClues(const TInternalArrArr& board, TCountersArr& clues);
// The clue of one row (column) the same way.
void BoardRowClue(const TInternalArrArr& board, int y, TCounterArr& clue);
void BoardColumnClue(const TInternalArrArr& board, int x, TCounterArr& clue);
