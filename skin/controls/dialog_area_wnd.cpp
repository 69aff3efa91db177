#include "skin/controls/dialog_area_wnd.h"

#include <algorithm>

#include "skin/controls/adapter_paint.h"
#include "skin/controls/control_cache.h"
#include "skin/controls/panel_wnd.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/mask_glyph.h"
#include "skin/engine/core/mask_paint.h"
#include "skin/engine/skin_utils.h"

namespace skin {

// ---- Size grip

void TkcSizerWnd::KC_WMPaint(HDC DC) {
  TkLoadedSkin* skin = Skin();
  if (!skin || !skin->IsValidImgIndex(skin->ConstData.GripRightBottom)) return;
  TkcWindowGeometry g;
  CaptureWindowGeometry(CtrlHandle, g);
  const int w = std::max(g.WndSize.x, 1), h = std::max(g.WndSize.y, 1);
  auto image = NewBitmap32(w, h);
  const TPixelView32 v = View32(*image);
  FillFromBackground(v, fw::Rect(0, 0, w, h), WndParentCacheInfo(CtrlHandle, g).CI);
  const TkMaskData& m = skin->ma[size_t(skin->ConstData.GripRightBottom)];
  DrawMaskGlyph(v, fw::TPoint{std::max(w - MaskFrameWidth(m), 0), std::max(h - MaskFrameHeight(m), 0)}, 0, gmNormal,
                m, MakeCacheInfo(v, 0, 0), MaskSourceView(*skin, m));
  CopyToDC(DC, 0, 0, *image);
}

void TkcSizerWnd::kcWndProc(fw::TMessage& Message) {
  if (!Skinned()) return TkcMainWnd::kcWndProc(Message);
  switch (Message.Msg) {
    case WM_PAINT: {
      if (Message.WParam) {
        KC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
        return;
      }
      PAINTSTRUCT ps{};
      BeginPaint(CtrlHandle, &ps);
      HDC dc = GetDC(CtrlHandle);
      KC_WMPaint(dc);
      ReleaseDC(CtrlHandle, dc);
      EndPaint(CtrlHandle, &ps);
      return;
    }
    case WM_ERASEBKGND:
    case WM_NCPAINT: Message.Result = 1; return;
    case WM_NCLBUTTONDOWN:
      // A child window cannot size itself from its corner: the top-level
      // window it sits in is sized from its bottom-right corner.
      if (Message.WParam == HTBOTTOMRIGHT) {
        HWND root = GetAncestor(CtrlHandle, GA_ROOT);
        if (root && root != CtrlHandle) {
          SendMessageW(root, WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT, Message.LParam);
          return;
        }
      }
      break;
    default: break;
  }
  TkcMainWnd::kcWndProc(Message);
  if (Message.Msg == WM_NCHITTEST && Skinned()) {
    Message.Result = HTBOTTOMRIGHT;
    if (IsWindowEnabled(CtrlHandle) && HasDefaultManager()) SetManagerActiveControl(nullptr);
  }
}

// ---- Transparent panel

void TkcTransPanelWnd::KC_WMPaint(HDC DC) {
  PaintWindowSection(*this, Cache);
  BGChanged = false;
  HDC dc = DC ? DC : GetWindowDC(CtrlHandle);
  CopyExceptChildWindows(dc, CtrlHandle, *Cache);
  if (!DC) ReleaseDC(CtrlHandle, dc);
}

void TkcTransPanelWnd::kcWndProc(fw::TMessage& Message) {
  if (!Skinned()) return TkcMainWnd::kcWndProc(Message);
  switch (Message.Msg) {
    case WM_PAINT: {
      if (Message.WParam) {
        KC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
        return;
      }
      PAINTSTRUCT ps{};
      HDC dc = BeginPaint(CtrlHandle, &ps);
      KC_WMPaint(dc);
      EndPaint(CtrlHandle, &ps);
      Message.Result = 0;
      return;
    }
    case WM_ERASEBKGND:
      KC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 1;
      return;
    case WM_NCPAINT: Message.Result = 0; return;
    default: TkcMainWnd::kcWndProc(Message);
  }
}

}  // namespace skin
