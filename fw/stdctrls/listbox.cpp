#include "fw/stdctrls/listbox.h"

#include <algorithm>

#include "fw/controls/controlcanvas.h"
#include "fw/core/rtti.h"

namespace fw {

// ---- TListBoxStrings

bool TListBoxStrings::HasWindow() const { return FListBox->HandleAllocated(); }

void TListBoxStrings::WindowInsert(int Index, const String& S) {
  if (FListBox->Send(LB_INSERTSTRING, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.c_str())) < 0)
    throw EOutOfResources(u"Cannot add an item to the list box");
}

void TListBoxStrings::WindowDelete(int Index) { FListBox->Send(LB_DELETESTRING, static_cast<WPARAM>(Index)); }

void TListBoxStrings::WindowClear() { FListBox->Send(LB_RESETCONTENT); }

void TListBoxStrings::WindowSetRedraw(bool Redraw) {
  FListBox->Send(WM_SETREDRAW, Redraw ? 1 : 0);
  if (Redraw) FListBox->Invalidate();
}

bool TListBoxStrings::WindowSelected(int Index) const { return FListBox->Selected(Index); }

void TListBoxStrings::WindowSetSelected(int Index, bool Value) { FListBox->SetSelected(Index, Value); }

// ---- TCustomListBox

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(new TListBoxStrings(this)), FCanvas(new TControlCanvas(this)) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  FWidth = 121;
  FHeight = 97;
  FTabStop = true;
  FColor = clWindow;
  FParentColor = false;
}

TCustomListBox::~TCustomListBox() {
  if (FHandle) DestroyHandle();
  delete FItems;
  FItems = nullptr;
  delete FCanvas;
}

LRESULT TCustomListBox::Send(UINT Msg, WPARAM WParam, LPARAM LParam) const {
  return FHandle ? SendMessageW(FHandle, Msg, WParam, LParam) : 0;
}

void TCustomListBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"LISTBOX");
  Params.Style |= LBS_NOTIFY | LBS_HASSTRINGS | WS_VSCROLL;
  if (!FIntegralHeight) Params.Style |= LBS_NOINTEGRALHEIGHT;
  if (FColumns > 0) Params.Style |= LBS_MULTICOLUMN | WS_HSCROLL;
  if (FStyle == lbOwnerDrawFixed) Params.Style |= LBS_OWNERDRAWFIXED;
  // Variable heights exist in one column only.
  if (FStyle == lbOwnerDrawVariable) Params.Style |= FColumns > 0 ? LBS_OWNERDRAWFIXED : LBS_OWNERDRAWVARIABLE;
  if (FMultiSelect) Params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  AssignUniqueControlId(FHandle);
  if (IsOwnerDraw() && (GetWindowLongPtrW(FHandle, GWL_STYLE) & LBS_OWNERDRAWFIXED))
    Send(LB_SETITEMHEIGHT, 0, FItemHeight);
  UpdateColumnWidth();
  FItems->FillWindow();
  if (FMultiSelect)
    for (int i : FSaveSelected)
      if (i < Count()) Send(LB_SETSEL, 1, i);
  SetItemIndex(FSaveItemIndex);
  Send(LB_SETTOPINDEX, static_cast<WPARAM>(FSaveTopIndex));
  FSaveSelected.clear();
}

void TCustomListBox::DestroyWnd() {
  if (FHandle) {
    FSaveItemIndex = ItemIndex();
    FSaveTopIndex = TopIndex();
    FSaveSelected.clear();
    if (FMultiSelect)
      for (int i = 0; i < Count(); ++i)
        if (Selected(i)) FSaveSelected.push_back(i);
  }
  TWinControl::DestroyWnd();
}

void TCustomListBox::UpdateColumnWidth() {
  if (FHandle && FColumns > 0) Send(LB_SETCOLUMNWIDTH, static_cast<WPARAM>(std::max(1, ClientWidth() / FColumns)));
}

void TCustomListBox::Resize() {
  UpdateColumnWidth();
  TWinControl::Resize();
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  RecreateWnd();
}

int TCustomListBox::ItemHeight() const {
  if (FHandle && FStyle == lbStandard) return static_cast<int>(Send(LB_GETITEMHEIGHT));
  return FItemHeight;
}

void TCustomListBox::SetItemHeight(int Value) {
  if (Value <= 0 || FItemHeight == Value) return;
  FItemHeight = Value;
  if (FHandle && IsOwnerDraw() && (GetWindowLongPtrW(FHandle, GWL_STYLE) & LBS_OWNERDRAWFIXED)) {
    Send(LB_SETITEMHEIGHT, 0, Value);
    Invalidate();
  }
}

