#include "util/text_reading.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(IntFromText, ReadsSignedDecimalsAndFallsBackToTheDefault) {
  struct Case {
    const char* Text;
    std::int32_t Expected;
  };
  const Case cases[] = {
      {"", 7},
      {"12", 12},
      {"-3", -3},
      {"+4", 4},
      {"0", 0},
      {"1.5", 7},
      {"1,5", 7},
      {"$1F", 7},
      {"12a", 7},
      {" 12", 7},
      {"-", 7},
      {"+-1", 7},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"2147483648", 7},
      {"-2147483649", 7},
      {"99999999999999999999", 7},
  };
  for (const Case& c : cases) EXPECT_EQ(IntFromText(c.Text, 7), c.Expected) << c.Text;
}

TEST(Text, SplitTextKeepsEmptyParts) {
  using Parts = std::vector<std::string>;
  EXPECT_EQ(SplitText("", "|"), Parts());
  EXPECT_EQ(SplitText("a", "|"), Parts{"a"});
  EXPECT_EQ(SplitText("a||b|", "|"), (Parts{"a", "", "b", ""}));
  EXPECT_EQ(SplitText("|", "|"), (Parts{"", ""}));
  EXPECT_EQ(SplitText("a,b;c", ",;"), (Parts{"a", "b", "c"}));
}

TEST(Text, ListMembershipIsExact) {
  const std::vector<std::string> list = {"de", "en-US"};
  EXPECT_TRUE(TextInList("de", list));
  EXPECT_FALSE(TextInList("DE", list));
  EXPECT_FALSE(TextInList("en", list));
  EXPECT_TRUE(AnyTextInList(std::vector<std::string>{"fr", "en-US"}, list));
  EXPECT_FALSE(AnyTextInList(std::vector<std::string>{"fr"}, list));
  EXPECT_FALSE(AnyTextInList(std::vector<std::string>{}, list));
}

}  // namespace
