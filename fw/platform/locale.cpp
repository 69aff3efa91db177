#include "fw/platform/locale.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace fw {

TSysLocale SysLocale{GetSystemMetrics(SM_MIDEASTENABLED) != 0};

namespace {

String Pad(long long v, int width) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*lld", width, v);
  return Utf8ToString(buf);
}

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; }

bool StartsNoCase(const String& s, size_t i, const char16_t* what) {
  for (size_t k = 0; what[k]; ++k)
    if (i + k >= s.size() || Lower(s[i + k]) != what[k]) return false;
  return true;
}

// ---- calendar -------------------------------------------------------------

// Days since 1970-01-01 to year/month/day (proleptic Gregorian).
void CivilFromDays(long long z, int& y, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

constexpr long long kDelta1970 = 25569;  // 1899-12-30 to 1970-01-01

struct Parts {
  int year, month, day, hour, minute, second, ms, dayOfWeek;  // dayOfWeek 0 = Sunday
};

Parts Decode(TDateTime v) {
  Parts p{};
  double whole = std::trunc(v);
  // Dates before 1899-12-30 carry their time as a positive fraction.
  double frac = std::fabs(v - whole);
  long long msOfDay = std::llround(frac * 86400000.0);
  if (msOfDay >= 86400000) msOfDay = 86399999;
  long long days = static_cast<long long>(whole);
  CivilFromDays(days - kDelta1970, p.year, p.month, p.day);
  p.dayOfWeek = static_cast<int>(((days - kDelta1970) % 7 + 7 + 4) % 7);  // 1970-01-01: Thursday
  p.hour = static_cast<int>(msOfDay / 3600000);
  p.minute = static_cast<int>(msOfDay / 60000 % 60);
  p.second = static_cast<int>(msOfDay / 1000 % 60);
  p.ms = static_cast<int>(msOfDay % 1000);
  return p;
}

// ---- locale ---------------------------------------------------------------

String LocaleText(LCID lcid, LCTYPE type, const String& def) {
  wchar_t buf[128];
  int n = GetLocaleInfoW(lcid, type, buf, 128);
  if (n <= 1) return def;
  return FromW(buf, static_cast<size_t>(n - 1));
}

// Rewrites a Windows date or time picture into our codes: quoted text stays
// literal text, letter() turns the code at pic[i] into ours (and may step i
// past a run of it), returning false for anything that is no code, which
// then stays as literal text too.
template <class LetterFn>
String FromWindowsPicture(const String& pic, LetterFn letter) {
  String out;
  for (size_t i = 0; i < pic.size(); ++i) {
    char16_t c = pic[i];
    if (c == u'\'') {
      size_t e = pic.find(u'\'', i + 1);
      if (e == String::npos) e = pic.size();
      out += u"\"" + pic.substr(i + 1, e - i - 1) + u"\"";
      i = e;
    } else if (!letter(c, i, out)) {
      out += u"\"" + String(1, c) + u"\"";
    }
  }
  return out;
}

// Windows date pictures (d M y g, quoted text) into our codes.
String FromWindowsDatePicture(const String& pic, char16_t dateSep) {
  return FromWindowsPicture(pic, [&](char16_t c, size_t&, String& out) {
    if (c == u'M') {
      out += u'm';
    } else if (c == u'd' || c == u'y') {
      out += c;
    } else if (c == u'g') {
      // era names are not shown
    } else if (c == dateSep) {
      out += u'/';
    } else {
      return false;
    }
    return true;
  });
}

// Windows time pictures (h H m s t, quoted text) into our codes.
String FromWindowsTimePicture(const String& pic, char16_t timeSep) {
  return FromWindowsPicture(pic, [&](char16_t c, size_t& i, String& out) {
    if (c == u'h' || c == u'H') {
      out += u'h';
    } else if (c == u'm') {
      out += u'n';
    } else if (c == u's') {
      out += u's';
    } else if (c == u't') {
      while (i + 1 < pic.size() && pic[i + 1] == u't') ++i;
      out += u"ampm";
    } else if (c == timeSep) {
      out += u':';
    } else {
      return false;
    }
    return true;
  });
}

TFormatSettings MakeInvariant() {
  TFormatSettings s;
  s.ShortMonthNames = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                       u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
  s.LongMonthNames = {u"January", u"February", u"March",     u"April",   u"May",      u"June",
                      u"July",    u"August",   u"September", u"October", u"November", u"December"};
  s.ShortDayNames = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
  s.LongDayNames = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                    u"Thursday", u"Friday", u"Saturday"};
  return s;
}

