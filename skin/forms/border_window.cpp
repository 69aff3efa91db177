#include "skin/forms/border_window.h"

#include <windowsx.h>

#include <algorithm>

#include "fw/graphics/gdi_handles.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/window_utils.h"
#include "skin/forms/core/border_tracking.h"
#include "skin/forms/dwm_link.h"

namespace skin {

namespace {

constexpr wchar_t kBorderClass[] = L"TkcBorderForm";
constexpr DWORD kBorderExStyle = WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW;  // 0x08080080
constexpr UINT kNoSizeMove = SWP_NOSIZE | SWP_NOMOVE;

const wchar_t* BorderClass() {
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kBorderClass;
    return RegisterClassExW(&wc);
  }();
  return atom ? kBorderClass : nullptr;
}


HRGN RegionOf(const TkBorderRegion& r) {
  if (r.None) return nullptr;
  HRGN rgn = CreateRectRgn(r.Outer.Left, r.Outer.Top, r.Outer.Right, r.Outer.Bottom);
  if (r.HasHole) {
    HRGN hole = CreateRectRgn(r.Hole.Left, r.Hole.Top, r.Hole.Right, r.Hole.Bottom);
    CombineRgn(rgn, rgn, hole, RGN_XOR);
    DeleteObject(hole);
  }
  return rgn;
}

bool HotCode(int code) {
  return code == HTMINBUTTON || code == HTMAXBUTTON || code == HTCLOSE || code == HTHELP ||
         (code >= kHitUserButton && code <= 2100);
}

}  // namespace

fw::TRect TkcBorderOwner::WorkArea() const {
  MONITORINFO mi{sizeof mi};
  GetMonitorInfoW(MonitorFromWindow(OwnerHandle(), MONITOR_DEFAULTTONEAREST), &mi);
  return fw::Rect(mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom);
}

TkcBorderForm::TkcBorderForm(TkcBorderOwner* AOwner) : FOwner(AOwner) { CreateNewForm(); }

TkcBorderForm::~TkcBorderForm() {
  if (FOwner) FOwner->KillAnimations();
  FreeForm();
}

