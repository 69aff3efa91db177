// TControl: geometry, properties and the notices they send, mouse handling.
#include <algorithm>

#include "fw/controls/actnlink.h"
#include "fw/controls/controlcanvas.h"
#include "fw/controls/controls.h"
#include "fw/controls/forms.h"
#include "fw/core/rtti.h"
#include "fw/graphics/graphics.h"
#include "fw/system/application.h"
#include "fw/system/screen.h"

namespace fw {

namespace {

TControl* gCaptureControl = nullptr;

// The last left click, for telling a double click from two single ones when
// the window class does not ask the system for double clicks.
struct LastClick {
  TControl* control = nullptr;
  DWORD time = 0;
  POINT pos{};
} gLastClick;

bool IsSecondClick(TControl* c, const TPoint& screenPos) {
  DWORD now = GetTickCount();
  bool second = gLastClick.control == c && now - gLastClick.time <= GetDoubleClickTime() &&
                std::abs(screenPos.x - gLastClick.pos.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                std::abs(screenPos.y - gLastClick.pos.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  if (second) {
    gLastClick.control = nullptr;
  } else {
    gLastClick.control = c;
    gLastClick.time = now;
    gLastClick.pos = {screenPos.x, screenPos.y};
  }
  return second;
}

}  // namespace

// ---- TSizeConstraints

void TSizeConstraints::SetMaxHeight(int v) { if (v != FMaxHeight) { FMaxHeight = v; Changed(); } }
void TSizeConstraints::SetMaxWidth(int v) { if (v != FMaxWidth) { FMaxWidth = v; Changed(); } }
void TSizeConstraints::SetMinHeight(int v) { if (v != FMinHeight) { FMinHeight = v; Changed(); } }
void TSizeConstraints::SetMinWidth(int v) { if (v != FMinWidth) { FMinWidth = v; Changed(); } }

void TSizeConstraints::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TSizeConstraints*>(Source)) {
    FMaxHeight = s->FMaxHeight;
    FMaxWidth = s->FMaxWidth;
    FMinHeight = s->FMinHeight;
    FMinWidth = s->FMinWidth;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

TPersistent* TSizeConstraints::GetOwner() const { return FControl; }

void TSizeConstraints::Apply(int& width, int& height) const {
  if (FMinWidth > 0 && width < FMinWidth) width = FMinWidth;
  if (FMaxWidth > 0 && width > FMaxWidth) width = FMaxWidth;
  if (FMinHeight > 0 && height < FMinHeight) height = FMinHeight;
  if (FMaxHeight > 0 && height > FMaxHeight) height = FMaxHeight;
}

void TSizeConstraints::Changed() {
  if (FControl) FControl->SetBounds(FControl->Left(), FControl->Top(), FControl->Width(), FControl->Height());
}

FW_REGISTER(TSizeConstraints) {
  c.Property(u"MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight).Default(0);
  c.Property(u"MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth).Default(0);
  c.Property(u"MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight).Default(0);
  c.Property(u"MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth).Default(0);
}

// ---- TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  FWindowProc = TWndMethod(this, &TControl::WndProc);
  FFont = new TFont();
  FFont->OnChange = TNotifyEvent(this, &TControl::FontChanged);
  FConstraints = new TSizeConstraints(this);
}

TControl::~TControl() {
  Destroying();
  if (Application) Application->ControlDestroyed(this);
  if (gCaptureControl == this) SetCaptureControl(nullptr);
  if (gLastClick.control == this) gLastClick.control = nullptr;
  if (FParent) FParent->RemoveControl(this);
  delete FActionLink;
  FActionLink = nullptr;
  for (TWndProcNode* n : FWndProcNodes) {
    if (n->Retired) delete n;
    else n->Control = nullptr;
  }
  FWndProcNodes.clear();
  delete FConstraints;
  FConstraints = nullptr;
  delete FFont;
  FFont = nullptr;
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  FWindowProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& Message) {
  UINT msg = Message.Msg;
  if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) {
    if (!FControlStyle.Contains(csDoubleClicks) &&
        (msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK))
      Message.Msg = msg = msg - (WM_LBUTTONDBLCLK - WM_LBUTTONDOWN);
    switch (msg) {
      case WM_MOUSEMOVE:
        if (Application) Application->HintMouseMessage(this, Message);
        break;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        FControlState.Include(csLButtonDown);
        break;
      case WM_LBUTTONUP:
        FControlState.Exclude(csLButtonDown);
        break;
      default:
        break;
    }
  }
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: WMLButtonDown(Message); return;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); return;
    case WM_LBUTTONUP: WMLButtonUp(Message); return;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: WMRButtonDown(Message); return;
    case WM_RBUTTONUP: WMRButtonUp(Message); return;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: WMMButtonDown(Message); return;
    case WM_MBUTTONUP: WMMButtonUp(Message); return;
    case WM_MOUSEMOVE: WMMouseMove(Message); return;
    case WM_CANCELMODE: WMCancelMode(Message); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); return;
    case CM_TEXTCHANGED: CMTextChanged(Message); return;
    case CM_COLORCHANGED: CMColorChanged(Message); return;
    case CM_FONTCHANGED: CMFontChanged(Message); return;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); return;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); return;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(Message); return;
    case CM_HITTEST: CMHitTest(Message); return;
    case CM_MOUSEENTER: CMMouseEnter(Message); return;
    case CM_MOUSELEAVE: CMMouseLeave(Message); return;
    case CM_HINTSHOW: CMHintShow(Message); return;
    case CM_FLOAT: CMFloat(Message); return;
    default: DefaultHandler(Message); return;
  }
}

