// Adapters of two dialog windows that show mostly what lies behind them: a
// size grip (the skin's grip glyph over the parent's background; it sizes
// its top-level window from the bottom-right corner) and a dialog page or
// the folder dialog's frame (painted as see-through, its child windows
// left alone).
#pragma once

#include <memory>

#include "fw/graphics/graphics.h"
#include "skin/controls/window_adapter.h"

namespace skin {

class TkcSizerWnd : public TkcMainWnd {
 public:
  using TkcMainWnd::TkcMainWnd;
  ~TkcSizerWnd() override { Detach(); }
  void kcWndProc(fw::TMessage& Message) override;
  fw::String DefaultSection() const override { return u"CHECKBOX"; }
  void KC_WMPaint(HDC DC);
};

class TkcTransPanelWnd : public TkcMainWnd {
 public:
  using TkcMainWnd::TkcMainWnd;
  ~TkcTransPanelWnd() override { Detach(); }
  void kcWndProc(fw::TMessage& Message) override;
  fw::String DefaultSection() const override { return u"CHECKBOX"; }
  void KC_WMPaint(HDC DC);
  std::unique_ptr<fw::TBitmap> Cache;
};

}  // namespace skin