// ---- FormatFloat ----------------------------------------------------------

struct Picture {
  String prefix, suffix;
  int minInt = 0;
  int minDec = 0, maxDec = 0;
  bool thousands = false;
  bool scientific = false;
  bool expAlwaysSign = false;
  int expDigits = 0;
};

Picture ParsePicture(const String& sec) {
  Picture p;
  bool seenDigit = false, afterPoint = false;
  String* literal = &p.prefix;
  for (size_t i = 0; i < sec.size(); ++i) {
    char16_t c = sec[i];
    if (c == u'"' || c == u'\'') {
      size_t e = sec.find(c, i + 1);
      if (e == String::npos) e = sec.size();
      *literal += sec.substr(i + 1, e - i - 1);
      i = e;
    } else if (c == u'0' || c == u'#') {
      seenDigit = true;
      literal = &p.suffix;
      if (afterPoint) {
        ++p.maxDec;
        if (c == u'0') p.minDec = p.maxDec;
      } else if (c == u'0') {
        ++p.minInt;
      }
    } else if (c == u'.' && !afterPoint && !p.scientific) {
      afterPoint = true;
      seenDigit = true;
      literal = &p.suffix;
    } else if (c == u',' && !afterPoint) {
      p.thousands = true;
    } else if ((c == u'E' || c == u'e') && seenDigit && i + 1 < sec.size() &&
               (sec[i + 1] == u'+' || sec[i + 1] == u'-')) {
      p.scientific = true;
      p.expAlwaysSign = sec[i + 1] == u'+';
      i += 2;
      while (i < sec.size() && sec[i] == u'0' && p.expDigits < 4) {
        ++p.expDigits;
        ++i;
      }
      --i;
    } else {
      *literal += c;
    }
  }
  return p;
}

String GroupThousands(const String& digits, char16_t sep) {
  String out;
  int n = static_cast<int>(digits.size());
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += sep;
    out += digits[i];
  }
  return out;
}

// The decimal digits of v >= 0 to 15 significant places (the precision a
// double carries), so that 2.675 shows as 2.68 and not by its binary value:
// v = 0.d1d2...d15 * 10^exp10.
void DecimalDigits(double v, std::string& digits, int& exp10) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", v);
  std::string t = buf;
  size_t e = t.find('e');
  digits = t.substr(0, 1) + t.substr(2, e - 2);
  exp10 = std::stoi(t.substr(e + 1)) + 1;
  if (v == 0) exp10 = 1;
}

// Keeps `kept` digits, rounding half away from zero; a carry out of the
// first digit adds one to exp10.
void RoundDigits(std::string& digits, int& exp10, int kept) {
  if (kept < 0) {
    digits.assign(digits.size(), '0');
    return;
  }
  if (kept >= static_cast<int>(digits.size())) return;
  const bool up = digits[kept] >= '5';
  digits.resize(kept);
  if (up) {
    int i = kept - 1;
    for (; i >= 0 && digits[i] == '9'; --i) digits[i] = '0';
    if (i >= 0) {
      ++digits[i];
    } else {
      digits.insert(digits.begin(), '1');
      ++exp10;
    }
  }
}

