#include "capture/click_form.h"

#include "capture/screen_grab.h"
#include "fw/core/rtti.h"

namespace capture {

using namespace fw;

void MakeSeeThrough(HWND Wnd) {
  SetWindowLongPtrW(Wnd, GWL_EXSTYLE, GetWindowLongPtrW(Wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
  // Alpha 1, not 0: a fully transparent window lets the mouse through.
  SetLayeredWindowAttributes(Wnd, 0, 1, LWA_ALPHA);
}

TCaptureClickForm::TCaptureClickForm(TComponent* AOwner)
    : TCaptureSelectionForm(AOwner), fBmp(std::make_unique<TBitmap>()) {}

TCaptureClickForm::~TCaptureClickForm() = default;

void TCaptureClickForm::CreateWnd() {
  TCaptureSelectionForm::CreateWnd();
  MakeSeeThrough(WindowHandle());
}

void TCaptureClickForm::ChooseMonitorArea(int MonitorNum) {
  M = static_cast<unsigned>(ChooseMonitor(MonitorNum));
  FMonitorRect = MonitorBounds(static_cast<int>(M));
}

FW_REGISTER(TCaptureClickForm) {}

}  // namespace capture
