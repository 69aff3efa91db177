#include "skin/controls/attach_hook.h"

#include <algorithm>
#include <cwctype>

#include "fw/platform/system_function.h"
#include "fw/stdctrls/label.h"
#include "fw/system/application.h"
#include "fw/system/screen.h"
#include "fw/system/wndregistry.h"
#include "skin/controls/adapter_factory.h"
#include "skin/controls/control_cache.h"
#include "skin/controls/dialog_wnd.h"
#include "skin/controls/mdi_form.h"
#include "skin/controls/scrollbar.h"
#include "skin/controls/speed_button_handler.h"
#include "skin/engine/glow_effect.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skinning_links.h"
#include "skin/forms/skin_provider.h"

namespace skin {

namespace {

// A skin and rules of their own (tests) instead of the default manager's.
TkcSkinSource gSkinOverride;
TkSkinningRules gRules;
bool gRulesOverride = false;
// Slots are emptied, never removed, while the hook is installed: indexes
// stay put while providers come and go inside hook calls.
std::vector<std::unique_ptr<TkcProvider>> gProviders;
std::vector<std::unique_ptr<TkcMainWnd>> gMenuAdapters;

constexpr uintptr_t kPopupMenuAtom = 0x8000, kDialogAtom = 0x8002;

const char16_t* const kExcludedFormClasses[] = {u"TApplication",           u"TfcPopup",
                                                u"TcxComboBoxPopupWindow", u"TcxCustomPopupWindow",
                                                u"TcxDateEditPopupWindow", u"TcxGridFilterPopup"};

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

bool ApplicationGoing() {
  return fw::Application && (fw::Application->ComponentState().Contains(fw::csDestroying) || fw::Application->Terminated());
}

TkLoadedSkin* CurrentSkin() {
  if (gSkinOverride) return gSkinOverride();
  return ManagerSkin();
}

TkcSkinSource HookSkin() {
  return [] { return CurrentSkin(); };
}

TkSkinningRules CurrentRules() {
  if (gRulesOverride || !DefaultSkinManager) return gRules;
  return DefaultSkinManager->SkinningRules();
}

bool SkinnedPopups() { return gSkinOverride ? true : DefaultSkinManager && DefaultSkinManager->SkinnedPopups(); }

// The flat scroll bars of the common controls stand in the way of the
// skinned ones.
void FlatScrollBars(HWND Wnd, bool On) {
  using Fn = BOOL(WINAPI*)(HWND);
  static const Fn init = fw::SystemFunction<Fn>(L"comctl32.dll", "InitializeFlatSB");
  using UninitFn = HRESULT(WINAPI*)(HWND);
  static const UninitFn uninit = fw::SystemFunction<UninitFn>(L"comctl32.dll", "UninitializeFlatSB");
  if (On && init) init(Wnd);
  if (!On && uninit) uninit(Wnd);
}

void AttachMenuWindow(HWND Wnd) {
  if (!SkinnedPopups() || !CurrentSkin() || AnswersHandled(Wnd)) return;
  TkcSkinParams p;
  p.SkinSection = u"MAINMENU";
  if (TkcMainWnd* a = MakeMenuWindowAdapter(Wnd, HookSkin(), p)) gMenuAdapters.emplace_back(a);
}

void HookWork(int Code, WPARAM WParam, LPARAM LParam) {
  if (ApplicationGoing()) return;
  HWND h = reinterpret_cast<HWND>(WParam);
  switch (Code) {
    case HCBT_ACTIVATE: AttachSkinToWindow(h); break;
    case HCBT_DESTROYWND:
      // A form's provider goes with the form, a dialog's with the dialog
      // (its adapters let go of the child windows while they still exist).
      for (auto& p : gProviders)
        if (p && (p->FormHandle == h || p->CtrlHandle == h)) p.reset();
      if (!GlowWindowClosing) FreeClosedDialogProviders();
      break;
    case HCBT_CREATEWND: {
      const auto* cs = reinterpret_cast<const CBT_CREATEWNDW*>(LParam)->lpcs;
      const uintptr_t cls = reinterpret_cast<uintptr_t>(cs->lpszClass);
      if (cls < 0x10000) {
        if (cls == kDialogAtom) AttachSkinToWindow(h);
        if (cls == kPopupMenuAtom) AttachMenuWindow(h);
        break;
      }
      if (cs->style & WS_CHILD) {
        // A control made later inside a skinned dialog (the file list of
        // the open dialog) gets its adapter as it is made.
        HWND root = cs->hwndParent ? GetAncestor(cs->hwndParent, GA_ROOT) : nullptr;
        if (TkcProvider* p = root ? FindProviderByHandle(root) : nullptr; p && p->CtrlHandle) p->AddControl(h, cs);
        break;
      }
      const fw::String name = ClassNameOf(h);
      if (name == u"TPUtilWindow" || name == u"VestalineGlow") break;
      fw::TCustomForm* main = fw::Application ? fw::Application->MainForm() : nullptr;
      if (cs->style != 0 && cs->dwExStyle != 0 && !(main && main->WindowHandle() == h)) AttachSkinToWindow(h);
      break;
    }
    default: break;
  }
}

// Where a child window sits; one being made has no rectangle yet and sits
// where it is made.
void RecordGeometry(HWND Child, const CREATESTRUCTW* Making, TkcWindowGeometry& G) {
  if (!Making) return CaptureWindowGeometry(Child, G);
  G.ParentWnd = Making->hwndParent;
  const auto at = [](int v) { return v == int(CW_USEDEFAULT) ? 0 : v; };
  G.WndPos = fw::TPoint{at(Making->x), at(Making->y)};
  G.WndSize = fw::TPoint{std::max(at(Making->cx), 0), std::max(at(Making->cy), 0)};
  POINT origin{G.WndPos.x, G.WndPos.y};
  ClientToScreen(G.ParentWnd, &origin);
  G.WndRect = fw::Rect(origin.x, origin.y, origin.x + G.WndSize.x, origin.y + G.WndSize.y);
  RECT p{};
  GetWindowRect(G.ParentWnd, &p);
  G.ParentRect = fw::Rect(p.left, p.top, p.right, p.bottom);
}

bool AttachForm(fw::TCustomForm* Form, HWND Handle) {
  for (int i = 0; i < Form->ComponentCount(); ++i)
    if (dynamic_cast<TkSkinProvider*>(Form->Components(i))) return false;
  auto p = std::make_unique<TkcProvider>();
  p->FormHandle = Handle;
  p->sp = new TkSkinProvider(Form);
  p->sp->SetSkinSource(HookSkin());
  p->sp->SetSkin(CurrentSkin());
  gProviders.push_back(std::move(p));
  return true;
}

}  // namespace

TkLoadedSkin* ManagerSkin() {
  TkSkinManager* m = DefaultSkinManager;
  return m && m->Active() && m->CommonSkinData().Active ? m->LoadedSkin() : nullptr;
}

bool IsExcludedFormClass(const fw::String& ClassName) {
  return std::find(std::begin(kExcludedFormClasses), std::end(kExcludedFormClasses), ClassName) !=
         std::end(kExcludedFormClasses);
}

TkcProvider::~TkcProvider() {
  for (Child& c : kcSkinnedCtrls) delete c.Adapter;
  delete DialogAdapter;
}

bool TkcProvider::AddControl(HWND Child, const CREATESTRUCTW* Making) {
  bool repaint = Making == nullptr;
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
  auto* dialog = dynamic_cast<TkcDialogWnd*>(DialogAdapter);
  if (dialog && c.Choice.DialogPaints) dialog->FWMPaintForbidden = false;
  if (c.Choice.Kind != TkcAdapterKind::None) {
    if (c.Choice.RepaintWithDialogImage) repaint = repaint && dialog && !dialog->Image().Empty();
    TkcSkinParams p;
    p.SkinSection = c.Choice.Section;
    // A framework panel inside the dialog is adapted as the control it is.
    fw::TWinControl* panel = c.Choice.Kind == TkcAdapterKind::Panel ? fw::FindControl(Child) : nullptr;
    p.Control = panel;
    c.Adapter = MakeKindAdapter(c.Choice.Kind, Child, HookSkin(), p, repaint);
    if (c.Adapter) RecordGeometry(Child, Making, c.Adapter->Geometry);
    kcSkinnedCtrls.push_back(c);
    if (panel && w.ClassName == u"tpanel") AddPanelControls(*panel);
    if (panel && w.ClassName == u"tsilentpaintpanel") {
      // Its own text would show through the skinned picture.
      panel->SetText(fw::String());
      if (c.Adapter) c.Adapter->BGChanged = true;
    }
  }
  AddingDialogControls = false;
  return true;
}

void TkcProvider::AddPanelControls(fw::TWinControl& Panel) {
  TkLoadedSkin* skin = CurrentSkin();
  if (!skin) return;
  for (int i = 0; i < Panel.ControlCount(); ++i) {
    fw::TControl* child = Panel.Controls(i);
    if (auto* label = dynamic_cast<fw::TCustomLabel*>(child)) {
      label->Font()->SetColor(skin->GetGlobalFontColor());
      label->SetTransparent(true);
    } else if (auto* win = dynamic_cast<fw::TWinControl*>(child); win && win->HandleAllocated()) {
      AddControl(win->WindowHandle());
    }
  }
  Panel.SetColor(skin->GetGlobalColor());
}

bool TkcProvider::InitHwndControls(HWND Parent) {
  for (HWND c = GetTopWindow(Parent); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!InitHwndControls(c)) return false;
    if ((GetWindowLongPtrW(c, GWL_STYLE) & WS_CHILD) && !AddControl(c)) return false;
  }
  return true;
}

