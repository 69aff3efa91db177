#include "skin/controls/window_adapter.h"

#include "fw/core/sysutils.h"
#include "fw/menus/menus.h"
#include "fw/stdctrls/speedbutton.h"
#include "fw/platform/system_function.h"
#include "fw/system/application.h"
#include "skin/controls/control_cache.h"
#include "skin/engine/control_messages.h"
#include "skin/engine/glow_effect.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_utils.h"
#include "skin/engine/window_utils.h"
#include "skin/forms/dwm_link.h"
#include "skin/forms/skinned_menus.h"

namespace skin {

bool AddingDialogControls = false;

namespace {

const wchar_t kAdapterProp[] = L"ACSBSC";
// The raw window's own procedure, kept beside the adapter: a procedure
// installed above the adapter after it may still call the trampoline once
// the adapter is gone, and must then reach the window's own procedure.
const wchar_t kOriginalProp[] = L"ACSBSC.proc";

void SetVisualTheme(HWND Wnd, bool On) {
  if (const TkWindowThemeSetter& set = WindowThemeSetter()) {
    if (On) set(Wnd, nullptr, nullptr);
    else set(Wnd, L" ", L" ");
  }
}

}  // namespace

TkWindowThemeSetter& WindowThemeSetter() {
  static TkWindowThemeSetter setter = []() -> TkWindowThemeSetter {
    using Fn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    if (const Fn fn = fw::SystemFunction<Fn>(L"uxtheme.dll", "SetWindowTheme")) return fn;
    return nullptr;
  }();
  return setter;
}

LRESULT CALLBACK AdapterTrampoline(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (auto* a = static_cast<TkcMainWnd*>(GetPropW(Wnd, kAdapterProp)); a && a->OldProc) {
    fw::TMessage m{Msg, WParam, LParam, 0};
    a->kcWndProc(m);
    return m.Result;
  }
  if (auto* own = reinterpret_cast<WNDPROC>(GetPropW(Wnd, kOriginalProp))) return CallWindowProcW(own, Wnd, Msg, WParam, LParam);
  return DefWindowProcW(Wnd, Msg, WParam, LParam);
}

bool OwnManagerCommand(const fw::TMessage& Message) {
  return Message.LParam == 0 || Message.LParam == reinterpret_cast<LPARAM>(DefaultSkinManager);
}

TkcMainWnd* GetWindowAdapter(HWND Wnd) {
  return Wnd ? static_cast<TkcMainWnd*>(GetPropW(Wnd, kAdapterProp)) : nullptr;
}

void RefreshWindowFrame(HWND Wnd, bool Frame) {
  if (Frame)
    SetWindowPos(Wnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  else
    SendMessageW(Wnd, WM_NCPAINT, 1, 0);
}

void ForwardSkinCommand(fw::TControl* Control, HWND Wnd, fw::TMessage& Message) {
  if (Control) {
    if (auto* win = dynamic_cast<fw::TWinControl*>(Control)) BroadcastToControls(win, Message);
  } else if (Wnd) {
    BroadcastToChildWindows(Wnd, Message);
  }
}

void NotifyTopWindow(HWND Wnd) {
  if (HWND top = TopLevelAncestor(Wnd)) SendSkinCommand(top, SKC_CONTROLLOADED, 0);
}

void WriteOrdPropIfPresent(fw::TControl* Control, fw::StringView Name, int64_t Value) {
  WriteOrdPropByName(Control, Name, Value);
}

int64_t ReadOrdPropIfPresent(fw::TControl* Control, fw::StringView Name) {
  return HasPublishedProp(Control, Name) ? ReadOrdPropByName(Control, Name) : 0;
}

fw::TColor ReadColorPropRGB(fw::TControl* Control, fw::StringView Name) {
  return fw::ColorToRGB(fw::TColor(ReadOrdPropIfPresent(Control, Name)));
}

TkcMainWnd::TkcMainWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params)
    : CtrlHandle(AHandle), FSkin(std::move(ASkin)), FParams(Params),
      FSkinData(std::make_unique<TkCommonData>(Params.Control, false)) {
  FSkinData->FCustomFont = !Params.UseSkinFontColor;
  FSkinData->FCustomColor = !Params.UseSkinColor;
  DlgMode = AddingDialogControls;
  const int n = GetWindowTextLengthW(AHandle);
  std::wstring text(size_t(n) + 1, L'\0');
  GetWindowTextW(AHandle, text.data(), n + 1);
  text.resize(wcslen(text.c_str()));
  Caption = fw::String(text.begin(), text.end());
}

TkcMainWnd::~TkcMainWnd() { Detach(); }

bool TkcMainWnd::ThemeOffOnAttach() const {
  return (!OwnerProvider || OwnerProvider->FDrawNonClientArea) && !KeepsVisualTheme() &&
         FParams.SkinSection != u"DIALOG" && !AddingDialogControls;
}

bool TkcMainWnd::ThemeBackOnDetach() const {
  if (OwnerProvider) return OwnerProvider->FDrawNonClientArea;
  return !(IsListView() && DwmCompositionActive());
}

void TkcMainWnd::Subclass() {
  // The visual theme would paint over the skin.
  if (ThemeOffOnAttach()) SetVisualTheme(CtrlHandle, false);
  UpdateSkinData();
  FSkinData->Loading = false;
  SetPropW(CtrlHandle, kAdapterProp, this);
  if (FParams.Control) {
    OldWndProc = FParams.Control->WindowProc();
    FParams.Control->SetWindowProc(fw::TWndMethod(this, &TkcMainWnd::ControlProc));
  } else {
    OldProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(CtrlHandle, GWLP_WNDPROC));
    SetPropW(CtrlHandle, kOriginalProp, reinterpret_cast<HANDLE>(OldProc));
    SetWindowLongPtrW(CtrlHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AdapterTrampoline));
  }
}