void TControl::DefaultHandler(TMessage& Message) {
  // A control without a window keeps its text itself.
  switch (Message.Msg) {
    case WM_GETTEXT: {
      if (Message.WParam == 0 || Message.LParam == 0) return;
      size_t n = std::min(static_cast<size_t>(Message.WParam) - 1, FText.size());
      auto* dst = reinterpret_cast<char16_t*>(Message.LParam);
      std::copy_n(FText.data(), n, dst);
      dst[n] = 0;
      Message.Result = static_cast<LRESULT>(n);
      return;
    }
    case WM_GETTEXTLENGTH:
      Message.Result = static_cast<LRESULT>(FText.size());
      return;
    case WM_SETTEXT:
      FText = Message.LParam ? String(reinterpret_cast<const char16_t*>(Message.LParam)) : String();
      Message.Result = 1;
      return;
    default:
      return;
  }
}

// ---- Parent and geometry

void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  if (AParent == this) throw EInvalidOperation(u"A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* p = dynamic_cast<TWinControl*>(Value)) SetParent(p);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FConstraints) FConstraints->Apply(AWidth, AHeight);
  if (AWidth < 0) AWidth = 0;
  if (AHeight < 0) AHeight = 0;
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  if (!CanResize(AWidth, AHeight)) return;
  bool resized = AWidth != FWidth || AHeight != FHeight;
  DoSetBounds(ALeft, ATop, AWidth, AHeight);
  // A move made by the parent's alignment keeps the anchor distances; any
  // other move sets new ones.
  if (!FParent || !FParent->FControlState.Contains(csAligning)) UpdateAnchorRules();
  RequestAlign();
  if (resized && !ComponentState().Contains(csLoading)) Resize();
}

void TControl::DoSetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  bool visible = FVisible && FParent && FParent->HandleAllocated();
  if (visible) InvalidateControl(true, false);
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (visible) InvalidateControl(true, false);
}

void TControl::ConstrainedResize(int&, int&, int&, int&) {}

void TControl::Resize() { OnResize(this); }

void TControl::RequestAlign() {
  if (FParent) FParent->AlignControl(this);
}

void TControl::UpdateAnchorRules() {
  if (!FParent) {
    FAnchorValid = false;
    return;
  }
  TRect cr = FParent->ClientRect();
  FAnchorBounds = BoundsRect();
  FAnchorParentSize = {cr.Width(), cr.Height()};
  FAnchorValid = true;
}

TRect TControl::ClientRect() const { return Rect(0, 0, FWidth, FHeight); }

void TControl::SetClientSize(int W, int H) {
  TRect cr = ClientRect();
  SetBounds(FLeft, FTop, FWidth - cr.Width() + W, FHeight - cr.Height() + H);
}

TPoint TControl::ClientOrigin() const {
  if (!FParent) throw EInvalidOperation(u"Control '" + Name() + u"' has no parent window");
  TPoint p = FParent->ClientOrigin();
  return {p.x + FLeft, p.y + FTop};
}

