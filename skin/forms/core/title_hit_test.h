// The non-client hit test of a skinned form without extended-border window:
// title buttons (standard, user buttons, title-bar items), sizing edges,
// caption, icon, menu line and size grip, in form coordinates.
#pragma once

#include <vector>

#include "skin/forms/core/caption_layout.h"
#include "skin/forms/core/system_menu_rules.h"

namespace skin {

// A user title button or a title-bar item as the hit test sees it.
struct TkTitleElement {
  fw::TRect Rect;
  bool Visible = true;
  bool Enabled = true;
  // Title-bar items: a spacing or info item answers nothing, a pressed tab
  // answers the client.
  bool Inert = false;
  bool PressedTab = false;
};

struct TkTitleHitInput {
  TkFormFrameFacts Frame;
  TkCaptionLayout Layout;     // button rectangles and the icon
  bool HasSystemMenu = true;  // the provider's system menu object exists
  bool SystemMenuIcon = true; // biSystemMenu
  bool HelpIcon = false;      // biHelp
  TkSysMenuRules Rules;
  std::vector<TkTitleElement> UserButtons;  // hit code 1000 + index
  std::vector<TkTitleElement> Items;        // hit code 2000 + index
  bool BorderWindow = false;
  // The size grip: shown (GripVisible, or both own scroll bars with the
  // point between them) with a grip mask, and its top-left corner.
  bool GripShown = false;
  fw::TPoint GripPos;
  // The buttons of a maximised MDI child in the menu line.
  bool MdiButtonsVisible = false;
  fw::TRect MdiClose, MdiMax, MdiMin;
};

// The element under the point, counted close, maximise, minimise, help,
// user buttons, title-bar items; 0 for none.
int TitleButtonIndexAt(const TkTitleHitInput& in, int x, int y);
// The hit code of the point (x, y) of the form.
int TitleHitTest(const TkTitleHitInput& in, int x, int y);

}  // namespace skin
