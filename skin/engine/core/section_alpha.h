// Skin sections painted with a meaningful alpha channel, for the images of
// layered windows: the state's background (transparency, texture, gradient,
// colour) and the border mask.
#pragma once

#include "skin/engine/core/skin_data.h"
#include "skin/engine/core/pixel_view.h"

namespace skin {

// Paints background state 0 or 1 of the section into r. colour 0xFF00FF
// takes the section's own values; any other colour is painted plain and
// opaque. A fully transparent state clears r only when r is the whole image.
void PaintSectionBackgroundAlpha(const TPixelView32& dest, TkLoadedSkin& skin, int skinIndex, int bgState,
                                 const fw::TRect& r, uint32_t colour);

// The section in state (clamped to its states) over r: background, then the
// border mask, whose keys show what r held before. r must lie inside the
// image; when it is the whole image the result is premultiplied.
void PaintSectionAlpha(const TPixelView32& dest, TkLoadedSkin& skin, int skinIndex, int state, const fw::TRect& r);

}  // namespace skin
