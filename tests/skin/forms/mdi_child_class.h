// The window class of the raw MDI children the MDI frame tests make,
// registered once per test program.
#pragma once

#include <windows.h>

namespace skintest {

inline LRESULT CALLBACK MdiChildProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefMDIChildProcW(h, m, w, l); }

inline const wchar_t* MdiChildClass() {
  static ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = MdiChildProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"VlTestMdiChild";
    return RegisterClassW(&wc);
  }();
  return atom ? L"VlTestMdiChild" : nullptr;
}

}  // namespace skintest