TPoint TControl::ClientToScreen(const TPoint& P) const {
  TPoint o = ClientOrigin();
  return {P.x + o.x, P.y + o.y};
}

TPoint TControl::ScreenToClient(const TPoint& P) const {
  TPoint o = ClientOrigin();
  return {P.x - o.x, P.y - o.y};
}

TPoint TControl::ClientToParent(const TPoint& P, TWinControl* AParent) const {
  if (!AParent) AParent = FParent;
  TPoint r = P;
  const TControl* c = this;
  while (c && c != AParent) {
    r.x += c->FLeft;
    r.y += c->FTop;
    c = c->FParent;
  }
  if (c != AParent) throw EInvalidOperation(u"Control is not a child of the given parent");
  return r;
}

TPoint TControl::ParentToClient(const TPoint& P, TWinControl* AParent) const {
  TPoint o = ClientToParent(TPoint{0, 0}, AParent);
  return {P.x - o.x, P.y - o.y};
}

void TControl::SetAlign(TAlign Value) {
  if (FAlign == Value) return;
  TAlign old = FAlign;
  FAlign = Value;
  FAnchors = TAnchors{akLeft, akTop};
  if (old == alNone && FParent && !ComponentState().Contains(csLoading)) {
    // Keep the size the control had as the one it returns to.
  }
  RequestAlign();
}

void TControl::SetAnchors(TAnchors Value) {
  if (FAnchors == Value) return;
  FAnchors = Value;
  UpdateAnchorRules();
}

void TControl::SetConstraints(TSizeConstraints* Value) { FConstraints->Assign(Value); }

// ---- Properties and their notices

void TControl::SetVisible(bool Value) {
  if (FVisible == Value) return;
  VisibleChanging();
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
  RequestAlign();
}

void TControl::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

bool TControl::Showing() const {
  if (!FVisible) return false;
  return FParent && FParent->Showing();
}

String TControl::GetText() const { return FText; }

void TControl::SetTextValue(const String& Value) {
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
}

void TControl::SetText(const String& Value) {
  if (GetText() == Value) return;
  SetTextValue(Value);
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value) {
  if (FColor == Value) {
    FParentColor = false;
    return;
  }
  FColor = Value;
  FParentColor = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value) {
  if (FParentColor == Value) return;
  FParentColor = Value;
  if (FParent && !ComponentState().Contains(csReading)) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetFont(TFont* Value) {
  if (Value) FFont->Assign(Value);
}

void TControl::SetParentFont(bool Value) {
  if (FParentFont == Value) return;
  FParentFont = Value;
  if (FParent && !ComponentState().Contains(csReading)) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::FontChanged(TObject*) {
  FParentFont = false;
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value) {
  if (FShowHint != Value) {
    FShowHint = Value;
    FParentShowHint = false;
    Perform(CM_SHOWHINTCHANGED, 0, 0);
  } else {
    FParentShowHint = false;
  }
}

void TControl::SetParentShowHint(bool Value) {
  if (FParentShowHint == Value) return;
  FParentShowHint = Value;
  if (FParent && !ComponentState().Contains(csReading)) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TComponent* Value) {
  if (FPopupMenu == Value) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TControl::Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FPopupMenu) FPopupMenu = nullptr;
  if (FActionLink && AComponent == FActionLink->Action()) SetAction(nullptr);
}

void TControl::Loaded() {
  TComponent::Loaded();
  if (FParent) {
    if (FParentColor) Perform(CM_PARENTCOLORCHANGED, 0, 0);
    if (FParentFont) Perform(CM_PARENTFONTCHANGED, 0, 0);
    if (FParentShowHint) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    UpdateAnchorRules();
  }
  if (FActionLink) ActionChange(FActionLink->Action(), true);
  RequestAlign();
}

// ---- Actions

TBasicAction* TControl::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TControl::SetAction(TBasicAction* Value) {
  if (!Value) {
    delete FActionLink;
    FActionLink = nullptr;
    FControlStyle.Exclude(csActionClient);
    return;
  }
  FControlStyle.Include(csActionClient);
  if (!FActionLink) FActionLink = new TControlActionLink(this);
  FActionLink->SetAction(Value);
  ActionChange(Value, ComponentState().Contains(csLoading));
  Value->FreeNotification(this);
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action) return;
  if (!CheckDefaults || Caption().empty() || Caption() == Name()) SetCaption(action->Caption());
  if (!CheckDefaults || Enabled()) SetEnabled(action->Enabled());
  if (!CheckDefaults || Hint().empty()) SetHint(action->Hint());
  if (!CheckDefaults || Visible()) SetVisible(action->Visible());
  if (!CheckDefaults || !OnClick) OnClick = action->OnExecute;
}

