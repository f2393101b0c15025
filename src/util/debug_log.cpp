#include "util/debug_log.h"

#include "platform/debug_output.h"

void DebugLog(const std::string& text) {
  WriteDebugLine("TAVELO: " + text);
}
