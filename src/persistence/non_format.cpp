// Steve Simpson's .non text format.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <optional>

#include "model/nono_game.h"
#include "persistence/puzzle_formats.h"
#include "text/lang_helper.h"

namespace {

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string Lower(std::string_view text) {
  std::string s(text);
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// A value without the double quotes around it, if it has them.
std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    return value.substr(1, value.size() - 2);
  return value;
}

int ParseSide(std::string_view text, const char* key) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 1 ||
      value > MaxBoardSide)
    throw EPuzzleInvalid(
        TextWithArgs(ttnReasonNotANumber, {key, Quoted(text), std::to_string(MaxBoardSide)}));
  return value;
}

bool IsAlpha(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

// The words of a clue line, split at commas and white space; an empty word
// between two commas (or at either end) is kept so that it is refused.
std::vector<std::string_view> ClueWords(std::string_view line) {
  std::vector<std::string_view> words;
  for (std::size_t start = 0;;) {
    const std::size_t comma = line.find(',', start);
    const std::string_view part = line.substr(start, comma - start);
    if (Trimmed(part).empty()) words.push_back({});
    for (std::size_t at = 0; at < part.size();) {
      at = part.find_first_not_of(" \t", at);
      if (at == std::string_view::npos) break;
      const std::size_t end = std::min(part.find_first_of(" \t", at), part.size());
      words.push_back(part.substr(at, end - at));
      at = end;
    }
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return words;
}

// One clue line: runs separated by commas, white space or both, each a
// number with perhaps a colour after it ("1a") or before it ("red 1"); blank
// or "0" for no blocks. A colour other than the one seen so far (colour,
// empty until then) makes the puzzle multicolour.
TCounterArr ParseClueLine(std::string_view line, int length, const std::string& name,
                          std::string& colour) {
  TCounterArr clue;
  line = Trimmed(line);
  if (line.empty() || line == "0") return clue;
  const auto useColour = [&colour](std::string_view named) {
    if (colour.empty())
      colour = named;
    else if (colour != named)
      throw EPuzzleInvalid(TextFor(ttnReasonManyColours));
  };
  std::int64_t need = -1;
  bool colourBefore = false;
  for (const std::string_view word : ClueWords(line)) {
    if (!word.empty() && std::all_of(word.begin(), word.end(), IsAlpha)) {
      useColour(word);
      colourBefore = true;
      continue;
    }
    int value = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    const std::string_view rest = word.substr(static_cast<std::size_t>(end - word.data()));
    const bool colourTag = !rest.empty() && std::all_of(rest.begin(), rest.end(), IsAlpha);
    if (word.empty() || ec != std::errc() || value < 1 || (!rest.empty() && !colourTag) ||
        word[0] == '+' || word[0] == '-')
      throw EPuzzleInvalid(TextWithArgs(ttnReasonClueNotList, {name, Quoted(line)}));
    if (colourTag) useColour(rest);
    colourBefore = false;
    need += 1 + std::min(value, MaxBoardSide + 1);
    if (need > length)
      throw EPuzzleInvalid(
          TextWithArgs(ttnReasonClueNoFit, {name, Quoted(line), std::to_string(length)}));
    clue.push_back(value);
  }
  if (colourBefore)
    throw EPuzzleInvalid(TextWithArgs(ttnReasonClueEndsInColour, {name, Quoted(line)}));
  return clue;
}

class NonReader {
 public:
  explicit NonReader(std::vector<std::string_view> lines) : FLines(std::move(lines)) {}

  TPuzzle Read() {
    std::optional<int> width, height;
    std::optional<std::string> goal;
    bool rows = false, columns = false;
    TPuzzle p;
    while (FNext < FLines.size()) {
      const std::string_view line = Trimmed(FLines[FNext++]);
      if (line.empty()) continue;
      const std::size_t space = line.find_first_of(" \t");
      const std::string key = Lower(line.substr(0, space));
      const std::string_view value =
          space == std::string_view::npos ? std::string_view() : Trimmed(line.substr(space));
      if (key == "width" || key == "height") {
        if ((key == "width" ? width : height).has_value())
          throw EPuzzleInvalid(TextWithArgs(ttnReasonKeyTwice, {key}));
        (key == "width" ? width : height) = ParseSide(value, key.c_str());
      } else if (key == "rows" || key == "columns") {
        const bool isRows = key == "rows";
        if (!width || !height) throw EPuzzleInvalid(TextWithArgs(ttnReasonSizeFirst, {key}));
        if (isRows ? rows : columns) throw EPuzzleInvalid(TextWithArgs(ttnReasonKeyTwice, {key}));
        (isRows ? rows : columns) = true;
        const int count = isRows ? *height : *width;
        TCountersArr& clues = isRows ? p.Rows : p.Columns;
        for (int i = 0; i < count; ++i) {
          if (FNext >= FLines.size())
            throw EPuzzleInvalid(TextWithArgs(ttnReasonClueLinesMissing,
                                              {key, std::to_string(count), std::to_string(i)}));
          clues.push_back(ParseClueLine(FLines[FNext++], isRows ? *width : *height,
                                        LineInText(!isRows, i), FColour));
        }
      } else if (key == "goal") {
        if (!width || !height) throw EPuzzleInvalid(TextWithArgs(ttnReasonSizeFirst, {key}));
        if (goal) throw EPuzzleInvalid(TextWithArgs(ttnReasonKeyTwice, {key}));
        std::string cells;
        for (const char c : Unquoted(value)) {
          if (c == '1')
            cells += '#';
          else if (c == '0')
            cells += '.';
          else if (c != ' ')
            throw EPuzzleInvalid(TextWithArgs(ttnReasonGoalChar, {Quoted(std::string(1, c))}));
        }
        goal = std::move(cells);
      } else if (key == "title") {
        p.Title = Unquoted(value);
      } else if (key == "by") {
        p.Author = Unquoted(value);
      } else if (key == "license") {
        p.Licence = Unquoted(value);
      }
    }
    if (!width || !height) throw EPuzzleInvalid(TextFor(ttnReasonNeedsSize));
    p.Width = *width;
    p.Height = *height;
    if (goal) {
      if (goal->size() != static_cast<std::size_t>(p.Width) * p.Height)
        throw EPuzzleInvalid(
            TextWithArgs(ttnReasonGoalCells,
                         {std::to_string(goal->size()), std::to_string(p.Width * p.Height)}));
      const TPuzzle fromGoal = PuzzleOfGoal(p.Width, p.Height, *goal);
      // A puzzle given only by its picture gets the picture's clues.
      if (!rows) p.Rows = fromGoal.Rows;
      if (!columns) p.Columns = fromGoal.Columns;
      p.Goal = *goal;
    } else if (!rows || !columns) {
      throw EPuzzleInvalid(TextFor(ttnReasonNeedsClues));
    }
    CheckPuzzle(p);
    return p;
  }

 private:
  std::vector<std::string_view> FLines;
  std::size_t FNext = 0;
  // The one colour the clues name, if they name one.
  std::string FColour;
};

void AppendClues(std::string& text, const TCountersArr& clues) {
  for (const TCounterArr& clue : clues) {
    for (std::size_t i = 0; i < clue.size(); ++i) {
      if (i > 0) text += ',';
      text += std::to_string(clue[i]);
    }
    if (clue.empty()) text += '0';
    text += '\n';
  }
}

}  // namespace

std::vector<TPuzzle> ReadNon(std::string_view text) {
  if (text.size() > kMaxPuzzleText) throw EPuzzleInvalid(TextFor(ttnReasonFileTooLong));
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  // Cut into puzzles at the "====" lines of a pack, and into lines at LF,
  // CR LF or CR.
  std::vector<std::vector<std::string_view>> packs(1);
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    const bool crLf = end != std::string_view::npos && text.substr(end, 2) == "\r\n";
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + (crLf ? 2 : 1));
    if (Trimmed(line).starts_with("====")) {
      if (packs.size() >= kMaxPuzzlesPerText)
        throw EPuzzleInvalid(
            TextWithArgs(ttnReasonTooManyPuzzles, {std::to_string(kMaxPuzzlesPerText)}));
      packs.emplace_back();
    } else {
      packs.back().push_back(line);
    }
  }
  std::vector<TPuzzle> puzzles;
  for (std::size_t i = 0; i < packs.size(); ++i) {
    bool blank = true;
    for (const std::string_view line : packs[i]) blank = blank && Trimmed(line).empty();
    if (blank) continue;  // nothing before the first or after the last separator
    try {
      puzzles.push_back(NonReader(std::move(packs[i])).Read());
    } catch (const EPuzzleInvalid& e) {
      if (packs.size() == 1) throw;
      throw EPuzzleInvalid(
          TextWithArgs(ttnReasonPuzzleNumber, {std::to_string(puzzles.size() + 1), e.what()}));
    }
  }
  if (puzzles.empty()) throw EPuzzleInvalid(TextFor(ttnReasonNoPuzzle));
  return puzzles;
}

std::string WriteNon(const TPuzzle& puzzle) {
  std::string text;
  const auto appendText = [&text](const char* key, std::string value) {
    if (value.empty()) return;
    for (char& c : value)
      if (c == '"' || c == '\n' || c == '\r') c = '\'';
    text += std::string(key) + " \"" + value + "\"\n";
  };
  appendText("title", puzzle.Title);
  appendText("by", puzzle.Author);
  appendText("license", puzzle.Licence);
  text += "width " + std::to_string(puzzle.Width) + "\n";
  text += "height " + std::to_string(puzzle.Height) + "\n\nrows\n";
  AppendClues(text, puzzle.Rows);
  text += "\ncolumns\n";
  AppendClues(text, puzzle.Columns);
  if (!puzzle.Goal.empty()) {
    text += "\ngoal \"";
    for (const char c : puzzle.Goal) text += c == '#' ? '1' : '0';
    text += "\"\n";
  }
  return text;
}
