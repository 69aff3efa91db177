// Helpers of the capture tests: a known picture on the screen (a topmost
// window painting coloured blocks), pixel reading from 32-bit bitmaps and
// from windows, and a driver thread that plays mouse and key messages to a
// selection window once it shows, as a user would, without real input.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "fw/controls/forms.h"
#include "fw/controls_test_util.h"
#include "fw/graphics/graphics.h"
#include "fw/system/application.h"
#include "fw/system/screen.h"

namespace capturetest {

// The screen, the foreground window and the clipboard are shared with the
// other test programs that run at the same time. The pattern therefore sits
// in the lower right corner of the 1280 x 1024 test screen, away from where
// windows are centred or placed by default, and a capture whose checks fail
// is tried again (see Attempt) while the pattern was disturbed.
constexpr int kPatternLeft = 910;
constexpr int kPatternTop = 754;
constexpr int kPatternWidth = 360;
constexpr int kPatternHeight = 260;
constexpr int kBlock = 20;

// Colour of the pattern at (x, y) relative to its top-left: one colour per
// 20 x 20 block, never white, black or the ants' red.
inline fw::TColor PatternColorAt(int x, int y) {
  const int bx = x / kBlock, by = y / kBlock;
  return static_cast<fw::TColor>(RGB(30 + bx * 10, 40 + by * 12, 200 - bx * 5));
}

// Colour of the pattern at a screen point.
inline fw::TColor ScreenPatternColor(int sx, int sy) { return PatternColorAt(sx - kPatternLeft, sy - kPatternTop); }

// A borderless topmost form painting the pattern.
class TPatternForm : public fw::TForm {
 public:
  explicit TPatternForm(fw::TComponent* owner) : fw::TForm(owner) {
    SetBorderStyle(fw::bsNone);
    SetPosition(fw::poDesigned);
    SetFormStyle(fw::fsStayOnTop);
    SetBounds(kPatternLeft, kPatternTop, kPatternWidth, kPatternHeight);
    OnPaint = fw::TNotifyEvent(this, &TPatternForm::PaintBlocks);
  }
  void PaintBlocks(fw::TObject*) {
    HDC dc = Canvas()->Handle();
    for (int y = 0; y < kPatternHeight; y += kBlock)
      for (int x = 0; x < kPatternWidth; x += kBlock) {
        HBRUSH b = CreateSolidBrush(PatternColorAt(x, y));
        RECT r{x, y, x + kBlock, y + kBlock};
        FillRect(dc, &r, b);
        DeleteObject(b);
      }
  }
};

// Pixel of a 32-bit bitmap as a colour value 0x00BBGGRR.
inline fw::TColor PixelOf(fw::TBitmap* b, int x, int y) {
  const auto* row = static_cast<const uint8_t*>(b->ScanLine(y));
  const uint8_t* p = row + x * 4;
  return static_cast<fw::TColor>(RGB(p[2], p[1], p[0]));
}

// Counts the pixels of the bitmap area (x0, y0, w, h) that differ from the
// pattern at the screen point (sx0 + x, sy0 + y).
inline int PatternMismatches(fw::TBitmap* b, int x0, int y0, int w, int h, int sx0, int sy0) {
  int bad = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (PixelOf(b, x0 + x, y0 + y) != ScreenPatternColor(sx0 + x, sy0 + y)) ++bad;
  return bad;
}

// Whether the screen shows the whole pattern now.
inline bool PatternOnScreen() {
  fw::TBitmap shot;
  shot.SetPixelFormat(fw::pf32bit);
  shot.SetSize(kPatternWidth, kPatternHeight);
  HDC screen = GetDC(nullptr);
  BitBlt(shot.Canvas()->Handle(), 0, 0, kPatternWidth, kPatternHeight, screen, kPatternLeft, kPatternTop, SRCCOPY);
  ReleaseDC(nullptr, screen);
  return PatternMismatches(&shot, 0, 0, kPatternWidth, kPatternHeight, kPatternLeft, kPatternTop) == 0;
}

// The pattern's window while it is shown.
inline HWND gPatternWindow = nullptr;

// Lets the windows repaint until the screen shows the pattern again, twice
// in a row (a window that has just gone leaves its picture until those below
// repaint; another program's window may come and go, and a topmost one is
// put below the pattern again).
inline bool WaitForPattern() {
  const DWORD t0 = GetTickCount();
  int good = 0, tries = 0;
  while (GetTickCount() - t0 < 5000) {
    fw::Application->ProcessMessages();
    good = PatternOnScreen() ? good + 1 : 0;
    if (good == 2) return true;
    if (++tries % 20 == 0 && gPatternWindow)
      SetWindowPos(gPatternWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Sleep(5);
  }
  fprintf(stderr, "the screen did not show the pattern within 5 s; windows over it:\n");
  // What covers it, from the top down to the pattern.
  for (HWND w = GetTopWindow(nullptr); w && w != gPatternWindow; w = GetWindow(w, GW_HWNDNEXT)) {
    RECT r{}, hit{}, area{kPatternLeft, kPatternTop, kPatternLeft + kPatternWidth, kPatternTop + kPatternHeight};
    if (!IsWindowVisible(w) || !GetWindowRect(w, &r) || !IntersectRect(&hit, &r, &area)) continue;
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    fprintf(stderr, "  %ls pid %lu (%ld, %ld, %ld, %ld)\n", name, pid, r.left, r.top, r.right, r.bottom);
  }
  return false;
}

// Shows the pattern and waits until the screen shows it.
inline TPatternForm* ShowPattern() {
  auto* f = fw::NewForm<TPatternForm>(nullptr);
  f->Show();
  f->Update();
  gPatternWindow = f->Handle();
  WaitForPattern();
  return f;
}

// Fixture of the tests over the pattern: the pattern is shown for the whole
// suite; each test runs with the virtual cursor on a point of the pattern.
class PatternTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { pattern_ = ShowPattern(); }
  static void TearDownTestSuite() {
    gPatternWindow = nullptr;
    pattern_->Free();
    pattern_ = nullptr;
  }
  void SetUp() override {
    fw::Mouse->SetVirtualCursor(true);
    fw::Mouse->SetCursorPos(fw::TPoint{kPatternLeft + 50, kPatternTop + 50});
  }
  void TearDown() override { fw::Mouse->SetVirtualCursor(false); }

  static inline TPatternForm* pattern_ = nullptr;
};

// Pixel of a window as the screen shows it.
inline fw::TColor WindowPixel(HWND wnd, int x, int y) {
  HDC dc = GetDC(wnd);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(wnd, dc);
  return static_cast<fw::TColor>(c & 0xFFFFFF);
}

// Checks collected without failing the test at once, so that an attempt
// disturbed from outside can be made again.
class Checks {
 public:
  template <class A, class B>
  void Eq(const A& actual, const B& expected, const char* what) {
    if (!(actual == expected))
      failures_ += std::string(what) + ": " + Text(actual) + ", expected " + Text(expected) + "\n";
  }
  void True(bool condition, const char* what) {
    if (!condition) failures_ += std::string(what) + "\n";
  }
  bool Ok() const { return failures_.empty(); }
  const std::string& Failures() const { return failures_; }

