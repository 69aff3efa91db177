#include "skin/engine/core/texture_paint.h"

#include <algorithm>

#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/core/mask_paint.h"
#include "skin/engine/core/mask_plan.h"

namespace skin {

namespace {

// Copies the leading part of the tile (from its top-left) over t.
void CopyTile(const TPixelView32& dest, const fw::TRect& t, const TPixelView32& tile) {
  for (int y = std::max(t.Top, 0); y < std::min(t.Bottom, dest.Height); ++y) {
    const int sy = y - t.Top;
    if (sy >= tile.Height) break;
    for (int x = std::max(t.Left, 0); x < std::min(t.Right, dest.Width); ++x)
      if (x - t.Left < tile.Width) dest.Pixel(x, y) = tile.Pixel(x - t.Left, sy);
  }
}

// The tile scaled over t by nearest sampling.
void StretchTile(const TPixelView32& dest, const fw::TRect& t, const TPixelView32& tile) {
  if (t.Width() <= 0 || t.Height() <= 0) return;
  for (int y = std::max(t.Top, 0); y < std::min(t.Bottom, dest.Height); ++y)
    for (int x = std::max(t.Left, 0); x < std::min(t.Right, dest.Width); ++x)
      dest.Pixel(x, y) = tile.Pixel(int(int64_t(x - t.Left) * tile.Width / t.Width()),
                                    int(int64_t(y - t.Top) * tile.Height / t.Height()));
}

void TileOver(const TPixelView32& dest, const fw::TRect& area, const TPixelView32& tile) {
  for (const fw::TRect& t : PlanTiles(area, tile.Width, tile.Height)) CopyTile(dest, t, tile);
}

}  // namespace

void TilePatternImage(const TPixelView32& dest, const fw::TRect& r, const TPixelView32& image) {
  if (dest.Empty() || image.Empty()) return;
  TileOver(dest, r, image);
}

fw::TRect PaintTexture(const TPixelView32& dest, const fw::TRect& r, const TPixelView32& image, int mode,
                       const TkMaskData& mask, const TPixelView32& source) {
  if (!image.Empty()) {
    TilePatternImage(dest, r, image);
    return kTextureCovered;
  }
  const TPixelView32 tile = SubView(source, mask.R);
  if (tile.Empty() || dest.Empty() || tile.Width != mask.R.Width() || tile.Height != mask.R.Height()) return r;
  const int w = tile.Width, h = tile.Height;
  switch (mode) {
    case 0: TileOver(dest, r, tile); return kTextureCovered;
    case 1: StretchTile(dest, r, tile); return kTextureCovered;
    case 2: TileOver(dest, fw::Rect(r.Left, r.Top, r.Right, std::min(r.Top + h, r.Bottom)), tile);
      return fw::Rect(r.Left, r.Top + h, r.Right, r.Bottom);
    case 3: TileOver(dest, fw::Rect(r.Left, r.Top, std::min(r.Left + w, r.Right), r.Bottom), tile);
      return fw::Rect(r.Left + w, r.Top, r.Right, r.Bottom);
    case 4: StretchTile(dest, fw::Rect(r.Left, r.Top, r.Right, r.Top + h), tile);
      return fw::Rect(r.Left, r.Top + h, r.Right, r.Bottom);
    case 5: StretchTile(dest, fw::Rect(r.Left, r.Top, r.Left + w, r.Bottom), tile);
      return fw::Rect(r.Left + w, r.Top, r.Right, r.Bottom);
    case 6: TileOver(dest, fw::Rect(r.Left, std::max(r.Bottom - h, r.Top), r.Right, r.Bottom), tile);
      return fw::Rect(r.Left, r.Top, r.Right, r.Bottom - h);
    case 7: TileOver(dest, fw::Rect(std::max(r.Right - w, r.Left), r.Top, r.Right, r.Bottom), tile);
      return fw::Rect(r.Left, r.Top, r.Right - w, r.Bottom);
    case 10: {
      const fw::TRect whole =
          fw::Rect(r.Left, r.Top, r.Left + r.Width() / w * w, r.Top + r.Height() / h * h);
      TileOver(dest, whole, tile);
      return kTextureCovered;
    }
    default: return r;  // not a texture mode of skins
  }
}

void PaintMaskedTexture(const TPixelView32& dest, const fw::TRect& r, const TCacheInfo& ci, int mode,
                        const TkMaskData& mask, const TPixelView32& master) {
  const int w = MaskFrameWidth(mask), h = mask.R.Height() / 2;
  if (master.Empty() || dest.Empty() || w <= 0 || h <= 0 || (mode != 0 && mode != 10)) return;
  fw::TRect area = r;
  if (mode == 10) area = fw::Rect(r.Left, r.Top, r.Left + r.Width() / w * w, r.Top + r.Height() / h * h);
  for (const fw::TRect& t : PlanTiles(area, w, h))
    DrawMaskTexturePiece(dest, t, master, fw::Bounds(mask.R.Left, mask.R.Top, t.Width(), t.Height()), mask, ci);
  if (mode != 10) return;
  // The strips beside the whole tiles show the background.
  auto background = [&](const fw::TRect& strip) {
    const fw::TRect c = ClipToView(strip, dest.Width, dest.Height);
    if (c.Right <= c.Left || c.Bottom <= c.Top) return;
    if (!ci.Ready) {
      FillRectAlpha(dest, c, ci.FillColor, 255);
      return;
    }
    for (int y = c.Top; y < c.Bottom; ++y)
      for (int x = c.Left; x < c.Right; ++x)
        if (ci.Bmp.Contains(ci.X + x, ci.Y + y)) dest.Pixel(x, y) = ci.Bmp.Pixel(ci.X + x, ci.Y + y);
  };
  background(fw::Rect(area.Right, r.Top, r.Right, r.Bottom));
  background(fw::Rect(r.Left, area.Bottom, area.Right, r.Bottom));
}

}  // namespace skin
