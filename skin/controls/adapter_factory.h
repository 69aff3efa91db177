// The one place that knows which adapter class skins which window: a
// framework control by the skin manager's class list that names its class,
// a child window of a skinned system dialog by the kind its class calls for.
// Every adapter is made attached; the caller owns it.
#pragma once

#include <windows.h>

#include "fw/controls/controls.h"
#include "skin/controls/core/dialog_children.h"
#include "skin/controls/window_adapter.h"

namespace skin {

// The skin manager's class lists, by index.
enum TkcThirdList {
  tlEdit, tlButton, tlBitBtn, tlCheckBox, tlComboBox, tlGrid, tlGroupBox, tlListView, tlPanel, tlTreeView,
  tlWWEdit, tlGridEh, tlVirtualTree, tlPageControl, tlTabControl, tlToolBar, tlStatusBar, tlSpeedButton,
  tlScrollControl, tlUpDown, tlScrollBar, tlStaticText
};

// A new adapter for a control of the class list ListIndex, attached to its
// window; null when that list has no adapter (the speed-button list never
// has one: graphic controls get a handler, not an adapter).
TkcMainWnd* MakeListAdapter(int ListIndex, fw::TWinControl* Control, TkcSkinSource Skin, const TkcSkinParams& Params);

// A new adapter of the kind a skinned dialog's child window was given,
// attached to the window; null for kinds whose adapter does not apply to it.
// Repaint false: the window is being made (its frame comes with it).
TkcMainWnd* MakeKindAdapter(TkcAdapterKind Kind, HWND Wnd, TkcSkinSource Skin, const TkcSkinParams& Params,
                            bool Repaint = true);

// The adapter of a popup-menu window as it is made (section "MAINMENU"),
// attached; null while popup menus keep the system's look.
TkcMainWnd* MakeMenuWindowAdapter(HWND Wnd, TkcSkinSource Skin, const TkcSkinParams& Params);

}  // namespace skin
