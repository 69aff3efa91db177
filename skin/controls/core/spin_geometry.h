// The two buttons of a skinned up-down control as plain numbers: their
// rectangles and their looks from where the cursor is.
#pragma once

#include <utility>

#include "fw/core/types.h"

namespace skin {

// First (upper or left) and second button of a W x H control. A vertical
// control leaves its LeftOffset columns to the control. For odd sizes the
// two share the middle row (column).
std::pair<fw::TRect, fw::TRect> SpinButtonRects(int W, int H, bool Vertical, int LeftOffset);

// Looks (0 normal, 1 hot, 2 pressed) of the two buttons for a cursor at
// (X, Y) relative to the control's top-left; outside both are normal.
std::pair<int, int> SpinButtonStates(int W, int H, bool Vertical, int X, int Y, bool Pressed);

}  // namespace skin
