#include "skin/controls/core/panel_layout.h"

namespace skin {

const char16_t* PanelSectionName(int BevelOuter, int BevelInner, bool SingleBorder) {
  if (BevelOuter == kbvLowered) return BevelInner == kbvRaised ? u"GROUPBOX" : u"PANEL_LOW";
  if (BevelOuter == kbvRaised) return BevelInner == kbvLowered ? u"GROUPBOX" : u"PANEL";
  return SingleBorder ? u"PANEL_LOW" : u"CHECKBOX";
}

const char16_t* StaticTextSectionName(bool HasBevelKind, int BevelOuter, int BevelInner) {
  if (!HasBevelKind) return u"CHECKBOX";
  if ((BevelOuter == kbvLowered && BevelInner == kbvRaised) || (BevelOuter == kbvRaised && BevelInner == kbvLowered))
    return u"GROUPBOX";
  if (BevelOuter == kbvLowered) return u"PANEL_LOW";
  if (BevelOuter == kbvRaised) return u"PANEL";
  return u"CHECKBOX";
}

fw::TRect PanelTextRect(const fw::TRect& Client, int BevelOuter, int BevelInner, int BevelWidth, int BorderWidth,
                        int TextHeight) {
  const int inset = (BevelOuter != kbvNone ? BevelWidth : 0) + (BevelInner != kbvNone ? BevelWidth : 0) + BorderWidth;
  fw::TRect r = fw::Rect(Client.Left + inset, Client.Top + inset, Client.Right - inset, Client.Bottom - inset);
  const int top = (r.Top + r.Bottom - TextHeight) / 2;
  return fw::Rect(r.Left, top, r.Right, top + TextHeight);
}

}  // namespace skin
