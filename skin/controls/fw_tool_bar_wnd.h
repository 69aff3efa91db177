// The adapter of framework tool bars (the skin manager's tool-bar list):
// the system's bar keeps painting, and the adapter draws through the bar's
// two custom-draw events: the background from the bar's section ("TOOLBAR"
// by default) and every button from "TOOLBUTTON" in its state (body and
// border, caption, image, the drop-down arrow zone with the skin's down
// arrow, the blended disabled look). It paints the bar's border, tracks the
// hot button on bars that are not flat and keeps a dropped button's arrow
// pressed until its menu closes. The handlers the form had on the two
// events come back when the skin or the adapter goes.
#pragma once

#include <memory>

#include "fw/graphics/graphics.h"
#include "fw/stdctrls/toolbar.h"
#include "skin/controls/window_adapter.h"

namespace skin {

// The look a tool button paints in: 2 pressed (marked, indeterminate,
// selected or checked), 1 for any other custom-draw state but disabled
// alone, else 0.
int ToolButtonStateIndex(UINT State, bool Marked, bool Indeterminate);

// Where a button's caption goes inside its body (BodyWidth x Height): in
// list mode right of the image (ImageWidth, or none when below 0), else
// centred below the image (ImageHeight, or none below 0) for a caption
// TextWidth x TextHeight.
fw::TRect ToolCaptionRect(int BodyWidth, int Height, bool List, int ImageWidth, int ImageHeight, int TextWidth,
                          int TextHeight);

class TkcToolBarFwWnd : public TkcMainWnd {
 public:
  using TkcMainWnd::TkcMainWnd;
  ~TkcToolBarFwWnd() override { Detach(); }

  void Subclass() override;
  void kcWndProc(fw::TMessage& Message) override;
  fw::String DefaultSection() const override { return u"TOOLBAR"; }

  // The client rectangle in window coordinates.
  fw::TRect DisplayRect() const;
  fw::TRect GetButtonRect(int Index) const;
  // The push, check or drop-down button under the point (client
  // coordinates); -1 for none, a separator or a divider.
  int IndexByMouse(fw::TPoint P) const;
  // Draws the button at once onto the bar's window.
  void RepaintButton(int Index);
  void PrepareCache();
  void WMNCPaint(HDC DC);

  void OurAdvancedCustomDraw(fw::TToolBar* Sender, const fw::TRect& ARect, fw::TCustomDrawStage Stage,
                             bool& DefaultDraw);
  void OurAdvancedCustomDrawButton(fw::TToolBar* Sender, fw::TToolButton* Button, fw::TCustomDrawState State,
                                   fw::TCustomDrawStage Stage, fw::TTBCustomDrawFlags& Flags, bool& DefaultDraw);

  fw::TToolBar* ToolBar = nullptr;
  fw::TToolButton* DroppedButton = nullptr;
  int HotButtonIndex = -1;
  std::unique_ptr<fw::TBitmap> Cache;

 protected:
  void RestoreStdParams() override;

 private:
  void InstallEvents();
  bool EventsOurs() const;
  void CopyBorderStripsTo(HDC DC);
  void SetHot(int Index);
  fw::TTBAdvancedCustomDrawEvent FSavedDraw;
  fw::TTBAdvancedCustomDrawBtnEvent FSavedDrawButton;
};

}  // namespace skin
