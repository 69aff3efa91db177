#include "fw/stdctrls/scrolling.h"

#include <algorithm>

#include "fw/core/rtti.h"

namespace fw {

namespace {

// The position a scroll message asks for.
int ScrollTarget(HWND wnd, int bar, WPARAM wParam, int pos, int min, int max, int line, int page,
                 TScrollCode& code) {
  switch (LOWORD(wParam)) {
    case SB_LINEUP: code = scLineUp; return pos - line;
    case SB_LINEDOWN: code = scLineDown; return pos + line;
    case SB_PAGEUP: code = scPageUp; return pos - page;
    case SB_PAGEDOWN: code = scPageDown; return pos + page;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      code = LOWORD(wParam) == SB_THUMBTRACK ? scTrack : scPosition;
      SCROLLINFO si{sizeof(si), SIF_TRACKPOS};
      if (GetScrollInfo(wnd, bar, &si)) return si.nTrackPos;
      return static_cast<int16_t>(HIWORD(wParam));
    }
    case SB_TOP: code = scTop; return min;
    case SB_BOTTOM: code = scBottom; return max;
    default: code = scEndScroll; return pos;
  }
}

}  // namespace

// ---- TScrollBar

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csFramed, csDoubleClicks};
  FWidth = 121;
  FHeight = GetSystemMetrics(SM_CYHSCROLL);
  FTabStop = true;
}

void TScrollBar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"SCROLLBAR");
  Params.Style |= FKind == sbVertical ? SBS_VERT : SBS_HORZ;
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TScrollBar::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateWindow();
}

void TScrollBar::UpdateWindow() {
  if (!FHandle) return;
  SCROLLINFO si{sizeof(si), SIF_ALL};
  si.nMin = FMin;
  si.nMax = FMax;
  si.nPage = static_cast<UINT>(std::max(0, FPageSize));
  si.nPos = FPosition;
  SetScrollInfo(FHandle, SB_CTL, &si, TRUE);
}

int TScrollBar::MaxPosition() const { return std::max(FMin, FMax - std::max(FPageSize - 1, 0)); }

void TScrollBar::SetKind(TScrollBarKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  if (!ComponentState().Contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TScrollBar::SetPageSize(int Value) {
  if (FPageSize == Value) return;
  FPageSize = std::max(0, Value);
  UpdateWindow();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
  if (AMax < AMin) throw EInvalidOperation(u"Scroll bar property out of range");
  FMin = AMin;
  FMax = AMax;
  // While loading the limits may come after the position.
  if (!ComponentState().Contains(csLoading)) APosition = std::clamp(APosition, FMin, MaxPosition());
  bool changed = APosition != FPosition;
  FPosition = APosition;
  UpdateWindow();
  if (changed) Change();
}

void TScrollBar::Change() {
  if (ComponentState().Contains(csLoading)) return;
  OnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, int& ScrollPos) { OnScroll(this, ScrollCode, ScrollPos); }

void TScrollBar::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL) {
    TScrollCode code = scEndScroll;
    int pos = ScrollTarget(FHandle, SB_CTL, Message.WParam, FPosition, FMin, FMax, FSmallChange, FLargeChange, code);
    pos = std::clamp(pos, FMin, MaxPosition());
    Scroll(code, pos);
    SetPosition(pos);
    Message.Result = 0;
    return;
  }
  TWinControl::Dispatch(Message);
}

// ---- TControlScrollBar

void TControlScrollBar::SetRange(int Value) {
  FRange = std::max(0, Value);
  FControl->UpdateScrollBars();
}

void TControlScrollBar::SetPosition(int Value) {
  int extent = FKind == sbHorizontal ? FControl->ClientWidth() : FControl->ClientHeight();
  Value = std::clamp(Value, 0, std::max(0, FRange - extent));
  if (Value == FPosition) return;
  int delta = FPosition - Value;
  FPosition = Value;
  if (FKind == sbHorizontal) FControl->ScrollBy(delta, 0);
  else FControl->ScrollBy(0, delta);
  if (FControl->HandleAllocated())
    SetScrollPos(FControl->WindowHandle(), FKind == sbHorizontal ? SB_HORZ : SB_VERT, Value, TRUE);
}

