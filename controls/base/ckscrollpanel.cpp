#include "controls/base/ckscrollpanel.h"

#include <algorithm>

#include "controls/base/ckextcomponent.h"
#include "controls/base/ckthemes.h"
#include "fw/core/rtti.h"
#include "fw/graphics/gdi_handles.h"

namespace ck {

using namespace fw;

namespace {

constexpr int kButtonSize = 16;
constexpr unsigned kFirstRepeatDelay = 360;
constexpr unsigned kRepeatDelay = 100;

bool IsHorizontalKind(TCkScrollKind Kind) { return Kind == sbLeft || Kind == sbRight; }

}  // namespace

// ---- TCkScrollButton

TCkScrollButton::TCkScrollButton(TComponent* AOwner) : TCkExCustomControl(AOwner) {
  FControlStyle.Exclude(csSetCaption);
  FControlStyle.Exclude(csDoubleClicks);
  FWidth = kButtonSize;
  FHeight = kButtonSize;
}

TCkScrollButton::~TCkScrollButton() {
  delete FTimer;
  FTimer = nullptr;
}

void TCkScrollButton::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  Invalidate();
}

void TCkScrollButton::SetKind(TCkScrollKind Value) {
  if (Value == FKind) return;
  FKind = Value;
  Invalidate();
}

TCkCustomScrollPanel* TCkScrollButton::Panel() const { return dynamic_cast<TCkCustomScrollPanel*>(Parent()); }

void TCkScrollButton::ScrollStep() {
  TCkCustomScrollPanel* panel = Panel();
  if (!panel || !panel->Visible()) return;
  bool allow = true;
  panel->OnScrolling(this, allow, FKind);
  if (!allow) return;
  int n = FIncrement;
  switch (FKind) {
    case sbUp: panel->ScrollChildren(0, n); break;
    case sbDown: panel->ScrollChildren(0, -n); break;
    case sbLeft: panel->ScrollChildren(n, 0); break;
    case sbRight: panel->ScrollChildren(-n, 0); break;
  }
  panel->OnScrolled(this, FKind);
  panel->UpdateButtonVisibility();
}

void TCkScrollButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FDown = true;
  TCkExCustomControl::MouseDown(Button, Shift, X, Y);
  if (TCkCustomScrollPanel* panel = Panel()) FAutoRepeat = panel->AutoRepeat();
  if (FAutoRepeat) {
    if (!FTimer) FTimer = new TTimer(nullptr);
    FTimer->SetOnTimer(TNotifyEvent(this, &TCkScrollButton::RepeatTick));
    FTimer->SetInterval(kFirstRepeatDelay);
    FTimer->SetEnabled(true);
  }
  Repaint();
}

void TCkScrollButton::RepeatTick(TObject*) {
  FTimer->SetInterval(kRepeatDelay);
  if (FDown && MouseCapture()) {
    ScrollStep();
    FRepeat = true;
    if (Parent()) Parent()->Invalidate();
  }
}

void TCkScrollButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  // A click (or a press too short to repeat) scrolls once, at the release.
  if (!FRepeat) ScrollStep();
  FRepeat = false;
  TCkExCustomControl::MouseUp(Button, Shift, X, Y);
  delete FTimer;
  FTimer = nullptr;
  FDown = false;
  Repaint();
}

void TCkScrollButton::Click() {
  if (!Enabled()) return;
  TCkExCustomControl::Click();
  SetMouseCapture(false);
}

void TCkScrollButton::MouseEntered(TControl* Control) {
  if (!IsOwnNotice(Control) || ComponentState().Contains(csDesigning) || MouseOver) {
    TCkExCustomControl::MouseEntered(Control);
    return;
  }
  TCkExCustomControl::MouseEntered(Control);
  if (FFlat) Invalidate();
}

void TCkScrollButton::MouseLeft(TControl* Control) {
  if (!IsOwnNotice(Control) || !MouseOver) {
    TCkExCustomControl::MouseLeft(Control);
    return;
  }
  FDown = false;
  TCkExCustomControl::MouseLeft(Control);
  if (FFlat) Invalidate();
}

