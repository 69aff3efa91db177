#include "skin/forms/title_options.h"

#include "fw/core/rtti.h"
#include "skin/forms/title_glow.h"

namespace skin {

namespace {

void RepaintUnlessLoading(TkTitleOwner* owner, bool alsoDesigning) {
  if (!owner || owner->Loading || (alsoDesigning && owner->Designing)) return;
  if (owner->Repaint) owner->Repaint();
}

}  // namespace

TkTitleIcon::TkTitleIcon(TkTitleOwner* AOwner) : FOwner(AOwner), FGlyph(new fw::TBitmap()) {}

TkTitleIcon::~TkTitleIcon() { delete FGlyph; }

void TkTitleIcon::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  RepaintUnlessLoading(FOwner, true);
}

TkTitleButton::TkTitleButton() : FGlyph(new fw::TBitmap()) {
  FGlyph->OnChange = fw::TNotifyEvent(this, &TkTitleButton::GlyphChanged);
  Data.HitCode = 1000;
}

TkTitleButton::~TkTitleButton() {
  StopTitleButtonAnimation(Data);
  delete FGlyph;
}

TkTitleOwner* TkTitleButton::Owner() const {
  auto* buttons = dynamic_cast<TkTitleButtons*>(Collection());
  return buttons ? buttons->TitleOwner() : nullptr;
}

void TkTitleButton::GlyphChanged(fw::TObject*) {
  // The next glow is made from the new picture.
  StopTitleButtonAnimation(Data);
}

void TkTitleButton::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  if (TkTitleOwner* owner = Owner(); owner && owner->Repaint) owner->Repaint();
}

void TkTitleButton::MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) {
  OnMouseDown(this, Button, Shift, X, Y);
}

void TkTitleButton::MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) {
  OnMouseUp(this, Button, Shift, X, Y);
}

void TkTitleButton::AssignTo(fw::TPersistent* Dest) {
  auto* d = dynamic_cast<TkTitleButton*>(Dest);
  if (!d) {
    fw::TCollectionItem::AssignTo(Dest);
    return;
  }
  d->Enabled = Enabled;
  d->SetGlyph(FGlyph);
  d->Hint = Hint;
  d->FName = FName;
  d->UseSkinData = UseSkinData;
  d->OnMouseDown = OnMouseDown;
  d->OnMouseUp = OnMouseUp;
}

TkTitleButtons::TkTitleButtons(TkTitleOwner* AOwner)
    : fw::TCollection(TkTitleButton::StaticClass(), nullptr), FOwner(AOwner) {}

TkTitleButtons::~TkTitleButtons() {
  // The items go without telling their provider.
  FOwner = nullptr;
  Clear();
}

TkcAddedTitle::TkcAddedTitle(TkTitleOwner* AOwner) : FOwner(AOwner), FFont(new fw::TFont()) {
  FFont->SetColor(fw::TColor(0x1FFFFFFF));
}

TkcAddedTitle::~TkcAddedTitle() { delete FFont; }

void TkcAddedTitle::Repaint() { RepaintUnlessLoading(FOwner, false); }

void TkcAddedTitle::SetShowMainCaption(bool Value) {
  if (FShowMainCaption == Value) return;
  FShowMainCaption = Value;
  Repaint();
}

void TkcAddedTitle::SetText(const fw::String& Value) {
  if (FText == Value) return;
  FText = Value;
  Repaint();
}

void TkcAddedTitle::SetFont(fw::TFont* Value) {
  FFont->Assign(Value);
  Repaint();
}

FW_REGISTER(TkTitleIcon) {}
FW_REGISTER(TkTitleButton) {}
FW_REGISTER(TkTitleButtons) {}
FW_REGISTER(TkcAddedTitle) {}

}  // namespace skin
