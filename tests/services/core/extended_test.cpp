// The 80-bit float of the settings file: bit-exact for every double.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>

#include "services/core/extended.h"

using namespace services;

namespace {

TEST(Extended, KnownLayouts) {
  const struct {
    double v;
    TExtendedBytes bytes;
  } cases[] = {
      {1.0, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
      {-2.0, {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0}},
      {0.0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {INFINITY, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}},
  };
  for (const auto& c : cases) EXPECT_EQ(DoubleToExtended(c.v), c.bytes) << c.v;
}

TEST(Extended, EveryKindOfDoubleRoundTripsBitExactly) {
  const double values[] = {0.0,     -0.0,     1.0 / 3,    DBL_MIN,   DBL_MAX,  DBL_TRUE_MIN,
                           -DBL_TRUE_MIN * 12345, 1e308, -INFINITY, INFINITY, 46000.75, -1e-300};
  for (double v : values)
    EXPECT_EQ(std::bit_cast<uint64_t>(ExtendedToDouble(DoubleToExtended(v))), std::bit_cast<uint64_t>(v)) << v;
  EXPECT_TRUE(std::isnan(ExtendedToDouble(DoubleToExtended(NAN))));
}

TEST(Extended, ValuesBeyondDoubleRangeSaturate) {
  TExtendedBytes big{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x7F};  // 2^16383
  EXPECT_EQ(ExtendedToDouble(big), INFINITY);
  TExtendedBytes tiny{0, 0, 0, 0, 0, 0, 0, 0x80, 0x01, 0x00};  // 2^-16382
  EXPECT_EQ(ExtendedToDouble(tiny), 0.0);
}

}  // namespace
