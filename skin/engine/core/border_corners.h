// The corners of a control's border mask where the mask is transparent
// (exactly 0xFF00FF): in the control's cache image they show what lies
// behind the control instead of whatever was painted there.
#pragma once

#include "skin/engine/core/bitmap_blend.h"
#include "skin/engine/core/skin_data.h"

namespace skin {

// Corner flags.
constexpr int bcTopLeft = 1, bcBottomLeft = 2, bcTopRight = 4, bcBottomRight = 8, bcAll = 15;

// Repairs the flagged corners of cache (the control's whole image) for the
// mask's frame state (the last one beyond the image count), in the order
// top-left, bottom-left, bottom-right, top-right. Each cache pixel under a
// key pixel of the mask image (source: its own or the master image) takes
// background's image pixel at (x + X, y + Y) when background is Ready (a
// column beyond that image ends the row), else its FillColor in pixel order
// (a mask without a mask part leaves the pixel for a key fill colour).
// Nothing for a mask whose CornerType is 0. An own image without an image
// count counts as three states with a mask part.
void RepaintBorderCorners(const TPixelView32& cache, TkMaskData mask, const TPixelView32& source, int state,
                          int corners, const TCacheInfo& background);

}  // namespace skin
