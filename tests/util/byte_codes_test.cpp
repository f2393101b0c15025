#include "util/base64.h"
#include "util/compression.h"
#include "util/crc32.h"
#include "util/hex.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

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
  EXPECT_EQ(Crc32(std::string_view("123456789")), 0xCBF43926u);
  EXPECT_EQ(Crc32(BytesOf("123456789")), 0xCBF43926u);
  EXPECT_EQ(Crc32(std::span<const std::uint8_t>()), 0u);
  EXPECT_EQ(Crc32(std::string_view()), 0u);
  EXPECT_EQ(Crc32(std::string_view("a")), 0xE8B7BE43u);
}

TEST(Zlib, RoundTripProducesAZlibStream) {
  for (const std::string& text : {std::string(), std::string("x"),
                                  std::string(100000, 'a') + "tail", std::string("\0\1\2", 3)}) {
    const TBytes packed = CompressBytes(BytesOf(text));
    ASSERT_GE(packed.size(), 2u);
    EXPECT_EQ(packed[0], 0x78);  // RFC 1950 header, 32 KB window
    EXPECT_EQ((packed[0] * 256 + packed[1]) % 31, 0);
    EXPECT_EQ(DecompressBytes(packed), BytesOf(text));
  }
}

TEST(Zlib, DamagedStreamsRaiseZlibErrors) {
  const TBytes good = CompressBytes(BytesOf("the quick brown fox jumps over the lazy dog"));
  TBytes badHeader = good;
  badHeader[0] = 0x00;
  EXPECT_EQ(ErrorText([&] { DecompressBytes(badHeader); }), "incorrect header check");
  TBytes badChecksum = good;
  badChecksum.back() ^= 0xFF;
  EXPECT_EQ(ErrorText([&] { DecompressBytes(badChecksum); }), "incorrect data check");
  const TBytes truncated(good.begin(), good.end() - 5);
  EXPECT_THROW(DecompressBytes(truncated), std::runtime_error);
  EXPECT_THROW(DecompressBytes(TBytes()), std::runtime_error);
  EXPECT_THROW(DecompressBytes(BytesOf("not zlib at all")), std::runtime_error);
}

TEST(Zlib, InflatedSizeLimitIsExactAndRefusesABomb) {
  const TBytes packed = CompressBytes(TBytes(1000, 7));
  EXPECT_EQ(DecompressBytes(packed, 1000).size(), 1000u);
  EXPECT_THROW(DecompressBytes(packed, 999), std::runtime_error);

  const TBytes bomb = CompressedZeros(100u * 1024 * 1024);
  EXPECT_LT(bomb.size(), 200u * 1024);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_THROW(DecompressBytes(bomb, 1024 * 1024), std::runtime_error);
  // Refusing must not mean inflating all 100 MB first.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(Hex, BytesToHexAndBack) {
  const TBytes bytes = {0x00, 0x0F, 0xA5, 0xFF};
  EXPECT_EQ(BytesToHex(bytes), "000FA5FF");
  EXPECT_EQ(HexToBytes("000FA5FF"), bytes);
  EXPECT_EQ(HexToBytes("000fa5ff"), bytes);
  EXPECT_EQ(HexToBytes("ABC"), (TBytes{0xAB, 0xC0}));
  EXPECT_EQ(HexToBytes(""), TBytes());
  EXPECT_EQ(BytesToHex(TBytes()), "");
}

TEST(Hex, NonHexCharactersRaise) {
  for (const char* text : {"g", "AG", "12 3", "0x12", "-1"}) {
    EXPECT_EQ(ErrorText([&] { HexToBytes(text); }), "No Hex-Number") << text;
    EXPECT_EQ(ErrorText([&] { HexToInt(text); }), "No Hex-Number") << text;
  }
}

TEST(Hex, HexToIntReadsEitherCase) {
  EXPECT_EQ(HexToInt(""), 0u);
  EXPECT_EQ(HexToInt("ff"), 255u);
  EXPECT_EQ(HexToInt("CBF43926"), 0xCBF43926u);
  EXPECT_EQ(HexToInt("1FFFFFFFF"), 0xFFFFFFFFu);  // wraps modulo 2^32
}

TEST(Hex, HexOfUInt32PadsToAtLeastEightDigits) {
  EXPECT_EQ(HexOfUInt32(255, 10), "00000000FF");
  EXPECT_EQ(HexOfUInt32(255, 0), "000000FF");
  EXPECT_EQ(HexOfUInt32(0xCBF43926u, 8), "CBF43926");
  EXPECT_EQ(HexOfUInt32(0xFFFFFFFFu, -3), "FFFFFFFF");
}

TEST(Hex, IsHexText) {
  EXPECT_TRUE(IsHexText("0123456789abcdefABCDEF"));
  EXPECT_FALSE(IsHexText(""));
  EXPECT_FALSE(IsHexText("12G4"));
  EXPECT_FALSE(IsHexText("12 4"));
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
    EXPECT_EQ(Base64Decode(c.Text), BytesOf(c.Expected)) << c.Text;
  }
}

TEST(Base64, RefusesCharactersOutsideTheAlphabet) {
  for (const char* text : {"TW!u", "=WFu", "T=Fu", "TW=u", "TW u"}) {
    EXPECT_THROW(Base64Decode(text), std::invalid_argument) << text;
  }
}

}  // namespace
