// What a board look draws beyond its palette: the colours of the marks that
// are no palette role (the keyboard cursor, the hint's outlines, the numbers
// of a line with a mistake) and the shapes that keep states apart without
// colour. The palette itself comes with the puzzle; these follow from it and
// the look.
#pragma once

#include <QRgb>

#include "util/color.h"

struct TLookInks {
  QRgb Cursor = 0;           // the cursor's frame
  QRgb CursorInner = 0;      // a second frame just inside it, so the cursor shows on
                             // every cell colour
  int CursorRings = 1;       // frames drawn inside each other, Cursor and
                             // CursorInner in turn
  bool RoundCursor = false;  // a round ring instead: no cell line or other
                             // mark is round
  QRgb HintFilled = 0;       // outline of a cell the hint proves filled
  QRgb HintEmpty = 0;        // outline of a cell the hint proves empty
  QRgb MistakeClueText = 0;
  QRgb HintLine = 0;  // background of the clues of the line a hint explains;
                      // 0: lit like the clues under the pointer
  // A hint's cells, completed and wrong clues, the clues under the pointer
  // and those of the hint's line each get a shape: a centre square or a
  // dashed outline, a stroke through the number, a frame, a bar along the
  // cell's foot, a bar along its head.
  bool Shapes = false;
  bool InvertHotClues = false;  // a hot clue swaps text and background colours
  bool MuteDoneClues = true;    // a completed clue's number fades
  bool HeavyLines = false;      // every board cell is framed in the grid colour
};

TLookInks LookInks(TBoardLook look, const TBoardPalette& palette);
