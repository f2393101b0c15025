#include "cli/command_line.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "generation/new_random.h"
#include "generation/rnd.h"
#include "model/nono_game.h"
#include "persistence/game_state.h"
#include "solver/solver2.h"
#include "util/app_environment.h"

namespace {

// A wrong command line, as opposed to bad data: exit status 2.
class EUsage : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

constexpr int kMaxCount = 1000000;

// The smallest side a generated puzzle can have: a line of one or two cells
// leaves no picture that the clues alone decide and that has neither an
// empty nor a completely filled line.
constexpr int kMinGeneratedSide = 3;

struct TGenerateOptions {
  int Width = 0;
  int Height = 0;
  int Count = 1;
  std::optional<std::uint64_t> Seed;
  bool AsStateCode = false;    // --format code: state codes instead of game IDs
  TDifficulty Difficulty = 0;  // --difficulty, "normal" unless given
};

// Digits only, at most the given value; nothing else is a number here.
template <typename T>
std::optional<T> ParseNumber(std::string_view text, T most) {
  T value{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || text[0] == '-' || text[0] == '+' || ec != std::errc() ||
      end != text.data() + text.size() || value > most)
    return std::nullopt;
  return value;
}

// "WxH" with both sides in 1..MaxBoardSide.
std::optional<std::pair<int, int>> ParseSize(std::string_view text) {
  const std::size_t x = text.find('x');
  if (x == std::string_view::npos) return std::nullopt;
  const auto w = ParseNumber<int>(text.substr(0, x), MaxBoardSide);
  const auto h = ParseNumber<int>(text.substr(x + 1), MaxBoardSide);
  if (!w || !h || *w < 1 || *h < 1) return std::nullopt;
  return std::pair(*w, *h);
}

std::string ClueText(const TCounterArr& clue) {
  std::string text;
  for (const std::int32_t value : clue) {
    if (value <= 0) continue;
    if (!text.empty()) text += '.';
    text += std::to_string(value);
  }
  return text;
}

// The difficulty a command line names, in lower case as the usage shows it.
std::optional<TDifficulty> DifficultyNamed(std::string_view name) {
  for (std::size_t d = 0; d < kDifficultyNames.size(); ++d) {
    const std::string_view known = kDifficultyNames[d];
    if (name.size() == known.size() &&
        std::equal(name.begin(), name.end(), known.begin(),
                   [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); }))
      return static_cast<TDifficulty>(d);
  }
  return std::nullopt;
}

TGenerateOptions ParseGenerateOptions(const std::vector<std::string_view>& args) {
  TGenerateOptions options;
  if (args.size() < 2) throw EUsage("--generate needs a board size WxH");
  const auto size = ParseSize(args[1]);
  if (!size)
    throw EUsage("board size '" + std::string(args[1]) + "' is not WxH with sides " +
                 std::to_string(kMinGeneratedSide) + ".." + std::to_string(MaxBoardSide));
  if (size->first < kMinGeneratedSide || size->second < kMinGeneratedSide)
    throw EUsage("there are no " + std::string(args[1]) + " puzzles: a generated puzzle has " +
                 std::to_string(kMinGeneratedSide) + " to " + std::to_string(MaxBoardSide) +
                 " cells each way");
  options.Width = size->first;
  options.Height = size->second;
  bool countGiven = false;
  bool formatGiven = false;
  bool difficultyGiven = false;
  for (std::size_t i = 2; i < args.size(); i += 2) {
    const std::string_view option = args[i];
    if (option != "--count" && option != "--seed" && option != "--format" &&
        option != "--difficulty")
      throw EUsage("unknown option '" + std::string(option) + "' for --generate");
    if (i + 1 >= args.size()) throw EUsage(std::string(option) + " needs a value");
    const std::string_view value = args[i + 1];
    if (option == "--count") {
      const auto count = ParseNumber<int>(value, kMaxCount);
      if (countGiven || !count || *count < 1)
        throw EUsage("--count needs one number from 1 to " + std::to_string(kMaxCount));
      options.Count = *count;
      countGiven = true;
    } else if (option == "--format") {
      if (formatGiven || (value != "id" && value != "code"))
        throw EUsage("--format needs one of 'id' or 'code'");
      options.AsStateCode = value == "code";
      formatGiven = true;
    } else if (option == "--difficulty") {
      const std::optional<TDifficulty> difficulty = DifficultyNamed(value);
      if (difficultyGiven || !difficulty)
        throw EUsage("--difficulty needs one of 'easy', 'medium' or 'normal'");
      options.Difficulty = *difficulty;
      difficultyGiven = true;
    } else {
      const auto seed = ParseNumber<std::uint64_t>(value, UINT64_MAX);
      if (options.Seed || !seed) throw EUsage("--seed needs one whole number of 0 or more");
      options.Seed = seed;
    }
  }
  return options;
}

