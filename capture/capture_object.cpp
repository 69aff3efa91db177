#include "capture/capture_object.h"

#include "capture/screen_grab.h"
#include "fw/core/rtti.h"
#include "fw/system/screen.h"

namespace capture {

using namespace fw;

int CaptureObjectMonitorNum = -1;

TCaptureObjectForm::TCaptureObjectForm(TComponent* AOwner) : TCaptureClickForm(AOwner) {
  OnCreate = TNotifyEvent(this, &TCaptureObjectForm::FormCreate);
  OnShow = TNotifyEvent(this, &TCaptureObjectForm::FormShow);
  OnActivate = TNotifyEvent(this, &TCaptureObjectForm::FormActivate);
  OnMouseUp = TMouseEvent(this, &TCaptureObjectForm::FormMouseUp);
  OnDestroy = TNotifyEvent(this, &TCaptureObjectForm::FormDestroy);
}

TCaptureObjectForm::~TCaptureObjectForm() {
  if (FCursorSet && Screen) Screen->SetCursors(crPickWindow, FOldCursor);
  FCursorSet = false;
}

void TCaptureObjectForm::FormCreate(TObject*) {
  ChooseMonitorArea(CaptureObjectMonitorNum);
  FOldCursor = Screen->Cursors(crPickWindow);
  Screen->SetCursors(crPickWindow, LoadCaptureCursor(L"CURSOR_1"));
  FCursorSet = true;
  SetCursor(crPickWindow);
  CopyScreenArea(fBmp.get(), FMonitorRect);
  // The window covers the whole monitor it was made for, whatever the
  // primary screen's size.
  SetBounds(0, 0, FMonitorRect.Width(), FMonitorRect.Height());
}

void TCaptureObjectForm::FormShow(TObject*) { SetBounds(FMonitorRect.Left, FMonitorRect.Top, Width(), Height()); }

void TCaptureObjectForm::FormActivate(TObject*) { SetCursor(crPickWindow); }

void TCaptureObjectForm::FormMouseUp(TObject*, TMouseButton, TShiftState, int X, int Y) {
  FClickPos = ClientToScreen(TPoint{X, Y});
  SetModalResult(mrOk);
}

void TCaptureObjectForm::FormDestroy(TObject*) {
  fBmp->FreeImage();
  if (FCursorSet && Screen) Screen->SetCursors(crPickWindow, FOldCursor);
  FCursorSet = false;
}

FW_REGISTER(TCaptureObjectForm) {}

}  // namespace capture
