#include "util/utf8.h"

namespace {

// The next code point of UTF-8 text; a malformed sequence gives U+FFFD and
// consumes one byte.
std::uint32_t NextCodePoint(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<std::uint8_t>(text[i++]);
  if (lead < 0x80) return lead;
  int extra = 0;
  std::uint32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3;
    code = lead & 0x07;
  } else {
    return kReplacementCharacter;
  }
  if (i + extra > text.size()) return kReplacementCharacter;
  for (int k = 0; k < extra; ++k) {
    const auto next = static_cast<std::uint8_t>(text[i + k]);
    if ((next & 0xC0) != 0x80) return kReplacementCharacter;
    code = code << 6 | (next & 0x3F);
  }
  const std::uint32_t smallest[] = {0, 0x80, 0x800, 0x10000};
  if (code < smallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
    return kReplacementCharacter;
  i += extra;
  return code;
}

}  // namespace

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  const auto unitAt = [&](std::size_t i) {
    const auto first = static_cast<std::uint8_t>(bytes[i]);
    const auto second = static_cast<std::uint8_t>(bytes[i + 1]);
    return static_cast<std::uint32_t>(bigEndian ? first << 8 | second : second << 8 | first);
  };
  std::string out;
  const std::size_t units = bytes.size() / 2;
  for (std::size_t u = 0; u < units; ++u) {
    std::uint32_t code = unitAt(2 * u);
    if (IsHighSurrogate(code) && u + 1 < units && IsLowSurrogate(unitAt(2 * (u + 1)))) {
      code = CombineSurrogates(code, unitAt(2 * (u + 1)));
      ++u;
    }
    if (IsHighSurrogate(code) || IsLowSurrogate(code)) code = kReplacementCharacter;
    AppendUtf8(out, code);
  }
  return out;
}

std::string Utf8ToUtf16(std::string_view text, bool bigEndian) {
  std::string out;
  const auto appendUnit = [&](std::uint32_t unit) {
    const auto high = static_cast<char>(unit >> 8);
    const auto low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
  };
  for (std::size_t i = 0; i < text.size();) {
    const std::uint32_t code = NextCodePoint(text, i);
    if (code >= 0x10000) {
      appendUnit(0xD800 + ((code - 0x10000) >> 10));
      appendUnit(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      appendUnit(code);
    }
  }
  return out;
}