void TkcBorderForm::CreateNewForm() {
  if (FWnd || !FOwner || !BorderClass()) return;
  FWnd = CreateWindowExW(kBorderExStyle, kBorderClass, L"", WS_POPUP, 0, 0, 0, 0, FOwner->OwnerHandle(), nullptr,
                         GetModuleHandleW(nullptr), nullptr);
  if (!FWnd) return;
  SetWindowLongPtrW(FWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(FWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
}

void TkcBorderForm::FreeForm() {
  if (!FWnd) return;
  // No message reaches this object once the window starts to go.
  SetWindowLongPtrW(FWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcW));
  SetWindowLongPtrW(FWnd, GWLP_USERDATA, 0);
  DestroyWindow(FWnd);
  FWnd = nullptr;
}

TkBorderFacts TkcBorderForm::Facts() const {
  TkBorderFacts f = FOwner->HitFacts();
  if (FWnd) {
    const fw::TRect r = WindowRectOf(FWnd);
    f.Width = r.Width();
    f.Height = r.Height();
  } else if (fw::TBitmap* cache = FOwner->CacheBitmap()) {
    f.Width = cache->Width();
    f.Height = cache->Height();
  }
  return f;
}

void TkcBorderForm::UpdateExBordersPos(bool Redraw, int Blend) {
  if (ExBorderShowing || !FOwner || AnimationInProgress) return;
  const HWND owner = FOwner->OwnerHandle();
  RECT R{};
  if (!owner || !GetWindowRect(owner, &R)) return;
  if (!FOwner->TakesUpdate(R)) return;
  if (!FWnd) CreateNewForm();
  if (!FWnd) return;
  uint32_t& state = FOwner->FormState();
  if (!IsWindowVisible(owner)) {
    if (!FOwner->IsProvider()) return;
    if (state == 0 || state == kFsInNcActivate) {
      FreeForm();
      FOwner->BGChanged() = true;
      return;
    }
  }
  ExBorderShowing = true;
  struct TDone {
    bool& flag;
    ~TDone() { flag = false; }
  } done{ExBorderShowing};
  HWND after = nullptr;
  if (GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST) after = HWND_TOPMOST;

  fw::TBitmap* cache = FOwner->CacheBitmap();
  if ((state & (kFsSkinChange | kFsMinimizing | kFsBlendedMove)) || AnimationInProgress) {
    if (FOwner->BGChanged()) FOwner->PaintAll();
    cache = FOwner->CacheBitmap();
    Redraw = true;
    // The owner's client area as the screen shows it.
    RECT client{};
    GetClientRect(owner, &client);
    POINT origin{0, 0};
    ClientToScreen(owner, &origin);
    const int cx = origin.x - R.left, cy = origin.y - R.top;
    if (cache) {
      fw::TWindowFrameDC dc(owner);
      BitBlt(cache->Canvas()->Handle(), FOwner->XOffset() + cx, FOwner->YOffset() + cy, client.right, client.bottom,
             dc.Get(), cx, cy, SRCCOPY);
      GdiFlush();
      SetRectAlpha(View32(*cache),
                   fw::Bounds(FOwner->XOffset() + cx, FOwner->YOffset() + cy, client.right, client.bottom), 255,
                   clSkinNone);
    }
  } else if (FOwner->BGChanged()) {
    FOwner->PaintAll();
    cache = FOwner->CacheBitmap();
    Redraw = true;
  }
  if (!cache) return;
  const POINT P{R.left - FOwner->XOffset(), R.top - FOwner->YOffset()};
  const SIZE S{cache->Width(), cache->Height()};
  if (!after) after = (IsIconic(owner) || (state & kFsSizeChange)) ? GetWindow(owner, GW_HWNDPREV) : owner;
  UINT flags = (state & kFsSizeChange) ? 0x614 : 0x610;
  const fw::TRect now = WindowRectOf(FWnd);
  const bool sameSize = now.Width() == S.cx && now.Height() == S.cy;
  if (!Redraw && sameSize) flags |= SWP_NOSIZE;
  if (!Redraw) flags |= SWP_NOREDRAW;
  if (LayeredWindowsAvailable() && !kcInMouseMsg && (Redraw || !sameSize)) {
    const int alpha = FOwner->HasAlphaBlend() ? FOwner->AlphaValue() : Blend;
    if (!sameSize)
      SetWindowPos(FWnd, nullptr, P.x, P.y, S.cx, S.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    if (state & kFsBlendedMove) SetWindowRgn(FWnd, MakeRgn(), FALSE);
    fw::TWindowDC screen;
    POINT dst = P, src{0, 0};
    SIZE size = S;
    BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(alpha < 0 ? 0 : alpha > 255 ? 255 : alpha), AC_SRC_ALPHA};
    if (FOwner->BlurBehind()) {
      HRGN rgn = BlurBehindRegion(Facts(), cache, FOwner->ContentOffset());
      DwmLink().EnableBlurBehind(FWnd, true, rgn);
      DeleteObject(rgn);
    } else {
      DwmLink().EnableBlurBehind(FWnd, false, nullptr);
    }
    UpdateLayeredWindowProc(FWnd, screen.Get(), &dst, &size, cache->Canvas()->Handle(), &src, 0, &blend, ULW_ALPHA);
    ++FUploads;
    if ((state & 0x1180) != kFsBlendedMove) SetWindowRgn(FWnd, MakeRgn(), TRUE);
    if (IsWindowVisible(FWnd))
      SetWindowPos(FWnd, after, 0, 0, 0, 0, flags | kNoSizeMove);
    else
      SetWindowPos(FWnd, after, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | kNoSizeMove);
    return;
  }
  SetWindowPos(FWnd, after, P.x, P.y, 0, 0, flags | SWP_NOSIZE);
}

void TkcBorderForm::PutBackWhereDragged() {
  const fw::TPoint p = LastTopLeft;
  if (!FWnd || (p.x == -1 && p.y == -1) || p.y >= 0 || WindowsVersionNumber() < 6) return;
  SetWindowPos(FWnd, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HRGN TkcBorderForm::MakeRgn(int NewWidth, int NewHeight) {
  if (!FWnd) return nullptr;
  return RegionOf(BorderRegion(Facts(), FOwner->ClientFacts(), NewWidth, NewHeight));
}

void TkcBorderForm::UpdateRgn() {
  if (!ResetRgn || !FWnd) return;
  ResetRgn = false;
  SetWindowRgn(FWnd, MakeRgn(), TRUE);
}

int TkcBorderForm::Ex_WMNCHitTest(fw::TPoint Screen) {
  if (FOwner->IsProvider())
    if (const int code = FOwner->ExtHitTest(Screen)) return code;
  const fw::TRect r = WindowRectOf(FWnd);
  return BorderHitTest(Facts(), fw::TPoint{Screen.x - r.Left, Screen.y - r.Top});
}

bool TkcBorderForm::MouseAboveTheShadow(fw::TPoint Client) {
  if (FOwner->FormState() & kFsBlendedMove) return false;
  UpdateRgn();
  if (!FWnd) return false;
  if (!PointOnShadow(Facts(), Client)) return false;
  FOwner->SetHotHT(-1);
  return true;
}

bool TkcBorderForm::SetCursorFor(fw::TPoint Screen) {
  const fw::TRect r = WindowRectOf(FWnd);
  if (PointOnShadow(Facts(), fw::TPoint{Screen.x - r.Left, Screen.y - r.Top})) return false;
  const wchar_t* id = nullptr;
  switch (BorderCursorFor(Ex_WMNCHitTest(Screen))) {
    case TkBorderCursor::Arrow:
      id = IDC_ARROW;
      break;
    case TkBorderCursor::SizeWE:
      id = IDC_SIZEWE;
      break;
    case TkBorderCursor::SizeNS:
      id = IDC_SIZENS;
      break;
    case TkBorderCursor::SizeNWSE:
      id = IDC_SIZENWSE;
      break;
    case TkBorderCursor::SizeNESW:
      id = IDC_SIZENESW;
      break;
    case TkBorderCursor::None:
      return false;
  }
  SetCursor(LoadCursorW(nullptr, id));
  return true;
}

void TkcBorderForm::SnapWhileMoving(WINDOWPOS& Pos) {
  // The visible frame, not the shadow, meets the work area's edges.
  const TkBorderFacts f = Facts();
  MONITORINFO mi{sizeof mi};
  GetMonitorInfoW(MonitorFromWindow(FWnd, MONITOR_DEFAULTTONEAREST), &mi);
  const RECT& a = mi.rcWork;
  const int buffer = FOwner->SnapBuffer();
  SnapCoordinate(Pos.x, a.right, buffer, f.Width + f.ExShadowOffsR - f.Shadow.Right);
  SnapCoordinate(Pos.y, a.bottom, buffer, f.Height + f.ExShadowOffsB - f.Shadow.Bottom);
  SnapCoordinate(Pos.x, a.left, buffer, f.Shadow.Left - f.ExShadowOffs);
  SnapCoordinate(Pos.y, a.top, buffer, f.Shadow.Top - f.ExShadowOffsT);
}

HRGN BlurBehindRegion(const TkBorderFacts& f, fw::TBitmap* Image, int Offset) {
  const fw::TRect v = BorderVisibleRect(f);
  HRGN rgn = CreateRectRgn(v.Left - 1, v.Top - 1, v.Right + 1, v.Bottom + 1);
  if (!Image || Offset <= 0) return rgn;
  const TPixelView32 px = View32(*Image);
  auto cut = [&](int x0, int y0) {
    for (int y = std::max(0, y0); y < std::min(px.Height, y0 + Offset); ++y)
      for (int x = std::max(0, x0); x < std::min(px.Width, x0 + Offset); ++x)
        if ((px.Row(y)[x] & 0x00FFFFFFu) == 0) {
          HRGN pixel = CreateRectRgn(x, y, x + 1, y + 1);
          CombineRgn(rgn, rgn, pixel, RGN_DIFF);
          DeleteObject(pixel);
        }
  };
  cut(0, 0);
  cut(px.Width - Offset, 0);
  cut(0, px.Height - Offset);
  cut(px.Width - Offset, px.Height - Offset);
  return rgn;
}

void TkcBorderForm::ForwardToOwner(UINT Msg, WPARAM Code, LPARAM LParam) {
  SendMessageW(FOwner->OwnerHandle(), Msg, Code, LParam);
}

void TkcBorderForm::PunchShadowHole(fw::TPoint Client) {
  kcInMouseMsg = true;
  HRGN rgn = MakeRgn();
  if (!rgn) {
    const fw::TRect r = WindowRectOf(FWnd);
    rgn = CreateRectRgn(0, 0, r.Width(), r.Height());
  }
  HRGN pixel = CreateRectRgn(Client.x, Client.y, Client.x + 1, Client.y + 1);
  CombineRgn(rgn, rgn, pixel, RGN_XOR);
  DeleteObject(pixel);
  // A modal form's shadow keeps catching the mouse.
  if (FOwner->IsProvider() && FOwner->Modal())
    DeleteObject(rgn);
  else
    SetWindowRgn(FWnd, rgn, TRUE);
  ResetRgn = true;
  kcInMouseMsg = false;
}

void TkcBorderForm::DoubleClick(int Code) {
  FOwner->EndOutlineDrag();
  if (!FOwner->IsProvider()) return;
  const HWND owner = FOwner->OwnerHandle();
  uint32_t& state = FOwner->FormState();
  const fw::TRect r = WindowRectOf(owner);
  switch (Code) {
    case HTCAPTION:
      if (FOwner->CanMaximizeOrRestore())
        SendMessageW(owner, WM_SYSCOMMAND, (IsZoomed(owner) || IsIconic(owner)) ? SC_RESTORE : SC_MAXIMIZE, 0);
      else if (IsIconic(owner))
        SendMessageW(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
      else
        return;
      if (IsWindow(owner)) FOwner->WindowCommandSent();
      return;
    case HTSYSMENU:
      SendMessageW(owner, WM_SYSCOMMAND, SC_CLOSE, 0);
      return;
    case HTLEFT:
    case HTRIGHT: {
      if (!FOwner->Sizeable()) return;
      const fw::TRect work = FOwner->WorkArea();
      const TkEdgeStretch s = StretchWidthTo(work.Left, work.Width(), FOwner->ExtFrameDelta(), state & kFsStretchedWidth);
      if (s.Restore) {
        SetWindowPos(owner, nullptr, FOwner->NormalBounds.Left, r.Top, FOwner->NormalBounds.Right, r.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        state &= ~kFsStretchedWidth;
      } else {
        FOwner->NormalBounds.Left = r.Left;
        FOwner->NormalBounds.Right = r.Width();
        SetWindowPos(owner, nullptr, s.Pos, r.Top, s.Size, r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        state |= kFsStretchedWidth;
      }
      return;
    }
    case HTTOP:
    case HTBOTTOM: {
      if (!FOwner->Sizeable()) return;
      const fw::TRect work = FOwner->WorkArea();
      const TkEdgeStretch s = StretchHeightTo(work.Top, work.Height(), FOwner->ExtTitleDelta(),
                                              FOwner->ExtFrameDelta(), state & kFsStretchedHeight);
      if (s.Restore) {
        SetWindowPos(owner, nullptr, r.Left, FOwner->NormalBounds.Top, r.Width(), FOwner->NormalBounds.Bottom,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        state &= ~kFsStretchedHeight;
      } else {
        FOwner->NormalBounds.Top = r.Top;
        FOwner->NormalBounds.Bottom = r.Height();
        SetWindowPos(owner, nullptr, r.Left, s.Pos, r.Width(), s.Size, SWP_NOZORDER | SWP_NOACTIVATE);
        state |= kFsStretchedHeight;
      }
      return;
    }
    default:
      if (Code >= kHitTitleItem && Code <= kHitTitleItem + 255) {
        FOwner->SetHotHT(Code);
        FOwner->ItemClick(Code - kHitTitleItem);
      }
  }
}

LRESULT TkcBorderForm::ShowWindowMessage(WPARAM WParam, LPARAM LParam) {
  const bool mainForm = FOwner->IsProvider() && FOwner->MainForm();
  const TkBorderShowFacts f = mainForm ? FOwner->ShowFacts() : TkBorderShowFacts{};
  if (mainForm && f.MainFormRules) {
    // Hidden by ShowWindow or with the minimised owner: kept while the
    // owner animates, or kept to show the form's hide animation.
    if (!WParam && (LParam == 0 || LParam == SW_PARENTCLOSING)) {
      const uint32_t state = FOwner->FormState();
      if (state & (kFsMinimizing | kFsSnapshot)) return 0;
      if (f.HideAnimated) {
        FOwner->StoreHideImage();
        ExBorderShowing = true;
        return 0;
      }
    }
    return DefWindowProcW(FWnd, WM_SHOWWINDOW, WParam, LParam);
  }
  // Otherwise the system does not hide or show the border window together
  // with its owner, except for a main form the taskbar does not show.
  if (mainForm && ((!f.Terminating && !f.MainFormOnTaskBar) || WParam))
    return DefWindowProcW(FWnd, WM_SHOWWINDOW, WParam, LParam);
  return 0;
}

LRESULT CALLBACK TkcBorderForm::Proc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* self = reinterpret_cast<TkcBorderForm*>(GetWindowLongPtrW(Wnd, GWLP_USERDATA));
  if (!self || self->FWnd != Wnd) return DefWindowProcW(Wnd, Msg, WParam, LParam);
  return self->BorderProc(Msg, WParam, LParam);
}

LRESULT TkcBorderForm::BorderProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
  const HWND owner = FOwner->OwnerHandle();
  const fw::TPoint screen{GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam)};
  auto clientOf = [&](fw::TPoint s) {
    const fw::TRect r = WindowRectOf(FWnd);
    return fw::TPoint{s.x - r.Left, s.y - r.Top};
  };
  switch (Msg) {
    case WM_SETFOCUS:
      if (FOwner->IsProvider() && IsWindowVisible(owner) && IsWindowEnabled(owner)) SetFocus(owner);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_NCPAINT:
      return 0;
    case WM_SHOWWINDOW:
      return ShowWindowMessage(WParam, LParam);
    case WM_SETCURSOR: {
      POINT p{};
      GetCursorPos(&p);
      if (SetCursorFor(fw::TPoint{p.x, p.y})) return TRUE;
      break;
    }
    case WM_MOUSEACTIVATE:
      if (IsWindowEnabled(owner)) SetForegroundWindow(owner);
      return MA_NOACTIVATE;
    case WM_WINDOWPOSCHANGING: {
      auto* moving = reinterpret_cast<WINDOWPOS*>(LParam);
      if (FOwner->IsProvider() && (FOwner->FormState() & kFsBlendedMove) && moving && FOwner->ScreenSnap() &&
          !IsZoomed(owner) && !(moving->flags & SWP_NOMOVE) && (moving->x != 0 || moving->y != 0))
        SnapWhileMoving(*moving);
      const LRESULT r = DefWindowProcW(FWnd, Msg, WParam, LParam);
      if (FOwner->IsProvider() && (FOwner->FormState() & kFsBlendedMove)) {
        const fw::TRect now = WindowRectOf(FWnd);
        LastTopLeft = fw::TPoint{now.Left, now.Top};
      }
      return r;
    }
    case WM_WINDOWPOSCHANGED: {
      FOwner->KillAnimations();
      const LRESULT r = DefWindowProcW(FWnd, Msg, WParam, LParam);
      if (FOwner->IsProvider() && owner && IsWindow(owner) && !FInWindowPosChanged) {
        FInWindowPosChanged = true;
        uint32_t& state = FOwner->FormState();
        // Moved while the form lies on the taskbar: its image is made anew.
        if (!FOwner->AnimationTimer() && IsIconic(owner) && !(state & kFsMinimizing)) {
          FOwner->BGChanged() = true;
          UpdateExBordersPos(false, 255);
        }
        if (FWnd && IsWindowVisible(FWnd) && FOwner->StayOnTop()) {
          const HWND after =
              DwmCompositionActive() && FOwner->MainForm() && GetActiveWindow() == owner ? HWND_TOPMOST : owner;
          SetWindowPos(FWnd, after, 0, 0, 0, 0, 0x65B);
        }
        FInWindowPosChanged = false;
      }
      return r;
    }
    case WM_NCHITTEST:
      if (MouseAboveTheShadow(clientOf(screen))) break;
      DefWindowProcW(FWnd, Msg, WParam, LParam);
      // Every non-client mouse message then comes here with a code the
      // system does not act on.
      return HTOBJECT;
    case WM_NCMOUSEMOVE: {
      const int code = Ex_WMNCHitTest(screen);
      FOwner->SetHotHT(HotCode(code) ? code : 0);
      return 0;
    }
    case WM_NCLBUTTONDOWN: {
      if (MouseAboveTheShadow(clientOf(screen))) return 0;
      ExBorderShowing = false;
      const int code = Ex_WMNCHitTest(screen);
      if (code == HTCAPTION && !IsZoomed(owner) && !IsIconic(owner) && FOwner->StartBlendedMove()) return 0;
      ForwardToOwner(Msg, code == HTSYSMENU ? 3 : static_cast<WPARAM>(-1), LParam);
      return 0;
    }
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
      if (!MouseAboveTheShadow(clientOf(screen))) ForwardToOwner(Msg, static_cast<WPARAM>(-1), LParam);
      return 0;
    case WM_NCRBUTTONDOWN:
      if (!MouseAboveTheShadow(clientOf(screen))) ForwardToOwner(Msg, static_cast<WPARAM>(Ex_WMNCHitTest(screen)), LParam);
      return 0;
    case WM_NCLBUTTONDBLCLK:
      DoubleClick(Ex_WMNCHitTest(screen));
      return 0;
    default:
      if (Msg >= WM_MOUSEMOVE && Msg <= WM_MBUTTONDBLCLK) {
        const fw::TPoint p{GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam)};
        if (MouseAboveTheShadow(p)) PunchShadowHole(p);
        return 0;
      }
      break;
  }
  return DefWindowProcW(FWnd, Msg, WParam, LParam);
}

}  // namespace skin
