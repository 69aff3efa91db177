#include "fw/core/sysutils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "fw/core/exceptions.h"

namespace fw {

namespace {

// A finite value as decimal digits: value = 0.d1d2d3... x 10^exponent.
// Digits carry no trailing zeros; zero has no digits.
struct Decimal {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

// Values keep 15 significant digits, then are rounded half away from zero
// at the digit the caller asks for: 0.15 shows as 0.2 with one decimal.
constexpr int kSignificantDigits = 15;

void StripTrailingZeros(Decimal& d) {
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) d.exponent = 0;
}

Decimal ToDecimal(double v) {
  Decimal d;
  d.negative = std::signbit(v);
  v = std::fabs(v);
  if (v == 0) return d;
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, kSignificantDigits - 1);
  std::string_view text(buf, static_cast<size_t>(r.ptr - buf));  // "d.ddddde+XX"
  size_t e = text.find('e');
  for (size_t i = 0; i < e; ++i) {
    if (text[i] != '.') d.digits.push_back(text[i]);
  }
  int exp10 = 0;
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exp10);
  d.exponent = exp10 + 1;
  StripTrailingZeros(d);
  return d;
}

// Keeps count significant digits, rounding half away from zero.
void RoundDigits(Decimal& d, int count) {
  if (static_cast<int>(d.digits.size()) <= count) return;
  if (count < 0) {
    d.digits.clear();
    d.exponent = 0;
    return;
  }
  bool up = d.digits[static_cast<size_t>(count)] >= '5';
  d.digits.resize(static_cast<size_t>(count));
  if (up) {
    int i = count - 1;
    while (i >= 0 && d.digits[static_cast<size_t>(i)] == '9') d.digits[static_cast<size_t>(i--)] = '0';
    if (i < 0) {
      d.digits.insert(d.digits.begin(), '1');
      ++d.exponent;
    } else {
      ++d.digits[static_cast<size_t>(i)];
    }
  }
  StripTrailingZeros(d);
}

char DigitAt(const Decimal& d, int i) {
  return i >= 0 && i < static_cast<int>(d.digits.size()) ? d.digits[static_cast<size_t>(i)] : '0';
}

// Returns true and sets text for NaN and the infinities.
bool SpecialFloat(double v, String& text) {
  if (std::isnan(v)) {
    text = u"NAN";
  } else if (std::isinf(v)) {
    text = v < 0 ? u"-INF" : u"INF";
  } else {
    return false;
  }
  return true;
}

String FixedText(double v, int decimals) {
  String special;
  if (SpecialFloat(v, special)) return special;
  Decimal d = ToDecimal(v);
  RoundDigits(d, d.exponent + decimals);
  std::string out;
  if (d.negative && !d.digits.empty()) out.push_back('-');
  if (d.exponent <= 0) {
    out.push_back('0');
  } else {
    for (int i = 0; i < d.exponent; ++i) out.push_back(DigitAt(d, i));
  }
  if (decimals > 0) {
    out.push_back('.');
    for (int k = 0; k < decimals; ++k) out.push_back(DigitAt(d, d.exponent + k));
  }
  return Utf8ToString(out);
}

String ScientificText(double v, int precision) {
  String special;
  if (SpecialFloat(v, special)) return special;
  Decimal d = ToDecimal(v);
  RoundDigits(d, precision);
  std::string out;
  if (d.negative && !d.digits.empty()) out.push_back('-');
  out.push_back(DigitAt(d, 0));
  if (precision > 1) {
    out.push_back('.');
    for (int i = 1; i < precision; ++i) out.push_back(DigitAt(d, i));
  }
  int e = d.digits.empty() ? 0 : d.exponent - 1;
  out.push_back('E');
  out.push_back(e < 0 ? '-' : '+');
  std::string digits = std::to_string(std::abs(e));
  out.append(digits.size() < 3 ? 3 - digits.size() : 0, '0');
  out += digits;
  return Utf8ToString(out);
}

String GeneralText(double v, int precision) {
  String special;
  if (SpecialFloat(v, special)) return special;
  Decimal d = ToDecimal(v);
  RoundDigits(d, precision);
  if (d.digits.empty()) return u"0";
  std::string out;
  if (d.negative) out.push_back('-');
  const int n = static_cast<int>(d.digits.size());
  const int e = d.exponent;
  if (e > precision || e < -3) {
    out.push_back(d.digits[0]);
    if (n > 1) {
      out.push_back('.');
      out.append(d.digits, 1);
    }
    out.push_back('E');
    out += std::to_string(e - 1);
  } else if (e <= 0) {
    out += "0.";
    out.append(static_cast<size_t>(-e), '0');
    out += d.digits;
  } else {
    for (int i = 0; i < e; ++i) out.push_back(DigitAt(d, i));
    if (n > e) {
      out.push_back('.');
      out.append(d.digits, static_cast<size_t>(e));
    }
  }
  return Utf8ToString(out);
}

