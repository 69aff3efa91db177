#include "fw/stdctrls/edit.h"

#include "fw/core/rtti.h"

namespace fw {

// ---- TCustomEdit

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
  FWidth = 121;
  FHeight = 21;
  FTabStop = true;
  FColor = clWindow;
  FParentColor = false;
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  static constexpr DWORD kAlignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  static constexpr DWORD kCases[] = {0, ES_UPPERCASE, ES_LOWERCASE};
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"EDIT");
  Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL | kAlignments[FAlignment] | kCases[FCharCase];
  if (FReadOnly) Params.Style |= ES_READONLY;
  if (FPasswordChar) Params.Style |= ES_PASSWORD;
  if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  Send(EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength));
  if (FPasswordChar) Send(EM_SETPASSWORDCHAR, FPasswordChar);
  Send(EM_SETMODIFY, FModified ? 1 : 0);
}

void TCustomEdit::DestroyWnd() {
  FModified = Modified();
  TWinControl::DestroyWnd();
}

LRESULT TCustomEdit::Send(UINT Msg, WPARAM WParam, LPARAM LParam) const {
  return FHandle ? SendMessageW(FHandle, Msg, WParam, LParam) : 0;
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomEdit::SetMaxLength(int Value) {
  if (Value < 0) Value = 0;
  FMaxLength = Value;
  Send(EM_LIMITTEXT, static_cast<WPARAM>(Value));
}

void TCustomEdit::SetReadOnly(bool Value) {
  if (FReadOnly == Value) return;
  FReadOnly = Value;
  Send(EM_SETREADONLY, Value ? 1 : 0);
}

void TCustomEdit::SetPasswordChar(char16_t Value) {
  if (FPasswordChar == Value) return;
  bool recreate = (FPasswordChar == 0) != (Value == 0);
  FPasswordChar = Value;
  if (recreate) {
    RecreateWnd();
  } else if (FHandle) {
    Send(EM_SETPASSWORDCHAR, Value);
    Invalidate();
  }
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  if (FCharCase == Value) return;
  FCharCase = Value;
  RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool Value) {
  if (FHideSelection == Value) return;
  FHideSelection = Value;
  RecreateWnd();
}

void TCustomEdit::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

bool TCustomEdit::Modified() const { return FHandle ? Send(EM_GETMODIFY) != 0 : FModified; }

void TCustomEdit::SetModified(bool Value) {
  FModified = Value;
  Send(EM_SETMODIFY, Value ? 1 : 0);
}

int TCustomEdit::SelStart() const {
  DWORD start = 0, end = 0;
  Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int Value) { Send(EM_SETSEL, static_cast<WPARAM>(Value), Value); }

int TCustomEdit::SelLength() const {
  DWORD start = 0, end = 0;
  Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int Value) {
  int start = SelStart();
  Send(EM_SETSEL, static_cast<WPARAM>(start), start + Value);
}

String TCustomEdit::SelText() const {
  DWORD start = 0, end = 0;
  Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  String text = Text();
  if (start > text.size()) return String();
  return text.substr(start, end - start);
}

void TCustomEdit::SetSelText(const String& Value) {
  Send(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(Value.c_str()));
}

void TCustomEdit::SelectAll() { Send(EM_SETSEL, 0, -1); }

void TCustomEdit::Change() {
  if (ComponentState().Contains(csLoading)) return;
  OnChange(this);
}

void TCustomEdit::DoEnter() {
  if (FAutoSelect && !FControlState.Contains(csLButtonDown) && FHandle &&
      (GetWindowLongPtrW(FHandle, GWL_STYLE) & ES_MULTILINE) == 0)
    SelectAll();
  TWinControl::DoEnter();
}

void TCustomEdit::CNCommand(TMessage& Message) {
  if (HIWORD(Message.WParam) == EN_CHANGE) Change();
}

void TCustomEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      CNCommand(Message);
      return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
      Message.Result = ControlColorResult(reinterpret_cast<HDC>(Message.WParam), Font()->Color(), Color(),
                                          BrushHandle());
      return;
    case CM_TEXTCHANGED:
      TWinControl::Dispatch(Message);
      // A single-line edit window reports the change itself (EN_CHANGE);
      // a multi-line one and a control without a window do not.
      if (!FHandle || (GetWindowLongPtrW(FHandle, GWL_STYLE) & ES_MULTILINE)) Change();
      return;
    default:
      TWinControl::Dispatch(Message);
  }
}

// ---- TMemoStrings

std::vector<String> TMemoStrings::Split() const {
  std::vector<String> lines;
  String text = FMemo->Text();
  size_t start = 0;
  if (text.empty()) return lines;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == u'\r' || text[i] == u'\n') {
      if (i == text.size() && start == i) break;  // no empty line after a final break
      lines.push_back(text.substr(start, i - start));
      if (i < text.size() && text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      start = i + 1;
    }
  }
  return lines;
}

