#include <algorithm>

#include "fw/controls/controls.h"
#include "fw/core/rtti.h"
#include "fw/graphics/gdi_handles.h"
#include "fw/graphics/imagelist.h"
#include "fw/menus/menus.h"
#include "fw/platform/locale.h"
#include "fw/system/application.h"
#include "fw/system/screen.h"
#include "fw/system/wndregistry.h"

namespace fw {

namespace {

template <class F>
TMenuItem* FindInTree(TMenuItem* item, F match) {
  if (match(item)) return item;
  for (int i = 0; i < item->Count(); ++i)
    if (TMenuItem* found = FindInTree(item->Items(i), match)) return found;
  return nullptr;
}

// Detaches the canvas and restores the device context also when a painter
// throws.
struct TCanvasOnDC {
  TSavedDC saved;
  // Declared after saved: the canvas lets go of the DC before its state
  // comes back.
  TCanvas canvas;
  explicit TCanvasOnDC(HDC dc) : saved(dc) {
    canvas.SetHandle(dc);
    if (Screen) canvas.Font()->Assign(Screen->MenuFont());
    canvas.Font()->SetColor(clMenuText);
    canvas.Brush()->SetColor(clMenu);
  }
};

// The popup menus alive, and the hidden window that owns them while they
// are tracked: it receives their WM_COMMAND, WM_INITMENUPOPUP,
// WM_MENUSELECT, WM_MENUCHAR and owner-draw messages.
class TPopupList {
 public:
  std::vector<TPopupMenu*> menus;
  HWND window = nullptr;

  HWND Window() {
    if (!window) window = AllocateHWnd(TWndMethod(this, &TPopupList::WndProc));
    return window;
  }
  void Add(TPopupMenu* m) { menus.push_back(m); }
  void Remove(TPopupMenu* m) {
    menus.erase(std::remove(menus.begin(), menus.end(), m), menus.end());
    if (menus.empty() && window) {
      DeallocateHWnd(window);
      window = nullptr;
    }
  }

  void WndProc(TMessage& Message) {
    try {
      switch (Message.Msg) {
        case WM_COMMAND:
        case WM_INITMENUPOPUP:
        case WM_MENUSELECT:
        case WM_MENUCHAR:
        case WM_MEASUREITEM:
        case WM_DRAWITEM: {
          std::vector<TPopupMenu*> list = menus;
          for (TPopupMenu* m : list)
            if (std::find(menus.begin(), menus.end(), m) != menus.end() && m->HandleMenuMessage(Message)) return;
          // The menu closed: no item's hint stays.
          if (Message.Msg == WM_MENUSELECT && HIWORD(Message.WParam) == 0xFFFF && !Message.LParam && Application)
            Application->SetHint(String());
          break;
        }
        default:
          break;
      }
    } catch (...) {
      if (Application) Application->HandleException(nullptr);
      return;
    }
    DefaultUtilityHandler(window, Message);
  }
};

// Never freed: popup menus may outlive every static object.
TPopupList& PopupList() {
  static auto* list = new TPopupList();
  return *list;
}

}  // namespace

HWND PopupListWindow() { return PopupList().Window(); }

// ---- TMenu

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(this)), FImageChangeLink(new TChangeLink()) {
  FItems->FMenu = this;
  FImageChangeLink->OnChange = TNotifyEvent(this, &TMenu::ImageListChange);
}

TMenu::~TMenu() {
  Destroying();
  // Out of the menu it is merged into, and the merged one out of it.
  if (TMenuItem* into = FItems->FMergedWith) {
    into->FMerged = nullptr;
    FItems->FMergedWith = nullptr;
    into->RebuildHandle();
    if (into->FMenu) into->FMenu->MenuChanged(into->FMenu, nullptr, true);
  }
  if (FItems->FMerged) {
    FItems->FMerged->FMergedWith = nullptr;
    FItems->FMerged = nullptr;
  }
  if (FImages) FImages->UnRegisterChanges(FImageChangeLink);
  delete FImageChangeLink;
  FImageChangeLink = nullptr;
  TMenuItem* items = FItems;
  FItems = nullptr;
  items->FMenu = nullptr;
  items->Free();
}

HMENU TMenu::Handle() { return FItems->Handle(); }

