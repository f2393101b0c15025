#include "app/player_sizes.h"

#include "persistence/app_settings.h"

namespace {

const std::string kSlotSizes = ".slotsize.";

}  // namespace

void TPlayerSizes::Start(QSize size) {
  if (!FLast.isValid() && size.isValid()) FLast = size;
}

void TPlayerSizes::Chosen(const std::string& slot, QSize size) {
  if (!size.isValid() || size.isEmpty()) return;
  FLast = size;
  if (!slot.empty()) FBySlot[slot] = size;
}

QSize TPlayerSizes::For(const std::string& slot) const {
  const auto found = FBySlot.find(slot);
  return found != FBySlot.end() ? found->second : FLast;
}

void TPlayerSizes::LoadFrom(const TAppSettings& store, const std::string& formName) {
  const std::string prefix = formName + kSlotSizes;
  for (const std::string& line : store.Lines()) {
    // "<form>.slotsize.<slot>.w=<width>": the slot name lies between.
    if (line.rfind(prefix, 0) != 0) continue;
    const std::size_t end = line.find(".w=", prefix.size());
    if (end == std::string::npos) continue;
    const std::string slot = line.substr(prefix.size(), end - prefix.size());
    const QSize size(store.ReadInteger(prefix + slot + ".w"),
                     store.ReadInteger(prefix + slot + ".h"));
    if (size.width() > 0 && size.height() > 0) FBySlot[slot] = size;
  }
}

void TPlayerSizes::SaveTo(TAppSettings& store, const std::string& formName) const {
  for (const auto& [slot, size] : FBySlot) {
    store.WriteInteger(formName + kSlotSizes + slot + ".w", size.width());
    store.WriteInteger(formName + kSlotSizes + slot + ".h", size.height());
  }
  if (FLast.isValid()) {
    store.WriteInteger(formName + ".formsize.w", FLast.width());
    store.WriteInteger(formName + ".formsize.h", FLast.height());
  }
}
