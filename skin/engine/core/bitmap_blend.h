// Copies and blends between 32-bit images: copies that skip a key colour or
// put the parent's background behind it, constant-weight, keyed and masked
// blends, and quarter turns. Every routine clips to every image it touches.
//
// Keys are compared with the whole 32-bit pixel, alpha byte included, so a
// magenta pixel matches the key 0xFF00FF only while its alpha byte is 0.
#pragma once

#include <cstdint>

#include "fw/core/types.h"
#include "skin/engine/core/pixel_view.h"

namespace skin {

// The background a control copies from its parent: Bmp (the parent's image,
// may be empty), X and Y (the control's offset inside it), FillColor (plain
// colour to use while no image is ready), FillRect, Ready.
struct TCacheInfo {
  TPixelView32 Bmp;
  int X = 0;
  int Y = 0;
  uint32_t FillColor = clSkinKey;
  fw::TRect FillRect;
  bool Ready = false;
};

// Copies source from its (0, 0) to (x, y); source pixels equal to the key
// colour in pixel order are skipped, copied pixels become opaque.
void CopyBitmapSkipKey(const TPixelView32& dest, const TPixelView32& source, int x, int y, uint32_t keyColor);

// Copies the source rectangle (right column and bottom row INCLUDED, limited
// to the source) to (x, y); key pixels (key in pixel order, alpha 0) are
// skipped, copied pixels keep their alpha.
void CopyRectSkipKey(const TPixelView32& dest, const TPixelView32& source, int x, int y, const fw::TRect& sourceRect,
                     uint32_t keyColor);

// As CopyRectSkipKey with the key compared to the whole source pixel, and key
// pixels treated by the background rules: with background set and ci Ready,
// onto ci.Bmp itself key pixels leave the destination and others become
// opaque, elsewhere key pixels take ci.Bmp's pixel at (x + ci.X, y + ci.Y);
// with ci Ready only, key pixels are skipped; otherwise they become
// ci.FillColor with alpha 0.
void CopyRectKeyed(const TPixelView32& dest, const TPixelView32& source, int x, int y, const fw::TRect& sourceRect,
                   uint32_t key, const TCacheInfo& ci, bool background);

// Mixes the source rectangle into dest at the point: per channel
// D := ((D - S) * weight + S * 256) >> 8 (weight 0 gives the source, 255 the
// destination). Rows and columns are clipped to both images.
void BlendBitmapAt(const TPixelView32& dest, const TPixelView32& source, uint8_t weight, const fw::TRect& sourceRect,
                   fw::TPoint destPoint);

// Draws the part r of dest from source starting at sourcePoint, by the
// source's alpha a scaled by alpha: l := (a * alpha) >> 8 and per colour
// byte D := ((255 - l) * D + S * l) >> 8; dest's alpha stays. Negative
// edges of r move sourcePoint and negative sourcePoint coordinates move r;
// r is clipped to dest and to what source holds from sourcePoint.
void BlendImageAt(const TPixelView32& dest, fw::TRect r, const TPixelView32& source, uint8_t alpha,
                  fw::TPoint sourcePoint);

// Mixes the source rectangle (right column and bottom row included) into dest
// at (x, y): D := Trunc(S - (S - D) * ratio), the ratio being the weight of
// the destination; source pixels equal to the key are skipped.
void BlendBitmapRectKeyed(const TPixelView32& dest, int x, int y, const TPixelView32& source,
                          const fw::TRect& sourceRect, double ratio, uint32_t key);

// Every pixel other than 0xFF00FF: P := Trunc(ratio * (P - C) + C) per
// channel with the plain RGB colour's channel C.
void BlendBitmapToColor(const TPixelView32& v, uint32_t rgbColor, double ratio);

// Nothing unless first and second are the same size. With a mask:
// D := ((A - B) * M + B * 256) >> 8 per channel (M: the mask's byte of that
// channel); without: D := B - ((weight * (B - A) + 255) >> 8).
void BlendTwoBitmaps(const TPixelView32& dest, const TPixelView32& first, const TPixelView32& second,
                     const TPixelView32* mask, uint8_t weight);

// For each pixel of r, with m the mask's red byte and a the source's alpha:
// m = 0 blends the source by its alpha, m = 255 keeps the destination, others
// blend by ((255 - m) * a) >> 8. Alpha untouched.
void BlendThroughMask(const TPixelView32& dest, const TPixelView32& source, const TPixelView32& mask,
                      const fw::TRect& r);

// Quarter turn into dest, which must be height x width of source: clockwise,
// (x, y) goes to (H - 1 - y, x); otherwise to (y, W - 1 - x).
void RotatePixels90(const TPixelView32& source, const TPixelView32& dest, bool clockwise);

}  // namespace skin
