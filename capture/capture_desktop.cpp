#include "capture/capture_desktop.h"

#include "capture/screen_grab.h"
#include "fw/core/rtti.h"

namespace capture {

using namespace fw;

int CaptureDesktopMonitorNum = -1;
unsigned CaptureDesktopSettleTime = 500;

TCaptureDesktopForm::TCaptureDesktopForm(TComponent* AOwner) : TCaptureClickForm(AOwner) {
  OnCreate = TNotifyEvent(this, &TCaptureDesktopForm::FormCreate);
  OnShow = TNotifyEvent(this, &TCaptureDesktopForm::FormShow);
  OnActivate = TNotifyEvent(this, &TCaptureDesktopForm::FormActivate);
  OnMouseUp = TMouseEvent(this, &TCaptureDesktopForm::FormMouseUp);
  OnDestroy = TNotifyEvent(this, &TCaptureDesktopForm::FormDestroy);
}

TCaptureDesktopForm::~TCaptureDesktopForm() { FreePrompt(); }

void TCaptureDesktopForm::FreePrompt() {
  if (FPrompt) FPrompt->Free();
  FPrompt = nullptr;
}

void TCaptureDesktopForm::FormCreate(TObject*) {
  ChooseMonitorArea(CaptureDesktopMonitorNum);
  Sleep(CaptureDesktopSettleTime);
  CopyScreenArea(fBmp.get(), FMonitorRect);
  SetBounds(FMonitorRect.Left, FMonitorRect.Top, FMonitorRect.Width(), FMonitorRect.Height());
}

void TCaptureDesktopForm::FormShow(TObject*) {
  FreePrompt();
  FPrompt = NewForm<TfrmPosition>(nullptr);
  // Owned by this window, so it stays above it.
  FPrompt->OwnerWindow = Handle();
  FPrompt->SetBounds(FMonitorRect.Right - FPrompt->Width(), FMonitorRect.Top, FPrompt->Width(), FPrompt->Height());
  FPrompt->Show();
}

void TCaptureDesktopForm::FormActivate(TObject*) {
  SetBounds(FMonitorRect.Left, FMonitorRect.Top, FMonitorRect.Width(), FMonitorRect.Height());
}

void TCaptureDesktopForm::FormMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  FreePrompt();
  Sleep(CaptureDesktopSettleTime);
  SetModalResult(mrOk);
}

void TCaptureDesktopForm::FormDestroy(TObject*) {
  FreePrompt();
  fBmp->FreeImage();
}

FW_REGISTER(TCaptureDesktopForm) {}

}  // namespace capture
