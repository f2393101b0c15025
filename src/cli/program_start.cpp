#include "cli/program_start.h"

#include <array>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "cli/command_line.h"

namespace {

struct TWindowOption {
  std::string_view Name;
  bool TakesArguments;
};

// A new option that needs Qt goes here and into the window program's main.
constexpr std::array<TWindowOption, 2> kWindowOptions = {
    {{"--diagnostics", false}, {"--from-image", true}}};

const TWindowOption* WindowOptionNamed(std::string_view argument) {
  for (const TWindowOption& option : kWindowOptions)
    if (argument == option.Name) return &option;
  return nullptr;
}

}  // namespace

TProgramStart ChooseProgramStart(int argc, char** argv) {
  TProgramStart start;
  if (argc <= 1) {
    start.Window = true;
    return start;
  }
  const std::string_view first = argv[1];
  if (const TWindowOption* option = WindowOptionNamed(first)) {
    // Arguments an option does not take leave it to the command line, which
    // refuses them.
    if (argc > 2 && !option->TakesArguments) return start;
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
