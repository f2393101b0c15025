#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "text/lang_helper.h"

namespace {

// What a translation must keep of the English text: its placeholders (%1 to
// %9 in any order, %s in number) and its keyboard accelerators ("&" before a
// letter; "&&" is a plain ampersand).
std::vector<std::string> MarksOf(const std::string& text) {
  std::vector<std::string> marks;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    const char next = text[i + 1];
    if (text[i] == '%' && ((next >= '1' && next <= '9') || next == 's')) {
      marks.push_back(text.substr(i, 2));
      ++i;
    } else if (text[i] == '&') {
      if (next != '&') marks.push_back("&");
      ++i;
    }
  }
  std::sort(marks.begin(), marks.end());
  return marks;
}

std::string Joined(const std::vector<std::string>& marks) {
  std::string out;
  for (const std::string& m : marks) out += m + " ";
  return out;
}

TEST(MarksOf, FindsPlaceholdersAndAccelerators) {
  const struct {
    const char* Text;
    std::vector<std::string> Expected;
  } cases[] = {
      {"Row %1, column %2: %3", {"%1", "%2", "%3"}},
      {"%2 ist in %1", {"%1", "%2"}},
      {"sizes: %s.", {"%s"}},
      {"&Game", {"&"}},
      {"Fish && Chips", {}},
      {"100% sure", {}},
      {"ends in %", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(MarksOf(c.Text), c.Expected) << c.Text;
}

// Every registered language holds each name once, no name the program does
// not know, and keeps the placeholders and accelerators of the English text.
TEST(Translations, EveryLanguageHasEveryTextWithTheEnglishPlaceholders) {
  const TTextItemNamesArr& english = EnglishTextItems();
  for (const auto& [language, rec] : LanguageTable()) {
    SCOPED_TRACE(rec.LangName);
    std::map<int, int> given;
    for (const TextItemNamesRec& item : rec.Texts) {
      const int ordinal = item.Name;
      EXPECT_LT(ordinal, kTextNameCount) << "unknown text " << item.Key;
      EXPECT_EQ(++given[ordinal], 1) << item.Key << " given twice";
    }
    for (int i = 0; i < kTextNameCount; ++i) {
      const auto name = static_cast<TTextName>(i);
      if (!given.count(i)) {
        ADD_FAILURE() << "lacks " << english[i].Key;
        continue;
      }
      const std::string text = TextIn(language, name);
      const std::string original = EnglishTextFor(name);
      EXPECT_EQ(Joined(MarksOf(text)), Joined(MarksOf(original)))
          << english[i].Key << ": \"" << text << "\" against \"" << original << "\"";
      EXPECT_EQ(text.empty(), original.empty()) << english[i].Key;
    }
  }
}

// The readable files keep spaces at a text's ends inside quotes and line
// breaks as \n; the stored tables must show them as the program uses them.
TEST(Translations, QuotedSpacesAndLineBreaksSurviveTheBuild) {
  EXPECT_EQ(TextIn(lgGerman, ttnHintAnd), " und ");
  EXPECT_EQ(TextIn(lgFrench, ttnHintTo), " à ");
  for (const TLanguage language : SupportedLanguages()) {
    const std::string text = TextIn(language, ttnReplaceUnsavedFile);
    EXPECT_NE(text.find("\n\n"), std::string::npos) << static_cast<int>(language);
    EXPECT_EQ(text.find("\\n"), std::string::npos) << static_cast<int>(language);
  }
}

}  // namespace
