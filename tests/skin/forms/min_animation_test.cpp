// The minimize and restore animations on real windows: the form is
// transparent while its snapshot moves, every way out leaves it opaque, a
// restore turns a running minimize round, and the system's own window
// animation setting is what it was before.
#include "skin/forms/min_animation.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/skin_utils.h"
#include "skin/forms/fake_dwm.h"
#include "skin/forms/layered_recorder.h"
#include "tests/fw/controls_test_util.h"

namespace skin {
namespace {

struct TestHost : TkcMinAnimHost {
  skintest::TCountingWindow w{200, 150, 320, 200};
  TestHost() {
    SetForegroundWindow(w.wnd);
    fwtest::Pump(0);
  }
  ~TestHost() override { FormTimer.reset(); }
  HWND FormWindow() const override { return w.wnd; }
  std::unique_ptr<fw::TBitmap> MakeFormImage() override {
    auto b = NewBitmap32(320, 200);
    FillRectAlpha(View32(*b), fw::Rect(0, 0, 320, 200), 0x3060C0, 255);
    return b;
  }
  TkcMinTimer* Timer() const { return dynamic_cast<TkcMinTimer*>(FormTimer.get()); }
  // Ticks by hand until the bits are gone; the number of ticks.
  int TickUntilClear(uint32_t bits) {
    int n = 0;
    while ((FormState & bits) && n < 100 && Timer()) {
      Timer()->Tick();
      ++n;
    }
    return n;
  }
};

bool Layered(HWND w) { return (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }
int LayeredAlpha(HWND w) {
  BYTE alpha = 0;
  DWORD flags = 0;
  return GetLayeredWindowAttributes(w, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) ? alpha : -1;
}

// The system animation switched on for the test, and put back after it.
struct SystemAnimationOn {
  bool was = SysWindowAnimationOn();
  SystemAnimationOn() { SetSysWindowAnimation(true); }
  ~SystemAnimationOn() { SetSysWindowAnimation(was); }
};

TEST(MinAnimation, MinimizeAndRestoreEndOpaqueWithTheSystemSettingBack) {
  skintest::TFakeDwm dwm(true);
  SystemAnimationOn sysAnim;
  const bool before = SysWindowAnimationOn();
  TestHost host;
  skintest::TLayeredRecorder rec;
  StartMinimizeAnimation(host);
  ASSERT_NE(host.Timer(), nullptr);
  host.Timer()->SetEnabled(false);  // ticked by hand
  EXPECT_TRUE(host.FormState & 0x100);
  EXPECT_TRUE(host.fAnimating);
  EXPECT_TRUE(Layered(host.w.wnd));
  EXPECT_EQ(LayeredAlpha(host.w.wnd), 0) << "the real window is transparent meanwhile";
  ASSERT_TRUE(host.Timer()->AnimForm);
  const HWND cover = host.Timer()->AnimForm->Handle();
  ShowWindow(host.w.wnd, SW_MINIMIZE);
  EXPECT_EQ(host.TickUntilClear(0x100), 8) << "nine steps of 7 from a quarter of 255";
  EXPECT_EQ(rec.AlphasOf(cover), (std::vector<int>{255, 56, 49, 42, 35, 28, 21, 14, 7, 0}));
  EXPECT_FALSE(Layered(host.w.wnd));
  EXPECT_FALSE(host.fAnimating);
  EXPECT_FALSE(IsWindowVisible(cover));

  ASSERT_TRUE(StartRestoreAnimation(host));
  host.Timer()->SetEnabled(false);
  EXPECT_TRUE(host.FormState & 0x400);
  EXPECT_EQ(LayeredAlpha(host.w.wnd), 0);
  EXPECT_EQ(host.TickUntilClear(0x400), 9);
  EXPECT_FALSE(IsIconic(host.w.wnd));
  EXPECT_TRUE(IsWindowVisible(host.w.wnd));
  EXPECT_FALSE(Layered(host.w.wnd));
  EXPECT_FALSE(host.fAnimating);
  EXPECT_FALSE(host.Timer()->AnimForm) << "the cover goes at the end";
  EXPECT_FALSE(IsWindow(cover));
  EXPECT_EQ(SysWindowAnimationOn(), before);
}

TEST(MinAnimation, WithoutCompositionMinimizeTakesOneStepAndNoTimer) {
  skintest::TFakeDwm dwm(false);
  TestHost host;
  StartMinimizeAnimation(host);
  ASSERT_NE(host.Timer(), nullptr);
  EXPECT_FALSE(host.FormState & 0x100);
  EXPECT_FALSE(host.Timer()->Enabled());
  EXPECT_FALSE(Layered(host.w.wnd));
  EXPECT_EQ(host.Timer()->Steps.StepCount, 1);
}

TEST(MinAnimation, SecondMinimizeWhileOneRunsChangesNothing) {
  skintest::TFakeDwm dwm(true);
  TestHost host;
  StartMinimizeAnimation(host);
  TkcMinTimer* timer = host.Timer();
  timer->SetEnabled(false);
  const double alpha = timer->Steps.CurrentAlpha;
  StartMinimizeAnimation(host);
  EXPECT_EQ(host.Timer(), timer);
  EXPECT_EQ(timer->Steps.CurrentAlpha, alpha);
}

TEST(MinAnimation, RestoreDuringMinimizeTurnsRoundAndEndsOpaque) {
  skintest::TFakeDwm dwm(true);
  TestHost host;
  StartMinimizeAnimation(host);
  host.Timer()->SetEnabled(false);
  host.Timer()->Tick();
  host.Timer()->Tick();
  EXPECT_DOUBLE_EQ(host.Timer()->Steps.CurrentAlpha, 42);
  ASSERT_TRUE(StartRestoreAnimation(host));
  host.Timer()->SetEnabled(false);
  EXPECT_FALSE(host.FormState & 0x100);
  EXPECT_EQ(host.TickUntilClear(0x400), 3);
  EXPECT_FALSE(Layered(host.w.wnd));
  EXPECT_TRUE(IsWindowVisible(host.w.wnd));
}

TEST(MinAnimation, WindowDestroyedMidAnimationLeavesNothingRunning) {
  skintest::TFakeDwm dwm(true);
  SystemAnimationOn sysAnim;
  const bool before = SysWindowAnimationOn();
  TestHost host;
  StartMinimizeAnimation(host);
  host.Timer()->SetEnabled(false);
  const HWND cover = host.Timer()->AnimForm->Handle();
  host.Timer()->Tick();
  DestroyWindow(host.w.wnd);
  host.Timer()->Tick();
  EXPECT_FALSE(host.Timer()->Enabled());
  EXPECT_FALSE(host.Timer()->AnimForm);
  EXPECT_FALSE(IsWindow(cover));
  EXPECT_EQ(host.FormState & 0x500, 0u);
  EXPECT_FALSE(host.fAnimating);
  EXPECT_EQ(SysWindowAnimationOn(), before);
}

TEST(MinAnimation, TimerFreedMidRestoreGivesTheWindowItsOpacityBack) {
  skintest::TFakeDwm dwm(true);
  TestHost host;
  StartMinimizeAnimation(host);
  host.Timer()->SetEnabled(false);
  host.TickUntilClear(0x100);
  ASSERT_TRUE(StartRestoreAnimation(host));
  host.Timer()->SetEnabled(false);
  host.Timer()->Tick();
  EXPECT_TRUE(Layered(host.w.wnd));
  host.FormTimer.reset();
  EXPECT_FALSE(Layered(host.w.wnd));
  EXPECT_EQ(host.FormState & 0x500, 0u);
}

TEST(MinAnimation, ThreadedTimerRunsBothDirectionsToTheEnd) {
  skintest::TFakeDwm dwm(true);
  TestHost host;
  StartMinimizeAnimation(host);
  ShowWindow(host.w.wnd, SW_MINIMIZE);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return !(host.FormState & 0x100); }, 10000));
  EXPECT_FALSE(Layered(host.w.wnd));
  ASSERT_TRUE(StartRestoreAnimation(host));
  ASSERT_TRUE(fwtest::PumpUntil([&] { return !(host.FormState & 0x400); }, 10000));
  EXPECT_FALSE(IsIconic(host.w.wnd));
  EXPECT_FALSE(Layered(host.w.wnd));
}