void TMenu::SetWindowHandle(HWND Value) { FWindowHandle = Value; }

void TMenu::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages) {
    FImages->UnRegisterChanges(FImageChangeLink);
    FImages->RemoveFreeNotification(this);
  }
  FImages = Value;
  if (Value) {
    Value->RegisterChanges(FImageChangeLink);
    Value->FreeNotification(this);
  }
  ImageListChange(this);
}

void TMenu::RebuildAllHandles() {
  if (!FItems) return;
  std::vector<TMenuItem*> stack{FItems};
  while (!stack.empty()) {
    TMenuItem* item = stack.back();
    stack.pop_back();
    item->RebuildHandle();
    for (TMenuItem* child : item->FItems) stack.push_back(child);
  }
}

void TMenu::ImageListChange(TObject*) {
  if (!FItems) return;
  RebuildAllHandles();
  MenuChanged(this, nullptr, true);
}

void TMenu::SetBiDiMode(TBiDiMode Value) {
  if (FBiDiMode == Value) return;
  FBiDiMode = Value;
  AdjustBiDiBehavior();
  MenuChanged(this, nullptr, true);
}

bool TMenu::UseRightToLeftReading() const { return SysLocale.MiddleEast && FBiDiMode != bdLeftToRight; }

bool TMenu::UseRightToLeftAlignment() const { return SysLocale.MiddleEast && FBiDiMode == bdRightToLeft; }

void TMenu::AdjustBiDiBehavior() {
  if (!SysLocale.MiddleEast || !FItems || ComponentState().Contains(csDestroying)) return;
  // The entries take their order and alignment when they are made.
  RebuildAllHandles();
}

void TMenu::SetOwnerDraw(bool Value) {
  if (FOwnerDraw == Value) return;
  FOwnerDraw = Value;
  ImageListChange(this);
}

void TMenu::SetAutoHotkeys(TMenuAutoFlag Value) {
  if (Value == maParent) Value = maAutomatic;
  if (FAutoHotkeys == Value) return;
  FAutoHotkeys = Value;
  ImageListChange(this);
}

void TMenu::SetAutoLineReduction(TMenuAutoFlag Value) {
  if (Value == maParent) Value = maAutomatic;
  if (FAutoLineReduction == Value) return;
  FAutoLineReduction = Value;
  ImageListChange(this);
}

TMenuItem* TMenu::FindItem(UINT_PTR Value, TFindItemKind Kind) const {
  if (!FItems) return nullptr;
  auto find = [&](TMenuItem* root) -> TMenuItem* {
    switch (Kind) {
      case fkCommand:
        return FindInTree(root, [&](TMenuItem* i) { return i != root && i->Command() == Value; });
      case fkHandle:
        return FindInTree(root, [&](TMenuItem* i) { return i->FHandle && reinterpret_cast<UINT_PTR>(i->FHandle) == Value; });
      case fkShortCut:
        return FindInTree(root, [&](TMenuItem* i) { return i != root && i->ShortCut() != scNone && i->ShortCut() == Value; });
    }
    return nullptr;
  };
  if (TMenuItem* found = find(FItems)) return found;
  return FItems->FMerged ? find(FItems->FMerged) : nullptr;
}

bool TMenu::ContainsItem(const TMenuItem* Item) const {
  if (!Item || !FItems) return false;
  auto in = [&](TMenuItem* root) { return root && FindInTree(root, [&](TMenuItem* i) { return i == Item; }); };
  return in(FItems) || in(FItems->FMerged);
}

TMenu* TMenu::MergedMenu() const { return FItems && FItems->FMerged ? FItems->FMerged->FMenu : nullptr; }

void TMenu::Merge(TMenu* Menu) {
  if (!FItems) return;
  TMenuItem* root = Menu && Menu != this ? Menu->FItems : nullptr;
  if (FItems->FMerged == root) return;
  if (TMenuItem* old = FItems->FMerged) old->FMergedWith = nullptr;
  if (root && root->FMergedWith) {
    // A menu is shown in one other menu at a time.
    TMenuItem* other = root->FMergedWith;
    other->FMerged = nullptr;
    other->RebuildHandle();
    if (other->FMenu) other->FMenu->MenuChanged(other->FMenu, nullptr, true);
  }
  FItems->FMerged = root;
  if (root) root->FMergedWith = FItems;
  FItems->RebuildHandle();
  MenuChanged(this, nullptr, true);
}

