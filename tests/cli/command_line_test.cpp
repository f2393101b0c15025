#include "cli/command_line.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/program_start.h"
#include "generation/rnd.h"
#include "model/nono_game.h"
#include "persistence/game_state.h"
#include "persistence/puzzle.h"
#include "persistence/puzzle_formats.h"
#include "support/board_pictures.h"
#include "util/app_environment.h"

using namespace test_support;

namespace {

struct TRun {
  int status;
  std::string out, err;
};

TRun RunTavelo(std::vector<std::string> args, const std::string& input = "") {
  args.insert(args.begin(), "tavelo");
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  std::istringstream in(input);
  std::ostringstream out, err;
  const int status = RunCommandLine(static_cast<int>(argv.size()), argv.data(), in, out, err);
  TRnd::ResetForTest();
  return {status, out.str(), err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

bool IsOneLine(const std::string& text) {
  return !text.empty() && text.back() == '\n' && text.find('\n') == text.size() - 1;
}

}  // namespace

TEST(CommandLine, GenerateWritesGameIdsThatASeedRepeats) {
  const TRun first = RunTavelo({"--generate", "10x10", "--count", "4", "--seed", "77"});
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.err, "");
  const std::vector<std::string> ids = Lines(first.out);
  ASSERT_EQ(ids.size(), 4u);
  for (const std::string& id : ids) {
    EXPECT_EQ(id.rfind("10x10:", 0), 0u) << id;
    EXPECT_EQ(id.find_first_not_of("0123456789./", 6), std::string::npos) << id;
    const TPuzzle clues = ReadGameId(id);
    EXPECT_EQ(clues.Columns.size(), 10u);
    EXPECT_EQ(clues.Rows.size(), 10u);
  }
  EXPECT_EQ(RunTavelo({"--generate", "10x10", "--seed", "77", "--count", "4"}).out, first.out);
  EXPECT_NE(RunTavelo({"--generate", "10x10", "--count", "4", "--seed", "78"}).out, first.out);
  // One puzzle by default; without a seed the system source serves.
  EXPECT_EQ(Lines(RunTavelo({"--generate", "3x21"}).out).size(), 1u);

  // Every generated puzzle is solved by line logic.
  const TRun solved = RunTavelo({"--solve"}, first.out);
  ASSERT_EQ(solved.status, 0) << solved.err;
  for (const std::string& line : Lines(solved.out)) EXPECT_EQ(line.rfind("solved ", 0), 0u) << line;
}

TEST(CommandLine, GameIdListsColumnsThenRowsWithEmptyLinesAsNothing) {
  auto game = GameOf({".#.", "#.#", ".#.", "..."});
  EXPECT_EQ(GameId(*game), "3x4:1/1.1/1/1/1.1/1/");
  auto full = GameOf({"###", "#.#"});
  EXPECT_EQ(GameId(*full), "3x2:2/1/2/3/1.1");
}

TEST(CommandLine, SolvePrintsTheDeducedGrid) {
  const TRun run = RunTavelo({"--solve"},
                             "3x3:1/1.1/1/1/1.1/1\n"
                             "2x2:2/2/2/2\n"
                             "\n"
                             "2x2:1/1/1/1\r\n"
                             "2x2:0/2/1/1\n"
                             "2x2:/2/1/1\n"
                             "  5x1:1/1/1/1/1/5  \n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "solved .#./#.#/.#.\n"
            "solved ##/##\n"
            "unsolved ?\?/?\?\n"
            "solved .#/.#\n"
            "solved .#/.#\n"
            "solved #####\n");
}

TEST(CommandLine, SolveReadsAFile) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "tavelo_command_line_test.txt";
  std::ofstream(path) << "2x2:2/2/2/2\n";
  const TRun run = RunTavelo({"--solve", path.string()});
  std::filesystem::remove(path);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "solved ##/##\n");

  const TRun missing = RunTavelo({"--solve", path.string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_TRUE(IsOneLine(missing.err)) << missing.err;
  EXPECT_NE(missing.err.find("cannot read"), std::string::npos) << missing.err;
}

TEST(CommandLine, GenerateFormatCodeWritesStateCodesOfTheSamePuzzles) {
  const std::vector<std::string> args = {"--generate", "7x5", "--count", "3", "--seed", "5"};
  std::vector<std::string> withId = args, withCode = args;
  withId.insert(withId.end(), {"--format", "id"});
  withCode.insert(withCode.end(), {"--format", "code"});
  const TRun ids = RunTavelo(args);
  const TRun codes = RunTavelo(withCode);
  ASSERT_EQ(codes.status, 0) << codes.err;
  EXPECT_EQ(RunTavelo(withId).out, ids.out);

  const std::vector<std::string> idLines = Lines(ids.out);
  const std::vector<std::string> codeLines = Lines(codes.out);
  ASSERT_EQ(codeLines.size(), 3u);
  ASSERT_EQ(idLines.size(), 3u);
  for (std::size_t i = 0; i < codeLines.size(); ++i) {
    std::string payload;
    EXPECT_TRUE(CheckStateText(codeLines[i], payload)) << codeLines[i];
    const TGameStateRec rec = ParseGameState(codeLines[i]);
    EXPECT_EQ(rec.name, "7x5");
    EXPECT_EQ(rec.cw, 20);
    EXPECT_EQ(rec.ch, 20);
    EXPECT_EQ(rec.pct, DefaultFillPct(7, 5, TDifficulty::Normal));
    EXPECT_EQ(rec.PlayerState, std::string(35, 'E'));
    TNonoGame game(7, 5);
    int cellWidth = 0;
    int cellHeight = 0;
    ApplyGameStateRec(game, rec, cellWidth, cellHeight);
    EXPECT_EQ(GameId(game), idLines[i]);
  }
}

TEST(CommandLine, DifficultyNormalIsTodaysOutputSeedsIncluded) {
  // What a seed gave before difficulties could be chosen.
  const std::string pinned =
      "10x10:1.1.1/3/2.2/3.3/2.4/4.1.1/3.1/4.1/4.3/6/2/4/6/1.5/6/2.3/5.1/5.2/2.2/4\n"
      "10x10:1.1.3/1.4/1.3.1/4.1/1.3.1/1.3.1/2.3.1/2.3.1/2.1.2/2.1/5/1.4/2.1/6/1.5/6/3.2/5/2.4/"
      "2.1\n";
  EXPECT_EQ(RunTavelo({"--generate", "10x10", "--count", "2", "--seed", "77"}).out, pinned);
  EXPECT_EQ(
      RunTavelo({"--generate", "10x10", "--count", "2", "--seed", "77", "--difficulty", "normal"})
          .out,
      pinned);
  const std::string code =
      "594CFF88789CABE6E254CA4BCC4D55B2525032AD3055D201F2DD81FCE092C41290A00148A01CC830053132608C"
      "6490901158323903CE2C482E012900B35332D3D232934B734A2A61A638E52716A5C0CC5572755556560611AE50"
      "0A488021D80901398995A945488A7100B0E2A0C4BC94FC5CB7CC9C9C90CA02B0A3B96A0152943504\n";
  EXPECT_EQ(RunTavelo({"--generate", "5x5", "--seed", "5", "--format", "code"}).out, code);
}

TEST(CommandLine, DifficultyChoosesTheFillAndTravelsInTheStateCode) {
  struct Case {
    const char* Name;
    TDifficulty Difficulty;
    int Pct;
  };
  for (const Case c : {Case{"easy", TDifficulty::Easy, 70}, Case{"medium", TDifficulty::Medium, 60},
                       Case{"normal", TDifficulty::Normal, 50}}) {
    const TRun run = RunTavelo({"--generate", "10x10", "--count", "3", "--seed", "9", "--format",
                                "code", "--difficulty", c.Name});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const std::string& line : Lines(run.out)) {
      const TGameStateRec rec = ParseGameState(line);
      EXPECT_EQ(rec.difficulty, c.Difficulty) << c.Name;
      EXPECT_EQ(rec.pct, c.Pct) << c.Name;
      // Breaking full columns may take a few cells off the target.
      const auto filled = std::count(rec.BoardState.begin(), rec.BoardState.end(), '#');
      EXPECT_LE(filled, c.Pct) << c.Name;
      EXPECT_GE(filled, c.Pct - 10) << c.Name;
    }
  }
}

