#include "skin/forms/form_menus.h"

#include "fw/system/application.h"
#include "services/wndprochook.h"
#include "skin/engine/common_data.h"
#include "skin/engine/core/control_kinds.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skinning_links.h"
#include "skin/forms/skinned_menus.h"

namespace skin {

namespace {

constexpr UINT WM_SYSMENU_FROM_TASKBAR = 0x313;

void EnableCommand(HMENU menu, UINT command, bool enabled) {
  EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
}

}  // namespace

TkFormMenus::TkFormMenus(fw::TComponent* Owner, fw::TCustomForm* Form)
    : FOwner(Owner), FProvider(dynamic_cast<TkFormProviderLink*>(Owner)), FForm(Form), FLine(Form) {
  FLine.Manager = DefaultSkinManager;
  FLine.SkinData = FProvider ? FProvider->FCommonData : nullptr;
  RegisterMenuLinks();
  ShowPopup = [](fw::TPopupMenu* menu, int x, int y) { menu->Popup(x, y); };
  TrackStandardMenu = [](HMENU menu, int x, int y, HWND owner) {
    return UINT(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr));
  };
  if (FForm)
    FHooked = services::AddWindowProcHook(FForm, services::TCkControlHook(this, &TkFormMenus::BeforeMessage),
                                          services::hoBeforeMsg);
}

TkFormMenus::~TkFormMenus() {
  if (FHooked)
    services::RemoveWindowProcHook(FForm, services::TCkControlHook(this, &TkFormMenus::BeforeMessage),
                                   services::hoBeforeMsg);
  delete FSystemMenu;
}

bool TkFormMenus::SkinnedPopups() const { return Manager() && Manager()->SkinnedPopups(); }

void TkFormMenus::PrepareSystemMenu() {
  if (FSystemMenu || !FForm || !FForm->HandleAllocated()) return;
  // Wine makes the standard menu's copy only while the style is there.
  StandardSystemMenu(FForm->Handle());
  FSystemMenu = new TkSystemMenu(FOwner, FForm);
  FSystemMenu->Manager = Manager();
  FSystemMenu->SysSubMenu = SysSubMenu;
  FSystemMenu->SetSkipAnimation = [this](bool v) {
    if (SetSkipAnimation) SetSkipAnimation(v);
  };
  FSystemMenu->UpdateItems(false);
}

void TkFormMenus::SkinChanged(bool Skinned) {
  FDrawNonClientArea = Skinned;
  FLine.FDrawNonClientArea = Skinned;
  FLine.MenusInitialized = false;
  FLine.FLinesCount = -1;
  if (TkSkinableMenus* menus = SkinableMenusOf(Manager())) {
    menus->FreeMenuBgCache();
    menus->UpdateMenus();
    if (FForm && FForm->Menu() && !Skinned) menus->InitMenuLine(FForm->Menu(), false);
  }
  if (!FForm || !FForm->HandleAllocated()) return;
  if (Skinned) {
    PrepareSystemMenu();
    UpdateSysMenuStyle(true);
    FLine.InitMenuItems(true);
  } else {
    // The form's own menus, also those no other owner's walk reaches.
    FLine.InitMenuItems(false);
    UpdateSysMenuStyle(false);
  }
}

void TkFormMenus::UpdateSysMenuStyle(bool Flag) {
  if (!FForm || !FForm->HandleAllocated()) return;
  const HWND wnd = FForm->Handle();
  const LONG style = GetWindowLongW(wnd, GWL_STYLE);
  if (Flag) {
    if (FDrawNonClientArea) {
      if (style & WS_SYSMENU) {
        StandardSystemMenu(wnd);
        SetWindowLongW(wnd, GWL_STYLE, style & ~WS_SYSMENU);
      }
    } else if (!(style & WS_SYSMENU)) {
      SetWindowLongW(wnd, GWL_STYLE, style | WS_SYSMENU);
    }
    return;
  }
  if (!FForm->BorderIcons().Contains(fw::biSystemMenu)) return;
  SetWindowLongW(wnd, GWL_STYLE, style | WS_SYSMENU);
  const LRESULT icon = SendMessageW(wnd, WM_GETICON, ICON_SMALL, 0);
  SendMessageW(wnd, WM_SETICON, ICON_SMALL, icon);
}