bool TkcProvider::InitSkin(HWND Dialog) {
  CtrlHandle = Dialog;
  if (!CurrentSkin()) return true;
  if (!DialogAdapter) {
    FlatScrollBars(Dialog, false);
    DialogAdapter = AttachDialogAdapter(Dialog, HookSkin(), this);
  }
  // Again on later calls: children made since get their adapters.
  return InitHwndControls(Dialog);
}

bool TkcProvider::PrintHwndControls(HWND Parent, HDC DC) {
  for (HWND c = GetTopWindow(Parent); c; c = GetWindow(c, GW_HWNDNEXT)) {
    const int saved = SaveDC(DC);
    RECT r{};
    GetWindowRect(c, &r);
    POINT at{r.left, r.top};
    ScreenToClient(GetParent(c), &at);
    OffsetWindowOrgEx(DC, -at.x, -at.y, nullptr);
    const LONG_PTR style = GetWindowLongPtrW(c, GWL_STYLE);
    if ((style & WS_CHILD) && (style & WS_VISIBLE)) {
      SendMessageW(c, WM_SKINCOMMAND, SkinCommand(SKC_SETPRINTDC), reinterpret_cast<LPARAM>(DC));
      SendMessageW(c, WM_PRINT, reinterpret_cast<WPARAM>(DC), 0);
      SendMessageW(c, WM_SKINCOMMAND, SkinCommand(SKC_SETPRINTDC), 0);
    }
    PrintHwndControls(c, DC);
    RestoreDC(DC, saved);
  }
  return false;
}

