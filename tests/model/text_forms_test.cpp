#include <gtest/gtest.h>

#include "model/nono_game.h"
#include "support/board_pictures.h"

using namespace test_support;

TEST(TextForms, RowListingWritesZerosAndCommas) {
  auto game = GameOf({"##...", "#.#..", ".....", "#####", "#.###"});
  EXPECT_EQ(game->RowListing(), "2\r\n1,1\r\n0\r\n5\r\n1,3");
}

TEST(TextForms, ColumnListingWritesSpacesAndNoZeros) {
  auto game = GameOf({"#.#", "#..", "#.#", "...", "..."});
  EXPECT_EQ(game->ColumnListing(), "3\r\n\r\n1 1");
  auto single = GameOf({"#", ".", "#", "#"});
  EXPECT_EQ(single->ColumnListing(), "1 2");
}

TEST(TextForms, SolutionArrayText) {
  auto game = GameOf({".#.", ".#.", ".#."});
  EXPECT_EQ(game->SolutionArrayText("arr_1"),
            "arr_1c3x3X : array[0..2, 0..2] of integer = ((1,2,1), (1,2,1), (1,2,1));");
  auto wide = GameOf({"#..#"});
  EXPECT_EQ(wide->SolutionArrayText("N"), "Nc1x4X : array[0..0, 0..3] of integer = ((2,1,1,2));");
}
