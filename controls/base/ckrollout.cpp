#include "controls/base/ckrollout.h"

#include <algorithm>

#include "controls/base/ckthemes.h"
#include "fw/controls/controlcanvas.h"
#include "fw/core/rtti.h"
#include "fw/stdctrls/stdctrls_common.h"
#include "fw/system/screen.h"
#include "services/ckutils.h"

namespace ck {

using namespace fw;

namespace {

bool InRect(const TRect& R, int X, int Y) { return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom; }

// The roll-outs among a parent's children, in the parent's control order.
std::vector<TCkCustomRollOut*> RollOutsOf(TWinControl* Parent) {
  std::vector<TCkCustomRollOut*> list;
  if (!Parent) return list;
  for (int i = 0; i < Parent->ControlCount(); ++i)
    if (auto* r = dynamic_cast<TCkCustomRollOut*>(Parent->Controls(i))) list.push_back(r);
  return list;
}

}  // namespace

// ---- TCkRollOutColors

void TCkRollOutColors::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TCkRollOutColors*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  SetButtonBottom(src->ButtonBottom());
  SetButtonTop(src->ButtonTop());
  SetButtonColor(src->ButtonColor());
  SetHotTrackText(src->HotTrackText());
  SetColor(src->Color());
  SetFrameBottom(src->FrameBottom());
  SetFrameTop(src->FrameTop());
}

// ---- TCkRollOutImageOptions

TCkRollOutImageOptions::TCkRollOutImageOptions(TCkCustomRollOut* AOwner)
    : FOwner(AOwner), FChangeLink(new TChangeLink()) {
  FChangeLink->OnChange = TNotifyEvent(this, &TCkRollOutImageOptions::ImagesChanged);
}

TCkRollOutImageOptions::~TCkRollOutImageOptions() {
  if (FImages) FImages->UnRegisterChanges(FChangeLink);
  delete FChangeLink;
}

TPersistent* TCkRollOutImageOptions::GetOwner() const { return FOwner; }

void TCkRollOutImageOptions::ImagesChanged(TObject*) { Changed(); }

void TCkRollOutImageOptions::SetImages(TCustomImageList* Value) {
  if (FOwner) {
    if (!services::SwapImageListReference(FOwner, Value, FImages, FChangeLink)) return;
  } else {
    if (FImages == Value) return;
    if (FImages) FImages->UnRegisterChanges(FChangeLink);
    FImages = Value;
    if (FImages) FImages->RegisterChanges(FChangeLink);
  }
  Changed();
}

void TCkRollOutImageOptions::SetIndexCollapsed(int Value) {
  if (FIndexCollapsed == Value) return;
  FIndexCollapsed = Value;
  Changed();
}

void TCkRollOutImageOptions::SetIndexExpanded(int Value) {
  if (FIndexExpanded == Value) return;
  FIndexExpanded = Value;
  Changed();
}

void TCkRollOutImageOptions::SetOffset(int Value) {
  if (FOffset == Value) return;
  FOffset = Value;
  Changed();
}

void TCkRollOutImageOptions::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TCkRollOutImageOptions*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  SetImages(src->Images());
  SetIndexCollapsed(src->IndexCollapsed());
  SetIndexExpanded(src->IndexExpanded());
  SetOffset(src->Offset());
}

// ---- TCkCustomRollOut

