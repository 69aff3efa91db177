#include "controls/base/xp_button.h"

#include <algorithm>

#include "controls/base/xp_drawing.h"
#include "fw/controls/forms.h"
#include "fw/core/rtti.h"
#include "fw/graphics/icon.h"
#include "fw/system/actions.h"
#include "fw/system/screen.h"

namespace ck {

using namespace fw;

namespace {

constexpr TColor kFrameColor = 0x733800;
constexpr TColor kEdgeColor = 0xAD9E7B;
constexpr TColor kDisabledFrameColor = 0xBDC7CE;

// Copies a face bitmap onto the canvas at (x, y), at most w x h of it.
void CopyFace(TCanvas* c, TBitmap* face, int x, int y, int w, int h) {
  w = std::min(w, face->Width());
  h = std::min(h, face->Height());
  if (w <= 0 || h <= 0) return;
  c->CopyRect(Rect(x, y, x + w, y + h), face->Canvas(), Rect(0, 0, w, h));
}

}  // namespace

TCustomImageList* ActionListImages(TBasicAction* Action) {
  auto* contained = dynamic_cast<TContainedAction*>(Action);
  if (!contained || !contained->ActionList()) return nullptr;
  TCustomActionList* list = contained->ActionList();
  if (!IsPublishedProp(list, u"Images")) return nullptr;
  return dynamic_cast<TCustomImageList*>(GetPropValue(list, u"Images").AsObject());
}

TCkXPCustomButton::TCkXPCustomButton(TComponent* AOwner)
    : TCkXPCustomStyleControl(AOwner),
      FBgGradient(new TBitmap()),
      FCkGradient(new TBitmap()),
      FFcGradient(new TBitmap()),
      FGlyph(new TPicture()),
      FHlGradient(new TBitmap()),
      FImageChangeLink(new TChangeLink()) {
  FControlStyle.Exclude(csDoubleClicks);
  FTabStop = true;
  FWidth = 73;
  FHeight = 21;
  FGlyph->OnChange = TNotifyEvent(this, &TCkXPCustomButton::GlyphChanged);
  FImageChangeLink->OnChange = TNotifyEvent(this, &TCkXPCustomButton::ImageListChanged);
  BuildFaces();
}

TCkXPCustomButton::~TCkXPCustomButton() {
  delete FImageChangeLink;
  delete FBgGradient;
  delete FCkGradient;
  delete FFcGradient;
  delete FHlGradient;
  delete FGlyph;
}

void TCkXPCustomButton::SetAutoGray(bool Value) {
  if (FAutoGray == Value) return;
  FAutoGray = Value;
  RepaintWhenUnlocked();
}

void TCkXPCustomButton::SetDefault(bool Value) {
  if (FDefault == Value) return;
  FDefault = Value;
  // Every XP-style control of the form looks at its focus state again.
  if (TCustomForm* form = GetParentForm(this))
    form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

void TCkXPCustomButton::SetDown(bool Value) {
  if (FDown == Value) return;
  FDown = Value;
  RepaintWhenUnlocked();
}

void TCkXPCustomButton::SetGlyph(TPicture* Value) {
  if (Value == FGlyph) return;
  FGlyph->Assign(Value);
  RepaintWhenUnlocked();
}

void TCkXPCustomButton::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Invalidate();
}

void TCkXPCustomButton::SetLayout(TCkXPLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  RepaintWhenUnlocked();
}

void TCkXPCustomButton::SetShowAccelChar(bool Value) {
  if (FShowAccelChar == Value) return;
  FShowAccelChar = Value;
  RepaintWhenUnlocked();
}

void TCkXPCustomButton::SetShowFocusRect(bool Value) {
  if (FShowFocusRect == Value) return;
  FShowFocusRect = Value;
  RepaintWhenUnlocked();
}

void TCkXPCustomButton::SetSmoothEdges(bool Value) {
  if (FSmoothEdges == Value) return;
  FSmoothEdges = Value;
  RepaintWhenUnlocked();
}

void TCkXPCustomButton::SetSpacing(uint8_t Value) {
  if (FSpacing == Value) return;
  FSpacing = Value;
  RepaintWhenUnlocked();
}

void TCkXPCustomButton::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  RepaintWhenUnlocked();
}

void TCkXPCustomButton::GlyphChanged(TObject*) { RepaintWhenUnlocked(); }

void TCkXPCustomButton::SetButtonAction(TBasicAction* Value) {
  SetAction(Value);
  if (!Value) Invalidate();
}

void TCkXPCustomButton::Notification(TComponent* AComponent, TOperation Operation) {
  bool actionGone = Operation == opRemove && Action() && AComponent == Action();
  TCkXPCustomStyleControl::Notification(AComponent, Operation);
  if (actionGone) Invalidate();
}

TCustomImageList* TCkXPCustomButton::ActionImages() const {
  return ActionListImages(Action());
}

