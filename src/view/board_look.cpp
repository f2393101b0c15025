#include "view/board_look.h"

#include "view/view_colors.h"

TLookInks LookInks(TBoardLook look, const TBoardPalette& palette) {
  TLookInks inks;
  switch (look) {
    case blHighContrastLight:
    case blHighContrastDark:
      // Ink and paper only: the shapes tell the marks apart.
      inks.Cursor = ToQRgb(palette[prFilledCell]);
      inks.CursorInner = ToQRgb(palette[prEmptyCell]);
      inks.RoundCursor = true;
      inks.HintFilled = inks.HintEmpty = inks.MistakeClueText = ToQRgb(palette[prClueText]);
      inks.Shapes = true;
      inks.InvertHotClues = true;
      inks.MuteDoneClues = false;  // clue text stays at full contrast
      inks.HeavyLines = true;
      break;
    case blColourBlindSafe:
      inks.Cursor = 0xFF0072B2;  // blue
      inks.CursorInner = 0xFFFFFFFF;
      inks.CursorRings = 2;
      inks.HintFilled = 0xFF0072B2;       // blue
      inks.HintEmpty = 0xFFE69F00;        // orange
      inks.MistakeClueText = 0xFFD55E00;  // vermilion
      inks.Shapes = true;
      break;
    case blDefault:
    default:
      // A blue frame that stands out on every cell colour; green and orange
      // outlines for the hint; red numbers for a mistake.
      inks.Cursor = 0xFF1E64DC;
      inks.HintFilled = 0xFF18A040;
      inks.HintEmpty = 0xFFE08A10;
      // A pale tint of the hint's outlines, apart from the pointer's yellow.
      inks.HintLine = 0xFFFFD49A;
      inks.MistakeClueText = 0xFFD01010;
      break;
  }
  return inks;
}