void TCkScrollButton::EnabledChanged() {
  TCkExCustomControl::EnabledChanged();
  if (Parent() && Parent()->Enabled() != Enabled()) SetEnabled(Parent()->Enabled());
  Invalidate();
}

void TCkScrollButton::Paint() {
  if (!Visible()) return;
  TCanvas* canvas = Canvas();
  UINT style = DFCS_SCROLLUP + static_cast<UINT>(FKind);
  if (!Enabled()) {
    FDown = false;
    MouseOver = false;
    style |= DFCS_INACTIVE | DFCS_FLAT;
  }
  if (FDown) style |= DFCS_PUSHED;
  if (FFlat && !MouseOver) style |= DFCS_FLAT;
  TRect r = ClientRect();
  if (MouseOver) {
    if (IsHorizontalKind(FKind)) RectOffset(r, 1, 0);
    else RectOffset(r, 0, 1);
  }
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  DrawFrameControl(canvas->Handle(), &rc, DFC_SCROLL, style);
  canvas->Brush()->SetColor(clBtnFace);
  canvas->FrameRect(r);
  if (FDown) {
    TRect inner = r;
    RectInflate(inner, -1, -1);
    FrameRect3D(canvas, inner, clBtnShadow, clBtnHighlight, 1);
  }
}

// ---- TCkCustomScrollPanel

TCkCustomScrollPanel::TCkCustomScrollPanel(TComponent* AOwner) : TCkExCustomControl(AOwner) {
  if (auto* parent = dynamic_cast<TWinControl*>(AOwner)) SetParent(parent);
  FControlStyle.Include(csAcceptsControls);
  AddThemeStyleFlags(this, TControlStyle{csParentBackground});
  SetAlign(alTop);
  FHeight = 35;
  FUpLeft = new TCkScrollButton(this);
  FUpLeft->SetKind(sbLeft);
  FUpLeft->FreeNotification(this);
  FDownRight = new TCkScrollButton(this);
  FDownRight->SetKind(sbRight);
  FDownRight->FreeNotification(this);
  FUpLeft->SetParent(this);
  FDownRight->SetParent(this);
  FCreating = false;
  LayoutButtons();
}

void TCkCustomScrollPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCkExCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  LayoutButtons();
}

void TCkCustomScrollPanel::SetParent(TWinControl* AParent) {
  TCkExCustomControl::SetParent(AParent);
  for (TCkScrollButton* b : {FUpLeft, FDownRight}) {
    if (!b) continue;
    b->SetParent(this);
    b->SetVisible(true);
  }
}

void TCkCustomScrollPanel::Notification(TComponent* AComponent, TOperation Operation) {
  TCkExCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FUpLeft) FUpLeft = nullptr;
  else if (AComponent == FDownRight) FDownRight = nullptr;
  else return;
  if (!FCreating) Invalidate();
}

void TCkCustomScrollPanel::EnabledChanged() {
  TCkExCustomControl::EnabledChanged();
  for (TCkScrollButton* b : {FUpLeft, FDownRight})
    if (b) b->SetEnabled(Enabled());
  if (FAutoHide) UpdateButtonVisibility();
  else Invalidate();
}

void TCkCustomScrollPanel::VisibleChanged() {
  TCkExCustomControl::VisibleChanged();
  for (TCkScrollButton* b : {FUpLeft, FDownRight})
    if (b) b->SetVisible(Visible());
}

void TCkCustomScrollPanel::SetAutoHide(bool Value) {
  if (Value == FAutoHide) return;
  FAutoHide = Value;
  UpdateButtonVisibility();
  Invalidate();
}

void TCkCustomScrollPanel::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  for (TCkScrollButton* b : {FUpLeft, FDownRight})
    if (b) b->SetFlat(Value);
  Invalidate();
}

void TCkCustomScrollPanel::SetScrollAmount(int Value) {
  if (Value == FScrollAmount) return;
  FScrollAmount = static_cast<uint16_t>(Value);
  for (TCkScrollButton* b : {FUpLeft, FDownRight})
    if (b) b->SetIncrement(Value);
}

