#include "controls/base/ckextcomponent.h"

#include "fw/core/rtti.h"

namespace ck {

using namespace fw;

void TCkCustomPanel::Paint() {
  TCkExCustomPanel::Paint();
  PaintContent(ClientRect());
}

void TCkCustomPanel::PaintContent(const TRect& R) { OnPaintContent(this, Canvas(), R); }

void FrameRect3D(TCanvas* Canvas, TRect& R, TColor TopColor, TColor BottomColor, int Width) {
  TPen* pen = Canvas->Pen();
  pen->SetWidth(1);
  pen->SetStyle(psSolid);
  --R.Right;
  --R.Bottom;
  for (int i = 0; i < Width; ++i) {
    if (TopColor != clNone) {
      pen->SetColor(TopColor);
      Canvas->Polyline({{R.Left, R.Bottom}, {R.Left, R.Top}, {R.Right, R.Top}});
    }
    if (BottomColor != clNone) {
      pen->SetColor(BottomColor);
      Canvas->Polyline({{R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left - 1, R.Bottom}});
    }
    ++R.Left;
    ++R.Top;
    --R.Right;
    --R.Bottom;
  }
  ++R.Right;
  ++R.Bottom;
}

FW_REGISTER(TCkCustomPanel) {
  c.Event(u"OnPaintContent", &TCkCustomPanel::OnPaintContent);
  // Read from older descriptions, never written.
  c.Property(u"Ctl3D", &TCkCustomPanel::Ctl3D, &TCkCustomPanel::SetCtl3D).Stored(false);
  c.Property(u"ParentCtl3D", &TCkCustomPanel::ParentCtl3D, &TCkCustomPanel::SetParentCtl3D).Stored(false);
}

}  // namespace ck
