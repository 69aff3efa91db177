// A point and a rectangle that can be stored with a component and tell
// their owner of every change.
#pragma once

#include "fw/core/events.h"
#include "fw/core/object.h"
#include "fw/core/types.h"

namespace services {

class TCkPoint : public fw::TPersistent {
  FW_CLASS(TCkPoint, fw::TPersistent)
  int X() const { return FX; }
  void SetX(int Value);
  int Y() const { return FY; }
  void SetY(int Value);
  fw::TPoint AsPoint() const { return fw::TPoint{FX, FY}; }
  // Both coordinates, one change.
  void SetAsPoint(const fw::TPoint& Value);
  // X, then Y: up to two changes.
  void AssignPoint(const fw::TPoint& Value);
  void CopyToPoint(fw::TPoint& Value) const { Value = AsPoint(); }
  // From another point: both coordinates and always one change.
  void Assign(fw::TPersistent* Source) override;

  fw::TNotifyEvent OnChange;

 private:
  void Changed();
  int FX = 0;
  int FY = 0;
};

class TCkRect : public fw::TPersistent {
  FW_CLASS(TCkRect, fw::TPersistent)
  TCkRect();
  ~TCkRect() override;
  TCkRect(const TCkRect&) = delete;
  TCkRect& operator=(const TCkRect&) = delete;

  int Left() const { return FTopLeft->X(); }
  void SetLeft(int Value) { FTopLeft->SetX(Value); }
  int Top() const { return FTopLeft->Y(); }
  void SetTop(int Value) { FTopLeft->SetY(Value); }
  int Right() const { return FBottomRight->X(); }
  void SetRight(int Value) { FBottomRight->SetX(Value); }
  int Bottom() const { return FBottomRight->Y(); }
  void SetBottom(int Value) { FBottomRight->SetY(Value); }
  TCkPoint* TopLeft() const { return FTopLeft; }
  void SetTopLeft(TCkPoint* Value) { FTopLeft->Assign(Value); }
  TCkPoint* BottomRight() const { return FBottomRight; }
  void SetBottomRight(TCkPoint* Value) { FBottomRight->Assign(Value); }
  int Width() const { return Right() - Left(); }
  // Right := Left + Value.
  void SetWidth(int Value) { SetRight(Left() + Value); }
  int Height() const { return Bottom() - Top(); }
  // Bottom := Top + Value.
  void SetHeight(int Value) { SetBottom(Top() + Value); }
  void AssignRect(const fw::TRect& Value);
  void CopyToRect(fw::TRect& Value) const;
  // The two corners from another rectangle, then one more change.
  void Assign(fw::TPersistent* Source) override;

  fw::TNotifyEvent OnChange;

 private:
  void PointChanged(fw::TObject* Sender);
  void Changed();
  TCkPoint* FTopLeft;
  TCkPoint* FBottomRight;
};

}  // namespace services