String UnsignedText(uint64_t v, int base) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, v, base);
  String out(buf, r.ptr);
  for (char16_t& c : out) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  }
  return out;
}

[[noreturn]] void FormatError(StringView format) {
  throw EConvertError(u"Format '" + String(format) + u"' invalid or incompatible with argument");
}

// Widths and precisions beyond this are taken as a broken format rather
// than as a request for megabytes of padding.
constexpr int kMaxFormatNumber = 100000;

}  // namespace

String Format(StringView format, std::initializer_list<TVarRec> args) {
  const TVarRec* argv = args.begin();
  const size_t argc = args.size();
  size_t next = 0;
  String out;
  const size_t n = format.size();
  size_t i = 0;
  auto nextArg = [&]() -> const TVarRec& {
    if (next >= argc) FormatError(format);
    return argv[next++];
  };
  // A number, a '*' taking the next integer argument, or nothing (-1).
  auto readNumber = [&]() -> int {
    if (i < n && format[i] == u'*') {
      ++i;
      const TVarRec& a = nextArg();
      if (a.Kind() != TVarRec::vtInteger || a.AsInteger() < 0 || a.AsInteger() > kMaxFormatNumber) FormatError(format);
      return static_cast<int>(a.AsInteger());
    }
    if (i >= n || format[i] < u'0' || format[i] > u'9') return -1;
    int v = 0;
    while (i < n && format[i] >= u'0' && format[i] <= u'9') {
      v = v * 10 + (format[i++] - u'0');
      if (v > kMaxFormatNumber) FormatError(format);
    }
    return v;
  };
  while (i < n) {
    char16_t c = format[i++];
    if (c != u'%') {
      out.push_back(c);
      continue;
    }
    if (i < n && format[i] == u'%') {
      out.push_back(u'%');
      ++i;
      continue;
    }
    int first = readNumber();
    if (i < n && format[i] == u':') {
      ++i;
      if (first < 0) FormatError(format);
      next = static_cast<size_t>(first);
      first = -1;
    }
    bool left = false;
    if (first < 0 && i < n && format[i] == u'-') {
      left = true;
      ++i;
    }
    int width = first >= 0 ? first : readNumber();
    int precision = -1;
    if (i < n && format[i] == u'.') {
      ++i;
      precision = readNumber();
      if (precision < 0) FormatError(format);
    }
    if (i >= n) FormatError(format);
    char16_t type = format[i++];
    if (type >= u'A' && type <= u'Z') type = static_cast<char16_t>(type + 32);
    String item;
    switch (type) {
      case u'd': {
        const TVarRec& a = nextArg();
        if (a.Kind() != TVarRec::vtInteger) FormatError(format);
        int64_t v = a.AsInteger();
        bool negative = v < 0 && !a.IsUnsigned64();
        uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
        item = UnsignedText(magnitude, 10);
        if (precision > static_cast<int>(item.size())) item.insert(0, static_cast<size_t>(precision) - item.size(), u'0');
        if (negative) item.insert(0, 1, u'-');
        break;
      }
      case u'u':
      case u'x': {
        const TVarRec& a = nextArg();
        if (a.Kind() != TVarRec::vtInteger) FormatError(format);
        int64_t v = a.AsInteger();
        // Negative 32-bit values show as their 32-bit pattern.
        uint64_t bits = v < 0 && v >= INT32_MIN && !a.IsUnsigned64() ? static_cast<uint32_t>(v) : static_cast<uint64_t>(v);
        item = UnsignedText(bits, type == u'x' ? 16 : 10);
        if (precision > static_cast<int>(item.size())) item.insert(0, static_cast<size_t>(precision) - item.size(), u'0');
        break;
      }
      case u'e':
      case u'f':
      case u'g': {
        const TVarRec& a = nextArg();
        double v;
        if (a.Kind() == TVarRec::vtExtended) {
          v = a.AsExtended();
        } else if (a.Kind() == TVarRec::vtInteger) {
          v = a.IsUnsigned64() ? static_cast<double>(static_cast<uint64_t>(a.AsInteger())) : static_cast<double>(a.AsInteger());
        } else {
          FormatError(format);
        }
        if (type == u'f') {
          item = FixedText(v, precision < 0 ? 2 : std::min(precision, 18));
        } else {
          int p = precision <= 0 ? kSignificantDigits : std::min(precision, 18);
          item = type == u'e' ? ScientificText(v, p) : GeneralText(v, p);
        }
        break;
      }
      case u's': {
        const TVarRec& a = nextArg();
        if (a.Kind() != TVarRec::vtString) FormatError(format);
        StringView s = a.AsString();
        if (precision >= 0 && static_cast<size_t>(precision) < s.size()) s = s.substr(0, static_cast<size_t>(precision));
        item = String(s);
        break;
      }
      default:
        FormatError(format);
    }
    if (width > static_cast<int>(item.size())) {
      size_t pad = static_cast<size_t>(width) - item.size();
      if (left) {
        item.append(pad, u' ');
      } else {
        item.insert(0, pad, u' ');
      }
    }
    out += item;
  }
  return out;
}

