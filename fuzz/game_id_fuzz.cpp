// Game IDs and state codes as puzzles: the input is one line of text. A
// puzzle read must be sound and its game ID must read back the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "persistence/puzzle_formats.h"
#include "puzzle_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  TPuzzle puzzle;
  try {
    puzzle = DetectPuzzleFormat(text) == TPuzzleFormat::StateCode ? ReadStateCode(text)
                                                                  : ReadGameId(text);
  } catch (const EPuzzleInvalid&) {
    return 0;
  }
  RequireSound(puzzle);
  RequireSameButTitle(ReadGameId(WriteGameId(puzzle)), [&] {
    TPuzzle withoutGoal = puzzle;
    withoutGoal.Goal.clear();
    return withoutGoal;
  }());
  return 0;
}
