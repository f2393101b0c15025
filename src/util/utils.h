// TUtils: stateless helpers shared across the program: CRC-32, zlib wrappers,
// hexadecimal conversions, a tolerant integer reader, the debug log line,
// colour arithmetic, 8-bit set packing, small string-list tests and base64.
// Bad input raises an exception carrying a message; nothing is kept between
// calls.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "util/color.h"

using TBytes = std::vector<std::uint8_t>;
using TByteSet = std::bitset<8>;

class TUtils {
 public:
  TUtils() = delete;

  // Upper bound for DecompressBytes when the caller names none.
  static constexpr std::size_t DefaultMaxInflatedSize = 16u * 1024u * 1024u;

  // CRC-32 of zlib / ISO-HDLC; an absent or empty buffer gives 0.
  static std::uint32_t Crc32(std::span<const std::uint8_t> bytes);
  static std::uint32_t Crc32(std::string_view text);

  // One zlib stream (RFC 1950) at the default level over the whole input.
  static TBytes CompressBytes(std::span<const std::uint8_t> bytes);
  // Inflates one whole zlib stream. Throws std::runtime_error with zlib's text
  // on a damaged or truncated stream, and refuses (throws) a stream that would
  // inflate beyond maxSize bytes without ever holding more than that.
  static TBytes DecompressBytes(std::span<const std::uint8_t> bytes,
                                std::size_t maxSize = DefaultMaxInflatedSize);

  // Two upper-case hex digits per byte, in order.
  static std::string BytesToHex(std::span<const std::uint8_t> bytes);
  // Pairs of hex digits (either case) to bytes; an odd length is completed
  // with a trailing "0". Throws std::invalid_argument "No Hex-Number".
  static TBytes HexToBytes(std::string_view text);
  // Value of hex digits (either case), modulo 2^32; the empty text gives 0.
  // Throws std::invalid_argument "No Hex-Number" on any other character.
  static std::uint32_t HexToInt(std::string_view text);
  // Upper-case hex with at least 8 digits, zero-padded in front up to width.
  static std::string HexOfUInt32(std::uint32_t value, int width);
  // True for a non-empty text of hex digits only (either case).
  static bool IsHexText(std::string_view text);

  // A signed decimal 32-bit integer, or def for anything else (empty text,
  // separators, out-of-range numbers). Never throws.
  static std::int32_t IntFromText(std::string_view text, std::int32_t def);

  // Writes "TAVELO: " followed by text to the platform debug output.
  static void DebugLog(const std::string& text);

  // r + g*256 + b*65536, each taken as one byte.
  static TColor RGBToColor(int r, int g, int b);
  // The plain 0x00BBGGRR value of a colour; a system colour (top byte 0xFF)
  // resolves through the classic system colour table by its low-byte index,
  // unknown indexes to black.
  static TColor ColorToRGB(TColor colour);
  // Each channel moved by delta * 0.31, rounded half to even, clamped 0..255.
  static TColor ShiftColor(TColor colour, int delta);

  // Bit i of the integer stands for element i of the set; higher bits ignored.
  static int SetToInt(TByteSet set);
  static TByteSet IntToSet(int value);

  // Splits at every delimiter character, keeping empty parts; the empty text
  // gives no parts.
  static std::vector<std::string> SplitText(std::string_view text, std::string_view delimiters);
  // Exact, case-sensitive membership.
  static bool TextInList(std::string_view text, std::span<const std::string> list);
  static bool AnyTextInList(std::span<const std::string> texts, std::span<const std::string> list);

  // Standard base64 ("+", "/", "=" padding). Only whole groups of four
  // characters count; a trailing shorter rest is ignored. Throws
  // std::invalid_argument on a character outside the alphabet or misplaced
  // padding.
  static TBytes Base64Decode(std::string_view text);
};