TCkCustomRollOut::TCkCustomRollOut(TComponent* AOwner)
    : TCkCustomPanel(AOwner),
      FColors(new TCkRollOutColors()),
      FImageOptions(new TCkRollOutImageOptions(this)),
      FButtonFont(new TFont()) {
  AddThemeStyleFlags(this, TControlStyle{csParentBackground, csNeedsBorderPaint});
  FControlStyle.Exclude(csDoubleClicks);
  FColors->OnChange = TNotifyEvent(this, &TCkCustomRollOut::OptionsChanged);
  FImageOptions->OnChange = TNotifyEvent(this, &TCkCustomRollOut::OptionsChanged);
  SetBounds(0, 0, 145, 170);
  FAWidth = 145;
  FAHeight = 170;
  FCWidth = 22;
  FCHeight = 22;
  FButtonFont->SetName(u"Verdana");
  FButtonFont->SetSize(7);
  FButtonFont->SetStyle(TFontStyles{fsBold});
  FButtonFont->SetColor(clWindowText);
  FButtonFont->OnChange = TNotifyEvent(this, &TCkCustomRollOut::ButtonFontChanged);
  FTopForm = NewForm<TForm>(this);
  FTopForm->SetBorderStyle(bsNone);
  FTopForm->SetFormStyle(fsStayOnTop);
  FTopForm->SetPosition(poDesigned);
  FTopForm->OnDeactivate = TNotifyEvent(this, &TCkCustomRollOut::TopFormDeactivate);
}

TCkCustomRollOut::~TCkCustomRollOut() {
  if (FTopForm) FTopForm->OnDeactivate = nullptr;
  if (FOldParent) FOldParent->RemoveFreeNotification(this);
  delete FButtonFont;
  FButtonFont = nullptr;
  delete FImageOptions;
  FImageOptions = nullptr;
  delete FChildControlVisibility;
  FChildControlVisibility = nullptr;
  delete FColors;
  FColors = nullptr;
}

void TCkCustomRollOut::OptionsChanged(TObject*) { Invalidate(); }

void TCkCustomRollOut::ButtonFontChanged(TObject*) { Invalidate(); }

bool TCkCustomRollOut::ButtonFontStored() const {
  return FButtonFont->Name() != u"Verdana" || FButtonFont->Size() != 7 ||
         FButtonFont->Style() != TFontStyles{fsBold} || FButtonFont->Color() != clWindowText;
}

void TCkCustomRollOut::Notification(TComponent* AComponent, TOperation Operation) {
  TCkCustomPanel::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (FImageOptions && AComponent == FImageOptions->FImages) FImageOptions->SetImages(nullptr);
  if (AComponent == FOldParent) FOldParent = nullptr;
  if (AComponent == FTopForm) FTopForm = nullptr;
}

bool TCkCustomRollOut::MouseIsOnButton() {
  if (!Mouse) return false;
  TPoint p = ScreenToClient(Mouse->CursorPos());
  TRect r = FButtonRect;
  RectInflate(r, 1, 1);
  return InRect(r, p.x, p.y);
}

// ---- Properties

void TCkCustomRollOut::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  if (!FCollapsed) NotifyGroup();
}

void TCkCustomRollOut::SetPlacement(TCkPlacement Value) {
  if (FPlacement == Value) return;
  FPlacement = Value;
  if (FCollapsed) ResizePanel(Value == plLeft ? FCWidth : FCHeight);
  else ResizePanel(Value == plLeft ? FAWidth : FAHeight);
  Realign();
  Invalidate();
}

void TCkCustomRollOut::SetButtonHeight(int Value) {
  if (FButtonHeight == Value) return;
  FButtonHeight = Value;
  FCHeight = Value + 2;
  int b = BevelWidth();
  FButtonRect = FPlacement == plTop ? Rect(b, b, Width() - b, FButtonHeight + b)
                                    : Rect(b, b, FButtonHeight + b, Height() - b);
  Realign();
  Invalidate();
}

void TCkCustomRollOut::SetChildOffset(int Value) {
  if (FChildOffset == Value) return;
  FChildOffset = Value;
  Realign();
}

void TCkCustomRollOut::SetSmartExpand(bool Value) {
  FSmartExpand = Value;
  FCollapsedList.clear();
}

void TCkCustomRollOut::SetShowFocus(bool Value) {
  if (FShowFocus == Value) return;
  FShowFocus = Value;
  if (Focused()) Invalidate();
}