void TCkCustomScrollPanel::SetScrollDirection(TCkScrollDirection Value) {
  if (Value == FScrollDirection) return;
  FScrollDirection = Value;
  if (FAutoArrange) {
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      if (c == FUpLeft || c == FDownRight) continue;
      c->SetBounds(c->Top(), c->Left(), c->Height(), c->Width());
    }
    if (!ComponentState().Contains(csLoading) && Align() == alNone) SetBounds(0, 0, Height(), Width());
  }
  Invalidate();
  LayoutButtons();
  UpdateButtonVisibility();
  LayoutButtons();
}

void TCkCustomScrollPanel::LayoutButtons() {
  if (FCreating || !FUpLeft || !FDownRight) return;
  TRect r = ClientRect();
  if (FScrollDirection == sdHorizontal) {
    FUpLeft->SetKind(sbLeft);
    FUpLeft->SetBounds(0, 0, kButtonSize, r.Height());
    FUpLeft->SetAlign(alLeft);
    FDownRight->SetKind(sbRight);
    FDownRight->SetBounds(r.Width() - kButtonSize, 0, kButtonSize, r.Height());
    FDownRight->SetAlign(alRight);
  } else {
    FUpLeft->SetKind(sbUp);
    FUpLeft->SetBounds(0, 0, r.Width(), kButtonSize);
    FUpLeft->SetAlign(alTop);
    FDownRight->SetKind(sbDown);
    FDownRight->SetBounds(0, r.Height() - kButtonSize, r.Width(), kButtonSize);
    FDownRight->SetAlign(alBottom);
  }
  UpdateButtonVisibility();
}

void TCkCustomScrollPanel::UpdateButtonVisibility() {
  if (FCreating || !FUpLeft || !FDownRight) return;
  DisableAlign();
  bool before = !FAutoHide, after = !FAutoHide;
  if (FAutoHide) {
    TRect r = ClientRect();
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      if (c == FUpLeft || c == FDownRight || !c->Visible()) continue;
      if (FScrollDirection == sdVertical) {
        before |= c->Top() < 0;
        after |= c->Top() + c->Height() > r.Height();
      } else {
        before |= c->Left() < 0;
        after |= c->Left() + c->Width() > r.Width();
      }
    }
  }
  FUpLeft->SetVisible(before);
  FDownRight->SetVisible(after);
  // The arrows stay above the children that scroll under them.
  FUpLeft->BringToFront();
  FDownRight->BringToFront();
  EnableAlign();
}

void TCkCustomScrollPanel::ScrollChildren(int DeltaX, int DeltaY) {
  if (DeltaX == 0 && DeltaY == 0) return;
  DisableAlign();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c == FUpLeft || c == FDownRight) continue;
    c->SetBounds(c->Left() + DeltaX, c->Top() + DeltaY, c->Width(), c->Height());
  }
  EnableAlign();
}

// ---- Edges

void TCkCustomScrollPanel::SetEdgeBorders(TEdgeBorders Value) {
  if (Value == FEdgeBorders) return;
  FEdgeBorders = Value;
  EdgesChanged();
}

void TCkCustomScrollPanel::SetEdgeInner(TEdgeStyle Value) {
  if (Value == FEdgeInner) return;
  FEdgeInner = Value;
  EdgesChanged();
}

void TCkCustomScrollPanel::SetEdgeOuter(TEdgeStyle Value) {
  if (Value == FEdgeOuter) return;
  FEdgeOuter = Value;
  EdgesChanged();
}

int TCkCustomScrollPanel::EdgeWidth(TEdgeBorder Side) const {
  if (!FEdgeBorders.Contains(Side)) return 0;
  return (FEdgeInner != esNone ? 1 : 0) + (FEdgeOuter != esNone ? 1 : 0);
}

void TCkCustomScrollPanel::EdgesChanged() {
  if (HandleAllocated())
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  LayoutButtons();
  Invalidate();
}

