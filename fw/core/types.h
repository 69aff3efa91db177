// Basic vocabulary of the whole program: one string type (UTF-16), colour
// values, points and rectangles that do not need <windows.h>.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fw {

using String = std::u16string;
using StringView = std::u16string_view;

// 0x00BBGGRR; a high byte of 0xFF names a system colour.
using TColor = int32_t;

// Days since 1899-12-30; the fraction is the time of day.
using TDateTime = double;

struct TPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int l, int t, int r, int b) { return TRect{l, t, r, b}; }
inline TRect Bounds(int l, int t, int w, int h) { return TRect{l, t, l + w, t + h}; }

// UTF-8 <-> UTF-16 conversions; invalid input becomes U+FFFD, never throws.
String Utf8ToString(std::string_view s);
std::string StringToUtf8(StringView s);
// Single-byte text as Windows-1252 (file records and legacy formats).
String AnsiToString(std::string_view s);
std::string StringToAnsi(StringView s);

}  // namespace fw

#ifdef _WIN32
// The W functions take our strings through this one cast: wchar_t is 16 bits
// on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t));
inline const wchar_t* W(const fw::String& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
inline wchar_t* W(char16_t* p) { return reinterpret_cast<wchar_t*>(p); }
inline const wchar_t* W(const char16_t* p) { return reinterpret_cast<const wchar_t*>(p); }
inline fw::String FromW(const wchar_t* p) {
  return p ? fw::String(reinterpret_cast<const char16_t*>(p)) : fw::String();
}
inline fw::String FromW(const wchar_t* p, size_t n) {
  return fw::String(reinterpret_cast<const char16_t*>(p), n);
}
#endif
