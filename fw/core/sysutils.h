// Text, number and file-name routines of the framework: Format, integer and
// float conversions, case and trimming, replacement, quoting and paths.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <type_traits>

#include "fw/core/types.h"

namespace fw {

// One argument of Format: an integer, a floating-point value or a string.
class TVarRec {
 public:
  enum TKind { vtInteger, vtExtended, vtString };

  template <typename T>
    requires(std::is_integral_v<T> && !std::is_same_v<T, char16_t> && !std::is_same_v<T, char>)
  TVarRec(T v) : FKind(vtInteger), FInt(static_cast<int64_t>(v)), FUnsigned(std::is_unsigned_v<T> && sizeof(T) == 8) {}
  template <typename T>
    requires std::is_floating_point_v<T>
  TVarRec(T v) : FKind(vtExtended), FFloat(static_cast<double>(v)) {}
  TVarRec(const String& s) : FKind(vtString), FStr(s) {}
  TVarRec(StringView s) : FKind(vtString), FStr(s) {}
  TVarRec(const char16_t* s) : FKind(vtString), FStr(s ? StringView(s) : StringView()) {}

  TKind Kind() const { return FKind; }
  int64_t AsInteger() const { return FInt; }
  // True for a 64-bit unsigned value stored in AsInteger's bits.
  bool IsUnsigned64() const { return FUnsigned; }
  double AsExtended() const { return FFloat; }
  StringView AsString() const { return FStr; }

 private:
  TKind FKind;
  int64_t FInt = 0;
  bool FUnsigned = false;
  double FFloat = 0;
  StringView FStr;
};

// printf-like formatting: %[index:][-][width][.precision]type with the types
// d u x e f g s and %% (width and precision may be *). Raises EConvertError
// "Format '<format>' invalid or incompatible with argument".
String Format(StringView format, std::initializer_list<TVarRec> args);

String IntToStr(int64_t value);
// Upper-case hexadecimal with at least digits digits.
String IntToHex(uint64_t value, int digits);
// Decimal with an optional sign, or hexadecimal after '$' or "0x"; leading
// blanks are allowed. StrToInt raises EConvertError
// "'<text>' is not a valid integer value".
int StrToInt(StringView s);
int StrToIntDef(StringView s, int defaultValue);
bool TryStrToInt(StringView s, int& value);
bool TryStrToInt64(StringView s, int64_t& value);

// Shortest text that keeps 15 significant digits; scientific notation
// ("1.5E20", "1E-5") below 0.0001 or from 1E15 on.
String FloatToStr(double value);
// The reverse, with "." as the decimal separator and an optional exponent;
// surrounding blanks are allowed. StrToFloat raises EConvertError
// "'<text>' is not a valid floating point value".
bool TryStrToFloat(StringView s, double& value);
double StrToFloat(StringView s);

// Case mapping of the letters A-Z only, as the framework does it.
String UpperCase(StringView s);
String LowerCase(StringView s);
// Ordinal comparison ignoring the case of A-Z: <0, 0 or >0.
int CompareText(StringView a, StringView b);
bool SameText(StringView a, StringView b);
// Ordinal comparison ignoring case for Latin, Greek and Cyrillic letters; the
// order of sorted string lists.
int AnsiCompareText(StringView a, StringView b);
int AnsiCompareStr(StringView a, StringView b);
char16_t AnsiUpperChar(char16_t c);

// Remove characters up to the space (blanks and control characters).
String Trim(StringView s);
String TrimLeft(StringView s);
String TrimRight(StringView s);

enum TReplaceFlag : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };
String StringReplace(StringView s, StringView oldPattern, StringView newPattern, unsigned flags);

// 'text' with embedded quotes doubled.
String QuotedStr(StringView s);
String AnsiQuotedStr(StringView s, char16_t quote);
// Undoes AnsiQuotedStr; text that does not start with the quote, or whose
// closing quote is missing, comes back unchanged.
String AnsiDequotedStr(StringView s, char16_t quote);

// Paths with backslashes; a drive colon also ends the directory part.
String IncludeTrailingPathDelimiter(StringView path);
// The path without one trailing backslash ("D:\" becomes "D:").
String ExcludeTrailingPathDelimiter(StringView path);
String ExtractFilePath(StringView fileName);
String ExtractFileName(StringView fileName);
// The extension with its dot, or empty.
String ExtractFileExt(StringView fileName);
String ChangeFileExt(StringView fileName, StringView extension);

}  // namespace fw
