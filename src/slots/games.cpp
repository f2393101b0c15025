#include "slots/games.h"

#include <stdexcept>

#include "model/nono_game.h"
#include "persistence/app_settings.h"
#include "persistence/game_state.h"
#include "slots/game.h"
#include "util/text_reading.h"

bool IsDefaultSlot(const std::string& name) {
  for (int side : kDefaultSides)
    if (name == SlotName(side, side)) return true;
  return false;
}

TGame* TGames::FindByName(const std::string& name) const {
  for (TGame* game : FItems)
    if (game->Name() == name) return game;
  return nullptr;
}

void TGames::SaveTo(TAppSettings& store) const {
  std::string text;
  for (std::size_t i = 0; i < FItems.size(); ++i) {
    FItems[i]->Puzzle().ReplaceState(psAllCorrect, psChecked);
    FItems[i]->Puzzle().ReplaceState(psCorrect, psChecked);
    text += FItems[i]->StateText();
    if (i + 1 < FItems.size()) text += '|';
  }
  if (!text.empty()) store.WriteString("state", text);
  store.WriteString("active_game", FActiveName);
}

bool TGames::LoadFrom(const TAppSettings& store, const TCreateSlot& createSlot) {
  const std::string stored = store.ReadString("state");
  if (stored.empty()) return false;
  const std::vector<std::string> parts = SplitText(stored, "|");
  if (parts.size() > kMaxStoredSlots)
    throw std::runtime_error("more than " + std::to_string(kMaxStoredSlots) + " stored games");
  for (const std::string& part : parts) {
    const TGameStateRec rec = ParseStoredGameState(part);
    TGame* game = createSlot(rec.name, rec.w, rec.h, rec.difficulty, false);
    game->ApplyGameState(rec);
  }
  FActiveName = store.ReadString("active_game");
  return true;
}
