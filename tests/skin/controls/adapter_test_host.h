// What the adapter tests share: a visible host window that answers the
// background question with one colour, a child window made in it, and a
// window's client area rendered into a 32-bit bitmap through
// WM_PRINTCLIENT with its pixels read as colours.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "skin/engine/background_request.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_messages.h"

namespace skintest {

constexpr fw::TColor kHostBg = 0x5070A0;

inline LRESULT CALLBACK HostProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == skin::WM_SKINCOMMAND && skin::SkinCommandCode(w) == skin::SKC_GETBGINFO && l) {
    auto* info = reinterpret_cast<skin::TkcBackgroundInfo*>(l);
    info->BgType = skin::btFill;
    info->Color = kHostBg;
    return 0;
  }
  return DefWindowProcW(h, m, w, l);
}

// A visible popup window, destroyed with the object.
struct AdapterHost {
  HWND wnd = nullptr;
  explicit AdapterHost(int w = 420, int h = 320) {
    static const bool registered = [] {
      INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_TREEVIEW_CLASSES |
                                                ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
      InitCommonControlsEx(&icc);
      WNDCLASSW wc{};
      wc.lpfnWndProc = HostProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
      wc.lpszClassName = L"VlAdapterHost";
      return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    wnd = CreateWindowExW(0, L"VlAdapterHost", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 30, 30, w, h, nullptr,
                          nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~AdapterHost() { DestroyWindow(wnd); }
  HWND Child(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, DWORD ex = 0) const {
    return CreateWindowExW(ex, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, wnd, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }
};

// The client area as the window prints it, over a sentinel colour.
inline std::unique_ptr<fw::TBitmap> Render(HWND wnd, fw::TColor sentinel = 0x123456) {
  RECT r{};
  GetClientRect(wnd, &r);
  auto bmp = skin::NewBitmap32(std::max<int>(r.right, 1), std::max<int>(r.bottom, 1));
  HDC dc = bmp->Canvas()->Handle();
  HBRUSH b = CreateSolidBrush(sentinel);
  FillRect(dc, &r, b);
  DeleteObject(b);
  SendMessageW(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  return bmp;
}

// A pixel of a rendered bitmap as a colour (0x00BBGGRR).
inline fw::TColor ColorAt(fw::TBitmap& bmp, int x, int y) {
  const uint32_t p = skin::View32(bmp).Pixel(x, y);
  return fw::TColor(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
}

}  // namespace skintest
