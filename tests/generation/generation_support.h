// Test helpers for generation: control over what TRnd draws.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "generation/rnd.h"

namespace test_support {

// Draws from the seeded generator while alive; then back to the
// start-of-process state.
class SeededDraws {
 public:
  explicit SeededDraws(std::uint64_t seed) { TRnd::UseSeed(seed); }
  ~SeededDraws() { TRnd::ResetForTest(); }
  SeededDraws(const SeededDraws&) = delete;
  SeededDraws& operator=(const SeededDraws&) = delete;
};

// TRnd maps a word r onto Min..Max as Min + r mod (Max - Min + 1); these
// scripted words come out in turn, over and over. A coin toss takes the bits
// of one word from the lowest up (1 true, 0 false): kHeads makes all 32 tosses
// true and kTails all false.
class ScriptedDraws {
 public:
  static constexpr std::uint32_t kHeads = 0xFFFFFFFFu;
  static constexpr std::uint32_t kTails = 0;

  explicit ScriptedDraws(std::vector<std::uint32_t> words) {
    TRnd::ResetForTest();
    TRnd::SetOsSourceForTest(
        [words, next = std::size_t{0}](std::span<std::uint8_t> buffer) mutable {
          for (std::size_t at = 0; at + 4 <= buffer.size(); at += 4) {
            std::memcpy(buffer.data() + at, &words[next], 4);
            next = (next + 1) % words.size();
          }
        });
  }
  ~ScriptedDraws() { TRnd::ResetForTest(); }
  ScriptedDraws(const ScriptedDraws&) = delete;
  ScriptedDraws& operator=(const ScriptedDraws&) = delete;
};

}  // namespace test_support
