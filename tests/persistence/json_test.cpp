#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "persistence/JsonTools.h"

namespace {

std::string ParseError(const std::string& text) {
  TJsonNode node;
  try {
    node.Parse(text);
  } catch (const EJsonException& e) {
    return e.what();
  }
  return "";
}

TEST(JsonWriter, WritesMembersTabIndentedAndSeparatedByCommaLineFeed) {
  TJsonNode root;
  root.Add("a", 1);
  root.Add("b", "x");
  EXPECT_EQ(root.Value(), "{\n\t\"a\": 1,\n\t\"b\": \"x\"\n}");
}

TEST(JsonWriter, WritesNestedAndEmptyContainers) {
  TJsonNode root;
  EXPECT_EQ(root.Value(), "{ }");
  root.Parse(R"({"a":[1,{},-2.50e+3],"b":[],"c":{"d":null,"e":true}})");
  EXPECT_EQ(root.Value(),
            "{\n"
            "\t\"a\": [\n\t\t1,\n\t\t{ },\n\t\t-2.50e+3\n\t],\n"
            "\t\"b\": [ ],\n"
            "\t\"c\": {\n\t\t\"d\": null,\n\t\t\"e\": true\n\t}\n"
            "}");
  // A member asked for its own text keeps its name in front.
  EXPECT_EQ(root.Find("c")->Value(), "\"c\": {\n\t\"d\": null,\n\t\"e\": true\n}");
  EXPECT_EQ(root.Find("b")->Value(), "\"b\": [ ]");

  TJsonNode list;
  list.Parse("[]");
  EXPECT_EQ(list.Value(), "[ ]");
}

TEST(JsonWriter, EncodesStrings) {
  const struct {
    std::string Text;
    std::string Encoded;
  } cases[] = {
      {"", R"("")"},
      {"say \"hi\"", R"("say \"hi\"")"},
      {"a\\b", R"("a\\b")"},
      {"\b\t\n\v\f\r", R"("\b\t\n\v\f\r")"},
      {std::string("\0\x01\x1F", 3), R"("\u0000\u0001\u001F")"},
      {"a/b \x7F \xC3\xA9", "\"a/b \x7F \xC3\xA9\""},
  };
  for (const auto& c : cases) EXPECT_EQ(TJsonNode::EncodeString(c.Text), c.Encoded) << c.Encoded;

  TJsonNode root;
  root.Add("q\"\v", "v");
  EXPECT_EQ(root.Value(), "{\n\t\"q\\\"\\v\": \"v\"\n}");
}

TEST(JsonWriter, NumbersAreWrittenAsPlainIntegers) {
  TJsonNode root;
  root.Add("zero", 0);
  root.Add("big", 2147483647.0);
  root.Add("neg", -128);
  root.Add("nan", std::nan(""));
  EXPECT_EQ(root.Value(),
            "{\n\t\"zero\": 0,\n\t\"big\": 2147483647,\n\t\"neg\": -128,\n"
            "\t\"nan\": null\n}");
}

TEST(JsonDocument, AddingAnExistingMemberReplacesItInPlace) {
  TJsonNode root;
  root.Add("w", 1);
  root.Add("h", 2);
  root.Add("w", "five");
  ASSERT_EQ(root.Count(), 2u);
  EXPECT_EQ(root.Child(0)->Name(), "w");
  EXPECT_EQ(root.Child(0)->Kind(), nkString);
  EXPECT_EQ(root.Child(0)->Value(), "five");
  EXPECT_EQ(root.Child(1)->Name(), "h");
}

TEST(JsonDocument, AddingToAScalarTurnsItIntoAContainer) {
  TJsonNode root;
  TJsonNode* member = root.Add("m", 1);
  member->Add("x", 2);
  EXPECT_EQ(member->Kind(), nkObject);
  TJsonNode* list = root.Add("l", "s");
  list->Add("", 7);
  list->Add("", 8);
  list->Add("0", 9);  // the child at index 0 is reused
  EXPECT_EQ(list->Kind(), nkArray);
  EXPECT_EQ(root.Value(), "{\n\t\"m\": {\n\t\t\"x\": 2\n\t},\n\t\"l\": [\n\t\t9,\n\t\t8\n\t]\n}");
  EXPECT_EQ(list->Child(1)->Name(), "1");
}

TEST(JsonParser, AcceptsAndRefusesTexts) {
  const struct {
    const char* Text;
    const char* Error;  // empty: accepted
  } cases[] = {
      {"{}", ""},
      {"[]", ""},
      {" \x01\t\r\n{ \"a\" : 1 , } ", ""},
      {"[1,]", ""},
      {"[007, -0, 1.25, 3e5, 4E+2, 5e-1]", ""},
      {"[\"tab\there\", \"\\/\\q\\u00aF\"]", ""},
      {"[null,true,false]", ""},
      {"", kJsonRootError},
      {"   ", kJsonRootError},
      {"5", kJsonRootError},
      {"\"s\"", kJsonRootError},
      {"null", kJsonRootError},
      {"{}x", kJsonParseError},
      {"{}{}", kJsonParseError},
      {"[1.]", kJsonParseError},
      {"[.5]", kJsonParseError},
      {"[-]", kJsonParseError},
      {"[1e]", kJsonParseError},
      {"[1e+]", kJsonParseError},
      {"[+1]", kJsonParseError},
      {"[truex]", kJsonParseError},
      {"[nulltrue]", kJsonParseError},
      {"[1 2]", kJsonParseError},
      {"[,]", kJsonParseError},
      {"[1,,2]", kJsonParseError},
      {"[", kJsonParseError},
      {"[1", kJsonParseError},
      {"{\"a\"}", kJsonParseError},
      {"{\"a\":}", kJsonParseError},
      {"{1:2}", kJsonParseError},
      {"{\"a\" 1}", kJsonParseError},
      {"{]", kJsonParseError},
      {"[}", kJsonParseError},
      {"[\"open]", kJsonParseError},
      {"[\"line\nbreak\"]", kJsonParseError},
      {"[\"cr\rx\"]", kJsonParseError},
      {"[\"\\\x01\"]", kJsonParseError},
      {"[\"\\u12G4\"]", kJsonParseError},
      {"[\"\\u12\"]", kJsonParseError},
      {"[\"\\\"]", kJsonParseError},
      {"[\x80]", kJsonParseError},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseError(c.Text), c.Error) << c.Text;

  EXPECT_EQ(ParseError(std::string("[\"a\0b\"]", 7)), kJsonParseError);
  EXPECT_EQ(ParseError(std::string("[1]\0", 4)), kJsonParseError);
}

TEST(JsonParser, KeepsScalarTextsAsWritten) {
  TJsonNode root;
  root.Parse(R"({"n": 007, "s": "a\\b\u0041", "t": true, "z": null})");
  EXPECT_EQ(root.Find("n")->Kind(), nkNumber);
  EXPECT_EQ(root.Find("n")->Value(), "007");
  EXPECT_EQ(root.Find("s")->Kind(), nkString);
  EXPECT_EQ(root.Find("s")->Value(), "a\\\\b\\u0041");
  EXPECT_EQ(root.Find("t")->Kind(), nkBool);
  EXPECT_EQ(root.Find("z")->Kind(), nkNull);
  EXPECT_EQ(root.Find("z")->Value(), "null");
}

TEST(JsonParser, TrailingCommaLeavesOneMember) {
  TJsonNode root;
  root.Parse(R"({"a": 1,})");
  EXPECT_EQ(root.Count(), 1u);
  root.Parse("[1,]");
  EXPECT_EQ(root.Kind(), nkArray);
  EXPECT_EQ(root.Count(), 1u);
}

TEST(JsonParser, DecodesMemberNamesToUtf8) {
  TJsonNode root;
  root.Parse(R"({"\u00e9\uD83D\uDE00\n\/x": 1, "\ud800": 2, "\uDC00\u0041": 3})");
  EXPECT_EQ(root.Child(0)->Name(), "\xC3\xA9\xF0\x9F\x98\x80\n/x");
  EXPECT_EQ(root.Child(1)->Name(), "\xEF\xBF\xBD");
  EXPECT_EQ(root.Child(2)->Name(),
            "\xEF\xBF\xBD"
            "A");
}

TEST(JsonDocument, UnescapeStringUndoesEscapesAndKeepsMalformedOnes) {
  const struct {
    std::string Text;
    std::string Plain;
  } cases[] = {
      {R"(a\"b\\c\/d)", "a\"b\\c/d"},
      {R"(\b\f\n\r\t\v\u0001)", std::string("\b\f\n\r\t\v\x01")},
      {R"(\uD83D\uDE00)", "\xF0\x9F\x98\x80"},
      {R"(\uD83Dx)", "\xEF\xBF\xBDx"},
      {R"(\u12)", R"(\u12)"},
      {R"(\uZZZZ)", R"(\uZZZZ)"},
      {"end\\", "end\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(TJsonNode::UnescapeString(c.Text), c.Plain) << c.Text;
}

TEST(JsonParser, RepeatedMemberReplacesTheEarlierValueInPlace) {
  TJsonNode root;
  root.Parse(R"({"w": {"old": 1}, "h": 2, "w": [3]})");
  ASSERT_EQ(root.Count(), 2u);
  EXPECT_EQ(root.Value(), "{\n\t\"w\": [\n\t\t3\n\t],\n\t\"h\": 2\n}");
}

TEST(JsonParser, NestingIsLimitedToAThousandLevels) {
  TJsonNode root;
  root.Parse(std::string(1000, '[') + std::string(1000, ']'));
  EXPECT_EQ(root.Kind(), nkArray);
  EXPECT_EQ(ParseError(std::string(1001, '[') + std::string(1001, ']')), kJsonParseError);
  EXPECT_EQ(ParseError(std::string(1000000, '[')), kJsonParseError);
  std::string objects;
  for (int i = 0; i < 1000; ++i) objects += "{\"a\":";
  objects += "1" + std::string(1000, '}');
  root.Parse(objects);
  TJsonNode copy;
  copy.Parse(root.Value());
  EXPECT_EQ(copy.Value(), root.Value());
}

TEST(JsonParser, AFailedParseLeavesAnEmptyObject) {
  TJsonNode root;
  root.Parse(R"({"a": [1, 2]})");
  EXPECT_THROW(root.Parse(R"({"b": 1, "c": [)"), EJsonException);
  EXPECT_EQ(root.Kind(), nkObject);
  EXPECT_EQ(root.Count(), 0u);
  EXPECT_EQ(root.Value(), "{ }");
}

TEST(JsonParser, AChildMayBeParsedFromAScalar) {
  TJsonNode root;
  TJsonNode* child = root.Add("c", 1);
  child->Parse(" \"text\" ");
  EXPECT_EQ(child->Kind(), nkString);
  EXPECT_EQ(root.Value(), "{\n\t\"c\": \"text\"\n}");
  child->Parse("[true]");
  EXPECT_EQ(root.Value(), "{\n\t\"c\": [\n\t\ttrue\n\t]\n}");
  EXPECT_THROW(child->Parse("1 2"), EJsonException);
}

TEST(JsonParser, WrittenTextParsesBackToTheSameText) {
  TJsonNode root;
  root.Parse("{\"n\\u0001\\\"\": [1, {\"k\": \"v\\\\\"}, [], {}], \"e\": \"\"}");
  const std::string text = root.Value();
  TJsonNode copy;
  copy.Parse(text);
  EXPECT_EQ(copy.Value(), text);
}

TEST(JsonFind, FollowsPathsThroughObjectsAndArrays) {
  TJsonNode root;
  root.Parse(R"({"a": {"list": [10, {"x": "deep"}]}, "A": 2, "s": 5})");
  TJsonNode* list = root.Find("a/list");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(root.Find("/"), &root);
  EXPECT_EQ(list->Find("/"), &root);
  EXPECT_EQ(list->Find("/A")->Value(), "2");
  EXPECT_EQ(list->Find("1/x")->Value(), "deep");
  EXPECT_EQ(root.Find("/a/list/0")->Value(), "10");
  EXPECT_EQ(root.Find("a/list/2"), nullptr);
  EXPECT_EQ(root.Find("a/list/-1"), nullptr);
  EXPECT_EQ(root.Find("a/list/1x"), nullptr);
  EXPECT_EQ(root.Find("a/LIST"), nullptr);
  EXPECT_EQ(root.Find("s/0"), nullptr);
  EXPECT_EQ(root.Find("missing/a"), nullptr);
  EXPECT_EQ(root.Find("a/"), nullptr);
}

}  // namespace
