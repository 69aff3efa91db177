#include <gtest/gtest.h>

#include "fw/core/mathutils.h"

using namespace fw;

TEST(Rounding, RoundGoesHalfToEvenAndTruncTowardZero) {
  struct Case {
    double x;
    int64_t round, trunc;
  } cases[] = {
      {0.5, 0, 0},   {1.5, 2, 1},   {2.5, 2, 2},    {3.5, 4, 3},    {-0.5, 0, 0},  {-1.5, -2, -1},
      {-2.5, -2, -2}, {2.4999, 2, 2}, {2.5001, 3, 2}, {-2.5001, -3, -2}, {0, 0, 0},   {1e15 + 0.5, 1000000000000000, 1000000000000000},
      {255 * 0.5, 128, 127},  // 127.5: half to the even 128
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Round(c.x), c.round) << c.x;
    EXPECT_EQ(Trunc(c.x), c.trunc) << c.x;
  }
}

TEST(Rounding, MulDivRoundsHalfAwayFromZeroLikeTheSystem) {
  struct Case {
    int a, b, c, result;
  } cases[] = {
      {10, 3, 4, 8},       // 7.5 -> 8
      {5, 1, 2, 3},        // 2.5 -> 3, not the even 2
      {-5, 1, 2, -3},      // -2.5 -> -3
      {5, -1, 2, -3},      {5, 1, -2, -3},  {-5, -1, -2, -3}, {-5, 1, -2, 3},
      {7, 1, 3, 2},        // 2.33
      {8, 1, 3, 3},        // 2.67
      {100, 96, 72, 133},  // 133.33
      {1, 1, 0, -1},       // division by zero
      {0, 5, 0, -1},
      {65536, 65536, 2, -1},  // 2^31 does not fit
      {-65536, 65536, 2, INT32_MIN},
      {2147483647, 2147483647, 2147483647, 2147483647},  // 64-bit intermediate
      {INT32_MIN, 1, 1, INT32_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.result) << c.a << "*" << c.b << "/" << c.c;
}
