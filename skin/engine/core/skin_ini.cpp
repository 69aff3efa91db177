#include "skin/engine/core/skin_ini.h"

#include <charconv>
#include <string>

namespace skin {

namespace {

fw::StringView Trim(fw::StringView s) {
  while (!s.empty() && (s.front() == u' ' || s.front() == u'\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == u' ' || s.back() == u'\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

namespace {

bool SameExactly(fw::StringView a, fw::StringView b) { return a == b; }

}  // namespace

TSkinIni::TSkinIni() : doc_(&SameExactly) {}

TSkinIni::TSkinIni(fw::StringView text, bool exactNames) : doc_(exactNames ? &SameExactly : nullptr) {
  doc_.SetText(text);
}

fw::String TSkinIni::ReadString(fw::StringView section, fw::StringView key, fw::StringView def) const {
  return doc_.ReadString(section, key, fw::String(def));
}

int TSkinIni::ReadInteger(fw::StringView section, fw::StringView key, int def) const {
  int v;
  return ParseIniInteger(ReadString(section, key, u""), v) ? v : def;
}

double TSkinIni::ReadFloat(fw::StringView section, fw::StringView key, double def) const {
  double v;
  return ParseIniFloat(ReadString(section, key, u""), v) ? v : def;
}

bool ParseIniInteger(fw::StringView text, int& value) {
  fw::StringView s = Trim(text);
  bool negative = false;
  if (!s.empty() && (s[0] == u'-' || s[0] == u'+')) {
    negative = s[0] == u'-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (!s.empty() && s[0] == u'$') {
    base = 16;
    s.remove_prefix(1);
  } else if (s.size() > 1 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty() || s.size() > 16) return false;
  uint64_t v = 0;
  for (char16_t ch : s) {
    int d;
    if (ch >= u'0' && ch <= u'9') d = ch - u'0';
    else if (base == 16 && ch >= u'a' && ch <= u'f') d = ch - u'a' + 10;
    else if (base == 16 && ch >= u'A' && ch <= u'F') d = ch - u'A' + 10;
    else return false;
    v = v * base + d;
  }
  if (base == 10) {
    if (v > (negative ? 2147483648ull : 2147483647ull)) return false;
    value = negative ? static_cast<int>(-static_cast<int64_t>(v)) : static_cast<int>(v);
  } else {
    if (v > 0xFFFFFFFFull) return false;
    int32_t bits = static_cast<int32_t>(static_cast<uint32_t>(v));
    value = negative ? static_cast<int>(-static_cast<int64_t>(bits)) : bits;
  }
  return true;
}

bool ParseIniFloat(fw::StringView text, double& value) {
  fw::StringView s = Trim(text);
  if (s.empty() || s.size() > 40) return false;
  std::string ascii;
  for (char16_t ch : s) {
    if (!((ch >= u'0' && ch <= u'9') || ch == u'.' || ch == u'-' || ch == u'+' || ch == u'e' || ch == u'E'))
      return false;
    ascii.push_back(static_cast<char>(ch));
  }
  // from_chars ignores the locale: "8.5" is 8.5 under a comma locale too.
  const char* first = ascii.c_str();
  if (*first == '+') ++first;
  double v = 0;
  auto [end, ec] = std::from_chars(first, ascii.c_str() + ascii.size(), v);
  if (ec != std::errc() || end != ascii.c_str() + ascii.size()) return false;
  value = v;
  return true;
}

fw::String DescriptionText(const std::vector<uint8_t>& bytes) {
  fw::String text;
  text.reserve(bytes.size());
  for (uint8_t b : bytes) text.push_back(static_cast<char16_t>(b));
  return text;
}

}  // namespace skin
