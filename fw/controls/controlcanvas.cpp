#include "fw/controls/controlcanvas.h"

#include "fw/controls/controls.h"

namespace fw {

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::FreeHandle() {
  if (!FOwnDC) return;
  HDC dc = FOwnDC;
  FOwnDC = nullptr;
  SetHandle(nullptr);
  ReleaseDC(FWindow, dc);
  FWindow = nullptr;
}

void TControlCanvas::CreateHandle() {
  if (!FControl) return;
  HDC dc = nullptr;
  if (auto* w = dynamic_cast<TWinControl*>(FControl)) {
    FWindow = w->Handle();
    dc = GetDC(FWindow);
  } else if (FControl->Parent()) {
    FWindow = FControl->Parent()->Handle();
    dc = GetDC(FWindow);
    SetWindowOrgEx(dc, -FControl->Left(), -FControl->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, FControl->Width(), FControl->Height());
  }
  if (!dc) return;
  FOwnDC = dc;
  SetHandle(dc);
}

}  // namespace fw
