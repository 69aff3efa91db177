// Small masks drawn at a point: check marks, arrows, title-bar buttons and
// the corner images of sections, each one state image of its mask.
#pragma once

#include "skin/engine/core/bitmap_blend.h"
#include "skin/engine/core/skin_data.h"

namespace skin {

// Mode 1 is the normal look; other modes (2 for disabled or inactive) fade
// the glyph.
constexpr int gmNormal = 1, gmFaded = 2;

// Paints frame state (the last one beyond the image count) of the mask with
// its top-left corner at p; columns and rows left of or above the image are
// cut off. source is the mask's own image or the master image (empty: no
// skin, nothing painted). Keys over ci as the keyed copy decides; faded
// glyphs without a mask part are blended half and half.
void DrawMaskGlyph(const TPixelView32& dest, fw::TPoint p, int state, int mode, const TkMaskData& mask,
                   const TCacheInfo& ci, const TPixelView32& source);

// One glyph frame (destination and source rectangles with right and bottom
// included) through the mask part (height of mask.R / (MaskType + 1) below):
// D := ((D - I) * M + I * 256) >> 8 where I is not the key and the mask is
// not 255, M lifted by 100 when faded; alpha gains (255 - A) * (255 - m) >> 8.
// A mask without a mask part copies every pixel but the key.
void DrawGlyphPiece(const fw::TRect& destRect, const fw::TRect& sourceRect, const TPixelView32& dest,
                    const TkMaskData& mask, int mode, const TPixelView32& source);

}  // namespace skin