void TCkCustomRollOut::SetExpandedSize(int Value) {
  int& size = FPlacement == plTop ? FAHeight : FAWidth;
  if (size == Value) return;
  size = Value;
  if (FCollapsed) return;
  if (PoppedOut() && FTopForm) {
    FTopForm->DisableAlign();
    if (FPlacement == plTop) {
      FTopForm->SetHeight(Value);
      FOldWidthHeight.y = Value;
    } else {
      FTopForm->SetWidth(Value);
      FOldWidthHeight.x = Value;
    }
    FTopForm->EnableAlign();
  }
  ResizePanel(Value);
  bool fits = false;
  if (PoppedOut()) {
    fits = FPlacement == plTop ? FOldPos.y + Value <= FOldParent->ClientHeight()
                               : FOldPos.x + Value <= FOldParent->ClientWidth();
  }
  if (PoppedOut() && fits) PopIn();
  else PopOut();
}

void TCkCustomRollOut::ReadFAWidth(int Value) {
  FAWidth = Value;
  if (!FCollapsed && FPlacement == plLeft) SetWidth(Value);
}

void TCkCustomRollOut::ReadFAHeight(int Value) {
  FAHeight = Value;
  if (!FCollapsed && FPlacement == plTop) SetHeight(Value);
}

void TCkCustomRollOut::ReadFCWidth(int Value) {
  FCWidth = Value;
  if (FCollapsed && FPlacement == plLeft) SetWidth(Value);
}

void TCkCustomRollOut::ReadFCHeight(int Value) {
  FCHeight = Value;
  if (FCollapsed && FPlacement == plTop) SetHeight(Value);
}

// ---- Collapsing and expanding

void TCkCustomRollOut::WriteCollapsed(bool Value) {
  if (FCollapsed == Value) return;
  FCollapsed = Value;
  if (Value) {
    if (FSmartShow && PoppedOut()) PopIn();
    ResizePanel(FPlacement == plLeft ? FCWidth : FCHeight);
    FireCollapse();
  } else {
    ResizePanel(FPlacement == plLeft ? FAWidth : FAHeight);
    FireExpand();
    NotifyGroup();
  }
  UpdateChildVisibility();
}

void TCkCustomRollOut::ResizePanel(int Size) {
  // The edge the panel is docked to stays where it is.
  TWinControl* parent = Parent();
  if (parent) parent->DisableAlign();
  DisableAlign();
  try {
    if (FPlacement == plTop) {
      int top = Top();
      if (Align() == alBottom) top += Height() - Size;
      SetBounds(Left(), top, Width(), Size);
    } else {
      int left = Left();
      if (Align() == alRight) left += Width() - Size;
      SetBounds(left, Top(), Size, Height());
    }
  } catch (...) {
    EnableAlign();
    if (parent) parent->EnableAlign();
    throw;
  }
  EnableAlign();
  if (parent) parent->EnableAlign();
}

void TCkCustomRollOut::FireExpand() {
  if (FSmartExpand) {
    FCollapsedList.clear();
    TWinControl* parent = Parent();
    if (parent && Top() + Height() > parent->ClientHeight()) {
      for (TCkCustomRollOut* r : RollOutsOf(parent)) {
        if (r == this) continue;
        FCollapsedList.push_back(r->Collapsed());
        bool smart = r->SmartExpand();
        r->SetSmartExpand(false);
        r->SetCollapsed(true);
        r->SetSmartExpand(smart);
      }
    }
  }
  if (FSmartShow) PopOut();
  OnExpand(this);
}

void TCkCustomRollOut::FireCollapse() {
  if (FSmartExpand) {
    std::vector<bool> saved;
    saved.swap(FCollapsedList);
    if (!saved.empty()) {
      std::vector<TCkCustomRollOut*> others;
      for (TCkCustomRollOut* r : RollOutsOf(Parent()))
        if (r != this) others.push_back(r);
      bool allCollapsed = std::all_of(others.begin(), others.end(), [](TCkCustomRollOut* r) { return r->Collapsed(); });
      if (allCollapsed)
        for (size_t i = 0; i < others.size() && i < saved.size(); ++i) others[i]->SetCollapsed(saved[i]);
    }
  }
  OnCollapse(this);
}

