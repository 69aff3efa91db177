// The adapter of a framework scroll bar named in the skin manager's
// scroll-bar class list: the system control keeps its procedure, keyboard
// and tracking loop, while the adapter paints the whole control from the
// skin (two track pieces, two arrows, the slider) from its own copy of the
// scroll information, follows the mouse with hot and pressed parts, and
// keeps the control's drawing off while the system tracks, so that the
// system's look never shows.
#pragma once

#include "fw/stdctrls/scrolling.h"
#include "skin/controls/core/bar_axis.h"
#include "skin/controls/window_adapter.h"

namespace skin {

class TkcSBWnd : public TkcMainWnd {
 public:
  TkcSBWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params);
  ~TkcSBWnd() override { Detach(); }

  fw::String DefaultSection() const override { return u"CHECKBOX"; }
  void Subclass() override;
  void kcWndProc(fw::TMessage& Message) override;

  // ---- Geometry, in control coordinates
  int SysBtnSize() const;
  TkBarAxis Axis() const;
  int SliderSize() const { return AxisSliderSize(Axis()); }
  int PositionToCoord() const { return AxisSliderCenter(Axis()); }
  // The position (counted from 0) the slider centre at P stands for.
  int CoordToPosition(POINT P) const;
  fw::TRect Btn1Rect() const;
  fw::TRect Btn2Rect() const;
  fw::TRect Bar1Rect() const;
  fw::TRect Bar2Rect() const;
  fw::TRect SliderRect() const;

  // ---- Parts: 0 first arrow, 1 second arrow, 2 track before, 3 track
  // after, 4 slider; states 0 normal, 1 hot, 2 pressed.
  void SetByIndex(int Index, int State);
  int PartState(int Index) const { return FStates[Index]; }
  bool BarIsHot() const;
  void LMouseDown(POINT P);
  void LMouseUp(POINT P);
  // The cursor over the control (a hit test): hot parts, and the control's
  // position while the slider is held.
  void MouseAt(POINT P);
  void MouseEnter();
  void MouseLeave();
  // Paints the control into DC (its own when none).
  void Paint(HDC DC = nullptr);

  fw::TScrollBar* Bar = nullptr;
  SCROLLINFO FSI{};
  int FCurrPos = 0;
  int MouseOffset = 0;
  int ScrollCode = SB_ENDSCROLL;
  int FLockCount = 0;
  bool FRepainting = false;
  bool FMouseInside = false;

 private:
  bool Vertical() const;
  int Length() const;
  fw::TRect PartRect(int From, int To) const;
  // Sets the scroll information the control is sent.
  void SetScrollInfoMessage(fw::TMessage& Message);
  // Passes a message on with the control's drawing off, then paints.
  void PassUnseen(fw::TMessage& Message);
  void RedrawOn();
  void RedrawOff();
  POINT CursorInControl() const;

  int FStates[5] = {};
};

}  // namespace skin
