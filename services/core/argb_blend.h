// Per-pixel blending of 32-bit colours (alpha, red, green, blue from the top
// byte down); every formula works on the four bytes alike. One integer
// implementation serves every processor.
#pragma once

#include <cstdint>

#include "fw/core/types.h"

namespace services {

using TColor32 = uint32_t;

// W = 0 gives Y, W = 255 gives X; otherwise per byte
// ((x * W + 128) >> 8) + ((y * (255 - W) + 128) >> 8).
TColor32 Combine(TColor32 X, TColor32 Y, TColor32 W);
void CombineInPlace(TColor32 F, TColor32& B, TColor32 W);
// F over B with F's alpha as the weight.
TColor32 Blend(TColor32 F, TColor32 B);
void BlendInPlace(TColor32 F, TColor32& B);
// The same with F's alpha scaled by M (0-255).
TColor32 BlendMasked(TColor32 F, TColor32 B, TColor32 M);
void BlendMaskedInPlace(TColor32 F, TColor32& B, TColor32 M);
// Count pixels of Src over Dst: transparent ones leave Dst, opaque ones
// replace it. Nothing for Count <= 0.
void BlendLine(const TColor32* Src, TColor32* Dst, int Count);
void BlendLineMasked(const TColor32* Src, TColor32* Dst, int Count, TColor32 M);
// Always false: the integer implementation is the only one.
bool BlendUsesMMX();

// R1 lies inside R2 (edges may meet).
bool RectWithinRect(const fw::TRect& R1, const fw::TRect& R2);

}  // namespace services
