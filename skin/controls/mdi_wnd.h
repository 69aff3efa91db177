// The adapter of an MDI main form's client window (the window its MDI
// children live in): the client area and its frame from the skin (the
// section "MDIAREA" when the skin has one, else the form's colour), the
// skinned scroll bars, the contents scrolled in one step when the thumb is
// let go, new children skinned as they come, and the form's frame repainted
// when the children are arranged or the window menu changes.
#pragma once

#include "skin/controls/base_wnd.h"

namespace skin {

class TkSkinProvider;
class TkMDIForm;

class TkcMDIWnd : public TkcBaseWnd {
 public:
  using TkcBaseWnd::TkcBaseWnd;
  ~TkcMDIWnd() override;

  fw::String DefaultSection() const override { return u"CHECKBOX"; }
  void kcWndProc(fw::TMessage& Message) override;

  // The form whose client window this is and its provider; neither owned.
  fw::TCustomForm* FForm = nullptr;
  TkSkinProvider* SkinProvider = nullptr;
  // The form's MDI support, which draws the menu line again; not owned.
  TkMDIForm* MDIForm = nullptr;

  // The MDI area painted into r (client coordinates) of the DC.
  void PaintMDIArea(HDC DC, bool WindowDC);
  // The frame (the client edge) painted into the window DC.
  void PaintMDIFrame(HDC DC);
  // The active child is maximised: the client shows nothing of its own.
  bool ChildMaximized() const;
  // Scrolls the contents to the thumb's position in one step.
  void ScrollToThumb(bool Vertical, int Pos);

 private:
  bool FormSkinned() const;
  int Edge() const;
  HWND FormWindow() const;
};

}  // namespace skin
