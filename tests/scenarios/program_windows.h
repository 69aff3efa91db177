// Finds and drives the windows of the program started by a scenario, from
// the test's own process: top-level windows by process and title, child
// windows by text and class, native buttons clicked with BM_CLICK, and
// screenshots of a window saved as PNG.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "scenarios/screenshot_png.h"

namespace scenarios {

inline std::wstring WindowText(HWND wnd) {
  wchar_t text[512] = {};
  GetWindowTextW(wnd, text, 512);
  return text;
}

inline std::wstring WindowClass(HWND wnd) {
  wchar_t name[256] = {};
  GetClassNameW(wnd, name, 256);
  return name;
}

inline std::string Narrow(const std::wstring& s) {
  std::string out;
  for (wchar_t c : s) out.push_back(c < 128 ? static_cast<char>(c) : '?');
  return out;
}

// Class, text and visibility of every window below parent, one per line,
// indented by depth.
inline std::string DescribeWindowTree(HWND parent, int depth = 0) {
  std::string out;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r{};
    GetWindowRect(child, &r);
    out += std::string(static_cast<size_t>(depth) * 2, ' ') + Narrow(WindowClass(child)) + " '" +
           Narrow(WindowText(child)) + "' " + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) +
           (IsWindowVisible(child) ? "" : " (hidden)") + "\n";
    out += DescribeWindowTree(child, depth + 1);
  }
  return out;
}

// The visible top-level windows of a process.
inline std::vector<HWND> VisibleTopLevelWindows(DWORD processId) {
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } s{processId, {}};
  EnumWindows(
      [](HWND wnd, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        DWORD pid = 0;
        GetWindowThreadProcessId(wnd, &pid);
        if (pid == s->pid && IsWindowVisible(wnd)) s->found.push_back(wnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// A visible top-level window of the process with that title (and class,
// when given); waits up to the time given for it to appear.
inline HWND WaitForTopLevel(DWORD processId, const std::wstring& title, DWORD milliseconds,
                            const wchar_t* className = nullptr) {
  const DWORD start = GetTickCount();
  for (;;) {
    for (HWND wnd : VisibleTopLevelWindows(processId))
      if (WindowText(wnd) == title && (!className || WindowClass(wnd) == className)) return wnd;
    if (GetTickCount() - start > milliseconds) return nullptr;
    Sleep(50);
  }
}

// Every descendant window with that text (and class, when given).
inline std::vector<HWND> FindDescendants(HWND parent, const std::wstring& text, const wchar_t* className = nullptr) {
  struct Search {
    const std::wstring* text;
    const wchar_t* cls;
    std::vector<HWND> found;
  } s{&text, className, {}};
  EnumChildWindows(
      parent,
      [](HWND wnd, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        if (WindowText(wnd) == *s->text && (!s->cls || WindowClass(wnd) == s->cls)) s->found.push_back(wnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// The one visible descendant with that text, or null.
inline HWND FindVisibleDescendant(HWND parent, const std::wstring& text, const wchar_t* className = nullptr) {
  for (HWND wnd : FindDescendants(parent, text, className))
    if (IsWindowVisible(wnd)) return wnd;
  return nullptr;
}

// Clicks the visible, enabled native button (of any class: the program's
// buttons are system buttons under their own class names) with that caption as the user
// would; false when there is none. The click has been handled on return.
inline bool ClickButton(HWND top, const std::wstring& caption) {
  HWND button = FindVisibleDescendant(top, caption);
  if (!button || !IsWindowEnabled(button)) return false;
  SendMessageW(button, BM_CLICK, 0, 0);
  return true;
}

// The same for a button of a modal dialog, posted so that the dialog's own
// loop takes it.
inline bool PostClickButton(HWND dialog, const std::wstring& caption) {
  HWND button = FindVisibleDescendant(dialog, caption);
  if (!button) return false;
  PostMessageW(button, BM_CLICK, 0, 0);
  return true;
}

// The modal dialog (class "#32770") the process shows, waiting for it.
inline HWND WaitForDialog(DWORD processId, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    for (HWND wnd : VisibleTopLevelWindows(processId))
      if (WindowClass(wnd) == L"#32770") return wnd;
    if (GetTickCount() - start > milliseconds) return nullptr;
    Sleep(50);
  }
}

// The texts of a dialog's static controls, joined by "|".
inline std::wstring DialogText(HWND dialog) {
  std::wstring all;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (WindowClass(c) == L"Static") all += WindowText(c) + L"|";
  return all;
}

// Whether a visible window of another process lies over the window (the
// display is shared with other test programs).
inline bool CoveredByOthers(HWND wnd) {
  struct Search {
    HWND target;
    DWORD pid;
    RECT rect;
    bool covered;
  } s{wnd, 0, {}, false};
  GetWindowThreadProcessId(wnd, &s.pid);
  GetWindowRect(wnd, &s.rect);
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        if (w == s->target) return FALSE;  // the rest lie below it
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        RECT r{}, overlap{};
        if (pid != s->pid && IsWindowVisible(w) && GetWindowRect(w, &r) && IntersectRect(&overlap, &r, &s->rect)) {
          s->covered = true;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.covered;
}

// Saves what the screen shows of the window as build/win/screenshots/<name>.png,
// once no other program's window covers it (or after ten seconds).
inline bool SaveScreenshot(HWND wnd, const std::string& name) {
  for (int i = 0; i < 200 && CoveredByOthers(wnd); ++i) Sleep(50);
  std::unique_ptr<fw::TBitmap> shot = ScreenshotOf(wnd);
  return SavePng(shot.get(), ScreenshotPath(name + ".png"));
}

// Clicks at a place of a window as the user would, with sent mouse
// messages (a windowless control's click goes to its parent at the control's
// place); the click has been handled on return.
inline void ClickAt(HWND wnd, int x, int y) {
  const LPARAM at = MAKELPARAM(x, y);
  SendMessageW(wnd, WM_MOUSEMOVE, 0, at);
  SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(wnd, WM_LBUTTONUP, 0, at);
}

// The same click posted whole, for a click that opens a modal window: the
// program's loop takes the three messages one after the other, never going
// idle between them (its idle mouse check reads the real cursor, which is
// elsewhere on the shared display, and would clear what the move hovered).
inline void PostClickAt(HWND wnd, int x, int y) {
  const LPARAM at = MAKELPARAM(x, y);
  PostMessageW(wnd, WM_MOUSEMOVE, 0, at);
  PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(wnd, WM_LBUTTONUP, 0, at);
}

// The program's main window once it shows, or null after a minute.
inline HWND WaitForMainWindow(DWORD processId) {
  return WaitForTopLevel(processId, L"Vestaline3", 60000, L"TImageForm");
}

// Lets the program paint: brings the window to the front and waits until
// its thread is idle.
inline void SettleWindow(HWND wnd, DWORD milliseconds = 400) {
  SetForegroundWindow(wnd);
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(milliseconds);
}

}  // namespace scenarios
