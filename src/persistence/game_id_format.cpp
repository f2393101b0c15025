// Game IDs and state codes as puzzles.
#include <charconv>
#include <cstdint>

#include "model/nono_game.h"
#include "persistence/game_state.h"
#include "persistence/puzzle_formats.h"
#include "text/lang_helper.h"

namespace {

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// Digits only, in 1..most; more digits than a side has count as too many.
int ParseSide(std::string_view text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos ||
      ec != std::errc() || end != text.data() + text.size() || value < 1 || value > MaxBoardSide)
    throw EPuzzleInvalid(
        TextWithArgs(ttnReasonGameIdSize, {Quoted(text), std::to_string(MaxBoardSide)}));
  return value;
}

// One clue: numbers joined by "."; nothing or "0" for no blocks.
TCounterArr ParseClue(std::string_view text, int length, const std::string& name) {
  TCounterArr clue;
  if (text.empty() || text == "0") return clue;
  std::int64_t need = -1;
  for (std::size_t start = 0;;) {
    const std::size_t dot = text.find('.', start);
    const std::string_view part = text.substr(start, dot - start);
    int value = 0;
    const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
    const bool digits = !part.empty() && part.find_first_not_of("0123456789") == part.npos;
    if (!digits || (ec == std::errc() && value < 1))
      throw EPuzzleInvalid(TextWithArgs(ttnReasonClueNotJoined, {name, Quoted(text)}));
    // A number too long to read cannot fit any line either.
    const int cells = ec == std::errc() && value <= MaxBoardSide ? value : MaxBoardSide + 1;
    clue.push_back(cells);
    need += 1 + cells;
    if (dot == std::string_view::npos) break;
    start = dot + 1;
  }
  if (need > length)
    throw EPuzzleInvalid(
        TextWithArgs(ttnReasonClueNoFit, {name, Quoted(text), std::to_string(length)}));
  return clue;
}

std::string ClueText(const TCounterArr& clue) {
  std::string text;
  for (const std::int32_t value : clue) {
    if (!text.empty()) text += '.';
    text += std::to_string(value);
  }
  return text;
}

}  // namespace

TPuzzle ReadGameId(std::string_view text) {
  text = Trimmed(text);
  if (text.size() > kMaxPuzzleText) throw EPuzzleInvalid(TextFor(ttnReasonGameIdTooLong));
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) {
    if (text.find('#') != std::string_view::npos)
      throw EPuzzleInvalid(TextFor(ttnReasonGameIdSeed));
    throw EPuzzleInvalid(TextFor(ttnReasonGameIdNoSize));
  }
  const std::string_view size = text.substr(0, colon);
  TPuzzle p;
  const std::size_t x = size.find('x');
  p.Width = ParseSide(size.substr(0, x));
  p.Height = x == std::string_view::npos ? p.Width : ParseSide(size.substr(x + 1));
  std::string_view body = text.substr(colon + 1);
  if (body.find(',') != std::string_view::npos)
    throw EPuzzleInvalid(TextFor(ttnReasonGameIdFixedCells));
  std::vector<std::string_view> parts;
  const std::size_t expected = static_cast<std::size_t>(p.Width) + p.Height;
  for (std::size_t start = 0; parts.size() <= expected;) {
    const std::size_t slash = body.find('/', start);
    parts.push_back(body.substr(start, slash - start));
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  }
  if (parts.size() != expected)
    throw EPuzzleInvalid(parts.size() > expected
                             ? TextWithArgs(ttnReasonGameIdMoreClues,
                                            {SlotName(p.Width, p.Height), std::to_string(expected)})
                             : TextWithArgs(ttnReasonGameIdClueCount,
                                            {SlotName(p.Width, p.Height), std::to_string(expected),
                                             std::to_string(parts.size())}));
  for (int i = 0; i < p.Width; ++i)
    p.Columns.push_back(ParseClue(parts[i], p.Height, LineInText(true, i)));
  for (int i = 0; i < p.Height; ++i)
    p.Rows.push_back(ParseClue(parts[p.Width + i], p.Width, LineInText(false, i)));
  CheckPuzzle(p);
  return p;
}

std::string WriteGameId(const TPuzzle& puzzle) {
  std::string id = SlotName(puzzle.Width, puzzle.Height) + ":";
  bool first = true;
  for (const TCountersArr* clues : {&puzzle.Columns, &puzzle.Rows}) {
    for (const TCounterArr& clue : *clues) {
      if (!first) id += '/';
      id += ClueText(clue);
      first = false;
    }
  }
  return id;
}

TPuzzle ReadStateCode(std::string_view text) {
  TGameStateRec rec;
  try {
    rec = ParseGameState(std::string(Trimmed(text)));
  } catch (const std::exception&) {
    // zlib, JSON and number errors of a damaged code count as bad data too;
    // their own texts are English only.
    throw EPuzzleInvalid(TextWithArgs(ttnReasonStateCode, {TextFor(ttnInvalidDataFound)}));
  }
  std::string goal(static_cast<std::size_t>(rec.w) * rec.h, '.');
  for (int x = 0; x < rec.w; ++x)
    for (int y = 0; y < rec.h; ++y)
      if (CharToState(rec.BoardState[static_cast<std::size_t>(x) * rec.h + y]) == psFilled)
        goal[static_cast<std::size_t>(y) * rec.w + x] = '#';
  TPuzzle p = PuzzleOfGoal(rec.w, rec.h, std::move(goal));
  p.Title = rec.name;
  CheckPuzzle(p);
  return p;
}
