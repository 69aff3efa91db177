// Colour operations on single pixels and colours (brightness, saturation, hue,
// tone), their application over a whole image, greying, colour mixing, the
// box blur of 8-bit coverage masks, the three-tap smoothing of images with
// alpha, and the combine step of the soft-edged fade toward a colour.
//
// The operations keep the alpha byte. Colour forms take and give colour
// values (0x00BBGGRR); their callers resolve system colours first.
#pragma once

#include <cstdint>

#include "fw/core/types.h"
#include "skin/engine/core/pixel_view.h"

namespace skin {

// Each colour byte := clamp(byte + change).
uint32_t PixelBrightness(uint32_t pixel, int change);
// With m the average of the colour bytes: c := clamp(c - v * (m - c) / 255).
uint32_t PixelSaturation(uint32_t pixel, int change);
// Shifts the hue by degrees (HSV); grey pixels have no hue and stay. A
// negative shifted hue is brought into 0..359 first.
uint32_t PixelHueShift(uint32_t pixel, int shift);
// Each channel := (tone channel * brightest byte) >> 8; toneColor is a colour.
uint32_t PixelColorTone(uint32_t pixel, int toneColor);

using TPixelOperation = uint32_t (*)(uint32_t pixel, int value);

// Runs the operation over every pixel; with a key other than clSkinNone,
// pixels whose 32-bit value equals the key are skipped.
void ApplyToPixels(const TPixelView32& v, TPixelOperation operation, int value, uint32_t key);

uint32_t ToneColor(uint32_t color, uint32_t tone);
uint32_t ShiftHueColor(uint32_t color, int shift);
uint32_t SaturateColor(uint32_t color, int change);

// A control's saturation in percent on the 0..255 scale: Trunc(s * 2.55),
// computed exactly.
constexpr int SaturationPercentToScale(int percent) { return percent * 255 / 100; }

// A control's tone (clSkinNone: none), hue offset and saturation percent
// applied to a plain RGB colour in this order.
uint32_t AdjustColor(uint32_t rgbColor, uint32_t rgbTone, int hueOffset, int saturationPercent);

// Per channel Trunc(B * (1 - x) + x * A); the high byte is A's.
uint32_t MixColors(uint32_t a, uint32_t b, double x);

// Colour bytes become their integer average; with the key form, pixels equal
// to the key colour in pixel order are left.
void GreyBitmap(const TPixelView32& v);
void GreyBitmapExceptKey(const TPixelView32& v, uint32_t keyColor);

// The half width of the box the coverage blur uses for a radius: its taps
// are Round(exp(-(i / sigma)^2 / 2)), 0 or 1, so the blur is an average of
// 2r + 1 samples per axis; 0 (no blur) for a radius too small to reach a
// neighbour or not above 0.
int BlurBoxRadius(double sigma);
// Blurs the mask in place, rows then columns, edge samples repeated; the sum
// is divided exactly, so a uniform area keeps its value. Cost does not grow
// with the radius.
void BlurMask8(const TPixelView8& mask, double sigma);

// Three-tap smoothing of colours and alpha, rows then columns; transparent
// taps borrow the last opaque tap of the line.
void SmoothAlphaBitmap(const TPixelView32& v);

// The grey levels of the fade mask's rings: ring 0 white, ring i of g the
// level P + Trunc((g - i + 1) * (255 - P) / (g + 1)), the centre P =
// percent * 255 / 100.
int FadeMaskLevel(int percent, int ring, int rings);
// Each pixel := C + ((pixel - C) * mask) >> 8 per channel, with the colour's
// channel C and the same channel of the mask (same size as the image).
void CombineFadeMask(const TPixelView32& v, const TPixelView32& mask, uint32_t rgbColor);

}  // namespace skin
