#include "skin/controls/btn_wnd.h"

#include "fw/core/component.h"
#include "skin/controls/core/button_layout.h"
#include "skin/controls/scroll_wnd.h"
#include "skin/engine/alpha_text.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/text_out.h"
#include "skin/engine/window_utils.h"

namespace skin {

namespace {

bool CursorInWindow(HWND Wnd) {
  RECT r{};
  GetWindowRect(Wnd, &r);
  const POINT p = ScrollCursorPos();
  return PtInRect(&r, p) != 0;
}

bool BeingDestroyed(fw::TControl* Control) {
  return Control && Control->ComponentState().Contains(fw::csDestroying);
}

}  // namespace

bool TkcBtnWnd::Down() const { return (SendMessageW(CtrlHandle, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }

uint32_t TkcBtnWnd::CtrlStyle() const { return uint32_t(GetWindowLongPtrW(CtrlHandle, GWL_STYLE)); }

bool TkcBtnWnd::Shift() const { return ShiftContent(Down(), AdapterSection(*this) != nullptr, ShiftContentOnClickOption()); }

int TkcBtnWnd::CurrentState() {
  TkcButtonFacts f;
  f.Down = Down();
  if (f.Down) HideAdapterGlow(S);  // a pressed button loses its glow
  f.Enabled = IsWindowEnabled(CtrlHandle) != 0;
  f.HasFocus = GetFocus() == CtrlHandle || ManagerActiveControl() == CtrlHandle || S.Focused;
  f.HasOwnerControl = Control() != nullptr;
  f.DefPushStyle = (CtrlStyle() & BS_DEFPUSHBUTTON) != 0;
  return ButtonCurrentState(f);
}

int TkcBtnWnd::MaxCaptionWidth() { return ButtonMaxCaptionWidth(!Caption.empty(), S.Geo.WndSize.x, GlyphSize().x); }

fw::TPoint TkcBtnWnd::TextRectSize() {
  fw::TRect r = fw::Rect(0, 0, MaxCaptionWidth() + 2, 0);
  UINT flags = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_CENTER;
  if (CtrlStyle() & BS_MULTILINE) flags |= DT_WORDBREAK;
  DrawTextOnCanvas(*S.Cache->Canvas(), Caption, flags, r);
  return fw::TPoint{std::max(0, r.Width()), std::max(0, r.Height())};
}

fw::TRect TkcBtnWnd::CaptionRect() {
  const fw::TPoint t = TextRectSize();
  return ButtonCaptionRect(S.Geo.WndSize.x, S.Geo.WndSize.y, t.x, t.y, Shift());
}

void TkcBtnWnd::DoDrawText(fw::TRect& R, UINT Flags) {
  const TControlTextSource src = AdapterTextSource(*this, S.Cache.get());
  DrawControlText(*S.Cache->Canvas(), Caption, true, R, Flags, src, CurrentState() != 0 ? 1 : 0);
}

void TkcBtnWnd::DrawCaption() {
  fw::TCanvas& canvas = *S.Cache->Canvas();
  SelectControlFont(canvas, Control(), CtrlHandle);
  fw::TRect r = CaptionRect();
  UINT flags = DT_CENTER | DT_EXPANDTABS;
  if (CtrlStyle() & BS_MULTILINE) flags |= DT_WORDBREAK;
  if (GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE) & WS_EX_RTLREADING) flags |= DT_RTLREADING;
  SetBkMode(canvas.Handle(), TRANSPARENT);
  DoDrawText(r, flags);
  if (IsWindowEnabled(CtrlHandle) && ShowFocusRectOption() &&
      (SendMessageW(CtrlHandle, BM_GETSTATE, 0, 0) & BST_FOCUS) && !Caption.empty()) {
    r = fw::Rect(r.Left - 2, std::max(r.Top - 1, 3), r.Right + 2, std::min(r.Bottom + 1, S.Geo.WndSize.y - 3));
    const int states = SectionStates(*this);
    DrawDottedFrame(canvas, r, SectionFontColor(*this, std::min(1, states)), fw::TColor(clSkinNone));
  }
}

void TkcBtnWnd::PrepareCache() {
  Caption = WindowText(CtrlHandle);
  CaptureWindowGeometry(CtrlHandle, S.Geo);
  const TkcBehind behind = WndParentCacheInfo(CtrlHandle, S.Geo);
  fw::TBitmap& cache = S.EnsureCache(S.Geo.WndSize.x, S.Geo.WndSize.y);
  const TPixelView32 v = View32(cache);
  const fw::TRect whole = fw::Rect(0, 0, v.Width, v.Height);
  const TControlItem item = AdapterControlItem(*this);
  GdiFlush();
  if (item.SkinIndex >= 0) {
    const int state = ButtonPaintedState(CurrentState(), SectionStates(*this));
    PaintControlItem(v, *Skin(), item, behind.CI, true, {}, whole, state);
  } else {
    SolidFillDC(cache.Canvas()->Handle(), whole,
                fw::TColor(behind.CI.FillColor == clSkinKey ? uint32_t(fw::clBtnFace) : behind.CI.FillColor));
  }
  DrawCaption();
  DrawGlyph();
  if (!IsWindowEnabled(CtrlHandle)) {
    GdiFlush();
    PaintDisabledLook(cache, TkDisabledKind{dkBlended}, Control() ? Control()->Parent() : nullptr, {}, behind.CI);
  }
  BGChanged = false;
}

void TkcBtnWnd::KC_WMPaint(HDC DC) {
  CaptureWindowGeometry(CtrlHandle, S.Geo);
  PAINTSTRUCT ps{};
  const bool ownPaint = DC == nullptr;
  if (ownPaint) BeginPaint(CtrlHandle, &ps);
  if (!AnimationInProgress || PrintDC) {
    if (!Updating) {
      HDC dc = DC ? DC : GetDC(CtrlHandle);
      BGChanged = true;
      PrepareCache();
      GdiFlush();
      BitBlt(dc, 0, 0, S.Geo.WndSize.x, S.Geo.WndSize.y, S.Cache->Canvas()->Handle(), 0, 0, SRCCOPY);
      if (!DC) ReleaseDC(CtrlHandle, dc);
    }
  }
  if (ownPaint) EndPaint(CtrlHandle, &ps);
}

void TkcBtnWnd::Repaint() { RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

void TkcBtnWnd::Guarded(fw::TMessage& Message, bool Previous) {
  // The button would paint its own look at once; drawing stays off while it
  // handles the message, and on again whatever happens.
  struct RedrawOff {
    HWND Wnd;
    explicit RedrawOff(HWND W) : Wnd(W) { SendMessageW(Wnd, WM_SETREDRAW, 0, 0); }
    ~RedrawOff() {
      if (IsWindow(Wnd)) SendMessageW(Wnd, WM_SETREDRAW, 1, 0);
    }
  } off(CtrlHandle);
  if (Previous) CallPrev(Message);
  else TkcMainWnd::kcWndProc(Message);
}

void TkcBtnWnd::FollowMouseMove() {
  if (!HasDefaultManager() || !IsWindowEnabled(CtrlHandle) || NoMouseHoverOption()) return;
  if (CursorInWindow(CtrlHandle)) {
    if (ManagerActiveControl() != CtrlHandle) SetManagerActiveControl(CtrlHandle);
  } else if (ManagerActiveControl() == CtrlHandle) {
    SetManagerActiveControl(nullptr);
  }
}

void TkcBtnWnd::MouseEnter(fw::TMessage& Message) {
  if (!S.MouseAbove && ManagerActiveControl() == CtrlHandle && !NoMouseHoverOption()) {
    if (!CursorInWindow(CtrlHandle)) return;
    S.MouseAbove = true;
    BGChanged = true;
    Updating = false;
    Repaint();
    ShowAdapterGlow(*this, S);
  }
  TkcMainWnd::kcWndProc(Message);
}

void TkcBtnWnd::MouseLeave(fw::TMessage& Message) {
  if (S.MouseAbove) {
    HideAdapterGlow(S);
    S.MouseAbove = false;
    Updating = false;
    BGChanged = true;
    Repaint();
  }
  TkcMainWnd::kcWndProc(Message);
}

void TkcBtnWnd::kcWndProc(fw::TMessage& Message) {
  if (!Skinned()) {
    TkcMainWnd::kcWndProc(Message);
    return;
  }
  const bool visible = IsWindowVisible(CtrlHandle) != 0;
  const bool enabled = IsWindowEnabled(CtrlHandle) != 0;
  switch (Message.Msg) {
    case WM_DESTROY: HideAdapterGlow(S); break;
    case WM_MOVE: {
      const TkGeneralData* s = AdapterSection(*this);
      if (s && (s->Props[0].Transparency > 0 || (s->Props[1].Transparency > 0 && (S.Focused || S.MouseAbove)))) {
        BGChanged = true;
        Repaint();
      }
      break;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (enabled && !(Message.Msg == WM_KILLFOCUS && BeingDestroyed(Control()))) {
        Guarded(Message);
        S.Focused = Message.Msg == WM_SETFOCUS;
        BGChanged = true;
        RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
        return;
      }
      break;
    case WM_ENABLE:
    case WM_SETTEXT:
      if (visible) {
        Guarded(Message);
        BGChanged = true;
        Repaint();
        return;
      }
      break;
    case WM_PAINT:
      if (visible || PrintDC) {
        KC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 0;
        return;
      }
      break;
    case WM_PRINT:
      KC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 0;
      return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_NCPAINT:
    case WM_UPDATEUISTATE: Message.Result = 0; return;
    case BM_SETSTATE:
      if (visible) {
        Guarded(Message, true);
        BGChanged = true;
        Repaint();
        return;
      }
      break;
    case WM_MOUSEHOVER: SendSkinCommand(CtrlHandle, SKC_MOUSEENTER, 0); break;
    case WM_MOUSELEAVE:
      if (ManagerActiveControl() == CtrlHandle) SetManagerActiveControl(nullptr);
      break;
    case WM_SKINCOMMAND:
      switch (SkinCommandCode(Message.WParam)) {
        case SKC_UPDATEDONE:
          if (Updating) {
            Updating = false;
            RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
            return;
          }
          break;
        case SKC_MOUSEENTER: MouseEnter(Message); return;
        case SKC_MOUSELEAVE: MouseLeave(Message); return;
        default: break;
      }
      break;
    default: break;
  }
  TkcMainWnd::kcWndProc(Message);
  if (Message.Msg == WM_MOUSEMOVE && !Destroyed) FollowMouseMove();
}

}  // namespace skin
