// Drawn by the framework on the parent: the bevel (an etched box, frame or
// line), the shape (rectangle, square, rounded ones, ellipse, circle with
// its own pen and brush) and the paint box, which leaves the drawing to
// its OnPaint event.
#pragma once

#include "fw/stdctrls/stdctrls_common.h"

namespace fw {

FW_ENUM(TBevelShape, bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer)
FW_ENUM(TBevelStyle, bsLowered, bsRaised)
FW_ENUM(TShapeType, stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle)

class TBevel : public TGraphicControl {
  FW_CLASS(TBevel, TGraphicControl)
  explicit TBevel(TComponent* AOwner);

  TBevelShape Shape() const { return FShape; }
  void SetShape(TBevelShape Value);
  TBevelStyle Style() const { return FStyle; }
  void SetStyle(TBevelStyle Value);

 protected:
  void Paint() override;

 private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

class TShape : public TGraphicControl {
  FW_CLASS(TShape, TGraphicControl)
  explicit TShape(TComponent* AOwner);
  ~TShape() override;

  TShapeType Shape() const { return FShape; }
  void SetShape(TShapeType Value);
  TPen* Pen() const { return FPen; }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TBrush* Brush() const { return FBrush; }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }

 protected:
  void Paint() override;

 private:
  void StyleChanged(TObject* Sender);
  TShapeType FShape = stRectangle;
  TPen* FPen;
  TBrush* FBrush;
};

class TPaintBox : public TGraphicControl {
  FW_CLASS(TPaintBox, TGraphicControl)
  explicit TPaintBox(TComponent* AOwner);

  // Runs with the canvas set to the paint box's font and colour.
  TNotifyEvent OnPaint;

 protected:
  void Paint() override;
};

}  // namespace fw
