#include "capture/capture_box.h"

#include <algorithm>

#include "capture/screen_grab.h"
#include "fw/controls/controlcanvas.h"
#include "fw/core/rtti.h"

namespace capture {

using namespace fw;

namespace {
constexpr TColor kAntRed = 0x0000FF;
constexpr TColor kAntWhite = 0xFFFFFF;
}  // namespace

TCaptureBoxForm::TCaptureBoxForm(TComponent* AOwner)
    : TCaptureSelectionForm(AOwner), fBmp(std::make_unique<TBitmap>()), RectBitmap(std::make_unique<TBitmap>()) {
  Timer1 = new TTimer(this);
  Timer1->SetEnabled(false);
  Timer1->SetInterval(100);
  Timer1->SetOnTimer(TNotifyEvent(this, &TCaptureBoxForm::Timer1Timer));
  OnPaint = TNotifyEvent(this, &TCaptureBoxForm::FormPaint);
  OnShow = TNotifyEvent(this, &TCaptureBoxForm::FormShow);
}

TCaptureBoxForm::~TCaptureBoxForm() = default;

TRect TCaptureBoxForm::OrderRect(const TRect& R) {
  return Rect(std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::max(R.Left, R.Right),
              std::max(R.Top, R.Bottom));
}

void TCaptureBoxForm::FreezeArea(const TRect& ScreenArea, TPixelFormat Format) {
  CopyScreenArea(fBmp.get(), ScreenArea, Format);
  RectBitmap->SetPixelFormat(Format);
  FMonitorRect = ScreenArea;
  SetBounds(0, 0, ScreenArea.Width(), ScreenArea.Height());
}

void TCaptureBoxForm::StartAnts() {
  Canvas()->Pen()->SetColor(0x0000FF);
  Canvas()->Brush()->SetColor(clWhite);
  Timer1->SetInterval(100);
  Timer1->SetEnabled(true);
}

void TCaptureBoxForm::FormShow(TObject*) { SetBounds(FMonitorRect.Left, FMonitorRect.Top, Width(), Height()); }

void TCaptureBoxForm::FormPaint(TObject*) { Canvas()->Draw(0, 0, fBmp.get()); }

void TCaptureBoxForm::EraseAnts() {
  if (!HandleAllocated()) return;
  TRect r = OrderRect(Rect(X1, Y1, X2, Y2));
  RECT grown{r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1};
  InvalidateRect(WindowHandle(), &grown, FALSE);
  RECT inner{grown.left + 2, grown.top + 2, grown.right - 2, grown.bottom - 2};
  if (inner.right > inner.left && inner.bottom > inner.top) ValidateRect(WindowHandle(), &inner);
  UpdateWindow(WindowHandle());
}

void CALLBACK TCaptureBoxForm::AntPixel(int X, int Y, LPARAM Data) {
  auto* self = reinterpret_cast<TCaptureBoxForm*>(Data);
  self->FPhase = static_cast<uint8_t>(self->FPhase << 1);
  if (self->FPhase == 0) self->FPhase = 1;
  self->Canvas()->SetPixel(X, Y, (self->FPhase & 0xE0) ? kAntRed : kAntWhite);
}

void TCaptureBoxForm::DrawAnts() {
  if (!HandleAllocated()) return;
  FPhase = FStartPhase;
  const LPARAM self = reinterpret_cast<LPARAM>(this);
  LineDDA(X1, Y1, X2, Y1, &AntPixel, self);
  LineDDA(X2, Y1, X2, Y2, &AntPixel, self);
  LineDDA(X2, Y2, X1, Y2, &AntPixel, self);
  LineDDA(X1, Y2, X1, Y1, &AntPixel, self);
  // The window's DC goes back until the next drawing.
  static_cast<TControlCanvas*>(Canvas())->FreeHandle();
}

void TCaptureBoxForm::MoveBox(int X, int Y, int W, int H) {
  EraseAnts();
  X1 = X;
  Y1 = Y;
  X2 = X + W;
  Y2 = Y + H;
  fRect = Rect(X1, Y1, X2, Y2);
  DrawAnts();
}

void TCaptureBoxForm::SelectBox(TPixelFormat Format) {
  EraseAnts();
  fRect = OrderRect(Rect(X1, Y1, X2, Y2));
  CopyBitmapArea(RectBitmap.get(), fBmp.get(), fRect, Format);
}

void TCaptureBoxForm::Timer1Timer(TObject*) {
  FStartPhase = FStartPhase < 4 ? 128 : static_cast<uint8_t>(FStartPhase >> 2);
  DrawAnts();
}

FW_REGISTER(TCaptureBoxForm) {}

}  // namespace capture
