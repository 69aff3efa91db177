#include "capture/capture_specific_rect.h"

#include "capture/screen_grab.h"
#include "fw/core/rtti.h"
#include "fw/system/screen.h"

namespace capture {

using namespace fw;

int CaptureSpecificRectMonitorNum = -1;

TCaptureSpecificRectForm::TCaptureSpecificRectForm(TComponent* AOwner) : TCaptureBoxForm(AOwner) {
  SetCursor(crCross);
  OnCreate = TNotifyEvent(this, &TCaptureSpecificRectForm::FormCreate);
  OnShow = TNotifyEvent(this, &TCaptureSpecificRectForm::FormShowBox);
  OnMouseMove = TMouseMoveEvent(this, &TCaptureSpecificRectForm::FormMouseMove);
  OnMouseUp = TMouseEvent(this, &TCaptureSpecificRectForm::FormMouseUp);
}

void TCaptureSpecificRectForm::FormCreate(TObject*) {
  M = static_cast<unsigned>(ChooseMonitor(CaptureSpecificRectMonitorNum));
  FreezeArea(MonitorBounds(static_cast<int>(M)));
  StartAnts();
}

void TCaptureSpecificRectForm::FormShowBox(TObject* Sender) {
  // The box starts at the cursor, in the window's coordinates.
  const TPoint at = Mouse->CursorPos();
  X1 = at.x - FMonitorRect.Left;
  Y1 = at.y - FMonitorRect.Top;
  X2 = X1 + CaptureWidth;
  Y2 = Y1 + CaptureHeight;
  fRect = Rect(X1, Y1, X2, Y2);
  FormShow(Sender);
}

void TCaptureSpecificRectForm::FormMouseMove(TObject*, TShiftState, int X, int Y) {
  MoveBox(X, Y, CaptureWidth, CaptureHeight);
}

void TCaptureSpecificRectForm::FormMouseUp(TObject*, TMouseButton Button, TShiftState, int, int) {
  if (Button != mbLeft) return;
  SelectBox(pf32bit);
  SetModalResult(mrOk);
}

FW_REGISTER(TCaptureSpecificRectForm) {}

}  // namespace capture
