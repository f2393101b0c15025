#include "persistence/settings_check.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <utility>

#include "persistence/app_settings.h"
#include "persistence/settings_table.h"
#include "platform/atomic_file.h"
#include "platform/file_error.h"
#include "platform/file_read.h"
#include "util/text_reading.h"

namespace {

// The store's own reading: a text is a number when no default stands in.
bool IsNumber(const std::string& value) {
  return IntFromText(value, 0) == IntFromText(value, 1);
}

void AppendHexRuns(const std::string& text, std::vector<std::string>& runs) {
  std::size_t start = 0;
  while (start < text.size()) {
    if (!std::isxdigit(static_cast<unsigned char>(text[start]))) {
      ++start;
      continue;
    }
    std::size_t end = start;
    while (end < text.size() && std::isxdigit(static_cast<unsigned char>(text[end]))) ++end;
    if (end - start > 8) runs.push_back(text.substr(start, end - start));
    start = end;
  }
}

bool HasContent(const TAppSettings& store) {
  for (const std::string& line : store.Lines())
    if (!line.empty()) return true;
  return false;
}

std::string Lower(std::string_view text) {
  std::string s(text);
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// A line the program writes as a setting: a key it knows, or one of the
// windows' own (the designer's picture, a slot's zoom and window size), and
// a value into which no "state" line has merged.
bool IsSettingLine(std::string_view line) {
  const std::size_t separator = line.find('=');
  if (separator == std::string_view::npos) return false;
  const std::string key = Lower(line.substr(0, separator));
  if (Lower(line.substr(separator + 1)).find("state=") != std::string::npos) return false;
  return IsKnownKey(key) || key == "designer" || key.starts_with("zoom.") ||
         key.find(".slotsize.") != std::string::npos;
}

}  // namespace

std::vector<std::string> IntegerSettingsKeys(const std::string& formName) {
  std::vector<std::string> keys = {formName + ".formpos.x", formName + ".formpos.y",
                                   formName + ".formsize.w", formName + ".formsize.h"};
  // The keys of the first versions; a key added since reads its default when
  // it holds no number.
  std::vector<const TSettingRow*> rows;
  for (const TSettingRow& row : SettingRows())
    if (row.Kind == TSettingKind::OriginalFlag || row.Kind == TSettingKind::OriginalNumber)
      rows.push_back(&row);
  std::sort(rows.begin(), rows.end(),
            [](const TSettingRow* a, const TSettingRow* b) { return a->Place < b->Place; });
  for (const TSettingRow* row : rows) keys.emplace_back(row->Key);
  return keys;
}

std::string SettingsDamage(const TAppSettings& store, const std::vector<std::string>& integerKeys) {
  if (!HasContent(store)) return {};
  const std::vector<std::string>& lines = store.Lines();
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (!lines[i].empty() && lines[i].find('=') == std::string::npos)
      return "line " + std::to_string(i + 1) + " is not of the form key=value";
  for (const std::string& key : integerKeys) {
    const std::string value = store.ReadString(key);
    if (!value.empty() && !IsNumber(value)) return "the value of " + key + " is not a number";
  }
  // Settings alone are a file from before the first game was stored; one
  // that still holds a stored game somewhere lost its "state" line.
  if (store.ReadString("state").empty() &&
      (!std::all_of(lines.begin(), lines.end(),
                    [](const std::string& line) { return line.empty() || IsSettingLine(line); }) ||
       !SalvageStoredGames(store, 1).empty()))
    return "no stored games (\"state\") found";
  return {};
}

void RemoveUnreadableLines(TAppSettings& store, const std::vector<std::string>& integerKeys) {
  store.RemoveLinesWithoutSeparator();
  for (const std::string& key : integerKeys) {
    const std::string value = store.ReadString(key);
    if (!value.empty() && !IsNumber(value)) store.WriteString(key, "");
  }
}

std::vector<std::string> StateCodeCandidates(const TAppSettings& store) {
  std::vector<std::string> codes;
  AppendHexRuns(store.ReadString("state"), codes);
  for (const std::string& line : store.Lines()) AppendHexRuns(line, codes);
  return codes;
}

std::vector<TGameStateRec> SalvageStoredGames(const TAppSettings& store, int most) {
  std::vector<TGameStateRec> games;
  int decoded = 0;
  for (const std::string& code : StateCodeCandidates(store)) {
    if (static_cast<int>(games.size()) == most || decoded == 4 * most) break;
    try {
      TGameStateRec rec = ParseStoredGameState(code);
      ++decoded;
      if (std::none_of(games.begin(), games.end(),
                       [&rec](const TGameStateRec& g) { return g.name == rec.name; }))
        games.push_back(std::move(rec));
    } catch (const std::exception&) {
      // not a stored game, or a damaged one
    }
  }
  return games;
}

int NumberedCopyNumber(const std::string& name, const std::string& fileName,
                       const std::string& tag) {
  const std::string base = fileName + tag;
  if (name == base) return 0;
  if (!name.starts_with(base + ".")) return -1;
  const std::string digits = name.substr(base.size() + 1);
  // Digits as the program writes them: no sign, no leading zero.
  if (digits.empty() || digits.size() > 9 || digits[0] == '0' ||
      digits.find_first_not_of("0123456789") != std::string::npos)
    return -1;
  return std::stoi(digits);
}

int DamagedCopyNumber(const std::string& name, const std::string& fileName) {
  return NumberedCopyNumber(name, fileName, kDamagedTag);
}

std::filesystem::path WriteNumberedCopy(const std::filesystem::path& file, const std::string& tag,
                                        std::string_view bytes, int keep) {
  const std::filesystem::path folder = file.parent_path();
  const std::string fileName = file.filename().string();
  // Every name in use counts, whatever it is, so nothing is ever replaced.
  int highest = -1;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error))
    highest =
        std::max(highest, NumberedCopyNumber(entry.path().filename().string(), fileName, tag));
  if (error) throw EFileAccess("Cannot list", folder, TReadStatus::Failed, error.message());
  const int number = highest + 1;
  const std::filesystem::path copy =
      folder / (fileName + tag + (number == 0 ? std::string() : "." + std::to_string(number)));
  WriteFileAtomically(copy, bytes);

  std::vector<std::pair<int, std::filesystem::path>> copies;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const int n = NumberedCopyNumber(entry.path().filename().string(), fileName, tag);
    std::error_code ignored;
    if (n >= 0 && !entry.is_symlink(ignored) && entry.is_regular_file(ignored))
      copies.emplace_back(n, entry.path());
  }
  std::sort(copies.begin(), copies.end());
  for (std::size_t i = 0; i + keep < copies.size(); ++i) {
    std::error_code ignored;
    std::filesystem::remove(copies[i].second, ignored);
  }
  return copy;
}

