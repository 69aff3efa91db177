#include "skin/engine/core/border_corners.h"

#include <algorithm>

namespace skin {

namespace {

// Cache pixels at (cx, cy) + (x, y) under the key pixels of the corner
// (sx, sy, w x h) of the mask image.
void FillCornerFromBackground(const TPixelView32& cache, const TPixelView32& source, int sx, int sy, int w, int h,
                              int cx, int cy, const TCacheInfo& bg, bool maskPart) {
  const bool image = bg.Ready && !bg.Bmp.Empty();
  const uint32_t fill = SwapRedBlue(bg.FillColor & 0xFFFFFFu);
  if (!image && !maskPart && bg.FillColor == clSkinKey) return;
  for (int y = 0; y < h; ++y) {
    const int my = sy + y, dy = cy + y;
    if (my < 0 || my >= source.Height || dy < 0 || dy >= cache.Height) continue;
    for (int x = 0; x < w; ++x) {
      const int mx = sx + x, dx = cx + x;
      if (mx < 0 || mx >= source.Width || dx < 0 || dx >= cache.Width) continue;
      if (source.Pixel(mx, my) != clSkinKey) continue;
      if (!image) {
        cache.Pixel(dx, dy) = fill;
        continue;
      }
      const int bx = dx + bg.X, by = dy + bg.Y;
      if (bx >= bg.Bmp.Width) break;
      if (bx >= 0 && by >= 0 && by < bg.Bmp.Height) cache.Pixel(dx, dy) = bg.Bmp.Pixel(bx, by);
    }
  }
}

}  // namespace

void RepaintBorderCorners(const TPixelView32& cache, TkMaskData mask, const TPixelView32& source, int state,
                          int corners, const TCacheInfo& background) {
  if (cache.Empty() || source.Empty() || mask.CornerType == 0) return;
  if (mask.ImageCount == 0 && mask.Bmp) {
    mask.MaskType = 1;
    mask.ImageCount = 3;
    mask.R = fw::Rect(0, 0, source.Width, source.Height);
  }
  if (mask.ImageCount <= 0) return;
  const int fw = MaskFrameWidth(mask), fh = MaskFrameHeight(mask);
  state = std::clamp(state, 0, mask.ImageCount - 1);
  const int sx = mask.R.Left + state * fw, top = mask.R.Top;
  const int wl = mask.WL, wt = mask.WT, wr = mask.WR, wb = mask.WB;
  const int cw = fw - wl - wr;
  const bool maskPart = mask.MaskType > 0;
  const int w = cache.Width, h = cache.Height;
  auto fill = [&](int msx, int msy, int cornerW, int cornerH, int cx, int cy) {
    FillCornerFromBackground(cache, source, msx, msy, cornerW, cornerH, cx, cy, background, maskPart);
  };
  if (corners & bcTopLeft) fill(sx, top, wl, wt, 0, 0);
  if (corners & bcBottomLeft) fill(sx, top + fh - wb, wl, wb, 0, h - wb);
  if (corners & bcBottomRight) fill(sx + wl + cw, top + fh - wb, wr, wb, w - wr, h - wb);
  if (corners & bcTopRight) fill(sx + wl + cw, top, wr, wt, w - wr, 0);
}

}  // namespace skin
