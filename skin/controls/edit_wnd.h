// The edit adapter: edits, memos, list boxes and the other edit-like
// windows get their frame and background from the skin section (default
// "EDIT"), skinned scroll bars, and the skin's background and text colours,
// which the control's own ones make way for at attach and come back exactly
// when the skin goes. A focused or hovered control shows the section's hot
// look; a disabled single-line edit is shown from the cache, its text greyed.
#pragma once

#include "skin/controls/base_wnd.h"

namespace skin {

class TkcEditWnd : public TkcBaseWnd {
 public:
  TkcEditWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params, bool Repaint = true);
  ~TkcEditWnd() override { Detach(); }

  fw::String DefaultSection() const override { return u"EDIT"; }
  void Subclass() override;
  bool ThemeOffOnAttach() const override;
  void kcWndProc(fw::TMessage& Message) override;

  // The client rectangle relative to the window, measured once; its Top is
  // the border's width.
  fw::TRect ClientRect();
  // Gives the control the skin's colours of its state.
  virtual void SetSkinParams();

  bool SingleLineEdit = false;
  bool ParamsChanged = false;
  bool CtrlListChanged = false;
  fw::TColor Color = fw::clWindow;  // the colour the control was given (a raw window's own)
  fw::TColor FrameColor = 0;        // the skin's border colour, for raw windows
  // The control's own colours, saved at attach.
  fw::TColor StdColor = fw::clWindow, StdFontColor = fw::clWindowText;
  bool StdParentColor = false, StdParentFont = false;
  bool HasFocusColor = false;
  fw::TColor FocusColor = 0;

 protected:
  virtual void SaveStdParams();
  void RestoreStdParams() override;
  // The skin-command part; true when the command is finished.
  bool HandleAlphaCmd(fw::TMessage& Message);
  bool ControlIsHotOrFocused() const;
  bool DisabledSingleLine() const;
  void PaintFrame(fw::TMessage& Message);
  void Print(fw::TMessage& Message);
  void FollowUp(fw::TMessage& Message);

  fw::TRect FClientRect = fw::Rect(0, -1, 0, 0);
  bool FInPrint = false;
};

// Keeps an edit adapter in step with the skin: with a skin a missing or
// detached adapter is (re)made on the control's window; without one the
// adapter is freed.
void ReattachEditAdapter(fw::TWinControl* Control, TkcSkinSource Skin, TkcEditWnd*& Adapter);

}  // namespace skin
