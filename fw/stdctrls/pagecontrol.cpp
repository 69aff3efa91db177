#include "fw/stdctrls/pagecontrol.h"

#include <commctrl.h>

#include <algorithm>

#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"

namespace fw {

// ---- TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FColor = clBtnFace;
  FParentColor = false;
  // The page control shows the active sheet.
  FVisible = false;
}

TTabSheet::~TTabSheet() {
  if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* Value) {
  if (FPageControl == Value) return;
  SetParent(Value);
}

int TTabSheet::PageIndex() const {
  if (!FPageControl) return -1;
  auto& pages = FPageControl->FPages;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int Value) {
  if (FPageControl) FPageControl->MovePage(this, Value);
}

int TTabSheet::TabIndex() const {
  if (!FPageControl || !FTabVisible) return -1;
  int index = 0;
  for (TTabSheet* page : FPageControl->FPages) {
    if (page == this) return index;
    if (page->FTabVisible) ++index;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool Value) {
  if (FTabVisible == Value) return;
  FTabVisible = Value;
  if (!FPageControl) return;
  if (!Value && FPageControl->FActivePage == this) {
    TTabSheet* next = FPageControl->FindNextPage(this, true);
    FPageControl->SetActivePage(next != this ? next : nullptr);
  }
  FPageControl->UpdateTabs();
}

void TTabSheet::CMTextChanged(TMessage& Message) {
  TWinControl::CMTextChanged(Message);
  if (FPageControl) FPageControl->UpdateTab(this);
}

// ---- TPageControl

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(new TControlCanvas(this)) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csDoubleClicks};
  FWidth = 289;
  FHeight = 193;
  FTabStop = true;
  FColor = clBtnFace;
  FParentColor = false;
}

TPageControl::~TPageControl() {
  // The sheets are freed after this part of the object is gone: they must
  // not call back.
  for (TTabSheet* page : FPages) page->FPageControl = nullptr;
  FPages.clear();
  FActivePage = nullptr;
  delete FCanvas;
}

TTabSheet* TPageControl::Pages(int Index) const {
  if (Index < 0 || Index >= PageCount()) throw EListError(u"List index out of bounds (" + IntToStr(Index) + u")");
  return FPages[static_cast<size_t>(Index)];
}

void TPageControl::CreateParams(TCreateParams& Params) {
  InitCommonControlClasses(ICC_TAB_CLASSES);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_TABCONTROLW);
  if (FOwnerDraw) Params.Style |= TCS_OWNERDRAWFIXED;
}

void TPageControl::SetOwnerDraw(bool Value) {
  if (FOwnerDraw == Value) return;
  FOwnerDraw = Value;
  RecreateWnd();
}