void TCustomListBox::SetColumns(int Value) {
  if (Value < 0) Value = 0;
  if (FColumns == Value) return;
  bool recreate = (FColumns == 0) != (Value == 0);
  FColumns = Value;
  if (recreate) RecreateWnd();
  else UpdateColumnWidth();
}

void TCustomListBox::SetMultiSelect(bool Value) {
  if (FMultiSelect == Value) return;
  FMultiSelect = Value;
  RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool Value) {
  if (FExtendedSelect == Value) return;
  FExtendedSelect = Value;
  RecreateWnd();
}

void TCustomListBox::SetIntegralHeight(bool Value) {
  if (FIntegralHeight == Value) return;
  FIntegralHeight = Value;
  RecreateWnd();
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

int TCustomListBox::ItemIndex() const {
  if (!FHandle) return FSaveItemIndex;
  return static_cast<int>(Send(FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL));
}

void TCustomListBox::SetItemIndex(int Value) {
  if (!FHandle) {
    FSaveItemIndex = Value;
    return;
  }
  if (FMultiSelect) Send(LB_SETCARETINDEX, static_cast<WPARAM>(Value));
  else Send(LB_SETCURSEL, static_cast<WPARAM>(Value));
}

bool TCustomListBox::Selected(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(u"List index out of bounds");
  if (!FHandle) {
    return FMultiSelect ? std::find(FSaveSelected.begin(), FSaveSelected.end(), Index) != FSaveSelected.end()
                        : FSaveItemIndex == Index;
  }
  return Send(LB_GETSEL, static_cast<WPARAM>(Index)) > 0;
}

void TCustomListBox::SetSelected(int Index, bool Value) {
  if (Index < 0 || Index >= Count()) throw EListError(u"List index out of bounds");
  if (!FHandle) {
    if (FMultiSelect) {
      auto it = std::find(FSaveSelected.begin(), FSaveSelected.end(), Index);
      if (Value && it == FSaveSelected.end()) FSaveSelected.push_back(Index);
      if (!Value && it != FSaveSelected.end()) FSaveSelected.erase(it);
    } else if (Value || FSaveItemIndex == Index) {
      FSaveItemIndex = Value ? Index : -1;
    }
    return;
  }
  if (FMultiSelect) Send(LB_SETSEL, Value ? 1 : 0, Index);
  else if (Value) Send(LB_SETCURSEL, static_cast<WPARAM>(Index));
  else if (ItemIndex() == Index) Send(LB_SETCURSEL, static_cast<WPARAM>(-1));
}

int TCustomListBox::SelCount() const {
  if (!FHandle) return FMultiSelect ? static_cast<int>(FSaveSelected.size()) : (FSaveItemIndex >= 0 ? 1 : 0);
  if (FMultiSelect) return static_cast<int>(Send(LB_GETSELCOUNT));
  return Send(LB_GETCURSEL) >= 0 ? 1 : 0;
}

void TCustomListBox::SelectAll() {
  if (!FMultiSelect) return;
  if (FHandle) Send(LB_SETSEL, 1, -1);
  else
    for (int i = 0; i < Count(); ++i) SetSelected(i, true);
}

void TCustomListBox::ClearSelection() {
  if (!FHandle) {
    FSaveSelected.clear();
    FSaveItemIndex = -1;
    return;
  }
  if (FMultiSelect) Send(LB_SETSEL, 0, -1);
  else Send(LB_SETCURSEL, static_cast<WPARAM>(-1));
}

void TCustomListBox::DeleteSelected() {
  FItems->BeginUpdate();
  for (int i = Count() - 1; i >= 0; --i)
    if (Selected(i)) FItems->Delete(i);
  FItems->EndUpdate();
}

int TCustomListBox::TopIndex() const { return FHandle ? static_cast<int>(Send(LB_GETTOPINDEX)) : FSaveTopIndex; }

void TCustomListBox::SetTopIndex(int Value) {
  if (FHandle) Send(LB_SETTOPINDEX, static_cast<WPARAM>(Value));
  else FSaveTopIndex = Value;
}

TRect TCustomListBox::ItemRect(int Index) const {
  RECT r{};
  if (FHandle && Send(LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r)) == LB_ERR)
    return TRect{};
  return TRect{r.left, r.top, r.right, r.bottom};
}

int TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing) const {
  int count = Count();
  if (count > 0 && FHandle) {
    TRect client = ClientRect();
    for (int i = std::max(0, TopIndex()); i < count; ++i) {
      TRect r = ItemRect(i);
      if (Pos.x >= r.Left && Pos.x < r.Right && Pos.y >= r.Top && Pos.y < r.Bottom) return i;
      // Items beyond the client area cannot be under a point inside it.
      if (r.Left >= client.Right || (FColumns == 0 && r.Top >= client.Bottom)) break;
    }
    if (!Existing) return count;
  }
  return -1;
}