void TCkXPCustomButton::ActionChange(TObject* Sender, bool CheckDefaults) {
  TCkXPCustomStyleControl::ActionChange(Sender, CheckDefaults);
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action) return;
  // The image index always follows the action.
  FImageIndex = action->ImageIndex();
  if (TCustomImageList* images = ActionListImages(action)) {
    if (FImageChangeLink->Sender() != images) {
      if (FImageChangeLink->Sender()) FImageChangeLink->Sender()->UnRegisterChanges(FImageChangeLink);
      images->RegisterChanges(FImageChangeLink);
    }
  }
  Invalidate();
}

void TCkXPCustomButton::ImageListChanged(TObject*) {
  auto* action = dynamic_cast<TCustomAction*>(Action());
  TCustomImageList* images = ActionImages();
  if (action && images) {
    int index = action->ImageIndex();
    FImageIndex = index >= 0 && index < images->Count() ? index : -1;
  }
  Invalidate();
}

bool TCkXPCustomButton::IsSpecialDrawState(bool IgnoreDefault) const {
  bool result;
  if (FDrawState.Contains(dsClicked) || FDown)
    result = !(FDrawState.Contains(dsHighlight) || FDown);
  else
    result = FDrawState.Contains(dsHighlight) || FDrawState.Contains(dsFocused);
  if (!IgnoreDefault && !result) result = FDefault && CanFocus() && !FIsSibling;
  return result;
}

void TCkXPCustomButton::BuildFaces() {
  const int s = IsSpecialDrawState(true) ? 1 : 0;
  const int a = 4 * s + 2;
  BuildDitheredGradient(Width() - a, Height() - a, 0xFFFFFF, 0xE7EBEF, 64, gsTopToBottom, true, FBgGradient);
  BuildDitheredGradient(Width() - 2, Height() - 2, 0xC6CFD6, 0xEBF3F7, 64, gsTopToBottom, true, FCkGradient);
  BuildDitheredGradient(Width() - 2, Height() - 2, 0xFFE7CE, 0xEF846D, 64, gsTopToBottom, true, FFcGradient);
  BuildDitheredGradient(Width() - 2, Height() - 2, 0xCEF3FF, 0x0096E7, 64, gsTopToBottom, true, FHlGradient);
}

void TCkXPCustomButton::ReactResized() {
  BuildFaces();
  TCkXPCustomStyleControl::ReactResized();
  Invalidate();
}

bool TCkXPCustomButton::TakePicture(TBitmap* Picture) {
  TCustomImageList* images = ActionImages();
  if (images && FImageIndex >= 0 && FImageIndex < images->Count()) {
    images->GetBitmap(FImageIndex, Picture);
  } else if (FGlyph->Graphic() && !FGlyph->Graphic()->Empty()) {
    if (auto* bmp = dynamic_cast<TBitmap*>(FGlyph->Graphic())) {
      Picture->Assign(bmp);
    } else {
      // An icon (or any other graphic) is realised on a bitmap first; its
      // see-through parts take the button's colour.
      Picture->SetPixelFormat(pf24bit);
      Picture->SetSize(FGlyph->Width(), FGlyph->Height());
      Picture->Canvas()->Brush()->SetColor(Color());
      Picture->Canvas()->FillRect(Rect(0, 0, Picture->Width(), Picture->Height()));
      Picture->Canvas()->Draw(0, 0, FGlyph->Graphic());
    }
  } else {
    return false;
  }
  if (Picture->Empty()) return false;
  if (FAutoGray && !Enabled()) LightenToGray(Picture);
  Picture->SetTransparent(true);
  return true;
}