int Generate(const TGenerateOptions& options, std::ostream& out) {
  if (options.Seed)
    TRnd::UseSeed(*options.Seed);
  else
    TRnd::SeedFromClock();  // the fallback, should the system source fail
  TNonoGame game(options.Width, options.Height);
  game.SetDifficulty(options.Difficulty);
  const int percentage = DefaultFillPct(options.Width, options.Height, options.Difficulty);
  for (int i = 0; i < options.Count; ++i) {
    NewRandom(game, options.Width, options.Height, percentage);
    // A state code as a fresh slot of this size would store it, ready to paste.
    out << (options.AsStateCode
                ? GameStateText(SlotName(options.Width, options.Height), game, 20, 20)
                : GameId(game))
        << '\n';
    if (!out) return 0;  // RunCommandLine reports the failed write
  }
  return 0;
}

std::string GridText(const NonogramSolver& solver) {
  std::string text;
  for (int y = 0; y < solver.Height(); ++y) {
    if (y > 0) text += '/';
    for (int x = 0; x < solver.Width(); ++x) {
      const std::int32_t v = solver.Cell(x, y);
      text += v == 1 ? '#' : v == -1 ? '.' : '?';
    }
  }
  return text;
}

std::int64_t FilledCells(const TCountersArr& clues) {
  std::int64_t n = 0;
  for (const TCounterArr& clue : clues)
    for (const std::int32_t value : clue) n += value;
  return n;
}

// The answer line for one game ID, from a solver kept for the next one.
std::string SolveGameId(const std::string& text, NonogramSolver& solver) {
  const TPuzzleClues clues = ParseGameId(text);
  if (FilledCells(clues.Columns) != FilledCells(clues.Rows))
    throw std::invalid_argument(
        "the column clues and the row clues fill different numbers of cells");
  solver.Reset(clues.Rows, clues.Columns);
  const int result = solver.Solve();
  if (solver.FoundContradiction()) throw std::invalid_argument("no picture fits these clues");
  return (result == 2 ? "solved " : "unsolved ") + GridText(solver);
}

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// source names the input in a message ("standard input", "'FILE'").
int SolveAll(std::istream& in, const std::string& source, std::ostream& out, std::ostream& err) {
  std::string line;
  NonogramSolver solver;
  for (long long number = 1; std::getline(in, line); ++number) {
    const std::string_view text = Trimmed(line);
    if (text.empty()) continue;
    try {
      out << SolveGameId(std::string(text), solver) << '\n';
    } catch (const std::invalid_argument& e) {
      out.flush();
      err << "tavelo: line " << number << ": " << e.what() << '\n';
      return 1;
    }
    if (!out) return 0;  // RunCommandLine reports the failed write
  }
  // A read error ends getline just as the end of the input does.
  if (in.bad()) throw std::runtime_error("cannot read " + source);
  return 0;
}

int Solve(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out,
          std::ostream& err) {
  if (args.size() > 2) throw EUsage("--solve takes at most one file");
  if (args.size() == 1) return SolveAll(in, "standard input", out, err);
  const std::string name = "'" + std::string(args[1]) + "'";
  std::error_code ec;
  if (std::filesystem::is_directory(std::filesystem::path(args[1]), ec))
    throw std::runtime_error("cannot read " + name + ": it is a folder, not a file");
  std::ifstream file{std::string(args[1])};
  if (!file) throw std::runtime_error("cannot read " + name);
  return SolveAll(file, name, out, err);
}

// One clue of a game ID: numbers joined by "."; nothing or "0" for no blocks.
// The clue is named in an error as kind and number ("row 3").
TCounterArr ParseClue(std::string_view text, int length, const char* kind, int number) {
  const auto name = [&] { return std::string(kind) + " " + std::to_string(number); };
  TCounterArr clue;
  if (text.empty() || text == "0") return clue;
  std::int64_t need = -1;
  for (std::size_t start = 0;;) {
    const std::size_t dot = text.find('.', start);
    const std::string_view part = text.substr(start, dot - start);
    const bool digits = !part.empty() && part.find_first_not_of("0123456789") == part.npos;
    // A number too long to read cannot fit any line either.
    const auto value = ParseNumber<int>(part, MaxBoardSide + 1);
    if (!digits || (value && *value < 1))
      throw std::invalid_argument(name() + " clue '" + std::string(text) +
                                  "' is not a list of positive numbers joined by '.'");
    const int cells = value ? *value : MaxBoardSide + 1;
    clue.push_back(cells);
    need += 1 + cells;
    if (dot == std::string_view::npos) break;
    start = dot + 1;
  }
  if (need > length)
    throw std::invalid_argument(name() + " clue " + std::string(text) + " does not fit in " +
                                std::to_string(length) + " cells");
  return clue;
}

}  // namespace

