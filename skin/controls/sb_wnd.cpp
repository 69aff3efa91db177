#include "skin/controls/sb_wnd.h"

#include <algorithm>

#include "skin/controls/scroll_paint.h"
#include "skin/engine/alpha_text.h"
#include "skin/engine/background_request.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"

namespace skin {

namespace {

bool Inside(const fw::TRect& R, POINT P) { return P.x >= R.Left && P.x < R.Right && P.y >= R.Top && P.y < R.Bottom; }

POINT PointOf(LPARAM L) { return POINT{static_cast<short>(LOWORD(L)), static_cast<short>(HIWORD(L))}; }

}  // namespace

TkcSBWnd::TkcSBWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params)
    : TkcMainWnd(AHandle, std::move(ASkin), Params) {
  FSI.cbSize = sizeof(FSI);
}

void TkcSBWnd::Subclass() {
  Bar = dynamic_cast<fw::TScrollBar*>(Control());
  if (Bar) {
    Bar->SetTabStop(false);
    FSI.nMin = Bar->Min();
    FSI.nMax = Bar->Max();
    FSI.nPage = static_cast<UINT>(Bar->PageSize());
    FSI.nPos = FSI.nTrackPos = FCurrPos = Bar->Position();
  } else {
    SCROLLINFO si{sizeof(si), SIF_ALL};
    if (GetScrollInfo(CtrlHandle, SB_CTL, &si)) FSI = si;
    FCurrPos = FSI.nPos;
  }
  TkcMainWnd::Subclass();
  InvalidateRect(CtrlHandle, nullptr, FALSE);
}

// ---- Geometry

bool TkcSBWnd::Vertical() const {
  if (Bar) return Bar->Kind() == fw::sbVertical;
  return (GetWindowLongPtrW(CtrlHandle, GWL_STYLE) & SBS_VERT) != 0;
}

int TkcSBWnd::Length() const {
  RECT r{};
  GetClientRect(CtrlHandle, &r);
  return Vertical() ? r.bottom : r.right;
}

fw::TRect TkcSBWnd::PartRect(int From, int To) const {
  RECT r{};
  GetClientRect(CtrlHandle, &r);
  return Vertical() ? fw::Rect(0, From, r.right, To) : fw::Rect(From, 0, To, r.bottom);
}

int TkcSBWnd::SysBtnSize() const { return ManagerScrollSize(DefaultSkinManager); }

TkBarAxis TkcSBWnd::Axis() const {
  TkBarAxis a;
  a.Length = Length();
  a.Arrow = SysBtnSize();
  a.nMin = FSI.nMin;
  a.nMax = FSI.nMax;
  a.nPage = static_cast<int>(FSI.nPage);
  a.CurrPos = FCurrPos;
  a.Enabled = IsWindowEnabled(CtrlHandle) != 0;
  return a;
}

int TkcSBWnd::CoordToPosition(POINT P) const { return AxisPositionAt(Axis(), Vertical() ? P.y : P.x); }

fw::TRect TkcSBWnd::Btn1Rect() const { return PartRect(0, AxisArrow1End(Axis())); }
fw::TRect TkcSBWnd::Btn2Rect() const { return PartRect(AxisArrow2Start(Axis()), Length()); }
fw::TRect TkcSBWnd::Bar1Rect() const { return PartRect(0, PositionToCoord()); }
fw::TRect TkcSBWnd::Bar2Rect() const { return PartRect(PositionToCoord(), Length()); }

fw::TRect TkcSBWnd::SliderRect() const {
  const int size = SliderSize();
  const int minV = Bar ? Bar->Min() : FSI.nMin, maxV = Bar ? Bar->Max() : FSI.nMax;
  const int page = Bar ? Bar->PageSize() : static_cast<int>(FSI.nPage);
  const int pos = Bar ? Bar->Position() : FSI.nPos;
  int start;
  if (maxV == minV) {
    start = AxisArrow1End(Axis());
  } else if (Vertical() && maxV - page == pos) {
    // A vertical bar at its end sits right above the second arrow.
    start = AxisArrow2Start(Axis()) - size;
  } else {
    start = RoundRatio(2 * static_cast<int64_t>(PositionToCoord()) - size, 2);
  }
  return PartRect(start, start + size);
}

