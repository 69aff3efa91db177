#include "controls/base/xp_checkbox.h"

#include <algorithm>

#include "controls/base/xp_drawing.h"
#include "fw/core/rtti.h"

namespace ck {

using namespace fw;

namespace {

// The 7 x 7 marks from the program's resources; an empty bitmap when the
// resource is missing.
void LoadMark(TBitmap* Mark, const String& Name) {
  try {
    Mark->LoadFromResourceName(GetModuleHandleW(nullptr), Name);
  } catch (const EInvalidGraphic&) {
    Mark->FreeImage();
  }
}

void CopyBitmap(TCanvas* c, TBitmap* b, int x, int y, int w, int h) {
  w = std::min(w, b->Width());
  h = std::min(h, b->Height());
  if (w <= 0 || h <= 0) return;
  c->CopyRect(Rect(x, y, x + w, y + h), b->Canvas(), Rect(0, 0, w, h));
}

}  // namespace

TCkXPCustomCheckControl::TCkXPCustomCheckControl(TComponent* AOwner)
    : TCkXPCustomStyleControl(AOwner),
      FBgGradient(new TBitmap()),
      FCkGradient(new TBitmap()),
      FHlGradient(new TBitmap()) {
  FControlStyle.Exclude(csDoubleClicks);
  FTabStop = true;
  FWidth = 161;
  FHeight = 17;
  FParentColor = true;
  BuildGradients();
}

TCkXPCustomCheckControl::~TCkXPCustomCheckControl() {
  delete FBgGradient;
  delete FCkGradient;
  delete FHlGradient;
}

void TCkXPCustomCheckControl::SetAllowGrayed(bool Value) {
  FAllowGrayed = Value;
  if (!Value && FState == cbGrayed) {
    FState = cbUnchecked;
    RepaintWhenUnlocked();
  }
}

void TCkXPCustomCheckControl::SetBoundLines(TCkXPBoundLines Value) {
  if (FBoundLines == Value) return;
  FBoundLines = Value;
  RepaintWhenUnlocked();
}

void TCkXPCustomCheckControl::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  FState = Value ? cbChecked : cbUnchecked;
  RepaintWhenUnlocked();
}

void TCkXPCustomCheckControl::SetSpacing(uint8_t Value) {
  if (FSpacing == Value) return;
  FSpacing = Value;
  RepaintWhenUnlocked();
}

void TCkXPCustomCheckControl::SetState(TCheckBoxState Value) {
  if (FState == Value) return;
  if (Value == cbGrayed && !FAllowGrayed) return;
  FState = Value;
  FChecked = Value == cbChecked;
  RepaintWhenUnlocked();
}

void TCkXPCustomCheckControl::Click() {
  if (FAllowGrayed) {
    switch (FState) {
      case cbUnchecked: SetState(cbChecked); break;
      case cbChecked: SetState(cbGrayed); break;
      case cbGrayed: SetState(cbUnchecked); break;
    }
  } else {
    SetChecked(!FChecked);
  }
  TCkXPCustomStyleControl::Click();
}

void TCkXPCustomCheckControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_SPACE) SetChecked(!FChecked);
  TCkXPCustomStyleControl::KeyDown(Key, Shift);
}

void TCkXPCustomCheckControl::BuildGradients() {
  const int s = FCheckSize - 2;
  BuildDitheredGradient(s, s, 0xFFFFFF, 0xE7EBEF, 16, gsTopToBottom, false, FBgGradient);
  BuildDitheredGradient(s, s, 0xC6CFD6, 0xEBF3F7, 16, gsTopToBottom, true, FCkGradient);
  BuildDitheredGradient(s, s, 0xCEF3FF, 0x0096E7, 16, gsTopToBottom, true, FHlGradient);
}

void TCkXPCustomCheckControl::ReactResized() {
  BuildGradients();
  TCkXPCustomStyleControl::ReactResized();
  Invalidate();
}

