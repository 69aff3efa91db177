// The menus of one skinned form, beside its provider: the skinned system
// menu and the system-menu style, the menu line, and the menu messages
// (entering and leaving a menu loop, measuring owner-drawn items, the menu
// changed, a popup about to open, the taskbar's system-menu request).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "fw/controls/forms.h"
#include "skin/forms/menu_line.h"
#include "skin/forms/system_menu.h"

namespace skin {

class TkSkinManager;
class TkFormProviderLink;

class TkFormMenus {
 public:
  // Owner owns the system menu (the provider, whose skin data and
  // animation state the menu messages read); the form's menu messages are
  // hooked while this object lives.
  TkFormMenus(fw::TComponent* Owner, fw::TCustomForm* Form);
  ~TkFormMenus();
  TkFormMenus(const TkFormMenus&) = delete;
  TkFormMenus& operator=(const TkFormMenus&) = delete;

  TkSkinManager* Manager() const { return FLine.Manager; }
  void SetManager(TkSkinManager* Value) { FLine.Manager = Value; }
  bool SkinnedPopups() const;
  TkMenuLine& Line() { return FLine; }
  TkSystemMenu* SystemMenu() const { return FSystemMenu; }

  // Options of the provider.
  bool MakeSkinMenu = false;
  TkcSysSubMenu SysSubMenu;
  std::function<void(bool)> SetSkipAnimation;
  // The provider's image must be built again.
  std::function<void()> InvalidateImage;
  // Whether the provider draws the frame.
  bool DrawNonClientArea() const { return FDrawNonClientArea; }

  // A skin came (true) or went (false): the system menu and its style, the
  // menus' handlers and the cached popup backgrounds follow.
  void SkinChanged(bool Skinned);
  // Makes the system menu (the standard menu's copy is taken first).
  void PrepareSystemMenu();
  // True: WS_SYSMENU off while the frame is drawn by the skin (else on);
  // false: back with biSystemMenu, and the small icon shown again.
  void UpdateSysMenuStyle(bool Flag);
  // Shows the system menu at the screen point, for the application's
  // active form only.
  void DropSysMenu(int X, int Y);
  // How a menu is shown (tests end it without a user): the skinned popup
  // and the standard menu's track returning the chosen command.
  std::function<void(fw::TPopupMenu*, int, int)> ShowPopup;
  std::function<UINT(HMENU, int, int, HWND)> TrackStandardMenu;

  bool InMenu = false;

 private:
  bool BeforeMessage(fw::TMessage& m);
  void UpdateWindowMenu(fw::TMessage& m);
  // The form's menu changed: the line is measured and painted again, or,
  // while the provider's skin data is updating, told again at its end.
  void MsgMenuChanged();

  fw::TComponent* FOwner;
  TkFormProviderLink* FProvider;
  fw::TCustomForm* FForm;
  TkMenuLine FLine;
  TkSystemMenu* FSystemMenu = nullptr;
  bool FDrawNonClientArea = false;
  bool FHooked = false;
};

}  // namespace skin