void TkcMainWnd::Detach() {
  if (Destroyed) return;
  Destroyed = true;
  if (FParams.Control) {
    // A framework control's window goes without a message to its procedure
    // only when the control itself is freed: then it is left alone.
    if (IsWindow(CtrlHandle) && FParams.Control->WindowProc() == fw::TWndMethod(this, &TkcMainWnd::ControlProc))
      FParams.Control->SetWindowProc(OldWndProc);
  } else if (OldProc && IsWindow(CtrlHandle)) {
    // Still ours: the window's procedure comes back at once. Otherwise a
    // later procedure calls the trampoline, which now goes straight on to
    // the window's own procedure (kept in its property until the window
    // goes).
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(CtrlHandle, GWLP_WNDPROC)) == &AdapterTrampoline) {
      SetWindowLongPtrW(CtrlHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldProc));
      RemovePropW(CtrlHandle, kOriginalProp);
    }
  }
  if (IsWindow(CtrlHandle)) {
    if (GetPropW(CtrlHandle, kAdapterProp) == this) RemovePropW(CtrlHandle, kAdapterProp);
    RestoreStdParams();
    if (ThemeBackOnDetach()) SetVisualTheme(CtrlHandle, true);
  }
}

void TkcMainWnd::ControlProc(fw::TMessage& Message) { kcWndProc(Message); }

void TkcMainWnd::UpdateSkinData() {
  // Written directly: the section's setter would send the owner control a
  // skin command while the adapter is still being made.
  FSkinData->FSkinSection = fw::UpperCase(SkinSection());
  FSkinData->UpdateIndexes();
}

void TkcMainWnd::PrepareSkinDataCache() {
  TkCommonData& d = *FSkinData;
  if (!d.BGChanged || Updating) return;
  // The one cache painter works on the adapter's own flag: lend it.
  TkcPaintState s;
  s.Cache = std::move(d.FCacheBmp);
  s.Focused = d.FFocused;
  s.MouseAbove = d.FMouseAbove;
  const bool own = BGChanged;
  BGChanged = true;
  PrepareControlCache(*this, s, false);
  d.BGChanged = BGChanged;
  BGChanged = own;
  d.FCacheBmp = std::move(s.Cache);
}

