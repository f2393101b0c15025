#include "platform/user_folders.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

#ifdef _WIN32
#include <shlobj.h>
#include <windows.h>

#include <system_error>
#else
#include <pwd.h>
#include <unistd.h>
#endif

std::filesystem::path UserSettingsBaseFolder() {
#ifdef _WIN32
  PWSTR folder = nullptr;
  if (FAILED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder))) {
    CoTaskMemFree(folder);
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                            "Cannot find the application data folder");
  }
  std::filesystem::path path(folder);
  CoTaskMemFree(folder);
  return path;
#else
  // Relative values are to be ignored, as the XDG base directory rules say.
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && *config == '/') return config;
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') {
    const passwd* user = getpwuid(getuid());
    home = user != nullptr ? user->pw_dir : nullptr;
  }
  if (home == nullptr || *home == '\0')
    throw std::runtime_error("Cannot find the home folder for the settings");
  return std::filesystem::path(home) / ".config";
#endif
}
