// The screen: forms and the active form, cursors, fonts, pixels per inch and
// monitors; and the mouse, whose cursor position tests can make virtual.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <vector>

#include "fw/controls/forms.h"

namespace fw {

class TMonitor {
 public:
  HMONITOR Handle() const { return FHandle; }
  int MonitorNum() const { return FNum; }
  TRect BoundsRect() const;
  TRect WorkareaRect() const;
  int Left() const { return BoundsRect().Left; }
  int Top() const { return BoundsRect().Top; }
  int Width() const { return BoundsRect().Width(); }
  int Height() const { return BoundsRect().Height(); }
  bool Primary() const;

 private:
  friend class TScreen;
  HMONITOR FHandle = nullptr;
  int FNum = 0;
};

class TScreen : public TComponent {
  FW_CLASS(TScreen, TComponent)

  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  // The cursor of the whole program; crDefault lets each control choose.
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  HCURSOR Cursors(int Index);
  void SetCursors(int Index, HCURSOR Handle);

  int FormCount() const { return static_cast<int>(FForms.size()); }
  TForm* Forms(int Index) const { return FForms.at(static_cast<size_t>(Index)); }
  int CustomFormCount() const { return static_cast<int>(FCustomForms.size()); }
  TCustomForm* CustomForms(int Index) const { return FCustomForms.at(static_cast<size_t>(Index)); }
  TForm* ActiveForm() const { return dynamic_cast<TForm*>(FActiveCustomForm); }
  TCustomForm* ActiveCustomForm() const { return FActiveCustomForm; }
  TWinControl* ActiveControl() const { return FActiveControl; }
  TCustomForm* FocusedForm() const { return FFocusedForm; }

  // Installed font families, sorted.
  const std::vector<String>& Fonts();
  void ResetFonts() { FFonts.clear(); }
  int PixelsPerInch() const;
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  TRect DesktopRect() const;
  TRect WorkAreaRect() const;
  int MonitorCount();
  TMonitor* Monitors(int Index);
  TMonitor* MonitorFromWindow(HWND Wnd);
  TMonitor* MonitorFromPoint(const TPoint& P);
  TFont* HintFont() const { return FHintFont; }
  TFont* MenuFont() const { return FMenuFont; }
  TFont* IconFont() const { return FIconFont; }

  TNotifyEvent OnActiveFormChange;
  TNotifyEvent OnActiveControlChange;

  // Bookkeeping of the forms.
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  void SetFocusedForm(TCustomForm* Form) { FFocusedForm = Form; }
  void SetActiveFocus(TCustomForm* Form, TWinControl* Control);
  void ControlGone(TControl* Control);

 private:
  void UpdateMonitors();
  TCursor FCursor = crDefault;
  std::map<int, HCURSOR> FCursors;
  std::vector<TForm*> FForms;
  std::vector<TCustomForm*> FCustomForms;
  TCustomForm* FActiveCustomForm = nullptr;
  TCustomForm* FFocusedForm = nullptr;
  TWinControl* FActiveControl = nullptr;
  std::vector<String> FFonts;
  std::vector<TMonitor> FMonitors;
  TFont* FHintFont;
  TFont* FMenuFont;
  TFont* FIconFont;
};

class TMouse {
 public:
  // The cursor position on the screen (the virtual one while it is set).
  TPoint CursorPos() const;
  // Moves the cursor; with a virtual cursor only that moves, and the
  // mouse-over tracking and hints follow it at once.
  void SetCursorPos(const TPoint& P);
  // Tests drive a virtual cursor so that no real pointer is needed.
  void SetVirtualCursor(bool Enabled);
  bool VirtualCursor() const { return FVirtual.has_value(); }
  HWND Capture() const { return GetCapture(); }
  void SetCapture(HWND Wnd) {
    if (Wnd) ::SetCapture(Wnd);
    else ReleaseCapture();
  }
  bool MousePresent() const { return GetSystemMetrics(SM_MOUSEPRESENT) != 0; }
  int WheelScrollLines() const;

 private:
  std::optional<TPoint> FVirtual;
};

extern TScreen* Screen;
extern TMouse* Mouse;

}  // namespace fw
