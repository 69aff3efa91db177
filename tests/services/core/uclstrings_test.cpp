// Replacement, wildcard masks, tokens and position searches; case tables,
// formatting into buffers and the locale comparison.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "services/core/uclstrings.h"

using namespace services;
using fw::String;

namespace {

TEST(TextReplace, Table) {
  struct Case {
    const char16_t* s;
    const char16_t* search;
    const char16_t* replace;
    unsigned flags;
    const char16_t* result;
  };
  const Case cases[] = {
      {u"aXbXc", u"x", u"yy", trfReplaceAll | trfIgnoreCase, u"ayybyyc"},
      {u"aXbXc", u"x", u"yy", trfIgnoreCase, u"ayybXc"},
      {u"aXbXc", u"x", u"yy", trfReplaceAll, u"aXbXc"},
      {u"aa", u"a", u"aa", trfReplaceAll, u"aaaa"},
      {u"abab", u"ab", u"", trfReplaceAll, u""},
      {u"", u"x", u"y", trfReplaceAll, u""},
      {u"", u"", u"new", 0, u"new"},
  };
  for (const Case& c : cases) {
    String s = c.s;
    TextReplace(s, c.search, c.replace, c.flags);
    EXPECT_EQ(s, c.result) << fw::StringToUtf8(c.s);
  }
  String s = u"text";
  EXPECT_THROW(TextReplace(s, u"", u"x", 0), EUclStringError);
}

TEST(TextMatchesMask, Table) {
  struct Case {
    const char16_t* mask;
    const char16_t* s;
    int from;
    bool match;
  };
  const Case cases[] = {
      {u"*.txt", u"notes.txt", 1, true},   {u"*.txt", u"notes.txt.bak", 1, false},
      {u"a?c", u"abc", 1, true},           {u"a?c", u"ac", 1, false},
      {u"ab?", u"ab", 1, false},           {u"*", u"", 1, true},
      {u"a*", u"abc", 1, true},            {u"*a*b", u"xaybzb", 1, true},
      {u"*a*b", u"xaybzc", 1, false},      {u"c", u"abc", 3, true},
      {u"ABC", u"abc", 1, false},          {u"*x*y*z", u"axbycxdyez", 1, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TextMatchesMask(c.mask, c.s, c.from), c.match) << fw::StringToUtf8(c.mask) << " "
                                                               << fw::StringToUtf8(c.s);
  EXPECT_THROW(TextMatchesMask(u"", u"a"), EUclStringError);
  EXPECT_THROW(TextMatchesMask(u"a", u"abc", 0), EUclStringError);
  EXPECT_THROW(TextMatchesMask(u"a", u"abc", 4), EUclStringError);
}

TEST(TextTokens, TakeSplitAndSplitBy) {
  String s = u"a;b";
  EXPECT_EQ(TextTakeToken(s, u';'), u"a");
  EXPECT_EQ(s, u"b");
  EXPECT_EQ(TextTakeToken(s, u';'), u"b");
  EXPECT_EQ(s, u"");
  fw::TStringList list;
  TextSplitTokens(u"a;;b;", u';', &list);
  EXPECT_EQ(list.CommaText(), u"a,\"\",b");
  TextSplitBy(u"x--y----z", u"--", &list, true);
  EXPECT_EQ(list.CommaText(), u"x,y,\"\",z");
  TextSplitBy(u"x--y----z", u"--", &list, false);
  EXPECT_EQ(list.CommaText(), u"x,y,z");
}

TEST(TextSearch, PositionsAreOneBasedAndBounded) {
  EXPECT_EQ(CharFind(u"abcabc", u'b', 0), 0);
  EXPECT_EQ(CharFind(u"abcabc", u'b', 1), 2);
  EXPECT_EQ(CharFind(u"abcabc", u'b', 3), 5);
  EXPECT_EQ(CharFind(u"abc", u'b', 4), 0);
  EXPECT_EQ(CharFindLast(u"abcabc", u'b', 1), 5);
  EXPECT_EQ(CharFindLast(u"abcabc", u'b', 6), 0);
  EXPECT_EQ(TextFindNoCase(u"", u"abc", 1), 0);
  EXPECT_EQ(TextPosNoCase(u"BC", u"abcbc"), 2);
  EXPECT_EQ(TextFindNoCase(u"BC", u"abcbc", 3), 4);
  EXPECT_EQ(TextBefore(u"=", u"key=value"), u"key");
  EXPECT_EQ(TextAfter(u"KEY", u"a key b"), u" b");
  EXPECT_EQ(TextAfter(u"x", u"abc"), u"");
  EXPECT_EQ(TextWithSuffix(u"\\", u"C:\\a"), u"C:\\a\\");
  EXPECT_EQ(TextWithoutPrefix(u"ab", u"abc"), u"c");
  String z = String(u"ab") + u'\0' + u"cd";
  TextCutAtNul(z);
  EXPECT_EQ(z, u"ab");
  String r = u"a.b.c";
  EXPECT_EQ(ReplaceCharInPlace(r, u'.', u'\\'), 2);
  EXPECT_EQ(r, u"a\\b\\c");
}

}  // namespace

namespace {

TEST(TextBuffers, CopiesAreCutToTheBufferAndAlwaysTerminated) {
  char buf[4] = {'x', 'x', 'x', 'x'};
  AnsiTextToBuffer(buf, sizeof buf, "abcdef");
  EXPECT_EQ(AnsiTextFromBuffer(buf), "abc");
  AnsiTextToBuffer(buf, sizeof buf, "");
  EXPECT_EQ(AnsiTextFromBuffer(buf), "");
  EXPECT_EQ(AnsiTextFromBuffer(nullptr), "");
  const char16_t* text = u"one two two";
  EXPECT_EQ(StrPosInWide(text, u"two"), text + 4);
  EXPECT_EQ(StrPosInWide(text, u"three"), nullptr);
  EXPECT_EQ(StrPosInWide(text, u""), nullptr);
  EXPECT_EQ(StrPosInWide(nullptr, u"a"), nullptr);
}

TEST(CharTypes, AsciiClassesWithoutASystemTable) {
  EXPECT_EQ(CharType(u'A'), 0x181);
  EXPECT_EQ(CharType(u'z'), 0x102);
  EXPECT_EQ(CharType(u'7'), 0x84);
  EXPECT_EQ(CharType(u' '), 0x48);
  EXPECT_EQ(CharType(u'\t'), 0x68);
  EXPECT_EQ(CharType(u'!'), 0x10);
  EXPECT_TRUE(CharIsUpperAnsi('Q'));
  EXPECT_FALSE(CharIsUpperAnsi('q'));
  EXPECT_TRUE(CharIsLowerAnsi('q'));
#if defined(__i386__) || defined(__x86_64__)
  EXPECT_EQ(FpuControlWord() & 0x3F, 0x3F);  // every exception masked
#endif
}

}  // namespace

namespace {

TEST(TextBuffers, FormatIsCutToTheBufferAndWrittenInTheAnsiCodePage) {
  struct Case {
    size_t size;
    const char* expected;
    size_t written;
  };
  const Case cases[] = {{32, "caf\xE9 12 of 3", 12}, {6, "caf\xE9 ", 5}, {1, "", 0}};
  for (const Case& c : cases) {
    char buf[40];
    std::fill(buf, buf + sizeof buf, 'x');
    EXPECT_EQ(AnsiFormatToBuffer(buf, c.size, "caf\xE9 %d of %s", {12, u"3"}), c.written) << c.size;
    EXPECT_EQ(std::string(buf), c.expected) << c.size;
    EXPECT_EQ(buf[c.size], 'x') << "nothing written past the buffer";
  }
  EXPECT_EQ(AnsiFormatToBuffer(nullptr, 0, "%d", {1}), 0u);
}

// A system-like table: ASCII letters and the Latin-1 pair E9/C9.
struct TCaseTableFixture : ::testing::Test {
  std::vector<char16_t> wide = std::vector<char16_t>(3 * 0x10000);
  std::vector<uint16_t> types = std::vector<uint16_t>(0x10000);
  unsigned char ansi[3 * 256] = {};
  uint16_t ansiTypes[256] = {};
  void SetUp() override {
    for (unsigned c = 0; c < 0x10000; ++c) {
      types[c] = CharType(static_cast<char16_t>(c));
      wide[cbLower * 0x10000 + c] = wide[cbUpper * 0x10000 + c] = static_cast<char16_t>(c);
    }
    for (char16_t c = u'a'; c <= u'z'; ++c) wide[cbUpper * 0x10000 + c] = c - 0x20;
    for (char16_t c = u'A'; c <= u'Z'; ++c) wide[cbLower * 0x10000 + c] = c + 0x20;
    wide[cbUpper * 0x10000 + 0xE9] = 0xC9;
    wide[cbLower * 0x10000 + 0xC9] = 0xE9;
    types[0xE9] = 0x102;
    types[0xC9] = 0x101;
    BuildReflectedCase(wide.data(), types.data(), 0x10000);
    for (unsigned c = 0; c < 256; ++c) {
      ansiTypes[c] = types[c];
      ansi[cbLower * 256 + c] = static_cast<unsigned char>(wide[cbLower * 0x10000 + c]);
      ansi[cbUpper * 256 + c] = static_cast<unsigned char>(wide[cbUpper * 0x10000 + c]);
    }
    BuildReflectedCase(ansi, ansiTypes, 256);
    SetCaseTables(wide.data(), ansi);
  }
  void TearDown() override { SetCaseTables(nullptr, nullptr); }
};

TEST_F(TCaseTableFixture, EveryCaseConversionReadsItsBlock) {
  struct Case {
    char16_t ch, lower, upper, reflected;
  };
  const Case cases[] = {
      {u'a', u'a', u'A', u'A'}, {u'Q', u'q', u'Q', u'q'}, {u'7', u'7', u'7', u'7'},
      {0xE9, 0xE9, 0xC9, 0xC9}, {0xC9, 0xE9, 0xC9, 0xE9}, {0x3B1, 0x3B1, 0x3B1, 0x3B1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CharToLower(c.ch), c.lower) << int(c.ch);
    EXPECT_EQ(CharToUpper(c.ch), c.upper) << int(c.ch);
    EXPECT_EQ(CharToggleCase(c.ch), c.reflected) << int(c.ch);
    if (c.ch < 256) {
      EXPECT_EQ(static_cast<unsigned char>(CharToUpperAnsi(static_cast<char>(c.ch))), c.upper) << int(c.ch);
      EXPECT_EQ(static_cast<unsigned char>(CharToLowerAnsi(static_cast<char>(c.ch))), c.lower) << int(c.ch);
    }
  }
  // The text routines go through the installed table: with it, Greek alpha
  // has no upper form any more.
  EXPECT_EQ(TextUpper(u"\u00E9t\u03B1"), u"\u00C9T\u03B1");
  EXPECT_EQ(TextPosNoCase(u"\u00C9T", u"x\u00E9t"), 2);
}

int ReversedCompare(uint32_t, fw::StringView A, fw::StringView B) { return A < B ? 1 : A == B ? 0 : -1; }

TEST(CompareText, InstalledComparisonReplacesTheFrameworkOrder) {
  EXPECT_EQ(UclCompareText(LocaleUserDefault, u"abc", u"ABC"), 0);
  EXPECT_EQ(UclCompareText(LocaleUserDefault, u"abc", u"ABD"), -1);
  EXPECT_EQ(UclCompareText(LocaleUserDefault, u"b", u"A"), 1);
  SetCompareTextProc(ReversedCompare);
  EXPECT_EQ(UclCompareText(LocaleUserDefault, u"a", u"b"), 1);
  SetCompareTextProc(nullptr);
  EXPECT_EQ(UclCompareText(LocaleUserDefault, u"a", u"b"), -1);
}

}  // namespace
