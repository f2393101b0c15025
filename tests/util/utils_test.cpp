#include "util/utils.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/debug_output.h"

namespace {

TBytes BytesOf(std::string_view text) {
  return TBytes(text.begin(), text.end());
}

// A zlib stream of size zero bytes, built chunk by chunk so the test never
// holds the inflated data itself.
TBytes CompressedZeros(std::size_t size) {
  z_stream stream{};
  deflateInit(&stream, Z_BEST_COMPRESSION);
  const std::vector<std::uint8_t> zeros(1024 * 1024, 0);
  TBytes out;
  std::vector<std::uint8_t> chunk(64 * 1024);
  std::size_t left = size;
  int flush = Z_NO_FLUSH;
  do {
    const std::size_t feed = std::min(left, zeros.size());
    left -= feed;
    flush = left == 0 ? Z_FINISH : Z_NO_FLUSH;
    stream.next_in = const_cast<Bytef*>(zeros.data());
    stream.avail_in = static_cast<uInt>(feed);
    do {
      stream.next_out = chunk.data();
      stream.avail_out = static_cast<uInt>(chunk.size());
      deflate(&stream, flush);
      out.insert(out.end(), chunk.begin(), chunk.end() - stream.avail_out);
    } while (stream.avail_out == 0);
  } while (flush != Z_FINISH);
  deflateEnd(&stream);
  return out;
}

std::string ErrorText(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "no error";
}

TEST(Crc32, MatchesTheCheckValueAndGivesZeroForNothing) {
  EXPECT_EQ(TUtils::Crc32(std::string_view("123456789")), 0xCBF43926u);
  EXPECT_EQ(TUtils::Crc32(BytesOf("123456789")), 0xCBF43926u);
  EXPECT_EQ(TUtils::Crc32(std::span<const std::uint8_t>()), 0u);
  EXPECT_EQ(TUtils::Crc32(std::string_view()), 0u);
  EXPECT_EQ(TUtils::Crc32(std::string_view("a")), 0xE8B7BE43u);
}

TEST(Zlib, RoundTripProducesAZlibStream) {
  for (const std::string& text : {std::string(), std::string("x"),
                                  std::string(100000, 'a') + "tail", std::string("\0\1\2", 3)}) {
    const TBytes packed = TUtils::CompressBytes(BytesOf(text));
    ASSERT_GE(packed.size(), 2u);
    EXPECT_EQ(packed[0], 0x78);  // RFC 1950 header, 32 KB window
    EXPECT_EQ((packed[0] * 256 + packed[1]) % 31, 0);
    EXPECT_EQ(TUtils::DecompressBytes(packed), BytesOf(text));
  }
}

TEST(Zlib, DamagedStreamsRaiseZlibErrors) {
  const TBytes good = TUtils::CompressBytes(BytesOf("the quick brown fox jumps over the lazy dog"));
  TBytes badHeader = good;
  badHeader[0] = 0x00;
  EXPECT_EQ(ErrorText([&] { TUtils::DecompressBytes(badHeader); }), "incorrect header check");
  TBytes badChecksum = good;
  badChecksum.back() ^= 0xFF;
  EXPECT_EQ(ErrorText([&] { TUtils::DecompressBytes(badChecksum); }), "incorrect data check");
  const TBytes truncated(good.begin(), good.end() - 5);
  EXPECT_THROW(TUtils::DecompressBytes(truncated), std::runtime_error);
  EXPECT_THROW(TUtils::DecompressBytes(TBytes()), std::runtime_error);
  EXPECT_THROW(TUtils::DecompressBytes(BytesOf("not zlib at all")), std::runtime_error);
}

TEST(Zlib, InflatedSizeLimitIsExactAndRefusesABomb) {
  const TBytes packed = TUtils::CompressBytes(TBytes(1000, 7));
  EXPECT_EQ(TUtils::DecompressBytes(packed, 1000).size(), 1000u);
  EXPECT_THROW(TUtils::DecompressBytes(packed, 999), std::runtime_error);

  const TBytes bomb = CompressedZeros(100u * 1024 * 1024);
  EXPECT_LT(bomb.size(), 200u * 1024);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_THROW(TUtils::DecompressBytes(bomb, 1024 * 1024), std::runtime_error);
  // Refusing must not mean inflating all 100 MB first.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(Hex, BytesToHexAndBack) {
  const TBytes bytes = {0x00, 0x0F, 0xA5, 0xFF};
  EXPECT_EQ(TUtils::BytesToHex(bytes), "000FA5FF");
  EXPECT_EQ(TUtils::HexToBytes("000FA5FF"), bytes);
  EXPECT_EQ(TUtils::HexToBytes("000fa5ff"), bytes);
  EXPECT_EQ(TUtils::HexToBytes("ABC"), (TBytes{0xAB, 0xC0}));
  EXPECT_EQ(TUtils::HexToBytes(""), TBytes());
  EXPECT_EQ(TUtils::BytesToHex(TBytes()), "");
}

TEST(Hex, NonHexCharactersRaise) {
  for (const char* text : {"g", "AG", "12 3", "0x12", "-1"}) {
    EXPECT_EQ(ErrorText([&] { TUtils::HexToBytes(text); }), "No Hex-Number") << text;
    EXPECT_EQ(ErrorText([&] { TUtils::HexToInt(text); }), "No Hex-Number") << text;
  }
}

TEST(Hex, HexToIntReadsEitherCase) {
  EXPECT_EQ(TUtils::HexToInt(""), 0u);
  EXPECT_EQ(TUtils::HexToInt("ff"), 255u);
  EXPECT_EQ(TUtils::HexToInt("CBF43926"), 0xCBF43926u);
  EXPECT_EQ(TUtils::HexToInt("1FFFFFFFF"), 0xFFFFFFFFu);  // wraps modulo 2^32
}

TEST(Hex, HexOfUInt32PadsToAtLeastEightDigits) {
  EXPECT_EQ(TUtils::HexOfUInt32(255, 10), "00000000FF");
  EXPECT_EQ(TUtils::HexOfUInt32(255, 0), "000000FF");
  EXPECT_EQ(TUtils::HexOfUInt32(0xCBF43926u, 8), "CBF43926");
  EXPECT_EQ(TUtils::HexOfUInt32(0xFFFFFFFFu, -3), "FFFFFFFF");
}

TEST(Hex, IsHexText) {
  EXPECT_TRUE(TUtils::IsHexText("0123456789abcdefABCDEF"));
  EXPECT_FALSE(TUtils::IsHexText(""));
  EXPECT_FALSE(TUtils::IsHexText("12G4"));
  EXPECT_FALSE(TUtils::IsHexText("12 4"));
}

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
  for (const Case& c : cases) EXPECT_EQ(TUtils::IntFromText(c.Text, 7), c.Expected) << c.Text;
}

