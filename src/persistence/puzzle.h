// A puzzle as the sharing formats carry it: a size, the clues of every column
// and row, and optionally the picture they come from (the goal). This is what
// the readers of game IDs, .non files, webpbn XML and state codes give, and
// what the writers take.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/cell_types.h"

class TNonoGame;

struct TPuzzle {
  int Width = 0;
  int Height = 0;
  // Column clues left to right, row clues top to bottom; the values are
  // positive, and a line without blocks has an empty clue.
  TCountersArr Columns;
  TCountersArr Rows;
  // Empty, or Width * Height characters row by row: '#' filled, '.' empty.
  std::string Goal;
  // Free text from the file, without line breaks; may be empty.
  std::string Title;
  // Who made the puzzle and under what terms it may be shared (.non "by" and
  // "license", webpbn <author> and <copyright>); free text like the title.
  std::string Author;
  std::string Licence;

  bool operator==(const TPuzzle&) const = default;
};

// Refusal of a text or file that is not a puzzle this program can play; the
// message says what is wrong, in English, for the command line and the log.
class EPuzzleInvalid : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// Largest puzzle file or text read: a pack of thousands of big puzzles fits,
// and a hostile file cannot make a reader hold much more than this.
inline constexpr std::size_t kMaxPuzzleText = 8 * 1024 * 1024;
// Most puzzles read from one text, so a pack cannot exhaust memory.
inline constexpr std::size_t kMaxPuzzlesPerText = 10000;

// "column 3" / "row 1" for messages, counting from 1.
std::string LineName(bool column, int index);
// The same in the current language, for refusals.
std::string LineInText(bool column, int index);

// A piece of offending text for a message, in single quotes: at most about
// 80 characters of it (cut at a character's start, "..." marking the cut),
// so that a refusal of a huge line stays one short line.
std::string Quoted(std::string_view text);

// The text with a UTF-16 byte-order mark converted to UTF-8; any other text
// as it is.
std::string_view Utf8Text(std::string_view text, std::string& converted);

// The runs of filled cells of a line of goal characters ('#' filled).
TCounterArr ClueOfCells(std::string_view cells);

// Throws EPuzzleInvalid unless the puzzle is sound: sides in 1..128, one clue
// per line, every clue fits its line, columns and rows fill the same number
// of cells, and a goal (when there is one) has Width * Height cells of '#'
// and '.' whose runs are exactly the clues.
void CheckPuzzle(const TPuzzle& puzzle);

// The clues of a picture given row by row ('#' filled, anything else empty).
TPuzzle PuzzleOfGoal(int width, int height, std::string goal);

// The solution of a game as a puzzle with its goal.
TPuzzle PuzzleOfGame(const TNonoGame& game);

// The goal as the letter board TNonoGame::LoadSolutionGrid takes. The puzzle
// must have a goal.
TInternalArrArr LettersOfGoal(const TPuzzle& puzzle);

// The formats a puzzle text can be in.
enum class TPuzzleFormat { GameId, Non, PbnXml, StateCode };

// Guesses the format from the text's first characters: '<' XML, a line of
// hex digits a state code, "N:" or "WxH:" a game ID, anything else .non. A
// byte-order mark (UTF-8 or UTF-16) and white space before them are passed
// over.
TPuzzleFormat DetectPuzzleFormat(std::string_view text);

// Reads every puzzle of a text in any of the formats (one game ID or state
// code per line; a .non pack or a webpbn puzzle set), in UTF-8 or in UTF-16
// with its byte-order mark, with LF, CR LF or CR line ends (XML also in any
// encoding its declaration names that expat knows). Each puzzle read is
// checked with CheckPuzzle. Throws EPuzzleInvalid for a text that is too
// long, holds no puzzle or holds a bad one.
std::vector<TPuzzle> ReadPuzzles(std::string_view text);
