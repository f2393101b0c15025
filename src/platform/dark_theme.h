// Whether the user has chosen a dark look for applications.
#pragma once

#include <filesystem>
#include <string_view>

// Linux: the GTK_THEME variable when set, else the GTK 4 and GTK 3
// settings.ini and KDE's kdeglobals in the user's configuration folder.
// Windows: "AppsUseLightTheme" of the current user's theme settings. False
// when nothing says dark; never throws.
bool SystemUsesDarkTheme();

// The Linux decision from its sources: the value of GTK_THEME (empty when
// unset) and the user's configuration folder.
bool DarkThemeFromSettings(std::string_view gtkTheme, const std::filesystem::path& configFolder);
