#include "generation/design_verdict.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "solver/brute_force_line.h"
#include "support/board_pictures.h"

using namespace test_support;

namespace {

TDesignPicture PictureOf(const Picture& rows) {
  TDesignPicture picture{static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), ""};
  for (const std::string& row : rows) picture.Cells += row;
  return picture;
}

TDesignPicture PictureOfBits(int width, int height, unsigned bits) {
  TDesignPicture picture{width, height, std::string(width * height, '.')};
  for (int i = 0; i < width * height; ++i)
    if ((bits >> i) & 1) picture.Cells[i] = '#';
  return picture;
}

std::pair<TCountersArr, TCountersArr> CluesOf(const TDesignPicture& picture) {
  return {RowCluesOf(picture), ColumnCluesOf(picture)};
}

// Every picture of a small board against brute force: how many pictures
// share its clues, and what the reference line logic leaves open.
void CheckEveryPicture(int width, int height, unsigned step) {
  std::map<std::pair<TCountersArr, TCountersArr>, int> sharing;
  const unsigned count = 1u << (width * height);
  for (unsigned bits = 0; bits < count; ++bits)
    ++sharing[CluesOf(PictureOfBits(width, height, bits))];
  for (unsigned bits = 0; bits < count; bits += step) {
    const TDesignPicture picture = PictureOfBits(width, height, bits);
    SCOPED_TRACE(picture.Cells);
    const auto clues = CluesOf(picture);
    const TCountersArr reference = ReferenceSolve(clues.first, clues.second);
    int open = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) open += reference[y][x] == 0 ? 1 : 0;
    const TDesignVerdict verdict = JudgeDesign(picture);
    ASSERT_EQ(verdict.OpenCount, open);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        ASSERT_EQ(verdict.Open[y * width + x] == 1, reference[y][x] == 0);
    const int pictures = sharing[clues];
    if (open == 0) {
      ASSERT_EQ(verdict.Kind, TDesignVerdictKind::LineSolvable);
      ASSERT_GE(verdict.Stars, 1);
      ASSERT_LE(verdict.Stars, 5);
    } else if (pictures == 1) {
      ASSERT_EQ(verdict.Kind, TDesignVerdictKind::NeedsGuessing);
    } else {
      ASSERT_EQ(verdict.Kind, TDesignVerdictKind::Several);
      ASSERT_NE(verdict.First, verdict.Second);
      ASSERT_EQ(CluesOf(verdict.First), clues);
      ASSERT_EQ(CluesOf(verdict.Second), clues);
    }
  }
}

}  // namespace

TEST(DesignVerdict, EveryPictureOfSmallBoardsAgreesWithBruteForce) {
  CheckEveryPicture(3, 3, 1);
  CheckEveryPicture(4, 3, 1);
  CheckEveryPicture(4, 4, 23);
}

TEST(DesignVerdict, NamedPictures) {
  struct Case {
    Picture picture;
    TDesignVerdictKind kind;
    int open;
  };
  const Case cases[] = {
      {{"...", "...", "..."}, TDesignVerdictKind::LineSolvable, 0},
      {{"#####", "#...#", "#.#.#", "#...#", "#####"}, TDesignVerdictKind::LineSolvable, 0},
      // The two diagonals of a square swap freely.
      {{"#.", ".#"}, TDesignVerdictKind::Several, 4},
      {{"#..", ".#.", "..#"}, TDesignVerdictKind::Several, 9},
  };
  for (const Case& c : cases) {
    const TDesignVerdict verdict = JudgeDesign(PictureOf(c.picture));
    EXPECT_EQ(verdict.Kind, c.kind) << c.picture[0];
    EXPECT_EQ(verdict.OpenCount, c.open) << c.picture[0];
  }
}

TEST(DesignVerdict, CancelledJudgementIsUndecided) {
  std::atomic<bool> cancel{true};
  const TDesignVerdict verdict =
      JudgeDesign(PictureOf({"#..", ".#.", "..#"}), kDesignVerdictBudget, &cancel);
  EXPECT_EQ(verdict.Kind, TDesignVerdictKind::Undecided);
}
