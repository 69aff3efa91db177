#include <gtest/gtest.h>

#include <cmath>

#include "fw/core/datetime.h"
#include "fw/core/exceptions.h"

using namespace fw;

TEST(DateTime, DaysCountFrom18991230) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
  EXPECT_EQ(EncodeDate(2024, 2, 29) - EncodeDate(2024, 2, 28), 1);
  EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
}

TEST(DateTime, EncodeDecodeRoundTripsAcrossTheRange) {
  struct Case {
    int y, m, d, h, n, s, ms;
  } cases[] = {
      {1899, 12, 30, 0, 0, 0, 0}, {1899, 12, 29, 6, 0, 0, 0}, {1, 1, 1, 23, 59, 59, 999},
      {1900, 2, 28, 12, 0, 0, 1}, {2000, 2, 29, 13, 14, 15, 16}, {2026, 12, 31, 23, 59, 59, 999},
      {9999, 12, 31, 0, 0, 0, 0}, {1600, 3, 1, 1, 2, 3, 4},
  };
  for (const Case& c : cases) {
    TDateTime date = EncodeDate(c.y, c.m, c.d);
    TDateTime t = EncodeTime(c.h, c.n, c.s, c.ms);
    TDateTime v = date < 0 ? date - t : date + t;
    uint16_t y, m, d, h, n, s, ms;
    DecodeDate(v, y, m, d);
    DecodeTime(v, h, n, s, ms);
    EXPECT_EQ((std::vector<int>{y, m, d, h, n, s, ms}), (std::vector<int>{c.y, c.m, c.d, c.h, c.n, c.s, c.ms}))
        << c.y << "-" << c.m << "-" << c.d;
  }
  // -1.25 is the day before day 0 at 06:00.
  uint16_t y, m, d, h, n, s, ms;
  DecodeDate(-1.25, y, m, d);
  DecodeTime(-1.25, h, n, s, ms);
  EXPECT_EQ(d, 29);
  EXPECT_EQ(h, 6);
  // A value a hair below midnight rounds to the next day, not to 24:00.
  DecodeDate(EncodeDate(2020, 5, 31) + 0.9999999999, y, m, d);
  DecodeTime(EncodeDate(2020, 5, 31) + 0.9999999999, h, n, s, ms);
  EXPECT_EQ(m * 100 + d, 601);
  EXPECT_EQ(h + n + s + ms, 0);
}

TEST(DateTime, InvalidPartsRaiseConvertError) {
  EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
  EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
  EXPECT_THROW(EncodeDate(2000, 13, 1), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
}

TEST(DateTime, FormatsWithTheFixedTokens) {
  TDateTime v = EncodeDate(2026, 3, 7) + EncodeTime(9, 5, 4, 32);
  EXPECT_EQ(DateTimeToStr(v), u"2026-03-07 09:05:04");
  EXPECT_EQ(FormatDateTime(u"dd.mm.yy hh:nn:ss.zzz", v), u"07.03.26 09:05:04.032");
  EXPECT_EQ(FormatDateTime(u"d/m/yyyy h:n:s z", v), u"7/3/2026 9:5:4 32");
  EXPECT_EQ(FormatDateTime(u"YYYY-MM-DD", v), u"2026-03-07");
}

TEST(DateTime, NowIsTodayInLocalTime) {
  TDateTime now = Now();
  EXPECT_GT(now, EncodeDate(2020, 1, 1));
  EXPECT_LT(now, EncodeDate(2200, 1, 1));
  TDateTime later = Now();
  EXPECT_GE(later, now);
}
