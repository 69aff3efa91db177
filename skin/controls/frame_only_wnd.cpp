#include "skin/controls/frame_only_wnd.h"

#include "skin/controls/panel_wnd.h"
#include "skin/engine/bitmap_dc.h"

namespace skin {

void CopyWindowFrame(HWND Wnd, HDC DC, fw::TBitmap& Cache, int B) {
  if (B <= 0) return;
  HDC dc = DC ? DC : GetWindowDC(Wnd);
  const int saved = SaveDC(dc);
  GdiFlush();
  CopyBorderStrips(dc, 0, 0, Cache.Width(), Cache.Height(), Cache.Canvas()->Handle(), 0, 0, B);
  RestoreDC(dc, saved);
  if (!DC) ReleaseDC(Wnd, dc);
}

void TkcSearchWnd::KC_WMNCPaint(HDC DC) {
  if (Updating) return;
  if (BGChanged || !Cache) {
    PaintWindowSection(*this, Cache);
    BGChanged = false;
  }
  CopyWindowFrame(CtrlHandle, DC, *Cache, 3);
}

void TkcSearchWnd::kcWndProc(fw::TMessage& Message) {
  if (!Skinned()) return TkcMainWnd::kcWndProc(Message);
  switch (Message.Msg) {
    case WM_PAINT:
      // The box paints its content, the frame follows (onto the DC of a
      // print).
      TkcMainWnd::kcWndProc(Message);
      KC_WMNCPaint(reinterpret_cast<HDC>(Message.WParam));
      return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_NCPAINT:
      KC_WMNCPaint();
      Message.Result = 0;
      return;
    default: break;
  }
  TkcMainWnd::kcWndProc(Message);
  if (!Skinned()) return;
  if (Message.Msg == WM_SIZE) {
    BGChanged = true;
    RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  } else if (Message.Msg == WM_MOUSEMOVE && HasDefaultManager() && IsWindowEnabled(CtrlHandle)) {
    SetManagerActiveControl(CtrlHandle);
  }
}

void TkcEdgeWnd::PaintFrame(HDC DC) {
  PaintWindowSection(*this, Cache);
  CopyWindowFrame(CtrlHandle, DC, *Cache, 2);
}

void TkcEdgeWnd::kcWndProc(fw::TMessage& Message) {
  if (!Skinned()) return TkcStaticWnd::kcWndProc(Message);
  switch (Message.Msg) {
    case WM_PAINT:
      // The static paints its icon or bitmap, then the frame goes round it.
      Message.Result = CallPrevWndProc(Message.Msg, Message.WParam, Message.LParam);
      PaintFrame(Message.WParam ? reinterpret_cast<HDC>(Message.WParam) : nullptr);
      return;
    case WM_PRINT:
      // Printed as it shows: the static's content inside the frame.
      if (Message.WParam) {
        CallPrevWndProc(WM_PAINT, Message.WParam, 0);
        PaintFrame(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 0;
        return;
      }
      break;
    case WM_ERASEBKGND:
    case WM_NCPAINT: return;
    default: break;
  }
  TkcStaticWnd::kcWndProc(Message);
}

}  // namespace skin
