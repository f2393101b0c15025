#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/dark_theme.h"
#include "support/scoped_env.h"

namespace {

using test_support::ScopedEnv;
using test_support::TempFolder;

void WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path) << text;
}

TEST(DarkTheme, ReadsTheDesktopSettings) {
  const struct {
    const char* GtkTheme;
    const char* File;
    const char* Text;
    bool Dark;
  } cases[] = {
      {"", nullptr, "", false},
      {"Adwaita:dark", nullptr, "", true},
      {"Breeze-Dark", nullptr, "", true},
      {"Adwaita", "gtk-3.0/settings.ini", "gtk-application-prefer-dark-theme=1\n", false},
      {"", "gtk-3.0/settings.ini", "[Settings]\ngtk-application-prefer-dark-theme = true\n", true},
      {"", "gtk-3.0/settings.ini", "[Settings]\ngtk-application-prefer-dark-theme=0\n", false},
      {"", "gtk-4.0/settings.ini", "[Settings]\r\ngtk-theme-name=Adwaita-dark\r\n", true},
      {"", "gtk-3.0/settings.ini", "[Settings]\ngtk-theme-name=Adwaita\n", false},
      {"", "kdeglobals", "[General]\nColorScheme=BreezeDark\n", true},
      {"", "kdeglobals", "[General]\nColorScheme=BreezeLight\n", false},
  };
  for (const auto& c : cases) {
    const TempFolder config;
    if (c.File != nullptr) WriteFile(config.Path() / c.File, c.Text);
    EXPECT_EQ(DarkThemeFromSettings(c.GtkTheme, config.Path()), c.Dark)
        << c.GtkTheme << " " << (c.File ? c.File : "") << " " << c.Text;
  }
  EXPECT_FALSE(DarkThemeFromSettings("", "/nonexistent/tavelo/config"));
}

TEST(DarkTheme, NothingConfiguredIsLight) {
  const TempFolder config;
  const ScopedEnv theme("GTK_THEME", std::nullopt);
  const ScopedEnv folder("XDG_CONFIG_HOME", config.Path().string());
  EXPECT_FALSE(SystemUsesDarkTheme());
  const ScopedEnv dark("GTK_THEME", "Adwaita:dark");
  EXPECT_TRUE(SystemUsesDarkTheme());
}

}  // namespace
