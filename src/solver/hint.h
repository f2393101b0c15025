// The explained hint: what line logic can tell the player next from the
// player's own board (filled cells filled, crosses and Nightmare marks empty,
// the rest unknown). The hint reads the board only; it never changes it.
//
// When a line's known cells fit no placement of its clue, the hint names the
// first such line (rows top to bottom, then columns) as holding a mistake,
// without saying which cell. When every line fits on its own, line logic is
// followed from the player's cells over the whole board (rows, then columns,
// until nothing more follows); should it reach a line that no placement fits,
// the board holds a mistake, and the hint names that line and proposes no
// step, since any step would rest on the mistake. Otherwise it takes the line
// with the fewest unknown cells on which line logic settles something (rows
// before columns, lower numbers first among equals) and lists the cells it
// proves, with the kind of reasoning that proves them.
#pragma once

#include <cstdint>
#include <vector>

#include "model/cell_types.h"
#include "solver/step_analysis.h"

class TNonoGame;

enum class THintKind : std::uint8_t {
  None,      // no line can be advanced
  Complete,  // every cell is filled or crossed
  Mistake,   // the line's cells contradict its clue
  Step,      // the line's cells settle the listed cells
};

// Why the step's cells are proven.
enum class THintReason : std::uint8_t {
  AllPlaced,  // the runs are all there: the rest of the line stays empty
  Overlap,    // the runs' leftmost and rightmost placements agree on the cells
  LineLogic,  // only the whole set of fitting placements settles them
};

struct THint {
  THintKind Kind = THintKind::None;
  bool Column = false;
  int Index = 0;     // the row's or column's number, from 0
  TCounterArr Clue;  // the line's runs ({0} for an empty line)
  int Length = 0;    // the line's cells
  THintReason Reason = THintReason::LineLogic;
  std::vector<TSettledCell> Cells;  // board positions, in line order
  // For a Mistake: the line's own cells fit its clue, and only what line
  // logic derives from the rest of the board contradicts it.
  bool FromBoard = false;
};

// The hint for the game's player board.
THint FindHint(const TNonoGame& game);