void WriteUsage(std::ostream& out) {
  out << "usage: tavelo                  open the game window\n"
         "       tavelo --diagnostics    the window with the developer commands F5 and Ctrl+D\n"
         "       tavelo --generate WxH [--count N] [--seed S] [--format id|code]\n"
         "                             [--difficulty easy|medium|normal]\n"
         "                               print N new puzzles (default 1) of W x H cells\n"
         "                               (3..128 each), every one solvable by line logic,\n"
         "                               filled as the difficulty says (default normal),\n"
         "                               one per line: as game IDs (\"3x3:1/1.1/1/1/1.1/1\",\n"
         "                               the column clues, then the row clues), or with\n"
         "                               --format code as state codes to paste into the\n"
         "                               game; a seed makes the output repeatable\n"
         "       tavelo --solve [FILE]   read game IDs from FILE or standard input and print\n"
         "                               \"solved\" or \"unsolved\" with the grid line logic\n"
         "                               deduces (# filled, . empty, ? unknown)\n"
         "       tavelo --help           this text\n"
         "       tavelo --version        the version of the program\n";
}

std::string GameId(const TNonoGame& game) {
  std::string id = SlotName(game.Width(), game.Height()) + ":";
  bool first = true;
  for (const TCountersArr& clues : {game.ColumnClues(true), game.RowClues(true)}) {
    for (const TCounterArr& clue : clues) {
      if (!first) id += '/';
      id += ClueText(clue);
      first = false;
    }
  }
  return id;
}

TPuzzleClues ParseGameId(const std::string& text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos)
    throw std::invalid_argument("a puzzle line starts with its size WxH and ':'");
  const auto size = ParseSize(std::string_view(text).substr(0, colon));
  if (!size)
    throw std::invalid_argument("size '" + text.substr(0, colon) + "' is not WxH with sides 1.." +
                                std::to_string(MaxBoardSide));
  TPuzzleClues clues;
  clues.Width = size->first;
  clues.Height = size->second;
  std::vector<std::string_view> parts;
  const std::string_view body = std::string_view(text).substr(colon + 1);
  for (std::size_t start = 0;;) {
    const std::size_t slash = body.find('/', start);
    parts.push_back(body.substr(start, slash - start));
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  }
  const std::size_t expected = static_cast<std::size_t>(clues.Width) + clues.Height;
  if (parts.size() != expected)
    throw std::invalid_argument("a " + SlotName(clues.Width, clues.Height) + " puzzle has " +
                                std::to_string(expected) + " clues, this line has " +
                                std::to_string(parts.size()));
  for (int x = 0; x < clues.Width; ++x)
    clues.Columns.push_back(ParseClue(parts[x], clues.Height, "column", x + 1));
  for (int y = 0; y < clues.Height; ++y)
    clues.Rows.push_back(ParseClue(parts[clues.Width + y], clues.Width, "row", y + 1));
  return clues;
}

namespace {

int RunCommand(int argc, char** argv, std::istream& in, std::ostream& out, std::ostream& err) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  try {
    if (args.empty()) throw EUsage("no command given");
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "--version") {
      if (args.size() > 1) throw EUsage(std::string(args[0]) + " takes no further arguments");
      if (args[0] == "--version")
        out << GetVersionString(true) << '\n';
      else
        WriteUsage(out);
      return 0;
    }
    if (args[0] == "--generate") return Generate(ParseGenerateOptions(args), out);
    if (args[0] == "--solve") return Solve(args, in, out, err);
    throw EUsage("unknown option '" + std::string(args[0]) + "'");
  } catch (const EUsage& e) {
    err << "tavelo: " << e.what() << " (tavelo --help lists the commands)\n";
    return 2;
  } catch (const std::exception& e) {
    out.flush();
    err << "tavelo: " << e.what() << '\n';
    return 1;
  }
}

}  // namespace

int RunCommandLine(int argc, char** argv, std::istream& in, std::ostream& out, std::ostream& err) {
  const int status = RunCommand(argc, argv, in, out, err);
  // Output that did not reach its file is a failure, whatever the command.
  if (!out.flush()) {
    err << "tavelo: cannot write to standard output\n";
    return 1;
  }
  return status;
}
