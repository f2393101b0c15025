// Plural forms: which form of a counted text a number takes in a language,
// after the cardinal plural categories of the Unicode CLDR for whole numbers.
//
// A counted text holds one variant per category of its language, each led by
// its category in braces, e.g. "{one}%1 puzzle{other}%1 puzzles"; a text
// without a leading brace has one form for every number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/languages.h"

enum class TPluralCategory : std::uint8_t { One, Few, Many, Other };

// The category's name as written in a counted text ("one", "few", ...).
std::string_view PluralCategoryName(TPluralCategory category);

// The category of count in language. The rules cover the whole numbers the
// program counts (below a million), where French, Spanish, Italian and
// Portuguese need no form of their own for millions.
TPluralCategory PluralCategoryOf(TLanguage language, std::int64_t count);

// Every category PluralCategoryOf can give for language, in the order above:
// the variants a counted text of that language must have.
std::vector<TPluralCategory> PluralCategoriesOf(TLanguage language);

struct TTextVariant {
  TPluralCategory Category;
  std::string Text;
};

// The variants of a counted text in their order; empty for a text that has
// one form, or whose braces name no known category.
std::vector<TTextVariant> TextVariants(std::string_view text);

// The form of text for count: its variant of count's category, else its
// "other" variant, else text itself (a text with one form).
std::string TextForCount(std::string_view text, TLanguage language, std::int64_t count);