TEST(CommandLine, BadArgumentsAreUsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {"--bogus"},
      {"--generate"},
      {"--generate", "10"},
      {"--generate", "0x5"},
      {"--generate", "5x129"},
      {"--generate", "5x"},
      {"--generate", "-5x5"},
      {"--generate", "5x5", "--count"},
      {"--generate", "5x5", "--count", "0"},
      {"--generate", "5x5", "--count", "abc"},
      {"--generate", "5x5", "--count", "99999999999"},
      {"--generate", "5x5", "--count", "2", "--count", "3"},
      {"--generate", "5x5", "--seed", "-1"},
      {"--generate", "5x5", "--seed", "1e3"},
      {"--generate", "5x5", "extra"},
      {"--generate", "5x5", "--format"},
      {"--generate", "5x5", "--format", "svg"},
      {"--convert"},
      {"--convert", "--to"},
      {"--convert", "--to", "pdf"},
      {"--convert", "--from", "non"},
      {"--convert", "--to", "non", "a", "b"},
      {"--analyse", "-a"},
      {"--convert", "--to", "id", "-a"},
      {"--solve", "--", "a", "b"},
      {"--analyse", "--budget"},
      {"--analyse", "--budget", "0"},
      {"--analyse", "--budget", "-1"},
      {"--analyse", "--budget", "soon"},
      {"--analyse", "--budget", "nan"},
      {"--analyse", "--budget", "1e9"},
      {"--analyse", "--budget", "2", "--budget", "3"},
      {"--generate", "5x5", "--format", "code", "--format", "id"},
      {"--generate", "5x5", "--difficulty"},
      {"--generate", "5x5", "--difficulty", "hard"},
      {"--generate", "5x5", "--difficulty", "2"},
      {"--generate", "5x5", "--difficulty", "easy", "--difficulty", "easy"},
      {"--solve", "a", "b"},
      {"--help", "--generate"},
      {"--version", "x"},
  };
  for (const std::vector<std::string>& args : cases) {
    const TRun run = RunTavelo(args);
    EXPECT_EQ(run.status, 2) << args.back();
    EXPECT_EQ(run.out, "") << args.back();
    EXPECT_TRUE(IsOneLine(run.err)) << args.back() << ": " << run.err;
  }
}

