#include "services/core/textutils.h"

#include <algorithm>
#include <string>

#include "fw/core/exceptions.h"
#include "fw/core/sysutils.h"

namespace services {

namespace {

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

}  // namespace

void BytesToHex(const uint8_t* Bytes, size_t Count, fw::String& Text) {
  static const char16_t kDigits[] = u"0123456789ABCDEF";
  Text.reserve(Text.size() + Count * 2);
  for (size_t i = 0; i < Count; ++i) {
    Text.push_back(kDigits[Bytes[i] >> 4]);
    Text.push_back(kDigits[Bytes[i] & 15]);
  }
}

int HexToBytes(fw::StringView Text, uint8_t* Buffer, size_t BufSize) {
  fw::String t(Text);
  if (t.size() % 2) t.insert(t.begin(), u'0');
  const size_t count = std::min(BufSize, t.size() / 2);
  for (size_t i = 0; i < count; ++i) {
    const int hi = HexDigit(t[2 * i]), lo = HexDigit(t[2 * i + 1]);
    if (hi < 0 || lo < 0)
      throw fw::EConvertError(u"'$" + t.substr(2 * i, 2) + u"' is not a valid integer value");
    Buffer[i] = static_cast<uint8_t>(hi * 16 + lo);
  }
  return static_cast<int>(count);
}

fw::String XorHexEncode(fw::StringView Key, fw::StringView Value) {
  static const char16_t kDigits[] = u"0123456789abcdef";
  const std::string key = fw::StringToUtf8(Key), value = fw::StringToUtf8(Value);
  fw::String out;
  out.reserve(value.size() * 2);
  for (size_t i = 0; i < value.size(); ++i) {
    uint8_t b = static_cast<uint8_t>(value[i]);
    if (!key.empty()) b ^= static_cast<uint8_t>(key[i % key.size()]);
    out.push_back(kDigits[b >> 4]);
    out.push_back(kDigits[b & 15]);
  }
  return out;
}

fw::String XorHexDecode(fw::StringView Key, fw::StringView Text) {
  const std::string key = fw::StringToUtf8(Key);
  std::string bytes;
  bytes.reserve(Text.size() / 2);
  for (size_t i = 0; i + 1 < Text.size(); i += 2) {
    const int hi = HexDigit(Text[i]), lo = HexDigit(Text[i + 1]);
    uint8_t b = lo < 0 ? 0x20 : static_cast<uint8_t>((hi < 0 ? 0 : hi) * 16 + lo);
    const size_t index = i / 2;
    if (!key.empty()) b ^= static_cast<uint8_t>(key[index % key.size()]);
    bytes.push_back(static_cast<char>(b));
  }
  return fw::Utf8ToString(bytes);
}

int WordStart(int N, fw::StringView Text, const TCharSet& Delimiters) {
  size_t i = 0;
  int count = 0;
  while (i < Text.size() && count < N) {
    while (i < Text.size() && Delimiters.Contains(Text[i])) ++i;
    if (i < Text.size()) {
      if (++count == N) return static_cast<int>(i) + 1;
      while (i < Text.size() && !Delimiters.Contains(Text[i])) ++i;
    }
  }
  return 0;
}

fw::String ExtractWordAt(int N, fw::StringView Text, const TCharSet& Delimiters) {
  int start = WordStart(N, Text, Delimiters);
  if (start == 0) return fw::String();
  size_t i = static_cast<size_t>(start - 1), e = i;
  while (e < Text.size() && !Delimiters.Contains(Text[e])) ++e;
  return fw::String(Text.substr(i, e - i));
}

}  // namespace services