void TCkXPCustomButton::Paint() {
  TCanvas* c = Canvas();
  const int w = Width(), h = Height();
  // A size change that came without WM_SIZE (no window yet) still gets
  // faces of the right size.
  if (FCkGradient->Width() != w - 2 || FCkGradient->Height() != h - 2) BuildFaces();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());

  const bool special = IsSpecialDrawState(false);
  if (special) CopyFace(c, FDrawState.Contains(dsHighlight) ? FHlGradient : FFcGradient, 1, 1, w - 2, h - 2);
  const bool pressed = FDown || (FDrawState.Contains(dsHighlight) && FDrawState.Contains(dsClicked));
  if (pressed) {
    CopyFace(c, FCkGradient, 1, 1, w - 2, h - 2);
  } else {
    const int s = special ? 1 : 0;
    CopyFace(c, FBgGradient, 2 * s + 1, 2 * s + 1, w - 6 * s, h - 6 * s);
  }

  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetColor(Enabled() ? kFrameColor : kDisabledFrameColor);
  c->Brush()->SetStyle(bsClear);
  c->RoundRect(0, 0, w, h, 5, 5);
  if (FSmoothEdges) {
    c->Pen()->SetColor(Enabled() ? kEdgeColor : kDisabledFrameColor);
    StrokeLine(c, 0, 1, 2, 0);
    StrokeLine(c, w - 2, 0, w, 2);
    StrokeLine(c, 0, h - 2, 2, h);
    StrokeLine(c, w - 3, h, w, h - 3);
  }

  UINT flags = DT_END_ELLIPSIS;
  if (FWordWrap) flags |= DT_WORDBREAK;
  TBitmap picture;
  const bool hasPicture = TakePicture(&picture);
  const String caption = Caption();
  c->SetFont(Font());
  TRect r = ClientRect();
  const int pw = hasPicture ? picture.Width() : 0, ph = hasPicture ? picture.Height() : 0;
  if (hasPicture && !caption.empty()) {
    switch (FLayout) {
      case fw::blGlyphLeft: r.Left += pw + FSpacing; break;
      case fw::blGlyphRight:
        r.Left -= pw + FSpacing;
        r.Right -= 2 * (pw + FSpacing);
        flags |= DT_RIGHT;
        break;
      case fw::blGlyphTop: r.Top += ph + FSpacing; break;
      case fw::blGlyphBottom: r.Top -= ph + FSpacing; break;
    }
  }
  if (!caption.empty()) {
    PaintCaptionText(this, c, caption, Font(), Enabled(), FShowAccelChar, r, flags | DT_CALCRECT);
    const int dx = (w - r.Right) / 2, dy = (h - r.Bottom) / 2;
    r = Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy);
  }
  const int off = pressed ? 1 : 0;
  if (pressed) r = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
  if (hasPicture) {
    int x = (w - pw) / 2 + off, y = (h - ph) / 2 + off;
    if (!caption.empty()) {
      switch (FLayout) {
        case fw::blGlyphLeft: x = r.Left - pw - FSpacing; break;
        case fw::blGlyphRight: x = r.Right + FSpacing; break;
        case fw::blGlyphTop: y = r.Top - ph - FSpacing; break;
        case fw::blGlyphBottom: y = r.Bottom + FSpacing; break;
      }
    }
    c->Draw(x, y, &picture);
  }
  if (FDrawState.Contains(dsFocused) && FShowFocusRect) {
    c->Brush()->SetStyle(bsSolid);
    c->DrawFocusRect(Rect(3, 3, w - 3, h - 3));
  }
  if (!caption.empty()) {
    c->Brush()->SetStyle(bsClear);
    PaintCaptionText(this, c, caption, Font(), Enabled(), FShowAccelChar, r, flags);
  }
}

void TCkXPCustomButton::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_SPACE && Shift.Empty()) {
    FDrawState.Include(dsHighlight);
    ReactMouseDown();
  }
  TCkXPCustomStyleControl::KeyDown(Key, Shift);
}

void TCkXPCustomButton::KeyUp(WORD& Key, TShiftState Shift) {
  if (FDrawState.Contains(dsClicked)) {
    bool inside = false;
    if (Mouse) {
      TPoint p = ScreenToClient(Mouse->CursorPos());
      inside = p.x >= 0 && p.y >= 0 && p.x < Width() && p.y < Height();
    }
    if (!inside) FDrawState.Exclude(dsHighlight);
    FDrawState.Exclude(dsClicked);
    RepaintWhenUnlocked();
    Click();
  }
  TCkXPCustomStyleControl::KeyUp(Key, Shift);
}

void TCkXPCustomButton::CMDialogKey(TMessage& Message) {
  TCkXPCustomStyleControl::CMDialogKey(Message);
  if (Message.Result) return;
  const WORD key = static_cast<WORD>(Message.WParam);
  const bool returnKey = key == VK_RETURN && (Focused() || (FDefault && !FIsSibling));
  const bool escapeKey = key == VK_ESCAPE && FCancel && KeyDataToShiftState(Message.LParam).Empty();
  if ((returnKey || escapeKey) && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  TCkXPCustomStyleControl::CMDialogKey(Message);
}

FW_REGISTER(TCkXPCustomButton) {}

FW_REGISTER(TCkXPButton) {
  using B = TCkXPButton;
  c.Property(u"Action", &B::Action, &B::SetButtonAction);
  c.Property(u"TabStop", &B::TabStop, &B::SetTabStop).Default(true);
  c.Property(u"AutoGray", &B::AutoGray, &B::SetAutoGray).Default(true);
  c.Property(u"Cancel", &B::Cancel, &B::SetCancel).Default(false);
  c.Property(u"Default", &B::Default, &B::SetDefault).Default(false);
  c.Property(u"Down", &B::Down, &B::SetDown).Default(false);
  c.Property(u"Glyph", &B::Glyph, &B::SetGlyph);
  c.Property(u"Layout", &B::Layout, &B::SetLayout).Default(fw::blGlyphLeft);
  c.Property(u"ModalResult", &B::ModalResult, &B::SetModalResult).Default(0);
  c.Property(u"ShowAccelChar", &B::ShowAccelChar, &B::SetShowAccelChar).Default(true);
  c.Property(u"ShowFocusRect", &B::ShowFocusRect, &B::SetShowFocusRect).Default(false);
  c.Property(u"SmoothEdges", &B::SmoothEdges, &B::SetSmoothEdges).Default(true);
  c.Property(u"Spacing", &B::Spacing, &B::SetSpacing).Default(3);
  c.Property(u"WordWrap", &B::WordWrap, &B::SetWordWrap).Default(true);
  c.Property(u"Style", &B::Style, &B::SetStyle);
  c.Property(u"StyleManager", &B::StyleManager, &B::SetStyleManager);
}

}  // namespace ck
