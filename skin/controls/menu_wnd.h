// The adapter of a popup menu's window while the skinned menus draw its
// items: it paints the window's 3-pixel frame and background from the
// skin's "MAINMENU" section, keeps the window invisible (layered, alpha 0)
// from the moment it is shown until its frame is painted, then gives it the
// skin's menu transparency, and answers the skinned menus' region
// questions. While no skinned menu is open it is a plain scroll adapter.
#pragma once

#include "skin/controls/control_cache.h"
#include "skin/controls/scroll_wnd.h"
#include "skin/forms/skinned_menus.h"  // SkinnedMenuOpen, cleared when the last menu window goes

namespace skin {

// Skin commands between the skinned menus and menu windows: whether the
// region was set since the last background paint, and that it was.
constexpr WORD SKC_MENUREGIONQUERY = 8, SKC_MENUREGIONSET = 14;

class TkcMnuWnd : public TkcScrollWnd {
 public:
  TkcMnuWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params);
  ~TkcMnuWnd() override { Detach(); }

  fw::String DefaultSection() const override { return u"MAINMENU"; }
  bool KeepsVisualTheme() const override { return true; }
  void kcWndProc(fw::TMessage& Message) override;
  // The window's picture in the cache (when the background changed).
  void PrepareCache();

  bool Shown = false;  // the frame was painted once
  int RgnChanged = 0;
  TkcPaintState S;
};

// The menus' transparency: the default manager's, else opaque (255).
int MenuAlphaBlend();

}  // namespace skin