 private:
  template <class T>
  static std::string Text(const T& v) {
    std::ostringstream s;
    s << v;
    return s.str();
  }
  static std::string Text(const fw::String& v) { return fw::StringToUtf8(v); }
  static std::string Text(const fw::TPoint& p) { return "(" + Text(p.x) + ", " + Text(p.y) + ")"; }
  static std::string Text(const fw::TRect& r) {
    return "(" + Text(r.Left) + ", " + Text(r.Top) + ", " + Text(r.Right) + ", " + Text(r.Bottom) + ")";
  }
  std::string failures_;
};

// Runs a capture and its checks up to three times, each time once the
// screen shows the pattern, until the checks hold. A fault of the code fails
// every attempt; another program's window or clipboard use disturbs one.
template <class F>
Checks Attempt(F run) {
  Checks c;
  for (int i = 0; i < 3; ++i) {
    WaitForPattern();
    c = Checks();
    run(c);
    if (c.Ok()) break;
  }
  return c;
}

inline LPARAM At(int x, int y) { return static_cast<LPARAM>(MAKELONG(static_cast<WORD>(x), static_cast<WORD>(y))); }

// One message for the selection window.
struct Step {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};
inline Step Press(int x, int y) { return {WM_LBUTTONDOWN, MK_LBUTTON, At(x, y)}; }
inline Step Drag(int x, int y) { return {WM_MOUSEMOVE, MK_LBUTTON, At(x, y)}; }
inline Step Hover(int x, int y) { return {WM_MOUSEMOVE, 0, At(x, y)}; }
inline Step Release(int x, int y) { return {WM_LBUTTONUP, 0, At(x, y)}; }
inline Step RightRelease(int x, int y) { return {WM_RBUTTONUP, 0, At(x, y)}; }
inline Step Escape() { return {WM_KEYDOWN, VK_ESCAPE, 0x00010001}; }

// Waits on a thread of its own for a visible window of the class on the test
// thread, lets it settle, and posts the steps to it. A window the steps leave
// open is closed after a grace period, so that a broken step fails the test
// instead of hanging it.
class SelectionDriver {
 public:
  SelectionDriver(const wchar_t* className, std::vector<Step> steps)
      : className_(className), steps_(std::move(steps)), uiThread_(GetCurrentThreadId()) {
    thread_ = std::thread([this] { Run(); });
  }
  ~SelectionDriver() { Join(); }
  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  bool Found() const { return found_; }
  bool ForcedClose() const { return forced_; }

 private:
  struct Search {
    const wchar_t* cls;
    HWND found;
  };
  static BOOL CALLBACK Visit(HWND wnd, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    wchar_t name[64] = {};
    GetClassNameW(wnd, name, 64);
    if (IsWindowVisible(wnd) && lstrcmpW(name, s->cls) == 0) {
      s->found = wnd;
      return FALSE;
    }
    return TRUE;
  }
  HWND FindTarget() const {
    Search s{className_, nullptr};
    EnumThreadWindows(uiThread_, Visit, reinterpret_cast<LPARAM>(&s));
    return s.found;
  }
  void Run() {
    HWND wnd = nullptr;
    for (int i = 0; i < 500 && !wnd; ++i) {
      wnd = FindTarget();
      if (!wnd) Sleep(10);
    }
    if (!wnd) return;
    found_ = true;
    // Whatever the system sends a window that has just appeared goes first.
    Sleep(250);
    for (const Step& s : steps_) PostMessageW(wnd, s.msg, s.wParam, s.lParam);
    for (int i = 0; i < 300 && IsWindow(wnd) && IsWindowVisible(wnd); ++i) Sleep(10);
    if (IsWindow(wnd) && IsWindowVisible(wnd)) {
      forced_ = true;
      PostMessageW(wnd, WM_CLOSE, 0, 0);
    }
  }

  const wchar_t* className_;
  std::vector<Step> steps_;
  DWORD uiThread_;
  std::atomic<bool> found_{false};
  std::atomic<bool> forced_{false};
  std::thread thread_;
};

}  // namespace capturetest
