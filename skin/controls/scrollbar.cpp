#include "skin/controls/scrollbar.h"

#include <algorithm>
#include <cstdint>

#include "fw/core/rtti.h"
#include "fw/system/application.h"
#include "fw/system/screen.h"
#include "skin/controls/core/bar_axis.h"
#include "skin/controls/scroll_paint.h"
#include "skin/engine/background_request.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"

namespace skin {

using namespace fw;

TkScrollBar::TkScrollBar(TComponent* AOwner) : TScrollBar(AOwner) {
  FSI.cbSize = sizeof(SCROLLINFO);
  // nMax below nMin: not set yet.
  FSI.nMin = 0;
  FSI.nMax = -1;
}

TkScrollBar::~TkScrollBar() { StopTimer(); }

bool TkScrollBar::SkinActive() { return ActiveSkin() != nullptr; }

std::function<TkLoadedSkin*()> ScrollBarSkinSource;

TkLoadedSkin* TkScrollBar::ActiveSkin() { return ScrollBarSkinSource ? ScrollBarSkinSource() : nullptr; }

void TkScrollBar::SetDisabledKind(TkDisabledKind Value) {
  if (FDisabledKind == Value) return;
  FDisabledKind = Value;
  Invalidate();
}

// ---- Window

void TkScrollBar::CreateParams(TCreateParams& Params) {
  if (FSkinnedRecreate) {
    // A plain child window of the control's own class.
    TWinControl::CreateParams(Params);
    Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    Params.WindowClass.lpfnWndProc = DefWindowProcW;
    Params.WindowClass.hbrBackground = nullptr;
    Params.WinClassName = u"TkScrollBar";
    return;
  }
  TScrollBar::CreateParams(Params);
  // The system scroll bar's copy is registered under a name of its own: the
  // plain window's class must not inherit the system class's extra bytes.
  Params.WinClassName = u"TkSystemScrollBar";
  if (SkinActive() && FRecreateCount < 5) {
    ++FRecreateCount;
    FMustBeRecreated = true;
  }
}

bool TkScrollBar::ControlCanPaint() {
  if (!HandleAllocated() || !Parent()) return false;
  TComponentState s = ComponentState();
  if (s.Contains(csLoading) || s.Contains(csReading) || s.Contains(csDestroying)) return false;
  return !ControlState().Contains(csCreating);
}

void TkScrollBar::RecreateIfNeeded() {
  if (!FMustBeRecreated) return;
  FMustBeRecreated = false;
  FSkinnedRecreate = true;
  int pos = Position();
  try {
    RecreateWnd();
    SetPosition(pos);
  } catch (...) {
    FSkinnedRecreate = false;
    throw;
  }
  FSkinnedRecreate = false;
}

void TkScrollBar::Loaded() {
  TScrollBar::Loaded();
  RecreateIfNeeded();
}

void TkScrollBar::Change() {
  RecreateIfNeeded();
  if (!FSkinnedRecreate) TScrollBar::Change();
}

void TkScrollBar::Dispatch(TMessage& Message) {
  if ((Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL) && DoSendChanges && LinkedControl) {
    Message.Result = 0;
    return;
  }
  TScrollBar::Dispatch(Message);
}

bool TkScrollBar::HasPlainWindow() {
  if (!HandleAllocated()) return false;
  wchar_t cls[32] = {};
  GetClassNameW(WindowHandle(), cls, 32);
  return lstrcmpW(cls, L"TkScrollBar") == 0;
}

void TkScrollBar::RecreateKeepingPosition(bool Plain) {
  if (FSkinnedRecreate || !HandleAllocated()) return;
  if (Plain) {
    FMustBeRecreated = true;
    RecreateIfNeeded();
    return;
  }
  const int pos = Position();
  RecreateWnd();
  SetPosition(pos);
}

bool TkScrollBar::SkinCommand(TMessage& Message) {
  switch (SkinCommandCode(Message.WParam)) {
    case SKC_ISHANDLED: Message.Result = 1; return true;
    case SKC_REMOVESKIN:
      // The system scroll bar again.
      if (HasPlainWindow()) RecreateKeepingPosition(false);
      return true;
    case SKC_NEWSKIN:
    case SKC_REFRESH:
    case SKC_UPDATEDONE:
      if (SkinActive() && !HasPlainWindow()) {
        RecreateKeepingPosition(true);
      } else if (HandleAllocated()) {
        InvalidateRect(WindowHandle(), nullptr, FALSE);
      }
      return true;
    default: return false;
  }
}

void TkScrollBar::WndProc(TMessage& Message) {
  if (Message.Msg == WM_SKINCOMMAND && !ComponentState().Contains(csDestroying) && SkinCommand(Message)) return;
  if (!SkinActive() || ComponentState().Contains(csDestroying)) {
    TScrollBar::WndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_NCHITTEST: {
      if (FMustBeRecreated && Parent() && Parent()->HandleAllocated()) {
        HWND parent = Parent()->WindowHandle();
        SendMessageW(parent, WM_SETREDRAW, FALSE, 0);
        RecreateIfNeeded();
        SendMessageW(parent, WM_SETREDRAW, TRUE, 0);
      }
      HitTest(Message);
      return;
    }
    case WM_MOUSEMOVE:
      // The system sends no hit tests to the window holding the capture:
      // the held slider follows the moves themselves.
      if (FSliderState == 2 && Enabled() && ControlCanPaint()) DragSlider(TPoint{Message.XPos(), Message.YPos()});
      break;
    case CM_ENABLEDCHANGED:
      // The plain window is not repainted by the system when it changes.
      TScrollBar::WndProc(Message);
      if (HandleAllocated()) InvalidateRect(WindowHandle(), nullptr, FALSE);
      return;
    case SBM_SETSCROLLINFO: SetScrollInfoMessage(Message); return;
    case SBM_GETSCROLLINFO: GetScrollInfoMessage(Message); return;
    case CM_MOUSEENTER:
      if (Message.LParam == 0 || Message.LParam == reinterpret_cast<LPARAM>(this)) {
        FMouseInside = true;
        SetPartState(2, 1);
        SetPartState(3, 1);
        UpdateBar();
        return;
      }
      break;
    case CM_MOUSELEAVE:
      if (Message.LParam == 0 || Message.LParam == reinterpret_cast<LPARAM>(this)) {
        FMouseInside = false;
        SetPartState(0, 0);
        SetPartState(1, 0);
        if (FSliderState != 2) {
          SetPartState(4, 0);
          SetPartState(2, 0);
          SetPartState(3, 0);
        }
        UpdateBar();
        return;
      }
      break;
    case WM_PAINT: {
      if (FMustBeRecreated) {
        // The paint request goes with the old window; the new one must be
        // painted in full.
        RecreateIfNeeded();
        InvalidateRect(WindowHandle(), nullptr, FALSE);
        return;
      }
      HDC dc = reinterpret_cast<HDC>(Message.WParam);
      if (dc) {
        PaintBar(dc);
        return;
      }
      PAINTSTRUCT ps;
      HDC pdc = BeginPaint(WindowHandle(), &ps);
      try {
        PaintBar(pdc);
      } catch (...) {
        EndPaint(WindowHandle(), &ps);
        throw;
      }
      EndPaint(WindowHandle(), &ps);
      return;
    }
    case WM_ERASEBKGND:
      if (FDrawingForbidden) {
        Message.Result = 1;
        return;
      }
      break;
    default: break;
  }
  TScrollBar::WndProc(Message);
}

// ---- The control's own scroll information

void TkScrollBar::SetScrollInfoMessage(TMessage& Message) {
  auto* si = reinterpret_cast<const SCROLLINFO*>(Message.LParam);
  bool redraw = Message.WParam != 0;
  if (si) {
    if ((si->fMask & SIF_PAGE) && si->nPage != FSI.nPage) {
      FSI.nPage = si->nPage;
      FRepaintNeeded = redraw;
    }
    if ((si->fMask & SIF_POS) && si->nPos != FSI.nPos) {
      FSI.nPos = si->nPos;
      FRepaintNeeded = redraw;
    }
    if ((si->fMask & SIF_RANGE) && (si->nMin != FSI.nMin || si->nMax != FSI.nMax)) {
      FSI.nMin = si->nMin;
      FSI.nMax = si->nMax;
      if (FSI.nMax - FSI.nMin < 0) FSI.nMin = FSI.nMax = 0;
      FRepaintNeeded = redraw;
      // Scroll information set from outside the control moves its
      // properties too (the framework's own settings already agree).
      if (si->fMask & SIF_POS) {
        if (Min() != FSI.nMin || Max() != FSI.nMax) SetParams(Position(), FSI.nMin, FSI.nMax);
      }
    }
  }
  int range = FSI.nMax - FSI.nMin + 1;
  FSI.nPage = static_cast<UINT>(std::clamp(static_cast<int>(FSI.nPage), 0, std::max(range, 0)));
  int maxPos = FSI.nMax - std::max(static_cast<int>(FSI.nPage) - 1, 0);
  FSI.nPos = std::clamp(FSI.nPos, FSI.nMin, std::max(FSI.nMin, maxPos));
  if (FScrollCode != SB_THUMBTRACK) FCurrPos = FSI.nPos;
  Message.Result = FSI.nPos;
  if (!FDrawingForbidden) UpdateBar();
}

void TkScrollBar::GetScrollInfoMessage(TMessage& Message) {
  auto* si = reinterpret_cast<SCROLLINFO*>(Message.LParam);
  if (!si) return;
  if (si->fMask & SIF_PAGE) si->nPage = FSI.nPage;
  if (si->fMask & SIF_POS) si->nPos = FSI.nPos;
  if ((si->fMask & SIF_TRACKPOS) && si->cbSize == sizeof(SCROLLINFO)) si->nTrackPos = FSI.nTrackPos;
  if (si->fMask & SIF_RANGE) {
    si->nMin = FSI.nMin;
    si->nMax = FSI.nMax;
  }
  Message.Result = TRUE;
}

// ---- Geometry

int TkScrollBar::ArrowSize() { return ManagerScrollSize(DefaultSkinManager); }

TRect TkScrollBar::PartRect(int From, int To) const {
  return Horizontal() ? Rect(From, 0, To, Height()) : Rect(0, From, Width(), To);
}

TkBarAxis TkScrollBar::Axis() {
  TkBarAxis a;
  a.Length = Length();
  a.Arrow = ArrowSize();
  a.nMin = FSI.nMin;
  a.nMax = FSI.nMax;
  a.nPage = static_cast<int>(FSI.nPage);
  a.CurrPos = FCurrPos;
  a.Enabled = Enabled();
  return a;
}

TRect TkScrollBar::Btn1Rect() { return PartRect(0, AxisArrow1End(Axis())); }

TRect TkScrollBar::Btn2Rect() { return PartRect(AxisArrow2Start(Axis()), Length()); }

int TkScrollBar::TrackLength() { return AxisTrackLength(Axis()); }

int TkScrollBar::SliderSize() { return AxisSliderSize(Axis()); }

int TkScrollBar::SliderCenter() { return AxisSliderCenter(Axis()); }

TRect TkScrollBar::SliderRect() {
  int size = SliderSize();
  int start = Max() == Min() ? ArrowSize() : SliderCenter() - size / 2;
  return PartRect(start, start + size);
}

TRect TkScrollBar::Bar1Rect() { return PartRect(0, SliderCenter()); }

TRect TkScrollBar::Bar2Rect() { return PartRect(SliderCenter(), Length()); }

int TkScrollBar::PositionAt(const TPoint& P) { return AxisPositionAt(Axis(), Along(P)); }

// ---- Parts and scrolling

int TkScrollBar::PartState(int Part) const {
  switch (Part) {
    case 0: return FBtn1State;
    case 1: return FBtn2State;
    case 2: return FBar1State;
    case 3: return FBar2State;
    case 4: return FSliderState;
    default: return 0;
  }
}

void TkScrollBar::SetPartState(int Part, int State) {
  int* states[5] = {&FBtn1State, &FBtn2State, &FBar1State, &FBar2State, &FSliderState};
  if (Part < 0 || Part > 4 || *states[Part] == State) return;
  FRepaintNeeded = true;
  *states[Part] = State;
  if (State != 1 && State != 2) return;
  // A hot or pressed part leaves the track hot and the other parts normal.
  for (int i = 0; i < 5; ++i) {
    if (i == Part) continue;
    *states[i] = (i == 2 || i == 3) ? 1 : 0;
  }
}

void TkScrollBar::ScrollTo(int Pos) {
  int maxPos = FSI.nMax - std::max(static_cast<int>(FSI.nPage) - 1, 0);
  FCurrPos = std::clamp(Pos, FSI.nMin, std::max(FSI.nMin, maxPos));
  UINT msg = Horizontal() ? WM_HSCROLL : WM_VSCROLL;
  if (FScrollCode == SB_THUMBTRACK) {
    if (FSI.nTrackPos == FCurrPos && !FBeginTrack) return;
    FBeginTrack = false;
    FSI.nTrackPos = FCurrPos;
  }
  WPARAM wParam = static_cast<WPARAM>(FScrollCode);
  if (FScrollCode == SB_THUMBPOSITION || FScrollCode == SB_THUMBTRACK)
    wParam |= static_cast<WPARAM>(FCurrPos & 0xFFFF) << 16;
  if (DoSendChanges && LinkedControl && LinkedControl->HandleAllocated()) {
    SendMessageW(LinkedControl->WindowHandle(), msg, wParam, reinterpret_cast<LPARAM>(WindowHandle()));
  } else {
    // What the parent's reflection of the message would hand this control.
    Perform(CN_BASE + msg, wParam, reinterpret_cast<LPARAM>(WindowHandle()));
  }
  FRepaintNeeded = true;
  UpdateBar();
}

void TkScrollBar::UpdateBar() {
  FDrawingForbidden = false;
  if (FRepaintNeeded) PaintBar(nullptr);
}

bool TkScrollBar::ControlHotOrFocused() { return FMouseInside || Focused(); }

// ---- Painting

void TkScrollBar::PaintBar(HDC DC) {
  if (!HandleAllocated()) return;
  if (FDrawingForbidden || !ControlCanPaint()) return;
  FRepaintNeeded = false;
  HDC dc = DC ? DC : GetDC(WindowHandle());
  if (TkLoadedSkin* skin = ActiveSkin()) {
    try {
      PaintSkinnedBar(dc, *skin);
    } catch (...) {
      if (!DC) ReleaseDC(WindowHandle(), dc);
      throw;
    }
    if (!DC) ReleaseDC(WindowHandle(), dc);
    return;
  }
  int saved = SaveDC(dc);
  // Without a skin the system's parts stand in.
  RECT all{0, 0, Width(), Height()};
  FillRect(dc, &all, GetSysColorBrush(COLOR_SCROLLBAR));
  auto fillPart = [&](const TRect& r, int state) {
    RECT rr{r.Left, r.Top, r.Right, r.Bottom};
    FillRect(dc, &rr, GetSysColorBrush(state == 2 ? COLOR_3DDKSHADOW : COLOR_SCROLLBAR));
  };
  fillPart(Bar1Rect(), FBar1State);
  fillPart(Bar2Rect(), FBar2State);
  if (ArrowSize() != 0) {
    UINT inactive = Enabled() ? 0 : DFCS_INACTIVE;
    TRect b1 = Btn1Rect(), b2 = Btn2Rect();
    RECT r1{b1.Left, b1.Top, b1.Right, b1.Bottom}, r2{b2.Left, b2.Top, b2.Right, b2.Bottom};
    DrawFrameControl(dc, &r1, DFC_SCROLL,
                     (Horizontal() ? DFCS_SCROLLLEFT : DFCS_SCROLLUP) | (FBtn1State == 2 ? DFCS_PUSHED : 0) | inactive);
    DrawFrameControl(dc, &r2, DFC_SCROLL,
                     (Horizontal() ? DFCS_SCROLLRIGHT : DFCS_SCROLLDOWN) | (FBtn2State == 2 ? DFCS_PUSHED : 0) | inactive);
  }
  if (Enabled() && SliderSize() <= TrackLength()) {
    TRect s = SliderRect();
    RECT rs{s.Left, s.Top, s.Right, s.Bottom};
    DrawFrameControl(dc, &rs, DFC_BUTTON, DFCS_BUTTONPUSH | (FSliderState == 2 ? DFCS_PUSHED : 0));
  }
  RestoreDC(dc, saved);
  if (!DC) ReleaseDC(WindowHandle(), dc);
}

void TkScrollBar::PaintSkinnedBar(HDC DC, TkLoadedSkin& Skin) {
  const int w = Width(), h = Height();
  if (w <= 0 || h <= 0) return;
  // What lies behind: the linked control's background, else the parent's.
  TkcBackgroundInfo info;
  TControl* behind = Parent();
  info.Offset = TPoint{Left(), Top()};
  if (LinkedControl) {
    behind = LinkedControl;
    if (!dynamic_cast<TCustomForm*>(LinkedControl))
      info.Offset = TPoint{Left() - LinkedControl->Left(), Top() - LinkedControl->Top()};
  }
  info.R = Rect(0, 0, w, h);
  if (behind) RequestBackground(info, behind, false);
  const TCacheInfo ci = BgInfoToCacheInfo(info);

  auto image = NewBitmap32(w, h);
  const bool enabled = Enabled();
  const int hot = ControlHotOrFocused() ? 1 : 0;
  const TRect slider = SliderRect();
  TkBarPicture p;
  p.Vertical = !Horizontal();
  p.Arrow = ArrowSize();
  p.Split = SliderCenter();
  p.Track1State = enabled ? std::max(FBar1State, hot) : 0;
  p.Track2State = enabled ? std::max(FBar2State, hot) : 0;
  p.Arrow1State = FBtn1State;
  p.Arrow2State = FBtn2State;
  p.ShowThumb = enabled && SliderSize() <= TrackLength();
  p.ThumbPos = Horizontal() ? slider.Left : slider.Top;
  p.ThumbLength = SliderSize();
  p.ThumbState = FSliderState;
  PaintScrollBarImage(*image, Skin, p, ci, {});
  if (!enabled) PaintDisabledLook(*image, FDisabledKind, behind, {}, ci);
  GdiFlush();
  BitBlt(DC, 0, 0, w, h, image->Canvas()->Handle(), 0, 0, SRCCOPY);
}

// ---- Mouse

void TkScrollBar::StartTimer(unsigned Interval, void (TkScrollBar::*Handler)(TObject*), bool Capture) {
  StopTimer();
  FTimer = new TTimer(nullptr);
  FTimer->SetInterval(Interval);
  FTimer->SetOnTimer(TNotifyEvent(this, Handler));
  FTimer->SetEnabled(true);
  if (Capture) SetMouseCapture(true);
}

unsigned TkScrollBar::TimerInterval() const { return FTimer ? FTimer->Interval() : 0; }

void TkScrollBar::TimerTick() {
  if (FTimer && FTimer->OnTimer()) FTimer->OnTimer()(FTimer);
}

void TkScrollBar::StopTimer() {
  if (!FTimer) return;
  TTimer* t = FTimer;
  FTimer = nullptr;
  t->SetEnabled(false);
  delete t;
}

void TkScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!SkinActive() || !Enabled() || Button != mbLeft) {
    TScrollBar::MouseDown(Button, Shift, X, Y);
    return;
  }
  if (!ControlCanPaint()) return;
  if (Application) {
    FAppShowHint = Application->ShowHint();
    Application->SetShowHint(false);
  }
  FMouseOffset = 0;
  if (CanFocus()) SetFocus();
  TPoint p{X, Y};
  int at = Along(p);
  int page = std::max(static_cast<int>(FSI.nPage), 1);
  auto in = [&](const TRect& r) { return X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom; };
  if (in(Btn1Rect())) {
    if (FBtn1State != 2) {
      FScrollCode = SB_LINEUP;
      SetPartState(0, 2);
      FDrawingForbidden = true;
      ScrollBy(-1);
      StartTimer(500, &TkScrollBar::BtnTimer, false);
    }
  } else if (in(Btn2Rect())) {
    SetPartState(1, 2);
    FScrollCode = SB_LINEDOWN;
    FDrawingForbidden = true;
    ScrollBy(1);
    StartTimer(500, &TkScrollBar::BtnTimer, false);
  } else if (in(SliderRect())) {
    FScrollCode = SB_THUMBTRACK;
    if (FSliderState != 2) {
      FMouseOffset = PositionAt(p) - FCurrPos;
      SetPartState(4, 2);
      FBeginTrack = true;
      ScrollBy(0);
      StartTimer(50, &TkScrollBar::SliderTimer, true);
    }
  } else if (at < SliderCenter()) {
    FScrollCode = SB_PAGEUP;
    if (FBar1State != 2) {
      SetPartState(2, 2);
      SetPartState(3, ControlHotOrFocused() ? 1 : 0);
      FDrawingForbidden = true;
      ScrollBy(-page);
      StartTimer(500, &TkScrollBar::BarTimer, false);
    }
  } else {
    FScrollCode = SB_PAGEDOWN;
    if (FBar2State != 2) {
      SetPartState(3, 2);
      SetPartState(2, ControlHotOrFocused() ? 1 : 0);
      FDrawingForbidden = true;
      ScrollBy(page);
      StartTimer(500, &TkScrollBar::BarTimer, false);
    }
  }
  UpdateBar();
  TScrollBar::MouseDown(Button, Shift, X, Y);
}

