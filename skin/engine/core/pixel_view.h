// A view of the rows of a 32-bit or 8-bit image: where row 0 starts, the
// signed distance in bytes to the next row (negative for bottom-up DIBs) and
// the size. Every per-pixel routine of the engine works on views, so the same
// code serves DIB sections on Windows and plain buffers in the portable build.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "fw/core/types.h"
#include "skin/engine/core/pixel_buffer.h"

namespace skin {

// The key colour of skin images; equal as colour and as pixel.
constexpr uint32_t clSkinKey = 0xFF00FF;
// Passed as a colour, tone or key: none.
constexpr uint32_t clSkinNone = 0x1FFFFFFF;

// Rows of 32-bit pixels (bytes blue, green, red, alpha; 0xAARRGGBB as an
// integer). An empty view (no rows) makes every routine do nothing.
struct TPixelView32 {
  uint8_t* Row0 = nullptr;
  ptrdiff_t Stride = 0;
  int Width = 0;
  int Height = 0;

  bool Empty() const { return Row0 == nullptr || Width <= 0 || Height <= 0; }
  uint32_t* Row(int y) const { return reinterpret_cast<uint32_t*>(Row0 + y * Stride); }
  uint32_t& Pixel(int x, int y) const { return Row(y)[x]; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
};

// Rows of 8-bit samples (coverage masks, indexed images).
struct TPixelView8 {
  uint8_t* Row0 = nullptr;
  ptrdiff_t Stride = 0;
  int Width = 0;
  int Height = 0;

  bool Empty() const { return Row0 == nullptr || Width <= 0 || Height <= 0; }
  uint8_t* Row(int y) const { return Row0 + y * Stride; }
};

// Views of a portable buffer; empty unless the buffer has rows in that format.
TPixelView32 View32(TPixelBuffer& buffer);
TPixelView8 View8(TPixelBuffer& buffer);

// With toChannel8 set, copies the given channel (0 blue, 1 green, 2 red,
// 3 alpha) of every pixel of the 32-bit view into the 8-bit view; otherwise
// the 8-bit bytes go into that channel. Clipped to both views; nothing for
// another channel number.
void CopyChannel(const TPixelView32& v32, const TPixelView8& v8, int channel, bool toChannel8);

// The part of a rectangle (exclusive right and bottom) that lies in the view.
inline fw::TRect ClipToView(const fw::TRect& r, int width, int height) {
  return fw::TRect{std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, width), std::min(r.Bottom, height)};
}

// The part of a view inside r (exclusive right and bottom), as a view of its
// own; empty when r lies outside. A piece of an image is passed this way.
inline TPixelView32 SubView(const TPixelView32& v, const fw::TRect& r) {
  if (v.Empty()) return {};
  const fw::TRect c = ClipToView(r, v.Width, v.Height);
  if (c.Right <= c.Left || c.Bottom <= c.Top) return {};
  return {v.Row0 + c.Top * v.Stride + ptrdiff_t(c.Left) * 4, v.Stride, c.Right - c.Left, c.Bottom - c.Top};
}

// Colour value (0x00BBGGRR) to pixel (0xAARRGGBB) with the given alpha byte.
constexpr uint32_t ColorToPixel(uint32_t color, uint8_t alpha) {
  return SwapRedBlue(color & 0xFFFFFFu) | (uint32_t(alpha) << 24);
}

constexpr uint8_t Blue(uint32_t pixel) { return uint8_t(pixel); }
constexpr uint8_t Green(uint32_t pixel) { return uint8_t(pixel >> 8); }
constexpr uint8_t Red(uint32_t pixel) { return uint8_t(pixel >> 16); }
constexpr uint8_t Alpha(uint32_t pixel) { return uint8_t(pixel >> 24); }
constexpr uint32_t MakePixel(int b, int g, int r, int a) {
  return uint32_t(uint8_t(b)) | uint32_t(uint8_t(g)) << 8 | uint32_t(uint8_t(r)) << 16 | uint32_t(uint8_t(a)) << 24;
}

}  // namespace skin
