// A whole app.ini as the game reads and writes it: the file's bytes, the
// game settings and window bounds read from them, every stored game restored
// (from "state", or from wherever a damage left the codes, as the window's
// damaged-state path does), then everything written back. What is written
// must read back to exactly the same bytes on the next save.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/nono_game.h"
#include "persistence/app_settings.h"
#include "persistence/game_settings.h"
#include "persistence/game_state.h"
#include "persistence/settings_check.h"
#include "util/text_reading.h"

namespace {

struct TRestored {
  std::string Name;
  std::unique_ptr<TNonoGame> Puzzle;
  int CellWidth = 20;
  int CellHeight = 20;
};

bool Known(const std::vector<TRestored>& games, const std::string& name) {
  for (const TRestored& g : games)
    if (g.Name == name) return true;
  return false;
}

void Restore(std::vector<TRestored>& games, const TGameStateRec& rec) {
  TRestored game{rec.name, std::make_unique<TNonoGame>(rec.w, rec.h)};
  ApplyGameStateRec(*game.Puzzle, rec, game.CellWidth, game.CellHeight);
  games.push_back(std::move(game));
}

// One start and one shutdown of the game on these bytes; the bytes it saves.
std::string StartAndClose(std::string_view bytes) {
  TAppSettings store(std::filesystem::path("/nonexistent"), "app.ini", '=');
  store.LoadBytes(bytes);
  TGameSettings settings;
  settings.LoadFrom(store, false);
  const std::vector<std::string> keys = IntegerSettingsKeys("frmMain");

  std::vector<TRestored> games;
  bool damaged = !SettingsDamage(store, keys).empty();
  if (!damaged) {
    const std::vector<std::string> parts = SplitText(store.ReadString("state"), "|");
    try {
      if (parts.size() > kMaxStoredSlots) throw std::runtime_error("too many");
      for (const std::string& part : parts) Restore(games, ParseStoredGameState(part));
    } catch (const std::exception&) {
      damaged = true;
    }
  }
  if (damaged) {
    for (const TGameStateRec& rec : SalvageStoredGames(store, kMaxStoredSlots))
      if (!Known(games, rec.name)) Restore(games, rec);
    RemoveUnreadableLines(store, keys);
  }
  const std::string active = store.ReadString("active_game");
  // The window reads its bounds when it is shown, after the slots.
  const TFormBounds bounds = store.LoadFormBounds("frmMain", {10, 20, 915, 600});

  store.SaveFormBounds("frmMain", bounds);
  std::string state;
  for (std::size_t i = 0; i < games.size(); ++i) {
    state += (i ? "|" : "") + GameStateText(games[i].Name, *games[i].Puzzle, games[i].CellWidth,
                                            games[i].CellHeight);
  }
  if (!state.empty()) store.WriteString("state", state);
  store.WriteString("active_game", active);
  settings.SaveTo(store);
  return store.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string first = StartAndClose({reinterpret_cast<const char*>(data), size});
  const std::string second = StartAndClose(first);
  if (second != first) std::abort();
  return 0;
}
