#include "controls/base/ckbutton.h"

#include <memory>

#include "fw/core/rtti.h"
#include "services/ckutils.h"

namespace ck {

using namespace fw;

TBitmap* CkButtonPattern() {
  static std::unique_ptr<TBitmap> pattern;
  if (!pattern) {
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetPixelFormat(pf24bit);
    bmp->SetSize(8, 8);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(0, 0, 8, 8));
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        if (x % 2 == y % 2) c->SetPixel(x, y, clWhite);
    pattern = std::move(bmp);
  }
  return pattern.get();
}

TCkCustomGraphicButton::TCkCustomGraphicButton(TComponent* AOwner)
    : TCkExGraphicControl(AOwner), FHotFont(new TFont()) {
  FControlStyle.Exclude(csOpaque);
  FControlStyle.Exclude(csDoubleClicks);
  SetBounds(0, 0, 40, 40);
}

TCkCustomGraphicButton::~TCkCustomGraphicButton() {
  delete FHotFont;
  FHotFont = nullptr;
}

// ---- Properties

void TCkCustomGraphicButton::SetAllowAllUp(bool Value) {
  if (FAllowAllUp == Value) return;
  FAllowAllUp = Value;
  NotifyGroup();
}

void TCkCustomGraphicButton::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  NotifyGroup();
}

void TCkCustomGraphicButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FDown) return;
  // A grouped button without AllowAllUp is released only by another one.
  if (FDown && !FAllowAllUp) return;
  FDown = Value;
  NotifyGroup();
  Invalidate();
}

void TCkCustomGraphicButton::SetDropArrow(bool Value) {
  if (FDropArrow == Value) return;
  FDropArrow = Value;
  Invalidate();
}

void TCkCustomGraphicButton::SetDropDownMenu(TPopupMenu* Value) {
  if (services::SwapComponentReference(this, Value, FDropDownMenu) && FDropArrow) Invalidate();
}

void TCkCustomGraphicButton::SetHotTrackFontOptions(TCkTrackFontOptions Value) {
  if (FHotTrackFontOptions == Value) return;
  FHotTrackFontOptions = Value;
  services::SyncHotTrackFont(FHotFont, Font(), FHotTrackFontOptions);
}

bool TCkCustomGraphicButton::HotTrackFontStored() const {
  return services::HotTrackFontDiffers(FHotFont, Font(), FHotTrackFontOptions);
}

void TCkCustomGraphicButton::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  if (Value) FControlStyle.Exclude(csOpaque);
  else FControlStyle.Include(csOpaque);
  RefreshWithParent();
}

void TCkCustomGraphicButton::Notification(TComponent* AComponent, TOperation Operation) {
  TCkExGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDropDownMenu) FDropDownMenu = nullptr;
}

// ---- Groups and sizes

void TCkCustomGraphicButton::NotifyGroup() {
  if (FGroupIndex == 0 || !Parent()) return;
  TMessage m{CM_BUTTONGROUPDOWN, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this), 0};
  Parent()->Broadcast(m);
}

void TCkCustomGraphicButton::GroupButtonDown(int Group, TCkCustomGraphicButton* Sender) {
  if (Group != FGroupIndex || Sender == this || !Sender) return;
  if (Sender->FDown && FDown) {
    FDown = false;
    FStates.Exclude(bsMouseDown);
    RefreshWithParent();
  }
  FAllowAllUp = Sender->FAllowAllUp;
}

void TCkCustomGraphicButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCkExGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!FForceSameSize) return;
  if (TCustomForm* form = GetParentForm(this)) {
    TMessage m{CM_BUTTONFORCESIZE, static_cast<WPARAM>(MAKELONG(Width(), Height())), reinterpret_cast<LPARAM>(this),
               0};
    form->Broadcast(m);
  }
}

void TCkCustomGraphicButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_BUTTONGROUPDOWN:
      GroupButtonDown(static_cast<int>(Message.WParam), reinterpret_cast<TCkCustomGraphicButton*>(Message.LParam));
      Message.Result = 0;
      return;
    case CM_BUTTONFORCESIZE:
      if (reinterpret_cast<TCkCustomGraphicButton*>(Message.LParam) != this) {
        int w = static_cast<int16_t>(LOWORD(Message.WParam));
        int h = static_cast<int16_t>(HIWORD(Message.WParam));
        // The plain control bounds: no new broadcast.
        TCkExGraphicControl::SetBounds(Left(), Top(), w, h);
      }
      Message.Result = 0;
      return;
    case CM_SYSCOLORCHANGE:
      TCkExGraphicControl::WndProc(Message);
      RefreshWithParent();
      return;
    default:
      TCkExGraphicControl::WndProc(Message);
      return;
  }
}

// ---- Painting

void TCkCustomGraphicButton::RefreshWithParent() {
  if (Parent() && Parent()->HandleAllocated()) {
    RECT r{Left(), Top(), Left() + Width(), Top() + Height()};
    InvalidateRect(Parent()->WindowHandle(), &r, TRUE);
  }
  Repaint();
}

bool TCkCustomGraphicButton::PointOnButton(int X, int Y) { return X >= 0 && Y >= 0 && X < Width() && Y < Height(); }

void TCkCustomGraphicButton::Paint() {
  TCanvas* canvas = Canvas();
  PaintFrame(canvas);
  PaintForeground(canvas);
  if (FDropArrow && FDropDownMenu) {
    TRect r = Rect(Width() - 16, Height() / 2, Width() - 9, Height() / 2 + 9);
    if (FStates.Contains(bsMouseDown)) {
      ++r.Left;
      ++r.Right;
      ++r.Top;
      ++r.Bottom;
    }
    DrawDropArrow(canvas, r);
  }
}

