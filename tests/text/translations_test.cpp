#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "text/lang_helper.h"
#include "text/plural_rules.h"

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
      // A counted text keeps the English marks in each of its forms.
      const std::vector<TTextVariant> forms = TextVariants(text);
      const std::vector<TTextVariant> englishForms = TextVariants(original);
      const std::string englishMarks =
          Joined(MarksOf(englishForms.empty() ? original : englishForms.back().Text));
      if (forms.empty()) {
        EXPECT_EQ(Joined(MarksOf(text)), englishMarks)
            << english[i].Key << ": \"" << text << "\" against \"" << original << "\"";
      }
      for (const TTextVariant& form : forms)
        EXPECT_EQ(Joined(MarksOf(form.Text)), englishMarks)
            << english[i].Key << ": \"" << form.Text << "\" against \"" << original << "\"";
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

TEST(PluralRules, CategoriesOfWholeNumbers) {
  using enum TPluralCategory;
  const struct {
    TLanguage Language;
    std::vector<std::pair<int, TPluralCategory>> Counts;
  } cases[] = {
      {lgEnglish, {{0, Other}, {1, One}, {2, Other}, {21, Other}}},
      {lgHungarian, {{1, One}, {5, Other}}},
      {lgFrench, {{0, One}, {1, One}, {2, Other}}},
      {lgPortugueseBrazil, {{0, One}, {1, One}, {2, Other}}},
      {lgPortuguese, {{0, Other}, {1, One}, {2, Other}}},
      {lgRussian,
       {{1, One},
        {2, Few},
        {4, Few},
        {5, Many},
        {11, Many},
        {12, Many},
        {14, Many},
        {21, One},
        {22, Few},
        {25, Many},
        {111, Many},
        {112, Many},
        {122, Few},
        {0, Many}}},
      {lgUkrainian, {{1, One}, {3, Few}, {11, Many}, {101, One}}},
      {lgCzech, {{1, One}, {2, Few}, {4, Few}, {5, Other}, {22, Other}, {0, Other}}},
      {lgJapanese, {{1, Other}, {2, Other}}},
      {lgKorean, {{1, Other}}},
      {lgChinese, {{1, Other}}},
  };
  for (const auto& c : cases)
    for (const auto& [count, category] : c.Counts)
      EXPECT_EQ(PluralCategoryName(PluralCategoryOf(c.Language, count)),
                PluralCategoryName(category))
          << static_cast<int>(c.Language) << " " << count;
}

TEST(PluralRules, PicksTheFormOfTheCount) {
  const std::string text = "{one}%1 puzzle{few}%1 puzzles (few){many}%1 of puzzles{other}%1 x";
  const struct {
    TLanguage Language;
    int Count;
    const char* Form;
  } cases[] = {
      {lgRussian, 1, "%1 puzzle"},     {lgRussian, 3, "%1 puzzles (few)"},
      {lgRussian, 7, "%1 of puzzles"}, {lgEnglish, 7, "%1 x"},
      {lgEnglish, 1, "%1 puzzle"},     {lgJapanese, 1, "%1 x"},
  };
  for (const auto& c : cases) EXPECT_EQ(TextForCount(text, c.Language, c.Count), c.Form) << c.Count;
  // One form for every number; braces that name no category are text.
  EXPECT_EQ(TextForCount("%1 puzzles", lgRussian, 2), "%1 puzzles");
  EXPECT_EQ(TextForCount("{n} puzzles", lgRussian, 2), "{n} puzzles");
  EXPECT_TRUE(TextVariants("{one}a{other}b{").size() == 2);
  EXPECT_TRUE(TextVariants("x{one}a").empty());
}

