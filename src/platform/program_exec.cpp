#include "platform/program_exec.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

std::filesystem::path OwnProgramPath() {
  std::error_code error;
  std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : path;
}

std::string ReplaceProcess(const std::filesystem::path& path, char** argv) {
#ifdef _WIN32
  (void)path;
  (void)argv;
  return "not supported on this system";
#else
  execv(path.c_str(), argv);
  return std::strerror(errno);
#endif
}
