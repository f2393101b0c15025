// The per-user folder under which the program keeps its settings.
#pragma once

#include <filesystem>

// Linux: $XDG_CONFIG_HOME when it is an absolute path, else ~/.config (the
// home folder from $HOME, or the password database when it is unset).
// Windows: the roaming application-data folder. Throws std::runtime_error
// when no such folder can be named.
std::filesystem::path UserSettingsBaseFolder();
