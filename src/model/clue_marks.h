// What the player's own board tells about each clue number: whether its run
// is already settled on the board, and whether the line contradicts its clue.
//
// A line is read as the player sees it: a filled cell is filled, a crossed
// cell and a Nightmare mark are empty, every other cell is still open. Nothing
// here looks at the solution, so a mark never tells more than the board shows.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "model/cell_types.h"

class TNonoGame;

enum class TClueMark : std::uint8_t {
  Open,   // nothing settled about this number yet
  Done,   // its run stands complete on the board
  Wrong,  // the line contradicts its clue
};

using TClueMarks = std::vector<TClueMark>;  // one per clue number, in clue order

// The player's view of one cell: 1 filled, -1 empty (crossed or marked
// wrong), 0 open.
std::int32_t PlayerCellValue(TPieceState s);

// True when some placement of the clue's runs agrees with every filled and
// every empty cell of the line (cells as PlayerCellValue gives them). A clue
// {0} or {} is the empty line.
bool LineFits(const TCounterArr& clue, std::span<const std::int32_t> cells);

// The marks of one line's clue numbers. When the filled runs are exactly the
// clue, every number is Done. Otherwise a run is Done when everything between
// it and an end of the line is settled (only filled and empty cells), it is
// closed by an empty cell or the edge, and its length is the number counted
// from that end. With withMistakes, a line that no placement fits is Wrong in
// all its numbers.
TClueMarks LineClueMarks(const TCounterArr& clue, std::span<const std::int32_t> cells,
                         bool withMistakes);

// The marks of every row (top to bottom) or column (left to right) of the game.
std::vector<TClueMarks> RowClueMarks(const TNonoGame& game, bool withMistakes);
std::vector<TClueMarks> ColumnClueMarks(const TNonoGame& game, bool withMistakes);
