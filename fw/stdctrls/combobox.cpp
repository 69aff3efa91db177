#include "fw/stdctrls/combobox.h"

#include "fw/core/rtti.h"

namespace fw {

// ---- TComboBoxStrings

bool TComboBoxStrings::HasWindow() const { return FComboBox->HandleAllocated(); }

void TComboBoxStrings::WindowInsert(int Index, const String& S) {
  if (FComboBox->Send(CB_INSERTSTRING, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.c_str())) < 0)
    throw EOutOfResources(u"Cannot add an item to the combo box");
}

void TComboBoxStrings::WindowDelete(int Index) { FComboBox->Send(CB_DELETESTRING, static_cast<WPARAM>(Index)); }

void TComboBoxStrings::WindowClear() {
  // Clearing the list leaves the edit's text alone.
  String text = FComboBox->Text();
  FComboBox->Send(CB_RESETCONTENT);
  if (FComboBox->Style() != csDropDownList) FComboBox->Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TComboBoxStrings::WindowSetRedraw(bool Redraw) {
  FComboBox->Send(WM_SETREDRAW, Redraw ? 1 : 0);
  if (Redraw) FComboBox->Invalidate();
}

bool TComboBoxStrings::WindowSelected(int Index) const { return FComboBox->ItemIndex() == Index; }

void TComboBoxStrings::WindowSetSelected(int Index, bool Value) {
  if (Value) FComboBox->SetItemIndex(Index);
}

// ---- TCustomComboBox

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner), FItems(new TComboBoxStrings(this)) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csFixedHeight};
  FWidth = 145;
  FHeight = 21;
  FTabStop = true;
  FColor = clWindow;
  FParentColor = false;
}

TCustomComboBox::~TCustomComboBox() {
  if (FHandle) DestroyHandle();
  delete FItems;
  FItems = nullptr;
}

LRESULT TCustomComboBox::Send(UINT Msg, WPARAM WParam, LPARAM LParam) const {
  return FHandle ? SendMessageW(FHandle, Msg, WParam, LParam) : 0;
}

int TCustomComboBox::DroppedHeight(int Height) const {
  if (FStyle == csSimple) return Height;
  return Height + FDropDownCount * 16 + 2;
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  static constexpr DWORD kStyles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST};
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"COMBOBOX");
  Params.Style |= kStyles[FStyle] | CBS_HASSTRINGS | CBS_AUTOHSCROLL | WS_VSCROLL;
  // The height given to the window is its height with the list open.
  Params.Height = DroppedHeight(FHeight);
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomComboBox::CreateWnd() {
  TWinControl::CreateWnd();
  AssignUniqueControlId(FHandle);
  FItems->FillWindow();
  Send(CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength));
  if (FSaveItemIndex >= 0) Send(CB_SETCURSEL, static_cast<WPARAM>(FSaveItemIndex));
  else if (FStyle != csDropDownList) Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(FText.c_str()));
}

void TCustomComboBox::DestroyWnd() {
  if (FHandle) FSaveItemIndex = ItemIndex();
  TWinControl::DestroyWnd();
}

void TCustomComboBox::DoSetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FHandle) TWinControl::DoSetBounds(ALeft, ATop, AWidth, DroppedHeight(AHeight));
  else TWinControl::DoSetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  RecreateWnd();
}

int TCustomComboBox::ItemIndex() const {
  return FHandle ? static_cast<int>(Send(CB_GETCURSEL)) : FSaveItemIndex;
}

void TCustomComboBox::SetItemIndex(int Value) {
  // A description may name the index before the items.
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csReading)) {
    FSaveItemIndex = Value;
    return;
  }
  if (Value < -1 || Value >= FItems->Count()) Value = -1;
  if (!FHandle) {
    FSaveItemIndex = Value;
    if (Value >= 0) FText = FItems->Strings(Value);
    return;
  }
  Send(CB_SETCURSEL, static_cast<WPARAM>(Value));
}

void TCustomComboBox::Loaded() {
  TWinControl::Loaded();
  int index = FSaveItemIndex;
  FSaveItemIndex = -1;
  SetItemIndex(index);
}

void TCustomComboBox::SetDropDownCount(int Value) {
  if (Value < 1) Value = 1;
  FDropDownCount = Value;
  if (FHandle) TWinControl::DoSetBounds(Left(), Top(), Width(), DroppedHeight(Height()));
}

void TCustomComboBox::SetMaxLength(int Value) {
  FMaxLength = Value < 0 ? 0 : Value;
  Send(CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength));
}

bool TCustomComboBox::DroppedDown() const { return Send(CB_GETDROPPEDSTATE) != 0; }

void TCustomComboBox::SetDroppedDown(bool Value) { Send(CB_SHOWDROPDOWN, Value ? 1 : 0); }

void TCustomComboBox::Clear() {
  FItems->Clear();
  SetText(String());
}

void TCustomComboBox::Change() {
  if (ComponentState().Contains(csLoading)) return;
  OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect) OnSelect(this);
  else Change();
}

void TCustomComboBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      switch (HIWORD(Message.WParam)) {
        case CBN_SELCHANGE: {
          int index = ItemIndex();
          if (index >= 0 && FStyle != csDropDownList) {
            String text = FItems->Strings(index);
            Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
          }
          Click();
          Select();
          break;
        }
        case CBN_EDITCHANGE: Change(); break;
        case CBN_DROPDOWN: OnDropDown(this); break;
        case CBN_CLOSEUP: OnCloseUp(this); break;
        default: break;
      }
      return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      // The edit and the list of the combo box ask the combo box itself.
      Message.Result = ControlColorResult(reinterpret_cast<HDC>(Message.WParam), Font()->Color(), Color(),
                                          BrushHandle());
      return;
    default:
      TWinControl::Dispatch(Message);
  }
}

FW_REGISTER(TComboBoxStrings) {}

FW_REGISTER(TCustomComboBox) {}

FW_REGISTER(TComboBox) {
  c.Property(u"DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount).Default(8);
  c.Property(u"ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex).Default(-1);
  c.Property(u"Items", &TComboBox::Items, &TComboBox::SetItems);
  c.Property(u"MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength).Default(0);
  c.Property(u"Sorted", &TComboBox::Sorted, &TComboBox::SetSorted).Default(false);
  c.Property(u"Style", &TComboBox::Style, &TComboBox::SetStyle).Default(csDropDown);
  c.Property(u"Text", &TComboBox::Text, &TComboBox::SetText);
  c.Property(u"OnChange", &TComboBox::OnChange, &TComboBox::OnChange);
  c.Property(u"OnCloseUp", &TComboBox::OnCloseUp, &TComboBox::OnCloseUp);
  c.Property(u"OnDropDown", &TComboBox::OnDropDown, &TComboBox::OnDropDown);
  c.Property(u"OnSelect", &TComboBox::OnSelect, &TComboBox::OnSelect);
}

}  // namespace fw
