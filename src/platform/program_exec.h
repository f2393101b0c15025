// Handing the process over to another program of the installation: the
// command-line program starts the window program this way, so that only the
// window pays for loading the user-interface libraries.
#pragma once

#include <filesystem>
#include <string>

// The path of the running program's own file ("/proc/self/exe"); empty when
// the system does not tell.
std::filesystem::path OwnProgramPath();

// Replaces the running process (same process ID, same open files) with the
// program at path, given argv as its arguments (argv[0] included, ending in
// a null pointer). Returns only when that fails, with the reason.
std::string ReplaceProcess(const std::filesystem::path& path, char** argv);
