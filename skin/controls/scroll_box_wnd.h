// The adapter of framework scroll boxes (the skin manager's scroll-control
// list): the box is painted like a panel (its section, "PANEL_LOW" by
// default, over what lies behind, children left to paint themselves and
// given its picture as their background) inside a 2-pixel frame from the
// skin, with the skinned non-client scroll bars. A new or removed skin
// measures the frame anew, so the bars take their new sizes.
#pragma once

#include <memory>

#include "fw/graphics/graphics.h"
#include "skin/controls/scroll_wnd.h"

namespace skin {

class TkcScrollBoxWnd : public TkcScrollWnd {
 public:
  using TkcScrollWnd::TkcScrollWnd;
  ~TkcScrollBoxWnd() override { Detach(); }

  void kcWndProc(fw::TMessage& Message) override;
  fw::String DefaultSection() const override { return u"PANEL_LOW"; }

  void PrepareCache();
  // The client part of the picture (inside the 2-pixel frame) onto the DC
  // (none: the window's).
  void KC_WMPaint(HDC DC);
  // Scroll bars and frame onto the window's DC.
  LRESULT KC_WMNCPaint();

  std::unique_ptr<fw::TBitmap> Cache;

 private:
  fw::TWinControl* Owner() const { return dynamic_cast<fw::TWinControl*>(Control()); }
  bool HandleBoxSkinCommand(fw::TMessage& Message);
};

}  // namespace skin