// The digit at decimal position p (0 = units, 1 = tens, -1 = tenths).
char DigitAt(const std::string& digits, int exp10, int p) {
  int index = exp10 - 1 - p;
  return index >= 0 && index < static_cast<int>(digits.size()) ? digits[index] : '0';
}

// The absolute value by the picture, without sign.
String ApplyPicture(const Picture& p, double v, const TFormatSettings& s) {
  std::string digits;
  int exp10 = 0;
  DecimalDigits(v, digits, exp10);
  String intPart, frac, exponent;
  if (p.scientific) {
    int e = v == 0 ? 0 : exp10 - 1;
    int ex = exp10;
    RoundDigits(digits, ex, 1 + p.maxDec);
    if (ex != exp10) ++e;
    digits.resize(1 + p.maxDec, '0');
    intPart = String(1, static_cast<char16_t>(digits[0]));
    for (int i = 0; i < p.maxDec; ++i) frac += static_cast<char16_t>(digits[1 + i]);
    std::string ed = std::to_string(e < 0 ? -e : e);
    while (static_cast<int>(ed.size()) < p.expDigits) ed = "0" + ed;
    exponent = u"E" + String(e < 0 ? u"-" : (p.expAlwaysSign ? u"+" : u"")) + Utf8ToString(ed);
  } else {
    RoundDigits(digits, exp10, exp10 + p.maxDec);
    for (int pos = exp10 - 1; pos >= 0; --pos) intPart += static_cast<char16_t>(DigitAt(digits, exp10, pos));
    while (intPart.size() > 1 && intPart[0] == u'0') intPart.erase(0, 1);
    if (intPart.empty()) intPart = u"0";
    for (int i = 1; i <= p.maxDec; ++i) frac += static_cast<char16_t>(DigitAt(digits, exp10, -i));
  }
  while (static_cast<int>(frac.size()) > p.minDec && !frac.empty() && frac.back() == u'0')
    frac.pop_back();
  if (intPart == u"0" && p.minInt == 0) intPart.clear();
  while (static_cast<int>(intPart.size()) < p.minInt) intPart = u"0" + intPart;
  if (p.thousands) intPart = GroupThousands(intPart, s.ThousandSeparator);
  String out = intPart;
  if (!frac.empty()) out += s.DecimalSeparator + frac;
  return out + exponent;
}

std::vector<String> SplitSections(const String& f) {
  std::vector<String> out(1);
  for (size_t i = 0; i < f.size(); ++i) {
    char16_t c = f[i];
    if (c == u'"' || c == u'\'') {
      size_t e = f.find(c, i + 1);
      if (e == String::npos) e = f.size() - 1;
      out.back() += f.substr(i, e - i + 1);
      i = e;
    } else if (c == u';') {
      out.emplace_back();
    } else {
      out.back() += c;
    }
  }
  return out;
}

String GeneralFloat(double v, const TFormatSettings& s) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15G", v);
  String out = Utf8ToString(buf);
  for (char16_t& c : out)
    if (c == u'.') c = s.DecimalSeparator;
  return out;
}

// ---- FormatDateTime -------------------------------------------------------

