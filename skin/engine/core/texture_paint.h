// Textures of skin sections: an image or a mask rectangle tiled or stretched
// over an area by the texture's mode, and textures with a mask part.
#pragma once

#include "skin/engine/core/bitmap_blend.h"
#include "skin/engine/core/skin_data.h"

namespace skin {

// Handed back by the texture painters when they covered the whole area.
inline constexpr fw::TRect kTextureCovered{-1, -1, -1, -1};

// Tiles image over r from its top-left, partial tiles at the right and
// bottom.
void TilePatternImage(const TPixelView32& dest, const fw::TRect& r, const TPixelView32& image);

// With an image (not empty) tiles it over r; otherwise paints the mask's
// rectangle of source (its own image or the master image) by mode:
// 0 tiles, 1 stretches over r, 2/6 one row of tiles at the top/bottom,
// 3/7 one column at the left/right, 4/5 a stretched band at the top/left,
// 10 whole tiles only. Returns the part of r left unpainted (the rest beside
// a row, column or band) or kTextureCovered; r itself when nothing could be
// painted.
fw::TRect PaintTexture(const TPixelView32& dest, const fw::TRect& r, const TPixelView32& image, int mode,
                       const TkMaskData& mask, const TPixelView32& source);

// A texture with a mask part below (half the height of mask.R), one frame
// wide: mode 0 tiles r with partial tiles; mode 10 paints whole tiles and
// gives the strips right of and below them the background (ci's image when
// Ready, else ci.FillColor). Other modes paint nothing.
void PaintMaskedTexture(const TPixelView32& dest, const fw::TRect& r, const TCacheInfo& ci, int mode,
                        const TkMaskData& mask, const TPixelView32& master);

}  // namespace skin
