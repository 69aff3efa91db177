#include "skin/controls/scroll_box_wnd.h"

#include "fw/system/application.h"
#include "skin/controls/frame_only_wnd.h"
#include "skin/controls/panel_wnd.h"
#include "skin/engine/background_request.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/window_utils.h"

namespace skin {

namespace {

constexpr int kFrame = 2;  // the skinned frame's width

// The frame measured anew (the scroll bars' room with it).
void RecalcFrame(HWND Wnd) {
  SetWindowPos(Wnd, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
}

}  // namespace

void TkcScrollBoxWnd::PrepareCache() {
  PaintWindowSection(*this, Cache);
  BGChanged = false;
}

void TkcScrollBoxWnd::KC_WMPaint(HDC DC) {
  fw::TWinControl* owner = Owner();
  if (Updating || (owner && owner->ComponentState().Contains(fw::csDestroying))) return;
  HDC dc = DC ? DC : GetDC(CtrlHandle);
  if (BGChanged || !Cache) PrepareCache();
  CopyClientPart(dc, CtrlHandle, *Cache, kFrame);
  if (owner) {
    PaintGraphicControls(dc, owner, true, {0, 0});
    RepaintChildControls(owner);
  }
  if (!DC) ReleaseDC(CtrlHandle, dc);
}

LRESULT TkcScrollBoxWnd::KC_WMNCPaint() {
  UpdateScrollInfo();
  if (AnimationInProgress || Updating) return 0;
  HDC dc = GetWindowDC(CtrlHandle);
  const int saved = SaveDC(dc);
  RECT clip{};
  if (dc == PrintDC || GetClipBox(dc, &clip) != NULLREGION) {
    if (BGChanged || !Cache) PrepareCache();
    PaintScrollBars(-1, dc);
    // The frame only where the window has one.
    RECT w{}, c{};
    GetWindowRect(CtrlHandle, &w);
    GetClientRect(CtrlHandle, &c);
    if (w.right - w.left > c.right || w.bottom - w.top > c.bottom) CopyWindowFrame(CtrlHandle, dc, *Cache, kFrame);
  }
  RestoreDC(dc, saved);
  ReleaseDC(CtrlHandle, dc);
  return 0;
}

bool TkcScrollBoxWnd::HandleBoxSkinCommand(fw::TMessage& Message) {
  const WORD code = SkinCommandCode(Message.WParam);
  switch (code) {
    case SKC_NEWSKIN:
    case SKC_REFRESH:
      // The bars, then the common answer (which passes it to the children).
      TkcScrollWnd::kcWndProc(Message);
      if (code == SKC_REFRESH && !Destroyed) RecalcFrame(CtrlHandle);
      return true;
    case SKC_REMOVESKIN:
      HandleSkinCommand(Message);
      CallPrev(Message);
      if (!Destroyed) RecalcFrame(CtrlHandle);
      return true;
    case SKC_ISHANDLED: Message.Result = 1; return true;
    case SKC_PREPARECACHE: return true;
    case SKC_GETAPPLICATION: Message.Result = reinterpret_cast<LRESULT>(fw::Application); return true;
    default: return false;
  }
}

void TkcScrollBoxWnd::kcWndProc(fw::TMessage& Message) {
  if (Message.Msg == WM_SKINCOMMAND && HandleBoxSkinCommand(Message)) return;
  if (!Skinned()) return TkcScrollWnd::kcWndProc(Message);
  switch (Message.Msg) {
    case WM_SKINCOMMAND:
      switch (SkinCommandCode(Message.WParam)) {
        case SKC_UPDATEDONE:
          if (Updating) {
            Updating = false;
            RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
          }
          if (Owner()) RepaintChildControls(Owner());
          return;
        case SKC_GETBGINFO: {
          // What lies behind a child is the box's picture.
          auto* info = reinterpret_cast<TkcBackgroundInfo*>(Message.LParam);
          if (!info) break;
          if (BGChanged || !Cache) PrepareCache();
          const fw::TRect c = ClientRectInWindow(CtrlHandle);
          info->Offset = fw::TPoint{info->Offset.x + c.Left, info->Offset.y + c.Top};
          info->Bmp = Cache.get();
          info->BgType = btCache;
          return;
        }
        default: break;
      }
      break;
    case WM_SIZE:
    case fw::CM_TEXTCHANGED: BGChanged = true; break;
    case WM_NCPAINT:
      if (IsWindowVisible(CtrlHandle) && !bPreventStyleChange) {
        Message.Result = KC_WMNCPaint();
        return;
      }
      break;
    case WM_PAINT: {
      if (Message.WParam) {
        KC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
        return;
      }
      PaintThroughErase(Message);
      return;
    }
    case WM_ERASEBKGND:
      KC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 1;
      return;
    case WM_PRINTCLIENT: KC_WMPaint(reinterpret_cast<HDC>(Message.WParam)); return;
    case WM_PRINT: {
      // Bars and frame, then the client at its place.
      HDC dc = reinterpret_cast<HDC>(Message.WParam);
      if (!dc) break;
      if (Message.LParam & PRF_NONCLIENT) {
        if (BGChanged || !Cache) PrepareCache();
        PaintScrollBars(-1, dc);
        CopyWindowFrame(CtrlHandle, dc, *Cache, kFrame);
      }
      if (Message.LParam & PRF_CLIENT) {
        const fw::TRect c = ClientRectInWindow(CtrlHandle);
        const int saved = SaveDC(dc);
        OffsetViewportOrgEx(dc, c.Left, c.Top, nullptr);
        IntersectClipRect(dc, 0, 0, c.Width(), c.Height());
        KC_WMPaint(dc);
        RestoreDC(dc, saved);
      }
      return;
    }
    case WM_UPDATEUISTATE: Message.Result = 1; return;
    case fw::CM_VISIBLECHANGED:
      BGChanged = true;
      Updating = false;
      break;
    case fw::CM_SHOWINGCHANGED:
      if (fw::TWinControl* owner = Owner(); owner && owner->Visible()) RequestControlAdapters(owner);
      break;
    default: break;
  }
  TkcScrollWnd::kcWndProc(Message);
  if (!Skinned()) return;
  if (Message.Msg == WM_PARENTNOTIFY && LOWORD(Message.WParam) == WM_CREATE && Owner()) RequestControlAdapters(Owner());
  if (Message.Msg == fw::CM_VISIBLECHANGED && Message.WParam == 1 && Owner()) RepaintChildControls(Owner());
}

}  // namespace skin