// A text that counts something in English has exactly the forms its
// language's plural rules call for in every language; the others have one.
TEST(Translations, CountedTextsHaveAFormForEachPluralCategory) {
  for (const auto& [language, rec] : LanguageTable()) {
    SCOPED_TRACE(rec.LangName);
    std::vector<std::string> wanted;
    for (const TPluralCategory c : PluralCategoriesOf(language))
      wanted.emplace_back(PluralCategoryName(c));
    for (int i = 0; i < kTextNameCount; ++i) {
      const auto name = static_cast<TTextName>(i);
      const bool counted = !TextVariants(EnglishTextFor(name)).empty();
      std::vector<std::string> given;
      for (const TTextVariant& v : TextVariants(TextIn(language, name)))
        given.emplace_back(PluralCategoryName(v.Category));
      EXPECT_EQ(Joined(given), counted ? Joined(wanted) : "")
          << EnglishTextItems()[i].Key << ": " << TextIn(language, name);
    }
  }
}

// Each language's file name in src/text/translations/.
const std::map<TLanguage, std::string> kFileOf = {
    {lgRussian, "ru"},    {lgGerman, "de"},
    {lgJapanese, "ja"},   {lgFrench, "fr"},
    {lgItalian, "it"},    {lgDutch, "nl"},
    {lgUkrainian, "uk"},  {lgBulgarian, "bg"},
    {lgCzech, "cs"},      {lgDanish, "da"},
    {lgHungarian, "hu"},  {lgPortuguese, "pt"},
    {lgSpanish, "es"},    {lgPortugueseBrazil, "pt_BR"},
    {lgChinese, "zh_CN"}, {lgKorean, "ko"},
};

// Lower case for the scripts of the translations (ASCII, Latin-1 and
// Latin Extended-A letters, Cyrillic), so that a glossary word matches the
// start of a sentence and its middle alike.
std::u32string Folded(const std::string& utf8) {
  std::u32string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const int more = b < 0x80 ? 0 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : 3;
    char32_t c = more == 0 ? b : more == 1 ? b & 0x1F : more == 2 ? b & 0x0F : b & 0x07;
    for (int k = 1; k <= more && i + k < utf8.size(); ++k)
      c = c << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += more + 1;
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
      c += 0x20;
    else if (c >= 0x100 && c <= 0x17F && c % 2 == 0)
      c += 1;
    else if (c >= 0x410 && c <= 0x42F)
      c += 0x20;
    else if (c >= 0x400 && c <= 0x40F)
      c += 0x50;
    out += c;
  }
  return out;
}

bool Contains(const std::string& text, const std::string& word) {
  return Folded(text).find(Folded(word)) != std::u32string::npos;
}

// A language's glossary: term → the part of the word its key texts contain.
std::map<std::string, std::string> GlossaryOf(const std::string& file) {
  std::ifstream in(std::string(TAVELO_TRANSLATIONS_DIR) + "/" + file + ".glossary.txt");
  std::map<std::string, std::string> terms;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string word = line.substr(eq + 1);
    if (const std::size_t bar = word.find('|'); bar != std::string::npos)
      word = word.substr(bar + 1);
    terms[line.substr(0, eq)] = word;
  }
  return terms;
}

// The text where each glossary term must be found.
const std::vector<std::pair<std::string, TTextName>> kKeyTexts = {
    {"puzzle", ttnNewEasy},
    {"board", ttnBoardLook},
    {"cell", ttnHintCell},
    {"clue", ttnRowClues},
    {"run", ttnHintOneRun},
    {"fill", ttnHintFills},
    {"cross", ttnCellCrossed},
    {"hint", ttnHint},
    {"grade", ttnGrade},
    {"difficulty", ttnRecordDifficulty},
    {"easy", ttnEasy},
    {"medium", ttnMedium},
    {"normal", ttnNormalDifficulty},
    {"nightmare", ttnSuddenDeath},
    {"check", ttnCheck},
};

