#include "util/debug_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/debug_output.h"

namespace {

TEST(DebugLog, PrefixesTheProgramName) {
  std::vector<std::string> lines;
  const TDebugSink previous =
      SetDebugSink([&lines](const std::string& line) { lines.push_back(line); });
  DebugLog("hello");
  SetDebugSink(previous);
  EXPECT_EQ(lines, (std::vector<std::string>{"TAVELO: hello"}));
}

}  // namespace
