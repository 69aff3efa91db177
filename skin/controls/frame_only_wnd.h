// Adapters that add only a skinned frame to windows that paint their own
// content: the search box of file dialogs (3 pixels, section "CHECKBOX")
// and statics with a static edge that show an icon or a bitmap (2 pixels,
// the creator's section, "EDIT" in dialogs). The frame follows every
// repaint of the content.
#pragma once

#include <memory>

#include "fw/graphics/graphics.h"
#include "skin/controls/static_wnd.h"

namespace skin {

class TkcSearchWnd : public TkcMainWnd {
 public:
  using TkcMainWnd::TkcMainWnd;
  ~TkcSearchWnd() override { Detach(); }
  void kcWndProc(fw::TMessage& Message) override;
  fw::String DefaultSection() const override { return u"CHECKBOX"; }
  // The skin's frame onto the given DC, or the window's own.
  void KC_WMNCPaint(HDC DC = nullptr);
  std::unique_ptr<fw::TBitmap> Cache;
};

class TkcEdgeWnd : public TkcStaticWnd {
 public:
  using TkcStaticWnd::TkcStaticWnd;
  ~TkcEdgeWnd() override { Detach(); }
  void kcWndProc(fw::TMessage& Message) override;
  fw::String DefaultSection() const override { return u"EDIT"; }
  void PaintFrame(HDC DC);
  std::unique_ptr<fw::TBitmap> Cache;
};

// The frame of width B from the cache onto the window's DC (none: its own).
void CopyWindowFrame(HWND Wnd, HDC DC, fw::TBitmap& Cache, int B);

}  // namespace skin
