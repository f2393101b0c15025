#include "platform/dark_theme.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/user_folders.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

std::string_view Trim(std::string_view text) {
  const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && space(text.front())) text.remove_prefix(1);
  while (!text.empty() && space(text.back())) text.remove_suffix(1);
  return text;
}

bool NamesDark(std::string_view themeName) {
  return Lower(themeName).find("dark") != std::string::npos;
}

// The value of key in a key=value settings file, or empty; sections are
// ignored, as every key looked for is unique in its file.
std::string SettingOf(const std::filesystem::path& file, std::string_view key) {
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos && Trim(std::string_view(line).substr(0, equals)) == key)
      return std::string(Trim(std::string_view(line).substr(equals + 1)));
  }
  return {};
}

bool GtkSettingsSayDark(const std::filesystem::path& file) {
  const std::string prefer = Lower(SettingOf(file, "gtk-application-prefer-dark-theme"));
  return prefer == "1" || prefer == "true" || prefer == "yes" ||
         NamesDark(SettingOf(file, "gtk-theme-name"));
}

}  // namespace

bool DarkThemeFromSettings(std::string_view gtkTheme, const std::filesystem::path& configFolder) {
  // GTK_THEME overrides every file ("Adwaita:dark", "Breeze-Dark").
  if (!gtkTheme.empty()) return NamesDark(gtkTheme);
  try {
    return GtkSettingsSayDark(configFolder / "gtk-4.0" / "settings.ini") ||
           GtkSettingsSayDark(configFolder / "gtk-3.0" / "settings.ini") ||
           NamesDark(SettingOf(configFolder / "kdeglobals", "ColorScheme"));
  } catch (...) {
    return false;
  }
}

bool SystemUsesDarkTheme() {
#ifdef _WIN32
  DWORD light = 1;
  DWORD size = sizeof light;
  const LSTATUS status = RegGetValueW(
      HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
      L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &light, &size);
  return status == ERROR_SUCCESS && light == 0;
#else
  try {
    const char* gtkTheme = std::getenv("GTK_THEME");
    return DarkThemeFromSettings(gtkTheme != nullptr ? gtkTheme : "", UserSettingsBaseFolder());
  } catch (...) {
    return false;
  }
#endif
}
