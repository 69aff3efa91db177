#include "skin/forms/system_menu.h"

#include "fw/core/exceptions.h"
#include "fw/core/sysutils.h"
#include "fw/system/actions.h"
#include "fw/system/application.h"
#include "skin/engine/kconst.h"
#include "skin/engine/skin_manager.h"
#include "skin/forms/core/system_menu_text.h"

namespace skin {

namespace {

[[noreturn]] void AbstractCall() { throw fw::Exception(u"Abstract Error"); }

fw::String MenuString(HMENU menu, UINT item, UINT flags) {
  wchar_t text[256] = {};
  const int n = GetMenuStringW(menu, item, text, 255, flags);
  return n > 0 ? fw::String(reinterpret_cast<const char16_t*>(text), size_t(n)) : fw::String();
}

TkFrameStyle FrameStyleOf(fw::TFormBorderStyle s) { return static_cast<TkFrameStyle>(static_cast<int>(s)); }

}  // namespace

bool TkCustomSysMenu::VisibleClose() { AbstractCall(); }
bool TkCustomSysMenu::VisibleMax() { AbstractCall(); }
bool TkCustomSysMenu::VisibleMin() { AbstractCall(); }
bool TkCustomSysMenu::EnabledMax() { AbstractCall(); }
bool TkCustomSysMenu::EnabledMin() { AbstractCall(); }
bool TkCustomSysMenu::EnabledRestore() { AbstractCall(); }

HMENU StandardSystemMenu(HWND Wnd) { return Wnd ? GetSystemMenu(Wnd, FALSE) : nullptr; }

TkSysMenuFacts FormSysMenuFacts(fw::TCustomForm* Form) {
  TkSysMenuFacts f;
  if (!Form) return f;
  const fw::TBorderIcons icons = Form->BorderIcons();
  f.BorderStyle = FrameStyleOf(Form->BorderStyle());
  f.SystemMenu = icons.Contains(fw::biSystemMenu);
  f.MinimizeIcon = icons.Contains(fw::biMinimize);
  f.MaximizeIcon = icons.Contains(fw::biMaximize);
  const HWND wnd = Form->HandleAllocated() ? Form->Handle() : nullptr;
  f.Iconic = wnd && IsIconic(wnd);
  f.Maximized = Form->WindowState() == fw::wsMaximized;
  f.Minimized = Form->WindowState() == fw::wsMinimized;
  f.MdiChild = Form->FormStyle() == fw::fsMDIChild;
  f.MainForm = fw::Application && fw::Application->MainForm() == Form;
  // The application window carries the taskbar button.
  f.MainFormOnTaskBar = false;
  const HMENU std = StandardSystemMenu(wnd);
  const UINT close = std ? GetMenuState(std, SC_CLOSE, MF_BYCOMMAND) : UINT(-1);
  f.StdMenuHasClose = close != UINT(-1);
  // A greyed item is disabled too (Wine reports it without MF_DISABLED).
  f.StdCloseDisabled = close != UINT(-1) && (close & (MF_DISABLED | MF_GRAYED)) != 0;
  return f;
}

TkSystemMenu::TkSystemMenu(fw::TComponent* AOwner, fw::TCustomForm* Form) : TkCustomSysMenu(AOwner), FForm(Form) {
  if (FForm) FForm->FreeNotification(this);
  SetName(u"kcSysMenu" + fw::IntToStr(int(GetTickCount() & 0x7FFFFFFF)));
  Generate();
}

void TkSystemMenu::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  TkCustomSysMenu::Notification(AComponent, Operation);
  if (Operation != fw::opRemove) return;
  if (AComponent == FForm) FForm = nullptr;
  if (AComponent == SysSubMenu.PopupMenu) SysSubMenu.PopupMenu = nullptr;
}

HWND TkSystemMenu::FormWnd() const { return FForm && FForm->HandleAllocated() ? FForm->Handle() : nullptr; }

TkSysMenuRules TkSystemMenu::Rules() const { return SystemMenuRules(FormSysMenuFacts(FForm)); }
bool TkSystemMenu::VisibleRestore() { return Rules().VisibleRestore; }
bool TkSystemMenu::VisibleSize() { return Rules().VisibleSize; }
bool TkSystemMenu::VisibleMin() { return Rules().VisibleMin; }
bool TkSystemMenu::VisibleMax() { return Rules().VisibleMax; }
bool TkSystemMenu::VisibleClose() { return Rules().VisibleClose; }
bool TkSystemMenu::EnabledRestore() { return Rules().EnabledRestore; }
bool TkSystemMenu::EnabledMove() { return Rules().EnabledMove; }
bool TkSystemMenu::EnabledSize() { return Rules().EnabledSize; }
bool TkSystemMenu::EnabledMin() { return Rules().EnabledMin; }
bool TkSystemMenu::EnabledMax() { return Rules().EnabledMax; }
bool TkSystemMenu::EnabledClose() { return Rules().EnabledClose; }

