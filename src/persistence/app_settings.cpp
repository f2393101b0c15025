#include "persistence/app_settings.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "platform/atomic_file.h"
#include "platform/file_read.h"
#include "util/app_environment.h"
#include "util/utils.h"

namespace {

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameKey(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

}  // namespace

TAppSettings::TAppSettings(const std::string& fileName, char separator)
    : TAppSettings(std::filesystem::path(GetSettingsFolder(true)), fileName, separator) {}

TAppSettings::TAppSettings(const std::filesystem::path& folder, const std::string& fileName,
                           char separator)
    : FFileName((folder / fileName).string()), FSeparator(separator) {
  WriteBool("drawhottrackcounters", true);
  WriteBool("drawhottrackboard", false);
  WriteBool("drawcellspos", true);
}

bool TAppSettings::Load() {
  TFileContent file = ReadRegularFile(FFileName, kMaxSettingsFileSize);
  if (file.Status == TReadStatus::Missing) {
    return false;
  }
  if (file.Status != TReadStatus::Ok)
    throw ESettingsUnreadable("Cannot read " + FFileName + ": " + file.Reason);
  LoadBytes(file.Bytes);
  return true;
}

void TAppSettings::LoadBytes(std::string_view bytes) {
  TTextLines text = DecodeTextLines(bytes);
  FLines = std::move(text.Lines);
  FEncoding = text.Encoding;
}

std::string TAppSettings::Bytes() const {
  return EncodeTextLines(FLines, FEncoding);
}

void TAppSettings::Save() const {
  WriteFileAtomically(FFileName, Bytes());
}

int TAppSettings::IndexOfKey(std::string_view key) const {
  for (std::size_t i = 0; i < FLines.size(); ++i) {
    const std::size_t separator = FLines[i].find(FSeparator);
    if (separator != std::string::npos &&
        SameKey(std::string_view(FLines[i]).substr(0, separator), key))
      return static_cast<int>(i);
  }
  return -1;
}

std::string TAppSettings::ReadString(std::string_view key) const {
  const int index = IndexOfKey(key);
  if (index < 0) return {};
  const std::string& line = FLines[index];
  return line.substr(line.find(FSeparator) + 1);
}

int TAppSettings::ReadInteger(std::string_view key) const {
  const std::string value = ReadString(key);
  return value.empty() ? 0 : TUtils::IntFromText(value, 0);
}

int TAppSettings::ReadIntegerDef(std::string_view key, int def) const {
  return ReadString(key).empty() ? def : ReadInteger(key);
}

bool TAppSettings::ReadBool(std::string_view key) const {
  return ReadInteger(key) == 1;
}

void TAppSettings::WriteString(std::string_view key, std::string_view value) {
  if (value.empty()) {
    // Every line of the key, so that no later one of a hand-made file comes
    // to light in its place.
    for (int index = IndexOfKey(key); index >= 0; index = IndexOfKey(key))
      FLines.erase(FLines.begin() + index);
    return;
  }
  const int index = IndexOfKey(key);
  std::string line(key);
  line += FSeparator;
  line += value;
  if (index >= 0)
    FLines[index] = std::move(line);
  else
    FLines.push_back(std::move(line));
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
