// Conversions between UTF-8, the form of every text inside the program, and
// the code points and UTF-16 bytes found at its edges (JSON "\u" escapes,
// settings files with a UTF-16 byte-order mark). Malformed input never
// fails: what cannot be converted becomes U+FFFD.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::uint32_t kReplacementCharacter = 0xFFFD;

constexpr bool IsHighSurrogate(std::uint32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool IsLowSurrogate(std::uint32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}
// The code point of a surrogate pair.
constexpr std::uint32_t CombineSurrogates(std::uint32_t high, std::uint32_t low) {
  return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

// Appends the UTF-8 form of a code point (at most U+10FFFF).
void AppendUtf8(std::string& out, std::uint32_t code);

// UTF-16 bytes in the given byte order to UTF-8; an unpaired surrogate
// becomes U+FFFD and an odd last byte is dropped.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);
// UTF-8 to UTF-16 bytes in the given byte order; every malformed UTF-8
// sequence becomes U+FFFD.
std::string Utf8ToUtf16(std::string_view text, bool bigEndian);
