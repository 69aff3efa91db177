// The skin engine's gradients, colour effects and resampling on bitmaps:
// the portable pixel routines applied to DIB bitmaps, plus the parts that
// need the system (the four-triangle gradient fill, the fade mask).
#pragma once

#include <windows.h>

#include "fw/graphics/graphics.h"
#include "skin/engine/core/gradient.h"

namespace skin {

// The system's triangle gradient fill; null where the system has none (mode 2
// then paints nothing). Replaceable for tests.
using TGradientFill = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
extern TGradientFill GradientFillProc;

// Colour values of skin text as plain RGB, system colours resolved: the
// resolver for ParseGradientData.
uint32_t ResolveSkinColor(int32_t color);
// All three modes into a 32-bit bitmap; mode 2 through GradientFillProc.
void FillGradient(fw::TBitmap& bitmap, const fw::TRect& r, const TkGradArray& stops);
void FillGradientTextured(fw::TBitmap& bitmap, const fw::TRect& r, const TkGradArray& stops, fw::TBitmap& texture,
                          const fw::TRect& textureRect, uint8_t mix, uint8_t alpha);

// Blurs an 8-bit coverage mask in place; nothing for other formats.
void BlurMask8(fw::TBitmap& mask, double sigma);

// Mixes r toward the colour through a soft-edged mask: the centre keeps
// percent of the image, the edge (edgeWidth wide, rounded by cornerRadius)
// fades out to almost unchanged.
void FadeRectToColor(fw::TBitmap& bitmap, const fw::TRect& r, int percent, fw::TColor color, int edgeWidth,
                     int cornerRadius);

// Resizes source into dest (which may be source) with a filter kind; the
// source is turned into 32 bits in place. Degenerate sizes do nothing.
void ResampleBitmap(fw::TBitmap& source, fw::TBitmap& dest, int newWidth, int newHeight, uint8_t kind);

}  // namespace skin
