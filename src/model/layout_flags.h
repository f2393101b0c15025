// Relayout requests of the view, asked for by the puzzle and the window.
#pragma once

#include <cstdint>

using TLayoutFlags = std::uint8_t;
constexpr TLayoutFlags lfFit = 1;
constexpr TLayoutFlags lfKeep = 2;
constexpr TLayoutFlags lfNoGrow = 4;
constexpr TLayoutFlags lfZoomed = 8;
constexpr TLayoutFlags lfResized = 16;
