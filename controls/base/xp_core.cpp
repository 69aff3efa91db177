#include "controls/base/xp_core.h"

#include <algorithm>

#include "controls/base/cktypes.h"
#include "fw/controls/forms.h"
#include "fw/core/rtti.h"
#include "fw/system/screen.h"
#include "services/ckutils.h"

namespace ck {

using namespace fw;

// ---- TCkXPCustomControl

TCkXPCustomControl::TCkXPCustomControl(TComponent* AOwner) : TCkExCustomControl(AOwner) {
  FControlStyle.Include(csOpaque);
  FControlStyle.Include(csReplicatable);
  FDoubleBuffered = true;
  ExControlStyle = TCkXPControlStyle{csRedrawCaptionChanged, csRedrawEnabledChanged, csRedrawFocusedChanged,
                                     csRedrawMouseDown,      csRedrawMouseEnter,     csRedrawMouseLeave,
                                     csRedrawMouseUp,        csRedrawParentColorChanged};
}

void TCkXPCustomControl::RedrawWhenUnlocked() {
  if (!IsLocked()) Invalidate();
}

void TCkXPCustomControl::RepaintWhenUnlocked() {
  if (!IsLocked()) Invalidate();
}

void TCkXPCustomControl::BeginUpdate() { ++FIsLocked; }

void TCkXPCustomControl::EndUpdate() {
  if (FIsLocked <= 0) throw ECKException(u"Unpaired call to TCkXPCustomControl.EndUpdate");
  --FIsLocked;
  RedrawWhenUnlocked();
}

void TCkXPCustomControl::Click() {
  FControlState.Exclude(csClicked);
  // Also a result of 0 is written: the form's field takes whatever the
  // control holds.
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  TCkExCustomControl::Click();
}

void TCkXPCustomControl::ReactBorderChanged() { RedrawOn(csRedrawBorderChanged); }

void TCkXPCustomControl::ReactEnabledChanged() { RedrawOn(csRedrawEnabledChanged); }

void TCkXPCustomControl::ReactFocusChanged() {
  if (Focused()) {
    FDrawState.Include(dsFocused);
  } else {
    FDrawState.Exclude(dsFocused);
    FDrawState.Exclude(dsClicked);
  }
  TCustomForm* form = GetParentForm(this);
  FIsSibling = form && IsXPControl(form->ActiveControl());
  RedrawOn(csRedrawFocusedChanged);
}

void TCkXPCustomControl::ReactMouseDown() {
  FClicking = true;
  if (!Focused() && CanFocus()) SetFocus();
  FDrawState.Include(dsClicked);
  RedrawOn(csRedrawMouseDown);
}

void TCkXPCustomControl::ReactMouseEnter() {
  if (!Designing()) {
    FDrawState.Include(dsHighlight);
    OnMouseEnter(this);
  }
  RedrawOn(csRedrawMouseEnter);
}

void TCkXPCustomControl::ReactMouseLeave() {
  if (!Designing()) {
    FDrawState.Exclude(dsHighlight);
    OnMouseLeave(this);
  }
  RedrawOn(csRedrawMouseLeave);
}

void TCkXPCustomControl::ReactMouseMove(int, int) {
  if (!Designing()) RedrawOn(csRedrawMouseMove);
}

void TCkXPCustomControl::ReactMouseUp() {
  FClicking = false;
  FDrawState.Exclude(dsClicked);
  RedrawOn(csRedrawMouseUp);
  // A press released over another XP-style control makes that one hot at
  // once, without waiting for the mouse to move.
  if (!Mouse) return;
  TControl* under = FindDragTarget(Mouse->CursorPos(), false);
  auto* other = dynamic_cast<TCkXPCustomControl*>(under);
  if (other && other != this) other->ReactMouseEnter();
}

void TCkXPCustomControl::ReactParentColorChanged() { RedrawOn(csRedrawParentColorChanged); }
void TCkXPCustomControl::ReactParentFontChanged() { RedrawOn(csRedrawParentFontChanged); }
void TCkXPCustomControl::ReactPosChanged() { RedrawOn(csRedrawPosChanged); }
void TCkXPCustomControl::ReactResized() { RedrawOn(csRedrawResized); }
void TCkXPCustomControl::ReactTextChanged() { RedrawOn(csRedrawCaptionChanged); }

void TCkXPCustomControl::WndProc(TMessage& Message) {
  if (Message.Msg == CM_BORDERCHANGED) {
    BaseProc(Message.Msg, Message.WParam, Message.LParam);
    ReactBorderChanged();
    return;
  }
  TCkExCustomControl::WndProc(Message);
}

void TCkXPCustomControl::TextChanged() {
  // The standard handling only invalidates; the hook decides, so that an
  // update bracket holds the repaint back.
  ReactTextChanged();
}

void TCkXPCustomControl::EnabledChanged() {
  TCkExCustomControl::EnabledChanged();
  ReactEnabledChanged();
}

void TCkXPCustomControl::FocusChangedNotice(TControl* Control) {
  TCkExCustomControl::FocusChangedNotice(Control);
  ReactFocusChanged();
}

void TCkXPCustomControl::MouseEntered(TControl* Control) {
  // The hook fires OnMouseEnter itself, after the state has changed.
  if (IsOwnNotice(Control)) {
    MouseOver = true;
    ReactMouseEnter();
  }
  BaseProc(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(Control));
}

void TCkXPCustomControl::MouseLeft(TControl* Control) {
  bool own = IsOwnNotice(Control);
  if (own) MouseOver = false;
  BaseProc(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(Control));
  if (own) ReactMouseLeave();
}

void TCkXPCustomControl::ParentColorChanged() {
  TCkExCustomControl::ParentColorChanged();
  ReactParentColorChanged();
}

void TCkXPCustomControl::ParentFontChanged() {
  TCkExCustomControl::ParentFontChanged();
  ReactParentFontChanged();
}

bool TCkXPCustomControl::WantsDialogChar(int Key, TShiftState Shift) {
  bool alt = Shift.Contains(ssAlt) || GetKeyState(VK_MENU) < 0;
  if (IsAccel(static_cast<WORD>(Key), Caption()) && CanFocus() && (Focused() || alt)) {
    Click();
    return true;
  }
  return TCkExCustomControl::WantsDialogChar(Key, Shift);
}

void TCkXPCustomControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCkExCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft) ReactMouseDown();
}

void TCkXPCustomControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCkExCustomControl::MouseUp(Button, Shift, X, Y);
  if (FClicking) ReactMouseUp();
}

void TCkXPCustomControl::WMMouseMove(TMessage& Message) {
  TCkExCustomControl::WMMouseMove(Message);
  ReactMouseMove(Message.XPos(), Message.YPos());
}

void TCkXPCustomControl::WMSize(TMessage& Message) {
  TCkExCustomControl::WMSize(Message);
  // The bounds are read back only after WM_SIZE; the hooks want the new
  // size now.
  UpdateBounds();
  ReactResized();
}

void TCkXPCustomControl::WMWindowPosChanged(TMessage& Message) {
  TCkExCustomControl::WMWindowPosChanged(Message);
  ReactPosChanged();
}

// ---- TCkXPStyle

void TCkXPStyle::SetTheme(TCkXPTheme Value) {
  if (FTheme == Value) return;
  FTheme = Value;
  if (Parent) Parent->RedrawWhenUnlocked();
}

void TCkXPStyle::SetUseStyleManager(bool Value) {
  if (FUseStyleManager == Value) return;
  FUseStyleManager = Value;
  if (Parent) Parent->RedrawWhenUnlocked();
}

TCkXPTheme TCkXPStyle::GetTheme() const {
  if (FUseStyleManager && Parent && Parent->StyleManager()) return Parent->StyleManager()->Theme();
  return FTheme;
}

void TCkXPStyle::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TCkXPStyle*>(Source)) {
    SetTheme(s->FTheme);
    SetUseStyleManager(s->FUseStyleManager);
    return;
  }
  TPersistent::Assign(Source);
}

TPersistent* TCkXPStyle::GetOwner() const { return Parent; }

// ---- TCkXPStyleManager

TCkXPStyleManager::~TCkXPStyleManager() {
  for (TCkXPCustomControl* c : std::vector<TCkXPCustomControl*>(FControls)) c->RedrawWhenUnlocked();
}

void TCkXPStyleManager::SetTheme(TCkXPTheme Value) {
  if (FTheme == Value) return;
  FTheme = Value;
  OnThemeChanged(this);
  for (TCkXPCustomControl* c : std::vector<TCkXPCustomControl*>(FControls)) c->RedrawWhenUnlocked();
}

void TCkXPStyleManager::RegisterControls(const std::vector<TCkXPCustomControl*>& Controls) {
  for (TCkXPCustomControl* c : Controls)
    if (c && std::find(FControls.begin(), FControls.end(), c) == FControls.end()) FControls.push_back(c);
}

void TCkXPStyleManager::UnregisterControls(const std::vector<TCkXPCustomControl*>& Controls) {
  for (TCkXPCustomControl* c : Controls) {
    auto it = std::find(FControls.begin(), FControls.end(), c);
    if (it != FControls.end()) FControls.erase(it);
  }
}

// ---- TCkXPCustomStyleControl

TCkXPCustomStyleControl::TCkXPCustomStyleControl(TComponent* AOwner)
    : TCkXPCustomControl(AOwner), FStyle(new TCkXPStyle(this)) {}

TCkXPCustomStyleControl::~TCkXPCustomStyleControl() {
  if (FStyleManager) FStyleManager->UnregisterControls({this});
  delete FStyle;
}

void TCkXPCustomStyleControl::SetStyleManager(TCkXPStyleManager* Value) {
  if (Value == FStyleManager) return;
  if (FStyleManager) FStyleManager->UnregisterControls({this});
  if (Value) Value->RegisterControls({this});
  services::SwapComponentReference(this, Value, FStyleManager);
  RedrawWhenUnlocked();
}

void TCkXPCustomStyleControl::Notification(TComponent* AComponent, TOperation Operation) {
  TCkXPCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FStyleManager) FStyleManager = nullptr;
}

// ---- Run-time type information

FW_REGISTER(TCkXPCustomControl) {}

FW_REGISTER(TCkXPStyle) {
  c.Property(u"Theme", &TCkXPStyle::Theme, &TCkXPStyle::SetTheme).Default(WindowsXP);
  c.Property(u"UseStyleManager", &TCkXPStyle::UseStyleManager, &TCkXPStyle::SetUseStyleManager).Default(true);
}

FW_REGISTER(TCkXPCustomComponent) {}

FW_REGISTER(TCkXPStyleManager) {
  c.Property(u"Theme", &TCkXPStyleManager::Theme, &TCkXPStyleManager::SetTheme).Default(WindowsXP);
  c.Event(u"OnThemeChanged", &TCkXPStyleManager::OnThemeChanged);
}

FW_REGISTER(TCkXPCustomStyleControl) {}

}  // namespace ck