void TCkCustomRollOut::NotifyGroup() {
  if (FGroupIndex == 0 || !Parent()) return;
  // Only roll-outs listen: a standard control may give this number a
  // meaning of its own.
  for (TCkCustomRollOut* r : RollOutsOf(Parent()))
    r->Perform(CM_ROLLOUTGROUP, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this));
}

void TCkCustomRollOut::WndProc(TMessage& Message) {
  if (Message.Msg == CM_ROLLOUTGROUP) {
    Message.Result = 0;
    if (static_cast<int>(Message.WParam) == FGroupIndex && reinterpret_cast<TCkCustomRollOut*>(Message.LParam) != this) {
      SetCollapsed(true);
      UpdateChildVisibility();
      Invalidate();
    }
    return;
  }
  TCkCustomPanel::WndProc(Message);
}

void TCkCustomRollOut::UpdateChildVisibility() {
  if (ComponentState().Contains(csDesigning)) return;
  if (FCollapsed) {
    if (!FChildControlVisibility) FChildControlVisibility = new std::vector<HiddenChild>();
    for (int i = 0; i < ControlCount(); ++i) {
      auto* w = dynamic_cast<TWinControl*>(Controls(i));
      if (!w || !w->Visible()) continue;
      FChildControlVisibility->push_back({w->Name(), w});
      w->SetVisible(false);
    }
    return;
  }
  if (!FChildControlVisibility) return;
  // A child that left the panel (or was freed) meanwhile is not touched;
  // children without a name come back as well.
  std::vector<HiddenChild> hidden;
  hidden.swap(*FChildControlVisibility);
  delete FChildControlVisibility;
  FChildControlVisibility = nullptr;
  for (const HiddenChild& h : hidden) {
    for (int i = 0; i < ControlCount(); ++i) {
      if (Controls(i) == h.Control) {
        h.Control->SetVisible(true);
        break;
      }
    }
  }
}

// ---- Smart show

void TCkCustomRollOut::PopOut() {
  if (!FSmartShow || PoppedOut() || !FTopForm) return;
  if (auto* form = dynamic_cast<TCustomForm*>(Owner()); form && !form->Visible()) return;
  TWinControl* parent = Parent();
  if (!parent) return;
  FOldPos = TPoint{Left(), Top()};
  FOldAlign = Align();
  if (Top() + Height() <= parent->ClientHeight()) return;
  FOldParent = parent;
  FOldParent->FreeNotification(this);
  FOldWidthHeight = TPoint{Width(), Height()};
  TPoint screen = parent->ClientToScreen(TPoint{Left(), Top()});
  FTopForm->SetBounds(screen.x, screen.y, Width(), Height());
  SetParent(FTopForm);
  SetAlign(alClient);
  FTopForm->Show();
}

void TCkCustomRollOut::PopIn() {
  if (!FSmartShow || !FOldParent || !FTopForm || Parent() != FTopForm) return;
  FTopForm->OnDeactivate = nullptr;
  FTopForm->Hide();
  TWinControl* oldParent = FOldParent;
  // The size put back is the expanded one, whatever the state meanwhile;
  // the alignment of the pop-out window is left behind first, so that
  // the old parent never sizes the panel to its client area.
  bool collapsed = FCollapsed;
  FCollapsed = false;
  try {
    SetAlign(alNone);
    SetParent(oldParent);
    SetBounds(FOldPos.x, FOldPos.y, FOldWidthHeight.x, FOldWidthHeight.y);
    SetAlign(FOldAlign);
  } catch (...) {
    FCollapsed = collapsed;
    throw;
  }
  FCollapsed = collapsed;
  oldParent->RemoveFreeNotification(this);
  FOldParent = nullptr;
  FTopForm->OnDeactivate = TNotifyEvent(this, &TCkCustomRollOut::TopFormDeactivate);
}