String IntToStr(int64_t value) {
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  String s = UnsignedText(magnitude, 10);
  if (value < 0) s.insert(0, 1, u'-');
  return s;
}

String IntToHex(uint64_t value, int digits) {
  String s = UnsignedText(value, 16);
  if (digits > static_cast<int>(s.size())) s.insert(0, static_cast<size_t>(digits) - s.size(), u'0');
  return s;
}

namespace {

// Parses [blanks][sign](digits | $hex | 0xhex). Decimal values must fit in
// [minValue, maxValue]; hexadecimal ones may use every bit of hexMax and
// wrap like the machine word they describe.
bool ParseInteger(StringView s, int64_t minValue, int64_t maxValue, uint64_t hexMax, int64_t& result) {
  size_t i = 0;
  while (i < s.size() && s[i] <= u' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) negative = s[i++] == u'-';
  bool hex = false;
  if (i < s.size() && s[i] == u'$') {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
    hex = true;
    i += 2;
  }
  if (i >= s.size()) return false;
  uint64_t v = 0;
  const uint64_t limit = hex ? hexMax : (negative ? 0 - static_cast<uint64_t>(minValue) : static_cast<uint64_t>(maxValue));
  const unsigned base = hex ? 16 : 10;
  for (; i < s.size(); ++i) {
    char16_t c = s[i];
    unsigned digit;
    if (c >= u'0' && c <= u'9') {
      digit = c - u'0';
    } else if (hex && c >= u'a' && c <= u'f') {
      digit = c - u'a' + 10;
    } else if (hex && c >= u'A' && c <= u'F') {
      digit = c - u'A' + 10;
    } else {
      return false;
    }
    if (v > (limit - digit) / base) return false;
    v = v * base + digit;
  }
  if (hex && hexMax == UINT32_MAX) v = static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(v))));
  result = negative ? static_cast<int64_t>(0 - v) : static_cast<int64_t>(v);
  return true;
}

}  // namespace

bool TryStrToInt(StringView s, int& value) {
  int64_t v;
  if (!ParseInteger(s, INT32_MIN, INT32_MAX, UINT32_MAX, v)) return false;
  value = static_cast<int>(v);
  return true;
}

bool TryStrToInt64(StringView s, int64_t& value) { return ParseInteger(s, INT64_MIN, INT64_MAX, UINT64_MAX, value); }

int StrToInt(StringView s) {
  int v;
  if (!TryStrToInt(s, v)) throw EConvertError(u"'" + String(s) + u"' is not a valid integer value");
  return v;
}

int StrToIntDef(StringView s, int defaultValue) {
  int v;
  return TryStrToInt(s, v) ? v : defaultValue;
}

String FloatToStr(double value) { return GeneralText(value, kSignificantDigits); }

bool TryStrToFloat(StringView s, double& value) {
  const String t = Trim(s);
  std::string ascii;
  for (char16_t c : t) {
    if (c > 0x7F) return false;
    ascii.push_back(static_cast<char>(c));
  }
  // from_chars takes no leading "+"; FloatToStr never writes one.
  const char* first = ascii.data() + (!ascii.empty() && ascii[0] == '+' && ascii.size() > 1 && ascii[1] != '-');
  const char* last = ascii.data() + ascii.size();
  if (first == last) return false;
  auto r = std::from_chars(first, last, value);
  return r.ec == std::errc() && r.ptr == last;
}

double StrToFloat(StringView s) {
  double v;
  if (!TryStrToFloat(s, v)) throw EConvertError(u"'" + String(s) + u"' is not a valid floating point value");
  return v;
}

String UpperCase(StringView s) {
  String r(s);
  for (char16_t& c : r) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  }
  return r;
}

String LowerCase(StringView s) {
  String r(s);
  for (char16_t& c : r) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  }
  return r;
}

