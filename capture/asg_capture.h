// TASGScreenCapture: a non-visual component that captures part of the screen
// into a bitmap. Each capture method optionally minimises the application,
// waits Delay milliseconds so that the screen can settle, lets the user
// select on a full-screen window over a frozen picture of the screen (or
// captures without asking), and hands back a new 32-bit bitmap that the
// caller owns, or null when the user did not confirm a selection.
//
// A cancelled selection changes nothing: Bitmap keeps the previous capture,
// the clipboard is untouched and OnCapture does not fire.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "fw/controls/controls.h"
#include "fw/core/component.h"
#include "fw/graphics/graphics.h"

namespace capture {

class TASGScreenCapture : public fw::TComponent {
  FW_CLASS(TASGScreenCapture, fw::TComponent)
  explicit TASGScreenCapture(fw::TComponent* AOwner);
  ~TASGScreenCapture() override;

  // ---- Captures (null: the user did not confirm)
  // A rubber-band rectangle of one monitor.
  std::unique_ptr<fw::TBitmap> CaptureSelection();
  // A free-hand outline of the primary screen; white outside the outline.
  // Neither the clipboard nor OnCapture is involved.
  std::unique_ptr<fw::TBitmap> CapturePolygon();
  // The whole chosen monitor; with ShowCursor the user first positions the
  // mouse and clicks.
  std::unique_ptr<fw::TBitmap> CaptureDesktop();
  // The whole chosen monitor at once.
  std::unique_ptr<fw::TBitmap> SpeedCaptureDesktop();
  // The virtual desktop over every monitor.
  std::unique_ptr<fw::TBitmap> CaptureWholeDesktop();
  // The foreground window (null when there is none).
  std::unique_ptr<fw::TBitmap> CaptureActiveWindow();
  // The window the user clicks on.
  std::unique_ptr<fw::TBitmap> CaptureObject();
  // A 32 x 32 box of the primary screen placed by the user.
  std::unique_ptr<fw::TBitmap> CaptureIcon();
  // A CaptureWidth x CaptureHeight box placed by the user.
  std::unique_ptr<fw::TBitmap> CaptureSpecificSizeSelection(int CaptureWidth, int CaptureHeight);
  // The window's rectangle as the screen shows it.
  std::unique_ptr<fw::TBitmap> CaptureObjectByHWND(HWND Handles);
  // The window under the control's client origin.
  std::unique_ptr<fw::TBitmap> CaptureObjectByTControlp(fw::TControl* tcontrolp);

  // ---- Properties
  bool Auto() const { return fAutomatic; }
  void SetAuto(bool Value) { fAutomatic = Value; }
  // The last capture (owned by the component).
  fw::TBitmap* Bitmap() const { return fBitmap; }
  uint32_t Delay() const { return fDelay; }
  void SetDelay(uint32_t Value) { fDelay = Value; }
  bool Minimize() const { return fMinimized; }
  void SetMinimize(bool Value) { fMinimized = Value; }
  bool ShowHint() const { return fShowHint; }
  void SetShowHint(bool Value) { fShowHint = Value; }
  bool ShowCursor() const { return fShowCursor; }
  void SetShowCursor(bool Value) { fShowCursor = Value; }
  fw::TNotifyEvent OnCapture() const { return fOnCapture; }
  void SetOnCapture(const fw::TNotifyEvent& Value) { fOnCapture = Value; }
  int MonitorNum() const { return fMonitorNum; }
  void SetMonitorNum(int Value) { fMonitorNum = Value; }
  int ObjectLeft() const { return fObjectLeft; }
  void SetObjectLeft(int Value) { fObjectLeft = Value; }
  int ObjectTop() const { return fObjectTop; }
  void SetObjectTop(int Value) { fObjectTop = Value; }
  int ObjectWidth() const { return fObjectWidth; }
  void SetObjectWidth(int Value) { fObjectWidth = Value; }
  int ObjectHeight() const { return fObjectHeight; }
  void SetObjectHeight(int Value) { fObjectHeight = Value; }
  // Size of the last fixed-size box.
  uint32_t BoxWidth() const { return fWidth; }
  uint32_t BoxHeight() const { return fHeight; }
  // Always "4.2"; writing it does nothing.
  fw::String Version() const { return u"4.2"; }
  void SetVersion(const fw::String&) {}

 private:
  class TCaptureFrame;
  // Records the foreground window's rectangle in the Object properties.
  void RecordForegroundWindow();
  // Makes fBitmap a 32-bit copy of Source (which may be fBitmap itself) and
  // returns a new copy of it.
  std::unique_ptr<fw::TBitmap> TakeCapture(fw::TBitmap* Source);
  // The clipboard copy (when Auto) and OnCapture.
  void Announce();
  // TakeCapture, then Announce.
  std::unique_ptr<fw::TBitmap> TakeAndAnnounce(fw::TBitmap* Source);
  // The screen area straight into fBitmap (with the cursor when
  // ShowCursor), the Object properties made relative to it, then taken and
  // announced.
  std::unique_ptr<fw::TBitmap> CaptureScreenArea(const fw::TRect& Area);

  bool fAutomatic = true;
  fw::TBitmap* fBitmap = nullptr;
  uint32_t fDelay = 500;
  bool fMinimized = true;
  bool fShowHint = true;
  bool fShowCursor = false;
  fw::TNotifyEvent fOnCapture;
  int fMonitorNum = -1;
  uint32_t fWidth = 32;
  uint32_t fHeight = 32;
  int fObjectLeft = 0;
  int fObjectTop = 0;
  int fObjectWidth = 0;
  int fObjectHeight = 0;
};

}  // namespace capture
