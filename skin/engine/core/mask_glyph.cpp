#include "skin/engine/core/mask_glyph.h"

#include <algorithm>

namespace skin {

void DrawGlyphPiece(const fw::TRect& destRect, const fw::TRect& sourceRect, const TPixelView32& dest,
                    const TkMaskData& mask, int mode, const TPixelView32& source) {
  if (dest.Empty() || source.Empty()) return;
  if (mask.MaskType <= 0) {
    CopyRectSkipKey(dest, source, destRect.Left, destRect.Top, sourceRect, clSkinKey);
    return;
  }
  const int maskOffset = mask.R.Height() / (mask.MaskType + 1);
  int w = std::min(destRect.Width(), sourceRect.Width()) + 1, h = std::min(destRect.Height(), sourceRect.Height()) + 1;
  if (destRect.Left < 0 || destRect.Top < 0 || sourceRect.Left < 0 || sourceRect.Top < 0) return;
  w = std::min({w, dest.Width - destRect.Left, source.Width - sourceRect.Left});
  h = std::min(h, dest.Height - destRect.Top);
  if (w <= 0 || h <= 0 || sourceRect.Top + h + maskOffset > source.Height) return;
  for (int y = 0; y < h; ++y) {
    const uint32_t* img = source.Row(sourceRect.Top + y) + sourceRect.Left;
    const uint32_t* msk = source.Row(sourceRect.Top + maskOffset + y) + sourceRect.Left;
    uint32_t* d = dest.Row(destRect.Top + y) + destRect.Left;
    for (int x = 0; x < w; ++x) {
      const int m = Red(msk[x]);
      if (img[x] == clSkinKey || m == 255) continue;
      auto lift = [mode](int v) { return mode == gmNormal ? v : std::min(v + 100, 255); };
      auto ch = [](int dv, int iv, int mv) { return ((dv - iv) * mv + iv * 256) >> 8; };
      const uint32_t i = img[x], dp = d[x];
      const int a = Alpha(dp);
      d[x] = MakePixel(ch(Blue(dp), Blue(i), lift(Blue(msk[x]))), ch(Green(dp), Green(i), lift(Green(msk[x]))),
                       ch(Red(dp), Red(i), lift(m)), a + (((255 - a) * (255 - m)) >> 8));
    }
  }
}

void DrawMaskGlyph(const TPixelView32& dest, fw::TPoint p, int state, int mode, const TkMaskData& mask,
                   const TCacheInfo& ci, const TPixelView32& source) {
  if (source.Empty() || mask.ImageCount <= 0) return;
  const int fw = MaskFrameWidth(mask), fh = MaskFrameHeight(mask);
  state = std::max(0, std::min(state, mask.ImageCount - 1));
  const int cx = p.x < 0 ? -p.x : 0, cy = p.y < 0 ? -p.y : 0;
  const int sx = mask.R.Left + fw * state + cx, sy = mask.R.Top + cy;
  const int w = fw - cx, h = fh - cy;
  if (w <= 0 || h <= 0) return;
  const fw::TRect from = fw::Rect(sx, sy, sx + w - 1, sy + h - 1);
  const fw::TRect to = fw::Rect(p.x + cx, p.y + cy, p.x + cx + w - 1, p.y + cy + h - 1);
  if (mask.Bmp) {
    if (source.Width < mask.R.Right || source.Height < mask.R.Bottom) return;
    DrawGlyphPiece(to, from, dest, mask, mode, source);
  } else if (mask.MaskType <= 0) {
    if (mode == gmNormal) CopyRectKeyed(dest, source, to.Left, to.Top, from, clSkinKey, ci, true);
    else BlendBitmapRectKeyed(dest, to.Left, to.Top, source, from, 0.5, clSkinKey);
  } else {
    DrawGlyphPiece(to, from, dest, mask, mode, source);
  }
}

}  // namespace skin
