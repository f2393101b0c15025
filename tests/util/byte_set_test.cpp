#include "util/byte_set.h"

#include <gtest/gtest.h>

namespace {

TEST(Sets, BitIStandsForElementI) {
  EXPECT_EQ(SetToInt(TByteSet("10000101")), 0x85);
  EXPECT_EQ(IntToSet(0x85), TByteSet("10000101"));
  EXPECT_EQ(IntToSet(260), TByteSet("00000100"));  // higher bits ignored
  EXPECT_EQ(IntToSet(-1), TByteSet("11111111"));
}

}  // namespace
