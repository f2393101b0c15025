// .non texts and packs: every puzzle read must be sound, and must read back
// the same from the .non text written for it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "persistence/puzzle_formats.h"
#include "puzzle_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<TPuzzle> puzzles;
  try {
    puzzles = ReadNon(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const EPuzzleInvalid&) {
    return 0;
  }
  for (const TPuzzle& puzzle : puzzles) {
    RequireSound(puzzle);
    const std::vector<TPuzzle> again = ReadNon(WriteNon(puzzle));
    if (again.size() != 1) std::abort();
    RequireSameButTitle(again[0], puzzle);
  }
  return 0;
}
