#include "controls/views/ckbasethumbnail.h"

#include <cmath>

#include "controls/base/ckthemes.h"
#include "fw/core/rtti.h"

namespace ck {

using fw::TMouseButton;
using fw::TShiftState;

TThumbSize ProportionalFit(TThumbSize Picture, TThumbSize Box) {
  float pw = Picture.cx == 0 ? 0.0f : static_cast<float>(static_cast<double>(Box.cx) / Picture.cx * 100);
  float ph = Picture.cy == 0 ? 0.0f : static_cast<float>(static_cast<double>(Box.cy) / Picture.cy * 100);
  float p = ph < pw ? ph : pw;
  return {static_cast<int>(std::trunc(static_cast<long double>(Picture.cx) / 100 * p)),
          static_cast<int>(std::trunc(static_cast<long double>(Picture.cy) / 100 * p))};
}

int BoundValue(int Min, int Max, int Value) {
  if (Value < Min) return Min;
  if (Value > Max) return Max;
  return Value;
}

String InsertTextAt(const String& S, const String& Text, int Index) {
  String r = S;
  size_t at = Index < 0 ? 0 : std::min(static_cast<size_t>(Index), r.size());
  r.insert(at, Text);
  return r;
}

// ---- TCkBaseThumbView

TCkBaseThumbView::TCkBaseThumbView(fw::TComponent* AOwner) : TCkExScrollBox(AOwner) {
  FControlStyle.Exclude(fw::csSetCaption);
  FControlStyle.Include(fw::csOpaque);
  AddThemeStyleFlags(this, fw::TControlStyle{fw::csNeedsBorderPaint});
}

// ---- TCkThumbTitle

TCkThumbTitle::TCkThumbTitle(fw::TComponent* AOwner) : TCkExPanel(AOwner) {
  if (dynamic_cast<TCkBaseThumbnail*>(AOwner)) {
    FControlStyle.Exclude(fw::csCaptureMouse);
    FControlStyle.Exclude(fw::csClickEvents);
    FControlStyle.Exclude(fw::csDoubleClicks);
  }
  FControlStyle.Exclude(fw::csSetCaption);
  AddThemeStyleFlags(this, fw::TControlStyle{fw::csNeedsBorderPaint});
}

TCkBaseThumbnail* TCkThumbTitle::Thumbnail() const { return dynamic_cast<TCkBaseThumbnail*>(Parent()); }

bool TCkThumbTitle::EraseBackground(fw::TCanvas* Canvas, LPARAM Param) {
  TCkExPanel::EraseBackground(Canvas, Param);
  return true;
}

void TCkThumbTitle::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (TCkBaseThumbnail* t = Thumbnail()) t->MouseDown(Button, Shift, X + Left(), Y + Top());
  else TCkExPanel::MouseDown(Button, Shift, X, Y);
}

void TCkThumbTitle::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (TCkBaseThumbnail* t = Thumbnail()) t->MouseUp(Button, Shift, X + Left(), Y + Top());
  else TCkExPanel::MouseUp(Button, Shift, X, Y);
}

void TCkThumbTitle::MouseMove(TShiftState Shift, int X, int Y) {
  if (TCkBaseThumbnail* t = Thumbnail()) t->MouseMove(Shift, X + Left(), Y + Top());
  else TCkExPanel::MouseMove(Shift, X, Y);
}

void TCkThumbTitle::Click() {
  if (TCkBaseThumbnail* t = Thumbnail()) t->Click();
  else TCkExPanel::Click();
}

void TCkThumbTitle::DblClick() {
  if (TCkBaseThumbnail* t = Thumbnail()) t->DblClick();
  else TCkExPanel::DblClick();
}

void TCkThumbTitle::KeyDown(WORD& Key, TShiftState Shift) {
  if (TCkBaseThumbnail* t = Thumbnail()) t->KeyDown(Key, Shift);
  else TCkExPanel::KeyDown(Key, Shift);
}

void TCkThumbTitle::KeyUp(WORD& Key, TShiftState Shift) {
  if (TCkBaseThumbnail* t = Thumbnail()) t->KeyUp(Key, Shift);
  else TCkExPanel::KeyUp(Key, Shift);
}

void TCkThumbTitle::KeyPress(char16_t& Key) {
  if (TCkBaseThumbnail* t = Thumbnail()) t->KeyPress(Key);
  else TCkExPanel::KeyPress(Key);
}

// ---- TCkBaseThumbImage