std::filesystem::path KeepDamagedCopy(const std::filesystem::path& file, int keep) {
  const TFileContent content = ReadRegularFile(file, kMaxSettingsFileSize);
  if (content.Status != TReadStatus::Ok)
    throw EFileAccess("Cannot read", file, content.Status, content.Reason);
  return WriteNumberedCopy(file, kDamagedTag, content.Bytes, keep);
}

std::filesystem::path NewestNumberedCopy(const std::filesystem::path& file,
                                         const std::string& tag) {
  const std::string fileName = file.filename().string();
  std::filesystem::path newest;
  int highest = -1;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(file.parent_path(), error)) {
    const int n = NumberedCopyNumber(entry.path().filename().string(), fileName, tag);
    std::error_code ignored;
    if (n > highest && !entry.is_symlink(ignored) && entry.is_regular_file(ignored)) {
      highest = n;
      newest = entry.path();
    }
  }
  return newest;
}

void RemoveLeftoversOfKilledWrites(const std::filesystem::path& file) {
  std::filesystem::path target = file;
  try {
    target = ResolveLinks(file);
  } catch (const std::exception&) {
    // a loop of links: there is no target to look beside
  }
  for (const std::filesystem::path& f : {file, target}) {
    const std::string name = f.filename().string();
    RemoveTemporaryLeftovers(f.parent_path(), [&name](const std::string& stem) {
      return stem == name || DamagedCopyNumber(stem, name) >= 0 ||
             NumberedCopyNumber(stem, name, kUnsavedTag) >= 0;
    });
  }
}