void AppendDateTime(String& out, const String& f, const Parts& p, const TFormatSettings& s,
                    int depth) {
  if (depth > 2) return;  // pictures that name each other
  const bool twelveHour = [&] {
    for (size_t i = 0; i < f.size(); ++i)
      if (StartsNoCase(f, i, u"am/pm") || StartsNoCase(f, i, u"a/p") ||
          StartsNoCase(f, i, u"ampm"))
        return true;
    return false;
  }();
  bool lastWasHour = false;
  size_t i = 0;
  while (i < f.size()) {
    char16_t c = f[i];
    char16_t lc = Lower(c);
    size_t run = 1;
    while (i + run < f.size() && Lower(f[i + run]) == lc) ++run;
    if (c == u'"' || c == u'\'') {
      size_t e = f.find(c, i + 1);
      if (e == String::npos) e = f.size();
      out += f.substr(i + 1, e - i - 1);
      i = e + 1;
      continue;
    }
    if (StartsNoCase(f, i, u"am/pm")) {
      if (c == u'A') out += p.hour < 12 ? u"AM" : u"PM";
      else out += p.hour < 12 ? u"am" : u"pm";
      i += 5;
      continue;
    }
    if (StartsNoCase(f, i, u"ampm")) {
      out += p.hour < 12 ? s.TimeAMString : s.TimePMString;
      i += 4;
      continue;
    }
    if (StartsNoCase(f, i, u"a/p")) {
      bool upper = c == u'A';
      out += p.hour < 12 ? (upper ? u"A" : u"a") : (upper ? u"P" : u"p");
      i += 3;
      continue;
    }
    switch (lc) {
      case u'y':
        out += run <= 2 ? Pad(p.year % 100, 2) : Pad(p.year, 4);
        break;
      case u'm':
        if (lastWasHour && run <= 2) {
          out += run == 1 ? Pad(p.minute, 1) : Pad(p.minute, 2);
        } else if (run == 1) {
          out += Pad(p.month, 1);
        } else if (run == 2) {
          out += Pad(p.month, 2);
        } else if (run == 3) {
          out += s.ShortMonthNames[p.month - 1];
        } else {
          out += s.LongMonthNames[p.month - 1];
        }
        break;
      case u'd':
        if (run == 1) out += Pad(p.day, 1);
        else if (run == 2) out += Pad(p.day, 2);
        else if (run == 3) out += s.ShortDayNames[p.dayOfWeek];
        else if (run == 4) out += s.LongDayNames[p.dayOfWeek];
        else if (run == 5) AppendDateTime(out, s.ShortDateFormat, p, s, depth + 1);
        else AppendDateTime(out, s.LongDateFormat, p, s, depth + 1);
        break;
      case u'h': {
        int h = p.hour;
        if (twelveHour) {
          h %= 12;
          if (h == 0) h = 12;
        }
        out += run == 1 ? Pad(h, 1) : Pad(h, 2);
        break;
      }
      case u'n':
        out += run == 1 ? Pad(p.minute, 1) : Pad(p.minute, 2);
        break;
      case u's':
        out += run == 1 ? Pad(p.second, 1) : Pad(p.second, 2);
        break;
      case u'z':
        out += run < 3 ? Pad(p.ms, 1) : Pad(p.ms, 3);
        break;
      case u't':
        AppendDateTime(out, run == 1 ? s.ShortTimeFormat : s.LongTimeFormat, p, s, depth + 1);
        break;
      case u'c':
        AppendDateTime(out, s.ShortDateFormat, p, s, depth + 1);
        if (p.hour || p.minute || p.second || p.ms) {
          out += u' ';
          AppendDateTime(out, s.LongTimeFormat, p, s, depth + 1);
        }
        break;
      case u'/':
        out.append(run, s.DateSeparator);
        break;
      case u':':
        out.append(run, s.TimeSeparator);
        break;
      default:
        out.append(f, i, run);
        break;
    }
    // An hour code makes a following "m" mean minutes (with any text between).
    if (lc == u'h') lastWasHour = true;
    else if (lc == u'm' || lc == u'd' || lc == u'y' || lc == u's' || lc == u'n') lastWasHour = false;
    i += run;
  }
}

}  // namespace

const TFormatSettings& InvariantFormatSettings() {
  static const TFormatSettings s = MakeInvariant();
  return s;
}

