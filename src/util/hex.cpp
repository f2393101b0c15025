#include "util/hex.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string BytesToHex(std::span<const std::uint8_t> bytes) {
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const std::uint8_t b : bytes) {
    text += kHexDigits[b >> 4];
    text += kHexDigits[b & 0x0F];
  }
  return text;
}

TBytes HexToBytes(std::string_view text) {
  TBytes bytes;
  bytes.reserve((text.size() + 1) / 2);
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const char pair[2] = {text[i], i + 1 < text.size() ? text[i + 1] : '0'};
    bytes.push_back(static_cast<std::uint8_t>(HexToInt(std::string_view(pair, 2))));
  }
  return bytes;
}

std::uint32_t HexToInt(std::string_view text) {
  std::uint32_t result = 0;
  for (const char c : text) {
    const int digit = HexDigitValue(c);
    if (digit < 0) throw std::invalid_argument("No Hex-Number");
    result = result * 16u + static_cast<std::uint32_t>(digit);
  }
  return result;
}

std::string HexOfUInt32(std::uint32_t value, int width) {
  std::string digits(8, '0');
  for (int i = 7; i >= 0; --i, value >>= 4)
    digits[static_cast<std::size_t>(i)] = kHexDigits[value & 0x0F];
  if (width > 8) digits.insert(0, static_cast<std::size_t>(width - 8), '0');
  return digits;
}

bool IsHexText(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return HexDigitValue(c) >= 0; });
}
