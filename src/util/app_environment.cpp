#include "util/app_environment.h"

#include <cctype>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "platform/user_folders.h"

int ThemeMode = 0;

namespace {

#ifdef _WIN32
constexpr const char* kPlatformName = "Win64";
#else
constexpr const char* kPlatformName = "Linux64";
#endif

constexpr TColor kSystemWindowText = 0xFF000008;

}  // namespace

std::string GetSettingsFolder(bool create) {
  std::string product = kProductName;
  for (char& c : product) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const std::filesystem::path folder =
      (std::filesystem::absolute(UserSettingsBaseFolder()) / product / "x64" / "settings" / "")
          .lexically_normal();
  const std::string path = folder.string();
  if (create) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error) &&
        (!std::filesystem::create_directories(folder, error) || error))
      throw std::runtime_error("[1] Cannot create directory " + path);
  }
  return path;
}

std::string GetVersionString(bool withPlatform) {
  std::string version = kAppVersion.Version;
  for (std::size_t at = version.find("v:"); at != std::string::npos; at = version.find("v:"))
    version.erase(at, 2);
  std::string text = std::string(kProductName) + " [" + version + "/" + kAppVersion.BuildDate +
                     "/" + kBuildTag + "]";
  if (withPlatform) text += std::string("/") + kPlatformName;
  return text;
}

const TBoardPalette& LightBoardPalette() {
  static constexpr TBoardPalette palette = {{
      0xFFFFFF,           // empty cell
      0x000000,           // filled cell
      0xFF0000,           // not shown by the board
      0x0000FF,           // pen of the cross
      0x008000,           // tick of a correct cell; start of the celebration pulse
      0x000000,           // background of a ticked cell
      0xC0C0C0,           // grid background
      0xF0FBFF,           // clue cell background
      0xFFFFFF,           // background of a crossed cell
      0xC0DCC0,           // board area and panel
      kSystemWindowText,  // clue text
      0x000000,           // group separators
      0x00FFFF,           // position counter text
      0x00FFFF,           // background of a hot clue cell
      0x707070,           // hot dot: dark enough to be seen on the white cells
      0xC0C0C0,           // not shown
  }};
  return palette;
}

const TBoardPalette& DarkBoardPalette() {
  static const TBoardPalette palette = [] {
    TBoardPalette dark = LightBoardPalette();
    dark[prBoardArea] = 0x242121;  // red 33, green 33, blue 36
    return dark;
  }();
  return palette;
}

const TBoardPalette& GetBoardPalette() {
  return ThemeMode == 1 ? DarkBoardPalette() : LightBoardPalette();
}

TBoardPalette BoardPaletteOfLook(TBoardLook look) {
  // Black on white, or white on black: every role in one of the two, except
  // what only needs to differ from both (none does).
  static constexpr TColor kBlack = 0x000000;
  static constexpr TColor kWhite = 0xFFFFFF;
  const auto contrast = [](TColor ink, TColor paper) {
    TBoardPalette p;
    p[prEmptyCell] = paper;
    p[prFilledCell] = ink;
    p[prUnused2] = ink;
    p[prCrossPen] = ink;
    p[prTickPen] = paper;
    p[prTickBackground] = ink;
    p[prGridBackground] = ink;
    p[prClueBackground] = paper;
    p[prCrossedCell] = paper;
    p[prBoardArea] = paper;
    p[prClueText] = ink;
    p[prGroupLine] = ink;
    p[prCounterText] = paper;
    p[prHotClue] = ink;  // the strips invert a hot clue
    p[prHotDot] = ink;
    p[prUnused15] = ink;
    return p;
  };
  switch (look) {
    case blHighContrastLight:
      return contrast(kBlack, kWhite);
    case blHighContrastDark:
      return contrast(kWhite, kBlack);
    case blColourBlindSafe: {
      // Colours from a palette made for colour-vision deficiency (Okabe and
      // Ito); the board view adds a shape to each, so no state rests on hue.
      TBoardPalette p = GetBoardPalette();
      p[prCrossPen] = 0x0055D5;     // vermilion
      p[prTickPen] = 0x739E00;      // bluish green
      p[prHotClue] = 0x42E4F0;      // yellow
      p[prCounterText] = 0x42E4F0;  // yellow on the black cells
      p[prHotDot] = 0x505050;
      return p;
    }
    case blDefault:
    default:
      return GetBoardPalette();
  }
}
