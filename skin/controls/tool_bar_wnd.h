// The adapter of dialogs' tool bars ("toolbarwindow32"): the bar's
// background and frame from its section, and every button drawn by the
// adapter from "TOOLBUTTON" in its state (pressed content one pixel right
// and down, disabled faded into the bar), separators from "DIVIDER", the
// buttons' images and texts.
#pragma once

#include <functional>
#include <memory>
#include <utility>

#include "fw/graphics/graphics.h"
#include "skin/controls/window_adapter.h"

namespace skin {

class TkcToolBarWnd : public TkcMainWnd {
 public:
  using TkcMainWnd::TkcMainWnd;
  ~TkcToolBarWnd() override { Detach(); }
  void kcWndProc(fw::TMessage& Message) override;
  fw::String DefaultSection() const override { return u"CHECKBOX"; }

  int Count() const;
  fw::TRect GetButtonRect(int Index) const;
  void PrepareCache();
  // The bar with its buttons onto the DC (none: the window's client DC).
  void KC_WMPrint(HDC DC);
  void KC_WMNCPaint();

  std::unique_ptr<fw::TBitmap> Cache;
  int BorderWidth = 0;

 private:
  void DrawButtons(fw::TBitmap& Bmp);
  void DrawBtn(int Index, const fw::TRect& R, fw::TBitmap& Bmp);
};

// A caption of three or more words on two lines: the first takes the
// leading words up to the first that no longer fits Width (at least one),
// the second always keeps the last two. Fewer words stay on the first.
std::pair<fw::String, fw::String> SplitToolCaption(const fw::String& Text, int Width,
                                                   const std::function<int(const fw::String&)>& Measure);

}  // namespace skin
