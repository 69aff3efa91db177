#include "app/core/glyph_compare.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace app {

namespace {

bool RowHasInk(const PixelView& v, int y, int left, int right) {
  const uint8_t* p = v.At(left, y);
  for (int x = left; x < right; ++x, p += v.BytesPerPixel)
    if ((p[0] | p[1] | p[2]) == 0) return true;
  return false;
}

}  // namespace

std::optional<fw::TRect> FindGlyphBox(const PixelView& v) {
  if (v.Empty()) return std::nullopt;
  std::vector<char> inkColumn(static_cast<size_t>(v.Width), 0);
  const size_t rowBytes = static_cast<size_t>(v.Width) * v.BytesPerPixel;
  for (int y = 0; y < v.Height; ++y) {
    // Ink has zero bytes and drawings are mostly white: jump from one zero
    // byte to the next instead of testing every pixel.
    const uint8_t* row = v.Row(y);
    const uint8_t* end = row + rowBytes;
    const uint8_t* p = row;
    while (p < end && (p = static_cast<const uint8_t*>(std::memchr(p, 0, static_cast<size_t>(end - p))))) {
      const size_t x = static_cast<size_t>(p - row) / v.BytesPerPixel;
      const uint8_t* px = row + x * v.BytesPerPixel;
      if ((px[0] | px[1] | px[2]) == 0) inkColumn[x] = 1;
      p = px + v.BytesPerPixel;
    }
  }
  // Every run of ink columns replaces the previous one's box, so only the
  // rightmost run is left in the end.
  int right = v.Width;
  while (right > 0 && !inkColumn[right - 1]) --right;
  if (right == 0) return std::nullopt;
  int left = right - 1;
  while (left > 0 && inkColumn[left - 1]) --left;
  int top = 0;
  while (!RowHasInk(v, top, left, right)) ++top;
  int bottom = v.Height;
  while (!RowHasInk(v, bottom - 1, left, right)) --bottom;
  return fw::Rect(left, top, right, bottom);
}

PixelView PartOf(const PixelView& v, const fw::TRect& r) {
  if (r.Width() <= 0 || r.Height() <= 0) return PixelView{};
  return PixelView{v.At(r.Left, r.Top), v.Stride, r.Width(), r.Height(), v.BytesPerPixel};
}

PixelView GlyphPart(const PixelView& v) { return PartOf(v, FindGlyphBox(v).value_or(fw::TRect{})); }

bool WidthsComparable(int sampleWidth, int compareWidth) {
  // round(1.2 w) = round(12 w / 10); 12 w / 10 never ends in exactly .5,
  // so plain rounding up from .5 gives the same as halves to even.
  auto bound = [](int w) { return static_cast<int>((12LL * w + 5) / 10); };
  // For widths of 1 and 2 the rounded bound is the width itself, which
  // would turn away a comparison image of exactly the sample's width.
  if (sampleWidth == compareWidth) return sampleWidth > 0;
  return sampleWidth < bound(compareWidth) && compareWidth < bound(sampleWidth);
}

TMatchCounts CountMatchingPixels(const PixelView& s, const PixelView& c) {
  TMatchCounts m;
  if (s.Empty()) return m;
  m.Total = s.Width * s.Height;
  const int cw = c.Empty() ? 0 : c.Width;
  const int ch = c.Empty() ? 0 : c.Height;
  if (!WidthsComparable(s.Width, cw)) {
    m.Misses = m.Total;
    return m;
  }
  int matches = 0;
  const int overlapW = std::min(s.Width, cw);
  for (int y = 0; y < s.Height; ++y) {
    const uint8_t* sp = s.Row(y);
    int x = 0;
    if (y < ch) {
      const uint8_t* cp = c.Row(y);
      for (; x < overlapW; ++x, sp += s.BytesPerPixel, cp += c.BytesPerPixel) {
        const bool sw = (sp[0] & sp[1] & sp[2]) == 255;
        const bool cwhite = (cp[0] & cp[1] & cp[2]) == 255;
        matches += sw == cwhite;
      }
    }
    // Outside the comparison image: not white, so only non-white sample
    // pixels match there.
    for (; x < s.Width; ++x, sp += s.BytesPerPixel) matches += (sp[0] & sp[1] & sp[2]) != 255;
  }
  m.Matches = matches;
  m.Misses = m.Total - matches;
  return m;
}

double MatchScore(const TMatchCounts& m) {
  if (m.Total <= 0) return 0;
  return static_cast<double>(m.Matches) / m.Total * 100.0;
}

bool MatchAccepted(const TMatchCounts& m, int thresholdPercent) {
  return m.Matches > 0 && MatchScore(m) >= thresholdPercent;
}

TSpeedRule SpeedRuleFor(int speed) {
  TSpeedRule r;
  if (speed <= 2) {
    r.Level = 1;
  } else if (speed <= 4) {
    r.Level = 3;
    r.Reduce = TCompareReduce::StretchToSample;
  } else if (speed == 5) {
    r.Level = 5;
    r.Reduce = TCompareReduce::GlyphAsIs;
  } else {
    r.Level = 7;
    r.CanvasScale = 1;
    r.CropToGlyph = false;
    r.Reduce = TCompareReduce::GlyphAsIs;
  }
  return r;
}

double CalibratedSizeFor(int sampleHeight, int glyphHeight, double previous) {
  if (sampleHeight <= 0 || glyphHeight <= 0) return previous;
  return static_cast<double>(sampleHeight) * sampleHeight / glyphHeight;
}

fw::TRect KeepAspectRect(int srcW, int srcH, int dstW, int dstH) {
  if (srcW <= 0 || srcH <= 0 || dstW <= 0 || dstH <= 0) return fw::TRect{};
  // srcW / srcH >= dstW / dstH, compared exactly.
  if (static_cast<int64_t>(srcW) * dstH >= static_cast<int64_t>(dstW) * srcH) {
    const int h = MulDiv(dstW, srcH, srcW);
    const int top = (dstH - h) / 2;
    return fw::Rect(0, top, dstW, top + h);
  }
  const int w = MulDiv(dstH, srcW, srcH);
  const int left = (dstW - w) / 2;
  return fw::Rect(left, 0, left + w, dstH);
}

}  // namespace app