void TkScrollBar::BtnTimer(TObject*) {
  if (!FTimer) return;
  if (FBtn1State == 2) ScrollBy(-1);
  else if (FBtn2State == 2) ScrollBy(1);
  else {
    StopTimer();
    return;
  }
  if (FTimer && FTimer->Interval() > 50) FTimer->SetInterval(50);
}

void TkScrollBar::BarTimer(TObject*) {
  if (!FTimer || !Mouse) return;
  int page = std::max(static_cast<int>(FSI.nPage), 1);
  int under = FSI.nMin + PositionAt(ScreenToClient(Mouse->CursorPos()));
  if (FBar1State == 2 && under < FCurrPos) ScrollBy(-page);
  else if (FBar2State == 2 && under > FCurrPos) ScrollBy(page);
  else {
    // The slider reached the cursor.
    StopTimer();
    return;
  }
  if (FTimer && FTimer->Interval() > 50) FTimer->SetInterval(50);
}

void TkScrollBar::SliderTimer(TObject*) {
  if (!FTimer || !Mouse || !ControlCanPaint()) return;
  TPoint p = ScreenToClient(Mouse->CursorPos());
  bool above = p.x >= 0 && p.y >= 0 && p.x < Width() && p.y < Height();
  if (above) return;
  int pos = PositionAt(p) - FMouseOffset;
  if (pos != FCurrPos) {
    FDrawingForbidden = true;
    ScrollTo(pos);
  }
  SetMouseCapture(true);
}

