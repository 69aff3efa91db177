#include "capture/selection_form.h"

#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"

namespace capture {

using namespace fw;

String SizeHintText(int First, int Second) { return IntToStr(First) + u" x " + IntToStr(Second) + u" pixels"; }

TCaptureSelectionForm::TCaptureSelectionForm(TComponent* AOwner) : TForm(AOwner) {
  SetBorderStyle(bsNone);
  SetBorderIcons(TBorderIcons{});
  SetFormStyle(fsStayOnTop);
  SetPosition(poDesigned);
  SetShowHint(true);
}

TCaptureSelectionForm::~TCaptureSelectionForm() {
  if (FHintWindow) FHintWindow->Free();
  FHintWindow = nullptr;
}

void TCaptureSelectionForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  // The window covers the screen while the application may be minimised:
  // it belongs to no other window and has no taskbar button.
  Params.WndParent = nullptr;
  Params.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
}

void TCaptureSelectionForm::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

void TCaptureSelectionForm::KeyDown(WORD& Key, TShiftState Shift) {
  TForm::KeyDown(Key, Shift);
  if (Key == VK_ESCAPE) {
    Key = 0;
    SetModalResult(mrCancel);
  }
}

TSize TCaptureSelectionForm::HintTextExtent(const String& Text) { return Canvas()->TextExtent(Text); }

void TCaptureSelectionForm::ShowSizeHint(const String& Text, const TPoint& ScreenPos) {
  SetHint(Text);
  if (!FHintWindow) FHintWindow = new THintWindow(nullptr);
  TRect r = FHintWindow->CalcHintRect(GetSystemMetrics(SM_CXSCREEN), Text, nullptr);
  FHintWindow->ActivateHint(Bounds(ScreenPos.x, ScreenPos.y, r.Width(), r.Height()), Text);
  FHintVisible = true;
}

void TCaptureSelectionForm::HideSizeHint() {
  if (FHintWindow && FHintVisible) FHintWindow->ReleaseHandle();
  FHintVisible = false;
}

FW_REGISTER(TCaptureSelectionForm) {}

}  // namespace capture
