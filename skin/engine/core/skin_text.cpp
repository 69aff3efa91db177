#include "skin/engine/core/skin_text.h"

#include <algorithm>

namespace skin {

TCharSet CharSet(std::string_view chars) {
  TCharSet set;
  for (char c : chars) set.set(static_cast<unsigned char>(c));
  return set;
}

namespace {

template <class Text, class IsDelim>
int FindWordPos(int n, const Text& text, IsDelim isDelim) {
  int count = 0;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && isDelim(text[i])) ++i;
    if (i >= text.size()) break;
    if (++count == n) return static_cast<int>(i) + 1;
    while (i < text.size() && !isDelim(text[i])) ++i;
  }
  return 0;
}

template <class Text, class IsDelim>
int CountWords(const Text& text, IsDelim isDelim) {
  int count = 0;
  bool inWord = false;
  for (auto c : text) {
    bool delim = isDelim(c);
    if (!delim && !inWord) ++count;
    inWord = !delim;
  }
  return count;
}

auto WideDelim(const TCharSet& delims) {
  return [&delims](char16_t c) { return c <= 0xFF && delims.test(c); };
}
auto ByteDelim(const TCharSet& delims) {
  return [&delims](char c) { return delims.test(static_cast<unsigned char>(c)); };
}

}  // namespace

int FindWordPosW(int n, fw::StringView text, const TCharSet& delims) { return FindWordPos(n, text, WideDelim(delims)); }
int FindWordPosA(int n, std::string_view text, const TCharSet& delims) {
  return FindWordPos(n, text, ByteDelim(delims));
}

std::string CopyWordA(int n, std::string_view text, const TCharSet& delims) {
  int pos = FindWordPosA(n, text, delims);
  if (pos == 0) return {};
  size_t start = static_cast<size_t>(pos - 1), end = start;
  auto isDelim = ByteDelim(delims);
  while (end < text.size() && !isDelim(text[end])) ++end;
  return std::string(text.substr(start, end - start));
}

int CountWordsW(fw::StringView text, const TCharSet& delims) { return CountWords(text, WideDelim(delims)); }
int CountWordsA(std::string_view text, const TCharSet& delims) { return CountWords(text, ByteDelim(delims)); }

std::vector<std::string> SplitWordsA(std::string_view text, const TCharSet& delims) {
  std::vector<std::string> words;
  auto isDelim = ByteDelim(delims);
  for (size_t i = 0; i < text.size();) {
    while (i < text.size() && isDelim(text[i])) ++i;
    const size_t start = i;
    while (i < text.size() && !isDelim(text[i])) ++i;
    if (i > start) words.emplace_back(text.substr(start, i - start));
  }
  return words;
}

fw::String StripChar(fw::StringView text, char16_t c) {
  fw::String out;
  out.reserve(text.size());
  for (char16_t ch : text)
    if (ch != c) out.push_back(ch);
  return out;
}

fw::String ReplaceAllOf(fw::StringView text, fw::StringView search, fw::StringView replacement) {
  if (search.empty()) return fw::String(text);
  fw::String out;
  size_t pos = 0;
  for (size_t hit; (hit = text.find(search, pos)) != fw::StringView::npos; pos = hit + search.size()) {
    out.append(text.substr(pos, hit - pos));
    out.append(replacement);
  }
  out.append(text.substr(pos));
  return out;
}

bool RectOverlapsArea(const fw::TRect& area, const fw::TRect& r) {
  if (r.Right <= r.Left || r.Bottom <= r.Top) return false;
  return r.Left < area.Right && r.Right > area.Left && r.Top < area.Bottom && r.Bottom > area.Top;
}

fw::TRect IntersectionOfRects(const fw::TRect& a, const fw::TRect& b) {
  return fw::TRect{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                   std::min(a.Bottom, b.Bottom)};
}

fw::String AddPathDelimiter(fw::StringView path) {
  fw::String p(path);
  if (p.empty() || p.back() == u'\\') return p;
  if (p.back() == u'/') {
    p.back() = u'\\';
    return p;
  }
  if (p.size() == 1) return p + u":\\";
  return p + u"\\";
}

}  // namespace skin
