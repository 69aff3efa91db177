// The skinned scroll bar. Without an active skin it is the framework's
// system scroll bar. With one, its window is made again as a plain window
// of its own class, and the control does everything itself: it keeps its
// own copy of the scroll information (answering the scroll-bar messages the
// framework sends it), follows the mouse over its five parts (two arrows,
// the track on either side of the slider, the slider), presses arrows and
// track with auto-repeat, drags the slider, and produces the standard scroll
// notifications, so that the framework's scroll bar moves Position and fires
// OnScroll and OnChange as usual.
//
// The pictures come from the active skin (ActiveSkin, from
// ScrollBarSkinSource).
#pragma once

#include <windows.h>

#include <functional>

#include "fw/stdctrls/scrolling.h"
#include "fw/system/timers.h"
#include "skin/controls/core/bar_axis.h"
#include "skin/engine/alpha_text.h"
#include "skin/engine/core/skin_data.h"

namespace skin {

// The skin every scroll bar paints from (none: the system scroll bar); the
// skin manager sets it while its skin is active.
extern std::function<TkLoadedSkin*()> ScrollBarSkinSource;

// The shortest slider.
constexpr int MinThumbSize = 16;

class TkScrollBar : public fw::TScrollBar {
  FW_CLASS(TkScrollBar, fw::TScrollBar)
  explicit TkScrollBar(fw::TComponent* AOwner);
  ~TkScrollBar() override;

  TkDisabledKind DisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(TkDisabledKind Value);

  // A skin is active: the control is its own plain window.
  virtual bool SkinActive();
  // The skin the control paints from; none: the system's parts stand in.
  virtual TkLoadedSkin* ActiveSkin();

  // ---- Parts along the bar's axis, in client coordinates
  virtual int ArrowSize();
  fw::TRect Btn1Rect();
  fw::TRect Btn2Rect();
  fw::TRect Bar1Rect();
  fw::TRect Bar2Rect();
  fw::TRect SliderRect();
  int TrackLength();
  int SliderSize();
  int SliderCenter();
  // The position (counted from nMin) the slider centre at P stands for.
  int PositionAt(const fw::TPoint& P);
  // The numbers the parts come from.
  TkBarAxis Axis();

  // ---- Scrolling
  // Moves the painted position (clamped) and sends the notification of the
  // current ScrollCode for it.
  void ScrollTo(int Pos);
  void ScrollBy(int Delta) { ScrollTo(FCurrPos + Delta); }
  // Part 0 first arrow, 1 second arrow, 2 track before, 3 track after,
  // 4 slider; state 0 normal, 1 hot, 2 pressed.
  void SetPartState(int Part, int State);
  int PartState(int Part) const;
  // Paints now what changed, once painting is allowed again.
  void UpdateBar();

  int CurrPos() const { return FCurrPos; }
  const SCROLLINFO& ScrollInfo() const { return FSI; }
  bool TimerRunning() const { return FTimer != nullptr; }
  // The running repeat or drag timer's interval (0 without one), and its
  // step taken now instead of when it is due (tests keep the time).
  unsigned TimerInterval() const;
  void TimerTick();

  // An optional control whose background shows behind the bar; with
  // DoSendChanges it receives the scroll notifications instead of this
  // control's own handling.
  fw::TWinControl* LinkedControl = nullptr;
  bool DoSendChanges = false;

  void Loaded() override;

 protected:
  void CreateParams(fw::TCreateParams& Params) override;
  void WndProc(fw::TMessage& Message) override;
  void Dispatch(fw::TMessage& Message) override;
  void Change() override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;

  // The window exists and is not being created, read, loaded or destroyed,
  // and it has a parent.
  bool ControlCanPaint();
  void RecreateIfNeeded();
  // The window is the plain one of the skinned mode.
  bool HasPlainWindow();
  // The window made again, plain or as the system scroll bar, at the same
  // position.
  void RecreateKeepingPosition(bool Plain);
  // The skin commands: a new or refreshed skin makes the plain window, a
  // removed one the system scroll bar; true when answered.
  bool SkinCommand(fw::TMessage& Message);
  void PaintBar(HDC DC);
  void PaintSkinnedBar(HDC DC, TkLoadedSkin& Skin);
  // While the slider is held it follows the mouse at P (client coordinates).
  void DragSlider(const fw::TPoint& P);
  bool Horizontal() const { return Kind() == fw::sbHorizontal; }
  int Length() const { return Horizontal() ? Width() : Height(); }
  int Along(const fw::TPoint& P) const { return Horizontal() ? P.x : P.y; }
  fw::TRect PartRect(int From, int To) const;
  bool ControlHotOrFocused();
  void StartTimer(unsigned Interval, void (TkScrollBar::*Handler)(fw::TObject*), bool Capture);
  void StopTimer();
  void BtnTimer(fw::TObject* Sender);
  void BarTimer(fw::TObject* Sender);
  void SliderTimer(fw::TObject* Sender);
  void SetScrollInfoMessage(fw::TMessage& Message);
  void GetScrollInfoMessage(fw::TMessage& Message);
  void HitTest(fw::TMessage& Message);

  fw::TTimer* FTimer = nullptr;
  int FBtn1State = 0;
  int FBar2State = 0;
  int FBtn2State = 0;
  int FBar1State = 0;
  int FSliderState = 0;
  TkDisabledKind FDisabledKind{dkBlended};
  bool FSkinnedRecreate = false;
  bool FMustBeRecreated = false;
  SCROLLINFO FSI{};
  int FCurrPos = 0;
  bool FBeginTrack = false;
  bool FAppShowHint = true;
  int FRecreateCount = 0;
  int FScrollCode = SB_ENDSCROLL;
  bool FRepaintNeeded = false;
  int FMouseOffset = 0;
  bool FDrawingForbidden = false;
  bool FMouseInside = false;
};

}  // namespace skin
