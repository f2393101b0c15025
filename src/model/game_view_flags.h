// How a game was last shown, stored with it (TNonoGame::GameState): whether
// it came back from the settings file and whether the player zoomed it. The
// bit values are stored.
#pragma once

#include <cstdint>

using TGameViewFlags = std::uint8_t;
constexpr TGameViewFlags vfRestored = 2;
constexpr TGameViewFlags vfZoomed = 4;
