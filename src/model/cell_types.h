// The cell types of the puzzle model: cell states, the cell record, the line
// and board arrays, the letters of the generator's working board and one
// recorded change of a cell.
#pragma once

#include <cstdint>
#include <vector>

// One-byte cell state: what the player set (empty, filled, crossed), plus
// the states only the view shows and the generator's marks. The boards
// of a puzzle never hold psCorrect or psAllCorrect: the board view shows them
// over filled cells for a while.
enum TPieceState : std::uint8_t {
  psNone = 0,             // no state; positions outside the board
  psEmpty = 1,            // not filled (every new cell)
  psFilled = 2,           // filled
  psCrossed = 3,          // marked empty by the player
  psCorrect = 4,          // a filled cell as the board view shows it during the check flash
  psAllCorrect = 5,       // a filled cell as the board view shows it during the celebration
  psDeltaCheckedRow = 6,  // generator mark: cell added by row balancing
  psDeltaCheckedCol = 7,  // generator mark: cell added by column balancing
  psLatest = 8,           // reserved, never set
  psIncorrect = 9,        // wrongly filled cell marked by the Nightmare rule
};

// Bit n stands for TPieceState n.
using TPieceStateSet = std::uint16_t;
constexpr TPieceStateSet StateBit(TPieceState s) {
  return static_cast<TPieceStateSet>(1u << s);
}

// One cell: its state and informational generator marks. No rule reads Marks.
struct TPiece {
  TPieceState State = psEmpty;
  TPieceStateSet Marks = 0;
};

using TPiecesArr = std::vector<TPiece*>;  // one row or column: references into a board
using TPieceStateArr = std::vector<TPieceState>;
using TGridArr = std::vector<TPiecesArr>;           // [row][column]
using TGridStateArr = std::vector<TPieceStateArr>;  // [row][column]
using TCounterArr = std::vector<std::int32_t>;   // one clue: run lengths in order; empty line = {0}
using TCountersArr = std::vector<TCounterArr>;   // clues of all rows or all columns
using TInternalArr = std::vector<std::uint8_t>;  // one row of the generator's letter board
using TInternalArrArr = std::vector<TInternalArr>;  // the letter board, [row][column]

// Letters of the generator's working board.
constexpr std::uint8_t kLetterEmpty = 'E';
constexpr std::uint8_t kLetterFilled = '#';
constexpr std::uint8_t kLetterRowAdded = 'd';
constexpr std::uint8_t kLetterColumnAdded = 'c';

// One recorded change of a player cell.
struct TUndoRec {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  TPieceState OldState = psNone;
  TPieceState NewState = psNone;
};