TCanvas* TCustomListBox::Canvas() const { return FCanvas; }

void TCustomListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  FCanvas->FillRect(Rect);
  if (Index < Count()) FCanvas->TextOut(Rect.Left + 2, Rect.Top, FItems->Strings(Index));
}

void TCustomListBox::MeasureItem(int Index, int& Height) { OnMeasureItem(this, Index, Height); }

void TCustomListBox::CNDrawItem(TMessage& Message) {
  auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  TOwnerDrawState state = OwnerDrawStateOf(d->itemState);
  int index = static_cast<int>(d->itemID);
  TRect r{d->rcItem.left, d->rcItem.top, d->rcItem.right, d->rcItem.bottom};
  {
    TCanvasDCScope onDC(FCanvas, d->hDC);
    FCanvas->SetFont(Font());
    FCanvas->Brush()->SetStyle(bsSolid);
    FCanvas->Brush()->SetColor(Color());
    if (index >= 0 && state.Contains(odSelected)) {
      FCanvas->Brush()->SetColor(clHighlight);
      FCanvas->Font()->SetColor(clHighlightText);
    }
    if (index >= 0 && index < Count()) DrawItem(index, r, state);
    else FCanvas->FillRect(r);
    if (state.Contains(odFocused) && !state.Contains(odNoFocusRect)) {
      RECT fr = d->rcItem;
      ::DrawFocusRect(d->hDC, &fr);
    }
  }
  Message.Result = 1;
}

void TCustomListBox::CNMeasureItem(TMessage& Message) {
  auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  // Before the window has its identifier the question may be another
  // control's: the default height is a harmless answer.
  mi->itemHeight = static_cast<UINT>(FItemHeight);
  LONG_PTR id = FHandle ? GetWindowLongPtrW(FHandle, GWL_ID) : 0;
  int index = static_cast<int>(mi->itemID);
  if (FStyle == lbOwnerDrawVariable && id != 0 && static_cast<LONG_PTR>(mi->CtlID) == id && index >= 0 &&
      index < Count()) {
    int height = FItemHeight;
    MeasureItem(index, height);
    mi->itemHeight = static_cast<UINT>(std::clamp(height, 1, 255));
  }
  Message.Result = 1;
}

void TCustomListBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      switch (HIWORD(Message.WParam)) {
        case LBN_SELCHANGE:
          Click();
          break;
        case LBN_DBLCLK:
          DblClick();
          break;
        default:
          break;
      }
      return;
    case CN_DRAWITEM:
      CNDrawItem(Message);
      return;
    case CN_MEASUREITEM:
      CNMeasureItem(Message);
      return;
    case CN_CTLCOLORLISTBOX:
      Message.Result = ControlColorResult(reinterpret_cast<HDC>(Message.WParam), Font()->Color(), Color(),
                                          BrushHandle());
      return;
    default:
      TWinControl::Dispatch(Message);
  }
}

// ---- TCheckListBox

namespace {

// The extra word of a check list item: the state in the low bits, and a
// bit for a disabled item.
constexpr intptr_t kStateMask = 3;
constexpr intptr_t kDisabled = 4;

}  // namespace

TCheckListBox::TCheckListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}

void TCheckListBox::CreateParams(TCreateParams& Params) {
  TCustomListBox::CreateParams(Params);
  // A standard list draws its checks itself too.
  if (Style() == lbStandard) Params.Style |= LBS_OWNERDRAWFIXED;
}

int TCheckListBox::CheckWidth() const { return GetSystemMetrics(SM_CXMENUCHECK) + 4; }

TCheckBoxState TCheckListBox::State(int Index) const {
  return static_cast<TCheckBoxState>(ItemList()->Extra(Index) & kStateMask);
}

void TCheckListBox::SetState(int Index, TCheckBoxState Value) {
  intptr_t extra = ItemList()->Extra(Index);
  ItemList()->SetExtra(Index, (extra & ~kStateMask) | static_cast<intptr_t>(Value));
  InvalidateItem(Index);
}

bool TCheckListBox::ItemEnabled(int Index) const { return (ItemList()->Extra(Index) & kDisabled) == 0; }

void TCheckListBox::SetItemEnabled(int Index, bool Value) {
  intptr_t extra = ItemList()->Extra(Index);
  ItemList()->SetExtra(Index, Value ? (extra & ~kDisabled) : (extra | kDisabled));
  InvalidateItem(Index);
}