void TCkCustomGraphicButton::PaintFrame(TCanvas*) {}

void TCkCustomGraphicButton::PaintForeground(TCanvas* ACanvas) {
  ACanvas->SetFont(FStates.Contains(bsMouseInside) && FHotTrack ? FHotFont : Font());
}

void TCkCustomGraphicButton::DrawDropArrow(TCanvas* ACanvas, const TRect& ArrowRect) {
  TPen* pen = ACanvas->Pen();
  pen->SetStyle(psSolid);
  pen->SetWidth(1);
  pen->SetColor(Enabled() ? clWindowText : clInactiveCaption);
  for (int i = 0; i < 4; ++i) {
    if (ArrowRect.Right - i < ArrowRect.Left + i) break;
    ACanvas->MoveTo(ArrowRect.Left + i, ArrowRect.Top + i);
    ACanvas->LineTo(ArrowRect.Right - i, ArrowRect.Top + i);
  }
}

// ---- Mouse and keyboard

void TCkCustomGraphicButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!Enabled()) return;
  TCkExGraphicControl::MouseDown(Button, Shift, X, Y);
  if (PointOnButton(X, Y)) {
    FStates = TCkButtonMouseStates{bsMouseInside, bsMouseDown};
    RefreshWithParent();
  }
  SetMouseCapture(true);
  TPoint p = ClientToScreen(TPoint{0, Height()});
  ShowDropDownMenu(Button, Shift, p.x, p.y);
}

void TCkCustomGraphicButton::MouseMove(TShiftState Shift, int X, int Y) {
  TCkExGraphicControl::MouseMove(Shift, X, Y);
  if (!MouseCapture()) return;
  bool inside = PointOnButton(X, Y);
  if (inside == FStates.Contains(bsMouseInside)) return;
  if (inside) FStates.Include(bsMouseInside);
  else FStates.Exclude(bsMouseInside);
  RefreshWithParent();
}

void TCkCustomGraphicButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (MouseCapture()) SetMouseCapture(false);
  if (!Enabled()) return;
  TCkExGraphicControl::MouseUp(Button, Shift, X, Y);
  FStates.Exclude(bsMouseDown);
  RefreshWithParent();
}

bool TCkCustomGraphicButton::ShowDropDownMenu(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button != mbLeft || !FDropDownMenu) return false;
  FDropDownMenu->SetPopupComponent(this);
  if (FDropDownMenu->Alignment() == paRight) X += Width();
  else if (FDropDownMenu->Alignment() == paCenter) X += Width() / 2;
  bool handled = false;
  OnDropDownMenu(this, TPoint{X, Y}, handled);
  if (handled) return true;
  FDropDownMenu->Popup(X, Y);
  // The press that closed the menu and whatever followed it must not reach
  // the button as a new click.
  MSG msg;
  while (PeekMessageW(&msg, nullptr, WM_MOUSEFIRST, 0x020E, PM_REMOVE)) {
  }
  MouseUp(Button, Shift, X, Y);
  OnDropDownClose(this);
  return true;
}

void TCkCustomGraphicButton::MouseEntered(TControl* Control) {
  if (!IsOwnNotice(Control)) {
    TCkExGraphicControl::MouseEntered(Control);
    return;
  }
  if (ComponentState().Contains(csDesigning) || !Enabled() || FStates.Contains(bsMouseInside)) return;
  FStates.Include(bsMouseInside);
  TCkExGraphicControl::MouseEntered(Control);
  if (FFlat) RefreshWithParent();
  if (FHotTrack) Repaint();
}

void TCkCustomGraphicButton::MouseLeft(TControl* Control) {
  if (!IsOwnNotice(Control)) {
    TCkExGraphicControl::MouseLeft(Control);
    return;
  }
  if (!Enabled() || !FStates.Contains(bsMouseInside)) return;
  FStates.Exclude(bsMouseInside);
  TCkExGraphicControl::MouseLeft(Control);
  if (FFlat) RefreshWithParent();
  if (FHotTrack) Repaint();
}

void TCkCustomGraphicButton::EnabledChanged() {
  TCkExGraphicControl::EnabledChanged();
  if (!Enabled()) FStates = TCkButtonMouseStates{};
  RefreshWithParent();
}

void TCkCustomGraphicButton::TextChanged() {
  TCkExGraphicControl::TextChanged();
  RefreshWithParent();
}

void TCkCustomGraphicButton::FontChanged() {
  TCkExGraphicControl::FontChanged();
  services::SyncHotTrackFont(FHotFont, Font(), FHotTrackFontOptions);
}

bool TCkCustomGraphicButton::WantsDialogChar(int Key, TShiftState Shift) {
  TShiftState keys = Shift * TShiftState{ssShift, ssAlt, ssCtrl};
  if (IsAccel(static_cast<WORD>(Key), Caption()) && Enabled() && keys == TShiftState{ssAlt}) {
    Click();
    return true;
  }
  return TCkExGraphicControl::WantsDialogChar(Key, Shift);
}

void TCkCustomGraphicButton::Click() {
  if (FGroupIndex != 0) SetDown(FAllowAllUp ? !FDown : true);
  try {
    TCkExGraphicControl::Click();
  } catch (...) {
    FStates.Exclude(bsMouseDown);
    RefreshWithParent();
    throw;
  }
}

FW_REGISTER(TCkCustomGraphicButton) {}

}  // namespace ck