void TPageControl::DrawTab(int TabIndex, const TRect& Rect, bool Active) {
  if (OnDrawTab.Assigned()) {
    OnDrawTab(this, TabIndex, Rect, Active);
    return;
  }
  FCanvas->FillRect(Rect);
  for (TTabSheet* page : FPages)
    if (page->TabIndex() == TabIndex) {
      RECT r{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
      DrawTextW(FCanvas->Handle(), reinterpret_cast<const wchar_t*>(page->Caption().c_str()), -1, &r,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void TPageControl::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateTabs();
}

void TPageControl::CreateHandleChildren() {
  // The window has its font now: the display area is known.
  Realign();
  TWinControl::CreateHandleChildren();
}

void TPageControl::CMFontChanged(TMessage& Message) {
  TWinControl::CMFontChanged(Message);
  Realign();
}

void TPageControl::Loaded() {
  TWinControl::Loaded();
  if (!FActivePage) {
    for (TTabSheet* page : FPages)
      if (page->FTabVisible) {
        SetActivePage(page);
        break;
      }
  }
  ShowActivePage();
}

void TPageControl::InsertPage(TTabSheet* Page) {
  if (std::find(FPages.begin(), FPages.end(), Page) != FPages.end()) return;
  FPages.push_back(Page);
  Page->FPageControl = this;
  UpdateTabs();
  if (!FActivePage && !ComponentState().Contains(csLoading) && Page->FTabVisible) SetActivePage(Page);
  else if (Page != FActivePage) Page->SetVisible(false);
}

void TPageControl::RemovePage(TControl* Control) {
  auto it = std::find_if(FPages.begin(), FPages.end(), [&](TTabSheet* p) { return static_cast<TControl*>(p) == Control; });
  if (it == FPages.end()) return;
  TTabSheet* Page = *it;
  TTabSheet* next = FActivePage == Page ? FindNextPage(Page, true) : nullptr;
  FPages.erase(it);
  Page->FPageControl = nullptr;
  if (FActivePage == Page) {
    FActivePage = nullptr;
    if (next && next != Page) SetActivePage(next);
  }
  UpdateTabs();
}

void TPageControl::MovePage(TTabSheet* Page, int Index) {
  auto it = std::find(FPages.begin(), FPages.end(), Page);
  if (it == FPages.end()) return;
  FPages.erase(it);
  Index = std::clamp(Index, 0, PageCount());
  FPages.insert(FPages.begin() + Index, Page);
  UpdateTabs();
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward) const {
  int count = PageCount();
  if (count == 0) return nullptr;
  auto it = std::find(FPages.begin(), FPages.end(), CurPage);
  int start = it == FPages.end() ? (GoForward ? count - 1 : 0) : static_cast<int>(it - FPages.begin());
  int i = start;
  do {
    i = GoForward ? (i + 1) % count : (i + count - 1) % count;
    TTabSheet* page = FPages[static_cast<size_t>(i)];
    if (page->FTabVisible) return page;
  } while (i != start);
  return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward) {
  TTabSheet* page = FindNextPage(FActivePage, GoForward);
  if (page && page != FActivePage && CanChange()) {
    SetActivePage(page);
    Change();
  }
}

void TPageControl::SetActivePage(TTabSheet* Value) {
  if (Value && Value->FPageControl != this) return;
  if (FActivePage == Value) return;
  TTabSheet* old = FActivePage;
  FActivePage = Value;
  ShowActivePage();
  if (old && old != Value) old->SetVisible(false);
}

void TPageControl::SetActivePageIndex(int Value) {
  SetActivePage(Value >= 0 && Value < PageCount() ? FPages[static_cast<size_t>(Value)] : nullptr);
}

void TPageControl::ShowActivePage() {
  if (FHandle) SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(FActivePage ? FActivePage->TabIndex() : -1), 0);
  if (!FActivePage) return;
  TRect r = ClientRect();
  AdjustClientRect(r);
  FActivePage->SetBounds(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
  FActivePage->BringToFront();
  FActivePage->SetVisible(true);
}

void TPageControl::UpdateTabs() {
  if (!FHandle) return;
  SendMessageW(FHandle, TCM_DELETEALLITEMS, 0, 0);
  int index = 0;
  for (TTabSheet* page : FPages) {
    if (!page->FTabVisible) continue;
    String caption = page->Caption();
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(W(caption));
    SendMessageW(FHandle, TCM_INSERTITEMW, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(FActivePage ? FActivePage->TabIndex() : -1), 0);
  Realign();
}

void TPageControl::UpdateTab(TTabSheet* Page) {
  int index = Page->TabIndex();
  if (!FHandle || index < 0) return;
  String caption = Page->Caption();
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(W(caption));
  SendMessageW(FHandle, TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  Realign();
}

void TPageControl::AdjustClientRect(TRect& Rect) {
  if (FHandle) {
    RECT r{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
    SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    Rect = TRect{r.left, r.top, r.right, r.bottom};
    return;
  }
  Rect.Left += 4;
  Rect.Top += 24;
  Rect.Right -= 4;
  Rect.Bottom -= 4;
}

void TPageControl::AlignControls(TControl* AControl, TRect& Rect) {
  for (TTabSheet* page : FPages)
    page->SetBounds(Rect.Left, Rect.Top, std::max(0, Rect.Width()), std::max(0, Rect.Height()));
  TWinControl::AlignControls(AControl, Rect);
}

bool TPageControl::CanChange() {
  bool allow = true;
  OnChanging(this, allow);
  return allow;
}

void TPageControl::Change() { OnChange(this); }

void TPageControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
      if (hdr->code == TCN_SELCHANGING) {
        Message.Result = CanChange() ? 0 : 1;
      } else if (hdr->code == TCN_SELCHANGE) {
        int tab = static_cast<int>(SendMessageW(FHandle, TCM_GETCURSEL, 0, 0));
        for (TTabSheet* page : FPages)
          if (page->TabIndex() == tab && tab >= 0) {
            SetActivePage(page);
            break;
          }
        Change();
      }
      return;
    }
    case CN_DRAWITEM: {
      const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
      TCanvasDCScope onDC(FCanvas, d->hDC);
      FCanvas->SetFont(Font());
      FCanvas->Brush()->SetColor(Color());
      FCanvas->Brush()->SetStyle(bsSolid);
      SetBkMode(d->hDC, TRANSPARENT);
      DrawTab(int(d->itemID), Rect(d->rcItem.left, d->rcItem.top, d->rcItem.right, d->rcItem.bottom),
              (d->itemState & ODS_SELECTED) != 0);
      Message.Result = 1;
      return;
    }
    case CM_CONTROLCHANGE: {
      auto* control = reinterpret_cast<TControl*>(Message.WParam);
      if (Message.LParam) {
        if (auto* page = dynamic_cast<TTabSheet*>(control)) InsertPage(page);
      } else {
        // The control may be half destroyed: it is found by address.
        RemovePage(control);
      }
      return;
    }
    default:
      TWinControl::Dispatch(Message);
  }
}

FW_REGISTER(TTabSheet) {
  c.Property(u"PageControl", &TTabSheet::PageControl, &TTabSheet::SetPageControl).Stored(false);
  c.Property(u"TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible).Default(true);
}

FW_REGISTER(TPageControl) {
  c.Property(u"ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
  c.Event(u"OnChange", &TPageControl::OnChange);
  c.Event(u"OnChanging", &TPageControl::OnChanging);
  c.Property(u"OwnerDraw", &TPageControl::OwnerDraw, &TPageControl::SetOwnerDraw).Default(false);
  c.Event(u"OnDrawTab", &TPageControl::OnDrawTab);
}

}  // namespace fw