void TCkCustomRollOut::TopFormDeactivate(TObject*) {
  if (!FCollapsed) PopIn();
}

// ---- Geometry

void TCkCustomRollOut::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FCollapsed) {
    if (FPlacement == plLeft) FCWidth = AWidth;
    else FCHeight = AHeight;
  } else {
    if (FPlacement == plLeft) FAWidth = AWidth;
    else FAHeight = AHeight;
  }
  TCkCustomPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!FCollapsed) NotifyGroup();
}

void TCkCustomRollOut::AlignControls(TControl* AControl, TRect& Rect) {
  Rect.Left += FChildOffset;
  if (FPlacement == plTop) Rect.Top += FButtonHeight;
  else Rect.Left += FButtonHeight;
  TCkCustomPanel::AlignControls(AControl, Rect);
}

void TCkCustomRollOut::CreateWnd() {
  TCkCustomPanel::CreateWnd();
  if (!FCollapsed) NotifyGroup();
}

// ---- Painting

bool TCkCustomRollOut::EraseBackground(TCanvas*, LPARAM) {
  // Paint covers the whole area.
  return false;
}

void TCkCustomRollOut::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  if (FColors->Color() != clNone) {
    canvas->Brush()->SetStyle(bsSolid);
    PaintThemedBackground(this, canvas, r, FColors->Color(), true);
  }
  FrameRect3D(canvas, r, FColors->FrameTop(), FColors->FrameBottom(), BevelWidth());
  PaintButtonOn(canvas);
}

void TCkCustomRollOut::PaintButton() {
  if (!HandleAllocated()) return;
  FCanvas->Lock();
  try {
    PaintButtonOn(FCanvas);
  } catch (...) {
    FCanvas->FreeHandle();
    FCanvas->Unlock();
    throw;
  }
  FCanvas->FreeHandle();
  FCanvas->Unlock();
}

void TCkCustomRollOut::PaintButtonOn(TCanvas* ACanvas) {
  const int b = BevelWidth();
  FButtonRect = FPlacement == plTop ? Rect(b, b, Width() - b, FButtonHeight + b)
                                    : Rect(b, b, FButtonHeight + b, Height() - b);
  if (FColors->ButtonColor() != clNone) {
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Brush()->SetColor(FColors->ButtonColor());
    ACanvas->FillRect(FButtonRect);
  }
  const bool pressed = FMouseDown && FInsideButton;
  TRect frame = FButtonRect;
  if (pressed) FrameRect3D(ACanvas, frame, FColors->ButtonBottom(), FColors->ButtonTop(), 1);
  else if (FInsideButton) FrameRect3D(ACanvas, frame, FColors->ButtonTop(), FColors->ButtonBottom(), 1);
  else FrameRect3D(ACanvas, frame, FColors->Color(), FColors->Color(), 1);

  TCustomImageList* images = FImageOptions->Images();
  const int offset = FImageOptions->Offset();
  const int index = FCollapsed ? FImageOptions->IndexCollapsed() : FImageOptions->IndexExpanded();
  auto drawImage = [&](int x, int y) {
    if (index >= 0 && index < images->Count()) images->Draw(ACanvas, x, y, index, Enabled());
  };
  int textX = 0, textY = 0;
  if (FPlacement == plTop) {
    if (images) {
      drawImage(offset + b, (FButtonHeight - images->Height()) / 2 + b);
      textX = images->Width() + 2 * offset + b;
    } else {
      textX = 2 * offset + b;
    }
  } else {
    if (images) {
      drawImage((FButtonHeight - images->Width()) / 2 + b, offset + b);
      textY = images->Height() + 2 * offset + b;
    } else {
      textY = 2 * offset + b;
    }
  }

  ACanvas->SetFont(FButtonFont);
  if (FInsideButton) ACanvas->Font()->SetColor(FColors->HotTrackText());
  String caption = Caption();
  int th = ACanvas->TextHeight(caption.empty() ? String(u"W") : caption);
  if (FPlacement == plTop) {
    textY = FButtonRect.Top + (FButtonHeight - th) / 2 + b / 2;
  } else {
    textX = FButtonRect.Left + (th + FButtonRect.Width()) / 2 + b / 2;
    ACanvas->Font()->SetOrientation(2700);
  }
  if (!caption.empty()) {
    ACanvas->Brush()->SetStyle(bsClear);
    int d = pressed ? 1 : 0;
    ACanvas->TextOut(textX + d, textY + d, caption);
  }
  if (FPlacement == plLeft) ACanvas->Font()->SetOrientation(0);
  if (FShowFocus && Focused()) {
    TRect f = FButtonRect;
    RectInflate(f, -2, -2);
    ACanvas->Font()->SetColor(clWindowText);
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Brush()->SetColor(clWindow);
    ACanvas->DrawFocusRect(f);
  }
}

