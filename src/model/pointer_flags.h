// Flags passed with every board pointer event: the button and what happened.
#pragma once

#include <cstdint>

using TBoardMouseFlags = std::uint16_t;
constexpr TBoardMouseFlags mfLeft = 2;
constexpr TBoardMouseFlags mfRight = 4;
constexpr TBoardMouseFlags mfDown = 8;
constexpr TBoardMouseFlags mfMove = 16;
constexpr TBoardMouseFlags mfUp = 32;
constexpr TBoardMouseFlags mfEnter = 64;
constexpr TBoardMouseFlags mfLeave = 128;
constexpr TBoardMouseFlags mfForce = 256;
