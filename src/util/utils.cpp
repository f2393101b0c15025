#include "util/utils.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "platform/debug_output.h"

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::runtime_error ZlibError(const z_stream& stream, int code) {
  return std::runtime_error(stream.msg != nullptr ? stream.msg : zError(code));
}

// Ends an inflate stream however the function is left.
struct TInflateGuard {
  z_stream& Stream;
  ~TInflateGuard() { inflateEnd(&Stream); }
};

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

constexpr TColor Rgb(int r, int g, int b) {
  return static_cast<TColor>(r) | static_cast<TColor>(g) << 8 | static_cast<TColor>(b) << 16;
}

// Classic system colour indexes with the platform's default values.
constexpr std::array<TColor, 31> kSystemColours = {
    Rgb(200, 200, 200),  // 0 scroll bar
    Rgb(0, 0, 0),        // 1 desktop background
    Rgb(153, 180, 209),  // 2 active caption
    Rgb(191, 205, 219),  // 3 inactive caption
    Rgb(240, 240, 240),  // 4 menu
    Rgb(255, 255, 255),  // 5 window
    Rgb(100, 100, 100),  // 6 window frame
    Rgb(0, 0, 0),        // 7 menu text
    Rgb(0, 0, 0),        // 8 window text
    Rgb(0, 0, 0),        // 9 caption text
    Rgb(180, 180, 180),  // 10 active border
    Rgb(244, 247, 252),  // 11 inactive border
    Rgb(171, 171, 171),  // 12 application workspace
    Rgb(0, 120, 215),    // 13 highlight
    Rgb(255, 255, 255),  // 14 highlight text
    Rgb(240, 240, 240),  // 15 button face
    Rgb(160, 160, 160),  // 16 button shadow
    Rgb(109, 109, 109),  // 17 grey text
    Rgb(0, 0, 0),        // 18 button text
    Rgb(0, 0, 0),        // 19 inactive caption text
    Rgb(255, 255, 255),  // 20 button highlight
    Rgb(105, 105, 105),  // 21 3-D dark shadow
    Rgb(227, 227, 227),  // 22 3-D light
    Rgb(0, 0, 0),        // 23 tooltip text
    Rgb(255, 255, 225),  // 24 tooltip background
    Rgb(0, 0, 0),        // 25 unused
    Rgb(0, 102, 204),    // 26 hot-tracked item
    Rgb(185, 209, 234),  // 27 active caption gradient
    Rgb(215, 228, 242),  // 28 inactive caption gradient
    Rgb(0, 120, 215),    // 29 menu highlight
    Rgb(240, 240, 240),  // 30 menu bar
};

int Base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  throw std::invalid_argument("Invalid base64 text");
}

}  // namespace

std::uint32_t TUtils::Crc32(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return 0;
  return static_cast<std::uint32_t>(crc32_z(0, bytes.data(), bytes.size()));
}

std::uint32_t TUtils::Crc32(std::string_view text) {
  return Crc32(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

TBytes TUtils::CompressBytes(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > std::numeric_limits<uLong>::max()) {
    throw std::runtime_error("buffer too large to compress");
  }
  uLongf size = compressBound(static_cast<uLong>(bytes.size()));
  TBytes out(size);
  const int code = compress2(out.data(), &size, bytes.data(), static_cast<uLong>(bytes.size()),
                             Z_DEFAULT_COMPRESSION);
  if (code != Z_OK) throw std::runtime_error(zError(code));
  out.resize(size);
  return out;
}

TBytes TUtils::DecompressBytes(std::span<const std::uint8_t> bytes, std::size_t maxSize) {
  z_stream stream{};
  int code = inflateInit(&stream);
  if (code != Z_OK) throw ZlibError(stream, code);
  const TInflateGuard guard{stream};

  // Inflate through a fixed chunk so a stream that claims gigabytes never
  // makes us hold more than maxSize bytes of output.
  std::array<std::uint8_t, 64 * 1024> chunk;
  TBytes out;
  std::span<const std::uint8_t> rest = bytes;
  do {
    const std::size_t feed = std::min<std::size_t>(rest.size(), std::numeric_limits<uInt>::max());
    // zlib never writes through next_in; the cast only satisfies its C API.
    stream.next_in = const_cast<Bytef*>(rest.data());
    stream.avail_in = static_cast<uInt>(feed);
    do {
      stream.next_out = chunk.data();
      stream.avail_out = static_cast<uInt>(chunk.size());
      code = inflate(&stream, Z_NO_FLUSH);
      if (code != Z_OK && code != Z_STREAM_END && code != Z_BUF_ERROR) {
        throw ZlibError(stream, code == Z_NEED_DICT ? Z_DATA_ERROR : code);
      }
      const std::size_t produced = chunk.size() - stream.avail_out;
      if (produced > maxSize - out.size()) {
        throw std::runtime_error("inflated data exceeds " + std::to_string(maxSize) + " bytes");
      }
      if (out.size() + produced > out.capacity()) {
        // Grow geometrically, but never reserve past the limit.
        out.reserve(std::min(maxSize, std::max(out.capacity() * 2, out.size() + produced)));
      }
      out.insert(out.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(produced));
    } while (code != Z_STREAM_END && stream.avail_out == 0);
    rest = rest.subspan(feed - stream.avail_in);
  } while (code != Z_STREAM_END && !rest.empty());
  if (code != Z_STREAM_END) throw std::runtime_error("unexpected end of zlib stream");
  return out;
}

std::string TUtils::BytesToHex(std::span<const std::uint8_t> bytes) {
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const std::uint8_t b : bytes) {
    text += kHexDigits[b >> 4];
    text += kHexDigits[b & 0x0F];
  }
  return text;
}

