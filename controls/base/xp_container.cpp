#include "controls/base/xp_container.h"

#include "controls/base/xp_drawing.h"
#include "fw/core/rtti.h"
#include "services/ckutils.h"

namespace ck {

using namespace fw;

TCkXPCustomContainer::TCkXPCustomContainer(TComponent* AOwner)
    : TCkXPCustomControl(AOwner), FGlyph(new TBitmap()) {
  FControlStyle.Include(csAcceptsControls);
  FWidth = 185;
  FHeight = 41;
  FGlyph->OnChange = TNotifyEvent(this, &TCkXPCustomContainer::GlyphChanged);
}

TCkXPCustomContainer::~TCkXPCustomContainer() { delete FGlyph; }

void TCkXPCustomContainer::RealignAndRedraw() {
  Realign();
  RedrawWhenUnlocked();
}

void TCkXPCustomContainer::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RedrawWhenUnlocked();
}

void TCkXPCustomContainer::SetBorderWidth(int Value) {
  if (FBorderWidth == Value) return;
  FBorderWidth = Value;
  RealignAndRedraw();
}

void TCkXPCustomContainer::SetBoundColor(TColor Value) {
  if (FBoundColor == Value) return;
  FBoundColor = Value;
  RedrawWhenUnlocked();
}

void TCkXPCustomContainer::SetBoundLines(TCkXPBoundLines Value) {
  if (FBoundLines == Value) return;
  FBoundLines = Value;
  RealignAndRedraw();
}

void TCkXPCustomContainer::SetEnabledMode(TCkXPEnabledMode Value) {
  if (FEnabledMode == Value) return;
  FEnabledMode = Value;
  ReactEnabledChanged();
}

void TCkXPCustomContainer::SetGlyph(TBitmap* Value) {
  if (Value == FGlyph) return;
  FGlyph->Assign(Value);
}

void TCkXPCustomContainer::GlyphChanged(TObject*) { RealignAndRedraw(); }

void TCkXPCustomContainer::SetGlyphLayout(TCkXPGlyphLayout Value) {
  if (FGlyphLayout == Value) return;
  FGlyphLayout = Value;
  RedrawWhenUnlocked();
}

void TCkXPCustomContainer::SetLayout(TTextLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  RedrawWhenUnlocked();
}

void TCkXPCustomContainer::SetShowBoundLines(bool Value) {
  if (FShowBoundLines == Value) return;
  FShowBoundLines = Value;
  RealignAndRedraw();
}

void TCkXPCustomContainer::SetShowCaption(bool Value) {
  if (FShowCaption == Value) return;
  FShowCaption = Value;
  RedrawWhenUnlocked();
}

void TCkXPCustomContainer::SetSpacing(uint8_t Value) {
  if (FSpacing == Value) return;
  FSpacing = Value;
  RedrawWhenUnlocked();
}

void TCkXPCustomContainer::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  RedrawWhenUnlocked();
}

void TCkXPCustomContainer::AdjustClientRect(TRect& Rect) {
  TCkXPCustomControl::AdjustClientRect(Rect);
  ShrinkForBoundLines(FBorderWidth, FShowBoundLines, FBoundLines, Rect);
  if (!FGlyph->Empty()) Rect.Left += FGlyph->Width();
}

void TCkXPCustomContainer::ReactEnabledChanged() {
  TCkXPCustomControl::ReactEnabledChanged();
  if (FEnabledMode == emAffectChilds)
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(Enabled());
  OnEnabledChanged(this);
}

void TCkXPCustomContainer::ReactMouseDown() {
  if (FFocusable) {
    TCkXPCustomControl::ReactMouseDown();
    return;
  }
  FDrawState.Include(dsClicked);
  RedrawWhenUnlocked();
}

void TCkXPCustomContainer::ReactPosChanged() {
  TCkXPCustomControl::ReactPosChanged();
  RedrawWhenUnlocked();
}

