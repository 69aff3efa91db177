// Moving a form or dialog half-transparent (without the system's move
// loop): nothing without the option, the step by time or for a dialog, the
// fade down to the blend value, and an opaque window at the end.
#include "skin/forms/blended_move.h"

#include <gtest/gtest.h>

#include "skin/forms/layered_recorder.h"
#include "tests/fw/controls_test_util.h"

namespace skin {
namespace {

struct Host : TkcBlendedMoveHost {
  skintest::TCountingWindow w{150, 120, 260, 180};
  bool active = true, dialog = false;
  int value = 170, time = 1000;
  ~Host() override { MoveTimer.reset(); }
  HWND MovedWindow() const override { return w.wnd; }
  bool IsDialog() const override { return dialog; }
  bool BlendOnMovingActive() const override { return active; }
  int BlendValue() const override { return value; }
  int BlendTime() const override { return time; }
  TkcMoveTimer* Timer() const { return dynamic_cast<TkcMoveTimer*>(MoveTimer.get()); }
};

bool Layered(HWND w) { return (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }
int LayeredAlpha(HWND w) {
  BYTE alpha = 0;
  DWORD flags = 0;
  return GetLayeredWindowAttributes(w, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) ? alpha : -1;
}

TEST(BlendedMove, StepsByTimeOrForADialog) {
  EXPECT_DOUBLE_EQ(FormMoveBlendStep(170, 12), 85) << "below 13 ms: one step";
  EXPECT_NEAR(FormMoveBlendStep(170, 1000), 85 / (1000 / 12.0), 1e-12);
  EXPECT_DOUBLE_EQ(DialogMoveBlendStep(170), 2) << "85 div 30";
  EXPECT_DOUBLE_EQ(DialogMoveBlendStep(255), 0) << "stays opaque";
}

TEST(BlendedMove, OffByDefaultMakesNoTimer) {
  Host h;
  h.active = false;
  EXPECT_FALSE(MoveWithBlending(h, false));
  EXPECT_EQ(h.MoveTimer, nullptr);
  EXPECT_EQ(h.FormState, 0u);
}

TEST(BlendedMove, FadesToTheBlendValueAndEndsOpaque) {
  Host h;
  h.time = 12;
  ASSERT_TRUE(MoveWithBlending(h, false));
  EXPECT_TRUE(h.FormState & 0x80);
  ASSERT_NE(h.Timer(), nullptr);
  h.Timer()->SetEnabled(false);
  EXPECT_FALSE(MoveWithBlending(h, false)) << "a second request meanwhile is ignored";
  h.Timer()->Tick();
  EXPECT_EQ(LayeredAlpha(h.w.wnd), 255);
  h.Timer()->Tick();
  EXPECT_EQ(LayeredAlpha(h.w.wnd), 170);
  h.Timer()->Tick();
  EXPECT_EQ(LayeredAlpha(h.w.wnd), 170) << "and stays there";
  FinishBlendedMove(h);
  EXPECT_FALSE(h.FormState & 0x80);
  EXPECT_FALSE(Layered(h.w.wnd));
  EXPECT_EQ(h.MoveTimer, nullptr);
}

TEST(BlendedMove, SlowFadeNeverUndershootsByMoreThanAStep) {
  Host h;
  h.dialog = true;
  h.value = 100;
  ASSERT_TRUE(MoveWithBlending(h, false));
  h.Timer()->SetEnabled(false);
  const double step = h.Timer()->BlendStep;
  EXPECT_DOUBLE_EQ(step, 5);
  for (int i = 0; i < 100; ++i) h.Timer()->Tick();
  EXPECT_GE(h.Timer()->CurrentBlendValue, 100 - step);
  EXPECT_LE(h.Timer()->CurrentBlendValue, 100);
  FinishBlendedMove(h);
  EXPECT_FALSE(Layered(h.w.wnd));
}

}  // namespace
}  // namespace skin
