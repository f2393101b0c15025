#include "app/paste_check.h"

#include <exception>

#include "model/nono_game.h"
#include "slots/game.h"
#include "slots/games.h"
#include "text/lang_helper.h"
#include "util/utils.h"

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

std::string CleanPastedText(const std::string& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  std::string code;
  code.reserve(last - first);
  for (std::size_t i = first; i < last; ++i)
    if (text[i] != '\r' && text[i] != '\n') code += text[i];
  return code;
}

TPasteCheck CheckPaste(const std::string& text, const TGames& games) {
  TPasteCheck check;
  const std::string code = CleanPastedText(text);
  std::string payload;
  if (!CheckStateText(code, payload)) {
    // Hex of a code's length whose checksum does not match was a code once.
    const bool looksLikeCode = code.size() > 8 && TUtils::IsHexText(code);
    check.Verdict = looksLikeCode ? pvDamaged : pvNotAGame;
    return check;
  }
  try {
    check.Rec = ParseGameState(code);
  } catch (const std::exception&) {
    check.Verdict = pvDamaged;
    return check;
  }
  check.SlotName = SlotName(check.Rec.w, check.Rec.h);
  const TGame* target = games.FindByName(check.SlotName);
  check.Verdict = target && target->Fits(check.Rec) ? pvLoadable : pvNoBoard;
  return check;
}

std::string PasteRefusalText(const TPasteCheck& check) {
  switch (check.Verdict) {
    case pvLoadable:
      return {};
    case pvNotAGame:
      return TextFor(ttnPasteNotAGame);
    case pvDamaged:
      return TextFor(ttnPasteDamaged);
    case pvNoBoard: {
      std::string text = TextFor(ttnPasteNoBoard);
      const std::size_t at = text.find("%s");
      if (at != std::string::npos) text.replace(at, 2, check.SlotName);
      return text;
    }
  }
  return {};
}