// ---- Parts

void TkcSBWnd::SetByIndex(int Index, int State) {
  if (Index < 0 || Index > 4 || FStates[Index] == State) return;
  FStates[Index] = State;
  if (State != 1 && State != 2) return;
  // A hot or pressed part leaves the track hot and the other parts normal.
  for (int i = 0; i < 5; ++i)
    if (i != Index) FStates[i] = (i == 2 || i == 3) ? 1 : 0;
}

bool TkcSBWnd::BarIsHot() const { return FMouseInside || GetFocus() == CtrlHandle; }

void TkcSBWnd::MouseEnter() {
  if (!IsWindowEnabled(CtrlHandle)) return;
  FMouseInside = true;
  FStates[2] = FStates[3] = 1;
  Paint();
}

void TkcSBWnd::MouseLeave() {
  if (!IsWindowEnabled(CtrlHandle)) return;
  FMouseInside = false;
  FStates[0] = FStates[1] = 0;
  if (FStates[4] != 2) FStates[4] = FStates[2] = FStates[3] = 0;
  Paint();
}

void TkcSBWnd::LMouseDown(POINT P) {
  if (!IsWindowEnabled(CtrlHandle)) return;
  MouseOffset = 0;
  if (Inside(Btn1Rect(), P)) {
    ScrollCode = SB_LINEUP;
    SetByIndex(0, 2);
  } else if (Inside(Btn2Rect(), P)) {
    ScrollCode = SB_LINEDOWN;
    SetByIndex(1, 2);
  } else if (Inside(SliderRect(), P)) {
    ScrollCode = SB_THUMBTRACK;
    if (FStates[4] != 2) {
      MouseOffset = CoordToPosition(P) - (Bar ? Bar->Position() : FSI.nPos);
      SetByIndex(4, 2);
    }
  } else if (Inside(Bar1Rect(), P)) {
    ScrollCode = SB_PAGEUP;
    if (FStates[2] != 2) {
      SetByIndex(2, 2);
      FStates[3] = BarIsHot() ? 1 : 0;
    }
  } else {
    ScrollCode = SB_PAGEDOWN;
    if (FStates[3] != 2) {
      SetByIndex(3, 2);
      FStates[2] = BarIsHot() ? 1 : 0;
    }
  }
  Paint();
}

void TkcSBWnd::LMouseUp(POINT P) {
  if (!IsWindowEnabled(CtrlHandle)) return;
  const bool onSlider = Inside(SliderRect(), P);
  if (onSlider || FStates[4] == 2) {
    ScrollCode = SB_THUMBPOSITION;
    FStates[2] = BarIsHot() ? 1 : 0;
    FStates[3] = FStates[2];
    if (FStates[4] == 2) {
      FStates[4] = onSlider ? 1 : 0;
      // The drag is over: the slider goes where the control's position is.
      FCurrPos = FSI.nPos;
    }
  } else {
    // A pressed arrow is hot under the cursor, normal elsewhere.
    if (FStates[0] == 2) FStates[0] = Inside(Btn1Rect(), P) ? 1 : 0;
    if (FStates[1] == 2) FStates[1] = Inside(Btn2Rect(), P) ? 1 : 0;
    for (int i : {2, 3})
      if (FStates[i] == 2) FStates[i] = BarIsHot() ? 1 : 0;
  }
  Paint();
  ScrollCode = SB_ENDSCROLL;
}