void TkFormMenus::DropSysMenu(int X, int Y) {
  if (!FSystemMenu) PrepareSystemMenu();
  if (!FSystemMenu || !FForm || !FForm->HandleAllocated()) return;
  const HWND wnd = FForm->Handle();
  if (!fw::Application || fw::Application->ActiveFormHandle() != wnd) return;
  if (SkinnedPopups()) {
    FSystemMenu->Manager = Manager();
    FSystemMenu->UpdateItems(FSystemMenu->ExtItemsCount > 0);
    if (MakeSkinMenu && FSystemMenu->Items()->Count() > 0) {
      FSystemMenu->RemoveSkinItems();
      FSystemMenu->MakeSkinItems();
    }
    TkSkinableMenus* menus = SkinableMenusOf(Manager());
    if (menus) menus->HookPopupMenu(FSystemMenu, true);
    FSystemMenu->SetWindowHandle(wnd);
    ShowPopup(FSystemMenu, X, Y);
    FSystemMenu->SetWindowHandle(nullptr);
    // The popup is closed: its background is made anew next time.
    if (menus) menus->FreeMenuBgCache();
    return;
  }
  // The standard menu, read without the system repainting the frame.
  const LONG style = GetWindowLongW(wnd, GWL_STYLE);
  SetWindowLongW(wnd, GWL_STYLE, style & ~WS_VISIBLE);
  const HMENU menu = StandardSystemMenu(wnd);
  if (menu) {
    const TkSysMenuRules r = FSystemMenu->Rules();
    EnableCommand(menu, SC_RESTORE, r.VisibleRestore && r.EnabledRestore);
    EnableCommand(menu, SC_MOVE, r.EnabledMove && !IsIconic(wnd));
    EnableCommand(menu, SC_SIZE, r.VisibleSize && r.EnabledSize && FForm->WindowState() == fw::wsNormal);
    EnableCommand(menu, SC_MINIMIZE, r.VisibleMin && r.EnabledMin);
    EnableCommand(menu, SC_MAXIMIZE, r.VisibleMax && r.EnabledMax);
    EnableCommand(menu, SC_CLOSE, r.VisibleClose && r.EnabledClose);
  }
  SetWindowLongW(wnd, GWL_STYLE, GetWindowLongW(wnd, GWL_STYLE) | (style & WS_VISIBLE));
  if (!menu) return;
  const UINT command = TrackStandardMenu(menu, X, Y, wnd);
  if (command) PostMessageW(wnd, WM_SYSCOMMAND, command, 0);
}

void TkFormMenus::UpdateWindowMenu(fw::TMessage& m) {
  if (HIWORD(m.LParam) != 0) {
    EnableMenuItem(reinterpret_cast<HMENU>(m.WParam), SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
  } else {
    SkinnedMenuOpen = false;
  }
}

void TkFormMenus::MsgMenuChanged() {
  if (FForm->FormState().Contains(fw::fsCreating) || !FForm->Visible() || (FProvider && FProvider->FInAnimation))
    return;
  if (TkCommonData* data = FProvider ? FProvider->FCommonData : nullptr; data && (data->CtrlSkinState & cssUpdating)) {
    // The provider tells the form again when the update ends.
    data->CtrlSkinState |= cssMenuChangeHeld;
    return;
  }
  FLine.FLinesCount = -1;
  FLine.MenuChanged = true;
  if (InvalidateImage) InvalidateImage();
}

bool TkFormMenus::BeforeMessage(fw::TMessage& m) {
  if (!FDrawNonClientArea || !FForm || !FForm->HandleAllocated()) return false;
  switch (m.Msg) {
    case WM_EXITMENULOOP:
      InMenu = false;
      // Without a popup-window adapter nobody else frees the backgrounds.
      if (TkSkinableMenus* menus = SkinableMenusOf(Manager())) menus->FreeMenuBgCache();
      return false;
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      if (measure && measure->CtlType == ODT_MENU && FForm->Menu() && Manager())
        if (fw::TMenuItem* item = FForm->Menu()->FindItem(measure->itemID, fw::fkCommand))
          if (TkSkinableMenus* menus = SkinableMenusOf(Manager())) menus->InitItem(item, true);
      return false;
    }
    case fw::CM_MENUCHANGED:
      MsgMenuChanged();
      return false;
    case WM_INITMENUPOPUP:
      // A form that is no MDI frame keeps its own popup handling.
      if (SkinnedPopups()) UpdateWindowMenu(m);
      return false;
    case WM_ENTERIDLE:
      m.Result = 0;
      return true;
    case WM_SYSMENU_FROM_TASKBAR: {
      const POINT p{short(LOWORD(m.LParam)), short(HIWORD(m.LParam))};
      DropSysMenu(p.x, p.y);
      m.Result = 0;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace skin
