// Number and date formatting in the user's locale (from the system's locale
// information) or in the invariant one (fixed separators and names), so that
// texts shown to the user follow the locale and texts stored in files never
// depend on it.
#pragma once

#include <array>

#include "fw/core/types.h"

namespace fw {

struct TFormatSettings {
  char16_t DecimalSeparator = u'.';
  char16_t ThousandSeparator = u',';
  char16_t DateSeparator = u'/';
  char16_t TimeSeparator = u':';
  // Pictures in FormatDateTime's codes (d, m, y for dates; h, n, s for times).
  String ShortDateFormat = u"MM/dd/yyyy";
  String LongDateFormat = u"dddd, mmmm d, yyyy";
  String ShortTimeFormat = u"hh:nn";
  String LongTimeFormat = u"hh:nn:ss";
  String TimeAMString = u"AM";
  String TimePMString = u"PM";
  std::array<String, 12> ShortMonthNames;
  std::array<String, 12> LongMonthNames;
  std::array<String, 7> ShortDayNames;  // Sunday first
  std::array<String, 7> LongDayNames;
};

// Facts of the system's locale. MiddleEast: the system shows languages
// written right to left (Arabic, Hebrew), so that right-to-left reading
// modes of controls and menus take effect.
struct TSysLocale {
  bool MiddleEast = false;
};
// Read from the system at start-up (tests may change it).
extern TSysLocale SysLocale;

// The invariant settings: "." and ",", English names, month/day/year.
const TFormatSettings& InvariantFormatSettings();
// The settings of a locale (the user's by default), read from the system each
// call; the Windows date and time pictures are translated into our codes.
TFormatSettings LocaleFormatSettings(unsigned long lcid = 0x0400 /* LOCALE_USER_DEFAULT */);
// The user's settings, read once and kept.
const TFormatSettings& UserFormatSettings();

// Formats a number by a picture: "0" a digit always shown, "#" a digit shown
// when significant, "." the decimal separator, "," anywhere before it turns
// on thousand separators, "E+"/"E-" scientific notation, text in quotes
// literal; up to three sections "positive;negative;zero". An empty picture
// gives the shortest general form.
String FormatFloat(StringView format, double value, const TFormatSettings& settings);
String FormatFloat(StringView format, double value);  // user's settings

// Formats a date-time by a picture in the given settings: d dd ddd dddd
// ddddd (short date) dddddd (long date), m mm mmm mmmm (months; minutes
// after h), yy yyyy, h hh, n nn, s ss, z zzz, t (short time), tt (long time),
// am/pm a/p ampm, c (short date, and long time unless midnight), "/" and ":"
// the settings' separators, text in quotes literal. (The two-argument
// FormatDateTime of the core is the fixed, locale-free form.)
String FormatDateTime(StringView format, TDateTime value, const TFormatSettings& settings);

// The short date and long time ("c") in the given settings: pass
// UserFormatSettings() for texts shown to the user.
String DateTimeToStr(TDateTime value, const TFormatSettings& settings);

}  // namespace fw
