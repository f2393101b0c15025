// webpbn XML: every puzzle read must be sound, and the puzzle set written
// for them must read back the same, titles included.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "persistence/puzzle_formats.h"
#include "puzzle_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<TPuzzle> puzzles;
  try {
    puzzles = ReadPbnXml(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const EPuzzleInvalid&) {
    return 0;
  }
  for (const TPuzzle& puzzle : puzzles) RequireSound(puzzle);
  if (ReadPbnXml(WritePbnXml(puzzles)) != puzzles) std::abort();
  return 0;
}