void TMenu::Unmerge(TMenu* Menu) {
  if (Menu && FItems && FItems->FMerged == Menu->FItems) Merge(nullptr);
}

bool TMenu::IsShortCut(TMessage& Message) {
  TShortCut sc = ShortCut(static_cast<WORD>(Message.WParam), KeyDataToShiftState(Message.LParam));
  if (sc == scNone) return false;
  TMenuItem* item = FindItem(sc, fkShortCut);
  if (!item) return false;
  // The action decides whether the item is enabled now.
  item->InitiateAction();
  for (TMenuItem* p = item; p && p != FItems; p = p->Parent())
    if (!p->Enabled()) return false;
  item->Click();
  return true;
}

bool TMenu::DispatchCommand(WORD ACommand) {
  TMenuItem* item = FindItem(ACommand, fkCommand);
  if (!item) return false;
  item->Click();
  return true;
}

bool TMenu::DispatchPopup(HMENU AHandle) {
  TMenuItem* item = FindItem(reinterpret_cast<UINT_PTR>(AHandle), fkHandle);
  if (!item) return false;
  item->InitiateActions();
  if (item != FItems) item->Click();
  return true;
}

bool TMenu::MeasureItemMessage(MEASUREITEMSTRUCT& Measure) {
  if (Measure.CtlType != ODT_MENU) return false;
  // The item data is an item pointer only when it is one of ours.
  auto* item = reinterpret_cast<TMenuItem*>(Measure.itemData);
  if (!ContainsItem(item)) return false;
  HDC dc = GetDC(nullptr);
  {
    TCanvasOnDC c(dc);
    int w = static_cast<int>(Measure.itemWidth), h = static_cast<int>(Measure.itemHeight);
    item->MeasureItem(&c.canvas, w, h);
    Measure.itemWidth = static_cast<UINT>(std::max(0, w));
    Measure.itemHeight = static_cast<UINT>(std::max(0, h));
  }
  ReleaseDC(nullptr, dc);
  return true;
}

bool TMenu::DrawItemMessage(DRAWITEMSTRUCT& Draw) {
  if (Draw.CtlType != ODT_MENU) return false;
  auto* item = reinterpret_cast<TMenuItem*>(Draw.itemData);
  if (!ContainsItem(item)) return false;
  TCanvasOnDC c(Draw.hDC);
  TRect r = Rect(Draw.rcItem.left, Draw.rcItem.top, Draw.rcItem.right, Draw.rcItem.bottom);
  IntersectClipRect(Draw.hDC, r.Left, r.Top, r.Right, r.Bottom);
  TOwnerDrawState state = TOwnerDrawState::FromMask(Draw.itemState & 0x1FFF);
  if (state.Contains(odSelected)) {
    c.canvas.Brush()->SetColor(clHighlight);
    c.canvas.Font()->SetColor(clHighlightText);
  }
  item->AdvancedDrawItem(&c.canvas, r, state, item->IsTopLevel());
  return true;
}

void TMenu::ProcessMenuChar(TMessage& Message) {
  HMENU menu = reinterpret_cast<HMENU>(Message.LParam);
  TMenuItem* parent = FindItem(reinterpret_cast<UINT_PTR>(menu), fkHandle);
  if (!parent) return;
  char16_t key = GetHotkey(String(u"&") + static_cast<char16_t>(LOWORD(Message.WParam)));
  if (!key) return;
  // Positions in the window menu, which leaves hidden items out.
  std::vector<int> matches;
  int current = -1;
  int count = GetMenuItemCount(menu);
  for (int pos = 0; pos < count; ++pos) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_DATA | MIIM_STATE;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &mii)) continue;
    if (mii.fState & MFS_HILITE) current = pos;
    auto* item = reinterpret_cast<TMenuItem*>(mii.dwItemData);
    if (parent->IndexOf(item) < 0 || !item->Enabled()) continue;
    char16_t hot = GetHotkey(item->Caption());
    if (!hot) hot = item->FAutoHotkey;
    if (hot == key) matches.push_back(pos);
  }
  if (matches.empty()) return;
  if (matches.size() == 1) {
    Message.Result = MAKELRESULT(matches[0], MNC_EXECUTE);
    return;
  }
  int next = matches[0];
  for (int pos : matches)
    if (pos > current) {
      next = pos;
      break;
    }
  Message.Result = MAKELRESULT(next, MNC_SELECT);
}

