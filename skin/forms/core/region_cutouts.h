// The outline of a skinned window: where the corner pieces of the form's
// border mask and of its title section's border mask hold the key colour,
// the window is cut away.
#pragma once

#include <vector>

#include "fw/core/types.h"
#include "skin/engine/core/skin_data.h"

namespace skin {

// One-row rectangles in window coordinates: the key runs of the border
// mask's top corners (row 0) and bottom corners (row formHeight - its bottom
// width), then the top corners of the title section's "BORDERSMASK", for a
// window width pixels wide. Invalid indexes add nothing.
std::vector<fw::TRect> MakeRegionCutouts(TkLoadedSkin& skin, int borderIndex, int titleSkinIndex, int width,
                                         int formHeight);

}  // namespace skin
