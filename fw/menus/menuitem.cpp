#include <algorithm>

#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/graphics/imagelist.h"
#include "fw/menus/menus.h"
#include "fw/system/screen.h"

namespace fw {

// The link between an item and its action.
class TMenuActionLink : public TBasicActionLink {
 public:
  explicit TMenuActionLink(TMenuItem* AClient) : TBasicActionLink(AClient), FItem(AClient) {}
  void Change() override {
    if (FItem && FAction) FItem->ActionChange(FAction, false);
  }

 private:
  TMenuItem* FItem;
};

namespace {

// Command numbers travel in the low word of WM_COMMAND's wParam, so there
// are at most 0xFFFF of them; 0 is never handed out.
std::vector<bool>& CommandPool() {
  static auto* pool = new std::vector<bool>(0x10000, false);
  return *pool;
}

UINT AllocateCommand() {
  static UINT next = 1;
  auto& pool = CommandPool();
  for (UINT tries = 0; tries < 0xFFFF; ++tries) {
    UINT c = next;
    next = next == 0xFFFF ? 1 : next + 1;
    if (!pool[c]) {
      pool[c] = true;
      return c;
    }
  }
  throw EMenuError(u"Out of menu commands");
}

void ReleaseCommand(UINT c) {
  if (c > 0 && c < 0x10000) CommandPool()[c] = false;
}

char16_t UpperChar(char16_t c) { return AnsiUpperChar(c); }

bool IsHotkeyCandidate(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c >= 0xC0;
}

// Draws the system's check mark or bullet in the colour of the text.
void DrawMenuCheck(HDC dc, const TRect& r, bool radio, TColor fore, TColor back) {
  int w = GetSystemMetrics(SM_CXMENUCHECK), h = GetSystemMetrics(SM_CYMENUCHECK);
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP mono = CreateBitmap(w, h, 1, 1, nullptr);
  HGDIOBJ old = SelectObject(mem, mono);
  RECT box{0, 0, w, h};
  DrawFrameControl(mem, &box, DFC_MENU, radio ? DFCS_MENUBULLET : DFCS_MENUCHECK);
  COLORREF oldText = SetTextColor(dc, ColorToRGB(fore));
  COLORREF oldBk = SetBkColor(dc, ColorToRGB(back));
  BitBlt(dc, r.Left + (r.Width() - w) / 2, r.Top + (r.Height() - h) / 2, w, h, mem, 0, 0, SRCCOPY);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBk);
  SelectObject(mem, old);
  DeleteObject(mono);
  DeleteDC(mem);
}

}  // namespace

String StripHotkey(const String& Text) {
  String r;
  r.reserve(Text.size());
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == u'&') {
      if (i + 1 < Text.size()) r += Text[++i];
      continue;
    }
    r += Text[i];
  }
  return r;
}

char16_t GetHotkey(const String& Text) {
  for (size_t i = 0; i + 1 < Text.size(); ++i) {
    if (Text[i] != u'&') continue;
    if (Text[i + 1] == u'&') {
      ++i;
      continue;
    }
    return UpperChar(Text[i + 1]);
  }
  return 0;
}

// ---- TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(AllocateCommand()) {}

TMenuItem::~TMenuItem() {
  Destroying();
  while (!FItems.empty()) {
    TMenuItem* child = FItems.back();
    child->Free();
  }
  if (FParent) FParent->Remove(this);
  DestroyHandle();
  delete FActionLink;
  FActionLink = nullptr;
  delete FBitmap;
  ReleaseCommand(FCommand);
}

void TMenuItem::DestroyHandle() {
  if (!FHandle) return;
  // Take the sub-menus out first: DestroyMenu would destroy them with it,
  // and they belong to the sub-items.
  while (GetMenuItemCount(FHandle) > 0) RemoveMenu(FHandle, 0, MF_BYPOSITION);
  DestroyMenu(FHandle);
  FHandle = nullptr;
}

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EMenuError(u"Menu index out of range");
  return FItems[static_cast<size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) return;
  if (Item->FParent) throw EMenuError(u"Menu inserted twice");
  if (Index < 0 || Index > Count()) throw EMenuError(u"Menu index out of range");
  for (const TMenuItem* p = this; p; p = p->FParent)
    if (p == Item) throw EMenuError(u"Menu inserted into itself");
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  RebuildHandle();
  MenuChanged(true);
}

