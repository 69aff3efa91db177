#include "skin/controls/core/combo_geometry.h"

namespace skin {

TkComboKind ComboKindOf(uint32_t Style) {
  switch (Style & 3) {
    case 1: return TkComboKind::Simple;
    case 3: return TkComboKind::DropDownList;
    default: return TkComboKind::DropDown;
  }
}

fw::TRect ComboButtonRect(fw::TPoint WindowSize, TkComboKind Kind, bool RightToLeft, int ButtonWidth, int Margin) {
  const int w = Kind == TkComboKind::Simple ? 0 : ButtonWidth + 1;
  const int left = RightToLeft ? Margin : WindowSize.x - w - Margin;
  return fw::Rect(left, Margin, left + w, WindowSize.y - Margin);
}

fw::TRect ComboTextRect(fw::TPoint WindowSize, const fw::TRect& Button, bool RightToLeft) {
  if (RightToLeft) return fw::Rect(Button.Right, 3, WindowSize.x - 3, WindowSize.y - 3);
  return fw::Rect(3, 3, Button.Left, WindowSize.y - 3);
}

}  // namespace skin
