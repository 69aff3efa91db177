#include "skin/engine/core/skin_ini.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(SkinIni, IntegersInThePlatformsSyntax) {
  struct Case {
    const char16_t* text;
    bool ok;
    int value;
  } cases[] = {{u"12", true, 12},          {u"-5", true, -5},          {u"+7", true, 7},
               {u"$FF", true, 255},        {u"0x10", true, 16},        {u"0XfF", true, 255},
               {u"-$10", true, -16},       {u"$FFFFFFFF", true, -1},   {u" 42 ", true, 42},
               {u"2147483647", true, 2147483647}, {u"-2147483648", true, INT32_MIN},
               {u"2147483648", false, 0},  {u"$100000000", false, 0},  {u"", false, 0},
               {u"0x", false, 0},          {u"1.5", false, 0},         {u"12a", false, 0},
               {u"N/A", false, 0}};
  for (const Case& c : cases) {
    int v = 0;
    EXPECT_EQ(ParseIniInteger(c.text, v), c.ok) << fw::StringToUtf8(c.text);
    if (c.ok) {
      EXPECT_EQ(v, c.value) << fw::StringToUtf8(c.text);
    }
  }
}

TEST(SkinIni, SectionsAndKeysCompareExactly) {
  TSkinIni ini(u"; comment\r\n[EDIT]\r\nCOLOR=5\r\ncolor=6\r\n[edit]\r\nCOLOR=7\r\n[EDIT]\r\nSTATES = 2 \r\n");
  EXPECT_EQ(ini.ReadInteger(u"EDIT", u"COLOR", -1), 5);
  EXPECT_EQ(ini.ReadInteger(u"EDIT", u"color", -1), 6);
  EXPECT_EQ(ini.ReadInteger(u"edit", u"COLOR", -1), 7);
  EXPECT_EQ(ini.ReadInteger(u"EDIT", u"STATES", -1), 2);  // a repeated section continues
  EXPECT_EQ(ini.ReadInteger(u"Edit", u"COLOR", -1), -1);
  EXPECT_EQ(ini.ReadString(u"EDIT", u"MISSING", u"?"), u"?");
  ASSERT_EQ(ini.Sections().size(), 2u);
  EXPECT_DOUBLE_EQ(TSkinIni(u"[G]\nVERSION=8.25\n").ReadFloat(u"G", u"VERSION", 0), 8.25);
  EXPECT_DOUBLE_EQ(TSkinIni(u"[G]\nVERSION=8,25\n").ReadFloat(u"G", u"VERSION", 0), 0);
}

}  // namespace
}  // namespace skin