void TControlScrollBar::SetVisible(bool Value) {
  FVisible = Value;
  FControl->UpdateScrollBars();
}

void TControlScrollBar::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TControlScrollBar*>(Source)) {
    FIncrement = src->FIncrement;
    FTracking = src->FTracking;
    FVisible = src->FVisible;
    FRange = src->FRange;
    FControl->UpdateScrollBars();
    SetPosition(src->FPosition);
    return;
  }
  TPersistent::Assign(Source);
}

// ---- TScrollBox

TScrollBox::TScrollBox(TComponent* AOwner)
    : TWinControl(AOwner),
      FHorzScrollBar(new TControlScrollBar(this, sbHorizontal)),
      FVertScrollBar(new TControlScrollBar(this, sbVertical)) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FWidth = 185;
  FHeight = 41;
  FColor = clBtnFace;
  FParentColor = true;
}

TScrollBox::~TScrollBox() {
  FUpdating = true;  // nothing scrolls while the children go
  delete FHorzScrollBar;
  FHorzScrollBar = nullptr;
  delete FVertScrollBar;
  FVertScrollBar = nullptr;
}

void TScrollBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style |= WS_HSCROLL | WS_VSCROLL;
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateScrollBars();
}

void TScrollBox::SetAutoScroll(bool Value) {
  if (FAutoScroll == Value) return;
  FAutoScroll = Value;
  UpdateScrollBars();
}

void TScrollBox::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TScrollBox::CalcAutoRange() {
  if (!FAutoScroll) return;
  int right = 0, bottom = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible() || c->Align() != alNone) continue;
    right = std::max(right, c->Left() + c->Width() + FHorzScrollBar->FPosition);
    bottom = std::max(bottom, c->Top() + c->Height() + FVertScrollBar->FPosition);
  }
  FHorzScrollBar->FRange = right;
  FVertScrollBar->FRange = bottom;
}

void TScrollBox::ApplyBar(TControlScrollBar* Bar, int ClientExtent) {
  int which = Bar->FKind == sbHorizontal ? SB_HORZ : SB_VERT;
  bool show = Bar->FVisible && Bar->FRange > ClientExtent;
  int pos = show ? std::clamp(Bar->FPosition, 0, Bar->FRange - ClientExtent) : 0;
  if (pos != Bar->FPosition) {
    int delta = Bar->FPosition - pos;
    Bar->FPosition = pos;
    if (Bar->FKind == sbHorizontal) ScrollBy(delta, 0);
    else ScrollBy(0, delta);
  }
  SCROLLINFO si{sizeof(si), SIF_ALL};
  si.nMin = 0;
  si.nMax = show ? Bar->FRange - 1 : 0;
  si.nPage = show ? static_cast<UINT>(ClientExtent) : 0;
  si.nPos = pos;
  SetScrollInfo(FHandle, which, &si, TRUE);
  Bar->FShown = show;
}

void TScrollBox::UpdateScrollBars() {
  if (!FHandle || FUpdating || !FHorzScrollBar || !FVertScrollBar) return;
  FUpdating = true;
  try {
    CalcAutoRange();
    // Showing one bar narrows the client area for the other: twice.
    for (int pass = 0; pass < 2; ++pass) {
      RECT r;
      GetClientRect(FHandle, &r);
      ApplyBar(FHorzScrollBar, r.right);
      GetClientRect(FHandle, &r);
      ApplyBar(FVertScrollBar, r.bottom);
    }
  } catch (...) {
    FUpdating = false;
    throw;
  }
  FUpdating = false;
}

void TScrollBox::ScrollBy(int DeltaX, int DeltaY) {
  if (DeltaX == 0 && DeltaY == 0) return;
  bool updating = FUpdating;
  FUpdating = true;
  DisableAlign();
  try {
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      c->SetBounds(c->Left() + DeltaX, c->Top() + DeltaY, c->Width(), c->Height());
    }
  } catch (...) {
    EnableAlign();
    FUpdating = updating;
    throw;
  }
  EnableAlign();
  FUpdating = updating;
  Invalidate();
}

