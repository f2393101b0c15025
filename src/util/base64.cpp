#include "util/base64.h"

#include <cstdint>
#include <stdexcept>

namespace {

int Base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  throw std::invalid_argument("Invalid base64 text");
}

}  // namespace

TBytes Base64Decode(std::string_view text) {
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
