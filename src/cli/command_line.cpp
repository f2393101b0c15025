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
#include "platform/file_read.h"
#include "solver/complete_solver.h"
#include "solver/line_solver.h"
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
  std::string Format = "id";                     // id, code (state codes), non or xml
  TDifficulty Difficulty = TDifficulty::Normal;  // --difficulty, "normal" unless given
};

// Digits only (for a double also a decimal point and an exponent), at most
// the given value; nothing else is a number here.
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
      return DifficultyFromStored(static_cast<int>(d));
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

// Why a path names no file to read, or empty when it names a regular file:
// a FIFO without a writer would never answer, a device might not either.
std::string NotAFile(const std::string& name) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(name, error);
  if (status.type() == std::filesystem::file_type::not_found) return "no such file";
  if (std::filesystem::is_directory(status)) return "it is a folder, not a file";
  if (!std::filesystem::is_regular_file(status))
    return "it is not a regular file (a FIFO, a device or a socket)";
  return {};
}

// The whole of a regular file of at most a puzzle text's size.
std::string ReadPuzzleFile(const std::string& name) {
  const std::string notAFile = NotAFile(name);
  if (!notAFile.empty()) throw std::runtime_error("cannot read " + Quoted(name) + ": " + notAFile);
  // Read without waiting as well, should the file have been swapped since.
  const TFileContent file = ReadRegularFile(name, kMaxPuzzleText);
  if (file.Status == TReadStatus::TooLarge)
    throw EPuzzleInvalid("the file " + Quoted(name) + " is longer than " +
                         std::to_string(kMaxPuzzleText) + " bytes");
  if (file.Status != TReadStatus::Ok)
    throw std::runtime_error("cannot read " + Quoted(name) +
                             (file.Reason.empty() ? std::string() : ": " + file.Reason));
  return file.Bytes;
}

// Standard input whole, no more than a puzzle text may hold (one byte more
// tells the reader it is too long).
std::string ReadStandardInput(std::istream& in) {
  std::string text(kMaxPuzzleText + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) throw std::runtime_error("reading the puzzle text failed");
  return text;
}

// The file arguments of a command: "--" ends the options, and an argument
// starting with '-' that names an existing file is a file.
std::vector<std::string> FileArguments(const std::vector<std::string_view>& args,
                                       const char* command) {
  std::vector<std::string> files;
  bool options = true;
  for (const std::string_view arg : args) {
    std::error_code error;
    if (options && arg == "--")
      options = false;
    else if (options && arg.starts_with('-') && arg.size() > 1 &&
             !std::filesystem::exists(std::filesystem::path(arg), error))
      throw EUsage("unknown option " + Quoted(arg) + " for " + command);
    else
      files.emplace_back(arg);
  }
  return files;
}

// The whole of FILE, or of standard input without one.
std::string ReadInput(const std::vector<std::string>& files, std::istream& in,
                      const char* command) {
  if (files.size() > 1) throw EUsage(std::string(command) + " takes at most one file");
  return files.empty() ? ReadStandardInput(in) : ReadPuzzleFile(files[0]);
}

bool IsPuzzleFileName(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const char* known : {".non", ".nonpack", ".xml", ".pbn", ".txt"})
    if (extension == known) return true;
  return false;
}