void TCkXPCustomContainer::CreateParams(TCreateParams& Params) {
  TCkXPCustomControl::CreateParams(Params);
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCkXPCustomContainer::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(r);
  c->Brush()->SetStyle(bsClear);
  if (FShowBoundLines && !FBoundLines.Empty()) PaintBoundLines(c, FBoundLines, FBoundColor, r);
  ShrinkForBoundLines(FBorderWidth, FShowBoundLines, FBoundLines, r);
  OnPaint(this, r, c, c->Font());
  if (!FGlyph->Empty()) {
    const int gh = FGlyph->Height();
    int y = r.Top;
    if (FGlyphLayout == glBottom) y = r.Bottom - gh;
    else if (FGlyphLayout == glCenter) y = (r.Height() - gh) / 2 + 1;
    FGlyph->SetTransparent(true);
    c->Draw(r.Left, y, FGlyph);
    r.Left += FGlyph->Width();
  }
  if (!FShowCaption) return;
  c->SetFont(Font());
  r = Rect(r.Left + FSpacing, r.Top + 1, r.Right - FSpacing, r.Bottom - 1);
  const String caption = Caption();
  UINT flags = DT_END_ELLIPSIS | DT_EXPANDTABS;
  if (FWordWrap) flags |= DT_WORDBREAK;
  // A caption wider than the room starts at its left edge, so that its
  // beginning stays visible.
  if (FAlignment != fw::taLeftJustify && c->TextWidth(caption) <= r.Width())
    flags |= FAlignment == fw::taRightJustify ? DT_RIGHT : DT_CENTER;
  if (FLayout != fw::tlTop) {
    TRect measured = r;
    services::DrawTextUnmodified(c, caption, -1, measured, flags | DT_CALCRECT);
    int dy = r.Bottom - measured.Bottom;
    if (FLayout == fw::tlCenter) dy /= 2;
    r = Rect(r.Left, r.Top + dy, r.Right, r.Bottom + dy);
  }
  services::DrawTextUnmodified(c, caption, -1, r, flags);
}

FW_REGISTER(TCkXPCustomContainer) {}

FW_REGISTER(TCkXPContainer) {
  using K = TCkXPContainer;
  c.Property(u"Alignment", &K::Alignment, &K::SetAlignment).Default(fw::taCenter);
  c.Property(u"AutoSize", &K::AutoSize, &K::SetAutoSize).Default(false);
  c.Property(u"BorderWidth", &K::BorderWidth, &K::SetBorderWidth).Default(0);
  c.Property(u"BoundColor", &K::BoundColor, &K::SetBoundColor).Type(TypeInfoTColor()).Default(0x808080);
  c.Property(u"BoundLines", &K::BoundLines, &K::SetBoundLines).Default(TCkXPBoundLines{});
  c.Property(u"EnabledMode", &K::EnabledMode, &K::SetEnabledMode).Default(emNormal);
  c.Property(u"Focusable", &K::Focusable, &K::SetFocusable).Default(false);
  c.Property(u"Glyph", &K::Glyph, &K::SetGlyph);
  c.Property(u"GlyphLayout", &K::GlyphLayout, &K::SetGlyphLayout).Default(glCenter);
  c.Property(u"Layout", &K::Layout, &K::SetLayout).Default(fw::tlCenter);
  c.Property(u"ShowBoundLines", &K::ShowBoundLines, &K::SetShowBoundLines).Default(true);
  c.Property(u"ShowCaption", &K::ShowCaption, &K::SetShowCaption).Default(false);
  c.Property(u"Spacing", &K::Spacing, &K::SetSpacing).Default(5);
  c.Property(u"WordWrap", &K::WordWrap, &K::SetWordWrap).Default(false);
  c.Event(u"OnEnabledChanged", static_cast<TNotifyEvent K::*>(&K::OnEnabledChanged));
  c.Event(u"OnPaint", static_cast<TCkXPPaintEvent K::*>(&K::OnPaint));
}

}  // namespace ck
