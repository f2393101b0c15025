// Colours, colour arithmetic and the board palette. Colours are 0x00BBGGRR; a value whose top
// byte is 0xFF names a system colour by its index in the low byte. The board
// view picks palette entries by role, never by number.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

using TColor = std::uint32_t;

// What each of the 16 board colours is used for.
enum TPaletteRole : std::uint8_t {
  prEmptyCell = 0,       // empty cell and every state without a colour of its own
  prFilledCell = 1,      // filled cell; background of a wrongly filled cell
  prUnused2 = 2,         // not drawn
  prCrossPen = 3,        // the cross
  prTickPen = 4,         // the tick of the check flash; start of the celebration pulse
  prTickBackground = 5,  // background of a ticked cell
  prGridBackground = 6,  // gaps between cells, frame interior
  prClueBackground = 7,  // clue cell
  prCrossedCell = 8,     // background of a crossed cell
  prBoardArea = 9,       // the board panel and the grids' cell colour
  prClueText = 10,       // clue numbers
  prGroupLine = 11,      // separators every five cells
  prCounterText = 12,    // position counters
  prHotClue = 13,        // background of the clue cells under the pointer
  prHotDot = 14,         // the dot marking empty cells of the pointer's lines
  prUnused15 = 15,       // not drawn
};

constexpr int kBoardPaletteSize = 16;

// How the board is drawn, a player's choice: the default colours, black and
// white at full contrast with heavy lines (on a light or a dark board), or
// colours that stay apart for colour-blind eyes, in which every state also
// has a shape of its own. The values are stored.
enum TBoardLook : std::uint8_t {
  blDefault = 0,
  blHighContrastLight = 1,
  blHighContrastDark = 2,
  blColourBlindSafe = 3,
};
constexpr int kBoardLookCount = 4;

// The 16 board colours, indexed by role.
struct TBoardPalette {
  std::array<TColor, kBoardPaletteSize> Colors{};

  constexpr TColor& operator[](TPaletteRole role) { return Colors[role]; }
  constexpr const TColor& operator[](TPaletteRole role) const { return Colors[role]; }
  friend constexpr bool operator==(const TBoardPalette&, const TBoardPalette&) = default;
};

// r + g*256 + b*65536, each taken as one byte.
TColor RGBToColor(int r, int g, int b);
// The plain 0x00BBGGRR value of a colour; a system colour (top byte 0xFF)
// resolves through the classic system colour table by its low-byte index,
// unknown indexes to black.
TColor ColorToRGB(TColor colour);
// Each channel moved by delta * 0.31, rounded half to even, clamped 0..255.
TColor ShiftColor(TColor colour, int delta);
