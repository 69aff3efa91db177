#include "fw/core/datetime.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

#include "fw/core/exceptions.h"

namespace fw {

namespace {

// Day 0 is 1899-12-30; 1970-01-01 is day 25569.
constexpr int64_t kUnixEpochDay = 25569;

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y += m <= 2;
}

// Splits a value into its day number and the milliseconds of that day.
void SplitDateTime(TDateTime value, int64_t& day, int64_t& msec) {
  double total = std::round(std::fabs(value) * static_cast<double>(MSecsPerDay));
  if (!(total < 9.0e15)) total = 0;  // NaN and values far beyond year 9999
  int64_t t = static_cast<int64_t>(total);
  day = t / MSecsPerDay;
  if (value < 0) day = -day;
  msec = t % MSecsPerDay;
}

String Pad(int64_t v, int width) {
  String s;
  bool negative = v < 0;
  uint64_t u = negative ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
  do {
    s.insert(s.begin(), static_cast<char16_t>(u'0' + u % 10));
    u /= 10;
  } while (u);
  if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<size_t>(width) - s.size(), u'0');
  if (negative) s.insert(s.begin(), u'-');
  return s;
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

TDateTime EncodeDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
    throw EConvertError(u"Invalid argument to date encode");
  }
  return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kUnixEpochDay);
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0 || msec > 999) {
    throw EConvertError(u"Invalid argument to time encode");
  }
  return static_cast<double>(((hour * 60 + minute) * 60 + second) * 1000 + msec) / static_cast<double>(MSecsPerDay);
}

void DecodeDate(TDateTime value, uint16_t& year, uint16_t& month, uint16_t& day) {
  int64_t days, msec;
  SplitDateTime(value, days, msec);
  int64_t y;
  unsigned m, d;
  CivilFromDays(days - kUnixEpochDay, y, m, d);
  year = static_cast<uint16_t>(y);
  month = static_cast<uint16_t>(m);
  day = static_cast<uint16_t>(d);
}

void DecodeTime(TDateTime value, uint16_t& hour, uint16_t& minute, uint16_t& second, uint16_t& msec) {
  int64_t days, ms;
  SplitDateTime(value, days, ms);
  msec = static_cast<uint16_t>(ms % 1000);
  second = static_cast<uint16_t>(ms / 1000 % 60);
  minute = static_cast<uint16_t>(ms / 60000 % 60);
  hour = static_cast<uint16_t>(ms / 3600000);
}

TDateTime Now() {
  auto now = std::chrono::system_clock::now();
  std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &t);
#else
  localtime_r(&t, &local);
#endif
  int ms = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
         EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), ms);
}

String FormatDateTime(StringView format, TDateTime value) {
  uint16_t year, month, day, hour, minute, second, msec;
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, minute, second, msec);
  String out;
  size_t i = 0;
  while (i < format.size()) {
    char16_t c = format[i];
    char16_t lower = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
    size_t run = 1;
    if (lower == u'y' || lower == u'm' || lower == u'd' || lower == u'h' || lower == u'n' || lower == u's' ||
        lower == u'z') {
      while (i + run < format.size() && (format[i + run] | 0x20) == lower) ++run;
    } else {
      out.push_back(c);
      ++i;
      continue;
    }
    const int w = run >= 2 ? 2 : 1;
    switch (lower) {
      case u'y': out += run >= 3 ? Pad(year, 4) : Pad(year % 100, 2); break;
      case u'm': out += Pad(month, w); break;
      case u'd': out += Pad(day, w); break;
      case u'h': out += Pad(hour, w); break;
      case u'n': out += Pad(minute, w); break;
      case u's': out += Pad(second, w); break;
      default: out += Pad(msec, run >= 3 ? 3 : 1); break;
    }
    i += run;
  }
  return out;
}

String DateTimeToStr(TDateTime value) { return FormatDateTime(u"yyyy-mm-dd hh:nn:ss", value); }

}  // namespace fw
