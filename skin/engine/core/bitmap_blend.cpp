#include "skin/engine/core/bitmap_blend.h"

#include <algorithm>

namespace skin {

namespace {

// A source rectangle whose right column and bottom row belong to it, limited
// to the source image and to non-negative coordinates; exclusive afterwards.
fw::TRect InclusiveSourceRect(const fw::TRect& r, const TPixelView32& source) {
  return fw::TRect{std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right + 1, source.Width),
                   std::min(r.Bottom + 1, source.Height)};
}

// Runs fn(destRow, sourceRow, count) over the parts of the rows of sr that
// land inside dest when sr's top-left goes to (x, y).
template <class Fn>
void ForClippedRows(const TPixelView32& dest, const TPixelView32& source, int x, int y, const fw::TRect& sr, Fn fn) {
  if (dest.Empty() || source.Empty() || sr.Right <= sr.Left || sr.Bottom <= sr.Top) return;
  int skipX = std::max(0, -x);
  int cols = std::min(sr.Right - sr.Left, dest.Width - x);
  if (cols <= skipX) return;
  for (int j = 0; j < sr.Bottom - sr.Top; ++j) {
    int dy = y + j;
    if (dy < 0) continue;
    if (dy >= dest.Height) break;
    fn(dest.Row(dy) + x + skipX, source.Row(sr.Top + j) + sr.Left + skipX, cols - skipX, dy, x + skipX);
  }
}

inline uint8_t Trunc8(double v) { return static_cast<uint8_t>(static_cast<int>(v)); }

}  // namespace

void CopyBitmapSkipKey(const TPixelView32& dest, const TPixelView32& source, int x, int y, uint32_t keyColor) {
  uint32_t key = SwapRedBlue(keyColor);
  ForClippedRows(dest, source, x, y, {0, 0, source.Width, source.Height},
                 [key](uint32_t* d, const uint32_t* s, int n, int, int) {
                   for (int i = 0; i < n; ++i)
                     if (s[i] != key) d[i] = s[i] | 0xFF000000u;
                 });
}

void CopyRectSkipKey(const TPixelView32& dest, const TPixelView32& source, int x, int y, const fw::TRect& sourceRect,
                     uint32_t keyColor) {
  uint32_t key = SwapRedBlue(keyColor);
  ForClippedRows(dest, source, x, y, InclusiveSourceRect(sourceRect, source),
                 [key](uint32_t* d, const uint32_t* s, int n, int, int) {
                   for (int i = 0; i < n; ++i)
                     if (s[i] != key) d[i] = s[i];
                 });
}

void CopyRectKeyed(const TPixelView32& dest, const TPixelView32& source, int x, int y, const fw::TRect& sourceRect,
                   uint32_t key, const TCacheInfo& ci, bool background) {
  fw::TRect sr = InclusiveSourceRect(sourceRect, source);
  if (background && ci.Ready && !ci.Bmp.Empty()) {
    if (ci.Bmp.Row0 == dest.Row0) {
      ForClippedRows(dest, source, x, y, sr, [key](uint32_t* d, const uint32_t* s, int n, int, int) {
        for (int i = 0; i < n; ++i)
          if (s[i] != key) d[i] = s[i] | 0xFF000000u;
      });
      return;
    }
    ForClippedRows(dest, source, x, y, sr, [&](uint32_t* d, const uint32_t* s, int n, int dy, int dx) {
      int by = dy + ci.Y;
      for (int i = 0; i < n; ++i) {
        if (s[i] != key) {
          d[i] = s[i];
          continue;
        }
        int bx = dx + i + ci.X;
        if (!ci.Bmp.Contains(bx, by)) break;  // the rest of the row stays as it is
        d[i] = ci.Bmp.Pixel(bx, by);
      }
    });
    return;
  }
  if (ci.Ready) {
    ForClippedRows(dest, source, x, y, sr, [key](uint32_t* d, const uint32_t* s, int n, int, int) {
      for (int i = 0; i < n; ++i)
        if (s[i] != key) d[i] = s[i];
    });
    return;
  }
  uint32_t fill = ColorToPixel(ci.FillColor, 0);
  ForClippedRows(dest, source, x, y, sr, [key, fill](uint32_t* d, const uint32_t* s, int n, int, int) {
    for (int i = 0; i < n; ++i) d[i] = s[i] == key ? fill : s[i];
  });
}

