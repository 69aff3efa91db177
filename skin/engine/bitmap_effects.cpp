#include "skin/engine/bitmap_effects.h"

#include <cstring>

#include "fw/graphics/gdi_handles.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/pixel_colors.h"
#include "skin/engine/core/resample.h"

namespace skin {

TGradientFill GradientFillProc = ::GradientFill;

uint32_t ResolveSkinColor(int32_t color) { return static_cast<uint32_t>(fw::ColorToRGB(static_cast<fw::TColor>(color))); }

namespace {

void FillTriangles(fw::TBitmap& bitmap, const fw::TRect& r, const TkGradArray& stops) {
  if (!GradientFillProc) return;
  const int cx = r.Left + (r.Right - r.Left) / 2, cy = r.Top + (r.Bottom - r.Top) / 2;
  const POINT corners[5] = {{r.Left, r.Top}, {cx, cy}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}};
  TRIVERTEX v[5];
  uint32_t color = 0;
  for (int i = 0; i < 5; ++i) {
    if (i < static_cast<int>(stops.size())) color = stops[i].Color1;  // a missing stop repeats the last colour
    v[i].x = corners[i].x;
    v[i].y = corners[i].y;
    v[i].Red = static_cast<COLOR16>((color & 0xFF) << 8);
    v[i].Green = static_cast<COLOR16>(((color >> 8) & 0xFF) << 8);
    v[i].Blue = static_cast<COLOR16>(((color >> 16) & 0xFF) << 8);
    v[i].Alpha = 0xFF00;
  }
  GRADIENT_TRIANGLE triangles[4] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
  GradientFillProc(bitmap.Canvas()->Handle(), v, 5, triangles, 4, GRADIENT_FILL_TRIANGLE);
}

}  // namespace

void FillGradient(fw::TBitmap& bitmap, const fw::TRect& r, const TkGradArray& stops) {
  if (GradientMode(stops) == gmTriangles) {
    // The vertices lie on the rectangle clipped to the bitmap, as the other
    // modes' segments do.
    if (r.Right <= r.Left || r.Bottom <= r.Top || bitmap.Empty()) return;
    const fw::TRect c = ClipToView(r, bitmap.Width(), bitmap.Height());
    if (c.Right > c.Left && c.Bottom > c.Top) FillTriangles(bitmap, c, stops);
    return;
  }
  FillGradient(View32(bitmap), r, stops);
}

void FillGradientTextured(fw::TBitmap& bitmap, const fw::TRect& r, const TkGradArray& stops, fw::TBitmap& texture,
                          const fw::TRect& textureRect, uint8_t mix, uint8_t alpha) {
  FillGradientTextured(View32(bitmap), r, stops, View32(texture), textureRect, mix, alpha);
}

void BlurMask8(fw::TBitmap& mask, double sigma) {
  if (mask.HandleType() != fw::bmDIB) return;
  BlurMask8(View8(mask), sigma);
}

void FadeRectToColor(fw::TBitmap& bitmap, const fw::TRect& r, int percent, fw::TColor color, int edgeWidth,
                     int cornerRadius) {
  const int w = r.Right - r.Left, h = r.Bottom - r.Top;
  TPixelView32 target = View32(bitmap);
  if (target.Empty() || w <= 0 || h <= 0) return;
  auto work = NewBitmap32(w, h);
  BitBlt(work->Canvas()->Handle(), 0, 0, w, h, bitmap.Canvas()->Handle(), r.Left, r.Top, SRCCOPY);
  auto mask = NewBitmap32(w, h);
  {
    HDC dc = mask->Canvas()->Handle();
    fw::TSelectObject pen(dc, GetStockObject(NULL_PEN));
    const int g = std::min({w / 2, h / 2, edgeWidth}), c = std::min({w / 2, h / 2, cornerRadius});
    auto ring = [dc](int level, int i, int right, int bottom, int corner) {
      fw::TBrushHandle brush(CreateSolidBrush(RGB(level, level, level)));
      fw::TSelectObject selected(dc, brush.Get());
      RoundRect(dc, i, i, right, bottom, corner, corner);
    };
    for (int i = 0; i <= g; ++i) ring(FadeMaskLevel(percent, i, g), i, w - i, h - i, c);
    ring(percent * 255 / 100, g, w - g, h - g, g);
  }
  GdiFlush();
  CombineFadeMask(View32(*work), View32(*mask), static_cast<uint32_t>(fw::ColorToRGB(color)));
  BitBlt(bitmap.Canvas()->Handle(), r.Left, r.Top, w, h, work->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void ResampleBitmap(fw::TBitmap& source, fw::TBitmap& dest, int newWidth, int newHeight, uint8_t kind) {
  if (newWidth <= 0 || newHeight <= 0 || source.Width() <= 1 || source.Height() <= 1) return;
  if (newWidth == source.Width() && newHeight == source.Height()) {
    if (&dest != &source) dest.Assign(&source);
    return;
  }
  source.SetPixelFormat(fw::pf32bit);
  TPixelBuffer out;
  ResamplePixels(View32(source), out, newWidth, newHeight, kind);
  dest.SetPixelFormat(fw::pf32bit);
  dest.SetHandleType(fw::bmDIB);
  dest.SetSize(newWidth, newHeight);
  TPixelView32 d = View32(dest);
  for (int y = 0; y < newHeight; ++y) std::memcpy(d.Row(y), out.ScanLine(y), size_t(newWidth) * 4);
}

}  // namespace skin
