// Small shared routines of the skin engine: the word splitter that mask and
// gradient descriptions use, text replacement, integer and rectangle helpers
// and path delimiters. Positions and word numbers are 1-based.
#pragma once

#include <bitset>
#include <string>
#include <vector>

#include "fw/core/types.h"

namespace skin {

// A set of single-byte delimiter characters.
using TCharSet = std::bitset<256>;
TCharSet CharSet(std::string_view chars);

// A wide character delimits when its code is at most U+00FF and in the set.
// (Testing only the low byte would let U+0120 split words like a space.)
int FindWordPosW(int n, fw::StringView text, const TCharSet& delims);
int FindWordPosA(int n, std::string_view text, const TCharSet& delims);
// The n-th word, up to the next delimiter; empty when there is none.
std::string CopyWordA(int n, std::string_view text, const TCharSet& delims);
// Maximal runs of non-delimiters; empty fields between delimiters don't count.
int CountWordsW(fw::StringView text, const TCharSet& delims);
int CountWordsA(std::string_view text, const TCharSet& delims);
// All words in order, in one pass: word n of the result is CopyWordA(n + 1).
std::vector<std::string> SplitWordsA(std::string_view text, const TCharSet& delims);

fw::String StripChar(fw::StringView text, char16_t c);
// Every occurrence, left to right, case-sensitive; replaced text is not
// searched again.
fw::String ReplaceAllOf(fw::StringView text, fw::StringView search, fw::StringView replacement);

inline const fw::String& PickString(bool flag, const fw::String& first, const fw::String& second) {
  return flag ? first : second;
}
inline int PickInt(bool flag, int first, int second) { return flag ? first : second; }
// Inclusive, bounds in either order.
inline bool ValueBetween(int value, int a, int b) {
  return a <= b ? value >= a && value <= b : value >= b && value <= a;
}
inline int LargerOf(int a, int b) { return a > b ? a : b; }
inline int SmallerOf(int a, int b) { return a < b ? a : b; }
// The lower bound wins when the bounds cross.
inline int ClampValue(int value, int minimum, int maximum) {
  if (value < minimum) return minimum;
  if (value > maximum) return maximum;
  return value;
}
inline void SwapIntegers(int& a, int& b) {
  int t = a;
  a = b;
  b = t;
}

// False when r is empty or wholly outside area (touching edges count as
// outside).
bool RectOverlapsArea(const fw::TRect& area, const fw::TRect& r);
// Larger left and top, smaller right and bottom; may be empty or inverted.
fw::TRect IntersectionOfRects(const fw::TRect& a, const fw::TRect& b);
inline int RectWidthOf(const fw::TRect& r, bool notNegative = false) {
  int w = r.Right - r.Left;
  return notNegative && w < 0 ? 0 : w;
}
inline int RectHeightOf(const fw::TRect& r, bool notNegative = false) {
  int h = r.Bottom - r.Top;
  return notNegative && h < 0 ? 0 : h;
}

// Empty stays empty, a final "\" stays, a final "/" becomes "\", a drive
// letter alone gets ":\", anything else gets "\".
fw::String AddPathDelimiter(fw::StringView path);

}  // namespace skin
