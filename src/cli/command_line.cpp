#include "cli/command_line.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "generation/new_random.h"
#include "generation/rnd.h"
#include "model/nono_game.h"
#include "persistence/game_state.h"
#include "persistence/puzzle.h"
#include "persistence/puzzle_formats.h"
#include "solver/complete_solver.h"
#include "solver/solver2.h"
#include "solver/step_analysis.h"
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
  std::string Format = "id";   // id, code (state codes), non or xml
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
      if (formatGiven || (value != "id" && value != "code" && value != "non" && value != "xml"))
        throw EUsage("--format needs one of 'id', 'code', 'non' or 'xml'");
      options.Format = value;
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

// Puzzles in a sharing format: game IDs one per line, a .non pack with
// "====" between the puzzles, or one webpbn puzzle set.
void WritePuzzles(const std::vector<TPuzzle>& puzzles, const std::string& format,
                  std::ostream& out) {
  if (format == "xml") {
    out << WritePbnXml(puzzles);
    return;
  }
  for (std::size_t i = 0; i < puzzles.size(); ++i) {
    if (format == "non") {
      if (i > 0) out << "====\n";
      out << WriteNon(puzzles[i]);
    } else {
      out << WriteGameId(puzzles[i]) << '\n';
    }
  }
}

int Generate(const TGenerateOptions& options, std::ostream& out) {
  if (options.Seed)
    TRnd::UseSeed(*options.Seed);
  else
    TRnd::SeedFromClock();  // the fallback, should the system source fail
  TNonoGame game(options.Width, options.Height);
  game.SetDifficulty(options.Difficulty);
  const int percentage = DefaultFillPct(options.Width, options.Height, options.Difficulty);
  std::vector<TPuzzle> puzzles;
  for (int i = 0; i < options.Count; ++i) {
    NewRandom(game, options.Width, options.Height, percentage);
    if (options.Format == "code") {
      // A state code as a fresh slot of this size would store it, ready to paste.
      out << GameStateText(SlotName(options.Width, options.Height), game, 20, 20) << '\n';
    } else if (options.Format == "id") {
      out << GameId(game) << '\n';
    } else {
      puzzles.push_back(PuzzleOfGame(game));
    }
    if (!out) return 0;  // RunCommandLine reports the failed write
  }
  if (!puzzles.empty()) WritePuzzles(puzzles, options.Format, out);
  return 0;
}

// Rows top to bottom joined by "/": "#" filled, "." empty, "?" unknown.
std::string GridText(int width, int height, auto cell) {
  std::string text;
  for (int y = 0; y < height; ++y) {
    if (y > 0) text += '/';
    for (int x = 0; x < width; ++x) {
      const std::int32_t v = cell(x, y);
      text += v == 1 ? '#' : v == -1 ? '.' : '?';
    }
  }
  return text;
}

std::string GridText(const NonogramSolver& solver) {
  return GridText(solver.Width(), solver.Height(), [&](int x, int y) { return solver.Cell(x, y); });
}

// The answer line for one game ID, from a solver kept for the next one.
std::string SolveGameId(const std::string& text, NonogramSolver& solver) {
  const TPuzzle clues = ReadGameId(text);
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

// The whole of FILE, or of standard input without one; no more than a puzzle
// text may hold.
std::string ReadInput(const std::vector<std::string_view>& files, std::istream& in,
                      const char* command) {
  if (files.size() > 1) throw EUsage(std::string(command) + " takes at most one file");
  std::ifstream file;
  if (!files.empty()) {
    file.open(std::string(files[0]), std::ios::binary);
    if (!file) throw std::runtime_error("cannot read '" + std::string(files[0]) + "'");
  }
  std::istream& source = files.empty() ? in : file;
  std::string text(kMaxPuzzleText + 1, '\0');
  source.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(source.gcount()));
  if (source.bad()) throw std::runtime_error("reading the puzzle text failed");
  return text;
}

int Analyse(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out) {
  const std::vector<TPuzzle> puzzles =
      ReadPuzzles(ReadInput({args.begin() + 1, args.end()}, in, "--analyse"));
  for (const TPuzzle& puzzle : puzzles)
    WriteAnalysis(puzzle, AnalysePuzzle(puzzle.Rows, puzzle.Columns), out);
  return 0;
}