void TkcSBWnd::MouseAt(POINT P) {
  if (!IsWindowEnabled(CtrlHandle)) return;
  if (FStates[4] == 2) {
    const int pos = CoordToPosition(P) - MouseOffset;
    if (Bar && pos != Bar->Position()) Bar->SetPosition(pos);
  } else if (Inside(SliderRect(), P)) {
    FStates[4] = 1;
  } else if (Inside(Btn1Rect(), P)) {
    if (FStates[0] != 2) FStates[0] = 1;
  } else if (Inside(Btn2Rect(), P)) {
    if (FStates[1] != 2) FStates[1] = 1;
  } else {
    FStates[4] = FStates[0] = FStates[1] = 0;
  }
  Paint();
}

POINT TkcSBWnd::CursorInControl() const {
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(CtrlHandle, &p);
  return p;
}

// ---- Messages

void TkcSBWnd::RedrawOff() {
  FRepainting = true;
  SendMessageW(CtrlHandle, WM_SETREDRAW, FALSE, 0);
  FRepainting = false;
}

void TkcSBWnd::RedrawOn() {
  FRepainting = true;
  SendMessageW(CtrlHandle, WM_SETREDRAW, TRUE, 0);
  // A lock the program holds stays in force.
  if (FLockCount > 0) SendMessageW(CtrlHandle, WM_SETREDRAW, FALSE, 0);
  FRepainting = false;
}

void TkcSBWnd::PassUnseen(fw::TMessage& Message) {
  if (!IsWindowVisible(CtrlHandle)) {
    TkcMainWnd::kcWndProc(Message);
    return;
  }
  RedrawOff();
  TkcMainWnd::kcWndProc(Message);
  RedrawOn();
  if (FLockCount == 0) Paint();
}

void TkcSBWnd::SetScrollInfoMessage(fw::TMessage& Message) {
  if (const auto* si = reinterpret_cast<const SCROLLINFO*>(Message.LParam)) {
    if (si->fMask & SIF_PAGE) FSI.nPage = si->nPage;
    if (si->fMask & SIF_POS) FSI.nPos = si->nPos;
    if ((si->fMask & SIF_RANGE) && (si->nMin != FSI.nMin || si->nMax != FSI.nMax)) {
      FSI.nMin = si->nMin;
      FSI.nMax = si->nMax;
      if (FSI.nMax < FSI.nMin) FSI.nMin = FSI.nMax = 0;
    }
  }
  const int range = FSI.nMax - FSI.nMin + 1;
  FSI.nPage = static_cast<UINT>(std::clamp(static_cast<int>(FSI.nPage), 0, std::max(range, 0)));
  const int maxPos = FSI.nMax - std::max(static_cast<int>(FSI.nPage) - 1, 0);
  FSI.nPos = std::clamp(FSI.nPos, FSI.nMin, std::max(FSI.nMin, maxPos));
  // While the slider is dragged it stays drawn where the drag began.
  if (ScrollCode != SB_THUMBTRACK) FCurrPos = FSI.nPos;
  PassUnseen(Message);
}

