#include "platform/debug_output.h"

#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdio>
#endif

namespace {

TDebugSink& CurrentSink() {
  static TDebugSink sink;
  return sink;
}

void WriteToPlatform(const std::string& line) {
#ifdef _WIN32
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), wide.data(), length);
  OutputDebugStringW(wide.c_str());
#else
  std::fprintf(stderr, "%s\n", line.c_str());
#endif
}

}  // namespace

void WriteDebugLine(const std::string& line) {
  if (const TDebugSink& sink = CurrentSink()) {
    sink(line);
  } else {
    WriteToPlatform(line);
  }
}

TDebugSink SetDebugSink(TDebugSink sink) {
  return std::exchange(CurrentSink(), std::move(sink));
}