TEST(CommandLine, HelpAndVersionAnswerOnStandardOutput) {
  const TRun help = RunTavelo({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  for (const char* option :
       {"--generate", "--count", "--seed", "--format", "--difficulty", "--solve", "--help",
        "--version", "--diagnostics", "--analyse", "--budget", "--convert", "--to"})
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  EXPECT_EQ(RunTavelo({"-h"}).out, help.out);

  const TRun version = RunTavelo({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.err, "");
  EXPECT_EQ(version.out, GetVersionString(true) + "\n");
  EXPECT_EQ(version.out.rfind("TAVELO [1.0.3.0/2025-03-11/82", 0), 0u) << version.out;
}

TEST(CommandLine, MalformedPuzzleLinesAreRefused) {
  struct Case {
    std::string line, message;
  };
  const Case cases[] = {
      {"3x3", "size WxH and ':'"},
      {"3:1/1/1", "has 6 clues, this line has 3"},
      {"3x:1/1/1", "is not WxH"},
      {"10x10#1234", "Pattern's own random generator"},
      {"0x3:", "is not WxH"},
      {"200x1:1", "is not WxH"},
      {"3x3:1/1", "has 6 clues, this line has 2"},
      {"3x3:1/x/1/1/1/1", "column 2 clue 'x'"},
      {"3x3:1/1/1/1/1.-1/1", "row 2 clue '1.-1'"},
      {"3x3:1/1/1/1/1..1/1", "row 2 clue '1..1'"},
      {"3x3:1/1/1/0.1/1/1", "row 1 clue '0.1'"},
      {"3x3:4/1/1/1/1/1", "column 1 clue '4' does not fit in 3 cells"},
      {"3x3:1/1/1/2.1/1/1", "row 1 clue '2.1' does not fit in 3 cells"},
      {"2x2:1/1/99999999999999/1", "row 1 clue '99999999999999' does not fit in 2 cells"},
      {"2x2:1/1/2/2", "different numbers of cells"},
      {"1x1:1/0", "different numbers of cells"},
      {"2x2:2/0/2/0", "no picture fits"},
  };
  for (const Case& c : cases) {
    const TRun run = RunTavelo({"--solve"}, "2x2:2/2/2/2\n" + c.line + "\n2x2:2/2/2/2\n");
    EXPECT_EQ(run.status, 1) << c.line;
    // Lines before the bad one are answered; the error names the line.
    EXPECT_EQ(run.out, "solved ##/##\n") << c.line;
    EXPECT_TRUE(IsOneLine(run.err)) << c.line << ": " << run.err;
    EXPECT_EQ(run.err.rfind("tavelo: line 2: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.line << ": " << run.err;
  }
}

// A line of one or two cells has no puzzle; the help promises 3..128 and a
// smaller side is refused in those words.
TEST(CommandLine, GeneratesEverySideTheHelpPromisesAndRefusesTheOthers) {
  EXPECT_NE(RunTavelo({"--help"}).out.find("(3..128 each)"), std::string::npos);
  for (const char* size : {"3x3", "3x128", "128x3", "4x3", "3x4", "5x5"}) {
    const TRun run = RunTavelo({"--generate", size, "--seed", "1"});
    EXPECT_EQ(run.status, 0) << size << ": " << run.err;
    EXPECT_EQ(run.out.rfind(std::string(size) + ":", 0), 0u) << size;
  }
  for (const char* size : {"1x1", "1x5", "5x1", "2x2", "2x3", "3x2", "2x4", "4x2", "128x2"}) {
    const TRun run = RunTavelo({"--generate", size, "--seed", "1"});
    EXPECT_EQ(run.status, 2) << size;
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
    EXPECT_NE(run.err.find("there are no " + std::string(size) +
                           " puzzles: a generated puzzle has 3 to 128 cells each way"),
              std::string::npos)
        << run.err;
  }
}

// Output that cannot be written and input that cannot be read are failures,
// never taken for success or for the end of the input.
TEST(CommandLine, ReadAndWriteErrorsFailTheCommand) {
  const auto run = [](std::vector<std::string> args, std::istream& in, std::ostream& out) {
    args.insert(args.begin(), "tavelo");
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    std::ostringstream err;
    const int status = RunCommandLine(static_cast<int>(argv.size()), argv.data(), in, out, err);
    TRnd::ResetForTest();
    return std::pair(status, err.str());
  };
  const std::string puzzle = "2x2:2/2/2/2\n";
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "tavelo-cl-test.txt";
  std::ofstream(file) << puzzle;
  const std::string folder = std::filesystem::temp_directory_path().string();

  struct Case {
    std::vector<std::string> args;
    bool badInput;  // standard input is a folder
    bool fullOutput;
    std::string message;
  };
  const Case cases[] = {
      {{"--generate", "5x5", "--count", "3"}, false, true, "cannot write to standard output"},
      {{"--help"}, false, true, "cannot write to standard output"},
      {{"--version"}, false, true, "cannot write to standard output"},
      {{"--solve", file.string()}, false, true, "cannot write to standard output"},
      {{"--solve"}, false, true, "cannot write to standard output"},
      {{"--solve", folder}, false, false, "cannot read '" + folder + "': it is a folder"},
      {{"--solve"}, true, false, "cannot read standard input"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : ""));
    std::istringstream text(puzzle);
    std::ifstream folderInput(folder);
    std::istream& in = c.badInput ? static_cast<std::istream&>(folderInput) : text;
    std::ofstream full("/dev/full");
    std::ostringstream fine;
    std::ostream& out = c.fullOutput ? static_cast<std::ostream&>(full) : fine;
    const auto [status, err] = run(c.args, in, out);
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(IsOneLine(err)) << err;
    EXPECT_NE(err.find(c.message), std::string::npos) << err;
  }
  std::filesystem::remove(file);
}

namespace {

TEST(CommandLine, AnalyseGivesOneLinePerPuzzleWithItsVerdictAndPictures) {
  const std::string ids =
      "2x2:1/1/1/1\n"
      "3x3:1.1/1/1.1/1.1/1/1.1\n" +
      WriteGameId(
          PuzzleOfGame(*GameOf({"#.#..#", "#..##.", ".#....", "#..#.#", "....#.", "#..#.#"})));
  const TRun run = RunTavelo({"--analyse"}, ids);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 3u) << run.out;
  EXPECT_EQ(lines[0], "multiple #./.# .#/#.");
  EXPECT_EQ(lines[1], "line-solvable 1/5 #.#/.#./#.#");
  EXPECT_EQ(lines[2], "unique #.#..#/#..##./.#..../#..#.#/....#./#..#.#");
}

TEST(CommandLine, AnalyseGivesUpWhenTheBudgetRunsOut) {
  // A random 60 x 60 picture: line logic stalls at once and the search takes
  // far longer than a millisecond.
  std::mt19937 random(3);
  Picture picture(60, std::string(60, '.'));
  for (std::string& row : picture)
    for (char& c : row) c = random() % 2 ? '#' : '.';
  const std::string id = WriteGameId(PuzzleOfGame(*GameOf(picture))) + "\n";
  const TRun run = RunTavelo({"--analyse", "--budget", "0.001"}, id);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "undecided\n");
  // A roomy budget changes no verdict.
  const TRun easy = RunTavelo({"--analyse", "--budget", "60"}, "3x3:1.1/1/1.1/1.1/1/1.1\n");
  EXPECT_EQ(easy.out, "line-solvable 1/5 #.#/.#./#.#\n");
}

TEST(CommandLine, AnalyseNamesTheLineOfAPuzzleWithoutPicture) {
  // Rows 1 and 3 fill column 2 twice, against its clue.
  const TRun run = RunTavelo({"--analyse"}, "3x3:1.1/1/1.1/3//2\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "none column 2\n");
}

TEST(CommandLine, AnalyseReadsEveryFormatFromAFile) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "tavelo_cli_analyse.non";
  {
    std::ofstream file(path, std::ios::binary);
    file << "width 2\r\nheight 1\r\nrows\r\n1\r\ncolumns\r\n1\r\n0\r\n====\r\n"
            "width 1\nheight 1\ngoal \"0\"\n";
  }
  const TRun run = RunTavelo({"--analyse", path.string()});
  std::filesystem::remove(path);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "line-solvable 1/5 #.\nline-solvable 1/5 .\n");

  const TRun bad = RunTavelo({"--analyse"}, "<puzzleset><puzzle type=\"triddler\"/></puzzleset>");
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.out, "");
  EXPECT_TRUE(IsOneLine(bad.err)) << bad.err;
  EXPECT_NE(bad.err.find("only grid puzzles"), std::string::npos) << bad.err;
}

TEST(CommandLine, ConvertWritesWhatItReadsInEachFormat) {
  const std::string ids = "3x2:2/1/2/3/1.1\n2x2:1/1/2/0\n";
  const TRun non = RunTavelo({"--convert", "--to", "non"}, ids);
  ASSERT_EQ(non.status, 0) << non.err;
  EXPECT_NE(non.out.find("====\n"), std::string::npos);
  const TRun xml = RunTavelo({"--convert", "--to", "xml"}, non.out);
  ASSERT_EQ(xml.status, 0) << xml.err;
  EXPECT_EQ(xml.out.rfind("<?xml", 0), 0u);
  const TRun back = RunTavelo({"--convert", "--to", "id"}, xml.out);
  ASSERT_EQ(back.status, 0) << back.err;
  EXPECT_EQ(back.out, "3x2:2/1/2/3/1.1\n2x2:1/1/2/\n");
}

TEST(CommandLine, GenerateWritesNonAndXmlWithThePictures) {
  const TRun ids = RunTavelo({"--generate", "6x4", "--count", "2", "--seed", "5"});
  for (const char* format : {"non", "xml"}) {
    const TRun run =
        RunTavelo({"--generate", "6x4", "--count", "2", "--seed", "5", "--format", format});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<TPuzzle> puzzles = ReadPuzzles(run.out);
    ASSERT_EQ(puzzles.size(), 2u) << format;
    std::string back;
    for (const TPuzzle& p : puzzles) {
      EXPECT_EQ(p.Goal.size(), 24u) << format;
      back += WriteGameId(p) + "\n";
    }
    EXPECT_EQ(back, ids.out) << format;
  }
}

// A scratch folder made fresh for a test and removed after it.
class TScratch {
 public:
  explicit TScratch(const char* name) : FPath(std::filesystem::temp_directory_path() / name) {
    std::filesystem::remove_all(FPath);
    std::filesystem::create_directories(FPath);
  }
  ~TScratch() { std::filesystem::remove_all(FPath); }
  std::string Write(const std::string& name, const std::string& text) const {
    const std::filesystem::path path = FPath / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }
  const std::filesystem::path& Path() const { return FPath; }

 private:
  std::filesystem::path FPath;
};

TEST(CommandLine, AnalyseJudgesSeveralFilesAndFoldersOneLinePerPuzzleWithItsFile) {
  const TScratch scratch("tavelo_cli_analyse_many");
  const std::string pack =
      scratch.Write("set/a.non",
                    "width 1\nheight 1\ngoal \"1\"\n====\nwidth 3\nheight 1\nrows\n1 1\n"
                    "columns\n1\n0\n1\n");
  const std::string xml =
      scratch.Write("set/deeper/b.XML", WritePbnXml({PuzzleOfGoal(2, 1, "#.")}));
  const std::string bad = scratch.Write("set/c.txt", "2x2:3/1/1/1\n");
  scratch.Write("set/notes.md", "not a puzzle");
  const std::string id = scratch.Write("single.txt", "2x2:1/1/1/1\n");

  const TRun run = RunTavelo({"--analyse", id, (scratch.Path() / "set").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, id + ": multiple #./.# .#/#.\n" + pack + " #1: line-solvable 1/5 #\n" + pack +
                         " #2: line-solvable 1/5 #.#\n" + xml + ": line-solvable 1/5 #.\n");
  // The refused file is named on err; the others are judged all the same.
  EXPECT_TRUE(IsOneLine(run.err)) << run.err;
  EXPECT_EQ(run.err.rfind("tavelo: " + bad + ": ", 0), 0u) << run.err;

  const TRun two = RunTavelo({"--analyse", id, xml});
  EXPECT_EQ(two.status, 0) << two.err;
  EXPECT_EQ(two.out, id + ": multiple #./.# .#/#.\n" + xml + ": line-solvable 1/5 #.\n");
  const TRun missing = RunTavelo({"--analyse", id, id + ".gone"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, id + ": multiple #./.# .#/#.\n");
  EXPECT_NE(missing.err.find("no such file"), std::string::npos) << missing.err;
}

// Files are read only when they are regular files: a FIFO without a writer
// is refused at once instead of blocking; a name starting with '-' is a file
// after "--" or when it exists.
TEST(CommandLine, FilesAreRegularFilesAndMayStartWithADash) {
  const TScratch scratch("tavelo_cli_special");
  const std::string fifo = (scratch.Path() / "pipe.non").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--analyse", fifo}, {"--convert", "--to", "id", fifo}, {"--solve", fifo}}) {
    const TRun run = RunTavelo(args);
    EXPECT_EQ(run.status, 1) << args[0];
    EXPECT_NE(run.err.find("not a regular file"), std::string::npos) << run.err;
  }

  scratch.Write("-dash.non", "2x1:1/1/2\n");
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(scratch.Path());
  const TRun dash = RunTavelo({"--analyse", "-dash.non"});
  const TRun afterDashes = RunTavelo({"--convert", "--to", "id", "--", "-dash.non"});
  const TRun unknown = RunTavelo({"--analyse", "-nothing.non"});
  std::filesystem::current_path(before);
  EXPECT_EQ(dash.out, "line-solvable 1/5 ##\n") << dash.err;
  EXPECT_EQ(afterDashes.out, "2x1:1/1/2\n") << afterDashes.err;
  EXPECT_EQ(unknown.status, 2);
}

TEST(CommandLine, ARefusalOfAHugeLineIsOneShortLine) {
  const TRun run =
      RunTavelo({"--analyse"}, "width 2\nheight 1\nrows\n" + std::string(1 << 20, '1') + "\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(IsOneLine(run.err));
  EXPECT_LT(run.err.size(), 200u) << run.err.substr(0, 200);
}

// The window or the command line, chosen from the arguments alone.
TEST(ProgramStart, WindowForNoArgumentsItsOptionsAndAFileCommandLineOtherwise) {
  const TScratch scratch("tavelo_program_start");
  scratch.Write("-dash.non", "2x1:1/1/2\n");
  scratch.Write("--help", "a file named like an option");
  struct Case {
    std::vector<std::string> Args;
    bool Window;
    std::string Option, File;
  };
  const std::vector<Case> cases = {
      {{}, true, "", ""},
      {{"--diagnostics"}, true, "--diagnostics", ""},
      {{"--diagnostics", "x.non"}, false, "", ""},
      {{"puzzle.non"}, true, "", "puzzle.non"},
      {{"--", "-dash.non"}, true, "", "-dash.non"},
      {{"-dash.non"}, true, "", "-dash.non"},
      {{"-missing.non"}, false, "", ""},
      {{"--help"}, false, "", ""},
      {{"--analyse", "x.non"}, false, "", ""},
      {{"a.non", "b.non"}, false, "", ""},
      {{""}, false, "", ""},
  };
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(scratch.Path());
  for (const Case& c : cases) {
    std::vector<std::string> args = c.Args;
    args.insert(args.begin(), "tavelo");
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const TProgramStart start = ChooseProgramStart(static_cast<int>(args.size()), argv.data());
    const std::string shown = c.Args.empty() ? "(none)" : c.Args[0];
    EXPECT_EQ(start.Window, c.Window) << shown;
    EXPECT_EQ(start.WindowOption, c.Option) << shown;
    EXPECT_EQ(start.File, c.File) << shown;
  }
  std::filesystem::current_path(before);
}

}  // namespace
