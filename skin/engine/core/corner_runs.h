// The transparent corner pixels of a border mask as one-row rectangles, from
// which a skinned window builds its region.
#pragma once

#include <vector>

#include "fw/core/types.h"
#include "skin/engine/core/pixel_view.h"
#include "skin/engine/core/skin_data.h"

namespace skin {

// Scans the top (WT rows) or bottom (WB rows) corners of the mask's first
// frame in source: the left corner's WL columns and the right corner's WR
// columns, the latter placed at windowWidth - frame width + column. Each run
// of exactly 0xFF00FF in row i is appended as (x1, rowOffset + i, x2,
// rowOffset + i + 1). Nothing when the image lacks the rows.
void AddCornerTransparencyRects(std::vector<fw::TRect>& rects, int windowWidth, const TkMaskData& mask,
                                const TPixelView32& source, bool bottom, int rowOffset);

}  // namespace skin
