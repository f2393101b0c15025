// Seeded generation is a promise to players who share a seed: the same seed
// gives the same puzzles in every version. These checksums pin the output of
// "tavelo --generate WxH --count 1000 --seed 1" for every size whose
// generation parameters are tabled, and the working boards behind it (the
// letters "d" and "c" of balanced cells included, which the game IDs do not
// show). A change that alters a single draw or a single accepted puzzle
// changes them.
#include <gtest/gtest.h>
#include <zlib.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "generation/generation_flow.h"
#include "generation/generation_support.h"
#include "generation/rnd.h"
#include "model/nono_game.h"

namespace {

struct TPinned {
  int Side;
  unsigned long IdsCrc;     // of the command's standard output
  unsigned long BoardsCrc;  // of the accepted working boards, row after row
};

constexpr int kCount = 1000;

unsigned long Crc(const std::string& bytes) {
  return crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(bytes.data()),
               static_cast<uInt>(bytes.size()));
}

std::string GenerateOutput(int side) {
  const std::string size = std::to_string(side) + "x" + std::to_string(side);
  std::vector<std::string> args = {"tavelo", "--generate", size, "--count", std::to_string(kCount),
                                   "--seed", "1"};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  std::istringstream in;
  std::ostringstream out, err;
  const int status = RunCommandLine(static_cast<int>(argv.size()), argv.data(), in, out, err);
  TRnd::ResetForTest();
  EXPECT_EQ(status, 0) << err.str();
  return out.str();
}

std::string GeneratedBoards(int side) {
  test_support::SeededDraws seeded(1);
  TPuzzleGenerator generator;
  const TGenerationParams params =
      GenerationParams(side, side, DefaultFillPct(side, side, TDifficulty::Normal));
  std::string letters;
  for (int i = 0; i < kCount; ++i)
    for (const TInternalArr& row : generator.Generate(params))
      letters.append(row.begin(), row.end());
  return letters;
}

}  // namespace

TEST(SeededOutput, StaysTheSameAtEveryTabledSize) {
  const TPinned pinned[] = {
      {3, 480332491, 3329576728},  {5, 622920299, 1428143637},   {10, 3385485259, 1748046574},
      {15, 588600706, 3087254077}, {20, 3585734345, 4185471445}, {25, 1020473665, 867823814},
      {30, 1879258778, 711886432},
  };
  for (const TPinned& p : pinned) {
    EXPECT_EQ(Crc(GenerateOutput(p.Side)), p.IdsCrc) << p.Side << "x" << p.Side << " game IDs";
    EXPECT_EQ(Crc(GeneratedBoards(p.Side)), p.BoardsCrc) << p.Side << "x" << p.Side << " boards";
  }
}
