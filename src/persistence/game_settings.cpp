#include "persistence/game_settings.h"

#include <string>

#include "text/lang_helper.h"

TGameSettings::TGameSettings() {
  for (const TSettingRow& row : SettingRows()) SetValue(row.Id, row.Default);
}

namespace {

int ReadSetting(const TAppSettings& store, const TSettingRow& row) {
  switch (row.Kind) {
    case TSettingKind::OriginalFlag:
      return store.ReadBool(row.Key) ? 1 : 0;
    case TSettingKind::OriginalNumber:
      return store.ReadInteger(row.Key) & 0xFF;
    case TSettingKind::Flag: {
      const int other = row.Default == 0 ? 1 : 0;
      return store.ReadIntegerDef(row.Key, row.Default) == other ? other : row.Default;
    }
    case TSettingKind::Choice: {
      const int value = store.ReadIntegerDef(row.Key, row.Default);
      return value >= 0 && value < row.Choices ? value : row.Default;
    }
  }
  return row.Default;
}

}  // namespace

void TGameSettings::LoadFrom(const TAppSettings& store, bool firstRun) {
  for (const TSettingRow& row : SettingRows()) SetValue(row.Id, ReadSetting(store, row));
  if (firstRun) SetLanguage(SystemLanguage());
}

void TGameSettings::SaveTo(TAppSettings& store) const {
  for (const TSettingRow& row : SettingRows()) {
    const int value = Value(row.Id);
    const bool original =
        row.Kind == TSettingKind::OriginalFlag || row.Kind == TSettingKind::OriginalNumber;
    store.WriteString(row.Key, original || value != row.Default ? std::to_string(value) : "");
  }
}
