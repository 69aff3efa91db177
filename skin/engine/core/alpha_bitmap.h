// Pixel work on 32-bit images with alpha: single pixels, fills with an alpha
// byte, alpha setting and premultiplication, mixing and fading toward a
// colour, key-coloured corners filled from another image, and the blend of
// text coverage that leaves a valid alpha channel.
//
// Colours are taken as they are: resolving system colours is the caller's
// work (the Windows side does it where a routine asks for it).
#pragma once

#include <cstdint>

#include "fw/core/types.h"
#include "skin/engine/core/pixel_view.h"

namespace skin {

// No bounds test: callers pass coordinates inside the view.
inline uint32_t ReadPixel32(const TPixelView32& v, int x, int y) { return v.Pixel(x, y); }
inline void WritePixel32(const TPixelView32& v, int x, int y, uint32_t value) { v.Pixel(x, y) = value; }

// Stores value count times from address; nothing for a count of 0 or less.
void FillLongwords(uint32_t* address, int count, uint32_t value);

// Every pixel of r (clipped to the view) becomes (alpha << 24) | colour in
// pixel order.
void FillRectAlpha(const TPixelView32& v, const fw::TRect& r, uint32_t color, uint8_t alpha);

// Four opaque strips inside r: top over the whole width, left below it, bottom
// from the left strip to the right edge, right between top and bottom.
void FillFrameAlpha(const TPixelView32& v, const fw::TRect& r, int leftWidth, int topHeight, int rightWidth,
                    int bottomHeight, uint32_t color);

// Sets the alpha byte in r; with a key other than clSkinNone, only of pixels
// whose whole 32-bit value differs from the key. Clipped to the view.
void SetRectAlpha(const TPixelView32& v, const fw::TRect& r, uint8_t alpha, uint32_t key);

// Colour bytes become (c * A) >> 8 (255 becomes 254); a transparent white
// pixel 0x00FFFFFF becomes 0. Clipped to the view.
void PremultiplyRect(const TPixelView32& v, const fw::TRect& r);

// Each colour byte becomes Round(e * byte + (1 - e) * colour byte), e =
// percent / 100, halves to even; alpha kept. Right and bottom are INCLUSIVE
// here. The colour must already be a plain RGB colour.
void BlendRectToColor(const TPixelView32& v, const fw::TRect& r, uint8_t percent, uint32_t rgbColor);

// c := c - ((c - k) * percent) / 100 (truncating toward zero) per colour byte
// with the colour's byte k; alpha := the given byte. Clipped to the view.
void FadeRectAlpha(const TPixelView32& v, const fw::TRect& r, uint32_t color, uint8_t alpha, int percent);

// Window hit-test codes naming the corner of a frame shadow.
enum TCornerCode : int { ccTopLeft = 13, ccTopRight = 14, ccBottomLeft = 16, ccBottomRight = 17 };

// Where the corner's test pixels start inside a mask image: R is the mask's
// rectangle, frameWidth/Height one state image, rightWidth/bottomHeight the
// mask's border widths (WR, WB).
fw::TPoint KeyedCornerOrigin(int cornerCode, const fw::TRect& maskRect, int frameWidth, int frameHeight,
                             int rightWidth, int bottomHeight);

// Replaces pixels of dest inside destRect by source pixels from sourceStart
// onwards where the tested pixel has 0xFF00FF in its low 24 bits. The tested
// pixel is the destination pixel itself when mask is null, else the pixel of
// *mask at maskOrigin plus the same offset. Clipped to every image involved.
void FillKeyedCorner(const TPixelView32& dest, const TPixelView32& source, const fw::TRect& destRect,
                     fw::TPoint sourceStart, const TPixelView32* mask, fw::TPoint maskOrigin);

class TkLoadedSkin;
// The frame-shadow form: with a mask index of -1 the destination's own pixels
// are tested; otherwise those of the corner (a hit-test code) of one state
// image of the skin's mask, in the mask's own image or the skin's master
// image. Nothing for another index that names no mask of the skin.
void FillKeyedCorner(const TPixelView32& dest, const TPixelView32& source, const fw::TRect& destRect, int cornerCode,
                     TkLoadedSkin* skin, int maskIndex, fw::TPoint sourceStart);

// Blends text coverage into dest at (x, y): each coverage pixel T that is
// neither 0x00FFFFFF nor 0xFFFFFFFF makes the pixel D, per channel with the
// text colour channel C, ((D - C) * T + C * 256) >> 8, alpha 255. Black
// coverage gives the text colour, white leaves the pixel. Parts of the
// coverage outside dest are skipped.
void BlendTextCoverage(const TPixelView32& dest, int x, int y, const TPixelView32& coverage, uint32_t textColor);

}  // namespace skin