void TControl::InitiateAction() {
  if (FActionLink) FActionLink->Update();
}

// ---- Painting

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
  if (!IsVisible || !FParent || !FParent->HandleAllocated()) return;
  FParent->InvalidateRectOf(BoundsRect(), !IsOpaque);
}

void TControl::Invalidate() { InvalidateControl(FVisible, FControlStyle.Contains(csOpaque)); }

void TControl::Repaint() {
  if (!FVisible || !FParent || !FParent->HandleAllocated()) return;
  Invalidate();
  FParent->Update();
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::BringToFront() {
  if (!FParent) return;
  // A window changes its place among its sibling windows.
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    w->SetZOrder(true);
    return;
  }
  auto& list = FParent->FControls;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  list.push_back(this);
  Invalidate();
}

void TControl::SendToBack() {
  if (!FParent) return;
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    w->SetZOrder(false);
    return;
  }
  auto& list = FParent->FControls;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  list.insert(list.begin(), this);
  Invalidate();
}

bool TControl::HitTest(int X, int Y) {
  return Perform(CM_HITTEST, 0, PointToLParam(X, Y)) != 0;
}

// ---- Mouse

bool TControl::MouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool Value) {
  if (MouseCapture() == Value) return;
  SetCaptureControl(Value ? this : nullptr);
}

void TControl::Click() {
  // The action's handler runs through the action, so that its update and
  // execute events see the control.
  if (OnClick && (!FActionLink || !(OnClick == FActionLink->Action()->OnExecute)))
    OnClick(this);
  else if (FActionLink)
    FActionLink->Execute(this);
  else
    OnClick(this);
}

void TControl::DblClick() { OnDblClick(this); }

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) { OnMouseMove(this, Shift, X, Y); }

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift) {
  MouseDown(Button, KeysToShiftState(Message.WParam) + Shift, Message.XPos(), Message.YPos());
}

void TControl::DoMouseEnter() { OnMouseEnter(this); }
void TControl::DoMouseLeave() { OnMouseLeave(this); }

void TControl::SendMouseButtonDown(TMessage& Message, TMouseButton Button) {
  DefaultHandler(Message);
  if (Application) Application->CancelHint();
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
  DoMouseDown(Message, Button, TShiftState());
}

void TControl::SendMouseButtonUp(TMessage& Message, TMouseButton Button) {
  DefaultHandler(Message);
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
  MouseUp(Button, KeysToShiftState(Message.WParam), Message.XPos(), Message.YPos());
}

void TControl::WMLButtonDown(TMessage& Message) {
  // Our own window classes do not ask for CS_DBLCLKS; a second click on the
  // same control within the system's double-click time and distance is the
  // double click, for windowed and graphic controls alike.
  TPoint screen{Message.XPos(), Message.YPos()};
  if (FParent || dynamic_cast<TWinControl*>(this)) {
    try {
      screen = ClientToScreen(screen);
    } catch (const Exception&) {
    }
  }
  if (FControlStyle.Contains(csDoubleClicks) && IsSecondClick(this, screen)) {
    WMLButtonDblClk(Message);
    return;
  }
  DefaultHandler(Message);
  if (Application) Application->CancelHint();
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (FControlStyle.Contains(csClickEvents)) FControlState.Include(csClicked);
  DoMouseDown(Message, mbLeft, TShiftState());
}

void TControl::WMLButtonDblClk(TMessage& Message) {
  DefaultHandler(Message);
  if (Application) Application->CancelHint();
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (FControlStyle.Contains(csClickEvents)) DblClick();
  DoMouseDown(Message, mbLeft, TShiftState{ssDouble});
}

