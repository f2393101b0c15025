#include "persistence/app_settings.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "persistence/settings_table.h"
#include "platform/atomic_file.h"
#include "platform/file_read.h"
#include "util/app_environment.h"
#include "util/text_reading.h"

namespace {

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

}  // namespace

TAppSettings::TAppSettings(const std::string& fileName, char separator)
    : TAppSettings(std::filesystem::path(GetSettingsFolder(true)), fileName, separator) {}

TAppSettings::TAppSettings(const std::filesystem::path& folder, const std::string& fileName,
                           char separator)
    : FFileName((folder / fileName).string()), FSeparator(separator) {
  for (const TSettingRow& row : SettingRows())
    if (row.FirstRunLine >= 0) WriteInteger(row.Key, row.FirstRunLine);
}

bool TAppSettings::Load() {
  TFileContent file = ReadRegularFile(FFileName, kMaxSettingsFileSize);
  if (file.Status == TReadStatus::Missing) {
    return false;
  }
  if (file.Status != TReadStatus::Ok)
    throw ESettingsUnreadable("Cannot read", FFileName, file.Status, file.Reason);
  LoadBytes(file.Bytes);
  return true;
}

void TAppSettings::LoadBytes(std::string_view bytes) {
  TTextLines text = DecodeTextLines(bytes);
  FLines = std::move(text.Lines);
  FIndexStale = true;
  FEncoding = text.Encoding;
}

std::string TAppSettings::Bytes() const {
  return EncodeTextLines(FLines, FEncoding);
}

void TAppSettings::Save() const {
  WriteFileAtomically(FFileName, Bytes());
}

bool TAppSettings::LineKey(const std::string& line, std::string& key) const {
  const std::size_t separator = line.find(FSeparator);
  if (separator == std::string::npos) return false;
  key = LowerAscii(std::string_view(line).substr(0, separator));
  return true;
}

int TAppSettings::IndexOfKey(std::string_view key) const {
  if (FIndexStale) {
    FIndex.clear();
    std::string lineKey;
    for (std::size_t i = 0; i < FLines.size(); ++i)
      if (LineKey(FLines[i], lineKey)) FIndex.emplace(lineKey, i);
    FIndexStale = false;
  }
  const auto found = FIndex.find(LowerAscii(key));
  return found == FIndex.end() ? -1 : static_cast<int>(found->second);
}

std::string TAppSettings::ReadString(std::string_view key) const {
  const int index = IndexOfKey(key);
  if (index < 0) return {};
  const std::string& line = FLines[index];
  return line.substr(line.find(FSeparator) + 1);
}

int TAppSettings::ReadInteger(std::string_view key) const {
  const std::string value = ReadString(key);
  return value.empty() ? 0 : IntFromText(value, 0);
}

int TAppSettings::ReadIntegerDef(std::string_view key, int def) const {
  return ReadString(key).empty() ? def : ReadInteger(key);
}

bool TAppSettings::ReadBool(std::string_view key) const {
  return ReadInteger(key) == 1;
}

void TAppSettings::WriteString(std::string_view key, std::string_view value) {
  const int index = IndexOfKey(key);
  if (value.empty()) {
    // Every line of the key, so that no later one of a hand-made file comes
    // to light in its place.
    if (index < 0) return;
    const std::string lower = LowerAscii(key);
    std::string lineKey;
    std::erase_if(FLines, [&](const std::string& line) {
      return LineKey(line, lineKey) && lineKey == lower;
    });
    FIndexStale = true;
    return;
  }
  std::string line(key);
  line += FSeparator;
  line += value;
  if (index >= 0) {
    FLines[index] = std::move(line);
    return;
  }
  // After the last line whose key comes before it or with it; from the end,
  // since most new keys belong there.
  const int place = KeyPlace(key);
  std::size_t at = FLines.size();
  while (at > 0) {
    const std::string& before = FLines[at - 1];
    const std::size_t separator = before.find(FSeparator);
    if (KeyPlace(std::string_view(before).substr(0, separator)) <= place) break;
    --at;
  }
  if (at < FLines.size())
    FIndexStale = true;
  else if (!FIndexStale)
    FIndex.emplace(LowerAscii(key), at);
  FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

void TAppSettings::WriteInteger(std::string_view key, int value) {
  WriteString(key, std::to_string(value));
}

void TAppSettings::WriteBool(std::string_view key, bool value) {
  WriteInteger(key, value ? 1 : 0);
}

void TAppSettings::RemoveLinesWithoutSeparator() {
  std::erase_if(FLines, [this](const std::string& line) {
    return !line.empty() && line.find(FSeparator) == std::string::npos;
  });
  FIndexStale = true;
}

void TAppSettings::SaveFormBounds(const std::string& formName, const TFormBounds& bounds) {
  WriteInteger(formName + ".formpos.x", bounds.Left);
  WriteInteger(formName + ".formpos.y", bounds.Top);
  WriteInteger(formName + ".formsize.w", bounds.Width);
  WriteInteger(formName + ".formsize.h", bounds.Height);
}

TFormBounds TAppSettings::LoadFormBounds(const std::string& formName,
                                         const TFormBounds& current) const {
  TFormBounds bounds;
  bounds.Left = ReadIntegerDef(formName + ".formpos.x", current.Left);
  bounds.Top = ReadIntegerDef(formName + ".formpos.y", current.Top);
  bounds.Width = ReadIntegerDef(formName + ".formsize.w", current.Width);
  bounds.Height = ReadIntegerDef(formName + ".formsize.h", current.Height);
  return bounds;
}

const TBoardPalette& TAppSettings::GetBoardPalette() const {
  return ::GetBoardPalette();
}