void TMemoStrings::Join(const std::vector<String>& Lines) {
  String text;
  for (size_t i = 0; i < Lines.size(); ++i) {
    if (i) text += u"\r\n";
    text += Lines[i];
  }
  FMemo->SetText(text);
}

int TMemoStrings::Count() const { return static_cast<int>(Split().size()); }

String TMemoStrings::Get(int Index) const {
  std::vector<String> lines = Split();
  if (Index < 0 || Index >= static_cast<int>(lines.size())) Error(Index);
  return lines[static_cast<size_t>(Index)];
}

void TMemoStrings::Put(int Index, const String& S) {
  std::vector<String> lines = Split();
  if (Index < 0 || Index >= static_cast<int>(lines.size())) Error(Index);
  lines[static_cast<size_t>(Index)] = S;
  Join(lines);
}

void TMemoStrings::Insert(int Index, const String& S) {
  std::vector<String> lines = Split();
  if (Index < 0 || Index > static_cast<int>(lines.size())) Error(Index);
  lines.insert(lines.begin() + Index, S);
  Join(lines);
}

void TMemoStrings::Delete(int Index) {
  std::vector<String> lines = Split();
  if (Index < 0 || Index >= static_cast<int>(lines.size())) Error(Index);
  lines.erase(lines.begin() + Index);
  Join(lines);
}

void TMemoStrings::Clear() { FMemo->SetText(String()); }

void TMemoStrings::SetUpdateState(bool Updating) {
  if (FMemo->HandleAllocated()) {
    SendMessageW(FMemo->WindowHandle(), WM_SETREDRAW, Updating ? 0 : 1, 0);
    if (!Updating) FMemo->Invalidate();
  }
}

// ---- TMemo

TMemo::TMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(new TMemoStrings(this)) {
  FWidth = 185;
  FHeight = 89;
  SetAutoSelect(false);
  FControlStyle.Exclude(csFixedHeight);
}

TMemo::~TMemo() { delete FLines; }

void TMemo::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE;
  if (FWordWrap) Params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
  if ((FScrollBars == ssHorizontal || FScrollBars == ssBoth) && !FWordWrap) Params.Style |= WS_HSCROLL;
}

void TMemo::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  RecreateWnd();
}

void TMemo::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  RecreateWnd();
}

void TMemo::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    TCustomEdit::Dispatch(Message);
    if (FWantTabs) Message.Result |= DLGC_WANTTAB;
    else Message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
    if (!FWantReturns) Message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
    return;
  }
  TCustomEdit::Dispatch(Message);
}

FW_REGISTER(TCustomEdit) {
  c.Event(u"OnChange", &TCustomEdit::OnChange);
}

FW_REGISTER(TEdit) {
  c.Property(u"Alignment", &TEdit::Alignment, &TEdit::SetAlignment).Default(taLeftJustify);
  c.Property(u"AutoSelect", &TEdit::AutoSelect, &TEdit::SetAutoSelect).Default(true);
  c.Property(u"BorderStyle", &TEdit::BorderStyle, &TEdit::SetBorderStyle).Type(TypeInfoTBorderStyle()).Default(bsSingle);
  c.Property(u"CharCase", &TEdit::CharCase, &TEdit::SetCharCase).Default(ecNormal);
  c.Property(u"HideSelection", &TEdit::HideSelection, &TEdit::SetHideSelection).Default(true);
  c.Property(u"MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength).Default(0);
  c.Property(u"PasswordChar", &TEdit::PasswordChar, &TEdit::SetPasswordChar).Default(0);
  c.Property(u"ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly).Default(false);
  c.Property(u"Text", &TEdit::Text, &TEdit::SetText);
}

FW_REGISTER(TMemoStrings) {}

FW_REGISTER(TMemo) {
  c.Property(u"Alignment", &TMemo::Alignment, &TMemo::SetAlignment).Default(taLeftJustify);
  c.Property(u"BorderStyle", &TMemo::BorderStyle, &TMemo::SetBorderStyle).Type(TypeInfoTBorderStyle()).Default(bsSingle);
  c.Property(u"HideSelection", &TMemo::HideSelection, &TMemo::SetHideSelection).Default(true);
  c.Property(u"Lines", &TMemo::Lines, &TMemo::SetLines);
  c.Property(u"MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength).Default(0);
  c.Property(u"ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly).Default(false);
  c.Property(u"ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars).Default(ssNone);
  c.Property(u"WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns).Default(true);
  c.Property(u"WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs).Default(false);
  c.Property(u"WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap).Default(true);
}

}  // namespace fw