void BlendBitmapAt(const TPixelView32& dest, const TPixelView32& source, uint8_t weight, const fw::TRect& sourceRect,
                   fw::TPoint destPoint) {
  if (dest.Empty() || source.Empty()) return;
  fw::TRect sr = sourceRect;
  fw::TPoint p = destPoint;
  if (p.x < 0) sr.Left -= p.x, p.x = 0;
  if (p.y < 0) sr.Top -= p.y, p.y = 0;
  if (sr.Left < 0) p.x -= sr.Left, sr.Left = 0;
  if (sr.Top < 0) p.y -= sr.Top, sr.Top = 0;
  if (sr.Right <= sr.Left || sr.Bottom <= sr.Top) return;
  if (p.x >= dest.Width || p.y >= dest.Height || sr.Left >= source.Width || sr.Top >= source.Height) return;
  // The bottom edge is exclusive and limited to both images, so no row past
  // either image is ever read or written.
  sr.Right = std::min({sr.Right, source.Width, sr.Left + dest.Width - p.x});
  sr.Bottom = std::min({sr.Bottom, source.Height, sr.Top + dest.Height - p.y});
  const int w = weight;
  auto mix = [w](int d, int s) { return ((d - s) * w + s * 256) >> 8; };
  for (int y = sr.Top; y < sr.Bottom; ++y) {
    const uint32_t* s = source.Row(y) + sr.Left;
    uint32_t* d = dest.Row(p.y + y - sr.Top) + p.x;
    for (int i = 0; i < sr.Right - sr.Left; ++i)
      d[i] = MakePixel(mix(Blue(d[i]), Blue(s[i])), mix(Green(d[i]), Green(s[i])), mix(Red(d[i]), Red(s[i])),
                       Alpha(d[i]));
  }
}

void BlendImageAt(const TPixelView32& dest, fw::TRect r, const TPixelView32& source, uint8_t alpha,
                  fw::TPoint sourcePoint) {
  fw::TPoint p = sourcePoint;
  if (r.Left < 0) p.x -= r.Left, r.Left = 0;
  if (r.Top < 0) p.y -= r.Top, r.Top = 0;
  if (p.x < 0) r.Left -= p.x, p.x = 0;
  if (p.y < 0) r.Top -= p.y, p.y = 0;
  r.Right = std::min({r.Right, dest.Width, r.Left + source.Width - p.x});
  r.Bottom = std::min({r.Bottom, dest.Height, r.Top + source.Height - p.y});
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  const int a = alpha;
  for (int y = r.Top; y < r.Bottom; ++y) {
    const uint32_t* s = source.Row(p.y + y - r.Top) + p.x;
    uint32_t* d = dest.Row(y) + r.Left;
    for (int i = 0; i < r.Right - r.Left; ++i) {
      const int sa = Alpha(s[i]);
      if (sa == 0) continue;
      const int l = (sa * a) >> 8;
      auto mix = [l](int dc, int sc) { return ((255 - l) * dc + sc * l) >> 8; };
      d[i] = MakePixel(mix(Blue(d[i]), Blue(s[i])), mix(Green(d[i]), Green(s[i])), mix(Red(d[i]), Red(s[i])),
                       Alpha(d[i]));
    }
  }
}

void BlendBitmapRectKeyed(const TPixelView32& dest, int x, int y, const TPixelView32& source,
                          const fw::TRect& sourceRect, double ratio, uint32_t key) {
  // A negative source edge becomes 0 and moves the destination by as much.
  if (sourceRect.Left < 0) x -= sourceRect.Left;
  if (sourceRect.Top < 0) y -= sourceRect.Top;
  uint32_t k = SwapRedBlue(key);
  auto mix = [ratio](int d, int s) { return Trunc8(s - (s - d) * ratio); };
  ForClippedRows(dest, source, x, y, InclusiveSourceRect(sourceRect, source),
                 [&](uint32_t* d, const uint32_t* s, int n, int, int) {
                   for (int i = 0; i < n; ++i) {
                     if (s[i] == k) continue;
                     d[i] = MakePixel(mix(Blue(d[i]), Blue(s[i])), mix(Green(d[i]), Green(s[i])),
                                      mix(Red(d[i]), Red(s[i])), Alpha(d[i]));
                   }
                 });
}

