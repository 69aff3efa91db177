#include "skin/controls/core/column_header_layout.h"

namespace skin {

fw::TRect ColumnTextRect(const fw::TRect& Column, TkColumnAlign Align, int TextWidth, int ArrowWidth,
                         int ImageOffset) {
  fw::TRect t{Column.Left + 4, Column.Top + 1, Column.Right - 4, Column.Bottom - 1};
  switch (Align) {
    case TkColumnAlign::Right:
      t.Right -= ArrowWidth;
      t.Left = t.Right - TextWidth;
      break;
    case TkColumnAlign::Center:
      t.Left += ImageOffset + (t.Width() - TextWidth - ArrowWidth - ImageOffset) / 2;
      t.Right = t.Left + TextWidth;
      break;
    default:
      t.Left += ImageOffset;
      t.Right = t.Left + TextWidth;
      break;
  }
  return t;
}

}  // namespace skin
