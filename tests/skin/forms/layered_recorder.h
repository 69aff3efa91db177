// Helpers of the tests of layered skinning windows: a recorder of every
// layered upload (window, position, size, constant alpha), which passes the
// upload on, and a plain top-level window that counts the messages it gets.
#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "skin/engine/bitmap_dc.h"

namespace skintest {

struct TLayeredUpload {
  HWND Wnd = nullptr;
  POINT Pos{-1, -1};  // (-1, -1): the position was kept
  SIZE Size{0, 0};
  int Alpha = 0;
};

// Swaps itself in as the layered-window upload while it lives.
class TLayeredRecorder {
 public:
  TLayeredRecorder() : old_(skin::UpdateLayeredWindowProc) {
    current_ = this;
    skin::UpdateLayeredWindowProc = &Record;
  }
  ~TLayeredRecorder() {
    skin::UpdateLayeredWindowProc = old_;
    current_ = nullptr;
  }
  std::vector<TLayeredUpload> uploads;
  std::vector<int> AlphasOf(HWND wnd) const {
    std::vector<int> a;
    for (const TLayeredUpload& u : uploads)
      if (!wnd || u.Wnd == wnd) a.push_back(u.Alpha);
    return a;
  }

 private:
  static BOOL WINAPI Record(HWND wnd, HDC dst, POINT* pos, SIZE* size, HDC src, POINT* srcPos, COLORREF key,
                            BLENDFUNCTION* blend, DWORD flags) {
    TLayeredUpload u;
    u.Wnd = wnd;
    if (pos) u.Pos = *pos;
    if (size) u.Size = *size;
    u.Alpha = blend ? blend->SourceConstantAlpha : 255;
    current_->uploads.push_back(u);
    return current_->old_ ? current_->old_(wnd, dst, pos, size, src, srcPos, key, blend, flags) : TRUE;
  }
  static inline TLayeredRecorder* current_ = nullptr;
  skin::TUpdateLayeredWindow old_;
};

// A visible top-level window with a caption that counts its messages.
class TCountingWindow {
 public:
  TCountingWindow(int x, int y, int w, int h, DWORD style = WS_OVERLAPPEDWINDOW) {
    static const ATOM atom = [] {
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = Proc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
      wc.lpszClassName = L"VlTestCountingWindow";
      return RegisterClassExW(&wc);
    }();
    (void)atom;
    wnd = CreateWindowExW(0, L"VlTestCountingWindow", L"Counting", style | WS_VISIBLE, x, y, w, h, nullptr, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
    Counts()[wnd];
  }
  ~TCountingWindow() {
    Counts().erase(wnd);
    DestroyWindow(wnd);
  }
  int Count(UINT msg) const {
    auto it = Counts().find(wnd);
    if (it == Counts().end()) return 0;
    auto m = it->second.find(msg);
    return m == it->second.end() ? 0 : m->second;
  }
  HWND wnd = nullptr;

 private:
  static std::map<HWND, std::map<UINT, int>>& Counts() {
    static std::map<HWND, std::map<UINT, int>> c;
    return c;
  }
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    auto it = Counts().find(w);
    if (it != Counts().end()) ++it->second[msg];
    return DefWindowProcW(w, msg, wp, lp);
  }
};

}  // namespace skintest
