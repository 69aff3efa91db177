// The default skin manager's hook on the application window: minimize and
// restore requests, the hide at the program's end, activation, popup-menu
// borders, and the preview link of an external skin editor.
#include <windows.h>

#include "fw/system/application.h"
#include "fw/system/screen.h"
#include "skin/engine/animations.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_switches.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/skinning_links.h"
#include "skin/engine/window_utils.h"

namespace skin {

namespace {

constexpr UINT WM_DRAWMENUBORDER = 0xBCB3;
constexpr UINT WM_DRAWMENUBORDER2 = 0xBCB4;
constexpr UINT WM_SYSMENU_FROM_TASKBAR = 0x313;
constexpr WPARAM kPreviewCopyDataKind = 7;

bool InCopyData = false;

bool IsPopupMenuWindow(HWND wnd) { return wnd && WindowClassName(wnd) == u"#32768"; }

// Restores the system's minimize and restore animation on every way out.
class TSysAnimationOff {
 public:
  TSysAnimationOff() : FWasOn(SysWindowAnimationOn()) {
    if (FWasOn) SetSysWindowAnimation(false);
  }
  ~TSysAnimationOff() {
    if (FWasOn) SetSysWindowAnimation(true);
  }

 private:
  bool FWasOn;
};

}  // namespace

bool AcceptPreviewCopyData(const TSkinSwitches& Switches, WPARAM WParam, const COPYDATASTRUCT* Data,
                           TkcSkinData& Record) {
  return Switches.Preview && Data && Data->lpData && WParam == kPreviewCopyDataKind &&
         ParsePreviewRecord(static_cast<const uint8_t*>(Data->lpData), Data->cbData, Record);
}

bool TkSkinManager::MainWndHook(fw::TMessage& Message) {
  fw::TCustomForm* mainForm = fw::Application ? fw::Application->MainForm() : nullptr;
  switch (Message.Msg) {
    case WM_WINDOWPOSCHANGED: {
      auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
      if (!LayeredWindowsAvailable() || !pos || !(pos->flags & SWP_HIDEWINDOW)) return false;
      const TkcFormAnimation& hide = FAnimEffects->FormHide;
      if (!hide.Active || hide.Time <= 0 || IsIconic(fw::Application->Handle()) || !fw::Application->Terminated())
        return false;
      if (!mainForm || !mainForm->HandleAllocated() || !mainForm->Visible()) return false;
      TkFormProviderLink* provider = ProviderOf(mainForm);
      if (!provider || !provider->FDrawNonClientArea || provider->SkipAnimation || !provider->FAllowAnimation)
        return false;
      provider->SkipAnimation = true;
      provider->FormState |= fsCachePrepared;
      AnimHideForm(provider);
      return false;
    }
    case WM_COPYDATA: {
      if (Message.Result != 0 || InCopyData) return false;
      InCopyData = true;
      auto* data = reinterpret_cast<const COPYDATASTRUCT*>(Message.LParam);
      // Only a program started to preview skins accepts them; data shorter
      // than a record is never read.
      TkcSkinData record;
      if (AcceptPreviewCopyData(CommandLineSkinSwitches(), Message.WParam, data, record)) {
        PreviewBuffer = record;
        PostMessageW(fw::Application->Handle(), WM_SKINCOMMAND, SkinCommand(SKC_LOADPREVIEW), 0);
      }
      InCopyData = false;
      return true;
    }
    case WM_SYSCOMMAND: {
      if (!FSkin->CommonSkinData.Active) return false;
      const WPARAM command = Message.WParam & 0xFFF0;
      if (command == SC_MINIMIZE) {
        ShowState = saMinimize;
        if (IsIconic(fw::Application->Handle()) || !mainForm || !mainForm->Visible()) return false;
        TkFormProviderLink* provider = ProviderOf(mainForm);
        if (!provider) return false;
        if (FAnimEffects->Minimizing.Active && provider->FDrawNonClientArea) provider->SkipAnimation = true;
        return false;
      }
      if (command == SC_RESTORE) {
        ShowState = saRestore;
        if (!mainForm || !ProviderOf(mainForm)) return false;
        TkFormProviderLink* provider = ProviderOf(mainForm);
        if (provider->FormState & fsCachePrepared) {
          provider->FormState &= ~fsCachePrepared;
          TSysAnimationOff off;
          fw::Application->Restore();
        }
        return false;
      }
      ShowState = saIgnore;
      return false;
    }
    case WM_THEMECHANGED:
      return true;
    case fw::CM_ACTIVATE:
      for (int i = 0; fw::Screen && i < fw::Screen->CustomFormCount(); ++i) {
        fw::TCustomForm* form = fw::Screen->CustomForms(i);
        if (form->HandleAllocated()) SendSkinCommand(form->WindowHandle(), SKC_INVALIDATE, 0);
      }
      return false;
    case WM_DRAWMENUBORDER:
    case WM_DRAWMENUBORDER2: {
      if (!FSkinnedPopups) return false;
      if (Message.Msg == WM_DRAWMENUBORDER2) {
        HWND wnd = reinterpret_cast<HWND>(Message.LParam);
        if (IsPopupMenuWindow(wnd) && SkinningLinks().DrawMenuBorder) SkinningLinks().DrawMenuBorder(this, nullptr, wnd);
      } else if (SkinningLinks().DrawMenuBorder) {
        SkinningLinks().DrawMenuBorder(this, reinterpret_cast<void*>(Message.LParam), nullptr);
      }
      Message.Result = 1;
      return true;
    }
    case WM_SKINCOMMAND:
      if (SkinCommandCode(Message.WParam) == SKC_LOADPREVIEW) {
        LoadFromPreviewBuffer();
        return true;
      }
      return false;
    default:
      return false;
  }
}

void TkSkinManager::LoadFromPreviewBuffer() {
  if (PreviewBuffer.Magic != kPreviewMagic) return;
  PreviewMode = true;
  BeginUpdate();
  const fw::String text = fw::AnsiToString(PreviewBuffer.Data);
  struct TPreviewScope {
    explicit TPreviewScope(const fw::String* t) { PreviewOptions = t; }
    ~TPreviewScope() { PreviewOptions = nullptr; }
  } scope(&text);
  WriteSkinDirectory(fw::AnsiToString(PreviewBuffer.SkinDir));
  WriteSkinName(fw::AnsiToString(PreviewBuffer.SkinName));
  EndUpdate(true, false);
}

}  // namespace skin
