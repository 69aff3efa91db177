// Panels and framed static texts as plain numbers: the section their bevels
// call for and where a panel's caption goes.
#pragma once

#include "fw/core/types.h"

namespace skin {

// Bevel cuts as the framework numbers them.
enum TkBevelCut { kbvNone, kbvLowered, kbvRaised, kbvSpace };

// A panel's section by its outer and inner bevels and whether it has a
// single border.
const char16_t* PanelSectionName(int BevelOuter, int BevelInner, bool SingleBorder);
// A static text's section: "CHECKBOX" without a bevel kind, else by bevels.
const char16_t* StaticTextSectionName(bool HasBevelKind, int BevelOuter, int BevelInner);

// The caption's rectangle: the client rectangle less BevelWidth for each
// bevel that is cut and less BorderWidth, then TextHeight high and centred
// vertically in what is left.
fw::TRect PanelTextRect(const fw::TRect& Client, int BevelOuter, int BevelInner, int BevelWidth, int BorderWidth,
                        int TextHeight);

}  // namespace skin
