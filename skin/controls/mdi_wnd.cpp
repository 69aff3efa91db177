#include "skin/controls/mdi_wnd.h"

#include <algorithm>

#include "skin/controls/attach_hook.h"
#include "skin/controls/mdi_form.h"
#include "skin/engine/background_request.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/section_dc.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/window_utils.h"
#include "skin/forms/skin_provider.h"

namespace skin {

namespace {

constexpr UINT kMenuRefreshed = 0x3F;  // answered like WM_PARENTNOTIFY: the bars follow the styles

}  // namespace

TkcMDIWnd::~TkcMDIWnd() {
  FForm = nullptr;
  SkinProvider = nullptr;
  MDIForm = nullptr;
  Detach();
}

bool TkcMDIWnd::FormSkinned() const { return Skinned() && (!SkinProvider || SkinProvider->Skinned()); }

int TkcMDIWnd::Edge() const { return (GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) ? 2 : 0; }

HWND TkcMDIWnd::FormWindow() const {
  if (FForm && FForm->HandleAllocated()) return FForm->Handle();
  return GetParent(CtrlHandle);
}

bool TkcMDIWnd::ChildMaximized() const {
  BOOL maximized = FALSE;
  HWND active = reinterpret_cast<HWND>(SendMessageW(CtrlHandle, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
  return active && maximized;
}

void TkcMDIWnd::PaintMDIArea(HDC DC, bool WindowDC) {
  if (AnimationInProgress || !DC) return;
  TkLoadedSkin* skin = Skin();
  RECT w{};
  GetWindowRect(CtrlHandle, &w);
  const int e = WindowDC ? 0 : Edge();
  const fw::TRect area = fw::Rect(-e, -e, w.right - w.left - e, w.bottom - w.top - e);
  const fw::TColor formColor = SkinProvider ? SkinProvider->FormColor() : skin->GetGlobalColor();
  const int index = skin->GetSkinIndex(u"MDIAREA");
  const fw::TRect whole = fw::Rect(0, 0, area.Width(), area.Height());
  if (index < 0) {
    SolidFillDC(DC, fw::Rect(0, 0, area.Width() - 2 * e, area.Height() - 2 * e), formColor);
    return;
  }
  // The section over the whole window, its client part at the DC's origin.
  auto image = NewBitmap32(whole.Width(), whole.Height());
  SolidFillDC(image->Canvas()->Handle(), whole, formColor);
  TCacheInfo ci;
  ci.FillColor = uint32_t(fw::ColorToRGB(formColor));
  PaintSectionToDC(image->Canvas()->Handle(), *skin, index, u"MDIAREA", ci, 0, whole, {});
  GdiFlush();
  BitBlt(DC, area.Left, area.Top, whole.Width(), whole.Height(), image->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TkcMDIWnd::PaintMDIFrame(HDC DC) {
  const int e = Edge();
  if (!e) return;
  RECT w{};
  GetWindowRect(CtrlHandle, &w);
  const int W = w.right - w.left, H = w.bottom - w.top;
  const fw::TColor formColor = SkinProvider ? SkinProvider->FormColor() : Skin()->GetGlobalColor();
  if (Skin()->GetSkinIndex(u"MDIAREA") < 0) {
    SolidFillFrameDC(DC, fw::Rect(0, 0, W, H), e, e, e, e, formColor);
    return;
  }
  // The frame strips of the area's image.
  auto image = NewBitmap32(W, H);
  {
    HDC imageDC = image->Canvas()->Handle();
    PaintMDIArea(imageDC, true);
  }
  GdiFlush();
  CopyBorderStrips(DC, 0, 0, W, H, image->Canvas()->Handle(), 0, 0, e);
}

void TkcMDIWnd::ScrollToThumb(bool Vertical, int Pos) {
  const int bar = Vertical ? SB_VERT : SB_HORZ;
  SCROLLINFO si{sizeof(si), SIF_ALL};
  if (!GetScrollInfo(CtrlHandle, bar, &si)) return;
  const int last = si.nMax - std::max(int(si.nPage) - 1, 0);
  const int target = std::max(si.nMin, std::min(Pos, last));
  const int shift = si.nPos - target;
  if (shift)
    ScrollWindowEx(CtrlHandle, Vertical ? 0 : shift, Vertical ? shift : 0, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  si.fMask = SIF_POS;
  si.nPos = target;
  SetScrollInfo(CtrlHandle, bar, &si, FALSE);
  RefreshScrollBars();
}

void TkcMDIWnd::kcWndProc(fw::TMessage& Message) {
  if (Destroyed || !Skinned()) {
    TkcBaseWnd::kcWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_SKINCOMMAND:
      switch (SkinCommandCode(Message.WParam)) {
        case SKC_CHILDPAINTING:
          Message.Result = FForm ? SendSkinCommandToControl(FForm, SKC_CHILDPAINTING, Message.LParam) : 0;
          return;
        case SKC_GETBGINFO:
          // The form answers for its client area, in which this client area
          // lies a frame's width in from the window's place.
          if (auto* info = reinterpret_cast<TkcBackgroundInfo*>(Message.LParam)) {
            POINT own{0, 0}, form{0, 0};
            ClientToScreen(CtrlHandle, &own);
            ClientToScreen(FormWindow(), &form);
            info->Offset = fw::TPoint{info->Offset.x + own.x - form.x, info->Offset.y + own.y - form.y};
          }
          Message.Result = SendMessageW(FormWindow(), Message.Msg, Message.WParam, Message.LParam);
          return;
        case SKC_BEFORESCROLL: {
          const WORD code = LOWORD(Message.LParam);
          Message.Result = code == SB_THUMBPOSITION || code == SB_THUMBTRACK ? 1 : 0;
          return;
        }
        case SKC_AFTERSCROLL: RefreshScrollBars(); return;
        default: break;
      }
      break;
    case WM_PAINT:
      if (AnimationInProgress) {
        PAINTSTRUCT ps{};
        BeginPaint(CtrlHandle, &ps);
        EndPaint(CtrlHandle, &ps);
        Message.Result = 0;
        return;
      }
      break;
    case WM_ERASEBKGND:
      if (Message.WParam && FormSkinned()) {
        if (!AnimationInProgress && !ChildMaximized()) {
          HDC dc = reinterpret_cast<HDC>(Message.WParam);
          const int saved = SaveDC(dc);
          PaintMDIArea(dc, false);
          RestoreDC(dc, saved);
        }
        Message.Result = 1;
        return;
      }
      break;
    case WM_WINDOWPOSCHANGED:
      if (HWND form = FormWindow()) RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
      break;
    case WM_STYLECHANGED: CallPrev(Message); return;
    case WM_NCPAINT:
      if (FormSkinned()) {
        if (!ChildMaximized() && !AnimationInProgress) {
          HDC dc = GetWindowDC(CtrlHandle);
          PaintMDIFrame(dc);
          PaintScrollBars(-1, dc);
          ReleaseDC(CtrlHandle, dc);
        }
        Message.Result = 1;
        return;
      }
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      // The contents stay while the thumb is dragged; let go, they scroll in
      // one step, in the client's own units (pixels), to the new position.
      if (LOWORD(Message.WParam) == SB_THUMBTRACK) {
        Message.Result = 0;
        return;
      }
      if (LOWORD(Message.WParam) == SB_THUMBPOSITION) {
        // Our own bars hand the whole position over in lParam.
        ScrollToThumb(Message.Msg == WM_VSCROLL, Message.LParam ? int(Message.LParam) : int(HIWORD(Message.WParam)));
        Message.Result = 0;
        return;
      }
      break;
    case WM_MDICREATE:
      CallPrev(Message);
      if (Message.Result) AttachSkinToWindow(reinterpret_cast<HWND>(Message.Result));
      return;
    case WM_MDITILE:
    case WM_MDICASCADE: {
      CallPrev(Message);
      BOOL maximized = FALSE;
      if (HWND active = reinterpret_cast<HWND>(SendMessageW(CtrlHandle, WM_MDIGETACTIVE, 0,
                                                            reinterpret_cast<LPARAM>(&maximized))))
        SetWindowLongPtrW(active, GWL_STYLE, GetWindowLongPtrW(active, GWL_STYLE) & ~LONG_PTR(WS_SYSMENU));
      if (MDIForm) MDIForm->UpdateMDIIconItem();
      InvalidateRect(CtrlHandle, nullptr, TRUE);
      RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
      if (SkinProvider) SkinProvider->RepaintFormFrame();
      return;
    }
    case WM_MDISETMENU:
      // The menu line is measured and drawn again.
      CallPrev(Message);
      if (MDIForm) MDIForm->UpdateMDIIconItem();
      else if (SkinProvider) SkinProvider->RepaintFormFrame();
      return;
    case WM_PRINT:
      if (Message.WParam && FormSkinned()) {
        Message.Result = 0;
        if (ChildMaximized()) return;
        HDC dc = reinterpret_cast<HDC>(Message.WParam);
        const int saved = SaveDC(dc);
        PaintMDIArea(dc, true);
        RestoreDC(dc, saved);
        PaintScrollBars(-1, dc);
        return;
      }
      break;
    default: break;
  }
  TkcBaseWnd::kcWndProc(Message);
  if (Destroyed) return;
  if (Message.Msg == kMenuRefreshed || Message.Msg == WM_PARENTNOTIFY) {
    const LONG_PTR style = GetWindowLongPtrW(CtrlHandle, GWL_STYLE);
    sBarVert.HasStyle = (style & WS_VSCROLL) != 0;
    sBarHorz.HasStyle = (style & WS_HSCROLL) != 0;
    RefreshScrollBars();
  } else if (Message.Msg == WM_MDIREFRESHMENU && SkinProvider) {
    SkinProvider->RepaintFormFrame();
  }
}

}  // namespace skin