// Each language keeps a glossary beside its texts, and its key texts use
// the glossary's words, so a term reads the same all through the game.
TEST(Translations, KeyTextsUseTheGlossaryWords) {
  for (const auto& [language, file] : kFileOf) {
    SCOPED_TRACE(file);
    const auto glossary = GlossaryOf(file);
    for (const auto& [term, name] : kKeyTexts) {
      const auto entry = glossary.find(term);
      if (entry == glossary.end() || entry->second.empty()) {
        ADD_FAILURE() << "the glossary lacks " << term;
        continue;
      }
      EXPECT_TRUE(Contains(TextIn(language, name), entry->second))
          << term << " \"" << entry->second << "\" not in \"" << TextIn(language, name) << "\"";
    }
  }
}

// Two things the player tells apart never share a word: the stars of the
// grade and the difficulty a puzzle was made with, the Hint button and the
// clue numbers, and neighbouring bar buttons (one caption the start of
// another reads as the same button). The Game... button and the menu it
// opens share their name.
TEST(Translations, DistinctThingsHaveDistinctWords) {
  for (const auto& [language, file] : kFileOf) {
    SCOPED_TRACE(file);
    const auto glossary = GlossaryOf(file);
    const auto in = [&](TTextName name) { return TextIn(language, name); };
    const auto word = [&](const std::string& term) {
      const auto entry = glossary.find(term);
      return entry == glossary.end() ? std::string() : entry->second;
    };
    EXPECT_FALSE(Contains(in(ttnRecordDifficulty), word("grade")) ||
                 Contains(in(ttnGrade), word("difficulty")))
        << "grade \"" << in(ttnGrade) << "\", difficulty \"" << in(ttnRecordDifficulty) << "\"";
    EXPECT_FALSE(Contains(in(ttnRowClues), word("hint")) || Contains(in(ttnHint), word("clue")))
        << "hint \"" << in(ttnHint) << "\", clues \"" << in(ttnRowClues) << "\"";
    std::string game = in(ttnGame);
    for (const std::string dots : {"...", "\u2026"})
      if (game.ends_with(dots)) game.resize(game.size() - dots.size());
    EXPECT_EQ(game, in(ttnGame1));
    const TTextName bar[] = {ttnGame, ttnNew, ttnStartOver, ttnCheck, ttnUndo, ttnRedo};
    for (const TTextName a : bar) {
      for (const TTextName b : bar) {
        // A whole word, or three letters or more ("Új" and "Újrakezdés" differ).
        const std::u32string first = Folded(in(a));
        const std::u32string second = Folded(in(b));
        if (a != b && second.starts_with(first)) {
          EXPECT_FALSE(first.size() >= 3 || second.size() == first.size() ||
                       second[first.size()] == U' ')
              << "\"" << in(a) << "\" and \"" << in(b) << "\"";
        }
      }
    }
  }
}

// Grammar alternatives such as "a(z)", "(을)를" or "puzzle(s)" are for the
// translator to resolve, never shown to the player.
TEST(Translations, NoAlternationMarkersShownToPlayers) {
  // A short ending in parentheses joined to a word on either side.
  const std::regex marker(R"(([^\s(]\([^\s()%]{1,3}\))|(\([^\s()%]{1,3}\)[^\s).,:;!?]))");
  for (const auto& [language, rec] : LanguageTable()) {
    SCOPED_TRACE(rec.LangName);
    for (int i = 0; i < kTextNameCount; ++i) {
      const std::string text = TextIn(language, static_cast<TTextName>(i));
      EXPECT_FALSE(std::regex_search(text, marker)) << EnglishTextItems()[i].Key << ": " << text;
    }
  }
}

// Japanese and Chinese set a colon full-width, with no space after it.
TEST(Translations, JapaneseAndChineseUseTheFullWidthColon) {
  for (const TLanguage language : {lgJapanese, lgChinese}) {
    for (int i = 0; i < kTextNameCount; ++i) {
      const std::string text = TextIn(language, static_cast<TTextName>(i));
      EXPECT_EQ(text.find(": "), std::string::npos) << EnglishTextItems()[i].Key << ": " << text;
    }
  }
}

}  // namespace
