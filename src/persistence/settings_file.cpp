#include "persistence/settings_file.h"

#include <cstdint>

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";
constexpr std::uint32_t kReplacement = 0xFFFD;

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
  const std::size_t units = bytes.size() / 2;  // a stray last byte is dropped
  for (std::size_t u = 0; u < units; ++u) {
    std::uint32_t code = unitAt(2 * u);
    if (code >= 0xD800 && code <= 0xDBFF && u + 1 < units) {
      const std::uint32_t low = unitAt(2 * (u + 1));
      if (low >= 0xDC00 && low <= 0xDFFF) {
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        ++u;
      }
    }
    if (code >= 0xD800 && code <= 0xDFFF) code = kReplacement;
    AppendUtf8(out, code);
  }
  return out;
}

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
    return kReplacement;
  }
  if (i + extra > text.size()) return kReplacement;
  for (int k = 0; k < extra; ++k) {
    const auto next = static_cast<std::uint8_t>(text[i + k]);
    if ((next & 0xC0) != 0x80) return kReplacement;
    code = code << 6 | (next & 0x3F);
  }
  const std::uint32_t smallest[] = {0, 0x80, 0x800, 0x10000};
  if (code < smallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
    return kReplacement;
  i += extra;
  return code;
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

}  // namespace

TTextLines DecodeTextLines(std::string_view bytes) {
  TTextLines result;
  std::string text;
  if (bytes.starts_with(kUtf8Mark)) {
    result.Encoding = TFileEncoding::Utf8Bom;
    text = bytes.substr(kUtf8Mark.size());
  } else if (bytes.starts_with(kUtf16LEMark)) {
    result.Encoding = TFileEncoding::Utf16LE;
    text = Utf16ToUtf8(bytes.substr(kUtf16LEMark.size()), false);
  } else if (bytes.starts_with(kUtf16BEMark)) {
    result.Encoding = TFileEncoding::Utf16BE;
    text = Utf16ToUtf8(bytes.substr(kUtf16BEMark.size()), true);
  } else {
    text = bytes;
  }
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      result.Lines.push_back(text.substr(start));
      break;
    }
    result.Lines.push_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return result;
}

std::string EncodeTextLines(const std::vector<std::string>& lines, TFileEncoding encoding) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  switch (encoding) {
    case TFileEncoding::Utf8Bom:
      return std::string(kUtf8Mark) + text;
    case TFileEncoding::Utf16LE:
      return std::string(kUtf16LEMark) + Utf8ToUtf16(text, false);
    case TFileEncoding::Utf16BE:
      return std::string(kUtf16BEMark) + Utf8ToUtf16(text, true);
    case TFileEncoding::Plain:
      break;
  }
  return text;
}
