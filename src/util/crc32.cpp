#include "util/crc32.h"

#include <zlib.h>

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return 0;
  return static_cast<std::uint32_t>(crc32_z(0, bytes.data(), bytes.size()));
}

std::uint32_t Crc32(std::string_view text) {
  return Crc32(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}
