// The skinned system menu: the window's standard system menu rebuilt as
// ordinary popup items, so the skinned menu painter draws it like every
// other popup, optionally with the list of skins and a sub-menu of the
// program's; its items send the form the matching WM_SYSCOMMAND. The same
// object answers which window commands are visible and enabled.
#pragma once

#include <windows.h>

#include <functional>

#include "fw/controls/forms.h"
#include "fw/menus/menus.h"
#include "skin/forms/core/system_menu_rules.h"

namespace skin {

class TkSkinManager;

// A system menu that answers the rules of the window commands; the forms'
// and the dialogs' system menus derive from it. The base answers none of
// them: calling one raises the abstract-call error.
class TkCustomSysMenu : public fw::TPopupMenu {
  FW_CLASS(TkCustomSysMenu, fw::TPopupMenu)
  explicit TkCustomSysMenu(fw::TComponent* AOwner) : fw::TPopupMenu(AOwner) {}
  virtual bool VisibleClose();
  virtual bool VisibleMax();
  virtual bool VisibleMin();
  virtual bool EnabledMax();
  virtual bool EnabledMin();
  virtual bool EnabledRestore();
};

FW_ENUM(TkcMenuItemPos, ipTop, ipBottom, ipBeforeClose)

// A sub-menu of the program's shown in the system menu.
struct TkcSysSubMenu {
  fw::String Caption;
  TkcMenuItemPos Position = ipBeforeClose;
  fw::TPopupMenu* PopupMenu = nullptr;
};

// The window's standard system menu. Under Wine a window without
// WS_SYSMENU has none until it is asked once while it has the style; the
// copy made then stays, so take it before the style goes.
HMENU StandardSystemMenu(HWND Wnd);

// The rules' facts of a form (with the window's standard menu).
TkSysMenuFacts FormSysMenuFacts(fw::TCustomForm* Form);

class TkSystemMenu : public TkCustomSysMenu {
  FW_CLASS(TkSystemMenu, TkCustomSysMenu)
  // Owned by AOwner (the provider); Form is the skinned form. Named
  // "kcSysMenu" and the tick count, which the menu painter recognises.
  TkSystemMenu(fw::TComponent* AOwner, fw::TCustomForm* Form);

  fw::TCustomForm* Form() const { return FForm; }
  // What the menu reads of its provider.
  TkSkinManager* Manager = nullptr;
  TkcSysSubMenu SysSubMenu;
  // Set around the minimize command so that no hide animation plays.
  std::function<void(bool)> SetSkipAnimation;

  bool VisibleClose() override;
  bool VisibleMax() override;
  bool VisibleMin() override;
  bool EnabledMax() override;
  bool EnabledMin() override;
  bool EnabledRestore() override;
  bool VisibleRestore();
  bool VisibleSize();
  bool EnabledMove();
  bool EnabledSize();
  bool EnabledClose();
  TkSysMenuRules Rules() const;

  // Rebuilds every item from the standard system menu.
  void Generate();
  // Generates when Full or before the first time, then shows and enables
  // the fixed items by the rules.
  void UpdateItems(bool Full);
  // Adds "Available skins" with the manager's skins at the top.
  void MakeSkinItems();
  // Removes the skin list made before.
  void RemoveSkinItems();
  void UpdateGlyphs() {}

  int ExtItemsCount = 0;
  fw::TMenuItem *ItemRestore = nullptr, *ItemMove = nullptr, *ItemSize = nullptr, *ItemMinimize = nullptr,
                *ItemMaximize = nullptr, *ItemClose = nullptr;
  fw::TMenuItem* SubMenu = nullptr;

  void RestoreClick(fw::TObject* Sender);
  void MoveClick(fw::TObject* Sender);
  void SizeClick(fw::TObject* Sender);
  void MinClick(fw::TObject* Sender);
  void MaxClick(fw::TObject* Sender);
  void CloseClick(fw::TObject* Sender);
  void ExtClick(fw::TObject* Sender);
  void SkinSelect(fw::TObject* Sender);

  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 private:
  HWND FormWnd() const;
  void PlaceSubMenu(TkcMenuItemPos Position);
  fw::TMenuItem* AddItem(const fw::String& Caption, const fw::String& Name, int Tag, fw::TNotifyEvent OnClick);
  fw::TMenuItem* AddLine(const fw::String& Name);
  fw::TMenuItem* CopyItem(fw::TMenuItem* Source);
  fw::TMenuItem* MakeFixedItem(HMENU Std, UINT Command, const fw::String& Fallback, const char16_t* Name,
                               void (TkSystemMenu::*Click)(fw::TObject*), bool WithShortCut);

  fw::TCustomForm* FForm = nullptr;
};

// The skin name a skin-list item stands for: its caption without hot-key
// marks, cut right after the first "(internal)".
fw::String SkinNameOfCaption(const fw::String& Caption, const fw::String& InternalSuffix);

}  // namespace skin
