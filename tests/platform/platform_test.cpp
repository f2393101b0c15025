#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/debug_output.h"
#include "platform/os_random.h"

namespace {

TEST(OsRandom, FillsBuffersOfAnySize) {
  // Sizes around and above what one system call delivers at once.
  for (const std::size_t size :
       {std::size_t{0}, std::size_t{1}, std::size_t{256}, std::size_t{1024}, std::size_t{100000}}) {
    std::vector<std::uint8_t> first(size, 0);
    std::vector<std::uint8_t> second(size, 0);
    OsRandomFill(first);
    OsRandomFill(second);
    if (size >= 256) {
      EXPECT_NE(first, second) << size;
      // Every byte written: a zero-initialised tail of 32 bytes would be a
      // 2^-256 event for real random data.
      EXPECT_FALSE(
          std::all_of(first.end() - 32, first.end(), [](std::uint8_t b) { return b == 0; }));
    }
  }
}

TEST(DebugOutput, SinkCapturesLinesAndCanBeRestored) {
  std::vector<std::string> outer;
  std::vector<std::string> inner;
  const TDebugSink original =
      SetDebugSink([&outer](const std::string& line) { outer.push_back(line); });
  WriteDebugLine("one");
  const TDebugSink previous =
      SetDebugSink([&inner](const std::string& line) { inner.push_back(line); });
  WriteDebugLine("two");
  SetDebugSink(previous);
  WriteDebugLine("three");
  SetDebugSink(original);
  EXPECT_EQ(outer, (std::vector<std::string>{"one", "three"}));
  EXPECT_EQ(inner, (std::vector<std::string>{"two"}));
  EXPECT_FALSE(original);  // the platform output is the default
}

}  // namespace