void TMenuItem::Delete(int Index) {
  TMenuItem* item = Items(Index);
  FItems.erase(FItems.begin() + Index);
  item->FParent = nullptr;
  if (ComponentState().Contains(csDestroying)) return;
  RebuildHandle();
  MenuChanged(true);
}

void TMenuItem::Remove(TMenuItem* Item) {
  int i = IndexOf(Item);
  if (i < 0) throw EMenuError(u"Menu item not found");
  Delete(i);
}

void TMenuItem::Clear() {
  while (!FItems.empty()) FItems.back()->Free();
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(StringView ACaption) const {
  for (TMenuItem* item : FItems)
    if (SameText(StripHotkey(item->FCaption), ACaption)) return item;
  return nullptr;
}

int TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

void TMenuItem::SetMenuIndex(int Value) {
  if (!FParent) return;
  TMenuItem* parent = FParent;
  int count = parent->Count();
  Value = std::clamp(Value, 0, count - 1);
  if (Value == MenuIndex()) return;
  auto& list = parent->FItems;
  list.erase(list.begin() + MenuIndex());
  list.insert(list.begin() + Value, this);
  parent->RebuildHandle();
  MenuChanged(true);
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->FParent) root = root->FParent;
  return root->FMenu;
}

bool TMenuItem::IsTopLevel() const { return FParent && FParent->FMenu && FParent->FMenu->IsMenuBar(); }

TComponent* TMenuItem::GetParentComponent() const {
  if (FParent && FParent->FMenu) return FParent->FMenu;
  return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
  if (FParent) FParent->Remove(this);
  if (auto* menu = dynamic_cast<TMenu*>(Value)) menu->Items()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(Value)) item->Add(this);
}

// ---- Window side

HMENU TMenuItem::Handle() {
  if (!FHandle) {
    FHandle = FMenu && FMenu->IsMenuBar() ? CreateMenu() : CreatePopupMenu();
    if (!FHandle) throw EMenuError(u"Cannot create a menu");
    RebuildHandle();
  }
  return FHandle;
}

bool TMenuItem::EffectiveAutoHotkeys() const {
  for (const TMenuItem* p = this; p; p = p->FParent) {
    if (p->FAutoHotkeys != maParent) return p->FAutoHotkeys == maAutomatic;
    if (p->FMenu) return p->FMenu->AutoHotkeys() == maAutomatic;
  }
  return false;
}

bool TMenuItem::EffectiveAutoLineReduction() const {
  for (const TMenuItem* p = this; p; p = p->FParent) {
    if (p->FAutoLineReduction != maParent) return p->FAutoLineReduction == maAutomatic;
    if (p->FMenu) return p->FMenu->AutoLineReduction() == maAutomatic;
  }
  return false;
}

std::vector<char16_t> TMenuItem::AutoHotkeyLetters() const {
  std::vector<char16_t> letters(FItems.size(), 0);
  if (!EffectiveAutoHotkeys()) return letters;
  std::vector<char16_t> used;
  for (const TMenuItem* item : FItems)
    if (char16_t c = GetHotkey(item->FCaption)) used.push_back(c);
  for (size_t i = 0; i < FItems.size(); ++i) {
    const TMenuItem* item = FItems[i];
    if (!item->FVisible || item->IsLine() || GetHotkey(item->FCaption)) continue;
    for (char16_t c : item->FCaption) {
      if (!IsHotkeyCandidate(c)) continue;
      char16_t u = UpperChar(c);
      if (std::find(used.begin(), used.end(), u) != used.end()) continue;
      used.push_back(u);
      letters[i] = u;
      break;
    }
  }
  return letters;
}

String TMenuItem::DisplayCaption(bool TopLevel) const {
  String caption = FCaption;
  if (FAutoHotkey) {
    for (size_t i = 0; i < caption.size(); ++i) {
      if (UpperChar(caption[i]) == FAutoHotkey) {
        caption.insert(i, 1, u'&');
        break;
      }
    }
  }
  if (FShortCut != scNone && !TopLevel) caption += u"\t" + ShortCutToText(FShortCut);
  return caption;
}

TCustomImageList* TMenuItem::GetImageList() const {
  for (const TMenuItem* p = FParent; p; p = p->FParent)
    if (p->FSubMenuImages) return p->FSubMenuImages;
  TMenu* menu = GetParentMenu();
  return menu ? menu->Images() : nullptr;
}