// The files --analyse judges: each file named, and the puzzle files found
// anywhere inside each folder named, in order of their paths.
std::vector<std::string> AnalysedFiles(const std::vector<std::string>& names) {
  std::vector<std::string> files;
  for (const std::string& name : names) {
    std::error_code error;
    if (!std::filesystem::is_directory(name, error)) {
      files.push_back(name);
      continue;
    }
    std::vector<std::string> inside;
    for (auto it = std::filesystem::recursive_directory_iterator(
             name, std::filesystem::directory_options::skip_permission_denied, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
      if (it->is_regular_file(error) && IsPuzzleFileName(it->path()))
        inside.push_back(it->path().string());
    if (error) throw std::runtime_error("cannot read the folder " + Quoted(name));
    std::sort(inside.begin(), inside.end());
    files.insert(files.end(), inside.begin(), inside.end());
  }
  return files;
}

void AnalyseAll(const std::vector<TPuzzle>& puzzles, const std::string& label,
                const TAnalysisLimits& limits, std::ostream& out) {
  for (std::size_t i = 0; i < puzzles.size(); ++i) {
    if (!label.empty()) {
      out << label;
      if (puzzles.size() > 1) out << " #" << i + 1;
      out << ": ";
    }
    WriteAnalysis(puzzles[i], AnalysePuzzle(puzzles[i].Rows, puzzles[i].Columns, limits), out);
  }
}

// The most --budget allows: a day per puzzle.
constexpr double kMaxBudgetSeconds = 86400;

// One file or standard input: the verdicts alone. Several files or a
// folder: each line starts with the file's name, and a file that cannot be
// read or holds a bad puzzle is reported on err while the others go on.
int Analyse(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out,
            std::ostream& err) {
  // Each puzzle gets the whole budget.
  TAnalysisLimits limits;
  bool budgetGiven = false;
  std::vector<std::string_view> rest;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] != "--budget") {
      rest.push_back(args[i]);
      continue;
    }
    const std::optional<double> seconds =
        i + 1 < args.size() ? ParseNumber(args[i + 1], kMaxBudgetSeconds) : std::nullopt;
    if (budgetGiven || !seconds || !(*seconds > 0))
      throw EUsage("--budget needs one number of seconds, more than 0 and at most 86400");
    limits.Seconds = *seconds;
    budgetGiven = true;
    ++i;
  }
  const std::vector<std::string> names = FileArguments(rest, "--analyse");
  std::error_code error;
  if (names.empty() || (names.size() == 1 && !std::filesystem::is_directory(names[0], error))) {
    AnalyseAll(ReadPuzzles(ReadInput(names, in, "--analyse")), "", limits, out);
    return 0;
  }
  int status = 0;
  for (const std::string& name : AnalysedFiles(names)) {
    try {
      AnalyseAll(ReadPuzzles(ReadPuzzleFile(name)), name, limits, out);
    } catch (const std::exception& e) {
      out.flush();
      err << "tavelo: " << name << ": " << e.what() << '\n';
      status = 1;
    }
    if (!out) return status;  // RunCommandLine reports the failed write
  }
  return status;
}

int Convert(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out) {
  if (args.size() < 3 || args[1] != "--to")
    throw EUsage("--convert needs --to non, --to xml or --to id");
  if (args[2] != "non" && args[2] != "xml" && args[2] != "id")
    throw EUsage("--to needs one of 'non', 'xml' or 'id'");
  const std::vector<TPuzzle> puzzles = ReadPuzzles(
      ReadInput(FileArguments({args.begin() + 3, args.end()}, "--convert"), in, "--convert"));
  WritePuzzles(puzzles, std::string(args[2]), out);
  return 0;
}

int Solve(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out,
          std::ostream& err) {
  const std::vector<std::string> files = FileArguments({args.begin() + 1, args.end()}, "--solve");
  if (files.size() > 1) throw EUsage("--solve takes at most one file");
  if (files.empty()) return SolveAll(in, "standard input", out, err);
  // Any length of lines is read, but only from a regular file: a FIFO
  // without a writer would never answer.
  const std::string name = Quoted(files[0]);
  const std::string notAFile = NotAFile(files[0]);
  if (!notAFile.empty()) throw std::runtime_error("cannot read " + name + ": " + notAFile);
  std::ifstream file{files[0]};
  if (!file) throw std::runtime_error("cannot read " + name);
  return SolveAll(file, name, out, err);
}

}  // namespace

bool IsCommandLineOption(std::string_view argument) {
  for (const char* option :
       {"--help", "-h", "--version", "--generate", "--solve", "--analyse", "--convert"})
    if (argument == option) return true;
  return false;
}

void WriteUsage(std::ostream& out) {
  out << "usage: tavelo [[--] FILE]      open the game window; with FILE, open the puzzle\n"
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
         "       tavelo --analyse [--budget SECONDS] [FILE | FOLDER ...]\n"
         "                               read puzzles (game IDs, state codes, .non files and\n"
         "                               packs, webpbn XML) and print for each one line\n"
         "                               (after the file's name when several files or a\n"
         "                               folder are given):\n"
         "                               \"line-solvable\" with its grade (1/5 easiest to\n"
         "                               5/5) and the picture, \"unique\" and the picture,\n"
         "                               \"multiple\" and two pictures, \"none\" and the\n"
         "                               first line no picture fits (if line logic finds\n"
         "                               it), or \"undecided\" when the search gives up,\n"
         "                               after 3 seconds per puzzle or the budget given\n"
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
    if (args[0] == "--analyse") return Analyse(args, in, out, err);
    if (args[0] == "--convert") return Convert(args, in, out);
    throw EUsage("unknown option " + Quoted(args[0]));
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
