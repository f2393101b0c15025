// TKeyboardCursor: play with the keyboard. The cursor is a cell of the board;
// Fill and Cross act on it as the left and right button do on a click, and a
// stroke paints every cell the cursor enters with the state of the cell it
// started on, recorded as one undo step when it ends.
//
// The cursor stays on the board: a move past an edge stops there. Moves and
// strokes never touch the pointer's own stroke: while a button is held
// (the puzzle has a pending step the cursor did not start) cell keys do
// nothing.
#pragma once

#include "model/cell_types.h"

class TNonoGame;

class TKeyboardCursor {
 public:
  int Col() const { return FCol; }
  int Row() const { return FRow; }
  bool Shown() const { return FShown; }
  void Hide() { FShown = false; }
  bool Stroking() const { return FStroke != psNone; }

  // Moves by (dx, dy), clamped to the board of game; shows the cursor. With
  // stroke the cells passed get the stroke's paint (the first such move
  // starts the stroke from the cursor cell).
  void Move(TNonoGame& game, int dx, int dy, bool stroke);
  // Moves to the first or last cell of the cursor's row.
  void ToLineEnd(TNonoGame& game, bool last, bool stroke);
  // The left button's click on the cursor cell: fills it, or empties a filled
  // one. False when nothing could be done.
  bool Fill(TNonoGame& game);
  // The right button's click: crosses an empty cell, clears a crossed one.
  bool Cross(TNonoGame& game);
  // Ends a stroke: its cells become one undo step.
  void EndStroke(TNonoGame& game);

 private:
  void Place(TNonoGame& game, int col, int row, bool stroke);
  bool Click(TNonoGame& game, TPieceState newState);

  int FCol = 0;
  int FRow = 0;
  bool FShown = false;
  TPieceState FStroke = psNone;  // what the stroke paints, psNone without one
};
