// Drawing 32-bit images by their per-pixel alpha onto a 32-bit image: plain,
// with transparency, tinted, and with a fading reflection below.
#pragma once

#include "skin/engine/core/bitmap_blend.h"
#include "skin/engine/core/pixel_view.h"

namespace skin {

// Composes the common part of both rectangles (clipped to both images; a
// negative left or top moves both starts): D := ((S - D) * a + D * 256) >> 8
// per colour byte, and where a > 0 the destination alpha rises by
// ((255 - A) * a) >> 8. With ci Ready, source pixels of exactly 0xFF00FF are
// skipped, or with the background flag take ci.Bmp's pixel, opaque.
void CopyAlphaImage(const TPixelView32& dest, const fw::TRect& destRect, const TPixelView32& source,
                    const fw::TRect& sourceRect, const TCacheInfo& ci, bool background);

// As CopyAlphaImage with the weight (100 - transparency) * a / 100. Without
// a tint (clSkinNone) the colour is mixed in and, at transparency 0, alpha
// becomes max(A, a); with a tint colour each destination byte moves toward
// the source's grey times the brightened tint, alpha kept. With reflect set a
// mirrored copy fades out below destRect (as far as the source has rows
// above the mirrored one and the destination has room).
void DrawAlphaImage(const TPixelView32& dest, const fw::TRect& destRect, const TPixelView32& source,
                    const fw::TRect& sourceRect, const TCacheInfo& ci, bool background, uint32_t tint,
                    int transparency, bool reflect);

}  // namespace skin
