#include "text/plural_rules.h"

#include <array>
#include <optional>

namespace {

constexpr std::array<std::string_view, 4> kCategoryNames = {"one", "few", "many", "other"};

std::optional<TPluralCategory> CategoryNamed(std::string_view name) {
  for (std::size_t i = 0; i < kCategoryNames.size(); ++i)
    if (kCategoryNames[i] == name) return static_cast<TPluralCategory>(i);
  return std::nullopt;
}

// Russian and Ukrainian: 1, 21, 31 ... one; 2-4, 22-24 ... few; the rest many.
TPluralCategory EastSlavicCategory(std::int64_t n) {
  const std::int64_t last = n % 10;
  const std::int64_t lastTwo = n % 100;
  if (last == 1 && lastTwo != 11) return TPluralCategory::One;
  if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14)) return TPluralCategory::Few;
  return TPluralCategory::Many;
}

}  // namespace

std::string_view PluralCategoryName(TPluralCategory category) {
  return kCategoryNames[static_cast<std::size_t>(category)];
}

TPluralCategory PluralCategoryOf(TLanguage language, std::int64_t count) {
  const std::int64_t n = count < 0 ? -count : count;
  switch (language) {
    case lgJapanese:
    case lgChinese:
    case lgKorean:
      return TPluralCategory::Other;
    case lgFrench:
    case lgPortugueseBrazil:
      return n <= 1 ? TPluralCategory::One : TPluralCategory::Other;
    case lgRussian:
    case lgUkrainian:
      return EastSlavicCategory(n);
    case lgCzech:
      if (n == 1) return TPluralCategory::One;
      return n >= 2 && n <= 4 ? TPluralCategory::Few : TPluralCategory::Other;
    default:
      return n == 1 ? TPluralCategory::One : TPluralCategory::Other;
  }
}

std::vector<TPluralCategory> PluralCategoriesOf(TLanguage language) {
  using enum TPluralCategory;
  switch (language) {
    case lgJapanese:
    case lgChinese:
    case lgKorean:
      return {Other};
    case lgRussian:
    case lgUkrainian:
      return {One, Few, Many};
    case lgCzech:
      return {One, Few, Other};
    default:
      return {One, Other};
  }
}

std::vector<TTextVariant> TextVariants(std::string_view text) {
  std::vector<TTextVariant> variants;
  std::size_t at = 0;
  while (at < text.size() && text[at] == '{') {
    const std::size_t close = text.find('}', at);
    if (close == std::string_view::npos) return {};
    const auto category = CategoryNamed(text.substr(at + 1, close - at - 1));
    if (!category) return {};
    std::size_t next = text.find('{', close);
    while (next != std::string_view::npos) {
      const std::size_t end = text.find('}', next);
      if (end != std::string_view::npos && CategoryNamed(text.substr(next + 1, end - next - 1)))
        break;
      next = text.find('{', next + 1);
    }
    const std::size_t stop = next == std::string_view::npos ? text.size() : next;
    variants.push_back({*category, std::string(text.substr(close + 1, stop - close - 1))});
    at = stop;
  }
  if (at != text.size()) return {};
  return variants;
}

std::string TextForCount(std::string_view text, TLanguage language, std::int64_t count) {
  const std::vector<TTextVariant> variants = TextVariants(text);
  if (variants.empty()) return std::string(text);
  const TPluralCategory wanted = PluralCategoryOf(language, count);
  const TTextVariant* other = nullptr;
  for (const TTextVariant& v : variants) {
    if (v.Category == wanted) return v.Text;
    if (v.Category == TPluralCategory::Other) other = &v;
  }
  return other ? other->Text : variants.back().Text;
}