TEST(DebugLog, PrefixesTheProgramName) {
  std::vector<std::string> lines;
  const TDebugSink previous =
      SetDebugSink([&lines](const std::string& line) { lines.push_back(line); });
  TUtils::DebugLog("hello");
  SetDebugSink(previous);
  EXPECT_EQ(lines, (std::vector<std::string>{"TAVELO: hello"}));
}

TEST(Colours, RGBToColorPacksRedLow) {
  EXPECT_EQ(TUtils::RGBToColor(33, 33, 36), 0x242121u);
  EXPECT_EQ(TUtils::RGBToColor(0x1FF, 0, 256), 0x0000FFu);  // one byte each
}

TEST(Colours, ColorToRGBResolvesSystemColours) {
  EXPECT_EQ(TUtils::ColorToRGB(0x123456), 0x123456u);
  EXPECT_EQ(TUtils::ColorToRGB(0xFF000008), 0x000000u);  // window text
  EXPECT_EQ(TUtils::ColorToRGB(0xFF000005), 0xFFFFFFu);  // window
  EXPECT_EQ(TUtils::ColorToRGB(0xFF00000F), 0xF0F0F0u);  // button face
  EXPECT_EQ(TUtils::ColorToRGB(0xFF0000FE), 0x000000u);  // unknown index
}