fw::TMenuItem* TkSystemMenu::AddItem(const fw::String& Caption, const fw::String& Name, int Tag,
                                     fw::TNotifyEvent OnClick) {
  auto* item = new fw::TMenuItem(this);
  item->SetCaption(Caption);
  if (!Name.empty() && !FindComponent(Name)) item->SetName(Name);
  item->SetTag(Tag);
  item->OnClick = OnClick;
  Items()->Add(item);
  return item;
}

fw::TMenuItem* TkSystemMenu::AddLine(const fw::String& Name) { return AddItem(u"-", Name, 0, nullptr); }

fw::TMenuItem* TkSystemMenu::MakeFixedItem(HMENU Std, UINT Command, const fw::String& Fallback, const char16_t* Name,
                                           void (TkSystemMenu::*Click)(fw::TObject*), bool WithShortCut) {
  fw::String text = MenuString(Std, Command, MF_BYCOMMAND);
  fw::String caption = MenuTextCaption(text);
  if (caption.empty()) caption = Fallback;
  fw::TMenuItem* item = AddItem(caption, Name, int(Command), fw::TNotifyEvent(this, Click));
  const fw::String shortcut = MenuTextShortCut(text);
  if (WithShortCut && !shortcut.empty()) item->SetShortCut(fw::TextToShortCut(shortcut));
  return item;
}

fw::TMenuItem* TkSystemMenu::CopyItem(fw::TMenuItem* Source) {
  auto* copy = new fw::TMenuItem(this);
  copy->SetCaption(Source->Caption());
  copy->SetShortCut(Source->ShortCut());
  copy->SetChecked(Source->Checked());
  copy->SetEnabled(Source->Enabled());
  copy->OnClick = Source->OnClick;
  copy->SetHelpContext(Source->HelpContext());
  copy->SetImageIndex(Source->ImageIndex());
  if (!Source->Name().empty() && !FindComponent(Source->Name() + u"Copy")) copy->SetName(Source->Name() + u"Copy");
  for (int i = 0; i < Source->Count(); ++i) copy->Add(CopyItem(Source->Items(i)));
  return copy;
}

void TkSystemMenu::PlaceSubMenu(TkcMenuItemPos Position) {
  if (SysSubMenu.Position != Position || SysSubMenu.Caption.empty() || !SysSubMenu.PopupMenu) return;
  if (Position == ipBottom) AddLine(u"kc_BtmDiv");
  SubMenu = AddItem(SysSubMenu.Caption, u"kc_SubMenu", 0, nullptr);
  fw::TMenuItem* source = SysSubMenu.PopupMenu->Items();
  for (int i = 0; i < source->Count(); ++i) SubMenu->Add(CopyItem(source->Items(i)));
  SetImages(SysSubMenu.PopupMenu->Images());
  if (Position != ipBottom) AddLine(u"kc_TopDiv");
}

void TkSystemMenu::Generate() {
  Items()->Clear();
  ExtItemsCount = 0;
  ItemRestore = ItemMove = ItemSize = ItemMinimize = ItemMaximize = ItemClose = nullptr;
  SubMenu = nullptr;
  const HMENU std = StandardSystemMenu(FormWnd());
  if (!std) return;
  PlaceSubMenu(ipTop);
  ItemRestore = MakeFixedItem(std, SC_RESTORE, CaptionRestore.empty() ? u"Restore" : CaptionRestore, u"kcIR",
                              &TkSystemMenu::RestoreClick, false);
  ItemMove = MakeFixedItem(std, SC_MOVE, CaptionMove.empty() ? u"Move" : CaptionMove, u"kcIM",
                           &TkSystemMenu::MoveClick, false);
  ItemSize = MakeFixedItem(std, SC_SIZE, CaptionSize.empty() ? u"Size" : CaptionSize, u"kcIS",
                           &TkSystemMenu::SizeClick, false);
  ItemMinimize = MakeFixedItem(std, SC_MINIMIZE, CaptionMinimize.empty() ? u"Minimize" : CaptionMinimize, u"kcIN",
                               &TkSystemMenu::MinClick, false);
  ItemMaximize = MakeFixedItem(std, SC_MAXIMIZE, CaptionMaximize.empty() ? u"Maximize" : CaptionMaximize, u"kcIX",
                               &TkSystemMenu::MaxClick, false);
  AddLine(fw::String());
  const int count = GetMenuItemCount(std);
  for (int pos = 0; pos < count; ++pos) {
    const UINT command = GetMenuItemID(std, pos);
    // A sub-menu has no command (-1): there is nothing to send for it.
    if (command == UINT(-1) || (command >= 0xF000 && command <= 0xF1FF)) continue;
    const fw::String text = MenuString(std, UINT(pos), MF_BYPOSITION);
    if (text.empty()) continue;
    fw::TMenuItem* item = AddItem(MenuTextCaption(text), fw::String(), int(command),
                                  fw::TNotifyEvent(this, &TkSystemMenu::ExtClick));
    const fw::String shortcut = MenuTextShortCut(text);
    if (!shortcut.empty()) item->SetShortCut(fw::TextToShortCut(shortcut));
    ++ExtItemsCount;
  }
  if (ExtItemsCount > 0) AddLine(fw::String());
  PlaceSubMenu(ipBeforeClose);
  ItemClose = MakeFixedItem(std, SC_CLOSE, CaptionClose.empty() ? u"Close" : CaptionClose, u"kcIC",
                            &TkSystemMenu::CloseClick, true);
  ItemClose->SetEnabled(EnabledClose());
  PlaceSubMenu(ipBottom);
}

