#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "fw/core/exceptions.h"
#include "fw/core/sysutils.h"

using namespace fw;

namespace {

std::string N(const String& s) { return StringToUtf8(s); }

}  // namespace

TEST(Format, FormatsEachTypeWithWidthAndPrecision) {
  struct Case {
    String result;
    String expected;
  } cases[] = {
      {Format(u"%d.%d.%d", {1, 2, 3}), u"1.2.3"},
      {Format(u"[%5d][%-5d][%.3d][%d]", {42, 42, -5, INT64_MIN}), u"[   42][42   ][-005][-9223372036854775808]"},
      {Format(u"%u %u", {7u, -1}), u"7 4294967295"},
      {Format(u"%x %X %.4x %x", {255, 255, 10, -1}), u"FF FF 000A FFFFFFFF"},
      {Format(u"%f|%.0f|%.3f|%8.2f|%-8.1f|", {1.5, 2.5, -0.0005, 3.14159, 2.0}), u"1.50|3|-0.001|    3.14|2.0     |"},
      {Format(u"%.1f %.2f %.1f", {0.15, 2.675, 0.04}), u"0.2 2.68 0.0"},
      {Format(u"%e|%.3e|%e", {1234.5, -0.000123456, 0.0}),
       u"1.23450000000000E+003|-1.23E-004|0.00000000000000E+000"},
      {Format(u"%g %g %g %.3g", {0.1, 1e20, 123456.0, 3.14159}), u"0.1 1E20 123456 3.14"},
      {Format(u"%s|%6s|%-6s|%.2s", {u"ab", u"ab", u"ab", u"abc"}), u"ab|    ab|ab    |ab"},
      {Format(u"100%% %s", {String(u"sure")}), u"100% sure"},
      {Format(u"%1:s %0:s %s", {u"a", u"b"}), u"b a b"},
      {Format(u"%*d|%-*.*f", {4, 7, 6, 1, 2.25}), u"   7|2.3   "},
      {Format(u"%f", {1}), u"1.00"},
  };
  for (const Case& c : cases) EXPECT_EQ(N(c.result), N(c.expected));
}

TEST(Format, InvalidFormatsAndMismatchedArgumentsRaiseConvertError) {
  struct Case {
    const char16_t* format;
    std::initializer_list<TVarRec> args;
  };
  const Case cases[] = {
      {u"%d", {u"text"}},  {u"%s", {5}},     {u"%d", {1.5}},      {u"%d %d", {1}}, {u"%", {}},
      {u"%5", {1}},        {u"%q", {1}},     {u"%.f", {1.0}},     {u"%:d", {1}},   {u"%999999999d", {1}},
      {u"%*d", {u"x", 1}}, {u"%x", {u"a"}},
  };
  for (const Case& c : cases) {
    try {
      Format(c.format, c.args);
      ADD_FAILURE() << N(c.format);
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), u"Format '" + String(c.format) + u"' invalid or incompatible with argument");
    }
  }
}

TEST(Conversions, IntegerTextBothWays) {
  EXPECT_EQ(IntToStr(0), u"0");
  EXPECT_EQ(IntToStr(-1234567890123LL), u"-1234567890123");
  EXPECT_EQ(IntToStr(INT64_MIN), u"-9223372036854775808");
  struct Case {
    const char16_t* text;
    bool ok;
    int value;
  } cases[] = {
      {u"42", true, 42},          {u"-17", true, -17},          {u"+5", true, 5},
      {u"  12", true, 12},        {u"$FF", true, 255},          {u"0x1a", true, 26},
      {u"-$10", true, -16},       {u"$FFFFFFFF", true, -1},     {u"2147483647", true, 2147483647},
      {u"-2147483648", true, INT32_MIN}, {u"2147483648", false, 0}, {u"$100000000", false, 0},
      {u"", false, 0},            {u"-", false, 0},             {u"$", false, 0},
      {u"12 ", false, 0},         {u"1e3", false, 0},           {u"abc", false, 0},
  };
  for (const Case& c : cases) {
    int v = -999;
    EXPECT_EQ(TryStrToInt(c.text, v), c.ok) << N(c.text);
    if (c.ok) {
      EXPECT_EQ(v, c.value) << N(c.text);
    }
    EXPECT_EQ(StrToIntDef(c.text, -7), c.ok ? c.value : -7);
  }
  try {
    StrToInt(u"12x");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"'12x' is not a valid integer value");
  }
}

TEST(Conversions, FloatToStrKeepsFifteenDigits) {
  struct Case {
    double value;
    const char16_t* text;
  } cases[] = {
      {0, u"0"},           {-25, u"-25"},       {0.1, u"0.1"},          {1.0 / 3, u"0.333333333333333"},
      {2.0 / 3, u"0.666666666666667"}, {1e15, u"1E15"}, {999999999999999.0, u"999999999999999"},
      {0.00001, u"1E-5"}, {0.0001, u"0.0001"},  {-1.5e-7, u"-1.5E-7"}, {123.456, u"123.456"},
      {std::numeric_limits<double>::infinity(), u"INF"}, {std::nan(""), u"NAN"},
  };
  for (const Case& c : cases) EXPECT_EQ(N(FloatToStr(c.value)), N(c.text));
}

