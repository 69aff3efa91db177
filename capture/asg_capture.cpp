#include "capture/asg_capture.h"

#include "capture/capture_desktop.h"
#include "capture/capture_freehand.h"
#include "capture/capture_icon.h"
#include "capture/capture_object.h"
#include "capture/capture_rect.h"
#include "capture/capture_specific_rect.h"
#include "capture/pixel_format_fix.h"
#include "capture/screen_grab.h"
#include "fw/core/rtti.h"
#include "fw/graphics/gdi_handles.h"
#include "fw/platform/clipboard.h"
#include "fw/system/application.h"
#include "fw/system/screen.h"

namespace capture {

using namespace fw;

namespace {

// A selection window for the time of one capture, freed in every case.
template <class T>
class TSelectionWindow {
 public:
  TSelectionWindow() : form_(NewForm<T>(nullptr)) {}
  ~TSelectionWindow() { form_->Free(); }
  TSelectionWindow(const TSelectionWindow&) = delete;
  TSelectionWindow& operator=(const TSelectionWindow&) = delete;
  T* operator->() const { return form_; }
  T* Get() const { return form_; }

 private:
  T* form_;
};

TPoint Offset(const TPoint& p, const TRect& origin) { return TPoint{p.x - origin.Left, p.y - origin.Top}; }

}  // namespace

// Minimises the application (when asked) and waits the delay; the
// application comes back when the capture ends, however it ends.
class TASGScreenCapture::TCaptureFrame {
 public:
  explicit TCaptureFrame(const TASGScreenCapture& owner) : minimize_(owner.fMinimized && Application) {
    if (minimize_) Application->Minimize();
    Sleep(owner.fDelay);
  }
  ~TCaptureFrame() {
    if (minimize_) Application->Restore();
  }
  TCaptureFrame(const TCaptureFrame&) = delete;
  TCaptureFrame& operator=(const TCaptureFrame&) = delete;

