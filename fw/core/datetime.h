// Date and time values: TDateTime counts days since 1899-12-30, the fraction
// is the time of day. Before that day the whole part counts backwards and
// the fraction still measures the time of day (-1.25 is 1899-12-29 06:00).
#pragma once

#include <cstdint>

#include "fw/core/types.h"

namespace fw {

constexpr int64_t MSecsPerDay = 86400000;

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Raise EConvertError "Invalid argument to date encode" / "Invalid argument
// to time encode" for values out of range (years 1..9999).
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int msec);
void DecodeDate(TDateTime value, uint16_t& year, uint16_t& month, uint16_t& day);
void DecodeTime(TDateTime value, uint16_t& hour, uint16_t& minute, uint16_t& second, uint16_t& msec);

// The local date and time.
TDateTime Now();

// Formats with yyyy (yy), mm (m), dd (d), hh (h), nn (n), ss (s) and zzz
// (z), letters in either case; every other character is copied.
String FormatDateTime(StringView format, TDateTime value);
// "yyyy-mm-dd hh:nn:ss"
String DateTimeToStr(TDateTime value);

}  // namespace fw
