// The window menu of a skinned system dialog: the dialog's own system menu
// is switched off while its frame is skinned, so the dialog adapter shows
// this popup instead. Its items follow what the dialog's title buttons can
// do; each sends the dialog its window command.
#pragma once

#include <windows.h>

#include "fw/menus/menus.h"

namespace skin {

class TkcDialogWnd;

class TkcSystemMenu : public fw::TPopupMenu {
  FW_CLASS(TkcSystemMenu, fw::TPopupMenu)
  explicit TkcSystemMenu(fw::TComponent* AOwner);

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