void TkSystemMenu::UpdateItems(bool Full) {
  if (Full || !ItemClose) Generate();
  if (!FForm) return;
  const TkSysMenuRules r = Rules();
  auto set = [](fw::TMenuItem* item, bool visible, bool enabled) {
    if (!item) return;
    item->SetVisible(visible);
    item->SetEnabled(enabled);
  };
  set(ItemRestore, r.VisibleRestore, r.EnabledRestore);
  set(ItemMove, true, r.EnabledMove);
  set(ItemSize, r.VisibleSize, r.EnabledSize);
  set(ItemMinimize, r.VisibleMin, r.EnabledMin);
  set(ItemMaximize, r.VisibleMax, r.EnabledMax);
  set(ItemClose, r.VisibleClose, r.EnabledClose);
}

void TkSystemMenu::RemoveSkinItems() {
  if (Items()->Count() == 0) return;
  fw::TMenuItem* first = Items()->Items(0);
  if (first->Name() != u"SkinSelectItem") return;
  first->Clear();
  delete first;
  // The separator that came with the list.
  if (Items()->Count() > 0 && Items()->Items(0)->IsLine()) delete Items()->Items(0);
}

void TkSystemMenu::MakeSkinItems() {
  if (!Manager) return;
  std::vector<fw::String> names;
  Manager->GetSkinNames(names, TkcSkinTypes::stAllSkins);
  if (names.empty()) return;
  auto* list = new fw::TMenuItem(this);
  list->SetCaption(CaptionAvailableSkins.empty() ? u"Available skins" : CaptionAvailableSkins);
  list->SetName(u"SkinSelectItem");
  Items()->Insert(0, list);
  auto* line = new fw::TMenuItem(this);
  line->SetCaption(u"-");
  Items()->Insert(1, line);
  bool checked = false;
  for (size_t i = 0; i < names.size(); ++i) {
    auto* item = new fw::TMenuItem(this);
    item->SetCaption(names[i]);
    const fw::String name = u"SkinSelectItem" + fw::IntToStr(int(i));
    if (!FindComponent(name)) item->SetName(name);
    item->SetRadioItem(true);
    item->OnClick = fw::TNotifyEvent(this, &TkSystemMenu::SkinSelect);
    if (!checked && names[i] == Manager->SkinName()) {
      item->SetChecked(true);
      checked = true;
    }
    if (SkinEntryStartsColumn(int(i))) item->SetBreak(fw::mbBreak);
    list->Add(item);
  }
}

void TkSystemMenu::RestoreClick(fw::TObject*) {
  if (HWND wnd = FormWnd()) SendMessageW(wnd, WM_SYSCOMMAND, SC_RESTORE, 0);
  UpdateItems(false);
}

void TkSystemMenu::MaxClick(fw::TObject*) {
  if (HWND wnd = FormWnd()) SendMessageW(wnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  UpdateItems(false);
}

void TkSystemMenu::MinClick(fw::TObject*) {
  struct TSkip {
    std::function<void(bool)>& set;
    explicit TSkip(std::function<void(bool)>& s) : set(s) {
      if (set) set(true);
    }
    ~TSkip() {
      if (set) set(false);
    }
  };
  {
    TSkip skip(SetSkipAnimation);
    if (HWND wnd = FormWnd()) SendMessageW(wnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  }
  UpdateItems(false);
}

void TkSystemMenu::MoveClick(fw::TObject*) {
  if (HWND wnd = FormWnd()) SendMessageW(wnd, WM_SYSCOMMAND, SC_MOVE, 0);
}

void TkSystemMenu::SizeClick(fw::TObject*) {
  if (HWND wnd = FormWnd()) SendMessageW(wnd, WM_SYSCOMMAND, SC_SIZE, 0);
}

void TkSystemMenu::CloseClick(fw::TObject*) {
  if (HWND wnd = FormWnd()) SendMessageW(wnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void TkSystemMenu::ExtClick(fw::TObject* Sender) {
  auto* item = dynamic_cast<fw::TMenuItem*>(Sender);
  if (HWND wnd = FormWnd(); wnd && item) PostMessageW(wnd, WM_SYSCOMMAND, WPARAM(UINT(item->Tag())), 0);
}

void TkSystemMenu::SkinSelect(fw::TObject* Sender) {
  auto* item = dynamic_cast<fw::TMenuItem*>(Sender);
  if (!Manager || !item) return;
  Manager->WriteSkinName(SkinNameOfCaption(item->Caption(), CaptionInternal.empty() ? u"(internal)" : CaptionInternal));
}

FW_REGISTER(TkCustomSysMenu) {}
FW_REGISTER(TkSystemMenu) {}

}  // namespace skin