void TCkXPCustomCheckControl::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(r);
  if (!FBoundLines.Empty())
    PaintBoundLines(c, FBoundLines, FStyle->GetTheme() == OfficeXP ? 0xF7FBFF : 0x733800, r);
  if (FDrawState.Contains(dsFocused)) c->DrawFocusRect(r);
  DrawCheckSymbol(r);
  c->Brush()->SetStyle(bsClear);
  c->SetFont(Font());
  const int indent = FCheckSize + FSpacing + 4;
  if (!IsRightToLeft()) {
    r.Left += indent;
    PlaceCaptionText(this, c, Caption(), Font(), Enabled(), true, fw::taLeftJustify, true, r);
  } else {
    r.Right -= indent;
    PlaceCaptionText(this, c, Caption(), Font(), Enabled(), true, fw::taRightJustify, true, r);
  }
}

void TCkXPCheckbox::DrawCheckSymbol(const TRect& ARect) {
  TCanvas* c = Canvas();
  const TCkXPTheme theme = FStyle->GetTheme();
  const bool hot = FDrawState.Contains(dsHighlight);
  const bool pressed = FDrawState.Contains(dsClicked);
  const bool rtl = IsRightToLeft();
  const int size = FCheckSize;
  const int y = (ClientHeight() - size) / 2;

  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetColor(theme == OfficeXP && hot ? 0x663300 : 0x845118);
  const int boxX = rtl ? ARect.Right - 2 - size : ARect.Left + 2;
  c->Rectangle(boxX, y, boxX + size, y + size);

  const int innerX = rtl ? ARect.Right - 1 - size : ARect.Left + 3;
  const int inner = size - 2;
  if (theme == WindowsXP) {
    if (hot && pressed) {
      CopyBitmap(c, FCkGradient, innerX, y + 1, inner, inner);
    } else {
      const int h = hot ? 1 : 0;
      if (hot) CopyBitmap(c, FHlGradient, innerX, y + 1, inner, inner);
      CopyBitmap(c, FBgGradient, innerX + h, y + 1 + h, inner - 2 * h, inner - 2 * h);
    }
  } else if (hot) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(pressed ? 0xCC9999 : 0xD6BEB5);
    c->FillRect(Rect(innerX, y + 1, innerX + inner, y + 1 + inner));
  }

  if (FState != cbChecked && FState != cbGrayed) return;
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(0xC0C0C0);
  c->Pen()->SetColor(0x733800);
  const bool grayed = FState == cbGrayed;
  TBitmap mark;
  LoadMark(&mark, grayed ? u"CkXPCheckboxCHECKBOXGRAY" : u"CkXPCheckboxCHECKBOX");
  if (mark.Empty()) return;
  if (theme == WindowsXP) TintBlackPixels(&mark, grayed ? 0x71C671 : 0x21A621);
  else if (hot && pressed) TintBlackPixels(&mark, 0xFFFFFF);
  mark.SetTransparent(!grayed);
  const int markX = rtl ? ARect.Right - size + 1 : size / 2 - 1;
  c->Draw(markX, y + 3, &mark);
}

FW_REGISTER(TCkXPCustomCheckControl) {}

FW_REGISTER(TCkXPCheckbox) {
  using C = TCkXPCheckbox;
  c.Property(u"AllowGrayed", &C::AllowGrayed, &C::SetAllowGrayed).Default(false);
  c.Property(u"TabStop", &C::TabStop, &C::SetTabStop).Default(true);
  c.Property(u"BoundLines", &C::BoundLines, &C::SetBoundLines).Default(TCkXPBoundLines{});
  c.Property(u"Checked", &C::Checked, &C::SetChecked).Default(false);
  c.Property(u"Spacing", &C::Spacing, &C::SetSpacing).Default(3);
  c.Property(u"ParentColor", &C::ParentColor, &C::SetParentColor).Default(true);
  c.Property(u"State", &C::State, &C::SetState).Default(fw::cbUnchecked);
  c.Property(u"Style", &C::Style, &C::SetStyle);
  c.Property(u"StyleManager", &C::StyleManager, &C::SetStyleManager);
}

}  // namespace ck
