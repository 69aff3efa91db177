// Background gradients of skin sections: the description text (groups of
// five fields "Color1;Color2;Percent;Mode1;Mode2") as an array of stops, and
// the painting of a stop array into a 32-bit image, plain or mixed with a
// tiled texture. The mode of the whole array is the low byte of Mode1 of its
// first stop: 0 vertical, 1 horizontal, 2 four triangles (painted by the
// system's gradient fill on the Windows side).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "fw/core/types.h"
#include "skin/engine/core/pixel_view.h"

namespace skin {

struct TkGradPie {
  uint32_t Color1 = 0;
  uint32_t Color2 = 0;
  uint8_t Percent = 0;  // share of the rectangle's extent, 0..100
  int32_t Mode1 = 0;
  int32_t Mode2 = 0;    // never read
};
using TkGradArray = std::vector<TkGradPie>;

constexpr int gmVertical = 0, gmHorizontal = 1, gmTriangles = 2;
inline int GradientMode(const TkGradArray& stops) { return stops.empty() ? -1 : (stops[0].Mode1 & 0xFF); }

// Turns a colour value (possibly a system colour) into plain RGB.
using TColorResolver = std::function<uint32_t(int32_t color)>;

// Empty text gives no stops; an incomplete last group is dropped; a percent is
// clamped to 0..100. A field that is not an integer raises EConvertError.
void ParseGradientData(fw::StringView text, TkGradArray& stops, const TColorResolver& resolve = {});

// Paints modes 0 and 1 into r (clipped to the image) with alpha 255; each
// segment's first row (column) shows Color1 and its last Color2 exactly.
// Other modes paint nothing here.
void FillGradient(const TPixelView32& v, const fw::TRect& r, const TkGradArray& stops);

// The same mixed with a texture tiled from textureRect (empty: the whole
// texture): per channel (mix * (T - G) + G * 256) >> 8 with the given alpha.
void FillGradientTextured(const TPixelView32& v, const fw::TRect& r, const TkGradArray& stops,
                          const TPixelView32& texture, const fw::TRect& textureRect, uint8_t mix, uint8_t alpha);

}  // namespace skin
