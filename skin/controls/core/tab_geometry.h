// The geometry of a skinned tab control as plain numbers: where the tabs
// sit (from the window style), the page and strip rectangles, the row of a
// tab, the rectangle a tab is painted in, the sections used, and where the
// image and the (for side tabs rotated) text of a tab go.
#pragma once

#include <cstdint>

#include "fw/core/types.h"

namespace skin {

enum TkTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TkTabStyle { tsTabs, tsButtons, tsFlatButtons };

// From the tab control's window style (TCS_VERTICAL, TCS_BOTTOM/TCS_RIGHT,
// TCS_BUTTONS, TCS_FLATBUTTONS).
TkTabPosition TabPositionOf(uint32_t Style);
TkTabStyle TabStyleOf(uint32_t Style);

// The display rectangle (the window passed through TCM_ADJUSTRECT) as the
// adapter uses it: two pixels lower at the top.
fw::TRect TabClientRect(const fw::TRect& Adjusted);
// The page area and the tab strip of a W x H window whose client rectangle
// is C; both the whole window when there are no tabs.
fw::TRect TabPageRect(int W, int H, bool HasTabs, TkTabPosition Pos, const fw::TRect& C);
fw::TRect TabStripRect(int W, int H, bool HasTabs, TkTabPosition Pos, const fw::TRect& C);
// The row (from 1, the row next to the page last for top tabs) of a tab
// with rectangle T in the strip S of Rows rows.
int TabRow(const fw::TRect& T, const fw::TRect& S, int Rows, TkTabPosition Pos);
// The rectangle a tab is painted in: grown for the active tab, reaching
// into the page edge for others; the item rectangle itself for buttons
// and empty tabs.
fw::TRect SkinTabRect(const fw::TRect& Item, bool Active, TkTabPosition Pos, TkTabStyle Style);

// The page section: "CHECKBOX" without tabs, a section of the control's
// own, else "PAGECONTROL" with the side's suffix.
fw::String PageSectionName(const fw::String& Own, bool HasTabs, TkTabPosition Pos);
// The section of the tab bodies: the side's tab section, or the button
// sections of the button styles.
fw::String TabSectionName(TkTabStyle Style, TkTabPosition Pos);

// Where the image and text of one tab go. For top and bottom tabs Text is
// the rectangle the text is centred in; for side tabs TextOrigin is where
// the rotated text starts and Clip the rectangle it is clipped to.
struct TkTabContent {
  bool HasImage = false;
  fw::TPoint Image;
  fw::TRect Text;
  fw::TPoint TextOrigin;
  fw::TRect Clip;
};
// R: the tab's painted rectangle; Cx x Cy the image list's icon size
// (HasImage false: no image); Tw x Th the text's extent along and across
// its direction.
TkTabContent PlaceTabContent(TkTabPosition Pos, fw::TRect R, bool Active, bool HasImage, int Cx, int Cy, int Tw,
                             int Th);
// The escapement of the rotated font of side tabs (tenths of a degree).
int TabTextEscapement(TkTabPosition Pos);
// Side tabs write "MS Sans Serif" text in "Arial" (the former cannot turn).
fw::String RotatedFaceName(const fw::String& Face);

}  // namespace skin