std::vector<TMenuItem*> TMenuItem::ShownItems() const {
  std::vector<TMenuItem*> own;
  for (TMenuItem* item : FItems)
    if (item->FVisible) own.push_back(item);
  if (!FMerged) return own;
  std::vector<TMenuItem*> merged;
  for (TMenuItem* item : FMerged->FItems)
    if (item->FVisible) merged.push_back(item);
  // The merged items take the place of the own items of their groups...
  std::erase_if(own, [&](const TMenuItem* item) {
    return std::any_of(merged.begin(), merged.end(),
                       [&](const TMenuItem* m) { return m->FGroupIndex == item->FGroupIndex; });
  });
  // ... and go before the first own item of a higher group.
  std::vector<TMenuItem*> shown;
  size_t j = 0;
  for (TMenuItem* item : own) {
    while (j < merged.size() && merged[j]->FGroupIndex < item->FGroupIndex) shown.push_back(merged[j++]);
    shown.push_back(item);
  }
  shown.insert(shown.end(), merged.begin() + static_cast<std::ptrdiff_t>(j), merged.end());
  return shown;
}

void TMenuItem::RebuildHandle() {
  if (ComponentState().Contains(csDestroying)) return;
  if (!FHandle) {
    // The menu this one is merged into shows its items.
    if (FMergedWith) FMergedWith->RebuildHandle();
    return;
  }
  const bool menuBar = FMenu && FMenu->IsMenuBar();
  // The entries the system put in a menu bar carry no item data: a
  // maximised MDI child's window menu stays first, its buttons last.
  UINT pos = 0;
  for (int i = GetMenuItemCount(FHandle) - 1; i >= 0; --i) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_DATA;
    if (!menuBar || !GetMenuItemInfoW(FHandle, static_cast<UINT>(i), TRUE, &mii) || mii.dwItemData)
      RemoveMenu(FHandle, static_cast<UINT>(i), MF_BYPOSITION);
  }
  for (const int count = GetMenuItemCount(FHandle); static_cast<int>(pos) < count; ++pos) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE;
    if (!GetMenuItemInfoW(FHandle, pos, TRUE, &mii) || (mii.fType & MFT_RIGHTJUSTIFY)) break;
  }

  std::vector<TMenuItem*> shown = ShownItems();
  if (EffectiveAutoLineReduction()) {
    // No separator first, last or right after another one.
    std::vector<TMenuItem*> reduced;
    for (TMenuItem* item : shown) {
      if (item->IsLine() && (reduced.empty() || reduced.back()->IsLine())) continue;
      reduced.push_back(item);
    }
    while (!reduced.empty() && reduced.back()->IsLine()) reduced.pop_back();
    shown = std::move(reduced);
  }
  std::vector<char16_t> letters = AutoHotkeyLetters();
  for (size_t i = 0; i < FItems.size(); ++i) FItems[i]->FAutoHotkey = letters[i];

  TMenu* menu = GetParentMenu();
  bool ownerDraw = menu && menu->OwnerDraw();
  // Right to left: every entry in that order, and a bar's entries flush
  // right from its first one on.
  const bool rightOrder = menu && menu->UseRightToLeftReading();
  const bool rightJustify = menuBar && menu->UseRightToLeftAlignment();
  const UINT firstPos = pos;
  for (TMenuItem* item : shown) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
    mii.fType = item->IsLine() ? MFT_SEPARATOR : 0;
    if (rightOrder) mii.fType |= MFT_RIGHTORDER;
    if (rightJustify && pos == firstPos) mii.fType |= MFT_RIGHTJUSTIFY;
    if (item->FRadioItem) mii.fType |= MFT_RADIOCHECK;
    if (item->FBreak == mbBreak) mii.fType |= MFT_MENUBREAK;
    if (item->FBreak == mbBarBreak) mii.fType |= MFT_MENUBARBREAK;
    if (ownerDraw) mii.fType |= MFT_OWNERDRAW;
    if (item->FChecked) mii.fState |= MFS_CHECKED;
    if (!item->FEnabled) mii.fState |= MFS_GRAYED;
    if (item->FDefault) mii.fState |= MFS_DEFAULT;
    mii.wID = item->FCommand;
    mii.dwItemData = reinterpret_cast<ULONG_PTR>(item);
    mii.hSubMenu = item->Count() > 0 ? item->Handle() : nullptr;
    String text;
    if (!item->IsLine()) {
      text = item->DisplayCaption(menuBar);
      mii.fMask |= MIIM_STRING;
      mii.dwTypeData = const_cast<wchar_t*>(W(text));
      if (!ownerDraw) {
        // Without owner drawing a bitmap goes in as it is, and an image of
        // the image list is drawn by the menu through the callback.
        if (item->HasBitmap()) {
          mii.fMask |= MIIM_BITMAP;
          mii.hbmpItem = item->FBitmap->Handle();
        } else if (item->FImageIndex >= 0 && item->GetImageList()) {
          mii.fMask |= MIIM_BITMAP;
          mii.hbmpItem = HBMMENU_CALLBACK;
        }
      }
    }
    InsertMenuItemW(FHandle, pos++, TRUE, &mii);
  }
  if (menuBar && FMenu->WindowHandle()) DrawMenuBar(FMenu->WindowHandle());
  // The menu this one is merged into shows its items too.
  if (FMergedWith) FMergedWith->RebuildHandle();
}

