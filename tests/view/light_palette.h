// The light board palette, for view tests that need the designed colours.
#pragma once

#include "model/mytypes.h"

namespace test_support {

inline TBoardPalette LightPalette() {
  return TBoardPalette{
      0xFFFFFF,    // 0 empty cell
      0x000000,    // 1 filled cell
      0xFF0000,    // 2 not shown
      0x0000FF,    // 3 pen of the cross
      0x008000,    // 4 pen of the tick
      0x000000,    // 5 background of a ticked cell
      0xC0C0C0,    // 6 grid background
      0xF0FBFF,    // 7 clue cell background
      0xFFFFFF,    // 8 background of a crossed cell
      0xC0DCC0,    // 9 panel
      0xFF000008,  // 10 clue text: the system's window-text colour
      0x000000,    // 11 group separators
      0x00FFFF,    // 12 position counter text
      0x00FFFF,    // 13 background of a hot clue cell
      0xC0DCC0,    // 14 hot dot
      0xC0C0C0,    // 15 not shown
  };
}

}  // namespace test_support
