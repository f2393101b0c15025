#include "persistence/records.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <string_view>
#include <tuple>

#include "persistence/app_settings.h"

namespace {

constexpr std::string_view kPrefix = "records.";
constexpr int kDifficulties = 3;
constexpr std::int64_t kMaxCount = 1'000'000'000;

// A whole decimal number, nothing around it.
bool ParseNumber(std::string_view text, std::int64_t& value) {
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && at == end;
}

// Width and height of a slot name "WxH"; none for another name.
std::optional<std::pair<int, int>> SizeOf(std::string_view name) {
  const std::size_t x = name.find('x');
  std::int64_t w = 0;
  std::int64_t h = 0;
  if (x == std::string_view::npos || !ParseNumber(name.substr(0, x), w) ||
      !ParseNumber(name.substr(x + 1), h) || w <= 0 || h <= 0 || w > 1000 || h > 1000)
    return std::nullopt;
  return std::pair{static_cast<int>(w), static_cast<int>(h)};
}

// Counts stop at a billion, the most a stored count reads back as, so that
// what is counted on and saved reads back the same.
void CountOn(int& count) {
  if (count < kMaxCount) ++count;
}

// The total time stops at the largest it can hold rather than overflowing.
void AddSeconds(std::int64_t& total, std::int64_t seconds) {
  total = seconds > std::numeric_limits<std::int64_t>::max() - total
              ? std::numeric_limits<std::int64_t>::max()
              : total + seconds;
}

// Easy, Medium, Normal: the order players read them in.
int DifficultyRank(int difficulty) {
  return kDifficulties - 1 - difficulty;
}

}  // namespace

std::optional<std::int64_t> TRecord::AverageSeconds() const {
  if (Solved <= 0) return std::nullopt;
  return TotalSeconds / Solved;
}

TRecord& TRecords::Slot(const TRecordKey& key) {
  return FRecords[{key.Size, StoredDifficulty(key.Difficulty)}];
}

void TRecords::CountPlayed(const TRecordKey& key) {
  CountOn(Slot(key).Played);
}

void TRecords::CountSolved(const TRecordKey& key, const TSolve& solve) {
  TRecord& record = Slot(key);
  const std::int64_t seconds = std::max<std::int64_t>(0, solve.Seconds);
  CountOn(record.Solved);
  AddSeconds(record.TotalSeconds, seconds);
  if (solve.HintsUsed > 0) CountOn(record.SolvedWithHints);
  if (solve.HintsUsed == 0 && !solve.NightmareMarks && !solve.NoFilledCell &&
      (!record.BestSeconds || seconds < *record.BestSeconds))
    record.BestSeconds = seconds;
}

TRecord TRecords::Of(const TRecordKey& key) const {
  const auto found = FRecords.find({key.Size, StoredDifficulty(key.Difficulty)});
  return found == FRecords.end() ? TRecord{} : found->second;
}

std::vector<std::pair<TRecordKey, TRecord>> TRecords::Rows() const {
  std::vector<std::pair<TRecordKey, TRecord>> rows;
  for (const auto& [key, record] : FRecords)
    rows.push_back({TRecordKey{key.first, DifficultyFromStored(key.second)}, record});
  const auto order = [](const TRecordKey& key) {
    const auto size = SizeOf(key.Size);
    // Names that are no size (a hand-edited file) come last.
    return std::tuple{!size.has_value(), size ? size->first * size->second : 0,
                      size ? size->first : 0, key.Size,
                      DifficultyRank(StoredDifficulty(key.Difficulty))};
  };
  std::stable_sort(rows.begin(), rows.end(),
                   [&](const auto& a, const auto& b) { return order(a.first) < order(b.first); });
  return rows;
}

std::string TRecords::KeyName(const TRecordKey& key) {
  return std::string(kPrefix) + key.Size + "." + std::to_string(StoredDifficulty(key.Difficulty));
}

bool TRecords::ParseKeyName(const std::string& name, TRecordKey& key) {
  // Keys compare without regard to case in app.ini.
  if (name.size() <= kPrefix.size()) return false;
  std::string prefix = name.substr(0, kPrefix.size());
  std::transform(prefix.begin(), prefix.end(), prefix.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (prefix != kPrefix) return false;
  const std::string rest = name.substr(kPrefix.size());
  const std::size_t dot = rest.rfind('.');
  std::int64_t difficulty = 0;
  if (dot == std::string::npos || dot == 0 ||
      !ParseNumber(std::string_view(rest).substr(dot + 1), difficulty) || difficulty < 0 ||
      difficulty >= kDifficulties)
    return false;
  key.Size = rest.substr(0, dot);
  std::transform(key.Size.begin(), key.Size.end(), key.Size.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  key.Difficulty = DifficultyFromStored(static_cast<int>(difficulty));
  return SizeOf(key.Size).has_value();
}

std::string TRecords::ValueText(const TRecord& r) {
  return std::to_string(r.Played) + "," + std::to_string(r.Solved) + "," +
         std::to_string(r.SolvedWithHints) + "," + std::to_string(r.BestSeconds.value_or(-1)) +
         "," + std::to_string(r.TotalSeconds);
}

bool TRecords::ParseValue(const std::string& text, TRecord& record) {
  std::array<std::int64_t, 5> v{};
  std::size_t field = 0;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    const std::string_view part =
        std::string_view(text).substr(start, comma == std::string::npos ? comma : comma - start);
    if (field == v.size() || !ParseNumber(part, v[field])) return false;
    ++field;
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  const auto [played, solved, hinted, best, total] = v;
  // Counts that contradict each other are a damaged line, not records.
  if (field != v.size() || played < 0 || solved < 0 || solved > played || hinted < 0 ||
      hinted > solved || best < -1 || total < 0 || (solved == 0 && best >= 0) ||
      (best >= 0 && best > total))
    return false;
  // Kept in an int and counted on, a count stops at a billion, in order.
  const auto count = [](std::int64_t n) { return static_cast<int>(std::min(n, kMaxCount)); };
  record = TRecord{count(played), count(solved), count(hinted),
                   best < 0 ? std::nullopt : std::optional<std::int64_t>(best), total};
  return true;
}

void TRecords::LoadFrom(const TAppSettings& store) {
  FRecords.clear();
  for (const std::string& line : store.Lines()) {
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    TRecordKey key;
    TRecord record;
    if (!ParseKeyName(line.substr(0, eq), key)) continue;
    // The store answers the first line of a key, as every read does.
    if (!ParseValue(store.ReadString(KeyName(key)), record)) continue;
    Slot(key) = record;
  }
}

void TRecords::SaveTo(TAppSettings& store) const {
  for (const auto& [key, record] : FRecords)
    store.WriteString(KeyName({key.first, DifficultyFromStored(key.second)}), ValueText(record));
}