bool TMenu::HandleMenuMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_COMMAND:
      // Menus and accelerators send no window handle.
      if (Message.LParam != 0 || HIWORD(Message.WParam) > 1) return false;
      if (!DispatchCommand(LOWORD(Message.WParam))) return false;
      Message.Result = 0;
      return true;
    case WM_INITMENUPOPUP:
      if (!DispatchPopup(reinterpret_cast<HMENU>(Message.WParam))) return false;
      Message.Result = 0;
      return true;
    case WM_MENUSELECT: {
      HMENU menu = reinterpret_cast<HMENU>(Message.LParam);
      UINT flags = HIWORD(Message.WParam);
      if (!menu || flags == 0xFFFF) return false;
      if (!FindItem(reinterpret_cast<UINT_PTR>(menu), fkHandle)) return false;
      TMenuItem* item = nullptr;
      if (flags & MF_POPUP)
        item = FindItem(reinterpret_cast<UINT_PTR>(GetSubMenu(menu, LOWORD(Message.WParam))), fkHandle);
      else
        item = FindItem(LOWORD(Message.WParam), fkCommand);
      if (Application) Application->SetHint(item ? GetLongHint(item->Hint()) : String());
      Message.Result = 0;
      return true;
    }
    case WM_MENUCHAR:
      if (!FindItem(static_cast<UINT_PTR>(Message.LParam), fkHandle)) return false;
      Message.Result = 0;
      ProcessMenuChar(Message);
      return true;
    case WM_MEASUREITEM:
      if (!MeasureItemMessage(*reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam))) return false;
      Message.Result = TRUE;
      return true;
    case WM_DRAWITEM:
      if (!DrawItemMessage(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam))) return false;
      Message.Result = TRUE;
      return true;
    default:
      return false;
  }
}

void TMenu::MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) {
  if (ComponentState().Contains(csDestroying)) return;
  OnChange(Sender, Source, Rebuild);
}

void TMenu::Loaded() {
  TComponent::Loaded();
  MenuChanged(this, nullptr, false);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) {
    FImages = nullptr;
    ImageListChange(this);
  }
}

// ---- TMainMenu

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}

TMainMenu::~TMainMenu() {
  if (FWindowHandle && FItems && FItems->HandleAllocated() && GetMenu(FWindowHandle) == FItems->Handle())
    ::SetMenu(FWindowHandle, nullptr);
  FWindowHandle = nullptr;
}

void TMainMenu::SetWindowHandle(HWND Value) {
  if (FWindowHandle && FWindowHandle != Value && IsWindow(FWindowHandle) && FItems->HandleAllocated() &&
      GetMenu(FWindowHandle) == FItems->Handle())
    ::SetMenu(FWindowHandle, nullptr);
  FWindowHandle = Value;
  if (Value) {
    ::SetMenu(Value, Handle());
    DrawMenuBar(Value);
  }
}

void TMainMenu::MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) {
  TMenu::MenuChanged(Sender, Source, Rebuild);
  if (ComponentState().Contains(csDestroying)) return;
  // A merged menu is shown by the other menu's window too.
  if (TMenu* into = MergedInto()) into->MenuChanged(Sender, Source, Rebuild);
  if (!FWindowHandle) return;
  DrawMenuBar(FWindowHandle);
  SendMessageW(FWindowHandle, CM_MENUCHANGED, 0, 0);
}

// ---- TPopupMenu

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {
  PopupList().Add(this);
  // Shortcuts of a popup menu work while its control has the focus.
  if (Application) FWindowHandle = Application->Handle();
}

TPopupMenu::~TPopupMenu() { PopupList().Remove(this); }