bool Empty(const fw::TRect& r) { return r.Width() <= 0 || r.Height() <= 0; }

// A task list of the test's own, laid out like the shell's: a top-level
// window (of a private class, so no other program takes it for the
// taskbar) > rebar > task switcher > tool bar whose buttons' data begin
// with the window each stands for.
struct FakeTaskList {
  HWND tray = nullptr, bar = nullptr;
  HWND app = reinterpret_cast<HWND>(0x1234), other = reinterpret_cast<HWND>(0x5678);
  FakeTaskList() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    InitCommonControlsEx(&icc);
    static const bool registered = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = DefWindowProcW;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"VlFakeTray";
      RegisterClassW(&wc);
      wc.lpszClassName = L"MSTaskSwWClass";
      RegisterClassW(&wc);
      return true;
    }();
    (void)registered;
    tray = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"VlFakeTray", nullptr, WS_POPUP, 100, 500, 600, 40,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND rebar = CreateWindowExW(0, REBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 600, 40, tray, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    HWND tasks = CreateWindowExW(0, L"MSTaskSwWClass", nullptr, WS_CHILD | WS_VISIBLE, 50, 0, 500, 40, rebar, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    bar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NODIVIDER, 10, 2,
                          480, 36, tasks, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(100, 30));
  }
  ~FakeTaskList() { DestroyWindow(tray); }
  void Add(const HWND* data, BYTE style = BTNS_BUTTON, BYTE state = TBSTATE_ENABLED) {
    TBBUTTON b{};
    b.iBitmap = I_IMAGENONE;
    b.idCommand = int(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0)) + 1;
    b.fsState = state;
    b.fsStyle = style;
    b.dwData = reinterpret_cast<DWORD_PTR>(data);
    SendMessageW(bar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&b));
  }
  fw::TRect ScreenRectOf(int index) {
    RECT item{}, at{};
    SendMessageW(bar, TB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    GetWindowRect(bar, &at);
    return fw::Rect(item.left + at.left, item.top + at.top, item.right + at.left, item.bottom + at.top);
  }
};

TEST(MinAnimation, TheApplicationsTaskbarButtonIsFoundOnTheTaskList) {
  FakeTaskList t;
  EXPECT_TRUE(Empty(TaskbarButtonRect(t.tray, t.app))) << "no buttons";
  t.Add(&t.other);
  t.Add(nullptr, BTNS_SEP);
  t.Add(&t.app, BTNS_BUTTON, TBSTATE_ENABLED | TBSTATE_HIDDEN);
  EXPECT_TRUE(Empty(TaskbarButtonRect(t.tray, t.app))) << "another window's, a separator and a hidden one";
  t.Add(&t.app);
  const fw::TRect r = TaskbarButtonRect(t.tray, t.app);
  EXPECT_FALSE(Empty(r));
  EXPECT_EQ(r, t.ScreenRectOf(3)) << "on the screen";
  EXPECT_TRUE(Empty(TaskbarButtonRect(t.tray, reinterpret_cast<HWND>(0x9999))));
  // Without the task list below the taskbar nothing is read.
  HWND bare = CreateWindowExW(0, L"VlFakeTray", nullptr, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  EXPECT_TRUE(Empty(TaskbarButtonRect(bare, t.app)));
  DestroyWindow(bare);
}

}  // namespace
}  // namespace skin
