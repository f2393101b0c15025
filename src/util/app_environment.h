// What the windows and the settings store need from their surroundings: the
// settings folder, the version string and the board palette of the look.
#pragma once

#include <string>

#include "util/color.h"

inline constexpr const char* kProductName = "TAVELO";

// The version record shown in the caption and the about window.
struct TAppVersion {
  const char* Version;
  const char* BuildDate;
};
inline constexpr TAppVersion kAppVersion = {"v:1.0.3.0", "2025-03-11"};
inline constexpr const char* kBuildTag = "82";

// The per-user settings folder: the platform's base folder, then
// tavelo/x64/settings/, absolute and ending with a separator. With create
// set, missing folders are made; failing that throws std::runtime_error
// "[1] Cannot create directory <path>".
std::string GetSettingsFolder(bool create);

// "TAVELO [1.0.3.0/2025-03-11/82]", with the platform suffix ("/Linux64",
// "/Win64") appended when asked for.
std::string GetVersionString(bool withPlatform);

// The look chosen at start-up: 0 light, 1 dark.
extern int ThemeMode;

// The 16 board colours of each look; they differ only in entry 9, the board
// area.
const TBoardPalette& LightBoardPalette();
const TBoardPalette& DarkBoardPalette();
// The palette of ThemeMode.
const TBoardPalette& GetBoardPalette();
// The palette of a board look; the default look is GetBoardPalette, the
// colour-blind-safe one keeps ThemeMode's board area.
TBoardPalette BoardPaletteOfLook(TBoardLook look);
