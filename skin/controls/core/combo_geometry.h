// A skinned combo box as numbers: the drop-down button's rectangle and the
// rectangle of the selected text beside it.
#pragma once

#include <cstdint>

#include "fw/core/types.h"

namespace skin {

// Style bits 0-1 of a combo box: 1 simple, 2 drop-down (with an edit
// field), 3 drop-down list.
enum class TkComboKind { Simple = 1, DropDown = 2, DropDownList = 3 };
TkComboKind ComboKindOf(uint32_t Style);

// The button in window coordinates: ButtonWidth + 1 wide for the drop-down
// kinds, none (0 wide) for a simple box; Margin from the top, the bottom
// and the right edge, or the left edge with right-to-left reading.
fw::TRect ComboButtonRect(fw::TPoint WindowSize, TkComboKind Kind, bool RightToLeft, int ButtonWidth, int Margin);

// The selected text of a drop-down list: 3 pixels in from the frame, up to
// the button (after it with right-to-left reading).
fw::TRect ComboTextRect(fw::TPoint WindowSize, const fw::TRect& Button, bool RightToLeft);

}  // namespace skin
