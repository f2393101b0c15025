#include "cli/program_start.h"

#include <array>
#include <filesystem>
#include <system_error>

#include "cli/command_line.h"

namespace {

// A new option that needs Qt goes here and into the window program's main.
constexpr std::array<std::string_view, 1> kWindowOptions = {"--diagnostics"};

}  // namespace

bool IsWindowOption(std::string_view argument) {
  for (const std::string_view option : kWindowOptions)
    if (argument == option) return true;
  return false;
}

TProgramStart ChooseProgramStart(int argc, char** argv) {
  TProgramStart start;
  if (argc <= 1) {
    start.Window = true;
    return start;
  }
  const std::string_view first = argv[1];
  if (IsWindowOption(first)) {
    start.Window = true;
    start.WindowOption = first;
    return start;
  }
  if (argc == 3 && first == "--") {
    start.Window = true;
    start.File = argv[2];
    return start;
  }
  if (argc != 2 || first.empty() || IsCommandLineOption(first)) return start;
  std::error_code error;
  if (first[0] != '-' || std::filesystem::exists(std::filesystem::path(first), error)) {
    start.Window = true;
    start.File = first;
  }
  return start;
}
