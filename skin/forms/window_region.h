// The window region of a skinned form: its rectangle less the skin's
// transparent corners, or, maximised, less the frame the system pushes off
// the monitor.
#pragma once

#include <windows.h>

#include <vector>

#include "skin/forms/core/frame_geometry.h"

namespace skin {

// The rectangle (x, y, x + width, y + height) minus every cut-out moved by
// (x, y). The caller owns the region.
HRGN MakeSkinRegion(const std::vector<fw::TRect>& cutouts, int width, int height, int x, int y);

// The region for the form as it stands: with an extended-border window the
// part inside its system frame and caption; maximised (without size limits,
// not an MDI child) the window less its system frame; else the skin's
// outline. The caller owns the region.
HRGN FormWindowRegion(const TkFormFrameFacts& f, const std::vector<fw::TRect>& cutouts, bool maxSizeLimited);

}  // namespace skin
