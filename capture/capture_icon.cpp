#include "capture/capture_icon.h"

#include "capture/screen_grab.h"
#include "fw/core/rtti.h"
#include "fw/system/screen.h"

namespace capture {

using namespace fw;

TCaptureIconForm::TCaptureIconForm(TComponent* AOwner) : TCaptureBoxForm(AOwner) {
  SetCursor(crCross);
  OnCreate = TNotifyEvent(this, &TCaptureIconForm::FormCreate);
  OnMouseMove = TMouseMoveEvent(this, &TCaptureIconForm::FormMouseMove);
  OnMouseUp = TMouseEvent(this, &TCaptureIconForm::FormMouseUp);
}

void TCaptureIconForm::FormCreate(TObject*) {
  const TRect screen = PrimaryScreenBounds();
  FreezeArea(screen, pfDevice);
  const TPoint at = Mouse->CursorPos();
  X1 = at.x;
  Y1 = at.y;
  X2 = X1 + IconSize;
  Y2 = Y1 + IconSize;
  fRect = Rect(X1, Y1, X2, Y2);
  StartAnts();
}

void TCaptureIconForm::FormMouseMove(TObject*, TShiftState, int X, int Y) { MoveBox(X, Y, IconSize, IconSize); }

void TCaptureIconForm::FormMouseUp(TObject*, TMouseButton Button, TShiftState, int, int) {
  if (Button != mbLeft) return;
  SelectBox(pfDevice);
  SetModalResult(mrOk);
}

FW_REGISTER(TCaptureIconForm) {}

}  // namespace capture
