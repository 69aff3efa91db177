#include <gtest/gtest.h>

#include "fw/core/exceptions.h"
#include "fw/core/streams.h"

using namespace fw;

TEST(MemoryStream, WritesReadsAndSeeksWithinItsBytes) {
  TMemoryStream m;
  const char text[] = "hello";
  m.WriteBuffer(text, 5);
  EXPECT_EQ(m.Size(), 5);
  m.SetPosition(1);
  char buf[8] = {};
  EXPECT_EQ(m.Read(buf, 8), 4);
  EXPECT_STREQ(buf, "ello");
  EXPECT_THROW(m.ReadBuffer(buf, 1), EReadError);
}

TEST(Utf, RoundTripsSurrogatePairsAndRejectsBrokenBytes) {
  String s = u"A\u00e9\u20ac\U0001F600";
  EXPECT_EQ(Utf8ToString(StringToUtf8(s)), s);
  EXPECT_EQ(Utf8ToString("\xC3"), u"\uFFFD");
  EXPECT_EQ(AnsiToString("\x80"), u"\u20AC");
  EXPECT_EQ(StringToAnsi(u"\u20AC\u4e00"), "\x80?");
}