void LinkControlSkinning() {
  TkSkinningLinks& l = SkinningLinks();
  l.CBTHook = HookWork;
  l.FreeDialogProviders = [] { gProviders.clear(); };
  l.FreeMenuWindowAdapters = FreeMenuWindowAdapters;
  l.VisibleDialogWindows = [] {
    std::vector<HWND> result;
    for (auto& p : gProviders)
      if (p && p->CtrlHandle && IsWindowVisible(p->CtrlHandle)) result.push_back(p->CtrlHandle);
    return result;
  };
  l.MakeListAdapter = [](int ListIndex, fw::TWinControl* Control, const TkcSkinParams& Params) -> TkAdapterLink* {
    return MakeListAdapter(ListIndex, Control, HookSkin(), Params);
  };
  l.MakeSpeedButtonHandler = [](fw::TControl* Button, TkCommonData* SkinData) {
    return MakeSpeedButtonLink(Button, SkinData, HookSkin());
  };
  l.AttachSkinToWindow = AttachSkinToWindow;
  if (!ScrollBarSkinSource) ScrollBarSkinSource = ManagerSkin;
  LinkMDISupport();
}

void InstallSkinHook(TkcSkinSource Skin, TkSkinningRules Rules) {
  gSkinOverride = std::move(Skin);
  gRules = Rules;
  gRulesOverride = true;
  LinkControlSkinning();
  InstallCBTHook();
}

void RemoveSkinHook() {
  RemoveCBTHook();
  FreeMenuWindowAdapters();
  gProviders.clear();
  gSkinOverride = nullptr;
  gRulesOverride = false;
  TkSkinningLinks& l = SkinningLinks();
  l.CBTHook = nullptr;
  l.FreeDialogProviders = nullptr;
  l.FreeMenuWindowAdapters = nullptr;
  l.VisibleDialogWindows = nullptr;
  l.MakeListAdapter = nullptr;
  l.MakeSpeedButtonHandler = nullptr;
  l.AttachSkinToWindow = nullptr;
}

