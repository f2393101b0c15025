// What Paste would do with a text from the clipboard. The game menu enables
// Paste and the Paste command loads a code by the same check, on the same
// cleaned text, so Paste is offered exactly when it will load.
#pragma once

#include <string>

#include "persistence/game_state.h"

class TGames;

enum TPasteVerdict {
  pvLoadable,  // a state code for a slot that takes it
  pvNotAGame,  // no state code at all
  pvDamaged,   // a state code whose checksum or contents fail
  pvNoBoard,   // a sound code for a size without a slot
};

struct TPasteCheck {
  TPasteVerdict Verdict = pvNotAGame;
  TGameStateRec Rec;     // the decoded game, for pvLoadable and pvNoBoard
  std::string SlotName;  // "%dx%d" of the code's size, for the same two
};

// The text as a code: white space around it and every CR and LF in it removed,
// as a code copied from a terminal or a mail carries them.
std::string CleanPastedText(const std::string& text);

// Cleans the text and checks it against the slots.
TPasteCheck CheckPaste(const std::string& text, const TGames& games);

// The player's words for a refusal (empty for pvLoadable).
std::string PasteRefusalText(const TPasteCheck& check);