TEST(Colours, ShiftColorMovesEveryChannelByThirtyOnePercent) {
  EXPECT_EQ(TUtils::ShiftColor(0xFFFFFF, -20), TUtils::RGBToColor(249, 249, 249));
  EXPECT_EQ(TUtils::ShiftColor(0x242121, -20), TUtils::RGBToColor(27, 27, 30));
  EXPECT_EQ(TUtils::ShiftColor(0x000000, -20), 0x000000u);  // clamped low
  EXPECT_EQ(TUtils::ShiftColor(0xFFFFFF, 20), 0xFFFFFFu);   // clamped high
  EXPECT_EQ(TUtils::ShiftColor(TUtils::RGBToColor(10, 0, 0), 50), TUtils::RGBToColor(26, 16, 16));
  EXPECT_EQ(TUtils::ShiftColor(0xFF000005, -20), TUtils::RGBToColor(249, 249, 249));
}

TEST(Sets, BitIStandsForElementI) {
  EXPECT_EQ(TUtils::SetToInt(TByteSet("10000101")), 0x85);
  EXPECT_EQ(TUtils::IntToSet(0x85), TByteSet("10000101"));
  EXPECT_EQ(TUtils::IntToSet(260), TByteSet("00000100"));  // higher bits ignored
  EXPECT_EQ(TUtils::IntToSet(-1), TByteSet("11111111"));
}

TEST(Text, SplitTextKeepsEmptyParts) {
  using Parts = std::vector<std::string>;
  EXPECT_EQ(TUtils::SplitText("", "|"), Parts());
  EXPECT_EQ(TUtils::SplitText("a", "|"), Parts{"a"});
  EXPECT_EQ(TUtils::SplitText("a||b|", "|"), (Parts{"a", "", "b", ""}));
  EXPECT_EQ(TUtils::SplitText("|", "|"), (Parts{"", ""}));
  EXPECT_EQ(TUtils::SplitText("a,b;c", ",;"), (Parts{"a", "b", "c"}));
}

TEST(Text, ListMembershipIsExact) {
  const std::vector<std::string> list = {"de", "en-US"};
  EXPECT_TRUE(TUtils::TextInList("de", list));
  EXPECT_FALSE(TUtils::TextInList("DE", list));
  EXPECT_FALSE(TUtils::TextInList("en", list));
  EXPECT_TRUE(TUtils::AnyTextInList(std::vector<std::string>{"fr", "en-US"}, list));
  EXPECT_FALSE(TUtils::AnyTextInList(std::vector<std::string>{"fr"}, list));
  EXPECT_FALSE(TUtils::AnyTextInList(std::vector<std::string>{}, list));
}

TEST(Base64, DecodesWholeGroupsWithPadding) {
  struct Case {
    const char* Text;
    const char* Expected;
  };
  const Case cases[] = {
      {"", ""},        {"TWE", ""},       {"TQ==", "M"},        {"TWE=", "Ma"},
      {"TWFu", "Man"}, {"TWFuTQ", "Man"}, {"TQ==TWFu", "MMan"}, {"+/+/", "\xFB\xFF\xBF"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TUtils::Base64Decode(c.Text), BytesOf(c.Expected)) << c.Text;
  }
}

TEST(Base64, RefusesCharactersOutsideTheAlphabet) {
  for (const char* text : {"TW!u", "=WFu", "T=Fu", "TW=u", "TW u"}) {
    EXPECT_THROW(TUtils::Base64Decode(text), std::invalid_argument) << text;
  }
}

}  // namespace
