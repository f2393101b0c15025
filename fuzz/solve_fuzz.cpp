// Lines for "tavelo --solve" from standard input: every input ends with
// status 0 or 1, never a crash or a hang; status 1 names the line on the
// error output; every "solved" grid shows exactly the clues it was given.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "persistence/puzzle_formats.h"
#include "support/board_pictures.h"

namespace {

// The solved grid "rows/rows/..." against the clues of the game ID.
void CheckSolved(const std::string& id, const std::string& grid) {
  const TPuzzle clues = ReadGameId(id);
  std::vector<std::string> rows;
  std::stringstream split(grid);
  for (std::string row; std::getline(split, row, '/');) rows.push_back(row);
  if (static_cast<int>(rows.size()) != clues.Height) std::abort();
  for (int y = 0; y < clues.Height; ++y)
    if (static_cast<int>(rows[y].size()) != clues.Width ||
        test_support::RunsOfLine(rows[y]) != clues.Rows[y])
      std::abort();
  for (int x = 0; x < clues.Width; ++x) {
    std::string column;
    for (const std::string& row : rows) column += row[x];
    if (test_support::RunsOfLine(column) != clues.Columns[x]) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  char program[] = "tavelo";
  char command[] = "--solve";
  char* argv[] = {program, command, nullptr};
  const int status = RunCommandLine(2, argv, in, out, err);
  if (status != 0 && status != 1) std::abort();
  if ((status == 1) != (err.str().rfind("tavelo: line ", 0) == 0)) std::abort();

  // Answers come in input order, one per non-blank line.
  std::istringstream lines(input);
  std::istringstream answers(out.str());
  std::string line;
  std::string answer;
  while (std::getline(answers, answer)) {
    do {
      if (!std::getline(lines, line)) std::abort();
      line.erase(0, line.find_first_not_of(" \t\r\n"));
      line.erase(line.find_last_not_of(" \t\r\n") + 1);
    } while (line.empty());
    if (answer.rfind("solved ", 0) == 0)
      CheckSolved(line, answer.substr(7));
    else if (answer.rfind("unsolved ", 0) != 0)
      std::abort();
  }
  return 0;
}