// ---- Mouse and keyboard

void TCkCustomRollOut::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCkCustomPanel::MouseDown(Button, Shift, X, Y);
  if (FMouseDown) return;
  FMouseDown = true;
  PaintButton();
  if (CanFocus()) SetFocus();
}

void TCkCustomRollOut::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCkCustomPanel::MouseUp(Button, Shift, X, Y);
  if (!FMouseDown) return;
  FMouseDown = false;
  PaintButton();
}

void TCkCustomRollOut::MouseMove(TShiftState Shift, int X, int Y) {
  TCkCustomPanel::MouseMove(Shift, X, Y);
  bool inside = InRect(FButtonRect, X, Y);
  if (inside == FInsideButton) return;
  FInsideButton = inside;
  PaintButton();
}

void TCkCustomRollOut::MouseEntered(TControl* Control) {
  TCkCustomPanel::MouseEntered(Control);
  if (!ComponentState().Contains(csDesigning)) PaintButton();
}

void TCkCustomRollOut::MouseLeft(TControl* Control) {
  TCkCustomPanel::MouseLeft(Control);
  if (ComponentState().Contains(csDesigning)) return;
  if (FInsideButton) {
    FInsideButton = false;
    FMouseDown = false;
  }
  PaintButton();
}

void TCkCustomRollOut::Click() {
  if (!Action() && (MouseIsOnButton() || FToggleAnywhere)) SetCollapsed(!FCollapsed);
  TCkCustomPanel::Click();
  PaintButton();
}

bool TCkCustomRollOut::WantsDialogChar(int Key, TShiftState Shift) {
  if (Enabled() && ((IsAccel(static_cast<WORD>(Key), Caption()) && Shift.Contains(ssAlt)) ||
                    (Key == VK_SPACE && Focused()))) {
    SetCollapsed(!FCollapsed);
    if (CanFocus()) SetFocus();
    return true;
  }
  return TCkCustomPanel::WantsDialogChar(Key, Shift);
}

void TCkCustomRollOut::FocusSet(HWND PreviousWindow) {
  UpdateChildVisibility();
  TCkCustomPanel::FocusSet(PreviousWindow);
  Invalidate();
}

void TCkCustomRollOut::FocusKilled(HWND NextWindow) {
  UpdateChildVisibility();
  TCkCustomPanel::FocusKilled(NextWindow);
  Invalidate();
}

void TCkCustomRollOut::ParentColorChanged() {
  TCkCustomPanel::ParentColorChanged();
  if (ParentColor()) FColors->SetColor(Color());
}

// ---- Registration