void TCkCustomScrollPanel::CreateParams(TCreateParams& Params) {
  TCkExCustomControl::CreateParams(Params);
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCkCustomScrollPanel::WndProc(TMessage& Message) {
  if (Message.Msg == WM_NCCALCSIZE) {
    TCkExCustomControl::WndProc(Message);
    auto* r = reinterpret_cast<RECT*>(Message.LParam);
    r->left += EdgeWidth(ebLeft);
    r->top += EdgeWidth(ebTop);
    r->right -= EdgeWidth(ebRight);
    r->bottom -= EdgeWidth(ebBottom);
    return;
  }
  if (Message.Msg == WM_NCPAINT) {
    TCkExCustomControl::WndProc(Message);
    TWindowFrameDC dc(Handle());
    RECT r{0, 0, Width(), Height()};
    UINT inner = FEdgeInner == esRaised ? BDR_RAISEDINNER : FEdgeInner == esLowered ? BDR_SUNKENINNER : 0;
    UINT outer = FEdgeOuter == esRaised ? BDR_RAISEDOUTER : FEdgeOuter == esLowered ? BDR_SUNKENOUTER : 0;
    UINT sides = (FEdgeBorders.Contains(ebLeft) ? BF_LEFT : 0) | (FEdgeBorders.Contains(ebTop) ? BF_TOP : 0) |
                 (FEdgeBorders.Contains(ebRight) ? BF_RIGHT : 0) | (FEdgeBorders.Contains(ebBottom) ? BF_BOTTOM : 0);
    if ((inner | outer) && sides) DrawEdge(dc.Get(), &r, inner | outer, sides);
    return;
  }
  TCkExCustomControl::WndProc(Message);
}

void TCkCustomScrollPanel::Paint() {
  PaintThemedBackground(this, Canvas(), ClientRect(), Color(), true);
}

// ---- TCkScrollingWindow

TCkScrollingWindow::TCkScrollingWindow(TComponent* AOwner) : TCkCustomScrollPanel(AOwner) {
  SetAutoHide(true);
  SetAutoRepeat(false);
  SetScrollDirection(sdHorizontal);
}

FW_REGISTER(TCkScrollButton) {
  c.Property(u"AutoRepeat", &TCkScrollButton::AutoRepeat, &TCkScrollButton::SetAutoRepeat).Default(false);
  c.Property(u"Flat", &TCkScrollButton::Flat, &TCkScrollButton::SetFlat).Default(false);
  c.Property(u"Kind", &TCkScrollButton::Kind, &TCkScrollButton::SetKind).Default(sbUp);
  c.Property(u"Increment", &TCkScrollButton::Increment, &TCkScrollButton::SetIncrement).Default(16);
}

FW_REGISTER(TCkCustomScrollPanel) {}

FW_REGISTER(TCkScrollingWindow) {
  using P = TCkScrollingWindow;
  c.Property(u"AutoArrange", &P::AutoArrange, &P::SetAutoArrange).Default(false);
  c.Property(u"AutoHide", &P::AutoHide, &P::SetAutoHide).Default(true);
  c.Property(u"AutoRepeat", &P::AutoRepeat, &P::SetAutoRepeat).Default(false);
  c.Property(u"Flat", &P::Flat, &P::SetFlat).Default(false);
  c.Property(u"ScrollDirection", &P::ScrollDirection, &P::SetScrollDirection).Default(sdHorizontal);
  c.Property(u"ScrollAmount", &P::ScrollAmount, &P::SetScrollAmount).Default(16);
  c.Property(u"EdgeBorders", &P::EdgeBorders, &P::SetEdgeBorders).Default(TEdgeBorders{ebLeft, ebTop, ebRight, ebBottom});
  c.Property(u"EdgeInner", &P::EdgeInner, &P::SetEdgeInner).Default(esRaised);
  c.Property(u"EdgeOuter", &P::EdgeOuter, &P::SetEdgeOuter).Default(esLowered);
  c.Property(u"Align", &P::Align, &P::SetAlign).Default(alTop);
  c.Property(u"TabStop", &P::TabStop, &P::SetTabStop).Default(false);
  c.Event(u"OnScrolling", static_cast<TCkScrollingEvent P::*>(&P::OnScrolling));
  c.Event(u"OnScrolled", static_cast<TCkScrolledEvent P::*>(&P::OnScrolled));
}

}  // namespace ck