LRESULT TkcMainWnd::CallPrevWndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (OldWndProc) {
    fw::TMessage m{Msg, WParam, LParam, 0};
    OldWndProc(m);
    return m.Result;
  }
  if (OldProc) return CallWindowProcW(OldProc, CtrlHandle, Msg, WParam, LParam);
  return 0;
}

bool TkcMainWnd::HandleSkinCommand(fw::TMessage& Message) {
  const int code = SkinCommandCode(Message.WParam);
  if ((code == SKC_NEWSKIN || code == SKC_REFRESH || code == SKC_REMOVESKIN) && !OwnManagerCommand(Message))
    return false;
  switch (code) {
    case SKC_NEWSKIN:
    case SKC_REFRESH:
      UpdateSkinData();
      BGChanged = true;
      Updating = false;
      if (IsWindowVisible(CtrlHandle)) RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
      ForwardSkinCommand(Control(), CtrlHandle, Message);
      return false;
    case SKC_REMOVESKIN: RestoreStdParams(); return false;
    case SKC_ISHANDLED: Message.Result = 1; return true;
    case SKC_QUERYUPDATING: Message.Result = Updating ? 1 : 0; return true;
    case SKC_SETUPDATING: Updating = SkinCommandFlag(Message.WParam) == 1; return false;
    case SKC_INVALIDATE: InvalidateRect(CtrlHandle, nullptr, TRUE); return false;
    case SKC_BGCHANGED: BGChanged = true; return false;
    case SKC_SETPRINTDC:
      PrintDC = reinterpret_cast<HDC>(Message.LParam);
      FSkinData->PrintDC = PrintDC;
      if (PrintDC) FSkinData->CtrlSkinState |= cssPrinting;
      else FSkinData->CtrlSkinState &= uint16_t(~cssPrinting);
      return false;
    case SKC_QUERYMOVEREPAINT:
      // A control's children are painted over it: they repaint when moved.
      if (!Control()) return false;
      Message.Result = 1;
      return true;
    case SKC_PREPARECACHE: PrepareSkinDataCache(); return false;
    case SKC_GETBGINFO:
      // What lies behind a child: this window's section (its image or its
      // colour); without a section the window answers for itself.
      if (!Message.LParam || !FSkinData->Skinned()) return false;
      {
        auto& info = *reinterpret_cast<TkcBackgroundInfo*>(Message.LParam);
        // The asker's place is given in this window's client area, while
        // the window's image holds the whole window with its frame.
        const fw::TRect client = ClientRectInWindow(CtrlHandle);
        const fw::TPoint asker{info.Offset.x + client.Left, info.Offset.y + client.Top};
        info.Offset = asker;
        PrepareSkinDataCache();
        FillBackgroundInfo(*FSkinData, info, 0, CtrlHandle);
        // An answer from this window's own image is read at the asker's
        // place in it.
        if (info.Bmp && info.Bmp == FSkinData->FCacheBmp.get())
          info.Offset = fw::TPoint{asker.x + info.Offset.x, asker.y + info.Offset.y};
      }
      return true;
    case SKC_GETSKINDATA: Message.Result = reinterpret_cast<LRESULT>(FSkinData.get()); return true;
    case SKC_UPDATEDONE:
      // The paint held back while the skin was being applied comes now.
      if (!Updating) return false;
      Updating = false;
      SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
      RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      return true;
    case SKC_SETSECTION:
      if (const auto* info = reinterpret_cast<const TkcSectionInfo*>(Message.LParam)) {
        FParams.SkinSection = info->Name;
        UpdateSkinData();
        BGChanged = true;
        Message.Result = 1;
      } else {
        Message.Result = 0;
      }
      return true;
    case SKC_GETBGCOLOR:
      // The window's own answer first, else the section's colour.
      Message.Result = CallPrevWndProc(Message.Msg, Message.WParam, Message.LParam);
      if (Message.Result == 0 && AdapterSection(*this)) Message.Result = LRESULT(fw::ColorToRGB(SectionColor(*this, 0)));
      return true;
    case SKC_GETAPPLICATION: Message.Result = reinterpret_cast<LRESULT>(fw::Application); return true;
    default: return false;
  }
}