void TkcSBWnd::kcWndProc(fw::TMessage& Message) {
  if (Message.Msg == WM_SKINCOMMAND && !Destroyed) {
    switch (SkinCommandCode(Message.WParam)) {
      case SKC_ISHANDLED: Message.Result = 1; return;
      case SKC_INVALIDATE: Paint(); break;
      default: break;
    }
  }
  if (!Skinned()) {
    TkcMainWnd::kcWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_SETREDRAW:
      if (!FRepainting) FLockCount = std::max(0, FLockCount + (Message.WParam == 0 ? 1 : -1));
      break;
    case WM_PAINT: {
      if (HDC dc = reinterpret_cast<HDC>(Message.WParam)) {
        Paint(dc);
        return;
      }
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(CtrlHandle, &ps);
      Paint(dc);
      EndPaint(CtrlHandle, &ps);
      return;
    }
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_NCPAINT: return;
    case WM_NCHITTEST:
    case WM_MOUSEMOVE:
      // The window holding the capture is sent no hit tests: moves count too.
      MouseAt(CursorInControl());
      break;
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN: {
      LMouseDown(Message.Msg == WM_LBUTTONDOWN ? PointOf(Message.LParam) : CursorInControl());
      // The system's tracking loop runs inside; its own look must not show.
      PassUnseen(Message);
      if (FStates[0] == 2 || FStates[1] == 2 || FStates[2] == 2 || FStates[3] == 2 || FStates[4] == 2)
        LMouseUp(CursorInControl());
      return;
    }
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP: LMouseUp(CursorInControl()); break;
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDBLCLK:
      PassUnseen(Message);
      LMouseDown(CursorInControl());
      LMouseUp(CursorInControl());
      return;
    case SBM_SETSCROLLINFO: SetScrollInfoMessage(Message); return;
    case WM_CAPTURECHANGED: LMouseUp(CursorInControl()); break;
    case WM_PRINT: Paint(reinterpret_cast<HDC>(Message.WParam)); return;
    case fw::CM_ENABLEDCHANGED:
      TkcMainWnd::kcWndProc(Message);
      Paint();
      return;
    case fw::CM_MOUSEENTER: MouseEnter(); return;
    case fw::CM_MOUSELEAVE: MouseLeave(); return;
    case fw::CM_CHANGED: PassUnseen(Message); return;
    default: break;
  }
  TkcMainWnd::kcWndProc(Message);
}

// ---- Painting

void TkcSBWnd::Paint(HDC DC) {
  TkLoadedSkin* skin = Skin();
  RECT cr{};
  GetClientRect(CtrlHandle, &cr);
  const int w = cr.right, h = cr.bottom;
  if (!skin || Destroyed || w <= 0 || h <= 0 || (!DC && (FLockCount > 0 || !IsWindowVisible(CtrlHandle)))) return;
  // What lies behind the control in its parent.
  TkcBackgroundInfo info;
  info.R = fw::Rect(0, 0, w, h);
  fw::TControl* parent = Bar ? Bar->Parent() : nullptr;
  if (parent) {
    info.Offset = fw::TPoint{Bar->Left(), Bar->Top()};
    RequestBackground(info, parent, false);
  } else if (HWND p = GetParent(CtrlHandle)) {
    POINT at{0, 0};
    MapWindowPoints(CtrlHandle, p, &at, 1);
    info.Offset = fw::TPoint{at.x, at.y};
    RequestBackgroundWnd(info, p, false);
  }
  const TCacheInfo ci = BgInfoToCacheInfo(info);
  auto image = NewBitmap32(w, h);
  const bool enabled = IsWindowEnabled(CtrlHandle) != 0;
  const int hot = BarIsHot() ? 1 : 0;
  const TkBarAxis a = Axis();
  const fw::TRect slider = SliderRect();
  TkBarPicture p;
  p.Vertical = Vertical();
  p.Arrow = a.Arrow;
  p.Split = PositionToCoord();
  p.Track1State = enabled ? std::max(FStates[2], hot) : 0;
  p.Track2State = enabled ? std::max(FStates[3], hot) : 0;
  p.Arrow1State = FStates[0];
  p.Arrow2State = FStates[1];
  p.ShowThumb = enabled && SliderSize() <= AxisTrackLength(a);
  p.ThumbPos = Vertical() ? slider.Top : slider.Left;
  p.ThumbLength = SliderSize();
  p.ThumbState = FStates[4];
  PaintScrollBarImage(*image, *skin, p, ci, {});
  if (!enabled) PaintDisabledLook(*image, TkDisabledKind{dkBlended}, parent, {}, ci);
  GdiFlush();
  HDC dc = DC ? DC : GetDC(CtrlHandle);
  BitBlt(dc, 0, 0, w, h, image->Canvas()->Handle(), 0, 0, SRCCOPY);
  if (!DC) ReleaseDC(CtrlHandle, dc);
}

}  // namespace skin
