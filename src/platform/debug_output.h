// One line of diagnostics to the platform's debug output: stderr on Linux,
// the debugger channel (OutputDebugStringW) on Windows. Tests replace the
// destination with a sink that captures the lines.
#pragma once

#include <functional>
#include <string>

using TDebugSink = std::function<void(const std::string& line)>;

// Writes the line (UTF-8, without a trailing line break) to the current sink.
void WriteDebugLine(const std::string& line);

// Sends every later line to sink instead of the platform output; an empty sink
// restores the platform output. Returns the sink that was in place before.
TDebugSink SetDebugSink(TDebugSink sink);