FW_REGISTER(TCkRollOutColors) {
  using C = TCkRollOutColors;
  c.Property(u"ButtonBottom", &C::ButtonBottom, &C::SetButtonBottom).Type(TypeInfoTColor()).Default(clBtnShadow);
  c.Property(u"ButtonTop", &C::ButtonTop, &C::SetButtonTop).Type(TypeInfoTColor()).Default(clBtnHighlight);
  c.Property(u"ButtonColor", &C::ButtonColor, &C::SetButtonColor).Type(TypeInfoTColor()).Default(clBtnFace);
  c.Property(u"HotTrackText", &C::HotTrackText, &C::SetHotTrackText).Type(TypeInfoTColor()).Default(clWindowText);
  c.Property(u"Color", &C::Color, &C::SetColor).Type(TypeInfoTColor()).Default(clBtnFace);
  c.Property(u"FrameBottom", &C::FrameBottom, &C::SetFrameBottom).Type(TypeInfoTColor()).Default(clBtnHighlight);
  c.Property(u"FrameTop", &C::FrameTop, &C::SetFrameTop).Type(TypeInfoTColor()).Default(clBtnShadow);
  c.Property(u"OnChange", &C::OnChange, &C::OnChange);
}

FW_REGISTER(TCkRollOutImageOptions) {
  using O = TCkRollOutImageOptions;
  c.Property(u"Images", &O::Images, &O::SetImages);
  c.Property(u"IndexCollapsed", &O::IndexCollapsed, &O::SetIndexCollapsed).Default(1);
  c.Property(u"IndexExpanded", &O::IndexExpanded, &O::SetIndexExpanded).Default(0);
  c.Property(u"Offset", &O::Offset, &O::SetOffset).Default(5);
  c.Property(u"OnChange", &O::OnChange, &O::OnChange);
}

FW_REGISTER(TCkCustomRollOut) {}

FW_REGISTER(TCkRollOut) {
  using R = TCkRollOut;
  c.Property(u"BevelWidth", &R::BevelWidth, &R::SetBevelWidth).Default(1);
  c.Property(u"BorderWidth", &R::BorderWidth, &R::SetBorderWidth).Default(0);
  c.Property(u"ButtonFont", &R::ButtonFont, &R::SetButtonFont).Stored(&R::ButtonFontStored);
  c.Property(u"ButtonHeight", &R::ButtonHeight, &R::SetButtonHeight).Default(20);
  c.Property(u"ChildOffset", &R::ChildOffset, &R::SetChildOffset).Default(0);
  c.Property(u"Placement", &R::Placement, &R::SetPlacement).Default(plTop);
  c.Property(u"Collapsed", &R::Collapsed, &R::SetCollapsed).Default(false);
  c.Property(u"Colors", &R::Colors, &R::SetColors);
  c.Property(u"GroupIndex", &R::GroupIndex, &R::SetGroupIndex).Default(0);
  c.Property(u"ImageOptions", &R::ImageOptions, &R::SetImageOptions);
  c.Property(u"ParentBackground", &R::ParentBackground, &R::SetParentBackground).Default(true);
  c.Property(u"ParentColor", &R::ParentColor, &R::SetParentColor).Default(false);
  c.Property(u"ShowFocus", &R::ShowFocus, &R::SetShowFocus).Default(true);
  c.Property(u"SmartExpand", &R::SmartExpand, &R::SetSmartExpand).Default(true);
  c.Property(u"SmartShow", &R::SmartShow, &R::SetSmartShow).Default(true);
  c.Property(u"ToggleAnywhere", &R::ToggleAnywhere, &R::SetToggleAnywhere).Default(true);
  c.Property(u"OnExpand", &R::OnExpand, &R::OnExpand);
  c.Property(u"OnCollapse", &R::OnCollapse, &R::OnCollapse);
  // The remembered sizes, always written after the properties above.
  c.Property(u"FAWidth", &R::FAWidthValue, &R::ReadFAWidth).NoDefault();
  c.Property(u"FAHeight", &R::FAHeightValue, &R::ReadFAHeight).NoDefault();
  c.Property(u"FCWidth", &R::FCWidthValue, &R::ReadFCWidth).NoDefault();
  c.Property(u"FCHeight", &R::FCHeightValue, &R::ReadFCHeight).NoDefault();
}

}  // namespace ck