int CompareText(StringView a, StringView b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    char16_t x = a[i], y = b[i];
    if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - 32);
    if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - 32);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

bool SameText(StringView a, StringView b) { return a.size() == b.size() && CompareText(a, b) == 0; }

char16_t AnsiUpperChar(char16_t c) {
  if (c < 0x80) return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x137) return c & ~1;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c : static_cast<char16_t>(c - 1);
  if (c >= 0x14A && c <= 0x177) return c & ~1;
  if (c >= 0x3B1 && c <= 0x3C9) return c == 0x3C2 ? 0x3A3 : static_cast<char16_t>(c - 0x20);
  if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 0x20);
  if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
  return c;
}

int AnsiCompareText(StringView a, StringView b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    char16_t x = AnsiUpperChar(a[i]), y = AnsiUpperChar(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

int AnsiCompareStr(StringView a, StringView b) {
  // Letters first by their case-less order, then a lower-case letter before
  // its capital: "a" < "A" < "b".
  int r = AnsiCompareText(a, b);
  if (r != 0) return r;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) return AnsiUpperChar(a[i]) != a[i] ? -1 : 1;
  }
  return 0;
}

String TrimLeft(StringView s) {
  size_t i = 0;
  while (i < s.size() && s[i] <= u' ') ++i;
  return String(s.substr(i));
}

String TrimRight(StringView s) {
  size_t n = s.size();
  while (n > 0 && s[n - 1] <= u' ') --n;
  return String(s.substr(0, n));
}

String Trim(StringView s) { return TrimLeft(TrimRight(s)); }

String StringReplace(StringView s, StringView oldPattern, StringView newPattern, unsigned flags) {
  if (oldPattern.empty()) return String(s);
  const bool ignoreCase = flags & rfIgnoreCase;
  auto matchesAt = [&](size_t pos) {
    for (size_t k = 0; k < oldPattern.size(); ++k) {
      char16_t x = s[pos + k], y = oldPattern[k];
      if (ignoreCase ? AnsiUpperChar(x) != AnsiUpperChar(y) : x != y) return false;
    }
    return true;
  };
  String out;
  size_t i = 0;
  while (i < s.size()) {
    if (i + oldPattern.size() <= s.size() && matchesAt(i)) {
      out += newPattern;
      i += oldPattern.size();
      if (!(flags & rfReplaceAll)) break;
    } else {
      out.push_back(s[i++]);
    }
  }
  out += s.substr(std::min(i, s.size()));
  return out;
}

String AnsiQuotedStr(StringView s, char16_t quote) {
  String r(1, quote);
  for (char16_t c : s) {
    r.push_back(c);
    if (c == quote) r.push_back(c);
  }
  r.push_back(quote);
  return r;
}

String QuotedStr(StringView s) { return AnsiQuotedStr(s, u'\''); }

String AnsiDequotedStr(StringView s, char16_t quote) {
  if (s.empty() || s[0] != quote) return String(s);
  String r;
  for (size_t i = 1; i < s.size(); ++i) {
    if (s[i] != quote) {
      r.push_back(s[i]);
    } else if (i + 1 < s.size() && s[i + 1] == quote) {
      r.push_back(quote);
      ++i;
    } else {
      return r;
    }
  }
  return String(s);  // no closing quote
}

namespace {

size_t LastDelimiter(StringView path, StringView delimiters) {
  size_t p = path.find_last_of(delimiters);
  return p == StringView::npos ? 0 : p + 1;  // index just after it, 0 when none
}

}  // namespace

String IncludeTrailingPathDelimiter(StringView path) {
  String r(path);
  if (r.empty() || r.back() != u'\\') r.push_back(u'\\');
  return r;
}

String ExcludeTrailingPathDelimiter(StringView path) {
  if (!path.empty() && path.back() == u'\\') path.remove_suffix(1);
  return String(path);
}

String ExtractFilePath(StringView fileName) { return String(fileName.substr(0, LastDelimiter(fileName, u"\\:"))); }

String ExtractFileName(StringView fileName) { return String(fileName.substr(LastDelimiter(fileName, u"\\:"))); }

String ExtractFileExt(StringView fileName) {
  size_t dot = LastDelimiter(fileName, u".\\:");
  if (dot == 0 || fileName[dot - 1] != u'.') return String();
  return String(fileName.substr(dot - 1));
}

String ChangeFileExt(StringView fileName, StringView extension) {
  size_t dot = LastDelimiter(fileName, u".\\:");
  size_t stem = dot > 0 && fileName[dot - 1] == u'.' ? dot - 1 : fileName.size();
  return String(fileName.substr(0, stem)) + String(extension);
}

}  // namespace fw
