// State codes from three angles, chosen by the first input byte:
//   0: the rest is a state code as pasted by the player;
//   1: the rest is the JSON inside a code with a valid checksum;
//   2: the rest is the compressed stream inside a code with a valid checksum.
// Every input is either refused with an exception or restored into a puzzle
// of its size, and a restored state must give the same state back (name,
// size, fill, boards).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <span>
#include <string>

#include "model/nono_game.h"
#include "persistence/game_state.h"
#include "util/crc32.h"
#include "util/hex.h"

namespace {

std::string CodeOf(std::span<const std::uint8_t> bytes, int mode) {
  const std::string text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (mode == 0) return text;
  if (mode == 1) return StateCodeOfJson(text);
  const std::string payload = BytesToHex(bytes);
  return HexOfUInt32(Crc32(payload), 8) + payload;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string code = CodeOf({data + 1, size - 1}, data[0] % 3);
  TGameStateRec rec;
  try {
    rec = ParseGameState(code);
  } catch (const std::exception&) {
    return 0;
  }
  TNonoGame puzzle(rec.w, rec.h);
  int cellWidth = 20;
  int cellHeight = 20;
  ApplyGameStateRec(puzzle, rec, cellWidth, cellHeight);

  const TGameStateRec again =
      ParseGameState(GameStateText(rec.name, puzzle, cellWidth, cellHeight));
  // The name too comes back as it was read: saving must not change it.
  if (again.name != rec.name || again.w != rec.w || again.h != rec.h || again.pct != rec.pct ||
      again.BoardState.size() != rec.BoardState.size() ||
      again.PlayerState.size() != rec.PlayerState.size())
    std::abort();
  for (std::size_t i = 0; i < rec.BoardState.size(); ++i)
    if (CharToState(again.BoardState[i]) != CharToState(rec.BoardState[i]) ||
        CharToState(again.PlayerState[i]) != CharToState(rec.PlayerState[i]))
      std::abort();
  return 0;
}
