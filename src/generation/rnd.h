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
    // A word the bit pool fetched to look ahead but has not used yet is still
    // the next word of the sequence.
    if (FBitsLeft >= 32) return MapToRange(Min, Max, TakeWordAhead());
    return MapToRange(Min, Max, NextWord());
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

  // The bit pool held in registers while a decoder takes many bits in a row,
  // written back when it goes; the same bits as PeekBits and SkipBits give.
  // No other draw may come while a cursor lives.
  class TBitCursor {
   public:
    TBitCursor() : FPool(FBits), FLeft(FBitsLeft) {}
    ~TBitCursor() {
      FBits = FPool;
      FBitsLeft = FLeft;
    }
    TBitCursor(const TBitCursor&) = delete;
    TBitCursor& operator=(const TBitCursor&) = delete;

    std::uint32_t Peek(int count) {
      if (count > FLeft) {
        FPool |= static_cast<std::uint64_t>(NextWord()) << FLeft;
        FLeft += 32;
      }
      return static_cast<std::uint32_t>(FPool & LowMask(count));
    }
    void Skip(int count) {
      FPool >>= count;
      FLeft -= count;
    }
    // As RandomRangeFromBits.
    std::int32_t RangeFromBits(std::int32_t Min, std::int32_t Max) {
      const std::uint32_t span = static_cast<std::uint32_t>(Max) - static_cast<std::uint32_t>(Min);
      if (span == 0) return Min;
      const int bits = std::bit_width(span);
      for (;;) {
        const std::uint32_t value = Peek(bits);
        Skip(bits);
        if (value <= span)
          return static_cast<std::int32_t>(static_cast<std::uint32_t>(Min) + value);
      }
    }

   private:
    std::uint64_t FPool;
    int FLeft;
  };

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
  // The next `count` bits of the pool (1 <= count <= 32), lowest first,
  // without using them. A word fetched for them stays the next word for
  // RandomRange until one of its bits is used, so peeking changes no draw.
  static std::uint32_t PeekBits(int count) {
    if (count > FBitsLeft) {
      FBits |= static_cast<std::uint64_t>(NextWord()) << FBitsLeft;
      FBitsLeft += 32;
    }
    return static_cast<std::uint32_t>(FBits & LowMask(count));
  }
  // Uses the next `count` bits, at most as many as the last PeekBits showed.
  static void SkipBits(int count) {
    FBits >>= count;
    FBitsLeft -= count;
  }

  static constexpr std::uint64_t LowMask(int count) { return (std::uint64_t{1} << count) - 1u; }
  // The next `count` bits of the pool (1 <= count <= 32), lowest first: what
  // is left of this word, then the rest from the next one.
  static std::uint32_t TakeBits(int count) {
    const std::uint32_t value = PeekBits(count);
    SkipBits(count);
    return value;
  }
  // One whole random word, as RandomRange draws it without the pool.
  static std::uint32_t NextWord() {
    if (FFallback) return static_cast<std::uint32_t>(FFallbackGenerator());
    if (FNext == kBlockWords) return RefillAndDraw();
    return FBlock[FNext++];
  }
  // The untouched word at the top of the pool (FBitsLeft >= 32).
  static std::uint32_t TakeWordAhead() {
    FBitsLeft -= 32;
    const auto word = static_cast<std::uint32_t>(FBits >> FBitsLeft);
    FBits &= LowMask(FBitsLeft);
    return word;
  }

  // Refills the block from the system (switching to the fallback on failure)
  // and then draws a word.
  static std::uint32_t RefillAndDraw();
  // Fills the block from the system source; logs and throws on failure.
  static void GetRandomNumber_win();

  static inline bool FFallback = false;
  static inline std::size_t FNext = kBlockWords;
  static inline std::array<std::uint32_t, kBlockWords> FBlock{};
  static inline std::mt19937 FFallbackGenerator{};
  // The bit pool: FBitsLeft bits, lowest first, every bit above them 0. It
  // holds more than 32 only while a word fetched ahead is untouched.
  static inline std::uint64_t FBits = 0;
  static inline int FBitsLeft = 0;
};
