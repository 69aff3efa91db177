// Where a skinned list-view header column puts its text and sort arrow:
// the text rectangle by the column's alignment, leaving room for an image
// on the left and the arrow on the right.
#pragma once

#include "fw/core/types.h"

namespace skin {

// The column's alignment (the low byte of its header format).
enum class TkColumnAlign { Left = 0, Right = 1, Center = 2 };

// The rectangle a column's text takes inside the column's rectangle Column:
// Column shrunk by 4 left and right and 1 top and bottom, the text
// TextWidth wide (its extent plus 5), right-aligned text ending before the
// arrow, left and centred text after an image of ImageOffset pixels.
fw::TRect ColumnTextRect(const fw::TRect& Column, TkColumnAlign Align, int TextWidth, int ArrowWidth,
                         int ImageOffset);

// The sort arrow's left edge: 6 pixels right of the text.
inline int ColumnArrowLeft(const fw::TRect& Text) { return Text.Right + 6; }

}  // namespace skin