bool SkinHookInstalled() { return CBTHookInstalled(); }

const std::vector<std::unique_ptr<TkcMainWnd>>& MenuWindowAdapters() { return gMenuAdapters; }

void FreeMenuWindowAdapters() {
  // Freeing may destroy windows, which reaches the hook again.
  std::vector<std::unique_ptr<TkcMainWnd>> going;
  going.swap(gMenuAdapters);
}

fw::TCustomForm* FindFormByHandle(HWND Handle) {
  if (!fw::Screen || !Handle) return nullptr;
  for (int i = fw::Screen->CustomFormCount() - 1; i >= 0; --i) {
    fw::TCustomForm* f = fw::Screen->CustomForms(i);
    if (f->ComponentState().Contains(fw::csDestroying) || !f->HandleAllocated()) continue;
    if (f->WindowHandle() == Handle) return f;
  }
  return nullptr;
}

TkcProvider* FindProviderByHandle(HWND Handle) {
  if (!Handle || ApplicationGoing()) return nullptr;
  for (auto& p : gProviders)
    if (p && (p->CtrlHandle == Handle || p->FormHandle == Handle)) return p.get();
  return nullptr;
}

int CountVisibleSkinnedDialogs() {
  int n = 0;
  for (auto& p : gProviders)
    if (p && p->CtrlHandle && IsWindowVisible(p->CtrlHandle)) ++n;
  return n;
}

bool HasChildWindowOfClass(HWND Handle, const fw::String& Name) {
  for (HWND c = GetTopWindow(Handle); c; c = GetWindow(c, GW_HWNDNEXT))
    if (Lower(ClassNameOf(c)) == Name || HasChildWindowOfClass(c, Name)) return true;
  return false;
}

void FreeClosedDialogProviders() {
  for (auto& p : gProviders)
    if (p && p->CtrlHandle && (!IsWindow(p->CtrlHandle) || (p->DialogAdapter && p->DialogAdapter->Destroyed))) p.reset();
}

bool AttachSkinToWindow(HWND Handle) {
  if (!SkinHookInstalled() || !CurrentSkin() || ApplicationGoing() || AnswersHandled(Handle)) return false;
  const LONG_PTR style = GetWindowLongPtrW(Handle, GWL_STYLE);
  // A popup without a border (tips, lists, glows) is never skinned.
  if ((style & WS_POPUP) && !(style & WS_BORDER)) return false;
  if (TkcProvider* known = FindProviderByHandle(Handle)) {
    // A dialog is announced when it is made, before its controls exist;
    // those made since get their adapters when it is activated.
    if (known->CtrlHandle) known->InitSkin(Handle);
    return false;
  }
  if (fw::TCustomForm* form = FindFormByHandle(Handle)) {
    if (form->Tag() & 0x100) return false;
    if (form->ComponentState().Contains(fw::csLoading) && form->FormStyle() != fw::fsMDIChild) return true;
    if (IsExcludedFormClass(form->ClassName())) return false;
    // The framework's message box goes with the dialogs.
    if (!CurrentRules().Contains(form->ClassName() == u"TMessageForm" ? srStdDialogs : srStdForms)) return false;
    AttachForm(form, Handle);
    if (form->FormStyle() == fw::fsMDIForm)
      for (int i = 0; i < fw::Screen->CustomFormCount(); ++i) {
        fw::TCustomForm* child = fw::Screen->CustomForms(i);
        if (child->FormStyle() == fw::fsMDIChild && child->HandleAllocated() && !AnswersHandled(child->WindowHandle()))
          AttachForm(child, child->WindowHandle());
      }
    return true;
  }
  // A system dialog of this process, owned or not; a dialog page inside
  // another window is the child adapter's business.
  if (ClassNameOf(Handle) != u"#32770" || (style & WS_CHILD) || !CurrentRules().Contains(srStdDialogs)) return false;
  if (CountVisibleSkinnedDialogs() > MaxSkinnedDialogs - 1 && !HasChildWindowOfClass(Handle, u"toolbarwindow32"))
    return false;
  bool allow = true;
  if (DefaultSkinManager && DefaultSkinManager->OnSysDlgInit) {
    TkcSysDlgData data{Handle};
    DefaultSkinManager->OnSysDlgInit(data, allow);
  }
  if (!allow) return true;
  auto p = std::make_unique<TkcProvider>();
  if (p->InitSkin(Handle)) gProviders.push_back(std::move(p));
  return true;
}

}  // namespace skin
