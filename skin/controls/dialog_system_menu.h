// The window menu of a skinned system dialog: the dialog's own system menu
// is switched off while its frame is skinned, so the dialog adapter shows
// this popup instead. Its items follow what the dialog's title buttons can
// do; each sends the dialog its window command. As every system menu it
// answers the window-command rules (those of its dialog).
#pragma once

#include <windows.h>

#include "fw/menus/menus.h"
#include "skin/forms/system_menu.h"

namespace skin {

class TkcDialogWnd;

class TkcSystemMenu : public TkCustomSysMenu {
  FW_CLASS(TkcSystemMenu, TkCustomSysMenu)
  explicit TkcSystemMenu(fw::TComponent* AOwner);

  // The dialog's answers (false while the menu has no dialog).
  bool VisibleClose() override;
  bool VisibleMax() override;
  bool VisibleMin() override;
  bool EnabledMax() override;
  bool EnabledMin() override;
  bool EnabledRestore() override;

  TkcDialogWnd* FOwner = nullptr;
  fw::TMenuItem* ItemRestore = nullptr;
  fw::TMenuItem* ItemMove = nullptr;
  fw::TMenuItem* ItemSize = nullptr;
  fw::TMenuItem* ItemMinimize = nullptr;
  fw::TMenuItem* ItemMaximize = nullptr;
  fw::TMenuItem* ItemClose = nullptr;

  // Visibility and enabling from the dialog as it stands.
  void UpdateItems();

 private:
  fw::TMenuItem* AddItem(const fw::String& Name, const fw::String& Caption, void (TkcSystemMenu::*Click)(fw::TObject*));
  void Send(WPARAM Command);
  void RestoreClick(fw::TObject*);
  void MoveClick(fw::TObject*) { Send(SC_MOVE); }
  void SizeClick(fw::TObject*) { Send(SC_SIZE); }
  void MinClick(fw::TObject*) { Send(SC_MINIMIZE); }
  void MaxClick(fw::TObject*);
  void CloseClick(fw::TObject*) { Send(SC_CLOSE); }
};

}  // namespace skin
