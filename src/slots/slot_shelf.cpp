#include "slots/slot_shelf.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "model/nono_game.h"
#include "persistence/app_settings.h"
#include "persistence/game_state.h"
#include "persistence/records.h"
#include "slots/slot.h"
#include "util/text_reading.h"

namespace {

std::string ClockKey(const TSlot& game) {
  return "clock." + game.Name();
}

std::string ProgressKey(const TSlot& game) {
  return "progress." + game.Name();
}

// The longest time a clock keeps: far beyond any game, and far from the
// overflow of its milliseconds.
constexpr std::int64_t kMaxClockSeconds = std::int64_t{1} << 40;

// A stored clock in whole seconds; anything else (negative, not a number,
// beyond the longest time) reads as 0.
std::int64_t StoredSeconds(const std::string& text) {
  std::int64_t seconds = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (error != std::errc() || end != text.data() + text.size() || seconds < 0 ||
      seconds > kMaxClockSeconds)
    return 0;
  return seconds;
}

// "counted,hints,marks" as SaveTo writes it; false for anything else.
bool ParseProgress(const std::string& text, std::array<int, 3>& v) {
  const char* at = text.data();
  const char* const end = text.data() + text.size();
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (i > 0 && (at == end || *at++ != ',')) return false;
    const auto result = std::from_chars(at, end, v[i]);
    if (result.ec != std::errc()) return false;
    at = result.ptr;
  }
  return at == end && v[0] >= 0 && v[0] <= 2 && v[1] >= 0 && (v[2] == 0 || v[2] == 1);
}

}  // namespace

bool IsDefaultSlot(const std::string& name) {
  for (int side : kDefaultSides)
    if (name == SlotName(side, side)) return true;
  return false;
}

TSlotShelf::TSlotShelf(TMakeSlot makeSlot) : FMakeSlot(std::move(makeSlot)) {}

TSlotShelf::~TSlotShelf() = default;

TSlot* TSlotShelf::FindByName(const std::string& name) const {
  for (TSlot* game : FItems)
    if (game->Name() == name) return game;
  return nullptr;
}

TSlot* TSlotShelf::Create(const std::string& name, int width, int height, TDifficulty difficulty,
                          bool generate) {
  if (!FMakeSlot) throw std::logic_error("this shelf makes no slots");
  std::unique_ptr<TSlot> game = FMakeSlot(name, width, height, difficulty, generate);
  TSlot* slot = game.get();
  FSlots.push_back(std::move(game));
  FItems.push_back(slot);
  return slot;
}

void TSlotShelf::Show(TSlot* slot) {
  if (std::find(FItems.begin(), FItems.end(), slot) == FItems.end())
    throw std::invalid_argument("not a slot of this shelf");
  SetShown(slot);
}

void TSlotShelf::ShowNamedOr(const std::string& name) {
  TSlot* slot = FindByName(name);
  SetShown(slot ? slot : FallbackSlot());
}

TSlot* TSlotShelf::FallbackSlot() const {
  if (TSlot* slot = FindByName(SlotName(kFirstShownSide, kFirstShownSide))) return slot;
  return FItems.empty() ? nullptr : FItems.front();
}

void TSlotShelf::SetShown(TSlot* slot) {
  TSlot* before = FShown;
  FShown = slot;
  emit shownChanged(before, slot);
}

void TSlotShelf::Remove(const TSlot* game) {
  std::erase(FItems, game);
  // Told while the slot still lives, so its board can leave the window.
  if (game == FShown) SetShown(FallbackSlot());
  std::erase_if(FSlots, [game](const std::unique_ptr<TSlot>& s) { return s.get() == game; });
}

void TSlotShelf::Clear() {
  FItems.clear();
  if (FShown) SetShown(nullptr);
  FSlots.clear();
}

bool TSlotShelf::LoadFrom(const TAppSettings& store) {
  const std::string stored = store.ReadString("state");
  if (stored.empty()) return false;
  const std::vector<std::string> parts = SplitText(stored, "|");
  if (parts.size() > kMaxStoredSlots)
    throw std::runtime_error("more than " + std::to_string(kMaxStoredSlots) + " stored games");
  for (const std::string& part : parts) {
    const TGameStateRec rec = ParseStoredGameState(part);
    TSlot* game = Create(rec.name, rec.w, rec.h, rec.difficulty, false);
    game->ApplyGameState(rec);
  }
  ShowNamedOr(store.ReadString("active_game"));
  return true;
}

void TSlotShelf::LoadKept(const TAppSettings& store, TRecords& records) {
  for (TSlot* game : FItems)
    game->Session().SetPlayedMs(StoredSeconds(store.ReadString(ClockKey(*game))) * 1000);
  records.LoadFrom(store);
  for (TSlot* game : FItems) {
    std::array<int, 3> v{};
    if (!ParseProgress(store.ReadString(ProgressKey(*game)), v)) continue;
    game->SetProgress(static_cast<TPuzzleProgress>(v[0]));
    game->Session().SetHintsUsed(v[1]);
    game->Session().SetNightmareMarked(v[2] == 1);
  }
}

void TSlotShelf::SaveTo(TAppSettings& store, const TRecords& records) const {
  DropKeysOfGoneSizes(store, "clock.");
  for (TSlot* game : FItems) {
    const std::int64_t seconds = game->PlayedMs() / 1000;
    store.WriteString(ClockKey(*game), seconds > 0 ? std::to_string(seconds) : "");
  }

  std::string text;
  for (std::size_t i = 0; i < FItems.size(); ++i) {
    text += FItems[i]->StateText();
    if (i + 1 < FItems.size()) text += '|';
  }
  if (!text.empty()) store.WriteString("state", text);
  store.WriteString("active_game", FShown ? FShown->Name() : "");

  records.SaveTo(store);
  DropKeysOfGoneSizes(store, "progress.");
  for (TSlot* game : FItems) {
    const bool fresh = game->Progress() == TPuzzleProgress::Fresh && game->HintsUsed() == 0 &&
                       !game->NightmareMarked();
    store.WriteString(ProgressKey(*game), fresh
                                              ? ""
                                              : std::to_string(static_cast<int>(game->Progress())) +
                                                    "," + std::to_string(game->HintsUsed()) + "," +
                                                    (game->NightmareMarked() ? "1" : "0"));
  }
}

void TSlotShelf::ForgetClock(TAppSettings& store, const TSlot& game) {
  store.WriteString(ClockKey(game), "");
}

void TSlotShelf::DropKeysOfGoneSizes(TAppSettings& store, const std::string& prefix) const {
  // What is kept for a size no longer there would be taken for the puzzle of
  // a size of that name made later.
  std::vector<std::string> stale;
  for (const std::string& line : store.Lines()) {
    const std::string key = line.substr(0, line.find('='));
    if (key.rfind(prefix, 0) == 0 && !FindByName(key.substr(prefix.size()))) stale.push_back(key);
  }
  for (const std::string& key : stale) store.WriteString(key, "");
}