bool TkcMainWnd::PaintWithPrint(fw::TMessage& Message, const std::function<void(HDC)>& Print) {
  if (Message.WParam) {
    Print(reinterpret_cast<HDC>(Message.WParam));
    return true;
  }
  if (!IsWindowVisible(CtrlHandle)) return false;
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(CtrlHandle, &ps);
  if (!Updating) Print(dc);
  EndPaint(CtrlHandle, &ps);
  return true;
}

void TkcMainWnd::PaintThroughErase(fw::TMessage& Message) {
  InvalidateRect(CtrlHandle, nullptr, TRUE);
  PAINTSTRUCT ps{};
  BeginPaint(CtrlHandle, &ps);
  EndPaint(CtrlHandle, &ps);
  Message.Result = 0;
}

void TkcMainWnd::kcWndProc(fw::TMessage& Message) {
  switch (Message.Msg) {
    case WM_DESTROY:
    case WM_NCDESTROY: {
      // The control's speed buttons let go of their skinning, and a glow
      // around the window goes with it.
      if (auto* win = dynamic_cast<fw::TWinControl*>(Control()))
        for (int i = 0; i < win->ControlCount(); ++i)
          if (auto* b = dynamic_cast<fw::TSpeedButton*>(win->Controls(i))) b->Perform(WM_DESTROY, 0, 0);
      if (FSkinData->GlowID >= 0) HideGlowEffect(FSkinData->GlowID);
      // The window goes: give its procedure back, then let the message reach
      // it once.
      fw::TWndMethod method = OldWndProc;
      WNDPROC proc = OldProc;
      Detach();
      if (method) {
        method(Message);
      } else if (proc) {
        Message.Result = CallWindowProcW(proc, CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
      }
      if (Message.Msg == WM_NCDESTROY) RemovePropW(CtrlHandle, kOriginalProp);
      return;
    }
    case WM_UPDATEUISTATE: Message.Result = 0; return;
    case WM_SIZE:
      BGChanged = true;
      FSkinData->BGChanged = true;
      break;
    case WM_MOUSEMOVE:
      // The mouse over the window makes it the manager's active control,
      // which tells the window it left and this one it came.
      if (TkSkinManager* m = DefaultSkinManager; m && !m->ComponentState().Contains(fw::csDesigning) &&
                                                 IsWindowEnabled(CtrlHandle) && m->ActiveControl() != CtrlHandle)
        m->WriteActiveControl(CtrlHandle);
      break;
    case WM_CONTEXTMENU:
      // The control's popup menu opens in the skin's look.
      if (TkSkinManager* m = DefaultSkinManager; m && Control())
        if (auto* menu = dynamic_cast<fw::TMenu*>(Control()->PopupMenu()))
          if (TkSkinableMenus* menus = SkinableMenusOf(m)) menus->HookPopupMenu(menu, m->Active());
      break;
    // A window adapted while it is made gets its text with WM_NCCREATE.
    case WM_NCCREATE:
    case WM_SETTEXT: {
      CallPrev(Message);
      const int n = GetWindowTextLengthW(CtrlHandle);
      std::wstring text(size_t(n) + 1, L'\0');
      GetWindowTextW(CtrlHandle, text.data(), n + 1);
      text.resize(wcslen(text.c_str()));
      Caption = fw::String(text.begin(), text.end());
      return;
    }
    case WM_PRINT:
      Message.Result = SendMessageW(CtrlHandle, WM_PAINT, Message.WParam, Message.LParam);
      return;
    default: break;
  }
  if (Message.Msg == WM_SKINCOMMAND && Skin() && HandleSkinCommand(Message)) return;
  CallPrev(Message);
}

}  // namespace skin
