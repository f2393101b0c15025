// Test helpers for code that reads the environment or the file system: an
// environment variable set (or unset) for one scope, and a fresh folder that
// is removed with everything in it at the end of its scope.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace test_support {

class ScopedEnv {
 public:
  // value nullopt: the variable is unset for the scope.
  ScopedEnv(std::string name, const std::optional<std::string>& value) : FName(std::move(name)) {
    if (const char* old = getenv(FName.c_str())) FOld = old;
    Set(value);
  }
  ~ScopedEnv() { Set(FOld); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

  void Set(const std::optional<std::string>& value) {
    if (value)
      setenv(FName.c_str(), value->c_str(), 1);
    else
      unsetenv(FName.c_str());
  }

 private:
  std::string FName;
  std::optional<std::string> FOld;
};

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavelo-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    FPath = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return FPath; }

 private:
  std::filesystem::path FPath;
};

}  // namespace test_support
