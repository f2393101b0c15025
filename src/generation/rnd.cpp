#include "generation/rnd.h"

#include <chrono>
#include <stdexcept>
#include <string>
#include <utility>

#include "platform/os_random.h"
#include "util/debug_log.h"

namespace {

TRnd::TOsSource& OsSource() {
  static TRnd::TOsSource source = OsRandomFill;
  return source;
}

// Both halves of the seed count, through the standard's fully defined
// seed_seq, so a seed means the same sequence everywhere.
void SeedGenerator(std::mt19937& generator, std::uint64_t seed) {
  std::seed_seq seq{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32)};
  generator.seed(seq);
}

}  // namespace

std::uint32_t TRnd::RefillAndDraw() {
  try {
    GetRandomNumber_win();
  } catch (const std::runtime_error&) {
    FFallback = true;
    return static_cast<std::uint32_t>(FFallbackGenerator());
  }
  return FBlock[FNext++];
}

void TRnd::GetRandomNumber_win() {
  // The block counts as used up until it is known to be filled completely.
  FNext = kBlockWords;
  try {
    OsSource()(std::span(reinterpret_cast<std::uint8_t*>(FBlock.data()), sizeof(FBlock)));
  } catch (const std::runtime_error& e) {
    DebugLog(std::string("GetRandomNumber_win:") + e.what());
    throw std::runtime_error(std::string("BCryptGenRandom failed with ") + e.what());
  }
  FNext = 0;
}

void TRnd::SeedFromClock() {
  SeedGenerator(FFallbackGenerator,
                static_cast<std::uint64_t>(
                    std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

void TRnd::UseSeed(std::uint64_t seed) {
  SeedGenerator(FFallbackGenerator, seed);
  FFallback = true;
  // A seed alone decides every later draw, bits included.
  FBits = 0;
  FBitsLeft = 0;
}

void TRnd::ResetForTest() {
  FFallback = false;
  FNext = kBlockWords;
  FBits = 0;
  FBitsLeft = 0;
  FFallbackGenerator.seed(std::mt19937::default_seed);
  OsSource() = OsRandomFill;
}

void TRnd::SetOsSourceForTest(TOsSource source) {
  OsSource() = std::move(source);
}
