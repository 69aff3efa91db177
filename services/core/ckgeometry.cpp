#include "services/core/ckgeometry.h"

#include "fw/core/rtti.h"

namespace services {

void TCkPoint::Changed() {
  if (OnChange) OnChange(this);
}

void TCkPoint::SetX(int Value) {
  if (Value == FX) return;
  FX = Value;
  Changed();
}

void TCkPoint::SetY(int Value) {
  if (Value == FY) return;
  FY = Value;
  Changed();
}

void TCkPoint::SetAsPoint(const fw::TPoint& Value) {
  if (Value.x == FX && Value.y == FY) return;
  FX = Value.x;
  FY = Value.y;
  Changed();
}

void TCkPoint::AssignPoint(const fw::TPoint& Value) {
  SetX(Value.x);
  SetY(Value.y);
}

void TCkPoint::Assign(fw::TPersistent* Source) {
  if (auto* p = dynamic_cast<TCkPoint*>(Source)) {
    FX = p->FX;
    FY = p->FY;
    Changed();
    return;
  }
  fw::TPersistent::Assign(Source);
}

TCkRect::TCkRect() : FTopLeft(new TCkPoint()), FBottomRight(new TCkPoint()) {
  FTopLeft->OnChange = fw::TNotifyEvent(this, &TCkRect::PointChanged);
  FBottomRight->OnChange = fw::TNotifyEvent(this, &TCkRect::PointChanged);
}

TCkRect::~TCkRect() {
  delete FTopLeft;
  delete FBottomRight;
}

void TCkRect::PointChanged(fw::TObject*) { Changed(); }

void TCkRect::Changed() {
  if (OnChange) OnChange(this);
}

void TCkRect::AssignRect(const fw::TRect& Value) {
  FTopLeft->AssignPoint(fw::TPoint{Value.Left, Value.Top});
  FBottomRight->AssignPoint(fw::TPoint{Value.Right, Value.Bottom});
}

void TCkRect::CopyToRect(fw::TRect& Value) const { Value = fw::Rect(Left(), Top(), Right(), Bottom()); }

void TCkRect::Assign(fw::TPersistent* Source) {
  if (auto* r = dynamic_cast<TCkRect*>(Source)) {
    FTopLeft->Assign(r->FTopLeft);
    FBottomRight->Assign(r->FBottomRight);
    Changed();
    return;
  }
  fw::TPersistent::Assign(Source);
}

FW_REGISTER(TCkPoint) {
  c.Property(u"X", &TCkPoint::X, &TCkPoint::SetX).Default(0);
  c.Property(u"Y", &TCkPoint::Y, &TCkPoint::SetY).Default(0);
}

FW_REGISTER(TCkRect) {
  c.Property(u"Left", &TCkRect::Left, &TCkRect::SetLeft).Default(0);
  c.Property(u"Top", &TCkRect::Top, &TCkRect::SetTop).Default(0);
  c.Property(u"Right", &TCkRect::Right, &TCkRect::SetRight).Default(0);
  c.Property(u"Bottom", &TCkRect::Bottom, &TCkRect::SetBottom).Default(0);
}

}  // namespace services
