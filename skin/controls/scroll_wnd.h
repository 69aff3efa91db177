// The adapter of windows with the system's scroll-bar styles (lists,
// edits, list views): the window keeps its own scrolling and scroll
// information, while the adapter lays out, paints and works its non-client
// bars from the skin, turning presses, repeats and drags into the window's
// own WM_HSCROLL and WM_VSCROLL.
//
// Some systems paint their own bars from the window's styles on every
// WM_NCPAINT and on every scroll-information change; the adapter passes
// WM_NCPAINT on with the styles taken away and repaints its bars whenever
// the scroll information changed under a message, so its bars stay on top.
#pragma once

#include <functional>

#include "skin/controls/core/scroll_geometry.h"
#include "skin/controls/window_adapter.h"

namespace skin {

// One non-client bar.
struct TkcScrollBar {
  bool Vertical = false;
  bool HasStyle = false;  // the window has the bar's style
  bool Visible = false;   // the bar takes room (decided by WM_NCCALCSIZE)
  int MinThumb = DefaultMinThumbSize;
  int ArrowLength = -1;   // own sizes; -1 not given
  int ArrowWidth = -1;
  TkScrollState Info;
};

// Timer ids of the bars on the adapted window.
constexpr UINT_PTR HotTimerId = 0xFFF2, RepeatDelayTimerId = 0xFFFD, RepeatTimerId = 0xFFFE;

// Where the cursor is, in screen coordinates (tests put their own).
extern std::function<POINT()> ScrollCursorPos;

class TkcScrollWnd : public TkcMainWnd {
 public:
  TkcScrollWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params, bool Repaint = true);

  void Subclass() override;
  void kcWndProc(fw::TMessage& Message) override;

  // Thickness (Thickness true) or arrow length of a bar.
  int ScrollBarMetric(const TkcScrollBar& Bar, bool Thickness) const;
  // The bars in screen coordinates.
  fw::TRect HorzBarRect() const;
  fw::TRect VertBarRect() const;
  bool ScrollBarActive(const TkcScrollBar& Bar) const;
  // Re-reads both bars' scroll information; true when it changed.
  bool UpdateScrollInfo();
  // Paints both bars and the corner; ThumbPos -1: where the information
  // puts it; DC none: the window's own.
  void PaintScrollBars(int ThumbPos = -1, HDC DC = nullptr);

  TkcScrollBar sBarHorz, sBarVert;
  bool ScrollsInitialized = false;
  bool fThumbTracking = false;
  bool fLeftScrollbar = false;
  int cxLeftEdge = 0, cxRightEdge = 0, cyTopEdge = 0, cyBottomEdge = 0;
  bool bPreventStyleChange = false;

 protected:
  TkScrollFrame Frame(const fw::TRect& Window) const;
  void PaintBar(TkcScrollBar& Bar, HDC DC, const fw::TRect& R, int ThumbPos, int PressedPart, int ThumbState);
  void PaintCorner(HDC DC, const fw::TRect& Square, const fw::TRect& ScreenSquare);
  // Passes a message on with both scroll styles taken away.
  void CallPrevWithoutBars(fw::TMessage& Message);
  void HandleNcCalcSize(fw::TMessage& Message);
  void HandleNcHitTest(fw::TMessage& Message);
  void HandleNcMouseMove(fw::TMessage& Message);
  void HandleNcLButtonDown(fw::TMessage& Message);
  void HandleMouseMove(const POINT& Screen);
  void HandleLButtonUp(fw::TMessage& Message);
  void HandleTimer(fw::TMessage& Message);
  void DragThumb(const POINT& Screen);
  void SendScrollMessage(UINT Msg, int Code, int Pos);
  TkcScrollBar& BarOf(int Type) { return Type == 1 ? sBarVert : sBarHorz; }
  fw::TRect BarRectOf(int Type) const { return Type == 1 ? VertBarRect() : HorzBarRect(); }

  bool FRepaint;
};

// The bar (SB_HORZ or SB_VERT) of the window's scroll-bar adapter; none
// without one.
TkcScrollBar* GetScrollBarOf(HWND Wnd, int Bar);
// The shortest thumb of the horizontal (0), vertical (1) or both (3) bars;
// false without an adapter.
bool SetScrollMinThumb(HWND Wnd, int Which, int Size);

// The state of the one pressed and the one hot bar of the process.
struct TkScrollTrackState {
  int PressedBar = -1;
  int PressedPart = -1;
  int ShownPart = -1;
  UINT PressedScrollMsg = 0;
  UINT_PTR RepeatTimer = 0;
  HWND HotWindow = nullptr;
  int HotBar = -1;
  int HotPart = -1;
  int PrevHotPart = -1;
  UINT_PTR HotTimer = 0;
  fw::TRect HotBarRect;
  int LastTrackPos = -1;
  int DragThumbLength = 0;
  int DragThumbPos = 0;
  fw::TRect DragBarRect;
  int DragMouseOffset = 0;
};
extern TkScrollTrackState ScrollTrackState;

}  // namespace skin
