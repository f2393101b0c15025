// CRC-32 of zlib / ISO-HDLC, the check value of state codes and files.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// An absent or empty buffer gives 0.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes);
std::uint32_t Crc32(std::string_view text);