void TMenuItem::MenuChanged(bool Rebuild) {
  if (ComponentState().Contains(csDestroying)) return;
  if (FParent) FParent->RebuildHandle();
  if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, this, Rebuild);
}

// ---- Properties

void TMenuItem::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  MenuChanged(true);
}

void TMenuItem::TurnSiblingsOff() {
  if (!FParent) return;
  for (TMenuItem* item : FParent->FItems) {
    if (item != this && item->FRadioItem && item->FGroupIndex == FGroupIndex && item->FChecked) {
      item->FChecked = false;
      if (item->FActionLink) {
        if (auto* a = dynamic_cast<TCustomAction*>(item->FActionLink->Action())) a->SetChecked(false);
      }
    }
  }
}

void TMenuItem::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  if (Value && FRadioItem) TurnSiblingsOff();
  MenuChanged(false);
}

void TMenuItem::SetRadioItem(bool Value) {
  if (FRadioItem == Value) return;
  FRadioItem = Value;
  if (FChecked && FRadioItem) TurnSiblingsOff();
  MenuChanged(true);
}

void TMenuItem::SetGroupIndex(uint8_t Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  if (FChecked && FRadioItem) TurnSiblingsOff();
  MenuChanged(true);
}

void TMenuItem::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  MenuChanged(false);
}

void TMenuItem::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  MenuChanged(true);
}

void TMenuItem::SetBreak(TMenuBreak Value) {
  if (FBreak == Value) return;
  FBreak = Value;
  MenuChanged(true);
}

void TMenuItem::SetDefault(bool Value) {
  if (FDefault == Value) return;
  // A sub-menu has one default item at most.
  if (Value && FParent)
    for (TMenuItem* item : FParent->FItems)
      if (item != this) item->FDefault = false;
  FDefault = Value;
  MenuChanged(false);
}

void TMenuItem::SetShortCut(TShortCut Value) {
  if (FShortCut == Value) return;
  FShortCut = Value;
  MenuChanged(true);
}

void TMenuItem::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  MenuChanged(true);
}

TBitmap* TMenuItem::Bitmap() {
  if (!FBitmap) FBitmap = new TBitmap();
  return FBitmap;
}

void TMenuItem::SetBitmap(TBitmap* Value) {
  if (!Value) {
    delete FBitmap;
    FBitmap = nullptr;
  } else {
    Bitmap()->Assign(Value);
  }
  MenuChanged(true);
}

bool TMenuItem::HasBitmap() const { return FBitmap && !FBitmap->Empty(); }

void TMenuItem::SetSubMenuImages(TCustomImageList* Value) {
  if (FSubMenuImages == Value) return;
  if (FSubMenuImages) FSubMenuImages->RemoveFreeNotification(this);
  FSubMenuImages = Value;
  if (Value) Value->FreeNotification(this);
  RebuildHandle();
  MenuChanged(true);
}

void TMenuItem::SetAutoHotkeys(TMenuItemAutoFlag Value) {
  if (FAutoHotkeys == Value) return;
  FAutoHotkeys = Value;
  RebuildHandle();
  MenuChanged(true);
}

void TMenuItem::SetAutoLineReduction(TMenuItemAutoFlag Value) {
  if (FAutoLineReduction == Value) return;
  FAutoLineReduction = Value;
  RebuildHandle();
  MenuChanged(true);
}

// ---- Actions

TBasicAction* TMenuItem::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TMenuItem::SetAction(TBasicAction* Value) {
  if (!Value) {
    delete FActionLink;
    FActionLink = nullptr;
    return;
  }
  if (!FActionLink) FActionLink = new TMenuActionLink(this);
  FActionLink->SetAction(Value);
  ActionChange(Value, ComponentState().Contains(csLoading));
  Value->FreeNotification(this);
}