void TPopupMenu::SetPopupComponent(TComponent* Value) {
  if (FPopupComponent == Value) return;
  if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
  FPopupComponent = Value;
  if (Value) Value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::DoPopup(TObject* Sender) { OnPopup(Sender); }

UINT TPopupMenu::TrackFlags() const {
  static const UINT align[] = {TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN};
  UINT flags = align[FAlignment] | (FTrackButton == tbRightButton ? TPM_RIGHTBUTTON : TPM_LEFTBUTTON);
  if (FMenuAnimation.Contains(maLeftToRight)) flags |= TPM_HORPOSANIMATION;
  if (FMenuAnimation.Contains(maRightToLeft)) flags |= TPM_HORNEGANIMATION;
  if (FMenuAnimation.Contains(maTopToBottom)) flags |= TPM_VERPOSANIMATION;
  if (FMenuAnimation.Contains(maBottomToTop)) flags |= TPM_VERNEGANIMATION;
  if (FMenuAnimation.Contains(maNone)) flags |= TPM_NOANIMATION;
  return flags;
}

void TPopupMenu::Popup(int X, int Y) {
  FPopupPoint = TPoint{X, Y};
  DoPopup(this);
  HMENU menu = FItems->Handle();
  TrackPopupMenu(menu, TrackFlags(), X, Y, 0, PopupListWindow(), nullptr);
}

// ---- Controls

bool ShowControlPopupMenu(TControl* Control, TMessage& Message) {
  if (!Control || Control->ComponentState().Contains(csDesigning)) return false;
  POINT pt{static_cast<int16_t>(LOWORD(Message.LParam)), static_cast<int16_t>(HIWORD(Message.LParam))};
  bool keyboard = pt.x == -1 && pt.y == -1;
  TControl* target = Control;
  if (auto* w = dynamic_cast<TWinControl*>(Control); w && !keyboard) {
    // A graphic child under the point shows its own menu.
    TPoint client = w->ScreenToClient(TPoint{pt.x, pt.y});
    if (TControl* child = w->ControlAtPos(client, false); child && child->PopupMenu()) target = child;
  }
  auto* popup = dynamic_cast<TPopupMenu*>(target->PopupMenu());
  if (!popup || !popup->AutoPopup()) return false;
  if (keyboard) {
    TPoint p = target->ClientToScreen(TPoint{0, 0});
    pt = POINT{p.x, p.y};
  }
  popup->SetPopupComponent(target);
  popup->Popup(pt.x, pt.y);
  Message.Result = 1;
  return true;
}

bool IsPopupMenuShortCut(TControl* Control, TMessage& Message) {
  for (TControl* c = Control; c; c = c->Parent())
    if (auto* popup = dynamic_cast<TPopupMenu*>(c->PopupMenu()); popup && popup->WindowHandle() && popup->IsShortCut(Message))
      return true;
  return false;
}

// ---- Run-time type information

FW_REGISTER(TMenu) {
  c.Property(u"Images", &TMenu::Images, &TMenu::SetImages);
  c.Property(u"OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw).Default(false);
  c.Property(u"AutoHotkeys", &TMenu::AutoHotkeys, &TMenu::SetAutoHotkeys).Default(maAutomatic);
  c.Property(u"AutoLineReduction", &TMenu::AutoLineReduction, &TMenu::SetAutoLineReduction).Default(maAutomatic);
  c.Property(u"BiDiMode", &TMenu::BiDiMode, &TMenu::SetBiDiMode).Default(bdLeftToRight);
  c.Event(u"OnChange", &TMenu::OnChange);
}

FW_REGISTER(TMainMenu) { c.Property(u"AutoMerge", &TMainMenu::AutoMerge, &TMainMenu::SetAutoMerge).Default(false); }

FW_REGISTER(TPopupMenu) {
  c.Property(u"Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment).Default(paLeft);
  c.Property(u"AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(true);
  c.Property(u"TrackButton", &TPopupMenu::TrackButton, &TPopupMenu::SetTrackButton).Default(tbRightButton);
  c.Property(u"MenuAnimation", &TPopupMenu::MenuAnimation, &TPopupMenu::SetMenuAnimation);
  c.Event(u"OnPopup", &TPopupMenu::OnPopup);
}

// Classes only ever created by name from form descriptions.
[[maybe_unused]] static const bool gMenuClassesRegistered = (RegisterClasses<TMenuItem, TMainMenu, TPopupMenu>(), true);

}  // namespace fw