TEST(Conversions, FloatTextReadsBackWhatFloatToStrWrites) {
  for (double v : {0.0, -1.5, 0.1, 1e20, 1.5e-5, 123456789012345.0}) {
    EXPECT_EQ(StrToFloat(FloatToStr(v)), v);
  }
  const struct {
    const char16_t* text;
    bool ok;
    double value;
  } cases[] = {{u" 2.5 ", true, 2.5}, {u"+3", true, 3}, {u"-1E3", true, -1000}, {u"", false, 0},
               {u"1,5", false, 0},    {u"2.5x", false, 0}, {u"+-1", false, 0},  {u"\u00BD", false, 0}};
  for (const auto& c : cases) {
    double v = -7;
    EXPECT_EQ(TryStrToFloat(c.text, v), c.ok) << StringToUtf8(c.text);
    if (c.ok) EXPECT_EQ(v, c.value);
  }
  EXPECT_THROW(StrToFloat(u"abc"), EConvertError);
}

TEST(Text, CaseTrimAndCompare) {
  EXPECT_EQ(UpperCase(u"abc\u00e9"), u"ABC\u00e9") << "only A-Z";
  EXPECT_EQ(LowerCase(u"ABC\u00c9"), u"abc\u00c9");
  EXPECT_TRUE(SameText(u"Hello", u"hELLO"));
  EXPECT_FALSE(SameText(u"Hello", u"Hell"));
  EXPECT_LT(CompareText(u"apple", u"BANANA"), 0);
  EXPECT_GT(CompareText(u"b", u"A"), 0);
  EXPECT_EQ(CompareText(u"Same", u"sAME"), 0);
  EXPECT_EQ(AnsiCompareText(u"\u00e9t\u00e9", u"\u00c9T\u00c9"), 0);
  EXPECT_EQ(Trim(u" \t a b \r\n"), u"a b");
  EXPECT_EQ(TrimLeft(u"  a "), u"a ");
  EXPECT_EQ(TrimRight(u"  a "), u"  a");
  EXPECT_EQ(Trim(u"   "), u"");
}

TEST(Text, StringReplaceOnceAllAndIgnoringCase) {
  EXPECT_EQ(StringReplace(u"a-b-c", u"-", u"+", 0), u"a+b-c");
  EXPECT_EQ(StringReplace(u"a-b-c", u"-", u"+", rfReplaceAll), u"a+b+c");
  EXPECT_EQ(StringReplace(u"Foo foo FOO", u"foo", u"x", rfReplaceAll), u"Foo x FOO");
  EXPECT_EQ(StringReplace(u"Foo foo FOO", u"foo", u"x", rfReplaceAll | rfIgnoreCase), u"x x x");
  EXPECT_EQ(StringReplace(u"aaa", u"aa", u"a", rfReplaceAll), u"aa") << "replacements are not scanned again";
  EXPECT_EQ(StringReplace(u"abc", u"", u"x", rfReplaceAll), u"abc");
}

TEST(Text, QuotingRoundTrips) {
  EXPECT_EQ(QuotedStr(u"it's"), u"'it''s'");
  EXPECT_EQ(AnsiDequotedStr(u"'it''s'", u'\''), u"it's");
  EXPECT_EQ(AnsiDequotedStr(u"\"a\"\"b\"", u'"'), u"a\"b");
  EXPECT_EQ(AnsiDequotedStr(u"plain", u'\''), u"plain");
  EXPECT_EQ(AnsiDequotedStr(u"'open", u'\''), u"'open");
  EXPECT_EQ(AnsiDequotedStr(u"", u'\''), u"");
}

TEST(Paths, SplitAndChangeBackslashPaths) {
  struct Case {
    const char16_t* path;
    const char16_t* dir;
    const char16_t* name;
    const char16_t* ext;
    const char16_t* changed;  // ChangeFileExt(path, ".bak")
  } cases[] = {
      {u"C:\\fonts\\arial.ttf", u"C:\\fonts\\", u"arial.ttf", u".ttf", u"C:\\fonts\\arial.bak"},
      {u"C:\\a.dir\\readme", u"C:\\a.dir\\", u"readme", u"", u"C:\\a.dir\\readme.bak"},
      {u"C:name.txt", u"C:", u"name.txt", u".txt", u"C:name.bak"},
      {u"archive.tar.gz", u"", u"archive.tar.gz", u".gz", u"archive.tar.bak"},
      {u"\\\\server\\share\\", u"\\\\server\\share\\", u"", u"", u"\\\\server\\share\\.bak"},
      {u"", u"", u"", u"", u".bak"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.path), c.dir) << N(c.path);
    EXPECT_EQ(ExtractFileName(c.path), c.name) << N(c.path);
    EXPECT_EQ(ExtractFileExt(c.path), c.ext) << N(c.path);
    EXPECT_EQ(ChangeFileExt(c.path, u".bak"), c.changed) << N(c.path);
  }
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"C:\\x"), u"C:\\x\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"C:\\x\\"), u"C:\\x\\");
  // One delimiter goes, so a drive root becomes the drive alone.
  const std::pair<const char16_t*, const char16_t*> excluded[] = {
      {u"C:\\x\\", u"C:\\x"}, {u"C:\\x", u"C:\\x"}, {u"D:\\", u"D:"}, {u"\\", u""},
      {u"", u""},           {u"a\\\\", u"a\\"},
  };
  for (const auto& [path, without] : excluded) EXPECT_EQ(ExcludeTrailingPathDelimiter(path), without) << N(path);
}
