#include "persistence/settings_file.h"

#include "util/utf8.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

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
  // A first line that begins like a byte-order mark (the line before it was
  // removed) would be read back as one; with a mark of its own it is not.
  if (text.starts_with(kUtf8Mark) || text.starts_with(kUtf16LEMark) ||
      text.starts_with(kUtf16BEMark))
    return std::string(kUtf8Mark) + text;
  return text;
}