void TMenuItem::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action) return;
  if (!CheckDefaults || FCaption.empty()) SetCaption(action->Caption());
  if (!CheckDefaults || !FChecked) SetChecked(action->Checked());
  if (!CheckDefaults || FEnabled) SetEnabled(action->Enabled());
  if (!CheckDefaults || FHint.empty()) SetHint(action->Hint());
  if (!CheckDefaults || FImageIndex == -1) SetImageIndex(action->ImageIndex());
  if (!CheckDefaults || FShortCut == scNone) SetShortCut(action->ShortCut());
  if (!CheckDefaults || FVisible) SetVisible(action->Visible());
  if (!CheckDefaults || !OnClick) OnClick = action->OnExecute;
}

void TMenuItem::InitiateAction() {
  if (FActionLink) FActionLink->Update();
}

void TMenuItem::InitiateActions() {
  std::vector<TMenuItem*> items = FItems;
  for (TMenuItem* item : items) item->InitiateAction();
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  auto* action = FActionLink ? dynamic_cast<TCustomAction*>(FActionLink->Action()) : nullptr;
  // An action that checks itself does it for the item too.
  if (FAutoCheck && !(action && action->AutoCheck())) SetChecked(!FChecked);
  // The action's handler runs through the action, so that its update and
  // execute events see the item.
  if (OnClick && (!FActionLink || !FActionLink->Action() || !(OnClick == FActionLink->Action()->OnExecute)))
    OnClick(this);
  else if (FActionLink && FActionLink->Action())
    FActionLink->Execute(this);
  else
    OnClick(this);
}

void TMenuItem::Loaded() {
  TComponent::Loaded();
  if (FActionLink && FActionLink->Action()) ActionChange(FActionLink->Action(), true);
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (FActionLink && AComponent == FActionLink->Action()) SetAction(nullptr);
  if (AComponent == FSubMenuImages) {
    FSubMenuImages = nullptr;
    RebuildHandle();
  }
}

// ---- Owner drawing

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height) {
  TMenu* menu = GetParentMenu();
  TCustomImageList* images = GetImageList();
  if (menu && !menu->OwnerDraw()) {
    // Only the image of a callback bitmap is measured.
    Width = images ? images->Width() : 0;
    Height = images ? images->Height() : 0;
    return;
  }
  bool top = IsTopLevel();
  if (FDefault) ACanvas->Font()->SetStyle(ACanvas->Font()->Style() + TFontStyles{fsBold});
  if (IsLine()) {
    Width = 10;
    Height = GetSystemMetrics(SM_CYMENU) / 2;
  } else {
    TSize text = ACanvas->TextExtent(StripHotkey(DisplayCaption(true)));
    if (top) {
      Width = text.cx + 8;
      Height = std::max<int>(GetSystemMetrics(SM_CYMENU), text.cy);
    } else {
      int column = std::max(GetSystemMetrics(SM_CXMENUCHECK), images ? images->Width() : 0) + 6;
      Width = column + text.cx + 16;
      if (FShortCut != scNone) Width += ACanvas->TextWidth(ShortCutToText(FShortCut)) + 16;
      Height = std::max({GetSystemMetrics(SM_CYMENU), static_cast<int>(text.cy) + 4,
                         images ? images->Height() + 4 : 0});
    }
  }
  OnMeasureItem(this, ACanvas, Width, Height);
}

void TMenuItem::DrawItem(TCanvas* ACanvas, const TRect& ARect, bool Selected) {
  OnDrawItem(this, ACanvas, ARect, Selected);
}

void TMenuItem::AdvancedDrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State, bool TopLevel) {
  TMenu* menu = GetParentMenu();
  if (menu && !menu->OwnerDraw()) {
    // The callback bitmap of a standard item: its image only.
    if (TCustomImageList* images = GetImageList())
      if (FImageIndex >= 0 && FImageIndex < images->Count())
        images->Draw(ACanvas, ARect.Left, ARect.Top + (ARect.Height() - images->Height()) / 2, FImageIndex,
                     FEnabled);
    return;
  }
  if (OnDrawItem || OnAdvancedDrawItem) {
    DrawItem(ACanvas, ARect, State.Contains(odSelected));
    OnAdvancedDrawItem(this, ACanvas, ARect, State);
    return;
  }
  DefaultDrawItem(ACanvas, ARect, State, TopLevel);
}

