#include "skin/engine/core/glyph_frame.h"

#include <algorithm>

#include "skin/engine/core/bitmap_blend.h"

namespace skin {

int GlyphFrameIndex(int numGlyphs, bool stateFrames, int state, int hotOffset, bool firstForDisabled) {
  if (numGlyphs <= 1 || !stateFrames || state == gbUp) return 0;
  switch (state) {
    case gbDisabled: return firstForDisabled ? 0 : 1;
    case gbDown:
      if (hotOffset + 2 < numGlyphs) return hotOffset + 2;
      return firstForDisabled ? 0 : std::min(1, numGlyphs - 1);
    case gbExclusive: return numGlyphs >= 3 ? 2 : 0;
    default: return 0;
  }
}

void DrawGlyphFrame(const TPixelView32& glyph, const TPixelView32& dest, fw::TRect destRect, int numGlyphs,
                    bool stateFrames, int state, int blendPercent, int hotOffset, bool reflect, bool firstForDisabled) {
  if (glyph.Empty() || dest.Empty() || numGlyphs <= 0) return;
  if (reflect) {
    const int up = destRect.Height() / 8;
    destRect.Top -= up, destRect.Bottom -= up;
  }
  const int index = GlyphFrameIndex(numGlyphs, stateFrames, state, hotOffset, firstForDisabled);
  if (state > 0) blendPercent = 0;
  const int fw = glyph.Width / numGlyphs;
  if (fw <= 0) return;
  const uint32_t keyPixel = glyph.Pixel(index * fw, glyph.Height - 1);
  const uint32_t keyColor = SwapRedBlue(keyPixel & 0xFFFFFFu);
  const fw::TRect source = fw::Rect(index * fw, 0, (index + 1) * fw - 1, glyph.Height - 1);
  if (stateFrames || blendPercent == 0)
    CopyRectSkipKey(dest, glyph, destRect.Left, destRect.Top, source, keyColor);
  else
    BlendBitmapRectKeyed(dest, destRect.Left, destRect.Top, glyph, source, blendPercent / 100.0, clSkinKey);
  if (!reflect) return;
  const int h = destRect.Height();
  destRect.Top += h, destRect.Bottom += h;
  DrawGlyphReflection(dest, glyph, destRect, source, keyPixel, blendPercent);
}

void DrawGlyphReflection(const TPixelView32& dest, const TPixelView32& glyph, const fw::TRect& destRect,
                         const fw::TRect& sourceRect, uint32_t keyPixel, int blendPercent) {
  if (dest.Empty() || glyph.Empty()) return;
  const int rows = std::min(glyph.Height / 3 * 2 - 1, dest.Height - destRect.Top - 1);
  if (rows < 1) return;
  int fade = 255;
  for (int k = 0; k <= rows; ++k) {
    const int sy = sourceRect.Bottom - k, dy = destRect.Top + k;
    if (sy < 0 || sy >= glyph.Height || dy < 0 || dy >= dest.Height) continue;
    const int w = (100 - blendPercent) * ((((rows - k) * 255 / rows) * fade) >> 9) / 100;
    for (int x = sourceRect.Left; x <= sourceRect.Right; ++x) {
      const int dx = destRect.Left + x - sourceRect.Left;
      if (x < 0 || x >= glyph.Width || dx < 0 || dx >= dest.Width) continue;
      const uint32_t s = glyph.Pixel(x, sy);
      if (s == keyPixel) continue;
      uint32_t& d = dest.Pixel(dx, dy);
      auto ch = [w](int dv, int sv) { return ((sv - dv) * w + dv * 256) >> 8; };
      d = MakePixel(ch(Blue(d), Blue(s)), ch(Green(d), Green(s)), ch(Red(d), Red(s)), Alpha(d));
    }
    fade -= 255 / rows;
  }
}

}  // namespace skin
