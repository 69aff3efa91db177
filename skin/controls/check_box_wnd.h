// The adapters of check boxes and radio buttons (button windows of those
// types, and framework check boxes) and of group boxes. A check box is
// painted whole: its section over what lies behind it, the caption, the
// skin's glyph for its check state, hot while focused or under the mouse,
// pressed while pushed, and faded when disabled. A group box gets its
// frame from half its caption's height down, what lies behind it under the
// caption, and the caption; in a system dialog only frame and caption are
// painted and the inside stays the dialog's.
#pragma once

#include <memory>

#include "fw/graphics/graphics.h"
#include "skin/controls/window_adapter.h"

namespace skin {

class TkcCheckBoxWnd : public TkcMainWnd {
 public:
  using TkcMainWnd::TkcMainWnd;

  void Subclass() override;
  void kcWndProc(fw::TMessage& Message) override;
  fw::String DefaultSection() const override { return u"CHECKBOX"; }

  // 0 unchecked, 1 checked, 2 indeterminate.
  int State() const;
  // The glyph's look: 2 pushed, 1 focused or under the mouse, else 0.
  int CtlState() const;
  bool HotOrFocused() const;
  // The "GLOBALINFO" mask of the check state for this button's type; -1
  // when the skin has none.
  int GlyphMaskIndex(int CheckState) const;
  fw::TRect SkinCheckRect(int MaskIndex) const;
  // The glyph's place for the checked mask, else a 16 x 16 box.
  fw::TRect CheckRect() const;
  void PrepareCache();

  bool OwnerDraw = false;
  std::unique_ptr<fw::TBitmap> Cache;

 private:
  void DrawCheckText();
  void DrawSkinGlyph(int MaskIndex);
  void KC_WMPaint(HDC Given);
  int SkinIndex() const;
};

class TkcGroupBoxWnd : public TkcMainWnd {
 public:
  using TkcMainWnd::TkcMainWnd;

  void Subclass() override;
  void kcWndProc(fw::TMessage& Message) override;
  fw::String DefaultSection() const override { return u"GROUPBOX"; }

  fw::TRect CaptionRect();
  void PrepareCache();

  std::unique_ptr<fw::TBitmap> Cache;

 private:
  void WriteText(const fw::TRect& R);
  void KC_WMPaint(HDC Given);
  void Repaint();
};

}  // namespace skin
