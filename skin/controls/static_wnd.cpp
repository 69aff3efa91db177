#include "skin/controls/static_wnd.h"

#include "skin/engine/bitmap_dc.h"
#include "skin/engine/text_out.h"

namespace skin {

UINT TkcStaticWnd::TextFlags() const {
  const auto style = GetWindowLongPtrW(CtrlHandle, GWL_STYLE);
  const auto exStyle = GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE);
  // Word break, tabs expanded, no clipping, no prefix; with prefixes the tab
  // stop flag sets tabs of 9 characters.
  UINT flags = (style & SS_NOPREFIX) ? 0x950 : 0x9D0;
  // Centred and right-aligned statics keep their alignment.
  const auto type = style & SS_TYPEMASK;
  if (type == SS_CENTER) flags |= DT_CENTER;
  if (type == SS_RIGHT || (exStyle & WS_EX_RIGHT)) flags |= DT_RIGHT;
  if (exStyle & WS_EX_RTLREADING) flags |= DT_RTLREADING;
  return flags;
}

bool TkcStaticWnd::PaintText() {
  if (Caption.empty()) return true;
  fw::TCanvas& canvas = *S.Cache->Canvas();
  canvas.Brush()->SetStyle(fw::bsClear);
  SelectControlFont(canvas, Control(), CtrlHandle);
  const TControlTextSource src = AdapterTextSource(*this, S.Cache.get());
  DrawControlText(canvas, Caption, true, fw::Rect(0, 0, S.Geo.WndSize.x, S.Geo.WndSize.y), TextFlags(), src, 0);
  return true;
}

void TkcStaticWnd::KC_WMPaint(HDC DC) {
  Caption = WindowText(CtrlHandle);
  CaptureWindowGeometry(CtrlHandle, S.Geo);
  HDC dc = DC ? DC : GetWindowDC(CtrlHandle);
  const int saved = SaveDC(dc);
  BGChanged = true;
  S.EnsureCache(S.Geo.WndSize.x, S.Geo.WndSize.y);
  PrepareControlCache(*this, S, false);
  if (PaintText()) {
    GdiFlush();
    BitBlt(dc, 0, 0, S.Geo.WndSize.x, S.Geo.WndSize.y, S.Cache->Canvas()->Handle(), 0, 0, SRCCOPY);
  }
  RestoreDC(dc, saved);
  if (!DC) ReleaseDC(CtrlHandle, dc);
}

void TkcStaticWnd::RedrawNow() { RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

void TkcStaticWnd::kcWndProc(fw::TMessage& Message) {
  const auto style = GetWindowLongPtrW(CtrlHandle, GWL_STYLE);
  if (!Skinned() || (style & WS_TABSTOP) || (GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE) & WS_EX_STATICEDGE)) {
    TkcMainWnd::kcWndProc(Message);
    return;
  }
  const bool visible = IsWindowVisible(CtrlHandle) != 0;
  switch (Message.Msg) {
    case WM_MOVE:
    case WM_ENABLE:
      if (visible) {
        BGChanged = true;
        CallPrev(Message);
        RedrawNow();
        return;
      }
      break;
    case WM_SETTEXT:
      if (visible) {
        SendMessageW(CtrlHandle, WM_SETREDRAW, 0, 0);
        TkcMainWnd::kcWndProc(Message);  // the text reaches the window and Caption
        BGChanged = true;
        SendMessageW(CtrlHandle, WM_SETREDRAW, 1, 0);
        RedrawNow();
        return;
      }
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      HDC given = reinterpret_cast<HDC>(Message.WParam);
      if (!given) BeginPaint(CtrlHandle, &ps);
      if (visible || given) KC_WMPaint(given);
      if (!given) EndPaint(CtrlHandle, &ps);
      Message.Result = 0;
      return;
    }
    case WM_PRINT:
      KC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 0;
      return;
    case WM_ERASEBKGND:
      if (visible) {
        Message.Result = 1;
        return;
      }
      break;
    case WM_NCPAINT: Message.Result = 0; return;
    default: break;
  }
  TkcMainWnd::kcWndProc(Message);
}

}  // namespace skin
