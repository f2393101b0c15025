// What Paste, Open and a drop would do with a text: a TAVELO state code, or a
// puzzle in one of the sharing formats (game ID, .non, webpbn XML). The game
// menu enables Paste and the Paste command loads a text by the same check, on
// the same cleaned text, so Paste is offered exactly when it will load or
// judge a puzzle.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "persistence/game_state.h"
#include "persistence/puzzle.h"

class TSlotShelf;

enum TPasteVerdict {
  pvLoadable,   // a state code for a slot that takes it, or for a size a slot can be made for
  pvNotAGame,   // no state code and no puzzle at all
  pvDamaged,    // a state code whose checksum or contents fail
  pvNoBoard,    // a sound code or puzzle for a size no slot can have
  pvPuzzle,     // a puzzle in a sharing format; Puzzle is the first of PuzzleCount
  pvBadPuzzle,  // a text in a sharing format that does not read; Reason says why
};

struct TPasteCheck {
  TPasteVerdict Verdict = pvNotAGame;
  TGameStateRec Rec;  // the decoded game, for a state code
  TPuzzle Puzzle;     // the first puzzle, for pvPuzzle
  std::size_t PuzzleCount = 0;
  std::string SlotName;  // "%dx%d" of the size, for pvLoadable, pvNoBoard and pvPuzzle
  std::string Reason;    // the reader's words (English), for pvBadPuzzle
};

// The smallest and largest sides a slot can have: the sizes New can make.
inline constexpr int kMinSlotSide = 3;
inline constexpr int kMaxSlotSide = 128;

// Whether a slot of that size exists or can be made.
bool SizeOffered(const TSlotShelf& games, int width, int height);

// The clipboard's text as UTF-8 (empty when it holds none); nothing when it
// holds more than maxBytes, found by its size before the text is copied or
// decoded (a clipboard of hundreds of megabytes must not be read whole).
std::optional<std::string> ClipboardText(std::size_t maxBytes = kMaxPuzzleText);
// The refusal of such a clipboard, as the readers word it.
TPasteCheck ClipboardTooLarge(std::size_t maxBytes = kMaxPuzzleText);

// The text as a code: white space around it and every CR and LF in it removed,
// as a code copied from a terminal or a mail carries them.
std::string CleanPastedText(const std::string& text);

// Cleans the text and checks it against the slots: a state code first, then
// the sharing formats (their line breaks kept, a byte order mark and leading
// white space dropped).
TPasteCheck CheckPaste(const std::string& text, const TSlotShelf& games);

// The player's words for a refusal of the clipboard's text (empty for
// pvLoadable and pvPuzzle).
std::string PasteRefusalText(const TPasteCheck& check);
// The same for a file or a dropped text.
std::string OpenRefusalText(const TPasteCheck& check);
