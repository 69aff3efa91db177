#include "skin/controls/menu_wnd.h"

#include "fw/system/application.h"
#include "skin/controls/attach_hook.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/forms/dwm_link.h"

namespace skin {

namespace {

constexpr int kMenuFrame = 3;
// Re-entry from the style and attribute changes of the hiding step.
bool gHiding = false;

void SetAlpha(HWND Wnd, int Alpha) {
  const LONG_PTR ex = GetWindowLongPtrW(Wnd, GWL_EXSTYLE);
  if (Alpha >= 255) {
    if (ex & WS_EX_LAYERED) SetWindowLongPtrW(Wnd, GWL_EXSTYLE, ex & ~LONG_PTR(WS_EX_LAYERED));
    return;
  }
  if (!(ex & WS_EX_LAYERED)) SetWindowLongPtrW(Wnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
  SetLayeredWindowAttributes(Wnd, 0, BYTE(Alpha), LWA_ALPHA);
}

// The adapters of closed menus are freed after the last window's message
// has been handled, never inside it.
void CALLBACK FreeClosedMenuAdapters(HWND, UINT, UINT_PTR Id, DWORD) {
  KillTimer(nullptr, Id);
  for (const auto& a : MenuWindowAdapters())
    if (a && !a->Destroyed) return;
  FreeMenuWindowAdapters();
}

// The default manager's skinned menus, which keep the open popups' backgrounds.
TkSkinableMenus* ManagerMenus() { return DefaultSkinManager ? SkinableMenusOf(DefaultSkinManager) : nullptr; }

}  // namespace

int MenuAlphaBlend() {
  return DefaultSkinManager && DefaultSkinManager->MenuSupport() ? DefaultSkinManager->MenuSupport()->FAlphaBlend : 255;
}

TkcMnuWnd::TkcMnuWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params)
    : TkcScrollWnd(AHandle, std::move(ASkin), Params, false) {}

void TkcMnuWnd::PrepareCache() {
  CaptureWindowGeometry(CtrlHandle, S.Geo);
  if (!BGChanged && S.Cache && S.Cache->Width() == S.Geo.WndSize.x && S.Cache->Height() == S.Geo.WndSize.y) return;
  fw::TBitmap& cache = S.EnsureCache(S.Geo.WndSize.x, S.Geo.WndSize.y);
  TkLoadedSkin& skin = *Skin();
  const TControlItem item = AdapterControlItem(*this);
  if (skin.IsValidSkinIndex(item.SkinIndex)) {
    const TPixelView32 v = View32(cache);
    PaintControlItem(v, skin, item, TCacheInfo{}, false, {}, fw::Rect(0, 0, v.Width, v.Height), 0);
  }
  GdiFlush();
  BGChanged = false;
}

void TkcMnuWnd::kcWndProc(fw::TMessage& Message) {
  const HWND wnd = CtrlHandle;
  if (Message.Msg == WM_DESTROY && !Destroyed) {
    TkcMainWnd::kcWndProc(Message);  // the window's own procedure, then let go of it
    RgnChanged = 0;
    if (TkSkinableMenus* menus = ManagerMenus()) menus->FreeMenuBgCache();
    bool others = false;
    for (const auto& a : MenuWindowAdapters())
      if (a && a.get() != this && !a->Destroyed) {
        others = true;
        RedrawWindow(a->CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
      }
    if (!others) SetTimer(nullptr, 0, 0, FreeClosedMenuAdapters);
    SkinnedMenuOpen = false;
    return;
  }
  if (Message.Msg == WM_SKINCOMMAND) {
    switch (SkinCommandCode(Message.WParam)) {
      case SKC_ISHANDLED: Message.Result = 1; break;
      case SKC_MENUREGIONQUERY: Message.Result = RgnChanged; break;
      case SKC_MENUREGIONSET:
        if (IsWindowVisible(wnd)) RgnChanged = 1;
        break;
      case SKC_GETAPPLICATION: Message.Result = reinterpret_cast<LRESULT>(fw::Application); break;
      default: break;
    }
    return;
  }
  if (!SkinnedMenuOpen || !Skinned()) {
    TkcScrollWnd::kcWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_ERASEBKGND: {
      PrepareCache();
      HDC dc = reinterpret_cast<HDC>(Message.WParam);
      const bool own = dc == nullptr;
      if (own) dc = GetDC(wnd);
      BitBlt(dc, 0, 0, S.Cache->Width(), S.Cache->Height(), S.Cache->Canvas()->Handle(), kMenuFrame, kMenuFrame,
             SRCCOPY);
      if (own) ReleaseDC(wnd, dc);
      RgnChanged = 0;
      Message.Result = 1;
      return;
    }
    case WM_WINDOWPOSCHANGING: {
      TkcScrollWnd::kcWndProc(Message);
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
      if (!gHiding && pos && !(pos->flags & SWP_NOREDRAW) && (pos->flags & SWP_SHOWWINDOW) && !IsWindowVisible(wnd)) {
        // Unseen until its frame is painted.
        gHiding = true;
        SetAlpha(wnd, 0);
        gHiding = false;
      }
      return;
    }
    case WM_NCPAINT: {
      // The frame comes from the popup's own background when the skinned
      // menus made one for this window's size, else from the cache.
      CaptureWindowGeometry(wnd, S.Geo);
      fw::TBitmap* source = nullptr;
      if (TkSkinableMenus* menus = ManagerMenus())
        if (TkcMenuInfo* info = menus->GetMenuInfo(nullptr, nullptr, wnd);
            info && info->Bmp && info->Bmp->Width() + 2 * kMenuFrame == S.Geo.WndSize.x &&
            info->Bmp->Height() == S.Geo.WndSize.y)
          source = info->Bmp.get();
      if (!source) {
        PrepareCache();
        source = S.Cache.get();
      }
      HDC dc = GetWindowDC(wnd);
      CopyBorderStrips(dc, 0, 0, source->Width(), source->Height(), source->Canvas()->Handle(), 0, 0, kMenuFrame);
      ReleaseDC(wnd, dc);
      // Under composition the first frame is followed by the whole menu at once.
      if (DwmCompositionActive() && !Shown) RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
      SetAlpha(wnd, MenuAlphaBlend());
      Shown = true;
      Message.Result = 0;
      return;
    }
    default: break;
  }
  TkcScrollWnd::kcWndProc(Message);
}

}  // namespace skin