void TControl::WMLButtonUp(TMessage& Message) {
  DefaultHandler(Message);
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
  if (FControlState.Contains(csClicked)) {
    FControlState.Exclude(csClicked);
    TRect cr = ClientRect();
    int x = Message.XPos(), y = Message.YPos();
    if (x >= cr.Left && x < cr.Right && y >= cr.Top && y < cr.Bottom) Click();
  }
  MouseUp(mbLeft, KeysToShiftState(Message.WParam), Message.XPos(), Message.YPos());
}

void TControl::WMRButtonDown(TMessage& Message) { SendMouseButtonDown(Message, mbRight); }
void TControl::WMRButtonUp(TMessage& Message) { SendMouseButtonUp(Message, mbRight); }
void TControl::WMMButtonDown(TMessage& Message) { SendMouseButtonDown(Message, mbMiddle); }
void TControl::WMMButtonUp(TMessage& Message) { SendMouseButtonUp(Message, mbMiddle); }

void TControl::WMMouseMove(TMessage& Message) {
  DefaultHandler(Message);
  // While a virtual cursor stands for the mouse, the real pointer does not
  // move the mouse-over state.
  if (Application && !(Mouse && Mouse->VirtualCursor())) Application->SetMouseControl(this);
  MouseMove(KeysToShiftState(Message.WParam), Message.XPos(), Message.YPos());
}

void TControl::WMCancelMode(TMessage&) {
  if (MouseCapture()) {
    SetMouseCapture(false);
    if (FControlState.Contains(csLButtonDown)) FControlState.Exclude(csClicked);
  }
}

// ---- Notice handlers

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }

void TControl::CMVisibleChanged(TMessage&) { InvalidateControl(true, FVisible && FControlStyle.Contains(csOpaque)); }

void TControl::CMTextChanged(TMessage&) { Invalidate(); }

void TControl::CMColorChanged(TMessage&) { Invalidate(); }

void TControl::CMFontChanged(TMessage&) { Invalidate(); }

void TControl::CMParentColorChanged(TMessage& Message) {
  if (!FParentColor) return;
  TColor c = Message.WParam ? static_cast<TColor>(Message.LParam) : (FParent ? FParent->Color() : FColor);
  SetColor(c);
  FParentColor = true;
}

void TControl::CMParentFontChanged(TMessage& Message) {
  if (!FParentFont) return;
  if (Message.WParam && Message.LParam)
    FFont->Assign(reinterpret_cast<TFont*>(Message.LParam));
  else if (FParent)
    FFont->Assign(FParent->Font());
  FParentFont = true;
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (!FParentShowHint || !FParent) return;
  SetShowHint(FParent->ShowHint());
  FParentShowHint = true;
}

void TControl::CMHitTest(TMessage& Message) { Message.Result = 1; }

void TControl::CMMouseEnter(TMessage& Message) {
  if (Message.LParam == reinterpret_cast<LPARAM>(this) || Message.LParam == 0) {
    FMouseInControl = true;
    DoMouseEnter();
  }
  // Parents hear that the mouse entered one of their children.
  if (FParent) FParent->Perform(CM_MOUSEENTER, 0, Message.LParam ? Message.LParam : reinterpret_cast<LPARAM>(this));
}

void TControl::CMMouseLeave(TMessage& Message) {
  if (Message.LParam == reinterpret_cast<LPARAM>(this) || Message.LParam == 0) {
    FMouseInControl = false;
    DoMouseLeave();
  }
  if (FParent) FParent->Perform(CM_MOUSELEAVE, 0, Message.LParam ? Message.LParam : reinterpret_cast<LPARAM>(this));
}

void TControl::CMHintShow(TMessage& Message) { Message.Result = 0; }

TCustomForm* TControl::GetParentFormInternal() const { return GetParentForm(const_cast<TControl*>(this)); }

// ---- Capture and lookups

TControl* GetCaptureControl() {
  HWND cap = GetCapture();
  if (gCaptureControl) {
    auto* w = dynamic_cast<TWinControl*>(gCaptureControl);
    HWND expected = w ? w->WindowHandle()
                      : (gCaptureControl->Parent() ? gCaptureControl->Parent()->WindowHandle() : nullptr);
    if (cap && cap == expected) return gCaptureControl;
    gCaptureControl = nullptr;
  }
  return FindControl(cap);
}

