// Helpers of the XP-style control tests: a shown form, what a control
// paints (PaintTo into a 24-bit bitmap), mouse and key input sent the way
// the system sends it, and a virtual cursor that the framework's mouse
// tracking follows.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "fw/controls/forms.h"
#include "fw/controls_test_util.h"
#include "fw/graphics/graphics.h"
#include "fw/system/screen.h"

namespace xptest {

// Counts the calls of a notify event and keeps the last sender.
struct Calls {
  int n = 0;
  fw::TObject* sender = nullptr;
  void Hit(fw::TObject* s) {
    ++n;
    sender = s;
  }
  fw::TNotifyEvent Event() { return fw::TNotifyEvent(this, &Calls::Hit); }
};

// What a windowed control paints, in a 24-bit bitmap of its size.
struct Snapshot {
  std::unique_ptr<fw::TBitmap> bmp = std::make_unique<fw::TBitmap>();
  explicit Snapshot(fw::TWinControl* c) {
    bmp->SetPixelFormat(fw::pf24bit);
    bmp->SetSize(c->Width(), c->Height());
    bmp->Canvas()->Brush()->SetColor(0x123456);
    bmp->Canvas()->FillRect(fw::Rect(0, 0, c->Width(), c->Height()));
    c->PaintTo(bmp->Canvas()->Handle(), 0, 0);
  }
  // A graphic control painted alone, onto a background of Back.
  Snapshot(fw::TControl* c, fw::TColor Back) {
    bmp->SetPixelFormat(fw::pf24bit);
    bmp->SetSize(c->Width(), c->Height());
    bmp->Canvas()->Brush()->SetColor(Back);
    bmp->Canvas()->FillRect(fw::Rect(0, 0, c->Width(), c->Height()));
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bmp->Canvas()->Handle()), 0);
  }
  fw::TColor At(int x, int y) const { return bmp->Canvas()->Pixel(x, y); }
  int Width() const { return bmp->Width(); }
  int Height() const { return bmp->Height(); }
};

inline fw::TColor Rgb(fw::TColor c) { return fw::ColorToRGB(c); }

// Keeps a test form above the other windows of the display, so that
// looking a control up by a screen point finds it.
inline void OnTop(fw::TCustomForm* Form) {
  SetWindowPos(Form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The framework's mouse follows a virtual cursor for the life of this
// object, so tests do not depend on the real pointer.
struct VirtualMouse {
  VirtualMouse() { fw::Mouse->SetVirtualCursor(true); }
  ~VirtualMouse() { fw::Mouse->SetVirtualCursor(false); }
  // Puts the virtual cursor over a client point of Control (the
  // framework's mouse-over state follows it) and sends the control a mouse
  // move there.
  void MoveTo(fw::TWinControl* Control, int X, int Y) {
    PlaceCursor(Control, X, Y);
    SendMessageW(Control->Handle(), WM_MOUSEMOVE, 0, fw::PointToLParam(X, Y));
  }
  // Puts the virtual cursor over a client point of Control; the framework
  // then looks up the control under it.
  void PlaceCursor(fw::TWinControl* Control, int X, int Y) {
    fw::Mouse->SetCursorPos(Control->ClientToScreen(fw::TPoint{X, Y}));
  }
  void Down(fw::TWinControl* Control, int X, int Y) {
    SendMessageW(Control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, fw::PointToLParam(X, Y));
  }
  void Up(fw::TWinControl* Control, int X, int Y) {
    SendMessageW(Control->Handle(), WM_LBUTTONUP, 0, fw::PointToLParam(X, Y));
  }
  void Click(fw::TWinControl* Control, int X, int Y) {
    MoveTo(Control, X, Y);
    Down(Control, X, Y);
    Up(Control, X, Y);
  }
};

// Puts the keyboard focus on Control and waits until the system reports it
// there, bringing its form to the front again while another program's window
// holds the foreground; false when it never comes within half a minute.
inline bool FocusOn(fw::TWinControl* Control) {
  Control->SetFocus();
  return fwtest::PumpUntil(
      [&] {
        if (GetFocus() == Control->Handle()) return true;
        SetForegroundWindow(GetAncestor(Control->Handle(), GA_ROOT));
        Control->SetFocus();
        return GetFocus() == Control->Handle();
      },
      30000);
}

// A key pressed and released through the message loop (so that dialog keys
// and accelerators take their way through the form).
inline void PressKey(fw::TWinControl* Focused, WORD Key) {
  PostMessageW(Focused->Handle(), WM_KEYDOWN, Key, 1);
  fwtest::Pump();
  PostMessageW(Focused->Handle(), WM_KEYUP, Key, static_cast<LPARAM>(0xC0000001u));
  fwtest::Pump();
}

// A part of the window that is waiting to be painted.
inline bool HasPendingPaint(fw::TWinControl* Control) {
  RECT r;
  return GetUpdateRect(Control->Handle(), &r, FALSE) != 0;
}

// Paints everything that waits, so that the next check starts clean.
inline void FlushPaint(fw::TWinControl* Control) {
  UpdateWindow(Control->Handle());
  ValidateRect(Control->Handle(), nullptr);
}

}  // namespace xptest