 private:
  bool minimize_;
};

TASGScreenCapture::TASGScreenCapture(TComponent* AOwner) : TComponent(AOwner), fBitmap(new TBitmap()) {
  MakePixelFormat32(fBitmap);
}

TASGScreenCapture::~TASGScreenCapture() {
  delete fBitmap;
  fBitmap = nullptr;
}

void TASGScreenCapture::RecordForegroundWindow() {
  const TRect r = ForegroundWindowRect();
  fObjectLeft = r.Left;
  fObjectTop = r.Top;
  fObjectWidth = r.Width();
  fObjectHeight = r.Height();
}

std::unique_ptr<TBitmap> TASGScreenCapture::TakeCapture(TBitmap* Source) {
  if (Source != fBitmap) fBitmap->Assign(Source);
  MakePixelFormat32(fBitmap);
  auto result = std::make_unique<TBitmap>();
  result->Assign(fBitmap);
  MakePixelFormat32(result.get());
  return result;
}

void TASGScreenCapture::Announce() {
  if (fAutomatic && !fBitmap->Empty()) {
    // A copy of its own: the clipboard must not read a bitmap that a canvas
    // still holds selected.
    TBitmap copy;
    copy.Assign(fBitmap);
    Clipboard().SetBitmap(copy.Handle());
  }
  if (fOnCapture) fOnCapture(this);
}

std::unique_ptr<TBitmap> TASGScreenCapture::TakeAndAnnounce(TBitmap* Source) {
  auto result = TakeCapture(Source);
  Announce();
  return result;
}

std::unique_ptr<TBitmap> TASGScreenCapture::CaptureSelection() {
  TCaptureFrame frame(*this);
  const TRect foreground = ForegroundWindowRect();
  CaptureRectMonitorNum = fMonitorNum;
  TSelectionWindow<TCaptureRectForm> form;
  form->SetShowHint(fShowHint);
  if (form->ShowModal() != mrOk) return nullptr;
  // The recorded window's position relative to the selection.
  fObjectLeft = foreground.Left - form->MonitorRect().Left - form->SelectionRect().Left;
  fObjectTop = foreground.Top - form->MonitorRect().Top - form->SelectionRect().Top;
  fObjectWidth = foreground.Width();
  fObjectHeight = foreground.Height();
  return TakeAndAnnounce(form->Selection());
}

std::unique_ptr<TBitmap> TASGScreenCapture::CapturePolygon() {
  TCaptureFrame frame(*this);
  TSelectionWindow<TCaptureFreehandForm> form;
  form->SetShowHint(fShowHint);
  if (form->ShowModal() != mrOk) return nullptr;
  return TakeCapture(form->Captured());
}

std::unique_ptr<TBitmap> TASGScreenCapture::CaptureDesktop() {
  if (!fShowCursor) return SpeedCaptureDesktop();
  TCaptureFrame frame(*this);
  const TRect foreground = ForegroundWindowRect();
  CaptureDesktopMonitorNum = fMonitorNum;
  TSelectionWindow<TCaptureDesktopForm> form;
  form->SetShowHint(fShowHint);
  if (form->ShowModal() != mrOk) return nullptr;
  Sleep(fDelay);
  const TRect monitor = form->MonitorRect();
  fBitmap->Assign(form->Picture());
  MakePixelFormat32(fBitmap);
  DrawMouseCursor(fBitmap, Offset(Mouse->CursorPos(), monitor), 0, true);
  fObjectLeft = foreground.Left - monitor.Left;
  fObjectTop = foreground.Top - monitor.Top;
  fObjectWidth = foreground.Width();
  fObjectHeight = foreground.Height();
  return TakeAndAnnounce(fBitmap);
}

std::unique_ptr<TBitmap> TASGScreenCapture::CaptureScreenArea(const TRect& Area) {
  CopyScreenArea(fBitmap, Area);
  if (fShowCursor) DrawMouseCursor(fBitmap, Offset(Mouse->CursorPos(), Area), 0, true);
  fObjectLeft -= Area.Left;
  fObjectTop -= Area.Top;
  return TakeAndAnnounce(fBitmap);
}

std::unique_ptr<TBitmap> TASGScreenCapture::SpeedCaptureDesktop() {
  TCaptureFrame frame(*this);
  RecordForegroundWindow();
  return CaptureScreenArea(MonitorBounds(ChooseMonitor(fMonitorNum)));
}

std::unique_ptr<TBitmap> TASGScreenCapture::CaptureWholeDesktop() {
  TCaptureFrame frame(*this);
  RecordForegroundWindow();
  return CaptureScreenArea(VirtualDesktopBounds());
}

std::unique_ptr<TBitmap> TASGScreenCapture::CaptureActiveWindow() {
  TCaptureFrame frame(*this);
  HWND foreground = GetForegroundWindow();
  RECT r{};
  if (!foreground || !GetWindowRect(foreground, &r)) return nullptr;
  TBitmap shot;
  shot.SetPixelFormat(pf32bit);
  shot.SetSize(r.right - r.left, r.bottom - r.top);
  if (!shot.Empty()) {
    TWindowFrameDC dc(foreground);
    GiveSystemPalette(&shot, dc.Get());
    BitBlt(shot.Canvas()->Handle(), 0, 0, shot.Width(), shot.Height(), dc.Get(), 0, 0, CaptureRasterOp());
  }
  if (fShowCursor) {
    const TRect window = Rect(r.left, r.top, r.right, r.bottom);
    DrawMouseCursor(&shot, Offset(Mouse->CursorPos(), window), 32, false);
  }
  return TakeAndAnnounce(&shot);
}

std::unique_ptr<TBitmap> TASGScreenCapture::CaptureObject() {
  TCaptureFrame frame(*this);
  CaptureObjectMonitorNum = fMonitorNum;
  TSelectionWindow<TCaptureObjectForm> form;
  form->SetShowHint(fShowHint);
  if (form->ShowModal() != mrOk) return nullptr;
  // The click window is hidden now: the point finds the window beneath.
  const TPoint at = form->ClickPos();
  RECT r{};
  if (HWND target = WindowFromPoint(POINT{at.x, at.y})) GetWindowRect(target, &r);
  const TRect monitor = form->MonitorRect();
  TBitmap shot;
  CopyBitmapArea(&shot, form->Picture(),
                 Rect(r.left - monitor.Left, r.top - monitor.Top, r.right - monitor.Left, r.bottom - monitor.Top));
  return TakeAndAnnounce(&shot);
}

std::unique_ptr<TBitmap> TASGScreenCapture::CaptureIcon() {
  TCaptureFrame frame(*this);
  TSelectionWindow<TCaptureIconForm> form;
  form->SetShowHint(fShowHint);
  if (form->ShowModal() != mrOk) return nullptr;
  return TakeAndAnnounce(form->Selection());
}

std::unique_ptr<TBitmap> TASGScreenCapture::CaptureSpecificSizeSelection(int CaptureWidth, int CaptureHeight) {
  TCaptureFrame frame(*this);
  CaptureSpecificRectMonitorNum = fMonitorNum;
  TSelectionWindow<TCaptureSpecificRectForm> form;
  form->SetShowHint(fShowHint);
  form->CaptureWidth = CaptureWidth;
  form->CaptureHeight = CaptureHeight;
  if (form->ShowModal() != mrOk) return nullptr;
  fWidth = static_cast<uint32_t>(CaptureWidth);
  fHeight = static_cast<uint32_t>(CaptureHeight);
  return TakeAndAnnounce(form->Selection());
}

std::unique_ptr<TBitmap> TASGScreenCapture::CaptureObjectByHWND(HWND Handles) {
  TCaptureFrame frame(*this);
  RECT r{};
  if (Handles) GetWindowRect(Handles, &r);
  CopyScreenArea(fBitmap, Rect(r.left, r.top, r.right, r.bottom));
  return TakeAndAnnounce(fBitmap);
}

std::unique_ptr<TBitmap> TASGScreenCapture::CaptureObjectByTControlp(TControl* tcontrolp) {
  // Found before the application is minimised, while the control still shows.
  HWND target = nullptr;
  if (tcontrolp) {
    const TPoint origin = tcontrolp->ClientToScreen(TPoint{0, 0});
    target = WindowFromPoint(POINT{origin.x, origin.y});
  }
  return CaptureObjectByHWND(target);
}

FW_REGISTER(TASGScreenCapture) {
  c.Property(u"Auto", &TASGScreenCapture::Auto, &TASGScreenCapture::SetAuto).Default(true);
  c.Property(u"Bitmap", &TASGScreenCapture::Bitmap).Stored(false);
  c.Property(u"Delay", &TASGScreenCapture::Delay, &TASGScreenCapture::SetDelay).Default(500);
  c.Property(u"Minimize", &TASGScreenCapture::Minimize, &TASGScreenCapture::SetMinimize).Default(true);
  c.Property(u"ShowHint", &TASGScreenCapture::ShowHint, &TASGScreenCapture::SetShowHint).Default(true);
  c.Property(u"ShowCursor", &TASGScreenCapture::ShowCursor, &TASGScreenCapture::SetShowCursor).Default(false);
  c.Property(u"MonitorNum", &TASGScreenCapture::MonitorNum, &TASGScreenCapture::SetMonitorNum).Default(-1);
  c.Property(u"ObjectLeft", &TASGScreenCapture::ObjectLeft, &TASGScreenCapture::SetObjectLeft);
  c.Property(u"ObjectTop", &TASGScreenCapture::ObjectTop, &TASGScreenCapture::SetObjectTop);
  c.Property(u"ObjectWidth", &TASGScreenCapture::ObjectWidth, &TASGScreenCapture::SetObjectWidth);
  c.Property(u"ObjectHeight", &TASGScreenCapture::ObjectHeight, &TASGScreenCapture::SetObjectHeight);
  c.Property(u"Version", &TASGScreenCapture::Version, &TASGScreenCapture::SetVersion).Stored(false);
  c.Property(u"OnCapture", &TASGScreenCapture::OnCapture, &TASGScreenCapture::SetOnCapture);
}

}  // namespace capture
