// Which window commands a skinned form offers: the visibility and enabling
// of restore, move, size, minimise, maximise and close, shared by the title
// buttons, the hit test and the skinned system menu.
#pragma once

#include "skin/forms/core/frame_geometry.h"

namespace skin {

// The form facts the rules read.
struct TkSysMenuFacts {
  TkFrameStyle BorderStyle = TkFrameStyle::bsSizeable;
  bool SystemMenu = true;  // BorderIcons hold biSystemMenu
  bool MinimizeIcon = true, MaximizeIcon = true;
  bool Iconic = false;     // the window is iconic
  bool Maximized = false;  // WindowState wsMaximized
  bool Minimized = false;  // WindowState wsMinimized
  bool MdiChild = false;
  bool MainForm = false;   // the application's main form
  bool MainFormOnTaskBar = true;
  // The window's standard system menu has a close item, and it is disabled.
  bool StdMenuHasClose = true, StdCloseDisabled = false;
};

struct TkSysMenuRules {
  bool VisibleRestore = false, VisibleSize = false, VisibleMin = false, VisibleMax = false, VisibleClose = false;
  bool EnabledRestore = false, EnabledMove = false, EnabledSize = false, EnabledMin = false, EnabledMax = false,
       EnabledClose = false;
};

TkSysMenuRules SystemMenuRules(const TkSysMenuFacts& f);

}  // namespace skin
