#include "skin/controls/dialog_system_menu.h"

#include "fw/core/rtti.h"
#include "skin/controls/dialog_wnd.h"
#include "skin/engine/kconst.h"

namespace skin {

namespace {
constexpr fw::TShortCut kAltF4 = 0x8073;
}

TkcSystemMenu::TkcSystemMenu(fw::TComponent* AOwner) : TkCustomSysMenu(AOwner) {
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

bool TkcSystemMenu::VisibleClose() { return FOwner && FOwner->VisibleClose(); }
bool TkcSystemMenu::VisibleMax() { return FOwner && FOwner->VisibleMax(); }
bool TkcSystemMenu::VisibleMin() { return FOwner && FOwner->VisibleMin(); }
bool TkcSystemMenu::EnabledMax() { return FOwner && FOwner->EnabledMax(); }
bool TkcSystemMenu::EnabledMin() { return FOwner && FOwner->EnabledMin(); }
bool TkcSystemMenu::EnabledRestore() { return FOwner && FOwner->EnabledRestore(); }

void TkcSystemMenu::UpdateItems() {
  if (!FOwner) return;
  const TkcDialogState d = FOwner->DialogState();
  ItemRestore->SetVisible(skin::VisibleRestore(d));
  ItemRestore->SetEnabled(skin::EnabledRestore(d));
  ItemMove->SetVisible(true);
  ItemMove->SetEnabled(skin::EnabledMove(d));
  ItemSize->SetVisible(skin::VisibleSize(d));
  ItemSize->SetEnabled(skin::EnabledSize(d));
  ItemMinimize->SetVisible(skin::VisibleMin(d));
  ItemMinimize->SetEnabled(skin::EnabledMin(d));
  ItemMaximize->SetVisible(skin::VisibleMax(d));
  ItemMaximize->SetEnabled(skin::EnabledMax(d));
  ItemClose->SetVisible(skin::VisibleClose(d));
  ItemClose->SetEnabled(true);
}

FW_REGISTER(TkcSystemMenu) {}

}  // namespace skin
