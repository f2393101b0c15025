#include "platform/os_random.h"

#include <stdexcept>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/random.h>

#include <cerrno>
#include <cstring>
#endif

#ifdef _WIN32

namespace {

using TOpenProvider = LONG(WINAPI*)(void** algorithm, LPCWSTR id, LPCWSTR implementation,
                                    ULONG flags);
using TGenRandom = LONG(WINAPI*)(void* algorithm, PUCHAR buffer, ULONG size, ULONG flags);
using TCloseProvider = LONG(WINAPI*)(void* algorithm, ULONG flags);

constexpr LONG kStatusInvalidParameter = static_cast<LONG>(0xC000000D);

// Loaded on first use and kept for the rest of the process.
HMODULE BcryptModule() {
  static HMODULE module = nullptr;
  if (module == nullptr) {
    module = LoadLibraryW(L"bcrypt.dll");
    if (module == nullptr) throw std::runtime_error("Cannot load bcrypt.dll");
  }
  return module;
}

template <typename TFunction>
TFunction Lookup(HMODULE module, const char* name) {
  const FARPROC address = GetProcAddress(module, name);
  if (address == nullptr) throw std::runtime_error(std::string(name) + " not found");
  return reinterpret_cast<TFunction>(reinterpret_cast<void*>(address));
}

}  // namespace

void OsRandomFill(std::span<std::uint8_t> buffer) {
  const HMODULE module = BcryptModule();
  // All entry points are resolved before the provider opens, so a missing one
  // never leaves an open provider behind.
  const auto open = Lookup<TOpenProvider>(module, "BCryptOpenAlgorithmProvider");
  const auto generate = Lookup<TGenRandom>(module, "BCryptGenRandom");
  const auto close = Lookup<TCloseProvider>(module, "BCryptCloseAlgorithmProvider");
  void* algorithm = nullptr;
  const LONG openStatus = open(&algorithm, L"RNG", L"Microsoft Primitive Provider", 0);
  if (openStatus < 0) {
    throw std::runtime_error(
        "BCryptOpenAlgorithmProvider failed with " + std::to_string(openStatus) +
        ", STATUS_INVALID_PARAMETER=" + std::to_string(kStatusInvalidParameter));
  }
  const LONG drawStatus = generate(algorithm, buffer.data(), static_cast<ULONG>(buffer.size()), 0);
  close(algorithm, 0);
  if (drawStatus < 0) {
    throw std::runtime_error("BCryptGenRandom failed with " + std::to_string(drawStatus));
  }
}

#else

void OsRandomFill(std::span<std::uint8_t> buffer) {
  std::size_t done = 0;
  while (done < buffer.size()) {
    const ssize_t got = getrandom(buffer.data() + done, buffer.size() - done, 0);
    if (got < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      throw std::runtime_error("getrandom failed with " + std::to_string(error) + " (" +
                               std::strerror(error) + ")");
    }
    done += static_cast<std::size_t>(got);
  }
}

#endif