void TScrollBox::ScrollInView(TControl* AControl) {
  if (!AControl || !ContainsControl(AControl) || AControl == this) return;
  TRect r = AControl->BoundsRect();
  if (AControl->Parent() != this) {
    TPoint p = AControl->ClientToParent(TPoint{0, 0}, this);
    r = Bounds(p.x, p.y, AControl->Width(), AControl->Height());
  }
  int cw = ClientWidth(), ch = ClientHeight();
  if (r.Left < 0) FHorzScrollBar->SetPosition(FHorzScrollBar->FPosition + r.Left);
  else if (r.Right > cw) FHorzScrollBar->SetPosition(FHorzScrollBar->FPosition + std::min(r.Right - cw, r.Left));
  if (r.Top < 0) FVertScrollBar->SetPosition(FVertScrollBar->FPosition + r.Top);
  else if (r.Bottom > ch) FVertScrollBar->SetPosition(FVertScrollBar->FPosition + std::min(r.Bottom - ch, r.Top));
}

void TScrollBox::AlignControls(TControl* AControl, TRect& Rect) {
  TWinControl::AlignControls(AControl, Rect);
  UpdateScrollBars();
}

void TScrollBox::Resize() {
  UpdateScrollBars();
  TWinControl::Resize();
}

void TScrollBox::ScrollMessage(TControlScrollBar* Bar, WPARAM WParam) {
  int which = Bar->FKind == sbHorizontal ? SB_HORZ : SB_VERT;
  int extent = Bar->FKind == sbHorizontal ? ClientWidth() : ClientHeight();
  TScrollCode code = scEndScroll;
  int pos = ScrollTarget(FHandle, which, WParam, Bar->FPosition, 0, Bar->FRange, Bar->FIncrement, extent, code);
  if (code == scTrack && !Bar->FTracking) return;
  Bar->SetPosition(pos);
}

void TScrollBox::Dispatch(TMessage& Message) {
  // The box's own scroll bars send no window handle.
  if ((Message.Msg == WM_HSCROLL || Message.Msg == WM_VSCROLL) && Message.LParam == 0) {
    ScrollMessage(Message.Msg == WM_HSCROLL ? FHorzScrollBar : FVertScrollBar, Message.WParam);
    Message.Result = 0;
    return;
  }
  TWinControl::Dispatch(Message);
}

FW_REGISTER(TScrollBar) {
  c.Property(u"Kind", &TScrollBar::Kind, &TScrollBar::SetKind).Default(sbHorizontal);
  c.Property(u"LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange).Default(1);
  c.Property(u"Max", &TScrollBar::Max, &TScrollBar::SetMax).Default(100);
  c.Property(u"Min", &TScrollBar::Min, &TScrollBar::SetMin).Default(0);
  c.Property(u"PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize).Default(0);
  c.Property(u"Position", &TScrollBar::Position, &TScrollBar::SetPosition).Default(0);
  c.Property(u"SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange).Default(1);
  c.Event(u"OnChange", &TScrollBar::OnChange);
  c.Event(u"OnScroll", &TScrollBar::OnScroll);
}

FW_REGISTER(TControlScrollBar) {
  c.Property(u"Increment", &TControlScrollBar::Increment, &TControlScrollBar::SetIncrement).Default(8);
  c.Property(u"Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition).Default(0);
  c.Property(u"Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange).Default(0);
  c.Property(u"Tracking", &TControlScrollBar::Tracking, &TControlScrollBar::SetTracking).Default(false);
  c.Property(u"Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible).Default(true);
}

FW_REGISTER(TScrollBox) {
  c.Property(u"AutoScroll", &TScrollBox::AutoScroll, &TScrollBox::SetAutoScroll).Default(true);
  c.Property(u"BorderStyle", &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle).Type(TypeInfoTBorderStyle()).Default(bsSingle);
  c.Property(u"HorzScrollBar", &TScrollBox::HorzScrollBar, &TScrollBox::SetHorzScrollBar);
  c.Property(u"VertScrollBar", &TScrollBox::VertScrollBar, &TScrollBox::SetVertScrollBar);
}

}  // namespace fw
