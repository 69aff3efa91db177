// The minimize and restore animations on real windows: the form is
// transparent while its snapshot moves, every way out leaves it opaque, a
// restore turns a running minimize round, and the system's own window
// animation setting is what it was before.
#include "skin/forms/min_animation.h"

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

}  // namespace
}  // namespace skin