void TCheckListBox::InvalidateItem(int Index) {
  if (!HandleAllocated()) return;
  TRect r = ItemRect(Index);
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  InvalidateRect(WindowHandle(), &rc, FALSE);
}

void TCheckListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  TCanvas* canvas = Canvas();
  int cw = CheckWidth();
  TRect check{Rect.Left, Rect.Top, Rect.Left + cw, Rect.Bottom};
  TColor brush = canvas->Brush()->Color(), font = canvas->Font()->Color();
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(check);
  int side = std::min(cw - 4, Rect.Height() - 2);
  RECT box{check.Left + 2, check.Top + (check.Height() - side) / 2, 0, 0};
  box.right = box.left + side;
  box.bottom = box.top + side;
  UINT flags = DFCS_BUTTONCHECK;
  TCheckBoxState s = this->State(Index);
  if (s == cbChecked) flags |= DFCS_CHECKED;
  if (s == cbGrayed) flags |= DFCS_BUTTON3STATE | DFCS_CHECKED;
  if (!ItemEnabled(Index) || !Enabled()) flags |= DFCS_INACTIVE;
  DrawFrameControl(canvas->Handle(), &box, DFC_BUTTON, flags);
  canvas->Brush()->SetColor(brush);
  if (!ItemEnabled(Index)) canvas->Font()->SetColor(clGrayText);
  else canvas->Font()->SetColor(font);
  TCustomListBox::DrawItem(Index, TRect{Rect.Left + cw, Rect.Top, Rect.Right, Rect.Bottom}, State);
}

void TCheckListBox::ClickCheck() { OnClickCheck(this); }

void TCheckListBox::ToggleClickCheck(int Index) {
  if (Index < 0 || Index >= Count() || !ItemEnabled(Index)) return;
  TCheckBoxState next = cbChecked;
  switch (State(Index)) {
    case cbUnchecked: next = FAllowGrayed ? cbGrayed : cbChecked; break;
    case cbChecked: next = cbUnchecked; break;
    case cbGrayed: next = cbChecked; break;
  }
  SetState(Index, next);
  ClickCheck();
}

void TCheckListBox::WMLButtonDown(TMessage& Message) {
  TCustomListBox::WMLButtonDown(Message);
  TPoint p{Message.XPos(), Message.YPos()};
  int index = ItemAtPos(p, true);
  if (index < 0) return;
  TRect r = ItemRect(index);
  if (p.x >= r.Left && p.x < r.Left + CheckWidth()) ToggleClickCheck(index);
}

void TCheckListBox::KeyPress(char16_t& Key) {
  if (Key == u' ') {
    ToggleClickCheck(ItemIndex());
    Key = 0;
    return;
  }
  TCustomListBox::KeyPress(Key);
}

FW_REGISTER(TListBoxStrings) {}

FW_REGISTER(TCustomListBox) {}

#define FW_LISTBOX_PROPERTIES(C)                                                                        \
  c.Property(u"BorderStyle", &C::BorderStyle, &C::SetBorderStyle).Type(TypeInfoTBorderStyle()).Default(bsSingle); \
  c.Property(u"Columns", &C::Columns, &C::SetColumns).Default(0);                                       \
  c.Property(u"ExtendedSelect", &C::ExtendedSelect, &C::SetExtendedSelect).Default(true);               \
  c.Property(u"IntegralHeight", &C::IntegralHeight, &C::SetIntegralHeight).Default(false);              \
  c.Property(u"ItemHeight", &C::ItemHeight, &C::SetItemHeight).Default(16);                             \
  c.Property(u"Items", &C::Items, &C::SetItems);                                                        \
  c.Property(u"MultiSelect", &C::MultiSelect, &C::SetMultiSelect).Default(false);                       \
  c.Property(u"Sorted", &C::Sorted, &C::SetSorted).Default(false);                                      \
  c.Property(u"Style", &C::Style, &C::SetStyle).Default(lbStandard);                                    \
  c.Property(u"OnDrawItem", &C::OnDrawItem, &C::OnDrawItem);                                            \
  c.Property(u"OnMeasureItem", &C::OnMeasureItem, &C::OnMeasureItem)

FW_REGISTER(TListBox) { FW_LISTBOX_PROPERTIES(TListBox); }

FW_REGISTER(TCheckListBox) {
  FW_LISTBOX_PROPERTIES(TCheckListBox);
  c.Property(u"AllowGrayed", &TCheckListBox::AllowGrayed, &TCheckListBox::SetAllowGrayed).Default(false);
  c.Event(u"OnClickCheck", &TCheckListBox::OnClickCheck);
}

#undef FW_LISTBOX_PROPERTIES

}  // namespace fw
