#include "generation/make_unique.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <string>

#include "solver/line_solver.h"

namespace {

TDesignPicture PictureOfBits(int width, int height, std::uint32_t bits) {
  TDesignPicture picture{width, height, std::string(width * height, '.')};
  for (int i = 0; i < width * height; ++i)
    if ((bits >> i) & 1) picture.Cells[i] = '#';
  return picture;
}

std::uint32_t BitsOf(const TDesignPicture& picture) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < picture.Cells.size(); ++i)
    if (picture.Cells[i] == '#') bits |= 1u << i;
  return bits;
}

bool LineSolvable(const TDesignPicture& picture) {
  NonogramSolver solver(RowCluesOf(picture), ColumnCluesOf(picture));
  return solver.Solve() == 2;
}

TDesignPicture RandomPicture(int width, int height, std::mt19937& random) {
  TDesignPicture picture{width, height, std::string(width * height, '.')};
  for (char& c : picture.Cells)
    if (random() % 2 == 0) c = '#';
  return picture;
}

// The result is what it says: line-solvable, and the changed cells are
// exactly where it differs from the drawn picture.
void CheckResult(const TDesignPicture& drawn, const TMadeUnique& made) {
  ASSERT_TRUE(made.LineSolvable);
  ASSERT_TRUE(LineSolvable(made.Picture));
  std::vector<int> differ;
  for (std::size_t i = 0; i < drawn.Cells.size(); ++i)
    if (drawn.Cells[i] != made.Picture.Cells[i]) differ.push_back(static_cast<int>(i));
  ASSERT_EQ(made.Changed, differ);
}

// The least number of cells to change, by trying every set of k cells for
// k = 0, 1, ... (Gosper's next-combination on bit masks).
int LeastChanges(const TDesignPicture& picture) {
  const int n = picture.Width * picture.Height;
  const std::uint32_t bits = BitsOf(picture);
  for (int k = 0; k <= n; ++k) {
    if (k == 0) {
      if (LineSolvable(picture)) return 0;
      continue;
    }
    for (std::uint64_t set = (1ull << k) - 1; set < (1ull << n);) {
      if (LineSolvable(
              PictureOfBits(picture.Width, picture.Height, bits ^ static_cast<std::uint32_t>(set))))
        return k;
      const std::uint64_t c = set & -set, r = set + c;
      set = (((r ^ set) >> 2) / c) | r;
    }
  }
  return -1;
}

}  // namespace

TEST(MakeUnique, EveryFourByFourPictureGetsTheLeastChanges) {
  // Every line-solvable 4x4 picture, then each picture's nearest one.
  std::vector<std::uint32_t> solvable;
  for (std::uint32_t bits = 0; bits < (1u << 16); ++bits)
    if (LineSolvable(PictureOfBits(4, 4, bits))) solvable.push_back(bits);
  for (std::uint32_t bits = 0; bits < (1u << 16); bits += 29) {
    const TDesignPicture picture = PictureOfBits(4, 4, bits);
    SCOPED_TRACE(picture.Cells);
    int least = 16;
    for (const std::uint32_t s : solvable) least = std::min(least, std::popcount(s ^ bits));
    const TMadeUnique made = MakeUnique(picture);
    CheckResult(picture, made);
    ASSERT_EQ(static_cast<int>(made.Changed.size()), least);
    ASSERT_TRUE(made.Least);
  }
}

TEST(MakeUnique, FiveByFivePicturesGetTheLeastChanges) {
  std::mt19937 random(2811);
  // Only pictures that need a change; most random ones do not.
  for (int found = 0; found < 30;) {
    const TDesignPicture picture = RandomPicture(5, 5, random);
    if (LineSolvable(picture)) continue;
    ++found;
    SCOPED_TRACE(picture.Cells);
    const TMadeUnique made = MakeUnique(picture);
    CheckResult(picture, made);
    ASSERT_EQ(static_cast<int>(made.Changed.size()), LeastChanges(picture));
  }
}

TEST(MakeUnique, OneAtATimeEndsLineSolvableWithOnlyNeededChanges) {
  std::mt19937 random(77);
  struct Size {
    int width, height, pictures;
  };
  // A budget of 0 sends even small boards the one-at-a-time way; 45 x 45 is
  // large enough to keep several changes a turn.
  for (const Size size :
       {Size{5, 5, 3}, Size{12, 9, 3}, Size{20, 20, 3}, Size{30, 30, 3}, Size{45, 45, 1}}) {
    for (int i = 0; i < size.pictures; ++i) {
      const TDesignPicture picture = RandomPicture(size.width, size.height, random);
      SCOPED_TRACE(picture.Cells);
      const TMadeUnique made = MakeUnique(picture, nullptr, {}, 0);
      CheckResult(picture, made);
      // No single change can be put back.
      for (const int cell : made.Changed) {
        TDesignPicture back = made.Picture;
        back.Cells[cell] = picture.Cells[cell];
        EXPECT_FALSE(LineSolvable(back)) << cell;
      }
    }
  }
}

TEST(MakeUnique, SolvablePictureStaysAndCancelStops) {
  const TDesignPicture ring{3, 3, "####.####"};
  const TMadeUnique same = MakeUnique(ring);
  EXPECT_TRUE(same.LineSolvable);
  EXPECT_TRUE(same.Changed.empty());
  EXPECT_EQ(same.Picture, ring);

  std::atomic<bool> cancel{true};
  std::mt19937 random(5);
  const TDesignPicture picture = RandomPicture(20, 20, random);
  const TMadeUnique stopped = MakeUnique(picture, &cancel);
  EXPECT_FALSE(stopped.LineSolvable);
}

TEST(MakeUnique, ProgressRisesToAHundred) {
  std::mt19937 random(9);
  std::vector<int> reports;
  MakeUnique(
      RandomPicture(15, 15, random), nullptr, [&](int p) { reports.push_back(p); }, 0);
  ASSERT_FALSE(reports.empty());
  EXPECT_EQ(reports.back(), 100);
  for (const int p : reports) EXPECT_TRUE(p >= 0 && p <= 100);
}