TCkBaseThumbImage::TCkBaseThumbImage(fw::TComponent* AOwner) : TCkExImage(AOwner) {
  FControlStyle.Exclude(fw::csSetCaption);
}

TCkBaseThumbnail* TCkBaseThumbImage::Thumbnail() const { return dynamic_cast<TCkBaseThumbnail*>(Parent()); }

bool TCkBaseThumbImage::PointHitTest(int X, int Y) {
  if (ComponentState().Contains(fw::csDesigning)) return TCkExImage::PointHitTest(X, Y);
  return !FIgnoreMouse;
}

void TCkBaseThumbImage::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (TCkBaseThumbnail* t = Thumbnail()) t->MouseDown(Button, Shift, X + Left(), Y + Top());
  else TCkExImage::MouseDown(Button, Shift, X, Y);
}

void TCkBaseThumbImage::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (TCkBaseThumbnail* t = Thumbnail()) t->MouseUp(Button, Shift, X + Left(), Y + Top());
  else TCkExImage::MouseUp(Button, Shift, X, Y);
}

void TCkBaseThumbImage::MouseMove(TShiftState Shift, int X, int Y) {
  if (TCkBaseThumbnail* t = Thumbnail()) t->MouseMove(Shift, X + Left(), Y + Top());
  else TCkExImage::MouseMove(Shift, X, Y);
}

void TCkBaseThumbImage::Click() {
  if (TCkBaseThumbnail* t = Thumbnail()) t->Click();
  else TCkExImage::Click();
}

void TCkBaseThumbImage::DblClick() {
  if (TCkBaseThumbnail* t = Thumbnail()) t->DblClick();
  else TCkExImage::DblClick();
}

// ---- TCkBaseThumbnail

TCkBaseThumbnail::TCkBaseThumbnail(fw::TComponent* AOwner) : TCkExPanel(AOwner) {
  if (dynamic_cast<TCkBaseThumbView*>(AOwner)) FControlStyle.Exclude(fw::csCaptureMouse);
  FControlStyle.Exclude(fw::csSetCaption);
}

TCkBaseThumbView* TCkBaseThumbnail::View() const { return dynamic_cast<TCkBaseThumbView*>(Parent()); }

bool TCkBaseThumbnail::EraseBackground(fw::TCanvas* Canvas, LPARAM Param) {
  TCkExPanel::EraseBackground(Canvas, Param);
  return true;
}

void TCkBaseThumbnail::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (TCkBaseThumbView* v = View()) v->MouseDown(Button, Shift, X + Left(), Y + Top());
  else TCkExPanel::MouseDown(Button, Shift, X, Y);
}

void TCkBaseThumbnail::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (TCkBaseThumbView* v = View()) v->MouseUp(Button, Shift, X + Left(), Y + Top());
  else TCkExPanel::MouseUp(Button, Shift, X, Y);
}

void TCkBaseThumbnail::MouseMove(TShiftState Shift, int X, int Y) {
  if (TCkBaseThumbView* v = View()) v->MouseMove(Shift, X + Left(), Y + Top());
  else TCkExPanel::MouseMove(Shift, X, Y);
}

void TCkBaseThumbnail::Click() {
  if (TCkBaseThumbView* v = View()) v->Click();
  else TCkExPanel::Click();
}

void TCkBaseThumbnail::DblClick() {
  if (TCkBaseThumbView* v = View()) v->DblClick();
  else TCkExPanel::DblClick();
}

void TCkBaseThumbnail::KeyDown(WORD& Key, TShiftState Shift) {
  if (TCkBaseThumbView* v = View()) v->KeyDown(Key, Shift);
  else TCkExPanel::KeyDown(Key, Shift);
}

void TCkBaseThumbnail::KeyUp(WORD& Key, TShiftState Shift) {
  if (TCkBaseThumbView* v = View()) v->KeyUp(Key, Shift);
  else TCkExPanel::KeyUp(Key, Shift);
}

void TCkBaseThumbnail::KeyPress(char16_t& Key) {
  if (TCkBaseThumbView* v = View()) v->KeyPress(Key);
  else TCkExPanel::KeyPress(Key);
}

FW_REGISTER(TCkBaseThumbView) {}
FW_REGISTER(TCkThumbTitle) {}

FW_REGISTER(TCkBaseThumbImage) {
  c.Property(u"IgnoreMouse", &TCkBaseThumbImage::IgnoreMouse, &TCkBaseThumbImage::SetIgnoreMouse).Default(false);
}

FW_REGISTER(TCkBaseThumbnail) {}

}  // namespace ck
