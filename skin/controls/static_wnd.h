// The static-text adapter of skinned system dialogs: the static shows what
// lies behind it through its section (default "CHECKBOX") with its text
// written in the skin's text colour. A static that takes the focus or has a
// sunken edge keeps its own drawing. Links and icon statics refine it.
#pragma once

#include "skin/controls/control_cache.h"
#include "skin/controls/window_adapter.h"

namespace skin {

class TkcStaticWnd : public TkcMainWnd {
 public:
  using TkcMainWnd::TkcMainWnd;
  ~TkcStaticWnd() override { Detach(); }

  fw::String DefaultSection() const override { return u"CHECKBOX"; }
  void kcWndProc(fw::TMessage& Message) override;

  // Writes the content into the cache; false: nothing is copied to the window.
  virtual bool PaintText();
  // The DrawText flags of the static's text.
  UINT TextFlags() const;

  TkcPaintState S;

 protected:
  // Paints into the DC (none: the window's own).
  void KC_WMPaint(HDC DC);
  void RedrawNow();
};

}  // namespace skin
