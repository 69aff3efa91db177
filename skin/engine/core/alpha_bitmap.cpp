#include "skin/engine/core/alpha_bitmap.h"

#include <cmath>

#include "skin/engine/core/skin_data.h"

namespace skin {

void FillLongwords(uint32_t* address, int count, uint32_t value) {
  for (int i = 0; i < count; ++i) address[i] = value;
}

void FillRectAlpha(const TPixelView32& v, const fw::TRect& r, uint32_t color, uint8_t alpha) {
  if (v.Empty()) return;
  fw::TRect c = ClipToView(r, v.Width, v.Height);
  uint32_t pixel = ColorToPixel(color, alpha);
  for (int y = c.Top; y < c.Bottom; ++y) FillLongwords(v.Row(y) + c.Left, c.Right - c.Left, pixel);
}

void FillFrameAlpha(const TPixelView32& v, const fw::TRect& r, int leftWidth, int topHeight, int rightWidth,
                    int bottomHeight, uint32_t color) {
  FillRectAlpha(v, {r.Left, r.Top, r.Right, r.Top + topHeight}, color, 255);
  FillRectAlpha(v, {r.Left, r.Top + topHeight, r.Left + leftWidth, r.Bottom}, color, 255);
  FillRectAlpha(v, {r.Left + leftWidth, r.Bottom - bottomHeight, r.Right, r.Bottom}, color, 255);
  FillRectAlpha(v, {r.Right - rightWidth, r.Top + topHeight, r.Right, r.Bottom - bottomHeight}, color, 255);
}

void SetRectAlpha(const TPixelView32& v, const fw::TRect& r, uint8_t alpha, uint32_t key) {
  if (v.Empty()) return;
  fw::TRect c = ClipToView(r, v.Width, v.Height);
  uint32_t a = uint32_t(alpha) << 24;
  bool keyed = key != clSkinNone;
  for (int y = c.Top; y < c.Bottom; ++y) {
    uint32_t* row = v.Row(y);
    for (int x = c.Left; x < c.Right; ++x)
      if (!keyed || row[x] != key) row[x] = (row[x] & 0xFFFFFFu) | a;
  }
}

void PremultiplyRect(const TPixelView32& v, const fw::TRect& r) {
  if (v.Empty()) return;
  fw::TRect c = ClipToView(r, v.Width, v.Height);
  for (int y = c.Top; y < c.Bottom; ++y) {
    uint32_t* row = v.Row(y);
    for (int x = c.Left; x < c.Right; ++x) {
      uint32_t p = row[x];
      if (p == 0x00FFFFFFu) {
        row[x] = 0;
        continue;
      }
      unsigned a = Alpha(p);
      row[x] = MakePixel(Blue(p) * a >> 8, Green(p) * a >> 8, Red(p) * a >> 8, a);
    }
  }
}

void BlendRectToColor(const TPixelView32& v, const fw::TRect& r, uint8_t percent, uint32_t rgbColor) {
  if (v.Empty()) return;
  // Inclusive right and bottom edges, as the callers expect.
  int left = std::max(r.Left, 0), top = std::max(r.Top, 0);
  int right = std::min(r.Right, v.Width - 1), bottom = std::min(r.Bottom, v.Height - 1);
  if (left > right || top > bottom) return;
  // The weights are fixed for the call: one table per channel gives the same
  // doubles, rounded half to even, without a multiplication per pixel.
  double e = percent / 100.0, f = 1.0 - e;
  uint8_t table[3][256];
  uint32_t pixelColor = ColorToPixel(rgbColor, 0);
  const uint8_t colorBytes[3] = {Blue(pixelColor), Green(pixelColor), Red(pixelColor)};
  for (int ch = 0; ch < 3; ++ch)
    for (int b = 0; b < 256; ++b) {
      double value = std::nearbyint(e * b + f * colorBytes[ch]);
      table[ch][b] = static_cast<uint8_t>(std::clamp(value, 0.0, 255.0));
    }
  for (int y = top; y <= bottom; ++y) {
    uint32_t* row = v.Row(y);
    for (int x = left; x <= right; ++x) {
      uint32_t p = row[x];
      row[x] = MakePixel(table[0][Blue(p)], table[1][Green(p)], table[2][Red(p)], Alpha(p));
    }
  }
}

void FadeRectAlpha(const TPixelView32& v, const fw::TRect& r, uint32_t color, uint8_t alpha, int percent) {
  if (v.Empty()) return;
  fw::TRect c = ClipToView(r, v.Width, v.Height);
  uint32_t k = ColorToPixel(color, 0);
  auto fade = [percent](int byte, int key) { return uint8_t(byte - (byte - key) * percent / 100); };
  for (int y = c.Top; y < c.Bottom; ++y) {
    uint32_t* row = v.Row(y);
    for (int x = c.Left; x < c.Right; ++x) {
      uint32_t p = row[x];
      row[x] = MakePixel(fade(Blue(p), Blue(k)), fade(Green(p), Green(k)), fade(Red(p), Red(k)), alpha);
    }
  }
}

fw::TPoint KeyedCornerOrigin(int cornerCode, const fw::TRect& maskRect, int frameWidth, int frameHeight,
                             int rightWidth, int bottomHeight) {
  int right = maskRect.Left + frameWidth - rightWidth;
  int bottom = maskRect.Top + frameHeight - bottomHeight;
  switch (cornerCode) {
    case ccTopRight: return {right, maskRect.Top};
    case ccBottomLeft: return {maskRect.Left, bottom};
    case ccBottomRight: return {right, bottom};
    default: return {maskRect.Left, maskRect.Top};
  }
}

void FillKeyedCorner(const TPixelView32& dest, const TPixelView32& source, const fw::TRect& destRect,
                     fw::TPoint sourceStart, const TPixelView32* mask, fw::TPoint maskOrigin) {
  if (dest.Empty() || source.Empty() || (mask && mask->Empty())) return;
  int cols = std::min(destRect.Width(), source.Width - sourceStart.x);
  int rows = std::min(destRect.Height(), source.Height - sourceStart.y);
  for (int j = 0; j < rows; ++j) {
    int dy = destRect.Top + j, sy = sourceStart.y + j;
    if (dy < 0 || dy >= dest.Height || sy < 0) continue;
    for (int i = 0; i < cols; ++i) {
      int dx = destRect.Left + i, sx = sourceStart.x + i;
      if (dx < 0 || dx >= dest.Width || sx < 0) continue;
      uint32_t tested;
      if (mask) {
        int mx = maskOrigin.x + i, my = maskOrigin.y + j;
        if (!mask->Contains(mx, my)) continue;
        tested = mask->Pixel(mx, my);
      } else {
        tested = dest.Pixel(dx, dy);
      }
      if ((tested & 0xFFFFFFu) == clSkinKey) dest.Pixel(dx, dy) = source.Pixel(sx, sy);
    }
  }
}

void FillKeyedCorner(const TPixelView32& dest, const TPixelView32& source, const fw::TRect& destRect, int cornerCode,
                     TkLoadedSkin* skin, int maskIndex, fw::TPoint sourceStart) {
  if (maskIndex == -1) {
    FillKeyedCorner(dest, source, destRect, sourceStart, nullptr, {});
    return;
  }
  if (!skin || !skin->IsValidImgIndex(maskIndex)) return;
  TkMaskData& m = skin->ma[static_cast<size_t>(maskIndex)];
  const TPixelView32 image = View32(m.Bmp ? *m.Bmp : skin->MasterBitmap);
  const fw::TPoint origin = KeyedCornerOrigin(cornerCode, m.R, MaskFrameWidth(m), MaskFrameHeight(m), m.WR, m.WB);
  FillKeyedCorner(dest, source, destRect, sourceStart, &image, origin);
}

void BlendTextCoverage(const TPixelView32& dest, int x, int y, const TPixelView32& coverage, uint32_t textColor) {
  if (dest.Empty() || coverage.Empty()) return;
  uint32_t c = ColorToPixel(textColor, 0);
  const int cb = Blue(c), cg = Green(c), cr = Red(c);
  auto mix = [](int d, int t, int col) { return uint8_t(((d - col) * t + col * 256) >> 8); };
  for (int row = 0; row < coverage.Height; ++row) {
    int dy = y + row;
    if (dy < 0 || dy >= dest.Height) continue;
    const uint32_t* src = coverage.Row(row);
    uint32_t* out = dest.Row(dy);
    for (int col = 0; col < coverage.Width; ++col) {
      int dx = x + col;
      if (dx < 0 || dx >= dest.Width) continue;
      uint32_t t = src[col];
      if ((t & 0xFFFFFFu) == 0xFFFFFFu && (t >> 24 == 0 || t >> 24 == 0xFF)) continue;
      uint32_t d = out[dx];
      out[dx] = MakePixel(mix(Blue(d), Blue(t), cb), mix(Green(d), Green(t), cg), mix(Red(d), Red(t), cr), 255);
    }
  }
}

}  // namespace skin