TFormatSettings LocaleFormatSettings(unsigned long lcid) {
  TFormatSettings s = MakeInvariant();
  const LCID l = static_cast<LCID>(lcid);
  auto ch = [&](LCTYPE t, char16_t def) {
    String v = LocaleText(l, t, String());
    return v.empty() ? def : v[0];
  };
  s.DecimalSeparator = ch(LOCALE_SDECIMAL, u'.');
  s.ThousandSeparator = ch(LOCALE_STHOUSAND, u',');
  s.DateSeparator = ch(LOCALE_SDATE, u'/');
  s.TimeSeparator = ch(LOCALE_STIME, u':');
  s.ShortDateFormat =
      FromWindowsDatePicture(LocaleText(l, LOCALE_SSHORTDATE, u"MM/dd/yyyy"), s.DateSeparator);
  s.LongDateFormat =
      FromWindowsDatePicture(LocaleText(l, LOCALE_SLONGDATE, u"dddd, MMMM d, yyyy"), s.DateSeparator);
  s.LongTimeFormat =
      FromWindowsTimePicture(LocaleText(l, LOCALE_STIMEFORMAT, u"HH:mm:ss"), s.TimeSeparator);
  // The short time is the long one without seconds.
  String st = s.LongTimeFormat;
  for (size_t p; (p = st.find(u":ss")) != String::npos;) st.erase(p, 3);
  for (size_t p; (p = st.find(u":s")) != String::npos;) st.erase(p, 2);
  s.ShortTimeFormat = st;
  s.TimeAMString = LocaleText(l, LOCALE_S1159, u"AM");
  s.TimePMString = LocaleText(l, LOCALE_S2359, u"PM");
  for (int m = 0; m < 12; ++m) {
    s.LongMonthNames[m] = LocaleText(l, LOCALE_SMONTHNAME1 + m, s.LongMonthNames[m]);
    s.ShortMonthNames[m] = LocaleText(l, LOCALE_SABBREVMONTHNAME1 + m, s.ShortMonthNames[m]);
  }
  for (int d = 0; d < 7; ++d) {
    // The system lists Monday first.
    int ours = (d + 1) % 7;
    s.LongDayNames[ours] = LocaleText(l, LOCALE_SDAYNAME1 + d, s.LongDayNames[ours]);
    s.ShortDayNames[ours] = LocaleText(l, LOCALE_SABBREVDAYNAME1 + d, s.ShortDayNames[ours]);
  }
  return s;
}

const TFormatSettings& UserFormatSettings() {
  static const TFormatSettings s = LocaleFormatSettings(LOCALE_USER_DEFAULT);
  return s;
}

String FormatFloat(StringView format, double value, const TFormatSettings& s) {
  if (std::isnan(value)) return u"NAN";
  if (std::isinf(value)) return value > 0 ? u"INF" : u"-INF";
  if (format.empty()) return GeneralFloat(value, s);
  std::vector<String> sections = SplitSections(String(format));
  Picture pos = ParsePicture(sections[0]);
  const bool negative = value < 0;
  const double a = std::fabs(value);
  String body = ApplyPicture(pos, a, s);
  // The zero section is for values that show as zero in the first picture.
  bool showsZero = body.find_first_of(u"123456789") == String::npos;
  if (showsZero && sections.size() >= 3 && !sections[2].empty()) {
    Picture z = ParsePicture(sections[2]);
    return z.prefix + ApplyPicture(z, 0.0, s) + z.suffix;
  }
  if (negative && !showsZero) {
    if (sections.size() >= 2 && !sections[1].empty()) {
      Picture n = ParsePicture(sections[1]);
      return n.prefix + ApplyPicture(n, a, s) + n.suffix;
    }
    return u"-" + pos.prefix + body + pos.suffix;
  }
  return pos.prefix + body + pos.suffix;
}

String FormatFloat(StringView format, double value) {
  return FormatFloat(format, value, UserFormatSettings());
}

String FormatDateTime(StringView format, TDateTime value, const TFormatSettings& s) {
  String out;
  AppendDateTime(out, format.empty() ? String(u"c") : String(format), Decode(value), s, 0);
  return out;
}

String DateTimeToStr(TDateTime value, const TFormatSettings& settings) {
  return FormatDateTime(u"c", value, settings);
}

}  // namespace fw
