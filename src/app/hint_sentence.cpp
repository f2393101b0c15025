#include "app/hint_sentence.h"

#include "text/lang_helper.h"

namespace {

// The text with %1, %2 and %3 replaced.
std::string FillText(const std::string& text, const std::string& first,
                     const std::string& second = {}, const std::string& third = {}) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    if (text[i] == '%' && next >= '1' && next <= '3') {
      out += next == '1' ? first : next == '2' ? second : third;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string Fill(TTextName name, const std::string& first, const std::string& second = {}) {
  return FillText(TextFor(name), first, second);
}

std::string ClueText(const TCounterArr& clue) {
  std::string text;
  for (std::int32_t n : clue) text += (text.empty() ? "" : " ") + std::to_string(n);
  return text;
}

// "cell 5", "cells 5 and 6", "cells 1 to 4, 7 and 9": the positions along
// the line, consecutive ones of three or more as a range.
std::string CellsText(const THint& hint, std::int32_t value) {
  std::vector<int> positions;
  for (const TSettledCell& c : hint.Cells)
    if (c.Value == value) positions.push_back((hint.Column ? c.Y : c.X) + 1);
  std::vector<std::string> parts;
  for (std::size_t i = 0; i < positions.size();) {
    std::size_t j = i;
    while (j + 1 < positions.size() && positions[j + 1] == positions[j] + 1) ++j;
    if (j - i >= 2) {
      parts.push_back(std::to_string(positions[i]) + TextFor(ttnHintTo) +
                      std::to_string(positions[j]));
      i = j + 1;
    } else {
      parts.push_back(std::to_string(positions[i]));
      ++i;
    }
  }
  std::string list;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) list += i + 1 == parts.size() ? TextFor(ttnHintAnd) : TextFor(ttnListSeparator);
    list += parts[i];
  }
  const bool one = positions.size() == 1;
  return Fill(one ? ttnHintCell : ttnHintCells, list);
}

}  // namespace

std::string HintSentence(const THint& hint) {
  if (hint.Kind == THintKind::None) return TextFor(ttnHintNone);
  if (hint.Kind == THintKind::Complete) return TextFor(ttnHintComplete);
  const std::string line =
      Fill(hint.Column ? ttnHintColumn : ttnHintRow, std::to_string(hint.Index + 1));
  if (hint.Kind == THintKind::Mistake)
    return Fill(hint.FromBoard ? ttnHintBoardMistake : ttnHintMistake, line, ClueText(hint.Clue));

  const std::string filled = CellsText(hint, 1);
  const std::string empty = CellsText(hint, -1);
  const auto has = [&](std::int32_t value) {
    for (const TSettledCell& c : hint.Cells)
      if (c.Value == value) return true;
    return false;
  };
  const bool fills = has(1);
  const bool empties = has(-1);
  std::string reason;
  switch (hint.Reason) {
    case THintReason::AllPlaced:
      reason = Fill(ttnHintAllPlaced, empty);
      break;
    case THintReason::Overlap:
      if (fills && empties)
        reason = Fill(ttnHintOverlapOutside, filled, empty);
      else if (empties)
        reason = Fill(ttnHintOutside, empty);
      else if (hint.Clue.size() == 1)
        reason = Fill(ttnHintOneRun, std::to_string(hint.Clue[0]), filled);
      else
        reason = Fill(ttnHintOverlap, filled);
      break;
    case THintReason::LineLogic:
      reason = fills && empties ? Fill(ttnHintFillsEmpties, filled, empty)
               : fills          ? Fill(ttnHintFills, filled)
                                : Fill(ttnHintEmpties, empty);
      break;
  }
  const std::string clue = FillText(CountedTextFor(ttnHintClue, hint.Length), ClueText(hint.Clue),
                                    std::to_string(hint.Length));
  return FillText(TextFor(ttnHintSentence), line, clue, reason);
}
