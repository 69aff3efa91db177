#include "skin/controls/attach_hook.h"

#include <algorithm>
#include <cwctype>

#include "fw/system/screen.h"
#include "skin/controls/adapter_factory.h"
#include "skin/controls/dialog_wnd.h"
#include "skin/engine/glow_effect.h"
#include "skin/engine/skin_messages.h"
#include "skin/forms/skin_provider.h"

namespace skin {

namespace {

HHOOK gHook = nullptr;
TkcSkinSource gSkin;
TkSkinningRules gRules;
// Slots are emptied, never removed, while the hook is installed.
std::vector<std::unique_ptr<TkcProvider>> gProviders;

fw::String ClassNameOf(HWND h) {
  wchar_t buf[256] = {};
  const int n = GetClassNameW(h, buf, 256);
  return fw::String(buf, buf + std::max(n, 0));
}

fw::String Lower(fw::String s) {
  for (auto& c : s) c = char16_t(std::towlower(wchar_t(c)));
  return s;
}

bool AnswersHandled(HWND h) { return SendMessageW(h, WM_SKINCOMMAND, SkinCommand(SKC_ISHANDLED), 0) == 1; }

LRESULT CALLBACK CBTHookProc(int Code, WPARAM WParam, LPARAM LParam) {
  const LRESULT result = CallNextHookEx(gHook, Code, WParam, LParam);
  HWND h = reinterpret_cast<HWND>(WParam);
  switch (Code) {
    case HCBT_ACTIVATE: AttachSkinToWindow(h); break;
    case HCBT_DESTROYWND:
      // A form's provider goes with the form.
      for (auto& p : gProviders)
        if (p && p->FormHandle == h) p.reset();
      if (!GlowWindowClosing) FreeClosedDialogProviders();
      break;
    case HCBT_CREATEWND: {
      const auto* cs = reinterpret_cast<const CBT_CREATEWNDW*>(LParam)->lpcs;
      const uintptr_t cls = reinterpret_cast<uintptr_t>(cs->lpszClass);
      if (cls < 0x10000) {
        // The dialog class by its atom; the popup-menu windows are not
        // skinned yet.
        if (cls == 0x8002) AttachSkinToWindow(h);
        break;
      }
      if (cs->style & WS_CHILD) {
        // A control made later inside a skinned dialog (the file list of
        // the open dialog) gets its adapter as it is made.
        HWND root = cs->hwndParent ? GetAncestor(cs->hwndParent, GA_ROOT) : nullptr;
        if (TkcProvider* p = root ? FindProviderByHandle(root) : nullptr; p && p->CtrlHandle) p->AddControl(h, false);
        break;
      }
      const fw::String name = ClassNameOf(h);
      if (name == u"TPUtilWindow" || name == u"VestalineGlow") break;
      if (name == u"#32770" && cs->style != 0 && !(cs->style & WS_CHILD)) AttachSkinToWindow(h);
      break;
    }
    default: break;
  }
  return result;
}

}  // namespace

TkcProvider::~TkcProvider() {
  for (Child& c : kcSkinnedCtrls) delete c.Adapter;
  delete DialogAdapter;
}

bool TkcProvider::AddControl(HWND Child, bool Repaint) {
  if (!Child) return false;
  if (AnswersHandled(Child)) return true;
  for (const TkcProvider::Child& known : kcSkinnedCtrls)
    if (known.Wnd == Child) return true;
  AddingDialogControls = true;
  RECT r{};
  GetWindowRect(Child, &r);
  TkcChildWindow w;
  w.ClassName = Lower(ClassNameOf(Child));
  w.Style = uint32_t(GetWindowLongPtrW(Child, GWL_STYLE));
  w.ExStyle = uint32_t(GetWindowLongPtrW(Child, GWL_EXSTYLE));
  w.Visible = IsWindowVisible(Child) != 0;
  w.Height = r.bottom - r.top;
  TkcProvider::Child c{Child, ChooseDialogChildAdapter(w), nullptr};
  if (c.Choice.Kind != TkcAdapterKind::None) {
    TkcSkinParams p;
    p.SkinSection = c.Choice.Section;
    c.Adapter = MakeKindAdapter(c.Choice.Kind, Child, gSkin, p, Repaint);
    kcSkinnedCtrls.push_back(c);
  }
  AddingDialogControls = false;
  return true;
}

bool TkcProvider::InitSkin(HWND Dialog) {
  CtrlHandle = Dialog;
  std::function<bool(HWND)> walk = [&](HWND parent) {
    for (HWND c = GetTopWindow(parent); c; c = GetWindow(c, GW_HWNDNEXT)) {
      if (!walk(c)) return false;
      if ((GetWindowLongPtrW(c, GWL_STYLE) & WS_CHILD) && !AddControl(c)) return false;
    }
    return true;
  };
  return walk(Dialog);
}

void InstallSkinHook(TkcSkinSource Skin, TkSkinningRules Rules) {
  if (gHook) return;
  gSkin = std::move(Skin);
  gRules = Rules;
  gHook = SetWindowsHookExW(WH_CBT, CBTHookProc, nullptr, GetCurrentThreadId());
  SkinningLinks().MakeListAdapter = [](int ListIndex, fw::TWinControl* Control,
                                       const TkcSkinParams& Params) -> TkAdapterLink* {
    return MakeListAdapter(ListIndex, Control, gSkin, Params);
  };
}

void RemoveSkinHook() {
  if (gHook) UnhookWindowsHookEx(gHook);
  gHook = nullptr;
  gProviders.clear();
  gSkin = nullptr;
  SkinningLinks().MakeListAdapter = nullptr;
}

bool SkinHookInstalled() { return gHook != nullptr; }

fw::TCustomForm* FindFormByHandle(HWND Handle) {
  if (!fw::Screen) return nullptr;
  for (int i = fw::Screen->CustomFormCount() - 1; i >= 0; --i) {
    fw::TCustomForm* f = fw::Screen->CustomForms(i);
    if (f->ComponentState().Contains(fw::csDestroying) || !f->HandleAllocated()) continue;
    if (f->WindowHandle() == Handle) return f;
  }
  return nullptr;
}

TkcProvider* FindProviderByHandle(HWND Handle) {
  for (auto& p : gProviders)
    if (p && Handle && (p->CtrlHandle == Handle || p->FormHandle == Handle))
      return p.get();
  return nullptr;
}

void FreeClosedDialogProviders() {
  for (auto& p : gProviders)
    if (p && p->CtrlHandle && !IsWindow(p->CtrlHandle)) p.reset();
}

bool AttachSkinToWindow(HWND Handle) {
  if (!gHook || !gSkin || !gSkin() || AnswersHandled(Handle)) return false;
  const LONG_PTR style = GetWindowLongPtrW(Handle, GWL_STYLE);
  // A popup without a border (tips, lists, glows) is never skinned.
  if ((style & WS_POPUP) && !(style & WS_BORDER)) return false;
  if (TkcProvider* known = FindProviderByHandle(Handle)) {
    // A dialog is announced when it is made, before its controls exist;
    // they get their adapters when it is first activated.
    if (known->CtrlHandle) known->InitSkin(Handle);
    return false;
  }
  if (fw::TCustomForm* form = FindFormByHandle(Handle)) {
    if (form->Tag() & 0x100) return false;
    if (form->ComponentState().Contains(fw::csLoading)) return true;
    if (!gRules.Contains(srStdForms)) return false;
    for (int i = 0; i < form->ComponentCount(); ++i)
      if (dynamic_cast<TkSkinProvider*>(form->Components(i))) return false;
    auto p = std::make_unique<TkcProvider>();
    p->FormHandle = Handle;
    p->sp = new TkSkinProvider(form);
    p->sp->SetSkinSource(gSkin);
    p->sp->SetSkin(gSkin());
    gProviders.push_back(std::move(p));
    return true;
  }
  // A system dialog of this process, owned or not; a dialog page inside
  // another window is the child adapter's business.
  if (ClassNameOf(Handle) != u"#32770" || (style & WS_CHILD) || !gRules.Contains(srStdDialogs)) return false;
  auto p = std::make_unique<TkcProvider>();
  p->DialogAdapter = AttachDialogAdapter(Handle, gSkin, p.get());
  if (p->InitSkin(Handle)) gProviders.push_back(std::move(p));
  return true;
}

}  // namespace skin
