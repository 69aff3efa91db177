#include "capture/capture_rect.h"

#include <cstdlib>

#include "capture/screen_grab.h"
#include "fw/core/rtti.h"
#include "fw/system/screen.h"

namespace capture {

using namespace fw;

int CaptureRectMonitorNum = -1;

TCaptureRectForm::TCaptureRectForm(TComponent* AOwner) : TCaptureBoxForm(AOwner) {
  SetCursor(crCross);
  OnCreate = TNotifyEvent(this, &TCaptureRectForm::FormCreate);
  OnMouseDown = TMouseEvent(this, &TCaptureRectForm::FormMouseDown);
  OnMouseMove = TMouseMoveEvent(this, &TCaptureRectForm::FormMouseMove);
  OnMouseUp = TMouseEvent(this, &TCaptureRectForm::FormMouseUp);
}

void TCaptureRectForm::FormCreate(TObject*) {
  M = static_cast<unsigned>(ChooseMonitor(CaptureRectMonitorNum));
  FreezeArea(MonitorBounds(static_cast<int>(M)));
  X1 = Y1 = X2 = Y2 = 0;
  StartAnts();
}

void TCaptureRectForm::FormMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
  if (ShowHint()) ShowSizeHint(SizeHintText(X, Y), ClientToScreen(TPoint{X, Y}));
  EraseAnts();
  X1 = X2 = X;
  Y1 = Y2 = Y;
  fRect = Rect(X, Y, X, Y);
}

void TCaptureRectForm::FormMouseMove(TObject*, TShiftState Shift, int X, int Y) {
  if (!Shift.Contains(ssLeft)) return;
  EraseAnts();
  X2 = X;
  Y2 = Y;
  DrawAnts();
  fRect.Right = X;
  fRect.Bottom = Y;
  if (ShowHint()) {
    // Height first, then width.
    const String text = SizeHintText(std::abs(Y - fRect.Top), std::abs(fRect.Right - fRect.Left));
    const TSize extent = HintTextExtent(text);
    if (Screen->Width() - extent.cx - 8 < std::abs(X) || Screen->Height() - 2 * extent.cy < std::abs(Y)) {
      SetHint(text);
      HideSizeHint();
    } else if (fRect.Left < fRect.Right && fRect.Top < fRect.Bottom) {
      TPoint at = ClientToScreen(TPoint{X, Y});
      ShowSizeHint(text, TPoint{at.x, at.y + extent.cy + 2});
    } else {
      TPoint corner{std::max(fRect.Left, fRect.Right), std::max(fRect.Top, fRect.Bottom) + extent.cy + 2};
      ShowSizeHint(text, ClientToScreen(corner));
    }
  }
  Update();
}

void TCaptureRectForm::FormMouseUp(TObject*, TMouseButton Button, TShiftState, int, int) {
  if (Button != mbLeft) return;
  fRect = OrderRect(Rect(X1, Y1, X2, Y2));
  if (fRect.Width() > 0 && fRect.Height() > 0) {
    EraseAnts();
    // The frozen picture is what the screen shows under the window.
    CopyBitmapArea(RectBitmap.get(), fBmp.get(), fRect);
  }
  SetModalResult(mrOk);
}

FW_REGISTER(TCaptureRectForm) {}

}  // namespace capture