void BlendBitmapToColor(const TPixelView32& v, uint32_t rgbColor, double ratio) {
  if (v.Empty()) return;
  uint32_t c = ColorToPixel(rgbColor, 0);
  auto mix = [ratio](int p, int col) { return Trunc8(ratio * (p - col) + col); };
  for (int y = 0; y < v.Height; ++y) {
    uint32_t* row = v.Row(y);
    for (int x = 0; x < v.Width; ++x) {
      uint32_t p = row[x];
      if (p == clSkinKey) continue;
      row[x] = MakePixel(mix(Blue(p), Blue(c)), mix(Green(p), Green(c)), mix(Red(p), Red(c)), Alpha(p));
    }
  }
}

void BlendTwoBitmaps(const TPixelView32& dest, const TPixelView32& first, const TPixelView32& second,
                     const TPixelView32* mask, uint8_t weight) {
  if (dest.Empty() || first.Empty() || second.Empty()) return;
  if (first.Width != second.Width || first.Height != second.Height) return;
  int w = std::min(first.Width, dest.Width), h = std::min(first.Height, dest.Height);
  if (mask) {
    if (mask->Empty()) return;
    w = std::min(w, mask->Width);
    h = std::min(h, mask->Height);
  }
  const int wt = weight;
  for (int y = 0; y < h; ++y) {
    const uint32_t *a = first.Row(y), *b = second.Row(y);
    uint32_t* d = dest.Row(y);
    if (mask) {
      const uint32_t* m = mask->Row(y);
      auto mix = [](int av, int bv, int mv) { return ((av - bv) * mv + bv * 256) >> 8; };
      for (int x = 0; x < w; ++x)
        d[x] = MakePixel(mix(Blue(a[x]), Blue(b[x]), Blue(m[x])), mix(Green(a[x]), Green(b[x]), Green(m[x])),
                         mix(Red(a[x]), Red(b[x]), Red(m[x])), Alpha(d[x]));
    } else {
      // The intermediate may be negative; only its low byte is kept.
      auto mix = [wt](int av, int bv) { return bv - ((wt * (bv - av) + 255) >> 8); };
      for (int x = 0; x < w; ++x)
        d[x] = MakePixel(mix(Blue(a[x]), Blue(b[x])), mix(Green(a[x]), Green(b[x])), mix(Red(a[x]), Red(b[x])),
                         Alpha(d[x]));
    }
  }
}

void BlendThroughMask(const TPixelView32& dest, const TPixelView32& source, const TPixelView32& mask,
                      const fw::TRect& r) {
  if (dest.Empty() || source.Empty() || mask.Empty()) return;
  fw::TRect c = ClipToView(r, std::min({dest.Width, source.Width, mask.Width}),
                           std::min({dest.Height, source.Height, mask.Height}));
  for (int y = c.Top; y < c.Bottom; ++y) {
    const uint32_t *s = source.Row(y), *m = mask.Row(y);
    uint32_t* d = dest.Row(y);
    for (int x = c.Left; x < c.Right; ++x) {
      int mv = Red(m[x]);
      if (mv == 255) continue;
      int a = Alpha(s[x]);
      if (mv != 0) a = ((255 - mv) * a) >> 8;
      auto mix = [a](int dv, int sv) { return ((sv - dv) * a + dv * 256) >> 8; };
      d[x] = MakePixel(mix(Blue(d[x]), Blue(s[x])), mix(Green(d[x]), Green(s[x])), mix(Red(d[x]), Red(s[x])),
                       Alpha(d[x]));
    }
  }
}

void RotatePixels90(const TPixelView32& source, const TPixelView32& dest, bool clockwise) {
  if (source.Empty() || dest.Width != source.Height || dest.Height != source.Width) return;
  const int w = source.Width, h = source.Height;
  for (int y = 0; y < h; ++y) {
    const uint32_t* s = source.Row(y);
    for (int x = 0; x < w; ++x) {
      if (clockwise) dest.Pixel(h - 1 - y, x) = s[x];
      else dest.Pixel(y, w - 1 - x) = s[x];
    }
  }
}

}  // namespace skin