int Convert(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out) {
  if (args.size() < 3 || args[1] != "--to")
    throw EUsage("--convert needs --to non, --to xml or --to id");
  if (args[2] != "non" && args[2] != "xml" && args[2] != "id")
    throw EUsage("--to needs one of 'non', 'xml' or 'id'");
  const std::vector<TPuzzle> puzzles =
      ReadPuzzles(ReadInput({args.begin() + 3, args.end()}, in, "--convert"));
  WritePuzzles(puzzles, std::string(args[2]), out);
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

}  // namespace

void WriteUsage(std::ostream& out) {
  out << "usage: tavelo [FILE]           open the game window; with FILE, open the puzzle\n"
         "                               in it (.non, webpbn XML, game ID or state code)\n"
         "       tavelo --diagnostics    the window with the developer commands F5 and Ctrl+D\n"
         "       tavelo --generate WxH [--count N] [--seed S] [--format id|code|non|xml]\n"
         "                             [--difficulty easy|medium|normal]\n"
         "                               print N new puzzles (default 1) of W x H cells\n"
         "                               (3..128 each), every one solvable by line logic,\n"
         "                               filled as the difficulty says (default normal),\n"
         "                               one per line: as game IDs (\"3x3:1/1.1/1/1/1.1/1\",\n"
         "                               the column clues, then the row clues), or with\n"
         "                               --format code as state codes to paste into the\n"
         "                               game, with non or xml as one .non pack or one\n"
         "                               webpbn XML puzzle set (with the pictures); a seed\n"
         "                               makes the output repeatable\n"
         "       tavelo --solve [FILE]   read game IDs from FILE or standard input and print\n"
         "                               \"solved\" or \"unsolved\" with the grid line logic\n"
         "                               deduces (# filled, . empty, ? unknown)\n"
         "       tavelo --analyse [FILE] read puzzles (game IDs, state codes, .non files and\n"
         "                               packs, webpbn XML) and print for each one line:\n"
         "                               \"line-solvable\" with its grade (1/5 easiest to\n"
         "                               5/5) and the picture, \"unique\" and the picture,\n"
         "                               \"multiple\" and two pictures, \"none\" and the\n"
         "                               first line no picture fits (if line logic finds\n"
         "                               it), or \"undecided\" when the search gives up\n"
         "       tavelo --convert --to non|xml|id [FILE]\n"
         "                               read puzzles as --analyse does and write them as\n"
         "                               a .non pack, a webpbn XML puzzle set or game IDs\n"
         "       tavelo --from-image FILE --size WxH [--threshold 0..255] [--invert]\n"
         "                             [--crop] [--format id|non|xml]\n"
         "                               make a line-solvable puzzle of W x H cells from a\n"
         "                               PNG, JPEG, BMP, GIF or SVG image: cells darker than\n"
         "                               the threshold (default 128) are filled, as few as\n"
         "                               needed changed; the count of changed cells goes\n"
         "                               to standard error\n"
         "       tavelo --help           this text\n"
         "       tavelo --version        the version of the program\n";
}

std::string GameId(const TNonoGame& game) {
  return WriteGameId(PuzzleOfGame(game));
}

void WriteAnalysis(const TPuzzle& puzzle, const TAnalysis& analysis, std::ostream& out) {
  out << VerdictName(analysis.Verdict);
  // How hard a line-solvable puzzle is to a player, in stars out of five.
  if (analysis.Verdict == TVerdict::LineSolvable)
    out << ' ' << GradePuzzle(puzzle.Rows, puzzle.Columns).Stars << "/5";
  if (analysis.Verdict == TVerdict::None && analysis.BadLine >= 0)
    out << ' ' << LineName(analysis.BadLineIsColumn, analysis.BadLine);
  for (const TCounterArr& grid : analysis.Solutions)
    out << ' ' << GridText(puzzle.Width, puzzle.Height, [&](int x, int y) {
      return grid[static_cast<std::size_t>(y) * puzzle.Width + x];
    });
  out << '\n';
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
    if (args[0] == "--analyse") return Analyse(args, in, out);
    if (args[0] == "--convert") return Convert(args, in, out);
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
