#include "skin/controls/dialog_system_menu.h"

#include "fw/core/rtti.h"
#include "skin/controls/dialog_wnd.h"
#include "skin/engine/kconst.h"

namespace skin {

namespace {
constexpr fw::TShortCut kAltF4 = 0x8073;
}

TkcSystemMenu::TkcSystemMenu(fw::TComponent* AOwner) : fw::TPopupMenu(AOwner) {
  ItemRestore = AddItem(u"miRestore", CaptionRestore.empty() ? u"Restore" : CaptionRestore, &TkcSystemMenu::RestoreClick);
  ItemMove = AddItem(u"miMove", CaptionMove.empty() ? u"Move" : CaptionMove, &TkcSystemMenu::MoveClick);
  ItemSize = AddItem(u"miSize", CaptionSize.empty() ? u"Size" : CaptionSize, &TkcSystemMenu::SizeClick);
  ItemMinimize = AddItem(u"miMinimize", CaptionMinimize.empty() ? u"Minimize" : CaptionMinimize, &TkcSystemMenu::MinClick);
  ItemMaximize = AddItem(u"miMaximize", CaptionMaximize.empty() ? u"Maximize" : CaptionMaximize, &TkcSystemMenu::MaxClick);
  AddItem(fw::String(), u"-", nullptr);
  ItemClose = AddItem(u"miClose", CaptionClose.empty() ? u"Close" : CaptionClose, &TkcSystemMenu::CloseClick);
  ItemClose->SetShortCut(kAltF4);
}

fw::TMenuItem* TkcSystemMenu::AddItem(const fw::String& Name, const fw::String& Caption,
                                      void (TkcSystemMenu::*Click)(fw::TObject*)) {
  auto* item = new fw::TMenuItem(this);
  if (!Name.empty()) item->SetName(Name);
  item->SetCaption(Caption);
  if (Click) item->OnClick = fw::TNotifyEvent(this, Click);
  Items()->Add(item);
  return item;
}

void TkcSystemMenu::Send(WPARAM Command) {
  if (FOwner && IsWindow(FOwner->CtrlHandle)) SendMessageW(FOwner->CtrlHandle, WM_SYSCOMMAND, Command, 0);
}

void TkcSystemMenu::RestoreClick(fw::TObject*) {
  Send(SC_RESTORE);
  UpdateItems();
}

void TkcSystemMenu::MaxClick(fw::TObject*) {
  Send(SC_MAXIMIZE);
  UpdateItems();
}

void TkcSystemMenu::UpdateItems() {
  if (!FOwner) return;
  const TkcDialogState d = FOwner->DialogState();
  ItemRestore->SetVisible(VisibleRestore(d));
  ItemRestore->SetEnabled(EnabledRestore(d));
  ItemMove->SetVisible(true);
  ItemMove->SetEnabled(EnabledMove(d));
  ItemSize->SetVisible(VisibleSize(d));
  ItemSize->SetEnabled(EnabledSize(d));
  ItemMinimize->SetVisible(VisibleMin(d));
  ItemMinimize->SetEnabled(EnabledMin(d));
  ItemMaximize->SetVisible(VisibleMax(d));
  ItemMaximize->SetEnabled(EnabledMax(d));
  ItemClose->SetVisible(VisibleClose(d));
  ItemClose->SetEnabled(true);
}

FW_REGISTER(TkcSystemMenu) {}

}  // namespace skin
