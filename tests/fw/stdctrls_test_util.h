// Helpers of the standard-control tests: a form built from a description
// text and shown, what a window says about itself, and a PaintTo capture
// with pixel access.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "controls_test_util.h"
#include "fw/core/form_loader.h"
#include "fw/graphics/graphics.h"
#include "fw/stdctrls/register.h"

namespace fwtest {

// A form of class T read from a description and shown; freed at the end.
template <class T>
struct DescribedForm {
  T* form;
  explicit DescribedForm(const char16_t* description, bool show = true) {
    fw::RegisterStdControls();
    form = fw::NewForm<T>(nullptr);
    // Border and place first: the description's sizes are then the client
    // sizes its controls are aligned in.
    form->SetPosition(fw::poDesigned);
    form->SetBorderStyle(fw::bsNone);
    try {
      fw::ReadRootComponent(form, description, u"Test.form");
    } catch (...) {
      form->Free();
      throw;
    }
    if (show) {
      form->Show();
      Pump();
    }
  }
  ~DescribedForm() { form->Free(); }
  T* operator->() const { return form; }
  template <class C>
  C* Find(const char16_t* name) const {
    auto* c = dynamic_cast<C*>(form->FindComponent(name));
    if (!c) throw std::runtime_error("component missing: " + fw::StringToUtf8(name));
    return c;
  }
};

inline std::string WindowText(HWND wnd) {
  int n = GetWindowTextLengthW(wnd);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  GetWindowTextW(wnd, s.data(), n + 1);
  s.resize(static_cast<size_t>(n));
  return fw::StringToUtf8(FromW(s.c_str()));
}

inline std::string ClassNameOf(HWND wnd) {
  wchar_t name[256] = {};
  GetClassNameW(wnd, name, 256);
  return fw::StringToUtf8(FromW(name));
}

inline bool HasStyle(HWND wnd, LONG_PTR bits) { return (GetWindowLongPtrW(wnd, GWL_STYLE) & bits) == bits; }
inline bool HasExStyle(HWND wnd, LONG_PTR bits) { return (GetWindowLongPtrW(wnd, GWL_EXSTYLE) & bits) == bits; }

// The control painted by PaintTo into a 24-bit bitmap of its size, on a
// background of a colour no control uses.
inline std::unique_ptr<fw::TBitmap> Capture(fw::TWinControl* control, fw::TColor background = 0x00FF00FF) {
  auto bmp = std::make_unique<fw::TBitmap>();
  bmp->SetPixelFormat(fw::pf24bit);
  bmp->SetSize(control->Width(), control->Height());
  bmp->Canvas()->Brush()->SetColor(background);
  bmp->Canvas()->FillRect(fw::Rect(0, 0, control->Width(), control->Height()));
  control->PaintTo(bmp->Canvas(), 0, 0);
  return bmp;
}

inline fw::TColor PixelAt(fw::TBitmap* bmp, int x, int y) {
  auto* row = static_cast<uint8_t*>(bmp->ScanLine(y));
  return static_cast<fw::TColor>(row[x * 3 + 2] | (row[x * 3 + 1] << 8) | (row[x * 3] << 16));
}

// Number of pixels of the given colour inside a rectangle.
inline int CountColor(fw::TBitmap* bmp, fw::TColor color, const fw::TRect& r) {
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (PixelAt(bmp, x, y) == color) ++n;
  return n;
}

// A left click at a client point of a window, as the mouse would send it.
inline void ClickAt(HWND wnd, int x, int y) {
  SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

}  // namespace fwtest
