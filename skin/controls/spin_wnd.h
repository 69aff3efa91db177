// The adapter of up-down controls ("msctls_updown32"): two skinned buttons
// with arrow glyphs, each normal, hot or pressed by where the cursor is and
// whether the mouse button is down. Up-downs of system dialogs leave their
// two leftmost columns to the control; the tab control's scroll arrows use
// it too.
#pragma once

#include <memory>

#include "fw/graphics/graphics.h"
#include "skin/controls/window_adapter.h"

namespace skin {

class TkcSpinWnd : public TkcMainWnd {
 public:
  using TkcMainWnd::TkcMainWnd;

  void kcWndProc(fw::TMessage& Message) override;
  fw::String DefaultSection() const override { return u"BUTTON"; }

  bool IsVertical() const;
  // Decides both looks from the cursor and paints the buttons into Cache.
  void PrepareCache();

  int lOffset = 0;  // columns at the left of a vertical control left to it
  bool bMousePressed = false;
  int Btn1State = 0, Btn2State = 0;
  std::unique_ptr<fw::TBitmap> Cache;

 private:
  void KC_WMPaint(fw::TMessage& Message);
  void PaintButton(TkLoadedSkin& Skin, int SkinIndex, const fw::TRect& R, int State, bool First);
  void Redraw();
};

}  // namespace skin