void SetCaptureControl(TControl* Control) {
  gCaptureControl = nullptr;
  if (!Control) {
    ReleaseCapture();
    return;
  }
  if (auto* w = dynamic_cast<TWinControl*>(Control)) {
    if (w->HandleAllocated()) SetCapture(w->WindowHandle());
    gCaptureControl = Control;
    return;
  }
  if (Control->Parent() && Control->Parent()->HandleAllocated()) {
    // The parent's window holds the system capture for its graphic child.
    SetCapture(Control->Parent()->WindowHandle());
    gCaptureControl = Control;
  }
}

TCustomForm* GetParentForm(TControl* Control) {
  while (Control && Control->Parent()) Control = Control->Parent();
  return dynamic_cast<TCustomForm*>(Control);
}

namespace {

// The window of this program under a screen point, in z-order, ignoring the
// windows of other programs: what a virtual cursor points at.
HWND ProgramWindowFromPoint(POINT p) {
  DWORD self = GetCurrentProcessId();
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != self || !IsWindowVisible(w)) continue;
    RECT r;
    GetWindowRect(w, &r);
    if (!PtInRect(&r, p)) continue;
    if (SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)) == HTTRANSPARENT) continue;
    for (;;) {
      POINT c = p;
      ScreenToClient(w, &c);
      HWND child = ChildWindowFromPointEx(w, c, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
      if (!child || child == w) return w;
      w = child;
    }
  }
  return nullptr;
}

}  // namespace

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled) {
  POINT p{Pos.x, Pos.y};
  HWND wnd = Mouse && Mouse->VirtualCursor() ? ProgramWindowFromPoint(p) : WindowFromPoint(p);
  TWinControl* w = FindOwningControl(wnd);
  if (!w) return nullptr;
  TControl* c = w->ControlAtPos(w->ScreenToClient(Pos), AllowDisabled);
  return c ? c : w;
}

bool IsAccel(WORD Key, const String& Caption) {
  for (size_t i = 0; i + 1 < Caption.size(); ++i) {
    if (Caption[i] != u'&') continue;
    if (Caption[i + 1] == u'&') {
      ++i;
      continue;
    }
    return CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(Caption[i + 1]))) ==
           CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(Key)));
  }
  return false;
}

FW_REGISTER(TControl) {
  c.Property(u"Left", &TControl::Left, &TControl::SetLeft);
  c.Property(u"Top", &TControl::Top, &TControl::SetTop);
  c.Property(u"Width", &TControl::Width, &TControl::SetWidth);
  c.Property(u"Height", &TControl::Height, &TControl::SetHeight);
  c.Property(u"Cursor", &TControl::Cursor, &TControl::SetCursor).Type(TypeInfoTCursor()).Default(crDefault);
  c.Property(u"Hint", &TControl::Hint, &TControl::SetHint);
  c.Property(u"Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
  c.Property(u"Anchors", &TControl::Anchors, &TControl::SetAnchors).Default(TAnchors{akLeft, akTop});
  c.Property(u"Constraints", &TControl::Constraints, &TControl::SetConstraints);
  c.Property(u"Caption", &TControl::Caption, &TControl::SetCaption);
  c.Property(u"Color", &TControl::Color, &TControl::SetColor).Type(TypeInfoTColor());
  c.Property(u"Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
  c.Property(u"Font", &TControl::Font, &TControl::SetFont);
  c.Property(u"ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
  c.Property(u"ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
  c.Property(u"ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).Default(true);
  c.Property(u"PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
  c.Property(u"ShowHint", &TControl::ShowHint, &TControl::SetShowHint).Default(false);
  c.Property(u"Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
  c.Property(u"Action", &TControl::Action, &TControl::SetAction);
  c.Event(u"OnClick", &TControl::OnClick);
  c.Event(u"OnDblClick", &TControl::OnDblClick);
  c.Event(u"OnMouseDown", &TControl::OnMouseDown);
  c.Event(u"OnMouseMove", &TControl::OnMouseMove);
  c.Event(u"OnMouseUp", &TControl::OnMouseUp);
  c.Event(u"OnMouseEnter", &TControl::OnMouseEnter);
  c.Event(u"OnMouseLeave", &TControl::OnMouseLeave);
  c.Event(u"OnResize", &TControl::OnResize);
}

}  // namespace fw
