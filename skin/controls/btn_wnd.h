// The push-button adapter: the button is painted whole into its cache image
// from the skin section (default "BUTTON") in its state (normal, hot,
// pressed, default), with its caption centred and, in subclasses, a glyph
// beside it, and copied to the window in one piece. The button's own
// drawing is held off while it changes state, focus or text.
#pragma once

#include "skin/controls/control_cache.h"
#include "skin/controls/window_adapter.h"

namespace skin {

class TkcBtnWnd : public TkcMainWnd {
 public:
  using TkcMainWnd::TkcMainWnd;
  ~TkcBtnWnd() override {
    HideAdapterGlow(S);
    Detach();
  }

  fw::String DefaultSection() const override { return u"BUTTON"; }
  void kcWndProc(fw::TMessage& Message) override;

  // 0 normal (and disabled), 1 hot or focused, 2 pressed, 3 default.
  virtual int CurrentState();
  // Draws the button's image into the cache after the caption.
  virtual void DrawGlyph() {}
  virtual fw::TPoint GlyphSize() { return {}; }
  virtual fw::TRect CaptionRect();
  virtual int MaxCaptionWidth();

  // The caption's size in the cache canvas's font.
  fw::TPoint TextRectSize();
  bool Down() const;
  uint32_t CtrlStyle() const;
  // The button painted into the cache.
  void PrepareCache();
  void Repaint();

  TkcPaintState S;

 protected:
  void KC_WMPaint(HDC DC);
  void DrawCaption();
  void DoDrawText(fw::TRect& R, UINT Flags);
  // Content moves by (1, 1) while pressed.
  bool Shift() const;
  // The message passed on with the window's drawing held off.
  void Guarded(fw::TMessage& Message, bool Previous = false);
  void FollowMouseMove();
  void MouseEnter(fw::TMessage& Message);
  void MouseLeave(fw::TMessage& Message);
};

}  // namespace skin
