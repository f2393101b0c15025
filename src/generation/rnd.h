// TRnd: the program's only random source. Draws are integers from an
// inclusive range. Words come from the operating system's cryptographic
// generator, fetched in blocks so a draw costs a few nanoseconds (the system
// spends about 2 ns per byte, so a fair bit is taken from a pool filled one
// word at a time rather than spending a word on it); on the first
// failure of the system generator one debug line is written and every later
// draw, the failing one included, comes from a std::mt19937 for the rest of
// the process. A seeded mode forces that generator for reproducible runs.
// The state is process-wide and unlocked: draws may come from any thread, but
// from one at a time (a generation off the UI thread while the UI draws none).
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <random>
#include <span>

class TRnd {
 public:
  TRnd() = delete;

  // Fills a buffer with random bytes or throws std::runtime_error.
  using TOsSource = std::function<void(std::span<std::uint8_t>)>;

  // Uniform over Min..Max inclusive for Min <= Max (bounds compared unsigned;
  // Min above Max gives Max).
  static std::int32_t RandomRange(std::int32_t Min, std::int32_t Max) {
    if (FFallback) return RandomRange_std(Min, Max);
    if (FNext == kBlockWords) return RandomRangeRefill(Min, Max);
    return MapToRange(Min, Max, FBlock[FNext++]);
  }

  // True with probability one half: one bit of a random word, the next bit on
  // the next call; a word from the same source as RandomRange's supplies 32
  // of them.
  static bool RandomBit() {
    if (FBitsLeft == 0) {
      FBits = NextWord();
      FBitsLeft = 32;
    }
    const bool bit = (FBits & 1u) != 0;
    FBits >>= 1;
    --FBitsLeft;
    return bit;
  }

  // Uniform over Min..Max (Min <= Max) from the same bit pool: as many bits as
  // Max - Min needs, taken again while they are above it. Exactly uniform, and
  // a small range costs a few bits where RandomRange spends a whole word; the
  // run fill, which draws most, uses it.
  static std::int32_t RandomRangeFromBits(std::int32_t Min, std::int32_t Max) {
    const std::uint32_t span = static_cast<std::uint32_t>(Max) - static_cast<std::uint32_t>(Min);
    if (span == 0) return Min;
    const int bits = std::bit_width(span);
    for (;;) {
      const std::uint32_t value = TakeBits(bits);
      if (value <= span) return static_cast<std::int32_t>(static_cast<std::uint32_t>(Min) + value);
    }
  }

  // The same contract, always served by the fallback generator.
  static std::int32_t RandomRange_std(std::int32_t Min, std::int32_t Max) {
    return MapToRange(Min, Max, static_cast<std::uint32_t>(FFallbackGenerator()));
  }

  // Seeds the fallback generator from the clock; done once at start-up.
  static void SeedFromClock();

  // Reproducible mode: from now on every draw comes from the fallback
  // generator seeded with seed, so equal seeds give equal sequences on every
  // machine. Not a failure, so nothing is logged.
  static void UseSeed(std::uint64_t seed);

  // True once draws are served by the fallback generator.
  static bool UsesFallback() { return FFallback; }

  // Maps one random word onto Min..Max, all taken as unsigned 32-bit numbers.
  static std::int32_t MapToRange(std::int32_t Min, std::int32_t Max, std::uint32_t r) {
    const auto min = static_cast<std::uint32_t>(Min);
    const auto max = static_cast<std::uint32_t>(Max);
    if (min == max) return Min;
    if (min > max) return Max;
    const std::uint32_t span = max - min + 1u;
    // A span of 0 means the full 32-bit range: every word is already in it.
    return static_cast<std::int32_t>(span == 0 ? r : min + r % span);
  }

  // Test seams: back to the start-of-process state (no fallback, empty block,
  // empty bit pool, the real system source), and a replacement for the system
  // source.
  static void ResetForTest();
  static void SetOsSourceForTest(TOsSource source);

  // Words fetched from the system at a time: 4 KiB, where the cost of one
  // call is already small beside the cost per byte.
  static constexpr std::size_t kBlockWords = 1024;

 private:
  // The next `count` bits of the pool (1 <= count <= 32), lowest first.
  static std::uint32_t TakeBits(int count) {
    if (count <= FBitsLeft) {
      const std::uint32_t value = count == 32 ? FBits : FBits & ((1u << count) - 1u);
      FBits = count == 32 ? 0 : FBits >> count;
      FBitsLeft -= count;
      return value;
    }
    // What is left of this word, then the rest from the next one.
    const int fromOld = FBitsLeft;
    const std::uint32_t low = FBits & ((1u << fromOld) - 1u);
    FBits = NextWord();
    FBitsLeft = 32;
    return low | (TakeBits(count - fromOld) << fromOld);
  }
  // One whole random word, as RandomRange draws it.
  static std::uint32_t NextWord() { return static_cast<std::uint32_t>(RandomRange(0, -1)); }

  // Refills the block from the system (switching to the fallback on failure)
  // and then draws.
  static std::int32_t RandomRangeRefill(std::int32_t Min, std::int32_t Max);
  // Fills the block from the system source; logs and throws on failure.
  static void GetRandomNumber_win();

  static inline bool FFallback = false;
  static inline std::size_t FNext = kBlockWords;
  static inline std::array<std::uint32_t, kBlockWords> FBlock{};
  static inline std::mt19937 FFallbackGenerator{};
  static inline std::uint32_t FBits = 0;
  static inline int FBitsLeft = 0;
};
