#include "skin/engine/core/alpha_image.h"

#include <algorithm>

namespace skin {

namespace {

struct TCommon {
  int dx, dy, sx, sy, w, h;
};

TCommon CommonPart(const TPixelView32& dest, const fw::TRect& destRect, const TPixelView32& source,
                   const fw::TRect& sourceRect) {
  TCommon c{destRect.Left, destRect.Top, sourceRect.Left, sourceRect.Top,
            std::min(destRect.Width(), sourceRect.Width()), std::min(destRect.Height(), sourceRect.Height())};
  const int shiftX = std::max({0, -c.dx, -c.sx}), shiftY = std::max({0, -c.dy, -c.sy});
  c.dx += shiftX, c.sx += shiftX, c.w -= shiftX;
  c.dy += shiftY, c.sy += shiftY, c.h -= shiftY;
  c.w = std::min({c.w, dest.Width - c.dx, source.Width - c.sx});
  c.h = std::min({c.h, dest.Height - c.dy, source.Height - c.sy});
  if (dest.Empty() || source.Empty()) c.w = c.h = 0;
  return c;
}

// D := ((S - D) * w + D * 256) >> 8 per colour byte, alpha as given.
uint32_t Blend(uint32_t d, uint32_t s, int w, uint8_t alpha) {
  auto ch = [w](int dv, int sv) { return ((sv - dv) * w + dv * 256) >> 8; };
  return MakePixel(ch(Blue(d), Blue(s)), ch(Green(d), Green(s)), ch(Red(d), Red(s)), alpha);
}

// The tint brightened so that its largest channel is 255, as 0..255 factors
// in pixel byte order.
struct TTint {
  int b, g, r;
};
TTint BrightenedTint(uint32_t tint) {
  const int r = int(tint & 0xFF), g = int(tint >> 8 & 0xFF), b = int(tint >> 16 & 0xFF);
  const int lift = 255 - std::max({r, g, b});
  return {b + lift, g + lift, r + lift};
}

uint32_t TintToward(uint32_t d, uint32_t s, const TTint& t, int w) {
  const int grey = (Red(s) + Green(s) + Blue(s)) / 3;
  auto ch = [&](int dv, int factor) {
    const int target = std::min(255, grey * factor / 255);
    return dv + (((target - dv) * w) >> 8);
  };
  return MakePixel(ch(Blue(d), t.b), ch(Green(d), t.g), ch(Red(d), t.r), Alpha(d));
}

}  // namespace

void CopyAlphaImage(const TPixelView32& dest, const fw::TRect& destRect, const TPixelView32& source,
                    const fw::TRect& sourceRect, const TCacheInfo& ci, bool background) {
  const TCommon c = CommonPart(dest, destRect, source, sourceRect);
  for (int y = 0; y < c.h; ++y) {
    const uint32_t* s = source.Row(c.sy + y) + c.sx;
    uint32_t* d = dest.Row(c.dy + y) + c.dx;
    for (int x = 0; x < c.w; ++x) {
      if (ci.Ready && s[x] == clSkinKey) {
        if (!background) continue;
        const int bx = ci.X + c.dx + x, by = ci.Y + c.dy + y;
        if (!ci.Bmp.Contains(bx, by)) break;  // the rest of the row lies outside the background
        d[x] = ci.Bmp.Pixel(bx, by) | 0xFF000000u;
        continue;
      }
      const int a = Alpha(s[x]), da = Alpha(d[x]);
      d[x] = Blend(d[x], s[x], a, uint8_t(a > 0 ? da + (((255 - da) * a) >> 8) : da));
    }
  }
}

void DrawAlphaImage(const TPixelView32& dest, const fw::TRect& destRect, const TPixelView32& source,
                    const fw::TRect& sourceRect, const TCacheInfo& ci, bool background, uint32_t tint,
                    int transparency, bool reflect) {
  const TCommon c = CommonPart(dest, destRect, source, sourceRect);
  const bool tinted = tint != clSkinNone;
  const TTint t = BrightenedTint(tint);
  auto weight = [transparency](int a) { return transparency != 0 ? (100 - transparency) * a / 100 : a; };
  for (int y = 0; y < c.h; ++y) {
    const uint32_t* s = source.Row(c.sy + y) + c.sx;
    uint32_t* d = dest.Row(c.dy + y) + c.dx;
    for (int x = 0; x < c.w; ++x) {
      if (ci.Ready && s[x] == clSkinKey) {
        if (!background) continue;
        const int bx = ci.X + c.dx + x, by = ci.Y + c.dy + y;
        if (!ci.Bmp.Contains(bx, by)) break;
        d[x] = (ci.Bmp.Pixel(bx, by) & 0xFFFFFFu) | (d[x] & 0xFF000000u);  // colour bytes only
        continue;
      }
      const int a = Alpha(s[x]), w = weight(a);
      if (tinted) d[x] = TintToward(d[x], s[x], t, w);
      else d[x] = Blend(d[x], s[x], w, transparency == 0 ? std::max(Alpha(d[x]), uint8_t(a)) : Alpha(d[x]));
    }
  }
  if (!reflect || source.Empty() || dest.Empty()) return;
  // Rows above the mirrored one must exist in the source: a frame near the
  // top of a strip would otherwise read before row 0.
  const int srcH = source.Height;
  const int rows = std::min({srcH / 2 - 1, dest.Height - destRect.Bottom - 1, sourceRect.Bottom - 1});
  if (rows < 1) return;
  const int fall = tinted ? 255 / std::max(1, srcH / 2) : 255 / std::max(1, srcH);
  int fade = 255;
  for (int j = 1; j <= rows; ++j) {
    const int sy = sourceRect.Bottom - 1 - j, dy = destRect.Bottom + j;
    if (sy >= 0 && sy < source.Height && dy >= 0) {
      for (int x = 0; x < c.w; ++x) {
        const uint32_t sp = source.Pixel(c.sx + x, sy);
        if (sp == clSkinKey) continue;
        int w = ((Alpha(sp) * (rows - j) / rows) * fade) >> 9;
        if (transparency != 0) w = (100 - transparency) * w / 100;
        uint32_t& dp = dest.Pixel(c.dx + x, dy);
        dp = tinted ? TintToward(dp, sp, t, w) : Blend(dp, sp, w, Alpha(dp));
      }
    }
    fade -= fall;
  }
}

}  // namespace skin
