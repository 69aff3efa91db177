// Statics that show more than text: a dialog's link written underlined
// without its link tags, and an icon or bitmap static drawn over what lies
// behind it.
#pragma once

#include <vector>

#include "skin/controls/static_wnd.h"
#include "skin/engine/core/pixel_buffer.h"

namespace skin {

class TkcLinkWnd : public TkcStaticWnd {
 public:
  using TkcStaticWnd::TkcStaticWnd;
  ~TkcLinkWnd() override { Detach(); }

  void kcWndProc(fw::TMessage& Message) override;
  bool PaintText() override;
};

// The caption without its "<A>" and "</A>" tags (exact letter case).
fw::String LinkText(const fw::String& Caption);

class TkcIconWnd : public TkcStaticWnd {
 public:
  TkcIconWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params);
  ~TkcIconWnd() override { Detach(); }

  bool PaintText() override;

  bool IsBmp = false;  // the static shows a bitmap, not an icon

 private:
  // A copy of the static's bitmap: the handle stays the static's own.
  HBITMAP FBmpSource = nullptr;
  TPixelBuffer FBmp;
  int FBmpBits = 0;
};

}  // namespace skin
