// The MDI branches of the form provider: a skinned MDI frame keeps its MDI
// support (the client window's adapter), repaints its frame and menu line
// when a child changes, and skins children shown in it; an MDI child keeps
// the frame in step when it is minimised, maximised, restored, closed,
// activated or destroyed.

#include "skin/forms/provider_mdi.h"

#include <string>
#include <vector>

#include "fw/menus/menus.h"
#include "skin/forms/skin_provider.h"
#include "skin/forms/system_menu.h"

namespace skin {

TkSkinProvider* MDISkinProvider = nullptr;
TkSkinProvider* ChildProvider = nullptr;
fw::TForm* MDIIconsForm = nullptr;
TkSkinProvider* MDIIconsOwner = nullptr;

TkMDIFormMaker& MDIFormMaker() {
  static TkMDIFormMaker maker;
  return maker;
}

HWND MDIClientOf(HWND Frame) { return Frame ? FindWindowExW(Frame, nullptr, L"MDICLIENT", nullptr) : nullptr; }

namespace {

constexpr UINT kRedrawChild = RDW_INTERNALPAINT | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME;  // 0x506

bool BeingFreed(fw::TComponent* c) { return !c || c->ComponentState().Contains(fw::csDestroying); }

// The frame's skin data is updating for one command; ended on every way out.
struct TkFrameUpdate {
  TkCommonData* Data = nullptr;
  explicit TkFrameUpdate(TkCommonData* data) : Data(data) {
    if (Data) Data->BeginUpdate();
  }
  ~TkFrameUpdate() {
    if (Data) Data->EndUpdate(false);
  }
  TkFrameUpdate(const TkFrameUpdate&) = delete;
  TkFrameUpdate& operator=(const TkFrameUpdate&) = delete;
};

}  // namespace

HWND TkSkinProvider::MDIClientWindow() const {
  if (!FForm || !FForm->HandleAllocated() || FForm->FormStyle() != fw::fsMDIForm) return nullptr;
  return MDIClientOf(FForm->Handle());
}

HWND TkSkinProvider::ActiveMDIChild() const {
  const HWND client = MDIClientWindow();
  return client ? reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
}

void TkSkinProvider::HookMDI(bool Active) {
  if (!FForm || FForm->FormStyle() != fw::fsMDIForm) return;
  if (!Active) {
    FMDIForm.reset();
    if (MDISkinProvider == this) MDISkinProvider = nullptr;
    return;
  }
  MDISkinProvider = this;
  const HWND client = MDIClientWindow();
  if (!client) return;
  if (FMDIForm) {
    // After a skin change the client's adapter is made anew.
    FMDIForm->RefreshMDIScrolls();
    return;
  }
  if (MDIFormMaker()) FMDIForm = MDIFormMaker()(this, client);
  if (FMDIForm) FMDIForm->ConnectToClient();
}

void TkSkinProvider::ForgetMDI() {
  if (MDIIconsOwner == this) MdiExitMenuLoop();
  FMDIForm.reset();
  if (MDISkinProvider == this) MDISkinProvider = nullptr;
  if (ChildProvider == this) ChildProvider = nullptr;
}

void TkSkinProvider::RepaintMDIMainFrame(bool Full) {
  TkSkinProvider* f = MDISkinProvider;
  if (!f || !f->FForm || !f->FForm->HandleAllocated()) return;
  const HWND frame = f->FForm->Handle();
  if (!f->FDrawNonClientArea || !f->Skinned()) {
    RedrawWindow(frame, nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_INVALIDATE);
    return;
  }
  {
    TkFrameUpdate update(f->FSkinData.get());
    if (f->FMDIForm) f->FMDIForm->UpdateMDIIconItem();
    f->FBGChanged = true;
    f->FMenus->Line().MenuChanged = true;
    f->FMenus->Line().FLinesCount = -1;
  }
  if (const HWND client = f->MDIClientWindow())
    RedrawWindow(client, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_FRAME | (Full ? RDW_UPDATENOW : 0));
  RedrawWindow(frame, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  if (Full && f->HasBorderWindow()) f->UpdateExBordersPos(true, 255);
}

void TkSkinProvider::MdiIcoFormPaint(HDC dc) {
  if (!dc || !Skinned() || !FForm || !FForm->HandleAllocated()) return;
  PrepareFormCache();
  const TkFormFrameFacts& f = FInput.Frame;
  // The pixels of the image the cover lies over: the right end of the menu
  // line, below the caption.
  const int w = 60, h = GetSystemMetrics(SM_CYMENU) + 3;
  const int x = CaptionWidth(f) - FrameWidthOf(f, true) - ShadowSize(f).Right - w;
  const int y = FrameHeightOf(f, true) + CaptionHeight(f, true) + ShadowSize(f).Top;
  BitBlt(dc, 0, 0, w, h, FormImage().Canvas()->Handle(), x, y, SRCCOPY);
}

void TkSkinProvider::MdiIconsPaint(fw::TObject*) {
  if (MDIIconsForm && MDIIconsForm->HandleAllocated()) MdiIcoFormPaint(MDIIconsForm->Canvas()->Handle());
}

void TkSkinProvider::MdiEnterMenuLoop() {
  if (!FForm || FForm->FormStyle() != fw::fsMDIForm || FMenus->InMenu) return;
  const HWND active = ActiveMDIChild();
  if (!active || !IsZoomed(active)) return;
  FMenus->InMenu = true;
  // Where the system draws the menu bar it draws the child's buttons too.
  if (!FMenus->Line().DrawsLine(FInput.Frame)) return;
  // The maximised child's buttons at the right end of the menu line stay
  // in sight while the menu loop runs: a cover showing them from the image.
  if (!MDIIconsForm) MDIIconsForm = new fw::TForm(nullptr);
  MDIIconsOwner = this;
  MDIIconsForm->SetTag(256);
  MDIIconsForm->SetVisible(false);
  MDIIconsForm->SetName(u"kcMDIIcons");
  MDIIconsForm->OnPaint = fw::TNotifyEvent(this, &TkSkinProvider::MdiIconsPaint);
  MDIIconsForm->SetBorderStyle(fw::bsNone);
  // Like every helper window of the skinning: no activation, no taskbar button.
  const HWND cover = MDIIconsForm->Handle();
  SetWindowLongPtrW(cover, GWL_EXSTYLE,
                    GetWindowLongPtrW(cover, GWL_EXSTYLE) | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);
  RECT r{};
  GetWindowRect(FForm->Handle(), &r);
  const int frame = FrameWidthOf(FInput.Frame, false);
  const int w = 60, h = GetSystemMetrics(SM_CYMENU) + 3;
  SetWindowPos(cover, HWND_TOP, r.right - frame - w, r.top + frame + SystemCaptionHeight(FInput.Frame),
               w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void TkSkinProvider::MdiExitMenuLoop() {
  if (MDIIconsForm) {
    fw::TForm* cover = MDIIconsForm;
    MDIIconsForm = nullptr;
    MDIIconsOwner = nullptr;
    delete cover;
  }
}

namespace {

constexpr int kWindowMenuTag = 0x200;

// The MDI children of a client window in their order (the icon titles of
// minimised children are owned windows and no children of their own).
std::vector<HWND> MDIChildrenOf(HWND Client) {
  std::vector<HWND> list;
  if (Client)
    for (HWND c = GetWindow(Client, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      if (!GetWindow(c, GW_OWNER)) list.push_back(c);
  return list;
}

}  // namespace

void TkSkinProvider::UpdateWindowMenu(fw::TMessage& m) {
  if (!FMenus->SkinnedPopups()) return;
  fw::TMenuItem* windowMenu = FForm->WindowMenu();
  if (!windowMenu) return;
  // The entries of the last opening go.
  for (int i = windowMenu->Count() - 1; i >= 0; --i)
    if (windowMenu->Items(i)->Tag() & kWindowMenuTag) delete windowMenu->Items(i);
  const HWND client = MDIClientWindow();
  const std::vector<HWND> children = MDIChildrenOf(client);
  if (children.empty() || !windowMenu->HandleAllocated() ||
      reinterpret_cast<HMENU>(m.WParam) != windowMenu->Handle())
    return;
  for (int i = 0; i < windowMenu->Count(); ++i) windowMenu->Items(i)->InitiateAction();
  // Entries that are not the framework's (the system's list of children)
  // are taken out of the menu.
  const HMENU menu = windowMenu->Handle();
  for (int pos = GetMenuItemCount(menu) - 1; pos >= 0; --pos) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_FTYPE | MIIM_DATA;
    if (!GetMenuItemInfoW(menu, UINT(pos), TRUE, &info) || info.dwItemData) continue;
    wchar_t text[2] = {};
    if (GetMenuStringW(menu, UINT(pos), text, 2, MF_BYPOSITION) > 0 || (info.fType & MFT_SEPARATOR))
      RemoveMenu(menu, UINT(pos), MF_BYPOSITION);
  }
  if (windowMenu->Count() == 0 || !windowMenu->Items(windowMenu->Count() - 1)->IsLine()) {
    auto* line = new fw::TMenuItem(this);
    line->SetCaption(u"-");
    windowMenu->Add(line);
  }
  const HWND active = ActiveMDIChild();
  for (size_t i = 0; i < children.size(); ++i) {
    if (!IsWindowVisible(children[i])) continue;
    auto* item = new fw::TMenuItem(this);
    const int length = GetWindowTextLengthW(children[i]);
    std::wstring caption(size_t(length) + 1, L'\0');
    caption.resize(size_t(GetWindowTextW(children[i], caption.data(), length + 1)));
    item->SetCaption(FromW(caption.c_str()));
    item->OnClick = fw::TNotifyEvent(this, &TkSkinProvider::MDIChildMenuClick);
    item->SetTag(int(i) | kWindowMenuTag);
    item->SetChecked(children[i] == active);
    windowMenu->Add(item);
  }
}

void TkSkinProvider::MDIChildMenuClick(fw::TObject* Sender) {
  auto* item = dynamic_cast<fw::TMenuItem*>(Sender);
  const HWND client = MDIClientWindow();
  if (!item || !client) return;
  const std::vector<HWND> children = MDIChildrenOf(client);
  const size_t index = size_t(item->Tag() & ~kWindowMenuTag);
  // A child closed meanwhile leaves its index unused.
  if (index < children.size()) SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(children[index]), 0);
}

bool TkSkinProvider::MdiSysCommand(fw::TMessage& m) {
  const UINT command = UINT(m.WParam) & 0xFFF0;
  const HWND wnd = FForm->Handle();
  if (FForm->FormStyle() == fw::fsMDIForm) {
    CallOld(m);
    if (BeingFreed(FForm)) return true;
    if (command == SC_MINIMIZE || command == SC_MAXIMIZE || command == SC_RESTORE) {
      FBGChanged = true;
      FMenus->Line().FLinesCount = -1;
      Send(WM_NCPAINT, 1, 0);
      if (command == SC_MAXIMIZE && HasBorderWindow()) UpdateExBordersPos(true, 255);
    }
    return true;
  }
  if (FForm->FormStyle() != fw::fsMDIChild) return false;
  TkSkinProvider* frame = MDISkinProvider;
  const bool maximised = IsZoomed(wnd) && command != SC_MAXIMIZE;
  TkFrameUpdate update(maximised && frame ? frame->FSkinData.get() : nullptr);
  auto updateItems = [this] {
    if (TkSystemMenu* menu = FMenus->SystemMenu()) menu->UpdateItems(true);
  };
  switch (command) {
    case SC_MINIMIZE:
      CallOld(m);
      if (maximised) RepaintMDIMainFrame(true);
      updateItems();
      FBGChanged = true;
      RepaintMDIMainFrame(true);
      return true;
    case SC_MAXIMIZE: {
      ChildProvider = this;
      // Maximised unseen, then drawn once as a whole.
      const LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
      SetWindowLongPtrW(wnd, GWL_STYLE, style & ~LONG_PTR(WS_VISIBLE));
      CallOld(m);
      if (IsWindow(wnd)) SetWindowLongPtrW(wnd, GWL_STYLE, GetWindowLongPtrW(wnd, GWL_STYLE) | WS_VISIBLE);
      RedrawWindow(wnd, nullptr, nullptr, kRedrawChild);
      if (frame && frame->FMDIForm) RepaintMDIMainFrame(true);
      updateItems();
      return true;
    }
    case SC_CLOSE:
      // Without a skinned frame the child still closes.
      if (!frame) {
        CallOld(m);
        return true;
      }
      if (frame->FMDIForm && maximised) RepaintMDIMainFrame(true);
      CallOld(m);
      if (FForm && !BeingFreed(FForm) && !BeingFreed(this)) SetHotHT(0, false);
      if (frame == MDISkinProvider && frame->FMDIForm && maximised) RepaintMDIMainFrame(true);
      return true;
    case SC_KEYMENU:
      return true;
    case SC_RESTORE: {
      if (MDIChildCreatingMaximized) return true;
      const bool wasIconic = IsIconic(wnd);
      CallOld(m);
      if (!IsWindow(wnd)) return true;
      FBGChanged = true;
      if (FDrawNonClientArea)
        SetWindowLongPtrW(wnd, GWL_STYLE, GetWindowLongPtrW(wnd, GWL_STYLE) & ~LONG_PTR(WS_SYSMENU));
      RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
      // The other children of the frame are normal again and drawn anew.
      if (const HWND client = GetParent(wnd))
        for (HWND c = GetWindow(client, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
          if (c == wnd) continue;
          if (IsZoomed(c)) ShowWindow(c, SW_SHOWNOACTIVATE);
          RedrawWindow(c, nullptr, nullptr, kRedrawChild);
        }
      if (maximised || wasIconic) RepaintMDIMainFrame(true);
      updateItems();
      return true;
    }
    default:
      CallOld(m);
      return true;
  }
}

void TkSkinProvider::MdiChildCreating() {
  if (!FForm || FForm->FormStyle() != fw::fsMDIChild) return;
  // A child made while the active one is maximised comes maximised: the
  // restore its creation sends is not taken.
  const HWND active = MDISkinProvider ? MDISkinProvider->ActiveMDIChild() : nullptr;
  MDIChildCreatingMaximized = active && IsZoomed(active);
}

void TkSkinProvider::MsgMDIActivate(fw::TMessage& m) {
  CallOld(m);
  TkSkinProvider* frame = MDISkinProvider;
  if (FForm && FForm->FormStyle() == fw::fsMDIChild && frame && !BeingFreed(frame) && !BeingFreed(frame->FForm) &&
      frame->FForm->HandleAllocated()) {
    if (IsZoomed(FForm->Handle())) {
      frame->FBGChanged = true;
      frame->Send(WM_NCPAINT, 1, 0);
      RepaintMDIMainFrame(true);
    } else {
      frame->FMenus->Line().MenuChanged = true;
      frame->FBGChanged = true;
      frame->FMenus->Line().FLinesCount = -1;
      frame->Send(WM_NCPAINT, 1, 0);
    }
  }
  ChildProvider = this;
}

void TkSkinProvider::MsgChildActivate(fw::TMessage& m) {
  CallOld(m);
  FMenus->Line().UpdateMenu();
  TkSkinProvider* frame = MDISkinProvider;
  const HWND active = frame ? frame->ActiveMDIChild() : nullptr;
  if (!active) return;
  if (IsZoomed(active)) {
    if (frame->FMDIForm) frame->FMDIForm->UpdateMDIIconItem();
  } else {
    FMenus->UpdateSysMenuStyle(true);
  }
}

void TkSkinProvider::MdiShown(fw::TMessage& m) {
  if (m.WParam != 1 || !FForm) return;
  if (FForm->FormStyle() == fw::fsMDIChild && IsZoomed(FForm->Handle()) && MDISkinProvider)
    MDISkinProvider->FMenus->Line().RepaintMenu();
  if (FForm->FormStyle() == fw::fsMDIForm && FMDIForm) FMDIForm->AttachChildren();
}

void TkSkinProvider::UnskinnedNcDestroy(fw::TMessage&) {
  TkSkinProvider* frame = MDISkinProvider;
  if (FForm && FForm->FormStyle() == fw::fsMDIChild && frame && frame != this && frame->FMDIForm &&
      !BeingFreed(frame) && !BeingFreed(frame->FForm) && frame->Skinned()) {
    frame->FMenus->Line().RepaintMenu();
    if (!frame->ActiveMDIChild())
      if (const HWND client = frame->MDIClientWindow())
        RedrawWindow(client, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
  }
  FreeCoverForm();
}

}  // namespace skin
