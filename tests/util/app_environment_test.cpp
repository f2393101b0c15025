#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/scoped_env.h"
#include "util/app_environment.h"
#include "util/color.h"

namespace {

using test_support::ScopedEnv;
using test_support::TempFolder;

TEST(SettingsFolder, IsUnderTheUserConfigFolderAndEndsWithASeparator) {
  const TempFolder base;
  const ScopedEnv config("XDG_CONFIG_HOME", base.Path().string());
  const std::string expected = (base.Path() / "tavelo" / "x64" / "settings").string() + "/";
  EXPECT_EQ(GetSettingsFolder(false), expected);
  EXPECT_FALSE(std::filesystem::exists(expected));
  EXPECT_EQ(GetSettingsFolder(true), expected);
  EXPECT_TRUE(std::filesystem::is_directory(expected));
  EXPECT_EQ(GetSettingsFolder(true), expected);
}

TEST(SettingsFolder, FallsBackToDotConfigInTheHomeFolder) {
  const TempFolder home;
  const ScopedEnv homeVariable("HOME", home.Path().string());
  for (const auto& config : {std::optional<std::string>(), std::optional<std::string>(""),
                             std::optional<std::string>("relative/path")}) {
    const ScopedEnv variable("XDG_CONFIG_HOME", config);
    EXPECT_EQ(GetSettingsFolder(false),
              (home.Path() / ".config" / "tavelo" / "x64" / "settings").string() + "/");
  }
}

TEST(SettingsFolder, AFolderThatCannotBeCreatedIsAnError) {
  const TempFolder base;
  std::ofstream(base.Path() / "file") << "x";
  const ScopedEnv config("XDG_CONFIG_HOME", (base.Path() / "file").string());
  try {
    GetSettingsFolder(true);
    FAIL() << "created";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), "[1] Cannot create directory " + GetSettingsFolder(false));
  }
}

TEST(VersionString, CaptionAndAboutForms) {
  EXPECT_EQ(GetVersionString(false), "TAVELO [1.0.3.0/2025-03-11/82]");
  EXPECT_EQ(GetVersionString(true), "TAVELO [1.0.3.0/2025-03-11/82]/Linux64");
}

TEST(BoardPalette, DarkDiffersFromLightOnlyInTheBoardArea) {
  const TBoardPalette& light = LightBoardPalette();
  const TBoardPalette& dark = DarkBoardPalette();
  EXPECT_EQ(light[prBoardArea], 0xC0DCC0u);
  EXPECT_EQ(dark[prBoardArea], RGBToColor(33, 33, 36));
  EXPECT_EQ(dark[prBoardArea], 0x242121u);
  EXPECT_EQ(light[prClueText], 0xFF000008u);
  TBoardPalette lightWithDarkArea = light;
  lightWithDarkArea[prBoardArea] = dark[prBoardArea];
  EXPECT_EQ(lightWithDarkArea, dark);

  ThemeMode = 1;
  EXPECT_EQ(GetBoardPalette(), dark);
  ThemeMode = 0;
  EXPECT_EQ(GetBoardPalette(), light);
}

}  // namespace
