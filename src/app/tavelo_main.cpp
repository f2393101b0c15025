// The tavelo command: the command-line options run here, without the window's
// libraries (so that a quick --analyse or --generate does not pay for loading
// them); a window start is handed over to the window program with the same
// arguments and the same process ID.
#include <iostream>
#include <string>

#include "cli/command_line.h"
#include "cli/program_start.h"

#ifdef TAVELO_WINDOW_PROGRAM
#include <filesystem>
#include <system_error>

#include "platform/program_exec.h"

namespace {

// The window program beside this one (the build tree), or where the
// installation puts it relative to this program's folder; empty when this
// program's own place is unknown (never a name looked up in the working
// folder).
std::filesystem::path WindowProgram() {
  const std::filesystem::path own = OwnProgramPath();
  if (!own.is_absolute()) return {};
  const std::filesystem::path folder = own.parent_path();
  const std::filesystem::path beside = folder / TAVELO_WINDOW_NAME;
  std::error_code error;
  if (std::filesystem::is_regular_file(beside, error)) return beside;
  return (folder / TAVELO_WINDOW_PROGRAM).lexically_normal();
}

}  // namespace
#endif

int main(int argc, char** argv) {
  const TProgramStart start = ChooseProgramStart(argc, argv);
#ifdef TAVELO_WINDOW_PROGRAM
  if (start.Window) {
    const std::filesystem::path program = WindowProgram();
    const std::string reason =
        program.empty() ? "this program's own folder is unknown" : ReplaceProcess(program, argv);
    std::cerr << "tavelo: cannot start the window program '" << program.string() << "': " << reason
              << '\n';
    return 1;
  }
#endif
  if (argc == 1) {
    WriteUsage(std::cout);
    return std::cout.flush() ? 0 : 1;
  }
  // Unsynchronised streams read through a file buffer, which reports a read
  // error (standard input from a folder) instead of taking it for the end.
  std::ios::sync_with_stdio(false);
  return RunCommandLine(argc, argv, std::cin, std::cout, std::cerr);
}
