#include "persistence/puzzle.h"

#include <cstdint>

#include "model/line_clue.h"
#include "model/nono_game.h"
#include "persistence/puzzle_formats.h"
#include "text/lang_helper.h"
#include "util/utf8.h"

std::string LineInText(bool column, int index) {
  return TextWithArgs(column ? ttnReasonColumn : ttnReasonRow, {std::to_string(index + 1)});
}

namespace {

std::int64_t Total(const TCountersArr& clues) {
  std::int64_t n = 0;
  for (const TCounterArr& clue : clues)
    for (const std::int32_t v : clue) n += v;
  return n;
}

void CheckClues(const TCountersArr& clues, bool columns, int length) {
  for (std::size_t i = 0; i < clues.size(); ++i) {
    std::int64_t need = -1;
    for (const std::int32_t v : clues[i]) {
      if (v < 1)
        throw EPuzzleInvalid(TextWithArgs(
            ttnReasonBadRun, {LineInText(columns, static_cast<int>(i)), std::to_string(v)}));
      need += 1 + v;
    }
    if (need > length)
      throw EPuzzleInvalid(
          TextWithArgs(ttnReasonClueTooLong,
                       {LineInText(columns, static_cast<int>(i)), std::to_string(length)}));
  }
}

constexpr std::size_t kQuotedLength = 80;

bool IsUtf16Bom(std::string_view text) {
  return text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF");
}

std::string_view WithoutBom(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The lines of a text that hold something, without their white space; LF,
// CR LF and CR end a line.
std::vector<std::string_view> NonBlankLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) continue;
    line = line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

std::string LineName(bool column, int index) {
  return (column ? "column " : "row ") + std::to_string(index + 1);
}

std::string Quoted(std::string_view text) {
  if (text.size() <= kQuotedLength) return "'" + std::string(text) + "'";
  std::size_t cut = kQuotedLength;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return "'" + std::string(text.substr(0, cut)) + "...'";
}

std::string_view Utf8Text(std::string_view text, std::string& converted) {
  if (!IsUtf16Bom(text)) return text;
  converted = Utf16ToUtf8(text.substr(2), text[0] == '\xFE');
  return converted;
}

TCounterArr ClueOfCells(std::string_view cells) {
  TCounterArr clue;
  LineRunsOf(
      static_cast<int>(cells.size()),
      [cells](int i) { return cells[i] == '#' ? TClueCell::Filled : TClueCell::Empty; }, clue);
  return clue;
}

void CheckPuzzle(const TPuzzle& p) {
  if (p.Width < 1 || p.Height < 1 || p.Width > MaxBoardSide || p.Height > MaxBoardSide)
    throw EPuzzleInvalid(
        TextWithArgs(ttnReasonSize, {std::to_string(p.Width) + "x" + std::to_string(p.Height),
                                     SlotName(MaxBoardSide, MaxBoardSide)}));
  if (p.Columns.size() != static_cast<std::size_t>(p.Width) ||
      p.Rows.size() != static_cast<std::size_t>(p.Height))
    throw EPuzzleInvalid(TextWithArgs(
        ttnReasonClueCount,
        {SlotName(p.Width, p.Height), std::to_string(p.Width), std::to_string(p.Height),
         std::to_string(p.Columns.size()), std::to_string(p.Rows.size())}));
  CheckClues(p.Columns, true, p.Height);
  CheckClues(p.Rows, false, p.Width);
  if (Total(p.Columns) != Total(p.Rows))
    throw EPuzzleInvalid(TextWithArgs(
        ttnReasonTotals, {std::to_string(Total(p.Columns)), std::to_string(Total(p.Rows))}));
  if (p.Goal.empty()) return;
  if (p.Goal.size() != static_cast<std::size_t>(p.Width) * p.Height ||
      p.Goal.find_first_not_of("#.") != std::string::npos)
    throw EPuzzleInvalid(TextWithArgs(ttnReasonGoalSize, {std::to_string(p.Width * p.Height)}));
  const std::string_view goal = p.Goal;
  for (int y = 0; y < p.Height; ++y)
    if (ClueOfCells(goal.substr(static_cast<std::size_t>(y) * p.Width, p.Width)) != p.Rows[y])
      throw EPuzzleInvalid(TextWithArgs(ttnReasonGoalMismatch, {LineInText(false, y)}));
  std::string column(p.Height, '.');
  for (int x = 0; x < p.Width; ++x) {
    for (int y = 0; y < p.Height; ++y) column[y] = goal[static_cast<std::size_t>(y) * p.Width + x];
    if (ClueOfCells(column) != p.Columns[x])
      throw EPuzzleInvalid(TextWithArgs(ttnReasonGoalMismatch, {LineInText(true, x)}));
  }
}

TPuzzle PuzzleOfGoal(int width, int height, std::string goal) {
  TPuzzle p;
  p.Width = width;
  p.Height = height;
  for (char& c : goal) c = c == '#' ? '#' : '.';
  const std::string_view cells = goal;
  for (int y = 0; y < height; ++y)
    p.Rows.push_back(ClueOfCells(cells.substr(static_cast<std::size_t>(y) * width, width)));
  std::string column(height, '.');
  for (int x = 0; x < width; ++x) {
    for (int y = 0; y < height; ++y) column[y] = cells[static_cast<std::size_t>(y) * width + x];
    p.Columns.push_back(ClueOfCells(column));
  }
  p.Goal = std::move(goal);
  return p;
}

TPuzzle PuzzleOfGame(const TNonoGame& game) {
  std::string goal;
  goal.reserve(static_cast<std::size_t>(game.Width()) * game.Height());
  for (int y = 0; y < game.Height(); ++y)
    for (int x = 0; x < game.Width(); ++x) goal += game.SolutionState(x, y) == psFilled ? '#' : '.';
  return PuzzleOfGoal(game.Width(), game.Height(), std::move(goal));
}

TInternalArrArr LettersOfGoal(const TPuzzle& puzzle) {
  TInternalArrArr grid(puzzle.Height, TInternalArr(puzzle.Width, kLetterEmpty));
  for (int y = 0; y < puzzle.Height; ++y)
    for (int x = 0; x < puzzle.Width; ++x)
      if (puzzle.Goal.at(static_cast<std::size_t>(y) * puzzle.Width + x) == '#')
        grid[y][x] = kLetterFilled;
  return grid;
}

TPuzzleFormat DetectPuzzleFormat(std::string_view text) {
  // The first line tells; a UTF-16 text is looked at from its start.
  std::string converted;
  if (IsUtf16Bom(text)) text = Utf8Text(text.substr(0, 1024), converted);
  text = WithoutBom(text);
  if (text.starts_with('<')) return TPuzzleFormat::PbnXml;
  const std::string_view first = text.substr(0, text.find_first_of("\r\n"));
  bool hex = first.size() > 8;
  for (const char c : first) hex = hex && IsHexDigit(c);
  if (hex) return TPuzzleFormat::StateCode;
  const std::size_t colon = first.find(':');
  if (colon != std::string_view::npos && colon > 0 &&
      first.substr(0, colon).find_first_not_of("0123456789x") == std::string_view::npos)
    return TPuzzleFormat::GameId;
  const std::size_t hash = first.find('#');
  if (hash != std::string_view::npos && hash > 0 &&
      first.substr(0, hash).find_first_not_of("0123456789x") == std::string_view::npos)
    return TPuzzleFormat::GameId;  // Pattern's random-seed form, refused by the reader
  return TPuzzleFormat::Non;
}

std::vector<TPuzzle> ReadPuzzles(std::string_view text) {
  if (text.size() > kMaxPuzzleText)
    throw EPuzzleInvalid(TextWithArgs(ttnReasonTextTooLong, {std::to_string(kMaxPuzzleText)}));
  std::vector<TPuzzle> puzzles;
  const TPuzzleFormat format = DetectPuzzleFormat(text);
  // The XML reader converts UTF-16 itself, since the declaration may name it.
  if (format == TPuzzleFormat::PbnXml) return ReadPbnXml(text);
  std::string converted;
  text = Utf8Text(text, converted);
  switch (format) {
    case TPuzzleFormat::PbnXml:
      break;
    case TPuzzleFormat::Non:
      return ReadNon(text);
    case TPuzzleFormat::GameId:
    case TPuzzleFormat::StateCode: {
      const std::vector<std::string_view> lines = NonBlankLines(text);
      if (lines.size() > kMaxPuzzlesPerText)
        throw EPuzzleInvalid(
            TextWithArgs(ttnReasonTooManyPuzzles, {std::to_string(kMaxPuzzlesPerText)}));
      for (std::size_t i = 0; i < lines.size(); ++i) {
        try {
          puzzles.push_back(DetectPuzzleFormat(lines[i]) == TPuzzleFormat::StateCode
                                ? ReadStateCode(lines[i])
                                : ReadGameId(lines[i]));
        } catch (const EPuzzleInvalid& e) {
          if (lines.size() == 1) throw;
          throw EPuzzleInvalid(
              TextWithArgs(ttnReasonPuzzleNumber, {std::to_string(i + 1), e.what()}));
        }
      }
      break;
    }
  }
  if (puzzles.empty()) throw EPuzzleInvalid(TextFor(ttnReasonNoPuzzle));
  return puzzles;
}
