// The program's lines in the platform debug output.
#pragma once

#include <string>

// Writes "TAVELO: " followed by text to the platform debug output.
void DebugLog(const std::string& text);
