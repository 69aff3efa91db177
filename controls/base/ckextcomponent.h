// The panel base the component layer's panels share (the arrange panel and
// the roll-out): the framework panel with the Ex notices and a content
// painting step, and the 3-D frame routine of the panels.
#pragma once

#include "controls/base/ckexcontrols.h"
#include "fw/stdctrls/panel.h"

namespace ck {

using TCkPaintPanelContentEvent = fw::TEvent<void(fw::TObject* Sender, fw::TCanvas* Canvas, const fw::TRect& R)>;

class TCkCustomPanel : public TCkExCustomPanel {
  FW_CLASS(TCkCustomPanel, TCkExCustomPanel)
  explicit TCkCustomPanel(fw::TComponent* AOwner) : TCkExCustomPanel(AOwner) {}

  TCkPaintPanelContentEvent OnPaintContent;

  // Kept from older form descriptions; the framework has no 3-D look to
  // switch, so the values are only remembered.
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value) { FCtl3D = Value; }
  bool ParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool Value) { FParentCtl3D = Value; }

 protected:
  // The framework panel's painting, then PaintContent on the client area.
  void Paint() override;
  virtual void PaintContent(const fw::TRect& R);

 private:
  bool FCtl3D = true;
  bool FParentCtl3D = true;
};

// The classic 3-D frame: Width nested one-pixel rings, top and left edges
// in TopColor, bottom and right edges in BottomColor; a colour that is
// clNone is not drawn. R ends Width pixels smaller on every side.
void FrameRect3D(fw::TCanvas* Canvas, fw::TRect& R, fw::TColor TopColor, fw::TColor BottomColor, int Width);

// Rectangle arithmetic the panels and buttons share.
inline void RectOffset(fw::TRect& R, int DX, int DY) {
  R.Left += DX;
  R.Right += DX;
  R.Top += DY;
  R.Bottom += DY;
}
inline void RectInflate(fw::TRect& R, int DX, int DY) {
  R.Left -= DX;
  R.Right += DX;
  R.Top -= DY;
  R.Bottom += DY;
}
// Right and bottom edges lie outside.
inline bool PointInRect(const fw::TRect& R, fw::TPoint P) {
  return P.x >= R.Left && P.x < R.Right && P.y >= R.Top && P.y < R.Bottom;
}

}  // namespace ck