void TMenuItem::DefaultDrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State, bool TopLevel) {
  bool selected = State.Contains(odSelected) || (TopLevel && State.Contains(odHotLight));
  bool disabled = State.Contains(odDisabled) || State.Contains(odGrayed) || !FEnabled;
  TColor back = selected ? clHighlight : (TopLevel ? clBtnFace : clMenu);
  TColor fore = disabled ? clGrayText : (selected ? clHighlightText : clMenuText);
  ACanvas->Brush()->SetColor(back);
  ACanvas->FillRect(ARect);
  HDC dc = ACanvas->Handle();
  if (IsLine()) {
    RECT line{ARect.Left + 2, (ARect.Top + ARect.Bottom) / 2 - 1, ARect.Right - 2, (ARect.Top + ARect.Bottom) / 2 + 1};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  TRect text = ARect;
  if (!TopLevel) {
    TCustomImageList* images = GetImageList();
    int column = std::max(GetSystemMetrics(SM_CXMENUCHECK), images ? images->Width() : 0) + 6;
    TRect box = Rect(ARect.Left, ARect.Top, ARect.Left + column, ARect.Bottom);
    if (images && FImageIndex >= 0 && FImageIndex < images->Count()) {
      images->Draw(ACanvas, box.Left + (box.Width() - images->Width()) / 2,
                   box.Top + (box.Height() - images->Height()) / 2, FImageIndex, !disabled);
    } else if (HasBitmap()) {
      ACanvas->Draw(box.Left + (box.Width() - FBitmap->Width()) / 2, box.Top + (box.Height() - FBitmap->Height()) / 2,
                    FBitmap);
    } else if (FChecked) {
      DrawMenuCheck(dc, box, FRadioItem, fore, back);
    }
    text.Left = box.Right + 2;
    text.Right -= 8;
  }
  if (FDefault) ACanvas->Font()->SetStyle(ACanvas->Font()->Style() + TFontStyles{fsBold});
  ACanvas->Font()->SetColor(fore);
  ACanvas->Brush()->SetStyle(bsClear);
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | (TopLevel ? DT_CENTER : DT_LEFT);
  if (State.Contains(odNoAccel)) flags |= DT_HIDEPREFIX;
  String caption = DisplayCaption(true);
  RECT r{text.Left, text.Top, text.Right, text.Bottom};
  // An empty TextRect makes the canvas select its font, text colour and
  // background mode without drawing anything.
  ACanvas->TextRect(TRect{}, 0, 0, String());
  DrawTextW(dc, W(caption), static_cast<int>(caption.size()), &r, flags);
  if (!TopLevel && FShortCut != scNone) {
    String sc = ShortCutToText(FShortCut);
    DrawTextW(dc, W(sc), static_cast<int>(sc.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  }
  ACanvas->Brush()->SetStyle(bsSolid);
}

FW_REGISTER(TMenuItem) {
  c.Property(u"Action", &TMenuItem::Action, &TMenuItem::SetAction);
  c.Property(u"AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck).Default(false);
  c.Property(u"AutoHotkeys", &TMenuItem::AutoHotkeys, &TMenuItem::SetAutoHotkeys).Default(maParent);
  c.Property(u"AutoLineReduction", &TMenuItem::AutoLineReduction, &TMenuItem::SetAutoLineReduction)
      .Default(maParent);
  c.Property(u"Bitmap", &TMenuItem::Bitmap, &TMenuItem::SetBitmap).Stored(&TMenuItem::HasBitmap);
  c.Property(u"Break", &TMenuItem::Break, &TMenuItem::SetBreak).Default(mbNone);
  c.Property(u"Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
  c.Property(u"Checked", &TMenuItem::Checked, &TMenuItem::SetChecked).Default(false);
  c.Property(u"Default", &TMenuItem::Default, &TMenuItem::SetDefault).Default(false);
  c.Property(u"Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(true);
  c.Property(u"GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex).Default(0);
  c.Property(u"HelpContext", &TMenuItem::HelpContext, &TMenuItem::SetHelpContext).Default(0);
  c.Property(u"Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
  c.Property(u"ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex).Default(-1);
  c.Property(u"RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem).Default(false);
  c.Property(u"ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut).Default(0);
  c.Property(u"SubMenuImages", &TMenuItem::SubMenuImages, &TMenuItem::SetSubMenuImages);
  c.Property(u"Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(true);
  c.Event(u"OnClick", &TMenuItem::OnClick);
  c.Event(u"OnDrawItem", &TMenuItem::OnDrawItem);
  c.Event(u"OnAdvancedDrawItem", &TMenuItem::OnAdvancedDrawItem);
  c.Event(u"OnMeasureItem", &TMenuItem::OnMeasureItem);
}

}  // namespace fw
