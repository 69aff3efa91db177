// The status bar adapter: while skinned, the adapter paints the whole bar
// into its cache (the section, per panel the skin's panel mask or a divider
// between panels, owner-drawn panels through the bar's own canvas, the
// panel texts cut to their room, the size grip) and copies the cache to the
// window; the bar's own painting never runs. Graphic controls placed on the
// bar (the gauge) are painted over the cache every time, so they never
// vanish when the bar repaints.
#pragma once

#include "fw/stdctrls/statusbar.h"
#include "skin/controls/control_cache.h"
#include "skin/controls/window_adapter.h"

namespace skin {

class TkcStatusBarWnd : public TkcMainWnd {
 public:
  TkcStatusBarWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params);
  ~TkcStatusBarWnd() override { Detach(); }

  fw::String DefaultSection() const override { return u"STATUSBAR"; }
  void kcWndProc(fw::TMessage& Message) override;

  // The Win32 bar's own answers.
  bool SimplePanel() const;
  int PartsCount() const;
  fw::TRect PartRect(int Index) const;
  // A part's text: the window text in simple mode, the panel's text (or
  // the simple text without panels) of a framework bar, else nothing.
  fw::String PartText(int Index) const;

  // Paints the whole bar into the cache.
  void PrepareCache();
  // Paints the bar into the DC (the window's own without one).
  void WMPaint(HDC DC);

  fw::TStatusBar* StatusBar = nullptr;
  TkcPaintState S;

 private:
  void PaintPanels();
  void InternalDrawPanel(int Index, const fw::TRect& Rect);
  void PaintGrip();
};

}  // namespace skin
