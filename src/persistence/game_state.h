// The state code of a game: one line of hexadecimal digits that carries a
// slot's name, size, cell size, generation parameters, both boards and view
// flags. From the inside out: a JSON object (keys in a fixed order, the
// writer layout of TJsonNode), UTF-8, one zlib stream, upper-case hex, and in
// front the CRC-32 of that hex text as 8 upper-case digits.
//
// Board strings hold one character per cell, column by column: the character
// at x * Height + y is cell (x, y).
//
// A code is refused with EGameStateInvalid when its checksum fails, when its
// size is outside 1..128, when a board string is not exactly w * h characters
// long, or when "name", "BoardState" or "PlayerState" is missing. A payload
// that passes the checksum but does not inflate, inflates beyond
// kMaxStateJsonSize, is not JSON, or holds a number key that is not an
// integer raises the error of zlib, of the JSON parser or of the conversion.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "model/cell_types.h"
#include "model/difficulty.h"
#include "model/game_view_flags.h"
#include "model/nono_game.h"

// The most stored games read: far more than the program ever keeps (one per
// board size it offers), few enough that a hostile file cannot make it run
// out of memory.
inline constexpr int kMaxStoredSlots = 64;

// One decoded state code; the fields are named after the JSON keys, and
// hold the values that stand for a missing key (pct: see ParseGameState).
struct TGameStateRec {
  std::string name;
  TGameViewFlags GameState = 0;
  int w = 5;
  int h = 5;
  int cw = 20;
  int ch = 20;
  int pct = 0;
  TDifficulty difficulty = TDifficulty::Normal;
  std::string BoardState;
  std::string PlayerState;
  std::uint8_t RandomFillType = 0;
};

// The message is "Invalid data found", for logs and the command line; a window
// words the refusal for the player in the player's language.
class EGameStateInvalid : public std::runtime_error {
 public:
  EGameStateInvalid();
};

// Largest JSON text a state code may inflate to: far above a 128 x 128 game
// (about 33 KB), small enough that a hostile code cannot exhaust memory.
inline constexpr std::size_t kMaxStateJsonSize = 1024 * 1024;

// The board character of a cell state; psAllCorrect and psIncorrect, shown on
// a filled player cell, are written as filled ("#").
char StateToChar(TPieceState state);
// The state of a board character; any unknown character is psNone. "o", the
// check flash that older versions could store, reads as filled: a board
// holds only what the player set.
TPieceState CharToState(char c);

// The state code of a puzzle kept under the given name and shown with the
// given cell size.
std::string GameStateText(const std::string& name, const TNonoGame& puzzle, int cellWidth,
                          int cellHeight);
// A JSON text wrapped in the outer layers: zlib, hex and checksum.
std::string StateCodeOfJson(const std::string& json);

// True when text is a checksum of 8 hex digits, exactly upper-case and
// matching, followed by a non-empty payload of hex digits (either case);
// payload receives the text after the 8th character.
bool CheckStateText(const std::string& text, std::string& payload);

// Validates and decodes a state code (see the header comment for the
// refusals; "name", "BoardState" and "PlayerState" must also be strings). A
// missing "pct" reads as DefaultFillPct(w, h, Normal); "RandomFillType" always
// reads as 0, the only fill the generator has. Strings are read with their
// escapes undone, so decoding and encoding again gives the same code.
TGameStateRec ParseGameState(const std::string& text);

// Decodes one stored game of app.ini. Beyond the checks of ParseGameState, a
// stored game is named after its size ("10x10"): any other name throws
// EGameStateInvalid, since games are found by the size of what is pasted
// into them.
TGameStateRec ParseStoredGameState(const std::string& text);

// Restores a decoded state into a puzzle that already has its size: both
// boards (the solution's filled count recounted), FillPct, Difficulty,
// RandomFillType and GameState (low 8 bits plus vfRestored). A positive
// stored cell size replaces cellWidth / cellHeight; otherwise they stay.
// The history is not touched. Throws EGameStateInvalid, changing nothing,
// when the puzzle's size differs from the stored one or a board string has
// the wrong length.
void ApplyGameStateRec(TNonoGame& puzzle, const TGameStateRec& rec, int& cellWidth,
                       int& cellHeight);