void TkScrollBar::HitTest(TMessage& Message) {
  if (!ControlCanPaint()) {
    Message.Result = HTNOWHERE;
    return;
  }
  TPoint p = ScreenToClient(TPoint{Message.XPos(), Message.YPos()});
  if (Enabled() && !ComponentState().Contains(csDesigning)) {
    auto in = [&](const TRect& r) { return p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom; };
    if (FSliderState == 2) {
      DragSlider(p);
    } else if (in(SliderRect())) {
      SetPartState(4, 1);
    } else if (in(Btn1Rect())) {
      if (FBtn1State != 2) SetPartState(0, 1);
    } else if (in(Btn2Rect())) {
      if (FBtn2State != 2) SetPartState(1, 1);
    } else {
      SetPartState(4, 0);
      if (FBtn1State != 2) SetPartState(0, 0);
      if (FBtn2State != 2) SetPartState(1, 0);
    }
    UpdateBar();
  }
  TScrollBar::WndProc(Message);
}

void TkScrollBar::DragSlider(const TPoint& P) {
  int pos = PositionAt(P) - FMouseOffset;
  if (pos != FCurrPos) {
    FDrawingForbidden = true;
    ScrollTo(pos);
  }
}

void TkScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!SkinActive() || !Enabled()) {
    TScrollBar::MouseUp(Button, Shift, X, Y);
    return;
  }
  if (!ControlCanPaint()) return;
  StopTimer();
  auto in = [&](const TRect& r) { return X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom; };
  int hot = ControlHotOrFocused() ? 1 : 0;
  bool overSlider = in(SliderRect());
  if (overSlider || FSliderState == 2) {
    FScrollCode = SB_THUMBPOSITION;
    SetPartState(2, hot);
    SetPartState(3, hot);
    if (FSliderState == 2) {
      FDrawingForbidden = true;
      ScrollBy(0);
      SetPartState(4, overSlider ? 1 : 0);
    }
  } else if (FBtn1State == 2 && in(Btn1Rect())) {
    SetPartState(0, 1);
  } else if (FBtn2State == 2 && in(Btn2Rect())) {
    SetPartState(1, 1);
  } else if (FBar1State == 2) {
    SetPartState(2, hot);
  } else if (FBar2State == 2) {
    SetPartState(3, hot);
  }
  UpdateBar();
  if (MouseCapture()) SetMouseCapture(false);
  TScrollBar::MouseUp(Button, Shift, X, Y);
  FScrollCode = SB_ENDSCROLL;
  ScrollBy(0);
  if (Application) Application->SetShowHint(FAppShowHint);
}

FW_REGISTER(TkScrollBar) {
  c.Property(u"DisabledKind", &TkScrollBar::DisabledKind, &TkScrollBar::SetDisabledKind)
      .Default(TkDisabledKind{dkBlended});
}

}  // namespace skin