TBytes TUtils::HexToBytes(std::string_view text) {
  TBytes bytes;
  bytes.reserve((text.size() + 1) / 2);
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const char pair[2] = {text[i], i + 1 < text.size() ? text[i + 1] : '0'};
    bytes.push_back(static_cast<std::uint8_t>(HexToInt(std::string_view(pair, 2))));
  }
  return bytes;
}

std::uint32_t TUtils::HexToInt(std::string_view text) {
  std::uint32_t result = 0;
  for (const char c : text) {
    const int digit = HexDigitValue(c);
    if (digit < 0) throw std::invalid_argument("No Hex-Number");
    result = result * 16u + static_cast<std::uint32_t>(digit);
  }
  return result;
}

std::string TUtils::HexOfUInt32(std::uint32_t value, int width) {
  std::string digits(8, '0');
  for (int i = 7; i >= 0; --i, value >>= 4)
    digits[static_cast<std::size_t>(i)] = kHexDigits[value & 0x0F];
  if (width > 8) digits.insert(0, static_cast<std::size_t>(width - 8), '0');
  return digits;
}

bool TUtils::IsHexText(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return HexDigitValue(c) >= 0; });
}

std::int32_t TUtils::IntFromText(std::string_view text, std::int32_t def) {
  // The conversion is tried with "." and then "," as separator after every
  // ".", "," and "$" has become that separator; a decimal integer never holds
  // one, so any of them means def.
  if (text.empty() || text.find_first_of(".,$") != std::string_view::npos) return def;
  // from_chars takes a leading "-" but not "+".
  std::string_view number = text;
  if (number.front() == '+') {
    number.remove_prefix(1);
    if (number.empty() || number.front() == '-') return def;
  }
  std::int32_t value = 0;
  const char* const last = number.data() + number.size();
  const auto [end, error] = std::from_chars(number.data(), last, value);
  return error == std::errc() && end == last ? value : def;
}

void TUtils::DebugLog(const std::string& text) {
  WriteDebugLine("TAVELO: " + text);
}

TColor TUtils::RGBToColor(int r, int g, int b) {
  return Rgb(r & 0xFF, g & 0xFF, b & 0xFF);
}

TColor TUtils::ColorToRGB(TColor colour) {
  if ((colour >> 24) == 0xFF) {
    const std::size_t index = colour & 0xFF;
    return index < kSystemColours.size() ? kSystemColours[index] : 0;
  }
  return colour & 0x00FFFFFF;
}

TColor TUtils::ShiftColor(TColor colour, int delta) {
  const TColor rgb = ColorToRGB(colour);
  const double shift = delta * 0.31;
  const auto moved = [shift](TColor channel) {
    // nearbyint rounds halves to the even neighbour in the default mode.
    const double value = std::nearbyint(static_cast<double>(channel) + shift);
    return static_cast<int>(std::clamp(value, 0.0, 255.0));
  };
  return Rgb(moved(rgb & 0xFF), moved(rgb >> 8 & 0xFF), moved(rgb >> 16 & 0xFF));
}

int TUtils::SetToInt(TByteSet set) {
  return static_cast<int>(set.to_ulong());
}

TByteSet TUtils::IntToSet(int value) {
  return TByteSet(static_cast<unsigned long>(value & 0xFF));
}

std::vector<std::string> TUtils::SplitText(std::string_view text, std::string_view delimiters) {
  std::vector<std::string> parts;
  if (text.empty()) return parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = text.find_first_of(delimiters, start);
    parts.emplace_back(text.substr(start, at - start));
    if (at == std::string_view::npos) return parts;
    start = at + 1;
  }
}

bool TUtils::TextInList(std::string_view text, std::span<const std::string> list) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

bool TUtils::AnyTextInList(std::span<const std::string> texts, std::span<const std::string> list) {
  return std::any_of(texts.begin(), texts.end(),
                     [list](const std::string& text) { return TextInList(text, list); });
}

TBytes TUtils::Base64Decode(std::string_view text) {
  TBytes bytes;
  bytes.reserve(text.size() / 4 * 3);
  for (std::size_t i = 0; i + 4 <= text.size(); i += 4) {
    const char c2 = text[i + 2];
    const char c3 = text[i + 3];
    if (c2 == '=' && c3 != '=') throw std::invalid_argument("Invalid base64 text");
    const std::uint32_t group = static_cast<std::uint32_t>(Base64Value(text[i])) << 18 |
                                static_cast<std::uint32_t>(Base64Value(text[i + 1])) << 12 |
                                static_cast<std::uint32_t>(c2 == '=' ? 0 : Base64Value(c2)) << 6 |
                                static_cast<std::uint32_t>(c3 == '=' ? 0 : Base64Value(c3));
    bytes.push_back(static_cast<std::uint8_t>(group >> 16));
    if (c2 != '=') bytes.push_back(static_cast<std::uint8_t>(group >> 8 & 0xFF));
    if (c3 != '=') bytes.push_back(static_cast<std::uint8_t>(group & 0xFF));
  }
  return bytes;
}
