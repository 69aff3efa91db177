#include "fw/platform/locale.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <oleauto.h>

#include <cmath>

namespace fw {
namespace {

TEST(Locale, FormatFloatPictures) {
  TFormatSettings comma = InvariantFormatSettings();
  comma.DecimalSeparator = u',';
  comma.ThousandSeparator = u'.';
  struct Case {
    const char16_t* picture;
    double value;
    const char16_t* invariant;
    const char16_t* withComma;
  } cases[] = {
      {u"0.00", 3.14159, u"3.14", u"3,14"},
      {u"#,##0.00", 1234567.891, u"1,234,567.89", u"1.234.567,89"},
      {u"#,##0", -1234.5, u"-1,235", u"-1.235"},
      {u"0.###", 2.5, u"2.5", u"2,5"},
      {u"#.##", 0.5, u".5", u",5"},
      {u"000", 7, u"007", u"007"},
      {u"0.00 \"%\"", 93.456, u"93.46 %", u"93,46 %"},
      {u"0.0;(0.0);zero", -2.25, u"(2.3)", u"(2,3)"},
      {u"0.0;(0.0);\"zero\"", 0.01, u"zero", u"zero"},
      {u"0.00E+00", 12345.0, u"1.23E+04", u"1,23E+04"},
      {u"0.0E-0", 0.00012, u"1.2E-4", u"1,2E-4"},
      {u"", 1.5, u"1.5", u"1,5"},
      {u"0", std::nan(""), u"NAN", u"NAN"},
      {u"0.00", 2.675, u"2.68", u"2,68"},
      {u"0", 999.5, u"1000", u"1000"},
      {u"#,##0", 0.4, u"0", u"0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatFloat(c.picture, c.value, InvariantFormatSettings()), c.invariant)
        << StringToUtf8(c.picture);
    EXPECT_EQ(FormatFloat(c.picture, c.value, comma), c.withComma) << StringToUtf8(c.picture);
  }
}

TEST(Locale, FormatDateTimePictures) {
  // 2024-03-05 14:07:09.045, a Tuesday.
  const TDateTime t = 45356.0 + (14 * 3600 + 7 * 60 + 9.045) / 86400.0;
  const TFormatSettings& inv = InvariantFormatSettings();
  struct Case {
    const char16_t* picture;
    const char16_t* expected;
  } cases[] = {
      {u"hh:nn:ss.zzz", u"14:07:09.045"},
      {u"yyyy-mm-dd", u"2024-03-05"},
      {u"d/m/yy", u"5/3/24"},
      {u"h:mm am/pm", u"2:07 pm"},
      {u"hh:mm AMPM", u"02:07 PM"},
      {u"ddd, mmm d", u"Tue, Mar 5"},
      {u"dddd d mmmm yyyy", u"Tuesday 5 March 2024"},
      {u"c", u"03/05/2024 14:07:09"},
      {u"'at' hh\"h\"", u"at 14h"},
      {u"ddddd tt", u"03/05/2024 14:07:09"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatDateTime(c.picture, t, inv), c.expected) << StringToUtf8(c.picture);
  }
  // Midnight shows the date alone; a date before 1899-12-30 keeps its time.
  EXPECT_EQ(DateTimeToStr(45356.0, inv), u"03/05/2024");
  EXPECT_EQ(FormatDateTime(u"yyyy-mm-dd hh:nn", -1.25, inv), u"1899-12-29 06:00");
}

String SystemDate(LCID lcid, const SYSTEMTIME& st, DWORD flags) {
  wchar_t buf[128];
  int n = GetDateFormatW(lcid, flags, &st, nullptr, buf, 128);
  return n > 0 ? FromW(buf, n - 1) : String();
}

String SystemTime(LCID lcid, const SYSTEMTIME& st) {
  wchar_t buf[128];
  int n = GetTimeFormatW(lcid, 0, &st, nullptr, buf, 128);
  return n > 0 ? FromW(buf, n - 1) : String();
}

TEST(Locale, SettingsFollowTheSystemLocale) {
  // 2024-03-05 18:07:09 and 2024-11-23 09:45:01: one- and two-digit parts.
  const SYSTEMTIME times[] = {{2024, 3, 2, 5, 18, 7, 9, 0}, {2024, 11, 6, 23, 9, 45, 1, 0}};
  // Long dates only where months have one form: the system writes Russian
  // months after a day number in the genitive, which the pictures cannot say.
  const struct {
    LANGID lang;
    bool longDate;
  } languages[] = {{MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), true},
                   {MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), true},
                   {MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH), true},
                   {MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT), false},
                   {MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), true},
                   {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK), true}};
  for (auto [lang, longDate] : languages) {
    const LCID lcid = MAKELCID(lang, SORT_DEFAULT);
    const TFormatSettings s = LocaleFormatSettings(lcid);
    for (const SYSTEMTIME& st : times) {
      double t = 0;
      SYSTEMTIME copy = st;
      ASSERT_TRUE(SystemTimeToVariantTime(&copy, &t));
      EXPECT_EQ(FormatDateTime(u"ddddd", t, s), SystemDate(lcid, st, DATE_SHORTDATE)) << lang;
      if (longDate)
        EXPECT_EQ(FormatDateTime(u"dddddd", t, s), SystemDate(lcid, st, DATE_LONGDATE)) << lang;
      EXPECT_EQ(FormatDateTime(u"tt", t, s), SystemTime(lcid, st)) << lang;
    }
  }
  // German numbers: "," decimal, "." thousands, and the names of the locale.
  TFormatSettings de = LocaleFormatSettings(MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT));
  EXPECT_EQ(FormatFloat(u"#,##0.00", 1234.5, de), u"1.234,50");
  EXPECT_EQ(de.LongMonthNames[2], u"M\u00e4rz");
  EXPECT_EQ(de.LongDayNames[0], u"Sonntag");
  // The user's settings are the system's for the user's locale.
  wchar_t dec[8];
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, dec, 8);
  EXPECT_EQ(UserFormatSettings().DecimalSeparator, static_cast<char16_t>(dec[0]));
  EXPECT_EQ(FormatFloat(u"0.0", 1.25), FormatFloat(u"0.0", 1.25, UserFormatSettings()));
}

}  // namespace
}  // namespace fw
