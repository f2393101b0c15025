#include <gtest/gtest.h>

#include <string>

#include "util/utf8.h"

namespace {

TEST(Utf8, ConvertsToUtf16AndBackWithReplacementsForMalformedInput) {
  const struct {
    std::string Utf8;
    std::u16string Utf16;
  } cases[] = {
      {"A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", u"A\u00E9\u20AC\U0001F600"},
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong "/"
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
      {"\xE2\x82", u"\uFFFD\uFFFD"},                      // cut short
      {"\x80x", u"\uFFFDx"},
  };
  for (const auto& c : cases) {
    std::string little;
    for (const char16_t unit : c.Utf16) {
      little += static_cast<char>(unit & 0xFF);
      little += static_cast<char>(unit >> 8);
    }
    EXPECT_EQ(Utf8ToUtf16(c.Utf8, false), little) << c.Utf8;
    std::string big = Utf8ToUtf16(c.Utf8, true);
    for (std::size_t i = 0; i + 1 < big.size(); i += 2) std::swap(big[i], big[i + 1]);
    EXPECT_EQ(big, little);
  }
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("A\xF0\x9F\x98\x80", true), true), "A\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16ToUtf8(std::string("\x00\xDC\x41\x00\x42", 5), false),
            "\xEF\xBF\xBD"
            "A");
}

}  // namespace
